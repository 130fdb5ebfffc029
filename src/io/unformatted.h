// Unformatted records: the state of the unformatted statement in progress
// (part of the statement state, io/statement.h), shared by the sequential statements (records framed by 4-byte length
// markers) and the direct-access ones (fixed records of RECL bytes), whose
// item calls are the same.
#pragma once

#include <sys/types.h>

#include <cstdint>

#include "io/stream.h"

namespace tav::io {

constexpr int kMarkerSize = 4;

struct UnformattedState {
  bool direct = false;         // a direct-access statement
  bool infinite = false;       // READ: a large record, read from the file into the variables
  std::int64_t spilled = 0;    // WRITE: bytes of the record already in the file
  off_t leading_marker = -1;   // WRITE: where the spilled record's leading marker is (-1: not spilled)
  stream::RecordOutput out;    // WRITE: the spilled record in the file
  std::int32_t length = 0;     // READ: L of the sequential record
};

}  // namespace tav::io
