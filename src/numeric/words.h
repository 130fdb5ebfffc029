// Word access to doubles and the x87 operations through which the numeric
// entries raise floating-point exceptions where compiled code would see them.
#pragma once

#include <bit>
#include <cstdint>

namespace tav::numeric {

inline std::int32_t hi(double x) { return static_cast<std::int32_t>(std::bit_cast<std::uint64_t>(x) >> 32); }
inline std::uint32_t lo(double x) { return static_cast<std::uint32_t>(std::bit_cast<std::uint64_t>(x)); }
inline double make(std::int32_t h, std::uint32_t l) {
  return std::bit_cast<double>((static_cast<std::uint64_t>(static_cast<std::uint32_t>(h)) << 32) | l);
}
inline double with_hi(double x, std::int32_t h) { return make(h, lo(x)); }
inline double with_lo(double x, std::uint32_t l) { return make(hi(x), l); }

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
