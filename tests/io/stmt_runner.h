// Scenarios that are plain statement sequences (data/stmt_scenarios.tsv):
// statements separated by ";", each a word with its unit and specifiers,
//   open 10 file=t.txt recl=3; write 10 bb; backspace 10; read 10; inquire 10 position
// write: an advancing formatted WRITE of a record (fmt=F: its data put
// after the edits of format F; fmt=*: list-directed), hold: one not advancing,
// read: an advancing formatted READ of a record (advance=no N: N
// characters), writeu / readu N: an unformatted record (N bytes read;
// rec=R: record R of a direct-access unit; c*N written: N times c), partial: the exported
// completion of held output, finish: the end of the I/O system, verbose:
// messages about implicit connections, inquire U (or file=F): the
// specifiers named or all; 'quoted' keeps blanks.  All have IOSTAT= but a
// verb ending in "!" (a READ then has the END= and EOR= given: end=1
// eor=1).  READs print the record ('' empty) or #code, INQUIRE name=value,
// others verb=code unless 0; "!" follows when iostat differs or the I/O
// lock is held.  A transcript ending in "abort:text" ends by the fatal path
// printing text, one in "stderr:text" normally; otherwise nothing goes to
// standard error.  Files: name=contents (0x..: hex) | ...
#pragma once

#include <algorithm>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "io/io_support.h"

