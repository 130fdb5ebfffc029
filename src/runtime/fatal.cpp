// The fatal-error path: message, "Program terminated by fatal error", the
// traceback, an orderly close of every unit, abort().
#include "runtime/fatal.h"

#include <cstdio>
#include <cstdlib>

#include "tavf90.h"

namespace tav::rt {
namespace {
// Set on the first fatal error.  A second one -- raised while the first is
// still being reported, for instance while units are being closed -- must
// not start the shutdown again.
int crashed;
}  // namespace

void vcrash(const char *format, std::va_list args) {
  if (crashed) std::abort();
  crashed = 1;
  std::vfprintf(stderr, format, args);
  std::fputs("\nProgram terminated by fatal error\n", stderr);
  traceback_if_located();
  f90_io_finish();
  std::abort();
}

void crash(const char *format, ...) {
  std::va_list args;
  va_start(args, format);
  vcrash(format, args);
}

}  // namespace tav::rt

extern "C" void __TAVf90_crash(const char *format, ...) {
  std::va_list args;
  va_start(args, format);
  tav::rt::vcrash(format, args);
}
