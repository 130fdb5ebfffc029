// The quick conversions of the commonest input fields -- an integer of up
// to sixteen digits, a real whose digits and power of ten are both exact --
// against the C++ library's correctly rounded conversions, over random
// fields around the limits of each quick path.
#include <gtest/gtest.h>

#include <charconv>
#include <cinttypes>
#include <random>
#include <string>

#include "io/input_items.h"

namespace {

std::string digits(std::mt19937_64 &g, int n) {
  std::string s;
  for (int i = 0; i < n; ++i) s += static_cast<char>('0' + g() % 10);
  return s;
}

std::string sign(std::mt19937_64 &g) { return g() % 3 == 0 ? "-" : g() % 2 == 0 ? "+" : ""; }

TEST(QuickFields, IntegersAgreeWithTheCLibrary) {
  std::mt19937_64 g(1);
  for (int i = 0; i < 4000; ++i) {
    const std::string number = sign(g) + digits(g, 1 + static_cast<int>(g() % 18));
    const std::string field = std::string(g() % 4 + (number.size() < 8 ? 8 - number.size() : 0), ' ') + number;
    const std::string format = "(I" + std::to_string(field.size()) + ")";
    const long long v = std::strtoll(number.c_str(), nullptr, 10);
    EXPECT_EQ(iotest::run(format.c_str(), {field}, "k"), std::to_string(v)) << field;
    const bool fits = v >= INT32_MIN && v <= INT32_MAX;
    EXPECT_EQ(iotest::run(format.c_str(), {field}, "i"), fits ? std::to_string(v) : "7#110") << field;
  }
}

template <typename T>
std::string expected(const std::string &text, char kind) {
  T v{};
  const char *first = text.c_str() + (text[0] == '+' ? 1 : 0);
  std::from_chars(first, text.c_str() + text.size(), v);
  return iotest::render(kind, &v);
}

TEST(QuickFields, RealsAgreeWithTheCLibrary) {
  std::mt19937_64 g(2);
  for (int i = 0; i < 4000; ++i) {
    // Up to 17 digits (a double is exact up to about 16, a REAL up to 8),
    // the point anywhere, a power of ten on both sides of the exact range.
    std::string m = digits(g, 1 + static_cast<int>(g() % 17));
    m.insert(g() % (m.size() + 1), ".");
    std::string text = sign(g) + m;
    if (g() % 2 == 0) text += "E" + std::to_string(static_cast<int>(g() % 41) - 20);
    const std::string format = "(E" + std::to_string(text.size()) + ".0)";
    EXPECT_EQ(iotest::run(format.c_str(), {text}, "d"), expected<double>(text, 'd')) << text;
    EXPECT_EQ(iotest::run(format.c_str(), {text}, "r"), expected<float>(text, 'r')) << text;
  }
}

}  // namespace
