// Array temporaries and the list compiled code keeps them on.
#include <gtest/gtest.h>

#include <string>

#include "storage_support.h"
#include "tavf90.h"

namespace {

using storage_test::expect_fatal;

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

TEST(AtmpList, MisuseIsFatal) {
  expect_fatal([] {
    tav_atmplist list = __TAVf90_atmplist_create();
    tav_vector v{};
    __TAVf90_atmplist_append(&list, &v);
    __TAVf90_atmplist_finish(list);
  }, "atmplist_finish: elements remaining on atmp list");
  expect_fatal([] {
    tav_atmplist list = __TAVf90_atmplist_create();
    tav_vector v;
    __TAVf90_atmplist_step(&list, &v);
  }, "atmplist_step: atmp list is empty");
  expect_fatal([] {
    tav_atmplist list = __TAVf90_atmplist_create();
    tav_vector v{};
    __TAVf90_atmplist_append(&list, &v);
    __TAVf90_atmplist_elt(list, &v, 1);
  }, "atmplist_elt: no element 1 on atmp list");
}

}  // namespace
