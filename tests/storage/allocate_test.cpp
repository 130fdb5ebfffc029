// ALLOCATE and DEALLOCATE with the library's own storage primitives:
// descriptors, STAT values, ASSOCIATED, assumed-shape descriptors, array
// temporaries and their list, and every fatal message of the storage entries.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "storage_support.h"
#include "support/fatal_table.h"
#include "tavf90.h"

namespace {

using storage_test::dims;

TEST(Allocate, DeallocateOfUnallocatedObjects) {
  // Each sets its STAT= value.  The address a skipped ALLOCATE gave back is
  // no allocation either.
  int s[6] = {};
  tav_ptr_desc d{};
  tav_cptr_desc c{};
  const tav_info info = __TAVf90_make_info(1, 1, 3);
  __TAVf90_Deallocate_a(1, 4, &d, &s[0]);
  __TAVf90_Deallocate_ca(1, &c, &s[1]);
  __TAVf90_Deallocate_s(nullptr, 4, &s[2]);
  __TAVf90_Deallocate_i(nullptr, info, 4, &s[3]);
  __TAVf90_Deallocate_aa(nullptr, info.dim, 1, 4, &s[4]);
  __TAVf90_Deallocate_aa(TAV_UNDEFINED_POINTER, info.dim, 1, 4, &s[5]);
  EXPECT_EQ(std::vector<int>(s, s + 6), (std::vector<int>{1, 1, 2, 1, 1, 1}));
  tavtest::expect_fatal([] { __TAVf90_Deallocate_i(nullptr, __TAVf90_make_info(1, 1, 1), 4, nullptr); },
                        "DEALLOCATE failure: ALLOCATABLE array is not ALLOCATEd");
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
  EXPECT_TRUE(d.base == nullptr && stat == 1);
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
}

TEST(AssumeShape, SharesStorageWithNewLowerBounds) {
  char block[96];
  tav_ptr_desc actual{}, dummy;
  actual.base = block + 40;
  actual.offset = 1234;
  actual.dim[0] = tav_dim{3, -8, 5};
  actual.dim[1] = tav_dim{2, 48, 2};
  std::memset(&dummy, 0x77, sizeof dummy);
  __TAVf90_assume_shape(&dummy, &actual, 2, 0, -1);
  EXPECT_EQ(dummy.base, actual.base);
  EXPECT_EQ(dims(dummy.dim, 2), "0:3:-8 -1:2:48");
  EXPECT_EQ(dummy.offset + 0 * -8 + -1 * 48, 0);  // element (0, -1) is the first
  tav_cptr_desc cactual{}, cdummy;
  cactual.base = block;
  cactual.len = 6;
  cactual.dim[0] = tav_dim{4, 6, 1};
  __TAVf90_assume_chshape(&cdummy, &cactual, 1, 3);
  EXPECT_TRUE(cdummy.len == 6 && cdummy.base == block);
  EXPECT_EQ(dims(cdummy.dim, 1) + " " + std::to_string(cdummy.offset), "3:4:6 -18");
}

TEST(Temporary, ExtentsOfEveryRank) {
  // A negative extent or length means empty; all seven extents are read.
  tav_vector v = __TAVf90_mkatmp_r(2, 4, -3), seven = __TAVf90_mkatmp_dc(7, 1, 2, 1, 2, 1, 2, 3);
  tav_cvector c = __TAVf90_mkatmp_ch(1, 2, -1);
  EXPECT_EQ(v.extent[1] + __TAVf90_size_vector(v) + c.len, 0);
  EXPECT_EQ(__TAVf90_size_vector(seven), 24);
  __TAVf90_freevec_r(v), __TAVf90_freevec_ch(c), __TAVf90_freevec_dc(seven);
}

TEST(AtmpList, FirstInFirstOut) {
  // Each temporary is told apart by its extent; the list holds copies.
  tav_atmplist list = __TAVf90_atmplist_create();
  tav_vector a = __TAVf90_mkatmp_i(1, 1), b = __TAVf90_mkatmp_i(1, 2), c = __TAVf90_mkatmp_i(1, 3),
             d = __TAVf90_mkatmp_i(1, 4);
  char *const bases[] = {nullptr, a.base, b.base, c.base, d.base};
  EXPECT_EQ(__TAVf90_atmplist_append(&list, &a), list.first);
  __TAVf90_atmplist_append(&list, &b);
  __TAVf90_atmplist_append(&list, &c);
  a.extent[0] = 99;
  tav_vector out;
  std::string seen;
  auto note = [&] {
    seen += std::to_string(out.extent[0]);
    EXPECT_EQ(out.base, bases[out.extent[0] % 5]);
  };
  auto elt = [&](int n) { __TAVf90_atmplist_elt(list, &out, n), note(); };
  auto step = [&] { __TAVf90_atmplist_step(&list, &out), note(), __TAVf90_freevec_i(out); };
  elt(2), elt(0), step(), elt(0), step();
  __TAVf90_atmplist_append(&list, &d);
  step(), step();
  EXPECT_EQ(seen, "3112234");
  EXPECT_EQ(list.first, nullptr);
  __TAVf90_atmplist_finish(list);
  // CHARACTER nodes keep their length.
  tav_cvector ca = __TAVf90_mkatmp_ch(1, 2, 3), cout;
  __TAVf90_atmplist_append_ch(&list, &ca);
  __TAVf90_atmplist_step_ch(&list, &cout);
  EXPECT_TRUE(cout.base == ca.base && cout.len == 3);
  __TAVf90_freevec_ch(cout);
}

// The fatal paths of data/fatal.tsv.  Its objects: empty descriptors, never
// associated ones, a list holding one temporary ("held", passed by value)
// and an empty one.
TEST(Storage, FatalPaths) {
  tav_ptr_desc p{}, undef_p{};
  tav_cptr_desc c{}, undef_c{};
  undef_p.base = undef_c.base = TAV_UNDEFINED_POINTER;
  undef_p.dim[0] = undef_c.dim[0] = tav_dim{1, 4, 1};
  tav_atmplist held = __TAVf90_atmplist_create(), empty = __TAVf90_atmplist_create();
  tav_vector v{}, r;
  __TAVf90_atmplist_append(&held, &v);
  EXPECT_EQ(tavtest::expect_fatal_table("storage/data/fatal.tsv",
                                        {{"p", &p}, {"c", &c}, {"undef_p", &undef_p}, {"undef_c", &undef_c},
                                         {"held", held.first}, {"empty", &empty}, {"r", &r}}),
            24);
  __TAVf90_atmplist_step(&held, &r);
}

}  // namespace
