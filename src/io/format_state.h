// Where the format interpreter stands in the format of the statement in
// progress.  It is part of the statement state (io/statement.h) and only
// the interpreter (io/format.cpp) reads or changes it.
#pragma once

#include <cstdint>

namespace tav::io {

constexpr int kMaxFormatDepth = 30;

struct FormatPosition {
  const char *current = nullptr;  // next character to scan
  // The outermost right parenthesis while it has not been consumed (the
  // last character of the text until then); just after it once it has.
  const char *end = nullptr;
  const char *last = nullptr;  // last character of the text
  bool exhausted = true;       // the outermost ')' has been consumed
  int nesting = 0;             // depth of the group being scanned
  const char *left_paren[kMaxFormatDepth + 1] = {};
  int fmt_repeat[kMaxFormatDepth + 1] = {};
  // Value of `actions` when the group at each depth was entered.  A group
  // whose pass did nothing observable (only blanks, commas, colons, mode
  // settings and such groups) gives the same result when repeated, so it
  // is not repeated: (2000000000()) costs one pass.
  std::uint64_t actions_at[kMaxFormatDepth + 1] = {};
  std::uint64_t actions = 0;
  const char *revert_point = nullptr;
  int revert_nest = 0;
  int revert_repeat = 1;
  int r_present = 0;
  int r = 0;

  // No format: nothing to scan.  establish_format sets the pointers and
  // the reversion point of a new format; the tables are only read at
  // depths that a scan of it has entered.
  void reset() {
    exhausted = true;
    nesting = 0;
    actions = 0;
    r_present = 0;
    r = 0;
  }
};

}  // namespace tav::io
