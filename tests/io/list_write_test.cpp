// List-directed output: separators, record breaks, delimiters, joined
// character values, complex values and the text of 64-bit integers.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstring>
#include <string>

#include "support/record_fixture.h"
#include "tavf90.h"

namespace {

// A list-directed WRITE on an in-memory record of `buflen` characters.
class ListWrite {
 public:
  explicit ListWrite(int buflen = 1024, int delim = 0) : rec_(buflen) {
    __TAVf90_io_delim = delim;
    EXPECT_EQ(__TAVf90_init_loutput(), 0);
    EXPECT_EQ(__TAVf90_io_top, -1);
  }
  // Records ended so far (each with '\n') and the current one.
  std::string text() {
    __TAVf90_io_top = 0;  // the fixture reads the current record up to max(position, top)
    std::string t = rec_.text();
    __TAVf90_io_top = -1;
    return t;
  }
  int ends() const { return rec_.end_count(); }

 private:
  tavtest::TestRecord rec_;
};

int lwrite(const char *s) { return __TAVf90_lwrite_ch(s, static_cast<int>(std::strlen(s))); }

TEST(ListWriteInteger, SeparatorsSignsAndExtremes) {
  {
    ListWrite w;
    EXPECT_EQ(__TAVf90_lwrite_i(1), 0);
    EXPECT_EQ(__TAVf90_lwrite_i(-20), 0);
    EXPECT_EQ(__TAVf90_lwrite_i(0), 0);
    EXPECT_EQ(w.text(), " 1 -20 0");
  }
  {
    ListWrite w;
    __TAVf90_lwrite_i(INT_MIN);
    __TAVf90_lwrite_i(INT_MAX);
    __TAVf90_lwrite_i1(-128);
    __TAVf90_lwrite_i2(-32768);
    __TAVf90_lwrite_i4(INT64_MIN);
    __TAVf90_lwrite_i4(INT64_MAX);
    EXPECT_EQ(w.text(), " -2147483648 2147483647 -128 -32768 -9223372036854775808 9223372036854775807");
  }
}

TEST(ListWriteLogical, TruthOfEveryKind) {
  ListWrite w;
  __TAVf90_lwrite_l(1);
  __TAVf90_lwrite_l(0);
  __TAVf90_lwrite_l1(static_cast<int8_t>(0x80));
  __TAVf90_lwrite_l2(256);
  __TAVf90_lwrite_l4(1);
  // Only the low word of an 8-byte logical decides.
  __TAVf90_lwrite_l4(INT64_C(1) << 32);
  EXPECT_EQ(w.text(), " T F T T T F");
}

TEST(Putlls, TextAndLength) {
  char buf[32];
  std::memset(buf, 'x', sizeof buf);
  EXPECT_EQ(__TAVf90_putlls(0, buf), 1);
  EXPECT_STREQ(buf, "0");
  EXPECT_EQ(__TAVf90_putlls(INT64_MIN, buf), 20);
  EXPECT_STREQ(buf, "-9223372036854775808");
  EXPECT_EQ(__TAVf90_putlls(INT64_MAX, buf), 19);
  EXPECT_STREQ(buf, "9223372036854775807");
  EXPECT_EQ(__TAVf90_putlls(-1, buf), 2);
  EXPECT_STREQ(buf, "-1");
  EXPECT_EQ(__TAVf90_putlls(1000000000000LL, buf), 13);
  EXPECT_STREQ(buf, "1000000000000");
}

TEST(ListWriteRecord, LastColumnIsNeverStartedInto) {
  // 101 nine-digit values and one two-digit value leave the position at
  // 1013; a nine-digit value then ends exactly at column 1023.
  ListWrite w;
  for (int i = 0; i < 101; ++i) __TAVf90_lwrite_i(123456789);
  __TAVf90_lwrite_i(12);
  EXPECT_EQ(__TAVf90_io_position, 1013);
  __TAVf90_lwrite_i(987654321);
  EXPECT_EQ(__TAVf90_io_position, 1023);
  EXPECT_EQ(w.ends(), 0);
  __TAVf90_lwrite_i(7);
  EXPECT_EQ(w.ends(), 1);
  std::string t = w.text();
  std::size_t nl = t.find('\n');
  EXPECT_EQ(nl, 1023u);
  EXPECT_EQ(t.substr(1013, 10), " 987654321");
  EXPECT_EQ(t.substr(nl), "\n 7");
}

TEST(ListWriteRecord, OneColumnTooManyStartsANewRecord) {
  ListWrite w;
  for (int i = 0; i < 101; ++i) __TAVf90_lwrite_i(123456789);
  __TAVf90_lwrite_i(123);
  EXPECT_EQ(__TAVf90_io_position, 1014);
  __TAVf90_lwrite_i(987654321);
  EXPECT_EQ(w.ends(), 1);
  EXPECT_EQ(w.text().substr(1014), "\n 987654321");
}

TEST(ListWriteRecord, ShortRecords) {
  {
    // RECL=20: two nine-digit values do not share a record.
    ListWrite w(20);
    __TAVf90_lwrite_i(123456789);
    __TAVf90_lwrite_i(123456789);
    EXPECT_EQ(w.text(), " 123456789\n 123456789");
  }
  {
    // A CHARACTER(10) internal file: eight digits fit, nine ask for a new record.
    ListWrite w(10);
    __TAVf90_lwrite_i(12345678);
    EXPECT_EQ(w.ends(), 0);
    EXPECT_EQ(w.text(), " 12345678");
  }
  {
    ListWrite w(10);
    __TAVf90_lwrite_i(123456789);
    EXPECT_EQ(w.ends(), 1);
    EXPECT_EQ(w.text(), "\n 123456789");
  }
  {
    // A value that cannot fit even an empty record fails in the hook.
    ListWrite w(5);
    EXPECT_EQ(__TAVf90_lwrite_i4(123456789), 100);
    EXPECT_EQ(__TAVf90_lwrite_l(1), 0);
  }
}

TEST(ListWriteRecord, ValueSeparatorForGeneratedCode) {
  ListWrite w(10);
  EXPECT_EQ(__TAVf90_value_separator(3), 0);
  EXPECT_EQ(__TAVf90_io_position, 1);
  __TAVf90_io_position = 5;
  EXPECT_EQ(__TAVf90_value_separator(4), 0);  // 5 + 4 + 1 >= 10
  EXPECT_EQ(w.ends(), 1);
  EXPECT_EQ(__TAVf90_io_position, 1);
  __TAVf90_noseparator = 1;
  EXPECT_EQ(__TAVf90_value_separator(100), 0);
  EXPECT_EQ(__TAVf90_io_position, 1);
  EXPECT_EQ(w.ends(), 1);
}

TEST(ListWriteCharacter, UndelimitedValuesJoin) {
  {
    ListWrite w;
    lwrite("ab");
    lwrite("cd");
    EXPECT_EQ(w.text(), " abcd");
    EXPECT_EQ(__TAVf90_last_was_char, 1);
  }
  {
    ListWrite w;
    lwrite("ab");
    __TAVf90_lwrite_i(1);
    EXPECT_EQ(__TAVf90_last_was_char, 0);
    lwrite("cd");
    lwrite("");
    lwrite("e");
    EXPECT_EQ(w.text(), " ab 1 cde");
  }
  {
    // An empty first value still writes the blank of column 1.
    ListWrite w;
    __TAVf90_lwrite_ch("", 0);
    EXPECT_EQ(__TAVf90_last_was_char, 1);
    EXPECT_EQ(w.text(), " ");
  }
}

TEST(ListWriteCharacter, DelimitersAreDoubled) {
  {
    ListWrite w(1024, 2);
    lwrite("it's");
    lwrite("");
    EXPECT_EQ(w.text(), " 'it''s' ''");
  }
  {
    ListWrite w(1024, 1);
    lwrite("it's");
    lwrite("say \"hi\"");
    EXPECT_EQ(w.text(), " \"it's\" \"say \"\"hi\"\"\"");
  }
  {
    // Delimited values are always separated.
    ListWrite w(1024, 2);
    lwrite("a");
    lwrite("b");
    __TAVf90_lwrite_i(3);
    EXPECT_EQ(w.text(), " 'a' 'b' 3");
  }
}

TEST(ListWriteCharacter, LongValuesSplitOverRecords) {
  {
    // Undelimited: each continuation starts with a blank.
    ListWrite w(10);
    lwrite("abcdefghijklmnopqrst");
    EXPECT_EQ(w.text(), " abcdefgh\n ijklmnop\n qrst");
  }
  {
    // Joined to a value that filled the record.
    ListWrite w(10);
    lwrite("abcdefgh");
    lwrite("ij");
    EXPECT_EQ(w.text(), " abcdefgh\n ij");
  }
  {
    // Delimited: the value continues in column 1.
    ListWrite w(10, 2);
    lwrite("abcdefghijkl");
    EXPECT_EQ(w.text(), " 'abcdefg\nhijkl'");
  }
  {
    // A doubled delimiter that meets the end of the record goes on the next.
    ListWrite w(6, 2);
    lwrite("ab'c");
    EXPECT_EQ(w.text(), " 'ab'\n'c'");
  }
  {
    // A value much longer than the record.
    ListWrite w(8);
    std::string v(100, 'x');
    __TAVf90_lwrite_ch(v.data(), 100);
    std::string t = w.text();
    std::size_t start = 0, records = 0, chars = 0;
    while (start <= t.size()) {
      std::size_t nl = t.find('\n', start);
      std::string rec = t.substr(start, nl == std::string::npos ? std::string::npos : nl - start);
      ASSERT_LE(rec.size(), 7u);
      ASSERT_EQ(rec[0], ' ');
      chars += rec.size() - 1;
      ++records;
      if (nl == std::string::npos) break;
      start = nl + 1;
    }
    EXPECT_EQ(chars, 100u);
    EXPECT_EQ(records, 17u);  // six characters per record
  }
}

TEST(ListWriteReal, FormsAndWidths) {
  {
    ListWrite w;
    __TAVf90_lwrite_r(1.0f);
    __TAVf90_lwrite_r(-99.99f);
    __TAVf90_lwrite_r(0.1f);
    EXPECT_EQ(w.text(), "   1.0000000 -99.9899979   0.1000000");
  }
  {
    ListWrite w;
    __TAVf90_lwrite_r(0.0f);
    __TAVf90_lwrite_r(100.0f);
    __TAVf90_lwrite_r(-1.0e10f);
    EXPECT_EQ(w.text(), "   0.0000000E+00   1.0000000E+02  -1.0000000E+10");
  }
  {
    ListWrite w;
    __TAVf90_lwrite_d(0.1);
    __TAVf90_lwrite_d(0.0);
    __TAVf90_lwrite_d(1.0e-5);
    __TAVf90_lwrite_d(1.0e-100);
    __TAVf90_lwrite_d(-1.0e100);
    EXPECT_EQ(w.text(),
              "   0.1000000000000000"
              "  0.0000000000000000E+000"
              "   1.0000000000000001E-05"
              "  1.0000000000000000E-100"
              " -1.0000000000000000E+100");
  }
  {
    // Just below 1.0e-99 the exponent needs three digits.
    ListWrite w;
    __TAVf90_lwrite_d(9.999999997e-100);
    // ...unless the rounding to 17 digits carries it up to 1.0e-99.
    __TAVf90_lwrite_d(9.9999999999999999e-100);
    EXPECT_EQ(w.text(), "  9.9999999970000007E-100   1.0000000000000000E-99");
  }
  // The scale factor is the statement's own again afterwards.
  EXPECT_EQ(__TAVf90_current_scale, 0);
}

TEST(ListWriteComplex, PartsWithoutBlanks) {
  {
    ListWrite w;
    __TAVf90_lwrite_c(1.0f, 2.0f);
    __TAVf90_lwrite_i(5);
    EXPECT_EQ(w.text(), " (1.0000000,2.0000000) 5");
    EXPECT_EQ(__TAVf90_noseparator, 0);
  }
  {
    ListWrite w;
    __TAVf90_lwrite_dc(0.0, 1.0);
    EXPECT_EQ(w.text(), " (0.0000000000000000E+000,1.0000000000000000)");
  }
}

TEST(ListWriteComplex, ValueWiderThanARecordIsSplit) {
  // 11 + 11 + 3 = 25 does not fit a record of 20: the imaginary part goes
  // to the start of the next record.
  ListWrite w(20);
  __TAVf90_lwrite_c(1.0f, -2.0f);
  EXPECT_EQ(w.text(), " (1.0000000,\n-2.0000000)");
  EXPECT_EQ(__TAVf90_noseparator, 0);
}

TEST(ListWriteComplex, FitsButNotAfterWhatIsThere) {
  ListWrite w(30);
  __TAVf90_lwrite_i(12345);
  __TAVf90_lwrite_c(1.0f, 2.0f);  // 6 + 25 + 1 >= 30
  EXPECT_EQ(w.text(), " 12345\n (1.0000000,2.0000000)");
}

}  // namespace
