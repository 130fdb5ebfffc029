// The current edit: the data edit descriptor handed over by the format
// interpreter, with its w, d, e, m and the modes set by control edits.
#pragma once

#include "io/format.h"
#include "tavf90.h"

namespace tav::io {

struct Edit {
  // Upper-case descriptor letter, ':' at a colon, ')' at the end of format.
  static char letter() { return __TAVf90_current_edit[0]; }
  // For 'E': 'N' (EN), 'S' (ES) or NUL (plain E).
  static char variant() { return __TAVf90_current_edit[1]; }
  static int w() { return __TAVf90_w; }
  static int d() { return __TAVf90_d; }
  static int e() { return __TAVf90_e; }
  static int m() { return __TAVf90_m; }
  static int &scale() { return __TAVf90_current_scale; }
  static int &plus() { return __TAVf90_compulsory_plus; }
  // Set by list-directed output while it writes the parts of a complex
  // value: F and E fields then go out without their leading blanks.
  static int &noseparator() { return __TAVf90_noseparator; }
};

// The per-item protocol every formatted item entry follows:
//   if (int s = item_begin(mode)) return s;
//   ... convert under the current edit ...
//   return item_end(mode, status);
inline int item_begin(int mode) {
  char c = Edit::letter();
  return (c == ':' || c == ')') ? definitely_next_edit(mode) : 0;
}
inline int item_end(int mode, int status) {
  return status != 0 ? status : maybe_next_edit(mode);
}

}  // namespace tav::io
