// The format interpreter driven as the formatted item entries drive it:
// each simulated item takes the next data edit descriptor, transfers a
// marker (output) or a field of w characters (input), then lets the
// interpreter run on to the next data edit descriptor.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "io/record.h"
#include "support/child.h"
#include "support/record_fixture.h"
#include "tavf90.h"

namespace {

using tav::io::Record;
using tavtest::TestRecord;
constexpr int kIn = TAV_MODE_INPUT;
constexpr int kOut = TAV_MODE_OUTPUT;

// The current edit in format notation, e.g. "I5.1", "F10.2", "ES11.3E2".
std::string current_edit() {
  char c = __TAVf90_current_edit[0];
  std::string s(1, c);
  auto n = [](int v) { return std::to_string(v); };
  switch (c) {
    case 'I': case 'B': case 'O': case 'Z':
      return s + n(__TAVf90_w) + "." + n(__TAVf90_m);
    case 'F': case 'D':
      return s + n(__TAVf90_w) + "." + n(__TAVf90_d);
    case 'E': case 'G':
      if (c == 'E' && __TAVf90_current_edit[1] != '\0') s += __TAVf90_current_edit[1];
      s += n(__TAVf90_w) + "." + n(__TAVf90_d);
      return __TAVf90_e >= 0 ? s + "E" + n(__TAVf90_e) : s;
    case 'L':
      return s + n(__TAVf90_w);
    case 'A':
      return __TAVf90_w > 0 ? s + n(__TAVf90_w) : s;
    default:
      return s;
  }
}

// One formatted item under the per-item protocol.  Output puts `marker`;
// input takes a field of w characters into `field`.
int item(int mode, const std::string &marker, std::vector<std::string> &edits,
         std::string *field = nullptr) {
  char c = __TAVf90_current_edit[0];
  if (c == ':' || c == ')') {
    if (int s = __TAVf90_definitely_next_edit(mode)) return s;
  }
  edits.push_back(current_edit());
  int s = 0;
  if (mode == kOut) {
    s = Record::put(marker.data(), static_cast<int>(marker.size()));
  } else {
    int remaining = __TAVf90_w;
    field->clear();
    char ch;
    while (remaining > 0 && s == 0) {
      s = __TAVf90_get_within_field(&remaining, &ch);
      if (s == 0) *field += ch;
    }
  }
  return s != 0 ? s : __TAVf90_maybe_next_edit(mode);
}

struct Out {
  int status = 0;
  std::string text;  // ended records, each followed by '\n', then the current one
  std::vector<std::string> edits;
  int records = 0;
};

// A WRITE of `count` items <1>, <2>, ... under `format`.
Out write_items(const char *format, int count, int buflen = 1024) {
  TestRecord rec(buflen);
  Out o;
  o.status = __TAVf90_establish_format(format, -1, kOut);
  for (int i = 1; i <= count && o.status == 0; ++i)
    o.status = item(kOut, "<" + std::to_string(i) + ">", o.edits);
  o.text = rec.text();
  o.records = rec.end_count();
  return o;
}

struct In {
  int status = 0;
  std::vector<std::string> fields;
  std::vector<std::string> edits;
};

In read_items(const char *format, const std::vector<std::string> &records, int count, bool pad = true) {
  TestRecord rec(records, pad);
  In r;
  r.status = __TAVf90_establish_format(format, -1, kIn);
  for (int i = 0; i < count && r.status == 0; ++i) {
    std::string f;
    r.status = item(kIn, "", r.edits, &f);
    if (r.status == 0) r.fields.push_back(f);
  }
  return r;
}

// Status of a statement (errors continue) that transfers up to `count` items.
int status_of(const char *format, int mode, int count = 1) {
  if (mode == kOut) return write_items(format, count).status;
  return read_items(format, {"1234567890"}, count).status;
}

using Edits = std::vector<std::string>;

// ---------------------------------------------------------------------------
// Repeat counts and reversion

TEST(FormatOutput, RepeatedDescriptorThenReversionStartsRecords) {
  Out o = write_items("(3I5)", 7);
  EXPECT_EQ(o.status, 0);
  EXPECT_EQ(o.text, "<1><2><3>\n<4><5><6>\n<7>");
  EXPECT_EQ(o.edits, Edits(7, "I5.1"));
}

TEST(FormatOutput, ReversionResumesAtLastTopLevelGroupWithItsRepeat) {
  Out o = write_items("(I5, 2(I3, F6.2))", 10);
  EXPECT_EQ(o.status, 0);
  EXPECT_EQ(o.text, "<1><2><3><4><5>\n<6><7><8><9>\n<10>");
  Edits want = {"I5.1", "I3.1", "F6.2", "I3.1", "F6.2", "I3.1", "F6.2", "I3.1", "F6.2", "I3.1"};
  EXPECT_EQ(o.edits, want);

  // The last group opened at depth 1 is the one reverted to; inner groups
  // and repeat counts are scanned afresh.
  o = write_items("(2(I1), 2(I2, 2(I3)), I4)", 12);
  EXPECT_EQ(o.status, 0);
  want = {"I1.1", "I1.1", "I2.1", "I3.1", "I3.1", "I2.1", "I3.1", "I3.1", "I4.1",
          "I2.1", "I3.1", "I3.1"};
  EXPECT_EQ(o.edits, want);
  EXPECT_EQ(o.records, 1);
}

TEST(FormatOutput, ReversionKeepsModesAndEstablishResetsThem) {
  TestRecord rec;
  Edits edits;
  __TAVf90_current_scale = 5;
  __TAVf90_compulsory_plus = 1;
  ASSERT_EQ(__TAVf90_establish_format("(I2, SP, 2P, (I3))", -1, kOut), 0);
  EXPECT_EQ(__TAVf90_current_scale, 0);
  EXPECT_EQ(__TAVf90_compulsory_plus, 0);
  ASSERT_EQ(item(kOut, "a", edits), 0);
  ASSERT_EQ(item(kOut, "b", edits), 0);
  EXPECT_EQ(__TAVf90_compulsory_plus, 1);
  ASSERT_EQ(item(kOut, "c", edits), 0);  // after reversion to (I3)
  EXPECT_EQ(__TAVf90_compulsory_plus, 1);
  EXPECT_EQ(__TAVf90_current_scale, 2);
  EXPECT_EQ(edits, (Edits{"I2.1", "I3.1", "I3.1"}));
  EXPECT_EQ(rec.text(), "ab\nc");
}

TEST(FormatOutput, ColonStopsOnlyWhenNoItemIsWaiting) {
  EXPECT_EQ(write_items("(A, :, ' end')", 1).text, "<1>");
  EXPECT_EQ(write_items("(A, :, ' end')", 2).text, "<1> end\n<2>");
  // A repeat count before a colon or the final parenthesis is ignored.
  Out o = write_items("(I2, 3:, 'x')", 2);
  EXPECT_EQ(o.status, 0);
  EXPECT_EQ(o.text, "<1>x\n<2>");
  o = write_items("(I2, 3)", 3);
  EXPECT_EQ(o.status, 0);
  EXPECT_EQ(o.text, "<1>\n<2>\n<3>");
  EXPECT_EQ(o.edits, Edits(3, "I2.1"));
}

TEST(FormatOutput, NoDataDescriptorAfterReversion) {
  EXPECT_EQ(write_items("('abc')", 0).text, "abc");
  Out o = write_items("('abc')", 1);
  EXPECT_EQ(o.status, 117);
  EXPECT_EQ(o.text, "abc\nabc");
  EXPECT_EQ(write_items("(I2, (:))", 2).status, 117);
  EXPECT_EQ(write_items("(I2, (:))", 1).status, 0);
}

TEST(FormatOutput, EmptyGroupsRepeatedHugelyCostOnePass) {
  Out o = write_items("(2000000000(2000000000( ), SP, :), I2)", 2);
  EXPECT_EQ(o.status, 0);
  EXPECT_EQ(o.text, "<1>\n<2>");
}

// ---------------------------------------------------------------------------
// Strings, positioning and slashes on output

TEST(FormatOutput, PendingPositioningAndSlash) {
  EXPECT_EQ(write_items("('x', 2X)", 0).text, "x  ");
  Out o = write_items("('x', 2X, /)", 0);
  EXPECT_EQ(o.text, "x\n");
  EXPECT_EQ(o.records, 1);
  o = write_items("(F10.2, 2(/))", 1);
  EXPECT_EQ(o.text, "<1>\n\n");
  EXPECT_EQ(o.records, 2);
  EXPECT_EQ(write_items("(2/, 'a')", 0).text, "\n\na");
  EXPECT_EQ(write_items("(I3, 3X, I3)", 2).text, "<1>   <2>");
}

TEST(FormatOutput, TabsKeepWhatWasWritten) {
  EXPECT_EQ(write_items("('abcdef', T2, 'X')", 0).text, "aXcdef");
  EXPECT_EQ(write_items("('ab', T6, 'c')", 0).text, "ab   c");
  EXPECT_EQ(write_items("('abcdef', TL4, 2X, 'Z')", 0).text, "abcdZf");
  EXPECT_EQ(write_items("('abc', T1, T6, 'Z')", 0).text, "abc  Z");
  EXPECT_EQ(write_items("('abcdef', TR2, 'Z')", 0).text, "abcdef  Z");
  // A slash after a tab to the left still ends the whole record.
  EXPECT_EQ(write_items("('abcdef', T2, /, 'g')", 0).text, "abcdef\ng");
  // An item after a left tab overwrites in place.
  EXPECT_EQ(write_items("('abcdefgh', T3, A, 'z')", 1).text, "ab<1>zgh");
}

TEST(FormatOutput, LeftTabStopsWhereTheStatementBegan) {
  // TL at the start of a new record goes to column 1.
  EXPECT_EQ(write_items("('ab', /, TL10, 'c')", 0).text, "ab\nc");
  {
    // A statement continuing a record held by a non-advancing WRITE.
    TestRecord rec;
    ASSERT_EQ(Record::put("abc", 3), 0);
    Record::left_tab_limit() = 3;
    ASSERT_EQ(__TAVf90_establish_format("('x', TL10, 'y', T1, 'z')", -1, kOut), 0);
    EXPECT_EQ(rec.text(), "abcz");
  }
}

TEST(FormatOutput, StringsAndHollerith) {
  EXPECT_EQ(write_items("(5H'ab'c)", 0).text, "'ab'c");
  EXPECT_EQ(write_items("('it''s')", 0).text, "it's");
  EXPECT_EQ(write_items("(\"say \"\"hi\"\"\", 'x''')", 0).text, "say \"hi\"x'");
  EXPECT_EQ(write_items("(3h a))", 0).text, " a)");
  EXPECT_EQ(write_items("('', 'a\"b', ' ')", 0).text, "a\"b ");
  // A format length, not a terminating NUL, bounds the text.
  TestRecord rec;
  EXPECT_EQ(__TAVf90_establish_format("('ab')garbage", 6, kOut), 0);
  EXPECT_EQ(rec.text(), "ab");
}

// Counts the hook calls a statement makes, passing them on to the fixture.
struct HookCounter {
  static inline int chars = 0, strings = 0;
  static inline tav_char_hook next_char;
  static inline tav_string_hook next_string;
  static int on_char(char c) { ++chars; return next_char(c); }
  static int on_string(char *s, int n) { ++strings; return next_string(s, n); }
  HookCounter() {
    chars = strings = 0;
    next_char = __TAVf90_mychar;
    next_string = __TAVf90_mystring;
    __TAVf90_mychar = on_char;
    __TAVf90_mystring = on_string;
  }
};

TEST(FormatOutput, TextAndBlanksGoOutInRuns) {
  TestRecord rec;
  HookCounter count;
  ASSERT_EQ(__TAVf90_establish_format("('it''s a test', 40X, 12Habcdefghijkl, T80, 'x')", -1, kOut), 0);
  EXPECT_EQ(rec.text(), "it's a test" + std::string(40, ' ') + "abcdefghijkl" + std::string(16, ' ') + "x");
  EXPECT_EQ(HookCounter::chars, 0);
  EXPECT_EQ(HookCounter::strings, 6);  // it' | s a test | blanks | H text | blanks | x
}

// ---------------------------------------------------------------------------
// The current edit and the modes

TEST(FormatOutput, CurrentEditOfEachDataDescriptor) {
  Out o = write_items("(I5.3, B8, O4.2, Z6, F0.3, E12.4E3, D12.4, EN10.2, ES11.3E2, E9.2,"
                      " G12.5, G10.3E2, L3, A, A7, I0, B0)",
                      17);
  ASSERT_EQ(o.status, 0);
  Edits want = {"I5.3", "B8.1",  "O4.2",  "Z6.1",   "F0.3",   "E12.4E3", "D12.4", "EN10.2", "ES11.3E2",
                "E9.2", "G12.5", "G10.3E2", "L3", "A", "A7", "I0.1", "B0.1"};
  EXPECT_EQ(o.edits, want);

  // D has no exponent width; F leaves e as it was.
  TestRecord rec;
  Edits edits;
  ASSERT_EQ(__TAVf90_establish_format("(E9.2E4, F5.1, D9.2, F5.1)", -1, kOut), 0);
  ASSERT_EQ(item(kOut, "", edits), 0);
  EXPECT_EQ(__TAVf90_current_edit[0], 'F');
  EXPECT_EQ(__TAVf90_e, 4);
  ASSERT_EQ(item(kOut, "", edits), 0);
  ASSERT_EQ(item(kOut, "", edits), 0);
  EXPECT_EQ(__TAVf90_current_edit[0], 'F');
  EXPECT_EQ(__TAVf90_e, -1);
}

TEST(FormatOutput, LowerCaseAndBlanksAnywhereOutsideStrings) {
  Out a = write_items("( i 5 , f 1 0 . 2 , e s 1 2 . 3 e 2 , t r 2 , s p , b z , - 1 p , l 2 )", 3);
  Out b = write_items("(I5,F10.2,ES12.3E2,TR2,SP,BZ,-1P,L2)", 3);
  EXPECT_EQ(a.status, 0);
  EXPECT_EQ(a.edits, b.edits);
  EXPECT_EQ(a.edits, (Edits{"I5.1", "F10.2", "ES12.3E2"}));
  EXPECT_EQ(a.text, b.text);
  EXPECT_EQ(write_items("  (1 2 X, 'a')", 0).text, std::string(12, ' ') + "a");
}

// The usual compact formats and the same formats with a blank after every
// character must be read alike: same fields, edits, records and status.
TEST(FormatOutput, CompactAndSpacedFormsAgree) {
  auto spaced = [](const std::string &f) {
    std::string s;
    for (char c : f) (s += c) += ' ';
    return s;
  };
  const char *const formats[] = {
      "(I12)", "(i5,a,a3)", "(3I4)", "(2(I3,F6.2),A)", "((I1))", "(2(3(I1)),L2)", "(1X,I2,2X,I3)",
      "(E12.4E3,EN9.2,ES10.3,G8.2E1,D9.3,L1,O5.3,Z4,I0)", "(e9.2,g10.3e2,d8.1,f0.0)", "(I999999999)",
      "(I1234567890)", "(3(2I2,/),I1)", "(I3)  ", "  (I3)", "(I3)X)", "(2(I2),(I3))", "(A)", "(A0)",
      "(F5)", "(I3,)", "(3)", "(2,I3)", "(0I3)", "(I3", "(3(I3)", "(I3,Q)",
      "(I3.1234567890)", "(99999999999I3)"};
  for (const char *f : formats) {
    SCOPED_TRACE(f);
    Out a = write_items(f, 7);
    Out b = write_items(spaced(f).c_str(), 7);
    EXPECT_EQ(a.status, b.status);
    EXPECT_EQ(a.text, b.text);
    EXPECT_EQ(a.edits, b.edits);
    EXPECT_EQ(a.records, b.records);
    // (input fields as wide as the widest here would take a billion blanks)
    if (std::string(f).find("999") != std::string::npos || std::string(f).find("1234") != std::string::npos)
      continue;
    In c = read_items(f, {"1234567890", "abcdefghij", "0987654321"}, 5);
    In d = read_items(spaced(f).c_str(), {"1234567890", "abcdefghij", "0987654321"}, 5);
    EXPECT_EQ(c.status, d.status);
    EXPECT_EQ(c.fields, d.fields);
    EXPECT_EQ(c.edits, d.edits);
  }
  // A few of them in full.
  Out o = write_items("(2(I3,F6.2),A)", 6);
  EXPECT_EQ(o.edits, (Edits{"I3.1", "F6.2", "I3.1", "F6.2", "A", "I3.1"}));
  EXPECT_EQ(o.text, "<1><2><3><4><5>\n<6>");
  EXPECT_EQ(write_items("(I1234567890)", 1).edits, Edits{"I1234567890.1"});
  EXPECT_EQ(write_items("(I3)X)", 2).text, "<1>\n<2>");
  EXPECT_EQ(status_of("(I3.1234567890)", kOut), 0);
  EXPECT_EQ(status_of("(99999999999I3)", kOut), 120);
  EXPECT_EQ(status_of("(A0)", kOut), 121);
  EXPECT_EQ(status_of("(I3", kOut), 116);
  EXPECT_EQ(status_of("(I3.)", kOut), 119);
  EXPECT_EQ(status_of("(E9.)", kIn), 119);
  EXPECT_EQ(status_of("(I0)", kIn), 121);
}

TEST(FormatOutput, ScaleSignAndBlankModes) {
  TestRecord rec;
  Edits edits;
  ASSERT_EQ(__TAVf90_establish_format("(1P E12.4, -2PF8.2, +3P, F8.2, 0P, F1.0)", -1, kOut), 0);
  EXPECT_EQ(__TAVf90_current_scale, 1);
  ASSERT_EQ(item(kOut, "", edits), 0);
  EXPECT_EQ(__TAVf90_current_scale, -2);
  EXPECT_EQ(__TAVf90_k, 2);
  ASSERT_EQ(item(kOut, "", edits), 0);
  EXPECT_EQ(__TAVf90_current_scale, 3);
  ASSERT_EQ(item(kOut, "", edits), 0);
  EXPECT_EQ(__TAVf90_current_scale, 0);
  EXPECT_EQ(edits, (Edits{"E12.4", "F8.2", "F8.2"}));

  std::vector<int> plus, blanks;
  ASSERT_EQ(__TAVf90_establish_format("(SP, I1, SS, I1, SP, I1, S, I1, BZ, I1, BN, I1)", -1, kOut), 0);
  for (int i = 0; i < 6; ++i) {
    plus.push_back(__TAVf90_compulsory_plus);
    blanks.push_back(__TAVf90_io_blanks);
    ASSERT_EQ(item(kOut, "", edits), 0);
  }
  EXPECT_EQ(plus, (std::vector<int>{1, 0, 1, 0, 0, 0}));
  EXPECT_EQ(blanks[4], 1);
  EXPECT_EQ(blanks[5], 0);
}

TEST(FormatOutput, NestingDepthLimit) {
  auto nested = [](int depth) {
    return "(" + std::string(depth, '(') + "I1" + std::string(depth, ')') + ")";
  };
  Out o = write_items(nested(30).c_str(), 3);
  EXPECT_EQ(o.status, 0);
  EXPECT_EQ(o.text, "<1>\n<2>\n<3>");
  EXPECT_EQ(write_items(nested(31).c_str(), 1).status, 118);
}

// ---------------------------------------------------------------------------
// Errors, each found when the scan reaches it

struct ErrorCase {
  const char *format;
  int mode;
  int items;
  int code;
};

TEST(FormatErrors, EachMalformedFormatGivesItsCode) {
  const ErrorCase cases[] = {
      {"I5)", kOut, 1, 115},         {"", kOut, 1, 115},
      {"   ", kOut, 1, 115},         {"(I5", kOut, 1, 116},
      {"(I5,", kOut, 1, 116},        {"(2(I5)", kOut, 3, 116},
      {"('a' ", kOut, 1, 116},       {"(I2, (:))", kOut, 2, 117},
      {"(((I1)))", kOut, 1, 0},      {"(TL)", kOut, 1, 119},
      {"(I)", kOut, 1, 119},         {"(Ix)", kOut, 1, 120},
      {"(E0.3)", kOut, 1, 121},      {"(0I5)", kOut, 1, 121},
      {"(I0)", kIn, 1, 121},         {"(F0.1)", kIn, 1, 121},
      {"(L0)", kOut, 1, 121},        {"(A0)", kOut, 1, 121},
      {"(E9.2E0)", kOut, 1, 121},    {"(T0)", kOut, 1, 121},
      {"(I0)", kOut, 1, 0},          {"(F0.1)", kOut, 1, 0},
      {"(F10)", kOut, 1, 122},       {"(G10)", kOut, 1, 122},
      {"(-2F8.2)", kOut, 1, 123},    {"(BQ)", kOut, 1, 124},
      {"(Q)", kOut, 1, 125},         {"(P)", kOut, 1, 125},
      {"(I2, $)", kOut, 2, 125},     {"(*)", kOut, 1, 125},
      {"(3, I5)", kOut, 1, 126},     {"(3SP, I5)", kOut, 1, 127},
      {"(2BN)", kOut, 1, 128},       {"(Habc)", kOut, 1, 129},
      {"(2'ab')", kOut, 1, 130},     {"(X)", kOut, 1, 131},
      {"(2T5)", kOut, 1, 132},       {"(2TL5)", kOut, 1, 132},
      {"('abc')", kIn, 1, 133},      {"(3Habc)", kIn, 1, 133},
      {"('abc)", kOut, 1, 137},      {"('ab'')", kOut, 1, 137},
      {"(5Habc)", kOut, 1, 137},     {"(2P3F8.2)", kOut, 1, 217},
      {"(2P 3F8.2)", kOut, 1, 217},
  };
  for (const ErrorCase &c : cases) {
    EXPECT_EQ(status_of(c.format, c.mode, c.items), c.code) << c.format << " mode " << c.mode;
  }
}

TEST(FormatErrors, FaultyPartNeverReachedIsNoError) {
  EXPECT_EQ(status_of("(I2, :, Q)", kOut, 1), 0);
  EXPECT_EQ(status_of("(I2, :, Q)", kOut, 2), 125);
  EXPECT_EQ(status_of("(I2, :, 'abc')", kIn, 1), 0);
  EXPECT_EQ(status_of("(I2, :, 'abc')", kIn, 2), 133);
  // The error is met after the first item was transferred.
  Out o = write_items("(I3, X)", 2);
  EXPECT_EQ(o.status, 131);
  EXPECT_EQ(o.text, "<1>");
}

TEST(FormatErrors, NumbersBeyondThe32BitRange) {
  EXPECT_EQ(status_of("(I2147483648)", kOut), 120);
  EXPECT_EQ(status_of("(99999999999I2)", kOut), 120);
  EXPECT_EQ(status_of("(99999999999P, I2)", kOut), 120);
  EXPECT_EQ(status_of("(TR4294967297, I2)", kOut), 120);
  EXPECT_EQ(status_of("(4294967296X, I2)", kOut), 120);
  EXPECT_EQ(status_of("(4294967297(I2))", kOut), 120);
  EXPECT_EQ(status_of("(F1.99999999999)", kOut), 120);
  EXPECT_EQ(status_of("(-4294967298P, I2)", kOut), 120);
  EXPECT_EQ(status_of("(4294967301H)", kOut), 120);

  // In range they are values; the record, not the arithmetic, overflows.
  Out o = write_items("(I2147483647, 2147483647P)", 1);
  EXPECT_EQ(o.status, 0);
  EXPECT_EQ(o.edits, Edits{"I2147483647.1"});
  EXPECT_EQ(write_items("(2000000000X, 'a')", 0).status, 100);
  EXPECT_EQ(write_items("('b', 2147483647X, 2147483647X, 'a')", 0).status, 100);
  EXPECT_EQ(write_items("('b', TR2147483647, TR2147483647, 'a')", 0).status, 100);
  EXPECT_EQ(write_items("(T2147483647, 'a')", 0).status, 100);
  EXPECT_EQ(write_items("('abc', TL2147483647, 'x')", 0).text, "xbc");
  EXPECT_EQ(write_items("(2147483647Habc)", 0).status, 137);
}

// The scan never reads outside the text it was given: formats are copied
// into heap blocks of exactly their length (the sanitizer build sees any
// stray read), and every status is one a statement may legitimately get.
int run_exact(const std::string &format, int mode, int items) {
  std::vector<char> text(format.begin(), format.end());
  std::vector<std::string> input = {"12345678", "abc", "", "xyzxyzxyzxyz"};
  TestRecord *rec = mode == kOut ? new TestRecord(64) : new TestRecord(input, true);
  Edits edits;
  std::string field;
  int s = __TAVf90_establish_format(text.empty() ? nullptr : text.data(), static_cast<int>(text.size()), mode);
  for (int i = 0; i < items && s == 0; ++i) s = item(mode, "#", edits, &field);
  delete rec;
  return s;
}

bool acceptable(int s) {
  return s == 0 || s == -1 || s == 100 || (s >= 115 && s <= 133) || s == 137 || s == 217;
}

TEST(FormatErrors, EveryTruncationOfAFormatIsAnErrorNotAnOverread) {
  const std::string full = "(1X, 2(I3.2, 'a''b', :), 3HH,I, T5, TL2, TR1, SP, BN, -1P, ES10.3E2, /, A)";
  for (std::size_t n = 0; n < full.size(); ++n) {
    std::string prefix = full.substr(0, n);
    EXPECT_NE(run_exact(prefix, kOut, 40), 0) << prefix;
  }
  EXPECT_EQ(run_exact(full, kOut, 40), 0);
  EXPECT_EQ(run_exact("(" + full.substr(1, full.size() - 2) + ")", kIn, 3), 133);
}

TEST(FormatErrors, ScrambledFormatsStayWithinTheText) {
  const char alphabet[] = "()(),,'\"HhXxTLRSPBNZIiFEDGAaO0123456789.:/+- Qq$";
  unsigned seed = 12345;
  auto next = [&seed] { seed = seed * 1103515245u + 12345u; return (seed >> 16) & 0x7fff; };
  for (int round = 0; round < 3000; ++round) {
    std::string f = "(";
    int len = static_cast<int>(next() % 14);
    for (int i = 0; i < len; ++i) f += alphabet[next() % (sizeof alphabet - 1)];
    if (next() % 2) f += ')';
    int mode = next() % 2 ? kOut : kIn;
    int s = run_exact(f, mode, 6);
    EXPECT_TRUE(acceptable(s) || s == -2) << f << " mode " << mode << " status " << s;
  }
}

// ---------------------------------------------------------------------------
// Input

TEST(FormatInput, TabsPositionTheField) {
  In r = read_items("(T5, I2, T1, I2)", {"abcdefgh"}, 2);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.fields, (std::vector<std::string>{"ef", "ab"}));
  r = read_items("(A1, 2X, A1, TL3, A2, TR1, A1)", {"abcdefgh"}, 4);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.fields, (std::vector<std::string>{"a", "d", "bc", "e"}));
  r = read_items("(A2, /, A2, 2/, A1)", {"ab", "cd", "skipped", "ef"}, 3);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.fields, (std::vector<std::string>{"ab", "cd", "e"}));
}

