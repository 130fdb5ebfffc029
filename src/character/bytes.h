// Byte searches behind LEN_TRIM, comparison, SCAN and VERIFY: the blank
// run at the end of a string, the first non-blank of a tail, and the first
// or last byte in (or not in) a set.  With SSE2 they look at 16 bytes per
// step; positions are 0-based and -1 means none.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tav::character {

// The distinct bytes of a set, with a membership table for the slow path.
struct ByteSet {
  bool member[256] = {};
  unsigned char unique[256];
  int count = 0;

  ByteSet(const char *set, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) {
      auto c = static_cast<unsigned char>(set[i]);
      if (!member[c]) member[c] = true, unique[count++] = c;
    }
  }
};

#if defined(__SSE2__)
// Sets this small are matched by comparing every member against 16 bytes.
inline constexpr int kVectorSet = 8;

// Bit i set when byte i of the block is in the set.
inline unsigned block_members(const char *p, const __m128i *members, int count) {
  __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
  __m128i hit = _mm_cmpeq_epi8(block, members[0]);
  for (int k = 1; k < count; ++k) hit = _mm_or_si128(hit, _mm_cmpeq_epi8(block, members[k]));
  return static_cast<unsigned>(_mm_movemask_epi8(hit));
}
#endif

// First (or, with back, last) position whose byte is in the set when
// `want_member`, not in it otherwise; -1 when there is none.
template <bool want_member, bool back>
std::ptrdiff_t find_in_set(const char *s, std::size_t n, const ByteSet &set) {
  std::size_t lo = 0, hi = n;  // the part not yet examined
#if defined(__SSE2__)
  if (set.count >= 1 && set.count <= kVectorSet) {
    __m128i members[kVectorSet];
    for (int k = 0; k < set.count; ++k) members[k] = _mm_set1_epi8(static_cast<char>(set.unique[k]));
    while (hi - lo >= 16) {
      std::size_t at = back ? hi - 16 : lo;
      unsigned bits = block_members(s + at, members, set.count);
      if (!want_member) bits ^= 0xFFFFu;
      if (bits != 0)
        return static_cast<std::ptrdiff_t>(at) + (back ? 31 - __builtin_clz(bits) : __builtin_ctz(bits));
      if (back) hi -= 16; else lo += 16;
    }
  }
#endif
  if (back) {
    for (std::size_t i = hi; i > lo; --i)
      if (set.member[static_cast<unsigned char>(s[i - 1])] == want_member) return static_cast<std::ptrdiff_t>(i - 1);
  } else {
    for (std::size_t i = lo; i < hi; ++i)
      if (set.member[static_cast<unsigned char>(s[i])] == want_member) return static_cast<std::ptrdiff_t>(i);
  }
  return -1;
}

// Position of the first byte that is not c, or -1.
inline std::ptrdiff_t first_not(const char *s, std::size_t n, char c) {
  std::size_t i = 0;
#if defined(__SSE2__)
  const __m128i cc = _mm_set1_epi8(c);
  for (; n - i >= 16; i += 16) {
    __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i *>(s + i));
    unsigned bits = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, cc))) ^ 0xFFFFu;
    if (bits != 0) return static_cast<std::ptrdiff_t>(i) + __builtin_ctz(bits);
  }
#endif
  for (; i < n; ++i)
    if (s[i] != c) return static_cast<std::ptrdiff_t>(i);
  return -1;
}

// Position of the last byte that is not c, or -1.  Four blocks per step
// over long runs, so a long blank tail is read at memory speed.
inline std::ptrdiff_t last_not(const char *s, std::size_t n, char c) {
  std::size_t hi = n;
#if defined(__SSE2__)
  const __m128i cc = _mm_set1_epi8(c);
  auto load = [s](std::size_t at) { return _mm_loadu_si128(reinterpret_cast<const __m128i *>(s + at)); };
  while (hi >= 64) {
    __m128i all = _mm_and_si128(_mm_and_si128(_mm_cmpeq_epi8(load(hi - 64), cc), _mm_cmpeq_epi8(load(hi - 48), cc)),
                                _mm_and_si128(_mm_cmpeq_epi8(load(hi - 32), cc), _mm_cmpeq_epi8(load(hi - 16), cc)));
    if (_mm_movemask_epi8(all) != 0xFFFF) break;
    hi -= 64;
  }
  while (hi >= 16) {
    unsigned bits = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(load(hi - 16), cc))) ^ 0xFFFFu;
    if (bits != 0) return static_cast<std::ptrdiff_t>(hi - 16) + 31 - __builtin_clz(bits);
    hi -= 16;
  }
#endif
  for (; hi > 0; --hi)
    if (s[hi - 1] != c) return static_cast<std::ptrdiff_t>(hi - 1);
  return -1;
}

}  // namespace tav::character
