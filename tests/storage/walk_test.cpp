// The array walk: element order for sections of every rank, negative
// strides and zero extents.  (Lockstep walks are exercised through the
// reductions and the elemental array forms.)
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "array/walk.h"
#include "tavf90.h"

namespace {

using tav::array::for_each_element;
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

}  // namespace
