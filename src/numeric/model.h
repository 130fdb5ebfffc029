// Scalar rules of the real-model, rounding and integer intrinsics, shared
// by the scalar entries and their whole-array forms.
#pragma once

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <type_traits>

#include "numeric/words.h"
#include "runtime/fatal.h"

namespace tav::numeric {

// Layout of the binary formats: fraction bits, exponent bias.
template <class F>
struct Format;
template <>
struct Format<float> {
  using Bits = std::uint32_t;
  static constexpr int fraction = 23, max_field = 0xff, bias = 126;
};
template <>
struct Format<double> {
  using Bits = std::uint64_t;
  static constexpr int fraction = 52, max_field = 0x7ff, bias = 1022;
};

// EXPONENT: the exponent e of the model form 0.f * 2^e; HUGE(0) for an
// infinity or NaN, 0 for zero, subnormals normalized.
template <class F>
std::int32_t exponent(F x) {
  using B = typename Format<F>::Bits;
  constexpr int p = Format<F>::fraction;
  const B b = std::bit_cast<B>(x);
  const int field = static_cast<int>((b >> p) & Format<F>::max_field);
  const B fraction = b & ((B(1) << p) - 1);
  if (field == Format<F>::max_field) return std::numeric_limits<std::int32_t>::max();
  if (field == 0) {
    if (fraction == 0) return 0;
    return static_cast<std::int32_t>(std::bit_width(fraction)) - Format<F>::bias - p;
  }
  return field - Format<F>::bias;
}

// An infinite result of a finite operand: raise the overflow on the x87.
template <class F>
F overflowed(F result, F operand) {
  if (std::isinf(result) && std::isfinite(operand))
    return static_cast<F>(x87_mul(std::copysign(std::numeric_limits<double>::max(), static_cast<double>(result)), 2.0));
  return result;
}

// SCALE: x * 2^i, correctly rounded (gradual underflow included).
template <class F>
F scale(F x, std::int32_t i) {
  if (x == 0 || !std::isfinite(x)) return x + x;
  return overflowed(static_cast<F>(std::scalbn(x, i)), x);
}

// SPACING: 2^(EXPONENT(x) - digits), and the smallest normal number for
// zero and for arguments below the normal range.
template <class F>
F spacing(F x) {
  constexpr int digits = Format<F>::fraction + 1, low = -Format<F>::bias + 1;
  if (!std::isfinite(x)) return std::fabs(x);
  std::int64_t k = low;
  if (x != 0) {
    const std::int32_t e = exponent(x);
    k = e < low ? low : std::int64_t{e} - (digits - 1);
  }
  const F r = static_cast<F>(std::scalbn(F(1), static_cast<int>(std::min<std::int64_t>(k - 1, 1 << 20))));
  return r == 0 ? std::numeric_limits<F>::min() : r;
}

// RRSPACING: |x| * 2^(digits - EXPONENT(x)).
template <class F>
F rrspacing(F x) {
  constexpr int digits = Format<F>::fraction + 1;
  const std::int64_t k = digits - std::int64_t{exponent(x)};
  return scale(std::fabs(x), static_cast<std::int32_t>(std::max<std::int64_t>(k, INT32_MIN)));
}

template <class F>
F set_exponent(F x, std::int32_t i) {
  int e;
  const F f = std::frexp(x, &e);
  return overflowed(static_cast<F>(std::scalbn(f, i)), x);
}

template <class F>
F nearest(F x, double s) {
  using B = typename Format<F>::Bits;
  if (s == 0) rt::crash("Argument S to NEAREST is zero");
  if (std::isnan(x)) return x;
  const bool up = !std::signbit(s);
  if (x == 0) return up ? std::numeric_limits<F>::denorm_min() : -std::numeric_limits<F>::denorm_min();
  // An infinity in its own direction stays (one more step would be a NaN).
  if (std::isinf(x) && up == (x > 0)) return x;
  const F huge = std::numeric_limits<F>::max();
  if (x == (up ? huge : -huge)) return static_cast<F>(x87_mul(x, 2.0));
  B b = std::bit_cast<B>(x);
  b = (up == (x > 0)) ? b + 1 : b - 1;
  return std::bit_cast<F>(b);
}

// MOD of integers, exact; the most negative value by -1 gives 0.
template <class I>
I int_mod(I a, I p, const char *zero_message) {
  if (p == 0) rt::crash("%s", zero_message);
  if (p == -1) return 0;
  return static_cast<I>(a % p);
}

// MODULO of integers: the remainder takes the sign of P.
template <class I>
I int_modulo(I a, I p, const char *zero_message) {
  if (p == 0) rt::crash("%s", zero_message);
  if (p == -1) return 0;
  I r = static_cast<I>(a % p);
  if (r != 0 && ((r < 0) != (p < 0))) r = static_cast<I>(r + p);
  return r;
}

// MOD of reals: the exact remainder with the sign of A, by the x87 partial
// remainder (P = 0 and infinite A are invalid operations there).
template <class F>
F real_mod(F a, F p) {
#if defined(__i386__) || defined(__x86_64__)
  long double r;
  __asm__("1:\n\tfprem\n\tfnstsw %%ax\n\ttestw $0x400, %%ax\n\tjnz 1b" : "=t"(r) : "0"(static_cast<long double>(a)),
          "u"(static_cast<long double>(p)) : "ax", "cc");
  return static_cast<F>(r);
#else
  return std::fmod(a, p);
#endif
}

// MODULO of reals: a - floor(a/p) * p, each step rounded to F.
template <class F>
F real_modulo(F a, F p, const char *zero_message) {
  if (p == 0) rt::crash("%s", zero_message);
  const F q = a / p;
  const F f = std::floor(q);
  const F m = f * p;
  return a - m;
}

}  // namespace tav::numeric
