// Unformatted sequential READ and WRITE: the bytes in the file, round trips
// of every item kind, records larger than the buffer, and bad files.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "io/files_support.h"
#include "support/child.h"
#include "tavf90.h"

namespace {

using namespace filetest;

// Prints a statement's result, in the order the statements ran.
void say(int code) { std::printf("%d ", code); }
using tavtest::expect_run;

tav_ptr_desc vec(void *base, intptr_t n, intptr_t stride) {
  tav_ptr_desc d{};
  d.base = static_cast<char *>(base);
  d.dim[0] = {n, stride, 1};
  return d;
}

// The file a WRITE statement leaves, as hex.
struct Layout {
  const char *what;
  std::function<void()> write;
  const char *hex;
};

TEST(Unformatted, RecordLayout) {
  static int32_t six[6] = {1, 2, 3, 4, 5, 6};
  static char chars[3][2] = {{'a', 'b'}, {'c', 'd'}, {'e', 'f'}};
  const Layout cases[] = {
      {"one INTEGER", [] { int v = 1; __TAVf90_writeu(10, 0); __TAVf90_uwrite(&v, 4); __TAVf90_endwriteu(); },
       "040000000100000004000000"},
      {"empty WRITE", [] { __TAVf90_writeu(10, 0); __TAVf90_endwriteu(); }, "0000000000000000"},
      {"one-call form", [] { __TAVf90_writeu_opt(10, 0, "xyz", 3); }, "0300000078797a03000000"},
      {"every second element", [] {
         tav_ptr_desc d = vec(six, 3, 8);
         __TAVf90_writeu(10, 0); __TAVf90_uwritea(1, &d, 4); __TAVf90_endwriteu(); },
       "0c000000010000000300000005000000" "0c000000"},
      {"2-D section, rows 1..2 of a 3x2 array, negative stride", [] {
         tav_ptr_desc d{};
         d.base = reinterpret_cast<char *>(&six[4]);  // a(2,2) first, columns backwards
         d.dim[0] = {2, -4, 1};
         d.dim[1] = {2, -12, 1};
         __TAVf90_writeu(10, 0); __TAVf90_uwritea(2, &d, 4); __TAVf90_endwriteu(); },
       "10000000" "05000000040000000200000001000000" "10000000"},
      {"2-D section a(1:2, 1:3:2) of a 3x3 array: runs along the first dimension", [] {
         static int32_t m[9] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
         tav_ptr_desc d{};
         d.base = reinterpret_cast<char *>(m);
         d.dim[0] = {2, 4, 1};
         d.dim[1] = {2, 24, 1};
         __TAVf90_writeu(10, 0); __TAVf90_uwritea(2, &d, 4); __TAVf90_endwriteu(); },
       "10000000" "01000000020000000700000008000000" "10000000"},
      {"CHARACTER array, factor 1, two records", [] {
         tav_cptr_desc d{};
         d.base = &chars[0][0];
         d.len = 2;
         d.dim[0] = {2, 4, 1};  // chars(1) and chars(3)
         __TAVf90_writeu(10, 0); __TAVf90_uwritecha(1, &d, 1); __TAVf90_endwriteu();
         __TAVf90_writeu(10, 0); __TAVf90_endwriteu(); },
       "04000000" "61626566" "04000000" "0000000000000000"},
  };
  for (const Layout &c : cases) {
    auto r = expect_run(c.what, [&c] {
      f90_io_init();
      open_unf(10, "u.dat");
      c.write();
      close_unit(10);
    }, {0});
    EXPECT_EQ(hex(r.file("u.dat")), c.hex) << c.what;
  }
}

// Every item kind written and read back, records of different sizes mixed,
// and the position after a READ that took fewer bytes than the record.
TEST(Unformatted, RoundTrips) {
  expect_run("round trips", [] {
    f90_io_init();
    open_unf(10, "u.dat");
    double x[4] = {1.5, -2.25, 1e300, 0};
    int32_t m[3][2] = {{1, 2}, {3, 4}, {5, 6}};
    char names[2][3] = {{'a', 'b', 'c'}, {'x', 'y', 'z'}};
    tav_ptr_desc dx = vec(x, 4, 8);
    tav_ptr_desc dm{};
    dm.base = reinterpret_cast<char *>(&m[0][0]);
    dm.dim[0] = {2, 4, 1};
    dm.dim[1] = {3, 8, 1};
    tav_cptr_desc dc{};
    dc.base = &names[0][0];
    dc.len = 3;
    dc.dim[0] = {2, 3, 1};
    int16_t k = -7;
    __TAVf90_writeu(10, 0);
    __TAVf90_uwrite(&k, 2);
    __TAVf90_uwritea(1, &dx, 8);
    __TAVf90_uwritea(2, &dm, 4);
    __TAVf90_uwritecha(1, &dc, 1);
    __TAVf90_endwriteu();
    __TAVf90_writeu_opt(10, 0, "12345678", 8);
    __TAVf90_writeu_opt(10, 0, "tail", 4);
    __TAVf90_rewind(10, 0);

    double y[8] = {};
    int32_t n[6] = {};
    char got[7] = {};
    tav_ptr_desc dy = vec(y, 4, 16);  // into every second element
    tav_ptr_desc dn = vec(n, 6, 4);
    tav_cptr_desc dg{};
    dg.base = got;
    dg.len = 3;
    dg.dim[0] = {2, 3, 1};
    int16_t k2 = 0;
    int a = 0;
    char t[5] = {};
    say(__TAVf90_readu(10, 0));
    say(__TAVf90_uread(&k2, 2));
    say(__TAVf90_ureada(1, &dy, 8));
    say(__TAVf90_ureada(1, &dn, 4));
    say(__TAVf90_ureadcha(1, &dg, 1));
    say(__TAVf90_endreadu());
    std::printf("|%d %g %g %g|", k2, y[0], y[2], y[4]);
    for (int v : n) std::printf("%d", v);
    std::printf("|%s|", got);
    say(__TAVf90_readu_opt(10, 0, &a, 4));
    say(__TAVf90_readu_opt(10, 0, t, 4));
    std::printf("%x|%s|", a, t);
    say(__TAVf90_readu_opt(10, kIostat, t, 0));
    std::printf("\n");
    close_unit(10);
  }, {0, "0 0 0 0 0 0 |-7 1.5 -2.25 1e+300|123456|abcxyz|0 0 34333231|tail|-1 \n"});
}

// Records longer than the buffer: spilled by items of any size and patched
// at the end, read back piecewise; with RECL= they are refused.
TEST(Unformatted, RecordsLongerThanTheBuffer) {
  expect_run("spill", [] {
    f90_io_init();
    std::vector<char> big(100000);
    for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 7 + 1);
    open_unf(10, "big.dat");
    __TAVf90_writeu(10, 0);
    for (int i = 0; i < 10; ++i) __TAVf90_uwrite(&big[i * 10000], 10000);
    __TAVf90_endwriteu();
    write_record(10, std::string(big.data(), 70000));
    __TAVf90_writeu_opt(10, 0, "z", 1);
    close_unit(10);
    std::string f = slurp("big.dat");
    int32_t lead, trail;
    std::memcpy(&lead, f.data(), 4);
    std::memcpy(&trail, f.data() + 100004, 4);
    std::printf("%zu %d %d\n", f.size(), lead, trail);

    open_unf(10, "big.dat");
    std::vector<char> back(100000);
    tav_ptr_desc d = vec(back.data(), 100000, 1);
    int code = __TAVf90_readu(10, 0);
    code += __TAVf90_ureada(1, &d, 1) + __TAVf90_endreadu();
    std::printf("%d %d\n", code, back == big);
    char first[3];
    // Three bytes of the 70000-byte record; the rest is skipped.
    say(__TAVf90_readu_opt(10, 0, first, 3));
    say(std::memcmp(first, big.data(), 3));
    std::printf("%s\n", read_record(10, 1).c_str());
    close_unit(10);

    open_unf(11, "big.dat", 65536);
    std::printf("%s ", read_record(11, 4).c_str());
    close_unit(11);
    open_unf(12, "r.dat", 65536);
    say(__TAVf90_writeu_opt(12, 1, big.data(), 65537));
    say(__TAVf90_writeu(12, 1) + __TAVf90_uwrite(big.data(), 65536) + __TAVf90_uwrite(big.data(), 1));
    std::printf("\n");
  }, {0, "170025 100000 100000\n0 1\n0 0 z\n#104 100 100 \n"});
}

