// Records of formatted sequential READ, taken whole from the stream's
// buffer of a regular file and of a pipe that delivers the text in pieces.
#include <cmath>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "io/io_support.h"
#include "io/stmt_runner.h"

namespace {

using namespace iotest;

struct Case {
  const char *name;
  std::string text;
  int recl;  // RECL=, or 0 for none
};

// Lines of every length from 0 to 299, so that the stream's buffer ends
// inside a line and at every place of one.
std::string ragged() {
  std::string s;
  for (int i = 0; i < 300; ++i) s += std::string(static_cast<std::size_t>(i), static_cast<char>('a' + i % 26)) + "\n";
  return s;
}

// What the reads must give: each line without its ending (a newline, or a
// carriage return and a newline), with RECL= cut into pieces of recl
// characters (error 104 for each piece that is followed by more), then end
// of file.
std::string expected(const Case &c) {
  const std::size_t recl = c.recl > 0 ? static_cast<std::size_t>(c.recl) : std::string::npos;
  std::string out;
  for (std::size_t at = 0, nl; at < c.text.size(); at = nl == std::string::npos ? nl : nl + 1) {
    nl = c.text.find('\n', at);
    std::string line = c.text.substr(at, nl - at);
    if (nl != std::string::npos && line.ends_with('\r')) line.pop_back();
    for (; line.size() > recl; line.erase(0, recl)) out += "#104\n";
    out += line + "\n";
  }
  return out + "#-1\n";
}

// Writes text into the pipe `path` in pieces of 1 to 5000 bytes with pauses
// between them, so that reads return partial lines; returns the writer.
pid_t feed(const char *path, const std::string &text) {
  pid_t pid = fork();
  if (pid != 0) return pid;
  int fd = open(path, O_WRONLY);
  static const std::size_t piece[] = {1, 7, 100, 5000, 3, 4096};
  for (std::size_t at = 0, i = 0; fd >= 0 && at < text.size(); ++i) {
    std::size_t k = std::min(piece[i % 6], text.size() - at);
    if (write(fd, text.data() + at, k) != static_cast<ssize_t>(k)) _exit(1);
    at += k;
    usleep(200);
  }
  _exit(fd >= 0 ? 0 : 1);
}

TEST(LineReader, FilesAndPipes) {
  const Case cases[] = {
      {"short", "ab\n\ncdef\nlast", 1024},
      {"empty file", "", 1024},
      {"one empty record", "\n", 1024},
      {"carriage returns", "a\r\nb\r\n\r\n\rc\rd\r\r\n\r", 1024},
      // A line of exactly recl characters and its CR LF ending, the return
      // the last character of the first piece of the pipe (offset 107);
      // one not followed by a newline at the same place; a last line of a
      // lone return.
      {"CR LF at recl", std::string(107, 'c') + "\r\n" + std::string(107, 'd') + "\rx\n\r", 107},
      // (the 64 KiB buffer of a file ends with the return, at offset 65535)
      {"CR LF at recl at a refill", std::string(45534, 'a') + "\n" + std::string(20000, 'y') + "\r\nend", 20000},
      {"return at a refill", std::string(45534, 'a') + "\n" + std::string(20000, 'y') + "\rz\nend", 20000},
      // (the return is the last character of the first buffer of a file,
      // then the first of its third)
      {"CR LF across refills", std::string(65535, 'a') + "\r\n" + std::string(65535, 'b') + "\r\nend", 100000},
      {"ragged", ragged(), 1024},
      {"longer than the buffer", std::string(10000, 'x') + "\ntail\n" + std::string(9000, 'z'), 20000},
      // (the 64 KiB buffer of a file ends just after recl characters of it)
      {"too long at a refill", std::string(45535, 'a') + "\n" + std::string(20001, 'y') + "\nend", 20000},
      {"exactly recl", std::string(1024, 'p') + "\n" + std::string(1024, 'q'), 1024},
      {"too long", std::string(1025, 'y') + "\n" + std::string(5000, 'w') + "\nend\n" + std::string(1025, 'z'),
       1024},
      // Without RECL= every line is a record, however long: at the default
      // length and one more, a CR LF ending just beyond it, several times
      // it, beyond the file's buffer, a last line without a newline.
      {"any length", std::string(1024, 'p') + "\r\n" + std::string(1025, 'q') + "\n" + std::string(6528, 'r') +
       "\n\n" + std::string(2048, 's') + "\r\n" + std::string(100000, 't') + "\nend\n" + std::string(3000, 'u'), 0},
      {"any length, one line", std::string(70000, 'v'), 0},
  };
  for (const Case &c : cases) {
    tavtest::Options file;
    file.files["in.txt"] = c.text;
    const std::string want = expected(c);
    for (bool pipe : {false, true}) {
      tavtest::expect_run(std::string(c.name) + (pipe ? " (pipe)" : " (file)"), [&c, pipe] {
        f90_io_init();
        if (pipe && mkfifo("fifo", 0600) != 0) std::abort();
        const pid_t writer = pipe ? feed("fifo", c.text) : 0;
        open(10, pipe ? "fifo" : "in.txt", nullptr, nullptr, c.recl, "READ", nullptr, 0);
        for (std::string s; s != "#-1";) say(s = read_line(10));
        int status = 0;
        if (pipe && (waitpid(writer, &status, 0) != writer || status != 0)) say("writer failed");
      }, {0, want.c_str(), ""}, file);
    }
  }
}

// What a statement printed, a long record as its length and its first and
// last characters.
std::string brief(const std::string &s) {
  return s.size() <= 20 ? s : std::to_string(s.size()) + s.front() + s.back();
}

// Records longer than the default record length on connections without
// RECL=: non-advancing READs across the default length, BACKSPACE over such
// records (held, read, and never read), a WRITE after a non-advancing READ
// within the record length of output and beyond it, INQUIRE's RECL= all the
// while; and a list-directed record the peer runtime wrote, 816 REAL values
// on one line of some 14,000 characters, read back exactly.
TEST(LineReader, LongRecordsWithoutRecl) {
  tavtest::Options files;
  files.files["long.txt"] = std::string(1020, 'a') + "0123456789" + std::string(5498, 'b') + "\nshort\r\n";
  files.files["tail.txt"] = "x\n" + std::string(3000, 'c') + "\n";
  files.files["peer.txt"] = slurp(TAV_SOURCE_DIR "/tests/io/files_data/peer_long.txt");
  tavtest::expect_run("long records", [] {
    f90_io_init();
    for (const char *s :
         {"open 10 file=long.txt", "read 10 advance=no 1020", "read 10 advance=no 10", "backspace 10", "read 10",
          "read 10", "backspace 10", "backspace 10", "read 10", "inquire 10 recl", "backspace 10",
          "read 10 advance=no 1030", "write 10 X", "backspace 10", "read 10", "backspace 10",
          "read 10 advance=no 1000", "write 10 Y",
          "close 10", "open 111 file=tail.txt position=append", "backspace 111", "read 111", "read 111"})
      if (const std::string said = stmttest::run_statement(s); !said.empty()) std::printf("%s ", brief(said).c_str());
    std::printf("%d\n", slurp("long.txt") == std::string(1000, 'a') + "Y\n");
    open(12, "peer.txt");
    std::vector<float> x(816, 7.0f);
    int status = begin_read(12, true, kIostat);
    for (float &v : x) status = status != 0 ? status : __TAVf90_lread_r(&v);
    if (status == 0) __TAVf90_endread();
    int differ = 0;
    for (int i = 0; i < 816; ++i) differ += x[i] != (i == 4 ? 0.0f : static_cast<float>(i + 1) / 7.0f);
    std::printf("%d %d %d %s\n", status, differ, std::signbit(x[4]) ? 1 : 0, read_line(12).c_str());
  }, {0, "1020aa 0123456789 6528ab short 6528ab recl=1024 1030a9 write=100 6528ab 1000aa 3000cc #-1 1\n0 0 1 end\n", ""},
                      files);
}

}  // namespace
