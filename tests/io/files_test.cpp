// External files: unformatted sequential and direct access (the bytes in
// the file, bad files, files past 2 GiB), files the peer runtime wrote, and
// the statement scenarios (positioning, INQUIRE, OPEN and CLOSE) of
// data/stmt_scenarios.tsv.  Each scenario runs in a child.
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "io/io_support.h"
#include "io/stmt_runner.h"

namespace {

using namespace iotest;
using tavtest::expect_run;

// Prints a statement's result or a record read, in the order they ran.
void show(int code) { std::printf("%d ", code); }
void show(const std::string &s) { std::printf("%s ", s.c_str()); }

TEST(Statements, Scenarios) { stmttest::run_scenarios(); }

// A pointer descriptor of (extent, stride in bytes) pairs, lower bounds 1.
tav_ptr_desc desc(void *base, std::initializer_list<std::pair<intptr_t, intptr_t>> dims) {
  tav_ptr_desc d{};
  d.base = static_cast<char *>(base);
  int i = 0;
  for (const auto &[n, stride] : dims) d.dim[i++] = {n, stride, 1};
  return d;
}

// An unformatted WRITE of an INTEGER array section on unit 10.
void write_section(tav_ptr_desc d, int rank) {
  __TAVf90_writeu(10, 0);
  __TAVf90_uwritea(rank, &d, 4);
  __TAVf90_endwriteu();
}

// The file a WRITE statement leaves, as hex.
TEST(Unformatted, RecordLayout) {
  static int32_t six[6] = {1, 2, 3, 4, 5, 6};
  static int32_t nine[9] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
  static char chars[3][2] = {{'a', 'b'}, {'c', 'd'}, {'e', 'f'}};
  const struct {
    const char *what;
    std::function<void()> write;
    const char *hex;
  } cases[] = {
      {"empty WRITE", [] { __TAVf90_writeu(10, 0); __TAVf90_endwriteu(); }, "0000000000000000"},
      {"one-call form", [] { __TAVf90_writeu_opt(10, 0, "xyz", 3); }, "0300000078797a03000000"},
      {"every second element", [] { write_section(desc(six, {{3, 8}}), 1); },
       "0c000000010000000300000005000000" "0c000000"},
      {"2-D section, rows 1..2 of a 3x2 array, backwards in both dimensions from a(2,2)",
       [] { write_section(desc(&six[4], {{2, -4}, {2, -12}}), 2); },
       "10000000" "05000000040000000200000001000000" "10000000"},
      {"2-D section a(1:2, 1:3:2) of a 3x3 array: runs along the first dimension",
       [] { write_section(desc(nine, {{2, 4}, {2, 24}}), 2); },
       "10000000" "01000000020000000700000008000000" "10000000"},
      {"CHARACTER array chars(1:3:2), then an empty record", [] {
         tav_cptr_desc d{};
         d.base = &chars[0][0];
         d.len = 2;
         d.dim[0] = {2, 4, 1};
         __TAVf90_writeu(10, 0);
         __TAVf90_uwritecha(1, &d, 1);
         __TAVf90_endwriteu();
         __TAVf90_writeu_opt(10, 0, nullptr, 0); },
       "04000000" "61626566" "04000000" "0000000000000000"},
  };
  for (const auto &c : cases) {
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
    double x[4] = {1.5, -2.25, 1e300, 0}, y[8] = {};
    int32_t m[3][2] = {{1, 2}, {3, 4}, {5, 6}}, n[6] = {};
    char names[2][3] = {{'a', 'b', 'c'}, {'x', 'y', 'z'}}, got[7] = {}, t[5] = {};
    // y is read into every second element.
    tav_ptr_desc dx = desc(x, {{4, 8}}), dy = desc(y, {{4, 16}});
    tav_ptr_desc dm = desc(m, {{2, 4}, {3, 8}}), dn = desc(n, {{6, 4}});
    tav_cptr_desc dc{names[0], 3, 0, {{2, 3, 1}}}, dg{got, 3, 0, {{2, 3, 1}}};
    int16_t k = -7, k2 = 0;
    __TAVf90_writeu(10, 0);
    __TAVf90_uwrite(&k, 2);
    __TAVf90_uwritea(1, &dx, 8);
    __TAVf90_uwritea(2, &dm, 4);
    __TAVf90_uwritecha(1, &dc, 1);
    __TAVf90_endwriteu();
    __TAVf90_writeu_opt(10, 0, "12345678", 8);
    __TAVf90_writeu_opt(10, 0, "tail", 4);
    __TAVf90_rewind(10, 0);
    int a = 0;
    for (int code : {__TAVf90_readu(10, 0), __TAVf90_uread(&k2, 2), __TAVf90_ureada(1, &dy, 8),
                     __TAVf90_ureada(1, &dn, 4), __TAVf90_ureadcha(1, &dg, 1), __TAVf90_endreadu()})
      show(code);
    std::printf("|%d %g %g %g|%d%d%d%d%d%d|%s|", k2, y[0], y[2], y[4], n[0], n[1], n[2], n[3], n[4], n[5], got);
    show(__TAVf90_readu_opt(10, 0, &a, 4));
    show(__TAVf90_readu_opt(10, 0, t, 4));
    std::printf("%x|%s|", a, t);
    show(__TAVf90_readu_opt(10, kIostat, t, 0));
  }, {0, "0 0 0 0 0 0 |-7 1.5 -2.25 1e+300|123456|abcxyz|0 0 34333231|tail|-1 "});
}

