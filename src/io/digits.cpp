#include "io/digits.h"

#include <charconv>
#include <cstdint>
#include <cstring>

namespace tav::io::digits {

int decimal_before(std::uint64_t v, char *end) {
  // 64-bit division is a library call on 32-bit targets: values that fit
  // 32 bits take the 32-bit conversion, larger ones are split into parts
  // of nine digits with one 64-bit division each.
  if (v <= UINT32_MAX) return decimal_before(static_cast<std::uint32_t>(v), end);
  std::uint64_t high = v / 1000000000u;
  auto low = static_cast<std::uint32_t>(v - high * 1000000000u);
  int k = decimal_before(low, end);
  std::memset(end - 9, '0', static_cast<std::size_t>(9 - k));
  return 9 + decimal_before(high, end - 9);
}

int decimal(std::uint64_t v, char *out) {
  char tmp[20];
  int n = decimal_before(v, tmp + sizeof tmp);
  std::memcpy(out, tmp + sizeof tmp - n, static_cast<std::size_t>(n));
  return n;
}

int radix(std::uint64_t v, int base, char *out) {
  if (v == 0) return 0;
  char *end = std::to_chars(out, out + 64, v, base).ptr;
  int n = static_cast<int>(end - out);
  if (base == 16)
    for (int i = 0; i < n; ++i)
      if (out[i] >= 'a') out[i] = static_cast<char>(out[i] - 'a' + 'A');
  return n;
}

// Floating-point conversions.
//
// The general path is std::to_chars with a precision, which rounds the
// exact binary value half to even as "%#.*f" and "%#.*E" do.  It works with
// 128-bit products and large tables, which on a 32-bit target costs several
// hundred nanoseconds, so the usual cases take an exact integer shortcut:
// with v = m * 2^q, the rounded value of v * 10^t is
//
//   (m * 5^t) * 2^(q + t)
//
// where m * 5^t is exact in 128 bits for t <= 27, and the power of two is a
// shift whose discarded bits decide the rounding exactly.  Whenever the
// result would not fit in 64 bits (or t is out of range) the general path
// is taken, so both paths give the same text.
namespace {

struct U128 {
  std::uint64_t hi, lo;
};

U128 multiply(std::uint64_t a, std::uint64_t b) {
  const std::uint64_t a0 = static_cast<std::uint32_t>(a), a1 = a >> 32;
  const std::uint64_t b0 = static_cast<std::uint32_t>(b), b1 = b >> 32;
  const std::uint64_t p00 = a0 * b0, p01 = a0 * b1, p10 = a1 * b0, p11 = a1 * b1;
  const std::uint64_t mid = (p00 >> 32) + static_cast<std::uint32_t>(p01) + static_cast<std::uint32_t>(p10);
  return {p11 + (p01 >> 32) + (p10 >> 32) + (mid >> 32), (mid << 32) | static_cast<std::uint32_t>(p00)};
}

constexpr int kMaxPow5 = 27;
constexpr std::uint64_t pow5(int t) { return t == 0 ? 1 : 5 * pow5(t - 1); }
constexpr std::uint64_t pow10(int t) { return t == 0 ? 1 : 10 * pow10(t - 1); }
struct PowerTables {
  std::uint64_t five[kMaxPow5 + 1];
  std::uint64_t ten[20];
  constexpr PowerTables() : five(), ten() {
    for (int i = 0; i <= kMaxPow5; ++i) five[i] = pow5(i);
    for (int i = 0; i < 20; ++i) ten[i] = pow10(i);
  }
};
constexpr PowerTables kPow;

// Powers of ten that doubles hold exactly, 1e0 .. 1e22.
constexpr int kMaxExactPow10 = 22;
struct ExactPow10Table {
  double v[kMaxExactPow10 + 1];
  constexpr ExactPow10Table() : v() {
    double p = 1.0;
    for (int i = 0; i <= kMaxExactPow10; ++i, p *= 10.0) v[i] = p;
  }
};
constexpr ExactPow10Table kExactPow10;

// Rounds m * 2^q * 10^t to the nearest integer, half to even.  False when
// t is outside [0, 27] or the result does not fit in 64 bits.
bool scaled_round(std::uint64_t m, int q, int t, std::uint64_t &out) {
  if (t < 0 || t > kMaxPow5) return false;
  const U128 n = multiply(m, kPow.five[t]);
  const int shift = q + t;
  if (shift >= 0) {
    if (n.hi != 0 || shift >= 64 || (shift > 0 && (n.lo >> (64 - shift)) != 0)) return false;
    out = n.lo << shift;
    return true;
  }
  const int s = -shift;
  if (s >= 128) {
    // n < 2^117, less than half of 2^s.
    out = 0;
    return true;
  }
  std::uint64_t r_hi, r_lo, rem_hi, rem_lo, half_hi = 0, half_lo = 0;
  if (s >= 64) {
    r_hi = 0;
    r_lo = s == 64 ? n.hi : n.hi >> (s - 64);
    rem_hi = s == 64 ? 0 : n.hi & ((std::uint64_t{1} << (s - 64)) - 1);
    rem_lo = n.lo;
    if (s == 64)
      half_lo = std::uint64_t{1} << 63;
    else
      half_hi = std::uint64_t{1} << (s - 65);
  } else {
    r_hi = n.hi >> s;
    r_lo = (n.lo >> s) | (n.hi << (64 - s));
    rem_hi = 0;
    rem_lo = n.lo & ((std::uint64_t{1} << s) - 1);
    half_lo = std::uint64_t{1} << (s - 1);
  }
  if (r_hi != 0) return false;
  const bool above = rem_hi != half_hi ? rem_hi > half_hi : rem_lo > half_lo;
  const bool tie = rem_hi == half_hi && rem_lo == half_lo;
  if (above || (tie && (r_lo & 1))) {
    if (r_lo == ~std::uint64_t{0}) return false;
    ++r_lo;
  }
  out = r_lo;
  return true;
}

constexpr char kPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Writes exactly `count` digits of v (leading zeros included) ending at end.
void u32_digits_back(std::uint32_t v, char *end, int count) {
  while (count >= 2) {
    const std::uint32_t r = v % 100;
    v /= 100;
    end -= 2;
    std::memcpy(end, kPairs + 2 * r, 2);
    count -= 2;
  }
  if (count) *--end = static_cast<char>('0' + v % 10);
}

int u32_count(std::uint32_t v) {
  int n = 1;
  while (v >= 10) {
    v /= 10;
    ++n;
  }
  return n;
}

// Decimal digits of v without leading zeros; 64-bit divisions only by 10^9.
int u64_digits(std::uint64_t v, char *out) {
  if (v <= 0xFFFFFFFFu) {
    const std::uint32_t x = static_cast<std::uint32_t>(v);
    const int n = u32_count(x);
    u32_digits_back(x, out + n, n);
    return n;
  }
  const std::uint64_t q = v / 1000000000u;
  const std::uint32_t low = static_cast<std::uint32_t>(v - q * 1000000000u);
  int n;
  if (q <= 0xFFFFFFFFu) {
    const std::uint32_t hi = static_cast<std::uint32_t>(q);
    n = u32_count(hi);
    u32_digits_back(hi, out + n, n);
  } else {
    const std::uint32_t top = static_cast<std::uint32_t>(q / 1000000000u);
    const std::uint32_t mid = static_cast<std::uint32_t>(q - std::uint64_t{top} * 1000000000u);
    n = u32_count(top);
    u32_digits_back(top, out + n, n);
    u32_digits_back(mid, out + n + 9, 9);
    n += 9;
  }
  u32_digits_back(low, out + n + 9, 9);
  return n + 9;
}

// v = m * 2^q for a finite non-negative v.
struct Decomposed {
  std::uint64_t m;
  int q;
};

Decomposed decompose(double v) {
  std::uint64_t b;
  std::memcpy(&b, &v, sizeof b);
  const int biased = static_cast<int>((b >> 52) & 0x7FF);
  const std::uint64_t fraction = b & 0x000FFFFFFFFFFFFFull;
  if (biased == 0) return {fraction, -1074};
  return {fraction | (std::uint64_t{1} << 52), biased - 1075};
}

int fixed_general(double magnitude, int decimals, char *out) {
  char *end = std::to_chars(out, out + fixed_capacity(decimals), magnitude, std::chars_format::fixed, decimals).ptr;
  if (decimals == 0) *end++ = '.';
  return static_cast<int>(end - out);
}

int scientific_general(double magnitude, int precision, char *out) {
  char *end =
      std::to_chars(out, out + scientific_capacity(precision), magnitude, std::chars_format::scientific, precision)
          .ptr;
  char *e = static_cast<char *>(std::memchr(out, 'e', static_cast<std::size_t>(end - out)));
  if (precision == 0) {
    // "1e+05" -> "1.E+05"
    std::memmove(e + 1, e, static_cast<std::size_t>(end - e));
    *e++ = '.';
    ++end;
  }
  *e = 'E';
  return static_cast<int>(end - out);
}

}  // namespace

int fixed(double magnitude, int decimals, char *out) {
  const Decomposed v = decompose(magnitude);
  std::uint64_t r;
  if (!scaled_round(v.m, v.q, decimals, r)) return fixed_general(magnitude, decimals, out);
  char dg[20];
  const int n = u64_digits(r, dg);
  char *p = out;
  if (n <= decimals) {
    *p++ = '0';
    *p++ = '.';
    std::memset(p, '0', static_cast<std::size_t>(decimals - n));
    p += decimals - n;
    std::memcpy(p, dg, static_cast<std::size_t>(n));
    p += n;
  } else {
    std::memcpy(p, dg, static_cast<std::size_t>(n - decimals));
    p += n - decimals;
    *p++ = '.';
    std::memcpy(p, dg + n - decimals, static_cast<std::size_t>(decimals));
    p += decimals;
  }
  return static_cast<int>(p - out);
}

int scientific(double magnitude, int precision, char *out) {
  const Decomposed v = decompose(magnitude);
  if (precision > 17) return scientific_general(magnitude, precision, out);
  int x = 0;
  std::uint64_t r = 0;
  if (v.m == 0) {
    // Zero: all digits 0, exponent +00.
  } else {
    // floor(log10(v)) is x or x + 1, from the position of the leading bit.
    const int e2 = v.q + 63 - __builtin_clzll(v.m);
    x = (e2 * 78913) >> 18;
    // For values of 1 and above the exact powers of ten settle the choice
    // between x and x + 1 at once; otherwise a result with one digit too
    // many shows that x + 1 is right.
    if (x >= 0 && x < kMaxExactPow10 && magnitude >= kExactPow10.v[x + 1]) ++x;
    const std::uint64_t limit = kPow.ten[precision + 1];
    if (!scaled_round(v.m, v.q, precision - x, r)) return scientific_general(magnitude, precision, out);
    if (r > limit) {
      ++x;
      if (!scaled_round(v.m, v.q, precision - x, r)) return scientific_general(magnitude, precision, out);
    }
    if (r < kPow.ten[precision]) return scientific_general(magnitude, precision, out);
    if (r == limit) {
      // Rounded up to the next power of ten.
      r /= 10;
      ++x;
    }
  }
  char dg[20];
  int n;
  if (r == 0) {
    n = precision + 1;
    std::memset(dg, '0', static_cast<std::size_t>(n));
  } else {
    n = u64_digits(r, dg);
  }
  char *p = out;
  *p++ = dg[0];
  *p++ = '.';
  std::memcpy(p, dg + 1, static_cast<std::size_t>(n - 1));
  p += n - 1;
  *p++ = 'E';
  *p++ = x < 0 ? '-' : '+';
  const int ax = x < 0 ? -x : x;
  if (ax >= 100) *p++ = static_cast<char>('0' + ax / 100);
  std::memcpy(p, kPairs + 2 * (ax % 100), 2);
  p += 2;
  return static_cast<int>(p - out);
}

}  // namespace tav::io::digits
