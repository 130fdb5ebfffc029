// External files: REWIND, BACKSPACE and ENDFILE, INQUIRE, unformatted sequential
// and direct access (the bytes in the file, bad files, files past 2 GiB),
// and files the peer runtime wrote.  Each scenario runs in a child.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <variant>
#include <vector>

#include "io/io_support.h"

namespace {

using namespace iotest;
using tavtest::expect_run;
using tavtest::kAborted;


// Prints a statement's result or a record read, in the order they ran.
void show(int code) { std::printf("%d ", code); }
void show(const std::string &s) { std::printf("%s ", s.c_str()); }

TEST(Positioning, FormattedRecords) {
  expect_run("a bb ccc", [] {
    f90_io_init();
    open(10, "t.txt");
    for (const char *s : {"a", "bb", "ccc"}) write_line(10, s);
    __TAVf90_backspace(10, 0);
    std::printf("%s ", read_line(10).c_str());
    __TAVf90_backspace(10, 0);
    __TAVf90_backspace(10, 0);
    std::printf("%s ", read_line(10).c_str());
    // At the end of the file: BACKSPACE clears the end-of-file state only,
    // a second one moves to the last record.
    std::printf("%s ", read_line(10).c_str());
    std::printf("%s ", read_line(10).c_str());
    show(__TAVf90_backspace(10, 1));
    show(read_line(10));
    __TAVf90_backspace(10, 0);
    __TAVf90_backspace(10, 0);
    std::printf("%s|", read_line(10).c_str());
    // REWIND after rewriting from the start: the file ends after the new
    // records.
    __TAVf90_rewind(10, 0);
    write_line(10, "1");
    write_line(10, "2");
    __TAVf90_rewind(10, 0);
    for (int i = 0; i < 3; ++i) show(read_line(10));
    std::printf("\n");
    close_unit(10);
    std::fputs(slurp("t.txt").c_str(), stdout);
  }, {0, "ccc bb ccc #-1 0 #-1 ccc|1 2 #-1 \n1\n2\n"});
}

// A record of exactly RECL characters is found at its first character.
TEST(Positioning, BackspaceOverRecordOfRecl) {
  expect_run("recl", [] {
    f90_io_init();
    int recl = 5;
    __TAVf90_open(10, "t.txt", 5, nullptr, 0, nullptr, 0, nullptr, 0, &recl, nullptr, 0, nullptr, 0, nullptr, 0,
                  nullptr, 0, nullptr, 0, 0);
    for (const char *s : {"abcde", "fghij"}) write_line(10, s);
    __TAVf90_backspace(10, 0);
    std::printf("%s ", read_line(10).c_str());
    __TAVf90_backspace(10, 0);
    __TAVf90_backspace(10, 0);
    std::printf("%s\n", read_line(10).c_str());
  }, {0, "fghij abcde\n"});
}

// Held output from a non-advancing WRITE: completed by REWIND and
// BACKSPACE, written before the end by ENDFILE, never lost at CLOSE.
TEST(Positioning, HeldOutput) {
  const struct {
    const char *what;
    int (*positioning)(int, int);
    const char *file;
  } cases[] = {
      {"REWIND", __TAVf90_rewind, "one\nheld\n"},
      {"BACKSPACE", __TAVf90_backspace, "one\nheld\n"},
      {"ENDFILE", __TAVf90_endfile, "one\nheld\n"},
  };
  for (const auto &c : cases) {
    auto r = expect_run(c.what, [&c] {
      f90_io_init();
      open(10, "t.txt");
      write_line(10, "one");
      write_line(10, "held", false);
      std::printf("%d\n", c.positioning(10, 1));
      close_unit(10);
    }, {0, "0\n"});
    EXPECT_EQ(r.file("t.txt"), c.file) << c.what;
  }
}

TEST(Positioning, EndfileAndErrors) {
  expect_run("endfile", [] {
    f90_io_init();
    open(10, "t.txt");
    for (const char *s : {"1", "2", "3"}) write_line(10, s);
    __TAVf90_rewind(10, 0);
    read_line(10);
    show(__TAVf90_endfile(10, 1));
    show(__TAVf90_endfile(10, 1));
    show(__TAVf90_rewind(10, 1));
    show(__TAVf90_endfile(10, 1));
    show(__TAVf90_backspace(10, 1));
    show(read_line(10));
    open(11, "d.dat", "UNFORMATTED", "DIRECT", 4);
    open(12, "t.txt", nullptr, nullptr, 0, "READ");
    for (int code : {__TAVf90_rewind(-3, 1), __TAVf90_backspace(11, 1), __TAVf90_endfile(12, 1),
                     __TAVf90_endfile(44, 1), __TAVf90_backspace(45, 1)})
      show(code);
    // REWIND of a unit never used connects it (and creates its file).
    show(__TAVf90_rewind(46, 1));
    std::printf("%d\n", std::fopen("fort.46", "r") != nullptr);
    // Truncation at the position a READ left, read-ahead notwithstanding.
    for (const char *s : {"x", "y", "z"}) write_line(46, s);
    __TAVf90_rewind(46, 0);
    read_line(46);
    show(__TAVf90_truncate(46, &__TAVf90_file[46]));
    close_unit(46);
    std::printf("%s", slurp("fort.46").c_str());
  }, {0, "0 173 0 0 0 #-1 147 150 153 148 148 0 1\n0 x\n"});
}

// Units that cannot be positioned: standard output on a pipe.
TEST(Positioning, Pipes) {
  tavtest::Options o;
  o.stdout_pipe = true;
  expect_run("pipe", [] {
    f90_io_init();
    for (int code : {__TAVf90_rewind(6, 1), __TAVf90_backspace(6, 1), __TAVf90_endfile(6, 1)})
      std::fprintf(stderr, "%d ", code);
  }, {0, nullptr, "177 149 0 "}, o);
}

TEST(Positioning, UnformattedRecordsAndMixes) {
  expect_run("unformatted", [] {
    f90_io_init();
    open_unf(10, "u.dat");
    write_record(10, "8 bytes!");
    write_record(10, "sixteen bytes...");
    __TAVf90_backspace(10, 0);
    std::printf("%s ", read_record(10, 16).c_str());
    __TAVf90_backspace(10, 0);
    __TAVf90_backspace(10, 0);
    std::printf("%s ", read_record(10, 8).c_str());
    // Writing after a BACKSPACE replaces the records after it.
    __TAVf90_backspace(10, 0);
    write_record(10, "new");
    __TAVf90_backspace(10, 0);
    show(read_record(10, 3));
    show(read_record(10, 1));
    __TAVf90_rewind(10, 0);
    std::printf("%s|", read_record(10, 3).c_str());
    // A trailing marker that points before the start of the file.
    close_unit(10);
    put_file("bad.dat", std::string("\x08\0\0\0abcd\x50\0\0\0", 12));
    open_unf(11, "bad.dat");
    __TAVf90_readu(11, kIostat);
    std::printf("%d\n", __TAVf90_backspace(11, 1));
  }, {0, "sixteen bytes... 8 bytes! new #-1 new|208\n"});
}

// INQUIRE answers, as "NAME=value" for the specifiers that differ from the
// answers of an unconnected unit.
std::string inquire(int unit, const char *file = nullptr) {
  char a[8][12], c[8][12], name[24];
  int exist = -9, opened = -9, named = -9, nextrec = -9, number = -9, recl = -9;
  std::memset(name, '?', sizeof name);
  char *s[] = {a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], c[0], c[1], c[2], c[3], c[4], c[5], c[6]};
  // ACCESS ACTION BLANK DELIM DIRECT FORM FORMATTED PAD POSITION READ READWRITE SEQUENTIAL UNFORMATTED WRITE
  if (file == nullptr)
    __TAVf90_inquire_u(unit, s[0], 11, s[1], 11, s[2], 11, s[3], 11, s[4], 11, &exist, s[5], 11, s[6], 11, &opened,
                       name, 23, &named, &nextrec, &number, s[7], 11, s[8], 11, s[9], 11, s[10], 11, &recl, s[11], 11,
                       s[12], 11, s[13], 11);
  else
    __TAVf90_inquire_f(file, static_cast<int>(std::strlen(file)), s[0], 11, s[1], 11, s[2], 11, s[3], 11, s[4], 11,
                       &exist, s[5], 11, s[6], 11, &opened, name, 23, &named, &nextrec, &number, s[7], 11, s[8], 11,
                       s[9], 11, s[10], 11, &recl, s[11], 11, s[12], 11, s[13], 11);
  const char *names[] = {"ACC", "ACT", "BLA", "DEL", "DIR", "FORM", "FMTD", "PAD",
                         "POS", "READ", "RW", "SEQ", "UNF", "WRITE"};
  std::string out;
  for (int i = 0; i < 14; ++i) {
    std::string v(s[i], 11);
    v.erase(v.find_last_not_of(' ') + 1);
    out += std::string(names[i]) + "=" + v + " ";
  }
  std::string n(name, 23);
  n.erase(n.find_last_not_of(' ') + 1);
  out += "EX=" + std::to_string(exist) + " OP=" + std::to_string(opened) + " NAMED=" + std::to_string(named) +
         " NAME=" + n + " NUM=" + std::to_string(number) + " RECL=" + std::to_string(recl) +
         " NEXT=" + std::to_string(nextrec);
  return out;
}

