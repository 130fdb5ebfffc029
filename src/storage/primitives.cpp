// Default storage primitives.  They have default visibility and are called
// through the PLT everywhere in the library, so a program that defines its
// own versions replaces them for the library's calls too.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "tavf90.h"

namespace {
// malloc(0) may legitimately return null; callers treat null as "out of
// storage", so zero-byte requests get a one-byte block.
inline std::size_t at_least_one(std::size_t n) { return n == 0 ? 1 : n; }
inline bool is_undefined(const void *p) { return p == TAV_UNDEFINED_POINTER; }
// Blocks up to kSmallBlock bytes, and from kLargeBlock bytes (the size from
// which the C library maps a block as pages of its own).
constexpr std::size_t kSmallBlock = 1024, kLargeBlock = 128 * 1024;

// The last block released of each size up to kKeptBlock bytes (character
// temporaries, mostly) is kept and handed out again by the next request of
// exactly that size, so that a temporary obtained and released in a loop
// costs no call into the C library.  Only the working-storage family
// (oAlloc, zoAlloc, oDeAlloc) keeps blocks.  Under AddressSanitizer every
// block goes back to the C library, where a use after release is caught.
#if defined(__SANITIZE_ADDRESS__)
constexpr std::size_t kKeptBlock = 0;
#else
constexpr std::size_t kKeptBlock = 64;
#endif
void *kept[kKeptBlock + 1];

inline void *take_kept(std::size_t bytes) {
  if (bytes == 0 || bytes > kKeptBlock) return nullptr;
  void *p = kept[bytes];
  kept[bytes] = nullptr;
  return p;
}
}  // namespace

extern "C" {

void *__TAVf90_oAlloc(size_t bytes) {
  if (void *p = take_kept(bytes)) return p;
  return std::malloc(at_least_one(bytes));
}

// A small zeroed block (a character temporary, say) is a kept one or is
// malloc'd, and cleared here: the C library's calloc passes by the
// per-thread cache of small blocks that malloc serves them from, and costs
// several times as much.  A large one comes from calloc, which knows when
// fresh pages are zero.
void *__TAVf90_zoAlloc(size_t bytes) {
  if (bytes > kSmallBlock) return std::calloc(1, bytes);
  auto *p = static_cast<unsigned char *>(take_kept(bytes));
  if (p == nullptr && (p = static_cast<unsigned char *>(std::malloc(at_least_one(bytes)))) == nullptr) return p;
  if (bytes >= 8 && bytes <= 16) {
    // The usual character temporary: two stores instead of a call.
    const std::uint64_t zero = 0;
    std::memcpy(p, &zero, 8);
    std::memcpy(p + bytes - 8, &zero, 8);
  } else {
    std::memset(p, 0, bytes);
  }
  return p;
}

void __TAVf90_oDeAlloc(void *address, size_t bytes) {
  if (address != nullptr && bytes != 0 && bytes <= kKeptBlock && kept[bytes] == nullptr) {
    kept[bytes] = address;
    return;
  }
  std::free(address);
}

// The C library maps a large block as pages of its own and unmaps it when
// it is freed; each page of a new mapping costs a fault when first touched.
// Freeing a mapped block raises the size from which it maps blocks to that
// block's size, so that blocks up to that size come from storage it keeps.
// PACK obtains size(ARRAY) elements and shrinks them to its count: shrunk
// in place, a mapped block stays mapped, and its release then leaves the
// next PACK of the same size to fresh pages again.  So a large block that
// keeps a large part is copied into a new block of the kept size and
// released whole.
void *__TAVf90_ReAlloc_90(void *address, size_t element_size, size_t old_count, size_t new_count) {
  const size_t keep = element_size * new_count;
  if (keep < kLargeBlock || keep >= element_size * old_count) return std::realloc(address, at_least_one(keep));
  void *p = std::malloc(at_least_one(keep));
  if (p != nullptr) {
    std::memcpy(p, address, keep);
    std::free(address);
  }
  return p;
}

void *__TAVf90_pAlloc(size_t bytes) { return std::malloc(at_least_one(bytes)); }
void *__TAVf90_zpAlloc(size_t bytes) { return std::calloc(1, at_least_one(bytes)); }

void __TAVf90_pDeAlloc(void *address, size_t, int *stat) {
  // A POINTER that was never associated holds all bits set; that is not an
  // address of ours and must never reach free().
  if (is_undefined(address)) {
    if (stat != nullptr) *stat = 1;
    return;
  }
  std::free(address);
}

void *__TAVf90_aAlloc(size_t bytes) { return std::malloc(at_least_one(bytes)); }
void *__TAVf90_zaAlloc(size_t bytes) { return std::calloc(1, at_least_one(bytes)); }
void __TAVf90_aDeAlloc(void *address, size_t) { std::free(address); }
void __TAVf90_oaDeAlloc(void *address, size_t) { std::free(address); }

}  // extern "C"
