// Implicit connection of a unit that a WRITE uses without an OPEN.
#include <gtest/gtest.h>

#include <cstring>

#include "io/statement_support.h"
#include "support/child.h"
#include "tavf90.h"

namespace {

using namespace stmttest;
using tavtest::expect_run;

void write_line(int unit, const char *text) {
  if (begin_write(unit) == 0 && put(text) == 0) __TAVf90_endwrite();
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
    write_line(10, "ten");
    write_line(11, "eleven");
    write_line(12, "twelve");
    std::strcpy(__TAVf90_pcio_prefix, "ABC");
    write_line(7, "seven");
    __TAVf90_pcio_prefix[0] = '\0';
    write_line(13, "thirteen");
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
    write_line(9, "x");
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
    write_line(6, "next");
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
    write_line(10, "lost");
  }, {tavtest::kAborted, nullptr,
      "I/O error on unit 10: No such file or directory\nProgram terminated by fatal I/O error\n"
      "In MAIN, line 7 of main.f90\n"}, environment({{"FORT10", "no/such/dir/file"}}));
}

}  // namespace
