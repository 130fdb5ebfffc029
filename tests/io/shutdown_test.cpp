// Output that cannot be written at the end of a program is reported, and a
// unit that fails on a fatal path does not cost the other units their data.
#include <gtest/gtest.h>

#include "io/statement_support.h"
#include "support/child.h"
#include "tavf90.h"

namespace {

using namespace stmttest;

TEST(Shutdown, StopReportsHeldOutputThatCannotBeWritten) {
  auto r = tavtest::run([] {
    if (std::freopen("/dev/full", "w", stdout) == nullptr) std::abort();
    f90_init1(0, nullptr);
    // Held by a non-advancing WRITE, then completed by STOP.
    if (begin_write(6, false) == 0 && put("abc") == 0) __TAVf90_endwrite();
    __TAVf90_stop("1");
  });
  EXPECT_TRUE(r.aborted()) << r.describe();
  EXPECT_EQ(r.err,
            "I/O error on unit 6: No space left on device\n"
            "Program terminated by fatal I/O error\n");
}

TEST(Shutdown, FatalPathClosesTheOtherUnitsWhenOneFails) {
  auto r = tavtest::run([] {
    f90_init1(0, nullptr);
    open_file(7, "/dev/full");
    open_file(8, "kept.txt");
    if (begin_write(7) == 0 && put("lost") == 0) __TAVf90_endwrite();
    if (begin_write(8, false) == 0 && put("held") == 0) __TAVf90_endwrite();
    __TAVf90_crash("boom %d", 3);
  });
  EXPECT_TRUE(r.aborted()) << r.describe();
  EXPECT_EQ(r.err,
            "boom 3\nProgram terminated by fatal error\n"
            "I/O error on unit 7: No space left on device\n");
  EXPECT_EQ(r.file("kept.txt"), "held\n");
}

TEST(Shutdown, NormalEndWithUnwritableDataEndsThroughTheFatalPath) {
  auto r = tavtest::run([] {
    f90_init1(0, nullptr);
    open_file(7, "/dev/full");
    open_file(8, "kept.txt");
    if (begin_write(7) == 0 && put("lost") == 0) __TAVf90_endwrite();
    if (begin_write(8) == 0 && put("line") == 0) __TAVf90_endwrite();
    f90_finish(0);
  });
  EXPECT_TRUE(r.aborted()) << r.describe();
  EXPECT_EQ(r.err,
            "I/O error on unit 7: No space left on device\n"
            "Program terminated by fatal I/O error\n");
  EXPECT_EQ(r.file("kept.txt"), "line\n");
}

}  // namespace
