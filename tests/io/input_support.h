// Reads a list of items of given kinds over in-memory records, formatted or
// list-directed, and renders what the items hold afterwards.
#pragma once

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "support/record_fixture.h"
#include "tavf90.h"

namespace inputtest {

// Item kinds: i default INTEGER, b INTEGER(1), h INTEGER(2), k 8-byte
// INTEGER, r REAL, d DOUBLE PRECISION, c COMPLEX, z double COMPLEX, l
// LOGICAL, s CHARACTER*6; upper case I R D L: the dusty entries.  Every item
// starts as 7 (logicals as 7, characters as "------"), so an item left
// unchanged shows.  The result is the items joined by '|', then "#code"
// when an entry returned a status (the items after it are not shown).
inline std::string render(char kind, const void *p) {
  char buf[96];
  switch (kind) {
    case 'i': case 'I': case 'l': case 'L':
      std::snprintf(buf, sizeof buf, "%d", *static_cast<const int32_t *>(p)); break;
    case 'b': std::snprintf(buf, sizeof buf, "%d", *static_cast<const int8_t *>(p)); break;
    case 'h': std::snprintf(buf, sizeof buf, "%d", *static_cast<const int16_t *>(p)); break;
    case 'k': std::snprintf(buf, sizeof buf, "%lld", static_cast<long long>(*static_cast<const int64_t *>(p))); break;
    case 'r': case 'R': std::snprintf(buf, sizeof buf, "%.9g", *static_cast<const float *>(p)); break;
    case 'd': case 'D': std::snprintf(buf, sizeof buf, "%.17g", *static_cast<const double *>(p)); break;
    case 'c': {
      auto *f = static_cast<const float *>(p);
      std::snprintf(buf, sizeof buf, "(%.9g,%.9g)", f[0], f[1]);
      break;
    }
    case 'z': {
      auto *f = static_cast<const double *>(p);
      std::snprintf(buf, sizeof buf, "(%.17g,%.17g)", f[0], f[1]);
      break;
    }
    case 's': return std::string(static_cast<const char *>(p), 6);
    default: return "?";
  }
  return buf;
}

inline int read_item(char kind, void *p) {
  switch (kind) {
    case 'i': return __TAVf90_read_i(static_cast<int32_t *>(p));
    case 'I': return __TAVf90_dusty_read_i(static_cast<int32_t *>(p));
    case 'b': return __TAVf90_read_i1(static_cast<int8_t *>(p));
    case 'h': return __TAVf90_read_i2(static_cast<int16_t *>(p));
    case 'k': return __TAVf90_read_i4(static_cast<int64_t *>(p));
    case 'r': return __TAVf90_read_r(static_cast<float *>(p));
    case 'R': return __TAVf90_dusty_read_r(static_cast<float *>(p));
    case 'd': return __TAVf90_read_d(static_cast<double *>(p));
    case 'D': return __TAVf90_dusty_read_d(static_cast<double *>(p));
    case 'c': return __TAVf90_read_c(static_cast<float *>(p));
    case 'z': return __TAVf90_read_dc(static_cast<double *>(p));
    case 'l': return __TAVf90_read_l(static_cast<int32_t *>(p));
    case 'L': return __TAVf90_dusty_read_l(static_cast<int32_t *>(p));
    case 's': return __TAVf90_read_ch(static_cast<char *>(p), 6);
  }
  return -99;
}

inline int lread_item(char kind, void *p) {
  switch (kind) {
    case 'i': return __TAVf90_lread_i(static_cast<int32_t *>(p));
    case 'b': return __TAVf90_lread_i1(static_cast<int8_t *>(p));
    case 'h': return __TAVf90_lread_i2(static_cast<int16_t *>(p));
    case 'k': return __TAVf90_lread_i4(static_cast<int64_t *>(p));
    case 'r': return __TAVf90_lread_r(static_cast<float *>(p));
    case 'd': return __TAVf90_lread_d(static_cast<double *>(p));
    case 'c': return __TAVf90_lread_c(static_cast<float *>(p));
    case 'z': return __TAVf90_lread_dc(static_cast<double *>(p));
    case 'l': return __TAVf90_lread_l(static_cast<int32_t *>(p));
    case 's': return __TAVf90_lread_ch(static_cast<char *>(p), 6);
  }
  return -99;
}

inline void initialise(char kind, void *p) {
  switch (kind) {
    case 'b': *static_cast<int8_t *>(p) = 7; break;
    case 'h': *static_cast<int16_t *>(p) = 7; break;
    case 'k': *static_cast<int64_t *>(p) = 7; break;
    case 'r': case 'R': *static_cast<float *>(p) = 7; break;
    case 'd': case 'D': *static_cast<double *>(p) = 7; break;
    case 'c': static_cast<float *>(p)[0] = static_cast<float *>(p)[1] = 7; break;
    case 'z': static_cast<double *>(p)[0] = static_cast<double *>(p)[1] = 7; break;
    case 's': std::memcpy(p, "------", 6); break;
    default: *static_cast<int32_t *>(p) = 7;
  }
}

// format: a format text, or null for list-directed input.  blank_zero: the
// connection's BLANK='ZERO'.
inline std::string run(const char *format, const std::vector<std::string> &records, const char *kinds,
                       bool pad = true, bool blank_zero = false) {
  tavtest::TestRecord rec(records, pad);
  __TAVf90_io_blanks = blank_zero ? 1 : 0;
  __TAVf90_current_edit[0] = ')';
  std::string out;
  int status = format != nullptr ? __TAVf90_establish_format(format, -1, TAV_MODE_INPUT) : __TAVf90_init_linput();
  for (const char *k = kinds; status == 0 && *k; ++k) {
    alignas(8) char item[16];
    initialise(*k, item);
    status = format != nullptr ? read_item(*k, item) : lread_item(*k, item);
    if (!out.empty()) out += '|';
    out += render(*k, item);
  }
  if (status != 0) out += "#" + std::to_string(status);
  return out;
}

}  // namespace inputtest
