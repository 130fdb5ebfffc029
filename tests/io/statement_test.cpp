// Formatted sequential statements end to end on standard input and output
// and on files: records, conditions, non-advancing input and output, the
// checks of the begin calls, implicit connections and the end of a program.
// Each scenario runs in a child.
#include <unistd.h>
#include <variant>

#include "io/io_support.h"

namespace {

using namespace iotest;
using tavtest::expect_run;
using tavtest::kAborted;
#define FATAL_IO "Program terminated by fatal I/O error\n"

// Without IOSTAT= unless error_continue: a failure ends the program.
int write_text(int unit, const std::string &text, int error_continue = 0) {
  return write_line(unit, text, true, error_continue);
}
int write_held(int unit, const std::string &text) { return write_line(unit, text, false, 0); }

// Prints a statement's result with iostat and the lock.
void show(int rc) { std::printf("%d %d %d\n", rc, iostat, __TAVf90_io_lock); }

// The rest of a record a READ took part of is skipped, a slash reads the
// next record, a format error discards the record and a refused begin call
// leaves the unit alone.  Standard input has no RECL=: lines longer than
// the default record length are records, also a last line without a
// newline.
TEST(ReadStatement, Records) {
  expect_run("records", [] {
    f90_io_init();
    int code;
    begin_read(5, true, kIostat);
    say(take(1, &code));
    __TAVf90_endread();
    say(read_line());
    begin_read(5, true, kIostat, nullptr, "(/)");
    __TAVf90_endread();
    say(read_line());
    show(begin_read(5, true, kIostat, nullptr, "(Q)"));
    show(begin_read(-3, true, kIostat));
    std::printf("%d ", begin_read(6, true, kIostat));
    std::printf("%d\n", begin_write(5, true, 1));
    say(read_line());
    for (int i = 0; i < 3; ++i) {
      std::string s = read_line();
      std::printf("%zu%c %d\n", s.size(), s[0], iostat);
    }
    show(begin_read(5, true, kEnd));
    show(begin_read(5, true, kIostat));
  }, {0, "a\n\nr\n125 125 0\n147 147 0\n151 153\nt\n1024x 0\n1025y 0\n1025z 0\n-1 -1 0\n210 210 0\n"},
             with_stdin("ab\n\np\nq\nr\ns\nt\n" + std::string(1024, 'x') + "\n" + std::string(1025, 'y') +
                        "\n" + std::string(1025, 'z')));
}

TEST(ReadStatement, EndOfRecordAndPadding) {
  expect_run("non-advancing", [] {
    f90_io_init();
    int code, k = -9, n = -1;
    // SIZE= counts a field read where it stands and characters the hooks take.
    begin_read(5, false, kIostat, &k, "(I3)");
    __TAVf90_read_i(&n);
    __TAVf90_endread();
    std::printf("%d %d\n", n, k);
    begin_read(5, false, kIostat, &k);
    const std::string got = take(3, &code);
    __TAVf90_endread();
    std::printf("%s %d\n", got.c_str(), k);
    // Running past the end of the record is the end-of-record condition
    // (IOSTAT= catches it); the record is then left.
    begin_read(5, false, kIostat, &k);
    std::printf("pad %d\n", __TAVf90_io_pad);
    take(1, &code);
    std::printf("%d %d %d %d\n", code, iostat, k, __TAVf90_io_lock);
    // With EOR= it pads: the item gets the padded value, the hooks still
    // report the end of the record and SIZE= counts what was taken.
    if (begin_read(5, false, kEor, &k, "(I5)") == 0) std::printf("%d ", __TAVf90_read_i(&n));
    std::printf("%d %d %d\n", n, k, __TAVf90_io_lock);
    begin_read(5, false, kEor, &k);
    std::printf("pad %d\n", __TAVf90_io_pad);
    std::string s = take(6, &code);
    std::printf("%s %d %d\n", s.c_str(), code, k);
    say(read_line());
    // PAD='NO': an advancing READ gets error 207, a non-advancing one the
    // end-of-record condition.
    __TAVf90_file_info[5].flags &= ~TAV_FLAG_PAD_YES;
    begin_read(5, true, kIostat);
    std::printf("pad %d\n", __TAVf90_io_pad);
    s = take(3, &code);
    std::printf("%s %d %d\n", s.c_str(), code, iostat);
    char buf[3];
    begin_read(5, true, kIostat);
    std::printf("%d\n", __TAVf90_mystring(buf, 3));
    begin_read(5, false, kIostat);
    take(3, &code);
    std::printf("%d\n", code);
    // Without EOR= (or IOSTAT=) a non-advancing READ does not pad even under
    // PAD='YES'.
    __TAVf90_file_info[5].flags |= TAV_FLAG_PAD_YES;
    begin_read(5, false, kEnd, nullptr, "()");
    std::printf("pad %d\n", __TAVf90_io_pad);
    std::fflush(stdout);
    take(3, &code);
  }, {kAborted,
      "123 3\ndef 3\npad 1\n-2 -2 0 0\n-2 12 2 0\npad 1\n34 -2 2\nlast\npad 0\nab 207 207\n207\n-2\npad 0\n",
      "End of record on unit 5\n" FATAL_IO}, with_stdin("123def\n12\n34\nlast\nab\nab\nab\nab\n"));
}

TEST(ReadStatement, StreamErrorIsASystemError) {
  expect_run("directory", [] {
    if (std::freopen(".", "r", stdin) == nullptr) std::abort();
    f90_io_init();
    say(read_line());
    begin_read(5, true, kEnd);
  }, {kAborted, "#21\n", "I/O error on unit 5: Is a directory\n" FATAL_IO});
}

// Specifier misuse (data/stmt_fatal.tsv) and nested statements end the
// program even when the statement has IOSTAT=.
TEST(ReadStatement, MisuseIsFatal) {
  static int k;
  EXPECT_EQ(tavtest::expect_fatal_table("io/data/stmt_fatal.tsv", {{"k", &k}}, f90_io_init), 3);
  for (bool locked : {false, true}) {
    tavtest::expect_fatal([locked] {
      f90_io_init();
      locked ? __TAVf90_lock_io() : void(begin_write(6));
      begin_read(5, true, kIostat);
    }, "Recursive I/O reference");
  }
}

TEST(WriteStatement, HeldOutputContinuesTheRecord) {
  auto r = expect_run("held", [] {
    f90_io_init();
    // Unit 0 is not standard output: what a non-advancing WRITE leaves
    // stays in the record until the record ends.
    write_held(0, "ab");
    std::fputs("<", stderr);
    write_text(0, "cd");
    write_held(0, "xy");
    __TAVf90_partial_write(0, 1);
    write_text(0, "z");
    // A slash ends the record with the held characters in it.
    write_held(0, "ab");
    begin_write(0, true, 0, "('c' / 'd')");
    __TAVf90_endwrite();
    // Through the format: a string written after the held characters; the
    // rightmost character written, not the tab, ends a record.
    write_held(6, "p=");
    for (const char *format : {"('5')", "('abcdef', T2)", "('abcdef', T2, 'X')"}) {
      begin_write(6, true, 0, format);
      __TAVf90_endwrite();
    }
    // Completed at CLOSE and at the end.
    open(10, "held.txt");
    write_held(10, "ab");
    close_unit(10);
    write_held(6, "x= ");
    f90_io_finish();
  }, {0, "p=5\nabcdef\naXcdef\nx= \n", "<abcd\nxy\nz\nabc\nd\n"});
  EXPECT_EQ(r.file("held.txt"), "ab\n");
}

// Standard output on a pipe: a prompt is out before the READ that follows
// (written past the stream's buffer here), and the unit cannot be positioned.
TEST(WriteStatement, PromptOnAPipe) {
  tavtest::Options o = with_stdin("42\n");
  o.stdout_pipe = true;
  expect_run("prompt", [] {
    f90_io_init();
    write_held(6, "x= ");
    if (::write(1, "|", 1) != 1) std::abort();
    write_text(6, "n=" + read_line());
    for (int code : {__TAVf90_rewind(6, 1), __TAVf90_backspace(6, 1), __TAVf90_endfile(6, 1)})
      std::fprintf(stderr, "%d ", code);
  }, {0, "x= |n=42\n", "177 149 0 "}, o);
}

// Files are complete up to the failing statement; nothing of a failed
// record goes out.
TEST(WriteStatement, RecordLength) {
  std::string out = std::string(1024, 'a') + "\nok\nend\n";
  expect_run("length", [] {
    f90_io_init();
    write_text(6, std::string(1024, 'a'));
    int rc = write_text(6, std::string(1025, 'b'), 1);
    std::fprintf(stderr, "%d %d %d\n", rc, iostat, __TAVf90_io_lock);
    write_text(6, "ok");
    begin_write(6, true, 1);
    put(std::string(1024, 'c'));
    std::fprintf(stderr, "%d\n", __TAVf90_mychar('d'));
    write_text(6, "end");
    write_text(6, std::string(1025, 'e'));
  }, {kAborted, out.c_str(), "100 100 0\n100\nBuffer overflow on output\n" FATAL_IO});
}

// A prompt goes to the stream at once, so its failure is the end call's.
// Held output written out outside any statement cannot be handed back to
// compiled code: it ends the program.
TEST(WriteStatement, FailedWritesAreReported) {
  expect_run("prompt", [] {
    if (std::freopen("/dev/full", "w", stdout) == nullptr) std::abort();
    f90_io_init();
    for (int i = 0; i < 4; ++i) write_text(6, std::string(1000, 'q'), 1);
    begin_write(6, false, 1);
    put(std::string(1000, 'p'));
    int rc = __TAVf90_endwrite();
    std::fprintf(stderr, "%d %d\n", rc, iostat);
    open(10, "/dev/full");
    for (int i = 0; i < 5; ++i) write_line(10, std::string(1000, 'h'), i < 4, 0);
    __TAVf90_partial_write(10, 1);
  }, {kAborted, nullptr,
      "28 28\nI/O error on unit 10: No space left on device\n" FATAL_IO
      "I/O error on unit 6: No space left on device\n"});
}

// WRITE(unit, format, IOSTAT=) items, a null format being list-directed:
// the status of the first call that fails, else 0.
struct DC {
  double re, im;
};
using Item = std::variant<int, float, double, DC, const char *>;
int write_stmt(int unit, const char *format, const std::vector<Item> &items) {
  int s = __TAVf90_write(unit, format, format ? -1 : 0, nullptr, 0, 1);
  const bool list = format == nullptr;
  for (std::size_t i = 0; i < items.size() && s == 0; ++i) {
    const Item &item = items[i];
    if (auto *v = std::get_if<int>(&item)) s = (list ? __TAVf90_lwrite_i : __TAVf90_write_i)(*v);
    if (auto *r = std::get_if<float>(&item)) s = (list ? __TAVf90_lwrite_r : __TAVf90_write_r)(*r);
    if (auto *d = std::get_if<double>(&item)) s = (list ? __TAVf90_lwrite_d : __TAVf90_write_d)(*d);
    if (auto *c = std::get_if<DC>(&item)) s = (list ? __TAVf90_lwrite_dc : __TAVf90_write_dc)(c->re, c->im);
    if (auto *t = std::get_if<const char *>(&item))
      s = (list ? __TAVf90_lwrite_ch : __TAVf90_write_ch)(*t, slen(*t));
  }
  return s != 0 ? s : __TAVf90_endwrite();
}

// A failed complex value leaves no field without its blanks, and neither
// character values nor a failed item carry over into the next statement
// (SP and the scale factor ending with their statement: with the formats).
TEST(BackToBack, NothingLeaksIntoTheNextStatement) {
  expect_run("back to back", [] {
    f90_io_init();
    open(10, "c.txt", nullptr, nullptr, 20);
    const int codes[] = {
        write_stmt(10, nullptr, {DC{1.0, 2.0}}), write_stmt(6, "(F10.3)", {1.5}),
        write_stmt(10, nullptr, {DC{1.0, 2.0}}), write_stmt(6, "(E10.3)", {1.5}),
        write_stmt(10, nullptr, {DC{1.0, 2.0}}), write_stmt(6, nullptr, {1.5f}),
        write_stmt(6, nullptr, {"ab"}), write_stmt(6, "(A)", {"cd"}), write_stmt(6, nullptr, {"ef", "gh"}),
        write_stmt(6, "(SP,I3,F5.1)", {1, 2}), write_stmt(6, "(I3)", {1}), write_stmt(6, nullptr, {"ij"})};
    for (int c : codes) std::fprintf(stderr, "%d ", c);
  }, {0, "     1.500\n 0.150E+01\n   1.5000000\n ab\ncd\n efgh\n  1\n ij\n",
      "100 0 100 0 100 0 0 0 0 135 0 0 "});
}

// Implicit connections take the file name from the environment (under the
// prefix in use) or the default.
TEST(Preconnect, FileNameFromTheEnvironmentOrTheDefault) {
  tavtest::Options o;
  o.env = {{"FORT10", "named.dat"}, {"FORT11", ""}, {"ABC07", "abc.dat"}};
  o.unset_env = {"FORT12", "FORT07"};
  auto r = expect_run("names", [] {
    f90_init1(0, nullptr);
    write_text(10, "ten");
    write_text(11, "eleven");
    write_text(12, "twelve");
    std::strcpy(__TAVf90_pcio_prefix, "ABC");
    write_text(7, "seven");
    __TAVf90_pcio_prefix[0] = '\0';
    write_text(13, "thirteen");
    f90_finish(0);
  }, {0}, o);
  EXPECT_EQ(r.files(), (std::vector<std::string>{"abc.dat", "fort.11", "fort.12", "fort.13", "named.dat"}));
  std::string contents;
  for (const std::string &name : r.files()) contents += r.file(name);
  EXPECT_EQ(contents, "seven\neleven\ntwelve\nthirteen\nten\n");
}

// A name too long is refused, not cut; a failed implicit OPEN ends the
// statement with the lock free, and the unit stays unconnected while the
// next statement runs normally.  Without IOSTAT= it shows the traceback.
TEST(Preconnect, FailedImplicitOpen) {
  tavtest::Options o;
  for (const auto &[name, out] : {std::pair{std::string(1024, 'n'), "174 174 0\nnext\n"},
                                  std::pair{std::string("no/such/dir/file"), "2 2 0\nnext\n"}}) {
    o.env = {{"FORT10", name}};
    auto r = expect_run(name.substr(0, 20), [] {
      f90_init1(0, nullptr);
      show(begin_write(10, true, 1));
      write_text(6, "next");
      f90_finish(0);
    }, {0, out}, o);
    EXPECT_EQ(r.files(), std::vector<std::string>{});
  }
  expect_run("fatal", [] {
    f90_init1(0, nullptr);
    __TAVf90_enter_pu("MAIN");
    __TAVf90_filename = "main.f90";
    __TAVf90_lineno = 7;
    write_text(10, "lost");
  }, {kAborted, nullptr,
      "I/O error on unit 10: No such file or directory\n" FATAL_IO "In MAIN, line 7 of main.f90\n"}, o);
}

// Output that cannot be written out at the end: held by a non-advancing
// WRITE and completed by STOP; at the normal end, which goes through the
// fatal path; and on the fatal path, which still closes the other units.
TEST(Shutdown, UnwritableDataAtTheEnd) {
  const std::string full = "I/O error on unit 7: No space left on device\n";
  expect_run("stop", [] {
    if (std::freopen("/dev/full", "w", stdout) == nullptr) std::abort();
    f90_init1(0, nullptr);
    write_held(6, "abc");
    __TAVf90_stop("1");
  }, {kAborted, nullptr, "I/O error on unit 6: No space left on device\n" FATAL_IO});
  for (bool crash : {false, true}) {
    auto r = expect_run(crash ? "crash" : "finish", [crash] {
      f90_init1(0, nullptr);
      open(7, "/dev/full");
      open(99, "kept.txt");  // the last unit of the fixed table
      write_text(7, "lost");
      write_held(99, "line");
      if (crash) __TAVf90_crash("boom %d", 3);
      f90_finish(0);
    }, {kAborted, nullptr,
        (crash ? "boom 3\nProgram terminated by fatal error\n" + full : full + FATAL_IO).c_str()});
    EXPECT_EQ(r.file("kept.txt"), "line\n");
  }
}

// Specifier values match keywords in any case with trailing blanks; only
// letters fold.  The cases are in data/stmt_keywords.tsv.
TEST(Keyword, CaseAndTrailingBlanks) {
  for (const auto &row : table("stmt_keywords.tsv", 3)) {
    const char *value = row[0].c_str();
    EXPECT_EQ(__TAVf90_cidata_match(value, slen(value), row[1].c_str()), std::stoi(row[2])) << value;
  }
  EXPECT_EQ(__TAVf90_cidata_match("YESNO", 3, "YES"), 1);
}

}  // namespace
