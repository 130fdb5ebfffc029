// Formatted and list-directed WRITE on external sequential units: the begin
// and end calls, the character hooks that assemble a record in the unit's
// buffer, and the completion of output held by non-advancing WRITE.
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "io/format.h"
#include "io/ioerr.h"
#include "io/list_write.h"
#include "io/memory_hooks.h"
#include "io/record.h"
#include "io/sequential.h"
#include "io/statement.h"
#include "io/stream.h"
#include "io/unit.h"

namespace tav::io {
namespace {

// Writes the record and its newline with one call: the buffer has a spare
// byte beyond the record length for the newline.  The record ends at the
// position or at the end of what was held in it, whichever is further.
int f90_endrec() {
  tav_unit_record &r = current_record();
  int pos = __TAVf90_io_position;
  if (r.rec_length > pos) pos = r.rec_length;
  __TAVf90_io_position = __TAVf90_left_tab_limit = 0;
  // What was held from an earlier statement goes out with this record.
  r.rec_length = -1;
  set_flag(r, TAV_FLAG_PARTIAL_OUTPUT, false);
  if (pos < 0 || pos > r.recl) return ioerr(kBufferOverflow);
  std::int64_t &records = record_count(r);
  if (int code = stream::put_record(file_of(r, current_stream()), r.buffer, pos)) return ioerr(code, __TAVf90_current_unit);
  count_record(records);
  return 0;
}

// Where the record of a WRITE starts on a unit whose record is held by an
// earlier non-advancing statement or whose stream a READ left: where that
// statement left off (`start`), with the characters held (the first
// `held`; those beyond the start stay unless written over), the stream
// switched to writing (and brought back to the start of a record the READ
// held).  Returns 0 or the condition.
int held_record_start(int unit, tav_unit_record &r, stream::File stream, int &start, int &held) {
  if (r.position_state != TAV_POS_READ) {
    // Output a non-advancing WRITE left.
    held = r.rec_length < 0 ? 0 : r.rec_length > r.recl ? r.recl : r.rec_length;
    start = r.rec_position < 0 ? 0 : r.rec_position > held ? held : r.rec_position;
  } else if (r.rec_length >= 0) {
    // A non-advancing READ left this record held: go back to its start
    // and continue where the READ stopped -- which must lie within the
    // record length of output.  The record ends there.
    if (r.rec_position > r.recl) return ioerr(kBufferOverflow);
    if (int code = back_to_held_record(r, stream)) return ioerr(code, unit);
    uncount_record(record_count(r));
    start = held = r.rec_position < 0 ? 0 : r.rec_position;
    // Positions the READ skipped beyond the end of the record are blanks.
    if (start > r.rec_length)
      std::memset(r.buffer + r.rec_length, ' ', static_cast<std::size_t>(start - r.rec_length));
  } else {
    stream::switch_to_writing(stream.stream);
  }
  return 0;
}

// The WRITE of records' set-up of the statement for unit `unit` (see
// start_record_output).  The WRITE begin call has it inline.  While the
// statement runs, rec_length counts the characters held before it.
[[gnu::always_inline]] inline int start_output(int unit, bool advancing) {
  tav_unit_record &r = current_record();
  // Everything that can refuse the statement comes before the unit changes.
  if (r.position_state == TAV_POS_EOF) return ioerr(kAfterEndfile, unit);
  int start = 0, held = 0;
  if (r.rec_length >= 0 || r.position_state == TAV_POS_READ) {
    if (int code = held_record_start(unit, r, current_file(), start, held)) return code;
  }

  __TAVf90_current_unit = unit;
  statement.advancing = advancing;
  statement.where.record_is = Where::kUnitNext;
  statement.where.in_record = true;
  // The record is assembled in the unit's buffer, by the hooks or by the
  // editing code directly.
  install_output(r.buffer, memory_hooks::putc<>, memory_hooks::puts<>, f90_endrec);
  r.rec_length = held;
  set_flag(r, TAV_FLAG_PARTIAL_OUTPUT, !advancing || held > 0);
  r.position_state = TAV_POS_WRITE;
  __TAVf90_io_buflen = r.recl;
  __TAVf90_io_position = __TAVf90_left_tab_limit = start;
  // The input modes (blanks, padding) are left alone: output reads none.
  __TAVf90_io_delim = r.delim;
  return 0;
}

int begin_write(int unit, const char *format, int format_length, const char *advance, int advance_length,
                int error_continue) {
  begin_transfer(error_continue, 0, 0);
  if (int code = select_formatted_sequential_fast(unit, TAV_ACTION_WRITE)) return code;
  bool advancing = advance == nullptr || advancing_from(advance, advance_length);
  if (int code = start_output(unit, advancing)) return code;
  // Formatted output reads of the list-directed modes only noseparator,
  // which is 0 outside a complex value of list-directed output.
  if (format != nullptr) return establish_format(format, format_length, TAV_MODE_OUTPUT, current_record().rec_length);
  return init_loutput();
}

int end_write() {
  tav_unit_record &r = current_record();
  // The next WRITE continues where this one left off, within a record that
  // extends to the rightmost character written or held.
  int next = __TAVf90_io_position;
  if (__TAVf90_io_top > __TAVf90_io_position) __TAVf90_io_position = __TAVf90_io_top;
  if (statement.advancing) {
    if (int code = f90_endrec()) return code;
  } else {
    int held = __TAVf90_io_position > r.rec_length ? __TAVf90_io_position : r.rec_length;
    if (held < 0 || held > r.recl) return ioerr(kBufferOverflow);
    const stream::File stream = current_file();
    if (stream.stream == stdout && held > 0) {
      // A prompt: it goes out now, so that it is seen before the READ that
      // usually follows; the record goes on in a fresh buffer.
      __TAVf90_io_position = 0;
      r.rec_length = 0;
      set_flag(r, TAV_FLAG_PARTIAL_OUTPUT, true);
      int code = stream::put(stream.stream, r.buffer, held);
      if (code == 0 && !has_flag(r, TAV_FLAG_SEEKABLE)) code = stream::flush(stream);
      if (code != 0) return ioerr(code, __TAVf90_current_unit);
      held = next = 0;
    }
    r.rec_length = held;
    r.rec_position = next;
    set_flag(r, TAV_FLAG_PARTIAL_OUTPUT, true);
  }
  return end_statement();
}

}  // namespace

int start_record_output(int unit, bool advancing) { return start_output(unit, advancing); }

int partial_write(int unit, bool newline) {
  std::FILE **slot = nullptr;
  tav_unit_record *r = find_unit(unit, &slot);
  if (r == nullptr || slot == nullptr || *slot == nullptr || r->buffer == nullptr) return 0;
  // Only a WRITE leaves output held; a record held after a READ is input.
  if (r->position_state != TAV_POS_WRITE) return 0;
  int n = r->rec_length;
  if (n < 0) n = 0;
  if (n > r->recl) n = r->recl;
  r->rec_length = -1;
  set_flag(*r, TAV_FLAG_PARTIAL_OUTPUT, false);
  if (newline) r->buffer[n++] = '\n';
  const int code = stream::write_record(file_of(*r, *slot), r->buffer, n);
  if (code == 0 && newline) count_record(record_count(*r));
  return code;
}

int report_stream_failure(int unit, int code) {
  if (code == 0) return 0;
  if (!__TAVf90_io_lock) {
    // Outside any statement (at STOP) nobody would act on a returned code:
    // the failure is reported, not lost.
    __TAVf90_error_continue = __TAVf90_end_continue = __TAVf90_eor_continue = 0;
    locate_unit(unit);
  }
  errno = code;
  return ioerr(code, unit);
}

}  // namespace tav::io

using namespace tav::io;

extern "C" {

int __TAVf90_write(int unit, const char *format, int format_length, const char *advance, int advance_length,
                   int error_continue) {
  return begin_write(unit, format, format_length, advance, advance_length, error_continue);
}

int __TAVf90_endwrite(void) { return end_write(); }

int __TAVf90_partial_write(int unit, int newline) {
  return report_stream_failure(unit, partial_write(unit, newline != 0));
}

}  // extern "C"
