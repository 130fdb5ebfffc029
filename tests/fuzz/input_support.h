// Shared by the input fuzz targets: splits the input into its parts and
// reads items of the kinds it names over in-memory records.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "support/record_fixture.h"
#include "tavf90.h"

namespace fuzzinput {

// The next part of the input, up to a NUL (or the end).
inline std::string part(const std::uint8_t *&p, const std::uint8_t *end) {
  const std::uint8_t *q = p;
  while (q < end && *q != 0) ++q;
  std::string s(reinterpret_cast<const char *>(p), static_cast<std::size_t>(q - p));
  p = q < end ? q + 1 : q;
  return s;
}

inline std::vector<std::string> records(const std::string &text) {
  std::vector<std::string> r;
  std::size_t start = 0;
  for (;;) {
    std::size_t nl = text.find('\n', start);
    r.push_back(text.substr(start, nl == std::string::npos ? std::string::npos : nl - start));
    if (nl == std::string::npos) break;
    start = nl + 1;
  }
  return r;
}

// One item of a kind chosen by a byte; formatted or list-directed.  The
// items are checked for staying inside their storage by the sanitizer.
inline int item(std::uint8_t kind, bool formatted) {
  alignas(8) char storage[16] = {};
  char text[9] = {};
  void *p = storage;
  switch (kind % 16) {
    case 0: return formatted ? __TAVf90_read_i(static_cast<int32_t *>(p)) : __TAVf90_lread_i(static_cast<int32_t *>(p));
    case 1: return formatted ? __TAVf90_read_i1(static_cast<int8_t *>(p)) : __TAVf90_lread_i1(static_cast<int8_t *>(p));
    case 2: return formatted ? __TAVf90_read_i2(static_cast<int16_t *>(p)) : __TAVf90_lread_i2(static_cast<int16_t *>(p));
    case 3: return formatted ? __TAVf90_read_i4(static_cast<int64_t *>(p)) : __TAVf90_lread_i4(static_cast<int64_t *>(p));
    case 4: return formatted ? __TAVf90_read_r(static_cast<float *>(p)) : __TAVf90_lread_r(static_cast<float *>(p));
    case 5: return formatted ? __TAVf90_read_d(static_cast<double *>(p)) : __TAVf90_lread_d(static_cast<double *>(p));
    case 6: return formatted ? __TAVf90_read_c(static_cast<float *>(p)) : __TAVf90_lread_c(static_cast<float *>(p));
    case 7: return formatted ? __TAVf90_read_dc(static_cast<double *>(p)) : __TAVf90_lread_dc(static_cast<double *>(p));
    case 8: return formatted ? __TAVf90_read_l(static_cast<int32_t *>(p)) : __TAVf90_lread_l(static_cast<int32_t *>(p));
    case 9: return formatted ? __TAVf90_read_l1(static_cast<int8_t *>(p)) : __TAVf90_lread_l1(static_cast<int8_t *>(p));
    case 10: return formatted ? __TAVf90_read_l4(static_cast<int64_t *>(p)) : __TAVf90_lread_l4(static_cast<int64_t *>(p));
    case 11: return formatted ? __TAVf90_read_ch(text, 8) : __TAVf90_lread_ch(text, 8);
    case 12: return formatted ? __TAVf90_dusty_read_i(static_cast<int32_t *>(p)) : __TAVf90_lread_nl_ch(text, 8);
    case 13: return formatted ? __TAVf90_dusty_read_d(static_cast<double *>(p)) : __TAVf90_lread_l2(static_cast<int16_t *>(p));
    case 14: return formatted ? __TAVf90_dusty_read_l2(static_cast<int16_t *>(p)) : __TAVf90_lread_ch(text, 0);
    default: return formatted ? __TAVf90_read_ch(text, 1) : __TAVf90_lread_ch(text, 1);
  }
}

}  // namespace fuzzinput
