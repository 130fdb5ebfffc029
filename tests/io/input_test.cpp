// Input items over in-memory records, formatted and list-directed: every
// descriptor, blank mode, scale factor and error, separators, repeat counts,
// null values and the slash, the range of each kind, and correct rounding
// of real input.  The cases are in data/input.tsv.
#include <gtest/gtest.h>

#include <cfenv>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "io/io_support.h"
#include "io/input_items.h"

namespace {

using iotest::render;
using iotest::run;

std::vector<std::string> split_records(const std::string &s) {
  std::vector<std::string> records(1);
  for (char c : s) {
    if (c == '\n') records.emplace_back();
    else records.back().push_back(c);
  }
  return records;
}

TEST(Input, Table) {
  for (const auto &r : iotest::table("input.tsv", 5)) {
    EXPECT_EQ(run(r[0] == "*" ? nullptr : r[0].c_str(), split_records(r[2]), r[3].c_str(), r[1] == "Y"), r[4])
        << r[0] << " on [" << r[2] << "] as " << r[3];
  }
}

TEST(Input, PadNoKeepsTheItem) {
  for (const char *kinds : {"i", "d", "l", "s"})
    EXPECT_EQ(run("(I5)", {"12"}, kinds, false).substr(0, 1), std::string(kinds) == "s" ? "-" : "7") << kinds;
}

TEST(Input, ExtremeFieldsAreExactAndSafe) {
  // Hundreds of digits, and a field far wider than its record.
  std::string ones(500, '1');
  EXPECT_EQ(run("(I500)", {ones}, "k"), "7#211");
  std::string tiny = "0." + std::string(400, '0') + "1";
  EXPECT_EQ(run(("(F" + std::to_string(tiny.size()) + ".0)").c_str(), {tiny}, "d"), "0");
  EXPECT_EQ(run("(BZ,I2000000000)", {"1"}, "i"), "7#110");
  EXPECT_EQ(run("(BZ,F2000000000.0)", {"1"}, "d"), "7#215");
  EXPECT_EQ(run("(F2000000000.5)", {"1"}, "d"), "1.0000000000000001e-05");
  EXPECT_EQ(run("(A2000000000)", {"x"}, "s"), "      ");
}

// Real input is rounded once, to nearest, ties to even, to the item's kind.
TEST(Input, CorrectRounding) {
  struct Real {
    const char *text;
    double value;  // the compiler's own conversion of the literal
  } doubles[] = {
      {"0.1", 0.1},
      {"9007199254740993", 9007199254740992.0},  // a tie: to even
      {"9007199254740993.00000000000000000000000000000000000001", 9007199254740994.0},
      {"2.2250738585072011e-308", 2.2250738585072011e-308},
      {"4.9406564584124654e-324", 4.9406564584124654e-324},
      {"2.4703282292062328e-324", 4.9406564584124654e-324},  // just above half the least
      {"2.4703282292062327e-324", 0.0},
      {"1.7976931348623158e308", 1.7976931348623157e308},
      {"1.7976931348623158079e308", 1.7976931348623157e308},
      {"8.589973e9", 8.589973e9},
      {"1.00000000000000011102230246251565404236316680908203125", 1.0},  // tie, even
      {"1.00000000000000011102230246251565404236316680908203126", 1.0000000000000002},
  };
  for (const Real &r : doubles) {
    std::string f = "(E" + std::to_string(std::strlen(r.text)) + ".0)";
    EXPECT_EQ(run(f.c_str(), {r.text}, "d"), render('d', &r.value)) << r.text;
  }
  // Just below the halfway point between the largest double and 2^1024, the
  // largest double; from it on, overflow.
  EXPECT_EQ(run("(E43.0)", {"1.7976931348623158079372897140530341507e308"}, "d"), "1.7976931348623157e+308");
  EXPECT_EQ(run("(E43.0)", {"1.7976931348623158079372897140530341508e308"}, "d"), "7#215");
  struct Single {
    const char *text;
    float value;
  } singles[] = {
      {"1.0000000596046447755", 1.00000011920928955f},  // double first would give 1.0
      {"3.4028235e38", 3.4028235e38f},
      {"3.40282356e38", 3.4028235e38f},
      {"1.4e-45", 1.4e-45f},
      {"0.7e-45", 0.0f},
      {"16777217", 16777216.0f},
  };
  for (const Single &r : singles) {
    std::string f = "(E" + std::to_string(std::strlen(r.text)) + ".0)";
    EXPECT_EQ(run(f.c_str(), {r.text}, "r"), render('r', &r.value)) << r.text;
  }
  EXPECT_EQ(run("(E12.0)", {"3.4028236e38"}, "r"), "7#215");
}

TEST(Input, LongCharacterValue) {
  std::string v(100000, 'q');
  tavtest::TestRecord rec({"'" + v.substr(0, 600), v.substr(600) + "' 5"}, true);
  __TAVf90_init_linput();
  std::string item(100001, '-');
  int n = 0;
  ASSERT_EQ(__TAVf90_lread_ch(item.data(), 100001), 0);
  ASSERT_EQ(__TAVf90_lread_i(&n), 0);
  EXPECT_EQ(item, v + " ");
  EXPECT_EQ(n, 5);
}

// The namelist reader hands its lookahead over and takes it back.
TEST(Input, NamelistHandOver) {
  tavtest::TestRecord rec({"'abc' next=1"}, true);
  char item[4] = {'-', '-', '-', '-'};
  int32_t repeat = -1;
  __TAVf90_init_linput();
  __TAVf90_insync_namelist(',');
  ASSERT_EQ(__TAVf90_lread_nl_ch(item, 4), 0);
  EXPECT_EQ(std::string(item, 4), "abc ");
  // An undelimited word is the next object's name: nothing is consumed.
  ASSERT_EQ(__TAVf90_lread_nl_ch(item, 4), 0);
  EXPECT_EQ(std::string(item, 4), "abc ");
  EXPECT_EQ(__TAVf90_outsync_namelist(&repeat), 'n');
  EXPECT_EQ(repeat, 0);
  // The record position is just after the lookahead handed back.
  EXPECT_EQ(__TAVf90_io_position, 7);
}

}  // namespace
