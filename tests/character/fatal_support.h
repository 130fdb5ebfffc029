// A scenario that must end by the fatal path with `message`: run in a
// child, it aborts after printing exactly the message and the closing line
// (these scenarios run without line information, so no traceback).
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "support/child.h"

inline void expect_fatal(const std::function<void()> &body, const std::string &message) {
  auto r = tavtest::run(body);
  EXPECT_TRUE(r.aborted()) << message << ": " << r.describe();
  EXPECT_EQ(r.err, message + "\nProgram terminated by fatal error\n");
}
