// The program-unit stack as compiled code drives it, the traceback printed
// on the fatal path, and the fatal path itself.
#include <stdio.h>
#include <unistd.h>

#include "support/common.h"

namespace {

std::string fatal(const std::string &message) { return message + "\nProgram terminated by fatal error\n"; }

void set_location(const char *unit, const char *file, int line) {
  __TAVf90_enter_pu(unit);
  __TAVf90_filename = file;
  __TAVf90_lineno = line;
}
void enter_main() { set_location("MAIN", "main.f90", 12); }

// What follows the message: the line-info text comes first and callers
// show theirs; with procedures entered but no line at the failing point
// there is no traceback; a main program that sets lines without registering
// itself is shown as "?".
TEST(Traceback, LocationLines) {
  const std::pair<void (*)(), std::string> cases[] = {
      {[] {
         set_location("MAIN", "main.f90", 12);
         __TAV_f90_line_info = "main.f90 line 12 (CALL SUB)";
         set_location("SUB", "sub.f90", 30);
         __TAV_f90_line_info = "sub.f90 line 30 (A(I) = 0)";
         __TAVf90_badsub1(1, "A", 11, 1, 10);
       },
       fatal("Subscript 1 of A (value 11) is out of range (1:10)") +
           "In sub.f90 line 30 (A(I) = 0)\nCalled by SUB, line 30 of sub.f90\n"
           "Called from main.f90 line 12 (CALL SUB)\nCalled by MAIN, line 12 of main.f90\n"},
      {[] { __TAV_f90_line_info = "prog.f90:4", __TAVf90_badss1(0); },
       fatal("Out of range: substring starting position 0 is less than 1") + "In prog.f90:4\n"},
      {[] { enter_main(), __TAVf90_enter_pu("SUB"), __TAVf90_crash("Failure"); }, fatal("Failure")},
      {[] {
         __TAVf90_lineno = 3;
         __TAVf90_filename = "t.f90";
         __TAVf90_crash("%s has %d of %d", "ARR", 5, 4);
       },
       fatal("ARR has 5 of 4") + "In ?, line 3 of t.f90\n"},
  };
  for (const auto &[body, err] : cases) tavtest::expect_run(err, body, {tavtest::kAborted, nullptr, err.c_str()});
}

// The traceback lists every caller newest first, across the blocks of the
// stack, and does not take the stack apart: printed, the stack still
// unwinds, each return restoring the caller's location, and is released; a
// failure back in the main program then names only the main program.  A
// return on an empty stack changes nothing.
TEST(Traceback, DumpAndReturnsAcrossBlocks) {
  std::string once = "In S, line 300 of s.f90\n";
  for (int d = 299; d >= 1; --d) once += "Called by S, line " + std::to_string(d) + " of s.f90\n";
  once += "Called by MAIN, line 12 of main.f90\n";
  std::string err = once + fatal("DO step value is zero") + "In MAIN, line 13 of main.f90\n";
  tavtest::expect_run("dump and returns", [] {
    __TAVf90_lineno = 2;
    __TAVf90_exit_pu();
    if (__TAVf90_lineno != 2) std::_Exit(2);
    enter_main();
    for (int d = 0; d < 300; ++d) set_location("S", "s.f90", d + 1);
    __TAVf90_dump_gline_stack();
    for (int d = 300; d > 0; --d) {
      if (__TAVf90_lineno != d || std::strcmp(__TAVf90_filename, "s.f90") != 0) std::_Exit(3);
      __TAVf90_exit_pu();
    }
    if (__TAVf90_lineno != 12) std::_Exit(4);
    __TAVf90_delete_gline_stack();
    __TAVf90_lineno = 13;
    __TAVf90_bad_dostep();
  }, {tavtest::kAborted, nullptr, err.c_str()});
}

// A fatal error raised while the fatal path is printing ends the program at
// once: the second message never appears.
ssize_t crash_again(void *, const char *buf, size_t size) {
  (void)!write(2, buf, size);
  __TAVf90_crash("second failure");
}

TEST(FatalPath, ReentryAbortsWithoutPrinting) {
  tavtest::expect_run("reentry", [] {
    stderr = fopencookie(nullptr, "w", {nullptr, crash_again, nullptr, nullptr});  // read, write, seek, close
    setvbuf(stderr, nullptr, _IONBF, 0);
    __TAVf90_crash("first failure");
  }, {tavtest::kAborted, nullptr, "first failure"});
}

}  // namespace
