// The I/O lock and what the formatted sequential statements share.
#include "io/statement.h"

#include "io/ioerr.h"
#include "io/sequential.h"
#include "io/unit.h"
#include "runtime/fatal.h"

namespace tav::io {

constinit KeptStorage kept;
Statement statement;

void recursive_io() { rt::crash("Recursive I/O reference"); }

int select_formatted_sequential(int unit, int action) {
  if (int code = select_connected(unit, true, false)) return code;
  const tav_unit_record &r = current_record();
  if (r.access != TAV_ACCESS_SEQUENTIAL) return ioerr(kNotSequential, unit);
  if ((r.action & action) == 0) return ioerr(action == TAV_ACTION_READ ? kNotReadable : kNotWritable, unit);
  if (int code = settle_form(unit, false)) return code;
  if (current_record().unformatted != 0) return ioerr(kNotFormatted, unit);
  return 0;
}

bool advancing_from(const char *advance, int length) {
  if (advance == nullptr || keyword_match(advance, length, "YES")) return true;
  if (keyword_match(advance, length, "NO")) return false;
  rt::crash("ADVANCE= specifier must be 'YES' or 'NO'");
}

}  // namespace tav::io

extern "C" void __TAVf90_lock_io(void) { tav::io::lock_io(); }
