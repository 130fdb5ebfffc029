// The by-reference family: elementary functions of REAL, DOUBLE PRECISION
// and the complex types, evaluated on the x87 in extended precision and
// rounded to DOUBLE PRECISION (and from there to REAL).
#include <cmath>
#include <cstdint>
#include <type_traits>

#include "numeric/ieee.h"
#include "numeric/words.h"
#include "numeric/x87.h"
#include "tavf90.h"

namespace tav::numeric {
namespace {

constexpr ext kSqrtHalf = 0.707106781186547524400844362104849039L;

// Rounding of an extended result: once to double, then (REAL) to single.
// Both steps on the x87, so that overflow reaches compiled code's settings.
double to_double(ext v) { return round_double(v); }
float to_real(ext v) { return x87_to_float(round_double(v)); }
template <class F>
F round_to(ext v) {
  if constexpr (std::is_same_v<F, float>)
    return to_real(v);
  else
    return to_double(v);
}

// The helpers take the argument as the entry's own type (REAL or DOUBLE
// PRECISION), not widened: an extended argument of a function that is not
// inlined goes through memory as 80 bits.
template <class F>
ext exp_ext(F x) {
  return exp2_parts(x * log2e());
}

template <class F>
ext cosh_ext(F x) {
  const ext e = exp_ext(x);
  if (e == 0) return HUGE_VALL;  // exp(x) underflowed: +Inf without a division by zero
  return (one() / e + e) * 0.5L;
}

// sinh through E = e^|x| - 1 = 2^n (2^f - 1) + (2^n - 1), the scaling by
// 2^n a product with the double 2^n while n < 1022 (exact, as fscale).
template <class F>
ext sinh_ext(F x) {
  const ext ax = std::fabs(static_cast<ext>(x));
  const ext t = ax * log2e();
  ext r;
  if (std::isless(t, 1022.0L)) {
    const ext n = round_int(t);
    const ext p = pow2(to_int32(n));
    const ext E = f2xm1(t - n) * p + (p - one());
    r = 0.5L * (E / (one() + E) + E);
  } else if (std::isinf(ax)) {
    r = ax;
  } else {
    const ext n = round_int(t);
    const ext p = scale2(one(), n);
    const ext E = scale2(f2xm1(t - n), n) + (p - one());
    r = std::isinf(E) ? E : 0.5L * (E / (one() + E) + E);
  }
  return (std::signbit(x) || x != x) ? -r : r;
}

template <class F>
F abs_complex(F x, F y);

template <>
float abs_complex(float x, float y) {
  const float a = std::fabs(x), b = std::fabs(y);
  if (a == 0) return b;
  if (b == 0) return a;
  if (!(a > b)) {
    const float q = static_cast<float>(static_cast<ext>(a / b) * (a / b));
    return static_cast<float>(b * hw_sqrt(one() + q));
  }
  const float q = static_cast<float>(static_cast<ext>(b / a) * (b / a));
  return static_cast<float>(a * hw_sqrt(q + one()));
}

template <>
double abs_complex(double x, double y) {
  return to_double(hw_sqrt(static_cast<ext>(x) * x + static_cast<ext>(y) * y));
}

template <class F>
struct Cx {
  F re, im;
};

template <class F>
Cx<F> sqrt_complex(F x, F b) {
  const F a = std::fabs(x);
  F w;
  if (a >= 1) {
    w = round_to<F>(constant(kSqrtHalf) * hw_sqrt(a + hw_sqrt(static_cast<ext>(a) * a + static_cast<ext>(b) * b)));
  } else {
    const F ha = a / 2, hb = b / 2;
    w = round_to<F>(hw_sqrt(ha + hw_sqrt(static_cast<ext>(ha) * ha + static_cast<ext>(hb) * hb)));
  }
  const F v = b != 0 ? round_to<F>(static_cast<ext>(b) / (static_cast<ext>(w) + w)) : b;
  if (x >= 0) return {w, v};
  if (v >= 0 || v != v) return {v, w};
  return {-v, -w};
}

template <class F>
Cx<F> exp_complex(F x, F y) {
  const F e = round_to<F>(exp_ext(x));
  return {round_to<F>(e * cos_ext(y)), round_to<F>(e * sin_ext(y))};
}

template <class F>
Cx<F> log_complex(F x, F y) {
  ext modulus;
  if constexpr (std::is_same_v<F, float>)
    modulus = abs_complex(x, y);
  else
    modulus = hw_sqrt(static_cast<ext>(x) * x + static_cast<ext>(y) * y);
  return {round_to<F>(yl2x(ln2(), modulus)), round_to<F>(patan(y, x))};
}

// sinh is called, not inlined: taken first, while the x87 stack is empty,
// nothing has to be saved around the call.
template <class F>
Cx<F> sin_complex(F x, F y) {
  const ext sh = sinh_ext(y), ch = cosh_ext(y);
  return {round_to<F>(sin_ext(x) * ch), round_to<F>(cos_ext(x) * sh)};
}

template <class F>
Cx<F> cos_complex(F x, F y) {
  const ext sh = sinh_ext(y), ch = cosh_ext(y);
  return {round_to<F>(cos_ext(x) * ch), round_to<F>(-sin_ext(x) * sh)};
}

ext asin_ext(ext x) { return patan(x, hw_sqrt(one() - x * x)); }
ext acos_ext(ext x) { return patan(hw_sqrt(one() - x * x), x); }

tav_complex out(Cx<float> z) { return {z.re, z.im}; }
tav_dcomplex out(Cx<double> z) { return {z.re, z.im}; }

}  // namespace
}  // namespace tav::numeric

