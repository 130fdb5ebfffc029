// Scalar character operations: assignment, comparison, concatenation and
// the character temporaries, LEN, LEN_TRIM, INDEX, SCAN, VERIFY, ADJUSTL
// and ADJUSTR.
#include <cstdint>
#include <cstring>

#include "character/bytes.h"
#include "character/text.h"
#include "runtime/fatal.h"
#include "tavf90_character.h"

namespace tav::character {

int compare(const char *a, std::size_t alen, const char *b, std::size_t blen) {
  std::size_t common = alen < blen ? alen : blen;
  if (common != 0) {
    int c = std::memcmp(a, b, common);
    if (c != 0) return c < 0 ? -1 : 1;
  }
  if (alen == blen) return 0;
  // The longer operand's tail against blanks, as unsigned bytes like the
  // common part: one consistent order, so that sorting works.
  const char *tail = alen > blen ? a + common : b + common;
  std::ptrdiff_t at = first_not(tail, (alen > blen ? alen : blen) - common, ' ');
  if (at < 0) return 0;
  bool tail_above = static_cast<unsigned char>(tail[at]) > ' ';
  return (alen > blen) == tail_above ? 1 : -1;
}

std::size_t len_trim(const char *s, std::size_t n) { return static_cast<std::size_t>(last_not(s, n, ' ') + 1); }

void adjustl(char *out, const char *s, std::size_t n) {
  std::ptrdiff_t first = first_not(s, n, ' ');
  std::size_t lead = first < 0 ? n : static_cast<std::size_t>(first);
  std::memcpy(out, s + lead, n - lead);
  std::memset(out + (n - lead), ' ', lead);
}

void adjustr(char *out, const char *s, std::size_t n) {
  std::size_t used = len_trim(s, n);
  std::memset(out, ' ', n - used);
  std::memcpy(out + (n - used), s, used);
}

char *temporary(std::size_t n, const char *oom) {
  if (n == 0) return nullptr;
  void *p = __TAVf90_zoAlloc(n);
  if (p == nullptr) rt::crash("%s", oom);
  return static_cast<char *>(p);
}

namespace {

const char kCatOom[] = "Out of memory in CHARACTER concatenation";

bool is_true(const std::int32_t *flag) { return flag != nullptr && *flag != 0; }

// INDEX: 1-based position of sub in s, from the left or (back) the right.
std::size_t index(const char *s, std::size_t n, const char *sub, std::size_t m, bool back) {
  if (m == 0) return back ? n + 1 : 1;
  if (m > n) return 0;
  if (!back) {
    const void *at = memmem(s, n, sub, m);
    return at == nullptr ? 0 : static_cast<std::size_t>(static_cast<const char *>(at) - s) + 1;
  }
  // Candidates are the starts 0..n-m; each is found by its first byte.
  std::size_t starts = n - m + 1;
  while (starts != 0) {
    const void *at = memrchr(s, static_cast<unsigned char>(sub[0]), starts);
    if (at == nullptr) return 0;
    std::size_t i = static_cast<std::size_t>(static_cast<const char *>(at) - s);
    if (std::memcmp(s + i + 1, sub + 1, m - 1) == 0) return i + 1;
    starts = i;
  }
  return 0;
}

template <bool want_member>
std::size_t search(const char *s, std::size_t n, const char *set, std::size_t setlen, bool back) {
  ByteSet bytes(set, setlen);
  std::ptrdiff_t at = back ? find_in_set<want_member, true>(s, n, bytes) : find_in_set<want_member, false>(s, n, bytes);
  return static_cast<std::size_t>(at + 1);
}

// SCAN: position of the first (last) byte of s that is in the set.
int scan(const char *s, int slen, const char *set, int setlen, bool back) {
  return static_cast<int>(search<true>(s, length(slen), set, length(setlen), back));
}

// VERIFY: position of the first (last) byte of s that is not in the set;
// with an empty set every byte qualifies.
int verify(const char *s, int slen, const char *set, int setlen, bool back) {
  std::size_t n = length(slen);
  if (length(setlen) == 0) return static_cast<int>(n == 0 ? 0 : back ? n : 1);
  return static_cast<int>(search<false>(s, n, set, length(setlen), back));
}

void adjusted(tav_chtmp *result, const char *s, int len, bool left) {
  std::size_t n = length(len);
  char *out = temporary(n, left ? "Out of memory in ADJUSTL intrinsic" : "Out of memory in ADJUSTR intrinsic");
  if (n != 0) left ? adjustl(out, s, n) : adjustr(out, s, n);
  result->address = out;
  result->length = static_cast<std::intptr_t>(n);
}

}  // namespace
}  // namespace tav::character

using namespace tav::character;

extern "C" {

void __TAVf90_chasgn(char *dst, int dlen, const char *src, int slen) { assign(dst, length(dlen), src, length(slen)); }

int __TAVf90_charcmp(const char *a, const char *b, int alen, int blen) {
  return compare(a, length(alen), b, length(blen));
}

void __TAVf90_chcat(tav_chtmp *result, const char *a, int alen, const char *b, int blen) {
  std::size_t na = length(alen), nb = length(blen);
  // The result's length must be a default INTEGER like every other length.
  if (na + nb > INT32_MAX) tav::rt::crash("%s", kCatOom);
  char *out = temporary(na + nb, kCatOom);
  move_bytes(out, a, na);
  move_bytes(out + na, b, nb);
  result->address = out;
  result->length = static_cast<std::intptr_t>(na + nb);
}

void __TAVf90_chfree(tav_chtmp *pair) {
  // What __TAVf90_DeAlloc does with a temporary's storage, without the
  // call through it.
  if (pair->address != nullptr) __TAVf90_oDeAlloc(pair->address, static_cast<std::size_t>(pair->length));
  pair->address = nullptr;
  pair->length = 0;
}

int __TAVf90_len(const char *, int len) { return static_cast<int>(length(len)); }
int64_t __TAVf90_len_i4(const char *, int len) { return static_cast<int64_t>(length(len)); }

int __TAVf90_len_trim(const char *s, int len) { return static_cast<int>(len_trim(s, length(len))); }

int __TAVf90_charindex(const char *s, const char *sub, int slen, int sublen) {
  return static_cast<int>(index(s, length(slen), sub, length(sublen), false));
}
int __TAVf90_charindex3(const char *s, const char *sub, const int32_t *back, int slen, int sublen) {
  return static_cast<int>(index(s, length(slen), sub, length(sublen), is_true(back)));
}
int64_t __TAVf90_charindex_i4(const char *s, const char *sub, int slen, int sublen) {
  return static_cast<int64_t>(index(s, length(slen), sub, length(sublen), false));
}

int __TAVf90_scan(const char *s, const char *set, int slen, int setlen) { return scan(s, slen, set, setlen, false); }
int __TAVf90_scan3(const char *s, const char *set, const int32_t *back, int slen, int setlen) {
  return scan(s, slen, set, setlen, is_true(back));
}

int __TAVf90_verify(const char *s, const char *set, int slen, int setlen) {
  return verify(s, slen, set, setlen, false);
}
int __TAVf90_verify3(const char *s, const char *set, const int32_t *back, int slen, int setlen) {
  return verify(s, slen, set, setlen, is_true(back));
}

void __TAVf90_adjustl_ch(tav_chtmp *result, const char *s, int len) { adjusted(result, s, len, true); }
void __TAVf90_adjustr_ch(tav_chtmp *result, const char *s, int len) { adjusted(result, s, len, false); }

}  // extern "C"
