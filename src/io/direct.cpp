// Direct access: the unit checks shared with unformatted sequential
// statements, the placing and reading of fixed-length records, and the
// formatted direct READ and WRITE with their character hooks.
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "io/connection.h"
#include "io/format.h"
#include "io/ioerr.h"
#include "io/memory_hooks.h"
#include "io/record.h"
#include "io/statement.h"
#include "io/stream.h"
#include "io/unit.h"

namespace tav::io {

int select_connection(int unit, int access, int action, bool unformatted) {
  statement.where.at_unit(unit);
  if (int code = select_connected(unit, access != TAV_ACCESS_DIRECT, unformatted)) return code;
  const tav_unit_record &r = current_record();
  if (r.access != access) return ioerr(access == TAV_ACCESS_DIRECT ? kNotDirect : kNotSequential, unit);
  if ((r.action & action) == 0) return ioerr(action == TAV_ACTION_READ ? kNotReadable : kNotWritable, unit);
  if (int code = settle_form(unit, unformatted)) return code;
  if ((current_record().unformatted != 0) != unformatted) return ioerr(unformatted ? kNotUnformatted : kNotFormatted, unit);
  return 0;
}

namespace {
off_t record_offset(const tav_unit_record &r) {
  return static_cast<off_t>(r.rec_number - 1) * static_cast<off_t>(r.recl);
}
}  // namespace

int select_direct(int unit, int rec, int action, bool unformatted) {
  if (int code = select_connection(unit, TAV_ACCESS_DIRECT, action, unformatted)) return code;
  if (rec < 1) return ioerr(kRecordOutOfRange, rec);
  statement.where.record_is = Where::kNumbered;
  statement.where.record = rec;
  tav_unit_record &r = current_record();
  __TAVf90_current_unit = unit;
  __TAVf90_io_buflen = r.recl;
  r.rec_number = rec;
  // Records are read at their offset without moving the stream.
  if (action != TAV_ACTION_WRITE) return 0;
  if (stream::seek(current_file(), record_offset(r), SEEK_SET) != 0) {
    int code = stream::error();
    return ioerr(code, unit);
  }
  return 0;
}

int read_direct_record(int unit) {
  tav_unit_record &r = current_record();
  int code = 0;
  const auto want = static_cast<std::size_t>(r.recl);
  if (stream::get_at(current_file(), record_offset(r), r.buffer, want, &code) < want) {
    if (code != 0) {
      errno = code;
      return ioerr(code, unit);
    }
    return ioerr(kBeyondDirectEnd, unit);
  }
  return 0;
}

namespace {

// A record starts as blanks, so that whatever the format skips is blank.
void blank_record() {
  tav_unit_record &r = current_record();
  std::memset(r.buffer, ' ', static_cast<std::size_t>(r.recl));
  __TAVf90_io_position = __TAVf90_left_tab_limit = 0;
  __TAVf90_io_top = -1;
  statement.where.record = r.rec_number;
  statement.where.in_record = true;
}

// Writes the current record and starts the next one.
int f90_dwrite_record() {
  tav_unit_record &r = current_record();
  if (int code = stream::write_record(current_file(), r.buffer, r.recl)) {
    errno = code;
    return ioerr(code, __TAVf90_current_unit);
  }
  ++r.rec_number;
  blank_record();
  return 0;
}

// A formatted direct READ runs off its record: the end-of-record condition.
int end_of_direct_record() { return ioerr(kEndOfRecord, __TAVf90_current_unit); }

// Reads the next record of a formatted direct READ.
int f90_dread_record() {
  tav_unit_record &r = current_record();
  __TAVf90_io_reclen = 0;
  statement.where.record = r.rec_number;
  statement.where.in_record = false;
  if (int code = read_direct_record(__TAVf90_current_unit)) return code;
  ++r.rec_number;
  __TAVf90_io_position = __TAVf90_left_tab_limit = 0;
  __TAVf90_io_reclen = r.recl;
  statement.where.in_record = true;
  return 0;
}

int begin_dwrite(int unit, const char *fmt, int fmt_len, int rec, int flags) {
  begin_statement(flags, 0, 0);
  if (int code = select_direct(unit, rec, TAV_ACTION_WRITE, false)) return code;
  tav_unit_record &r = current_record();
  blank_record();
  install_output(r.buffer, memory_hooks::putc<>, memory_hooks::puts<>, f90_dwrite_record);
  take_unit_modes(r);
  r.position_state = TAV_POS_WRITE;
  return establish_format(fmt, fmt_len, TAV_MODE_OUTPUT);
}

int end_dwrite() {
  if (int code = f90_dwrite_record()) return code;
  current_record().rec_length = 0;
  return end_statement();
}

int begin_dread(int unit, const char *fmt, int fmt_len, int rec, int *size, int flags) {
  begin_statement(flags == -1 ? 1 : 0, flags & 1, flags & 2);
  if (int code = select_direct(unit, rec, TAV_ACTION_READ, false)) return code;
  tav_unit_record &r = current_record();
  statement.size_ptr = size;
  install_input(r.buffer, memory_hooks::getc<end_of_direct_record>, memory_hooks::gets<end_of_direct_record>,
                f90_dread_record);
  take_unit_modes(r);
  r.position_state = TAV_POS_READ;
  if (int code = f90_dread_record()) return code;
  return establish_format(fmt, fmt_len, TAV_MODE_INPUT);
}

}  // namespace
}  // namespace tav::io

using namespace tav::io;

extern "C" {

int __TAVf90_dwrite(int unit, const char *fmt, int fmt_len, int rec, int flags) {
  return begin_dwrite(unit, fmt, fmt_len, rec, flags);
}

int __TAVf90_enddwrite(void) { return end_dwrite(); }

int __TAVf90_dread(int unit, const char *fmt, int fmt_len, int rec, int *size, int flags) {
  return begin_dread(unit, fmt, fmt_len, rec, size, flags);
}

int __TAVf90_enddread(void) { return end_input(); }

}  // extern "C"
