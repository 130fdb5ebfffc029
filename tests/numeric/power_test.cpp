// Powers and complex division with inexact results (the exact ones are rows
// of cases.tsv).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "numeric/numeric_support.h"
#include "tavf90.h"

namespace {

TEST(Power, InexactRealPowers) {
  EXPECT_LE(numtest::ulps(__TAVf90_rpowr(2, 0.5f), std::sqrt(2.0f)), 1);
  EXPECT_LE(numtest::ulps(__TAVf90_ipowr(10, 0.25f), 1.7782794f), 1);
  EXPECT_EQ(__TAVf90_ipowd(2, 0.5), __TAVf90_pow(2, 0.5));
  EXPECT_EQ(__TAVf90_i4powd(int64_t{1} << 53, 0.5), 0x1p26 * 1.4142135623730951);
}

TEST(Power, ComplexPowers) {
  // (-1) ** 0.5 = i; 2 ** 10 = 1024; i ** i = exp(-pi/2).
  tav_dcomplex w = __TAVf90_dcpowdc(-1, 0, 0.5, 0);
  EXPECT_NEAR(w.re, 0, 1e-15);
  EXPECT_DOUBLE_EQ(w.im, 1);
  w = __TAVf90_dcpowdc(2, 0, 10, 0);
  EXPECT_DOUBLE_EQ(w.re, 1024);
  EXPECT_EQ(w.im, 0);
  tav_complex z = __TAVf90_cpowc(0, 1, 0, 1);
  EXPECT_FLOAT_EQ(z.re, 0.20787957f);
  EXPECT_EQ(z.im, 0);
}

TEST(Power, ComplexDivisionBothBranches) {
  struct { double a, b, c, d, re, im; } dd[] = {
      {3, 4, 1, 2, 2.2, -0.4},  // |d| > |c|
      {3, 4, 2, 1, 2, 1},       // |d| < |c|
      {1, 0, 0, 1e-300, 0, -1e300},
      {1e300, 1e300, 1e300, 1e300, 1, 0},  // no overflow in the scaled form
  };
  for (auto k : dd) {
    tav_dcomplex w = __TAVf90_dcdivdc(k.a, k.b, k.c, k.d);
    EXPECT_DOUBLE_EQ(w.re, k.re) << k.c << "," << k.d;
    EXPECT_DOUBLE_EQ(w.im, k.im) << k.c << "," << k.d;
  }
  EXPECT_TRUE(std::isnan(__TAVf90_cdivc(1, 0, 0, 0).re));
}

#if defined(__i386__) || defined(__x86_64__)
// The exceptions these operations raise are visible in the x87 status word
// that compiled code and the end-of-program report read.
TEST(Power, ExceptionsReachTheX87) {
  numtest::clear_x87_flags();
  volatile float f = __TAVf90_fpowi(0.0f, 0);
  EXPECT_TRUE(numtest::x87_flags() & numtest::kInvalid);
  numtest::clear_x87_flags();
  f = __TAVf90_dpowi(0.0, -1);
  EXPECT_TRUE(numtest::x87_flags() & numtest::kDivByZero);
  numtest::clear_x87_flags();
  f = __TAVf90_fpowi(10.0f, 39);
  EXPECT_TRUE(numtest::x87_flags() & numtest::kOverflow);
  numtest::clear_x87_flags();
  f = __TAVf90_rpowr(1.0f, 1e30f);
  EXPECT_EQ(f, 1.0f);
  f = __TAVf90_rpowr(2.0f, NAN);
  EXPECT_FALSE(numtest::x87_flags() & numtest::kInvalid);
  numtest::clear_x87_flags();
}
#endif

}  // namespace
