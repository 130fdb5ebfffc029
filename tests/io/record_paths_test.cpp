// The record paths of an external WRITE: integer fields built in place in
// the unit's record, and records copied into the stream's buffer when it is
// fully buffered and has room (through the stream otherwise).  Each result
// is checked against the same items written on an in-memory record, which
// takes the general paths, and against printf.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cinttypes>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "io/io_support.h"
#include "support/child.h"
#include "support/record_fixture.h"

namespace {

using namespace iotest;

struct IntCase {
  const char *format;
  bool sp;  // the format begins with SP
  int w, m;
};

// Format and width/minimum of every case; the values are each written
// under each.
const IntCase kFormats[] = {
    {"(I12)", false, 12, 1},     {"(I0)", false, 0, 1},      {"(I5)", false, 5, 1},
    {"(I10)", false, 10, 1},     {"(I11)", false, 11, 1},    {"(SP,I12)", true, 12, 1},
    {"(I12.11)", false, 12, 11}, {"(I3.3)", false, 3, 3},    {"(I20)", false, 20, 1},
    {"(I64)", false, 64, 1},     {"(I64.63)", false, 64, 63}, {"(I65)", false, 65, 1},
    {"(I0.40)", false, 0, 40},   {"(I1)", false, 1, 1},      {"(I2)", false, 2, 1},
    {"(I3)", false, 3, 1},       {"(I8)", false, 8, 1},      {"(I9)", false, 9, 1},
};

const std::int64_t kValues[] = {
    0, 1, -1, 7, 8, -9, 10, 99, -100, 1000, 99999999, 999999999, 1000000000, -1000000000, INT32_MAX, INT32_MIN,
    4294967295LL, 4294967296LL, -9999999999LL, 10000000000LL, 999999999999999999LL, 1000000000000000000LL, INT64_MAX,
    INT64_MIN};

bool fits_int32(std::int64_t v) { return v >= INT32_MIN && v <= INT32_MAX; }

// What Iw.m gives for v, from printf.
std::string expected_field(const IntCase &c, std::int64_t v) {
  char buf[128];
  std::snprintf(buf, sizeof buf, c.sp ? "%+.*" PRId64 : "%.*" PRId64, c.m, v);
  std::string s = buf;
  if (c.w == 0) return s;
  if (static_cast<int>(s.size()) > c.w) return std::string(static_cast<std::size_t>(c.w), '*');
  return std::string(static_cast<std::size_t>(c.w) - s.size(), ' ') + s;
}

// One item: default INTEGER where the value fits, else INTEGER(KIND=8).
int write_value(std::int64_t v) {
  return fits_int32(v) ? __TAVf90_write_i(static_cast<std::int32_t>(v)) : __TAVf90_write_i4(v);
}

TEST(RecordPaths, IntegerFieldsInPlaceAsOnAnyRecord) {
  // In memory (the record hooks of a test record), and on standard output
  // after a record of x's, so that any position a field leaves unwritten
  // shows.
  std::string expected;
  for (const IntCase &c : kFormats) {
    for (std::int64_t v : kValues) {
      tavtest::TestRecord rec;
      ASSERT_EQ(__TAVf90_establish_format(c.format, -1, TAV_MODE_OUTPUT), 0);
      ASSERT_EQ(write_value(v), 0);
      EXPECT_EQ(rec.text(), expected_field(c, v)) << c.format << " " << v;
      expected += std::string(80, 'x') + "\n" + expected_field(c, v) + "\n";
    }
  }
  auto r = tavtest::run([] {
    f90_io_init();
    for (const IntCase &c : kFormats)
      for (std::int64_t v : kValues) {
        __TAVf90_write(6, "(A)", -1, nullptr, 0, 0);
        __TAVf90_write_ch(std::string(80, 'x').c_str(), 80);
        __TAVf90_endwrite();
        if (int s = __TAVf90_write(6, c.format, -1, nullptr, 0, 1)) std::fprintf(stderr, "begin %d\n", s);
        if (int s = write_value(v)) std::fprintf(stderr, "item %d\n", s);
        if (int s = __TAVf90_endwrite()) std::fprintf(stderr, "end %d\n", s);
      }
  });
  EXPECT_TRUE(r.exited(0)) << r.describe();
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out, expected);
}