namespace stmttest {

using namespace iotest;

inline std::map<std::string, std::string> split_files(const std::string &field) {
  std::map<std::string, std::string> files;
  std::istringstream in(field == "-" ? "" : field);
  for (std::string f; std::getline(in, f, '|');) {
    std::string text = f.substr(f.find('=') + 1), bytes;
    for (std::size_t i = 2; text.starts_with("0x") && i + 1 < text.size(); i += 2)  // in hex
      bytes += static_cast<char>(std::stoi(text.substr(i, 2), nullptr, 16));
    files[f.substr(0, f.find('='))] = text.starts_with("0x") ? bytes : text;
  }
  return files;
}

// INQUIRE of every specifier; name=value for those in `which`, or for all.
inline std::string inquire(int unit, const char *file, const std::vector<std::string> &which) {
  static const char *const names[] = {
      "access", "action", "blank", "delim", "direct", "form", "formatted", "pad", "position", "read",
      "readwrite", "sequential", "unformatted", "write", "name", "exist", "opened", "named", "nextrec",
      "number", "recl"};
  char c[15][24];
  int n[6] = {-9, -9, -9, -9, -9, -9};
  std::memset(c, '?', sizeof c);
  auto ask = [&](auto entry, auto... first) {
    entry(first..., c[0], 11, c[1], 11, c[2], 11, c[3], 11, c[4], 11, &n[0], c[5], 11, c[6], 11, &n[1],
          c[14], 23, &n[2], &n[3], &n[4], c[7], 11, c[8], 11, c[9], 11, c[10], 11, &n[5], c[11], 11, c[12],
          11, c[13], 11);
  };
  if (file != nullptr)
    ask(__TAVf90_inquire_f, file, slen(file));
  else
    ask(__TAVf90_inquire_u, unit);
  std::string out;
  for (int i = 0; i < 21; ++i) {
    std::string v = i < 15 ? std::string(c[i], i == 14 ? 23 : 11) : std::to_string(n[i - 15]);
    v.erase(v.find_last_not_of(' ') + 1);
    if (which.empty() || std::find(which.begin(), which.end(), names[i]) != which.end())
      out += " " + std::string(names[i]) + "=" + v;
  }
  return out.substr(1);
}

// A non-advancing READ of n characters: they, or #code.
inline std::string read_chars(int unit, int n, int flags) {
  int code = begin_read(unit, false, flags);
  std::string s = code == 0 ? take(n, &code) : "";
  if (code == 0) __TAVf90_endread();
  return code != 0 ? "#" + std::to_string(code) : s;
}

// Runs one statement; returns what it prints.
inline std::string run_statement(const std::string &text) {
  std::istringstream in(text);
  std::vector<std::string> w;  // the verb, the unit, data words
  std::map<std::string, std::string> given;  // the specifiers, by name
  for (std::string word; in >> word;) {
    for (std::string rest; std::count(word.begin(), word.end(), '\'') == 1 && std::getline(in, rest, '\'');)
      word += rest + "'";  // 'quoted, with blanks'
    std::erase(word, '\'');
    if (auto eq = word.find('='); eq != std::string::npos && w.size() >= 2)
      given[word.substr(0, eq)] = word.substr(eq + 1);
    else
      w.push_back(word);
  }
  auto s = [&given](const char *key) { return given.count(key) ? given[key].c_str() : nullptr; };
  const bool bang = w[0].ends_with('!');
  const std::string verb = w[0].substr(0, w[0].size() - bang), data = w.size() > 2 ? w[2] : "";
  const int flags = bang ? (s("end") ? kEnd : 0) | (s("eor") ? kEor : 0) : kIostat, cont = !bang;
  const int unit = w.size() < 2 || w[1].starts_with("file=") ? 0 : std::stoi(w[1]);
  const int rec = s("rec") ? std::stoi(s("rec")) : 0;
  if (verb == "read" || verb == "readu") {
    std::string got = verb == "readu"  ? read_record(unit, std::stoi(data), rec, flags)
                      : s("advance") ? read_chars(unit, std::stoi(data), flags)
                                     : read_line(unit, flags);
    return (got.empty() ? "''" : got) + (__TAVf90_io_lock != 0 ? "!" : "");
  }
  if (verb == "inquire")
    return inquire(unit, w[1].starts_with("file=") ? w[1].c_str() + 5 : nullptr, {w.begin() + 2, w.end()});
  int rc = 0, recl = s("recl") ? std::stoi(s("recl")) : 0;
  if (verb == "open") {
    rc = __TAVf90_open(unit, s("file"), slen(s("file")), s("status"), slen(s("status")), s("access"),
                       slen(s("access")), s("form"), slen(s("form")), s("recl") ? &recl : nullptr, s("blank"),
                       slen(s("blank")), s("position"), slen(s("position")), s("action"), slen(s("action")),
                       s("delim"), slen(s("delim")), s("pad"), slen(s("pad")), cont);
  } else if (verb == "close") {
    rc = close_unit(unit, s("status"), cont);
  } else if (verb == "write" || verb == "hold") {
    const char *format = !s("fmt") ? "()" : given["fmt"] == "*" ? nullptr : s("fmt");
    rc = write_line(unit, data, verb == "write", cont, format);
  } else if (verb == "writeu") {
    const auto star = data.find('*');
    rc = write_record(unit, star == 1 ? std::string(std::stoul(data.substr(2)), data[0]) : data, cont, rec);
  } else if (verb == "partial") {
    rc = __TAVf90_partial_write(unit, cont);
  } else if (verb == "finish") {
    f90_io_finish();
  } else if (verb == "verbose") {
    __TAVf90_pcio_verbose = 1;
  } else if (verb == "rewind" || verb == "endfile" || verb == "backspace") {
    auto entry = verb == "rewind" ? __TAVf90_rewind : verb == "endfile" ? __TAVf90_endfile
                                                                         : __TAVf90_backspace;
    rc = entry(unit, cont);
  } else {
    return "unknown:" + verb;
  }
  const bool odd = iostat != rc || __TAVf90_io_lock != 0;
  return (rc != 0 ? verb + "=" + std::to_string(rc) : "") + (odd ? "!" : "");
}

// Runs every row of data/stmt_scenarios.tsv.
inline void run_scenarios() {
  for (const auto &row : table("stmt_scenarios.tsv", 5)) {
    const std::size_t abort = row[3].find("abort:"), err = std::min(abort, row[3].find("stderr:"));
    const std::string out = row[3].substr(0, err == 0 ? 0 : err - 1);
    const std::string said_err = err == std::string::npos ? "" : row[3].substr(row[3].find(':', err) + 1);
    auto r = tavtest::expect_run(row[0], [&row] {
      f90_io_init();
      std::istringstream in(row[2]);
      const char *gap = "";
      for (std::string statement; std::getline(in, statement, ';');) {
        std::string said = run_statement(statement);
        if (!said.empty()) std::printf("%s%s", gap, said.c_str()), gap = " ";
        std::fflush(stdout);
      }
      std::printf("\n");
    }, {abort == std::string::npos ? 0 : tavtest::kAborted, (abort == std::string::npos ? out + "\n" : out).c_str(),
        said_err.c_str()}, with_files(split_files(row[1])));
    for (const auto &[name, contents] : split_files(row[4])) EXPECT_EQ(r.file(name), contents) << row[0];
  }
}

}  // namespace stmttest
