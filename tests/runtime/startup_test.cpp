// Start-up hooks, the floating-point state they load and report, STOP,
// PAUSE and the arithmetic-exception handler.
#include <csignal>
#include <initializer_list>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

#include "support/common.h"

namespace {

using tavtest::expect_run;
using tavtest::kAborted;

// Starts a program as compiled code does.
void start(void (*init)(int, char **)) {
  static char prog[] = "prog", opt[] = "-x";
  static char *argv[] = {prog, opt, nullptr};
  init(2, argv);
}

// A non-advancing WRITE of `text` with the empty format: the characters
// stay held in the unit's record.
void write_held(const char *text) {
  __TAVf90_write(6, "()", -1, "NO", 2, 0);
  __TAVf90_mystring(const_cast<char *>(text), static_cast<int>(std::strlen(text)));
  __TAVf90_endwrite();
}

// Scenarios run in children, each with how it must end.
struct Scenario {
  void (*body)();
  tavtest::Ending ending;
};
void expect_all(std::initializer_list<Scenario> cases) {
  for (const auto &c : cases) expect_run(c.ending.err ? c.ending.err : "", c.body, c.ending);
}

#define W_INVALID "Warning: Floating invalid operand occurred\n"
#define W_DIVIDE "Warning: Floating divide by zero occurred\n"
#define W_OVERFLOW "Warning: Floating overflow occurred\n"
#define W_UNDERFLOW "Warning: Floating underflow occurred\n"

#if defined(__i386__) || defined(__x86_64__)
std::uint16_t control_word() {
  std::uint16_t cw;
  __asm__ volatile("fnstcw %0" : "=m"(cw));
  return cw;
}
void set_control_word(std::uint16_t cw) { __asm__ volatile("fldcw %0" : : "m"(cw)); }

// Every entry point stores the command line; two also load the control
// word and install the handler.
TEST(Startup, ControlWordAndHandlerPerEntryPoint) {
  expect_run("init", [] {
    const std::pair<const char *, void (*)(int, char **)> inits[] = {
        {"init1", f90_init1}, {"init2", f90_init2}, {"init", f90_init}};
    set_control_word(0x027F);
    for (auto [name, init] : inits) {
      start(init);
      struct sigaction current;
      sigaction(SIGFPE, nullptr, &current);
      std::printf("%s %04x %d %d %s\n", name, control_word(), current.sa_handler == __TAVf90_signal_handler,
                  __TAVf90_argc, __TAVf90_argv[1]);
    }
    set_control_word(0x037F);
  }, {0, "init1 027f 0 2 -x\ninit2 137f 1 2 -x\ninit 1372 1 2 -x\n"});
}

// Each scenario raises exceptions with long double arithmetic on volatile
// operands, so that nothing is folded at compile time.  An unmasked
// exception traps at the next x87 instruction that waits: FWAIT is one on
// every x87, emulated ones included, so scenarios that may trap wait.
volatile long double zero = 0.0L, one = 1.0L, three = 3.0L, tiny = 1e-4000L, huge = 1e4000L, result;
void fwait() { __asm__ volatile("fwait"); }
void underflow() { result = tiny * tiny, fwait(); }
void invalid() { result = zero / zero, fwait(); }

TEST(Finish, ExceptionReports) {
  expect_all({
      // A flag left over from before start-up (raised while everything was
      // masked) must not turn into a trap once trapping is on.
      {[] {
         set_control_word(0x037F);
         result = zero / zero;
         result = tiny * tiny;
         start(f90_init);
         result = one + one, fwait();
         std::fputs("running\n", stderr);
         f90_finish(0);
       },
       {0, nullptr, "running\n" W_UNDERFLOW}},
      // Underflow alone in trapping mode is only a warning; so is it at a STOP.
      {[] { start(f90_init), underflow(), f90_finish(0); }, {0, nullptr, W_UNDERFLOW}},
      {[] { start(f90_init), underflow(), __TAVf90_stop("1"); }, {0, nullptr, "STOP: 1\n" W_UNDERFLOW}},
      // Non-trapping mode reports in a fixed order (the reverse of the order
      // raised here) and keeps the caller's exit status.
      {[] {
         start(f90_init2);
         result = tiny * tiny;
         result = huge * huge;
         result = one / zero;
         result = zero / zero;
         f90_finish(5);
       },
       {5, nullptr, W_INVALID W_DIVIDE W_OVERFLOW W_UNDERFLOW}},
      // Inexact and denormal are never reported.
      {[] {
         start(f90_init2);
         result = one / three;
         volatile float denormal = 1e-40f;
         result = denormal * three;
         f90_finish(0);
       },
       {0, nullptr, ""}},
  });
}

#define TRAPPED "*** Arithmetic exception:  - aborting\n"

// In trapping mode an exception ends the program through the handler, be it
// raised by compiled code or inside the library, whose x87 operations
// deliver theirs before returning: EXP overflows REAL when rounding to
// single, DOUBLE PRECISION when rounding to double; an overflow of REAL **
// INTEGER is raised again on the x87; 0.0 ** 0 is invalid.
TEST(SignalHandler, TrappedExceptionEndsWithTraceback) {
  TAV_SKIP_WHEN_EMULATED("the emulator raises no SIGFPE for unmasked x87 exceptions");
  static const float r100 = 100;
  static const double d1000 = 1000;
  expect_all({
      {[] {
         start(f90_init);
         write_held("x =");
         __TAVf90_enter_pu("MAIN");
         __TAVf90_filename = "main.f90";
         __TAVf90_lineno = 5;
         result = one / zero, fwait();
       },
       {kAborted, "x =\n", TRAPPED "In MAIN, line 5 of main.f90\n"}},
      {[] { start(f90_init), invalid(); }, {kAborted, nullptr, TRAPPED}},
      {[] { start(f90_init), __TAVf90_exp_r(&r100); }, {kAborted, nullptr, TRAPPED}},
      {[] { start(f90_init), __TAVf90_exp_d(&d1000); }, {kAborted, nullptr, TRAPPED}},
      {[] { start(f90_init), __TAVf90_fpowi(1e30f, 2); }, {kAborted, nullptr, TRAPPED}},
      {[] { start(f90_init), __TAVf90_fpowi(0.0f, 0); }, {kAborted, nullptr, TRAPPED}},
  });
}

#endif

// STOP prints its code and ends with status 0; a record begun by a
// non-advancing WRITE is completed before the STOP message (both sent to
// one file), and the normal end and the fatal path complete it too.  A
// signal other than SIGFPE is unexpected (the line number gives no traceback).
TEST(Stop, CodesHeldOutputAndOtherSignals) {
  const std::string usr1 = "Unexpected signal " + std::to_string(SIGUSR1) + "\n";
  expect_all({
      {[] { start(f90_init1), __TAVf90_stop(nullptr); }, {0, "", ""}},
      {[] { start(f90_init1), write_held("Result: 42"), dup2(1, 2), __TAVf90_stop("'DONE' 42"); },
       {0, "Result: 42\nSTOP: 'DONE' 42\n", ""}},
      {[] { start(f90_init1), write_held("partial"), f90_finish(2); }, {2, "partial\n"}},
      {[] { start(f90_init1), write_held("so far"), __TAVf90_bad_dostep(); },
       {kAborted, "so far\n", "DO step value is zero\nProgram terminated by fatal error\n"}},
      {[] { __TAVf90_lineno = 9, __TAVf90_signal_handler(SIGUSR1); }, {kAborted, nullptr, usr1.c_str()}},
  });
}

// PAUSE shows unit 6's output first, consumes exactly one line and returns
// at once at the end of input.
TEST(Pause, WaitsForOneLine) {
  const std::string prompt = "\n\nType carriage return to continue\nFortran-90 execution continues...\n";
  const std::string err = "Fortran-90 PAUSE" + prompt + "shown 7\nPAUSE: WAITING" + prompt;
  tavtest::Options o;
  o.stdin_data = "go on\nnext line\n";
  expect_run("pause", [] {
    start(f90_init1);
    std::fputs("before\n", stdout);
    __TAVf90_pause(nullptr);
    struct stat st;
    fstat(1, &st);
    std::fprintf(stderr, "shown %ld\n", static_cast<long>(st.st_size));
    char rest[32] = {};
    if (std::fgets(rest, sizeof rest, stdin) != nullptr) std::fputs(rest, stdout);
    __TAVf90_pause("WAITING");
    std::puts("after");
  }, {0, "before\nnext line\nafter\n", err.c_str()}, o);
}

}  // namespace
