// Output editing of integer, logical and character values under I, B, O,
// Z, L and A.  Each writes one field through the record's put hooks and
// returns 0 or the first nonzero I/O status; w and m are those of the
// current edit (w = 0: the field is as wide as its text).
#pragma once

#include <cstdint>

namespace tav::io {

int format_I(std::int32_t value, int w, int m);
int format_I4(std::int64_t value, int w, int m);
int format_B(std::uint32_t value, int w, int m);
int format_O(std::uint32_t value, int w, int m);
int format_Z(std::uint32_t value, int w, int m);
int format_B4(std::uint64_t value, int w, int m);
int format_O4(std::uint64_t value, int w, int m);
int format_Z4(std::uint64_t value, int w, int m);
// Lw: w - 1 blanks, then T or F.
int format_L(std::int32_t value, int w);
// Aw for the `length` characters at `address`: right-justified when w is
// wider, else the leftmost w characters.
int format_A(const char *address, int w, int length);

}  // namespace tav::io
