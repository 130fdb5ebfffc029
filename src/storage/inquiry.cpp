// LBOUND, UBOUND, SIZE and SHAPE for every descriptor form, and the builders
// that describe existing storage as a vector descriptor.  The descriptors
// are trusted; only DIM is checked, before anything else is read.
#include <cstdarg>
#include <cstdint>

#include "runtime/fatal.h"
#include "tavf90.h"

namespace tav::storage {
namespace {

void check_lbound_dim(int dim, int rank) {
  if (dim < 1) rt::crash("Out of range: DIM argument to LBOUND has value %d", dim);
  if (dim > rank) rt::crash("Out of range: DIM argument (%d) to LBOUND greater than array rank (%d)", dim, rank);
}

void check_ubound_dim(int dim, int rank) {
  if (dim < 1) rt::crash("Out of range: DIM argument to UBOUND has value %d", dim);
  if (dim > rank) rt::crash("Out of range: DIM argument (%d) to UBOUND greater than array rank (%d)", dim, rank);
}

// An assumed-size array has no upper bound in its last dimension.
void check_assumed_ubound_dim(int dim, int rank) {
  check_ubound_dim(dim, rank);
  if (dim == rank) rt::crash("Out of range: UBOUND of assumed-size array with DIM==rank (%d)", dim);
}

void check_size_dim(int dim, int rank) {
  if (dim < 1 || dim > rank) rt::crash("DIM argument to SIZE out of range (value %d)", dim);
}

// Bounds of one dimension as the intrinsics answer them: a dimension without
// elements has bounds 1 and 0.
inline int lower_of(const tav_dim &d) { return d.extent > 0 ? static_cast<int>(d.lower) : 1; }
inline int upper_of(const tav_dim &d) {
  if (d.extent <= 0) return 0;
  return static_cast<int>(static_cast<std::uint32_t>(d.lower) + static_cast<std::uint32_t>(d.extent) - 1u);
}

// Product of extents in the wrapping arithmetic of a default INTEGER.
int product(const std::intptr_t *extent, int n) {
  std::uint32_t p = 1;
  for (int k = 0; k < n; ++k) p *= static_cast<std::uint32_t>(extent[k]);
  return static_cast<int>(p);
}

int size_of_dims(const tav_dim *dim, int rank) {
  std::uint32_t p = 1;
  for (int k = 0; k < rank; ++k) p *= static_cast<std::uint32_t>(dim[k].extent);
  return static_cast<int>(p);
}

int nth_int(int n, std::va_list *args) {
  int value = 0;
  for (int k = 0; k < n; ++k) value = va_arg(*args, int);
  return value;
}

void write_uppers(const tav_vector *result, int rank, const tav_dim *dim) {
  auto *out = reinterpret_cast<std::int32_t *>(result->base);
  for (int k = 0; k < rank; ++k) out[k] = upper_of(dim[k]);
}

tav_vector shape(int rank, const tav_dim *dim, bool wide) {
  if (wide) {
    tav_vector v = __TAVf90_mkatmp_i4(1, rank);
    auto *out = reinterpret_cast<std::int64_t *>(v.base);
    for (int k = 0; k < rank; ++k) out[k] = static_cast<std::int32_t>(dim[k].extent);
    return v;
  }
  tav_vector v = __TAVf90_mkatmp_i(1, rank);
  auto *out = reinterpret_cast<std::int32_t *>(v.base);
  for (int k = 0; k < rank; ++k) out[k] = static_cast<std::int32_t>(dim[k].extent);
  return v;
}

const char kShapeAbsent[] = "Argument to SHAPE intrinsic is not PRESENT";

void fill_vector_extents(std::intptr_t *extent, int rank, std::va_list *args) {
  for (int k = 0; k < 7; ++k) extent[k] = k < rank ? va_arg(*args, int) : 1;
}

}  // namespace
}  // namespace tav::storage

using namespace tav::storage;
using tav::rt::crash;

