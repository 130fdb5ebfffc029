// The state of the I/O statement in progress and the protocol shared by
// every kind of data transfer: the I/O lock, the reset every begin call
// makes, and the completion of held output.
#pragma once

#include <cstdint>

#include "io/format_state.h"
#include "io/grow_buffer.h"
#include "io/internal_file.h"
#include "io/namelist.h"
#include "io/scan.h"
#include "io/unformatted.h"
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

// Where the statement is in its file, for the line a fatal condition adds
// when asked to (TAVF90_ERROR_LOCATION).  The unit checks name the unit,
// the code that reads and writes records says how the record in progress
// is known and whether a formatted record is in progress, and the item
// entries count the items of the I/O list.  The number of a sequential
// record is worked out only when it is printed, from the unit's count
// (record_count, io/unit.h), so a record costs a store or two here.
// Nothing here is read on any other path.
struct Where {
  enum Kind : unsigned char { kNone, kUnit, kInternal };
  enum Record : unsigned char {
    kNoRecord,    // none yet (OPEN, CLOSE, positioning, a refused begin)
    kUnitNext,    // the one after the unit's count (being written, or yet
                  // to be read)
    kUnitLast,    // the last the unit counted (read, being taken apart)
    kNumbered,    // `record` (direct access, internal files)
  };
  Kind kind = kNone;
  Record record_is = kNoRecord;
  bool in_record = false;      // a formatted record is in progress: the
                               // position is a column of it
  bool list = true;            // false: namelist values, not list items
  int unit = 0;                // kUnit
  int item = 0;                // items begun, the one in progress included
  int field = -1;              // input: the position the failing field or
                               // value began at (ioerr_at), else -1 and the
                               // record position is printed
  std::int64_t record = 0;     // kNumbered: from 1
  const char *file = nullptr;  // OPEN: the file of a connection being made

  void at_unit(int u) {
    kind = kUnit;
    unit = u;
  }
};

// Working storage kept from one statement to the next on purpose, all of
// it here: buffers that grow to the largest size a statement needed and
// are reused, and the format interpreter's note of the last format's
// first edit.  No begin call resets it; nothing in it is read
// before the statement using it has written it, so no statement's state
// reaches the next one through it.  (The units' record buffers and their
// files' framing belong to the connections, io/unit.h, not to a statement.)
struct KeptStorage {
  GrowBuffer value{128};  // the list-directed scanner's character value
  GrowBuffer token{256};  // the namelist reader's token read ahead
  FirstEdit first_edit;   // the format interpreter's note (io/format.cpp)
};
extern KeptStorage kept;

// Everything that belongs to the statement in progress and is not one of
// the exported statement globals.  The exported ones (record position,
// modes, current edit, hooks, flags) are reached through the views in
// io/record.h and io/edit.h.  Every begin call resets what its kind reads
// (begin_transfer, begin_statement below); the parts from `scanner` to
// `unformatted` are used by some kinds only and reset by the begin step of
// those kinds (init_linput, the namelist READ, the internal file's
// description, the unformatted begin calls), so that the others pay
// nothing for them.  One statement runs at a time, so one object serves
// them all and a statement costs no allocation.
struct Statement {
  bool advancing = true;     // ADVANCE='YES' (or absent)
  int *size_ptr = nullptr;   // SIZE= of a non-advancing READ, or null
  int size = 0;              // characters taken through the hooks so far
  RecordBuffer record;       // the record in memory, if any
  FormatPosition format;     // the format interpreter's place
  Where where;               // for the diagnostics of a fatal condition
  // List-directed input (io/read_items.cpp, io/scan.h): the value scanner
  // with its lookahead and pending repeat, and its window on the record.
  input::Scanner scanner{kept.value};
  HookSource source;
  nml::Reader namelist;      // namelist input (io/namelist_read.cpp)
  InternalFile internal;     // an internal file (io/internal.cpp)
  UnformattedState unformatted;  // unformatted and direct access (io/unformatted.cpp)
  // What the statement's kind does when a condition ends it (ioerr runs
  // it first): null when releasing the lock is all there is to do.  Null
  // outside a statement: a kind that arms it clears it in its end step, and
  // a condition clears it before running it.
  void (*abandon)() = nullptr;
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
// Outside a statement there is nothing to locate a condition in.
inline void unlock_io() {
  __TAVf90_io_lock = 0;
  statement.where.kind = Where::kNone;
}

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
  statement.where = Where{};
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

// The start of a statement that transfers no data (OPEN, CLOSE, REWIND,
// BACKSPACE, ENDFILE) on `unit`, for the diagnostics.
inline void locate_unit(int unit) {
  statement.where = Where{};
  statement.where.at_unit(unit);
}

// The record a begin call installs: where its characters are in memory
// the library owns (or null, see RecordBuffer), the hook that puts (output)
// or takes (input) one character, the string hook that puts or takes n of
// them, and the hook that ends the record.  Input clears the put hook;
// output leaves the take hook as it is, since no output path reads it.
inline void install_output(char *data, tav_char_hook put, tav_string_hook put_n, tav_endrec_hook end_record) {
  statement.record = RecordBuffer{data, put_n, nullptr};
  __TAVf90_mychar = put;
  __TAVf90_mystring = put_n;
  __TAVf90_myendrec = end_record;
}
inline void install_input(char *data, tav_getc_hook take, tav_string_hook take_n, tav_endrec_hook next_record) {
  statement.record = RecordBuffer{data, nullptr, take_n};
  __TAVf90_mychar = nullptr;
  __TAVf90_mygetc = take;
  __TAVf90_mystring = take_n;
  __TAVf90_myendrec = next_record;
}

// The last step of every statement: releases the lock.  Returns 0, the
// end call's result.
inline int end_statement() {
  unlock_io();
  return 0;
}

// The last step of the statements that take characters through the hooks
// (READ of every kind but unformatted): SIZE= receives the characters
// counted, then the statement ends.
inline int end_input() {
  if (statement.size_ptr != nullptr) *statement.size_ptr = statement.size;
  return end_statement();
}

// What a condition does before anything else: the abandon step of the
// statement in progress, if it has one, runs once.
inline void abandon_statement() {
  if (void (*step)() = statement.abandon) {
    statement.abandon = nullptr;
    step();
  }
}

// The end and abandon steps of the READ of records (formatted,
// list-directed and namelist READ on external sequential units).  end_read
// keeps the record for the next READ when the statement did not advance,
// disarms abandon_read and ends through end_input; abandon_read discards
// the rest of the record and then ends the READ the same way.
int end_read();
void abandon_read();

// Writes out the record a non-advancing WRITE left held for a unit, then a
// newline if asked.  Returns 0 or the system error of the stream.
int partial_write(int unit, bool newline);

// Reports a stream failure (an error number from partial_write or a failed
// flush) on a unit through ioerr; outside a statement it is fatal, since no
// caller would act on a returned code.  Returns 0 when code is 0.
int report_stream_failure(int unit, int code);

}  // namespace tav::io
