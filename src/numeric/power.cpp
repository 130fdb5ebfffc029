// The ** operator where compiled code does not expand it, and complex
// division.
#include <cmath>
#include <cstdint>
#include <limits>
#include <type_traits>

#include "numeric/ieee.h"
#include "numeric/words.h"
#include "numeric/x87.h"
#include "runtime/fatal.h"
#include "tavf90.h"

namespace tav::numeric {
namespace {

// ---- integer ** integer, wrapping in the operand width ---------------------

template <class I>
I int_power(I base, I n) {
  using U = std::make_unsigned_t<I>;
  if (n < 0) {
    if (base == 0) rt::crash("Integer zero raised to a negative power");
    if (base == 1) return 1;
    if (base == -1) return (n & 1) ? -1 : 1;
    return 0;
  }
  if (n == 0) {
    if (base == 0) rt::crash("Integer zero raised to zeroth power");
    return 1;
  }
  U result = 1, b = static_cast<U>(base);
  for (U e = static_cast<U>(n); e != 0; e >>= 1) {
    if (e & 1) result *= b;
    b *= b;
  }
  return static_cast<I>(result);
}

// Magnitude of an exponent as unsigned, valid for the most negative value.
template <class I>
std::make_unsigned_t<I> magnitude(I n) {
  using U = std::make_unsigned_t<I>;
  return n < 0 ? U(0) - static_cast<U>(n) : static_cast<U>(n);
}

// An overflow that SSE arithmetic produced silently is raised again on the
// x87, where compiled code's settings apply.
template <class F>
F report_overflow(F result, F base) {
  if (std::isinf(result) && std::isfinite(base))
    return static_cast<F>(x87_mul(std::copysign(std::numeric_limits<double>::max(), static_cast<double>(result)), 2.0));
  return result;
}

// ---- real ** integer ----------------------------------------------------------

template <class F, class I>
F real_int_power(F base, I n) {
  if (base == 0 && n <= 0) {
    if (n == 0) return static_cast<F>(x87_div(0.0, 0.0));
    // The sign of a zero base survives odd powers: (-0.0) ** -3 is -Inf.
    return static_cast<F>(x87_div(1.0, (n & 1) ? static_cast<double>(base) : 0.0));
  }
  F b = base;
  if (n < 0) b = F(1) / b;
  F result = 1;
  for (auto e = magnitude(n); e != 0; e >>= 1) {
    if (e & 1) result *= b;
    b *= b;
  }
  return report_overflow(result, base);
}

// ---- REAL ** REAL ----------------------------------------------------------------

float real_power(float base, float y) {
  // The exponent as the nearest 64-bit integer; beyond that range (and for
  // a NaN) the integer indefinite, without the conversion's invalid
  // operation: 1.0 ** 1e30 is a valid power.
  const std::int64_t n = std::fabs(y) < 0x1p63f ? to_int64(y) : INT64_MIN;
  if (base == 0 && y > 0) return 0.0f;
  if (static_cast<ext>(n) == static_cast<ext>(y)) {
    if (n == 0) return 1.0f;
    float b = base;
    if (n < 0) b = static_cast<float>(one() / static_cast<ext>(b));
    ext product = 1;
    for (std::uint64_t e = magnitude(n); e != 0; e >>= 1) {
      if (e & 1) product *= b;
      b = static_cast<float>(static_cast<ext>(b) * b);
    }
    return round_float(product);
  }
  const ext t = yl2x(y, base);
  return round_float(exp2_parts(t));
}

// ---- complex --------------------------------------------------------------------------

template <class F>
struct Cx {
  F re, im;
};

// (a + ib) / (c + id) by the scaled method, intermediates extended, r and s
// rounded to the divisor's precision (D), results to the result's (R).  The
// dividend comes in its own type (A) and is widened here: an extended
// argument of a function that is not inlined goes through memory as 80 bits.
template <class R, class D, class A>
Cx<R> divide(A a_in, A b_in, D c, D d) {
  const ext a = a_in, b = b_in;
  if (std::fabs(d) >= std::fabs(c)) {
    const D r = static_cast<D>(static_cast<ext>(c) / d);
    const D s = static_cast<D>(one() / (static_cast<ext>(r) * c + d));
    return {round_ext<R>((r * a + b) * s), round_ext<R>((r * b - a) * s)};
  }
  const D r = static_cast<D>(static_cast<ext>(d) / c);
  const D s = static_cast<D>(one() / (static_cast<ext>(r) * d + c));
  return {round_ext<R>((a + r * b) * s), round_ext<R>((b - r * a) * s)};
}

// a / (c + id) for a real a.
template <class R, class D, class A>
Cx<R> divide_real(A a_in, D c, D d) {
  const ext a = a_in;
  if (std::fabs(d) >= std::fabs(c)) {
    const D r = static_cast<D>(static_cast<ext>(c) / d);
    const D s = static_cast<D>(one() / (static_cast<ext>(r) * c + d));
    return {round_ext<R>(r * a * s), round_ext<R>(-a * s)};
  }
  const D r = static_cast<D>(static_cast<ext>(d) / c);
  const D s = static_cast<D>(one() / (static_cast<ext>(r) * d + c));
  return {round_ext<R>(a * s), round_ext<R>(-(r * a) * s)};
}

template <class F, class I>
Cx<F> complex_int_power(F re, F im, I n) {
  const bool zero = re == 0 && im == 0;
  if (n == 0) {
    if (zero) rt::crash("E: Complex zero raised to power zero");
    return {1, 0};
  }
  Cx<F> b{re, im};
  if (n < 0) {
    if (zero) rt::crash("E: Complex zero raised to negative power");
    b = divide<F, F>(F(1), F(0), re, im);
  }
  Cx<F> p{1, 0};
  for (auto e = magnitude(n); e != 0; e >>= 1) {
    if (e & 1) p = {p.re * b.re - p.im * b.im, p.re * b.im + p.im * b.re};
    b = {b.re * b.re - b.im * b.im, 2 * b.re * b.im};
  }
  return p;
}

// z ** w = e^(w log z).  A zero base to a power with a positive real part
// is zero (the logarithm would make -Inf, and 0 * -Inf a NaN); a real
// exponent does not multiply the logarithm by a zero imaginary part.
template <class F>
Cx<F> complex_power(F x, F y, F c, F d) {
  if (x == 0 && y == 0 && c > 0) return {0, 0};
  const ext L = 0.5L * yl2x(ln2(), static_cast<ext>(x) * x + static_cast<ext>(y) * y);
  const ext theta = patan(y, x);
  const ext u = d == 0 ? c * L : c * L - d * theta;
  const ext v = d == 0 ? c * theta : c * theta + d * L;
  const ext e = exp2_parts(u * log2e());
  return {round_ext<F>(e * cos_ext(v)), round_ext<F>(e * sin_ext(v))};
}

}  // namespace
}  // namespace tav::numeric

