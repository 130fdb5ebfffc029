// ALLOCATE and DEALLOCATE of POINTER arrays and scalars and of ALLOCATABLE
// arrays, storage of automatic arrays and local variables, the two-argument
// ASSOCIATED, and the descriptors of assumed-shape dummies.
//
// STAT protocol: compiled code clears the STAT variable before the
// statement and passes its address to every object of the statement (null
// without STAT=).  A nonzero STAT on entry means an earlier object failed, and
// the ALLOCATE entries then leave the object alone.
#include <cstdarg>
#include <cstdint>

#include "runtime/fatal.h"
#include "storage/descriptor.h"
#include "tavf90.h"

namespace tav::storage {
namespace {

const char kPointerArrayOom[] = "Cannot allocate POINTER array - out of memory";
const char kScalarOom[] = "Cannot ALLOCATE scalar POINTER - out of memory";
const char kAllocatableOom[] = "Cannot ALLOCATE ALLOCATABLE array - out of memory";
const char kAutomaticOom[] = "Cannot get storage for automatic array - out of memory";
const char kVariableOom[] = "Cannot get storage for variable - out of memory";
const char kNeverAssociated[] = "DEALLOCATE: POINTER has never been associated";
const char kAllocatableNotAllocated[] = "DEALLOCATE failure: ALLOCATABLE array is not ALLOCATEd";
const char kAssociatedUndefined[] = "Uninitialised pointer used as argument to ASSOCIATED function";

inline bool earlier_failure(const int *stat) { return stat != nullptr && *stat != 0; }

// Reports a failed request: into STAT when there is one, else fatally.
inline void fail(int *stat, int code, const char *message) {
  if (stat == nullptr) rt::crash("%s", message);
  *stat = code;
}

// Fills offset and the rank triples of a pointer descriptor from the bound
// pairs in `args`, the strides starting at `element_size` bytes.  Returns the
// byte count of the whole array, or -1 when it cannot be an object.
std::int64_t fill_pointer_dims(std::intptr_t *offset, tav_dim *dim, std::int64_t element_size, int rank,
                               std::va_list *args) {
  Count m(element_size);
  bool representable = element_size >= 0;
  std::int64_t off = 0;
  for (int k = 0; k < rank; ++k) {
    std::int32_t lower = va_arg(*args, int);
    std::int32_t upper = va_arg(*args, int);
    std::int64_t extent = extent_of(lower, upper);
    if (extent > INTPTR_MAX) representable = false;
    dim[k].lower = lower;
    dim[k].extent = wrap(extent);
    dim[k].stride = wrap(m.value());
    off -= m.fits() ? m.value() * lower : 0;
    m.times(extent);
  }
  *offset = wrap(off);
  return representable && m.fits() ? m.value() : -1;
}

// Byte count of a contiguous array described by its last dimension (stride in
// elements), or -1 when it cannot be an object.
std::int64_t contiguous_bytes(const tav_dim &last, std::int64_t element_size) {
  Count n(element_size);
  n.times(last.stride);
  n.times(last.extent);
  return n.fits() ? n.value() : -1;
}

std::int64_t info_bytes(const tav_info &info, std::int64_t element_size) {
  if (info.rank < 1 || info.rank > 7) return -1;
  return contiguous_bytes(info.dim[info.rank - 1], element_size);
}

// The STAT rule shared by the pointer-array entries, after the descriptor
// has been filled.
void *allocate_pointer_storage(std::int64_t bytes, bool zero, int *stat) {
  void *p = nullptr;
  if (bytes >= 0) {
    auto n = static_cast<std::size_t>(bytes);
    p = zero ? __TAVf90_zpAlloc(n) : __TAVf90_pAlloc(n);
  }
  if (p == nullptr)
    fail(stat, 1, kPointerArrayOom);
  else if (stat != nullptr)
    *stat = 0;
  return p;
}

void allocate_pointer_array(tav_ptr_desc *desc, int element_size, int rank, std::va_list *args, bool zero) {
  std::int64_t bytes = fill_pointer_dims(&desc->offset, desc->dim, element_size, rank, args);
  int *stat = va_arg(*args, int *);
  if (earlier_failure(stat)) return;
  desc->base = static_cast<char *>(allocate_pointer_storage(bytes, zero, stat));
}

// Lowest address of a POINTER array: the base moved back along every
// dimension that runs downwards.  A dimension without elements moves nothing.
char *lowest_address(char *base, int rank, const tav_dim *dim) {
  auto addr = reinterpret_cast<std::uintptr_t>(base);
  for (int k = 0; k < rank; ++k)
    if (dim[k].stride < 0 && dim[k].extent > 0)
      addr += static_cast<std::uintptr_t>(dim[k].extent - 1) * static_cast<std::uintptr_t>(dim[k].stride);
  return reinterpret_cast<char *>(addr);
}

std::size_t element_bytes(std::int64_t element_size, int rank, const tav_dim *dim) {
  Count n(element_size);
  for (int k = 0; k < rank; ++k) n.times(dim[k].extent);
  return static_cast<std::size_t>(n.fits() ? n.value() : 0);
}

void deallocate_pointer_array(char **base, std::int64_t element_size, int rank, const tav_dim *dim, int *stat,
                              const char *not_allocated) {
  if (*base == nullptr) return fail(stat, 1, not_allocated);
  // Never associated: the value is not an address and must not reach the
  // storage primitives.  The descriptor stays as it is.
  if (is_undefined(*base)) return fail(stat, 1, kNeverAssociated);
  __TAVf90_pDeAlloc(lowest_address(*base, rank, dim), element_bytes(element_size, rank, dim), stat);
  *base = nullptr;
}

void *allocate_scalar(int bytes, int *stat, bool zero) {
  if (earlier_failure(stat)) return nullptr;
  void *p = nullptr;
  if (bytes >= 0) p = zero ? __TAVf90_zpAlloc(static_cast<std::size_t>(bytes)) : __TAVf90_pAlloc(static_cast<std::size_t>(bytes));
  if (p == nullptr)
    fail(stat, 1, kScalarOom);
  else if (stat != nullptr)
    *stat = 0;
  return p;
}

void *allocate_allocatable(std::int64_t bytes, int *stat, bool zero) {
  if (earlier_failure(stat)) return TAV_UNDEFINED_POINTER;
  void *p = nullptr;
  if (bytes >= 0) {
    auto n = static_cast<std::size_t>(bytes);
    p = zero ? __TAVf90_zaAlloc(n) : __TAVf90_aAlloc(n);
  }
  if (p == nullptr)
    fail(stat, 1, kAllocatableOom);
  else if (stat != nullptr)
    *stat = 0;
  return p;
}

// An ALLOCATABLE array's address as compiled code keeps it: null when not
// allocated, or the undefined-pointer value left by a skipped ALLOCATE.
bool allocatable_missing(const void *address, int *stat) {
  if (address != nullptr && !is_undefined(address)) return false;
  fail(stat, 1, kAllocatableNotAllocated);
  return true;
}

void *alloc_automatic(const tav_info &info, int element_size, bool zero) {
  std::int64_t bytes = info_bytes(info, element_size);
  void *p = nullptr;
  if (bytes >= 0) {
    auto n = static_cast<std::size_t>(bytes);
    p = zero ? __TAVf90_zoAlloc(n) : __TAVf90_oAlloc(n);
  }
  if (p == nullptr) rt::crash("%s", kAutomaticOom);
  return p;
}

void *alloc_variable(int bytes, bool zero) {
  if (bytes < 0) rt::crash("%s", kVariableOom);
  auto n = static_cast<std::size_t>(bytes);
  void *p = zero ? __TAVf90_zoAlloc(n) : __TAVf90_oAlloc(n);
  if (p == nullptr && bytes != 0) rt::crash("%s", kVariableOom);
  return p;
}

// Two-argument ASSOCIATED over the rank triples; `by_stride` is false when
// the elements have no size (then the strides say nothing).
int same_array(const char *pointer_base, const char *target_base, int rank, const tav_dim *p, const tav_dim *t,
               bool by_stride) {
  bool empty = false;
  for (int k = 0; k < rank; ++k) {
    if (p[k].extent != t[k].extent) return 0;
    if (p[k].extent > 1 && by_stride && p[k].stride != t[k].stride) return 0;
    if (p[k].extent <= 0) empty = true;
  }
  if (empty || pointer_base == nullptr) return 0;
  return pointer_base == target_base ? 1 : 0;
}

void assume(char **dst_base, std::intptr_t *dst_offset, tav_dim *dst, char *base, const tav_dim *actual, int rank,
            std::va_list *args) {
  *dst_base = base;
  std::intptr_t offset = 0;
  for (int k = 0; k < rank; ++k) {
    std::intptr_t lower = va_arg(*args, int);
    dst[k].extent = actual[k].extent;
    dst[k].stride = actual[k].stride;
    dst[k].lower = lower;
    offset = static_cast<std::intptr_t>(static_cast<std::uintptr_t>(offset) -
                                        static_cast<std::uintptr_t>(lower) * static_cast<std::uintptr_t>(actual[k].stride));
  }
  *dst_offset = offset;
}

}  // namespace
}  // namespace tav::storage

