// Helpers shared by the numeric tests: bit comparisons.
#pragma once

#include <bit>
#include <cmath>
#include <cstdint>
#include <type_traits>

namespace numtest {

template <class F>
auto bits(F x) {
  return std::bit_cast<std::conditional_t<sizeof(F) == 4, std::uint32_t, std::uint64_t>>(x);
}

// Same value and same sign of zero; any NaN matches a NaN.
template <class F>
bool same(F got, F want) {
  if (std::isnan(want)) return std::isnan(got);
  return bits(got) == bits(want);
}

// Distance in units of the last place between two finite values of one sign.
template <class F>
std::int64_t ulps(F a, F b) {
  auto d = static_cast<std::int64_t>(bits(a)) - static_cast<std::int64_t>(bits(b));
  return d < 0 ? -d : d;
}

}  // namespace numtest
