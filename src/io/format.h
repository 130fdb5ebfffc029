// The format interpreter: walks a format specification in place while a
// formatted statement runs, carrying out control edit descriptors and
// handing data edit descriptors over through the current edit.
#pragma once

namespace tav::io {

// mode is TAV_MODE_INPUT or TAV_MODE_OUTPUT.  Every function returns 0 or
// the I/O status of the condition met (already reported through ioerr).
int establish_format(const char *text, int length, int mode);
int maybe_next_edit(int mode);
int definitely_next_edit(int mode);
int get_within_field(int *remaining, char *out);

}  // namespace tav::io
