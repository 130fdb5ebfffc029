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

int fixed(double magnitude, int decimals, char *out) {
  char *end = std::to_chars(out, out + fixed_capacity(decimals), magnitude, std::chars_format::fixed, decimals).ptr;
  if (decimals == 0) *end++ = '.';
  return static_cast<int>(end - out);
}

int scientific(double magnitude, int precision, char *out) {
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

}  // namespace tav::io::digits
