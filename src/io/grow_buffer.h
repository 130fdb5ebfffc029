// A buffer of working storage that grows to the largest size asked of it
// and keeps that size, so that a statement run again and again allocates
// nothing.  The I/O statements keep theirs together (io/statement.h,
// KeptStorage).
#pragma once

#include <cstddef>
#include <cstring>

#include "storage/work.h"

namespace tav::io {

class GrowBuffer {
 public:
  // `first`: the size of the first allocation; each growth at least doubles.
  explicit constexpr GrowBuffer(std::size_t first) : first_(first) {}
  GrowBuffer(const GrowBuffer &) = delete;
  GrowBuffer &operator=(const GrowBuffer &) = delete;
  ~GrowBuffer() {
    if (data_ != nullptr) storage::work_free(data_, size_);
  }

  char *data() const { return data_; }
  std::size_t size() const { return size_; }

  // Room for n bytes, the first `keep` kept; never null (running out of
  // memory ends the program).
  char *reserve(std::size_t n, std::size_t keep) {
    if (n <= size_) return data_;
    std::size_t size = size_ == 0 ? first_ : size_;
    while (size < n) size *= 2;
    auto *p = static_cast<char *>(storage::work_alloc(size));
    if (data_ != nullptr) {
      if (keep > 0) std::memcpy(p, data_, keep);
      storage::work_free(data_, size_);
    }
    data_ = p;
    size_ = size;
    return p;
  }

 private:
  char *data_ = nullptr;
  std::size_t size_ = 0;
  std::size_t first_;
};

}  // namespace tav::io
