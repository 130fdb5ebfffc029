// The checks every begin call of an unformatted or direct-access statement
// makes on its unit, and the placing of a direct-access record.
#pragma once

#include "tavf90.h"

namespace tav::io {

// Selects `unit` and checks its connection: ACCESS (TAV_ACCESS_*), the
// action (TAV_ACTION_READ or TAV_ACTION_WRITE) and the form.  A sequential
// unit never connected is connected implicitly with that form; a direct
// one never is.  Returns 0, or the condition with the statement ended.
int select_connection(int unit, int access, int action, bool unformatted);

// Selects a direct-access unit as select_connection does and makes record
// `rec` the statement's (rec_number); for writing, the stream is placed at
// it.  REC= below 1 is refused, the offset is computed in 64 bits.  Returns
// 0 or the condition.
int select_direct(int unit, int rec, int action, bool unformatted);

// Reads record rec_number into the unit's buffer (all RECL bytes) at its
// offset, without moving the stream.  Returns 0 or the condition: a record that is not all in
// the file is READ beyond its end.
int read_direct_record(int unit);

}  // namespace tav::io
