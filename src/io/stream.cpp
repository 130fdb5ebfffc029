#include "io/stream.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "storage/work.h"

namespace tav::io::stream {

bool buffer_access = false;

namespace {
// The buffers given to streams, freed when their stream is closed.
struct LargeBuffer {
  std::FILE *stream;
  char *buffer;
  std::size_t size;
  LargeBuffer *next;
};
LargeBuffer *large_buffers = nullptr;
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
  if (n <= 0) return 0;
  // One thread runs the program: the stream needs no locking.  A short
  // count means the stream failed (a flush of its buffer included).
  std::size_t done = fwrite_unlocked(bytes, 1, static_cast<std::size_t>(n), stream);
  if (done == static_cast<std::size_t>(n)) return 0;
  int e = error();
  clearerr_unlocked(stream);
  errno = e;
  return e;
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

Line read_line_call(std::FILE *stream, char *buf, int capacity, int *n) {
  clearerr_unlocked(stream);
  std::size_t k = 0;
  const std::size_t cap = capacity > 0 ? static_cast<std::size_t>(capacity) : 0;
  // A line of more than `capacity` characters, the first of them in buf:
  // unless the character after them begins its CR LF ending, it stays
  // unread.
  auto too_long = [&] {
    *n = capacity;
    return take_crlf(stream) ? Line::kRecord : Line::kTooLong;
  };
  for (;;) {
    // What the buffer holds: up to the newline, or all of it.
    if (std::size_t avail = readable(stream)) {
      char *p = stream->_IO_read_ptr;
      auto *nl = static_cast<char *>(std::memchr(p, '\n', avail));
      std::size_t len = nl != nullptr ? static_cast<std::size_t>(nl - p) : avail;
      const std::size_t data = len - (nl != nullptr && len > 0 && p[len - 1] == '\r');
      if (data > cap - k) {
        std::memcpy(buf + k, p, cap - k);
        stream->_IO_read_ptr = p + (cap - k);
        return too_long();
      }
      std::memcpy(buf + k, p, data);
      k += data;
      if (nl != nullptr) {
        // (a return the last refill ended with stands before this newline)
        if (len == 0 && k > 0 && buf[k - 1] == '\r') --k;
        stream->_IO_read_ptr = nl + 1;
        *n = static_cast<int>(k);
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
      return k == 0 ? Line::kEnd : Line::kRecord;
    }
    if (c == '\n') {
      if (k > 0 && buf[k - 1] == '\r') --k;
      *n = static_cast<int>(k);
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
int close(std::FILE *stream) {
  int result = std::fclose(stream);
  for (LargeBuffer **p = &large_buffers; *p != nullptr; p = &(*p)->next) {
    if ((*p)->stream == stream) {
      LargeBuffer *b = *p;
      *p = b->next;
      storage::work_free(b->buffer, b->size);
      storage::work_free(b, sizeof(LargeBuffer));
      break;
    }
  }
  return result;
}
int flush(std::FILE *stream) { return std::fflush(stream); }
void clear_error(std::FILE *stream) { clearerr_unlocked(stream); }

int seek(std::FILE *stream, off_t offset, int whence) { return fseeko(stream, offset, whence); }
off_t tell(std::FILE *stream) { return ftello(stream); }

std::size_t get(std::FILE *stream, void *dst, std::size_t n, int *code) {
  *code = 0;
  if (n == 0) return 0;
  std::size_t done = fread_unlocked(dst, 1, n, stream);
  if (done < n) {
    if (ferror_unlocked(stream)) *code = error();
    int e = errno;
    clearerr_unlocked(stream);
    errno = e;
  }
  return done;
}

std::size_t get_at(std::FILE *stream, off_t at, void *dst, std::size_t n, int *code) {
  *code = 0;
  constexpr int kPutting = 0x800;
  if ((!buffer_access || (stream->_flags & kPutting) != 0) && std::fflush(stream) != 0) {
    *code = error();
    clearerr_unlocked(stream);
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

void use_large_buffer(std::FILE *stream, std::size_t size) {
  struct stat st;
  if (fstat(fileno(stream), &st) != 0 || !S_ISREG(st.st_mode)) return;
  auto *b = static_cast<LargeBuffer *>(storage::work_alloc(sizeof(LargeBuffer)));
  b->buffer = static_cast<char *>(storage::work_alloc(size));
  b->size = size;
  if (std::setvbuf(stream, b->buffer, _IOFBF, size) != 0) {
    storage::work_free(b->buffer, size);
    storage::work_free(b, sizeof(LargeBuffer));
    return;
  }
  b->stream = stream;
  b->next = large_buffers;
  large_buffers = b;
}

int put_block(std::FILE *stream, const void *bytes, std::size_t n) {
  if (n == 0) return 0;
  std::size_t done = fwrite_unlocked(bytes, 1, n, stream);
  if (done == n) return 0;
  int e = error();
  clearerr_unlocked(stream);
  errno = e;
  return e;
}
bool at_end(std::FILE *stream) { return std::feof(stream) != 0; }

bool crlf_before(std::FILE *stream, off_t p) {
  char two[2];
  int code = 0;
  return p >= 2 && get_at(stream, p - 2, two, 2, &code) == 2 && two[0] == '\r' && two[1] == '\n';
}

int line_ending(std::FILE *stream) {
  if (at_end(stream)) return 0;
  return crlf_before(stream, tell(stream)) ? 2 : 1;
}
void switch_to_writing(std::FILE *stream) {
  // A stream that cannot be positioned has nothing to switch.
  std::fseek(stream, 0, SEEK_CUR);
}

int truncate_here(std::FILE *stream) {
  struct stat st;
  if (fstat(fileno(stream), &st) != 0 || !S_ISREG(st.st_mode)) return 0;
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
