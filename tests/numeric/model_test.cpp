// Kind selection, the real model, rounding and integer intrinsics.
#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdint>
#include <limits>

#include "numeric/numeric_support.h"
#include "tavf90.h"

namespace {

using numtest::expect_fatal;
using numtest::same;
constexpr float fInf = INFINITY;
constexpr float fDen = FLT_TRUE_MIN;

TEST(Model, KindSelection) {
  struct { int p, r, k, kb; } real[] = {
      {6, 37, 1, 4}, {7, 37, 2, 8}, {6, 38, 2, 8}, {15, 307, 2, 8}, {16, 10, -1, -1}, {10, 400, -2, -2},
      {20, 400, -3, -3}, {-5, -5, 1, 4},
  };
  for (auto c : real) {
    EXPECT_EQ(__TAVf90_rselect(c.p, c.r), c.k) << c.p << "," << c.r;
    EXPECT_EQ(__TAVf90_ieee_rselect(c.p, c.r), c.k);
    EXPECT_EQ(__TAVf90_rselectb(c.p, c.r), c.kb);
    EXPECT_EQ(__TAVf90_ieee_rselectb(c.p, c.r), c.kb);
  }
  struct { int r, k, kb; } ints[] = {{2, 1, 1}, {3, 2, 2}, {4, 2, 2}, {9, 3, 4}, {10, 4, 8}, {18, 4, 8}, {19, -1, -1}};
  for (auto c : ints) {
    EXPECT_EQ(__TAVf90_iselect(c.r), c.k) << c.r;
    EXPECT_EQ(__TAVf90_iselectb(c.r), c.kb) << c.r;
  }
}

TEST(Model, ExponentSpacingRrspacing) {
  struct { float x; int e; float sp, rr; } r[] = {
      {1, 1, 0x1p-23f, 0x1p23f},          {0, 0, 0x1p-126f, 0},       {3, 2, 0x1p-22f, 12582912.0f},
      {fDen, -148, 0x1p-126f, 0x1p23f},   {FLT_MIN, -125, 0x1p-149f, 0x1p23f},
      {-0.75f, 0, 0x1p-24f, 12582912.0f}, {fInf, INT_MAX, fInf, fInf},
  };
  for (auto c : r) {
    EXPECT_EQ(__TAVf90_exponent_r(&c.x), c.e) << c.x;
    EXPECT_TRUE(same(__TAVf90_spacing_r(&c.x), c.sp)) << c.x;
    EXPECT_TRUE(same(__TAVf90_rrspacing_r(&c.x), c.rr)) << c.x;
  }
  float nan = NAN;
  EXPECT_EQ(__TAVf90_exponent_r(&nan), INT_MAX);
  EXPECT_TRUE(std::isnan(__TAVf90_spacing_r(&nan)));
  struct { double x; int e; double sp, rr; } d[] = {
      {0, 0, 0x1p-1022, 0}, {DBL_TRUE_MIN, -1073, 0x1p-1022, 0x1p52}, {DBL_MIN, -1021, 0x1p-1074, 0x1p52},
      {0x1p-1060, -1059, 0x1p-1022, 0x1p52}, {-HUGE_VAL, INT_MAX, HUGE_VAL, HUGE_VAL},
  };
  for (auto c : d) {
    EXPECT_EQ(__TAVf90_exponent_d(&c.x), c.e) << c.x;
    EXPECT_TRUE(same(__TAVf90_spacing_d(&c.x), c.sp)) << c.x;
    EXPECT_TRUE(same(__TAVf90_rrspacing_d(&c.x), c.rr)) << c.x;
  }
}

TEST(Model, NearestScaleSetExponent) {
  struct { float x; double s; float want; } n[] = {
      {0, -1, -fDen}, {0, 2, fDen}, {1, 1, 1 + 0x1p-23f}, {1, -1, 1 - 0x1p-24f}, {-1, 1, -(1 - 0x1p-24f)},
      {FLT_MAX, 1, fInf}, {-FLT_MAX, -1, -fInf}, {fInf, 1, fInf}, {fInf, -1, FLT_MAX}, {-fDen, 1, -0.0f},
      {NAN, 1, NAN}, {1, -1e-300, 1 - 0x1p-24f},
  };
  for (auto c : n) EXPECT_TRUE(same(__TAVf90_nearest_r(c.x, c.s), c.want)) << c.x << " " << c.s;
  EXPECT_EQ(__TAVf90_nearest_d(1.0, 5), 1 + 0x1p-52);
  EXPECT_EQ(__TAVf90_nearest_d(-DBL_MAX, -1), -HUGE_VAL);
  expect_fatal([] { __TAVf90_nearest_r(1.0f, 0.0); }, "Argument S to NEAREST is zero");

  struct { float x; int i; float want; } s[] = {
      {1, 3, 8}, {1, -149, fDen}, {1, -150, 0}, {1.5f, -149, 2 * fDen}, {3, 200, fInf}, {-3, 200, -fInf},
      {0, 5, 0}, {-0.0f, 5, -0.0f}, {fInf, -3, fInf}, {fDen, 149, 1}, {1, INT_MIN, 0},
  };
  for (auto c : s) EXPECT_TRUE(same(__TAVf90_scale_r(c.x, c.i), c.want)) << c.x << " " << c.i;
  EXPECT_EQ(__TAVf90_scale_d(1, 1023), 0x1p1023);
  EXPECT_EQ(__TAVf90_scale_d(1, 1024), HUGE_VAL);
  EXPECT_EQ(__TAVf90_scale_d(DBL_TRUE_MIN, 1074), 1.0);

  EXPECT_EQ(__TAVf90_setexp_r(8, 1), 1.0f);
  EXPECT_EQ(__TAVf90_setexp_r(-3, 0), -0.75f);
  EXPECT_EQ(__TAVf90_setexp_r(0, 5), 0.0f);
  EXPECT_EQ(__TAVf90_setexp_d(1, -1073), DBL_TRUE_MIN);
  EXPECT_EQ(__TAVf90_setexp_d(fDen, 3), 4.0);
}

TEST(Model, Rounding) {
  struct { double x, aint, anint; int32_t nint; } d[] = {
      {2.5, 2, 3, 3}, {-2.5, -2, -3, -3}, {-1.7, -1, -2, -2}, {0.49999999999999994, 0, 0, 0},
      {-0.49999999999999994, -0.0, -0.0, 0}, {4503599627370497.0, 4503599627370497.0, 4503599627370497.0, INT_MIN},
      {-0.4, -0.0, -0.0, 0}, {2147483647.4, 2147483647, 2147483647, INT_MAX}, {1e10, 1e10, 1e10, INT_MIN},
      {-2147483648.5, -2147483648.0, -2147483649.0, INT_MIN}, {NAN, NAN, NAN, INT_MIN},
  };
  for (auto c : d) {
    EXPECT_TRUE(same(__TAVf90_aint_d(&c.x), c.aint)) << c.x;
    EXPECT_TRUE(same(__TAVf90_anint_d(&c.x), c.anint)) << c.x;
    EXPECT_EQ(__TAVf90_nint_d_i(&c.x), c.nint) << c.x;
  }
  struct { float x, aint, anint; int32_t nint; } r[] = {
      {0.49999997f, 0, 0, 0}, {-0.5f, -0.0f, -1, -1}, {8388609.0f, 8388609.0f, 8388609.0f, 8388609}, {3e9f, 3e9f, 3e9f, INT_MIN},
  };
  for (auto c : r) {
    EXPECT_TRUE(same(__TAVf90_aint_r(&c.x), c.aint)) << c.x;
    EXPECT_TRUE(same(__TAVf90_anint_r(&c.x), c.anint)) << c.x;
    EXPECT_EQ(__TAVf90_nint_r_i(&c.x), c.nint) << c.x;
  }
}

TEST(Model, ModAndModulo) {
  struct { int32_t a, p, mod, modulo; } i[] = {
      {-7, 3, -1, 2}, {7, -3, 1, -2}, {-7, -3, -1, -1}, {6, 3, 0, 0}, {INT_MIN, -1, 0, 0}, {INT_MIN, 3, -2, 1},
  };
  for (auto c : i) {
    EXPECT_EQ(__TAVf90_mod_i(&c.a, &c.p), c.mod) << c.a << "," << c.p;
    EXPECT_EQ(__TAVf90_modulo_i(&c.a, &c.p), c.modulo) << c.a << "," << c.p;
  }
  struct { int64_t a, p, mod, modulo; } l[] = {
      {(int64_t{1} << 62) + 1, 3, 2, 2}, {INT64_MIN, -1, 0, 0}, {-(int64_t{1} << 62) - 1, 3, -2, 1},
      {INT64_MAX, INT64_MIN, INT64_MAX, -1},
  };
  for (auto c : l) {
    EXPECT_EQ(__TAVf90_mod_i4(&c.a, &c.p), c.mod) << c.a;
    EXPECT_EQ(__TAVf90_modulo_i4(&c.a, &c.p), c.modulo) << c.a;
  }
  int8_t a1 = -128, p1 = -1, b1 = -7, q1 = 3;
  EXPECT_EQ(__TAVf90_modulo_i1(&a1, &p1), 0);
  EXPECT_EQ(__TAVf90_modulo_i1(&b1, &q1), 2);
  int16_t a2 = 7, p2 = -3;
  EXPECT_EQ(__TAVf90_modulo_i2(&a2, &p2), -2);

  struct { float a, p, mod, modulo; } r[] = {{-7.5f, 2, -1.5f, 0.5f}, {7.5f, -2, 1.5f, -0.5f}, {-4, 2, -0.0f, 0}};
  for (auto c : r) {
    EXPECT_TRUE(same(__TAVf90_mod_r(&c.a, &c.p), c.mod)) << c.a;
    EXPECT_TRUE(same(__TAVf90_modulo_r(&c.a, &c.p), c.modulo)) << c.a;
  }
  // The partial-remainder loop ends for every operand, the widest exponent
  // gap and NaN and infinite ones included.
  struct { double a, p, want; } m[] = {{5, 0, NAN}, {NAN, 2, NAN}, {HUGE_VAL, 2, NAN}, {2, HUGE_VAL, 2},
                                       {1e308, 1e-308, std::fmod(1e308, 1e-308)}, {-DBL_MAX, DBL_TRUE_MIN, -0.0}};
  for (auto c : m) EXPECT_TRUE(same(__TAVf90_mod_d(&c.a, &c.p), c.want)) << c.a << " " << c.p;

  expect_fatal([] { int32_t a = 7, p = 0; __TAVf90_mod_i(&a, &p); }, "P argument to MOD is integer zero");
  expect_fatal([] { int64_t a = 7, p = 0; __TAVf90_mod_i4(&a, &p); }, "P argument to MOD is integer zero");
  expect_fatal([] { int32_t a = 7, p = 0; __TAVf90_modulo_i(&a, &p); }, "P argument to MODULO is zero");
  expect_fatal([] { int8_t a = 7, p = 0; __TAVf90_modulo_i1(&a, &p); }, "P argument to MODULO is zero");
  expect_fatal([] { double a = 7, p = 0; __TAVf90_modulo_d(&a, &p); }, "P argument to MODULO is real zero");
}

TEST(Model, SignDimDprodAimagConjg) {
  float f3 = 3, fm0 = -0.0f, f5 = 5, fn = NAN;
  EXPECT_EQ(__TAVf90_sign_r(&f3, &fm0), -3.0f);
  EXPECT_EQ(__TAVf90_dim_r(&f5, &f3), 2.0f);
  EXPECT_EQ(__TAVf90_dim_r(&f3, &f5), 0.0f);
  EXPECT_EQ(__TAVf90_dim_r(&fn, &f3), 0.0f);
  struct { int32_t a, b, sign, dim; } i[] = {{3, 0, 3, 3}, {-3, 0, 3, 0}, {3, -1, -3, 4}, {INT_MIN, 1, INT_MIN, 0},
                                             {INT_MAX, -1, -INT_MAX, INT_MIN}};
  for (auto c : i) {
    EXPECT_EQ(__TAVf90_sign_i(&c.a, &c.b), c.sign) << c.a << "," << c.b;
    EXPECT_EQ(__TAVf90_dim_i(&c.a, &c.b), c.dim) << c.a << "," << c.b;
  }
  int64_t l3 = 3, lm = -1;
  EXPECT_EQ(__TAVf90_sign_i4(&l3, &lm), -3);
  EXPECT_EQ(__TAVf90_dim_i4(&l3, &lm), 4);
  double d2 = 2, dm = -0.0;
  EXPECT_EQ(__TAVf90_sign_d(&d2, &dm), -2.0);
  EXPECT_EQ(__TAVf90_dim_d(&d2, &dm), 2.0);
  float x = 0.1f;
  EXPECT_EQ(__TAVf90_dprod(&x, &x), double(x) * double(x));
  EXPECT_NE(__TAVf90_dprod(&x, &x), double(x * x));
  EXPECT_EQ(__TAVf90_dprod_r8(x, 3.0f), double(x) * 3.0);
  tav_complex z{1, 2};
  tav_dcomplex w{3, -4};
  EXPECT_EQ(__TAVf90_aimag_r(&z), 2.0f);
  EXPECT_EQ(__TAVf90_aimag_d(&w), -4.0);
  EXPECT_EQ(numtest::cx(__TAVf90_conjg_r(&z)), std::complex<float>(1, -2));
  EXPECT_EQ(numtest::cx(__TAVf90_conjg_d(&w)), std::complex<double>(3, 4));
}

TEST(Model, MaxMinOfNValues) {
  EXPECT_EQ(__TAVf90_max_i(4, 3, -9, 12, 5), 12);
  EXPECT_EQ(__TAVf90_min_i(4, 3, -9, 12, 5), -9);
  EXPECT_EQ(__TAVf90_max_i1(3, -100, -3, -50), -3);
  EXPECT_EQ(__TAVf90_min_i2(2, 30000, -30000), -30000);
  EXPECT_EQ(__TAVf90_max_i4(3, int64_t{1} << 40, INT64_MIN, int64_t{5}), int64_t{1} << 40);
  EXPECT_EQ(__TAVf90_min_i4(2, int64_t{1} << 40, INT64_MIN), INT64_MIN);
  // A NaN never replaces the running value, and a first NaN stays.
  EXPECT_EQ(__TAVf90_max_r(3, 1.0, double(NAN), 2.0), 2.0f);
  EXPECT_TRUE(std::isnan(__TAVf90_min_r(2, double(NAN), -5.0)));
  EXPECT_EQ(__TAVf90_min_d(3, 0.5, -1e300, 7.0), -1e300);
  EXPECT_TRUE(same(__TAVf90_max_d(2, 0.0, -0.0), 0.0));
  EXPECT_TRUE(same(__TAVf90_max_d(2, -0.0, 0.0), -0.0));
  EXPECT_EQ(__TAVf90_max1(2, 2.7, -3.5), 2);
  EXPECT_EQ(__TAVf90_min1(2, 2.7, -3.5), -3);
  EXPECT_EQ(__TAVf90_amax0(3, 1, 7, 3), 7.0f);
  EXPECT_EQ(__TAVf90_amin0(2, 16777217, 20000000), 16777216.0f);
}

TEST(Model, IshftcAndBitCounts) {
  struct { int32_t i, shift, size, bits, want; } c[] = {
      {1, -1, 3, 32, 4},        {6, 1, 3, 32, 5},   {0xF6, 1, 3, 32, 0xF5}, {int32_t(0x80000001), 1, 32, 32, 3},
      {int32_t(0x80000001), -1, 32, 32, int32_t(0xC0000000)}, {0x80, 1, 8, 8, 1}, {0x40, 1, 8, 8, -128},
      {0x1234, 0, 16, 32, 0x1234}, {0x1234, 16, 16, 32, 0x1234}, {0x1234, -4, 16, 32, 0x4123},
  };
  for (auto k : c) EXPECT_EQ(__TAVf90_ishftc(k.i, k.shift, k.size, k.bits), k.want) << k.i << "," << k.shift;
  EXPECT_EQ(__TAVf90_ishftc_i4(1, 63, 64, 64), INT64_MIN);
  EXPECT_EQ(__TAVf90_ishftc_i4(1, -1, 64, 64), INT64_MIN);
  EXPECT_EQ(__TAVf90_ishftc_i4(int64_t{1} << 35 | int64_t{1} << 40, 1, 36, 64), int64_t{1} << 40 | 1);
  expect_fatal([] { __TAVf90_ishftc(7, 4, 3, 32); }, "SHIFT argument (4) to ISHFTC intrinsic out of range");
  expect_fatal([] { __TAVf90_ishftc(7, 0, 0, 32); }, "SIZE argument (0) to ISHFTC intrinsic out of range");
  expect_fatal([] { __TAVf90_ishftc(7, 0, 33, 32); }, "SIZE argument (33) to ISHFTC intrinsic out of range");
  expect_fatal([] { __TAVf90_ishftc_i4(7, -70, 64, 64); }, "SHIFT argument (-70) to ISHFTC intrinsic out of range");
  for (int b = 0; b < 256; ++b) EXPECT_EQ(__TAVf90_popcnt_table[b], std::popcount(unsigned(b))) << b;
}

}  // namespace
