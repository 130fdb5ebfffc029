// Weak placeholders for internal functions whose modules are still being
// built on other branches.  Each is overridden by the real definition when
// that module is linked in; this file goes away when all have landed.
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include "io/format.h"
#include "io/list_write.h"
#include "io/real_edit.h"
#include "io/open_close.h"
#include "io/statement.h"
#include "runtime/fatal.h"

#define TAV_PENDING __attribute__((weak))

namespace tav::rt {
TAV_PENDING void vcrash(const char *format, std::va_list args) {
  std::vfprintf(stderr, format, args);
  std::fputs("\nProgram terminated by fatal error\n", stderr);
  std::abort();
}
TAV_PENDING void crash(const char *format, ...) {
  std::va_list args;
  va_start(args, format);
  vcrash(format, args);
}
TAV_PENDING void traceback_if_located() {}
}  // namespace tav::rt

namespace tav::io {
[[noreturn]] static void pending(const char *what) {
  std::fprintf(stderr, "tavf90: %s is not built yet\n", what);
  std::abort();
}
TAV_PENDING void lock_io() {
  __TAVf90_io_lock = 1;
  iostat = 0;
}
TAV_PENDING int end_read() { pending("READ"); }
TAV_PENDING int partial_write(int, bool) { pending("held output"); }
TAV_PENDING int open_unit(int, const OpenSpecs &, int) { pending("OPEN"); }
TAV_PENDING int close_unit(int, Spec, int) { pending("CLOSE"); }
TAV_PENDING int establish_format(const char *, int, int) { pending("the format interpreter"); }
TAV_PENDING int maybe_next_edit(int) { pending("the format interpreter"); }
TAV_PENDING int definitely_next_edit(int) { pending("the format interpreter"); }
TAV_PENDING int get_within_field(int *, char *) { pending("the format interpreter"); }
TAV_PENDING int format_F(double, int, int) { pending("real editing"); }
TAV_PENDING int format_E(double, int, int, int) { pending("real editing"); }
TAV_PENDING int format_D(double, int, int, int) { pending("real editing"); }
TAV_PENDING int format_EN(double, int, int, int) { pending("real editing"); }
TAV_PENDING int format_G(double, int, int, int) { pending("real editing"); }
TAV_PENDING int stars(int) { pending("real editing"); }
TAV_PENDING int write_real(double) { pending("real editing"); }
TAV_PENDING int init_loutput() { pending("list-directed output"); }
}  // namespace tav::io
