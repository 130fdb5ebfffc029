// Scalar character operations.  INDEX, SCAN, VERIFY, LEN_TRIM, comparison
// and ADJUSTL/ADJUSTR against a table computed by another Fortran compiler
// (oracle.f90); assignment, temporaries and the order of comparison here.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tavf90.h"

namespace {

struct Case {
  std::string s, t;
  int index, index_back, scan, scan_back, verify, verify_back, len_trim, compare;
  std::string adjustl, adjustr;
};
const Case kOracle[] = {
#include "oracle_cases.inc"
};

int n(const std::string &s) { return static_cast<int>(s.size()); }

// A temporary's text; the temporary is released and its pair zeroed.
std::string take(tav_chtmp &t) {
  std::string s(t.address ? t.address : "", static_cast<std::size_t>(t.length));
  __TAVf90_chfree(&t);
  EXPECT_TRUE(t.address == nullptr && t.length == 0);
  return s;
}

TEST(Strings, AgreeWithAnotherCompiler) {
  const std::int32_t yes = 1, no = 0;
  for (const Case &c : kOracle) {
    SCOPED_TRACE("s='" + c.s + "' t='" + c.t + "'");
    const char *s = c.s.data(), *t = c.t.data();
    int ls = n(c.s), lt = n(c.t);
    EXPECT_EQ(__TAVf90_charindex(s, t, ls, lt), c.index);
    EXPECT_EQ(__TAVf90_charindex3(s, t, &no, ls, lt), c.index);
    EXPECT_EQ(__TAVf90_charindex3(s, t, &yes, ls, lt), c.index_back);
    EXPECT_EQ(__TAVf90_charindex_i4(s, t, ls, lt), c.index);
    EXPECT_EQ(__TAVf90_scan(s, t, ls, lt), c.scan);
    EXPECT_EQ(__TAVf90_scan3(s, t, &yes, ls, lt), c.scan_back);
    EXPECT_EQ(__TAVf90_verify(s, t, ls, lt), c.verify);
    EXPECT_EQ(__TAVf90_verify3(s, t, &yes, ls, lt), c.verify_back);
    EXPECT_EQ(__TAVf90_len_trim(s, ls), c.len_trim);
    EXPECT_EQ(__TAVf90_charcmp(s, t, ls, lt), c.compare);
    EXPECT_EQ(__TAVf90_charcmp(t, s, lt, ls), -c.compare);
    tav_chtmp r;
    __TAVf90_adjustl_ch(&r, s, ls);
    EXPECT_EQ(take(r), c.adjustl);
    __TAVf90_adjustr_ch(&r, s, ls);
    EXPECT_EQ(take(r), c.adjustr);
    __TAVf90_chcat(&r, s, ls, t, lt);
    EXPECT_EQ(take(r), c.s + c.t);
  }
}

TEST(Strings, ComparisonIsOneOrder) {
  // Tails above and below the blank, bytes above 127 included: the order
  // must be antisymmetric and transitive, or sorting breaks.
  const std::vector<std::string> v = {"",   "ab",   "ab ", "ab\351", "ab \351", "ab\t", "ab \t", "ab\1",
                                      "a",  "b",    " ",   "ab c",   "\351",    "ab!",  "ab\200 "};
  auto cmp = [](const std::string &a, const std::string &b) { return __TAVf90_charcmp(a.data(), b.data(), n(a), n(b)); };
  for (const auto &a : v)
    for (const auto &b : v) {
      ASSERT_EQ(cmp(a, b), -cmp(b, a)) << a << "|" << b;
      for (const auto &c : v) ASSERT_TRUE(cmp(a, b) > 0 || cmp(b, c) > 0 || cmp(a, c) <= 0) << a << "|" << b << "|" << c;
    }
}

TEST(Strings, AssignmentPadsTruncatesAndOverlaps) {
  // {destination offset and length, source offset and length} within
  // "abcdef": the shifted copies overlap in both directions.
  const struct {
    int dst, dlen, src, slen;
    const char *want;
  } cases[] = {{0, 5, 6, 3, "ghi  f"}, {0, 2, 6, 3, "ghcdef"}, {0, 3, 6, 0, "   def"}, {0, 0, 6, 3, "abcdef"},
               {1, 5, 0, 5, "aabcde"}, {0, 5, 1, 5, "bcdeff"}, {1, 5, 0, 3, "aabc  "}, {0, 6, 2, 3, "cde   "}};
  for (const auto &c : cases) {
    std::string b = "abcdefghi";
    __TAVf90_chasgn(b.data() + c.dst, c.dlen, b.data() + c.src, c.slen);
    EXPECT_EQ(b.substr(0, 6), c.want);
  }
}

TEST(Strings, EmptyOperands) {
  tav_chtmp r{reinterpret_cast<char *>(8), 99};
  __TAVf90_chcat(&r, "", 0, "", 0);
  EXPECT_TRUE(r.address == nullptr && r.length == 0);
  __TAVf90_chfree(&r);  // releases nothing
  EXPECT_EQ(__TAVf90_len("abc", 3) + __TAVf90_len_i4("", 0), 3);
  EXPECT_EQ(__TAVf90_scan3("abca", "a", nullptr, 4, 1), 1);  // BACK absent: false
}

}  // namespace
