// Default storage primitives.  They have default visibility and are called
// through the PLT everywhere in the library, so a program that defines its
// own versions replaces them for the library's calls too.
#include <cstdlib>

#include "tavf90.h"

namespace {
// malloc(0) may legitimately return null; callers treat null as "out of
// storage", so zero-byte requests get a one-byte block.
inline std::size_t at_least_one(std::size_t n) { return n == 0 ? 1 : n; }
inline bool is_undefined(const void *p) { return p == TAV_UNDEFINED_POINTER; }
}  // namespace

extern "C" {

void *__TAVf90_oAlloc(size_t bytes) { return std::malloc(at_least_one(bytes)); }
void *__TAVf90_zoAlloc(size_t bytes) { return std::calloc(1, at_least_one(bytes)); }
void __TAVf90_oDeAlloc(void *address, size_t) { std::free(address); }

void *__TAVf90_ReAlloc_90(void *address, size_t element_size, size_t, size_t new_count) {
  return std::realloc(address, at_least_one(element_size * new_count));
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
