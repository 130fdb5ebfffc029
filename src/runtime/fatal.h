// The fatal-error path shared by every subsystem.
#pragma once

#include <cstdarg>

#include "tavf90.h"

namespace tav::rt {

// Prints the message, "Program terminated by fatal error", the traceback,
// shuts the I/O system down and aborts.  Re-entry aborts at once.
[[noreturn]] void crash(const char *format, ...) TAV_PRINTF(1, 2);
[[noreturn]] void vcrash(const char *format, std::va_list args);

// Prints the traceback when the current point carries line information
// (a line number or a line-info text); prints nothing otherwise.
void traceback_if_located();

}  // namespace tav::rt
