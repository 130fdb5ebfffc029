// The statement protocol shared by every kind of data transfer: the I/O
// lock and the completion of held output.
#pragma once

#include "tavf90.h"

namespace tav::io {

// Ends the program: an I/O statement began while another was in progress.
[[noreturn]] void recursive_io();

// Takes the I/O lock (a statement already in progress is fatal:
// "Recursive I/O reference") and clears iostat.  Every begin call starts
// here, so it is inline.
inline void lock_io() {
  if (__TAVf90_io_lock) recursive_io();
  __TAVf90_io_lock = 1;
  iostat = 0;
}
inline void unlock_io() { __TAVf90_io_lock = 0; }

// Ends a formatted READ: stores SIZE=, saves the record position, releases
// the lock.
int end_read();

// Writes out the record a non-advancing WRITE left held for a unit, then a
// newline if asked.  Returns 0 or the system error of the stream.
int partial_write(int unit, bool newline);

// Reports a stream failure (an error number from partial_write or a failed
// flush) on a unit through ioerr; outside a statement it is fatal, since no
// caller would act on a returned code.  Returns 0 when code is 0.
int report_stream_failure(int unit, int code);

}  // namespace tav::io
