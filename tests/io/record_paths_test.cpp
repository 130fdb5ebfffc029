// The record of an external WRITE: integer fields, formatted and
// list-directed, built in place in the unit's record, up to its last
// character.  Each record follows one of x's, so that any position a field
// leaves unwritten shows; formatted fields are checked against printf.
#include <cinttypes>

#include "io/io_support.h"

namespace {

// Each value is written under each format.
const char *const kFormats[] = {"I12", "I0",    "I5",  "I10",   "I11", "SP,I12", "I12.11",  "I3.3", "I20", "I64",
                                "I3",  "I64.63", "I65", "I0.40", "I1",  "I2",     "SP,I6.0", "I0.0", "I8",  "I9"};

const std::int64_t kValues[] = {
    0, 1, -1, 7, 8, -9, 10, 99, -100, 1000, 99999999, 999999999, 1000000000, -1000000000, INT32_MAX, INT32_MIN,
    4294967295LL, 4294967296LL, -9999999999LL, 10000000000LL, 999999999999999999LL, 1000000000000000000LL, INT64_MAX,
    INT64_MIN};

bool fits_int32(std::int64_t v) { return v >= INT32_MIN && v <= INT32_MAX; }

// What Iw.m (SP,Iw.m) gives for v, from printf.
std::string expected_field(const char *format, std::int64_t v) {
  const bool sp = format[0] == 'S';
  int w = 0, m = 1;
  std::sscanf(format + (sp ? 3 : 0), "I%d.%d", &w, &m);
  char buf[128];
  std::snprintf(buf, sizeof buf, sp ? "%+.*" PRId64 : "%.*" PRId64, m, v);
  std::string s = buf;
  if (m == 0 && v == 0) s.clear();  // no digits and no sign (printf still gives "+")
  if (w == 0) return s.empty() ? " " : s;
  if (static_cast<int>(s.size()) > w) return std::string(static_cast<std::size_t>(w), '*');
  return std::string(static_cast<std::size_t>(w) - s.size(), ' ') + s;
}

const std::string kXs(80, 'x');

// One WRITE of a record of x's on standard output.
void xs_record() {
  __TAVf90_write(6, "(A)", -1, nullptr, 0, 0);
  __TAVf90_write_ch(kXs.c_str(), 80);
  __TAVf90_endwrite();
}

TEST(RecordPaths, IntegerFieldsInPlace) {
  std::string expected;
  for (const char *f : kFormats)
    for (std::int64_t v : kValues) expected += kXs + "\n" + expected_field(f, v) + "\n";
  expected += kXs + "\n";
  for (std::int64_t v : kValues)
    if (fits_int32(v)) expected += " " + std::to_string(v);
  // A field that just fits in the record of 1024 characters, and one that
  // does not: the characters that fit are kept and the overflow reported.
  const std::string blanks(1012, ' ');
  expected += "\n0:" + blanks + "  -123456789\n100:" + blanks + "   -12345678\n";

  tavtest::expect_run("integer fields", [] {
    f90_io_init();
    for (const char *f : kFormats)
      for (std::int64_t v : kValues) {
        xs_record();
        const std::string fmt = std::string("(") + f + ")";
        if (int s = __TAVf90_write(6, fmt.c_str(), -1, nullptr, 0, 1)) std::fprintf(stderr, "begin %d\n", s);
        int s = fits_int32(v) ? __TAVf90_write_i(static_cast<std::int32_t>(v)) : __TAVf90_write_i4(v);
        if (s != 0) std::fprintf(stderr, "item %d\n", s);
        if (int s = __TAVf90_endwrite()) std::fprintf(stderr, "end %d\n", s);
      }
    xs_record();
    __TAVf90_write(6, nullptr, 0, nullptr, 0, 0);
    for (std::int64_t v : kValues)
      if (fits_int32(v)) __TAVf90_lwrite_i(static_cast<std::int32_t>(v));
    __TAVf90_endwrite();
    for (const char *f : {"(T1013,I12)", "(T1014,I12)"}) {
      __TAVf90_write(6, f, -1, nullptr, 0, 1);
      std::printf("%d:", __TAVf90_write_i(-123456789));
      __TAVf90_endwrite();
    }
  }, {0, expected.c_str(), ""});
}

}  // namespace
