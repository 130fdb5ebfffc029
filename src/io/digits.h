// Digit generation shared by every numeric output conversion.
#pragma once

#include <cstdint>

namespace tav::io::digits {

// Decimal digits of v, most significant first, no leading zeros ("0" for
// 0).  Writes at most 20 characters, no NUL; returns the count.
int decimal(std::uint64_t v, char *out);

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

}  // namespace tav::io::digits
