// Descriptor bounds of the storage scenarios in one line.
#pragma once

#include <string>

#include "tavf90.h"

namespace storage_test {

// The first `rank` dimensions as "lower:extent:stride ...".
inline std::string dims(const tav_dim *dim, int rank) {
  std::string s;
  for (int i = 0; i < rank; ++i)
    s += (i ? " " : "") + std::to_string(dim[i].lower) + ":" + std::to_string(dim[i].extent) + ":" +
         std::to_string(dim[i].stride);
  return s;
}

}  // namespace storage_test
