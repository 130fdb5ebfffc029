// Case tables kept as data files under tests/.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <fstream>
#include <string>
#include <vector>

namespace tavtest {

// The rows of tests/<name>: tab-separated, `#` lines and empty
// lines skipped.  In a field \n, \r, \t and \\ stand for their
// characters, and a field written [between brackets] is the text inside
// them, so that blanks at its ends show.
inline std::vector<std::vector<std::string>> table(const std::string &name, std::size_t columns) {
  std::vector<std::vector<std::string>> rows;
  std::ifstream in(std::string(TAV_SOURCE_DIR "/tests/") + name);
  EXPECT_TRUE(in.good()) << "missing table " << name;
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> row(1);
    for (std::size_t i = 0; i < line.size(); ++i) {
      if (line[i] == '\t')
        row.emplace_back();
      else if (line[i] == '\\' && i + 1 < line.size())
        row.back() += line[++i] == 'n' ? '\n' : line[i] == 'r' ? '\r' : line[i] == 't' ? '\t' : line[i];
      else
        row.back() += line[i];
    }
    for (std::string &f : row)
      if (f.size() >= 2 && f.front() == '[' && f.back() == ']') f = f.substr(1, f.size() - 2);
    EXPECT_EQ(row.size(), columns) << name << ": malformed row " << line;
    if (row.size() == columns) rows.push_back(row);
  }
  EXPECT_FALSE(rows.empty()) << name;
  return rows;
}

}  // namespace tavtest
