// The x87 operations behind the by-reference functions and the real
// powers, on 80-bit extended values.
#pragma once

#include <bit>
#include <cmath>
#include <cstdint>

#include "numeric/ieee.h"
#include "numeric/words.h"

namespace tav::numeric {

using ext = long double;

#if defined(__i386__) || defined(__x86_64__)
// One x87 instruction on the top of the stack (and, for the binary ones,
// the register below it, which the instruction pops).
#define TAV_X87_UNARY(name, insn)            \
  inline ext name(ext x) {                   \
    ext r;                                   \
    __asm__(insn : "=t"(r) : "0"(x));        \
    return r;                                \
  }
#define TAV_X87_BINARY(name, insn, first, second, top, below, ...) \
  inline ext name(ext first, ext second) {                          \
    ext r;                                                          \
    __asm__(insn : "=t"(r) : "0"(top), "u"(below)__VA_ARGS__);      \
    return r;                                                       \
  }
// y * log2(x) and atan(y / x) in the quadrant of (x, y), which pop y
TAV_X87_BINARY(yl2x, "fyl2x", y, x, x, y, : "st(1)")
TAV_X87_BINARY(patan, "fpatan", y, x, x, y, : "st(1)")
TAV_X87_BINARY(scale2, "fscale", x, n, x, n)  // x * 2^trunc(n)
TAV_X87_UNARY(round_int, "frndint")
TAV_X87_UNARY(f2xm1, "f2xm1")  // 2^f - 1 for |f| <= 1
TAV_X87_UNARY(hw_sqrt, "fsqrt")
// The hardware sine, cosine and partial tangent; for |x| >= 2^63 they leave
// x unchanged (the callers reduce such arguments themselves).
TAV_X87_UNARY(hw_sin, "fsin")
TAV_X87_UNARY(hw_cos, "fcos")
#undef TAV_X87_BINARY
#undef TAV_X87_UNARY
inline ext hw_tan(ext x) {
  ext r, one;
  __asm__("fptan" : "=t"(one), "=u"(r) : "0"(x));
  (void)one;
  return r;
}
// Conversion to a 64-bit integer in the current rounding mode (nearest);
// out of range and NaN give the integer indefinite 0x8000000000000000.
inline std::int64_t to_int64(ext x) {
  std::int64_t r;
  __asm__("fistpll %0" : "=m"(r) : "t"(x) : "st");
  return r;
}
inline std::int32_t to_int32(ext x) {
  std::int32_t r;
  __asm__("fistpl %0" : "=m"(r) : "t"(x) : "st");
  return r;
}

// The constants the x87 holds itself, rounded to nearest.  Loaded through
// asm, so that the compiler does not treat them as constants: in
// position-independent i386 code it keeps an 80-bit copy of every extended
// constant in a stack slot, one dead store on every call.
#define TAV_X87_CONSTANT(name, load) \
  inline ext name() {                \
    ext r;                           \
    __asm__(load : "=t"(r));         \
    return r;                        \
  }
TAV_X87_CONSTANT(one, "fld1")
TAV_X87_CONSTANT(log2e, "fldl2e")
TAV_X87_CONSTANT(ln2, "fldln2")
TAV_X87_CONSTANT(log10_2, "fldlg2")
#undef TAV_X87_CONSTANT

// Any other extended constant, loaded the same way for the same reason.
inline ext constant(const ext &c) {
  ext r;
  __asm__("fldt %1" : "=t"(r) : "m"(c));
  return r;
}

// Rounding of an extended result to double on the x87; a trap for its
// overflow or underflow is delivered here.
inline double round_double(ext v) {
  double r;
  __asm__("fstpl %0\n\tfwait" : "=m"(r) : "t"(v) : "st");
  return r;
}
inline float round_float(ext v) {
  float r;
  __asm__("fstps %0\n\tfwait" : "=m"(r) : "t"(v) : "st");
  return r;
}
#else
inline double round_double(ext v) { return static_cast<double>(v); }
inline float round_float(ext v) { return static_cast<float>(v); }
#endif

template <class F>
F round_ext(ext v) {
  if constexpr (sizeof(F) == sizeof(float))
    return round_float(v);
  else
    return round_double(v);
}

// 2^t as (2^(t - n) - 1 + 1) * 2^n with n = t rounded to an integer, by
// fscale.  The infinities give their limits (the hardware sequence would
// make a NaN of inf - inf).
inline ext exp2_wide(ext t) {
  if (t - t != 0) {
    if (t != t) return t;
    return t > 0 ? t : 0.0L;
  }
  const ext n = round_int(t);
  return scale2(f2xm1(t - n) + one(), n);
}

// 2^n for |n| <= 1022, a normal double: scaling by it is exact, as fscale
// is, at a fraction of fscale's cost.
inline double pow2(std::int32_t n) { return make((n + 1023) << 20, 0); }

// The same 2^t.  While |t| < 1022 the scaling is a product with the double
// 2^n, the same value without fscale.  The range tests here and below are
// quiet comparisons: an ordered one would raise invalid operation for a
// quiet NaN, which the x87 operations themselves pass through quietly.
inline ext exp2_parts(ext t) {
  if (!std::isless(std::fabs(t), 1022.0L)) return exp2_wide(t);
  const ext n = round_int(t);
  return (f2xm1(t - n) + one()) * pow2(to_int32(n));
}

// An argument loaded onto the x87 stack straight from where it is: the
// compiler would load a double that it also needs elsewhere into an SSE
// register and go through memory again to widen it.
#if defined(__i386__) || defined(__x86_64__)
inline ext widen(const double &x) {
  ext r;
  __asm__("fldl %1" : "=t"(r) : "m"(x));
  return r;
}
inline ext widen(const float &x) {
  ext r;
  __asm__("flds %1" : "=t"(r) : "m"(x));
  return r;
}
#endif
inline ext widen(const ext &x) { return x; }

// Whether |x| < 2^63, where the hardware sine, cosine and tangent reduce
// the argument themselves (false for the infinities and NaN).  Beyond, the
// argument is reduced exactly in software instead.  The entries' own
// arguments are tested on their bits, off the x87.
inline bool hw_trig_range(double x) { return (hi(x) & 0x7fffffff) < 0x43e00000; }
inline bool hw_trig_range(float x) { return (std::bit_cast<std::uint32_t>(x) & 0x7fffffffu) < 0x5f000000u; }
inline bool hw_trig_range(ext x) { return std::isless(std::fabs(x), 0x1p63L); }

template <class T>
ext sin_ext(const T &x) {
  return hw_trig_range(x) ? hw_sin(widen(x)) : ieee_sin(static_cast<double>(x));
}
template <class T>
ext cos_ext(const T &x) {
  return hw_trig_range(x) ? hw_cos(widen(x)) : ieee_cos(static_cast<double>(x));
}
template <class T>
ext tan_ext(const T &x) {
  return hw_trig_range(x) ? hw_tan(widen(x)) : ieee_tan(static_cast<double>(x));
}

}  // namespace tav::numeric
