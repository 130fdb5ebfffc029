// OPEN and CLOSE, each scenario in a child process with a fresh unit table.
// The plain statement sequences are rows of data/stmt_scenarios.tsv.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "io/stmt_runner.h"

namespace {

using iotest::fatal_io;
using stmttest::run_statement;

// Runs statements of the scenario notation, printing what they print.
void run_all(std::initializer_list<const char *> statements) {
  for (const char *s : statements) std::printf("%s|", run_statement(s).c_str());
  std::printf("\n");
  std::fflush(stdout);
}

tavtest::Result run(void (*body)(), const tavtest::Ending &ending,
                    std::map<std::string, std::string> files = {}) {
  tavtest::Options o;
  o.files = std::move(files);
  o.unset_env = {"FORT10", "FORT12345"};
  return tavtest::expect_run(::testing::UnitTest::GetInstance()->current_test_info()->name(),
                             [body] { f90_io_init(); body(); }, ending, o);
}

// A scratch file has a new name under /tmp for each connection and lives
// until CLOSE (which refuses KEEP for it) or the end; it cannot be named.
TEST(Open, ScratchFileLivesUntilClose) {
  auto r = run([] {
    run_all({"open 10 file=s status=SCRATCH", "open 10 status=scratch"});
    const std::string first = __TAVf90_file_info[10].file_name;
    auto exists = [&first] { std::printf("%d\n", access(first.c_str(), F_OK) == 0); };
    std::printf("%s\n", first.c_str());
    exists();
    run_all({"close 10 status=KEEP", "inquire 10 opened"});
    exists();
    run_all({"close 10", "inquire 10 opened", "open 10 status=SCRATCH"});
    exists();
    const std::string second = __TAVf90_file_info[10].file_name;
    int err = dup(2);  // stderr itself is closed with unit 0
    f90_io_finish();
    dprintf(err, "%d %d\n", second != first, access(second.c_str(), F_OK) == 0);
  }, {0});
  const std::string lead = "open=156||\n/tmp/unit_10.";
  ASSERT_EQ(r.out.substr(0, lead.size()), lead) << r.out;
  std::string unique = r.out.substr(lead.size(), 7);
  EXPECT_EQ(unique.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"), 6u)
      << unique;
  EXPECT_EQ(r.out.substr(lead.size() + 6), "\n1\nclose=172|opened=1|\n1\n|opened=0||\n0\n");
  EXPECT_EQ(r.err, "1 0\n");
}

TEST(Open, ReadOnlyFileFallsBackToReading) {
  auto r = tavtest::run([] {
    f90_io_init();
    // A file that may be read but not written.  Root writes anything, so a
    // root child gives up its privileges first; exit 77 when it cannot.
    iotest::put_file("ro", "text\n");
    chmod("ro", 0444);
    mkdir("rodir", 0555);
    if (geteuid() == 0 && (chmod(".", 0755), setgid(65534) != 0 || setuid(65534) != 0)) _exit(77);
    // A file that cannot be created reports why, not that it is missing.
    run_all({"open 10 file=ro", "inquire 10 action", "read 10", "close 10",
             "open 11 file=ro action=READWRITE", "open 12 file=rodir/new"});
    iotest::open(11, "ro", nullptr, nullptr, 0, "WRITE", nullptr, 0);
  });
  if (r.exited(77)) GTEST_SKIP() << "cannot drop root privileges here";
  EXPECT_EQ(r.signal, SIGABRT) << r.describe();
  EXPECT_EQ(r.out, "|action=READ|text||open=13|open=13|\n");
  EXPECT_EQ(r.err, fatal_io("I/O error on unit 11: Permission denied"));
}

// A FIFO cannot seek: POSITION='APPEND' opens it again for appending.
TEST(Open, AppendToAFifo) {
  run([] {
    mkfifo("pipe", 0600);
    run_all({"open 10 file=pipe position=APPEND", "inquire 10 position"});
    std::printf("O_APPEND %d\n", (fcntl(fileno(__TAVf90_file[10]), F_GETFL) & O_APPEND) != 0);
  }, {0, "|position=APPEND|\nO_APPEND 1\n"});
}

// Names too long for the library and for the system; trailing blanks do
// not count.
TEST(Open, FileNamesAndSystemErrors) {
  run([] {
    for (const std::string &name : {std::string(1024, 'a'), std::string(1020, 'a') + "    ", std::string("   ")})
      std::printf("%d ", iotest::open(10, name.c_str()));
  }, {0, "174 36 2 "});
}

// A CLOSE fails when the stream cannot be written out, even with no WRITE
// recorded on the unit.
TEST(Close, StreamThatCannotBeWrittenOut) {
  run([] {
    run_statement("open 11 file=/dev/full");
    std::fputs("buffered", __TAVf90_file[11]);
    run_all({"close 11", "inquire 11 opened"});
  }, {0, "close=28|opened=0|\n"});
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
