// What the character temporaries ask of the storage primitives, and the
// message each ends with when a request is refused.
#include <gtest/gtest.h>

#include <string>

#include "support/child.h"
#include "primitives.h"
#include "tavf90.h"

namespace {

using tavtest::expect_fatal;

TEST(CharacterTemporaries, ExactRequestsAndReleases) {
  counted::reset();
  tav_chtmp r;
  __TAVf90_chcat(&r, "abc", 3, "de", 2);
  EXPECT_EQ(counted::calls().at(0).address, r.address);
  __TAVf90_chfree(&r);
  __TAVf90_chcat(&r, "", 0, "", 0);
  __TAVf90_chfree(&r);
  __TAVf90_adjustr_ch(&r, "ab  ", 4);
  __TAVf90_chfree(&r);
  char buf[6] = "abcde";
  tav_cptr_desc a{buf, 2, 0, {{2, 2, 1}}}, dst{buf + 1, 2, 0, {{2, 2, 1}}};
  __TAVf90_cat_a2s(&r, 1, &a);
  __TAVf90_chfree(&r);
  __TAVf90_freevec_ch(__TAVf90_chcat_as(1, &a, "x", 1));
  __TAVf90_array_ch_asgn_array_ch(1, &dst, &a);  // overlapping: a working copy
  std::string log;
  for (const counted::Call &c : counted::calls()) log += c.entry + " " + std::to_string(c.bytes) + ", ";
  EXPECT_EQ(log, "zoAlloc 5, oDeAlloc 5, zoAlloc 4, oDeAlloc 4, zoAlloc 4, oDeAlloc 4, oAlloc 6, oDeAlloc 6, "
                 "oAlloc 4, oDeAlloc 4, ");
  EXPECT_TRUE(counted::mismatches().empty()) << counted::mismatches().front();
}

TEST(CharacterTemporaries, RefusedRequestIsFatal) {
  char buf[4] = "abc";
  tav_cptr_desc a{buf, 1, 0, {{3, 1, 1}}}, back{buf + 2, 1, 0, {{3, -1, 1}}};
  tav_chtmp r;
  auto refused = [](const std::function<void()> &body) {
    return [body] { counted::fail_after(0, true), body(); };
  };
  expect_fatal(refused([&] { __TAVf90_chcat(&r, "a", 1, "b", 1); }), "Out of memory in CHARACTER concatenation");
  expect_fatal(refused([&] { __TAVf90_adjustl_ch(&r, "a", 1); }), "Out of memory in ADJUSTL intrinsic");
  expect_fatal(refused([&] { __TAVf90_adjustr_ch(&r, "a", 1); }), "Out of memory in ADJUSTR intrinsic");
  expect_fatal(refused([&] { __TAVf90_cat_a2s(&r, 1, &a); }), "Out of memory in FORMAT processing");
  expect_fatal(refused([&] { __TAVf90_chcat_sa(1, "a", &a, 1); }), "Cannot allocate array temporary - out of memory");
  expect_fatal(refused([&] { __TAVf90_array_ch_asgn_array_ch(1, &a, &back); }), "Out of memory");
  // A length that is not a default INTEGER is refused before any request.
  expect_fatal([&] { __TAVf90_chcat(&r, buf, 0x7FFFFFFF, buf, 1); }, "Out of memory in CHARACTER concatenation");
}

}  // namespace
