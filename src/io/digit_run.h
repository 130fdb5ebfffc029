// Runs of decimal digits read eight characters at a time: the characters
// are loaded as one little-endian 64-bit word, tested and added up with a
// few word operations instead of a step per character.
#pragma once

#include <cstdint>
#include <cstring>

namespace tav::io::input {

inline std::uint64_t load8(const char *p) {
  std::uint64_t v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

// How many of the eight characters at p are digits before the first that
// is not (0 to 8).  A byte whose high nibble is not 3, or whose low nibble
// is above 9, is not a digit; a carry out of a byte above 0xF9 only
// reaches the bytes after it.
inline int leading_digits8(const char *p) {
  const std::uint64_t v = load8(p);
  const std::uint64_t high = (v & 0xF0F0F0F0F0F0F0F0u) ^ 0x3030303030303030u;
  const std::uint64_t low = ((v + 0x0606060606060606u) & 0xF0F0F0F0F0F0F0F0u) ^ 0x3030303030303030u;
  const std::uint64_t bad = high | low;
  return bad == 0 ? 8 : __builtin_ctzll(bad) / 8;
}

// The value of the k digits at p (1 <= k <= 8; the eight characters at p
// must be readable): moved to the top of the word, below them zeros that
// read as leading zeros, then pairs, quadruples and the octet combined.
inline std::uint32_t digits8_value(const char *p, int k) {
  std::uint64_t v = load8(p) << (8 * (8 - k));
  v = ((v & 0x0F0F0F0F0F0F0F0Fu) * 2561) >> 8;
  v = ((v & 0x00FF00FF00FF00FFu) * 6553601) >> 16;
  return static_cast<std::uint32_t>(((v & 0x0000FFFF0000FFFFu) * 42949672960001u) >> 32);
}

// The value of the digits that end the eight characters ending at `end`,
// from p on (end - 8 <= p < end; the eight characters must be readable),
// if all of them are digits; else false.
inline bool trailing_digits_value(const char *p, const char *end, std::uint32_t *value) {
  const int junk = 8 - static_cast<int>(end - p);
  const std::uint64_t keep = ~std::uint64_t{0} << (8 * junk);
  const std::uint64_t v = load8(end - 8) & keep;
  const std::uint64_t high = (v & 0xF0F0F0F0F0F0F0F0u) ^ 0x3030303030303030u;
  const std::uint64_t low = ((v + 0x0606060606060606u) & 0xF0F0F0F0F0F0F0F0u) ^ 0x3030303030303030u;
  if (((high | low) & keep) != 0) return false;
  std::uint64_t x = ((v & 0x0F0F0F0F0F0F0F0Fu) * 2561) >> 8;
  x = ((x & 0x00FF00FF00FF00FFu) * 6553601) >> 16;
  *value = static_cast<std::uint32_t>(((x & 0x0000FFFF0000FFFFu) * 42949672960001u) >> 32);
  return true;
}

// The first character from p on (up to end) that is not a blank, eight
// characters at a time.
inline const char *skip_blanks(const char *p, const char *end) {
  while (end - p >= 8) {
    const std::uint64_t x = load8(p) ^ 0x2020202020202020u;
    if (x != 0) return p + __builtin_ctzll(x) / 8;
    p += 8;
  }
  while (p < end && *p == ' ') ++p;
  return p;
}

// The first character from p on (up to end) that is not a digit, eight
// characters at a time.
inline const char *skip_digits(const char *p, const char *end) {
  while (end - p >= 8) {
    const int k = leading_digits8(p);
    p += k;
    if (k < 8) return p;
  }
  while (p < end && *p >= '0' && *p <= '9') ++p;
  return p;
}

inline constexpr std::uint32_t kPow10[9] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000};

// Adds the digits from p on (up to `end`) to m, at most `limit` + 8 of
// them; returns the first character that is not a digit (or end, or the
// point where more than `limit` digits were seen, which the caller
// detects from the count).
inline const char *add_digits(const char *p, const char *end, std::uint64_t *m, std::int64_t limit) {
  const char *const start = p;
  std::uint64_t v = *m;
  while (end - p >= 8 && p - start <= limit) {
    const int k = leading_digits8(p);
    if (k > 0) v = v * kPow10[k] + digits8_value(p, k);
    p += k;
    if (k < 8) {
      *m = v;
      return p;
    }
  }
  while (p < end && p - start <= limit && *p >= '0' && *p <= '9') v = v * 10 + static_cast<unsigned>(*p++ - '0');
  *m = v;
  return p;
}

}  // namespace tav::io::input
