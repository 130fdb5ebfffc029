// Edit descriptors whose numbers reach the top of the 32-bit range: fields
// of asterisks or errors, never arithmetic that wraps.  Each statement runs
// in a child, since a wrapped count would write far outside the field.
#include <gtest/gtest.h>

#include <string>

#include "support/child.h"
#include "tavf90.h"

namespace {

struct Case {
  const char *format;
  double value;
  bool single;  // a REAL item rather than DOUBLE PRECISION
  const char *out;
};

const Case kCases[] = {
    {"(E5.3E2147483647)", 1.0, false, "*****"},
    {"(E5.3E2147483647)", -1.0, false, "*****"},
    {"(E5.3E2147483647)", 0.0, true, "*****"},
    {"(E12.3E2147483647)", -1.0e300, false, "************"},
    {"(ES5.3E2147483647)", 1.0, false, "*****"},
    {"(ES5.3E2147483646)", -2.5, true, "*****"},
    {"(1PE5.3E2147483647)", 1.0, false, "*****"},
    {"(G5.3E2147483647)", 1.0e10, false, "*****"},
    {"(D5.3)", 1.0, false, "*****"},
    {"(EN5.3E2147483647)", 1.0, false, "*****"},
    {"(E2147483647.2147483647E2147483647)", 1.0, false, ""},
};

TEST(FieldLimits, HugeExponentWidths) {
  for (const Case &c : kCases) {
    tavtest::expect_run(
        c.format,
        [&c] {
          f90_io_init();
          int s = __TAVf90_write(6, c.format, -1, nullptr, 0, 1);
          if (s == 0) s = c.single ? __TAVf90_write_r(static_cast<float>(c.value)) : __TAVf90_write_d(c.value);
          if (s == 0) s = __TAVf90_endwrite();
          std::printf("%d\n", s);
          f90_io_finish();
        },
        {0, (std::string(c.out) + (*c.out ? "\n0\n" : "100\n")).c_str()});
  }
}

}  // namespace