TEST(Inquire, Answers) {
  const char *unconnected =
      "ACC=UNDEFINED ACT=UNDEFINED BLA=UNDEFINED DEL=UNDEFINED DIR=UNKNOWN FORM=UNDEFINED FMTD=UNKNOWN PAD=YES "
      "POS=UNDEFINED READ=UNKNOWN RW=UNKNOWN SEQ=UNKNOWN UNF=UNKNOWN WRITE=UNKNOWN ";
  const std::string q(23, '?');
  const struct {
    const char *what;
    std::function<std::string()> ask;
    std::string expected;
  } cases[] = {
      {"unit never connected", [] { return inquire(77); },
       unconnected + std::string("EX=1 OP=0 NAMED=0 NAME=") + q + " NUM=-1 RECL=-9 NEXT=-9"},
      {"negative unit", [] { return inquire(-1); },
       unconnected + std::string("EX=0 OP=0 NAMED=0 NAME=") + q + " NUM=-1 RECL=-9 NEXT=-9"},
      {"unit 6 at start-up", [] { return inquire(6); },
       "ACC=SEQUENTIAL ACT=WRITE BLA=NULL DEL=NONE DIR=NO FORM=FORMATTED FMTD=YES PAD=NO POS=ASIS READ=UNKNOWN "
       "RW=UNKNOWN SEQ=YES UNF=NO WRITE=YES EX=1 OP=1 NAMED=0 NAME= NUM=6 RECL=1024 NEXT=1"},
      {"missing file", [] { return inquire(0, "nothing.dat  "); },
       unconnected + std::string("EX=0 OP=0 NAMED=1 NAME=nothing.dat NUM=-1 RECL=-9 NEXT=-9")},
      {"existing file not connected", [] { put_file("data.txt", "x"); return inquire(0, "data.txt "); },
       unconnected + std::string("EX=1 OP=0 NAMED=1 NAME=data.txt NUM=-1 RECL=-9 NEXT=-9")},
      {"direct-access unit after a WRITE of record 3", [] {
         open(10, "d.dat", "FORMATTED", "DIRECT", 80);
         __TAVf90_dwrite(10, "(A/A)", 5, 3, 0);
         __TAVf90_enddwrite();
         return inquire(0, "d.dat"); },
       "ACC=DIRECT ACT=READWRITE BLA=NULL DEL=NONE DIR=YES FORM=FORMATTED FMTD=YES PAD=YES POS=UNDEFINED "
       "READ=YES RW=YES SEQ=NO UNF=NO WRITE=YES EX=1 OP=1 NAMED=1 NAME=d.dat NUM=10 RECL=80 NEXT=4"},
      {"unformatted direct, fresh", [] { open(10, "d.dat", "UNFORMATTED", "DIRECT", 80); return inquire(10); },
       "ACC=DIRECT ACT=READWRITE BLA=UNDEFINED DEL=UNDEFINED DIR=YES FORM=UNFORMATTED FMTD=NO PAD=YES "
       "POS=UNDEFINED READ=YES RW=YES SEQ=NO UNF=YES WRITE=YES EX=1 OP=1 NAMED=1 NAME=d.dat NUM=10 RECL=80 NEXT=1"},
  };
  for (const auto &c : cases) {
    expect_run(c.what, [&c] {
      f90_io_init();
      std::fputs(c.ask().c_str(), stdout);
    }, {0, c.expected.c_str()});
  }
}

