// Formatted and list-directed READ on external sequential units: the begin
// and end calls and the character hooks that read records into the unit's
// buffer and hand their characters to the editing code.
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "io/format.h"
#include "io/ioerr.h"
#include "io/memory_hooks.h"
#include "io/record.h"
#include "io/scan.h"
#include "io/sequential.h"
#include "io/statement.h"
#include "io/stream.h"
#include "io/unit.h"
#include "runtime/fatal.h"

namespace tav::io {
namespace {

// Running past the end of the record: an advancing READ on a PAD='NO'
// connection has a record too short for its format; otherwise it is the
// end-of-record condition.
int end_of_record() {
  if (statement.advancing && !has_flag(current_record(), TAV_FLAG_PAD_YES))
    return ioerr(kPadNoEndOfRecord, __TAVf90_current_unit);
  return ioerr(kEndOfRecord, __TAVf90_current_unit);
}


// The rest of a line longer than the record length, the first *n
// characters of it read, on a connection whose records may be of any
// length (OPEN gave no RECL=): into the rest of the buffer where earlier
// lines made it grow, and the buffer doubles until the line fits.
stream::Line read_long_line(tav_unit_record &r, int *n, int *ending) {
  stream::Line got = stream::Line::kTooLong;
  int capacity = buffer_capacity(r);
  while (got == stream::Line::kTooLong) {
    if (*n == capacity) {
      if ((capacity = grow_buffer(r, *n)) == 0) break;
      statement.record.data = r.buffer;
    }
    int more = 0;
    got = stream::read_line(current_stream(), r.buffer + *n, capacity - *n, &more, ending);
    *n += more;
  }
  // (kEnd: the line ended with the stream just after the part read before)
  if (got != stream::Line::kEnd) return got;
  *ending = 0;
  return stream::Line::kRecord;
}

// Reads the next record (a line, its newline consumed) into the buffer.
// The READ begin call has it inline.
[[gnu::always_inline]] inline int f90_endrec() {
  tav_unit_record &r = current_record();
  __TAVf90_io_reclen = 0;
  int n = 0, ending = 0;
  stream::Line got = stream::read_line(current_stream(), r.buffer, r.recl, &n, &ending);
  if (got == stream::Line::kTooLong && !has_flag(r, TAV_FLAG_RECL_GIVEN)) got = read_long_line(r, &n, &ending);
  if (got != stream::Line::kRecord) {
    // No record is in progress: a condition is met at the next one, and
    // the position of the last record (which may have been longer than
    // the unit's record length) goes with it.
    statement.where.record_is = Where::kUnitNext;
    statement.where.in_record = false;
    __TAVf90_io_position = __TAVf90_left_tab_limit = 0;
  }
  switch (got) {
    case stream::Line::kRecord:
      break;
    // The record is given up by the READ's abandon step (before the first
    // record there is none held).
    case stream::Line::kTooLong:
      // The record does not fit; its next character stays unread.
      return ioerr(kRecordTooLong);
    case stream::Line::kError:
      return ioerr(errno, __TAVf90_current_unit);
    case stream::Line::kEnd:
      r.position_state = TAV_POS_EOF;
      return ioerr(kEndOfFile, __TAVf90_current_unit);
  }
  // A last line without a newline is a record like any other.
  __TAVf90_io_reclen = r.rec_length = n;
  __TAVf90_io_position = __TAVf90_left_tab_limit = 0;
  count_record_read(r, ending);
  statement.where.record_is = Where::kUnitLast;
  statement.where.in_record = true;
  return 0;
}

// The READ of records' set-up of the statement for unit `unit`, selected
// (see start_record_input).
inline int start_input(int unit, bool advancing) {
  tav_unit_record &r = current_record();
  statement.advancing = advancing;

  // Everything that can refuse the statement comes before the unit changes.
  if (r.position_state == TAV_POS_WRITE || r.position_state == TAV_POS_EOF) {
    statement.record = RecordBuffer{};
    return r.position_state == TAV_POS_WRITE ? ioerr(kReadAfterWrite) : ioerr(kAfterEndfile, unit);
  }
  install_input(r.buffer, memory_hooks::getc<end_of_record>, memory_hooks::gets<end_of_record>, f90_endrec);

  __TAVf90_current_unit = unit;
  __TAVf90_io_buflen = r.recl;
  // The delimiter mode is left alone: input reads it nowhere.
  __TAVf90_io_blanks = r.blank;
  // A non-advancing READ without EOR= never pads: running past the end of
  // its record is the end-of-record condition.
  __TAVf90_io_pad = has_flag(r, TAV_FLAG_PAD_YES) && (advancing || __TAVf90_eor_continue) ? 1 : 0;
  r.position_state = TAV_POS_READ;
  // Without a record in the buffer (after an advancing READ) the next one
  // is read, which sets the length and position; a condition met there
  // ends the statement before anything reads them.
  if (r.rec_length < 0) return f90_endrec();
  statement.where.record_is = Where::kUnitLast;  // the record held
  statement.where.in_record = true;
  __TAVf90_io_reclen = r.rec_length;
  __TAVf90_io_position = __TAVf90_left_tab_limit = r.rec_position;
  return 0;
}

int begin_read(int unit, const char *format, int format_length, const char *advance, int advance_length, int *size,
               int flags) {
  // Of the statement state only what a READ reads: the output modes are
  // left as they are, and the READ flags are 0 outside a READ.
  begin_transfer(flags == -1 ? 1 : 0, flags & 1, flags & 2);
  __TAVf90_field_status = 0;
  statement.size = 0;
  if (int code = select_formatted_sequential_fast(unit, TAV_ACTION_READ)) return code;
  bool advancing = advance == nullptr || advancing_from(advance, advance_length);
  if (size != nullptr && advancing) rt::crash("SIZE= is not valid without ADVANCE='NO'");
  statement.size_ptr = size;
  if (int code = start_input(unit, advancing)) return code;

  // From here on a condition discards the record and ends the READ, also
  // one met while the format is being set up.
  statement.abandon = abandon_read;
  __TAVf90_read_kluge = 1;
  __TAVf90_io_nonadvance_read = advancing ? 0 : 1;
  if (format != nullptr) return establish_format(format, format_length, TAV_MODE_INPUT);
  return init_linput();
}

}  // namespace

int start_record_input(int unit, bool advancing) { return start_input(unit, advancing); }

int back_to_held_record(const tav_unit_record &r, stream::File file) {
  const off_t back = static_cast<off_t>(r.rec_length) + record_ending(r);
  return stream::seek(file, -back, SEEK_CUR) != 0 ? stream::error() : 0;
}

int end_read() {
  tav_unit_record &r = current_record();
  if (statement.advancing) r.rec_length = -1;
  r.rec_position = __TAVf90_io_position;
  __TAVf90_read_kluge = 0;
  __TAVf90_io_nonadvance_read = 0;
  statement.abandon = nullptr;
  return end_input();
}

void abandon_read() {
  __TAVf90_io_position = 0;
  if (__TAVf90_cur_finfo != nullptr) current_record().rec_length = -1;
  end_read();
}

}  // namespace tav::io

using namespace tav::io;

extern "C" {

int __TAVf90_read(int unit, const char *format, int format_length, const char *advance, int advance_length, int *size,
                  int flags) {
  return begin_read(unit, format, format_length, advance, advance_length, size, flags);
}

int __TAVf90_endread(void) { return end_read(); }

}  // extern "C"
