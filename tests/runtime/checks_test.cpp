// Every check reporter ends the program with its own message (checks.tsv:
// entry, arguments, message); the shape check reports the first
// difference and only that.
#include "support/common.h"

namespace {

tav_dim dim(intptr_t extent, intptr_t stride = 4, intptr_t lower = 1) { return tav_dim{extent, stride, lower}; }

TEST(CheckReporters, EachEndsTheProgramWithItsMessage) {
  // Shapes whose first, second and seventh extents differ, for check_shapes.
  tav_dim a[7], b[7] = {dim(2), dim(4), dim(6)}, c[7];
  for (int i = 0; i < 7; ++i) a[i] = c[i] = dim(i + 1);
  c[6] = dim(0);
  EXPECT_EQ(tavtest::expect_fatal_table("runtime/checks.tsv", {{"a", a + 1}, {"b", b}, {"c", c}, {"d", a}}), 90);
}

// Strides and lower bounds may differ; nothing is compared at rank 0 or
// below.
TEST(CheckShapes, OnlyExtentsCount) {
  tavtest::expect_run("agree", [] {
    tav_dim a[3] = {dim(2, 4, 1), dim(3, 8, 0), dim(0)}, b[3] = {dim(2, 12, -4), dim(3, 4, 7), dim(0)};
    __TAVf90_check_shapes(a, b, 3);
    __TAVf90_check_shapes(a, b + 1, 0);
    __TAVf90_check_shapes(a, b + 1, -1);
  }, {0, "", ""});
}

}  // namespace