// Bad files and wrong statements: the condition through IOSTAT=, and the
// file still readable where it makes sense.
struct BadRead {
  const char *what;
  std::string file;
  int bytes;      // asked for by the READ
  const char *expected;
};

TEST(Unformatted, BadFilesAndStatements) {
  const int32_t neg = -8, huge = 0x7fffffff;
  const BadRead cases[] = {
      {"empty file", "", 4, "#-1"},
      {"leading marker cut short", std::string("\x04\x00", 2), 4, "#-1"},
      {"negative marker", std::string(reinterpret_cast<const char *>(&neg), 4) + "12345678", 4, "#208"},
      {"trailing marker differs", record("abcd").substr(0, 8) + std::string("\x05\0\0\0", 4), 4, "#208"},
      {"data cut short", record("abcdefgh").substr(0, 9), 1, "#208"},
      {"trailing marker missing", record("abcd").substr(0, 8), 4, "#208"},
      {"huge marker, few bytes", std::string(reinterpret_cast<const char *>(&huge), 4) + "abcdefgh", 4, "#208"},
      {"more items than the record", record("abcdefgh"), 12, "#206"},
      {"large record, trailing marker differs", record(std::string(5000, 'x')).substr(0, 5004) + "\x89\x13\0\0",
       4, "#208"},
      {"large record cut short", record(std::string(5000, 'x')).substr(0, 3000), 4, "#208"},
  };
  for (const BadRead &c : cases) {
    expect_run(c.what, [&c] {
      f90_io_init();
      put_file("u.dat", c.file);
      open_unf(10, "u.dat");
      std::printf("%s|", read_record(10, c.bytes).c_str());
      // The one-call form reports the same.
      __TAVf90_rewind(10, 0);
      std::string buf(static_cast<std::size_t>(c.bytes), '\0');
      std::printf("%d\n", __TAVf90_readu_opt(10, kIostat, buf.data(), c.bytes));
    }, {0, (std::string(c.expected) + "|" + (c.expected + 1) + "\n").c_str()});
  }
}

