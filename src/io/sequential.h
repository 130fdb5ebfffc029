// Pieces shared by the formatted sequential READ and WRITE statements.
#pragma once

#include <cstdio>

#include "tavf90.h"

namespace tav::io {

// Selects the unit of a formatted sequential statement, connecting it
// implicitly when it never was connected, and checks that the connection
// is sequential, formatted and allows the action (TAV_ACTION_READ or
// TAV_ACTION_WRITE).  Nothing of the unit is changed by a failed check.
// Returns 0, or the condition with the statement ended.
int select_formatted_sequential(int unit, int action);

// Decodes ADVANCE= (absent, "YES" or "NO"); any other value ends the
// program.
bool advancing_from(const char *advance, int length);

// The I/O error number of a failed stream operation: errno when it is a
// system error number the error table leaves to the system (1..99), EIO
// otherwise.  errno is set to the number returned, so that the message
// printed for it is the system's text for that number.
int stream_error();

// Writes n bytes to the stream in one call.  Returns 0 or the error number
// of the failure (stream_error()); the stream's error indicator is cleared
// so that a later operation reports only its own failure.
int put_bytes(std::FILE *stream, const char *bytes, int n);

}  // namespace tav::io
