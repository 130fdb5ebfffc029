// The stream layer: the check of the FILE layout, and records written
// through the stream's buffer are byte for byte what fwrite would write,
// through full, line-buffered and unbuffered streams.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "io/stream.h"

namespace {

namespace stream = tav::io::stream;

// Writes records of the given lengths (letters, each with its newline),
// each followed by a bare run, through a temporary file with the given
// buffering; returns what the file holds.
std::string written(int buffering, std::size_t bufsize) {
  std::FILE *f = std::tmpfile();
  std::setvbuf(f, nullptr, buffering, bufsize);
  char record[80];
  for (int n : {0, 1, 7, 8, 16, 17, 40, 63}) {
    for (int i = 0; i < n; ++i) record[i] = static_cast<char>('a' + (n + i) % 26);
    EXPECT_EQ(stream::put_record(f, record, n), 0);
    EXPECT_EQ(stream::put(f, "xy", 2), 0);
  }
  std::rewind(f);
  std::string s;
  for (int c; (c = std::getc(f)) != EOF;) s += static_cast<char>(c);
  std::fclose(f);
  return s;
}

TEST(Stream, BufferAccessGivesWhatTheCallsGive) {
  stream::check_buffer_access();
  // The glibc this library targets passes the check.
  EXPECT_TRUE(stream::buffer_access);
  for (auto [buffering, size] : {std::pair{_IOFBF, 4096}, {_IOFBF, 24}, {_IOLBF, 64}, {_IONBF, 0}}) {
    stream::buffer_access = true;
    std::string fast = written(buffering, static_cast<std::size_t>(size));
    stream::buffer_access = false;
    std::string portable = written(buffering, static_cast<std::size_t>(size));
    EXPECT_EQ(fast, portable) << buffering << " " << size;
    EXPECT_EQ(fast.size(), 152u + 8 + 8 * 2);
  }
  stream::check_buffer_access();
}

}  // namespace
