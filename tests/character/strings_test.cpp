// Scalar character operations.  INDEX, SCAN, VERIFY, LEN_TRIM, comparison,
// ADJUSTL and ADJUSTR are checked against a table computed by another
// Fortran compiler (oracle.f90); assignment, temporaries and the order of
// comparison are checked here.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
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

std::string take(tav_chtmp &t) {
  std::string s(t.address ? t.address : "", static_cast<std::size_t>(t.length));
  __TAVf90_chfree(&t);
  EXPECT_EQ(t.address, nullptr);
  EXPECT_EQ(t.length, 0);
  return s;
}

TEST(Oracle, IntrinsicsAgreeWithAnotherCompiler) {
  const std::int32_t yes = 1, no = 0;
  for (const Case &c : kOracle) {
    SCOPED_TRACE("s='" + c.s + "' t='" + c.t + "'");
    const char *s = c.s.data(), *t = c.t.data();
    EXPECT_EQ(__TAVf90_charindex(s, t, n(c.s), n(c.t)), c.index);
    EXPECT_EQ(__TAVf90_charindex3(s, t, &no, n(c.s), n(c.t)), c.index);
    EXPECT_EQ(__TAVf90_charindex3(s, t, &yes, n(c.s), n(c.t)), c.index_back);
    EXPECT_EQ(__TAVf90_charindex_i4(s, t, n(c.s), n(c.t)), c.index);
    EXPECT_EQ(__TAVf90_scan(s, t, n(c.s), n(c.t)), c.scan);
    EXPECT_EQ(__TAVf90_scan3(s, t, &yes, n(c.s), n(c.t)), c.scan_back);
    EXPECT_EQ(__TAVf90_verify(s, t, n(c.s), n(c.t)), c.verify);
    EXPECT_EQ(__TAVf90_verify3(s, t, &yes, n(c.s), n(c.t)), c.verify_back);
    EXPECT_EQ(__TAVf90_len_trim(s, n(c.s)), c.len_trim);
    EXPECT_EQ(__TAVf90_charcmp(s, t, n(c.s), n(c.t)), c.compare);
    EXPECT_EQ(__TAVf90_charcmp(t, s, n(c.t), n(c.s)), -c.compare);
    tav_chtmp r;
    __TAVf90_adjustl_ch(&r, s, n(c.s));
    EXPECT_EQ(take(r), c.adjustl);
    __TAVf90_adjustr_ch(&r, s, n(c.s));
    EXPECT_EQ(take(r), c.adjustr);
    __TAVf90_chcat(&r, s, n(c.s), t, n(c.t));
    EXPECT_EQ(take(r), c.s + c.t);
  }
}

TEST(Compare, OneConsistentOrder) {
  // Tails above and below the blank, bytes above 127 included: the order
  // must be antisymmetric and transitive, so that sorting works.
  const std::vector<std::string> v = {"",        "ab",      "ab ",       "ab\351", "ab \351", "ab\t",
                                      "ab \t",   "ab\1",    "ab\377",    "a",      "b",      " ",
                                      "ab c",    "\351",    "ab\200 ",   "ab!"};
  auto cmp = [](const std::string &a, const std::string &b) { return __TAVf90_charcmp(a.data(), b.data(), n(a), n(b)); };
  for (const auto &a : v)
    for (const auto &b : v) {
      ASSERT_EQ(cmp(a, b), -cmp(b, a)) << a << "|" << b;
      for (const auto &c : v)
        if (cmp(a, b) <= 0 && cmp(b, c) <= 0) {
          ASSERT_LE(cmp(a, c), 0) << a << "|" << b << "|" << c;
        }
    }
  EXPECT_EQ(cmp("ab", "ab\351"), -1);
  EXPECT_EQ(cmp("ab ", "ab\351"), -1);
  EXPECT_EQ(cmp("ab\1", "ab"), -1);
}

TEST(Assign, PadTruncateAndOverlap) {
  struct {
    int dlen;
    const char *src;
    const char *want;
  } const cases[] = {{5, "abc", "abc  "}, {2, "abc", "ab"}, {3, "", "   "}, {0, "abc", ""}, {4, "abcd", "abcd"}};
  for (const auto &c : cases) {
    std::string d(static_cast<std::size_t>(c.dlen), '#');
    __TAVf90_chasgn(d.data(), c.dlen, c.src, n(c.src));
    EXPECT_EQ(d, c.want);
  }
  // A string assigned to itself shifted by one, in both directions, and
  // shifted with padding that covers the source.
  struct {
    int dst, dlen, src, slen;
    const char *want;
  } const overlaps[] = {{1, 5, 0, 5, "aabcde"}, {0, 5, 1, 5, "bcdeff"}, {1, 5, 0, 3, "aabc  "}, {0, 6, 2, 3, "cde   "}};
  for (const auto &o : overlaps) {
    std::string b = "abcdef";
    __TAVf90_chasgn(b.data() + o.dst, o.dlen, b.data() + o.src, o.slen);
    EXPECT_EQ(b, o.want);
  }
}

TEST(Temporary, EmptyAndLengths) {
  tav_chtmp r{reinterpret_cast<char *>(8), 99};
  __TAVf90_chcat(&r, "", 0, "", 0);
  EXPECT_EQ(r.address, nullptr);
  EXPECT_EQ(r.length, 0);
  __TAVf90_chfree(&r);  // nothing to release
  __TAVf90_adjustl_ch(&r, "", 0);
  EXPECT_EQ(r.address, nullptr);
  EXPECT_EQ(__TAVf90_len("abc", 3), 3);
  EXPECT_EQ(__TAVf90_len_i4("", 0), 0);
  EXPECT_EQ(__TAVf90_len_trim("", 0), 0);
  // A set with every byte value goes through the table; an absent BACK is
  // false.
  std::string all;
  for (int c = 0; c < 256; ++c) all += static_cast<char>(c);
  EXPECT_EQ(__TAVf90_verify3(all.data(), all.data(), nullptr, 256, 256), 0);
  EXPECT_EQ(__TAVf90_scan3(all.data(), all.data() + 200, nullptr, 256, 56), 201);
}

}  // namespace
