// An in-memory record for testing editing code in-process: installs output
// (or input) hooks over a local buffer and sets the statement globals as a
// begin call would.  The destructor puts every global back as it was, so
// that scenarios forked later start from the library's initial state.
#pragma once

#include <string>
#include <vector>

#include "tavf90.h"

namespace tavtest {

class TestRecord {
 public:
  // Output record of `buflen` characters.  Errors continue (IOSTAT=).
  explicit TestRecord(int buflen = 1024);
  // Input: the records to read, the first already current.
  TestRecord(const std::vector<std::string> &input, bool pad);
  ~TestRecord();
  TestRecord(const TestRecord &) = delete;
  TestRecord &operator=(const TestRecord &) = delete;

  // Records ended so far, each followed by '\n', then the current record
  // up to max(position, top).
  std::string text() const;
  // Only the current (unfinished) record.
  std::string current() const;
  // Only the records ended so far.
  const std::string &ended() const { return ended_; }
  int end_count() const { return end_count_; }

 private:
  static int putc_hook(char c);
  static int puts_hook(char *s, int n);
  static int endrec_out();
  static int getc_hook(char *c);
  static int gets_hook(char *s, int n);
  static int endrec_in();
  void save();

  std::string buf_;
  std::string ended_;
  int end_count_ = 0;
  std::vector<std::string> input_;
  std::size_t next_input_ = 0;
  struct Saved;
  Saved *saved_;
};

}  // namespace tavtest
