// ALLOCATE and DEALLOCATE with the library's own storage primitives:
// descriptors, STAT values, the fatal messages, ASSOCIATED and assumed-shape
// descriptors.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "storage_support.h"
#include "tavf90.h"

namespace {

using storage_test::dims;
using storage_test::expect_fatal;

TEST(Allocate, DeallocateOfUnallocatedObjects) {
  // Each returns its STAT= value.  The address a skipped ALLOCATE gave back
  // is no allocation either.
  const std::pair<int (*)(), int> cases[] = {
      {[] { int s = 0; tav_ptr_desc d{}; __TAVf90_Deallocate_a(1, 4, &d, &s); return s; }, 1},
      {[] { int s = 0; tav_cptr_desc c{}; __TAVf90_Deallocate_ca(1, &c, &s); return s; }, 1},
      {[] { int s = 0; __TAVf90_Deallocate_s(nullptr, 4, &s); return s; }, 2},
      {[] { int s = 0; __TAVf90_Deallocate_i(nullptr, __TAVf90_make_info(1, 1, 3), 4, &s); return s; }, 1},
      {[] { int s = 0; __TAVf90_Deallocate_aa(nullptr, __TAVf90_make_info(1, 1, 3).dim, 1, 4, &s); return s; }, 1},
      {[] {
         int s = 0;
         __TAVf90_Deallocate_aa(TAV_UNDEFINED_POINTER, __TAVf90_make_info(1, 1, 3).dim, 1, 4, &s);
         return s;
       }, 1},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(cases[i].first(), cases[i].second) << "case " << i;

  const std::pair<void (*)(), const char *> fatal[] = {
      {[] { tav_ptr_desc d{}; __TAVf90_Deallocate_a(1, 4, &d, nullptr); }, "DEALLOCATE: Array not allocated"},
      {[] { tav_cptr_desc d{}; __TAVf90_Deallocate_ca(1, &d, nullptr); },
       "DEALLOCATE: Character array not allocated"},
      {[] { tav_cptr_desc d{}; d.base = TAV_UNDEFINED_POINTER; __TAVf90_Deallocate_ca(1, &d, nullptr); },
       "DEALLOCATE: POINTER has never been associated"},
      {[] { tav_ptr_desc d{}; d.base = TAV_UNDEFINED_POINTER; d.dim[0] = tav_dim{1, 4, 1};
            __TAVf90_Deallocate_a(1, 4, &d, nullptr); }, "DEALLOCATE: POINTER has never been associated"},
      {[] { __TAVf90_Deallocate_s(TAV_UNDEFINED_POINTER, 4, nullptr); },
       "DEALLOCATE: POINTER has never been associated"},
      {[] { __TAVf90_Deallocate_s(nullptr, 4, nullptr); }, "DEALLOCATE: object not allocated/associated"},
      {[] { __TAVf90_Deallocate_i(nullptr, __TAVf90_make_info(1, 1, 1), 4, nullptr); },
       "DEALLOCATE failure: ALLOCATABLE array is not ALLOCATEd"},
      {[] { __TAVf90_Deallocate_aa(nullptr, nullptr, 1, 4, nullptr); },
       "DEALLOCATE failure: ALLOCATABLE array is not ALLOCATEd"},
  };
  for (const auto &[body, message] : fatal) expect_fatal(body, message);
}

TEST(Allocate, EarlierFailureSkipsDeallocation) {
  int stat = 0;
  void *s = __TAVf90_Allocate_s(4, &stat);
  tav_info info = __TAVf90_make_info(1, 1, 4);
  void *a = __TAVf90_Allocate_i(info, 4, &stat);
  ASSERT_EQ(stat, 0);
  // DEALLOCATE(p, q, a, STAT=st) where an earlier object failed: the scalar
  // and ALLOCATABLE forms do nothing and keep the status.
  stat = 1;
  __TAVf90_Deallocate_s(s, 4, &stat);
  __TAVf90_Deallocate_i(a, info, 4, &stat);
  EXPECT_EQ(stat, 1);
  // POINTER arrays are released regardless and leave the status alone.
  tav_ptr_desc d;
  int own = 0;
  __TAVf90_Allocate_a(&d, 4, 1, 1, 2, &own);
  __TAVf90_Deallocate_a(1, 4, &d, &stat);
  EXPECT_EQ(d.base, nullptr);
  EXPECT_EQ(stat, 1);
  stat = 0;
  __TAVf90_Deallocate_s(s, 4, &stat);
  __TAVf90_Deallocate_i(a, info, 4, &stat);
  EXPECT_EQ(stat, 0);
}

TEST(MakeInfo, BoundsOffsetAndStridesInElements) {
  tav_info info = __TAVf90_make_info(3, 2, 4, -1, 0, 5, 9);
  EXPECT_EQ(info.rank, 3);
  EXPECT_EQ(dims(info.dim, 3), "2:3:1 -1:2:3 5:5:6");
  EXPECT_EQ(info.offset, -(2 + 3 * -1 + 6 * 5));
  EXPECT_EQ(dims(__TAVf90_make_info(2, 5, 4, 1, 3).dim, 2), "5:0:1 1:3:0");
  // An extent beyond a word is held.
  EXPECT_EQ(__TAVf90_make_info(1, 0, INT_MAX).dim[0].extent, INT_MAX);
  EXPECT_EQ(__TAVf90_make_info(1, 1, INT_MAX).dim[0].extent, INT_MAX);
  EXPECT_EQ(__TAVf90_make_info(2, 1, 4, -5, INT_MAX).dim[1].extent, INT_MAX);
  EXPECT_EQ(__TAVf90_make_info(1, INT_MIN, INT_MAX).dim[0].extent, INT_MAX);
  EXPECT_EQ(__TAVf90_make_info(1, INT_MIN, -1).dim[0].extent, INT_MAX);
}

// Each step changes one thing from the step before: "1" associated.
TEST(Associated, ArrayCharacterAndScalarPointers) {
  char block[64];
  tav_ptr_desc p{}, t{};
  std::string seen;
  auto check = [&] { seen += std::to_string(__TAVf90_assoc_aa(2, &p, 0, &t)); };
  p.base = t.base = block;
  p.dim[0] = t.dim[0] = tav_dim{4, 4, 1};
  p.dim[1] = t.dim[1] = tav_dim{2, 16, 1};
  check();
  t.dim[1].stride = 32;
  check();
  t.dim[1] = tav_dim{1, 32, 1};  // along a dimension of one element the stride says nothing
  p.dim[1] = tav_dim{1, 16, 7};
  check();
  p.dim[0].extent = t.dim[0].extent = 0;  // the same storage with no elements
  check();
  p.dim[0].extent = 4;
  t.dim[0].extent = 3;
  check();
  t.dim[0].extent = 4;
  t.base = block + 4;
  check();
  p.base = t.base = nullptr;
  check();
  tav_cptr_desc cp{}, ct{};
  auto ccheck = [&] { seen += std::to_string(__TAVf90_assoc_ch_aa(1, &cp, 0, &ct)); };
  cp.base = ct.base = block;
  cp.len = ct.len = 4;
  cp.dim[0] = ct.dim[0] = tav_dim{3, 4, 1};
  ccheck();
  ct.len = 2;
  ccheck();
  cp.len = ct.len = 0;
  ccheck();
  cp.len = ct.len = 4;
  ct.dim[0].stride = 8;
  ccheck();
  int x, y;
  for (int a : {__TAVf90_assoc_ss(&x, &x), __TAVf90_assoc_ss(&x, &y), __TAVf90_assoc_ss(nullptr, nullptr),
                __TAVf90_assoc_ch_ss(block, block, 3, 3), __TAVf90_assoc_ch_ss(block, block, 3, 2),
                __TAVf90_assoc_ch_ss(block, block, 0, 0), __TAVf90_assoc_ch_ss(nullptr, nullptr, 3, 3),
                __TAVf90_assoc_ch_ss(block, block + 1, 3, 3)})
    seen += std::to_string(a);
  EXPECT_EQ(seen, "1010000" "1000" "10010000");
  const char *message = "Uninitialised pointer used as argument to ASSOCIATED function";
  expect_fatal([] { tav_ptr_desc p{}, t{}; p.base = TAV_UNDEFINED_POINTER; __TAVf90_assoc_aa(1, &p, 0, &t); },
               message);
  expect_fatal([] { tav_cptr_desc p{}, t{}; t.base = TAV_UNDEFINED_POINTER; __TAVf90_assoc_ch_aa(1, &p, 0, &t); },
               message);
  expect_fatal([] { int x = 0; __TAVf90_assoc_ss(&x, TAV_UNDEFINED_POINTER); }, message);
}

TEST(AssumeShape, SharesStorageWithNewLowerBounds) {
  char block[96];
  tav_ptr_desc actual{};
  actual.base = block + 40;
  actual.offset = 1234;
  actual.dim[0] = tav_dim{3, -8, 5};
  actual.dim[1] = tav_dim{2, 48, 2};
  tav_ptr_desc dummy;
  std::memset(&dummy, 0x77, sizeof dummy);
  __TAVf90_assume_shape(&dummy, &actual, 2, 0, -1);
  EXPECT_EQ(dummy.base, actual.base);
  EXPECT_EQ(dims(dummy.dim, 2), "0:3:-8 -1:2:48");
  // Element (0, -1) is the first element.
  EXPECT_EQ(dummy.offset + 0 * -8 + -1 * 48, 0);

  tav_cptr_desc cactual{};
  cactual.base = block;
  cactual.len = 6;
  cactual.dim[0] = tav_dim{4, 6, 1};
  tav_cptr_desc cdummy;
  __TAVf90_assume_chshape(&cdummy, &cactual, 1, 3);
  EXPECT_EQ(cdummy.len, 6);
  EXPECT_EQ(cdummy.base, block);
  EXPECT_EQ(cdummy.offset, -18);
  EXPECT_EQ(cdummy.dim[0].lower, 3);
}

}  // namespace
