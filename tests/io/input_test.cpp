// Input items over in-memory records, formatted and list-directed: every
// descriptor, blank mode, scale factor and error, separators, repeat counts,
// null values and the slash, the range of each kind, and correct rounding
// of real input, fields far wider than their record.  The cases are in
// data/input.tsv.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "io/io_support.h"
#include "io/input_items.h"

namespace {

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