TEST(FormatInput, LeftTabStopsWhereTheStatementBegan) {
  TestRecord rec({"abcdefgh"}, true);
  Record::position() = Record::left_tab_limit() = 3;
  Edits edits;
  std::string f;
  ASSERT_EQ(__TAVf90_establish_format("(TL5, A1, T1, A2)", -1, kIn), 0);
  ASSERT_EQ(item(kIn, "", edits, &f), 0);
  EXPECT_EQ(f, "d");
  ASSERT_EQ(item(kIn, "", edits, &f), 0);
  EXPECT_EQ(f, "de");
}

TEST(FormatInput, PastTheRecordEnd) {
  // A padded record gives blanks beyond its end, however far the tab.
  In r = read_items("(T10, A2, A1)", {"abc"}, 2);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.fields, (std::vector<std::string>{"  ", " "}));
  r = read_items("(TR2000000000, A1, 2000000000X, A1)", {"abc"}, 2);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.fields, (std::vector<std::string>{" ", " "}));
  r = read_items("(A2, A3)", {"abc"}, 2);
  EXPECT_EQ(r.fields, (std::vector<std::string>{"ab", "c  "}));
  // Without padding, reaching past the end is an end-of-record condition.
  EXPECT_EQ(read_items("(T10, A1)", {"abc"}, 1, false).status, -2);
  EXPECT_EQ(read_items("(TR2000000000, A1)", {"abc"}, 1, false).status, -2);
  EXPECT_EQ(read_items("(A2, A3)", {"abc"}, 2, false).status, -2);
}

