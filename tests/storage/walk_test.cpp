// The array walk: element order for sections of every rank, negative
// strides, zero extents, and lockstep walks.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "array/walk.h"
#include "tavf90.h"

namespace {

using tav::array::for_each_element;
using tav::array::for_each_element_pair;
using tav::array::Walk;

// Addresses in array element order, computed from subscripts.
std::vector<std::uintptr_t> expected_order(int rank, const tav_ptr_desc &d) {
  std::vector<std::uintptr_t> out;
  long total = 1;
  for (int k = 0; k < rank; ++k) total *= d.dim[k].extent;
  for (long n = 0; n < total; ++n) {
    long rest = n;
    std::intptr_t offset = 0;
    for (int k = 0; k < rank; ++k) {
      offset += (rest % d.dim[k].extent) * d.dim[k].stride;
      rest /= d.dim[k].extent;
    }
    out.push_back(reinterpret_cast<std::uintptr_t>(d.base) + offset);
  }
  return out;
}

std::vector<std::uintptr_t> walked(int rank, const tav_ptr_desc &d) {
  std::vector<std::uintptr_t> out;
  for_each_element(rank, &d, [&](char *p) { out.push_back(reinterpret_cast<std::uintptr_t>(p)); });
  return out;
}

TEST(Walk, EverySevenDimensions) {
  static char block[1 << 16];
  tav_ptr_desc d{};
  d.base = block + 4000;
  const std::intptr_t extents[7] = {2, 3, 1, 2, 2, 1, 3};
  const std::intptr_t strides[7] = {-4, 24, 8, -200, 1000, 16, -2000};
  for (int rank = 1; rank <= 7; ++rank) {
    for (int k = 0; k < rank; ++k) d.dim[k] = tav_dim{extents[k], strides[k], 1};
    SCOPED_TRACE(rank);
    EXPECT_EQ(walked(rank, d), expected_order(rank, d));
  }
}

TEST(Walk, ZeroExtentVisitsNothing) {
  char block[64];
  tav_ptr_desc d{};
  d.base = block;
  for (int zero = 0; zero < 3; ++zero) {
    for (int k = 0; k < 3; ++k) d.dim[k] = tav_dim{k == zero ? 0 : 2, 4 << k, 1};
    int calls = 0;
    for_each_element(3, &d, [&](char *) { ++calls; });
    EXPECT_EQ(calls, 0) << "zero extent in dimension " << zero + 1;
    EXPECT_EQ(Walk(3, d.dim).count(), 0);
  }
  // Extents beyond the rank are never read.
  d.dim[0] = tav_dim{2, 4, 1};
  d.dim[1] = tav_dim{-1, 0, 0};
  EXPECT_EQ(walked(1, d).size(), 2u);
}

TEST(Walk, LockstepPairs) {
  // b(1:6) = a(6:1:-1) with a of doubles and b of 4-byte integers.
  double a[6] = {1, 2, 3, 4, 5, 6};
  std::int32_t b[6] = {};
  tav_ptr_desc da{}, db{};
  da.base = reinterpret_cast<char *>(a + 5);
  da.dim[0] = tav_dim{2, -8, 1};
  da.dim[1] = tav_dim{3, -16, 1};
  db.base = reinterpret_cast<char *>(b);
  db.dim[0] = tav_dim{2, 4, 1};
  db.dim[1] = tav_dim{3, 8, 1};
  for_each_element_pair(2, &da, &db, [](char *x, char *y) {
    *reinterpret_cast<std::int32_t *>(y) = static_cast<std::int32_t>(*reinterpret_cast<double *>(x));
  });
  EXPECT_EQ(std::vector<int>(b, b + 6), (std::vector<int>{6, 5, 4, 3, 2, 1}));
}

TEST(Walk, ResultIndexAsSecondCursor) {
  // SUM(a, DIM=2) of a 2 x 3 array: the result index walks with multipliers
  // (1 along dimension 1, 0 along DIM) in lockstep with the array.
  std::int32_t a[6] = {1, 2, 3, 4, 5, 6};
  tav_ptr_desc d{};
  d.base = reinterpret_cast<char *>(a);
  d.dim[0] = tav_dim{2, 4, 1};
  d.dim[1] = tav_dim{3, 8, 1};
  Walk w(2, d.dim);
  std::uintptr_t cursor[2] = {reinterpret_cast<std::uintptr_t>(d.base), 0};
  std::uintptr_t step[2][7];
  for (int k = 0; k < 7; ++k) step[0][k] = w.step[k];
  const std::intptr_t multipliers[2] = {1, 0};
  w.steps_for(2, multipliers, step[1]);
  std::int32_t sum[2] = {};
  tav::array::walk_lockstep(w, cursor, step, [&](const std::uintptr_t(&c)[2]) {
    sum[c[1]] += *reinterpret_cast<const std::int32_t *>(c[0]);
  });
  EXPECT_EQ(sum[0], 1 + 3 + 5);
  EXPECT_EQ(sum[1], 2 + 4 + 6);
}

}  // namespace
