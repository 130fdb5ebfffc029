// Small helpers shared by the ALLOCATE, temporary and inquiry code: the
// undefined-pointer test and byte counts that cannot silently wrap.
#pragma once

#include <cstddef>
#include <cstdint>

#include "tavf90.h"

namespace tav::storage {

inline bool is_undefined(const void *p) { return p == static_cast<const void *>(TAV_UNDEFINED_POINTER); }

// The largest object the library hands out or describes: offsets and strides
// of every element must fit a signed word.
// (Capped well below the 64-bit range so that max_object + 1 never wraps.)
inline constexpr std::int64_t max_object =
    PTRDIFF_MAX < INT64_MAX / 4 ? std::int64_t{PTRDIFF_MAX} : INT64_MAX / 4;

// Number of elements between two bounds: 0 when upper is below lower.
inline std::int64_t extent_of(std::int32_t lower, std::int32_t upper) {
  return upper < lower ? 0 : std::int64_t{upper} - lower + 1;
}

// A running byte (or element) count that saturates just above max_object, so
// that a count too large for an object is recognised instead of wrapping.
class Count {
 public:
  explicit Count(std::int64_t start) : n_(start < 0 ? max_object + 1 : start) {}
  void times(std::int64_t k) {
    if (k < 0) k = max_object + 1;
    if (n_ == 0 || k == 0) {
      n_ = 0;
      return;
    }
    n_ = (k > (max_object + 1) / n_) ? max_object + 1 : n_ * k;
    if (n_ > max_object) n_ = max_object + 1;
  }
  bool fits() const { return n_ <= max_object; }
  std::int64_t value() const { return n_; }

 private:
  std::int64_t n_;
};

// Wrapping word arithmetic for values compiled code keeps in 32-bit fields.
inline std::intptr_t wrap(std::int64_t v) { return static_cast<std::intptr_t>(v); }

}  // namespace tav::storage
