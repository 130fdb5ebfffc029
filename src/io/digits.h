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

// The same digits written backwards so that they end just before `end`
// (at most 10 characters, 20 for the 64-bit form); returns the count.
// For fields assembled from the right without a copy.
int decimal_before(std::uint64_t v, char *end);
inline int decimal_before(std::uint32_t x, char *end) {
  char *p = end;
  while (x >= 100) {
    const std::uint32_t q = x / 100;
    const std::uint32_t r = 2 * (x - q * 100);
    p -= 2;
    p[0] = kPairs[r];
    p[1] = kPairs[r + 1];
    x = q;
  }
  // The last one or two digits.
  if (x >= 10) {
    p -= 2;
    p[0] = kPairs[2 * x];
    p[1] = kPairs[2 * x + 1];
  } else {
    *--p = static_cast<char>('0' + x);
  }
  return static_cast<int>(end - p);
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
