// The by-reference family and the complex functions.  Under emulation the
// x87 transcendental operations do not give the hardware's bits, so values
// the hardware computes exactly are compared bit for bit only natively.
#include "support/common.h"
#include "numeric/numeric_support.h"

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
#define PAIR(f) {#f, {__TAVf90_##f##_r, __TAVf90_##f##_d}}
const std::map<std::string, RealPair> kFunctions = {
    PAIR(sqrt), PAIR(exp), PAIR(log), PAIR(log10), PAIR(sin), PAIR(cos), PAIR(tan),
    PAIR(asin), PAIR(acos), PAIR(atan), PAIR(sinh), PAIR(cosh), PAIR(tanh),
};

double from_hex64(const std::string &s) { return std::bit_cast<double>(std::stoull(s, nullptr, 16)); }
float from_hex32(const std::string &s) {
  return std::bit_cast<float>(static_cast<uint32_t>(std::stoul(s, nullptr, 16)));
}

// Every function within one ulp of the correctly rounded value (computed
// at 200 bits by golden/byref.py), in both precisions.
TEST(ByReference, WithinOneUlpOfTheExactValue) {
  const auto rows = tavtest::table("numeric/golden/byref.tsv", 5);
  for (const auto &r : rows) {
    const double x = from_hex64(r[1]), y = r[2] == "-" ? 0 : from_hex64(r[2]), want_d = from_hex64(r[3]);
    const float xf = static_cast<float>(x), yf = static_cast<float>(y), want_r = from_hex32(r[4]);
    const bool binary = r[0] == "atan2";
    const double got_d = binary ? __TAVf90_atan2_d(&x, &y) : kFunctions.at(r[0]).d(&x);
    const float got_r = binary ? __TAVf90_atan2_r(&xf, &yf) : kFunctions.at(r[0]).r(&xf);
    EXPECT_LE(ulps(got_d, want_d), 1) << r[0] << "(" << x << ") = " << got_d << ", want " << want_d;
    EXPECT_LE(ulps(got_r, want_r), 1) << r[0] << "(" << xf << ") = " << got_r << ", want " << want_r;
  }
  EXPECT_GE(rows.size(), 2000u);
}

// Exact results and special arguments (data/byref_exact.tsv) in both
// precisions; atan2 takes the sign of a zero y.
TEST(ByReference, ExactValuesAndSpecialArguments) {
  for (const auto &c : tavtest::table("numeric/data/byref_exact.tsv", 3)) {
    double x = std::strtod(c[1].c_str(), nullptr), want = std::strtod(c[2].c_str(), nullptr);
    float xf = static_cast<float>(x);
    expect_hw(kFunctions.at(c[0]).d(&x), want, c[0].c_str());
    expect_hw(kFunctions.at(c[0]).r(&xf), static_cast<float>(want), (c[0] + "_r").c_str());
  }
  double y = 0, x = -1;
  expect_hw(__TAVf90_atan2_d(&y, &x), M_PI, "atan2");
  float yr = -0.0f, xr = -1;
  expect_hw(__TAVf90_atan2_r(&yr, &xr), -float(M_PI), "atan2_r");
}

// Around |x| log2(e) = 1022, where the scaling by 2^n moves from a product
// with a double power of two to the x87's own scaling (subnormal and
// near-overflow results): within one ulp of the C library's values.
TEST(ByReference, ExpAtTheEndsOfTheExponentRange) {
  for (double x : {-745.0, -740.0, -709.0, -708.3, 708.3, 709.0, 709.7}) {
    EXPECT_LE(ulps(__TAVf90_exp_d(&x), std::exp(x)), 1) << x;
    EXPECT_LE(ulps(__TAVf90_sinh_d(&x), std::sinh(x)), 1) << x;
    EXPECT_LE(ulps(__TAVf90_cosh_d(&x), std::cosh(x)), 1) << x;
  }
}

struct ComplexPair {
  tav_dcomplex (*dc)(const tav_dcomplex *);
  tav_complex (*c)(const tav_complex *);
  void (*c77)(tav_complex *, const tav_complex *);
};
#define FORMS(f) {#f, {__TAVf90_##f##_dc, __TAVf90_##f##_c, __TAVf90_##f##_c77}}
const std::map<std::string, ComplexPair> kComplex = {
    FORMS(exp), FORMS(log), FORMS(sin), FORMS(cos), FORMS(sqrt),
};

// A zero or an infinity bit for bit, a NaN as any NaN, anything else within
// `tol` times the result's modulus.
bool near(double got, double want, double tol, double modulus) {
  if (want == 0 || std::isinf(want) || want != want) return same(got, want);
  return std::fabs(got - want) <= tol * modulus;
}

// The complex functions in both precisions (and the Fortran 77 entries,
// which agree): the exact cases of data/complex.tsv (axes and branch cut),
// then golden/complex.tsv (golden/complex.py, correctly rounded).
TEST(ByReference, ComplexFunctions) {
  for (const char *t : {"numeric/data/complex.tsv", "numeric/golden/complex.tsv"}) {
    for (const auto &r : tavtest::table(t, 5)) {
      double v[4];
      for (int k = 0; k < 4; ++k) v[k] = std::strtod(r[k + 1].c_str(), nullptr);
      const tav_dcomplex w{v[0], v[1]};
      const tav_complex z{float(v[0]), float(v[1])};
      tav_dcomplex dc{__TAVf90_abs_dc(&w), 0};
      tav_complex c{__TAVf90_abs_c(&z), 0}, c77 = c;
      if (r[0] != "abs") {
        const ComplexPair &p = kComplex.at(r[0]);
        dc = p.dc(&w);
        c = p.c(&z);
        p.c77(&c77, &z);
      }
      const double m = std::hypot(v[2], v[3]);
      const std::string what = t + (": " + r[0]) + "(" + r[1] + ", " + r[2] + "): ";
      EXPECT_TRUE(near(dc.re, v[2], 4e-16, m) && near(dc.im, v[3], 4e-16, m)) << what << dc.re << ", " << dc.im;
      EXPECT_TRUE(near(c.re, v[2], 3e-7, m) && near(c.im, v[3], 3e-7, m)) << what << c.re << ", " << c.im;
      EXPECT_TRUE(same(c77.re, c.re) && same(c77.im, c.im)) << what;
    }
  }
}

}  // namespace
