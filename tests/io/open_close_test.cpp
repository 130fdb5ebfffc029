// OPEN and CLOSE, each scenario in a child process with a fresh unit table.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "io/statement_support.h"
#include "support/child.h"
#include "tavf90.h"

namespace {

int len(const char *s) { return s != nullptr ? static_cast<int>(std::strlen(s)) : 0; }

// The specifiers of one OPEN statement; null = absent.
struct Open {
  int unit = 10;
  const char *file = nullptr, *status = nullptr, *access = nullptr, *form = nullptr;
  int *recl = nullptr;
  const char *blank = nullptr, *position = nullptr, *action = nullptr, *delim = nullptr, *pad = nullptr;
  int go(int error_continue = 1) const {
    return __TAVf90_open(unit, file, len(file), status, len(status), access, len(access), form, len(form), recl,
                         blank, len(blank), position, len(position), action, len(action), delim, len(delim), pad,
                         len(pad), error_continue);
  }
};

int close_unit(int unit, const char *status = nullptr, int error_continue = 1) {
  return __TAVf90_close(unit, status, len(status), error_continue);
}

tav_unit_record *record(int unit, FILE **stream = nullptr) {
  if (unit < 100) {
    if (stream) *stream = __TAVf90_file[unit];
    return &__TAVf90_file_info[unit];
  }
  __TAVf90_estab_runit_no_create(unit);
  if (stream) *stream = __TAVf90_cur_fptr ? *__TAVf90_cur_fptr : nullptr;
  return __TAVf90_cur_finfo;
}

// Prints the result of a statement and the state it left behind: the
// status, iostat, the lock, and the unit's record.
void show(const char *what, int code, int unit = 10) {
  FILE *stream = nullptr;
  tav_unit_record *r = record(unit, &stream);
  std::printf("%s: %d iostat=%d lock=%d", what, code, iostat, __TAVf90_io_lock);
  if (r == nullptr) {
    std::printf(" no node\n");
  } else if (stream == nullptr) {
    std::printf(" closed flags=%d buffer=%d name=%d\n", r->flags, r->buffer != nullptr, r->file_name != nullptr);
  } else {
    std::printf(" %s recl=%d len=%d acc=%d act=%d ps=%d delim=%d blank=%d unf=%d st=%d flags=%d\n",
                r->file_name ? r->file_name : "(null)", r->recl, r->rec_length, r->access, r->action,
                r->position_state, r->delim, r->blank, r->unformatted, r->status, r->flags);
  }
  std::fflush(stdout);
}

// The result of a statement that returned (with IOSTAT=): its code, marked
// with '!' when iostat disagrees or the lock was not released.
void rc(int code) {
  std::printf(" %d%s", code, iostat != code || __TAVf90_io_lock != 0 ? "!" : "");
  std::fflush(stdout);
}

// A formatted WRITE of one record (held when not advancing): the text goes
// through the record hooks; a trailing newline only marks an advancing WRITE.
void write_text(int unit, std::string text) {
  bool advancing = !text.empty() && text.back() == '\n';
  if (advancing) text.pop_back();
  if (stmttest::begin_write(unit, advancing) != 0 || stmttest::put(text) != 0 || __TAVf90_endwrite() != 0)
    std::abort();
}

tavtest::Result run(void (*body)(), std::map<std::string, std::string> files = {}) {
  tavtest::Options o;
  o.files = std::move(files);
  o.unset_env = {"FORT10", "FORT12345"};
  return tavtest::run(
      [body] {
        f90_io_init();
        body();
      },
      o);
}

constexpr const char *kFatal = "Program terminated by fatal I/O error\n";

TEST(Open, ReopenOfTheSameFileChangesOnlyTheModes) {
  auto r = run(
      [] {
        show("open", Open{.file = "a.dat  "}.go());
        FILE *first = __TAVf90_file[10];
        show("blank", Open{.file = "a.dat", .blank = "ZERO"}.go());
        show("delim", Open{.file = "a.dat", .delim = "quote", .pad = "NO"}.go());
        int recl = 80, other = 512;
        std::printf("errors");
        rc(Open{.file = "a.dat", .access = "DIRECT", .recl = &recl}.go());
        rc(Open{.file = "a.dat", .status = "UNKNOWN"}.go());
        rc(Open{.file = "a.dat", .form = "UNFORMATTED"}.go());
        rc(Open{.file = "a.dat", .recl = &other}.go());
        rc(Open{.file = "a.dat", .action = "READ"}.go());
        rc(Open{.file = "a.dat", .position = "APPEND"}.go());
        rc(Open{.status = "OLD", .position = "REWIND"}.go());
        write_text(10, "new\n");
        rc(Open{.position = "REWIND"}.go());
        rc(Open{.position = "APPEND"}.go());
        show("\nafter", 0);
        std::printf("same stream %d\n", __TAVf90_file[10] == first);
        Open{.file = "a.dat", .access = "DIRECT", .recl = &recl}.go(0);
      },
      {{"a.dat", "old\nlonger\n"}});
  EXPECT_TRUE(r.aborted()) << r.describe();
  const char *s = " a.dat recl=1024 len=-1 acc=1 act=3 ps=";
  EXPECT_EQ(r.out, std::string("open: 0 iostat=0 lock=0") + s + "3 delim=0 blank=0 unf=0 st=0 flags=11\n" +
                       "blank: 0 iostat=0 lock=0" + s + "3 delim=0 blank=1 unf=0 st=0 flags=11\n" +
                       "delim: 0 iostat=0 lock=0" + s + "3 delim=1 blank=0 unf=0 st=0 flags=10\n" +
                       "errors 158 157 159 160 161 162 0 162 0\n" +
                       "after: 0 iostat=0 lock=0" + s + "2 delim=0 blank=0 unf=0 st=0 flags=11\n" +
                       "same stream 1\n");
  EXPECT_EQ(r.err, std::string("OPEN on connected unit 10 has different ACCESS= specifier\n") + kFatal);
  // The shutdown on the fatal path kept the file and cut it after the WRITE.
  EXPECT_EQ(r.file("a.dat"), "new\n");
}

TEST(Open, AnotherFileClosesTheFirstConnection) {
  auto r = run([] {
    show("a", Open{.file = "a.dat"}.go());
    write_text(10, "one\n");
    show("b", Open{.file = "b.dat", .blank = "ZERO"}.go());
    show("missing dir", Open{.file = "nodir/c.dat"}.go());
  });
  EXPECT_TRUE(r.exited(0)) << r.describe();
  EXPECT_EQ(r.out,
            "a: 0 iostat=0 lock=0 a.dat recl=1024 len=-1 acc=1 act=3 ps=3 delim=0 blank=0 unf=0 st=0 flags=11\n"
            "b: 0 iostat=0 lock=0 b.dat recl=1024 len=-1 acc=1 act=3 ps=3 delim=0 blank=1 unf=0 st=0 flags=11\n"
            "missing dir: 2 iostat=2 lock=0 closed flags=11 buffer=0 name=0\n");
  EXPECT_EQ(r.file("a.dat"), "one\n");
  EXPECT_TRUE(r.has_file("b.dat"));
}

TEST(Open, ScratchFileLivesUntilClose) {
  auto r = run([] {
    show("156", Open{.file = "s", .status = "SCRATCH"}.go());
    show("open", Open{.status = "scratch"}.go());
    std::string first = __TAVf90_file_info[10].file_name;
    std::printf("exists %d\n", access(first.c_str(), F_OK) == 0);
    show("keep", close_unit(10, "KEEP"));
    std::printf("exists %d\n", access(first.c_str(), F_OK) == 0);
    show("close", close_unit(10));
    std::printf("exists %d\n", access(first.c_str(), F_OK) == 0);
    Open{.status = "SCRATCH"}.go();
    std::string second = __TAVf90_file_info[10].file_name;
    std::printf("new name %d\n", second != first);
    int err = dup(2);  // stderr itself is closed with unit 0
    f90_io_finish();
    dprintf(err, "after finish %d\n", access(second.c_str(), F_OK) == 0);
  });
  EXPECT_TRUE(r.exited(0)) << r.describe();
  const std::string lead = "open: 0 iostat=0 lock=0 /tmp/unit_10.";
  std::size_t at = r.out.find(lead);
  ASSERT_NE(at, std::string::npos) << r.out;
  std::string unique = r.out.substr(at + lead.size(), 7);
  EXPECT_EQ(unique.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"), 6u) << unique;
  std::string name = "/tmp/unit_10." + unique.substr(0, 6);
  std::string tail = name + " recl=1024 len=-1 acc=1 act=3 ps=3 delim=0 blank=0 unf=0 st=3 flags=11\n";
  EXPECT_EQ(r.out, "156: 156 iostat=156 lock=0 closed flags=0 buffer=0 name=0\n"
                   "open: 0 iostat=0 lock=0 " + tail + "exists 1\n" +
                   "keep: 172 iostat=172 lock=0 " + tail + "exists 1\n" +
                   "close: 0 iostat=0 lock=0 closed flags=11 buffer=0 name=0\nexists 0\nnew name 1\n");
  EXPECT_EQ(r.err, "after finish 0\n");
}

TEST(Open, StatusNewReplaceOld) {
  auto r = run(
      [] {
        show("176", Open{.file = "x", .status = "NEW"}.go());
        show("replace", Open{.file = "x", .status = "REPLACE"}.go());
        struct stat st;
        std::printf("size %ld\n", stat("x", &st) == 0 ? static_cast<long>(st.st_size) : -1L);
        close_unit(10);
        show("175", Open{.file = "missing", .status = "OLD"}.go());
        show("new", Open{.file = "fresh", .status = "New"}.go());
        close_unit(10);
        show("212", Open{.status = "NEW"}.go());
        show("212", Open{.status = "REPLACE"}.go());
        show("155", Open{.unit = 11, .status = "OLD"}.go(), 11);
        show("old", Open{.file = "x", .status = "OLD"}.go());
        Open{.unit = 12, .file = "missing", .status = "OLD"}.go(0);
      },
      {{"x", "data\n"}});
  EXPECT_TRUE(r.aborted()) << r.describe();
  EXPECT_EQ(r.out,
            "176: 176 iostat=176 lock=0 closed flags=8 buffer=0 name=0\n"
            "replace: 0 iostat=0 lock=0 x recl=1024 len=-1 acc=1 act=3 ps=3 delim=0 blank=0 unf=0 st=1 flags=11\n"
            "size 0\n"
            "175: 175 iostat=175 lock=0 closed flags=11 buffer=0 name=0\n"
            "new: 0 iostat=0 lock=0 fresh recl=1024 len=-1 acc=1 act=3 ps=3 delim=0 blank=0 unf=0 st=1 flags=11\n"
            "212: 212 iostat=212 lock=0 closed flags=11 buffer=0 name=0\n"
            "212: 212 iostat=212 lock=0 closed flags=11 buffer=0 name=0\n"
            "155: 155 iostat=155 lock=0 closed flags=0 buffer=0 name=0\n"
            "old: 0 iostat=0 lock=0 x recl=1024 len=-1 acc=1 act=3 ps=3 delim=0 blank=0 unf=0 st=1 flags=11\n");
  EXPECT_EQ(r.err, std::string("Cannot find OLD file\n") + kFatal);
  EXPECT_TRUE(r.has_file("fresh"));
}

TEST(Open, SpecifierValuesAndDefaults) {
  auto r = run([] {
    int zero = 0, negative = -5, eighty = 80;
    show("unknown", Open{.file = "f", .status = "unknown "}.go());
    close_unit(10);
    show("direct", Open{.file = "f", .access = "Direct", .recl = &eighty}.go());
    close_unit(10);
    show("unformatted", Open{.file = "f", .form = "UNFORMATTED", .action = "write"}.go());
    close_unit(10);
    show("direct formatted", Open{.file = "f", .access = "DIRECT", .form = "FORMATTED", .recl = &eighty,
                                  .blank = "zero", .action = "READ", .delim = "APOSTROPHE", .pad = "no"}.go());
    close_unit(10);
    std::printf("errors");
    rc(Open{.file = "f", .status = "OLDX", .access = "bad"}.go());
    rc(Open{.file = "f", .access = " DIRECT"}.go());
    rc(Open{.file = "f", .form = "FORM"}.go());
    rc(Open{.file = "f", .access = "DIRECT"}.go());
    rc(Open{.file = "f", .recl = &zero}.go());
    rc(Open{.file = "f", .access = "DIRECT", .recl = &negative}.go());
    rc(Open{.file = "f", .blank = "NONE"}.go());
    rc(Open{.file = "f", .access = "DIRECT", .recl = &eighty, .position = "ASIS"}.go());
    rc(Open{.file = "f", .position = "END"}.go());
    rc(Open{.file = "f", .action = "READWRITEX"}.go());
    rc(Open{.file = "f", .delim = "QUOTES"}.go());
    rc(Open{.file = "f", .pad = "Y"}.go());
    rc(Open{.unit = -3}.go());
    rc(close_unit(-3));
    show("\nstill", 0);
    Open{.file = "f", .form = "UNFORMATTED", .pad = "YES"}.go();
  });
  EXPECT_TRUE(r.aborted()) << r.describe();
  EXPECT_EQ(r.out,
            "unknown: 0 iostat=0 lock=0 f recl=1024 len=-1 acc=1 act=3 ps=3 delim=0 blank=0 unf=0 st=0 flags=11\n"
            "direct: 0 iostat=0 lock=0 f recl=80 len=-1 acc=2 act=3 ps=3 delim=0 blank=0 unf=1 st=0 flags=27\n"
            "unformatted: 0 iostat=0 lock=0 f recl=65536 len=-1 acc=1 act=2 ps=3 delim=0 blank=0 unf=1 st=0 flags=11\n"
            "direct formatted: 0 iostat=0 lock=0 f recl=80 len=-1 acc=2 act=1 ps=3 delim=2 blank=1 unf=0 st=0 flags=26\n"
            "errors 163 164 165 171 213 213 166 216 167 168 169 170 147 147\n"
            "still: 0 iostat=147 lock=0 closed flags=26 buffer=0 name=0\n");
  EXPECT_EQ(r.err, "The PAD= specifier is not allowed for an UNFORMATTED file\nProgram terminated by fatal error\n");
}


// A file that may be read but not written.  Root writes anything, so a root
// child gives up its privileges first; exit 77 when it cannot.
void make_read_only_file() {
  FILE *f = std::fopen("ro", "w");
  std::fputs("text\n", f);
  std::fclose(f);
  chmod("ro", 0444);
  mkdir("rodir", 0555);
  if (geteuid() == 0) {
    chmod(".", 0755);
    if (setgid(65534) != 0 || setuid(65534) != 0) _exit(77);
  }
}

TEST(Open, ReadOnlyFileFallsBackToReading) {
  auto r = run([] {
    make_read_only_file();
    show("no action", Open{.file = "ro"}.go());
    char line[16] = {};
    std::printf("read %s", std::fgets(line, sizeof line, __TAVf90_file[10]));
    close_unit(10);
    show("readwrite", Open{.unit = 11, .file = "ro", .action = "READWRITE"}.go(), 11);
    // A file that cannot be created reports why, not that it is missing.
    show("create", Open{.unit = 12, .file = "rodir/new"}.go(), 12);
    Open{.unit = 11, .file = "ro", .action = "WRITE"}.go(0);
  });
  if (r.exited(77)) GTEST_SKIP() << "cannot drop root privileges here";
  EXPECT_TRUE(r.aborted()) << r.describe();
  EXPECT_EQ(r.out,
            "no action: 0 iostat=0 lock=0 ro recl=1024 len=-1 acc=1 act=1 ps=3 delim=0 blank=0 unf=0 st=0 flags=11\n"
            "read text\n"
            "readwrite: 13 iostat=13 lock=0 closed flags=8 buffer=0 name=0\n"
            "create: 13 iostat=13 lock=0 closed flags=8 buffer=0 name=0\n");
  EXPECT_EQ(r.err, std::string("I/O error on unit 11: Permission denied\n") + kFatal);
}

TEST(Open, AppendAddsAtTheEnd) {
  auto r = run(
      [] {
        show("append", Open{.file = "log", .position = "append"}.go());
        std::printf("at %ld\n", std::ftell(__TAVf90_file[10]));
        write_text(10, "second\n");
        show("close", close_unit(10));
        // A FIFO cannot seek: it is opened again for appending.
        mkfifo("pipe", 0600);
        show("fifo", Open{.file = "pipe", .position = "APPEND"}.go());
        std::printf("O_APPEND %d\n", (fcntl(fileno(__TAVf90_file[10]), F_GETFL) & O_APPEND) != 0);
      },
      {{"log", "first\n"}});
  EXPECT_TRUE(r.exited(0)) << r.describe();
  EXPECT_EQ(r.out,
            "append: 0 iostat=0 lock=0 log recl=1024 len=-1 acc=1 act=3 ps=6 delim=0 blank=0 unf=0 st=0 flags=11\n"
            "at 6\n"
            "close: 0 iostat=0 lock=0 closed flags=11 buffer=0 name=0\n"
            "fifo: 0 iostat=0 lock=0 pipe recl=1024 len=-1 acc=1 act=3 ps=6 delim=0 blank=0 unf=0 st=0 flags=9\n"
            "O_APPEND 1\n");
  EXPECT_EQ(r.file("log"), "first\nsecond\n");
}

TEST(Close, UnconnectedUnitsAndDispositions) {
  auto r = run(
      [] {
        show("never", close_unit(10, "BOGUS"));
        show("never", close_unit(12345), 12345);
        show("bad status", (Open{.file = "keep.dat"}.go(), close_unit(10, "KEPT")));
        show("keep", close_unit(10, "keep "));
        show("again", close_unit(10));
        Open{.file = "gone.dat"}.go();
        show("delete", close_unit(10, "DELETE"));
        __TAVf90_pcio_verbose = 1;
        Open{.unit = 12345}.go();
        write_text(12345, "ext\n");
        show("ext", close_unit(12345), 12345);
      },
      {{"gone.dat", "x\n"}});
  EXPECT_TRUE(r.exited(0)) << r.describe();
  EXPECT_EQ(r.out,
            "never: 0 iostat=0 lock=0 closed flags=0 buffer=0 name=0\n"
            "never: 0 iostat=0 lock=0 no node\n"
            "bad status: 163 iostat=163 lock=0 keep.dat recl=1024 len=-1 acc=1 act=3 ps=3 delim=0 blank=0 unf=0 st=0 flags=11\n"
            "keep: 0 iostat=0 lock=0 closed flags=11 buffer=0 name=0\n"
            "again: 0 iostat=0 lock=0 closed flags=11 buffer=0 name=0\n"
            "delete: 0 iostat=0 lock=0 closed flags=11 buffer=0 name=0\n"
            "ext: 0 iostat=0 lock=0 closed flags=11 buffer=0 name=0\n");
  EXPECT_EQ(r.err,
            "preconn_io: No initialisation found for FORT12345\n"
            "preconn_io: Logical unit 12345 opened to fort.12345\n"
            "preconn_io: Logical unit 12345 closed (file fort.12345)\n");
  EXPECT_EQ(r.files(), (std::vector<std::string>{"fort.12345", "keep.dat"}));
  EXPECT_EQ(r.file("fort.12345"), "ext\n");
}

TEST(Close, TruncatesARegularFileAfterAWrite) {
  auto r = run(
      [] {
        Open{.file = "t"}.go();
        write_text(10, "zz\n");
        show("rewritten", close_unit(10));
        Open{.file = "u"}.go();
        char line[8];
        std::fgets(line, sizeof line, __TAVf90_file[10]);
        __TAVf90_file_info[10].position_state = TAV_POS_READ;
        show("read", close_unit(10));
        // A device is not cut: closing it after a WRITE succeeds.
        show("null", Open{.file = "/dev/null"}.go());
        write_text(10, "gone\n");
        show("null", close_unit(10));
      },
      {{"t", "aaaa\nbbbb\ncccc\n"}, {"u", "aaaa\nbbbb\n"}});
  EXPECT_TRUE(r.exited(0)) << r.describe();
  EXPECT_EQ(r.out,
            "rewritten: 0 iostat=0 lock=0 closed flags=11 buffer=0 name=0\n"
            "read: 0 iostat=0 lock=0 closed flags=11 buffer=0 name=0\n"
            "null: 0 iostat=0 lock=0 /dev/null recl=1024 len=-1 acc=1 act=3 ps=3 delim=0 blank=0 unf=0 st=0 flags=11\n"
            "null: 0 iostat=0 lock=0 closed flags=11 buffer=0 name=0\n");
  EXPECT_EQ(r.file("t"), "zz\n");
  EXPECT_EQ(r.file("u"), "aaaa\nbbbb\n");
}

// Data that cannot be written out is an error of the CLOSE, never lost
// silently: returned with IOSTAT=, fatal without, and fatal at program end.
TEST(Close, FailureToWriteOutIsReported) {
  auto returned = run([] {
    Open{.file = "/dev/full"}.go();
    write_text(10, "lost\n");
    show("full", close_unit(10));
    Open{.unit = 11, .file = "/dev/full"}.go();
    std::fputs("buffered", __TAVf90_file[11]);  // no WRITE recorded: fclose still fails
    show("full", close_unit(11), 11);
  });
  EXPECT_TRUE(returned.exited(0)) << returned.describe();
  EXPECT_EQ(returned.out,
            "full: 28 iostat=28 lock=0 closed flags=11 buffer=0 name=0\n"
            "full: 28 iostat=28 lock=0 closed flags=11 buffer=0 name=0\n");

  auto fatal = run([] {
    Open{.file = "/dev/full"}.go();
    write_text(10, "lost\n");
    close_unit(10, nullptr, 0);
  });
  EXPECT_TRUE(fatal.aborted()) << fatal.describe();
  EXPECT_EQ(fatal.err, std::string("I/O error on unit 10: No space left on device\n") + kFatal);

  auto at_end = run([] {
    Open{.unit = 12345, .file = "/dev/full"}.go();
    write_text(12345, "lost\n");
    f90_io_finish();
  });
  EXPECT_TRUE(at_end.aborted()) << at_end.describe();
  EXPECT_EQ(at_end.err, std::string("I/O error on unit 12345: No space left on device\n") + kFatal);
}

TEST(Open, FileNamesAndSystemErrors) {
  tavtest::Options o;
  o.env = {{"FORT11", std::string(1024, 'n')}};
  auto r = tavtest::run(
      [] {
        f90_io_init();
        std::string name(1024, 'a');
        show("1024", Open{.file = name.c_str()}.go());
        name = std::string(1020, 'a') + "    ";  // trailing blanks do not count
        show("1020", Open{.file = name.c_str()}.go());
        show("env", Open{.unit = 11}.go(), 11);
        show("blank", Open{.file = "   "}.go());
        show("nodir", Open{.file = "nodir/x"}.go());
        Open{.file = "nodir/x"}.go(0);
      },
      o);
  EXPECT_TRUE(r.aborted()) << r.describe();
  EXPECT_EQ(r.out,
            "1024: 174 iostat=174 lock=0 closed flags=8 buffer=0 name=0\n"
            "1020: 36 iostat=36 lock=0 closed flags=8 buffer=0 name=0\n"
            "env: 174 iostat=174 lock=0 closed flags=8 buffer=0 name=0\n"
            "blank: 2 iostat=2 lock=0 closed flags=8 buffer=0 name=0\n"
            "nodir: 2 iostat=2 lock=0 closed flags=8 buffer=0 name=0\n");
  EXPECT_EQ(r.err, std::string("I/O error on unit 10: No such file or directory\n") + kFatal);
}

TEST(Close, HeldOutputIsCompletedAsARecord) {
  auto r = run([] {
    Open{.file = "a.dat"}.go();
    write_text(10, "ab");
    write_text(10, "cd");
    show("close", close_unit(10));
    Open{.file = "b.dat"}.go();
    write_text(10, "x");
    show("switch", Open{.file = "c.dat"}.go());
    close_unit(10);
    show("148", stmttest::begin_write(10, true, 1));
    Open{.status = "SCRATCH"}.go();
    write_text(10, "held");
    show("scratch", close_unit(10));
    Open{.unit = 11, .file = "/dev/full"}.go();
    write_text(11, "lost");
    show("full", close_unit(11), 11);
  });
  EXPECT_TRUE(r.exited(0)) << r.describe();
  EXPECT_EQ(r.out,
            "close: 0 iostat=0 lock=0 closed flags=11 buffer=0 name=0\n"
            "switch: 0 iostat=0 lock=0 c.dat recl=1024 len=-1 acc=1 act=3 ps=3 delim=0 blank=0 unf=0 st=0 flags=11\n"
            "148: 148 iostat=148 lock=0 closed flags=11 buffer=0 name=0\n"
            "scratch: 0 iostat=0 lock=0 closed flags=11 buffer=0 name=0\n"
            "full: 28 iostat=28 lock=0 closed flags=11 buffer=0 name=0\n");
  EXPECT_EQ(r.file("a.dat"), "abcd\n");
  EXPECT_EQ(r.file("b.dat"), "x\n");
}

}  // namespace
