// Start-up and termination of a Fortran program: the start-up hooks, normal
// end, STOP, PAUSE and the arithmetic-exception handler.
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#if !(defined(__i386__) || defined(__x86_64__))
#include <cfenv>
#endif

#include "io/statement.h"
#include "io/stream.h"
#include "io/unit.h"
#include "runtime/fatal.h"
#include "tavf90.h"

extern "C" {
int __TAVf90_argc;
char **__TAVf90_argv;
}

namespace tav::rt {
namespace {

// x87 control words: extended precision, round to nearest, infinity
// control set.  Trapping unmasks invalid operation, division by zero and
// overflow; non-trapping masks all six exceptions.
constexpr std::uint16_t kTrappingControl = 0x1372;
constexpr std::uint16_t kQuietControl = 0x137F;

// Sticky exception flags as the x87 status word holds them.
constexpr unsigned kInvalid = 1, kDivByZero = 4, kOverflow = 8, kUnderflow = 16;

#if defined(__i386__) || defined(__x86_64__)

// The x87 environment as fnstenv stores it (the 32-bit layout, also used in
// 64-bit mode).
struct X87Environment {
  std::uint16_t control, unused0, status, unused1, tag, unused2;
  std::uint32_t ip;
  std::uint16_t cs, opcode;
  std::uint32_t dp;
  std::uint16_t ds, unused3;
};
static_assert(sizeof(X87Environment) == 28);

constexpr std::uint16_t kStackFault = 0x40, kErrorSummary = 0x80, kBusy = 0x8000;

void load_control_word(std::uint16_t cw) {
  // A flag that is set when its exception gets unmasked makes the next x87
  // instruction trap, although nothing happened since.  Flags raised before
  // start-up (while masked) of the exceptions now unmasked are therefore
  // cleared; the others stay for the report at the end.
  std::uint16_t unmasked = static_cast<std::uint16_t>(~cw & 0x3F);
  if (unmasked != 0) {
    X87Environment env;
    __asm__ volatile("fnstenv %0" : "=m"(env));
    env.status &= static_cast<std::uint16_t>(~(unmasked | kStackFault | kErrorSummary | kBusy));
    env.control = cw;
    __asm__ volatile("fldenv %0" : : "m"(env));
  } else {
    __asm__ volatile("fldcw %0" : : "m"(cw));
  }
}

unsigned exception_flags() {
  std::uint16_t sw;
  __asm__ volatile("fnstsw %0" : "=m"(sw));
  return sw;
}

#else

// Without an x87 the same settings come from the floating-point
// environment: the three exceptions trap or none does; round to nearest.
void load_control_word(std::uint16_t cw) {
  std::fesetround(FE_TONEAREST);
#if defined(__GLIBC__)
  constexpr int trapped = FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW;
  if (cw == kTrappingControl) {
    std::feclearexcept(trapped);
    feenableexcept(trapped);
  } else {
    fedisableexcept(FE_ALL_EXCEPT);
  }
#else
  (void)cw;
#endif
}

unsigned exception_flags() {
  int raised = std::fetestexcept(FE_ALL_EXCEPT);
  unsigned flags = 0;
  if (raised & FE_INVALID) flags |= kInvalid;
  if (raised & FE_DIVBYZERO) flags |= kDivByZero;
  if (raised & FE_OVERFLOW) flags |= kOverflow;
  if (raised & FE_UNDERFLOW) flags |= kUnderflow;
  return flags;
}

#endif

void start(int argc, char **argv) {
  __TAVf90_argc = argc;
  __TAVf90_argv = argv;
  f90_io_init();
}

void start_with_fpu(int argc, char **argv, std::uint16_t control) {
  start(argc, argv);
  load_control_word(control);
  struct sigaction action = {};
  action.sa_handler = __TAVf90_signal_handler;
  sigemptyset(&action.sa_mask);
  sigaction(SIGFPE, &action, nullptr);
}

void report_exception_flags() {
  unsigned flags = exception_flags();
  if (flags & kInvalid) std::fputs("Warning: Floating invalid operand occurred\n", stderr);
  if (flags & kDivByZero) std::fputs("Warning: Floating divide by zero occurred\n", stderr);
  if (flags & kOverflow) std::fputs("Warning: Floating overflow occurred\n", stderr);
  if (flags & kUnderflow) std::fputs("Warning: Floating underflow occurred\n", stderr);
}

}  // namespace
}  // namespace tav::rt

using namespace tav::rt;

extern "C" {

void f90_init(int argc, char **argv) { start_with_fpu(argc, argv, kTrappingControl); }

void f90_init1(int argc, char **argv) { start(argc, argv); }

void f90_init2(int argc, char **argv) { start_with_fpu(argc, argv, kQuietControl); }

void f90_finish(int status) {
  report_exception_flags();
  __TAVf90_delete_gline_stack();
  f90_io_finish();
  std::exit(status);
}

void __TAVf90_stop(const char *code) {
  FILE **slot = nullptr;
  tav_unit_record *unit6 = tav::io::find_unit(6, &slot);
  if (unit6 != nullptr && *slot != nullptr && unit6->unformatted == 0) {
    // Output that cannot be written is reported, never dropped.
    int code = 0;
    if (tav::io::has_flag(*unit6, TAV_FLAG_PARTIAL_OUTPUT)) code = tav::io::partial_write(6, true);
    if (int failed = tav::io::stream::flush(tav::io::file_of(*unit6, *slot)); failed != 0 && code == 0) code = failed;
    tav::io::report_stream_failure(6, code);
  }
  if (code != nullptr) std::fprintf(stderr, "STOP: %s\n", code);
  f90_finish(0);
}

void __TAVf90_pause(const char *text) {
  // Output written so far is shown before the program waits.
  FILE **slot = nullptr;
  if (const tav_unit_record *unit6 = tav::io::find_unit(6, &slot); unit6 != nullptr && *slot != nullptr)
    tav::io::stream::flush(tav::io::file_of(*unit6, *slot));
  if (text != nullptr)
    std::fprintf(stderr, "PAUSE: %s", text);
  else
    std::fputs("Fortran-90 PAUSE", stderr);
  std::fputs("\n\nType carriage return to continue\n", stderr);
  for (int c = std::getc(stdin); c != '\n' && c != EOF; c = std::getc(stdin)) {
  }
  std::fputs("Fortran-90 execution continues...\n", stderr);
}

void __TAVf90_signal_handler(int sig) {
  if (sig == SIGFPE) {
    std::fputs("*** Arithmetic exception: ", stderr);
    std::fputs(" - aborting\n", stderr);
    traceback_if_located();
    tav::io::io_finish(true);
  } else {
    std::fprintf(stderr, "Unexpected signal %d\n", sig);
  }
  std::abort();
}

}  // extern "C"
