#include "io/stream.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace tav::io::stream {

bool buffer_access = false;

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

Line read_line(std::FILE *stream, char *buf, int capacity, int *n) {
  clearerr_unlocked(stream);
  int k = 0;
  int c;
  while ((c = getc_unlocked(stream)) != EOF && c != '\n') {
    if (k == capacity) {
      std::ungetc(c, stream);
      *n = k;
      return Line::kTooLong;
    }
    buf[k++] = static_cast<char>(c);
  }
  *n = k;
  if (c == EOF && ferror_unlocked(stream)) {
    int e = error();
    clearerr_unlocked(stream);
    errno = e;
    return Line::kError;
  }
  return c == EOF && k == 0 ? Line::kEnd : Line::kRecord;
}

std::FILE *open(const char *name, const char *mode) { return std::fopen(name, mode); }
std::FILE *open_fd(int fd, const char *mode) { return fdopen(fd, mode); }
int close(std::FILE *stream) { return std::fclose(stream); }
int flush(std::FILE *stream) { return std::fflush(stream); }
void clear_error(std::FILE *stream) { clearerr_unlocked(stream); }

int seek(std::FILE *stream, long offset, int whence) { return std::fseek(stream, offset, whence); }
long tell(std::FILE *stream) { return std::ftell(stream); }
bool at_end(std::FILE *stream) { return std::feof(stream) != 0; }
void switch_to_writing(std::FILE *stream) {
  // A stream that cannot be positioned has nothing to switch.
  std::fseek(stream, 0, SEEK_CUR);
}

int truncate_here(std::FILE *stream) {
  struct stat st;
  if (fstat(fileno(stream), &st) != 0 || !S_ISREG(st.st_mode)) return 0;
  long at = std::ftell(stream);
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
