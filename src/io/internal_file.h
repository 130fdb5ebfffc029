// The internal file of the statement in progress: a CHARACTER scalar (one
// record) or a CHARACTER array (one record per element, in array element
// order), and the record in hand.  It is part of the statement state
// (io/statement.h); only io/internal.cpp reads or changes it.
#pragma once

#include <cstdint>

#include "tavf90.h"

namespace tav::io {

constexpr int kInternalRanks = 7;

struct InternalFile {
  char *base = nullptr;
  int length = 0;                    // characters per record
  std::intptr_t extent[kInternalRanks] = {};
  std::intptr_t stride[kInternalRanks] = {};  // bytes
  std::intptr_t lower[kInternalRanks] = {};
  std::intptr_t idx[kInternalRanks] = {};     // 0-based subscripts of the record
  char *current_rec = nullptr;
  bool empty = true;                  // a zero-sized array: no record at all
  // WRITE: the last record has been ended; writing more, or ending another
  // record, is error 101.
  bool past_end = false;

  // No file: what begin_statement leaves.  describe_scalar and
  // describe_array set every field a statement reads.
  void reset() {
    base = current_rec = nullptr;
    length = 0;
    empty = true;
    past_end = false;
  }

  void describe_scalar(char *variable, int len) {
    base = variable;
    length = len < 0 ? 0 : len;
    for (int k = 0; k < kInternalRanks; ++k) {
      extent[k] = 1;
      stride[k] = 0;
      lower[k] = 1;
      idx[k] = 0;
    }
    current_rec = base;
    empty = false;
    past_end = false;
  }

  // The element at the array's lower bounds is at base + offset + the sum
  // of lower × stride, which is the descriptor's base.
  void describe_array(int rank, const tav_cptr_desc *d) {
    const std::int64_t len = d->len;
    describe_scalar(d->base, len > INT32_MAX ? 0 : static_cast<int>(len));
    if (rank < 0) rank = 0;
    if (rank > kInternalRanks) rank = kInternalRanks;
    for (int k = 0; k < rank; ++k) {
      extent[k] = d->dim[k].extent;
      stride[k] = d->dim[k].stride;
      lower[k] = d->dim[k].lower;
      if (extent[k] <= 0) empty = true;
    }
  }

  // Moves to the next record, the first subscript fastest.  False when
  // the record in hand was the last one.
  bool next_record() {
    if (empty) return false;
    for (int k = 0; k < kInternalRanks; ++k) {
      if (idx[k] < extent[k] - 1) {
        ++idx[k];
        for (int j = 0; j < k; ++j) idx[j] = 0;
        char *p = base;
        for (int j = 0; j < kInternalRanks; ++j) p += idx[j] * stride[j];
        current_rec = p;
        return true;
      }
    }
    return false;
  }
};

}  // namespace tav::io
