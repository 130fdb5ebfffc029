// Start-up hooks, the floating-point state they load and report, STOP,
// PAUSE and the arithmetic-exception handler.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <csignal>
#include <cstdio>
#include <cstring>

#include "frame_support.h"
#include "support/child.h"
#include "tavf90.h"

namespace {

using frametest::start;

const char *kInvalid = "Warning: Floating invalid operand occurred\n";
const char *kDivide = "Warning: Floating divide by zero occurred\n";
const char *kOverflow = "Warning: Floating overflow occurred\n";
const char *kUnderflow = "Warning: Floating underflow occurred\n";

TEST(Startup, StoresTheCommandLine) {
  auto r = tavtest::run([] {
    static char a0[] = "prog", a1[] = "-x";
    static char *argv[] = {a0, a1, nullptr};
    f90_init1(2, argv);
    std::printf("%d %s %s\n", __TAVf90_argc, __TAVf90_argv[0], __TAVf90_argv[1]);
    std::fflush(stdout);
    std::_Exit(0);
  });
  EXPECT_TRUE(r.exited(0)) << r.describe();
  EXPECT_EQ(r.out, "2 prog -x\n");
}

#ifdef FRAMETEST_X87

bool fpe_handler_installed() {
  struct sigaction current;
  sigaction(SIGFPE, nullptr, &current);
  return current.sa_handler == __TAVf90_signal_handler;
}

TEST(Startup, ControlWordAndHandlerPerEntryPoint) {
  auto r = tavtest::run([] {
    frametest::set_control_word(0x027F);
    start(f90_init1);
    std::printf("init1 %04x %d\n", frametest::control_word(), fpe_handler_installed());
    start(f90_init2);
    std::printf("init2 %04x %d\n", frametest::control_word(), fpe_handler_installed());
    start(f90_init);
    std::printf("init %04x %d\n", frametest::control_word(), fpe_handler_installed());
    frametest::set_control_word(0x037F);
  });
  EXPECT_TRUE(r.exited(0)) << r.describe();
  EXPECT_EQ(r.out, "init1 027f 0\ninit2 137f 1\ninit 1372 1\n");
}

// An invalid-operation flag left over from before start-up (raised while
// everything was masked) must not turn into a trap once trapping is on.
TEST(Startup, StaleFlagsDoNotTrapAfterStartUp) {
  auto r = tavtest::run([] {
    frametest::set_control_word(0x037F);
    volatile long double zero = 0.0L, tiny = 1e-4000L, result;
    result = zero / zero;
    result = tiny * tiny;
    start(f90_init);
    volatile long double one = 1.0L;
    result = one + one;
    (void)result;
    std::fputs("running\n", stderr);
    f90_finish(0);
  });
  EXPECT_TRUE(r.exited(0)) << r.describe();
  EXPECT_EQ(r.err, std::string("running\n") + kUnderflow);
}

TEST(Finish, UnderflowAloneInTrappingModeIsOnlyAWarning) {
  auto r = tavtest::run([] {
    frametest::clear_exception_flags();
    start(f90_init);
    volatile long double tiny = 1e-4000L;
    volatile long double product = tiny * tiny;
    (void)product;
    f90_finish(0);
  });
  EXPECT_TRUE(r.exited(0)) << r.describe();
  EXPECT_EQ(r.err, kUnderflow);
}

TEST(Finish, NonTrappingModeReportsInAFixedOrder) {
  auto both = tavtest::run([] {
    frametest::clear_exception_flags();
    start(f90_init2);
    volatile long double one = 1.0L, zero = 0.0L, result;
    result = one / zero;
    result = zero / zero;
    (void)result;
    f90_finish(0);
  });
  EXPECT_TRUE(both.exited(0)) << both.describe();
  EXPECT_EQ(both.err, std::string(kInvalid) + kDivide);

  // Raised in the reverse order; reported invalid, divide, overflow,
  // underflow, and with the caller's exit status.
  auto all = tavtest::run([] {
    frametest::clear_exception_flags();
    start(f90_init2);
    volatile long double tiny = 1e-4000L, huge = 1e4000L, one = 1.0L, zero = 0.0L, result;
    result = tiny * tiny;
    result = huge * huge;
    result = one / zero;
    result = zero / zero;
    (void)result;
    f90_finish(5);
  });
  EXPECT_TRUE(all.exited(5)) << all.describe();
  EXPECT_EQ(all.err, std::string(kInvalid) + kDivide + kOverflow + kUnderflow);
}

TEST(Finish, InexactAndDenormalAreNeverReported) {
  auto r = tavtest::run([] {
    frametest::clear_exception_flags();
    start(f90_init2);
    volatile long double three = 3.0L, result;
    result = 1.0L / three;  // inexact
    volatile float denormal = 1e-40f;
    result = denormal * three;  // denormal operand
    (void)result;
    f90_finish(0);
  });
  EXPECT_TRUE(r.exited(0)) << r.describe();
  EXPECT_EQ(r.err, "");
}

TEST(SignalHandler, TrappedDivisionEndsWithTraceback) {
  auto r = tavtest::run([] {
    start(f90_init);
    frametest::write_held(6, "x =", 3);
    __TAVf90_enter_pu("MAIN");
    __TAVf90_filename = "main.f90";
    __TAVf90_lineno = 5;
    volatile long double one = 1.0L, zero = 0.0L, result;
    result = one / zero;
    (void)result;
    std::fputs("not trapped\n", stderr);
  });
  EXPECT_TRUE(r.aborted()) << r.describe();
  EXPECT_EQ(r.err, "*** Arithmetic exception:  - aborting\nIn MAIN, line 5 of main.f90\n");
  EXPECT_EQ(r.out, "x =\n");  // units were closed
}

TEST(SignalHandler, TrappedInvalidWithoutLineInformation) {
  auto r = tavtest::run([] {
    start(f90_init);
    volatile long double zero = 0.0L, result;
    result = zero / zero;
    (void)result;
  });
  EXPECT_TRUE(r.aborted()) << r.describe();
  EXPECT_EQ(r.err, "*** Arithmetic exception:  - aborting\n");
}

#endif  // FRAMETEST_X87

TEST(SignalHandler, OtherSignalsAreUnexpected) {
  auto r = tavtest::run([] {
    __TAVf90_lineno = 9;  // no traceback on this path
    __TAVf90_signal_handler(SIGUSR1);
  });
  EXPECT_TRUE(r.aborted()) << r.describe();
  EXPECT_EQ(r.err, "Unexpected signal " + std::to_string(SIGUSR1) + "\n");
}

TEST(Stop, CodeIsPrintedAndStatusIsZero) {
  auto with_code = tavtest::run([] {
    start(f90_init1);
    __TAVf90_stop("'DONE' 42");
  });
  EXPECT_TRUE(with_code.exited(0)) << with_code.describe();
  EXPECT_EQ(with_code.err, "STOP: 'DONE' 42\n");

  auto without = tavtest::run([] {
    start(f90_init1);
    __TAVf90_stop(nullptr);
  });
  EXPECT_TRUE(without.exited(0)) << without.describe();
  EXPECT_EQ(without.err, "");
}

// A record begun by a non-advancing WRITE is completed before the STOP
// message; the normal end and the fatal path complete it too.
TEST(Stop, HeldOutputOnUnit6IsWrittenOut) {
  auto stop = tavtest::run([] {
    start(f90_init1);
    frametest::write_held(6, "Result: 42", 10);
    __TAVf90_stop("END");
  });
  EXPECT_TRUE(stop.exited(0)) << stop.describe();
  EXPECT_EQ(stop.out, "Result: 42\n");
  EXPECT_EQ(stop.err, "STOP: END\n");

  auto finish = tavtest::run([] {
    start(f90_init1);
    frametest::write_held(6, "partial", 7);
    f90_finish(2);
  });
  EXPECT_TRUE(finish.exited(2)) << finish.describe();
  EXPECT_EQ(finish.out, "partial\n");

  auto crashed = tavtest::run([] {
    start(f90_init1);
    frametest::write_held(6, "so far", 6);
    __TAVf90_bad_dostep();
  });
  EXPECT_TRUE(crashed.aborted()) << crashed.describe();
  EXPECT_EQ(crashed.out, "so far\n");
  EXPECT_EQ(crashed.err, frametest::fatal("DO step value is zero"));
}

#ifdef FRAMETEST_X87
TEST(Stop, EndsThroughTheNormalEnd) {
  auto r = tavtest::run([] {
    frametest::clear_exception_flags();
    start(f90_init);
    volatile long double tiny = 1e-4000L, result;
    result = tiny * tiny;
    (void)result;
    __TAVf90_stop("1");
  });
  EXPECT_TRUE(r.exited(0)) << r.describe();
  EXPECT_EQ(r.err, std::string("STOP: 1\n") + kUnderflow);
}
#endif

TEST(Pause, AtEndOfInputReturnsAtOnce) {
  auto r = tavtest::run([] {
    static char prog[] = "prog";
    static char *argv[] = {prog, nullptr};
    f90_init1(1, argv);  // unit 6 stays connected: PAUSE shows its output first
    std::fputs("before\n", stdout);
    __TAVf90_pause(nullptr);
    struct stat st;
    fstat(1, &st);
    std::fprintf(stderr, "shown %ld\n", static_cast<long>(st.st_size));
    std::puts("after");
  });
  EXPECT_TRUE(r.exited(0)) << r.describe();
  EXPECT_EQ(r.err,
            "Fortran-90 PAUSE\n\nType carriage return to continue\nFortran-90 execution continues...\nshown 7\n");
  EXPECT_EQ(r.out, "before\nafter\n");
}

TEST(Pause, ConsumesExactlyOneLine) {
  tavtest::Options o;
  o.stdin_data = "go on\nnext line\n";
  auto r = tavtest::run(
      [] {
        start(f90_init1);
        __TAVf90_pause("WAITING");
        char rest[32] = {};
        if (std::fgets(rest, sizeof rest, stdin) == nullptr) std::strcpy(rest, "(none)");
        std::fputs(rest, stdout);
      },
      o);
  EXPECT_TRUE(r.exited(0)) << r.describe();
  EXPECT_EQ(r.err, "PAUSE: WAITING\n\nType carriage return to continue\nFortran-90 execution continues...\n");
  EXPECT_EQ(r.out, "next line\n");
}

}  // namespace
