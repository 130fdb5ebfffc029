// What the character temporaries ask of the storage primitives, and the
// message each ends with when a request is refused.
#include "support/common.h"
#include "primitives.h"

namespace {

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

// Every request refused: the rows of data/refused.tsv end with their
// messages.
TEST(CharacterTemporaries, RefusedRequestIsFatal) {
  char buf[4] = "abc";
  tav_cptr_desc a{buf, 1, 0, {{3, 1, 1}}}, back{buf + 2, 1, 0, {{3, -1, 1}}};
  tav_chtmp r;
  tav_cvector out;
  const std::map<std::string, const void *> objects = {{"r", &r}, {"out", &out}, {"a", &a}, {"back", &back}};
  auto refuse_all = [] { counted::fail_after(0, true); };
  EXPECT_EQ(tavtest::expect_fatal_table("character/data/refused.tsv", objects, refuse_all), 6);
  // A length that is not a default INTEGER is refused before any request.
  tavtest::expect_fatal([&] { __TAVf90_chcat(&r, buf, 0x7FFFFFFF, buf, 1); },
                        "Out of memory in CHARACTER concatenation");
}

}  // namespace
