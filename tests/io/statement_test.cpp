// Formatted sequential statements end to end on standard input and output
// and on files: records, conditions, non-advancing input and output, the
// checks of the begin calls, implicit connections and the end of a program.
// Each scenario runs in a child.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <tuple>
#include <variant>
#include <vector>

#include "io/io_support.h"

namespace {

using namespace iotest;
using tavtest::expect_run;
using tavtest::kAborted;
#define FATAL_IO "Program terminated by fatal I/O error\n"

// Without IOSTAT= unless error_continue: a failure ends the program.
int write_text(int unit, const std::string &text, int error_continue = 0) {
  return write_line(unit, text, true, error_continue);
}
int write_held(int unit, const std::string &text) { return write_line(unit, text, false, 0); }

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
    for (int i = 0; i < 3; ++i) say(read_line());
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
      std::string s = read_line();
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
    say(read_line());
    // With EOR= it pads; the hooks still report the end of the record and
    // SIZE= counts what was taken before it.
    begin_read(5, false, kEor, &k);
    std::printf("pad %d\n", __TAVf90_io_pad);
    std::string s = take(6, &code);
    std::printf("%s %d %d\n", s.c_str(), code, k);
    say(read_line());
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
    say(read_line());
    begin_read(-3, true, kEnd | kEor);
  }, {kAborted, "147 147 0\n151\n153\nline\n", "Unit number -3 out of range\n" FATAL_IO}, with_stdin("line\n"));
}

TEST(ReadStatement, FormatMovesThroughRecords) {
  expect_run("format", [] {
    f90_io_init();
    // A slash reads the next record; the READ then leaves it.
    begin_read(5, true, kIostat, nullptr, "(/)");
    __TAVf90_endread();
    say(read_line());
    // A format error discards the record like any other condition.
    show(begin_read(5, true, kIostat, nullptr, "(Q)"));
    say(read_line());
  }, {0, "c\n125 125 0\ne\n"}, with_stdin("a\nb\nc\nd\ne\n"));
}

