// The format interpreter driven as the formatted item entries drive it:
// each simulated item takes the next data edit descriptor, transfers a
// marker (output) or a field of w characters (input), then lets the
// interpreter run on to the next data edit descriptor.
#include <memory>
#include <tuple>

#include "io/io_support.h"
#include "io/record.h"
#include "support/record_fixture.h"

namespace {

using tav::io::Record;
using tavtest::TestRecord;
using Strings = std::vector<std::string>;
constexpr int kIn = TAV_MODE_INPUT;
constexpr int kOut = TAV_MODE_OUTPUT;

// The current edit in format notation, e.g. "I5.1", "F10.2", "ES11.3E2",
// after the modes in force: "SP,", "BZ," and the scale factor ("1P,"; a
// signed one as its sign and the magnitude k the descriptor left, "-2P,").
std::string current_edit() {
  char c = __TAVf90_current_edit[0];
  auto n = [](int v) { return std::to_string(v); };
  const int k = __TAVf90_current_scale;
  std::string s = __TAVf90_compulsory_plus ? "SP," : "";
  if (__TAVf90_io_blanks) s += "BZ,";
  if (k != 0) s += (k < 0 ? "-" + n(__TAVf90_k) : n(k)) + "P,";
  s += c;
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

// One item as above (`marker` put, or the field taken into `field`); the
// edit used is appended to `edits`, blank-separated.
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

// A WRITE of `count` items <1>, <2>, ... under `format` (with the modes
// left dirty beforehand: establishing the format resets them).
Out write_items(const std::string &format, int count) {
  TestRecord rec;
  Out o;
  __TAVf90_current_scale = 5;
  __TAVf90_compulsory_plus = 1;
  o.status = __TAVf90_establish_format(format.c_str(), -1, kOut);
  for (int i = 1; i <= count && o.status == 0; ++i) o.status = item(kOut, "<" + std::to_string(i) + ">", o.edits);
  o.text = rec.text();
  return o;
}

struct In {
  int status = 0;
  std::string fields;  // the fields taken, '|' between them
};

In read_items(const char *format, const Strings &records, int count, bool pad = true) {
  TestRecord rec(records, pad);
  In r;
  std::string edits, f;
  r.status = __TAVf90_establish_format(format, -1, kIn);
  for (int i = 0; i < count && r.status == 0; ++i) {
    r.status = item(kIn, "", edits, &f);
    if (r.status == 0) r.fields += (i > 0 ? "|" : "") + f;
  }
  return r;
}

// The format table: each row a WRITE or a READ driven item by item.
TEST(Format, Table) {
  for (const auto &r : iotest::table("formats.tsv", 6)) {
    const int items = std::stoi(r[2]);
    SCOPED_TRACE(r[0] + " " + r[1] + " with " + r[2] + " items");
    if (r[0] == "in") {
      EXPECT_EQ(read_items(r[1].c_str(), {"1234567890"}, items).status, std::stoi(r[3]));
      continue;
    }
    Out o = write_items(r[1], items);
    EXPECT_EQ(o.status, std::stoi(r[3]));
    EXPECT_TRUE(r[4] == "~" || o.text == r[4]) << o.text;
    EXPECT_TRUE(r[5] == "~" || o.edits == r[5]) << o.edits;
    // The same text run again starts from the scan kept from the first run.
    Out again = write_items(r[1], items);
    EXPECT_EQ(std::tie(again.status, again.text, again.edits), std::tie(o.status, o.text, o.edits));
  }
}

TEST(FormatOutput, FormatLengthAndStatementStartBoundTheScan) {
  for (int n : {6, 5}) {
    // A format length, not a terminating NUL, bounds the text: cut before
    // its closing parenthesis, the format is incomplete.
    TestRecord rec;
    EXPECT_EQ(__TAVf90_establish_format("('ab')garbage)", n, kOut) == 0, n == 6) << n;
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

// A statement run again starts from the scan its format had the last time,
// unless the text at that address changed, in any of its characters.
TEST(FormatOutput, FormatRewrittenInPlaceIsScannedAfresh) {
  char text[] = "(I2,1X)";
  for (char w : {'2', '4'}) {
    text[2] = w;
    TestRecord rec;
    ASSERT_EQ(__TAVf90_establish_format(text, 7, kOut), 0);
    EXPECT_EQ(current_edit(), std::string("I") + w + ".1");
  }
}

// Text and blanks go to the put-string hook in runs, never a character at
// a time (the runs are counted on their way to the fixture's hook).
TEST(FormatOutput, TextAndBlanksGoOutInRuns) {
  TestRecord rec;
  static tav_string_hook next;
  static int strings = 0;
  next = __TAVf90_mystring;
  __TAVf90_mychar = [](char) { return 999; };
  __TAVf90_mystring = [](char *text, int n) {
    ++strings;
    return next(text, n);
  };
  ASSERT_EQ(__TAVf90_establish_format("('it''s a test', 40X, 12Habcdefghijkl, T80, 'x')", -1, kOut), 0);
  EXPECT_EQ(rec.text(), "it's a test" + std::string(40, ' ') + "abcdefghijkl" + std::string(16, ' ') + "x");
  EXPECT_EQ(strings, 6);  // it' | s a test | blanks | H text | blanks | x
}

// The scan never reads outside the text it was given: formats are copied
// into heap blocks of exactly their length (the sanitizer build sees any
// stray read), and every status is one a statement may legitimately get.
int run_exact(const std::string &format, int mode, int items) {
  std::vector<char> text(format.begin(), format.end());
  Strings input = {"12345678", "abc", "", "xyzxyzxyzxyz"};
  std::unique_ptr<TestRecord> rec(mode == kOut ? new TestRecord(64) : new TestRecord(input, true));
  std::string edits, field;
  int s = __TAVf90_establish_format(text.empty() ? nullptr : text.data(), static_cast<int>(text.size()), mode);
  for (int i = 0; i < items && s == 0; ++i) s = item(mode, "#", edits, &field);
  return s;
}

TEST(FormatErrors, EveryTruncationOfAFormatIsAnErrorNotAnOverread) {
  const std::string full = "(1X, 2(I3.2, 'a''b', :), 3HH,I, T5, TL2, TR1, SP, BN, -1P, ES10.3E2, /, A)";
  for (std::size_t n = 0; n < full.size(); ++n) EXPECT_NE(run_exact(full.substr(0, n), kOut, 40), 0) << n;
  EXPECT_EQ(run_exact(full, kOut, 40), 0);
  EXPECT_EQ(run_exact("(" + full.substr(1, full.size() - 2) + ")", kIn, 3), 133);
}

// ---------------------------------------------------------------------------
// Input

TEST(FormatInput, Table) {
  for (const auto &r : iotest::table("edit_format_input.tsv", 6)) {
    In in = read_items(r[0].c_str(), tavtest::split_records(r[2]), std::stoi(r[3]), r[1] == "Y");
    EXPECT_EQ(in.status, std::stoi(r[4])) << r[0];
    EXPECT_EQ(in.fields, r[5]) << r[0];
  }
}

TEST(FormatInput, FieldReader) {
  TestRecord rec({"xy"}, true);
  int remaining = 3;
  auto take = [&remaining] {
    char c = '?';
    EXPECT_EQ(__TAVf90_get_within_field(&remaining, &c), 0);
    return std::string(1, c) + std::to_string(remaining);
  };
  EXPECT_EQ(take(), "x2");
  // Past the end of a non-advancing record: a blank, and the field notes
  // the end of record.  An exhausted field gives NUL.
  Record::position() = 2;
  Record::nonadvance_read() = 1;
  __TAVf90_eor_continue = 1;
  EXPECT_EQ(take(), " 1");
  EXPECT_EQ(Record::field_status(), -2);
  remaining = 0;
  EXPECT_EQ(take(), std::string(1, '\0') + "0");
}

// A format error without IOSTAT= ends the program.
TEST(FormatFatal, MessageWithTheOffendingCharacter) {
  for (const auto &r : iotest::table("edit_format_fatal.tsv", 3)) {
    tavtest::expect_run(r[1], [&r] {
      TestRecord rec;
      __TAVf90_error_continue = __TAVf90_end_continue = __TAVf90_eor_continue = 0;
      __TAVf90_establish_format(r[1].c_str(), -1, r[0] == "in" ? kIn : kOut);
    }, {tavtest::kAborted, "", iotest::fatal_io(r[2]).c_str()});
  }
}

}  // namespace