// POSITION= after each statement on a sequential unit.
TEST(Inquire, PositionAfterEachStatement) {
  expect_run("position", [] {
    f90_io_init();
    open(10, "t.txt");
    auto pos = [] {
      std::string s = inquire(10);
      std::size_t at = s.find("POS=");
      std::printf("%s ", s.substr(at + 4, s.find(' ', at) - at - 4).c_str());
    };
    pos();
    write_line(10, "a");
    pos();
    __TAVf90_backspace(10, 0);
    pos();
    read_line(10);
    pos();
    __TAVf90_endfile(10, 0);
    pos();
    __TAVf90_rewind(10, 0);
    pos();
    __TAVf90_backspace(10, 0);
    pos();
    std::printf("\n");
  }, {0, "ASIS APPEND REWIND UNKNOWN UNKNOWN REWIND REWIND \n"});
}





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
    show(__TAVf90_readu(10, 0));
    show(__TAVf90_uread(&k2, 2));
    show(__TAVf90_ureada(1, &dy, 8));
    show(__TAVf90_ureada(1, &dn, 4));
    show(__TAVf90_ureadcha(1, &dg, 1));
    show(__TAVf90_endreadu());
    std::printf("|%d %g %g %g|", k2, y[0], y[2], y[4]);
    for (int v : n) std::printf("%d", v);
    std::printf("|%s|", got);
    show(__TAVf90_readu_opt(10, 0, &a, 4));
    show(__TAVf90_readu_opt(10, 0, t, 4));
    std::printf("%x|%s|", a, t);
    show(__TAVf90_readu_opt(10, kIostat, t, 0));
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
    show(__TAVf90_readu_opt(10, 0, first, 3));
    show(std::memcmp(first, big.data(), 3));
    std::printf("%s\n", read_record(10, 1).c_str());
    close_unit(10);

    open_unf(11, "big.dat", 65536);
    std::printf("%s ", read_record(11, 4).c_str());
    close_unit(11);
    open_unf(12, "r.dat", 65536);
    show(__TAVf90_writeu_opt(12, 1, big.data(), 65537));
    show(__TAVf90_writeu(12, 1) + __TAVf90_uwrite(big.data(), 65536) + __TAVf90_uwrite(big.data(), 1));
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
    show(__TAVf90_readu(10, kIostat));
    show(__TAVf90_readu_opt(-1, kIostat, &v, 4));
    show(__TAVf90_writeu(11, 1));
    show(__TAVf90_writeu(12, 1));
    show(__TAVf90_writeu_opt(13, 1, &v, 4));
    show(__TAVf90_readu(12, kIostat));
    // A unit never connected is connected for unformatted access.
    show(write_record(20, "q"));
    __TAVf90_endfile(10, 1);
    show(write_record(10, "x"));
    show(__TAVf90_readu(10, kIostat));
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
    show(__TAVf90_writeu_opt(10, 1, block.data(), 100000));
    show(__TAVf90_writeu(10, 1) + __TAVf90_uwrite(block.data(), 100000));
    open(11, ".", "UNFORMATTED", nullptr, 0, "READ");
    show(__TAVf90_readu(11, kIostat));
    open(12, ".", "UNFORMATTED", "DIRECT", 8, "READ");
    show(__TAVf90_dreadu(12, 1, kIostat));
    std::printf("\n");
    std::fflush(stdout);
    std::_Exit(0);  // unit 10 cannot be closed
  }, {0, "28 28 21 21 \n"});
}





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
    show(nextrec(10));
    show(__TAVf90_dread(10, "()", 2, 4, nullptr, -1));
    show(__TAVf90_dread(10, "()", 2, 0, nullptr, -1));
    int size = -1;
    show(__TAVf90_dread(10, "()", 2, 3, &size, kEor));
    std::printf("[%s] ", take(11).c_str());
    __TAVf90_enddread();
    show(size);
    // A "/" writes the record and goes on with the next one.
    __TAVf90_dwrite(10, "(A/A)", 5, 5, 0);
    __TAVf90_write_ch("first", 5);
    __TAVf90_write_ch("second", 6);
    __TAVf90_enddwrite();
    show(nextrec(10));
    show(__TAVf90_dwrite(10, "(A)", 3, 1, 1) + __TAVf90_write_ch("eleven char", 11));
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
    show(__TAVf90_dreadu(10, 2, -1));
    show(__TAVf90_uread(w, 4));
    show(__TAVf90_uread(w + 1, 8));
    show(__TAVf90_dreadu(10, 2, -1));
    show(__TAVf90_uread(w, 8));
    __TAVf90_enddreadu();
    show(nextrec(10));
    std::printf("%x %x ", w[0], w[1]);
    show(__TAVf90_dreadu(10, 3, -1));
    show(__TAVf90_dwriteu(10, 1, 1) + __TAVf90_uwrite(v, 12));
    tav_ptr_desc d{};
    d.base = reinterpret_cast<char *>(v);
    d.dim[0] = {3, 4, 1};
    show(__TAVf90_dwriteu(10, 1, 1) + __TAVf90_uwritea(1, &d, 4));
    show(__TAVf90_dreadu(10, 1, -1) + __TAVf90_ureada(1, &d, 4));
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
      show(code);
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




