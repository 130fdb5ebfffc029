// Where the format interpreter stands in the format of the statement in
// progress.  It is part of the statement state (io/statement.h) and only
// the interpreter (io/format.cpp) reads or changes it.
#pragma once

#include <cstdint>

namespace tav::io {

constexpr int kMaxFormatDepth = 30;

struct FormatPosition {
  // The scalar part comes first, so that it can be saved and restored as
  // one block (format.cpp, FirstEdit).
  const char *current = nullptr;  // next character to scan
  // The outermost right parenthesis while it has not been consumed (the
  // last character of the text until then); just after it once it has.
  const char *end = nullptr;
  const char *last = nullptr;  // last character of the text
  const char *revert_point = nullptr;
  // Data edits, strings and record ends met (see actions_at).
  std::uint64_t actions = 0;
  int nesting = 0;  // depth of the group being scanned
  int revert_nest = 0;
  int revert_repeat = 1;
  int r_present = 0;
  int r = 0;
  bool exhausted = true;  // the outermost ')' has been consumed

  const char *left_paren[kMaxFormatDepth + 1] = {};
  int fmt_repeat[kMaxFormatDepth + 1] = {};
  // Value of `actions` when the group at each depth was entered.  A pass
  // over a group that met no data edit, string or record end can only
  // have moved the position (X, T, TL, TR), and the next pass moves it the
  // same way from where this one ended; such groups are not walked once
  // per repeat (format.cpp, repeat_group): (2000000000()) and
  // (2000000000(TR2,TL1)) cost a few passes.
  std::uint64_t actions_at[kMaxFormatDepth + 1] = {};
  // Record position at the start of the current pass over the group at
  // each depth, and how far the pass before it moved it (0: no such pass).
  int pass_start[kMaxFormatDepth + 1] = {};
  std::int64_t pass_shift[kMaxFormatDepth + 1] = {};

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
