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

// memset(dst, c, n) for n >= 0, short counts without a call.
inline void fill_bytes(char *dst, char c, int n) {
  if (n >= 8 && n <= 16) {
    std::uint64_t a = 0x0101010101010101u * static_cast<unsigned char>(c);
    std::memcpy(dst, &a, 8);
    std::memcpy(dst + n - 8, &a, 8);
  } else if (n >= 4 && n < 8) {
    std::uint32_t a = 0x01010101u * static_cast<unsigned char>(c);
    std::memcpy(dst, &a, 4);
    std::memcpy(dst + n - 4, &a, 4);
  } else if (n > 0 && n < 4) {
    dst[0] = c;
    dst[n / 2] = c;
    dst[n - 1] = c;
  } else if (n > 0) {
    std::memset(dst, c, static_cast<std::size_t>(n));
  }
}

}  // namespace tav::io