// Records longer than the buffer: spilled by items of any size and patched
// at the end, read back piecewise; with RECL= they are refused.
TEST(Unformatted, RecordsLongerThanTheBuffer) {
  expect_run("spill", [] {
    f90_io_init();
    std::string big(100000, '\0'), back(100000, '\0');
    for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 7 + 1);
    open_unf(10, "big.dat");
    __TAVf90_writeu(10, 0);
    for (int i = 0; i < 10; ++i) __TAVf90_uwrite(&big[i * 10000], 10000);
    __TAVf90_endwriteu();
    write_record(10, big.substr(0, 70000));
    __TAVf90_writeu_opt(10, 0, "z", 1);
    close_unit(10);
    std::printf("%d\n", slurp("big.dat") == record(big) + record(big.substr(0, 70000)) + record("z"));
    open_unf(10, "big.dat");
    tav_ptr_desc d = desc(back.data(), {{100000, 1}});
    int code = __TAVf90_readu(10, 0);
    code += __TAVf90_ureada(1, &d, 1) + __TAVf90_endreadu();
    std::printf("%d %d\n", code, back == big);
    // Three bytes of the 70000-byte record; the rest is skipped.
    show(__TAVf90_readu_opt(10, 0, back.data(), 3));
    show(std::memcmp(back.data(), big.data(), 3));
    std::printf("%s\n", read_record(10, 1).c_str());
    close_unit(10);
    open_unf(11, "big.dat", 65536);
    show(read_record(11, 4));
    close_unit(11);
    open_unf(12, "r.dat", 65536);
    show(__TAVf90_writeu_opt(12, 1, big.data(), 65537));
    show(__TAVf90_writeu(12, 1) + __TAVf90_uwrite(big.data(), 65536) + __TAVf90_uwrite(big.data(), 1));
  }, {0, "1\n0 1\n0 0 z\n#104 100 100 "});
}

// Bad files and wrong statements (data/files_bad_unformatted.tsv): the
// condition through IOSTAT= of both forms of the READ.
TEST(Unformatted, BadFilesAndStatements) {
  auto rows = table("files_bad_unformatted.tsv", 4);
  const std::string big = hex(record(std::string(5000, 'x')));
  rows.push_back({"large record, trailing marker differs", big.substr(0, 10008) + "89130000", "4", "208"});
  rows.push_back({"large record cut short", big.substr(0, 6000), "4", "208"});
  for (const auto &row : rows) {
    const int bytes = std::stoi(row[2]);
    // The one-call form leaves its item as it was.
    expect_run(row[0], [bytes] {
      f90_io_init();
      open_unf(10, "u.dat");
      show(read_record(10, bytes));
      __TAVf90_rewind(10, 0);
      std::string buf(static_cast<std::size_t>(bytes), '?');
      show(__TAVf90_readu_opt(10, kIostat, buf.data(), bytes));
      show(buf == std::string(buf.size(), '?') ? "kept" : "changed");
    }, {0, ("#" + row[3] + " " + row[3] + " kept ").c_str()},
               with_files(stmttest::split_files("u.dat=0x" + row[1])));
  }
}

