// Kind selection, the real-model inquiries, rounding, MOD, MODULO, SIGN,
// DIM, DPROD, MAX and MIN of n values, ISHFTC and the bit-count table.
#include <cmath>
#include <cstdarg>
#include <cstdint>
#include <limits>
#include <type_traits>

#include "numeric/model.h"
#include "numeric/words.h"
#include "numeric/x87.h"
#include "runtime/fatal.h"
#include "tavf90.h"

namespace tav::numeric {
namespace {

// SELECTED_REAL_KIND with the kind numbers of single and double.
std::int32_t real_kind(std::int32_t p, std::int32_t r, std::int32_t single, std::int32_t dbl) {
  if (p <= 6 && r <= 37) return single;
  if (p <= 15 && r <= 307) return dbl;
  if (r <= 307) return -1;
  return p <= 15 ? -2 : -3;
}

std::int32_t int_kind(std::int32_t r, const std::int32_t (&kinds)[4]) {
  if (r <= 2) return kinds[0];
  if (r <= 4) return kinds[1];
  if (r <= 9) return kinds[2];
  if (r <= 18) return kinds[3];
  return -1;
}

// The integral value converted as the x87 does: out of range (and NaN)
// gives the integer indefinite, with the invalid-operation exception.
std::int32_t to_integer(double integral) {
#if defined(__i386__) || defined(__x86_64__)
  return to_int32(integral);
#else
  if (!(integral >= -2147483648.0 && integral < 2147483648.0)) return INT32_MIN;
  return static_cast<std::int32_t>(integral);
#endif
}

template <class I>
I int_abs(I a) {
  using U = std::make_unsigned_t<I>;
  return a < 0 ? static_cast<I>(U(0) - static_cast<U>(a)) : a;
}

template <class I>
I int_sign(I a, I b) {
  using U = std::make_unsigned_t<I>;
  const I m = int_abs(a);
  return b < 0 ? static_cast<I>(U(0) - static_cast<U>(m)) : m;
}

template <class T>
T positive_difference(T x, T y) {
  if constexpr (std::is_integral_v<T>) {
    using U = std::make_unsigned_t<T>;
    return x > y ? static_cast<T>(static_cast<U>(x) - static_cast<U>(y)) : T(0);
  } else {
    return x > y ? x - y : T(0);
  }
}

// MAX (greater) or MIN of n variadic values of promoted type P; a later
// value replaces the running one only when strictly beyond it.
template <class P, bool Greater>
P extreme(int n, std::va_list args) {
  P best = n > 0 ? va_arg(args, P) : P(0);
  for (int k = 1; k < n; ++k) {
    const P v = va_arg(args, P);
    if (Greater ? v > best : v < best) best = v;
  }
  return best;
}

template <class I, class S>
I rotate_bits(I value, S shift, std::int32_t size, std::int32_t bit_size) {
  using U = std::make_unsigned_t<I>;
  constexpr int width = std::numeric_limits<U>::digits;
  if (size < 1 || size > bit_size || bit_size > width)
    rt::crash("SIZE argument (%d) to ISHFTC intrinsic out of range", size);
  if (shift > size || shift < -size) {
    if constexpr (sizeof(S) == 8) {
      char text[24];
      __TAVf90_putlls(shift, text);
      rt::crash("SHIFT argument (%s) to ISHFTC intrinsic out of range", text);
    } else {
      rt::crash("SHIFT argument (%d) to ISHFTC intrinsic out of range", static_cast<int>(shift));
    }
  }
  const U mask = size == width ? ~U(0) : static_cast<U>((U(1) << size) - 1);
  const U v = static_cast<U>(value) & mask;
  const int s = static_cast<int>(((shift % size) + size) % size);
  const U rotated = s == 0 ? v : static_cast<U>(((v << s) | (v >> (size - s))) & mask);
  U result = static_cast<U>((static_cast<U>(value) & ~mask) | rotated);
  // A BIT_SIZE below the register width: the result is a value of that
  // width, sign-extended.
  if (size == bit_size && bit_size < width) {
    const U sign = U(1) << (bit_size - 1);
    result = static_cast<U>((rotated ^ sign) - sign);
  }
  return static_cast<I>(result);
}

const char kModuloZero[] = "P argument to MODULO is zero";

}  // namespace
}  // namespace tav::numeric