using namespace tav::numeric;

extern "C" {

#define TAV_REAL_PAIR(name, expr)                                \
  float __TAVf90_##name##_r(const float *p) {                    \
    const float &x = *p;                                         \
    return to_real(expr);                                        \
  }                                                              \
  double __TAVf90_##name##_d(const double *p) {                  \
    const double &x = *p;                                        \
    return to_double(expr);                                      \
  }
TAV_REAL_PAIR(sqrt, hw_sqrt(x))
TAV_REAL_PAIR(exp, exp_ext(x))
TAV_REAL_PAIR(log, yl2x(ln2(), x))
TAV_REAL_PAIR(log10, yl2x(log10_2(), x))
TAV_REAL_PAIR(sin, sin_ext(x))
TAV_REAL_PAIR(cos, cos_ext(x))
TAV_REAL_PAIR(tan, tan_ext(x))
TAV_REAL_PAIR(asin, asin_ext(x))
TAV_REAL_PAIR(acos, acos_ext(x))
TAV_REAL_PAIR(atan, patan(x, one()))
TAV_REAL_PAIR(sinh, sinh_ext(x))
TAV_REAL_PAIR(cosh, cosh_ext(x))
#undef TAV_REAL_PAIR

float __TAVf90_atan2_r(const float *y, const float *x) { return to_real(patan(*y, *x)); }
double __TAVf90_atan2_d(const double *y, const double *x) { return to_double(patan(*y, *x)); }
float __TAVf90_tanh_r(const float *x) { return x87_to_float(ieee_tanh(*x)); }
double __TAVf90_tanh_d(const double *x) { return ieee_tanh(*x); }

int32_t __TAVf90_abs_i(const int32_t *i) { return *i < 0 ? static_cast<int32_t>(0u - static_cast<uint32_t>(*i)) : *i; }
int64_t __TAVf90_abs_i4(const int64_t *i) {
  return *i < 0 ? static_cast<int64_t>(uint64_t{0} - static_cast<uint64_t>(*i)) : *i;
}
float __TAVf90_abs_r(const float *x) { return std::fabs(*x); }
double __TAVf90_abs_d(const double *x) { return std::fabs(*x); }
float __TAVf90_abs_c(const tav_complex *z) { return abs_complex(z->re, z->im); }
double __TAVf90_abs_dc(const tav_dcomplex *z) { return abs_complex(z->re, z->im); }

tav_complex __TAVf90_sqrt_c(const tav_complex *z) { return out(sqrt_complex(z->re, z->im)); }
tav_dcomplex __TAVf90_sqrt_dc(const tav_dcomplex *z) { return out(sqrt_complex(z->re, z->im)); }
tav_complex __TAVf90_exp_c(const tav_complex *z) { return out(exp_complex(z->re, z->im)); }
tav_dcomplex __TAVf90_exp_dc(const tav_dcomplex *z) { return out(exp_complex(z->re, z->im)); }
tav_complex __TAVf90_log_c(const tav_complex *z) { return out(log_complex(z->re, z->im)); }
tav_dcomplex __TAVf90_log_dc(const tav_dcomplex *z) { return out(log_complex(z->re, z->im)); }
tav_complex __TAVf90_sin_c(const tav_complex *z) { return out(sin_complex(z->re, z->im)); }
tav_dcomplex __TAVf90_sin_dc(const tav_dcomplex *z) { return out(sin_complex(z->re, z->im)); }
tav_complex __TAVf90_cos_c(const tav_complex *z) { return out(cos_complex(z->re, z->im)); }
tav_dcomplex __TAVf90_cos_dc(const tav_dcomplex *z) { return out(cos_complex(z->re, z->im)); }

void __TAVf90_sqrt_c77(tav_complex *result, const tav_complex *z) { *result = __TAVf90_sqrt_c(z); }
void __TAVf90_exp_c77(tav_complex *result, const tav_complex *z) { *result = __TAVf90_exp_c(z); }
void __TAVf90_log_c77(tav_complex *result, const tav_complex *z) { *result = __TAVf90_log_c(z); }
void __TAVf90_sin_c77(tav_complex *result, const tav_complex *z) { *result = __TAVf90_sin_c(z); }
void __TAVf90_cos_c77(tav_complex *result, const tav_complex *z) { *result = __TAVf90_cos_c(z); }

}  // extern "C"
