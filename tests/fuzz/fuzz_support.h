// Shared by the fuzz targets: the checks, the bound on the work a format
// asks for, the parts of an input, and READ items of every kind.
#pragma once

#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "support/record_fixture.h"
#include "tavf90.h"

namespace fuzz {

// A property that does not hold ends the run, as a crash the fuzzer saves.
inline void check(bool ok, const char *what) {
  if (ok) return;
  std::fprintf(stderr, "%s: iostat %d, lock %d, position %d\n", what, iostat, __TAVf90_io_lock,
               __TAVf90_io_position);
  std::abort();
}

// A format may legitimately ask for 10^18 records ((999999999(999999999/)))
// and one such input would take the run's time: formats whose repeat counts
// before a '(' or a '/' multiply to more than 10^5 are left out.  A number
// after a point or a letter other than P is a width, not a repeat count;
// blanks inside a number do not end it.
inline bool bounded(const std::string &format) {
  double product = 1, number = 0;
  char before = '(';  // the last character before the number
  for (char c : format) {
    if (c >= '0' && c <= '9') {
      number = number * 10 + (c - '0');
    } else if (c != ' ') {
      const bool letter = std::isalpha(static_cast<unsigned char>(before)) != 0;
      const bool width = before == '.' || (letter && before != 'P' && before != 'p');
      if ((c == '(' || c == '/') && !width) product *= number > 1 ? number : 1;
      number = 0;
      before = c;
    }
  }
  return product <= 1e5;
}

// The next part of the input, up to a NUL (or the end).
inline std::string part(const std::uint8_t *&p, const std::uint8_t *end) {
  const std::uint8_t *q = p;
  while (q < end && *q != 0) ++q;
  std::string s(reinterpret_cast<const char *>(p), static_cast<std::size_t>(q - p));
  p = q < end ? q + 1 : q;
  return s;
}

// Every item is a global of its own, so the sanitizer sees a store outside it.
inline std::int8_t vb, vl1;
inline std::int16_t vh, vl2;
inline std::int32_t vi, vl;
inline std::int64_t vk, vl4;
inline float vr, vc[2];
inline double vd, vz[2];
inline char vs[8], v1[1];

// One item of a kind chosen by a byte; formatted or list-directed.
inline int item(std::uint8_t kind, bool formatted) {
  switch (kind % 16) {
    case 0: return formatted ? __TAVf90_read_i(&vi) : __TAVf90_lread_i(&vi);
    case 1: return formatted ? __TAVf90_read_i1(&vb) : __TAVf90_lread_i1(&vb);
    case 2: return formatted ? __TAVf90_read_i2(&vh) : __TAVf90_lread_i2(&vh);
    case 3: return formatted ? __TAVf90_read_i4(&vk) : __TAVf90_lread_i4(&vk);
    case 4: return formatted ? __TAVf90_read_r(&vr) : __TAVf90_lread_r(&vr);
    case 5: return formatted ? __TAVf90_read_d(&vd) : __TAVf90_lread_d(&vd);
    case 6: return formatted ? __TAVf90_read_c(vc) : __TAVf90_lread_c(vc);
    case 7: return formatted ? __TAVf90_read_dc(vz) : __TAVf90_lread_dc(vz);
    case 8: return formatted ? __TAVf90_read_l(&vl) : __TAVf90_lread_l(&vl);
    case 9: return formatted ? __TAVf90_read_l1(&vl1) : __TAVf90_lread_l1(&vl1);
    case 10: return formatted ? __TAVf90_read_l4(&vl4) : __TAVf90_lread_l4(&vl4);
    case 11: return formatted ? __TAVf90_read_ch(vs, 8) : __TAVf90_lread_ch(vs, 8);
    case 12: return formatted ? __TAVf90_dusty_read_i(&vi) : __TAVf90_lread_nl_ch(vs, 8);
    case 13: return formatted ? __TAVf90_dusty_read_d(&vd) : __TAVf90_lread_l2(&vl2);
    case 14:  // bit 4 of the kind chooses between the two LOGICAL(2) edits
      if (!formatted) return __TAVf90_lread_ch(v1, 0);
      return kind & 16 ? __TAVf90_dusty_read_l2(&vl2) : __TAVf90_read_l2(&vl2);
    default: return formatted ? __TAVf90_read_ch(v1, 1) : __TAVf90_lread_ch(v1, 1);
  }
}

}  // namespace fuzz
