// What the character temporaries ask of the storage primitives, and the
// message each ends with when a request is refused.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "primitives.h"
#include "support/child.h"
#include "tavf90.h"

namespace {

std::string log() {
  std::string s;
  for (const counted::Call &c : counted::calls()) s += (s.empty() ? "" : ", ") + c.entry + " " + std::to_string(c.bytes);
  return s;
}

TEST(Temporaries, ExactRequestsAndReleases) {
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
  tav_cptr_desc a{buf, 2, 0, {{2, 2, 1}}};
  __TAVf90_cat_a2s(&r, 1, &a);
  __TAVf90_chfree(&r);
  __TAVf90_freevec_ch(__TAVf90_chcat_as(1, &a, "x", 1));
  // Overlapping array assignment copies its source through working storage.
  tav_cptr_desc dst{buf + 1, 2, 0, {{2, 2, 1}}};
  __TAVf90_array_ch_asgn_array_ch(1, &dst, &a);
  EXPECT_EQ(log(), "zoAlloc 5, oDeAlloc 5, zoAlloc 4, oDeAlloc 4, zoAlloc 4, oDeAlloc 4, oAlloc 6, oDeAlloc 6, "
                   "oAlloc 4, oDeAlloc 4");
  EXPECT_TRUE(counted::mismatches().empty()) << counted::mismatches().front();
}

TEST(Temporaries, RefusedRequestIsFatal) {
  char buf[4] = "abc";
  tav_cptr_desc a{buf, 1, 0, {{3, 1, 1}}}, back{buf + 2, 1, 0, {{3, -1, 1}}};
  tav_chtmp r;
  const struct {
    std::function<void()> body;
    const char *message;
  } cases[] = {
      {[&] { __TAVf90_chcat(&r, "a", 1, "b", 1); }, "Out of memory in CHARACTER concatenation"},
      {[&] { __TAVf90_adjustl_ch(&r, "a", 1); }, "Out of memory in ADJUSTL intrinsic"},
      {[&] { __TAVf90_adjustr_ch(&r, "a", 1); }, "Out of memory in ADJUSTR intrinsic"},
      {[&] { __TAVf90_cat_a2s(&r, 1, &a); }, "Out of memory in FORMAT processing"},
      {[&] { __TAVf90_chcat_sa(1, "a", &a, 1); }, "Cannot allocate array temporary - out of memory"},
      {[&] { __TAVf90_array_ch_asgn_array_ch(1, &a, &back); }, "Out of memory"},
  };
  for (const auto &c : cases) {
    auto res = tavtest::run([&] {
      counted::fail_after(0, true);
      c.body();
    });
    EXPECT_TRUE(res.aborted()) << c.message << ": " << res.describe();
    // The first line only: an emulator may add its own after the abort.
    EXPECT_EQ(res.err.substr(0, res.err.find("\nProgram terminated")), c.message);
    EXPECT_NE(res.err.find("\nProgram terminated by fatal error\n"), std::string::npos);
  }
  // A concatenation whose length is not a default INTEGER is refused
  // before any request.
  auto res = tavtest::run([&] { __TAVf90_chcat(&r, buf, 0x7FFFFFFF, buf, 1); });
  EXPECT_EQ(res.err.substr(0, res.err.find('\n')), "Out of memory in CHARACTER concatenation");
}

}  // namespace