std::string data_file(const char *name) { return std::string(TAV_SOURCE_DIR "/tests/io/files_data/") + name; }

TEST(Interchange, PeerSequentialFile) {
  const std::string path = data_file("peer_seq.unf");
  tavtest::expect_run("peer_seq.unf", [&path] {
    f90_io_init();
    put_file("peer_seq.unf", slurp(path.c_str()));
    open_unf(10, "peer_seq.unf");
    int32_t five[5];
    double d[4];
    char hello[6] = {};
    int16_t k2[3];
    int32_t flag;
    std::printf("%d:", __TAVf90_readu_opt(10, 0, five, 20));
    for (int v : five) std::printf("%d", v);
    __TAVf90_readu(10, 0);
    __TAVf90_uread(d, 32);
    __TAVf90_uread(hello, 5);
    std::printf(" %d %g %g %g %g %s", __TAVf90_endreadu(), d[0], d[1], d[2], d[3], hello);
    std::printf(" %d", __TAVf90_readu_opt(10, 0, nullptr, 0));
    __TAVf90_readu(10, 0);
    __TAVf90_uread(k2, 6);
    __TAVf90_uread(&flag, 4);
    __TAVf90_endreadu();
    std::printf(" %d %d %d %d", k2[0], k2[1], k2[2], flag);
    std::printf(" %d", __TAVf90_readu(10, kIostat));
    __TAVf90_backspace(10, 0);
    __TAVf90_backspace(10, 0);
    std::printf(" %s\n", hex(read_record(10, 10)).c_str());
  }, {0, "0:12345 0 1.5 -0.25 1e+300 3 hello 0 -1 2 300 1 -1 ffff02002c0101000000\n"});
}

TEST(Interchange, PeerDirectFile) {
  const std::string path = data_file("peer_direct.unf");
  tavtest::expect_run("peer_direct.unf", [&path] {
    f90_io_init();
    put_file("peer_direct.unf", slurp(path.c_str()));
    open(11, "peer_direct.unf", "UNFORMATTED", "DIRECT", 12);
    for (int rec : {3, 2, 1}) {
      int32_t a = -1, c = -1;
      float b = -1;
      __TAVf90_dreadu(11, rec, 0);
      __TAVf90_uread(&a, 4);
      __TAVf90_uread(&b, 4);
      __TAVf90_uread(&c, 4);
      __TAVf90_enddreadu();
      std::printf("%d %g %d|", a, b, c);
    }
    std::printf("%d\n", __TAVf90_dreadu(11, 4, -1));
  }, {0, "333 3.5 0|0 0 0|111 1.5 7|214\n"});
}

}  // namespace
