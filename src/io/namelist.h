// The elements of a namelist object or component, shared by namelist input
// and output: how many there are and where the n-th one lies.  A shape
// record's elements are stored in array element order with `stride` bytes
// from one to the next (dimension i steps by stride times the extents of
// the dimensions before it), so the n-th element in array element order is
// n * stride bytes from the first.
#pragma once

#include <cstdint>

#include "tavf90.h"

namespace tav::io::nml {

// The rank a shape record is read with: at most the seven dimensions it has.
inline int rank_of(const tav_nml_shape &shape) {
  return shape.rank < 0 ? 0 : shape.rank > 7 ? 7 : shape.rank;
}

// Number of elements: 1 for a scalar (no shape record), 0 when an extent
// is zero or negative.  Saturates rather than wraps.
inline std::int64_t element_count(const tav_nml_shape *shape) {
  if (shape == nullptr) return 1;
  std::int64_t n = 1;
  for (int i = 0, rank = rank_of(*shape); i < rank; ++i) {
    std::int64_t extent = shape->dim[i].extent;
    if (extent <= 0) return 0;
    n = n > INT64_MAX / extent ? INT64_MAX : n * extent;
  }
  return n;
}

// Byte distance between consecutive elements (0 for a scalar).
inline std::intptr_t element_stride(const tav_nml_shape *shape) {
  return shape == nullptr ? 0 : static_cast<std::intptr_t>(shape->stride);
}

// Byte offset of the n-th element (from 0) in array element order.
inline std::intptr_t element_offset(const tav_nml_shape *shape, std::int64_t n) {
  return static_cast<std::intptr_t>(n) * element_stride(shape);
}

// Byte step of dimension `dim` (from 0): the element stride times the
// extents of the dimensions before it.
inline std::intptr_t dimension_stride(const tav_nml_shape &shape, int dim) {
  std::intptr_t s = shape.stride;
  for (int i = 0; i < dim && i < 7; ++i) s *= shape.dim[i].extent;
  return s;
}

// The namelist reader's place in the statement in progress: part of the
// statement state (io/statement.h); only io/namelist_read.cpp uses it.
struct Reader {
  static constexpr int kNameMax = 31;
  char look = ' ';        // the lookahead character
  bool eor = false;       // `look` is the blank standing for the record's end
  const tav_nml_group *group = nullptr;
  char var_name[kNameMax + 1] = {};  // the object being read, as in messages
  // A token read ahead to tell a logical value from a name (in the kept
  // storage, io/statement.h), replayed as the start of the next name.
  int replay_at = 0, replay_end = 0;
  // Who holds the lookahead while values are read: the scanner (after a
  // value it read) or the reader.
  bool scanner_has_it = false;
  // Set when the values of the current object end: the next name, or "/".
  bool values_done = false;

  void reset() {
    look = ' ';
    eor = false;
    group = nullptr;
    var_name[0] = '\0';
    replay_at = replay_end = 0;
    scanner_has_it = false;
    values_done = false;
  }
};

// The components of a derived-type entry: none when the list is missing.
inline int component_count(const tav_nml_object &entry) {
  return entry.components == nullptr || entry.components->entries == nullptr ? 0 : entry.components->count;
}

}  // namespace tav::io::nml
