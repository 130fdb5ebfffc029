// Scalar character operations.  INDEX, SCAN, VERIFY, LEN_TRIM, comparison
// and ADJUSTL/ADJUSTR against a table computed by another Fortran compiler
// (oracle.f90, data/oracle.tsv); assignment and temporaries here.
#include "support/common.h"

namespace {

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
  for (const auto &row : tavtest::table("character/data/oracle.tsv", 12)) {
    SCOPED_TRACE("s='" + row[0] + "' t='" + row[1] + "'");
    const char *s = row[0].data(), *t = row[1].data();
    const int ls = n(row[0]), lt = n(row[1]);
    // INDEX, INDEX back, SCAN, SCAN back, VERIFY, VERIFY back, LEN_TRIM, comparison.
    const std::vector<int> got = {__TAVf90_charindex(s, t, ls, lt), __TAVf90_charindex3(s, t, &yes, ls, lt),
                                  __TAVf90_scan(s, t, ls, lt), __TAVf90_scan3(s, t, &yes, ls, lt),
                                  __TAVf90_verify(s, t, ls, lt), __TAVf90_verify3(s, t, &yes, ls, lt),
                                  __TAVf90_len_trim(s, ls), __TAVf90_charcmp(s, t, ls, lt)};
    std::vector<int> want;
    for (int k = 2; k < 10; ++k) want.push_back(std::stoi(row[k]));
    EXPECT_EQ(got, want);
    EXPECT_EQ(__TAVf90_charindex3(s, t, &no, ls, lt), want[0]);
    EXPECT_EQ(__TAVf90_charindex_i4(s, t, ls, lt), want[0]);
    EXPECT_EQ(__TAVf90_scan3(s, t, nullptr, ls, lt), want[2]);  // BACK absent: false
    EXPECT_EQ(__TAVf90_len(s, ls) + __TAVf90_len_i4(t, lt), ls + lt);
    tav_chtmp r;
    __TAVf90_adjustl_ch(&r, s, ls);
    EXPECT_EQ(take(r), row[10]);
    __TAVf90_adjustr_ch(&r, s, ls);
    EXPECT_EQ(take(r), row[11]);
    __TAVf90_chcat(&r, s, ls, t, lt);
    EXPECT_EQ(take(r), row[0] + row[1]);
  }
}

TEST(Strings, AssignmentPadsTruncatesAndOverlaps) {
  // {destination offset and length, source offset and length} within
  // "abcdef": the shifted copies overlap in both directions.
  const struct {
    int dst, dlen, src, slen;
    const char *want;
  } cases[] = {{0, 5, 6, 3, "ghi  f"}, {0, 2, 6, 3, "ghcdef"}, {0, 3, 6, 0, "   def"}, {0, 0, 6, 3, "abcdef"},
               {1, 5, 0, 5, "aabcde"}, {0, 5, 1, 5, "bcdeff"}, {1, 5, 0, 3, "aabc  "}, {0, 6, 2, 3, "cde   "},
               {1, 12, 0, 12, "aabcde"}};  // 8 to 16 bytes: every byte loaded before any is stored
  for (const auto &c : cases) {
    std::string b = "abcdefghijklmnop";
    __TAVf90_chasgn(b.data() + c.dst, c.dlen, b.data() + c.src, c.slen);
    EXPECT_EQ(b.substr(0, 6), c.want);
  }
}

}  // namespace
