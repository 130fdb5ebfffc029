// Whole formatted and list-directed WRITE statements with mixed items, run
// back to back on one unit: the format text and the items come from the
// input.  Checked after every statement: it ended (the I/O lock is free),
// its status is 0 or a code from the I/O error table and is what iostat
// says, and a statement that succeeded left no record open.
//
// Input: 1 byte item count (low 3 bits) and list-directed flag (bit 3),
// then per item 1 type byte and 8 value bytes, then the format text.
//
// A format may legitimately ask for 10^18 records ((999999999(999999999/)))
// and one such input would take the run's time: every number that stands
// where a repeat count stands (not after a letter or a point) is lowered so
// that the repeats nested around it multiply to at most kRepeatBudget.
// Widths, positions and exponents are left as they come.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tavf90.h"

namespace {

void check(bool ok, const char *what, int status) {
  if (ok) return;
  std::fprintf(stderr, "%s: status %d, iostat %d, lock %d, position %d\n", what, status, iostat, __TAVf90_io_lock,
               __TAVf90_io_position);
  std::abort();
}

int item(bool listed, int type, const std::uint8_t *v) {
  std::int64_t i;
  double d;
  float f[2];
  std::memcpy(&i, v, 8);
  std::memcpy(&d, v, 8);
  std::memcpy(f, v, 8);
  const char *text = reinterpret_cast<const char *>(v);
  switch (type % 9) {
    case 0: return listed ? __TAVf90_lwrite_i(static_cast<std::int32_t>(i)) : __TAVf90_write_i(static_cast<std::int32_t>(i));
    case 1: return listed ? __TAVf90_lwrite_i4(i) : __TAVf90_write_i4(i);
    case 2: return listed ? __TAVf90_lwrite_r(f[0]) : __TAVf90_write_r(f[0]);
    case 3: return listed ? __TAVf90_lwrite_d(d) : __TAVf90_write_d(d);
    case 4: return listed ? __TAVf90_lwrite_c(f[0], f[1]) : __TAVf90_write_c(f[0], f[1]);
    case 5: return listed ? __TAVf90_lwrite_dc(d, -d) : __TAVf90_write_dc(d, -d);
    case 6: return listed ? __TAVf90_lwrite_l(static_cast<std::int32_t>(i)) : __TAVf90_write_l(static_cast<std::int32_t>(i));
    case 7: return listed ? __TAVf90_lwrite_ch(text, 8) : __TAVf90_write_ch(text, 8);
    default: return listed ? __TAVf90_lwrite_i1(static_cast<std::int8_t>(i)) : __TAVf90_dusty_write_d(d);
  }
}

constexpr std::int64_t kRepeatBudget = 4096;

bool is_digit(char c) { return c >= '0' && c <= '9'; }

std::string tame(const char *text, int length) {
  std::string out;
  std::vector<std::int64_t> outer{1};  // product of the repeats around each depth
  std::int64_t repeat = 1;             // the count just before, for a '('
  char before = '(';                   // the last non-blank character copied
  for (int i = 0; i < length;) {
    const char c = text[i];
    if (c == '\'' || c == '"') {  // a string goes through whole
      int j = i + 1;
      while (j < length && text[j] != c) ++j;
      out.append(text + i, static_cast<std::size_t>((j < length ? j + 1 : j) - i));
      i = j + 1;
      before = c;
      repeat = 1;
      continue;
    }
    const bool after_name = (before >= 'A' && before <= 'Z') || (before >= 'a' && before <= 'z') || before == '.';
    if (is_digit(c) && !after_name) {
      std::int64_t v = 0;
      for (; i < length && (is_digit(text[i]) || text[i] == ' '); ++i)
        if (is_digit(text[i]) && v <= kRepeatBudget) v = v * 10 + (text[i] - '0');
      const std::int64_t cap = kRepeatBudget / outer.back();
      repeat = v > cap ? (cap > 0 ? cap : 1) : v;
      out += std::to_string(repeat);
      before = '0';
      continue;
    }
    if (c == '(') {
      outer.push_back(outer.back() * (repeat > 0 ? repeat : 1));
      if (outer.back() > kRepeatBudget) outer.back() = kRepeatBudget;
    } else if (c == ')' && outer.size() > 1) {
      outer.pop_back();
    }
    if (c != ' ') {
      if (c != '(') repeat = 1;
      before = c;
    }
    out += c;
    ++i;
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  f90_io_init();
  // A short record, so that overflows and record splits are common.
  int recl = 120;
  __TAVf90_open(10, "/dev/null", 9, nullptr, 0, nullptr, 0, nullptr, 0, &recl, nullptr, 0, nullptr, 0, nullptr,
                0, nullptr, 0, nullptr, 0, 0);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  if (size < 1) return 0;
  const int count = data[0] & 7;
  const bool listed = (data[0] & 8) != 0;
  if (size < 1 + 9u * count) return 0;
  const std::uint8_t *items = data + 1;
  const std::string format = tame(reinterpret_cast<const char *>(items + 9 * count), static_cast<int>(size - 1 - 9 * count));

  int status = __TAVf90_write(10, listed ? nullptr : format.data(), static_cast<int>(format.size()), nullptr, 0, 1);
  for (int i = 0; status == 0 && i < count; ++i) status = item(listed, items[9 * i], items + 9 * i + 1);
  if (status == 0) status = __TAVf90_endwrite();
  check(__TAVf90_io_lock == 0, "lock held", status);
  check(status == 0 || (status >= 100 && status <= 217), "status", status);
  check(iostat == status, "iostat", status);
  check(status != 0 || __TAVf90_io_position == 0, "record left open", status);
  return 0;
}
