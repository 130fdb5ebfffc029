// ASSOCIATED, the list of array temporaries, and every fatal message of the
// storage entries.
#include <gtest/gtest.h>

#include <string>

#include "support/fatal_table.h"
#include "tavf90.h"

namespace {

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

TEST(AtmpList, FirstInFirstOut) {
  // Each temporary is told apart by its extent; the list holds copies.
  tav_atmplist list = __TAVf90_atmplist_create();
  tav_vector a = __TAVf90_mkatmp_i(1, 1), b = __TAVf90_mkatmp_i(1, 2), c = __TAVf90_mkatmp_i(1, 3),
             d = __TAVf90_mkatmp_i(1, 4);
  EXPECT_EQ(__TAVf90_atmplist_append(&list, &a), list.first);
  __TAVf90_atmplist_append(&list, &b);
  __TAVf90_atmplist_append(&list, &c);
  a.extent[0] = 99;
  tav_vector out;
  std::string seen;
  auto elt = [&](int n) {
    __TAVf90_atmplist_elt(list, &out, n);
    seen += std::to_string(out.extent[0]);
  };
  auto step = [&] {
    __TAVf90_atmplist_step(&list, &out);
    seen += std::to_string(out.extent[0]);
    __TAVf90_freevec_i(out);
  };
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
