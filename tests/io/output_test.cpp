// Output items: formatted I, B, O, Z, L and A editing, the dusty A forms,
// descriptor checks and the per-item protocol; list-directed separators,
// record breaks, delimiters and value forms; the exported real editing
// entries; and descriptors whose numbers reach the top of the 32-bit range.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <limits>
#include <string>

#include "support/child.h"
#include "support/record_fixture.h"
#include "tavf90.h"

namespace {

const double kInf = std::numeric_limits<double>::infinity();

struct Outcome {
  int status = 0;      // of the item calls: the first nonzero, else 0
  std::string text;    // records ended (with '\n') and the current one
  int iostat = 0;      // as the statement left it
};

// A formatted WRITE under `format` on a record of `buflen` characters;
// `items` makes the item calls and returns the first nonzero status.
Outcome write_with(const char *format, const std::function<int()> &items, int buflen = 1024) {
  tavtest::TestRecord rec(buflen);
  Outcome r;
  EXPECT_EQ(__TAVf90_establish_format(format, -1, TAV_MODE_OUTPUT), 0) << format;
  r.status = items();
  r.text = rec.text();
  r.iostat = iostat;
  return r;
}

// The first nonzero of the statuses of a statement's item calls, made in
// order (a braced list is evaluated left to right).
int first(std::initializer_list<int> statuses) {
  for (int s : statuses)
    if (s != 0) return s;
  return 0;
}

struct Case {
  const char *format;
  int64_t value;
  std::string expected;
};

TEST(WriteInteger, DefaultKind) {
  // (The golden table holds the other usual fields, with the peer's text.)
  const Case cases[] = {
      {"(I4.2)", 7, "  07"},   {"(I0.5)", -12, "-00012"},      {"(I3.3)", -1, "***"},  {"(I10)", INT_MIN, "**********"},
      {"(G6.2)", 42, "    42"}, {"(O0)", -1, "37777777777"}, {"(SP,Z4)", 255, "  FF"}, {"(Z0.0)", 0, " "},
      {"(Z0.4)", 10, "000A"},  {"(Z2.2)", 0xFFF, "**"},
  };
  for (const Case &c : cases) {
    auto v = static_cast<int32_t>(c.value);
    Outcome r = write_with(c.format, [v] { return __TAVf90_write_i(v); });
    EXPECT_EQ(r.status, 0) << c.format;
    EXPECT_EQ(r.text, c.expected) << c.format << " " << v;
  }
}

TEST(WriteInteger, OtherKinds) {
  const Case cases[] = {
      {"(I20)", INT64_MIN, "-9223372036854775808"}, {"(I19)", INT64_MIN, std::string(19, '*')},
      {"(SP,I0)", INT64_MAX, "+9223372036854775807"}, {"(I0.25)", -7, "-" + std::string(24, '0') + "7"},
      {"(Z0)", -1, std::string(16, 'F')},           {"(O0)", INT64_MIN, "1" + std::string(21, '0')},
      {"(B0)", INT64_MIN, "1" + std::string(63, '0')}, {"(Z12.10)", 0xABCDEF, "  0000ABCDEF"},
  };
  for (const Case &c : cases) {
    int64_t v = c.value;
    Outcome r = write_with(c.format, [v] { return __TAVf90_write_i4(v); });
    EXPECT_EQ(r.text, c.expected) << c.format;
  }
  // Short kinds: sign-extended for I, zero-extended for B, O and Z.
  Outcome r = write_with("(I0,1X,Z0,1X,I4,1X,Z0,1X,B0)", [] {
    return first({__TAVf90_write_i1(-1), __TAVf90_write_i1(-1), __TAVf90_write_i2(-300), __TAVf90_write_i2(-1),
                  __TAVf90_write_i1(-128)});
  });
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.text, "-1 FF -300 FFFF 10000000");
}

TEST(WriteInteger, WideFieldsAreStreamed) {
  Outcome r = write_with("(I0.100000)", [] { return __TAVf90_write_i(5); }, 200000);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.text, std::string(99999, '0') + "5");
  // Fields far wider than the record fail at its end, at once (streaming
  // the whole width would run into the test's time limit).
  r = write_with("(I2000000000)", [] { return __TAVf90_write_i(5); }, 64);
  EXPECT_EQ(r.status, 100);
  EXPECT_EQ(r.text, std::string(64, ' '));
  r = write_with("(B2000000000.1999999999)", [] { return __TAVf90_write_i(5); }, 64);
  EXPECT_EQ(r.status, 100);
}