TEST(ReadStatement, StreamErrorIsASystemError) {
  static auto setup = [] {
    if (std::freopen(".", "r", stdin) == nullptr) std::abort();
    f90_io_init();
  };
  expect_run("iostat", [] {
    setup();
    std::string s = read_line();
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




int read_fmt(int unit, const char *format, int flags, bool advancing = true, int *size = nullptr) {
  return begin_read(unit, advancing, flags, size, format);
}

TEST(ReadItems, FormattedFromStandardInput) {
  expect_run("formatted", [] {
    f90_io_init();
    int n = 0;
    double x = 0;
    char name[5];
    // (I5,F8.2,1X,A4) on two records, then the end of the file.
    for (int i = 0; i < 3; ++i) {
      int rc = read_fmt(5, "(I5,F8.2,1X,A4)", kEnd);
      if (rc == 0) rc = __TAVf90_read_i(&n);
      if (rc == 0) rc = __TAVf90_read_d(&x);
      if (rc == 0) rc = __TAVf90_read_ch(name, 4);
      if (rc == 0) rc = __TAVf90_endread();
      std::printf("%d %d %.2f %.4s %d\n", rc, n, x, name, __TAVf90_io_lock);
    }
    // Any READ after the end of the file: 210.
    std::printf("%d\n", read_fmt(5, "(I5)", kIostat));
  }, {0, "0 12 3.50 abcd 0\n0 -7 123.45 wxyz 0\n-1 -7 123.45 wxyz 0\n210\n"},
             with_stdin("   12    3.50 abcd\n   -7  12345  wxyz"));
}

TEST(ReadItems, BadFieldWithIostatLeavesTheRecord) {
  expect_run("iostat", [] {
    f90_io_init();
    int a = 1, b = 2;
    int rc = read_fmt(5, "(2I3)", kIostat);
    if (rc == 0) rc = __TAVf90_read_i(&a);
    if (rc == 0) rc = __TAVf90_read_i(&b);
    std::printf("%d %d %d %d %d\n", rc, iostat, a, b, __TAVf90_io_lock);
    // The next READ starts at the next record.
    rc = read_fmt(5, "(I3)", kIostat);
    if (rc == 0) rc = __TAVf90_read_i(&a);
    if (rc == 0) rc = __TAVf90_endread();
    std::printf("%d %d\n", rc, a);
    // Without IOSTAT=, the program ends with the error's message.
    read_fmt(5, "(I3)", 0);
    __TAVf90_read_i(&a);
    std::printf("not reached\n");
  }, {kAborted, "141 141 10 2 0\n0 42\n"}, with_stdin(" 10 1x\n 42\n 9.\n"));
}

TEST(ReadItems, FatalMessage) {
  auto r = expect_run("fatal", [] {
    f90_io_init();
    int a;
    read_fmt(5, "(I4)", 0);
    __TAVf90_read_i(&a);
  }, {kAborted, ""}, with_stdin("12x4\n"));
  EXPECT_EQ(r.err.rfind("Invalid character in integer input field\nProgram terminated by fatal I/O error\n", 0), 0u)
      << r.err;
  auto r2 = expect_run("range", [] {
    f90_io_init();
    int8_t a;
    read_fmt(5, "(I4)", 0);
    __TAVf90_read_i1(&a);
  }, {kAborted, ""}, with_stdin(" 999\n"));
  EXPECT_EQ(r2.err.rfind("Input value too large for INTEGER(KIND=1)\n", 0), 0u) << r2.err;
}

TEST(ReadItems, NonAdvancingWithSizeAndEor) {
  expect_run("eor", [] {
    f90_io_init();
    char s[3];
    int k = -1, n = 0;
    for (int i = 0; i < 2; ++i) {
      int rc = read_fmt(5, "(A3)", kIostat, false, &k);
      if (rc == 0) rc = __TAVf90_read_ch(s, 3);
      if (rc == 0) rc = __TAVf90_endread();
      std::printf("%d %.3s %d\n", rc, s, k);
    }
    // Past the end with EOR=: the padded value is stored, then the
    // end-of-record condition; SIZE= counts the characters of the record.
    for (int i = 0; i < 2; ++i) {
      int rc = read_fmt(5, "(I5)", kEor, false, &k);
      if (rc == 0) rc = __TAVf90_read_i(&n);
      std::printf("%d %d %d %d\n", rc, n, k, __TAVf90_io_lock);
    }
  }, {0, "0 abc 3\n0 def 3\n-2 0 0 0\n-2 12 2 0\n"}, with_stdin("abcdef\n12\n34\n"));
}

TEST(ReadItems, PadNoAndLongRecordsFromAFile) {
  expect_run("pad", [] {
    f90_io_init();
    __TAVf90_open(10, "data", 4, nullptr, 0, nullptr, 0, nullptr, 0, nullptr, nullptr, 0, nullptr, 0, nullptr,
                  0, nullptr, 0, "NO", 2, 0);
    int n = 5;
    int rc = read_fmt(10, "(I5)", kIostat);
    if (rc == 0) rc = __TAVf90_read_i(&n);
    std::printf("%d %d\n", rc, n);
    rc = read_fmt(10, "(I2)", kIostat);
    if (rc == 0) rc = __TAVf90_read_i(&n);
    if (rc == 0) rc = __TAVf90_endread();
    std::printf("%d %d\n", rc, n);
    // A record longer than the record length: 104.
    rc = read_fmt(10, "(I2)", kIostat);
    std::printf("%d\n", rc);
  }, {0, "207 5\n0 34\n104\n"}, [] {
    tavtest::Options o;
    o.files["data"] = "12\n34\n" + std::string(2000, '5') + "\n";
    return o;
  }());
}

TEST(ReadItems, ListDirectedFromAFile) {
  expect_run("list", [] {
    f90_io_init();
    open(10, "data");
    int n[3] = {0, 0, 0};
    double x = 0;
    float c[2] = {0, 0};
    char s[8];
    int l = 0;
    int rc = begin_read(10, true, kIostat);
    for (int &v : n)
      if (rc == 0) rc = __TAVf90_lread_i(&v);
    if (rc == 0) rc = __TAVf90_lread_d(&x);
    if (rc == 0) rc = __TAVf90_lread_c(c);
    if (rc == 0) rc = __TAVf90_lread_ch(s, 8);
    if (rc == 0) rc = __TAVf90_lread_l(&l);
    if (rc == 0) rc = __TAVf90_endread();
    std::printf("%d %d %d %d %.17g (%g,%g) %.8s %d\n", rc, n[0], n[1], n[2], x, c[0], c[1], s, l);
    // A slash ends the values; the rest of its record is skipped.
    rc = begin_read(10, true, kIostat);
    if (rc == 0) rc = __TAVf90_lread_i(&n[0]);
    if (rc == 0) rc = __TAVf90_lread_i(&n[1]);
    if (rc == 0) rc = __TAVf90_endread();
    std::printf("%d %d %d\n", rc, n[0], n[1]);
    // A bad value: IOSTAT= gets it; the next READ starts at the next record.
    rc = begin_read(10, true, kIostat);
    if (rc == 0) rc = __TAVf90_lread_i(&n[0]);
    std::printf("%d %d\n", rc, n[0]);
    rc = begin_read(10, true, kEnd);
    if (rc == 0) rc = __TAVf90_lread_i(&n[0]);
    if (rc == 0) rc = __TAVf90_lread_i(&n[0]);
    std::printf("%d %d\n", rc, n[0]);
  }, {0, "0 1 2 2 0.10000000000000001 (1.5,-2) it's a   1\n0 8 2\n106 8\n-1 9\n"}, [] {
    tavtest::Options o;
    o.files["data"] = "1 2*2\n\n 0.1, (1.5,\n -2) 'it''s a' .true. extra\n8 / 9\nbad\n9\n";
    return o;
  }());
}

TEST(WriteStatement, HeldOutputContinuesTheRecord) {
  auto r = expect_run("held", [] {
    f90_io_init();
    // Unit 0 is not standard output: what a non-advancing WRITE leaves
    // stays in the record until the record ends.
    write_held(0, "ab");
    std::fputs("<", stderr);
    write_text(0, "cd");
    write_held(0, "xy");
    __TAVf90_partial_write(0, 1);
    write_text(0, "z");
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
    open(10, "held.txt");
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
    write_text(6, "n=" + read_line());
  }, {0, "x= |n=42\n"}, o);
}

TEST(WriteStatement, RecordLength) {
  // Files are complete up to the failing statement; nothing of a failed
  // record goes out.
  std::string out = std::string(1024, 'a') + "\nok\nend\n";
  expect_run("length", [] {
    f90_io_init();
    write_text(6, std::string(1024, 'a'));
    int rc = write_text(6, std::string(1025, 'b'), 1);
    std::fprintf(stderr, "%d %d %d\n", rc, iostat, __TAVf90_io_lock);
    write_text(6, "ok");
    begin_write(6, true, 1);
    put(std::string(1024, 'c'));
    std::fprintf(stderr, "%d\n", __TAVf90_mychar('d'));
    write_text(6, "end");
    write_text(6, std::string(1025, 'e'));
  }, {kAborted, out.c_str(), "100 100 0\n100\nBuffer overflow on output\n" FATAL_IO});
}

// A unit whose writes fail once the stream's buffer goes to the device.
void stdout_to_full_device() {
  if (std::freopen("/dev/full", "w", stdout) == nullptr) std::abort();
  f90_io_init();
  for (int i = 0; i < 4; ++i) write_text(6, std::string(1000, 'q'), 1);
}

TEST(WriteStatement, FailedWritesAreReported) {
  // At the end call of the statement whose record did not go out.
  expect_run("iostat", [] {
    stdout_to_full_device();
    for (int i = 4; i < 10; ++i) {
      if (int rc = write_text(6, std::string(1000, 'q'), 1)) {
        std::fprintf(stderr, "%d %d %d\n", rc, iostat, __TAVf90_io_lock);
        break;
      }
    }
  }, {0, nullptr, "28 28 0\n"});
  auto fatal = expect_run("fatal", [] {
    stdout_to_full_device();
    for (int i = 0; i < 20; ++i) write_text(6, std::string(1000, 'q'));
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
    open(10, "/dev/full");
    for (int i = 0; i < 4; ++i) write_text(10, std::string(1000, 'q'));
    write_held(10, std::string(1000, 'h'));
    __TAVf90_partial_write(10, 1);
    std::fputs("not reached\n", stderr);
  }, {kAborted, nullptr, "I/O error on unit 10: No space left on device\n" FATAL_IO});
}

TEST(WriteStatement, ReadAfterWrite) {
  auto r = expect_run("read after write", [] {
    f90_io_init();
    open(10, "f.txt");
    write_text(10, "one");
    int rc = begin_read(10, true, kIostat);
    std::printf("%d %d\n", rc, iostat);
    begin_read(10, true, kEnd | kEor);
  }, {kAborted, "146 146\n", "READ after WRITE with no intervening file positioning\n" FATAL_IO});
  EXPECT_EQ(r.file("f.txt"), "one\n");
}

TEST(WriteStatement, AfterEndOfFileTheUnitIsLeftAlone) {
  auto r = expect_run("after eof", [] {
    f90_io_init();
    open(10, "f.txt");
    say(read_line(10));
    say(read_line(10));
    int rc = write_text(10, "two", 1);
    const tav_unit_record &u = __TAVf90_file_info[10];
    std::printf("%d %d %d %d %d\n", rc, iostat, u.position_state, u.rec_length,
                (u.flags & TAV_FLAG_PARTIAL_OUTPUT) != 0);
    say(read_line(10));
    close_unit(10);
  }, {0, "one\n#-1\n210 210 4 -1 0\n#210\n"}, with_files({{"f.txt", "one\n"}}));
  EXPECT_EQ(r.file("f.txt"), "one\n");
}

TEST(WriteStatement, WriteContinuesWhereNonAdvancingReadStopped) {
  auto r = expect_run("continue", [] {
    f90_io_init();
    int unit = 10;
    for (const char *name : {"a.txt", "b.txt"}) {
      open(unit, name);
      say(read_line(unit));
      int code;
      begin_read(unit, false, kIostat);
      say(take(3, &code));
      __TAVf90_endread();
      std::printf("%d\n", write_text(unit, "XY"));
      close_unit(unit++);
    }
  }, {0, "12\nabc\n0\n12\nabc\n0\n"}, with_files({{"a.txt", "12\nabcdef\nrest\n"}, {"b.txt", "12\nabcdef"}}));
  EXPECT_EQ(r.file("a.txt"), "12\nabcXY\n");
  // The last line had no newline: the WRITE must not reach back into the
  // record before it.
  EXPECT_EQ(r.file("b.txt"), "12\nabcXY\n");
}





struct DC {
  double re, im;
};
using Item = std::variant<int, float, double, DC, const char *>;

int put_formatted(const Item &item) {
  if (auto *i = std::get_if<int>(&item)) return __TAVf90_write_i(*i);
  if (auto *r = std::get_if<float>(&item)) return __TAVf90_write_r(*r);
  if (auto *d = std::get_if<double>(&item)) return __TAVf90_write_d(*d);
  if (auto *c = std::get_if<DC>(&item)) return __TAVf90_write_dc(c->re, c->im);
  const char *s = std::get<const char *>(item);
  return __TAVf90_write_ch(s, static_cast<int>(std::strlen(s)));
}

int put_listed(const Item &item) {
  if (auto *i = std::get_if<int>(&item)) return __TAVf90_lwrite_i(*i);
  if (auto *r = std::get_if<float>(&item)) return __TAVf90_lwrite_r(*r);
  if (auto *d = std::get_if<double>(&item)) return __TAVf90_lwrite_d(*d);
  if (auto *c = std::get_if<DC>(&item)) return __TAVf90_lwrite_dc(c->re, c->im);
  const char *s = std::get<const char *>(item);
  return __TAVf90_lwrite_ch(s, static_cast<int>(std::strlen(s)));
}

// WRITE(unit, format, IOSTAT=) items; a null format is list-directed.
// The status of the first call that fails, else 0.
int write_stmt(int unit, const char *format, const std::vector<Item> &items) {
  if (int s = __TAVf90_write(unit, format, format ? -1 : 0, nullptr, 0, 1)) return s;
  for (const Item &item : items)
    if (int s = format ? put_formatted(item) : put_listed(item)) return s;
  return __TAVf90_endwrite();
}

// READ(5, format, IOSTAT=) with no items.
int read_stmt(const char *format) {
  if (int s = begin_read(5, true, kIostat, nullptr, format)) return s;
  return __TAVf90_endread();
}

struct Case {
  const char *what;
  std::function<std::vector<int>()> statements;  // their statuses
  const char *out;
  std::vector<int> statuses;
};

const Case kCases[] = {
    {"SP ends with its statement",
     [] {
       return std::vector{write_stmt(6, "(SP,I3)", {1}), write_stmt(6, nullptr, {1.0f, 2.0}),
                          write_stmt(6, "(SP,2P,F8.2)", {1.5}), write_stmt(6, "(F8.2,I3)", {1.5, 1}),
                          read_stmt("(SP)"), write_stmt(6, nullptr, {1.0f})};
     },
     " +1\n   1.0000000   2.0000000000000000\n +150.00\n    1.50  1\n   1.0000000\n",
     {0, 0, 0, 0, 0, 0}},
    {"a failed complex value leaves no field without its blanks",
     [] {
       int recl = 20;
       __TAVf90_open(10, "c.txt", 5, nullptr, 0, nullptr, 0, nullptr, 0, &recl, nullptr, 0, nullptr, 0,
                     nullptr, 0, nullptr, 0, nullptr, 0, 0);
       return std::vector{write_stmt(10, nullptr, {DC{1.0, 2.0}}), write_stmt(6, "(F10.3)", {1.5}),
                          write_stmt(10, nullptr, {DC{1.0, 2.0}}), write_stmt(6, "(E10.3)", {1.5}),
                          write_stmt(10, nullptr, {DC{1.0, 2.0}}), write_stmt(6, nullptr, {1.5f}),
                          write_stmt(10, nullptr, {DC{1.0, 2.0}}), write_stmt(6, "(SP,2P,E12.3)", {1.5})};
     },
     "     1.500\n 0.150E+01\n   1.5000000\n  +15.00E-01\n", {100, 0, 100, 0, 100, 0, 100, 0}},
    {"character values and failed items between statements",
     [] {
       return std::vector{write_stmt(6, nullptr, {"ab"}), write_stmt(6, "(A)", {"cd"}),
                          write_stmt(6, nullptr, {"ef", "gh"}), write_stmt(6, "(SP,I3,F5.1)", {1, 2}),
                          write_stmt(6, "(I3)", {1}), write_stmt(6, nullptr, {"ij"})};
     },
     " ab\ncd\n efgh\n  1\n ij\n", {0, 0, 0, 135, 0, 0}},
};

TEST(BackToBack, NothingLeaksIntoTheNextStatement) {
  tavtest::Options o;
  o.stdin_data = "first\nsecond\n";
  for (const Case &c : kCases) {
    std::string codes;
    for (int s : c.statuses) codes += std::to_string(s) + " ";
    tavtest::expect_run(
        c.what,
        [&c] {
          f90_io_init();
          std::string got;
          for (int s : c.statements()) got += std::to_string(s) + " ";
          std::fflush(stdout);
          std::fputs(got.c_str(), stderr);
          f90_io_finish();
        },
        {0, c.out, codes.c_str()}, o);
  }
}




tavtest::Options environment(std::vector<std::pair<std::string, std::string>> env,
                             std::vector<std::string> unset = {}) {
  tavtest::Options o;
  o.env = std::move(env);
  o.unset_env = std::move(unset);
  return o;
}

TEST(Preconnect, FileNameFromTheEnvironmentOrTheDefault) {
  auto r = expect_run("names", [] {
    f90_init1(0, nullptr);
    write_text(10, "ten");
    write_text(11, "eleven");
    write_text(12, "twelve");
    std::strcpy(__TAVf90_pcio_prefix, "ABC");
    write_text(7, "seven");
    __TAVf90_pcio_prefix[0] = '\0';
    write_text(13, "thirteen");
    f90_finish(0);
  }, {0}, environment({{"FORT10", "named.dat"}, {"FORT11", ""}, {"ABC07", "abc.dat"}}, {"FORT12", "FORT07"}));
  EXPECT_EQ(r.files(), (std::vector<std::string>{"abc.dat", "fort.11", "fort.12", "fort.13", "named.dat"}));
  std::string contents;
  for (const std::string &name : r.files()) contents += r.file(name);
  EXPECT_EQ(contents, "seven\neleven\ntwelve\nthirteen\nten\n");
}

TEST(Preconnect, VerboseReportsConnectionAndClose) {
  expect_run("verbose", [] {
    f90_init1(0, nullptr);
    __TAVf90_pcio_verbose = 1;
    write_text(9, "x");
    f90_finish(0);
  }, {0, nullptr,
      "preconn_io: No initialisation found for FORT09\npreconn_io: Logical unit 9 opened to fort.9\n"
      "preconn_io: Logical unit 9 closed (file fort.9)\n"}, environment({}, {"FORT09"}));
}

// A name too long is refused, not cut; a failed implicit OPEN ends the
// statement with the lock free, and the unit stays unconnected while the
// next statement runs normally.  Without IOSTAT= it shows the traceback.
TEST(Preconnect, FailedImplicitOpen) {
  auto body = [] {
    f90_init1(0, nullptr);
    int code = begin_write(10, true, 1);
    std::printf("%d %d %d\n", code, iostat, __TAVf90_io_lock);
    write_text(6, "next");
    f90_finish(0);
  };
  auto r = expect_run("long", body, {0, "174 174 0\nnext\n"}, environment({{"FORT10", std::string(1024, 'n')}}));
  EXPECT_EQ(r.files(), std::vector<std::string>{});
  expect_run("missing directory", body, {0, "2 2 0\nnext\n"}, environment({{"FORT10", "no/such/dir/file"}}));
  expect_run("fatal", [] {
    f90_init1(0, nullptr);
    __TAVf90_enter_pu("MAIN");
    __TAVf90_filename = "main.f90";
    __TAVf90_lineno = 7;
    write_text(10, "lost");
  }, {tavtest::kAborted, nullptr,
      "I/O error on unit 10: No such file or directory\nProgram terminated by fatal I/O error\n"
      "In MAIN, line 7 of main.f90\n"}, environment({{"FORT10", "no/such/dir/file"}}));
}




TEST(Shutdown, UnwritableDataAtTheEnd) {
  // Held by a non-advancing WRITE, then completed by STOP.
  expect_run("stop", [] {
    if (std::freopen("/dev/full", "w", stdout) == nullptr) std::abort();
    f90_init1(0, nullptr);
    write_held(6, "abc");
    __TAVf90_stop("1");
  }, {kAborted, nullptr, "I/O error on unit 6: No space left on device\nProgram terminated by fatal I/O error\n"});
  // The normal end goes through the fatal path, and the fatal path closes
  // the other units when one fails.
  auto finish = expect_run("finish", [] {
    f90_init1(0, nullptr);
    open(7, "/dev/full");
    open(8, "kept.txt");
    write_text(7, "lost");
    write_text(8, "line");
    f90_finish(0);
  }, {kAborted, nullptr, "I/O error on unit 7: No space left on device\nProgram terminated by fatal I/O error\n"});
  EXPECT_EQ(finish.file("kept.txt"), "line\n");
  auto crash = expect_run("crash", [] {
    f90_init1(0, nullptr);
    open(7, "/dev/full");
    open(8, "kept.txt");
    write_text(7, "lost");
    write_held(8, "held");
    __TAVf90_crash("boom %d", 3);
  }, {kAborted, nullptr, "boom 3\nProgram terminated by fatal error\nI/O error on unit 7: No space left on device\n"});
  EXPECT_EQ(crash.file("kept.txt"), "held\n");
}

// Specifier values match keywords in any case with trailing blanks; only
// letters fold (a character that merely lies 32 below is no match).
TEST(Keyword, CaseAndTrailingBlanks) {
  const std::tuple<const char *, const char *, int> cases[] = {
      {"rewind", "REWIND", 1}, {"ReWiNd   ", "REWIND", 1}, {"NO ", "NO", 1}, {" NO", "NO", 0},
      {"NOX", "NO", 0},        {"N", "NO", 0},             {"\x0e", ".", 0}, {"", "", 1},
  };
  for (const auto &[value, keyword, matches] : cases)
    EXPECT_EQ(__TAVf90_cidata_match(value, slen(value), keyword), matches) << value;
  EXPECT_EQ(__TAVf90_cidata_match("YESNO", 3, "YES"), 1);
}

}  // namespace
