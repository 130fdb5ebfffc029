// Values for the output benchmarks.  Both benchmark programs compute the same
// values bit for bit: an integer below 2^53 scaled by a power of two is exact
// in either language whatever the floating-point evaluation.
#pragma once

#include <cmath>
#include <cstdint>

namespace bench {

// A 53-bit integer mantissa that changes its digits from record to record.
inline double mantissa(std::int64_t i) {
  std::int64_t hi = (i * 1000003) % 2147483647;
  std::int64_t lo = (i * 7919) % 2097152;
  return static_cast<double>(hi) * 2097152.0 + static_cast<double>(lo);
}

// +-mantissa * 2^(lo + i mod span): magnitudes spread over span binary octaves.
inline double value(std::int64_t i, int lo, int span) {
  double m = mantissa(i);
  int e = static_cast<int>(i % span) + lo;
  double x = std::ldexp(m, e);
  return i % 3 == 0 ? -x : x;
}

// A default integer of any magnitude and sign.
inline std::int32_t int_value(std::int64_t i) {
  std::int64_t u = (i * 2654435761LL) % 4294967296LL;
  std::int64_t s = u - 2147483648LL;
  // every fourth value small, so that short fields occur as well
  if (i % 4 == 1) s %= 1000;
  return static_cast<std::int32_t>(s);
}

}  // namespace bench