TEST(Unformatted, UnitChecks) {
  expect_run("unit checks", [] {
    f90_io_init();
    open_unf(10, "u.dat");
    open(11, "f.txt");
    open(12, "d.dat", "UNFORMATTED", "DIRECT", 8);
    put_file("ro.dat", record("ab"));
    open(13, "ro.dat", "UNFORMATTED", nullptr, 0, "READ");
    int v = 0;
    write_record(10, "abcd");
    say(__TAVf90_readu(10, kIostat));
    say(__TAVf90_readu_opt(-1, kIostat, &v, 4));
    say(__TAVf90_writeu(11, 1));
    say(__TAVf90_writeu(12, 1));
    say(__TAVf90_writeu_opt(13, 1, &v, 4));
    say(__TAVf90_readu(12, kIostat));
    // A unit never connected is connected for unformatted access.
    say(write_record(20, "q"));
    __TAVf90_endfile(10, 1);
    say(write_record(10, "x"));
    say(__TAVf90_readu(10, kIostat));
    std::printf("\n");
    close_unit(20);
    std::printf("%s\n", hex(slurp("fort.20")).c_str());
  }, {0, "146 147 154 150 153 150 0 210 210 \n010000007101000000\n"});
}

// System errors reach the statement that meets them, with their number.
TEST(Unformatted, SystemErrors) {
  expect_run("system errors", [] {
    f90_io_init();
    std::vector<char> block(100000, 'x');
    open(10, "/dev/full", "UNFORMATTED", nullptr, 0, "WRITE");
    say(__TAVf90_writeu_opt(10, 1, block.data(), 100000));
    say(__TAVf90_writeu(10, 1) + __TAVf90_uwrite(block.data(), 100000));
    open(11, ".", "UNFORMATTED", nullptr, 0, "READ");
    say(__TAVf90_readu(11, kIostat));
    open(12, ".", "UNFORMATTED", "DIRECT", 8, "READ");
    say(__TAVf90_dreadu(12, 1, kIostat));
    std::printf("\n");
    std::fflush(stdout);
    std::_Exit(0);  // unit 10 cannot be closed
  }, {0, "28 28 21 21 \n"});
}

}  // namespace
