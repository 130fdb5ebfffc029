// Every operation that reaches a file fails in turn: the rows of
// data/fault_sweep.tsv run once per k with the k-th write, flush, seek,
// truncation or read of the stream layer failing (ENOSPC), until a run
// ends without reaching k.  Each run is held against the run without a
// failure: the failure is reported by some statement and only once, no
// statement leaves the I/O lock held or IOSTAT disagreeing, and each file
// named holds whole records, each one a record the scenario wrote.
#include <cerrno>
#include <set>

#include "io/stmt_runner.h"
#include "io/stream.h"
#include "tavf90_namelist.h"

namespace {

using namespace iotest;

int32_t nml_n = 42;
char nml_s[] = "text";
const tav_nml_object nml_objects[] = {{"N", {.address = &nml_n}, nullptr, TAV_NML_I4, 0, nullptr},
                                      {"S", {.address = nml_s}, nullptr, TAV_NML_CHARACTER, 4, nullptr}};
const tav_nml_object *const nml_list[] = {&nml_objects[0], &nml_objects[1]};
const tav_nml_group nml_group = {"G", nml_list, 2};

// The statements of data/stmt_scenarios.tsv and these: list U DATA (a
// list-directed WRITE of a character item), nml U (WRITE of a group),
// writeus U DATA (an unformatted WRITE in items of 30000 bytes), dwrite U
// REC DATA and dwriteu U REC DATA (direct access).  c^N in a data word
// stands for N copies of c.
std::string expand(std::string text) {
  for (std::size_t at; (at = text.find('^')) != std::string::npos;) {
    std::size_t end = std::min(text.find_first_not_of("0123456789", at + 1), text.size());
    text.replace(at - 1, end - at + 1, std::string(std::stoul(text.substr(at + 1, end - at - 1)), text[at - 1]));
  }
  return text;
}

std::string statement(const std::string &text) {
  std::istringstream in(text);
  std::string verb, data, d;
  int unit = 0, rec = 0;
  in >> verb >> unit;
  if (verb.starts_with("dwrite")) in >> rec;
  in >> data;
  int rc = 0;
  if (verb == "list") {
    rc = __TAVf90_write(unit, nullptr, 0, nullptr, 0, 1);
    if (rc == 0) rc = __TAVf90_lwrite_ch(data.data(), static_cast<int>(data.size()));
    if (rc == 0) rc = __TAVf90_endwrite();
  } else if (verb == "nml") {
    rc = __TAVf90_writen(unit, &nml_group, 1);
  } else if (verb == "writeus") {
    rc = __TAVf90_writeu(unit, 1);
    for (std::size_t at = 0; rc == 0 && at < data.size(); at += 30000)
      rc = __TAVf90_uwrite(data.data() + at, static_cast<int>(std::min<std::size_t>(30000, data.size() - at)));
    if (rc == 0) rc = __TAVf90_endwriteu();
  } else if (verb == "dwrite") {
    rc = __TAVf90_dwrite(unit, "(A)", 3, rec, 1);
    if (rc == 0) rc = __TAVf90_write_ch(data.data(), static_cast<int>(data.size()));
    if (rc == 0) rc = __TAVf90_enddwrite();
  } else if (verb == "dwriteu") {
    rc = write_record(unit, data, 1, rec);
  } else {
    return stmttest::run_statement(text);
  }
  const bool odd = iostat != rc || __TAVf90_io_lock != 0;
  return (rc != 0 ? verb + "=" + std::to_string(rc) : "") + (odd ? "!" : "");
}

// The data of the records of a file under its framing ("lines", "markers"
// or "fixed:RECL"); what follows the last whole record is returned with a
// "#" prefix.
std::vector<std::string> records(const std::string &bytes, const std::string &framing) {
  std::vector<std::string> out;
  std::size_t at = 0;
  while (at < bytes.size()) {
    std::size_t next = bytes.size() + 1;
    if (framing == "lines") {
      const std::size_t nl = bytes.find('\n', at);
      if (nl != std::string::npos) next = nl + 1;
    } else if (framing == "markers" && bytes.size() - at >= 8) {
      int32_t n = 0, m = -1;
      std::memcpy(&n, bytes.data() + at, 4);
      if (n >= 0 && bytes.size() - at - 8 >= static_cast<std::size_t>(n)) std::memcpy(&m, bytes.data() + at + 4 + n, 4);
      if (m == n) next = at + 8 + static_cast<std::size_t>(n);
    } else if (framing.starts_with("fixed:")) {
      const std::size_t recl = std::stoul(framing.substr(6));
      if (bytes.size() - at >= recl) next = at + recl;
    }
    if (next > bytes.size()) {
      out.push_back("#" + bytes.substr(at));
      break;
    }
    const std::size_t skip = framing == "markers" ? 4 : 0, tail = framing == "lines" ? 1 : 2 * skip;
    out.push_back(bytes.substr(at + skip, next - at - tail));
    at = next;
  }
  return out;
}

struct Outcome {
  std::vector<std::string> said;  // each statement's result
  bool reached = false;
  std::map<std::string, std::string> files;
};

Outcome run(const std::vector<std::string> &row, long k) {
  const auto checked = stmttest::split_files(row[3]);
  auto r = tavtest::run([&] {
    f90_io_init();
    tav::io::stream::fail_operation(k, ENOSPC);
    std::istringstream in(expand(row[2]));
    for (std::string text; std::getline(in, text, ';');) std::printf("%s|", statement(text).c_str());
    std::printf("%s", tav::io::stream::fail_reached() ? "reached" : "");
  }, with_files(stmttest::split_files(row[1])));
  Outcome result;
  EXPECT_TRUE(r.exited(0)) << row[0] << " k=" << k << ": " << r.describe();
  std::istringstream out(r.out);
  for (std::string s; std::getline(out, s, '|');) result.said.push_back(s);
  result.reached = !result.said.empty() && result.said.back() == "reached";
  if (result.reached) result.said.pop_back();
  for (const auto &[name, framing] : checked) result.files[name] = r.file(name);
  return result;
}

TEST(FaultSweep, EveryOperationFailsInTurn) {
  int runs = 0;
  for (const auto &row : table("fault_sweep.tsv", 4)) {
    const Outcome clean = run(row, 0);
    const auto framings = stmttest::split_files(row[3]);
    // The records a file may hold: those of the run without a failure, and
    // every data word the statements wrote.
    std::set<std::string> known;
    for (const auto &[name, framing] : framings)
      for (const auto &rec : records(clean.files.at(name), framing)) known.insert(rec);
    std::string text = expand(row[2]);
    std::replace(text.begin(), text.end(), ';', ' ');
    std::istringstream words(text);
    for (std::string w; words >> w;) known.insert(w);
    for (long k = 1;; ++k, ++runs) {
      const Outcome r = run(row, k);
      if (!r.reached) break;
      const std::string where = row[0] + " k=" + std::to_string(k);
      ASSERT_EQ(r.said.size(), clean.said.size()) << where;
      int reported = 0;
      for (std::size_t i = 0; i < r.said.size(); ++i) {
        EXPECT_EQ(r.said[i].find('!'), std::string::npos) << where << ": statement " << i << " " << r.said[i];
        if (r.said[i] != clean.said[i] && (r.said[i].find("=28") != std::string::npos || r.said[i] == "#28"))
          ++reported;
      }
      EXPECT_EQ(reported, 1) << where << ": " << ::testing::PrintToString(r.said);
      if (std::getenv("TAV_SWEEP_SHOW")) std::printf("%s: %s\n", where.c_str(), ::testing::PrintToString(r.said).c_str());
      for (const auto &[name, framing] : framings) {
        for (const auto &rec : records(r.files.at(name), framing)) {
          const bool zeros = framing.starts_with("fixed") && rec.find_first_not_of('\0') == std::string::npos;
          EXPECT_TRUE(zeros || known.count(rec))
              << where << ": " << name << " holds " << ::testing::PrintToString(rec.substr(0, 40));
        }
      }
    }
  }
  std::printf("%d failing runs\n", runs);
}

}  // namespace
