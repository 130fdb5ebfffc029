// Fw.d and Ew.d[Ee] through the library's exported editing entries, as
// list-directed output and compiled code reach them.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

#include "support/child.h"
#include "support/record_fixture.h"
#include "tavf90.h"

namespace {

struct Modes {
  int scale = 0;
  int plus = 0;
  int noseparator = 0;
};

std::string F(double v, int w, int d, Modes m = {}) {
  tavtest::TestRecord rec(4096);
  __TAVf90_current_scale = m.scale;
  __TAVf90_compulsory_plus = m.plus;
  __TAVf90_noseparator = m.noseparator;
  int st = __TAVf90_format_F(v, w, d);
  EXPECT_EQ(st, 0);
  return rec.text();
}

std::string E(double v, int w, int d, int e = -1, Modes m = {}) {
  tavtest::TestRecord rec(4096);
  __TAVf90_current_scale = m.scale;
  __TAVf90_compulsory_plus = m.plus;
  __TAVf90_noseparator = m.noseparator;
  int st = __TAVf90_format_E(v, w, d, e);
  EXPECT_EQ(st, 0);
  return rec.text();
}

const double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();

std::string sp(int n) { return std::string(static_cast<std::size_t>(n), ' '); }

TEST(FormatF, LeadingZeroAndSign) {
  EXPECT_EQ(F(0.25, 3, 2), ".25");
  EXPECT_EQ(F(0.25, 4, 2), "0.25");
  EXPECT_EQ(F(0.25, 2, 2), "**");
  EXPECT_EQ(F(-0.25, 4, 2), "-.25");
  EXPECT_EQ(F(0.25, 4, 2, {0, 1, 0}), "+.25");
  EXPECT_EQ(F(-0.0, 5, 1), " -0.0");
  EXPECT_EQ(F(-0.001, 6, 2), " -0.00");
  EXPECT_EQ(F(0.4, 3, 0), " 0.");
  EXPECT_EQ(F(0.6, 3, 0), " 1.");
  EXPECT_EQ(F(2.5, 3, 0), " 2.");  // the exact tie goes to even
  EXPECT_EQ(F(1.0E+200, 10, 2), "**********");
  EXPECT_EQ(F(123.456, 8, 3), " 123.456");
  EXPECT_EQ(F(123.456, 7, 3), "123.456");
  EXPECT_EQ(F(123.456, 6, 3), "******");
}

TEST(FormatF, FreeWidthAndNoSeparator) {
  EXPECT_EQ(F(3.14159, 0, 2), "3.14");
  EXPECT_EQ(F(3.14159, 0, 2, {0, 1, 0}), "+3.14");
  EXPECT_EQ(F(0.25, 0, 2), "0.25");
  EXPECT_EQ(F(-7.0, 0, 0), "-7.");
  // Inside a complex value the field is as long as its text, whatever w.
  EXPECT_EQ(F(1.0, 11, 7, {0, 0, 1}), "1.0000000");
  EXPECT_EQ(F(-12.5, 20, 16, {0, 0, 1}), "-12.5000000000000000");
}

TEST(FormatF, ScaleFactor) {
  EXPECT_EQ(F(12.5, 8, 2, {1}), "  125.00");
  EXPECT_EQ(F(1234.0, 8, 2, {-2}), "   12.34");
  EXPECT_EQ(F(1.5, 14, 1, {10}), " 15000000000.0");
  EXPECT_EQ(F(1.7e-3, 12, 10, {-7}), "0.0000000002");
  // Beyond the double range the point is moved on the value's digits.
  EXPECT_EQ(F(1e300, 20, 1, {10}), std::string(20, '*'));
  std::string big = F(1e300, 0, 1, {10});
  EXPECT_EQ(big, "10000000000000000525047602552044202487045" + std::string(270, '0') + ".0");
  EXPECT_EQ(F(-1e300, 317, 2, {10}), "  -10000000000000000525047602552044202487045" + std::string(270, '0') + ".00");
}

TEST(FormatF, DecimalsBeyondConversionLimit) {
  // The zeros beyond the converted decimals belong to the field.
  EXPECT_EQ(F(1.5, 400, 350), std::string(48, ' ') + "1.5" + std::string(349, '0'));
  EXPECT_EQ(F(1.0, 350, 348), "1." + std::string(348, '0'));
  EXPECT_EQ(F(-0.0, 350, 348), "-." + std::string(348, '0'));
  EXPECT_EQ(F(123.0, 350, 348), std::string(350, '*'));
  EXPECT_EQ(F(0.5, 0, 400), "0.5" + std::string(399, '0'));
}

TEST(FormatE, ScaleFactorForms) {
  EXPECT_EQ(E(1234.56, 12, 4), "  0.1235E+04");
  EXPECT_EQ(E(1234.56, 12, 4, -1, {2}), "  12.346E+02");
  EXPECT_EQ(E(1234.56, 12, 4, -1, {-1}), "  0.0123E+05");
  EXPECT_EQ(E(1234.56, 12, 4, -1, {-3}), "  0.0001E+07");
  EXPECT_EQ(E(1234.56, 12, 4, -1, {5}), "  12346.E-01");
  EXPECT_EQ(E(1234.56, 12, 4, -1, {1}), "  1.2346E+03");
  EXPECT_EQ(E(1234.5, 12, 4), "  0.1234E+04");  // exact tie to even
  EXPECT_EQ(E(9.9999, 10, 3), " 0.100E+02");
  EXPECT_EQ(E(0.0, 10, 3), " 0.000E+00");
  EXPECT_EQ(E(0.0, 10, 3, -1, {1}), " 0.000E+00");
  EXPECT_EQ(E(-0.0, 10, 3), "-0.000E+00");
}

TEST(FormatE, SignAndNarrowFields) {
  EXPECT_EQ(E(-1234.56, 12, 4), " -0.1235E+04");
  EXPECT_EQ(E(1234.56, 12, 4, -1, {0, 1}), " +0.1235E+04");
  EXPECT_EQ(E(-1234.56, 11, 4), "-0.1235E+04");
  EXPECT_EQ(E(-1234.56, 10, 4), "-.1235E+04");  // the leading zero gives way
  EXPECT_EQ(E(-1234.56, 9, 4), "*********");
  EXPECT_EQ(E(-1234.56, 10, 4, -1, {1}), "**********");  // no zero to drop
}

TEST(FormatE, ExponentWidths) {
  EXPECT_EQ(E(1.0E-150, 12, 4), "  0.1000-149");
  EXPECT_EQ(E(1.0E+100, 12, 4), "  0.1000+101");
  EXPECT_EQ(E(1.0E+100, 12, 4, 3), " 0.1000E+101");
  EXPECT_EQ(E(1.0E+100, 12, 4, 2), "************");
  EXPECT_EQ(E(1.0E+5, 12, 4, 4), "0.1000E+0006");
  EXPECT_EQ(E(5.0, 8, 1, 1), "  0.5E+1");
  EXPECT_EQ(E(0.0, 8, 1, 1), "  0.0E+0");
  EXPECT_EQ(E(5.0E+10, 8, 1, 1), "********");
  EXPECT_EQ(E(4.9e-324, 12, 4), "  0.4941-323");
}

TEST(FormatE, DigitsBeyondConversionLimit) {
  const std::string third = "33333333333333331482961625624739099293947";  // 41 digits
  EXPECT_EQ(E(1.0 / 3, 60, 50), "    0." + third + std::string(9, '0') + "E+00");
  EXPECT_EQ(E(1.0 / 3, 60, 50, -1, {1}), "    3." + third.substr(1) + std::string(10, '0') + "E-01");
  // More digits before the point than were converted: zeros continue the
  // converted digits.
  EXPECT_EQ(E(1.0 / 3, 60, 50, -1, {45}), "    " + third + "0000." + std::string(6, '0') + "E-45");
}

TEST(FormatE, ErrorsWriteNothing) {
  {
    tavtest::TestRecord rec;
    __TAVf90_current_scale = 6;
    EXPECT_EQ(__TAVf90_format_E(1.0, 12, 4, -1), 102);
    EXPECT_EQ(iostat, 102);
    EXPECT_EQ(rec.text(), "");
  }
  {
    tavtest::TestRecord rec;
    __TAVf90_current_scale = -4;
    EXPECT_EQ(__TAVf90_format_E(1.0, 12, 4, -1), 102);
    EXPECT_EQ(rec.text(), "");
  }
  {
    // A four-digit exponent does not fit the default form.
    tavtest::TestRecord rec(2048);
    __TAVf90_current_scale = 1001;
    EXPECT_EQ(__TAVf90_format_E(1.0e-300, 1010, 1000, -1), 103);
    EXPECT_EQ(rec.text(), "");
  }
}

TEST(FormatE, ErrorMessages) {
  auto r = tavtest::run([] {
    tavtest::TestRecord rec;
    __TAVf90_error_continue = 0;
    __TAVf90_current_scale = 6;
    __TAVf90_format_E(1.0, 12, 4, -1);
  });
  EXPECT_TRUE(r.aborted()) << r.describe();
  EXPECT_NE(r.err.find("Scale factor 6 out of range for d=4"), std::string::npos) << r.err;

  auto r2 = tavtest::run([] {
    tavtest::TestRecord rec(2048);
    __TAVf90_error_continue = 0;
    __TAVf90_current_scale = 1001;
    __TAVf90_format_E(1.0e-300, 1010, 1000, -1);
  });
  EXPECT_TRUE(r2.aborted()) << r2.describe();
  EXPECT_NE(r2.err.find("Exponent too large for Ew.d format"), std::string::npos) << r2.err;
}

TEST(FormatE, NoSeparatorDropsLeadingBlanks) {
  EXPECT_EQ(E(0.0, 24, 16, 3, {1, 0, 1}), "0.0000000000000000E+000");
  EXPECT_EQ(E(-1.0e10, 15, 7, 2, {1, 0, 1}), "-1.0000000E+10");
}

TEST(InfNaN, FixedLayout) {
  EXPECT_EQ(F(kInf, 8, 2), "  INF   ");
  EXPECT_EQ(F(kInf, 8, 2, {0, 1}), " +INF   ");
  EXPECT_EQ(F(-kInf, 8, 2), " -INF   ");
  EXPECT_EQ(F(-kInf, 4, 1), "****");
  EXPECT_EQ(F(kNaN, 6, 1), " NaN  ");
  EXPECT_EQ(F(-kNaN, 6, 1, {0, 1}), " NaN  ");  // a NaN is never signed
  EXPECT_EQ(F(kInf, 8, 2, {3}), "  INF   ");     // no scaling of an infinity
}

TEST(InfNaN, FreeWidthWritesTheTextAlone) {
  EXPECT_EQ(F(kInf, 0, 3), "INF");
  EXPECT_EQ(F(-kInf, 0, 3), "-INF");
  EXPECT_EQ(F(kInf, 0, 0, {0, 1}), "+INF");
  EXPECT_EQ(F(-kNaN, 0, 2), "NaN");
  EXPECT_EQ(F(kInf, 11, 7, {0, 0, 1}), "INF");
  EXPECT_EQ(E(-kInf, 24, 16, 3, {1, 0, 1}), "-INF");
}

TEST(InfNaN, ExponentLayout) {
  EXPECT_EQ(E(kNaN, 12, 4), "NaN" + sp(9));
  EXPECT_EQ(E(kInf, 15, 7, 2, {1}), "INF" + sp(12));
  EXPECT_EQ(E(-kInf, 24, 16, 3, {1}), "-INF" + sp(20));
  EXPECT_EQ(E(kInf, 12, 4, -1, {3}), "  INF" + sp(7));
  EXPECT_EQ(E(kInf, 14, 4, -1, {0, 1}), " +INF" + sp(9));
  EXPECT_EQ(E(kInf, 3, 0, -1, {1}), "INF");
  EXPECT_EQ(E(-kInf, 3, 0, -1, {1}), "***");
}

TEST(Stars, RunOfAsterisks) {
  {
    tavtest::TestRecord rec(1024);
    EXPECT_EQ(__TAVf90_stars(7), 0);
    EXPECT_EQ(rec.text(), "*******");
    EXPECT_EQ(__TAVf90_stars(0), 0);
    EXPECT_EQ(rec.text(), "*******");
  }
  {
    // A field longer than the record fails with the hook's status.
    tavtest::TestRecord rec(5);
    EXPECT_EQ(__TAVf90_stars(7), 100);
    EXPECT_EQ(rec.text(), "*****");
  }
  {
    tavtest::TestRecord rec(4);
    EXPECT_EQ(__TAVf90_format_F(1.5, 6, 2), 100);
  }
}

// A program that traps invalid operations, division by zero and overflow
// (x87 control word 0x1372) can still write infinities and NaNs: the
// editing raises no exception of its own.
TEST(InfNaN, NoTrapUnderTrappingControlWord) {
  auto r = tavtest::run([] {
    std::uint64_t snan_bits = 0x7FF0000000000001ull;
    double snan;
    std::memcpy(&snan, &snan_bits, sizeof snan);
    const double values[] = {kInf, -kInf, kNaN, snan};
    unsigned short cw = 0x1372;
    asm volatile("fldcw %0" : : "m"(cw));
    std::string out;
    for (double v : values) {
      tavtest::TestRecord rec;
      __TAVf90_format_F(v, 8, 2);
      __TAVf90_format_E(v, 12, 4, -1);
      __TAVf90_current_scale = 1;
      __TAVf90_format_E(v, 15, 7, 2);
      out += rec.text() + "|";
    }
    unsigned short sw = 0;
    asm volatile("fwait\n\tfnstsw %0" : "=m"(sw));
    std::printf("%s%04x\n", out.c_str(), sw & 0x3F);
  });
  EXPECT_TRUE(r.exited(0)) << r.describe();
  const std::string nan = "  NaN   NaN" + sp(9) + "NaN" + sp(12) + "|";
  EXPECT_EQ(r.out, "  INF   INF" + sp(9) + "INF" + sp(12) + "|" + " -INF   -INF" + sp(8) + "-INF" + sp(11) + "|" + nan +
                       nan + "0000\n");
}

}  // namespace
