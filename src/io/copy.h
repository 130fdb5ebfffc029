// Copying of the short runs that records and fields are made of.
#pragma once

#include <cstdint>
#include <cstring>

namespace tav::io {

// memcpy for n >= 0 bytes; runs of 4 to 16 bytes are moved with two
// overlapping loads and stores each, without a call.
inline void copy_bytes(char *dst, const char *src, int n) {
  if (n >= 8 && n <= 16) {
    std::uint64_t a, b;
    std::memcpy(&a, src, 8);
    std::memcpy(&b, src + n - 8, 8);
    std::memcpy(dst, &a, 8);
    std::memcpy(dst + n - 8, &b, 8);
  } else if (n >= 4 && n < 8) {
    std::uint32_t a, b;
    std::memcpy(&a, src, 4);
    std::memcpy(&b, src + n - 4, 4);
    std::memcpy(dst, &a, 4);
    std::memcpy(dst + n - 4, &b, 4);
  } else {
    std::memcpy(dst, src, static_cast<std::size_t>(n));
  }
}

}  // namespace tav::io
