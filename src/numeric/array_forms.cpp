// Whole-array forms of the elemental numeric intrinsics: the scalar rule
// applied to every element, the result in a new array temporary.
#include <cstdarg>
#include <cstdint>
#include <cstring>
#include <type_traits>

#include "array/walk.h"
#include "numeric/model.h"
#include "runtime/fatal.h"
#include "storage/descriptor.h"
#include "tavf90.h"

namespace tav::numeric {
namespace {

using array::kMaxRank;
using array::Walk;

const char kTemporaryOom[] = "Cannot allocate array temporary - out of memory";
const char kModuloZero[] = "P argument to modulo is zero";

// Zero-filled storage for `count` elements of `size` bytes with the given
// extents; the count saturates so that an impossible size is refused.
char *temporary(const std::intptr_t *extent, int rank, std::size_t size) {
  storage::Count n(static_cast<std::int64_t>(size));
  for (int k = 0; k < rank; ++k) n.times(extent[k] < 0 ? 0 : extent[k]);
  void *p = n.fits() ? __TAVf90_zoAlloc(static_cast<std::size_t>(n.value())) : nullptr;
  if (p == nullptr) rt::crash("%s", kTemporaryOom);
  return static_cast<char *>(p);
}

// Fills `result` with a contiguous temporary of x's shape, lower bounds 1.
void make_result(tav_ptr_desc *result, int rank, const tav_ptr_desc *x, std::size_t size) {
  if (rank > kMaxRank) rank = kMaxRank;
  std::intptr_t extent[kMaxRank] = {1, 1, 1, 1, 1, 1, 1};
  for (int k = 0; k < rank; ++k) extent[k] = x->dim[k].extent < 0 ? 0 : x->dim[k].extent;
  result->base = temporary(extent, rank, size);
  std::intptr_t stride = static_cast<std::intptr_t>(size), offset = 0;
  for (int k = 0; k < rank; ++k) {
    result->dim[k].extent = extent[k];
    result->dim[k].stride = stride;
    result->dim[k].lower = 1;
    offset -= stride;
    stride *= extent[k];
  }
  result->offset = offset;
}

template <class In, class Out, class Fn>
void map_unary(tav_ptr_desc *result, int rank, const tav_ptr_desc *x, Fn fn) {
  make_result(result, rank, x, sizeof(Out));
  array::for_each_element_pair(rank, x, result, [&fn](char *in, char *out) {
    In v;
    std::memcpy(&v, in, sizeof v);
    const Out r = fn(v);
    std::memcpy(out, &r, sizeof r);
  });
}

template <class In, class Out, class Fn>
void map_binary(tav_ptr_desc *result, int rank, const tav_ptr_desc *a, const tav_ptr_desc *b, Fn fn) {
  __TAVf90_check_shapes(a->dim, b->dim, rank);
  make_result(result, rank, a, sizeof(Out));
  Walk w(rank, a->dim);
  std::uintptr_t p[3] = {reinterpret_cast<std::uintptr_t>(a->base), reinterpret_cast<std::uintptr_t>(b->base),
                         reinterpret_cast<std::uintptr_t>(result->base)};
  std::uintptr_t step[3][kMaxRank];
  for (int k = 0; k < kMaxRank; ++k) step[0][k] = w.step[k];
  w.steps_for(rank, b->dim, step[1]);
  w.steps_for(rank, result->dim, step[2]);
  array::walk_lockstep(w, p, step, [&fn](const std::uintptr_t(&c)[3]) {
    In x, y;
    std::memcpy(&x, reinterpret_cast<const void *>(c[0]), sizeof x);
    std::memcpy(&y, reinterpret_cast<const void *>(c[1]), sizeof y);
    const Out r = fn(x, y);
    std::memcpy(reinterpret_cast<void *>(c[2]), &r, sizeof r);
  });
}

// MAX or MIN of n arrays: n, then n pairs (rank, descriptor).
template <class T, bool Greater>
tav_vector extreme_arrays(int n, std::va_list args) {
  tav_vector v;
  int rank = n > 0 ? va_arg(args, int) : 0;
  if (rank > kMaxRank) rank = kMaxRank;
  const tav_ptr_desc *first = n > 0 ? va_arg(args, const tav_ptr_desc *) : nullptr;
  for (int k = 0; k < kMaxRank; ++k) v.extent[k] = 1;
  for (int k = 0; k < rank && k < kMaxRank; ++k) v.extent[k] = first->dim[k].extent < 0 ? 0 : first->dim[k].extent;
  v.base = temporary(v.extent, rank, sizeof(T));
  if (first == nullptr) return v;

  std::intptr_t strides[kMaxRank];
  std::intptr_t stride = sizeof(T);
  for (int k = 0; k < rank; ++k) {
    strides[k] = stride;
    stride *= v.extent[k];
  }
  tav_ptr_desc out{};
  out.base = v.base;
  for (int k = 0; k < rank; ++k) out.dim[k] = {v.extent[k], strides[k], 1};

  array::for_each_element_pair(rank, first, &out, [](char *in, char *dst) { std::memcpy(dst, in, sizeof(T)); });
  for (int j = 1; j < n; ++j) {
    va_arg(args, int);
    const tav_ptr_desc *next = va_arg(args, const tav_ptr_desc *);
    __TAVf90_check_shapes(first->dim, next->dim, rank);
    array::for_each_element_pair(rank, next, &out, [](char *in, char *dst) {
      T x, best;
      std::memcpy(&x, in, sizeof x);
      std::memcpy(&best, dst, sizeof best);
      if (Greater ? x > best : x < best) std::memcpy(dst, &x, sizeof x);
    });
  }
  return v;
}

}  // namespace
}  // namespace tav::numeric