TEST(WriteItems, DescriptorErrors) {
  struct Bad {
    const char *format;
    std::function<int()> item;
    int code;
  };
  const Bad cases[] = {
      {"(I4.5)", [] { return __TAVf90_write_i(1); }, 135},   {"(B2.3)", [] { return __TAVf90_write_i(1); }, 135},
      {"(I8.9)", [] { return __TAVf90_write_i4(1); }, 135},  {"(F10.3)", [] { return __TAVf90_write_i(1); }, 135},
      {"(A)", [] { return __TAVf90_write_i(1); }, 135},      {"(I5)", [] { return __TAVf90_write_r(1.0f); }, 134},
      {"(L3)", [] { return __TAVf90_write_d(1.0); }, 134},   {"(A)", [] { return __TAVf90_write_r(1.0f); }, 134},
      {"(I2)", [] { return __TAVf90_write_l(1); }, 136},     {"(A)", [] { return __TAVf90_write_l(1); }, 136},
      {"(I3)", [] { return __TAVf90_dusty_write_l(1); }, 136}, {"(L2)", [] { return __TAVf90_write_ch("ab", 2); }, 145},
      {"(I3)", [] { return __TAVf90_write_ch("ab", 2); }, 145},
      // The second part of a complex is not tried after the first fails;
      // nor are the edits after a failed item carried out.
      {"(I5,F5.1)", [] { return __TAVf90_write_c(1.0f, 2.0f); }, 134},
      {"(I2.3,'<')", [] { return __TAVf90_write_i(7); }, 135},
  };
  for (const Bad &c : cases) {
    Outcome r = write_with(c.format, c.item);
    EXPECT_EQ(r.status, c.code) << c.format;
    EXPECT_EQ(r.iostat, c.code) << c.format;
    EXPECT_EQ(r.text, "") << c.format;
  }
}

TEST(WriteItems, LogicalAndCharacter) {
  Outcome r = write_with("(L1,L4,G3.1,L2,L2,L2)", [] {
    return first({__TAVf90_write_l(1), __TAVf90_write_l(0), __TAVf90_write_l1(static_cast<int8_t>(0x80)),
                  __TAVf90_write_l2(0), __TAVf90_write_l4(INT64_C(1) << 32) /* the low word decides */,
                  __TAVf90_write_l4(2)});
  });
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.text, "T   F  T F F T");

  std::string big(3000, 'q');
  r = write_with(
      "(A,A5,A2,G5.1,A,A3,'|',A,'|',A2999,'|',A3002)",
      [&big] {
        return first({__TAVf90_write_ch("abc", 3), __TAVf90_write_ch("abc", 3), __TAVf90_write_ch("abc", 3),
                      __TAVf90_write_ch("abc", 3), __TAVf90_write_ch("", 0), __TAVf90_write_ch("", 0),
                      __TAVf90_write_ch(big.data(), 3000), __TAVf90_write_ch(big.data(), 3000),
                      __TAVf90_write_ch(big.data(), 3000)});
      },
      10000);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.text, "abc  abcab  abc   |" + big + "|" + big.substr(1) + "|  " + big);
}

TEST(WriteItems, DustyAOnItemStorage) {
  int32_t abcd;
  std::memcpy(&abcd, "abcd", 4);
  Outcome r = write_with("(A,A6,A2)", [abcd] {
    return first({__TAVf90_dusty_write_i(abcd), __TAVf90_dusty_write_i(abcd), __TAVf90_dusty_write_i(abcd)});
  });
  EXPECT_EQ(r.text, "abcd  abcdab");

  // A bare A takes each kind's storage size.
  int64_t eight;
  std::memcpy(&eight, "12345678", 8);
  float four;
  std::memcpy(&four, "wxyz", 4);
  double dbl;
  std::memcpy(&dbl, "ABCDEFGH", 8);
  // The plain 8-byte entry takes A too.
  r = write_with("(9A,A3)", [&] {
    return first({__TAVf90_dusty_write_i1('p'), __TAVf90_dusty_write_i2(static_cast<int16_t>('q' | ('r' << 8))),
                  __TAVf90_dusty_write_i4(eight), __TAVf90_write_i4(eight), __TAVf90_dusty_write_r(four),
                  __TAVf90_dusty_write_d(dbl), __TAVf90_dusty_write_l(abcd), __TAVf90_dusty_write_l1('s'),
                  __TAVf90_dusty_write_l4(eight), __TAVf90_dusty_write_l2(static_cast<int16_t>('t' | ('u' << 8)))});
  });
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.text, "pqr1234567812345678wxyzABCDEFGHabcds12345678 tu");

  // Other descriptors edit as the plain entries do.
  r = write_with("(I3,L2,Z3,F4.1,A)", [four] {
    return first({__TAVf90_dusty_write_i(42), __TAVf90_dusty_write_l4(1), __TAVf90_dusty_write_i1(-1),
                  __TAVf90_dusty_write_c(2.0f, four)});
  });
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.text, " 42 T FF 2.0wxyz");
}

