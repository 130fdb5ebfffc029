// The by-reference family and the complex functions.  Under emulation the
// x87 transcendental operations do not give the hardware's bits, so values
// the hardware computes exactly are compared bit for bit only natively.
#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <climits>
#include <cmath>
#include <complex>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "numeric/numeric_support.h"
#include "support/child.h"
#include "support/table.h"
#include "tavf90.h"

namespace {

using numtest::same;
using numtest::ulps;

// Exact on the hardware; within one unit in the last place under emulation.
template <class F>
void expect_hw(F got, F want, const char *what) {
  if (tavtest::emulated() && std::isfinite(want) && want != 0)
    EXPECT_LE(ulps(got, want), 1) << what << ": " << got << " vs " << want;
  else
    EXPECT_TRUE(same(got, want)) << what << ": " << got << " vs " << want;
}

struct RealPair {
  float (*r)(const float *);
  double (*d)(const double *);
};
const std::map<std::string, RealPair> kFunctions = {
    {"sqrt", {__TAVf90_sqrt_r, __TAVf90_sqrt_d}},    {"exp", {__TAVf90_exp_r, __TAVf90_exp_d}},
    {"log", {__TAVf90_log_r, __TAVf90_log_d}},       {"log10", {__TAVf90_log10_r, __TAVf90_log10_d}},
    {"sin", {__TAVf90_sin_r, __TAVf90_sin_d}},       {"cos", {__TAVf90_cos_r, __TAVf90_cos_d}},
    {"tan", {__TAVf90_tan_r, __TAVf90_tan_d}},       {"asin", {__TAVf90_asin_r, __TAVf90_asin_d}},
    {"acos", {__TAVf90_acos_r, __TAVf90_acos_d}},    {"atan", {__TAVf90_atan_r, __TAVf90_atan_d}},
    {"sinh", {__TAVf90_sinh_r, __TAVf90_sinh_d}},    {"cosh", {__TAVf90_cosh_r, __TAVf90_cosh_d}},
    {"tanh", {__TAVf90_tanh_r, __TAVf90_tanh_d}},
};

double from_hex64(const std::string &s) { return std::bit_cast<double>(std::stoull(s, nullptr, 16)); }
float from_hex32(const std::string &s) {
  return std::bit_cast<float>(static_cast<uint32_t>(std::stoul(s, nullptr, 16)));
}

// Every function within one ulp of the correctly rounded value (computed
// at 200 bits by golden/byref.py), in both precisions.
TEST(ByReference, WithinOneUlpOfTheExactValue) {
  std::ifstream in(TAV_SOURCE_DIR "/tests/numeric/golden/byref.tsv");
  ASSERT_TRUE(in);
  std::string line;
  int rows = 0;
  while (std::getline(in, line)) {
    std::istringstream f(line);
    std::string name, xs, ys, ds, ss;
    f >> name >> xs >> ys >> ds >> ss;
    const double x = from_hex64(xs), want_d = from_hex64(ds);
    const float xf = static_cast<float>(x), want_r = from_hex32(ss);
    double got_d;
    float got_r;
    if (name == "atan2") {
      const double y = from_hex64(ys);
      const float yf = static_cast<float>(y);
      got_d = __TAVf90_atan2_d(&x, &y);
      got_r = __TAVf90_atan2_r(&xf, &yf);
    } else {
      const RealPair &p = kFunctions.at(name);
      got_d = p.d(&x);
      got_r = p.r(&xf);
    }
    EXPECT_LE(ulps(got_d, want_d), 1) << name << "(" << x << ") = " << got_d << ", want " << want_d;
    EXPECT_LE(ulps(got_r, want_r), 1) << name << "(" << xf << ") = " << got_r << ", want " << want_r;
    ++rows;
  }
  EXPECT_GE(rows, 2000);
}

TEST(ByReference, ExactValuesAndSpecialArguments) {
  for (const auto &c : tavtest::table("numeric/data/byref_exact.tsv", 3)) {
    double x = std::strtod(c[1].c_str(), nullptr);
    expect_hw(kFunctions.at(c[0]).d(&x), std::strtod(c[2].c_str(), nullptr), c[0].c_str());
  }
  double y = 0, x = -1;
  expect_hw(__TAVf90_atan2_d(&y, &x), M_PI, "atan2");
  float yr = -0.0f, xr = -1;
  expect_hw(__TAVf90_atan2_r(&yr, &xr), -float(M_PI), "atan2_r");
  for (double v : {0.5, 3.0, 30.0}) {
    double m = -v;
    EXPECT_EQ(__TAVf90_sinh_d(&m), -__TAVf90_sinh_d(&v)) << v;
  }
  int32_t imin = INT_MIN, i5 = -5;
  int64_t lmin = INT64_MIN;
  float fm0 = -0.0f;
  double dm = -2.5;
  EXPECT_EQ(__TAVf90_abs_i(&imin) + __TAVf90_abs_i(&i5), INT_MIN + 5);
  EXPECT_EQ(__TAVf90_abs_i4(&lmin), INT64_MIN);
  EXPECT_TRUE(same(__TAVf90_abs_r(&fm0), 0.0f) && __TAVf90_abs_d(&dm) == 2.5);
}

// NaN in, NaN out; an infinity gives the same special value in both
// precisions (a NaN, an infinity, a zero or a limit such as pi/2).
TEST(ByReference, NaNAndInfiniteArguments) {
  for (auto &[name, p] : kFunctions) {
    double dn = NAN;
    float fn = NAN;
    EXPECT_TRUE(std::isnan(p.d(&dn))) << name;
    EXPECT_TRUE(std::isnan(p.r(&fn))) << name;
    for (double x : {double(INFINITY), -double(INFINITY)}) {
      float xf = static_cast<float>(x);
      EXPECT_TRUE(same(p.r(&xf), static_cast<float>(p.d(&x)))) << name << "(" << x << ")";
    }
  }
}

// Beyond 2^63 the hardware would return the argument itself; the software
// reduction gives the IEEE family's value instead.
TEST(ByReference, HugeTrigonometricArgumentsAreReduced) {
  for (double x : {1.0e22, -0x1p63, 0x1p64, 1.0e300, -DBL_MAX}) {
    EXPECT_TRUE(same(__TAVf90_sin_d(&x), __TAVf90_sin(x))) << x;
    EXPECT_TRUE(same(__TAVf90_cos_d(&x), __TAVf90_cos(x))) << x;
    EXPECT_TRUE(same(__TAVf90_tan_d(&x), __TAVf90_tan(x))) << x;
  }
  float fb = 1e20f;
  EXPECT_EQ(__TAVf90_cos_r(&fb), static_cast<float>(__TAVf90_cos(1e20f)));
}

// ABS and SQRT on the axes and branch cut; EXP, LOG, SIN, COS and SQRT
// against long double complex arithmetic; the Fortran 77 entries agree.
TEST(ByReference, ComplexFunctions) {
  struct { float re, im, abs; } a[] = {{0, -3, 3}, {-4, 3, 5}, {0, 0, 0}, {1e30f, 1e30f, 1.41421356e30f},
                                       {INFINITY, 1, INFINITY}};
  for (auto c : a) {
    tav_complex z{c.re, c.im};
    expect_hw(__TAVf90_abs_c(&z), c.abs, "abs_c");
  }
  tav_dcomplex w{3, 4}, m4{-4, 0};
  expect_hw(__TAVf90_abs_dc(&w), 5.0, "abs_dc");
  expect_hw(__TAVf90_sqrt_dc(&m4).im, 2.0, "sqrt_dc im");
  struct { float re, im, wre, wim; } s[] = {{-4, 0, 0, 2}, {-4, -0.0f, -0.0f, 2}, {0, 2, 1, 1}, {0.25f, 0, 0.5f, 0}};
  for (auto c : s) {
    tav_complex z{c.re, c.im}, r = __TAVf90_sqrt_c(&z), r77{};
    expect_hw(r.re, c.wre, "sqrt_c re");
    expect_hw(r.im, c.wim, "sqrt_c im");
    __TAVf90_sqrt_c77(&r77, &z);
    EXPECT_TRUE(same(r77.re, r.re) && same(r77.im, r.im));
  }
  using C = std::complex<long double>;
  for (auto [re, im] : {std::pair{1.0, 2.0}, {-0.5, 0.25}, {3.0, -1.5}, {0.1, 7.0}, {-4.0, -0.5}}) {
    const C z(re, im);
    struct { tav_dcomplex (*f)(const tav_dcomplex *); tav_complex (*g)(const tav_complex *);
             void (*g77)(tav_complex *, const tav_complex *); C want; } cases[] = {
        {__TAVf90_exp_dc, __TAVf90_exp_c, __TAVf90_exp_c77, std::exp(z)},
        {__TAVf90_log_dc, __TAVf90_log_c, __TAVf90_log_c77, std::log(z)},
        {__TAVf90_sin_dc, __TAVf90_sin_c, __TAVf90_sin_c77, std::sin(z)},
        {__TAVf90_cos_dc, __TAVf90_cos_c, __TAVf90_cos_c77, std::cos(z)},
        {__TAVf90_sqrt_dc, __TAVf90_sqrt_c, __TAVf90_sqrt_c77, std::sqrt(z)},
    };
    for (auto &c : cases) {
      tav_dcomplex in{re, im}, got = c.f(&in);
      tav_complex fin{float(re), float(im)}, g = c.g(&fin), g77{};
      const double scale = double(std::abs(c.want));
      EXPECT_NEAR(got.re, double(c.want.real()), 4e-16 * scale) << re << "," << im;
      EXPECT_NEAR(got.im, double(c.want.imag()), 4e-16 * scale) << re << "," << im;
      EXPECT_NEAR(g.re, double(c.want.real()), 3e-7 * scale) << re << "," << im;
      EXPECT_NEAR(g.im, double(c.want.imag()), 3e-7 * scale) << re << "," << im;
      c.g77(&g77, &fin);
      EXPECT_TRUE(same(g77.re, g.re) && same(g77.im, g.im));
    }
  }
}

#if defined(__i386__) || defined(__x86_64__)
TEST(ByReference, OverflowReachesTheX87) {
  float hundred = 100;
  numtest::clear_x87_flags();
  EXPECT_EQ(__TAVf90_exp_r(&hundred), INFINITY);
  EXPECT_TRUE(numtest::x87_flags() & numtest::kOverflow);
  double minus = -20000;
  numtest::clear_x87_flags();
  EXPECT_EQ(__TAVf90_cosh_d(&minus), INFINITY);
  EXPECT_FALSE(numtest::x87_flags() & numtest::kDivByZero);
  numtest::clear_x87_flags();
}

#endif

}  // namespace
