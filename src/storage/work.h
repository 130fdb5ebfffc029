// The library's own working storage (unit buffers, stack blocks, list nodes,
// work buffers).  Obtained through the interposable storage primitives; a
// null result ends the program through the fatal path instead of being used.
#pragma once

#include <cstddef>

namespace tav::storage {

void *work_alloc(std::size_t bytes);
void *work_zalloc(std::size_t bytes);
void work_free(void *address, std::size_t bytes);

}  // namespace tav::storage
