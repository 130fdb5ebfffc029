// Every case of the golden table goes through the library's entry points as
// compiled code would call them for one WRITE item, and the record must be
// the peer runtime's, or, for a listed defined difference, the library's
// own expected field.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "support/record_fixture.h"
#include "tavf90.h"

namespace {

struct Case {
  std::string id, type, format, value;
  bool peer_error = false;
  std::string field;  // the peer's record
};

struct Difference {
  int status = 0;
  std::string field;
  std::string reason;
};

std::string data_dir() { return TAV_SOURCE_DIR "/tests/io/golden/"; }

std::vector<std::string> split_tabs(const std::string &line) {
  std::vector<std::string> out;
  std::size_t start = 0;
  for (;;) {
    std::size_t tab = line.find('\t', start);
    out.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
    if (tab == std::string::npos) return out;
    start = tab + 1;
  }
}

// "|text|" -> text; false if the bars are missing.
bool unbar(const std::string &s, std::string *out) {
  if (s.size() < 2 || s.front() != '|' || s.back() != '|') return false;
  *out = s.substr(1, s.size() - 2);
  return true;
}

std::vector<Case> load_table() {
  std::vector<Case> cases;
  std::ifstream in(data_dir() + "table.tsv");
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    auto f = split_tabs(line);
    Case c;
    if (f.size() != 6 || !unbar(f[5], &c.field)) {
      ADD_FAILURE() << "malformed table line: " << line;
      continue;
    }
    c.id = f[0];
    c.type = f[1];
    c.format = f[2];
    c.value = f[3];
    c.peer_error = f[4] == "ERR";
    cases.push_back(c);
  }
  return cases;
}

std::map<std::string, Difference> load_differences() {
  std::map<std::string, Difference> diffs;
  std::ifstream in(data_dir() + "differences.tsv");
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    auto f = split_tabs(line);
    Difference d;
    if (f.size() != 4 || !unbar(f[2], &d.field) || f[3].empty()) {
      ADD_FAILURE() << "malformed difference line: " << line;
      continue;
    }
    d.status = std::atoi(f[1].c_str());
    d.reason = f[3];
    diffs[f[0]] = d;
  }
  return diffs;
}

std::uint64_t hex_bits(const std::string &s) { return std::strtoull(s.c_str(), nullptr, 16); }

double as_double(const std::string &hex) {
  std::uint64_t b = hex_bits(hex);
  double d;
  std::memcpy(&d, &b, sizeof d);
  return d;
}

float as_float(const std::string &hex) {
  auto b = static_cast<std::uint32_t>(hex_bits(hex));
  float f;
  std::memcpy(&f, &b, sizeof f);
  return f;
}

std::string as_chars(const std::string &hex) {
  std::string s;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
    s += static_cast<char>(std::strtoul(hex.substr(i, 2).c_str(), nullptr, 16));
  return s;
}

// The item call for the case's type, formatted or list-directed.
int write_item(const Case &c, bool list) {
  const std::string &t = c.type;
  if (t == "real8") return list ? __TAVf90_lwrite_d(as_double(c.value)) : __TAVf90_write_d(as_double(c.value));
  if (t == "real4") return list ? __TAVf90_lwrite_r(as_float(c.value)) : __TAVf90_write_r(as_float(c.value));
  if (t == "cplx8") {
    double re = as_double(c.value.substr(0, 16)), im = as_double(c.value.substr(16, 16));
    return list ? __TAVf90_lwrite_dc(re, im) : __TAVf90_write_dc(re, im);
  }
  if (t == "cplx4") {
    float re = as_float(c.value.substr(0, 8)), im = as_float(c.value.substr(8, 8));
    return list ? __TAVf90_lwrite_c(re, im) : __TAVf90_write_c(re, im);
  }
  long long v = 0;
  if (t != "char") v = std::strtoll(c.value.c_str(), nullptr, 10);
  if (t == "int1") return list ? __TAVf90_lwrite_i1(static_cast<int8_t>(v)) : __TAVf90_write_i1(static_cast<int8_t>(v));
  if (t == "int2")
    return list ? __TAVf90_lwrite_i2(static_cast<int16_t>(v)) : __TAVf90_write_i2(static_cast<int16_t>(v));
  if (t == "int4")
    return list ? __TAVf90_lwrite_i(static_cast<int32_t>(v)) : __TAVf90_write_i(static_cast<int32_t>(v));
  if (t == "int8") return list ? __TAVf90_lwrite_i4(v) : __TAVf90_write_i4(v);
  if (t == "log1") return list ? __TAVf90_lwrite_l1(static_cast<int8_t>(v)) : __TAVf90_write_l1(static_cast<int8_t>(v));
  if (t == "log2")
    return list ? __TAVf90_lwrite_l2(static_cast<int16_t>(v)) : __TAVf90_write_l2(static_cast<int16_t>(v));
  if (t == "log4") return list ? __TAVf90_lwrite_l(static_cast<int32_t>(v)) : __TAVf90_write_l(static_cast<int32_t>(v));
  if (t == "log8") return list ? __TAVf90_lwrite_l4(v) : __TAVf90_write_l4(v);
  if (t == "char") {
    std::string s = as_chars(c.value);
    return list ? __TAVf90_lwrite_ch(s.data(), static_cast<int32_t>(s.size()))
                : __TAVf90_write_ch(s.data(), static_cast<int>(s.size()));
  }
  ADD_FAILURE() << "case " << c.id << ": unknown type " << t;
  return -1000;
}

