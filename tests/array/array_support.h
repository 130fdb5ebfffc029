// Helpers of the array intrinsic tests: sections of every rank with gaps,
// negative strides and lower bounds other than 1, addressed by subscripts
// (the reference side never uses the library's walk) and random contents;
// and small contiguous arrays for hand-worked answers.
#pragma once

#include <dlfcn.h>
#include <random>

#include "support/common.h"

namespace array_test {

// The shape of a test section: extents, a gap (stride multiplier) and a
// direction per dimension.
struct Shape {
  int rank;
  std::intptr_t extent[7];
  int gap[7];         // 0 means 1
  unsigned reversed;  // bit k: dimension k + 1 runs backwards in memory
};

// Shapes over ranks 1 to 7, with sections, negative strides and zero extents.
inline const std::vector<Shape> &shapes() {
  static const std::vector<Shape> all = {
      {1, {5}, {}, 0},         {1, {6}, {2}, 1},        {1, {0}, {}, 0},
      {2, {2, 3}, {}, 2},      {2, {17, 9}, {1, 2}, 1}, {2, {0, 3}, {}, 0},
      {3, {2, 3, 4}, {2, 1, 3}, 0}, {3, {3, 0, 2}, {}, 4}, {4, {2, 3, 4, 5}, {}, 5},
      {5, {3, 1, 2, 2, 3}, {1, 1, 2, 1, 1}, 16}, {6, {2, 2, 1, 3, 2, 2}, {}, 34},
      {7, {2, 1, 2, 3, 1, 2, 2}, {3, 1, 1, 2, 1, 1, 1}, 73},
  };
  return all;
}

inline std::string describe(const Shape &s) {
  std::string t = "rank " + std::to_string(s.rank) + " extents";
  for (int k = 0; k < s.rank; ++k) t += " " + std::to_string(s.extent[k]);
  return t + " reversed " + std::to_string(s.reversed);
}

// An entry point by name, without its "__TAVf90_" prefix.
template <class F>
F entry(const std::string &name) {
  auto f = reinterpret_cast<F>(dlsym(RTLD_DEFAULT, ("__TAVf90_" + name).c_str()));
  EXPECT_NE(f, nullptr) << name;
  return f;
}

inline std::mt19937 &rng() {
  static std::mt19937 g(20261206);
  return g;
}

// A section of a larger parent block, built the way compiled code describes
// one: base at the first element in array element order, byte strides that
// may be negative or skip elements, lower bounds 10, 9, 8, ...  The same
// section is also described as CHARACTER of length `size`.
class Section {
 public:
  Section(const Shape &s, std::size_t size, std::uint32_t salt = 0) : shape_(s), size_(size) {
    std::size_t parent = size;
    std::intptr_t first = 0;
    for (int k = 0; k < s.rank; ++k) {
      const int g = s.gap[k] > 0 ? s.gap[k] : 1;
      const std::intptr_t stride = static_cast<std::intptr_t>(parent) * g * (((s.reversed >> k) & 1u) ? -1 : 1);
      if (stride < 0 && s.extent[k] > 0) first -= (s.extent[k] - 1) * stride;
      desc_.dim[k] = tav_dim{s.extent[k], stride, 10 - k};
      desc_.offset -= stride * (10 - k);
      parent *= s.extent[k] * g > 0 ? static_cast<std::size_t>(s.extent[k] * g) : 1;
    }
    // Salted padding so that two sections of one shape sit differently.
    const std::size_t pad = 8 * (salt % 3);
    block_.assign(parent + pad + 16, std::uint8_t{0xA5});
    desc_.base = reinterpret_cast<char *>(block_.data()) + pad + first;
    cdesc_ = tav_cptr_desc{desc_.base, static_cast<std::intptr_t>(size), desc_.offset, {}};
    std::memcpy(cdesc_.dim, desc_.dim, sizeof desc_.dim);
  }

  const tav_ptr_desc *desc() const { return &desc_; }
  const tav_cptr_desc *cdesc() const { return &cdesc_; }
  int rank() const { return shape_.rank; }
  std::intptr_t extent(int k) const { return shape_.extent[k]; }
  std::size_t size() const { return size_; }
  std::intptr_t count() const {
    std::intptr_t n = 1;
    for (int k = 0; k < shape_.rank; ++k) n *= shape_.extent[k];
    return n;
  }
  // Element with 0-based subscripts.
  char *at(const std::intptr_t *sub) const {
    char *p = desc_.base;
    for (int k = 0; k < shape_.rank; ++k) p += sub[k] * desc_.dim[k].stride;
    return p;
  }
  void subscripts(std::intptr_t n, std::intptr_t *sub) const {
    for (int k = 0; k < shape_.rank; ++k) sub[k] = n % shape_.extent[k], n /= shape_.extent[k];
  }
  template <class T>
  T get(const std::intptr_t *sub) const {
    T v;
    std::memcpy(&v, at(sub), sizeof v);
    return v;
  }
  // The number, in array element order of this shape without dimension d,
  // of the section along d through subscripts sub.
  std::intptr_t without(int d, const std::intptr_t *sub) const {
    std::intptr_t m = 0;
    for (int k = shape_.rank - 1; k >= 0; --k)
      if (k != d) m = m * shape_.extent[k] + sub[k];
    return m;
  }
  // Element number n in array element order.
  char *nth(std::intptr_t n) const {
    std::intptr_t sub[7];
    subscripts(n, sub);
    return at(sub);
  }
  // Fills every element with gen(n) (n in array element order).
  template <class T, class Gen>
  void fill(Gen gen) {
    for (std::intptr_t n = 0; n < count(); ++n) {
      const T v = gen(n);
      std::memcpy(nth(n), &v, sizeof v);
    }
  }
  // Random bytes in every element.
  void randomise() {
    for (std::intptr_t n = 0; n < count(); ++n)
      for (std::size_t b = 0; b < size_; ++b) nth(n)[b] = static_cast<char>(rng()());
  }

 private:
  Shape shape_;
  std::size_t size_;
  std::vector<std::uint8_t> block_;
  tav_ptr_desc desc_{};
  tav_cptr_desc cdesc_{};
};

// A contiguous column-major array with lower bounds 1.
template <class T>
struct Dense {
  std::vector<T> v;
  tav_ptr_desc d{};
  Dense(std::vector<T> values, std::vector<std::intptr_t> extents) : v(std::move(values)) {
    d.base = reinterpret_cast<char *>(v.data());
    std::intptr_t stride = sizeof(T);
    for (std::size_t k = 0; k < extents.size(); ++k) {
      d.dim[k] = tav_dim{extents[k], stride, 1};
      stride *= extents[k];
    }
  }
};

// The elements of a result vector of T, released through `release`.
template <class T>
std::vector<T> take(tav_vector r, void (*release)(tav_vector)) {
  const T *p = reinterpret_cast<const T *>(r.base);
  std::vector<T> out(p, p + __TAVf90_vector_size(r.extent));
  release(r);
  return out;
}

}  // namespace array_test