// After a condition in a record, however the record was being read
// (through the buffer, straight into the variables, longer than the
// buffer, longer than RECL=), the next READ takes the next record.
TEST(Unformatted, AfterAConditionTheNextReadTakesTheNextRecord) {
  for (int size : {4092, 4096, 65536, 65537, 200000}) {
    expect_run(std::to_string(size), [size] {
      f90_io_init();
      open_unf(10, "u.dat");
      write_record(10, std::string(static_cast<std::size_t>(size), 'x'));
      const int v = 42;
      __TAVf90_writeu_opt(10, 0, &v, 4);
      std::vector<char> buf(static_cast<std::size_t>(size) + 4);
      tav_ptr_desc d = desc(buf.data(), {{size + 4, 1}});
      int x = 0, y = 0;
      for (int form = 0; form < 3; ++form) {
        __TAVf90_rewind(10, 0);
        if (form == 0) show(__TAVf90_readu(10, kIostat) + __TAVf90_uread(buf.data(), 4) +
                            __TAVf90_uread(buf.data(), size));
        if (form == 1) show(__TAVf90_readu(10, kIostat) + __TAVf90_ureada(1, &d, 1));
        if (form == 2) show(__TAVf90_readu_opt(10, kIostat, buf.data(), size + 4));
        show(__TAVf90_readu(10, kIostat) + __TAVf90_uread(&x, 4) + __TAVf90_endreadu() +
             __TAVf90_readu_opt(10, kIostat, &y, 4));
        std::printf("%d %d|", x, y);
      }
      close_unit(10);
      open_unf(11, "u.dat", 65536);
      const std::string first = read_record(11, 4);
      show(first + read_record(11, 4));
    }, {0, (std::string("206 -1 42 0|206 -1 42 0|206 -1 42 0|") + (size > 65536 ? "#104*" : "xxxx*") + " ").c_str()});
  }
}

// A record WRITE that fails part-way leaves nothing of itself in the file,
// and the file ends after the last whole record: a record refused at
// 2 GiB, records cut short by a file size limit (a full disk alike).
// Buffered output reports the failure at a later statement (CLOSE here, or
// the next direct-access WRITE), a record larger than the buffer at its own.
TEST(Unformatted, AFailedWriteLeavesWholeRecords) {
  auto limited = [](rlim_t bytes) {
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit r{bytes, bytes};
    setrlimit(RLIMIT_FSIZE, &r);
    f90_io_init();
  };
  const std::vector<char> big(300000, 'y');
  auto r = expect_run("refused at 2 GiB", [&] {
    f90_io_init();
    open_unf(10, "u.dat");
    write_record(10, "first");
    show(__TAVf90_writeu(10, 1) + __TAVf90_uwrite(big.data(), 70000));
    show(__TAVf90_uwrite(big.data(), INT32_MAX - 1000));
    show(write_record(10, "after") + close_unit(10));
  }, {0, "0 100 0 "});
  EXPECT_EQ(r.file("u.dat"), record("first") + record("after"));
  r = expect_run("formatted, 120 bytes", [&] {
    limited(120);
    open(10, "f.txt");
    for (char c : std::string("abcd")) show(write_line(10, std::string(50, c)));
    show(close_unit(10));
  }, {0, "0 0 0 0 27 "});
  EXPECT_EQ(r.file("f.txt"), std::string(50, 'a') + "\n" + std::string(50, 'b') + "\n");
  r = expect_run("direct, 150 bytes", [&] {
    limited(150);
    open(10, "d.dat", "UNFORMATTED", "DIRECT", 64);
    for (int rec = 1; rec <= 4; ++rec) show(write_record(10, std::string(64, 'y'), 1, rec));
    show(close_unit(10));
  }, {0, "0 0 0 27 0 "});
  EXPECT_EQ(r.file("d.dat"), std::string(128, 'y'));
  r = expect_run("unformatted, 150 bytes, then 100000", [&] {
    limited(150);
    open_unf(10, "u.dat");
    for (int i = 0; i < 4; ++i) show(write_record(10, std::string(40, 'u')));
    show(close_unit(10));
    rlimit l{100000, 100000};
    setrlimit(RLIMIT_FSIZE, &l);
    open_unf(11, "v.dat");
    show(write_record(11, "a") + __TAVf90_writeu_opt(11, 1, big.data(), 300000));
    int code = __TAVf90_writeu(11, 1);
    for (int i = 0; i < 2 && code == 0; ++i) code = __TAVf90_uwrite(big.data(), 70000);
    show(code != 0 ? code : __TAVf90_endwriteu());
    show(write_record(11, "z") + close_unit(11));
  }, {0, "0 0 0 0 27 27 27 0 "});
  EXPECT_EQ(r.file("u.dat"), record(std::string(40, 'u')) + record(std::string(40, 'u')) + record(std::string(40, 'u')));
  EXPECT_EQ(r.file("v.dat"), record("a") + record("z"));
}

