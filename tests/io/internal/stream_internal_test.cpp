// The stream layer: the check of the FILE layout passes on the glibc this
// library targets, and records and runs put through the stream's buffer
// are what the calls give, for full, line-buffered and unbuffered streams:
// the same bytes, passed on to the file at the same moments (a fully
// buffered stream keeps what fits, the others pass each record on at
// once), and nothing stored past the end of the buffer.
#include <sys/stat.h>

#include "support/common.h"
#include "io/stream.h"

namespace {

namespace stream = tav::io::stream;

// Records of several lengths, each followed by a bare run, through a
// temporary file written to before its buffering is set, as standard output
// may be (a buffer of `size` bytes and a guard byte after it): the file's
// size after each, then what it holds.
std::string written(bool fast, int buffering, std::size_t size) {
  stream::buffer_access = fast;
  static char buffer[4097];
  buffer[size] = '#';
  std::FILE *f = std::tmpfile();
  std::fputc('.', f);
  std::setvbuf(f, size != 0 ? buffer : nullptr, buffering, size);
  char record[80];
  std::string s;
  for (int n : {0, 1, 7, 8, 16, 17, 40, 63}) {
    for (int i = 0; i < n; ++i) record[i] = static_cast<char>('a' + (n + i) % 26);
    EXPECT_EQ(stream::put_record({f}, record, n) + stream::put(f, "xy", 2), 0);
    struct stat st {};
    fstat(fileno(f), &st);
    s += std::to_string(st.st_size) + " ";
  }
  EXPECT_EQ(buffer[size], '#') << "past the buffer of " << size;
  std::rewind(f);
  s += "|";
  for (int c; (c = std::getc(f)) != EOF;) s += static_cast<char>(c);
  std::fclose(f);
  return s;
}

TEST(Stream, BufferAccessGivesWhatTheCallsGive) {
  stream::check_buffer_access();
  EXPECT_TRUE(stream::buffer_access);
  // (size 0: the buffer the C library allocates)
  const std::pair<int, int> bufferings[] = {{_IOFBF, 4096}, {_IOFBF, 24}, {_IOFBF, 0},
                                            {_IOLBF, 0},     {_IOLBF, 64},  {_IONBF, 0}};
  for (auto [buffering, size] : bufferings) {
    std::string fast = written(true, buffering, static_cast<std::size_t>(size));
    EXPECT_EQ(fast, written(false, buffering, static_cast<std::size_t>(size))) << buffering << " " << size;
    EXPECT_EQ(fast.size() - fast.find('|') - 1, 1 + 152u + 8 + 8 * 2);
  }
  stream::check_buffer_access();
}

}  // namespace