using namespace tav::storage;

extern "C" {

void __TAVf90_Allocate_a(tav_ptr_desc *desc, int element_size, int rank, ...) {
  std::va_list args;
  va_start(args, rank);
  allocate_pointer_array(desc, element_size, rank, &args, false);
  va_end(args);
}

void __TAVf90_Allocate_za(tav_ptr_desc *desc, int element_size, int rank, ...) {
  std::va_list args;
  va_start(args, rank);
  allocate_pointer_array(desc, element_size, rank, &args, true);
  va_end(args);
}

void __TAVf90_Allocate_ca(tav_cptr_desc *desc, int len, int rank, ...) {
  std::va_list args;
  va_start(args, rank);
  // A negative length is a zero length.
  desc->len = len < 0 ? 0 : len;
  std::int64_t bytes = fill_pointer_dims(&desc->offset, desc->dim, desc->len, rank, &args);
  int *stat = va_arg(args, int *);
  va_end(args);
  if (earlier_failure(stat)) return;
  desc->base = static_cast<char *>(allocate_pointer_storage(bytes, true, stat));
}

void __TAVf90_Deallocate_a(int rank, int element_size, tav_ptr_desc *desc, int *stat) {
  deallocate_pointer_array(&desc->base, element_size, rank, desc->dim, stat, "DEALLOCATE: Array not allocated");
}

void __TAVf90_Deallocate_ca(int rank, tav_cptr_desc *desc, int *stat) {
  deallocate_pointer_array(&desc->base, desc->len, rank, desc->dim, stat, "DEALLOCATE: Character array not allocated");
}

void *__TAVf90_Allocate_s(int bytes, int *stat) { return allocate_scalar(bytes, stat, false); }
void *__TAVf90_Allocate_zs(int bytes, int *stat) { return allocate_scalar(bytes, stat, true); }

void __TAVf90_Deallocate_s(void *address, int bytes, int *stat) {
  if (earlier_failure(stat)) return;
  if (address == nullptr) return fail(stat, 2, "DEALLOCATE: object not allocated/associated");
  if (is_undefined(address)) return fail(stat, 2, kNeverAssociated);
  __TAVf90_pDeAlloc(address, static_cast<std::size_t>(bytes < 0 ? 0 : bytes), stat);
}

tav_info __TAVf90_make_info(int rank, ...) {
  tav_info info{};
  info.rank = rank;
  std::va_list args;
  va_start(args, rank);
  Count m(1);
  std::int64_t offset = 0;
  for (int k = 0; k < rank && k < 7; ++k) {
    std::int32_t lower = va_arg(args, int);
    std::int32_t upper = va_arg(args, int);
    // The last dimension of an assumed-size array comes with a huge upper
    // bound; an extent beyond a word is held at the largest one.
    std::int64_t extent = extent_of(lower, upper);
    if (extent > INT32_MAX) extent = INT32_MAX;
    info.dim[k].lower = lower;
    info.dim[k].extent = wrap(extent);
    info.dim[k].stride = wrap(m.value());
    offset -= m.fits() ? m.value() * lower : 0;
    m.times(extent);
  }
  va_end(args);
  info.offset = wrap(offset);
  return info;
}

void *__TAVf90_Allocate_i(tav_info info, int element_size, int *stat) {
  if (earlier_failure(stat)) return TAV_UNDEFINED_POINTER;
  return allocate_allocatable(info_bytes(info, element_size), stat, false);
}

void *__TAVf90_Allocate_zi(tav_info info, int element_size, int *stat) {
  if (earlier_failure(stat)) return TAV_UNDEFINED_POINTER;
  return allocate_allocatable(info_bytes(info, element_size), stat, true);
}

void __TAVf90_Deallocate_i(void *address, tav_info info, int element_size, int *stat) {
  if (earlier_failure(stat) || allocatable_missing(address, stat)) return;
  std::int64_t bytes = info_bytes(info, element_size);
  __TAVf90_oaDeAlloc(address, static_cast<std::size_t>(bytes < 0 ? 0 : bytes));
}

void *__TAVf90_Allocate_aa(int bytes, int *stat) { return allocate_allocatable(bytes, stat, false); }

void __TAVf90_Deallocate_aa(void *address, const tav_dim *dims, int rank, int element_size, int *stat) {
  if (earlier_failure(stat) || allocatable_missing(address, stat)) return;
  std::int64_t bytes = rank >= 1 ? contiguous_bytes(dims[rank - 1], element_size) : element_size;
  __TAVf90_aDeAlloc(address, static_cast<std::size_t>(bytes < 0 ? 0 : bytes));
}

void *__TAVf90_Alloc_i(tav_info info, int element_size) { return alloc_automatic(info, element_size, false); }
void *__TAVf90_Alloc_zi(tav_info info, int element_size) { return alloc_automatic(info, element_size, true); }
void *__TAVf90_Alloc_s(int bytes) { return alloc_variable(bytes, false); }
void *__TAVf90_Alloc_zs(int bytes) { return alloc_variable(bytes, true); }

void __TAVf90_DeAlloc(void *address, int bytes) {
  // Alloc_s may have answered a zero-byte request with null.
  if (address != nullptr) __TAVf90_oDeAlloc(address, static_cast<std::size_t>(bytes < 0 ? 0 : bytes));
}

int __TAVf90_assoc_aa(int rank, const tav_ptr_desc *pointer, int, const tav_ptr_desc *target) {
  if (is_undefined(pointer->base) || is_undefined(target->base)) tav::rt::crash("%s", kAssociatedUndefined);
  return same_array(pointer->base, target->base, rank, pointer->dim, target->dim, true);
}

int __TAVf90_assoc_ch_aa(int rank, const tav_cptr_desc *pointer, int, const tav_cptr_desc *target) {
  if (is_undefined(pointer->base) || is_undefined(target->base)) tav::rt::crash("%s", kAssociatedUndefined);
  if (pointer->base == nullptr || target->base == nullptr) return 0;
  if (pointer->len == 0 || pointer->len != target->len) return 0;
  return same_array(pointer->base, target->base, rank, pointer->dim, target->dim, pointer->len > 0);
}

int __TAVf90_assoc_ss(const void *pointer, const void *target) {
  if (is_undefined(pointer) || is_undefined(target)) tav::rt::crash("%s", kAssociatedUndefined);
  return pointer != nullptr && pointer == target ? 1 : 0;
}

int __TAVf90_assoc_ch_ss(const void *pointer, const void *target, int pointer_len, int target_len) {
  return pointer_len == target_len && pointer_len != 0 && pointer != nullptr && pointer == target ? 1 : 0;
}

void __TAVf90_assume_shape(tav_ptr_desc *dst, const tav_ptr_desc *actual, int rank, ...) {
  std::va_list args;
  va_start(args, rank);
  assume(&dst->base, &dst->offset, dst->dim, actual->base, actual->dim, rank, &args);
  va_end(args);
}

void __TAVf90_assume_chshape(tav_cptr_desc *dst, const tav_cptr_desc *actual, int rank, ...) {
  std::va_list args;
  va_start(args, rank);
  dst->len = actual->len;
  assume(&dst->base, &dst->offset, dst->dim, actual->base, actual->dim, rank, &args);
  va_end(args);
}

}  // extern "C"
