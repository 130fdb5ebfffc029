// Unformatted READ and WRITE: sequential records framed by 4-byte length
// markers, and fixed-length direct-access records; the item calls both use.
//
// A sequential record is assembled in the unit's buffer and written as
// marker, data, marker.  A record that outgrows the buffer (RECL= not
// given) is spilled: a provisional leading marker, then the data straight
// from the program's variables, and the leading marker is patched at the
// end.  A record longer than the buffer is read straight into the
// variables ("infinite mode"); the rest of it is skipped by a seek.  A
// marker is never trusted for an allocation or a read beyond what the
// items ask for.
#include "io/unformatted.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "array/walk.h"
#include "io/ioerr.h"
#include "io/statement.h"
#include "io/stream.h"
#include "io/unit.h"
#include "io/connection.h"

namespace tav::io {

namespace {

// The unformatted state is part of the statement state.
constexpr UnformattedState &unformatted = statement.unformatted;

constexpr std::int64_t kMaxRecord = INT32_MAX;
// Records of this many bytes or more (and any record longer than the
// unit's buffer) are read from the file straight into the variables,
// without a copy through the buffer: from this size on the copy costs more
// than the reads it saves (one read per item instead of one per record).
// It changes what a bad record does on a stream that cannot be read ahead
// (a pipe): a record read through the buffer has its trailing marker
// checked before any item is stored, one read straight only after its
// items took their data.  On a file both check it first.
constexpr std::int32_t kStraightRead = 4096;

int system_error(int code) {
  errno = code;
  return ioerr(code, __TAVf90_current_unit);
}

// Reports a condition that `code` holds: an error number, or the file cut
// short inside a record (0).
int report(int code) { return code != 0 ? system_error(code) : ioerr(kCorruptUnformatted, __TAVf90_current_unit); }

int put_marker(stream::File s, std::int32_t length, const stream::RecordOutput &out) {
  char m[kMarkerSize];
  std::memcpy(m, &length, kMarkerSize);
  return stream::put_piece(s, m, kMarkerSize, out);
}

// Reads a marker; returns the bytes read (kMarkerSize when complete).
std::size_t get_marker(std::FILE *s, std::int32_t *length, int *code) {
  char m[kMarkerSize];
  std::size_t got = stream::get_fast(s, m, kMarkerSize, code);
  if (got == kMarkerSize) std::memcpy(length, m, kMarkerSize);
  return got;
}

// Writes a whole record of n bytes: marker, data, marker.  0 or the error.
int write_framed(stream::File s, const char *data, std::int32_t n) {
  stream::RecordOutput out;
  int code = stream::begin_record(s, static_cast<std::size_t>(n) + 2 * kMarkerSize, out);
  if (code == 0) code = put_marker(s, n, out);
  if (code == 0) code = stream::put_piece(s, data, static_cast<std::size_t>(n), out);
  if (code == 0) code = put_marker(s, n, out);
  if (code == 0) code = stream::end_record(s, out);
  return code;
}

// Moves the stream forward over n bytes of a record: a seek where the
// stream can seek, else reads through the unit's buffer.  Returns 0, the
// error number, or -1 when the file ends first; the stream then stands at
// its end (a corrupt length never sends it beyond, where a WRITE would
// leave a hole in the file).
int skip(stream::File s, std::int64_t n) {
  if (n <= 0) return 0;
  if (has_flag(current_record(), TAV_FLAG_SEEKABLE)) {
    const int moved = stream::seek_forward(s, static_cast<off_t>(n));
    return moved < 0 ? stream::error() : -moved;
  }
  char *buf = current_record().buffer;
  const std::int64_t chunk = current_record().recl;
  while (n > 0) {
    std::size_t want = static_cast<std::size_t>(n < chunk ? n : chunk);
    int code = 0;
    std::size_t got = stream::get(s.stream, buf, want, &code);
    if (got < want) return code != 0 ? code : -1;
    n -= static_cast<std::int64_t>(got);
  }
  return 0;
}

// Reads and checks the trailing marker of a sequential record of length L.
int check_trailing_marker(std::FILE *s, std::int32_t length) {
  std::int32_t trailing = 0;
  int code = 0;
  if (get_marker(s, &trailing, &code) != kMarkerSize || trailing != length) return report(code);
  return 0;
}

// Whether the trailing marker of the record whose data start at the
// stream's position is bad (it differs, or the file ends before it; *code
// as for report()), found before any of the data is stored.  A stream that
// cannot be read ahead has its marker checked after the data.
bool bad_trailing_marker_ahead(stream::File s, std::int32_t length, int *code) {
  std::int32_t trailing = 0;
  const long got = stream::peek(s, length, &trailing, kMarkerSize, code);
  return got >= 0 && (got != kMarkerSize || trailing != length);
}

// The abandon step of a sequential READ, armed while the data of its
// record lie ahead in the stream (unformatted.length bytes of them, the
// first __TAVf90_io_position taken): after a condition the rest of the
// record is skipped, so that the next READ begins at the next record,
// whichever way this one was being read.
void abandon_record() {
  const std::int64_t rest = static_cast<std::int64_t>(unformatted.length) - __TAVf90_io_position;
  (void)skip(current_file(), rest + kMarkerSize);
  unformatted.infinite = false;
  current_record().rec_length = 0;
}

// The rest of a WRITE's record goes to the file: what the buffer holds,
// then n more bytes from the program.  A record that would pass the
// largest length a marker holds is refused, and what it had put in the
// file is taken out again.
int spill(const char *src, std::size_t n) {
  const stream::File s = current_file();
  const std::int64_t held = __TAVf90_io_position;
  if (unformatted.spilled + held + static_cast<std::int64_t>(n) > kMaxRecord) {
    stream::cut_back(s, unformatted.out.start);
    return ioerr(kBufferOverflow);
  }
  if (unformatted.leading_marker < 0) {
    if (int code = stream::begin_record(s, stream::kUnknownSize, unformatted.out)) return system_error(code);
    unformatted.leading_marker = stream::tell(s.stream);
    if (unformatted.leading_marker < 0) return system_error(stream::error());
    if (int code = put_marker(s, 0, unformatted.out)) return system_error(code);
  }
  if (int code = stream::put_piece(s, current_record().buffer, static_cast<std::size_t>(held), unformatted.out))
    return system_error(code);
  if (int code = stream::put_piece(s, src, n, unformatted.out)) return system_error(code);
  unformatted.spilled += held + static_cast<std::int64_t>(n);
  __TAVf90_io_position = 0;
  return 0;
}

int append(const char *src, std::size_t n) {
  const int pos = __TAVf90_io_position;
  if (n <= static_cast<std::size_t>(__TAVf90_io_buflen - pos)) {
    std::memcpy(current_record().buffer + pos, src, n);
    __TAVf90_io_position = pos + static_cast<int>(n);
    return 0;
  }
  if (unformatted.direct || has_flag(current_record(), TAV_FLAG_RECL_GIVEN)) return ioerr(kBufferOverflow);
  return spill(src, n);
}

// The items ask for more than the record has left.  (A record read
// through the buffer was taken whole by the begin call.)
int list_too_long() { return ioerr(kInputListTooLong, __TAVf90_current_unit); }

int take(char *dst, std::size_t n) {
  const int pos = __TAVf90_io_position;
  if (n > static_cast<std::size_t>(__TAVf90_io_reclen - pos)) return list_too_long();
  if (unformatted.infinite) {
    int code = 0;
    if (stream::get(current_stream(), dst, n, &code) < n) {
      // The stream stands where the failed read left it: nothing more of
      // the record is skipped.
      statement.abandon = nullptr;
      return report(code);
    }
  } else {
    std::memcpy(dst, current_record().buffer + pos, n);
  }
  __TAVf90_io_position = pos + static_cast<int>(n);
  return 0;
}

// Bytes of an array of `rank` dimensions with elements of `size` bytes, and
// whether they lie in one block; -1 when the count does not fit a record.
std::int64_t array_bytes(int rank, const tav_dim *dim, std::int64_t size, bool *contiguous) {
  std::int64_t total = size;
  std::int64_t stride = size;
  *contiguous = true;
  for (int k = 0; k < rank; ++k) {
    if (dim[k].extent <= 0) return 0;
    if (dim[k].stride != stride) *contiguous = false;
    stride *= dim[k].extent;
    total *= dim[k].extent;
    if (total > kMaxRecord) return -1;
  }
  return total;
}

template <class Mover>
int move_array(int rank, const tav_dim *dim, char *base, std::int64_t size, bool reading, Mover &&move) {
  if (rank < 0 || rank > array::kMaxRank || size < 0) return 0;
  bool contiguous = false;
  std::int64_t total = array_bytes(rank, dim, size, &contiguous);
  if (total < 0) return reading ? list_too_long() : ioerr(kBufferOverflow);
  if (total == 0) return 0;
  if (reading && total > static_cast<std::int64_t>(__TAVf90_io_reclen) - __TAVf90_io_position) return list_too_long();
  if (!reading && has_flag(current_record(), TAV_FLAG_RECL_GIVEN) &&
      total > static_cast<std::int64_t>(__TAVf90_io_buflen) - __TAVf90_io_position)
    return ioerr(kBufferOverflow);
  if (contiguous) return move(base, static_cast<std::size_t>(total));
  // Runs along the first dimension are one block when it is contiguous:
  // the walk then visits the start of each run.
  std::intptr_t extent[array::kMaxRank], stride[array::kMaxRank];
  for (int k = 0; k < rank; ++k) {
    extent[k] = dim[k].extent;
    stride[k] = dim[k].stride;
  }
  std::size_t run = static_cast<std::size_t>(size);
  if (rank > 0 && dim[0].stride == size) {
    run *= static_cast<std::size_t>(dim[0].extent);
    extent[0] = 1;
  }
  array::Walk w(rank, extent, stride);
  int code = 0;
  array::for_each_element(w, base, [&](char *p) {
    if (code == 0) code = move(p, run);
  });
  return code;
}

// The checks a begin call makes on its unit; a sequential unit never
// connected is connected here.
int select_unformatted_sequential(int unit, int action) {
  return select_connection(unit, TAV_ACCESS_SEQUENTIAL, action, true);
}

int begin_unformatted_write(int unit, int error_continue) {
  begin_statement(error_continue, 0, 0);
  if (int code = select_unformatted_sequential(unit, TAV_ACTION_WRITE)) return code;
  tav_unit_record &r = current_record();
  if (r.position_state == TAV_POS_EOF) return ioerr(kAfterEndfile, unit);
  __TAVf90_current_unit = unit;
  __TAVf90_io_buflen = r.recl;
  __TAVf90_io_reclen = __TAVf90_io_position = 0;
  statement.where.record_is = Where::kUnitNext;
  if (r.position_state == TAV_POS_READ) stream::switch_to_writing(current_stream());
  r.position_state = TAV_POS_WRITE;
  unformatted = UnformattedState{};
  return 0;
}

int end_unformatted_write() {
  tav_unit_record &r = current_record();
  const stream::File s = current_file();
  const std::int32_t held = __TAVf90_io_position;
  if (unformatted.leading_marker < 0) {
    if (int code = write_framed(s, r.buffer, held)) return system_error(code);
  } else {
    // The tail and the trailing marker go out now; then the leading
    // marker is written in its place.
    stream::RecordOutput &out = unformatted.out;
    const std::int64_t total = unformatted.spilled + held;
    if (total > kMaxRecord) {
      stream::cut_back(s, out.start);
      return ioerr(kBufferOverflow);
    }
    const auto length = static_cast<std::int32_t>(total);
    char m[kMarkerSize];
    std::memcpy(m, &length, kMarkerSize);
    int code = stream::put_piece(s, r.buffer, static_cast<std::size_t>(held), out);
    if (code == 0) code = put_marker(s, length, out);
    if (code == 0) code = out.start >= 0 ? stream::end_record(s, out) : stream::flush(s);
    if (code == 0) code = stream::put_at(s, unformatted.leading_marker, m, kMarkerSize, out);
    if (code != 0) return system_error(code);
  }
  count_record(record_count(r));
  __TAVf90_io_position = 0;
  return end_statement();
}

// The leading marker of the next record: 0 with *length set, or the
// condition (a marker cut short is the end of the file).  A record longer
// than RECL= is skipped before it is refused.
int read_leading_marker(int unit, std::int32_t *length) {
  tav_unit_record &r = current_record();
  int code = 0;
  if (get_marker(current_stream(), length, &code) != kMarkerSize) {
    if (code != 0) return system_error(code);
    r.position_state = TAV_POS_EOF;
    return ioerr(kEndOfFile, unit);
  }
  count_record(record_count(r));
  statement.where.record_is = Where::kUnitLast;
  r.rec_length = *length;
  if (*length < 0) return ioerr(kCorruptUnformatted, unit);
  unformatted.length = *length;
  statement.abandon = abandon_record;
  if (has_flag(r, TAV_FLAG_RECL_GIVEN) && *length > r.recl) return ioerr(kRecordTooLong);
  return 0;
}

int select_for_read(int unit) {
  if (int code = select_unformatted_sequential(unit, TAV_ACTION_READ)) return code;
  tav_unit_record &r = current_record();
  if (r.position_state == TAV_POS_WRITE) return ioerr(kReadAfterWrite);
  if (r.position_state == TAV_POS_EOF) return ioerr(kAfterEndfile, unit);
  __TAVf90_current_unit = unit;
  __TAVf90_io_buflen = r.recl;
  __TAVf90_io_reclen = __TAVf90_io_position = 0;
  unformatted = UnformattedState{};
  r.position_state = TAV_POS_READ;
  statement.where.record_is = Where::kUnitNext;
  return 0;
}

int begin_unformatted_read(int unit, int flags) {
  begin_statement(flags == -1 ? 1 : 0, flags != 0 ? 1 : 0, 0);
  if (int code = select_for_read(unit)) return code;
  tav_unit_record &r = current_record();
  std::int32_t length = 0;
  if (int code = read_leading_marker(unit, &length)) return code;
  __TAVf90_io_reclen = length;
  // A record longer than the buffer, and a large one that fits it, go from
  // the stream to the variables without a copy through the buffer; their
  // trailing marker is checked first where the stream can be read ahead.
  if (length > r.recl || length >= kStraightRead) {
    int code = 0;
    if (bad_trailing_marker_ahead(current_file(), length, &code)) return report(code);
    unformatted.infinite = true;
    return 0;
  }
  // The record is read whole now: a condition from here on leaves the
  // stream where the reading left it.
  statement.abandon = nullptr;
  std::FILE *s = current_stream();
  int code = 0;
  if (stream::get_fast(s, r.buffer, static_cast<std::size_t>(length), &code) < static_cast<std::size_t>(length))
    return report(code);
  return check_trailing_marker(s, length);
}

int end_unformatted_read() {
  statement.abandon = nullptr;
  tav_unit_record &r = current_record();
  if (unformatted.infinite && !unformatted.direct) {
    unformatted.infinite = false;
    const stream::File s = current_file();
    int code = skip(s, static_cast<std::int64_t>(unformatted.length) - __TAVf90_io_position);
    if (code != 0) return report(code > 0 ? code : 0);
    if (int c = check_trailing_marker(s.stream, unformatted.length)) return c;
  }
  if (!unformatted.direct) r.rec_length = 0;
  return end_statement();
}

int write_one_call(int unit, int error_continue, const char *src, int n) {
  if (int code = begin_unformatted_write(unit, error_continue)) return code;
  tav_unit_record &r = current_record();
  if (n < 0) n = 0;
  statement.where.item = 1;
  if (has_flag(r, TAV_FLAG_RECL_GIVEN) && n > r.recl) return ioerr(kBufferOverflow);
  if (int code = write_framed(current_file(), src, n)) return system_error(code);
  count_record(record_count(r));
  return end_statement();
}

// The item keeps its value when the record turns out to be bad: the
// trailing marker is checked before the data are stored.
int read_one_call(int unit, int flags, char *dst, int n) {
  begin_statement(flags == -1 ? 1 : 0, flags != 0 ? 1 : 0, 0);
  if (int code = select_for_read(unit)) return code;
  tav_unit_record &r = current_record();
  std::int32_t length = 0;
  if (int code = read_leading_marker(unit, &length)) return code;
  statement.where.item = 1;
  if (n < 0) n = 0;
  const stream::File s = current_file();
  int code = 0;
  if (n > length) return ioerr(kInputListTooLong, unit);
  if (bad_trailing_marker_ahead(s, length, &code)) return report(code);
  // The record is read to its end now (see begin_unformatted_read).
  statement.abandon = nullptr;
  if (stream::get_fast(s.stream, dst, static_cast<std::size_t>(n), &code) < static_cast<std::size_t>(n)) return report(code);
  if (int c = skip(s, static_cast<std::int64_t>(length) - n)) return report(c > 0 ? c : 0);
  if (int c = check_trailing_marker(s.stream, length)) return c;
  r.rec_length = 0;
  return end_statement();
}

// Direct access: the common begin of the unformatted statements, with the
// stream placed at the record.
int begin_direct(int unit, int rec, int action) {
  if (int code = select_direct(unit, rec, action, true)) return code;
  unformatted = UnformattedState{};
  unformatted.direct = true;
  __TAVf90_io_reclen = __TAVf90_io_position = 0;
  return 0;
}

int end_direct_write() {
  tav_unit_record &r = current_record();
  // Bytes the statement did not write are zero, never what an earlier
  // record left in the buffer.
  const int held = __TAVf90_io_position;
  if (held < r.recl) std::memset(r.buffer + held, 0, static_cast<std::size_t>(r.recl - held));
  if (int code = stream::write_record(current_file(), r.buffer, r.recl)) return system_error(code);
  ++r.rec_number;
  __TAVf90_io_position = 0;
  return end_statement();
}

int begin_direct_read(int unit, int rec, int flags) {
  begin_statement(flags == -1 ? 1 : 0, flags != 0 ? 1 : 0, 0);
  if (int code = begin_direct(unit, rec, TAV_ACTION_READ)) return code;
  tav_unit_record &r = current_record();
  r.position_state = TAV_POS_READ;
  if (int code = read_direct_record(unit)) return code;
  __TAVf90_io_reclen = r.recl;
  return 0;
}

}  // namespace
}  // namespace tav::io

