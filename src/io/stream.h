// The stream layer: every use the I/O system makes of C streams, and the
// only code that knows how the C library lays out a FILE.
//
// Records are moved to and from streams here and nowhere else.  Output
// that fits in the free part of a stream's buffer is copied there without
// a call (room(), put(), put_record()); that reaches into the glibc FILE
// (its flag word, orientation and write pointers), and is used only when
// check_buffer_access() -- run once by the I/O start-up -- has confirmed on
// a stream of its own that the layout is the expected one.  Otherwise, and
// until start-up, every run goes through fwrite, with the same result.
#pragma once

#include <cstdio>

#include "io/copy.h"

namespace tav::io::stream {

// Set by check_buffer_access(): the FILE layout is the one room() relies on.
extern bool buffer_access;

// Checks the FILE layout on a memory stream and sets buffer_access.
void check_buffer_access();

// The I/O error number of a failed stream operation: errno when it is a
// system error number the error table leaves to the system (1..99), EIO
// otherwise.  errno is set to the number returned, so that the message
// printed for it is the system's text for that number.
int error();

// Writes n bytes with one call.  Returns 0 or the error number of the
// failure (error()); the stream's error indicator is cleared so that a
// later operation reports only its own failure.
int put_call(std::FILE *stream, const char *bytes, int n);

// Where n bytes can go straight into the free part of the stream's
// buffer, as putc_unlocked puts one character there; else null.  Only a
// fully buffered, byte-oriented stream that is currently writing and has
// no error indicator set offers room; unbuffered and line-buffered streams
// always take the call, which passes their output on at once.
inline char *room(std::FILE *stream, int n) {
  // Flag bits of the stream: unbuffered, no writes, error seen, line
  // buffered, currently writing.
  constexpr int kUnbuffered = 0x2, kNoWrites = 0x8, kErrSeen = 0x20, kLineBuf = 0x200, kPutting = 0x800;
  constexpr int kMask = kUnbuffered | kNoWrites | kErrSeen | kLineBuf | kPutting;
  if (buffer_access && (stream->_flags & kMask) == kPutting && stream->_mode < 0 && n > 0 &&
      stream->_IO_write_end - stream->_IO_write_ptr >= n)
    return stream->_IO_write_ptr;
  return nullptr;
}

// put_call, but bytes that fit in the stream's buffer are copied there
// without a call: the buffer is written out (and a failure reported) only
// by the call for the bytes that do not fit, exactly as with fwrite.
inline int put(std::FILE *stream, const char *bytes, int n) {
  if (char *dst = room(stream, n)) {
    copy_bytes(dst, bytes, n);
    stream->_IO_write_ptr = dst + n;
    return 0;
  }
  return put_call(stream, bytes, n);
}

// put of the n bytes of a record and a newline, which the caller's buffer
// has room for after them.
inline int put_record(std::FILE *stream, char *record, int n) {
  if (char *dst = room(stream, n + 1)) {
    copy_bytes(dst, record, n);
    dst[n] = '\n';
    stream->_IO_write_ptr = dst + n + 1;
    return 0;
  }
  record[n] = '\n';
  return put_call(stream, record, n + 1);
}

// What read_line found.
enum class Line { kRecord, kEnd, kTooLong, kError };

// Reads the next line into buf (at most `capacity` characters; its newline
// is consumed, not stored) and sets *n to its length.  kEnd: end of the
// stream with nothing read (a last line without a newline is a record);
// kTooLong: a further character than `capacity` was met, and stays unread;
// kError: the stream failed (error() has the number; the indicators are
// cleared).
Line read_line(std::FILE *stream, char *buf, int capacity, int *n);

// Opening and closing: the C library's results (null / nonzero with errno).
std::FILE *open(const char *name, const char *mode);
std::FILE *open_fd(int fd, const char *mode);
int close(std::FILE *stream);
int flush(std::FILE *stream);
void clear_error(std::FILE *stream);

// Positioning: 0 or nonzero with errno set.
int seek(std::FILE *stream, long offset, int whence);
long tell(std::FILE *stream);
bool at_end(std::FILE *stream);
// Switches a stream that was read to writing at the same place.
void switch_to_writing(std::FILE *stream);

// Cuts a regular file at the stream's position (others are left alone).
// Returns 0 or nonzero with errno set.
int truncate_here(std::FILE *stream);

// Whether a stream can be repositioned (regular file, directory, block
// device, or a character device that is not a terminal).
bool seekable(std::FILE *stream);

}  // namespace tav::io::stream
