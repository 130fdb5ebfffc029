// Array temporaries (contiguous results of intrinsics and expressions) and
// the first-in first-out list of them that compiled code keeps.
#include <cstdarg>
#include <cstdint>
#include <cstring>

#include "runtime/fatal.h"
#include "storage/descriptor.h"
#include "storage/work.h"
#include "tavf90.h"

// A list node: the link comes first, so a node of either kind is reached
// through its link.
struct tav_atmp_node {
  tav_atmp_node *next;
};

namespace tav::storage {
namespace {

const char kTemporaryOom[] = "Cannot allocate array temporary - out of memory";

struct VectorNode {
  tav_atmp_node link;
  tav_vector v;
};

struct CharVectorNode {
  tav_atmp_node link;
  tav_cvector v;
};

// Reads rank extents (1 for the rest of the seven) and returns the byte
// count (element_size times the element count), or -1 when the temporary
// could not be an object.  An extent below 0 means no elements.
std::int64_t read_extents(std::intptr_t *extent, int rank, std::int64_t element_size, std::va_list *args) {
  Count n(element_size);
  for (int k = 0; k < 7; ++k) {
    std::intptr_t e = 1;
    if (k < rank) {
      e = va_arg(*args, int);
      if (e < 0) e = 0;
    }
    extent[k] = e;
    n.times(e);
  }
  return n.fits() ? n.value() : -1;
}

char *temporary_storage(std::int64_t bytes, bool zero) {
  void *p = nullptr;
  if (bytes >= 0) {
    auto n = static_cast<std::size_t>(bytes);
    p = zero ? __TAVf90_zoAlloc(n) : __TAVf90_oAlloc(n);
  }
  if (p == nullptr) rt::crash("%s", kTemporaryOom);
  return static_cast<char *>(p);
}

tav_vector make_vector(std::int64_t element_size, int rank, std::va_list *args) {
  tav_vector v;
  std::int64_t bytes = read_extents(v.extent, rank, element_size, args);
  v.base = temporary_storage(bytes, true);
  return v;
}

std::size_t vector_bytes(std::int64_t element_size, const std::intptr_t *extent) {
  Count n(element_size);
  for (int k = 0; k < 7; ++k) n.times(extent[k]);
  return static_cast<std::size_t>(n.fits() ? n.value() : 0);
}

void free_temporary(char *base, std::int64_t element_size, const std::intptr_t *extent) {
  if (base != nullptr) __TAVf90_oDeAlloc(base, vector_bytes(element_size, extent));
}

template <class Node, class Descriptor>
tav_atmp_node *append(tav_atmplist *list, const Descriptor *d) {
  auto *node = static_cast<Node *>(work_alloc(sizeof(Node)));
  node->link.next = nullptr;
  std::memcpy(&node->v, d, sizeof(Descriptor));
  tav_atmp_node **at = &list->first;
  while (*at != nullptr) at = &(*at)->next;
  *at = &node->link;
  return &node->link;
}

template <class Node, class Descriptor>
void step(tav_atmplist *list, Descriptor *out) {
  tav_atmp_node *first = list->first;
  if (first == nullptr) rt::crash("atmplist_step: atmp list is empty");
  auto *node = reinterpret_cast<Node *>(first);
  list->first = first->next;
  std::memcpy(out, &node->v, sizeof(Descriptor));
  work_free(node, sizeof(Node));
}

}  // namespace
}  // namespace tav::storage

using namespace tav::storage;

#define TAV_TEMPORARY(suffix, size)                                           \
  tav_vector __TAVf90_mkatmp_##suffix(int rank, ...) {                        \
    std::va_list args;                                                        \
    va_start(args, rank);                                                     \
    tav_vector v = make_vector(size, rank, &args);                            \
    va_end(args);                                                             \
    return v;                                                                 \
  }                                                                           \
  void __TAVf90_freevec_##suffix(tav_vector v) { free_temporary(v.base, size, v.extent); }

extern "C" {

TAV_TEMPORARY(i1, 1)
TAV_TEMPORARY(i2, 2)
TAV_TEMPORARY(i, 4)
TAV_TEMPORARY(i4, 8)
TAV_TEMPORARY(r, 4)
TAV_TEMPORARY(d, 8)
TAV_TEMPORARY(c, 8)
TAV_TEMPORARY(dc, 16)
TAV_TEMPORARY(l, 4)
TAV_TEMPORARY(l1, 1)
TAV_TEMPORARY(l2, 2)
TAV_TEMPORARY(l4, 8)

tav_cvector __TAVf90_mkatmp_ch(int rank, ...) {
  std::va_list args;
  va_start(args, rank);
  tav_cvector v;
  // The length follows the extents; the element count is multiplied in once
  // it is known.
  std::int64_t count = read_extents(v.extent, rank, 1, &args);
  std::int32_t len = va_arg(args, int);
  va_end(args);
  v.len = len < 0 ? 0 : len;
  Count bytes(count);
  bytes.times(v.len);
  v.base = temporary_storage(count >= 0 && bytes.fits() ? bytes.value() : -1, false);
  return v;
}

void __TAVf90_freevec_ch(tav_cvector v) { free_temporary(v.base, v.len, v.extent); }

tav_atmplist __TAVf90_atmplist_create(void) { return tav_atmplist{nullptr}; }

tav_atmp_node *__TAVf90_atmplist_append(tav_atmplist *list, const tav_vector *v) {
  return append<VectorNode>(list, v);
}

tav_atmp_node *__TAVf90_atmplist_append_ch(tav_atmplist *list, const tav_cvector *v) {
  return append<CharVectorNode>(list, v);
}

void __TAVf90_atmplist_step(tav_atmplist *list, tav_vector *out) { step<VectorNode>(list, out); }
void __TAVf90_atmplist_step_ch(tav_atmplist *list, tav_cvector *out) { step<CharVectorNode>(list, out); }

void __TAVf90_atmplist_elt(tav_atmplist list, tav_vector *out, int n) {
  tav_atmp_node *node = list.first;
  for (int i = 0; node != nullptr && i < n; ++i) node = node->next;
  if (node == nullptr || n < 0) tav::rt::crash("atmplist_elt: no element %d on atmp list", n);
  std::memcpy(out, &reinterpret_cast<VectorNode *>(node)->v, sizeof(tav_vector));
}

void __TAVf90_atmplist_finish(tav_atmplist list) {
  if (list.first != nullptr) tav::rt::crash("atmplist_finish: elements remaining on atmp list");
}

}  // extern "C"
