// The format interpreter driven as the formatted item entries drive it:
// each simulated item takes the next data edit descriptor, transfers a
// marker (output) or a field of w characters (input), then lets the
// interpreter run on to the next data edit descriptor.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "io/record.h"
#include "support/child.h"
#include "support/record_fixture.h"
#include "tavf90.h"

namespace {

using tav::io::Record;
using tavtest::TestRecord;
using Strings = std::vector<std::string>;
constexpr int kIn = TAV_MODE_INPUT;
constexpr int kOut = TAV_MODE_OUTPUT;

// The current edit in format notation, e.g. "I5.1", "F10.2", "ES11.3E2".
std::string current_edit() {
  char c = __TAVf90_current_edit[0];
  std::string s(1, c);
  auto n = [](int v) { return std::to_string(v); };
  switch (c) {
    case 'I': case 'B': case 'O': case 'Z': return s + n(__TAVf90_w) + "." + n(__TAVf90_m);
    case 'F': case 'D': return s + n(__TAVf90_w) + "." + n(__TAVf90_d);
    case 'E': case 'G':
      if (c == 'E' && __TAVf90_current_edit[1] != '\0') s += __TAVf90_current_edit[1];
      s += n(__TAVf90_w) + "." + n(__TAVf90_d);
      return __TAVf90_e >= 0 ? s + "E" + n(__TAVf90_e) : s;
    case 'L': return s + n(__TAVf90_w);
    case 'A': return __TAVf90_w > 0 ? s + n(__TAVf90_w) : s;
    default: return s;
  }
}

// One formatted item under the per-item protocol.  Output puts `marker`;
// input takes a field of w characters into `field`.  The edit used is
// appended to `edits` (blank-separated).
int item(int mode, const std::string &marker, std::string &edits, std::string *field = nullptr) {
  char c = __TAVf90_current_edit[0];
  if (c == ':' || c == ')') {
    if (int s = __TAVf90_definitely_next_edit(mode)) return s;
  }
  edits += (edits.empty() ? "" : " ") + current_edit();
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
  std::string edits;
};

// A WRITE of `count` items <1>, <2>, ... under `format`.
Out write_items(const std::string &format, int count) {
  TestRecord rec;
  Out o;
  o.status = __TAVf90_establish_format(format.c_str(), -1, kOut);
  for (int i = 1; i <= count && o.status == 0; ++i) o.status = item(kOut, "<" + std::to_string(i) + ">", o.edits);
  o.text = rec.text();
  return o;
}

struct In {
  int status = 0;
  Strings fields;
};

In read_items(const char *format, const Strings &records, int count, bool pad = true) {
  TestRecord rec(records, pad);
  In r;
  std::string edits, f;
  r.status = __TAVf90_establish_format(format, -1, kIn);
  for (int i = 0; i < count && r.status == 0; ++i) {
    r.status = item(kIn, "", edits, &f);
    if (r.status == 0) r.fields.push_back(f);
  }
  return r;
}

// Runs `count` output items under `format` (with the modes left dirty
// beforehand) and returns probe(), blank-separated, after the format is
// established and after each item.
std::string trace(const char *format, int count, const std::function<std::string()> &probe) {
  TestRecord rec;
  std::string edits, seen;
  __TAVf90_current_scale = 5;  // establishing the format resets the modes
  __TAVf90_compulsory_plus = 1;
  EXPECT_EQ(__TAVf90_establish_format(format, -1, kOut), 0) << format;
  seen = probe();
  for (int i = 0; i < count; ++i) {
    EXPECT_EQ(item(kOut, "", edits), 0) << format;
    seen += " " + probe();
  }
  return seen;
}

std::string nested(int depth) { return "(" + std::string(depth, '(') + "I1" + std::string(depth, ')') + ")"; }

// ---------------------------------------------------------------------------
// Output: one row per format; a null text or edit list is not checked.

struct OutCase {
  std::string format;
  int items, status;
  const char *text;
  const char *edits = nullptr;
};

TEST(FormatOutput, Table) {
  const OutCase cases[] = {
      // Repeat counts and reversion: the last group opened at depth 1 is the
      // one reverted to, with its repeat; inner groups are scanned afresh.
      {"(3I5)", 7, 0, "<1><2><3>\n<4><5><6>\n<7>", "I5.1 I5.1 I5.1 I5.1 I5.1 I5.1 I5.1"},
      {"(I5, 2(I3, F6.2))", 10, 0, "<1><2><3><4><5>\n<6><7><8><9>\n<10>",
       "I5.1 I3.1 F6.2 I3.1 F6.2 I3.1 F6.2 I3.1 F6.2 I3.1"},
      {"(2(I1), 2(I2, 2(I3)), I4)", 12, 0, "<1><2><3><4><5><6><7><8><9>\n<10><11><12>",
       "I1.1 I1.1 I2.1 I3.1 I3.1 I2.1 I3.1 I3.1 I4.1 I2.1 I3.1 I3.1"},
      // A colon stops only when no item is waiting; a repeat count before a
      // colon or the final parenthesis is ignored; no data edit descriptor
      // after reversion; empty groups repeated hugely cost one pass.
      {"(A, :, ' end')", 1, 0, "<1>"}, {"(A, :, ' end')", 2, 0, "<1> end\n<2>"},
      {"(I2, 3:, 'x')", 2, 0, "<1>x\n<2>"}, {"(I2, 3)", 3, 0, "<1>\n<2>\n<3>", "I2.1 I2.1 I2.1"},
      {"('abc')", 0, 0, "abc"}, {"('abc')", 1, 117, "abc\nabc"},
      {"(I2, (:))", 1, 0, "<1>"}, {"(I2, (:))", 2, 117, nullptr},
      {"(2000000000(2000000000( ), SP, :), I2)", 2, 0, "<1>\n<2>"},
      {nested(30), 3, 0, "<1>\n<2>\n<3>"}, {nested(31), 1, 118, nullptr},
      // Pending positioning and slashes.
      {"('x', 2X)", 0, 0, "x  "}, {"('x', 2X, /)", 0, 0, "x\n"}, {"(F10.2, 2(/))", 1, 0, "<1>\n\n"},
      {"(2/, 'a')", 0, 0, "\n\na"}, {"(I3, 3X, I3)", 2, 0, "<1>   <2>"},
      // Tabs keep what was written; an item after a left tab overwrites in
      // place; a slash after a left tab still ends the whole record; TL at
      // the start of a new record goes to column 1.
      {"('abcdef', T2, 'X')", 0, 0, "aXcdef"}, {"('ab', T6, 'c')", 0, 0, "ab   c"},
      {"('abcdef', TL4, 2X, 'Z')", 0, 0, "abcdZf"}, {"('abc', T1, T6, 'Z')", 0, 0, "abc  Z"},
      {"('abcdef', TR2, 'Z')", 0, 0, "abcdef  Z"}, {"('abcdef', T2, /, 'g')", 0, 0, "abcdef\ng"},
      {"('abcdefgh', T3, A, 'z')", 1, 0, "ab<1>zgh"}, {"('ab', /, TL10, 'c')", 0, 0, "ab\nc"},
      // Strings and Hollerith.
      {"(5H'ab'c)", 0, 0, "'ab'c"}, {"('it''s')", 0, 0, "it's"}, {"(3h a))", 0, 0, " a)"},
      {"(\"say \"\"hi\"\"\", 'x''')", 0, 0, "say \"hi\"x'"}, {"('', 'a\"b', ' ')", 0, 0, "a\"b "},
      // Every data edit descriptor as the current edit; lower case and
      // blanks anywhere outside strings.
      {"(I5.3, B8, O4.2, Z6, F0.3, E12.4E3, D12.4, EN10.2, ES11.3E2, E9.2, G12.5, G10.3E2, L3, A, A7, I0, B0)", 17,
       0, nullptr, "I5.3 B8.1 O4.2 Z6.1 F0.3 E12.4E3 D12.4 EN10.2 ES11.3E2 E9.2 G12.5 G10.3E2 L3 A A7 I0.1 B0.1"},
      {"(I5,F10.2,ES12.3E2,TR2,SP,BZ,-1P,L2)", 3, 0, "<1><2><3>  ", "I5.1 F10.2 ES12.3E2"},
      {"( i 5 , f 1 0 . 2 , e s 1 2 . 3 e 2 , t r 2 , s p , b z , - 1 p , l 2 )", 3, 0, "<1><2><3>  ",
       "I5.1 F10.2 ES12.3E2"},
      {"  (1 2 X, 'a')", 0, 0, "            a"},
      // Numbers in the 32-bit range are values: the record, not the
      // arithmetic, overflows.  Then an error after an item was transferred.
      {"(I2147483647, 2147483647P)", 1, 0, nullptr, "I2147483647.1"}, {"(2000000000X, 'a')", 0, 100, nullptr},
      {"('b', 2147483647X, 2147483647X, 'a')", 0, 100, nullptr}, {"(T2147483647, 'a')", 0, 100, nullptr},
      {"('b', TR2147483647, TR2147483647, 'a')", 0, 100, nullptr}, {"(2147483647Habc)", 0, 137, nullptr},
      {"('abc', TL2147483647, 'x')", 0, 0, "xbc"}, {"(I3, X)", 2, 131, "<1>"},
      // Groups that only move the position are not walked once per repeat,
      // and end where walking them would have.
      {"(5(2(3X), TL5), 'a')", 0, 0, "     a"}, {"(2000000000(T3, TR1), 'a')", 0, 0, "   a"},
      {"('abcdef', 2000000000(TL1), 'Z')", 0, 0, "Zbcdef"}, {"(3(TR2, TL1), 'a', 2(TL1))", 0, 0, "   a"},
      {"('ab', 1000000000(2000000000(TR2, TL1), TL2147483647, TR1), 'c')", 0, 0, "ac"},
      {"(2000000000(2000000000(TR2, TL1)), 'a')", 0, 100, nullptr},
      {"(2000000000(2000000000(TR2, TL1), :), I2)", 2, 100, nullptr},
  };
  for (const OutCase &c : cases) {
    Out o = write_items(c.format, c.items);
    EXPECT_EQ(o.status, c.status) << c.format;
    if (c.text) {
      EXPECT_EQ(o.text, c.text) << c.format;
    }
    if (c.edits) {
      EXPECT_EQ(o.edits, c.edits) << c.format;
    }
  }
}

TEST(FormatOutput, FormatLengthAndStatementStartBoundTheScan) {
  {
    // A format length, not a terminating NUL, bounds the text.
    TestRecord rec;
    EXPECT_EQ(__TAVf90_establish_format("('ab')garbage", 6, kOut), 0);
    EXPECT_EQ(rec.text(), "ab");
  }
  // A statement continuing a record held by a non-advancing WRITE cannot
  // tab left of where it began.
  TestRecord rec;
  ASSERT_EQ(Record::put("abc", 3), 0);
  Record::left_tab_limit() = 3;
  ASSERT_EQ(__TAVf90_establish_format("('x', TL10, 'y', T1, 'z')", -1, kOut), 0);
  EXPECT_EQ(rec.text(), "abcz");
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
// The modes: establishing a format resets them, reversion keeps them.

TEST(FormatOutput, Modes) {
  auto scale = [] { return std::to_string(__TAVf90_current_scale); };
  auto plus = [] { return std::to_string(__TAVf90_compulsory_plus); };
  auto blanks = [] { return std::to_string(__TAVf90_io_blanks); };
  auto edit_e = [] { return std::string(1, __TAVf90_current_edit[0]) + std::to_string(__TAVf90_e); };
  auto k = [] { return std::to_string(__TAVf90_k); };
  EXPECT_EQ(trace("(1P E12.4, -2PF8.2, +3P, F8.2, 0P, F1.0)", 3, scale), "1 -2 3 0");
  EXPECT_EQ(trace("(1P E12.4, -2PF8.2, +3P, F8.2, 0P, F1.0)", 1, k).substr(2), "2");
  EXPECT_EQ(trace("(SP, I1, SS, I1, SP, I1, S, I1, BZ, I1, BN, I1)", 5, plus), "1 0 1 0 0 0");
  EXPECT_EQ(trace("(SP, I1, SS, I1, SP, I1, S, I1, BZ, I1, BN, I1)", 5, blanks).substr(8), "1 0");
  // D has no exponent width; F leaves e as it was.
  EXPECT_EQ(trace("(E9.2E4, F5.1, D9.2, F5.1)", 3, edit_e), "E4 F4 D-1 F-1");

  const char *reverting = "(I2, SP, 2P, (I3))";  // the third item is under (I3) after reversion
  EXPECT_EQ(trace(reverting, 3, plus), "0 1 1 1");
  EXPECT_EQ(trace(reverting, 3, scale), "0 2 2 2");
  Out o = write_items(reverting, 3);
  EXPECT_EQ(o.text, "<1><2>\n<3>");
  EXPECT_EQ(o.edits, "I2.1 I3.1 I3.1");
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
    Out b = write_items(spaced(f), 7);
    EXPECT_EQ(a.status, b.status);
    EXPECT_EQ(a.text, b.text);
    EXPECT_EQ(a.edits, b.edits);
    // (input fields as wide as the widest here would take a billion blanks)
    if (std::string(f).find("999") != std::string::npos || std::string(f).find("1234") != std::string::npos)
      continue;
    In c = read_items(f, {"1234567890", "abcdefghij", "0987654321"}, 5);
    In d = read_items(spaced(f).c_str(), {"1234567890", "abcdefghij", "0987654321"}, 5);
    EXPECT_EQ(c.status, d.status);
    EXPECT_EQ(c.fields, d.fields);
  }
  // A few of them in full.
  Out o = write_items("(2(I3,F6.2),A)", 6);
  EXPECT_EQ(o.edits, "I3.1 F6.2 I3.1 F6.2 A I3.1");
  EXPECT_EQ(o.text, "<1><2><3><4><5>\n<6>");
  EXPECT_EQ(write_items("(I1234567890)", 1).edits, "I1234567890.1");
  EXPECT_EQ(write_items("(I3)X)", 2).text, "<1>\n<2>");
  EXPECT_EQ(write_items("(I3.1234567890)", 1).status, 0);
  EXPECT_EQ(write_items("(99999999999I3)", 1).status, 120);
  EXPECT_EQ(write_items("(A0)", 1).status, 121);
  EXPECT_EQ(write_items("(I3", 1).status, 116);
  EXPECT_EQ(write_items("(I3.)", 1).status, 119);
  EXPECT_EQ(read_items("(E9.)", {"1"}, 1).status, 119);
  EXPECT_EQ(read_items("(I0)", {"1"}, 1).status, 121);
}

// ---------------------------------------------------------------------------
// Errors, each found when the scan reaches it

struct ErrorCase {
  const char *format;
  int mode, items, code;
};

TEST(FormatErrors, EachMalformedFormatGivesItsCode) {
  const ErrorCase cases[] = {
      {"I5)", kOut, 1, 115},          {"", kOut, 1, 115},             {"   ", kOut, 1, 115},
      {"(I5", kOut, 1, 116},          {"(I5,", kOut, 1, 116},         {"(2(I5)", kOut, 3, 116},
      {"('a' ", kOut, 1, 116},        {"(I2, (:))", kOut, 2, 117},    {"(((I1)))", kOut, 1, 0},
      {"(TL)", kOut, 1, 119},         {"(I)", kOut, 1, 119},          {"(Ix)", kOut, 1, 120},
      {"(E0.3)", kOut, 1, 121},       {"(0I5)", kOut, 1, 121},        {"(I0)", kIn, 1, 121},
      {"(F0.1)", kIn, 1, 121},        {"(L0)", kOut, 1, 121},         {"(A0)", kOut, 1, 121},
      {"(E9.2E0)", kOut, 1, 121},     {"(T0)", kOut, 1, 121},         {"(I0)", kOut, 1, 0},
      {"(F0.1)", kOut, 1, 0},         {"(F10)", kOut, 1, 122},        {"(G10)", kOut, 1, 122},
      {"(-2F8.2)", kOut, 1, 123},     {"(BQ)", kOut, 1, 124},         {"(Q)", kOut, 1, 125},
      {"(P)", kOut, 1, 125},          {"(I2, $)", kOut, 2, 125},      {"(*)", kOut, 1, 125},
      {"(3, I5)", kOut, 1, 126},      {"(3SP, I5)", kOut, 1, 127},    {"(2BN)", kOut, 1, 128},
      {"(Habc)", kOut, 1, 129},       {"(2'ab')", kOut, 1, 130},      {"(X)", kOut, 1, 131},
      {"(2T5)", kOut, 1, 132},        {"(2TL5)", kOut, 1, 132},       {"('abc')", kIn, 1, 133},
      {"(3Habc)", kIn, 1, 133},       {"('abc)", kOut, 1, 137},       {"('ab'')", kOut, 1, 137},
      {"(5Habc)", kOut, 1, 137},      {"(2P3F8.2)", kOut, 1, 217},    {"(2P 3F8.2)", kOut, 1, 217},
      // A faulty part never reached is no error.
      {"(I2, :, Q)", kOut, 1, 0},     {"(I2, :, Q)", kOut, 2, 125},   {"(I2, :, 'abc')", kIn, 1, 0},
      {"(I2, :, 'abc')", kIn, 2, 133},
      // Numbers beyond the 32-bit range.
      {"(I2147483648)", kOut, 1, 120}, {"(99999999999I2)", kOut, 1, 120}, {"(99999999999P, I2)", kOut, 1, 120},
      {"(TR4294967297, I2)", kOut, 1, 120}, {"(4294967296X, I2)", kOut, 1, 120},
      {"(4294967297(I2))", kOut, 1, 120}, {"(F1.99999999999)", kOut, 1, 120},
      {"(-4294967298P, I2)", kOut, 1, 120}, {"(4294967301H)", kOut, 1, 120},
  };
  for (const ErrorCase &c : cases) {
    int status = c.mode == kOut ? write_items(c.format, c.items).status
                                : read_items(c.format, {"1234567890"}, c.items).status;
    EXPECT_EQ(status, c.code) << c.format << " mode " << c.mode;
  }
}

// The scan never reads outside the text it was given: formats are copied
// into heap blocks of exactly their length (the sanitizer build sees any
// stray read), and every status is one a statement may legitimately get.
int run_exact(const std::string &format, int mode, int items) {
  std::vector<char> text(format.begin(), format.end());
  Strings input = {"12345678", "abc", "", "xyzxyzxyzxyz"};
  TestRecord *rec = mode == kOut ? new TestRecord(64) : new TestRecord(input, true);
  std::string edits, field;
  int s = __TAVf90_establish_format(text.empty() ? nullptr : text.data(), static_cast<int>(text.size()), mode);
  for (int i = 0; i < items && s == 0; ++i) s = item(mode, "#", edits, &field);
  delete rec;
  return s;
}

TEST(FormatErrors, EveryTruncationOfAFormatIsAnErrorNotAnOverread) {
  const std::string full = "(1X, 2(I3.2, 'a''b', :), 3HH,I, T5, TL2, TR1, SP, BN, -1P, ES10.3E2, /, A)";
  for (std::size_t n = 0; n < full.size(); ++n) EXPECT_NE(run_exact(full.substr(0, n), kOut, 40), 0) << n;
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
    bool ok = s == 0 || s == -1 || s == -2 || s == 100 || (s >= 115 && s <= 133) || s == 137 || s == 217;
    EXPECT_TRUE(ok) << f << " mode " << mode << " status " << s;
  }
}