using namespace tav::numeric;

namespace {
tav_complex out(Cx<float> z) { return {z.re, z.im}; }
tav_dcomplex out(Cx<double> z) { return {z.re, z.im}; }
}  // namespace

extern "C" {

int32_t __TAVf90_ipowi(int32_t base, int32_t n) { return int_power(base, n); }
int64_t __TAVf90_i4powi4(int64_t base, int64_t n) { return int_power(base, n); }
float __TAVf90_fpowi(float base, int32_t n) { return real_int_power(base, n); }
float __TAVf90_fpowi4(float base, int64_t n) { return real_int_power(base, n); }
double __TAVf90_dpowi(double base, int32_t n) { return real_int_power(base, n); }
double __TAVf90_dpowi4(double base, int64_t n) { return real_int_power(base, n); }
float __TAVf90_rpowr(float base, float y) { return real_power(base, y); }
float __TAVf90_ipowr(int32_t base, float y) { return real_power(static_cast<float>(base), y); }
float __TAVf90_i4powr(int64_t base, float y) { return real_power(static_cast<float>(base), y); }
double __TAVf90_ipowd(int32_t base, double y) { return ieee_pow(base, y); }
double __TAVf90_i4powd(int64_t base, double y) { return ieee_pow(static_cast<double>(base), y); }

tav_complex __TAVf90_cpowi(float re, float im, int32_t n) { return out(complex_int_power(re, im, n)); }
tav_complex __TAVf90_cpowi4(float re, float im, int64_t n) { return out(complex_int_power(re, im, n)); }
tav_dcomplex __TAVf90_dcpowi(double re, double im, int32_t n) { return out(complex_int_power(re, im, n)); }
tav_dcomplex __TAVf90_dcpowi4(double re, double im, int64_t n) { return out(complex_int_power(re, im, n)); }
tav_complex __TAVf90_cpowc(float re, float im, float wre, float wim) { return out(complex_power(re, im, wre, wim)); }
tav_dcomplex __TAVf90_dcpowdc(double re, double im, double wre, double wim) {
  return out(complex_power(re, im, wre, wim));
}

tav_complex __TAVf90_cdivc(float a, float b, float c, float d) { return out(divide<float>(a, b, c, d)); }
tav_dcomplex __TAVf90_cdivdc(float a, float b, double c, double d) { return out(divide<double>(a, b, c, d)); }
tav_dcomplex __TAVf90_dcdivc(double a, double b, float c, float d) { return out(divide<double>(a, b, c, d)); }
tav_dcomplex __TAVf90_dcdivdc(double a, double b, double c, double d) { return out(divide<double>(a, b, c, d)); }
tav_complex __TAVf90_rdivc(float a, float c, float d) { return out(divide_real<float>(a, c, d)); }
tav_dcomplex __TAVf90_dpdivc(double a, float c, float d) { return out(divide_real<double>(a, c, d)); }
tav_dcomplex __TAVf90_dpdivdc(double a, double c, double d) { return out(divide_real<double>(a, c, d)); }

}  // extern "C"
