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

// How the records of a file are laid out, which decides where the file is
// cut back to when a write fails part-way: lines of text, records framed
// by length markers, or records of a fixed length (direct access).
enum class Framing : std::uint8_t { kLines, kMarkers, kFixed };

// What this layer keeps of a connection's file, held in the connection's
// own object (io/unit.h): prepare_file fills it for a regular file with the
// buffer it gave the stream and the framing of the file's records; for any
// other stream `regular` stays false, and a failed write is not cut back.
// close() releases the buffer and clears it.
struct FileState {
  char *buffer = nullptr;
  std::size_t size = 0;
  Framing framing = Framing::kLines;
  std::int32_t recl = 0;
  bool regular = false;
};

// A connection's stream as the operations below that may write out held
// output take it: the C stream and its connection's state of the file
// (null: a stream no connection owns, handled as one that is not regular).
struct File {
  std::FILE *stream;
  FileState *state = nullptr;
};

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

// Writes one whole record of n bytes: write_record_call below, without a
// call when it fits in the stream's buffer.
int write_record_call(File file, const char *record, std::size_t n);
inline int write_record(File file, const char *record, int n) {
  if (char *dst = room(file.stream, n)) {
    copy_bytes(dst, record, n);
    file.stream->_IO_write_ptr = dst + n;
    return 0;
  }
  return write_record_call(file, record, n > 0 ? static_cast<std::size_t>(n) : 0);
}

// write_record of the n characters of a text record and its newline, which
// the caller's buffer has room for after them.
inline int put_record(File file, char *record, int n) {
  if (char *dst = room(file.stream, n + 1)) {
    copy_bytes(dst, record, n);
    dst[n] = '\n';
    file.stream->_IO_write_ptr = dst + n + 1;
    return 0;
  }
  record[n] = '\n';
  return write_record_call(file, record, static_cast<std::size_t>(n) + 1);
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
// is consumed, not stored) and sets *n to its length and *ending to the
// bytes that ended it (1 a newline, 2 CR LF, 0 the end of the stream).  A
// carriage return just before the newline (a line ended CR LF) is consumed
// with it and is not part of the line either; one anywhere else is.  kEnd:
// end of the stream with nothing read (a last line without a newline is a
// record); kTooLong: the line has more than `capacity` characters: the
// first `capacity` are in buf and the rest stays unread; kError: the
// stream failed (error() has the number; the indicators are cleared).
// Whole runs up to the newline are taken from the stream's buffer (memchr
// and one copy); only refilling the buffer takes a call.
Line read_line_call(std::FILE *stream, char *buf, int capacity, int *n, int *ending);
inline Line read_line(std::FILE *stream, char *buf, int capacity, int *n, int *ending) {
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
        const bool cr = len > 0 && p[len - 1] == '\r';
        stream->_IO_read_ptr = p + len + 1;
        *n = static_cast<int>(len - cr);
        *ending = 1 + cr;
        return Line::kRecord;
      }
    }
    if (auto *nl = static_cast<char *>(std::memchr(p + k, '\n', avail - k))) {
      const auto len = static_cast<std::size_t>(nl - p);
      const bool cr = len > 0 && p[len - 1] == '\r';
      const std::size_t data = len - cr;
      if (data <= room) {
        if (data > k) std::memcpy(buf + k, p + k, data - k);
        stream->_IO_read_ptr = nl + 1;
        *n = static_cast<int>(data);
        *ending = 1 + cr;
        return Line::kRecord;
      }
    }
  }
  return read_line_call(stream, buf, capacity, n, ending);
}

// Whether the two bytes before offset p of the stream's file are a
// carriage return and a newline (the stream does not move).
bool crlf_before(File file, off_t p);

// Opening and closing: the C library's results (null / nonzero with errno).
std::FILE *open(const char *name, const char *mode);
std::FILE *open_fd(int fd, const char *mode);
int close(File file);
void clear_error(std::FILE *stream);

