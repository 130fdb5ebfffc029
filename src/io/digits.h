// Digit generation shared by every numeric output conversion.
#pragma once

#include <cstdint>
#include <cstring>

namespace tav::io::digits {

// Decimal digits of v, most significant first, no leading zeros ("0" for
// 0).  Writes at most 20 characters, no NUL; returns the count.
int decimal(std::uint64_t v, char *out);

// The two digits of 0 .. 99.
inline constexpr char kPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Writes exactly `count` decimal digits of x (leading zeros included; the
// digits of x beyond them are dropped) ending just before `end`: the chunks
// of nine digits of wide values, exponents of a fixed width.
inline void digits_back(std::uint32_t x, char *end, int count) {
  while (count >= 2) {
    const std::uint32_t r = x % 100;
    x /= 100;
    end -= 2;
    std::memcpy(end, kPairs + 2 * r, 2);
    count -= 2;
  }
  if (count) *--end = static_cast<char>('0' + x % 10);
}

// The number of decimal digits of v (1 for 0): what decimal_before returns.
inline int decimal_length(std::uint32_t v) {
  // floor(log10(v)) is near bits * log10(2) (1233 / 4096); one comparison
  // with a power of ten settles it.
  static constexpr std::uint32_t kTen[10] = {0,      10,      100,      1000,      10000,
                                             100000, 1000000, 10000000, 100000000, 1000000000};
  int t = ((32 - __builtin_clz(v | 1)) * 1233) >> 12;
  return t + (v >= kTen[t] ? 1 : 0);
}

// The four decimal digits of x < 10^4 (leading zeros included) as the
// bytes of a little-endian word, the most significant first: x / 100 and
// x % 100 in the two 16-bit halves, then the tens of both halves at once,
// each quotient a multiplication and a shift that is exact in this range.
inline std::uint32_t four_digits(std::uint32_t x) {
  const std::uint32_t hundreds = (x * 5243) >> 19;
  std::uint32_t y = hundreds | ((x - 100 * hundreds) << 16);
  const std::uint32_t tens = ((y * 103) >> 10) & 0x000F000Fu;
  y = tens | ((y - 10 * tens) << 8);
  return y + 0x30303030u;
}

// Stores the last k (1 to 4) of the four digits in `word` so that they end
// just before `end`.
inline void last_digits(std::uint32_t word, char *end, int k) {
  if (k == 4) {
    std::memcpy(end - 4, &word, 4);
    return;
  }
  word >>= 8 * (4 - k);
  if (k & 1) {
    end[-k] = static_cast<char>(word);
    word >>= 8;
  }
  if (k >= 2) {
    const auto pair = static_cast<std::uint16_t>(word);
    std::memcpy(end - 2, &pair, 2);
  }
}

// The n decimal digits of x (n = decimal_length(x)) written so that they
// end just before `end`, four at a time.  For fields assembled from the
// right without a copy.
inline void decimal_before(std::uint32_t x, char *end, int n) {
  if (n <= 4) return last_digits(four_digits(x), end, n);
  std::uint32_t top = 0;
  if (n > 8) {
    top = x / 100000000;
    x -= top * 100000000;
  }
  const std::uint32_t high = x / 10000;
  const std::uint32_t low = four_digits(x - high * 10000);
  std::memcpy(end - 4, &low, 4);
  if (n <= 8) return last_digits(four_digits(high), end - 4, n - 4);
  const std::uint32_t middle = four_digits(high);
  std::memcpy(end - 8, &middle, 4);
  if (n == 10)
    std::memcpy(end - 10, kPairs + 2 * top, 2);
  else
    end[-9] = static_cast<char>('0' + top);
}

// The decimal digits of v written backwards so that they end just before
// `end` (at most 10 characters, 20 for the 64-bit form); returns the count.
int decimal_before(std::uint64_t v, char *end);
inline int decimal_before(std::uint32_t x, char *end) {
  const int n = decimal_length(x);
  decimal_before(x, end, n);
  return n;
}

inline int decimal_length(std::uint64_t v) {
  if (v <= UINT32_MAX) return decimal_length(static_cast<std::uint32_t>(v));
  static constexpr std::uint64_t kTen[20] = {0,
                                             10,
                                             100,
                                             1000,
                                             10000,
                                             100000,
                                             1000000,
                                             10000000,
                                             100000000,
                                             1000000000,
                                             10000000000,
                                             100000000000,
                                             1000000000000,
                                             10000000000000,
                                             100000000000000,
                                             1000000000000000,
                                             10000000000000000,
                                             100000000000000000,
                                             1000000000000000000,
                                             10000000000000000000u};
  int t = ((64 - __builtin_clzll(v)) * 1233) >> 12;
  return t + (v >= kTen[t] ? 1 : 0);
}
inline void decimal_before(std::uint64_t v, char *end, int n) {
  if (v <= UINT32_MAX)
    decimal_before(static_cast<std::uint32_t>(v), end, n);
  else
    decimal_before(v, end);
}

// Digits of v in base 2, 8 or 16 (upper-case A-F), no leading zeros; a
// zero value has no digits.  Writes at most 64 characters; returns the count.
int radix(std::uint64_t v, int base, char *out);

// The text "%#.*f" gives for a finite non-negative value: digits, a point
// (always), `decimals` digits.  `out` must hold fixed_capacity(decimals).
int fixed(double magnitude, int decimals, char *out);
constexpr int fixed_capacity(int decimals) { return 312 + decimals; }

// The text "%#.*E" gives for a finite non-negative value: one digit, the
// point, `precision` digits, 'E', the exponent sign and at least two
// exponent digits.  `out` must hold scientific_capacity(precision).
int scientific(double magnitude, int precision, char *out);
constexpr int scientific_capacity(int precision) { return 16 + precision; }

// The precision + 1 significant digits of the "%#.*E" text of a finite
// non-negative value, without the point, into dg (which must hold
// scientific_capacity(precision)); returns the decimal exponent.
int significant(double magnitude, int precision, char *dg);

}  // namespace tav::io::digits
