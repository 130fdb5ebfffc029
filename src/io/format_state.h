// Where the format interpreter stands in the format of the statement in
// progress, and its note of the last format's first edit.  The first is
// part of the statement state, the second of the storage kept between
// statements (io/statement.h); only the interpreter (io/format.cpp) reads
// or changes them.
#pragma once

#include <cstdint>
#include <cstring>

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

// Where the scan of the last format that the fast scan took to its first
// data edit descriptor stood then: a statement run again and again (a READ
// or WRITE in a loop) starts its format from here instead of scanning it
// once more.  It is used only for the same text at the same address, in
// the same direction, and the scan to that point depends on nothing else:
// the fast scan changes only the interpreter's place and the current edit.
class FirstEdit {
 public:
  bool matches(const char *text, int length, int mode) const {
    return text == text_ && length == length_ && mode == mode_ && same_text(text, copy_, length);
  }
  // Notes the place `at` and the current edit the scan of `text` left.
  void save(const char *text, int length, int mode, const FormatPosition &at);
  // Puts the interpreter at the noted place, and the current edit as the
  // descriptor set it (what it does not set stays as it is).
  void restore(FormatPosition &at) const;

 private:
  // Whether the n characters at a and b are alike; a short text (the usual
  // format) is compared as two words that overlap, without a call.
  static bool same_text(const char *a, const char *b, int n) {
    if (n >= 4 && n <= 8) return load<std::uint32_t>(a) == load<std::uint32_t>(b) &&
                                  load<std::uint32_t>(a + n - 4) == load<std::uint32_t>(b + n - 4);
    if (n > 8 && n <= 16) return load<std::uint64_t>(a) == load<std::uint64_t>(b) &&
                                 load<std::uint64_t>(a + n - 8) == load<std::uint64_t>(b + n - 8);
    return std::memcmp(a, b, static_cast<std::size_t>(n)) == 0;
  }
  template <typename Word>
  static Word load(const char *p) {
    Word w;
    std::memcpy(&w, p, sizeof w);
    return w;
  }

  static constexpr int kLength = 48;
  static constexpr int kDepth = 4;
  const char *text_ = nullptr;
  int length_ = 0;
  int mode_ = 0;
  char copy_[kLength] = {};
  FormatPosition at_;
  char letter_ = 0, variant_ = 0;
  int w_ = 0, d_ = 0, e_ = 0, m_ = 0;
};

}  // namespace tav::io
