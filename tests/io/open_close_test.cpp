// OPEN and CLOSE, each scenario in a child process with a fresh unit table.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "io/io_support.h"

namespace {

using iotest::close_unit;
using iotest::fatal_io;
using iotest::slen;
using tavtest::kAborted;

// The specifiers of one OPEN statement; null = absent.
struct Open {
  int unit = 10;
  const char *file = nullptr, *status = nullptr, *access = nullptr, *form = nullptr;
  int *recl = nullptr;
  const char *blank = nullptr, *position = nullptr, *action = nullptr, *delim = nullptr, *pad = nullptr;
  int go(int error_continue = 1) const {
    return __TAVf90_open(unit, file, slen(file), status, slen(status), access, slen(access), form, slen(form), recl,
                         blank, slen(blank), position, slen(position), action, slen(action), delim, slen(delim),
                         pad, slen(pad), error_continue);
  }
};

// Prints the result of a statement and the state it left behind, as
// "what:code" ("!iostat=..,lock=.." when iostat disagrees or the lock was
// kept), then "none" (no unit node), "closed" or the file name, followed by
// the fields of the unit's record that differ from a default connection.
void show(const char *what, int code, int unit = 10) {
  FILE *stream = nullptr;
  tav_unit_record *r;
  if (unit < 100) {
    stream = __TAVf90_file[unit];
    r = &__TAVf90_file_info[unit];
  } else {
    __TAVf90_estab_runit_no_create(unit);
    stream = __TAVf90_cur_fptr ? *__TAVf90_cur_fptr : nullptr;
    r = __TAVf90_cur_finfo;
  }
  std::printf("%s:%d", what, code);
  if (iostat != code || __TAVf90_io_lock != 0) std::printf("!iostat=%d,lock=%d", iostat, __TAVf90_io_lock);
  auto field = [](const char *name, int value, int usual) {
    if (value != usual) std::printf(" %s=%d", name, value);
  };
  if (r == nullptr) {
    std::printf(" none");
  } else if (stream == nullptr) {
    std::printf(" closed");
    field("flags", r->flags, 11);
    if (r->buffer) std::printf(" buffer");
    if (r->file_name) std::printf(" name");
  } else {
    std::printf(" %s", r->file_name ? r->file_name : "(null)");
    const int values[] = {r->recl, r->rec_length, r->access, r->action, r->position_state, r->delim,
                          r->blank, r->unformatted, r->status, r->flags};
    const char *names[] = {"recl", "len", "acc", "act", "ps", "delim", "blank", "unf", "st", "flags"};
    const int usual[] = {1024, -1, 1, 3, 3, 0, 0, 0, 0, 11};
    for (int i = 0; i < 10; ++i) field(names[i], values[i], usual[i]);
  }
  std::printf("\n");
  std::fflush(stdout);
}

// The result of a statement that returned (with IOSTAT=): its code, marked
// with '!' when iostat disagrees or the lock was not released.  Taken as
// soon as the statement returns: the elements of a braced list are
// initialized in order.
struct Rc {
  int code;
  bool odd;
  Rc(int c) : code(c), odd(iostat != c || __TAVf90_io_lock != 0) {}  // NOLINT: implicit on purpose
};

void codes(const char *what, std::initializer_list<Rc> results) {
  std::printf("%s", what);
  for (const Rc &r : results) std::printf(" %d%s", r.code, r.odd ? "!" : "");
  std::printf("\n");
  std::fflush(stdout);
}

// A formatted WRITE of one record (held when not advancing): the text goes
// through the record hooks; a trailing newline only marks an advancing WRITE.
void write_text(int unit, std::string text) {
  bool advancing = !text.empty() && text.back() == '\n';
  if (advancing) text.pop_back();
  if (iotest::begin_write(unit, advancing) != 0 || iotest::put(text) != 0 || __TAVf90_endwrite() != 0)
    std::abort();
}

tavtest::Result run(void (*body)(), const tavtest::Ending &ending, std::map<std::string, std::string> files = {}) {
  tavtest::Options o;
  o.files = std::move(files);
  o.unset_env = {"FORT10", "FORT12345"};
  return tavtest::expect_run(::testing::UnitTest::GetInstance()->current_test_info()->name(),
                             [body] { f90_io_init(); body(); }, ending, o);
}

TEST(Open, ReopenOfTheSameFileChangesOnlyTheModes) {
  auto r = run([] {
    show("open", Open{.file = "a.dat  "}.go());
    FILE *first = __TAVf90_file[10];
    show("blank", Open{.file = "a.dat", .blank = "ZERO"}.go());
    show("delim", Open{.file = "a.dat", .delim = "quote", .pad = "NO"}.go());
    int recl = 80, other = 512;
    codes("errors", {Open{.file = "a.dat", .access = "DIRECT", .recl = &recl}.go(),
                     Open{.file = "a.dat", .status = "UNKNOWN"}.go(), Open{.file = "a.dat", .form = "UNFORMATTED"}.go(),
                     Open{.file = "a.dat", .recl = &other}.go(), Open{.file = "a.dat", .action = "READ"}.go(),
                     Open{.file = "a.dat", .position = "APPEND"}.go(), Open{.status = "OLD", .position = "REWIND"}.go(),
                     (write_text(10, "new\n"), Open{.position = "REWIND"}.go()), Open{.position = "APPEND"}.go()});
    show("after", 0);
    std::printf("same stream %d\n", __TAVf90_file[10] == first);
    Open{.file = "a.dat", .access = "DIRECT", .recl = &recl}.go(0);
  }, {kAborted, "open:0 a.dat\nblank:0 a.dat blank=1\ndelim:0 a.dat delim=1 flags=10\n"
      "errors 158 157 159 160 161 162 0 162 0\nafter:0 a.dat ps=2\nsame stream 1\n",
      fatal_io("OPEN on connected unit 10 has different ACCESS= specifier").c_str()}, {{"a.dat", "old\nlonger\n"}});
  // The shutdown on the fatal path kept the file and cut it after the WRITE.
  EXPECT_EQ(r.file("a.dat"), "new\n");
}

TEST(Open, AnotherFileClosesTheFirstConnection) {
  auto r = run([] {
    show("a", Open{.file = "a.dat"}.go());
    write_text(10, "one\n");
    show("b", Open{.file = "b.dat", .blank = "ZERO"}.go());
    show("missing dir", Open{.file = "nodir/c.dat"}.go());
  }, {0, "a:0 a.dat\nb:0 b.dat blank=1\nmissing dir:2 closed\n"});
  EXPECT_EQ(r.file("a.dat"), "one\n");
  EXPECT_TRUE(r.has_file("b.dat"));
}

TEST(Open, ScratchFileLivesUntilClose) {
  auto r = run([] {
    show("156", Open{.file = "s", .status = "SCRATCH"}.go());
    show("open", Open{.status = "scratch"}.go());
    std::string first = __TAVf90_file_info[10].file_name;
    auto exists = [](const std::string &name) { std::printf("exists %d\n", access(name.c_str(), F_OK) == 0); };
    exists(first);
    show("keep", close_unit(10, "KEEP"));
    exists(first);
    show("close", close_unit(10));
    exists(first);
    Open{.status = "SCRATCH"}.go();
    std::string second = __TAVf90_file_info[10].file_name;
    std::printf("new name %d\n", second != first);
    int err = dup(2);  // stderr itself is closed with unit 0
    f90_io_finish();
    dprintf(err, "after finish %d\n", access(second.c_str(), F_OK) == 0);
  }, {0});
  const std::string lead = "open:0 /tmp/unit_10.";
  std::size_t at = r.out.find(lead);
  ASSERT_NE(at, std::string::npos) << r.out;
  std::string unique = r.out.substr(at + lead.size(), 7);
  EXPECT_EQ(unique.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"), 6u) << unique;
  std::string name = "/tmp/unit_10." + unique.substr(0, 6) + " st=3\n";
  EXPECT_EQ(r.out, "156:156 closed flags=0\nopen:0 " + name + "exists 1\nkeep:172 " + name +
                       "exists 1\nclose:0 closed\nexists 0\nnew name 1\n");
  EXPECT_EQ(r.err, "after finish 0\n");
}

TEST(Open, StatusNewReplaceOld) {
  auto r = run([] {
    show("176", Open{.file = "x", .status = "NEW"}.go());
    show("replace", Open{.file = "x", .status = "REPLACE"}.go());
    struct stat st;
    std::printf("size %ld\n", stat("x", &st) == 0 ? static_cast<long>(st.st_size) : -1L);
    close_unit(10);
    show("175", Open{.file = "missing", .status = "OLD"}.go());
    show("new", Open{.file = "fresh", .status = "New"}.go()), close_unit(10);
    show("212", Open{.status = "NEW"}.go());
    show("212", Open{.status = "REPLACE"}.go());
    show("155", Open{.unit = 11, .status = "OLD"}.go(), 11);
    show("old", Open{.file = "x", .status = "OLD"}.go());
    Open{.unit = 12, .file = "missing", .status = "OLD"}.go(0);
  }, {kAborted, "176:176 closed flags=8\nreplace:0 x st=1\nsize 0\n175:175 closed\nnew:0 fresh st=1\n"
      "212:212 closed\n212:212 closed\n155:155 closed flags=0\nold:0 x st=1\n", fatal_io("Cannot find OLD file").c_str()},
      {{"x", "data\n"}});
  EXPECT_TRUE(r.has_file("fresh"));
}

TEST(Open, SpecifierValuesAndDefaults) {
  run([] {
    int zero = 0, negative = -5, eighty = 80;
    show("unknown", Open{.file = "f", .status = "unknown "}.go()), close_unit(10);
    show("direct", Open{.file = "f", .access = "Direct", .recl = &eighty}.go()), close_unit(10);
    show("unformatted", Open{.file = "f", .form = "UNFORMATTED", .action = "write"}.go()), close_unit(10);
    show("direct formatted", Open{.file = "f", .access = "DIRECT", .form = "FORMATTED", .recl = &eighty,
                                  .blank = "zero", .action = "READ", .delim = "APOSTROPHE", .pad = "no"}.go());
    close_unit(10);
    codes("errors", {Open{.file = "f", .status = "OLDX", .access = "bad"}.go(),
                     Open{.file = "f", .access = " DIRECT"}.go(), Open{.file = "f", .form = "FORM"}.go(),
                     Open{.file = "f", .access = "DIRECT"}.go(), Open{.file = "f", .recl = &zero}.go(),
                     Open{.file = "f", .access = "DIRECT", .recl = &negative}.go(),
                     Open{.file = "f", .blank = "NONE"}.go(),
                     Open{.file = "f", .access = "DIRECT", .recl = &eighty, .position = "ASIS"}.go(),
                     Open{.file = "f", .position = "END"}.go(), Open{.file = "f", .action = "READWRITEX"}.go(),
                     Open{.file = "f", .delim = "QUOTES"}.go(), Open{.file = "f", .pad = "Y"}.go(),
                     Open{.unit = -3}.go(), close_unit(-3)});
    show("still", 0);
    Open{.file = "f", .form = "UNFORMATTED", .pad = "YES"}.go();
  }, {kAborted, "unknown:0 f\ndirect:0 f recl=80 acc=2 unf=1 flags=27\nunformatted:0 f recl=65536 act=2 unf=1\n"
      "direct formatted:0 f recl=80 acc=2 act=1 delim=2 blank=1 flags=26\n"
      "errors 163 164 165 171 213 213 166 216 167 168 169 170 147 147\nstill:0!iostat=147,lock=0 closed flags=26\n",
      "The PAD= specifier is not allowed for an UNFORMATTED file\nProgram terminated by fatal error\n"});
}

TEST(Open, ReadOnlyFileFallsBackToReading) {
  auto r = tavtest::run([] {
    f90_io_init();
    // A file that may be read but not written.  Root writes anything, so a
    // root child gives up its privileges first; exit 77 when it cannot.
    FILE *f = std::fopen("ro", "w");
    std::fputs("text\n", f);
    std::fclose(f);
    chmod("ro", 0444);
    mkdir("rodir", 0555);
    if (geteuid() == 0 && (chmod(".", 0755), setgid(65534) != 0 || setuid(65534) != 0)) _exit(77);
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
  EXPECT_EQ(r.out, "no action:0 ro act=1\nread text\nreadwrite:13 closed flags=8\ncreate:13 closed flags=8\n");
  EXPECT_EQ(r.err, fatal_io("I/O error on unit 11: Permission denied"));
}

TEST(Open, AppendAddsAtTheEnd) {
  auto r = run([] {
    show("append", Open{.file = "log", .position = "append"}.go());
    std::printf("at %ld\n", std::ftell(__TAVf90_file[10]));
    write_text(10, "second\n");
    show("close", close_unit(10));
    // A FIFO cannot seek: it is opened again for appending.
    mkfifo("pipe", 0600);
    show("fifo", Open{.file = "pipe", .position = "APPEND"}.go());
    std::printf("O_APPEND %d\n", (fcntl(fileno(__TAVf90_file[10]), F_GETFL) & O_APPEND) != 0);
  }, {0, "append:0 log ps=6\nat 6\nclose:0 closed\nfifo:0 pipe ps=6 flags=9\nO_APPEND 1\n"},
      {{"log", "first\n"}});
  EXPECT_EQ(r.file("log"), "first\nsecond\n");
}

TEST(Open, FileNamesAndSystemErrors) {
  run([] {
    std::string name(1024, 'a');
    show("1024", Open{.file = name.c_str()}.go());
    name = std::string(1020, 'a') + "    ";  // trailing blanks do not count
    show("1020", Open{.file = name.c_str()}.go());
    show("blank", Open{.file = "   "}.go());
    Open{.file = "nodir/x"}.go(0);
  }, {kAborted, "1024:174 closed flags=8\n1020:36 closed flags=8\nblank:2 closed flags=8\n",
      fatal_io("I/O error on unit 10: No such file or directory").c_str()});
}

TEST(Close, UnconnectedUnitsAndDispositions) {
  auto r = run([] {
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
  }, {0, "never:0 closed flags=0\nnever:0 none\nbad status:163 keep.dat\nkeep:0 closed\nagain:0 closed\n"
      "delete:0 closed\next:0 closed\n",
      "preconn_io: No initialisation found for FORT12345\npreconn_io: Logical unit 12345 opened to fort.12345\n"
      "preconn_io: Logical unit 12345 closed (file fort.12345)\n"}, {{"gone.dat", "x\n"}});
  EXPECT_EQ(r.files(), (std::vector<std::string>{"fort.12345", "keep.dat"}));
  EXPECT_EQ(r.file("fort.12345"), "ext\n");
}

// A file is not cut after a READ, nor a device after a WRITE (cutting
// after a WRITE and completing held output are checked with the
// statements).  Output held when OPEN connects another file is completed.
TEST(Close, KeepsWhatWasReadAndCompletesHeldOutput) {
  auto r = run([] {
    Open{.file = "u"}.go();
    char line[8];
    std::fgets(line, sizeof line, __TAVf90_file[10]);
    __TAVf90_file_info[10].position_state = TAV_POS_READ;
    show("read", close_unit(10));
    show("null", Open{.file = "/dev/null"}.go());
    write_text(10, "gone\n");
    show("null", close_unit(10));
    Open{.file = "b.dat"}.go();
    write_text(10, "x");
    show("switch", Open{.file = "c.dat"}.go()), close_unit(10);
    show("148", iotest::begin_write(10, true, 1));
    Open{.status = "SCRATCH"}.go();
    write_text(10, "held");
    show("scratch", close_unit(10));
  }, {0, "read:0 closed\nnull:0 /dev/null\nnull:0 closed\nswitch:0 c.dat\n148:148 closed\nscratch:0 closed\n"},
      {{"u", "aaaa\nbbbb\n"}});
  EXPECT_EQ(r.file("u"), "aaaa\nbbbb\n");
  EXPECT_EQ(r.file("b.dat"), "x\n");
}

// Data that cannot be written out is an error of the CLOSE, never lost
// silently: returned with IOSTAT=, fatal without, and fatal at program end.
TEST(Close, FailureToWriteOutIsReported) {
  run([] {
    Open{.file = "/dev/full"}.go();
    write_text(10, "lost\n");
    show("full", close_unit(10));
    Open{.unit = 11, .file = "/dev/full"}.go();
    std::fputs("buffered", __TAVf90_file[11]);  // no WRITE recorded: fclose still fails
    show("full", close_unit(11), 11);
    Open{.unit = 12, .file = "/dev/full"}.go();
    write_text(12, "held");
    show("held", close_unit(12), 12);
  }, {0, "full:28 closed\nfull:28 closed\nheld:28 closed\n"});

  run([] {
    Open{.file = "/dev/full"}.go();
    write_text(10, "lost\n");
    close_unit(10, nullptr, 0);
  }, {kAborted, nullptr, fatal_io("I/O error on unit 10: No space left on device").c_str()});

  run([] {
    Open{.unit = 12345, .file = "/dev/full"}.go();
    write_text(12345, "lost\n");
    f90_io_finish();
  }, {kAborted, nullptr, fatal_io("I/O error on unit 12345: No space left on device").c_str()});
}

// Removing a node of the list of units above 99 unlinks the current node,
// whichever lookup made it current; the others stay reachable.
TEST(Close, ExtendedUnitNodeIsUnlinkedWhateverFoundIt) {
  run([] {
    auto found = [](int unit) {
      __TAVf90_estab_runit_no_create(unit);
      std::printf(" %d:%c", unit, __TAVf90_cur_finfo != nullptr ? 'y' : 'n');
    };
    __TAVf90_estab_runit(200);
    __TAVf90_estab_runit(300);
    __TAVf90_estab_runit_no_create(200);
    __TAVf90_estab_runit(300);
    __TAVf90_close_real_unit();
    found(200), found(300);
    __TAVf90_estab_runit(400);
    found(200), found(300), found(400);
    __TAVf90_close_real_unit();
    __TAVf90_estab_runit(200);
    __TAVf90_close_real_unit();
    found(200), found(400);
    std::printf("\n");
  }, {0, " 200:y 300:n 200:y 300:n 400:y 200:n 400:n\n"});
}

}  // namespace
