// READ statements end to end, from files and standard input: formatted and
// list-directed items, END=/EOR=/IOSTAT=, SIZE=, non-advancing input,
// PAD='NO', and a WRITE continuing a record a READ stopped in.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "io/statement_support.h"
#include "support/child.h"

namespace {

using namespace stmttest;
using tavtest::expect_run;
using tavtest::kAborted;

tavtest::Options with_stdin(std::string data) {
  tavtest::Options o;
  o.stdin_data = std::move(data);
  return o;
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
    stmttest::open_file(10, "data");
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

TEST(ReadItems, WriteContinuesWhereANonAdvancingReadStopped) {
  auto r = expect_run("continue", [] {
    f90_io_init();
    stmttest::open_file(10, "data");
    char s[3];
    int rc = read_fmt(10, "(A3)", kIostat, false);
    if (rc == 0) rc = __TAVf90_read_ch(s, 3);
    if (rc == 0) rc = __TAVf90_endread();
    rc = __TAVf90_write(10, "(A)", -1, nullptr, 0, 0);
    if (rc == 0) rc = __TAVf90_write_ch("XY", 2);
    if (rc == 0) rc = __TAVf90_endwrite();
    std::printf("%d %.3s\n", rc, s);
    __TAVf90_close(10, nullptr, 0, 0);
  }, {0, "0 abc\n"}, [] {
    tavtest::Options o;
    o.files["data"] = "abcdef\n";
    return o;
  }());
  EXPECT_EQ(r.file("data"), "abcXY\n");
}

}  // namespace