using namespace tav::numeric;

extern "C" {

const int32_t __TAVf90_popcnt_table[256] = {
#define TAV_P2(n) n, n + 1, n + 1, n + 2
#define TAV_P4(n) TAV_P2(n), TAV_P2(n + 1), TAV_P2(n + 1), TAV_P2(n + 2)
#define TAV_P6(n) TAV_P4(n), TAV_P4(n + 1), TAV_P4(n + 1), TAV_P4(n + 2)
    TAV_P6(0), TAV_P6(1), TAV_P6(1), TAV_P6(2)
#undef TAV_P2
#undef TAV_P4
#undef TAV_P6
};

int32_t __TAVf90_rselect(int32_t p, int32_t r) { return real_kind(p, r, 1, 2); }
int32_t __TAVf90_rselectb(int32_t p, int32_t r) { return real_kind(p, r, 4, 8); }
int32_t __TAVf90_ieee_rselect(int32_t p, int32_t r) { return real_kind(p, r, 1, 2); }
int32_t __TAVf90_ieee_rselectb(int32_t p, int32_t r) { return real_kind(p, r, 4, 8); }
int32_t __TAVf90_iselect(int32_t r) { return int_kind(r, {1, 2, 3, 4}); }
int32_t __TAVf90_iselectb(int32_t r) { return int_kind(r, {1, 2, 4, 8}); }

// The REAL and DOUBLE PRECISION entries of one model function: by
// reference, or by value with a second argument of type A.
#define TAV_MODEL_BYREF(name, fn, R, D)                               \
  R __TAVf90_##name##_r(const float *x) { return fn(*x); }            \
  D __TAVf90_##name##_d(const double *x) { return fn(*x); }
#define TAV_MODEL_BYVALUE(name, fn, A)                                \
  float __TAVf90_##name##_r(float x, A a) { return fn(x, a); }        \
  double __TAVf90_##name##_d(double x, A a) { return fn(x, a); }
TAV_MODEL_BYREF(exponent, exponent, int32_t, int32_t)
TAV_MODEL_BYREF(spacing, spacing, float, double)
TAV_MODEL_BYREF(rrspacing, rrspacing, float, double)
TAV_MODEL_BYVALUE(nearest, nearest, double)
TAV_MODEL_BYVALUE(scale, scale, int32_t)
TAV_MODEL_BYVALUE(setexp, set_exponent, int32_t)
#undef TAV_MODEL_BYVALUE
#undef TAV_MODEL_BYREF

// Rounding: AINT truncates; ANINT and NINT round halves away from zero and
// nothing else (no x + 0.5 that could round up first).
float __TAVf90_aint_r(const float *x) { return std::trunc(*x); }
double __TAVf90_aint_d(const double *x) { return std::trunc(*x); }
float __TAVf90_anint_r(const float *x) { return std::round(*x); }
double __TAVf90_anint_d(const double *x) { return std::round(*x); }
int32_t __TAVf90_nint_r_i(const float *x) { return to_integer(std::round(static_cast<double>(*x))); }
int32_t __TAVf90_nint_d_i(const double *x) { return to_integer(std::round(*x)); }

int32_t __TAVf90_mod_i(const int32_t *a, const int32_t *p) {
  return int_mod(*a, *p, "P argument to MOD is integer zero");
}
int64_t __TAVf90_mod_i4(const int64_t *a, const int64_t *p) {
  return int_mod(*a, *p, "P argument to MOD is integer zero");
}
float __TAVf90_mod_r(const float *a, const float *p) { return real_mod(*a, *p); }
double __TAVf90_mod_d(const double *a, const double *p) { return real_mod(*a, *p); }

int32_t __TAVf90_modulo_i(const int32_t *a, const int32_t *p) { return int_modulo(*a, *p, kModuloZero); }
int8_t __TAVf90_modulo_i1(const int8_t *a, const int8_t *p) { return int_modulo(*a, *p, kModuloZero); }
int16_t __TAVf90_modulo_i2(const int16_t *a, const int16_t *p) { return int_modulo(*a, *p, kModuloZero); }
int64_t __TAVf90_modulo_i4(const int64_t *a, const int64_t *p) { return int_modulo(*a, *p, kModuloZero); }
float __TAVf90_modulo_r(const float *a, const float *p) {
  return real_modulo(*a, *p, "P argument to MODULO is real zero");
}
double __TAVf90_modulo_d(const double *a, const double *p) {
  return real_modulo(*a, *p, "P argument to MODULO is real zero");
}

int32_t __TAVf90_sign_i(const int32_t *a, const int32_t *b) { return int_sign(*a, *b); }
int64_t __TAVf90_sign_i4(const int64_t *a, const int64_t *b) { return int_sign(*a, *b); }
float __TAVf90_sign_r(const float *a, const float *b) { return std::copysign(*a, *b); }
double __TAVf90_sign_d(const double *a, const double *b) { return std::copysign(*a, *b); }
int32_t __TAVf90_dim_i(const int32_t *x, const int32_t *y) { return positive_difference(*x, *y); }
int64_t __TAVf90_dim_i4(const int64_t *x, const int64_t *y) { return positive_difference(*x, *y); }
float __TAVf90_dim_r(const float *x, const float *y) { return positive_difference(*x, *y); }
double __TAVf90_dim_d(const double *x, const double *y) { return positive_difference(*x, *y); }
double __TAVf90_dprod(const float *x, const float *y) { return static_cast<double>(*x) * *y; }
double __TAVf90_dprod_r8(float x, float y) { return static_cast<double>(x) * y; }

float __TAVf90_aimag_r(const tav_complex *z) { return z->im; }
double __TAVf90_aimag_d(const tav_dcomplex *z) { return z->im; }
tav_complex __TAVf90_conjg_r(const tav_complex *z) { return {z->re, -z->im}; }
tav_dcomplex __TAVf90_conjg_d(const tav_dcomplex *z) { return {z->re, -z->im}; }

#define TAV_EXTREME(name, result, promoted, greater)         \
  result __TAVf90_##name(int n, ...) {                        \
    std::va_list args;                                        \
    va_start(args, n);                                        \
    promoted v = extreme<promoted, greater>(n, args);         \
    va_end(args);                                             \
    return static_cast<result>(v);                            \
  }
