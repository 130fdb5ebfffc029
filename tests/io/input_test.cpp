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

}  // namespace
