// Every check reporter ends the program with its own message (checks.tsv:
// entry, arguments, message); the shape check decides for itself.
#include <gtest/gtest.h>

#include <string>

#include "frame_support.h"
#include "support/child.h"
#include "support/fatal_table.h"
#include "tavf90.h"

namespace {

using frametest::fatal;

TEST(CheckReporters, EachEndsTheProgramWithItsMessage) {
  EXPECT_EQ(tavtest::expect_fatal_table("runtime/checks.tsv"), 87);
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