using namespace tav::numeric;
using Desc = tav_ptr_desc;

extern "C" {

void __TAVf90_exponent_ra(Desc *r, int rank, const Desc *x) {
  map_unary<float, std::int32_t>(r, rank, x, [](float v) { return exponent(v); });
}
void __TAVf90_exponent_da(Desc *r, int rank, const Desc *x) {
  map_unary<double, std::int32_t>(r, rank, x, [](double v) { return exponent(v); });
}
void __TAVf90_spacing_ra(Desc *r, int rank, const Desc *x) {
  map_unary<float, float>(r, rank, x, [](float v) { return spacing(v); });
}
void __TAVf90_spacing_da(Desc *r, int rank, const Desc *x) {
  map_unary<double, double>(r, rank, x, [](double v) { return spacing(v); });
}
void __TAVf90_rrspacing_ra(Desc *r, int rank, const Desc *x) {
  map_unary<float, float>(r, rank, x, [](float v) { return rrspacing(v); });
}
void __TAVf90_rrspacing_da(Desc *r, int rank, const Desc *x) {
  map_unary<double, double>(r, rank, x, [](double v) { return rrspacing(v); });
}

void __TAVf90_mod_ra(Desc *r, int rank, const Desc *a, const Desc *p) {
  map_binary<float, float>(r, rank, a, p, [](float x, float y) { return real_mod(x, y); });
}
void __TAVf90_mod_da(Desc *r, int rank, const Desc *a, const Desc *p) {
  map_binary<double, double>(r, rank, a, p, [](double x, double y) { return real_mod(x, y); });
}

// The integer and real kinds of the elemental array forms: the suffix of an
// entry's name and the element type.
#define TAV_ARRAY_KINDS(X, ...)                                                     \
  X(ia, std::int32_t, __VA_ARGS__) X(i1a, std::int8_t, __VA_ARGS__)                 \
  X(i2a, std::int16_t, __VA_ARGS__) X(i4a, std::int64_t, __VA_ARGS__)               \
  X(ra, float, __VA_ARGS__) X(da, double, __VA_ARGS__)

#define TAV_MODULO_ARRAY(suffix, T, ...)                                              \
  void __TAVf90_modulo_##suffix(Desc *r, int rank, const Desc *a, const Desc *p) {    \
    map_binary<T, T>(r, rank, a, p, [](T x, T y) {                                    \
      if constexpr (std::is_integral_v<T>)                                            \
        return int_modulo(x, y, kModuloZero);                                         \
      else                                                                            \
        return real_modulo(x, y, kModuloZero);                                        \
    });                                                                               \
  }
TAV_ARRAY_KINDS(TAV_MODULO_ARRAY, )
#undef TAV_MODULO_ARRAY

void __TAVf90_dproda(Desc *r, int rank, const Desc *x, const Desc *y) {
  map_binary<float, double>(r, rank, x, y, [](float a, float b) { return static_cast<double>(a) * b; });
}

#define TAV_EXTREME_ARRAY(suffix, T, name, greater)              \
  tav_vector __TAVf90_##name##_##suffix(int n, ...) {             \
    std::va_list args;                                            \
    va_start(args, n);                                            \
    tav_vector v = extreme_arrays<T, greater>(n, args);           \
    va_end(args);                                                 \
    return v;                                                     \
  }
TAV_ARRAY_KINDS(TAV_EXTREME_ARRAY, max, true)
TAV_ARRAY_KINDS(TAV_EXTREME_ARRAY, min, false)
#undef TAV_EXTREME_ARRAY
#undef TAV_ARRAY_KINDS

}  // extern "C"
