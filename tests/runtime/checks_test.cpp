// Every check reporter ends the program with its own message (checks.tsv:
// entry, arguments, message); the shape check decides for itself.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "frame_support.h"
#include "support/child.h"
#include "tavf90.h"

namespace {

using frametest::fatal;

// The reporters take at most five arguments, each an int or a string: one
// word each, so every one is called through the same five-word type (the
// caller removes the arguments, extra ones are never read).
using Words = void (*)(std::intptr_t, std::intptr_t, std::intptr_t, std::intptr_t, std::intptr_t);

TEST(CheckReporters, EachEndsTheProgramWithItsMessage) {
  std::ifstream in(TAV_SOURCE_DIR "/tests/runtime/checks.tsv");
  ASSERT_TRUE(in);
  std::string line;
  int rows = 0;
  while (std::getline(in, line)) {
    std::istringstream f(line);
    std::string entry, args, message;
    std::getline(f, entry, '\t'), std::getline(f, args, '\t'), std::getline(f, message);
    for (std::size_t at; (at = message.find("\\n")) != std::string::npos;) message.replace(at, 2, "\n");
    auto fn = reinterpret_cast<Words>(dlsym(RTLD_DEFAULT, ("__TAVf90_" + entry).c_str()));
    ASSERT_NE(fn, nullptr) << entry;
    std::vector<std::string> strings;
    strings.reserve(5);  // the words point into them
    std::intptr_t w[5] = {};
    std::istringstream a(args);
    int n = 0;
    for (std::string t; a >> t; ++n) {
      if (t == "null") continue;
      if (t[0] != '"') w[n] = std::stol(t);
      else strings.push_back(t.substr(1, t.size() - 2)), w[n] = reinterpret_cast<std::intptr_t>(strings.back().c_str());
    }
    tavtest::expect_run(entry + " " + args, [&] { fn(w[0], w[1], w[2], w[3], w[4]); },
                        {tavtest::kAborted, "", fatal(message).c_str()});
    ++rows;
  }
  EXPECT_EQ(rows, 87);
}

tav_dim dim(intptr_t extent, intptr_t stride = 4, intptr_t lower = 1) { return tav_dim{extent, stride, lower}; }

TEST(CheckShapes, OnlyExtentsCountAndTheFirstDifferenceIsReported) {
  tavtest::expect_run("agree", [] {
    // Strides and lower bounds may differ; nothing is compared at rank 0 or
    // below.
    tav_dim a[3] = {dim(2, 4, 1), dim(3, 8, 0), dim(0)};
    tav_dim b[3] = {dim(2, 12, -4), dim(3, 4, 7), dim(0)};
    __TAVf90_check_shapes(a, b, 3);
    __TAVf90_check_shapes(a, b + 1, 0);
    __TAVf90_check_shapes(a, b + 1, -1);
    std::fputs("agreed\n", stdout);
  }, {0, "agreed\n", ""});
  std::string second = fatal("Shape mismatch: Dimension 2 extents are 3 and 4");
  tavtest::expect_run("second", [] {
    tav_dim a[3] = {dim(2), dim(3), dim(5)};
    tav_dim b[3] = {dim(2), dim(4), dim(6)};
    __TAVf90_check_shapes(a, b, 3);
  }, {tavtest::kAborted, nullptr, second.c_str()});
  std::string seventh = fatal("Shape mismatch: Dimension 7 extents are 7 and 0");
  tavtest::expect_run("seventh", [] {
    tav_dim a[7], b[7];
    for (int i = 0; i < 7; ++i) a[i] = b[i] = dim(i + 1);
    b[6] = dim(0);
    __TAVf90_check_shapes(a, b, 7);
  }, {tavtest::kAborted, nullptr, seventh.c_str()});
}

}  // namespace
