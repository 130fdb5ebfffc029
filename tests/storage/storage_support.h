// Helpers of the storage scenarios: the fatal path (the scenario runs in a
// child, which must end with SIGABRT after printing exactly the message and
// the closing line) and descriptor bounds in one line.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "support/child.h"
#include "tavf90.h"

namespace storage_test {

inline void expect_fatal(const std::function<void()> &body, const std::string &message) {
  auto r = tavtest::run(body);
  EXPECT_TRUE(r.aborted()) << message << ": " << r.describe();
  EXPECT_EQ(r.err, message + "\nProgram terminated by fatal error\n");
}

// The first `rank` dimensions as "lower:extent:stride ...".
inline std::string dims(const tav_dim *dim, int rank) {
  std::string s;
  for (int i = 0; i < rank; ++i)
    s += (i ? " " : "") + std::to_string(dim[i].lower) + ":" + std::to_string(dim[i].extent) + ":" +
         std::to_string(dim[i].stride);
  return s;
}

}  // namespace storage_test
