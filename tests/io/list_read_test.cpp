// List-directed input over in-memory records: separators, repeat counts,
// null values, the slash, the values of every type across records, and the
// errors.
#include <gtest/gtest.h>

#include "io/input_support.h"

namespace {

using inputtest::run;

struct Case {
  std::vector<std::string> records;
  const char *kinds;
  const char *expect;
};

void check(const std::vector<Case> &cases) {
  for (const Case &c : cases) {
    std::string in;
    for (const auto &r : c.records) in += "[" + r + "]";
    EXPECT_EQ(run(nullptr, c.records, c.kinds), c.expect) << in << " as " << c.kinds;
  }
}

TEST(ListRead, SeparatorsNullsAndSlash) {
  check({
      {{"1,,3"}, "iii", "1|7|3"},
      {{"1 , 2"}, "ii", "1|2"},
      {{"1,2"}, "ii", "1|2"},
      {{"1\t 2"}, "ii", "1|2"},
      {{"1,", "2"}, "ii", "1|2"},  // a comma ending a record, then the value
      {{",5"}, "ii", "7|5"},
      {{"1 2 / 9"}, "iiii", "1|2|7|7"},
      {{"", "  ", "1", "", "2"}, "ii", "1|2"},  // empty records are skipped
      {{"1"}, "ii", "1|7#-1"},                     // end of file seeking a value
      {{"3*4 5"}, "iiii", "4|4|4|5"},
      {{"3* 5"}, "iiii", "7|7|7|5"},
      {{"2*,8"}, "iii", "7|7|8"},
      {{"0*4"}, "i", "7#105"},
      {{"2147483648*1"}, "i", "7#109"},
      {{"2147483647*1"}, "ii", "1|1"},
      {{"3 *4"}, "ii", "3|7#106"},
      {{"2*1.5"}, "ri", "1.5|7#106"},
      {{"2*7"}, "il", "7|7#112"},
      {{"2*'ab'"}, "ss", "ab    |ab    "},
  });
}

TEST(ListRead, Integers) {
  check({
      {{"2147483648"}, "i", "7#110"},
      {{"-2147483648"}, "i", "-2147483648"},
      {{"9223372036854775808"}, "k", "7#211"},
      {{"-9223372036854775808"}, "k", "-9223372036854775808"},
      {{"99999999999999999999999"}, "k", "7#211"},
      {{"300"}, "b", "7#107"},
      {{"-128 -32768"}, "bh", "-128|-32768"},
      {{"40000"}, "h", "7#108"},
      {{"+12"}, "i", "12"},
      {{"1.5"}, "i", "7#106"},
      {{"12x"}, "i", "7#106"},
      {{"-"}, "i", "7#106"},
  });
}

TEST(ListRead, Reals) {
  check({
      {{"5"}, "r", "5"},
      {{"1.0E2 1.0D2 1.0+2 1.0e-2"}, "dddd", "100|100|100|0.01"},
      {{"1.5 1. .5 15E-1 +1.5e+00 -.15E1"}, "dddddd", "1.5|1|0.5|1.5|1.5|-1.5"},
      {{"-0.0"}, "d", "0"},
      {{"0.1"}, "d", "0.10000000000000001"},
      {{"0.1"}, "r", "0.100000001"},
      {{"1.0000000596046447755"}, "r", "1.00000012"},  // rounded once, to float
      {{"-9223372036854775808.0"}, "d", "-9.2233720368547758e+18"},
      {{"1e400 -1e400 1e-400"}, "ddd", "inf|-inf|0"},
      {{"1e39"}, "r", "inf"},
      {{"1E99999999999999"}, "d", "inf"},
      {{"."}, "d", "7#111"},
      {{"E5"}, "d", "7#111"},
      {{"1.5E"}, "d", "7#111"},
      {{"1.5x"}, "d", "7#111"},
      {{"1e+"}, "d", "7#111"},
  });
}

TEST(ListRead, Complex) {
  check({
      {{"(1.0, 2.0)"}, "c", "(1,2)"},
      {{"( 1 , 2 )"}, "z", "(1,2)"},
      {{"(1.,", "2.)"}, "c", "(1,2)"},
      {{"(1.5", ",", "-2.5", ")"}, "z", "(1.5,-2.5)"},
      {{"1.0"}, "c", "(7,7)#113"},
      {{"(1.0 2.0)"}, "c", "(7,7)#113"},
      {{"(1.0,2.0"}, "c", "(7,7)#-1"},
      {{"(1.0,2.0)x"}, "c", "(7,7)#113"},
      {{"2*(1,2) ,,"}, "czc", "(1,2)|(1,2)|(7,7)"},
  });
}

TEST(ListRead, Logicals) {
  check({
      {{".TRUE. .false. T f Tuesday .F"}, "llllll", "1|0|1|0|1|0"},
      {{"X"}, "l", "7#112"},
      {{"."}, "l", "7#112"},
  });
}

TEST(ListRead, Characters) {
  check({
      {{"'it''s'"}, "s", "it's  "},
      {{"'ab", "cd'"}, "s", "abcd  "},
      {{"\"a,b c\""}, "s", "a,b c "},
      {{"abc,def/ghi"}, "sss", "abc   |def   |------"},
      {{"abcdefghij xy"}, "ss", "abcdef|xy    "},
      {{"''"}, "s", "      "},
      {{"'unterminated", "still"}, "s", "------#-1"},
      {{"'ab'x"}, "ss", "ab    |x     "},
      {{"1 'x'"}, "si", "1     |7#106"},
  });
}

TEST(ListRead, LongCharacterValue) {
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
TEST(ListRead, NamelistHandOver) {
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
