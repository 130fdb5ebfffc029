// Word access to doubles and the x87 operations through which the numeric
// entries raise floating-point exceptions where compiled code would see them.
#pragma once

#include <bit>
#include <cstdint>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tav::numeric {

inline std::int32_t hi(double x) { return static_cast<std::int32_t>(std::bit_cast<std::uint64_t>(x) >> 32); }
inline std::uint32_t lo(double x) { return static_cast<std::uint32_t>(std::bit_cast<std::uint64_t>(x)); }

// Doubles assembled from words.  On i386 a double assembled in the
// general registers goes through memory as two 32-bit stores, and the load
// that reads it back cannot be forwarded from them: it waits for both stores
// to retire.  There the words are put together in the SSE registers the
// arithmetic uses instead.  On x86-64 the general registers are the cheap
// way, and the compiler sees through them (the high word of a double just
// assembled is known).
#if defined(__i386__) && defined(__SSE2__)
inline __m128i words_of(double x) { return _mm_castpd_si128(_mm_set_sd(x)); }
inline double double_of(__m128i w) { return _mm_cvtsd_f64(_mm_castsi128_pd(w)); }
inline double make(std::int32_t h, std::uint32_t l) {
  return double_of(_mm_unpacklo_epi32(_mm_cvtsi32_si128(static_cast<int>(l)), _mm_cvtsi32_si128(h)));
}
inline double with_hi(double x, std::int32_t h) {
  const __m128i low = _mm_and_si128(words_of(x), _mm_set_epi32(0, 0, 0, -1));
  return double_of(_mm_or_si128(low, _mm_slli_epi64(_mm_cvtsi32_si128(h), 32)));
}
inline double with_lo(double x, std::uint32_t l) {
  const __m128i high = _mm_and_si128(words_of(x), _mm_set_epi32(0, 0, -1, 0));
  return double_of(_mm_or_si128(high, _mm_cvtsi32_si128(static_cast<int>(l))));
}
// x with d added to its high word (wrapping): moves the exponent.
inline double add_hi(double x, std::int32_t d) {
  return double_of(_mm_add_epi32(words_of(x), _mm_slli_epi64(_mm_cvtsi32_si128(d), 32)));
}
#else
inline double make(std::int32_t h, std::uint32_t l) {
  return std::bit_cast<double>((static_cast<std::uint64_t>(static_cast<std::uint32_t>(h)) << 32) | l);
}
inline double with_hi(double x, std::int32_t h) { return make(h, lo(x)); }
inline double with_lo(double x, std::uint32_t l) { return make(hi(x), l); }
inline double add_hi(double x, std::int32_t d) {
  return make(static_cast<std::int32_t>(static_cast<std::uint32_t>(hi(x)) + static_cast<std::uint32_t>(d)), lo(x));
}
#endif

// x with its low word cleared, the high part of a split that the
// arithmetic goes on with: one mask in the SSE register where there is one.
#if defined(__SSE2__)
inline double clear_lo(double x) {
  alignas(16) static constexpr std::uint32_t kHighWord[4] = {0, 0xffffffffu, 0, 0xffffffffu};
  __asm__("andpd %1, %0" : "+x"(x) : "m"(kHighWord));
  return x;
}
#else
inline double clear_lo(double x) { return with_lo(x, 0); }
#endif

// The library's own arithmetic runs in SSE registers, whose exception flags
// compiled code never looks at.  Operations that exist to raise invalid
// operation, division by zero, overflow or underflow go through the x87
// instead: the result is the same IEEE double, and the exception traps or
// is reported at the end exactly as if compiled code had raised it.  The
// closing fwait delivers a trap at once rather than at some later x87
// instruction.
#if defined(__i386__) || defined(__x86_64__)
inline double x87_mul(double a, double b) {
  double r;
  __asm__ volatile("fldl %1\n\tfmull %2\n\tfstpl %0\n\tfwait" : "=m"(r) : "m"(a), "m"(b));
  return r;
}
inline double x87_div(double a, double b) {
  double r;
  __asm__ volatile("fldl %1\n\tfdivl %2\n\tfstpl %0\n\tfwait" : "=m"(r) : "m"(a), "m"(b));
  return r;
}
inline double x87_sub(double a, double b) {
  double r;
  __asm__ volatile("fldl %1\n\tfsubl %2\n\tfstpl %0\n\tfwait" : "=m"(r) : "m"(a), "m"(b));
  return r;
}
inline float x87_to_float(double a) {
  float r;
  __asm__ volatile("fldl %1\n\tfstps %0\n\tfwait" : "=m"(r) : "m"(a));
  return r;
}
#else
inline double x87_mul(double a, double b) { volatile double v = a; return v * b; }
inline double x87_div(double a, double b) { volatile double v = a; return v / b; }
inline double x87_sub(double a, double b) { volatile double v = a; return v - b; }
inline float x87_to_float(double a) { volatile double v = a; return static_cast<float>(v); }
#endif

// (x - x) / (x - x) for a finite x, x - x for an infinity: a NaN with the
// invalid-operation exception.
inline double raise_invalid(double x) {
  double d = x87_sub(x, x);
  return d != d ? d : x87_div(d, d);
}

}  // namespace tav::numeric
