// Values written by the library's own output entries read back bit for bit
// under ES with 17 (DOUBLE PRECISION) and 9 (REAL) significant digits.
// List-directed output shows fewer digits (7 or 8 for REAL, 16 or 17 for
// DOUBLE PRECISION), so there the value read must be the C library's
// correctly rounded conversion of the text written.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <cstdlib>
#include <random>

#include "support/record_fixture.h"
#include "tavf90.h"

namespace {

// Random bit patterns: every binade, subnormals included; no NaN or
// infinity.
template <typename T, typename Bits>
std::vector<T> random_values(int n, std::uint64_t seed) {
  std::mt19937_64 gen(seed);
  std::vector<T> v;
  while (static_cast<int>(v.size()) < n) {
    Bits b = static_cast<Bits>(gen());
    T x;
    std::memcpy(&x, &b, sizeof x);
    if (std::isfinite(x)) v.push_back(x);
  }
  return v;
}

template <typename T>
std::string write_one(const char *format, T value) {
  tavtest::TestRecord out;
  if (format != nullptr) {
    EXPECT_EQ(__TAVf90_establish_format(format, -1, TAV_MODE_OUTPUT), 0);
    EXPECT_EQ(sizeof(T) == 8 ? __TAVf90_write_d(value) : __TAVf90_write_r(static_cast<float>(value)), 0);
  } else {
    __TAVf90_init_loutput();
    EXPECT_EQ(sizeof(T) == 8 ? __TAVf90_lwrite_d(value) : __TAVf90_lwrite_r(static_cast<float>(value)), 0);
  }
  std::string text = out.current();
  return text.substr(0, text.find('\0'));
}

template <typename T>
T read_one(const char *format, const std::string &text) {
  tavtest::TestRecord in({text}, true);
  T v{};
  int s;
  if (format != nullptr) {
    s = __TAVf90_establish_format(format, -1, TAV_MODE_INPUT);
    if (s == 0) s = sizeof(T) == 8 ? __TAVf90_read_d(reinterpret_cast<double *>(&v))
                                   : __TAVf90_read_r(reinterpret_cast<float *>(&v));
  } else {
    __TAVf90_init_linput();
    s = sizeof(T) == 8 ? __TAVf90_lread_d(reinterpret_cast<double *>(&v))
                       : __TAVf90_lread_r(reinterpret_cast<float *>(&v));
  }
  EXPECT_EQ(s, 0) << text;
  return v;
}

template <typename T, typename Bits>
void round_trip(const char *out_format, const char *in_format, std::uint64_t seed) {
  int failures = 0;
  for (T x : random_values<T, Bits>(3000, seed)) {
    std::string text = write_one(out_format, x);
    T y = read_one<T>(in_format, text);
    if (out_format == nullptr) {
      // The C library's own conversion of the text, a decimal point and
      // all, is correctly rounded.
      if constexpr (sizeof(T) == 8)
        x = std::strtod(text.c_str(), nullptr);
      else
        x = std::strtof(text.c_str(), nullptr);
    }
    if (std::memcmp(&x, &y, sizeof x) != 0 && ++failures <= 5)
      ADD_FAILURE() << (out_format ? out_format : "list-directed") << " [" << text << "] read back as " << y;
  }
  EXPECT_EQ(failures, 0);
}

TEST(InputRoundTrip, DoublePrecision) {
  round_trip<double, std::uint64_t>("(ES26.16E3)", "(E26.16)", 1);
  round_trip<double, std::uint64_t>(nullptr, nullptr, 2);
}

TEST(InputRoundTrip, Real) {
  round_trip<float, std::uint32_t>("(ES16.8E2)", "(E16.8)", 3);
  round_trip<float, std::uint32_t>(nullptr, nullptr, 4);
}

}  // namespace