// Direct-access statements on units of the wrong kind.  System errors
// reach the statement that meets them, with their number.
TEST(Unformatted, UnitChecksAndSystemErrors) {
  expect_run("unit checks", [] {
    f90_io_init();
    open_unf(10, "u.dat");
    open(12, "d.dat", "UNFORMATTED", "DIRECT", 8);
    open(14, "f.dat", "FORMATTED", "DIRECT", 8);
    open(15, "wo.dat", "UNFORMATTED", "DIRECT", 8, "WRITE");
    for (int code : {__TAVf90_dreadu(10, 1, -1), __TAVf90_dwrite(12, "()", 2, 1, 1), __TAVf90_dwriteu(14, 1, 1),
                     __TAVf90_dreadu(15, 1, -1), __TAVf90_dwriteu(-2, 1, 1), __TAVf90_dreadu(50, 1, -1),
                     __TAVf90_dwriteu(12, -5, 1)})
      show(code);
    std::vector<char> block(100000, 'x');
    open(16, "/dev/full", "UNFORMATTED", nullptr, 0, "WRITE");
    open(17, ".", "UNFORMATTED", nullptr, 0, "READ");
    open(18, ".", "UNFORMATTED", "DIRECT", 8, "READ");
    for (int code : {__TAVf90_writeu_opt(16, 1, block.data(), 100000),
                     __TAVf90_writeu(16, 1) + __TAVf90_uwrite(block.data(), 100000),
                     __TAVf90_readu(17, kIostat), __TAVf90_dreadu(18, 1, kIostat)})
      show(code);
    std::fflush(stdout);
    std::_Exit(0);  // unit 16 cannot be closed
  }, {0, "179 152 154 151 147 148 180 28 28 21 21 "});
}

int nextrec(int unit) { return std::stoi(stmttest::inquire(unit, nullptr, {"nextrec"}).substr(8)); }

// Formatted direct access: records padded with blanks, NEXTREC=, records
// beyond the file and record 0, SIZE= and the end of a record, a slash
// going on with the next record, a record too long.
TEST(Direct, Formatted) {
  auto r = expect_run("formatted", [] {
    f90_io_init();
    open(10, "d.txt", "FORMATTED", "DIRECT", 10);
    __TAVf90_dwrite(10, "(A)", 3, 3, 0);
    __TAVf90_write_ch("ABC", 3);
    __TAVf90_enddwrite();
    show(nextrec(10));
    show(__TAVf90_dread(10, "()", 2, 4, nullptr, -1));
    show(__TAVf90_dread(10, "()", 2, 0, nullptr, -1));
    int size = -1, code, i = 0;
    show(__TAVf90_dread(10, "()", 2, 3, &size, kEor));
    std::string s = take(11, &code);
    std::printf("[%s#%d] ", s.c_str(), code);
    __TAVf90_enddread();
    show(size);
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
    char word[7] = {};
    if (__TAVf90_dread(10, "(A6/I4)", 7, 6, nullptr, 0) == 0 && __TAVf90_read_ch(word, 6) == 0 &&
        __TAVf90_read_i(&i) == 0)
      __TAVf90_enddread();
    std::printf("%s %d %d\n", word, i, nextrec(10));
  }, {0});
  EXPECT_EQ(r.out, "4 214 180 0 [ABC       #-2] 10 7 100 second -12 8\n");
  EXPECT_EQ(r.file("d.txt"),
            std::string(20, '\0') + "ABC       " + std::string(10, '\0') + "first     second     -12      ");
}

// Array items beyond an unformatted direct-access record (scalar items:
// data/stmt_scenarios.tsv): refused before any element moves.
TEST(Direct, UnformattedArrayItemsBeyondTheRecord) {
  expect_run("array items", [] {
    f90_io_init();
    open(10, "d.dat", "UNFORMATTED", "DIRECT", 8);
    int32_t v[6] = {7, 8};
    tav_ptr_desc d = desc(v, {{3, 8}});
    __TAVf90_dwriteu(10, 1, 0), __TAVf90_uwrite(v, 8), __TAVf90_enddwriteu();
    v[0] = v[1] = 0;
    show(__TAVf90_dwriteu(10, 1, 1) + __TAVf90_uwritea(1, &d, 4));
    show(__TAVf90_dreadu(10, 1, -1) + __TAVf90_ureada(1, &d, 4));
    std::printf("%d %d", v[0], v[2]);
  }, {0, "100 206 0 0"});
}

