// The stream layer: the check of the FILE layout passes on the glibc this
// library targets, and records put through the stream's buffer are byte
// for byte what the calls write, for full, line-buffered and unbuffered
// streams.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "io/stream.h"

namespace {

namespace stream = tav::io::stream;

// Records of several lengths, each followed by a bare run, through a
// temporary file with the given buffering: what the file holds.
std::string written(bool fast, int buffering, std::size_t bufsize) {
  stream::buffer_access = fast;
  std::FILE *f = std::tmpfile();
  std::setvbuf(f, nullptr, buffering, bufsize);
  char record[80];
  for (int n : {0, 1, 7, 8, 16, 17, 40, 63}) {
    for (int i = 0; i < n; ++i) record[i] = static_cast<char>('a' + (n + i) % 26);
    EXPECT_EQ(stream::put_record(f, record, n) + stream::put(f, "xy", 2), 0);
  }
  std::rewind(f);
  std::string s;
  for (int c; (c = std::getc(f)) != EOF;) s += static_cast<char>(c);
  std::fclose(f);
  return s;
}

TEST(Stream, BufferAccessGivesWhatTheCallsGive) {
  stream::check_buffer_access();
  EXPECT_TRUE(stream::buffer_access);
  for (auto [buffering, size] : {std::pair{_IOFBF, 4096}, {_IOFBF, 24}, {_IOLBF, 64}, {_IONBF, 0}}) {
    std::string fast = written(true, buffering, static_cast<std::size_t>(size));
    EXPECT_EQ(fast, written(false, buffering, static_cast<std::size_t>(size))) << buffering << " " << size;
    EXPECT_EQ(fast.size(), 152u + 8 + 8 * 2);
  }
  stream::check_buffer_access();
}

}  // namespace