TEST(RecordPaths, FieldAtTheEndOfTheRecord) {
  // A field that just fits, and one that does not: the characters that fit
  // are kept and the overflow is reported, as on any record.
  const char *const formats[] = {"(T1013,I12)", "(T1014,I12)", "(T1020,SP,I5)", "(T1024,I0)", "(T1025,I0)"};
  std::string in_memory;
  for (const char *f : formats) {
    tavtest::TestRecord rec(1024);
    ASSERT_EQ(__TAVf90_establish_format(f, -1, TAV_MODE_OUTPUT), 0);
    int s = __TAVf90_write_i(-123456789);
    in_memory += std::to_string(s) + ":" + rec.text() + "\n";
  }
  std::string blanks(1012, ' ');
  EXPECT_EQ(in_memory.substr(0, in_memory.find('\n') + 1), "0:" + blanks + "  -123456789\n");

  auto r = tavtest::run([formats] {
    f90_io_init();
    for (const char *f : formats) {
      __TAVf90_write(6, f, -1, nullptr, 0, 1);
      int s = __TAVf90_write_i(-123456789);
      std::printf("%d:", s);
      __TAVf90_endwrite();
    }
  });
  EXPECT_TRUE(r.exited(0)) << r.describe();
  EXPECT_EQ(r.out, in_memory);
  EXPECT_NE(r.out.find("\n100:" + blanks + "   -12345678\n"), std::string::npos);
}

TEST(RecordPaths, ListDirectedIntegersInPlace) {
  // Enough values to fill several records of 1024 characters, so that the
  // values around each record end are written both ways.
  auto items = [] {
    for (int i = 0; i < 40; ++i)
      for (std::int64_t v : kValues)
        if (fits_int32(v)) __TAVf90_lwrite_i(static_cast<std::int32_t>(v));
  };
  std::string in_memory;
  {
    tavtest::TestRecord rec(1024);
    ASSERT_EQ(__TAVf90_init_loutput(), 0);
    items();
    __TAVf90_io_top = 0;  // the fixture shows the current record up to max(position, top)
    in_memory = rec.text() + "\n";
  }
  EXPECT_GE(std::count(in_memory.begin(), in_memory.end(), '\n'), 3);
  EXPECT_EQ(in_memory.substr(0, 32), " 0 1 -1 7 8 -9 10 99 -100 1000 9");

  auto r = tavtest::run([items] {
    f90_io_init();
    // A record of x's first, so that any position left unwritten shows.
    __TAVf90_write(6, "(A)", -1, nullptr, 0, 0);
    __TAVf90_write_ch(std::string(1000, 'x').c_str(), 1000);
    __TAVf90_endwrite();
    __TAVf90_write(6, nullptr, 0, nullptr, 0, 0);
    items();
    __TAVf90_endwrite();
  });
  EXPECT_TRUE(r.exited(0)) << r.describe();
  EXPECT_EQ(r.out, std::string(1000, 'x') + "\n" + in_memory);
}

// Records of several lengths on standard output, under the buffering
// `mode` with a buffer of `size` bytes (0: the stream's own); with
// `marker`, a '|' is written around the stream after the first record.
std::string records_under(int mode, std::size_t size, std::string *err, bool marker = true) {
  auto r = tavtest::run([mode, size, marker] {
    static char buffer[4096];
    std::setvbuf(stdout, size != 0 ? buffer : nullptr, mode, size);
    f90_io_init();
    for (int i = 0; i < 3000; ++i) {
      // A record of 1 to 40 characters.
      char format[16];
      std::snprintf(format, sizeof format, "(I%d)", 1 + i % 40);
      __TAVf90_write(6, format, -1, nullptr, 0, 0);
      __TAVf90_write_i(i % 10);
      __TAVf90_endwrite();
      // Written around the stream: shows what the stream had passed on.
      if (i == 0 && marker) {
        if (write(1, "|", 1) != 1) std::abort();
      }
    }
  });
  *err = r.describe();
  return r.out;
}

TEST(RecordPaths, EveryBufferingOfTheStream) {
  std::string records;
  for (int i = 0; i < 3000; ++i) records += std::string(static_cast<std::size_t>(i % 40), ' ') + std::to_string(i % 10) + "\n";
  std::string err;
  // Fully buffered: the first record is still in the buffer when the
  // marker is written.
  EXPECT_EQ(records_under(_IOFBF, 0, &err), "|" + records) << err;
  // (a buffer this small passes on at once what does not fit in it)
  EXPECT_EQ(records_under(_IOFBF, 64, &err, false), records) << err;
  EXPECT_EQ(records_under(_IOFBF, 4096, &err), "|" + records) << err;
  // Line-buffered and unbuffered streams pass every record on at once.
  std::string first = records.substr(0, 2);
  std::string after = "|" + records.substr(2);
  EXPECT_EQ(records_under(_IOLBF, 0, &err), first + after) << err;
  EXPECT_EQ(records_under(_IOLBF, 64, &err), first + after) << err;
  EXPECT_EQ(records_under(_IONBF, 0, &err), first + after) << err;
}

}  // namespace
