// Expecting the fatal path: the scenario runs in a child, which must end
// with SIGABRT after printing exactly the message and the closing line.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "support/child.h"

namespace storage_test {

inline void expect_fatal(const std::function<void()> &body, const std::string &message) {
  auto r = tavtest::run(body);
  EXPECT_TRUE(r.aborted()) << r.describe();
  EXPECT_EQ(r.err, message + "\nProgram terminated by fatal error\n");
}

}  // namespace storage_test
