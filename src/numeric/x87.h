// The x87 operations behind the by-reference functions and the real
// powers, on 80-bit extended values.
#pragma once

#include <cstdint>

namespace tav::numeric {

using ext = long double;

#if defined(__i386__) || defined(__x86_64__)
// y * log2(x)
inline ext yl2x(ext y, ext x) {
  ext r;
  __asm__("fyl2x" : "=t"(r) : "0"(x), "u"(y) : "st(1)");
  return r;
}
// atan(y / x) in the quadrant of (x, y)
inline ext patan(ext y, ext x) {
  ext r;
  __asm__("fpatan" : "=t"(r) : "0"(x), "u"(y) : "st(1)");
  return r;
}
inline ext round_int(ext x) {
  ext r;
  __asm__("frndint" : "=t"(r) : "0"(x));
  return r;
}
// 2^f - 1 for |f| <= 1
inline ext f2xm1(ext f) {
  ext r;
  __asm__("f2xm1" : "=t"(r) : "0"(f));
  return r;
}
// x * 2^trunc(n)
inline ext scale2(ext x, ext n) {
  ext r;
  __asm__("fscale" : "=t"(r) : "0"(x), "u"(n));
  return r;
}
inline ext hw_sqrt(ext x) {
  ext r;
  __asm__("fsqrt" : "=t"(r) : "0"(x));
  return r;
}
// The hardware sine, cosine and partial tangent; for |x| >= 2^63 they leave
// x unchanged (the callers reduce such arguments themselves).
inline ext hw_sin(ext x) {
  ext r;
  __asm__("fsin" : "=t"(r) : "0"(x));
  return r;
}
inline ext hw_cos(ext x) {
  ext r;
  __asm__("fcos" : "=t"(r) : "0"(x));
  return r;
}
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

constexpr ext kLog2e = 1.44269504088896340735992468100189214L;
constexpr ext kLn2 = 0.693147180559945309417232121458176568L;
constexpr ext kLog10_2 = 0.301029995663981195213738894724493027L;

// 2^t as (2^(t - n) - 1 + 1) * 2^n with n = t rounded to an integer.  The
// infinities give their limits (the hardware sequence would make a NaN of
// inf - inf).
inline ext exp2_parts(ext t) {
  if (t - t != 0) {
    if (t != t) return t;
    return t > 0 ? t : 0.0L;
  }
  const ext n = round_int(t);
  return scale2(f2xm1(t - n) + 1.0L, n);
}

}  // namespace tav::numeric
