// Formatted sequential READ: records, end of file, end of record, record
// length, non-advancing input with SIZE=, and the checks of the begin call.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "io/statement_support.h"
#include "support/child.h"

namespace {

using namespace stmttest;
using tavtest::expect_run;
using tavtest::kAborted;

#define FATAL_IO "Program terminated by fatal I/O error\n"

tavtest::Options with_stdin(std::string data) {
  tavtest::Options o;
  o.stdin_data = std::move(data);
  return o;
}

// Prints a statement's result with iostat and the lock.
void show(int rc) { std::printf("%d %d %d\n", rc, iostat, __TAVf90_io_lock); }

TEST(ReadStatement, RecordsEndOfFileAndReadAfterIt) {
  expect_run("records", [] {
    f90_io_init();
    // An advancing READ that takes part of a record skips the rest.
    int code;
    begin_read(5, true, kIostat);
    say(take(1, &code));
    __TAVf90_endread();
    for (int i = 0; i < 3; ++i) say(read_record());
    show(begin_read(5, true, kEnd));
    show(begin_read(5, true, kIostat));
  }, {0, "a\n\ncdef\nlast\n-1 -1 0\n210 210 0\n", ""}, with_stdin("ab\n\ncdef\nlast"));
  for (int flags : {0, kEor}) {
    expect_run("eof", [flags] {
      f90_io_init();
      begin_read(5, true, flags);
      say("not reached");
    }, {kAborted, "", "End of file on unit 5\n" FATAL_IO}, with_stdin(""));
  }
}

TEST(ReadStatement, RecordLengthLimit) {
  // The character that does not fit stays unread and begins the next
  // record, also on a last line without a newline.
  expect_run("length", [] {
    f90_io_init();
    for (int i = 0; i < 6; ++i) {
      std::string s = read_record();
      if (s.size() > 8) s = std::to_string(s.size()) + s[0];
      std::printf("%s %d\n", s.c_str(), iostat);
    }
  }, {0, "1024x 0\n#104 104\ny 0\n#104 104\nz 0\n#-1 -1\n"},
             with_stdin(std::string(1024, 'x') + "\n" + std::string(1025, 'y') + "\n" + std::string(1025, 'z')));
}

TEST(ReadStatement, NonAdvancingWithSize) {
  expect_run("size", [] {
    f90_io_init();
    int code, k = -9;
    for (int i = 0; i < 2; ++i) {
      begin_read(5, false, kIostat, &k);
      std::string s = take(3, &code);
      __TAVf90_endread();
      std::printf("%s %d\n", s.c_str(), k);
    }
    // Running past the end of the record is the end-of-record condition
    // (IOSTAT= catches it); the record is then left.
    k = -9;
    begin_read(5, false, kIostat, &k);
    std::printf("pad %d\n", __TAVf90_io_pad);
    take(1, &code);
    std::printf("%d %d %d %d\n", code, iostat, k, __TAVf90_io_lock);
    say(read_record());
    // With EOR= it pads; the hooks still report the end of the record and
    // SIZE= counts what was taken before it.
    begin_read(5, false, kEor, &k);
    std::printf("pad %d\n", __TAVf90_io_pad);
    std::string s = take(6, &code);
    std::printf("%s %d %d\n", s.c_str(), code, k);
    say(read_record());
  }, {0, "abc 3\ndef 3\npad 1\n-2 -2 0 0\nnext\npad 1\nlast -2 4\nmore\n"},
             with_stdin("abcdef\nnext\nlast\nmore\n"));
}

TEST(ReadStatement, EndOfRecordWithoutPadding) {
  // Without EOR= (or IOSTAT=) a non-advancing READ does not pad even under
  // PAD='YES'.
  expect_run("no EOR=", [] {
    f90_io_init();
    int code;
    begin_read(5, false, kEnd, nullptr, "()");
    std::fprintf(stderr, "pad %d\n", __TAVf90_io_pad);
    take(3, &code);
    say("not reached");
  }, {kAborted, nullptr, "pad 0\nEnd of record on unit 5\n" FATAL_IO}, with_stdin("ab\n"));
  expect_run("PAD='NO'", [] {
    f90_io_init();
    __TAVf90_file_info[5].flags &= ~TAV_FLAG_PAD_YES;
    int code;
    begin_read(5, true, kIostat);
    std::printf("pad %d\n", __TAVf90_io_pad);
    std::string s = take(3, &code);
    std::printf("%s %d %d\n", s.c_str(), code, iostat);
    char buf[3];
    begin_read(5, true, kIostat);
    std::printf("%d\n", __TAVf90_mystring(buf, 3));
    // Non-advancing input keeps the end-of-record condition.
    begin_read(5, false, kIostat);
    take(3, &code);
    std::printf("%d\n", code);
    begin_read(5, true, 0);
    take(3, &code);
  }, {kAborted, "pad 0\nab 207 207\n207\n-2\n", "End of record on unit 5\n" FATAL_IO},
             with_stdin("ab\nab\nab\nab\n"));
}

TEST(ReadStatement, RefusedBeginLeavesTheUnitAlone) {
  expect_run("refused", [] {
    f90_io_init();
    show(begin_read(-3, true, kIostat));
    std::printf("%d\n", begin_read(6, true, kIostat));
    std::printf("%d\n", begin_write(5, true, 1));
    say(read_record());
    begin_read(-3, true, kEnd | kEor);
  }, {kAborted, "147 147 0\n151\n153\nline\n", "Unit number -3 out of range\n" FATAL_IO}, with_stdin("line\n"));
}

TEST(ReadStatement, FormatMovesThroughRecords) {
  expect_run("format", [] {
    f90_io_init();
    // A slash reads the next record; the READ then leaves it.
    begin_read(5, true, kIostat, nullptr, "(/)");
    __TAVf90_endread();
    say(read_record());
    // A format error discards the record like any other condition.
    show(begin_read(5, true, kIostat, nullptr, "(Q)"));
    say(read_record());
  }, {0, "c\n125 125 0\ne\n"}, with_stdin("a\nb\nc\nd\ne\n"));
}

TEST(ReadStatement, StreamErrorIsASystemError) {
  static auto setup = [] {
    if (std::freopen(".", "r", stdin) == nullptr) std::abort();
    f90_io_init();
  };
  expect_run("iostat", [] {
    setup();
    std::string s = read_record();
    std::printf("%s %d\n", s.c_str(), iostat);
  }, {0, "#21 21\n"});
  expect_run("fatal", [] {
    setup();
    begin_read(5, true, kEnd);
  }, {kAborted, nullptr, "I/O error on unit 5: Is a directory\n" FATAL_IO});
}

// Specifier misuse and nested statements end the program even when the
// statement has IOSTAT=.
TEST(ReadStatement, MisuseIsFatal) {
  const std::pair<const char *, void (*)()> cases[] = {
      {"ADVANCE= specifier must be 'YES' or 'NO'", [] { __TAVf90_read(5, nullptr, 0, "MAYBE", 5, nullptr, kIostat); }},
      {"ADVANCE= specifier must be 'YES' or 'NO'", [] { __TAVf90_write(6, "()", 2, "MAYBE", 5, 1); }},
      {"ADVANCE= specifier must be 'YES' or 'NO'",
       [] {
         int k;
         // Lower case and trailing blanks are accepted; a leading blank is not.
         if (__TAVf90_read(5, nullptr, 0, "no ", 3, &k, kIostat) != 0) return;
         __TAVf90_endread();
         __TAVf90_read(5, nullptr, 0, " NO", 3, &k, kIostat);
       }},
      {"SIZE= is not valid without ADVANCE='NO'",
       [] {
         int k;
         __TAVf90_read(5, nullptr, 0, "YES", 3, &k, kIostat);
       }},
      {"Recursive I/O reference", [] { begin_read(5, true, kIostat); begin_write(6, true, 1); }},
      {"Recursive I/O reference", [] { __TAVf90_lock_io(); begin_read(5, true, kIostat); }},
  };
  for (const auto &[message, body] : cases) {
    std::string err = std::string(message) + "\nProgram terminated by fatal error\n";
    expect_run(message, [body = body] {
      f90_io_init();
      body();
      say("not reached");
    }, {kAborted, "", err.c_str()}, with_stdin("abc\n"));
  }
}

}  // namespace