using namespace tav::io;

extern "C" {

int __TAVf90_writeu(int unit, int flags) { return begin_unformatted_write(unit, flags); }

int __TAVf90_uwrite(const void *src, int n) {
  ++statement.where.item;
  return n > 0 ? append(static_cast<const char *>(src), static_cast<std::size_t>(n)) : 0;
}

int __TAVf90_uwritea(int rank, tav_ptr_desc *d, int elemsize) {
  ++statement.where.item;
  return move_array(rank, d->dim, d->base, elemsize, false, [](char *p, std::size_t n) { return append(p, n); });
}

int __TAVf90_uwritecha(int rank, tav_cptr_desc *d, int factor) {
  ++statement.where.item;
  return move_array(rank, d->dim, d->base, static_cast<std::int64_t>(factor) * d->len, false,
                    [](char *p, std::size_t n) { return append(p, n); });
}

int __TAVf90_endwriteu(void) { return end_unformatted_write(); }

int __TAVf90_readu(int unit, int flags) { return begin_unformatted_read(unit, flags); }

int __TAVf90_uread(void *dst, int n) {
  ++statement.where.item;
  return n > 0 ? take(static_cast<char *>(dst), static_cast<std::size_t>(n)) : 0;
}

int __TAVf90_ureada(int rank, tav_ptr_desc *d, int elemsize) {
  ++statement.where.item;
  return move_array(rank, d->dim, d->base, elemsize, true, [](char *p, std::size_t n) { return take(p, n); });
}

int __TAVf90_ureadcha(int rank, tav_cptr_desc *d, int factor) {
  ++statement.where.item;
  return move_array(rank, d->dim, d->base, static_cast<std::int64_t>(factor) * d->len, true,
                    [](char *p, std::size_t n) { return take(p, n); });
}

int __TAVf90_endreadu(void) { return end_unformatted_read(); }

int __TAVf90_writeu_opt(int unit, int flags, const void *src, int n) {
  return write_one_call(unit, flags, static_cast<const char *>(src), n);
}

int __TAVf90_readu_opt(int unit, int flags, void *dst, int n) {
  return read_one_call(unit, flags, static_cast<char *>(dst), n);
}

int __TAVf90_dwriteu(int unit, int rec, int flags) {
  begin_statement(flags, 0, 0);
  if (int code = begin_direct(unit, rec, TAV_ACTION_WRITE)) return code;
  current_record().position_state = TAV_POS_WRITE;
  return 0;
}

int __TAVf90_enddwriteu(void) { return end_direct_write(); }

int __TAVf90_dreadu(int unit, int rec, int flags) { return begin_direct_read(unit, rec, flags); }

int __TAVf90_enddreadu(void) {
  ++current_record().rec_number;
  return end_statement();
}

}  // extern "C"
