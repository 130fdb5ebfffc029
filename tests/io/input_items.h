// Input items of every kind over in-memory records (the record fixture's
// hooks): the kinds are letters, see data/input.tsv.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "support/record_fixture.h"
#include "tavf90.h"

namespace iotest {

// An item of the given kind (see data/input.tsv) as text.
inline std::string render(char kind, const void *p) {
  char buf[96];
  auto f = static_cast<const float *>(p);
  auto d = static_cast<const double *>(p);
  switch (kind) {
    case 'b': std::snprintf(buf, sizeof buf, "%d", *static_cast<const int8_t *>(p)); break;
    case 'h': std::snprintf(buf, sizeof buf, "%d", *static_cast<const int16_t *>(p)); break;
    case 'k': std::snprintf(buf, sizeof buf, "%lld", static_cast<long long>(*static_cast<const int64_t *>(p))); break;
    case 'r': case 'R': std::snprintf(buf, sizeof buf, "%.9g", f[0]); break;
    case 'd': std::snprintf(buf, sizeof buf, "%.17g", d[0]); break;
    case 'c': std::snprintf(buf, sizeof buf, "(%.9g,%.9g)", f[0], f[1]); break;
    case 'z': std::snprintf(buf, sizeof buf, "(%.17g,%.17g)", d[0], d[1]); break;
    case 's': return std::string(static_cast<const char *>(p), 6);
    default: std::snprintf(buf, sizeof buf, "%d", *static_cast<const int32_t *>(p));
  }
  return buf;
}

inline int read_item(char kind, void *p, bool list) {
  auto i4 = static_cast<int32_t *>(p);
  auto r = static_cast<float *>(p);
  auto d = static_cast<double *>(p);
  switch (kind) {
    case 'i': return list ? __TAVf90_lread_i(i4) : __TAVf90_read_i(i4);
    case 'I': return __TAVf90_dusty_read_i(i4);
    case 'b': return list ? __TAVf90_lread_i1(static_cast<int8_t *>(p)) : __TAVf90_read_i1(static_cast<int8_t *>(p));
    case 'h': return list ? __TAVf90_lread_i2(static_cast<int16_t *>(p)) : __TAVf90_read_i2(static_cast<int16_t *>(p));
    case 'k': return list ? __TAVf90_lread_i4(static_cast<int64_t *>(p)) : __TAVf90_read_i4(static_cast<int64_t *>(p));
    case 'r': return list ? __TAVf90_lread_r(r) : __TAVf90_read_r(r);
    case 'R': return __TAVf90_dusty_read_r(r);
    case 'd': return list ? __TAVf90_lread_d(d) : __TAVf90_read_d(d);
    case 'c': return list ? __TAVf90_lread_c(r) : __TAVf90_read_c(r);
    case 'z': return list ? __TAVf90_lread_dc(d) : __TAVf90_read_dc(d);
    case 'l': return list ? __TAVf90_lread_l(i4) : __TAVf90_read_l(i4);
    case 'L': return __TAVf90_dusty_read_l(i4);
    case 's': return list ? __TAVf90_lread_ch(static_cast<char *>(p), 6) : __TAVf90_read_ch(static_cast<char *>(p), 6);
  }
  return -99;
}

// An item's value before the READ: 7 in every numeric kind, dashes for text.
inline void initialise(char kind, void *item) {
  if (kind == 's') {
    std::memcpy(item, "------", 6);
  } else {
    const double seven[2] = {7, 7};
    const float sevenf[2] = {7, 7};
    const int64_t seven8 = 7;
    if (kind == 'd' || kind == 'z') std::memcpy(item, seven, 16);
    else if (kind == 'r' || kind == 'R' || kind == 'c') std::memcpy(item, sevenf, 8);
    else std::memcpy(item, &seven8, 8);  // little-endian: 7 in every integer width
  }
}

// Reads items of the given kinds after a begin call that left `status`
// and renders what they hold afterwards, then "#code" after a condition
// (left in `status`).
inline std::string read_kinds(int &status, bool list, const char *kinds) {
  std::string out;
  for (const char *k = kinds; status == 0 && *k; ++k) {
    alignas(8) char item[16];
    initialise(*k, item);
    status = read_item(*k, item, list);
    if (!out.empty()) out += '|';
    out += render(*k, item);
  }
  return status != 0 ? out + "#" + std::to_string(status) : out;
}

// read_kinds over the records (format null: list-directed).
inline std::string run(const char *format, const std::vector<std::string> &records, const char *kinds, bool pad = true) {
  tavtest::TestRecord rec(records, pad);
  __TAVf90_io_blanks = 0;
  __TAVf90_current_edit[0] = ')';
  int status = format != nullptr ? __TAVf90_establish_format(format, -1, TAV_MODE_INPUT) : __TAVf90_init_linput();
  return read_kinds(status, format == nullptr, kinds);
}

}  // namespace iotest
