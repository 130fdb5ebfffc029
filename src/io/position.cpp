// File positioning: REWIND, BACKSPACE and ENDFILE on sequential units, and
// truncation of a file after the last record written.
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "io/ioerr.h"
#include "io/sequential.h"
#include "io/statement.h"
#include "io/stream.h"
#include "io/unit.h"

namespace tav::io {
namespace {

int system_error(int code, int unit) {
  errno = code;
  return ioerr(code, unit);
}

// Cuts the file of a stream at its position, output still in the stream's
// buffer included.  Returns 0 or the error number.
int truncate_stream(stream::File s) {
  if (int code = stream::flush(s)) return code;
  return stream::truncate_here(s.stream) != 0 ? stream::error() : 0;
}

// The common start: the statement begun, unit selection, and the unit
// connected.  A unit never connected is connected here only for REWIND
// (`connected` then set).
int select_positioned(int unit, int error_continue, bool preconnect_it, bool *connected = nullptr) {
  begin_statement(error_continue, 0, 0);
  locate_unit(unit);
  if (int code = select_connected(unit, preconnect_it, false, connected)) return code;
  __TAVf90_current_unit = unit;
  return 0;
}

// After a WRITE: output held by a non-advancing WRITE becomes a record of
// its own, and the file ends after the last record written.
int complete_output(int unit, tav_unit_record &r, stream::File s) {
  if (r.position_state != TAV_POS_WRITE) return 0;
  if (r.unformatted == 0 && (r.rec_length > 0 || has_flag(r, TAV_FLAG_PARTIAL_OUTPUT))) {
    if (int code = partial_write(unit, true)) return system_error(code, unit);
  }
  if (has_flag(r, TAV_FLAG_SEEKABLE)) {
    if (int code = truncate_stream(s)) return system_error(code, unit);
  }
  return 0;
}

// A record held from a non-advancing READ is given up.
void drop_held_input(tav_unit_record &r) {
  if (r.unformatted == 0) {
    r.rec_length = -1;
    r.rec_position = 0;
  } else {
    r.rec_length = 0;
  }
}

int rewind_unit(int unit, int error_continue) {
  bool connected = false;
  if (int code = select_positioned(unit, error_continue, true, &connected)) return code;
  tav_unit_record &r = current_record();
  const stream::File s = current_file();
  if (r.access != TAV_ACCESS_SEQUENTIAL) return ioerr(kNotSequential, unit);
  if (!has_flag(r, TAV_FLAG_SEEKABLE)) return ioerr(kNoRewind, unit);
  if (int code = complete_output(unit, r, s)) return code;
  if (stream::seek(s, 0, SEEK_SET) != 0) return system_error(stream::error(), unit);
  stream::clear_error(s.stream);
  drop_held_input(r);
  record_count(r) = 0;
  r.position_state = TAV_POS_REWIND;
  // Connected by this REWIND: the first transfer decides the form.
  if (connected) connection(r).form_open = true;
  return end_statement();
}

int endfile_unit(int unit, int error_continue) {
  if (int code = select_positioned(unit, error_continue, false)) return code;
  tav_unit_record &r = current_record();
  const stream::File s = current_file();
  if (r.access != TAV_ACCESS_SEQUENTIAL) return ioerr(kNotSequential, unit);
  if (r.action == TAV_ACTION_READ) return ioerr(kNotWritable, unit);
  if (r.position_state == TAV_POS_EOF) return ioerr(kEndfileTwice, unit);
  // Held output is a record before the end of the file, written now: left
  // held, it would follow the end of the file or be lost.
  if (r.position_state == TAV_POS_WRITE && r.unformatted == 0 &&
      (r.rec_length > 0 || has_flag(r, TAV_FLAG_PARTIAL_OUTPUT))) {
    if (int code = partial_write(unit, true)) return system_error(code, unit);
  }
  r.position_state = TAV_POS_EOF;
  drop_held_input(r);
  if (has_flag(r, TAV_FLAG_SEEKABLE)) {
    const off_t at = stream::tell(s.stream);
    if (at < 0) return system_error(stream::error(), unit);
    if (int code = truncate_stream(s)) return system_error(code, unit);
    // Nothing read ahead from beyond the end may be read later.
    if (stream::seek(s, at, SEEK_SET) != 0) return system_error(stream::error(), unit);
  }
  return end_statement();
}

// A BACKSPACE whose reading failed leaves the file where it was, at `p`.
int stay(stream::File s, off_t p, int unit, int code) {
  (void)stream::seek(s, p, SEEK_SET);
  return system_error(code, unit);
}

// Formatted: the start of the record whose line ends just before `p`,
// found by searching back for the newline before it, a buffer at a time.
// A connection whose records may be of any length (no RECL=) searches back
// to the start of the file.  With RECL= the search covers a record of RECL
// characters and its ending; without a newline there the record is taken
// to begin that far back.
int back_over_formatted(int unit, tav_unit_record &r, stream::File s, off_t p) {
  off_t floor = 0;
  if (has_flag(r, TAV_FLAG_RECL_GIVEN)) {
    const off_t window = static_cast<off_t>(r.recl) + (stream::crlf_before(s, p) ? 2 : 1);
    floor = p >= window ? p - window : 0;
  }
  // Bytes [floor, p - 1) are searched (the newline at p - 1 ends the record
  // itself), read into the unit's buffer, which holds a record and its
  // newline.
  const off_t chunk = static_cast<off_t>(buffer_capacity(r)) + 1;
  bool read_any = false;
  for (off_t end = p - 1; end > floor;) {
    const off_t lo = end - floor > chunk ? end - chunk : floor;
    const auto want = static_cast<std::size_t>(end - lo);
    int code = 0;
    const std::size_t n = stream::get_at(s, lo, r.buffer, want, &code);
    if (code != 0) return stay(s, p, unit, code);
    read_any = read_any || n > 0;
    for (std::size_t i = n; i-- > 0;) {
      if (r.buffer[i] == '\n') {
        if (stream::seek(s, lo + static_cast<off_t>(i) + 1, SEEK_SET) != 0) return system_error(stream::error(), unit);
        return 0;
      }
    }
    if (n < want) break;
    end = lo;
  }
  if (floor > 0 && !read_any) return ioerr(kNoPreviousRecord);
  if (stream::seek(s, floor, SEEK_SET) != 0) return system_error(stream::error(), unit);
  return 0;
}

// Unformatted: over the record whose trailing marker ends at `p`.  A
// marker that points before the start of the file is a corrupt file.
int back_over_unformatted(int unit, stream::File s, off_t p) {
  if (p < 8) return ioerr(kCorruptUnformatted, unit);
  if (stream::seek(s, p - 4, SEEK_SET) != 0) return system_error(stream::error(), unit);
  std::int32_t length = 0;
  int code = 0;
  char m[4];
  if (stream::get(s.stream, m, 4, &code) != 4) return code != 0 ? stay(s, p, unit, code) : ioerr(kCorruptUnformatted, unit);
  std::memcpy(&length, m, 4);
  if (length < 0 || static_cast<off_t>(length) + 8 > p) return ioerr(kCorruptUnformatted, unit);
  if (stream::seek(s, p - 8 - static_cast<off_t>(length), SEEK_SET) != 0) return system_error(stream::error(), unit);
  return 0;
}

int backspace_unit(int unit, int error_continue) {
  if (int code = select_positioned(unit, error_continue, false)) return code;
  tav_unit_record &r = current_record();
  const stream::File s = current_file();
  if (!has_flag(r, TAV_FLAG_SEEKABLE)) return ioerr(kNoBackspace, unit);
  if (r.access != TAV_ACCESS_SEQUENTIAL) return ioerr(kNotSequential, unit);
  if (r.position_state == TAV_POS_EOF) {
    r.position_state = 0;
    return end_statement();
  }
  const bool after_read = r.position_state == TAV_POS_READ;
  if (int code = complete_output(unit, r, s)) return code;
  r.position_state = 0;
  const off_t p = stream::tell(s.stream);
  if (p < 0) return system_error(stream::error(), unit);
  if (p > 0) {
    int code = 0;
    if (r.unformatted != 0) {
      code = back_over_unformatted(unit, s, p);
    } else if (after_read && r.rec_length >= 0) {
      // Back to the start of the record a non-advancing READ holds.
      if (int e = back_to_held_record(r, s)) code = system_error(e, unit);
    } else {
      code = back_over_formatted(unit, r, s, p);
    }
    if (code != 0) return code;
    uncount_record(record_count(r));
  }
  drop_held_input(r);
  return end_statement();
}

}  // namespace
}  // namespace tav::io

using namespace tav::io;

extern "C" {

int __TAVf90_rewind(int unit, int error_continue) { return rewind_unit(unit, error_continue); }
int __TAVf90_endfile(int unit, int error_continue) { return endfile_unit(unit, error_continue); }
int __TAVf90_backspace(int unit, int error_continue) { return backspace_unit(unit, error_continue); }

int __TAVf90_truncate(int unit, FILE **slot) {
  if (slot == nullptr || *slot == nullptr) return 0;
  // The unit's own stream is cut back by its framing if the flush fails.
  FILE **own = nullptr;
  const tav_unit_record *r = find_unit(unit, &own);
  const stream::File file = r != nullptr && own == slot ? file_of(*r, *slot) : stream::File{*slot};
  if (int code = truncate_stream(file)) {
    errno = code;
    return ioerr(code, unit);
  }
  return 0;
}

}  // extern "C"