TEST(WriteItems, ProtocolAndComplexParts) {
  // Reversion before an item when the format is exhausted; control edits
  // after an item are carried out by the item call; each part of a complex
  // item takes its own descriptor.
  const std::pair<const char *, int (*)()> cases[] = {
      {"(I3)", [] { return first({__TAVf90_write_i(1), __TAVf90_write_i(2), __TAVf90_write_i(3)}); }},
      {"(I2,'<')", [] { return __TAVf90_write_i(7); }},
      {"(F6.1,F6.1)", [] { return __TAVf90_write_c(1.5f, -2.5f); }},
      {"(2F5.1)", [] { return __TAVf90_write_dc(3.0, 4.0); }},
  };
  const char *expected[] = {"  1\n  2\n  3", " 7<", "   1.5  -2.5", "  3.0  4.0"};
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    Outcome r = write_with(cases[i].first, cases[i].second);
    EXPECT_EQ(r.status, 0) << cases[i].first;
    EXPECT_EQ(r.text, expected[i]) << cases[i].first;
  }
}


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


// F (e == -2) or E editing with scale factor k and the noseparator flag.
std::string field(double v, int w, int d, int e, int k = 0, int noseparator = 0) {
  tavtest::TestRecord rec;
  __TAVf90_current_scale = k;
  __TAVf90_noseparator = noseparator;
  EXPECT_EQ(e == -2 ? __TAVf90_format_F(v, w, d) : __TAVf90_format_E(v, w, d, e), 0);
  return rec.text();
}

TEST(ExportedRealEdit, NoSeparatorLeavesOutLeadingBlanks) {
  EXPECT_EQ(field(1.0, 11, 7, -2, 0, 1), "1.0000000");
  EXPECT_EQ(field(-12.5, 20, 16, -2, 0, 1), "-12.5000000000000000");
  EXPECT_EQ(field(0.0, 24, 16, 3, 1, 1), "0.0000000000000000E+000");
  // Infinities inside a complex value are their text alone.
  EXPECT_EQ(field(kInf, 11, 7, -2, 0, 1), "INF");
  EXPECT_EQ(field(-kInf, 24, 16, 3, 1, 1), "-INF");
}

TEST(ExportedRealEdit, StarsAndRecordOverflow) {
  {
    tavtest::TestRecord rec;
    EXPECT_EQ(__TAVf90_stars(7), 0);
    EXPECT_EQ(__TAVf90_stars(0), 0);
    EXPECT_EQ(rec.text(), "*******");
  }
  {
    // A field longer than what is left of the record fails with the
    // hook's status after the part that fits.
    tavtest::TestRecord rec(5);
    EXPECT_EQ(__TAVf90_stars(7), 100);
    EXPECT_EQ(rec.text(), "*****");
  }
  {
    tavtest::TestRecord rec(4);
    EXPECT_EQ(__TAVf90_format_F(1.5, 6, 2), 100);
    EXPECT_EQ(__TAVf90_format_E(1.5, 10, 2, -1), 100);
  }
}

// Edit descriptors whose numbers reach the top of the 32-bit range: fields
// of asterisks or errors, never arithmetic that wraps.  Each statement runs
// in a child, since a wrapped count would write far outside the field.

struct LimitCase {
  const char *format;
  double value;
  bool single;  // a REAL item rather than DOUBLE PRECISION
  const char *out;
};