// Files past 2 GiB (sparse): a direct-access record at 3 GiB written and
// read back, the file having the size 64-bit offsets give; a sequential
// record appended at 3 GiB, stepped over by BACKSPACE and read back, and
// REWIND back to the start.
TEST(LargeFiles, Past2GiB) {
  auto r = tavtest::run([] {
    f90_io_init();
    // Whether the file system takes a sparse file past 2 GiB is asked
    // first: what the library then does cannot be mistaken for a refusal.
    put_file("probe", "");
    if (truncate("probe", 3LL << 30) != 0) std::exit(4);
    unlink("probe");
    if (open(10, "big.dat", "UNFORMATTED", "DIRECT", 1 << 20) != 0) std::exit(3);
    if (write_record(10, "past", 1, 3073) != 0) std::exit(5);
    const std::string back = read_record(10, 4, 3073);
    struct stat st;
    stat("big.dat", &st);
    std::printf("%s %lld %d\n", back.c_str(), static_cast<long long>(st.st_size), nextrec(10));
    close_unit(10);
    if (truncate("big.dat", 0) != 0 || truncate("big.dat", 3LL << 30) != 0) std::exit(5);
    // The zeros before the record: a record of length 0.
    for (const char *statement : {"open 10 file=big.dat form=UNFORMATTED position=APPEND",
                                  "writeu 10 'past 2 GiB'", "backspace 10", "readu 10 10", "backspace 10",
                                  "backspace 10", "rewind 10", "readu 10 0", "close 10"})
      std::printf("%s|", stmttest::run_statement(statement).c_str());
    stat("big.dat", &st);
    std::printf("%lld\n", static_cast<long long>(st.st_size));
    unlink("big.dat");
  });
  if (r.exited(4)) GTEST_SKIP() << "the file system refused a sparse file past 2 GiB";
  EXPECT_TRUE(r.exited(0)) << r.describe();
  EXPECT_EQ(r.out, "past 3222274048 3074\n|||past 2 GiB||||''||3221225490\n");
}

// Files the peer runtime wrote (files_data/peer_write.f90): sequential
// records of several kinds, an empty one, BACKSPACE over them; direct-access
// records out of order, one never written, and one beyond the file.
TEST(Interchange, PeerFiles) {
  expect_run("peer files", [] {
    f90_io_init();
    for (const char *name : {"peer_seq.unf", "peer_direct.unf"})
      put_file(name, slurp(TAV_SOURCE_DIR "/tests/io/files_data/" + std::string(name)));
    open_unf(10, "peer_seq.unf");
    int32_t five[5], flag, a, c;
    double d[4];
    char hello[6] = {};
    int16_t k2[3];
    float b;
    std::printf("%d:", __TAVf90_readu_opt(10, 0, five, 20));
    for (int v : five) std::printf("%d", v);
    int code = read_items(10, 0, {{d, 32}, {hello, 5}}, 0);
    std::printf(" %d %g %g %g %g %s", code, d[0], d[1], d[2], d[3], hello);
    std::printf(" %d", __TAVf90_readu_opt(10, 0, nullptr, 0));
    code = read_items(10, 0, {{k2, 6}, {&flag, 4}}, 0);
    std::printf(" %d %d %d %d %d", code, k2[0], k2[1], k2[2], flag);
    std::printf(" %d", __TAVf90_readu(10, kIostat));
    __TAVf90_backspace(10, 0);
    __TAVf90_backspace(10, 0);
    std::printf(" %s\n", hex(read_record(10, 10)).c_str());
    open(11, "peer_direct.unf", "UNFORMATTED", "DIRECT", 12);
    for (int rec : {3, 2, 1}) {
      a = c = -1;
      b = -1;
      code = read_items(11, rec, {{&a, 4}, {&b, 4}, {&c, 4}}, 0);
      std::printf("%d %d %g %d|", code, a, b, c);
    }
    std::printf("%d\n", __TAVf90_dreadu(11, 4, -1));
  }, {0, "0:12345 0 1.5 -0.25 1e+300 3 hello 0 0 -1 2 300 1 -1 ffff02002c0101000000\n"
         "0 333 3.5 0|0 0 0 0|0 111 1.5 7|214\n"});
}

}  // namespace
