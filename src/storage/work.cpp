#include "storage/work.h"

#include "runtime/fatal.h"
#include "tavf90.h"

namespace tav::storage {

void *work_alloc(std::size_t bytes) {
  void *p = __TAVf90_oAlloc(bytes);
  if (p == nullptr) rt::crash("Out of memory");
  return p;
}

void *work_zalloc(std::size_t bytes) {
  void *p = __TAVf90_zoAlloc(bytes);
  if (p == nullptr) rt::crash("Out of memory");
  return p;
}

void work_free(void *address, std::size_t bytes) {
  if (address != nullptr) __TAVf90_oDeAlloc(address, bytes);
}

}  // namespace tav::storage
