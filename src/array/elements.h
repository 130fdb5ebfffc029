// Element access shared by the array intrinsics: loads and stores at any
// alignment, mask tests in the mask's width, and copies of elements whose
// size is known only at run time, specialised for the common sizes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

namespace tav::array {

template <class T>
inline T load(std::uintptr_t p) {
  T v;
  std::memcpy(&v, reinterpret_cast<const void *>(p), sizeof v);
  return v;
}

template <class T>
inline void store(std::uintptr_t p, const T &v) {
  std::memcpy(reinterpret_cast<void *>(p), &v, sizeof v);
}

// A LOGICAL mask element is true when any of its bits is set (for 8 bytes:
// either word).  M is the unsigned type of the mask's width.
template <class M>
inline bool selected(std::uintptr_t p) {
  return load<M>(p) != 0;
}

// Element size fixed at compile time, or carried at run time.
template <std::size_t S>
struct FixedSize {
  static constexpr std::size_t size() { return S; }
};
struct RuntimeSize {
  std::size_t n;
  std::size_t size() const { return n; }
};

template <class E>
inline void copy_element(std::uintptr_t dst, std::uintptr_t src, E e) {
  std::memcpy(reinterpret_cast<void *>(dst), reinterpret_cast<const void *>(src), e.size());
}

// n elements from src (src_step bytes apart) to dst (dst_step bytes apart);
// one block copy when both sides are contiguous.
template <class E>
inline void copy_run(std::uintptr_t dst, std::intptr_t dst_step, std::uintptr_t src, std::intptr_t src_step,
                     std::intptr_t n, E e) {
  if (n <= 0 || e.size() == 0) return;
  const auto size = static_cast<std::intptr_t>(e.size());
  if (dst_step == size && src_step == size) {
    std::memmove(reinterpret_cast<void *>(dst), reinterpret_cast<const void *>(src),
                 static_cast<std::size_t>(n) * e.size());
    return;
  }
  for (std::intptr_t i = 0; i < n; ++i) {
    copy_element(dst, src, e);
    dst += static_cast<std::uintptr_t>(dst_step);
    src += static_cast<std::uintptr_t>(src_step);
  }
}

// n copies of one element.
template <class E>
inline void fill_run(std::uintptr_t dst, std::intptr_t dst_step, std::uintptr_t src, std::intptr_t n, E e) {
  for (std::intptr_t i = 0; i < n; ++i) {
    copy_element(dst, src, e);
    dst += static_cast<std::uintptr_t>(dst_step);
  }
}

// Calls fn(E) with the element size as a compile-time constant for the
// usual sizes, so the per-element copies become plain moves.
template <class Fn>
inline void with_element_size(std::size_t n, Fn &&fn) {
  switch (n) {
    case 1: fn(FixedSize<1>{}); break;
    case 2: fn(FixedSize<2>{}); break;
    case 4: fn(FixedSize<4>{}); break;
    case 8: fn(FixedSize<8>{}); break;
    case 16: fn(FixedSize<16>{}); break;
    default: fn(RuntimeSize{n}); break;
  }
}

}  // namespace tav::array