TAV_EXTREME(max_i, int32_t, int, true)
TAV_EXTREME(max_i1, int8_t, int, true)
TAV_EXTREME(max_i2, int16_t, int, true)
TAV_EXTREME(max_i4, int64_t, int64_t, true)
TAV_EXTREME(max_r, float, double, true)
TAV_EXTREME(max_d, double, double, true)
TAV_EXTREME(amax0, float, int, true)
TAV_EXTREME(min_i, int32_t, int, false)
TAV_EXTREME(min_i1, int8_t, int, false)
TAV_EXTREME(min_i2, int16_t, int, false)
TAV_EXTREME(min_i4, int64_t, int64_t, false)
TAV_EXTREME(min_r, float, double, false)
TAV_EXTREME(min_d, double, double, false)
TAV_EXTREME(amin0, float, int, false)
#undef TAV_EXTREME

// MAX1 and MIN1: the REAL extreme truncated to INTEGER.
int32_t __TAVf90_max1(int n, ...) {
  std::va_list args;
  va_start(args, n);
  const double v = extreme<double, true>(n, args);
  va_end(args);
  return to_integer(std::trunc(static_cast<float>(v)));
}
int32_t __TAVf90_min1(int n, ...) {
  std::va_list args;
  va_start(args, n);
  const double v = extreme<double, false>(n, args);
  va_end(args);
  return to_integer(std::trunc(static_cast<float>(v)));
}

int32_t __TAVf90_ishftc(int32_t i, int32_t shift, int32_t size, int32_t bit_size) {
  return rotate_bits(i, shift, size, bit_size);
}
int64_t __TAVf90_ishftc_i4(int64_t i, int64_t shift, int32_t size, int32_t bit_size) {
  return rotate_bits(i, shift, size, bit_size);
}

}  // extern "C"
