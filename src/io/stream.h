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
// Input lines are likewise taken from the buffer's read pointers
// (read_line), character by character through getc where they cannot be.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>

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

// The characters a reading stream's buffer holds ahead of its position
// (taking them is advancing _IO_read_ptr, as getc_unlocked does), or 0:
// nothing buffered, no buffer access, or a stream that is not reading
// bytes without an indicator set.
inline std::size_t readable(std::FILE *stream) {
  constexpr int kNoReads = 0x4, kEofSeen = 0x10, kErrSeen = 0x20, kPutting = 0x800;
  if (buffer_access && (stream->_flags & (kNoReads | kEofSeen | kErrSeen | kPutting)) == 0 && stream->_mode <= 0 &&
      stream->_IO_read_ptr < stream->_IO_read_end)
    return static_cast<std::size_t>(stream->_IO_read_end - stream->_IO_read_ptr);
  return 0;
}

// What read_line found.
enum class Line { kRecord, kEnd, kTooLong, kError };

// Reads the next line into buf (at most `capacity` characters; its newline
// is consumed, not stored) and sets *n to its length.  A carriage return
// just before the newline (a line ended CR LF) is consumed with it and is
// not part of the line either; one anywhere else is.  kEnd: end of the
// stream with nothing read (a last line without a newline is a record);
// kTooLong: the line has more than `capacity` characters: the first
// `capacity` are in buf and the rest stays unread; kError: the stream
// failed (error() has the number; the indicators are cleared).  Whole runs
// up to the newline are taken from the stream's buffer (memchr and one
// copy); only refilling the buffer takes a call.
Line read_line_call(std::FILE *stream, char *buf, int capacity, int *n);
inline Line read_line(std::FILE *stream, char *buf, int capacity, int *n) {
  // The usual line, whole in the buffer, is taken here without a call of
  // the library's own: its first kShortLine characters eight at a time,
  // each word copied whole and searched for the newline (what a word copies
  // past the newline lies inside `capacity` and past the record, where
  // nothing is kept), the rest of a longer one by memchr and one copy.
  constexpr std::size_t kShortLine = 32;
  if (const std::size_t avail = readable(stream)) {
    char *p = stream->_IO_read_ptr;
    const std::size_t room = capacity > 0 ? static_cast<std::size_t>(capacity) : 0;
    std::size_t k = 0;
    for (; k < kShortLine && k + 8 <= avail && k + 8 <= room; k += 8) {
      std::uint64_t word;
      std::memcpy(&word, p + k, 8);
      std::memcpy(buf + k, &word, 8);
      const std::uint64_t x = word ^ 0x0a0a0a0a0a0a0a0au;
      // The lowest byte of x that is zero is the first newline.
      if (const std::uint64_t t = (x - 0x0101010101010101u) & ~x & 0x8080808080808080u) {
        const std::size_t len = k + static_cast<std::size_t>(__builtin_ctzll(t) / 8);
        stream->_IO_read_ptr = p + len + 1;
        *n = static_cast<int>(len - (len > 0 && p[len - 1] == '\r'));
        return Line::kRecord;
      }
    }
    if (auto *nl = static_cast<char *>(std::memchr(p + k, '\n', avail - k))) {
      const auto len = static_cast<std::size_t>(nl - p);
      const std::size_t data = len - (len > 0 && p[len - 1] == '\r');
      if (data <= room) {
        if (data > k) std::memcpy(buf + k, p + k, data - k);
        stream->_IO_read_ptr = nl + 1;
        *n = static_cast<int>(data);
        return Line::kRecord;
      }
    }
  }
  return read_line_call(stream, buf, capacity, n);
}

// Whether the two bytes before offset p of the stream's file are a
// carriage return and a newline (the stream does not move).
bool crlf_before(std::FILE *stream, off_t p);

// The bytes that ended the line last read, the stream standing just after
// them: 0 when the line ended with the stream, 2 for CR LF, else 1.
int line_ending(std::FILE *stream);

// Opening and closing: the C library's results (null / nonzero with errno).
std::FILE *open(const char *name, const char *mode);
std::FILE *open_fd(int fd, const char *mode);
int close(std::FILE *stream);
int flush(std::FILE *stream);
void clear_error(std::FILE *stream);

// Positioning in 64-bit offsets (the build has large-file support, so a
// 32-bit program reaches past 2 GiB): 0 or nonzero with errno set; tell
// gives -1 with errno set on failure.
int seek(std::FILE *stream, off_t offset, int whence);
off_t tell(std::FILE *stream);
bool at_end(std::FILE *stream);
// Switches a stream that was read to writing at the same place.
void switch_to_writing(std::FILE *stream);

// Reads up to n bytes with one call and returns how many arrived.  Fewer
// than n: *code is 0 at the end of the file, else the error number
// (error()).  The stream's indicators are cleared either way.
std::size_t get(std::FILE *stream, void *dst, std::size_t n, int *code);

// get, but n bytes the stream's buffer already holds are copied from there
// without a call, as getc_unlocked takes one character.
inline std::size_t get_fast(std::FILE *stream, void *dst, std::size_t n, int *code) {
  if (n == 0) {
    *code = 0;
    return 0;
  }
  if (readable(stream) >= n) {
    std::memcpy(dst, stream->_IO_read_ptr, n);
    stream->_IO_read_ptr += n;
    *code = 0;
    return n;
  }
  return get(stream, dst, n, code);
}

// Reads n bytes at offset `at` of the file with one system call, leaving
// the stream where it is; output the stream still holds is written out
// first.  Returns the bytes read; fewer than n: *code as for get.
std::size_t get_at(std::FILE *stream, off_t at, void *dst, std::size_t n, int *code);

// put_call for blocks of any size (records of gigabytes): 0 or the error.
int put_block(std::FILE *stream, const void *bytes, std::size_t n);

// Gives a freshly opened stream on a regular file a buffer of `size` bytes,
// so that records move to and from the file in large blocks (one system
// call per block); records larger than it go straight to the file.  Only
// before the first operation on the stream.  Binary records (unformatted
// or direct access) get kBinaryBuffer, lines of text kTextBuffer.
constexpr std::size_t kBinaryBuffer = 256 * 1024;
constexpr std::size_t kTextBuffer = 64 * 1024;
void use_large_buffer(std::FILE *stream, std::size_t size);

// Cuts a regular file at the stream's position (others are left alone).
// Returns 0 or nonzero with errno set.
int truncate_here(std::FILE *stream);

// Whether a stream can be repositioned (regular file, directory, block
// device, or a character device that is not a terminal).
bool seekable(std::FILE *stream);

}  // namespace tav::io::stream
