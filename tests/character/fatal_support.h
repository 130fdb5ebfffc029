// A scenario that must end by the fatal path with `message`: run in a
// child, it aborts after printing the message and the closing line (an
// emulator may add a line of its own after the abort).
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "support/child.h"

inline void expect_fatal(const std::function<void()> &body, const std::string &message) {
  auto r = tavtest::run(body);
  EXPECT_TRUE(r.aborted()) << message << ": " << r.describe();
  const std::string text = message + "\nProgram terminated by fatal error\n";
  EXPECT_EQ(r.err.substr(0, text.size()), text);
}
