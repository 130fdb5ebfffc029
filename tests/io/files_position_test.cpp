// REWIND, BACKSPACE and ENDFILE across formatted records, unformatted
// records and held output; INQUIRE answers in every state.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>

#include "io/files_support.h"
#include "support/child.h"
#include "tavf90.h"

namespace {

using namespace filetest;
using tavtest::expect_run;

// Prints a statement's result or a record read, in the order they ran.
void say(int code) { std::printf("%d ", code); }
void say(const std::string &s) { std::printf("%s ", s.c_str()); }

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
    say(__TAVf90_backspace(10, 1));
    say(read_line(10));
    __TAVf90_backspace(10, 0);
    __TAVf90_backspace(10, 0);
    std::printf("%s|", read_line(10).c_str());
    // REWIND after rewriting from the start: the file ends after the new
    // records.
    __TAVf90_rewind(10, 0);
    write_line(10, "1");
    write_line(10, "2");
    __TAVf90_rewind(10, 0);
    for (int i = 0; i < 3; ++i) say(read_line(10));
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
    say(__TAVf90_endfile(10, 1));
    say(__TAVf90_endfile(10, 1));
    say(__TAVf90_rewind(10, 1));
    say(__TAVf90_endfile(10, 1));
    say(__TAVf90_backspace(10, 1));
    say(read_line(10));
    open(11, "d.dat", "UNFORMATTED", "DIRECT", 4);
    open(12, "t.txt", nullptr, nullptr, 0, "READ");
    for (int code : {__TAVf90_rewind(-3, 1), __TAVf90_backspace(11, 1), __TAVf90_endfile(12, 1),
                     __TAVf90_endfile(44, 1), __TAVf90_backspace(45, 1)})
      say(code);
    // REWIND of a unit never used connects it (and creates its file).
    say(__TAVf90_rewind(46, 1));
    std::printf("%d\n", std::fopen("fort.46", "r") != nullptr);
    // Truncation at the position a READ left, read-ahead notwithstanding.
    for (const char *s : {"x", "y", "z"}) write_line(46, s);
    __TAVf90_rewind(46, 0);
    read_line(46);
    say(__TAVf90_truncate(46, &__TAVf90_file[46]));
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
    say(read_record(10, 3));
    say(read_record(10, 1));
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

}  // namespace
