// Output that cannot be written at the end of a program is reported, and a
// unit that fails on a fatal path does not cost the other units their data.
#include <gtest/gtest.h>

#include "io/statement_support.h"
#include "support/child.h"
#include "tavf90.h"

namespace {

using namespace stmttest;
using tavtest::expect_run;
using tavtest::kAborted;

void write_text(int unit, const char *text, bool advancing = true) {
  if (begin_write(unit, advancing) == 0 && put(text) == 0) __TAVf90_endwrite();
}

TEST(Shutdown, UnwritableDataAtTheEnd) {
  // Held by a non-advancing WRITE, then completed by STOP.
  expect_run("stop", [] {
    if (std::freopen("/dev/full", "w", stdout) == nullptr) std::abort();
    f90_init1(0, nullptr);
    write_text(6, "abc", false);
    __TAVf90_stop("1");
  }, {kAborted, nullptr, "I/O error on unit 6: No space left on device\nProgram terminated by fatal I/O error\n"});
  // The normal end goes through the fatal path, and the fatal path closes
  // the other units when one fails.
  auto finish = expect_run("finish", [] {
    f90_init1(0, nullptr);
    open_file(7, "/dev/full");
    open_file(8, "kept.txt");
    write_text(7, "lost");
    write_text(8, "line");
    f90_finish(0);
  }, {kAborted, nullptr, "I/O error on unit 7: No space left on device\nProgram terminated by fatal I/O error\n"});
  EXPECT_EQ(finish.file("kept.txt"), "line\n");
  auto crash = expect_run("crash", [] {
    f90_init1(0, nullptr);
    open_file(7, "/dev/full");
    open_file(8, "kept.txt");
    write_text(7, "lost");
    write_text(8, "held", false);
    __TAVf90_crash("boom %d", 3);
  }, {kAborted, nullptr, "boom 3\nProgram terminated by fatal error\nI/O error on unit 7: No space left on device\n"});
  EXPECT_EQ(crash.file("kept.txt"), "held\n");
}

}  // namespace