// Writes out what the stream's buffer holds.  Returns 0 or the error number
// (errno set, the indicators cleared); on a file given its framing, what
// the failure left in the file is cut back to the last whole record.
int flush(File file);

// Positioning in 64-bit offsets (the build has large-file support, so a
// 32-bit program reaches past 2 GiB): 0 or nonzero with errno set; tell
// gives -1 with errno set on failure.  Output the stream holds is written
// out first, by flush.
int seek(File file, off_t offset, int whence);
off_t tell(std::FILE *stream);
// Moves the stream n bytes forward, but never past the end of a regular
// file: where that lies nearer, the stream is left at the end and 1 is
// returned.  0 when it moved n bytes; -1 with errno set on failure.
int seek_forward(File file, off_t n);
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
std::size_t get_at(File file, off_t at, void *dst, std::size_t n, int *code);

// Copies the n bytes that lie `ahead` bytes past the stream's position,
// leaving the stream where it is: from its buffer when it holds them, else
// with get_at.  Returns the bytes copied (fewer than n: *code as for get),
// or -1 when the stream cannot be read ahead (it cannot seek).
long peek(File file, off_t ahead, void *dst, std::size_t n, int *code);

// put_call for blocks of any size (records of gigabytes): 0 or the error.
int put_block(std::FILE *stream, const void *bytes, std::size_t n);

// Prepares a freshly opened stream on a regular file (others are left
// alone): a buffer of `size` bytes, so that records move to and from the
// file in large blocks (one system call per block), records larger than it
// going straight to the file; and the framing of its records (`recl`: the
// length of a fixed record).  Only before the first operation on the
// stream.  Binary records (unformatted or direct access) get kBinaryBuffer,
// lines of text kTextBuffer.
//
// On such a file what a failed write leaves ends at a record boundary.  The
// stream's buffer always starts at one: a record is written out before the
// next when the next would not fit after it in the buffer, and a record
// larger than the buffer is written out whole at once.  A failed flush then
// cuts the file after the last whole record that reached it, and a failure
// in the middle of a large record cuts it at the record's start.
constexpr std::size_t kBinaryBuffer = 256 * 1024;
constexpr std::size_t kTextBuffer = 64 * 1024;
void prepare_file(File file, std::size_t size, Framing framing, std::int32_t recl);

// A record written in pieces (markers and data).  begin_record makes room
// for a record of n bytes (kUnknownSize: not known yet); a record that
// does not fit in the buffer gets its start noted, which put_piece and
// end_record cut the file back to when a write fails, and end_record
// writes it out at once.  Each returns 0 or the error number.
constexpr std::size_t kUnknownSize = static_cast<std::size_t>(-1);
struct RecordOutput {
  off_t start = -1;
};
int begin_record(File file, std::size_t n, RecordOutput &out);
int put_piece(File file, const void *bytes, std::size_t n, const RecordOutput &out);
int end_record(File file, const RecordOutput &out);
// Writes n bytes at offset `at` of the file, leaving the stream where it
// is (the stream must hold no output); on failure the file is cut back to
// `out`'s start.  Returns 0 or the error number.
int put_at(File file, off_t at, const void *bytes, std::size_t n, const RecordOutput &out);
// Cuts the file at a record's start and places the stream there: what a
// record refused part-way leaves behind.  errno is kept.
void cut_back(File file, off_t at);

// Cuts a regular file at the stream's position (others are left alone).
// Returns 0 or nonzero with errno set.
int truncate_here(std::FILE *stream);

// Whether a stream can be repositioned (regular file, directory, block
// device, or a character device that is not a terminal).
bool seekable(std::FILE *stream);

#ifdef TAV_FAULT_INJECTION
// Test builds: the k-th operation that reaches the file from now on (a
// write the buffer cannot take, a flush of held output, a seek, a
// truncation, a read that refills) fails with `error`; a write or flush
// that fails has put half of its bytes in the file first, as a full disk
// does.  k = 0 disarms.  reached() tells whether the failure happened.
void fail_operation(long k, int error);
bool fail_reached();
#endif

}  // namespace tav::io::stream