struct Outcome {
  int status;
  std::string record;
};

Outcome run_case(const Case &c) {
  tavtest::TestRecord rec;
  bool list = c.format == "*";
  int st;
  if (list) {
    st = __TAVf90_init_loutput();
  } else {
    st = __TAVf90_establish_format(c.format.data(), static_cast<int>(c.format.size()), 2);
  }
  if (st == 0) st = write_item(c, list);
  // list-directed output does not track the rightmost position; the record
  // ends where the last value ended, as the end of the statement takes it
  if (list) __TAVf90_io_top = __TAVf90_io_position;
  return {st, rec.text()};
}

class Golden : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    cases_ = new std::vector<Case>(load_table());
    diffs_ = new std::map<std::string, Difference>(load_differences());
  }
  static void TearDownTestSuite() {
    delete cases_;
    delete diffs_;
  }

  // Runs the cases whose type starts with `prefix` (and which are or are not
  // list-directed); returns how many were run.
  static int check(const std::string &prefix, bool list) {
    int run = 0, failed = 0;
    for (const Case &c : *cases_) {
      if (c.type.compare(0, prefix.size(), prefix) != 0 || (c.format == "*") != list) continue;
      ++run;
      Outcome got = run_case(c);
      auto d = diffs_->find(c.id);
      std::string what = "case " + c.id + " " + c.type + " " + c.format + " " + c.value;
      bool ok;
      std::string expected;
      if (d != diffs_->end()) {
        ok = got.status == d->second.status && (got.status != 0 || got.record == d->second.field);
        expected = "status " + std::to_string(d->second.status) + " |" + d->second.field + "| (defined difference: " +
                   d->second.reason + "; peer |" + c.field + "|)";
      } else if (c.peer_error) {
        ok = got.status != 0;
        expected = "an I/O error status";
      } else {
        ok = got.status == 0 && got.record == c.field;
        expected = "status 0 |" + c.field + "|";
      }
      if (!ok && ++failed <= 40)
        ADD_FAILURE() << what << "\n  expected " << expected << "\n  got status " << got.status << " |" << got.record
                      << "|";
    }
    EXPECT_EQ(failed, 0) << prefix << (list ? " list-directed" : " formatted") << ": " << failed << " of " << run
                         << " cases differ";
    return run;
  }

  static std::vector<Case> *cases_;
  static std::map<std::string, Difference> *diffs_;
};

std::vector<Case> *Golden::cases_ = nullptr;
std::map<std::string, Difference> *Golden::diffs_ = nullptr;

TEST_F(Golden, TableAndDifferencesAreConsistent) {
  ASSERT_GT(cases_->size(), 6000u) << "golden table missing or truncated (" << data_dir() << ")";
  std::map<std::string, int> ids;
  for (const Case &c : *cases_) ++ids[c.id];
  for (const auto &[id, n] : ids) EXPECT_EQ(n, 1) << "duplicate case id " << id;
  for (const auto &[id, d] : *diffs_) EXPECT_EQ(ids.count(id), 1u) << "difference for unknown case " << id;
}

TEST_F(Golden, DoublePrecisionFields) { EXPECT_GT(check("real8", false), 3000); }
TEST_F(Golden, SinglePrecisionFields) { EXPECT_GT(check("real4", false), 200); }
TEST_F(Golden, IntegerFields) { EXPECT_GT(check("int", false), 800); }
TEST_F(Golden, LogicalFields) { EXPECT_GT(check("log", false), 30); }
TEST_F(Golden, CharacterFields) { EXPECT_GT(check("char", false), 150); }
TEST_F(Golden, ComplexFields) { EXPECT_GT(check("cplx", false), 300); }
TEST_F(Golden, ListDirectedItems) {
  int n = check("real", true) + check("int", true) + check("log", true) + check("char", true) + check("cplx", true);
  EXPECT_GT(n, 20);
}

}  // namespace
