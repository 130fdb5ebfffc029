#include "io/digits.h"

#include <charconv>
#include <cstring>

namespace tav::io::digits {

int decimal(std::uint64_t v, char *out) {
  return static_cast<int>(std::to_chars(out, out + 20, v).ptr - out);
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