TEST(FormatInput, FieldReader) {
  TestRecord rec({"xy"}, true);
  int remaining = 3;
  char c = '?';
  ASSERT_EQ(__TAVf90_get_within_field(&remaining, &c), 0);
  EXPECT_EQ(c, 'x');
  EXPECT_EQ(remaining, 2);
  Record::position() = 2;
  Record::nonadvance_read() = 1;
  __TAVf90_eor_continue = 1;
  Record::field_status() = 0;
  ASSERT_EQ(__TAVf90_get_within_field(&remaining, &c), 0);
  EXPECT_EQ(c, ' ');
  EXPECT_EQ(remaining, 1);
  EXPECT_EQ(Record::field_status(), -2);
  remaining = 0;
  ASSERT_EQ(__TAVf90_get_within_field(&remaining, &c), 0);
  EXPECT_EQ(c, '\0');
  EXPECT_EQ(remaining, 0);
}

// ---------------------------------------------------------------------------
// A format error without IOSTAT= ends the program.

void expect_fatal(const char *format, int mode, const std::string &message) {
  auto r = tavtest::run([format, mode] {
    TestRecord rec;
    __TAVf90_error_continue = 0;
    __TAVf90_end_continue = 0;
    __TAVf90_eor_continue = 0;
    __TAVf90_establish_format(format, -1, mode);
    std::fputs("returned\n", stderr);
  });
  EXPECT_TRUE(r.aborted()) << format << ": " << r.describe();
  EXPECT_EQ(r.err, message + "\nProgram terminated by fatal I/O error\n") << format;
}

TEST(FormatFatal, MessageWithTheOffendingCharacter) {
  expect_fatal("(BQ)", kOut, "Expected N or Z following B in format specification but found 'Q'");
  expect_fatal("I5)", kOut, "Format specification begins with 'I' instead of left parenthesis");
  expect_fatal("(2x, q)", kOut, "Invalid edit descriptor beginning with 'Q'");
  expect_fatal("(3SP, I5)", kOut, "Repeat factor given for sign edit descriptor");
  expect_fatal("('abc')", kIn, "Character string edit descriptor used on input");
}

}  // namespace
