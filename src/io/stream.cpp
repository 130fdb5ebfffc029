#include "io/stream.h"

#include <stdio_ext.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "storage/work.h"

namespace tav::io::stream {

bool buffer_access = false;

namespace {
// The state of a regular file prepare_file was given, else null.
FileState *regular(File file) { return file.state != nullptr && file.state->regular ? file.state : nullptr; }

// Returns the error number of a failed operation with the stream's
// indicators cleared and errno set to it.
int failed(std::FILE *stream) {
  int e = error();
  clearerr_unlocked(stream);
  errno = e;
  return e;
}

#ifdef TAV_FAULT_INJECTION
long fault_countdown = 0;
int fault_error = 0;
bool fault_hit = false;
// Whether this operation is the one to fail (errno is then set).
bool inject() {
  if (fault_countdown <= 0 || --fault_countdown > 0) return false;
  fault_hit = true;
  errno = fault_error;
  return true;
}
#else
constexpr bool inject() { return false; }
#endif

// Bytes of output the stream holds, and how many more its buffer takes.
std::size_t pending(std::FILE *stream) { return __fpending(stream); }
std::size_t free_space(std::FILE *stream) {
  const std::size_t size = __fbufsize(stream), held = pending(stream);
  return size > held ? size - held : 0;
}

ssize_t pread_all(int fd, char *dst, std::size_t n, off_t at) {
  std::size_t done = 0;
  while (done < n) {
    ssize_t k = pread(fd, dst + done, n - done, at + static_cast<off_t>(done));
    if (k < 0 && errno == EINTR) continue;
    if (k <= 0) break;
    done += static_cast<std::size_t>(k);
  }
  return static_cast<ssize_t>(done);
}

// The end of the last whole record between `base`, a record boundary, and
// `end`, the end of what reached the file.
off_t last_boundary(int fd, const FileState &f, off_t base, off_t end) {
  switch (f.framing) {
    case Framing::kFixed:
      return f.recl > 0 ? base + (end - base) / f.recl * f.recl : base;
    case Framing::kMarkers: {
      off_t at = base;
      for (;;) {
        std::int32_t length = 0;
        if (end - at < 8 || pread_all(fd, reinterpret_cast<char *>(&length), 4, at) != 4 || length < 0 ||
            end - at - 8 < length)
          return at;
        at += 8 + static_cast<off_t>(length);
      }
    }
    case Framing::kLines: {
      char chunk[4096];
      for (off_t to = end; to > base;) {
        const off_t from = to - base > static_cast<off_t>(sizeof chunk) ? to - static_cast<off_t>(sizeof chunk) : base;
        const auto n = static_cast<std::size_t>(to - from);
        if (pread_all(fd, chunk, n, from) != static_cast<ssize_t>(n)) return base;
        if (const void *nl = memrchr(chunk, '\n', n)) return from + (static_cast<const char *>(nl) - chunk) + 1;
        to = from;
      }
      return base;
    }
  }
  return base;
}

// After output held from `base` (a record boundary) failed to reach the
// file whole: the file is cut after the last whole record that did, unless
// the records were rewritten inside a direct-access file, whose later
// records stay.  The stream is placed at the cut.  errno is kept.
void recover(std::FILE *stream, const FileState &f, off_t base) {
  const int e = errno;
  const int fd = fileno(stream);
  off_t end = lseek(fd, 0, SEEK_CUR);
  if (end < base) end = base;
  const off_t cut = last_boundary(fd, f, base, end);
  struct stat st;
  if (f.framing != Framing::kFixed || (fstat(fd, &st) == 0 && st.st_size <= end)) (void)ftruncate(fd, cut);
  clearerr_unlocked(stream);
  (void)fseeko(stream, cut, SEEK_SET);
  errno = e;
}
}  // namespace

namespace {
// A reading stream that has given one character through the C library
// must hold the rest of what it read right after it, and taking one by
// hand must make the C library go on after that one.
bool check_read_access() {
  char in[] = "ab\ncd";
  char buf[8];
  std::FILE *probe = fmemopen(in, sizeof in - 1, "r");
  if (probe == nullptr) return false;
  bool ok = std::setvbuf(probe, buf, _IOFBF, sizeof buf) == 0 && std::fgetc(probe) == 'a' &&
            probe->_IO_read_ptr == buf + 1 && probe->_IO_read_end == buf + 5 && readable(probe) == 4 &&
            *probe->_IO_read_ptr == 'b';
  if (ok) {
    ++probe->_IO_read_ptr;
    ok = std::fgetc(probe) == '\n';
  }
  std::fclose(probe);
  return ok;
}
}  // namespace

void check_buffer_access() {
  buffer_access = false;
  // A fully buffered memory stream that has written one character through
  // the C library must offer room right after it, and a character stored
  // there by hand must come out on the flush, after the first.
  char out[16] = {};
  char buf[8];
  std::FILE *probe = fmemopen(out, sizeof out, "w");
  if (probe == nullptr) return;
  bool ok = false;
  if (std::setvbuf(probe, buf, _IOFBF, sizeof buf) == 0 && std::fputc('a', probe) == 'a') {
    constexpr unsigned kMagicMask = 0xFFFF0000u, kMagic = 0xFBAD0000u;
    ok = (static_cast<unsigned>(probe->_flags) & kMagicMask) == kMagic && probe->_IO_write_ptr == buf + 1 &&
         probe->_IO_write_end == buf + sizeof buf;
    if (ok) {
      buffer_access = true;
      char *dst = room(probe, 2);
      if (dst == buf + 1) {
        dst[0] = 'b';
        dst[1] = 'c';
        probe->_IO_write_ptr = dst + 2;
      } else {
        ok = false;
      }
    }
  }
  if (std::fflush(probe) != 0) ok = false;
  ok = ok && std::memcmp(out, "abc", 3) == 0;
  std::fclose(probe);
  buffer_access = ok;
  if (ok) buffer_access = check_read_access();
}

int error() {
  int e = errno;
  if (e < 1 || e > 99) e = EIO;
  errno = e;
  return e;
}

int put_call(std::FILE *stream, const char *bytes, int n) {
  return n > 0 ? put_block(stream, bytes, static_cast<std::size_t>(n)) : 0;
}

int put_block(std::FILE *stream, const void *bytes, std::size_t n) {
  if (n == 0) return 0;
#ifdef TAV_FAULT_INJECTION
  // Only a write that the buffer cannot take reaches the file.
  if ((free_space(stream) < n || __flbf(stream)) && inject()) {
    (void)fwrite_unlocked(bytes, 1, n / 2, stream);
    (void)fflush(stream);
    errno = fault_error;
    return failed(stream);
  }
#endif
  // One thread runs the program: the stream needs no locking.  A short
  // count means the stream failed (a flush of its buffer included).
  if (fwrite_unlocked(bytes, 1, n, stream) == n) return 0;
  return failed(stream);
}

int flush(File file) {
  std::FILE *stream = file.stream;
  const std::size_t held = pending(stream);
  FileState *f = held > 0 ? regular(file) : nullptr;
  const off_t base = f != nullptr ? ftello(stream) - static_cast<off_t>(held) : -1;
#ifdef TAV_FAULT_INJECTION
  if (held > 0 && inject()) {
    // Half of the held output reaches the file, the rest is dropped, as
    // the C library does when a write fails.
    if (base >= 0 && buffer_access && lseek(fileno(stream), base, SEEK_SET) == base)
      (void)!write(fileno(stream), stream->_IO_write_base, held / 2);
    __fpurge(stream);
    errno = fault_error;
    if (f != nullptr && base >= 0) recover(stream, *f, base);
    return failed(stream);
  }
#endif
  if (std::fflush(stream) == 0) return 0;
  const int e = failed(stream);
  if (f != nullptr && base >= 0) recover(stream, *f, base);
  return e;
}

int write_record_call(File file, const char *record, std::size_t n) {
  RecordOutput out;
  if (int code = begin_record(file, n, out)) return code;
  if (int code = put_piece(file, record, n, out)) return code;
  return end_record(file, out);
}

int begin_record(File file, std::size_t n, RecordOutput &out) {
  std::FILE *stream = file.stream;
  out.start = -1;
  if (regular(file) == nullptr || n <= free_space(stream)) return 0;
  if (pending(stream) > 0) {
    if (int code = flush(file)) return code;
  }
  if (n <= free_space(stream)) return 0;
  out.start = ftello(stream);
  return out.start < 0 ? failed(stream) : 0;
}

int put_piece(File file, const void *bytes, std::size_t n, const RecordOutput &out) {
  int code = n <= INT32_MAX ? put(file.stream, static_cast<const char *>(bytes), static_cast<int>(n))
                            : put_block(file.stream, bytes, n);
  if (code != 0 && out.start >= 0) cut_back(file, out.start);
  return code;
}

int end_record(File file, const RecordOutput &out) {
  if (out.start < 0) return 0;
  int code = 0;
  if (inject() || std::fflush(file.stream) != 0) {
    code = failed(file.stream);
    cut_back(file, out.start);
  }
  return code;
}

int put_at(File file, off_t at, const void *bytes, std::size_t n, const RecordOutput &out) {
  std::FILE *stream = file.stream;
  std::size_t done = 0;
  while (done < n) {
    ssize_t k = inject() ? -1 : pwrite(fileno(stream), static_cast<const char *>(bytes) + done, n - done, at);
    if (k < 0 && errno == EINTR) continue;
    if (k <= 0) {
      if (k == 0) errno = EIO;
      int code = failed(stream);
      cut_back(file, out.start);
      return code;
    }
    done += static_cast<std::size_t>(k);
    at += k;
  }
  return 0;
}

void cut_back(File file, off_t at) {
  if (at < 0) return;
  std::FILE *stream = file.stream;
  const int e = errno;
  // The buffer holds nothing but the record (begin_record wrote out what
  // came before it): what it still holds is dropped with it.
  __fpurge(stream);
  clearerr_unlocked(stream);
  if (regular(file) != nullptr) (void)ftruncate(fileno(stream), at);
  (void)fseeko(stream, at, SEEK_SET);
  errno = e;
}

namespace {
// Whether the stream's next characters are a carriage return and a
// newline: taken if so, else left unread.  Where the return is the last
// character the buffer holds, the character after it comes from a refill;
// both then go back with ungetc, which the C library keeps for two.
bool take_crlf(std::FILE *stream) {
  const std::size_t avail = readable(stream);
  if (avail >= 2 || (avail == 1 && *stream->_IO_read_ptr != '\r')) {
    const char *p = stream->_IO_read_ptr;
    if (avail < 2 || p[0] != '\r' || p[1] != '\n') return false;
    stream->_IO_read_ptr += 2;
    return true;
  }
  const int c = getc_unlocked(stream);
  if (c != '\r') {
    if (c != EOF) std::ungetc(c, stream);
    return false;
  }
  const int d = getc_unlocked(stream);
  if (d == '\n') return true;
  if (d != EOF) std::ungetc(d, stream);
  std::ungetc('\r', stream);
  return false;
}
}  // namespace

Line read_line_call(std::FILE *stream, char *buf, int capacity, int *n, int *ending) {
  clearerr_unlocked(stream);
  if (inject()) {
    *n = 0;
    return Line::kError;
  }
  std::size_t k = 0;
  const std::size_t cap = capacity > 0 ? static_cast<std::size_t>(capacity) : 0;
  // A line of more than `capacity` characters, the first of them in buf:
  // unless the character after them begins its CR LF ending, it stays
  // unread.
  auto too_long = [&] {
    *n = capacity;
    if (!take_crlf(stream)) return Line::kTooLong;
    *ending = 2;
    return Line::kRecord;
  };
  for (;;) {
    // What the buffer holds: up to the newline, or all of it.
    if (std::size_t avail = readable(stream)) {
      char *p = stream->_IO_read_ptr;
      auto *nl = static_cast<char *>(std::memchr(p, '\n', avail));
      std::size_t len = nl != nullptr ? static_cast<std::size_t>(nl - p) : avail;
      bool cr = nl != nullptr && len > 0 && p[len - 1] == '\r';
      const std::size_t data = len - cr;
      if (data > cap - k) {
        std::memcpy(buf + k, p, cap - k);
        stream->_IO_read_ptr = p + (cap - k);
        return too_long();
      }
      std::memcpy(buf + k, p, data);
      k += data;
      if (nl != nullptr) {
        // (a return the last refill ended with stands before this newline)
        if (len == 0 && k > 0 && buf[k - 1] == '\r') {
          --k;
          cr = true;
        }
        stream->_IO_read_ptr = nl + 1;
        *n = static_cast<int>(k);
        *ending = 1 + cr;
        return Line::kRecord;
      }
      stream->_IO_read_ptr = p + len;
    }
    // The buffer is empty (or out of reach): one character through the C
    // library, which refills it.
    int c = getc_unlocked(stream);
    if (c == EOF) {
      *n = static_cast<int>(k);
      if (ferror_unlocked(stream)) {
        int e = error();
        clearerr_unlocked(stream);
        errno = e;
        return Line::kError;
      }
      *ending = 0;
      return k == 0 ? Line::kEnd : Line::kRecord;
    }
    if (c == '\n') {
      const bool cr = k > 0 && buf[k - 1] == '\r';
      k -= cr;
      *n = static_cast<int>(k);
      *ending = 1 + cr;
      return Line::kRecord;
    }
    if (k == cap) {
      std::ungetc(c, stream);
      return too_long();
    }
    buf[k++] = static_cast<char>(c);
  }
}

std::FILE *open(const char *name, const char *mode) { return std::fopen(name, mode); }
std::FILE *open_fd(int fd, const char *mode) { return fdopen(fd, mode); }
int close(File file) {
  int result = std::fclose(file.stream);
  if (FileState *f = file.state) {
    if (f->buffer != nullptr) storage::work_free(f->buffer, f->size);
    *f = FileState{};
  }
  return result;
}
void clear_error(std::FILE *stream) { clearerr_unlocked(stream); }

int seek(File file, off_t offset, int whence) {
  if (pending(file.stream) > 0 && flush(file) != 0) return -1;
  if (inject()) return -1;
  return fseeko(file.stream, offset, whence);
}
off_t tell(std::FILE *stream) { return ftello(stream); }

int seek_forward(File file, off_t n) {
  std::FILE *stream = file.stream;
  if (pending(stream) > 0 && flush(file) != 0) return -1;
  struct stat st;
  const off_t at = ftello(stream);
  if (at >= 0 && fstat(fileno(stream), &st) == 0 && S_ISREG(st.st_mode) && n > st.st_size - at)
    return seek(file, st.st_size > at ? st.st_size : at, SEEK_SET) != 0 ? -1 : 1;
  return seek(file, n, SEEK_CUR) != 0 ? -1 : 0;
}

std::size_t get(std::FILE *stream, void *dst, std::size_t n, int *code) {
  *code = 0;
  if (n == 0) return 0;
  if (inject()) {
    *code = failed(stream);
    return 0;
  }
  std::size_t done = fread_unlocked(dst, 1, n, stream);
  if (done < n) {
    if (ferror_unlocked(stream)) *code = error();
    int e = errno;
    clearerr_unlocked(stream);
    errno = e;
  }
  return done;
}

std::size_t get_at(File file, off_t at, void *dst, std::size_t n, int *code) {
  std::FILE *stream = file.stream;
  *code = 0;
  if (pending(stream) > 0 && (*code = flush(file)) != 0) return 0;
  if (inject()) {
    *code = failed(stream);
    return 0;
  }
  std::size_t done = 0;
  while (done < n) {
    ssize_t k = pread(fileno(stream), static_cast<char *>(dst) + done, n - done, at + static_cast<off_t>(done));
    if (k < 0 && errno == EINTR) continue;
    if (k < 0) {
      *code = error();
      break;
    }
    if (k == 0) break;
    done += static_cast<std::size_t>(k);
  }
  return done;
}

long peek(File file, off_t ahead, void *dst, std::size_t n, int *code) {
  std::FILE *stream = file.stream;
  *code = 0;
  if (readable(stream) >= static_cast<std::size_t>(ahead) + n) {
    std::memcpy(dst, stream->_IO_read_ptr + ahead, n);
    return static_cast<long>(n);
  }
  const off_t at = ftello(stream);
  if (at < 0) return -1;
  const std::size_t got = get_at(file, at + ahead, dst, n, code);
  if (*code == ESPIPE) return -1;
  return static_cast<long>(got);
}

void prepare_file(File file, std::size_t size, Framing framing, std::int32_t recl) {
  FileState &f = *file.state;
  f = FileState{};
  struct stat st;
  if (fstat(fileno(file.stream), &st) != 0 || !S_ISREG(st.st_mode)) return;
  f = FileState{static_cast<char *>(storage::work_alloc(size)), size, framing, recl, true};
  if (std::setvbuf(file.stream, f.buffer, _IOFBF, size) != 0) {
    storage::work_free(f.buffer, size);
    f.buffer = nullptr;
  }
}

#ifdef TAV_FAULT_INJECTION
void fail_operation(long k, int error) {
  fault_countdown = k;
  fault_error = error;
  fault_hit = false;
}
bool fail_reached() { return fault_hit; }
#endif


bool crlf_before(File file, off_t p) {
  char two[2];
  int code = 0;
  return p >= 2 && get_at(file, p - 2, two, 2, &code) == 2 && two[0] == '\r' && two[1] == '\n';
}

void switch_to_writing(std::FILE *stream) {
  // A stream that cannot be positioned has nothing to switch.
  std::fseek(stream, 0, SEEK_CUR);
}

int truncate_here(std::FILE *stream) {
  struct stat st;
  if (fstat(fileno(stream), &st) != 0 || !S_ISREG(st.st_mode)) return 0;
  if (inject()) return -1;
  off_t at = ftello(stream);
  if (at < 0) return -1;
  return ftruncate(fileno(stream), at);
}

bool seekable(std::FILE *stream) {
  struct stat st;
  if (stream == nullptr || fstat(fileno(stream), &st) != 0) return false;
  if (S_ISDIR(st.st_mode) || S_ISREG(st.st_mode) || S_ISBLK(st.st_mode)) return true;
  if (S_ISCHR(st.st_mode)) return isatty(fileno(stream)) == 0;
  return false;
}

}  // namespace tav::io::stream
