// The format interpreter: walks a format specification in place while a
// formatted statement runs, carrying out control edit descriptors and
// handing data edit descriptors over through the current edit.
#pragma once

namespace tav::io {

// mode is TAV_MODE_INPUT or TAV_MODE_OUTPUT.  Every function returns 0 or
// the I/O status of the condition met (already reported through ioerr).
// On output, `held` is the end of the characters the record holds already
// from an earlier statement (a statement continuing a record may begin
// before it); they stay unless written over.
int establish_format(const char *text, int length, int mode, int held = 0);
int maybe_next_edit(int mode);
int definitely_next_edit(int mode);
int get_within_field(int *remaining, char *out);

}  // namespace tav::io
