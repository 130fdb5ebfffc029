// Helpers of the storage scenarios: the fatal-path check and descriptor
// bounds in one line.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "support/child.h"
#include "tavf90.h"

namespace storage_test {

using tavtest::expect_fatal;

// The first `rank` dimensions as "lower:extent:stride ...".
inline std::string dims(const tav_dim *dim, int rank) {
  std::string s;
  for (int i = 0; i < rank; ++i)
    s += (i ? " " : "") + std::to_string(dim[i].lower) + ":" + std::to_string(dim[i].extent) + ":" +
         std::to_string(dim[i].stride);
  return s;
}

}  // namespace storage_test
