// Character operations on (address, length) strings, shared by the scalar
// entries and the element loops of the array forms.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "tavf90_character.h"

namespace tav::character {

// Lengths arrive as signed words; a negative one describes no characters.
inline std::size_t length(std::intptr_t n) { return n > 0 ? static_cast<std::size_t>(n) : 0; }

// n bytes from src to dst; the operands may overlap.  Up to 16 bytes are
// moved inline, every byte loaded before any is stored: the short strings
// of concatenations and assignments should not cost a library call each.
inline void move_bytes(char *dst, const char *src, std::size_t n) {
  if (n > 16) {
    std::memmove(dst, src, n);
  } else if (n >= 8) {
    std::uint64_t head, tail;
    std::memcpy(&head, src, 8);
    std::memcpy(&tail, src + n - 8, 8);
    std::memcpy(dst, &head, 8);
    std::memcpy(dst + n - 8, &tail, 8);
  } else if (n >= 4) {
    std::uint32_t head, tail;
    std::memcpy(&head, src, 4);
    std::memcpy(&tail, src + n - 4, 4);
    std::memcpy(dst, &head, 4);
    std::memcpy(dst + n - 4, &tail, 4);
  } else if (n != 0) {
    const char first = src[0], middle = src[n / 2], last = src[n - 1];
    dst[0] = first;
    dst[n / 2] = middle;
    dst[n - 1] = last;
  }
}

// dst = src, truncated or blank-padded; the operands may overlap.
inline void assign(char *dst, std::size_t dlen, const char *src, std::size_t slen) {
  std::size_t n = dlen < slen ? dlen : slen;
  if (dst != src) move_bytes(dst, src, n);
  if (dlen > n) std::memset(dst + n, ' ', dlen - n);
}

// -1, 0 or 1; the shorter operand is compared as if blank-padded.
int compare(const char *a, std::size_t alen, const char *b, std::size_t blen);

// Position (1-based) of the last non-blank, 0 when there is none.
std::size_t len_trim(const char *s, std::size_t n);

// out (n bytes, not overlapping s) = ADJUSTL(s) or ADJUSTR(s).
void adjustl(char *out, const char *s, std::size_t n);
void adjustr(char *out, const char *s, std::size_t n);

// Storage for a character temporary of n bytes from the zeroing primitive:
// null for n = 0, the fatal path with `oom` when the request fails.
char *temporary(std::size_t n, const char *oom);

}  // namespace tav::character
