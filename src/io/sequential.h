// Pieces shared by the formatted sequential READ and WRITE statements.
#pragma once

#include <cstdio>

#include "io/statement.h"
#include "io/unit.h"
#include "tavf90.h"

namespace tav::io {

// Selects the unit of a formatted sequential statement, connecting it
// implicitly when it never was connected, and checks that the connection
// is sequential, formatted and allows the action (TAV_ACTION_READ or
// TAV_ACTION_WRITE).  Nothing of the unit is changed by a failed check.
// Returns 0, or the condition with the statement ended.
int select_formatted_sequential(int unit, int action);

// The same; a connected unit below 100 that passes the checks, its form
// decided, is selected here without a call.
inline int select_formatted_sequential_fast(int unit, int action) {
  statement.where.at_unit(unit);
  if (static_cast<unsigned>(unit) < 100u && __TAVf90_file[unit] != nullptr) {
    tav_unit_record &r = __TAVf90_file_info[unit];
    __TAVf90_cur_finfo = &r;
    __TAVf90_cur_fptr = &__TAVf90_file[unit];
    if (r.access == TAV_ACCESS_SEQUENTIAL && (r.action & action) != 0 && r.unformatted == 0 &&
        !unit_connections[unit].form_open)
      return 0;
  }
  return select_formatted_sequential(unit, action);
}

// The rest of the begin call of a READ on records of a unit that
// select_formatted_sequential has selected: refuses a READ after a WRITE or
// after the end of the file, makes the unit current, installs the hooks
// that read its records (the end-of-record hook reads the next line into
// the unit's buffer) and reads a record when the unit holds none.  Returns
// 0 or the condition.
int start_record_input(int unit, bool advancing);

// Brings the stream of a unit holding a record that a non-advancing READ
// left (rec_length >= 0; the stream stands after the record's ending) back
// to the start of that record.  Returns 0 or the error number of the seek.
int back_to_held_record(const tav_unit_record &r, stream::File file);

// The rest of the begin call of a WRITE of records (formatted,
// list-directed, namelist) on a unit that select_formatted_sequential has
// selected and the statement's own checks have passed: a unit at its end
// of file (after ENDFILE) is refused, otherwise the record starts where a
// record held by an earlier non-advancing statement left off (the stream
// brought back to the start of a record a READ held), in the unit's
// buffer, with the hooks that assemble it there and write it out.  Returns
// 0 or the condition.
int start_record_output(int unit, bool advancing);

// Decodes ADVANCE= (absent, "YES" or "NO"); any other value ends the
// program.
bool advancing_from(const char *advance, int length);

}  // namespace tav::io
