// Fatal paths listed in a table file (read by table.h: `#` lines skipped,
// "\n" marks a line break in the message), one per line:
//   entry <TAB> arguments <TAB> message
// The entry is named without its "__TAVf90_" prefix; an argument is an
// integer, a "string" (no blanks), null, or the name of one of the test's
// objects (its address); an entry that returns a record takes the address
// for it as its first argument, where the hidden result address goes.  Each
// scenario runs in a child that must end by the fatal path after printing
// exactly the message and the closing line.
#pragma once

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "support/child.h"
#include "support/table.h"

namespace tavtest {

// Every argument is passed as one word: ints, pointers and the extents of
// the variadic entries alike are one word each on the stack, the caller
// removes them, and words beyond an entry's own are never read.
using Words = void (*)(std::intptr_t, std::intptr_t, std::intptr_t, std::intptr_t, std::intptr_t, std::intptr_t,
                       std::intptr_t, std::intptr_t, std::intptr_t, std::intptr_t, std::intptr_t, std::intptr_t);

// Runs every row of TAV_SOURCE_DIR/tests/<table> (`before` first, in the
// child); returns the number of rows.
inline int expect_fatal_table(const std::string &table, const std::map<std::string, const void *> &objects = {},
                              void (*before)() = nullptr) {
  const auto rows = tavtest::table(table, 3);
  for (const auto &row : rows) {
    auto fn = reinterpret_cast<Words>(dlsym(RTLD_DEFAULT, ("__TAVf90_" + row[0]).c_str()));
    EXPECT_NE(fn, nullptr) << row[0];
    std::vector<std::string> strings(12);  // the words point into them
    std::intptr_t w[12] = {};
    std::istringstream args(row[1]);
    std::string t;
    for (int n = 0; n < 12 && args >> t; ++n) {
      if (t[0] == '"')
        w[n] = reinterpret_cast<std::intptr_t>((strings[n] = t.substr(1, t.size() - 2)).c_str());
      else if (objects.count(t) != 0)
        w[n] = reinterpret_cast<std::intptr_t>(objects.at(t));
      else if (t != "null")
        w[n] = static_cast<std::intptr_t>(std::stoll(t));
    }
    const auto call = [&] {
      if (before != nullptr) before();
      if (fn != nullptr) fn(w[0], w[1], w[2], w[3], w[4], w[5], w[6], w[7], w[8], w[9], w[10], w[11]);
    };
    const std::string err = row[2] + "\nProgram terminated by fatal error\n";
    expect_run(row[0] + " " + row[1], call, {kAborted, "", err.c_str()});
  }
  return static_cast<int>(rows.size());
}

}  // namespace tavtest