// ---------------------------------------------------------------------------
// Input

TEST(FormatInput, Table) {
  struct Case {
    const char *format;
    Strings records;
    int items;
    bool pad;
    int status;
    Strings fields;
  };
  const Case cases[] = {
      {"(T5, I2, T1, I2)", {"abcdefgh"}, 2, true, 0, {"ef", "ab"}},
      {"(A1, 2X, A1, TL3, A2, TR1, A1)", {"abcdefgh"}, 4, true, 0, {"a", "d", "bc", "e"}},
      {"(A2, /, A2, 2/, A1)", {"ab", "cd", "skipped", "ef"}, 3, true, 0, {"ab", "cd", "e"}},
      // A padded record gives blanks beyond its end, however far the tab;
      // without padding, reaching past the end is an end-of-record condition.
      {"(T10, A2, A1)", {"abc"}, 2, true, 0, {"  ", " "}},
      {"(TR2000000000, A1, 2000000000X, A1)", {"abc"}, 2, true, 0, {" ", " "}},
      {"(A2, A3)", {"abc"}, 2, true, 0, {"ab", "c  "}},
      {"(T10, A1)", {"abc"}, 1, false, -2, {}},
      {"(TR2000000000, A1)", {"abc"}, 1, false, -2, {}},
      {"(A2, A3)", {"abc"}, 2, false, -2, {"ab"}},
      {"(A1, 1000000000(2000000000(TL1), TR1), A1, 2000000000(TR1, TL1), A1)", {"abcdef"}, 3, true, 0,
       {"a", "b", "c"}},
  };
  for (const Case &c : cases) {
    In r = read_items(c.format, c.records, c.items, c.pad);
    EXPECT_EQ(r.status, c.status) << c.format;
    EXPECT_EQ(r.fields, c.fields) << c.format;
  }
}

