// Pieces shared by the formatted sequential READ and WRITE statements.
#pragma once

#include <cstdio>

#include "io/copy.h"
#include "tavf90.h"

namespace tav::io {

// Selects the unit of a formatted sequential statement, connecting it
// implicitly when it never was connected, and checks that the connection
// is sequential, formatted and allows the action (TAV_ACTION_READ or
// TAV_ACTION_WRITE).  Nothing of the unit is changed by a failed check.
// Returns 0, or the condition with the statement ended.
int select_formatted_sequential(int unit, int action);

// The same; a connected unit below 100 that passes the checks is selected
// here without a call.
inline int select_formatted_sequential_fast(int unit, int action) {
  if (static_cast<unsigned>(unit) < 100u && __TAVf90_file[unit] != nullptr) {
    tav_unit_record &r = __TAVf90_file_info[unit];
    __TAVf90_cur_finfo = &r;
    __TAVf90_cur_fptr = &__TAVf90_file[unit];
    if (r.access == TAV_ACCESS_SEQUENTIAL && (r.action & action) != 0 && r.unformatted == 0) return 0;
  }
  return select_formatted_sequential(unit, action);
}

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
int put_bytes_call(std::FILE *stream, const char *bytes, int n);

// Where n bytes can go straight into the free part of the stream's
// buffer, as putc_unlocked puts one character there; else null.  Only a
// fully buffered, byte-oriented stream that is currently writing and has
// no error indicator set offers room; unbuffered and line-buffered streams
// always take the call, which passes their output on at once.
inline char *stream_room(std::FILE *stream, int n) {
  // Flag bits of the stream: unbuffered, no writes, error seen, line
  // buffered, currently writing.
  constexpr int kUnbuffered = 0x2, kNoWrites = 0x8, kErrSeen = 0x20, kLineBuf = 0x200, kPutting = 0x800;
  constexpr int kMask = kUnbuffered | kNoWrites | kErrSeen | kLineBuf | kPutting;
  if ((stream->_flags & kMask) == kPutting && stream->_mode < 0 && n > 0 &&
      stream->_IO_write_end - stream->_IO_write_ptr >= n)
    return stream->_IO_write_ptr;
  return nullptr;
}

// put_bytes_call, but bytes that fit in the stream's buffer are copied
// there without a call: the buffer is written out (and a failure reported)
// only by the call for the bytes that do not fit, exactly as with fwrite.
inline int put_bytes(std::FILE *stream, const char *bytes, int n) {
  if (char *room = stream_room(stream, n)) {
    copy_bytes(room, bytes, n);
    stream->_IO_write_ptr = room + n;
    return 0;
  }
  return put_bytes_call(stream, bytes, n);
}

// put_bytes of the n bytes of a record and a newline, which the caller's
// buffer has room for after them.
inline int put_record(std::FILE *stream, char *record, int n) {
  if (char *room = stream_room(stream, n + 1)) {
    copy_bytes(room, record, n);
    room[n] = '\n';
    stream->_IO_write_ptr = room + n + 1;
    return 0;
  }
  record[n] = '\n';
  return put_bytes_call(stream, record, n + 1);
}

}  // namespace tav::io