const LimitCase kLimits[] = {
    {"(E5.3E2147483647)", 1.0, false, "*****"},
    {"(E5.3E2147483647)", -1.0, false, "*****"},
    {"(E5.3E2147483647)", 0.0, true, "*****"},
    {"(E12.3E2147483647)", -1.0e300, false, "************"},
    {"(ES5.3E2147483647)", 1.0, false, "*****"},
    {"(ES5.3E2147483646)", -2.5, true, "*****"},
    {"(1PE5.3E2147483647)", 1.0, false, "*****"},
    {"(G5.3E2147483647)", 1.0e10, false, "*****"},
    {"(D5.3)", 1.0, false, "*****"},
    {"(EN5.3E2147483647)", 1.0, false, "*****"},
    {"(E2147483647.2147483647E2147483647)", 1.0, false, ""},
};

// A field that begins with a blank had room to spare: the same field N
// characters wider is N more blanks before the same characters.  Widths up
// to 256 are built in a local buffer and wider ones are streamed, so this
// holds the two destinations of every writer to each other.
TEST(RealEdit, WiderFieldsOnlyAddBlanks) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double values[] = {0.0,    -0.0,    1.0,     -1.5,    0.1,     9.9999,   999.5,   123456.789, 1e-300,
                           -2.5e300, 4.9e-324, 1.7976931348623157e308, 0.000123456, -5e-5, kInf, -kInf, nan};
  struct Form {
    const char *edit;  // letter and variant
    int d, e;
  };
  const Form forms[] = {{"F", 0, -1}, {"F", 3, -1},  {"F", 12, -1}, {"E", 1, -1}, {"E", 5, 3},  {"E", 16, -1},
                        {"D", 4, -1}, {"ES", 0, -1}, {"ES", 7, 4},  {"EN", 3, -1}, {"G", 1, -1}, {"G", 7, 2}};
  const int scales[] = {-2, 0, 1, 3};
  constexpr int kWider = 300;
  int compared = 0;
  auto format = [](const Form &f, int w, int k) {
    std::string t = "(" + std::string(k == 1 ? "SP," : "") + std::to_string(k) + "P," + f.edit + std::to_string(w) +
                    "." + std::to_string(f.d);
    return t + (f.e >= 0 ? "E" + std::to_string(f.e) : "") + ")";
  };
  auto write = [&](double v, const Form &f, int w, int k, int &status) {
    tavtest::TestRecord rec;
    const std::string t = format(f, w, k);
    status = __TAVf90_establish_format(t.data(), static_cast<int>(t.size()), TAV_MODE_OUTPUT);
    if (status == 0) status = __TAVf90_write_d(v);
    return rec.text();
  };
  for (double v : values)
    for (const Form &f : forms)
      for (int k : scales)
        for (int w : {8, 14, 30}) {
          int narrow_status, wide_status;
          const std::string narrow = write(v, f, w, k, narrow_status);
          const std::string wide = write(v, f, w + kWider, k, wide_status);
          const std::string what = format(f, w, k) + " of " + std::to_string(v);
          if (narrow_status != 0) {
            EXPECT_EQ(wide_status, narrow_status) << what;
            continue;
          }
          // (INF and NaN under k > 1 are placed by the width the finite
          // layout would leave, which a narrow field does not have.)
          if (narrow.empty() || narrow[0] != ' ' || (!std::isfinite(v) && k > 1)) continue;
          ++compared;
          EXPECT_EQ(wide_status, 0) << what;
          EXPECT_EQ(wide, std::string(kWider, ' ') + narrow) << what;
        }
  EXPECT_GT(compared, 1000);
}

TEST(FieldLimits, HugeExponentWidths) {
  for (const LimitCase &c : kLimits) {
    tavtest::expect_run(
        c.format,
        [&c] {
          f90_io_init();
          int s = __TAVf90_write(6, c.format, -1, nullptr, 0, 1);
          if (s == 0) s = c.single ? __TAVf90_write_r(static_cast<float>(c.value)) : __TAVf90_write_d(c.value);
          if (s == 0) s = __TAVf90_endwrite();
          std::printf("%d\n", s);
          f90_io_finish();
        },
        {0, (std::string(c.out) + (*c.out ? "\n0\n" : "100\n")).c_str()});
  }
}

}  // namespace