extern "C" {

int __TAVf90_lbound_ptr(int rank, const tav_ptr_desc *desc, int dim) {
  check_lbound_dim(dim, rank);
  return lower_of(desc->dim[dim - 1]);
}

int __TAVf90_lbound_cptr(int rank, const tav_cptr_desc *desc, int dim) {
  check_lbound_dim(dim, rank);
  return lower_of(desc->dim[dim - 1]);
}

int __TAVf90_lbound_info(tav_info info, int dim) {
  check_lbound_dim(dim, static_cast<int>(info.rank));
  return lower_of(info.dim[dim - 1]);
}

int __TAVf90_lbound_fixed(int dim, int rank, ...) {
  check_lbound_dim(dim, rank);
  std::va_list args;
  va_start(args, rank);
  int value = nth_int(dim, &args);
  va_end(args);
  return value;
}

int __TAVf90_ubound_ptr(int rank, const tav_ptr_desc *desc, int dim) {
  check_ubound_dim(dim, rank);
  return upper_of(desc->dim[dim - 1]);
}

int __TAVf90_ubound_cptr(int rank, const tav_cptr_desc *desc, int dim) {
  check_ubound_dim(dim, rank);
  return upper_of(desc->dim[dim - 1]);
}

int __TAVf90_ubound_info(tav_info info, int dim) {
  check_ubound_dim(dim, static_cast<int>(info.rank));
  return upper_of(info.dim[dim - 1]);
}

int __TAVf90_ubound_ainfo(tav_info info, int dim) {
  check_assumed_ubound_dim(dim, static_cast<int>(info.rank));
  return upper_of(info.dim[dim - 1]);
}

int __TAVf90_ubound_fixed(int dim, int rank, ...) {
  check_ubound_dim(dim, rank);
  std::va_list args;
  va_start(args, rank);
  int value = nth_int(dim, &args);
  va_end(args);
  return value;
}

int __TAVf90_ubound_afixed(int dim, int rank, ...) {
  check_assumed_ubound_dim(dim, rank);
  std::va_list args;
  va_start(args, rank);
  int value = nth_int(dim, &args);
  va_end(args);
  return value;
}

int __TAVf90_ubound_vector(int rank, const intptr_t *extents, int dim) {
  if (dim < 1) crash("Out of range: DIM argument to UBOUND has value %d", dim);
  if (dim > rank) crash("Out of range: DIM argument (%d) to UBOUND greater than array rank", dim);
  return static_cast<int>(extents[dim - 1]);
}

void __TAVf90_vubound_ptr(tav_vector *result, int rank, const tav_ptr_desc *desc) {
  write_uppers(result, rank, desc->dim);
}

void __TAVf90_vubound_cptr(tav_vector *result, int rank, const tav_cptr_desc *desc) {
  write_uppers(result, rank, desc->dim);
}

void __TAVf90_vubound_info(tav_vector *result, tav_info info) {
  write_uppers(result, static_cast<int>(info.rank), info.dim);
}

void __TAVf90_vubound_vector(tav_vector *result, int rank, const intptr_t *extents) {
  // Copied first: the extents may lie in the result itself.
  std::intptr_t copy[7];
  for (int k = 0; k < rank && k < 7; ++k) copy[k] = extents[k];
  auto *out = reinterpret_cast<std::int32_t *>(result->base);
  for (int k = 0; k < rank && k < 7; ++k) out[k] = copy[k] > 0 ? static_cast<std::int32_t>(copy[k]) : 0;
}

int __TAVf90_extent_ptr(int rank, const tav_ptr_desc *desc, int dim) {
  check_size_dim(dim, rank);
  return static_cast<int>(desc->dim[dim - 1].extent);
}

int __TAVf90_extent_cptr(int rank, const tav_cptr_desc *desc, int dim) {
  check_size_dim(dim, rank);
  return static_cast<int>(desc->dim[dim - 1].extent);
}

int __TAVf90_extent_info(tav_info info, int dim) {
  check_size_dim(dim, static_cast<int>(info.rank));
  return static_cast<int>(info.dim[dim - 1].extent);
}

int __TAVf90_extent_vector(tav_vector v, int dim) {
  check_size_dim(dim, 7);
  return static_cast<int>(v.extent[dim - 1]);
}

int __TAVf90_extent_cvector(tav_cvector v, int dim) {
  check_size_dim(dim, 7);
  return static_cast<int>(v.extent[dim - 1]);
}

int __TAVf90_extent_fixed(int dim, int rank, ...) {
  check_size_dim(dim, rank);
  std::va_list args;
  va_start(args, rank);
  int value = nth_int(dim, &args);
  va_end(args);
  return value;
}

int __TAVf90_size_ptr(int rank, const tav_ptr_desc *desc) { return size_of_dims(desc->dim, rank); }
int __TAVf90_size_cptr(int rank, const tav_cptr_desc *desc) { return size_of_dims(desc->dim, rank); }
int __TAVf90_size_info(tav_info info) { return size_of_dims(info.dim, static_cast<int>(info.rank)); }
int __TAVf90_size_vector(tav_vector v) { return product(v.extent, 7); }
int __TAVf90_size_cvector(tav_cvector v) { return product(v.extent, 7); }
int __TAVf90_vector_size(const intptr_t *extents) { return product(extents, 7); }

tav_vector __TAVf90_shape_ptr(int rank, const tav_ptr_desc *desc) {
  if (desc == nullptr) crash("%s", kShapeAbsent);
  return shape(rank, desc->dim, false);
}

tav_vector __TAVf90_shape_ptr_i4(int rank, const tav_ptr_desc *desc) {
  if (desc == nullptr) crash("%s", kShapeAbsent);
  return shape(rank, desc->dim, true);
}

tav_vector __TAVf90_shape_cptr(int rank, const tav_cptr_desc *desc) {
  if (desc == nullptr) crash("%s", kShapeAbsent);
  return shape(rank, desc->dim, false);
}

tav_vector __TAVf90_shape_cptr_i4(int rank, const tav_cptr_desc *desc) {
  if (desc == nullptr) crash("%s", kShapeAbsent);
  return shape(rank, desc->dim, true);
}

#define TAV_DESCRIBE(suffix)                                                  \
  tav_vector __TAVf90_vdescribe_##suffix(void *base, int rank, ...) {         \
    tav_vector v;                                                             \
    v.base = static_cast<char *>(base);                                       \
    std::va_list args;                                                        \
    va_start(args, rank);                                                     \
    fill_vector_extents(v.extent, rank, &args);                               \
    va_end(args);                                                             \
    return v;                                                                 \
  }

TAV_DESCRIBE(i1)
TAV_DESCRIBE(i2)
TAV_DESCRIBE(i)
TAV_DESCRIBE(i4)
TAV_DESCRIBE(r)
TAV_DESCRIBE(d)
TAV_DESCRIBE(c)
TAV_DESCRIBE(dc)
TAV_DESCRIBE(l)
TAV_DESCRIBE(l1)
TAV_DESCRIBE(l2)
TAV_DESCRIBE(l4)

tav_cvector __TAVf90_vdescribe_ch(void *base, int len, int rank, ...) {
  tav_cvector v;
  v.base = static_cast<char *>(base);
  v.len = len;
  std::va_list args;
  va_start(args, rank);
  fill_vector_extents(v.extent, rank, &args);
  va_end(args);
  return v;
}

}  // extern "C"
