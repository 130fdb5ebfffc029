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
  digits_back(static_cast<std::uint32_t>(v - high * 1000000000u), end, 9);
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
//
// Cheaper still, and tried first: a value whose integer part fits 64 bits
// is split into that integer and a binary fraction, whose decimals come
// out exactly from 32 x 32-bit products (fixed_split, scientific_split
// below).
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

constexpr std::uint32_t kPow10u32[10] = {1,      10,      100,      1000,      10000,
                                         100000, 1000000, 10000000, 100000000, 1000000000};

int u64_digits_wide(std::uint64_t v, char *out);

// Decimal digits of v without leading zeros; 64-bit divisions only by 10^9.
// The usual 32-bit case is inlined into the callers.
inline int u64_digits(std::uint64_t v, char *out) {
  if (v > 0xFFFFFFFFu) return u64_digits_wide(v, out);
  const std::uint32_t x = static_cast<std::uint32_t>(v);
  const int n = decimal_length(x);
  digits_back(x, out + n, n);
  return n;
}

__attribute__((noinline)) int u64_digits_wide(std::uint64_t v, char *out) {
  const std::uint64_t q = v / 1000000000u;
  const std::uint32_t low = static_cast<std::uint32_t>(v - q * 1000000000u);
  int n;
  if (q <= 0xFFFFFFFFu) {
    const std::uint32_t hi = static_cast<std::uint32_t>(q);
    n = decimal_length(hi);
    digits_back(hi, out + n, n);
  } else {
    const std::uint32_t top = static_cast<std::uint32_t>(q / 1000000000u);
    const std::uint32_t mid = static_cast<std::uint32_t>(q - std::uint64_t{top} * 1000000000u);
    n = decimal_length(top);
    digits_back(top, out + n, n);
    digits_back(mid, out + n + 9, 9);
    n += 9;
  }
  digits_back(low, out + n + 9, 9);
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

// Exact conversion through an integer part and a binary fraction.
//
// For v = I + f / 2^s with I < 2^64 and f < 2^s, the decimals of f / 2^s
// come out up to nine at a time: the product f * 10^k (at most 96 bits,
// built from two 32 x 32-bit products) holds the next k decimals above
// bit s and the rest of the fraction below it, so everything is exact, and
// the bits below s tell exactly whether the dropped part is below, at or
// above one half of the last decimal kept.

// The first k <= 9 decimals of a tiny fraction f / 2^s, 64 < s < 96 and
// f < 2^53 (c = 10^k), and the rest against one half of the last of them
// (-1, 0, 1).
struct Chunk {
  std::uint32_t digits;
  int rest_vs_half;
};

Chunk tiny_fraction_decimals(std::uint64_t f, int s, std::uint32_t c) {
  // f * c < 2^83: bits 32..95 in hi, bits 0..31 in lo.
  const std::uint64_t a = std::uint64_t{static_cast<std::uint32_t>(f)} * c;
  const std::uint64_t hi = std::uint64_t{static_cast<std::uint32_t>(f >> 32)} * c + (a >> 32);
  const std::uint32_t lo = static_cast<std::uint32_t>(a);
  const int t = s - 32;  // 32 < t < 64
  const std::uint64_t rest_hi = hi & ((std::uint64_t{1} << t) - 1);
  const std::uint64_t half = std::uint64_t{1} << (t - 1);
  // (The rest is never 0: f * c has fewer than 62 factors 2.)
  return {static_cast<std::uint32_t>(hi >> t), rest_hi != half ? (rest_hi > half ? 1 : -1) : (lo != 0 ? 1 : 0)};
}

// Writes the first `count` decimals of f / 2^s, truncated, to out and
// returns the rest against one half of the last of them: 1 above, 0 equal,
// -1 below, kNoRest when there is no rest at all.
// Requires f < 2^s and either s <= 64 or (count <= 9 and f < 2^53).
constexpr int kNoRest = -2;
int fraction_decimals(std::uint64_t f, int s, int count, char *out) {
  if (f == 0 || s >= 96) {
    // With s >= 96, f * 10^9 < 2^83 is far below one half of 2^s.
    std::memset(out, '0', static_cast<std::size_t>(count));
    return f == 0 ? kNoRest : -1;
  }
  if (s > 64) {
    const Chunk c = tiny_fraction_decimals(f, s, kPow10u32[count]);
    digits_back(c.digits, out + count, count);
    return c.rest_vs_half;
  }
  // As a 64-bit binary fraction F / 2^64, the next k decimals are the top
  // 32 bits of the 96-bit product F * 10^k and the rest is its low 64 bits,
  // already in place for the next step.  Only 32-bit products and moves.
  std::uint64_t frac = f << (64 - s);
  std::uint32_t d, rest_hi, rest_lo;
  for (;;) {
    const int k = count > 9 ? 9 : count;
    const std::uint32_t c = kPow10u32[k];
    const std::uint64_t a = std::uint64_t{static_cast<std::uint32_t>(frac)} * c;
    const std::uint64_t hi = std::uint64_t{static_cast<std::uint32_t>(frac >> 32)} * c + (a >> 32);
    d = static_cast<std::uint32_t>(hi >> 32);
    rest_hi = static_cast<std::uint32_t>(hi);
    rest_lo = static_cast<std::uint32_t>(a);
    digits_back(d, out + k, k);
    if (count == k) break;
    out += k;
    count -= k;
    frac = (std::uint64_t{rest_hi} << 32) | rest_lo;
  }
  if (rest_hi != 0x80000000u) return rest_hi > 0x80000000u ? 1 : (rest_hi | rest_lo) != 0 ? -1 : kNoRest;
  return rest_lo != 0 ? 1 : 0;
}

// Adds one to the last of n decimal digits; true when all of them were 9
// (they are all 0 then).
bool increment(char *dg, int n) {
  for (int i = n - 1; i >= 0; --i) {
    if (dg[i] != '9') {
      ++dg[i];
      return false;
    }
    dg[i] = '0';
  }
  return true;
}

// v = integer + fraction / 2^s with fraction < 2^s (s = 0: no fraction).
struct Split {
  std::uint64_t integer;
  std::uint64_t fraction;
  int s;
};

// False when the integer part does not fit 64 bits.
bool split(Decomposed v, Split &out) {
  if (v.q >= 0) {
    if (v.q > 11) return false;  // m < 2^53
    out = {v.m << v.q, 0, 0};
  } else if (v.q > -64) {
    const int s = -v.q;
    out = {v.m >> s, v.m & ((std::uint64_t{1} << s) - 1), s};
  } else {
    out = {0, v.m, -v.q};
  }
  return true;
}

// "%#.*f" through the split: false (nothing written) when the integer part
// is too large or the fraction too long for the chunked decimals.
bool fixed_split(const Decomposed v, int decimals, char *out, int &len) {
  Split x;
  if (!split(v, x)) return false;
  if (decimals > 9 && x.s > 64 && x.fraction != 0) return false;
  int n = u64_digits(x.integer, out);
  out[n] = '.';
  char *frac = out + n + 1;
  const int cmp = fraction_decimals(x.fraction, x.s, decimals, frac);
  if (cmp > 0 || (cmp == 0 && ((decimals > 0 ? frac[decimals - 1] - '0' : static_cast<int>(x.integer)) & 1))) {
    if (decimals == 0 || increment(frac, decimals)) {
      // The carry reaches the integer part, which may gain a digit.
      n = u64_digits(x.integer + 1, out);
      out[n] = '.';
      std::memset(out + n + 1, '0', static_cast<std::size_t>(decimals));
    }
  }
  len = n + 1 + decimals;
  return true;
}

// The significant digits of "%#.*E" below 1 for 2^-64 <= v < 1 (see
// scientific_split).
bool scientific_fraction(const Split x, int precision, char *dg, int &exponent) {
  // floor(log10(v)) is est - 1, est or est + 1, with est from the leading
  // bit: enough decimals for the smallest of them, so that at least
  // precision + 1 significant digits are there (at most two more).
  const int e2 = 63 - __builtin_clzll(x.fraction) - x.s;
  const int est = (e2 * 78913) >> 18;
  const int count = precision - est + 1;
  const int state = fraction_decimals(x.fraction, x.s, count, dg);
  int lead = 0;
  while (dg[lead] == '0') ++lead;
  char *sig = dg + lead;
  const int keep = precision + 1;
  const int extra = count - lead - keep;
  bool up;
  if (extra == 0) {
    up = state > 0 || (state == 0 && ((sig[keep - 1] - '0') & 1));
  } else if (sig[keep] != '5') {
    up = sig[keep] > '5';
  } else {
    const bool beyond = state != kNoRest || (extra == 2 && sig[keep + 1] != '0');
    up = beyond || ((sig[keep - 1] - '0') & 1);
  }
  exponent = -lead - 1;
  if (up && increment(sig, keep)) {
    sig[0] = '1';
    ++exponent;
  }
  std::memmove(dg, sig, static_cast<std::size_t>(keep));
  return true;
}

// The significant digits of "%#.*E" (precision + 1 of them into dg, which
// must hold kSplitDigitsCapacity) and the decimal exponent, for nonzero
// values whose integer part fits 64 bits and which are at least 2^-64;
// false otherwise.
constexpr int kMaxSplitPrecision = 40;
constexpr int kSplitDigitsCapacity = kMaxSplitPrecision + 24;
bool scientific_split(const Decomposed v, int precision, char *dg, int &exponent) {
  Split x;
  if (precision > kMaxSplitPrecision || !split(v, x)) return false;
  if (x.integer == 0) return x.s <= 64 && x.fraction != 0 && scientific_fraction(x, precision, dg, exponent);
  const int n = u64_digits(x.integer, dg);
  const int keep = precision + 1;
  int x10 = n - 1;
  bool up;
  if (keep >= n) {
    const int cmp = fraction_decimals(x.fraction, x.s, keep - n, dg + n);
    up = cmp > 0 || (cmp == 0 && ((dg[keep - 1] - '0') & 1));
  } else {
    // Rounded inside the integer digits: whatever follows the first
    // dropped digit (more digits, the fraction) only matters on a 5.
    const char next = dg[keep];
    if (next != '5') {
      up = next > '5';
    } else {
      bool beyond = x.fraction != 0;
      for (int i = keep + 1; i < n && !beyond; ++i) beyond = dg[i] != '0';
      up = beyond || ((dg[keep - 1] - '0') & 1);
    }
  }
  if (up && increment(dg, keep)) {
    dg[0] = '1';
    ++x10;
  }
  exponent = x10;
  return true;
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

// significant() through the general conversion.
int significant_general(double magnitude, int precision, char *dg) {
  const int len = scientific_general(magnitude, precision, dg);
  // dg: d '.' <precision digits> 'E' sign exponent digits
  int x = 0;
  for (const char *q = dg + precision + 4; q < dg + len; ++q) x = x * 10 + (*q - '0');
  if (dg[precision + 3] == '-') x = -x;
  std::memmove(dg + 1, dg + 2, static_cast<std::size_t>(precision));
  return x;
}

// "%#.*E" from precision + 1 significant digits and the exponent.
int scientific_text(const char *dg, int precision, int x, char *out) {
  char *p = out;
  *p++ = dg[0];
  *p++ = '.';
  std::memcpy(p, dg + 1, static_cast<std::size_t>(precision));
  p += precision;
  *p++ = 'E';
  *p++ = x < 0 ? '-' : '+';
  const int ax = x < 0 ? -x : x;
  // At least two exponent digits.
  const int n = ax >= 100 ? 3 : 2;
  digits_back(static_cast<std::uint32_t>(ax), p + n, n);
  p += n;
  return static_cast<int>(p - out);
}

}  // namespace

int fixed(double magnitude, int decimals, char *out) {
  const Decomposed v = decompose(magnitude);
  int len;
  if (fixed_split(v, decimals, out, len)) return len;
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

int significant(double magnitude, int precision, char *dg) {
  const Decomposed v = decompose(magnitude);
  int x = 0;
  if (char tmp[kSplitDigitsCapacity]; v.m != 0 && scientific_split(v, precision, tmp, x)) {
    std::memcpy(dg, tmp, static_cast<std::size_t>(precision + 1));
    return x;
  }
  if (precision > 17) return significant_general(magnitude, precision, dg);
  std::uint64_t r = 0;
  if (v.m == 0) {
    // Zero: all digits 0, exponent +00.
    std::memset(dg, '0', static_cast<std::size_t>(precision + 1));
    return 0;
  }
  // floor(log10(v)) is x or x + 1, from the position of the leading bit.
  const int e2 = v.q + 63 - __builtin_clzll(v.m);
  x = (e2 * 78913) >> 18;
  // For values of 1 and above the exact powers of ten settle the choice
  // between x and x + 1 at once; otherwise a result with one digit too
  // many shows that x + 1 is right.
  if (x >= 0 && x < kMaxExactPow10 && magnitude >= kExactPow10.v[x + 1]) ++x;
  const std::uint64_t limit = kPow.ten[precision + 1];
  if (!scaled_round(v.m, v.q, precision - x, r)) return significant_general(magnitude, precision, dg);
  if (r > limit) {
    ++x;
    if (!scaled_round(v.m, v.q, precision - x, r)) return significant_general(magnitude, precision, dg);
  }
  if (r < kPow.ten[precision]) return significant_general(magnitude, precision, dg);
  if (r == limit) {
    // Rounded up to the next power of ten.
    r /= 10;
    ++x;
  }
  u64_digits(r, dg);
  return x;
}

int scientific(double magnitude, int precision, char *out) {
  if (precision > kMaxSplitPrecision) return scientific_general(magnitude, precision, out);
  char dg[scientific_capacity(kMaxSplitPrecision)];
  const int x = significant(magnitude, precision, dg);
  return scientific_text(dg, precision, x, out);
}

}  // namespace tav::io::digits
