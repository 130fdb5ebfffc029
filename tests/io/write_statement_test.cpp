// Formatted sequential WRITE: records and their length, non-advancing
// output held or shown as a prompt, failures of the stream, and the
// alternation of READ and WRITE on one unit.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "io/statement_support.h"
#include "support/child.h"

namespace {

using namespace stmttest;
using tavtest::expect_run;
using tavtest::kAborted;

#define FATAL_IO "Program terminated by fatal I/O error\n"

int write_record(int unit, const std::string &text, int error_continue = 0) {
  if (int code = begin_write(unit, true, error_continue)) return code;
  if (int code = put(text)) return code;
  return __TAVf90_endwrite();
}

int write_held(int unit, const std::string &text) {
  if (int code = begin_write(unit, false)) return code;
  if (int code = put(text)) return code;
  return __TAVf90_endwrite();
}

void close_unit(int unit) { __TAVf90_close(unit, nullptr, 0, 0); }

tavtest::Options with_files(std::map<std::string, std::string> files) {
  tavtest::Options o;
  o.files = std::move(files);
  return o;
}

TEST(WriteStatement, HeldOutputContinuesTheRecord) {
  auto r = expect_run("held", [] {
    f90_io_init();
    // Unit 0 is not standard output: what a non-advancing WRITE leaves
    // stays in the record until the record ends.
    write_held(0, "ab");
    std::fputs("<", stderr);
    write_record(0, "cd");
    write_held(0, "xy");
    __TAVf90_partial_write(0, 1);
    write_record(0, "z");
    // A slash ends the record with the held characters in it.
    write_held(0, "ab");
    begin_write(0, true, 0, "('c' / 'd')");
    __TAVf90_endwrite();
    // Through the format: a string written after the held characters; the
    // rightmost character written, not the tab, ends a record.
    write_held(6, "p=");
    begin_write(6, true, 0, "('5')");
    __TAVf90_endwrite();
    begin_write(6, true, 0, "('abcdef', T2)");
    __TAVf90_endwrite();
    begin_write(6, true, 0, "('abcdef', T2, 'X')");
    __TAVf90_endwrite();
    // Completed at CLOSE and at the end.
    open_file(10, "held.txt");
    write_held(10, "ab");
    close_unit(10);
    write_held(6, "x= ");
    f90_io_finish();
  }, {0, "p=5\nabcdef\naXcdef\nx= \n", "<abcd\nxy\nz\nabc\nd\n"});
  EXPECT_EQ(r.file("held.txt"), "ab\n");
}

TEST(WriteStatement, PromptIsShownBeforeTheRead) {
  tavtest::Options o;
  o.stdin_data = "42\n";
  o.stdout_pipe = true;
  expect_run("prompt", [] {
    f90_io_init();
    write_held(6, "x= ");
    // Written past the stream's buffer: the prompt must already be out.
    if (::write(1, "|", 1) != 1) std::abort();
    write_record(6, "n=" + read_record());
  }, {0, "x= |n=42\n"}, o);
}

TEST(WriteStatement, RecordLength) {
  // Files are complete up to the failing statement; nothing of a failed
  // record goes out.
  std::string out = std::string(1024, 'a') + "\nok\nend\n";
  expect_run("length", [] {
    f90_io_init();
    write_record(6, std::string(1024, 'a'));
    int rc = write_record(6, std::string(1025, 'b'), 1);
    std::fprintf(stderr, "%d %d %d\n", rc, iostat, __TAVf90_io_lock);
    write_record(6, "ok");
    begin_write(6, true, 1);
    put(std::string(1024, 'c'));
    std::fprintf(stderr, "%d\n", __TAVf90_mychar('d'));
    write_record(6, "end");
    write_record(6, std::string(1025, 'e'));
  }, {kAborted, out.c_str(), "100 100 0\n100\nBuffer overflow on output\n" FATAL_IO});
}

// A unit whose writes fail once the stream's buffer goes to the device.
void stdout_to_full_device() {
  if (std::freopen("/dev/full", "w", stdout) == nullptr) std::abort();
  f90_io_init();
  for (int i = 0; i < 4; ++i) write_record(6, std::string(1000, 'q'), 1);
}

TEST(WriteStatement, FailedWritesAreReported) {
  // At the end call of the statement whose record did not go out.
  expect_run("iostat", [] {
    stdout_to_full_device();
    for (int i = 4; i < 10; ++i) {
      if (int rc = write_record(6, std::string(1000, 'q'), 1)) {
        std::fprintf(stderr, "%d %d %d\n", rc, iostat, __TAVf90_io_lock);
        break;
      }
    }
  }, {0, nullptr, "28 28 0\n"});
  auto fatal = expect_run("fatal", [] {
    stdout_to_full_device();
    for (int i = 0; i < 20; ++i) write_record(6, std::string(1000, 'q'));
  }, {kAborted});
  EXPECT_EQ(fatal.err.substr(0, fatal.err.find('\n') + 1), "I/O error on unit 6: No space left on device\n");
  // The prompt goes to the stream at once, so its failure is the end call's.
  expect_run("prompt", [] {
    stdout_to_full_device();
    begin_write(6, false, 1);
    put(std::string(1000, 'p'));
    int rc = __TAVf90_endwrite();
    std::fprintf(stderr, "%d %d\n", rc, iostat);
  }, {0, nullptr, "28 28\n"});
  // Held output written out outside any statement cannot be handed back to
  // compiled code: it ends the program.
  expect_run("held", [] {
    f90_io_init();
    open_file(10, "/dev/full");
    for (int i = 0; i < 4; ++i) write_record(10, std::string(1000, 'q'));
    write_held(10, std::string(1000, 'h'));
    __TAVf90_partial_write(10, 1);
    std::fputs("not reached\n", stderr);
  }, {kAborted, nullptr, "I/O error on unit 10: No space left on device\n" FATAL_IO});
}

TEST(WriteStatement, ReadAfterWrite) {
  auto r = expect_run("read after write", [] {
    f90_io_init();
    open_file(10, "f.txt");
    write_record(10, "one");
    int rc = begin_read(10, true, kIostat);
    std::printf("%d %d\n", rc, iostat);
    begin_read(10, true, kEnd | kEor);
  }, {kAborted, "146 146\n", "READ after WRITE with no intervening file positioning\n" FATAL_IO});
  EXPECT_EQ(r.file("f.txt"), "one\n");
}

TEST(WriteStatement, AfterEndOfFileTheUnitIsLeftAlone) {
  auto r = expect_run("after eof", [] {
    f90_io_init();
    open_file(10, "f.txt");
    say(read_record(10));
    say(read_record(10));
    int rc = write_record(10, "two", 1);
    const tav_unit_record &u = __TAVf90_file_info[10];
    std::printf("%d %d %d %d %d\n", rc, iostat, u.position_state, u.rec_length,
                (u.flags & TAV_FLAG_PARTIAL_OUTPUT) != 0);
    say(read_record(10));
    close_unit(10);
  }, {0, "one\n#-1\n210 210 4 -1 0\n#210\n"}, with_files({{"f.txt", "one\n"}}));
  EXPECT_EQ(r.file("f.txt"), "one\n");
}

TEST(WriteStatement, WriteContinuesWhereNonAdvancingReadStopped) {
  auto r = expect_run("continue", [] {
    f90_io_init();
    int unit = 10;
    for (const char *name : {"a.txt", "b.txt"}) {
      open_file(unit, name);
      say(read_record(unit));
      int code;
      begin_read(unit, false, kIostat);
      say(take(3, &code));
      __TAVf90_endread();
      std::printf("%d\n", write_record(unit, "XY"));
      close_unit(unit++);
    }
  }, {0, "12\nabc\n0\n12\nabc\n0\n"}, with_files({{"a.txt", "12\nabcdef\nrest\n"}, {"b.txt", "12\nabcdef"}}));
  EXPECT_EQ(r.file("a.txt"), "12\nabcXY\n");
  // The last line had no newline: the WRITE must not reach back into the
  // record before it.
  EXPECT_EQ(r.file("b.txt"), "12\nabcXY\n");
}

TEST(WriteStatement, ImplicitConnections) {
  tavtest::Options o;
  o.env = {{"FORT11", "eleven.dat"}};
  o.unset_env = {"FORT10", "FORT12345"};
  auto r = expect_run("implicit", [] {
    f90_io_init();
    write_record(12345, "big");
    write_record(10, "ten");
    write_record(11, "eleven");
    // A unit that was connected and closed is not connected again.
    close_unit(10);
    int rc = write_record(10, "again", 1);
    std::printf("%d %d\n", rc, begin_read(10, true, kIostat));
    f90_io_finish();
  }, {0, "148 148\n"}, o);
  EXPECT_EQ(r.file("fort.12345"), "big\n");
  EXPECT_EQ(r.file("fort.10"), "ten\n");
  EXPECT_EQ(r.file("eleven.dat"), "eleven\n");
  EXPECT_FALSE(r.has_file("fort.11"));
}

}  // namespace
