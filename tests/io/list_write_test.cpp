// List-directed output: separators, record breaks, delimiters, joined
// character values, real and complex forms, and the text of 64-bit
// integers.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>

#include "support/record_fixture.h"
#include "tavf90.h"

namespace {

// Runs the item calls of a list-directed WRITE on an in-memory record of
// `buflen` characters; returns the records ended (each with '\n') and the
// current one.  `ends` receives the number of records ended.
std::string list_write(const std::function<void()> &items, int buflen = 1024, int delim = 0,
                       int *ends = nullptr) {
  tavtest::TestRecord rec(buflen);
  __TAVf90_io_delim = delim;
  EXPECT_EQ(__TAVf90_init_loutput(), 0);
  EXPECT_EQ(__TAVf90_io_top, -1);
  items();
  EXPECT_EQ(__TAVf90_noseparator, 0);
  EXPECT_EQ(__TAVf90_current_scale, 0);
  if (ends) *ends = rec.end_count();
  __TAVf90_io_top = 0;  // the fixture shows the current record up to max(position, top)
  return rec.text();
}

void ch(const char *s) { EXPECT_EQ(__TAVf90_lwrite_ch(s, static_cast<int>(std::strlen(s))), 0); }

TEST(ListWrite, Records) {
  struct Case {
    void (*items)();
    const char *text;
    int buflen = 1024, delim = 0;
  };
  const Case cases[] = {
      {[] { for (int v : {1, -20, 0}) __TAVf90_lwrite_i(v); }, " 1 -20 0"},
      {[] {
         __TAVf90_lwrite_i(INT_MIN), __TAVf90_lwrite_i1(-128), __TAVf90_lwrite_i2(-32768);
         __TAVf90_lwrite_i4(INT64_MIN), __TAVf90_lwrite_i4(INT64_MAX);
       }, " -2147483648 -128 -32768 -9223372036854775808 9223372036854775807"},
      // Only the low word of an 8-byte logical decides.
      {[] {
         __TAVf90_lwrite_l(1), __TAVf90_lwrite_l(0), __TAVf90_lwrite_l1(static_cast<int8_t>(0x80));
         __TAVf90_lwrite_l2(256), __TAVf90_lwrite_l4(INT64_C(1) << 32);
       }, " T F T T F"},
      // RECL=20: two nine-digit values do not share a record.  A
      // CHARACTER(10) internal file: eight digits fit, nine ask for a new
      // record.
      {[] { __TAVf90_lwrite_i(123456789), __TAVf90_lwrite_i(123456789); }, " 123456789\n 123456789", 20},
      {[] { __TAVf90_lwrite_i(12345678); }, " 12345678", 10},
      {[] { __TAVf90_lwrite_i(123456789); }, "\n 123456789", 10},
      // Undelimited character values join; a first value, even an empty
      // one, has its blank in column 1; long values continue after one blank
      // on each new record.
      {[] { ch("ab"), ch("cd"); }, " abcd"},
      {[] { ch("ab"), __TAVf90_lwrite_i(1), ch("cd"), ch(""), ch("e"); }, " ab 1 cde"},
      {[] { ch(""); }, " "},
      {[] { ch("abcdefghijklmnopqrst"); }, " abcdefgh\n ijklmnop\n qrst", 10},
      {[] { ch("abcdefgh"), ch("ij"); }, " abcdefgh\n ij", 10},
      // Delimited ones continue in column 1; a doubled delimiter that meets
      // the end of the record goes to the next.
      {[] { ch("it's"), ch(""), ch("a"); }, " 'it''s' '' 'a'", 1024, 2},
      {[] { ch("it's"), ch("say \"hi\""); }, " \"it's\" \"say \"\"hi\"\"\"", 1024, 1},
      {[] { ch("abcdefghijkl"); }, " 'abcdefg\nhijkl'", 10, 2},
      {[] { ch("ab'c"); }, " 'ab'\n'c'", 6, 2},
      // Real forms.  Just below 1.0e-99 the exponent has three digits,
      // unless the rounding to 17 digits carries the value up to 1.0e-99.
      {[] { for (float v : {1.0f, -99.99f, 0.1f, 0.0f, 100.0f, -1.0e10f}) __TAVf90_lwrite_r(v); },
       "   1.0000000 -99.9899979   0.1000000   0.0000000E+00   1.0000000E+02  -1.0000000E+10"},
      {[] { for (double v : {0.1, 0.0, 1.0e-5, 1.0e-100, -1.0e100}) __TAVf90_lwrite_d(v); },
       "   0.1000000000000000  0.0000000000000000E+000   1.0000000000000001E-05"
       "  1.0000000000000000E-100 -1.0000000000000000E+100"},
      {[] { __TAVf90_lwrite_d(9.999999997e-100), __TAVf90_lwrite_d(9.9999999999999999e-100); },
       "  9.9999999970000007E-100   1.0000000000000000E-99"},
      // Complex values.  The second fits an empty record but not after what
      // is there (6 + 25 + 1 >= 30); in the third 11 + 11 + 3 does not fit a
      // record of 20: the imaginary part goes to the start of the next.
      {[] { __TAVf90_lwrite_c(1.0f, 2.0f), __TAVf90_lwrite_i(5), __TAVf90_lwrite_dc(0.0, 1.0); },
       " (1.0000000,2.0000000) 5 (0.0000000000000000E+000,1.0000000000000000)"},
      {[] { __TAVf90_lwrite_i(12345), __TAVf90_lwrite_c(1.0f, 2.0f); }, " 12345\n (1.0000000,2.0000000)", 30},
      {[] { __TAVf90_lwrite_c(1.0f, -2.0f); }, " (1.0000000,\n-2.0000000)", 20},
  };
  for (const Case &c : cases) EXPECT_EQ(list_write(c.items, c.buflen, c.delim), c.text);
}

TEST(ListWrite, Putlls) {
  const std::pair<int64_t, const char *> cases[] = {
      {0, "0"},
      {-1, "-1"},
      {INT64_MIN, "-9223372036854775808"},
      {INT64_MAX, "9223372036854775807"},
      {4294967296LL, "4294967296"},
      {10000000000LL, "10000000000"},
      {-1000000000000000001LL, "-1000000000000000001"},
  };
  for (const auto &[value, text] : cases) {
    char buf[32];
    std::memset(buf, 'x', sizeof buf);
    EXPECT_EQ(__TAVf90_putlls(value, buf), static_cast<int>(std::strlen(text)));
    EXPECT_STREQ(buf, text);
  }
}

TEST(ListWrite, LastColumnOfARecordIsNeverStartedInto) {
  // 101 nine-digit values and a two-digit one reach position 1013; a
  // nine-digit value then ends exactly at column 1023, and the next starts
  // a new record.
  int ends = 0;
  std::string t = list_write(
      [] {
        for (int i = 0; i < 101; ++i) __TAVf90_lwrite_i(123456789);
        __TAVf90_lwrite_i(12);
        __TAVf90_lwrite_i(987654321);
        EXPECT_EQ(__TAVf90_io_position, 1023);
        __TAVf90_lwrite_i(7);
      },
      1024, 0, &ends);
  EXPECT_EQ(ends, 1);
  EXPECT_EQ(t.substr(1013), " 987654321\n 7");
  // From position 1014 the same value no longer fits.
  t = list_write([] {
    for (int i = 0; i < 101; ++i) __TAVf90_lwrite_i(123456789);
    __TAVf90_lwrite_i(123);
    __TAVf90_lwrite_i(987654321);
  });
  EXPECT_EQ(t.substr(1014), "\n 987654321");
}

TEST(ListWrite, ShortRecordsAndTheSeparatorStep) {
  // A value too long for an empty record fails in the hook; the next one
  // starts a new record.
  list_write(
      [] {
        EXPECT_EQ(__TAVf90_lwrite_i4(123456789), 100);
        EXPECT_EQ(__TAVf90_lwrite_l(1), 0);
      },
      5);
  // A record of one column still makes progress (each character fails).
  list_write([] { EXPECT_EQ(__TAVf90_lwrite_ch("ab", 2), 100); }, 1);
  // The separator step alone, for generated code.
  int ends = 0;
  EXPECT_EQ(list_write(
                [] {
                  EXPECT_EQ(__TAVf90_value_separator(3), 0);
                  __TAVf90_io_position = 5;
                  EXPECT_EQ(__TAVf90_value_separator(4), 0);  // 5 + 4 + 1 >= 10
                  __TAVf90_noseparator = 1;
                  EXPECT_EQ(__TAVf90_value_separator(100), 0);
                  __TAVf90_noseparator = 0;
                },
                10, 0, &ends),
            std::string(" \0\0\0\0\n ", 7));
  EXPECT_EQ(ends, 1);
}

}  // namespace