TEST(FormatInput, LeftTabStopsWhereTheStatementBegan) {
  TestRecord rec({"abcdefgh"}, true);
  Record::position() = Record::left_tab_limit() = 3;
  std::string edits, f, g;
  ASSERT_EQ(__TAVf90_establish_format("(TL5, A1, T1, A2)", -1, kIn), 0);
  ASSERT_EQ(item(kIn, "", edits, &f), 0);
  ASSERT_EQ(item(kIn, "", edits, &g), 0);
  EXPECT_EQ(f + "|" + g, "d|de");
}

TEST(FormatInput, FieldReader) {
  TestRecord rec({"xy"}, true);
  int remaining = 3;
  char c = '?';
  ASSERT_EQ(__TAVf90_get_within_field(&remaining, &c), 0);
  EXPECT_EQ(std::string(1, c) + std::to_string(remaining), "x2");
  // Past the end of a non-advancing record: a blank, and the field notes
  // the end of record.
  Record::position() = 2;
  Record::nonadvance_read() = 1;
  __TAVf90_eor_continue = 1;
  Record::field_status() = 0;
  ASSERT_EQ(__TAVf90_get_within_field(&remaining, &c), 0);
  EXPECT_EQ(std::string(1, c) + std::to_string(remaining), " 1");
  EXPECT_EQ(Record::field_status(), -2);
  remaining = 0;
  ASSERT_EQ(__TAVf90_get_within_field(&remaining, &c), 0);
  EXPECT_EQ(c, '\0');
  EXPECT_EQ(remaining, 0);
}

// ---------------------------------------------------------------------------
// A format error without IOSTAT= ends the program.

TEST(FormatFatal, MessageWithTheOffendingCharacter) {
  const std::pair<const char *, const char *> cases[] = {
      {"(BQ)", "Expected N or Z following B in format specification but found 'Q'"},
      {"I5)", "Format specification begins with 'I' instead of left parenthesis"},
      {"(2x, q)", "Invalid edit descriptor beginning with 'Q'"},
      {"(3SP, I5)", "Repeat factor given for sign edit descriptor"},
      {"('abc')", "Character string edit descriptor used on input"},  // read
  };
  for (const auto &[format, message] : cases) {
    int mode = std::string(message).find("on input") != std::string::npos ? kIn : kOut;
    auto r = tavtest::run([format = format, mode] {
      TestRecord rec;
      __TAVf90_error_continue = __TAVf90_end_continue = __TAVf90_eor_continue = 0;
      __TAVf90_establish_format(format, -1, mode);
      std::fputs("returned\n", stderr);
    });
    EXPECT_TRUE(r.aborted()) << format << ": " << r.describe();
    EXPECT_EQ(r.err, std::string(message) + "\nProgram terminated by fatal I/O error\n") << format;
  }
}

}  // namespace
