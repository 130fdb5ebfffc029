// Direct access: the file an array of RECL-byte records, REC= checks,
// NEXTREC, records beyond the end, and files past 2 GiB.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "io/files_support.h"
#include "support/child.h"
#include "tavf90.h"

namespace {

using namespace filetest;
using tavtest::expect_run;

constexpr int kEor = 2;  // READ flags: EOR= given

void say(int code) { std::printf("%d ", code); }

int nextrec(int unit) {
  int n = -9;
  __TAVf90_inquire_u(unit, nullptr, 0, nullptr, 0, nullptr, 0, nullptr, 0, nullptr, 0, nullptr, nullptr, 0, nullptr,
                     0, nullptr, nullptr, 0, nullptr, &n, nullptr, nullptr, 0, nullptr, 0, nullptr, 0, nullptr, 0,
                     nullptr, nullptr, 0, nullptr, 0, nullptr, 0);
  return n;
}

// Takes n characters of a formatted direct record one at a time.
std::string take(int n) {
  std::string s;
  char c;
  for (int i = 0; i < n; ++i) {
    if (int code = __TAVf90_mygetc(&c)) return s + "#" + std::to_string(code);
    s += c;
  }
  return s;
}

TEST(Direct, Formatted) {
  auto r = expect_run("formatted", [] {
    f90_io_init();
    open(10, "d.txt", "FORMATTED", "DIRECT", 10);
    __TAVf90_dwrite(10, "(A)", 3, 3, 0);
    __TAVf90_write_ch("ABC", 3);
    __TAVf90_enddwrite();
    std::fflush(__TAVf90_file[10]);
    std::printf("%s ", hex(slurp("d.txt")).c_str());
    say(nextrec(10));
    say(__TAVf90_dread(10, "()", 2, 4, nullptr, -1));
    say(__TAVf90_dread(10, "()", 2, 0, nullptr, -1));
    int size = -1;
    say(__TAVf90_dread(10, "()", 2, 3, &size, kEor));
    std::printf("[%s] ", take(11).c_str());
    __TAVf90_enddread();
    say(size);
    // A "/" writes the record and goes on with the next one.
    __TAVf90_dwrite(10, "(A/A)", 5, 5, 0);
    __TAVf90_write_ch("first", 5);
    __TAVf90_write_ch("second", 6);
    __TAVf90_enddwrite();
    say(nextrec(10));
    say(__TAVf90_dwrite(10, "(A)", 3, 1, 1) + __TAVf90_write_ch("eleven char", 11));
    // Items read through the format, "/" reading the next record.
    __TAVf90_dwrite(10, "(I4)", 4, 7, 0);
    __TAVf90_write_i(-12);
    __TAVf90_enddwrite();
    int32_t i = 0;
    char word[7] = {};
    if (__TAVf90_dread(10, "(A6/I4)", 7, 6, nullptr, 0) == 0 && __TAVf90_read_ch(word, 6) == 0 &&
        __TAVf90_read_i(&i) == 0)
      __TAVf90_enddread();
    std::printf("%s %d %d\n", word, i, nextrec(10));
  }, {0});
  EXPECT_EQ(r.out,
            "000000000000000000000000000000000000000041424320202020202020 4 214 180 0 [ABC       #-2] 10 7 100 "
            "second -12 8\n");
  EXPECT_EQ(r.file("d.txt").substr(40), "first     second     -12      ");
}

TEST(Direct, Unformatted) {
  expect_run("unformatted", [] {
    f90_io_init();
    open(10, "d.dat", "UNFORMATTED", "DIRECT", 8);
    int32_t v[3] = {0x11111111, 0x22222222, 0x33333333};
    __TAVf90_dwriteu(10, 2, 0);
    __TAVf90_uwrite(v, 8);
    __TAVf90_enddwriteu();
    // A shorter record is padded with zeros, not with the last record's bytes.
    __TAVf90_dwriteu(10, 1, 0);
    __TAVf90_uwrite(&v[2], 4);
    __TAVf90_enddwriteu();
    std::fflush(__TAVf90_file[10]);
    std::printf("%s ", hex(slurp("d.dat")).c_str());
    int32_t w[3] = {};
    say(__TAVf90_dreadu(10, 2, -1));
    say(__TAVf90_uread(w, 4));
    say(__TAVf90_uread(w + 1, 8));
    say(__TAVf90_dreadu(10, 2, -1));
    say(__TAVf90_uread(w, 8));
    __TAVf90_enddreadu();
    say(nextrec(10));
    std::printf("%x %x ", w[0], w[1]);
    say(__TAVf90_dreadu(10, 3, -1));
    say(__TAVf90_dwriteu(10, 1, 1) + __TAVf90_uwrite(v, 12));
    tav_ptr_desc d{};
    d.base = reinterpret_cast<char *>(v);
    d.dim[0] = {3, 4, 1};
    say(__TAVf90_dwriteu(10, 1, 1) + __TAVf90_uwritea(1, &d, 4));
    say(__TAVf90_dreadu(10, 1, -1) + __TAVf90_ureada(1, &d, 4));
    std::printf("\n");
  }, {0, "3333333300000000" "1111111122222222 0 0 206 0 0 3 11111111 22222222 214 100 100 206 \n"});
}

TEST(Direct, UnitChecks) {
  expect_run("checks", [] {
    f90_io_init();
    open(10, "s.dat", "UNFORMATTED");
    open(11, "u.dat", "UNFORMATTED", "DIRECT", 8);
    open(12, "f.txt", "FORMATTED", "DIRECT", 8);
    open(13, "ro.dat", "UNFORMATTED", "DIRECT", 8, "WRITE");
    for (int code : {__TAVf90_dreadu(10, 1, -1), __TAVf90_dwrite(11, "()", 2, 1, 1), __TAVf90_dwriteu(12, 1, 1),
                     __TAVf90_dreadu(13, 1, -1), __TAVf90_dwriteu(-2, 1, 1), __TAVf90_dreadu(50, 1, -1),
                     __TAVf90_dwriteu(11, -5, 1)})
      say(code);
    std::printf("\n");
  }, {0, "179 152 154 151 147 148 180 \n"});
}

// A record past 2 GiB on a sparse file: written, read back, and the file
// has the size 64-bit offsets give.
TEST(Direct, FilePast2GiB) {
  auto r = tavtest::run([] {
    f90_io_init();
    if (open(10, "big.dat", "UNFORMATTED", "DIRECT", 1 << 20) != 0) std::exit(3);
    const int rec = 3073;  // bytes 3 GiB to 3 GiB + 1 MiB
    int32_t v = 0x5a5a1234, w = 0;
    if (__TAVf90_dwriteu(10, rec, 1) || __TAVf90_uwrite(&v, 4) || __TAVf90_enddwriteu()) std::exit(4);
    if (__TAVf90_dreadu(10, rec, -1) || __TAVf90_uread(&w, 4) || __TAVf90_enddreadu()) std::exit(5);
    struct stat st;
    stat("big.dat", &st);
    std::printf("%x %lld %d\n", w, static_cast<long long>(st.st_size), nextrec(10));
    close_unit(10);
    unlink("big.dat");
  });
  if (r.exited(4)) GTEST_SKIP() << "the file system refused a sparse file past 2 GiB";
  EXPECT_TRUE(r.exited(0)) << r.describe();
  EXPECT_EQ(r.out, "5a5a1234 3222274048 3074\n");
}

// A sequential file past 2 GiB: a record appended at 3 GiB, stepped over
// by BACKSPACE and read back; REWIND goes back to the start.
TEST(Sequential, FilePast2GiB) {
  auto r = tavtest::run([] {
    f90_io_init();
    if (truncate("big.dat", 0) != 0) {
      put_file("big.dat", "");
    }
    if (truncate("big.dat", 3LL << 30) != 0) std::exit(4);
    __TAVf90_open(10, "big.dat", 7, nullptr, 0, nullptr, 0, "UNFORMATTED", 11, nullptr, nullptr, 0, "APPEND", 6,
                  nullptr, 0, nullptr, 0, nullptr, 0, 0);
    write_record(10, "past 2 GiB");
    __TAVf90_backspace(10, 0);
    std::printf("%s ", read_record(10, 10).c_str());
    __TAVf90_backspace(10, 0);
    __TAVf90_backspace(10, 1);  // the zeros before it: a record of length 0
    __TAVf90_rewind(10, 0);
    std::printf("%s\n", hex(read_record(10, 0)).c_str());
    close_unit(10);
    struct stat st;
    stat("big.dat", &st);
    std::printf("%lld\n", static_cast<long long>(st.st_size));
    unlink("big.dat");
  });
  if (r.exited(4)) GTEST_SKIP() << "the file system refused a sparse file past 2 GiB";
  EXPECT_TRUE(r.exited(0)) << r.describe();
  EXPECT_EQ(r.out, "past 2 GiB \n3221225490\n");
}

}  // namespace
