// Implicit connection of a unit that a WRITE uses without an OPEN.
#include <gtest/gtest.h>

#include <cstring>

#include "io/statement_support.h"
#include "support/child.h"
#include "tavf90.h"

namespace {

using namespace stmttest;

void write_line(int unit, const char *text) {
  if (begin_write(unit) == 0 && put(text) == 0) __TAVf90_endwrite();
}

TEST(Preconnect, FileNameFromTheEnvironmentOrTheDefault) {
  tavtest::Options o;
  o.env = {{"FORT10", "named.dat"}, {"FORT11", ""}, {"ABC07", "abc.dat"}};
  o.unset_env = {"FORT12", "FORT07"};
  auto r = tavtest::run(
      [] {
        f90_init1(0, nullptr);
        write_line(10, "ten");
        write_line(11, "eleven");
        write_line(12, "twelve");
        std::strcpy(__TAVf90_pcio_prefix, "ABC");
        write_line(7, "seven");
        __TAVf90_pcio_prefix[0] = '\0';
        write_line(13, "thirteen");
        f90_finish(0);
      },
      o);
  ASSERT_TRUE(r.exited(0)) << r.describe();
  EXPECT_EQ(r.file("named.dat"), "ten\n");
  EXPECT_EQ(r.file("fort.11"), "eleven\n");
  EXPECT_EQ(r.file("fort.12"), "twelve\n");
  EXPECT_EQ(r.file("abc.dat"), "seven\n");
  EXPECT_EQ(r.file("fort.13"), "thirteen\n");
  EXPECT_EQ(r.files(), (std::vector<std::string>{"abc.dat", "fort.11", "fort.12", "fort.13", "named.dat"}));
}

TEST(Preconnect, VerboseReportsConnectionAndClose) {
  tavtest::Options o;
  o.unset_env = {"FORT09"};
  auto r = tavtest::run(
      [] {
        f90_init1(0, nullptr);
        __TAVf90_pcio_verbose = 1;
        write_line(9, "x");
        f90_finish(0);
      },
      o);
  ASSERT_TRUE(r.exited(0)) << r.describe();
  EXPECT_EQ(r.err,
            "preconn_io: No initialisation found for FORT09\n"
            "preconn_io: Logical unit 9 opened to fort.9\n"
            "preconn_io: Logical unit 9 closed (file fort.9)\n");
}

TEST(Preconnect, TooLongANameFromTheEnvironmentIsRefusedNotCut) {
  tavtest::Options o;
  o.env = {{"FORT10", std::string(1024, 'n')}};
  auto r = tavtest::run(
      [] {
        f90_init1(0, nullptr);
        int code = begin_write(10, true, 1);
        std::printf("%d %d %d\n", code, iostat, __TAVf90_io_lock);
        // The unit stays unconnected and the next statement runs normally.
        write_line(6, "next");
        f90_finish(0);
      },
      o);
  ASSERT_TRUE(r.exited(0)) << r.describe();
  EXPECT_EQ(r.out, "174 174 0\nnext\n");
  EXPECT_EQ(r.files(), std::vector<std::string>{});
}

TEST(Preconnect, FailedImplicitOpenEndsTheStatementAndKeepsTheLockFree) {
  tavtest::Options o;
  o.env = {{"FORT10", "no/such/dir/file"}};
  auto r = tavtest::run(
      [] {
        f90_init1(0, nullptr);
        int code = begin_write(10, true, 1);
        std::printf("%d %d %d\n", code, iostat, __TAVf90_io_lock);
        write_line(6, "next");
        f90_finish(0);
      },
      o);
  ASSERT_TRUE(r.exited(0)) << r.describe();
  EXPECT_EQ(r.out, "2 2 0\nnext\n");
}

TEST(Preconnect, FatalFailureShowsTheTraceback) {
  tavtest::Options o;
  o.env = {{"FORT10", "no/such/dir/file"}};
  auto r = tavtest::run(
      [] {
        f90_init1(0, nullptr);
        __TAVf90_enter_pu("MAIN");
        __TAVf90_filename = "main.f90";
        __TAVf90_lineno = 7;
        write_line(10, "lost");
      },
      o);
  EXPECT_TRUE(r.aborted()) << r.describe();
  EXPECT_EQ(r.err,
            "I/O error on unit 10: No such file or directory\n"
            "Program terminated by fatal I/O error\n"
            "In MAIN, line 7 of main.f90\n");
}

}  // namespace
