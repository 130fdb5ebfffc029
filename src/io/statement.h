// The state of the I/O statement in progress and the protocol shared by
// every kind of data transfer: the I/O lock, the reset every begin call
// makes, and the completion of held output.
#pragma once

#include "io/format_state.h"
#include "tavf90.h"

namespace tav::io {

// The record a statement's characters go to (output) or come from (input)
// when it lives in memory the library owns: the unit's buffer of an
// external sequential statement, and likewise the records of internal
// files, namelist and direct-access statements.  `put_n` and `take_n` are
// the put-string and take-string hooks the begin call installed for it:
// while such a hook is still the one installed, the editing code may move
// whole runs into or out of `data` itself (Record::reserve, Record::put_run,
// Record::peek), with the same result as the hook.  A kind of record whose
// characters only go through its hooks leaves `data` null.
struct RecordBuffer {
  char *data = nullptr;
  tav_string_hook put_n = nullptr;
  tav_string_hook take_n = nullptr;
};

// Everything that belongs to the statement in progress and is not one of
// the exported statement globals.  The exported ones (record position,
// modes, current edit, hooks, flags) are reached through the views in
// io/record.h and io/edit.h; both halves are reset together, in
// begin_statement, by every begin call of every kind of transfer.  One
// statement runs at a time, so one object serves them all and a statement
// costs no allocation.
struct Statement {
  bool advancing = true;     // ADVANCE='YES' (or absent)
  int *size_ptr = nullptr;   // SIZE= of a non-advancing READ, or null
  int size = 0;              // characters taken through the hooks so far
  RecordBuffer record;       // the record in memory, if any
  FormatPosition format;     // the format interpreter's place
};
extern Statement statement;

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

// The modes a statement starts with: no scale factor, no compulsory plus,
// no complex value in progress, no character value just written.
inline void reset_modes() {
  __TAVf90_current_scale = 0;
  __TAVf90_compulsory_plus = 0;
  __TAVf90_noseparator = 0;
  __TAVf90_last_was_char = 0;
}

// The start of every data-transfer statement: takes the lock, sets the
// continuation flags (IOSTAT=/ERR=, END=, EOR=) and the modes every
// statement starts with (no scale factor, no compulsory plus), and leaves
// no format.
inline void begin_transfer(int error_continue, int end_continue, int eor_continue) {
  lock_io();
  __TAVf90_error_continue = error_continue;
  __TAVf90_end_continue = end_continue;
  __TAVf90_eor_continue = eor_continue;
  __TAVf90_current_scale = 0;
  __TAVf90_compulsory_plus = 0;
  statement.format.reset();
}

// begin_transfer and a reset of the whole statement state: the modes of
// list-directed output (no complex value in progress, no character value
// just written), the READ flags and the field status of input editing,
// SIZE= and the record -- a list-directed statement needs nothing more.
// The begin call then selects its unit and installs its record, hooks and
// record position; a formatted one hands its format to establish_format,
// which also sets the current edit.  Every kind of transfer starts here
// except the external sequential READ and WRITE, the commonest, which set
// only what a statement of their kind reads.
inline void begin_statement(int error_continue, int end_continue, int eor_continue) {
  begin_transfer(error_continue, end_continue, eor_continue);
  __TAVf90_noseparator = 0;
  __TAVf90_last_was_char = 0;
  __TAVf90_field_status = 0;
  __TAVf90_read_kluge = 0;  // what a condition reported from here on looks at
  __TAVf90_io_nonadvance_read = 0;
  __TAVf90_io_top = -1;
  statement.size_ptr = nullptr;
  statement.size = 0;
  statement.advancing = true;
  statement.record = RecordBuffer{};
}

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
