// An in-memory record for testing editing code in-process: installs output
// (or input) hooks over a local buffer and sets the statement globals as a
// begin call would.  The destructor puts every global back as it was, so
// that scenarios forked later start from the library's initial state.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "tavf90.h"

namespace tavtest {

// The records of a text, '\n' between them: TestRecord's input.
inline std::vector<std::string> split_records(std::string_view text) {
  std::vector<std::string> records(1);
  for (char c : text) {
    if (c == '\n') records.emplace_back();
    else records.back() += c;
  }
  return records;
}

class TestRecord {
 public:
  // Output record of `buflen` characters.  Errors continue (IOSTAT=).
  explicit TestRecord(int buflen = 1024);
  // Input: the records to read, the first already current.
  TestRecord(const std::vector<std::string> &input, bool pad);
  ~TestRecord();
  TestRecord(const TestRecord &) = delete;
  TestRecord &operator=(const TestRecord &) = delete;

  // Records ended so far, each followed by '\n', then the current record:
  // on output up to max(position, top), on input all of it.
  std::string text() const;
  int end_count() const { return end_count_; }

 private:
  void save();

  std::string buf_, ended_;
  int end_count_ = 0;
  std::vector<std::string> input_;
  std::size_t next_input_ = 1;
  std::vector<std::function<void()>> undo_;  // puts back every global the record set
};

}  // namespace tavtest
