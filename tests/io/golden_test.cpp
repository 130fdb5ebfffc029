// Every case of the golden table goes through the library's entry points as
// compiled code would call them for one WRITE item, and the record must be
// the peer runtime's, or, for a listed defined difference, the library's
// own expected field.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "support/record_fixture.h"
#include "tavf90.h"

namespace {

const std::string kDir = TAV_SOURCE_DIR "/tests/io/golden/";

// The tab-separated fields of the lines of a file that are not comments;
// "|text|" fields lose their bars (false if a field that must have them
// does not: field `barred`).
std::vector<std::vector<std::string>> rows(const std::string &file, std::size_t columns, std::size_t barred) {
  std::vector<std::vector<std::string>> out;
  std::ifstream in(kDir + file);
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> f(1);
    for (char c : line) {
      if (c == '\t') f.emplace_back();
      else f.back().push_back(c);
    }
    std::string &b = f[std::min(barred, f.size() - 1)];
    if (f.size() != columns || b.size() < 2 || b.front() != '|' || b.back() != '|') {
      ADD_FAILURE() << file << ": malformed line " << line;
      continue;
    }
    b = b.substr(1, b.size() - 2);
    out.push_back(f);
  }
  return out;
}

std::uint64_t bits(const std::string &hex) { return std::strtoull(hex.c_str(), nullptr, 16); }
double as_double(const std::string &hex) {
  std::uint64_t b = bits(hex);
  double d;
  std::memcpy(&d, &b, sizeof d);
  return d;
}
float as_float(const std::string &hex) {
  auto b = static_cast<std::uint32_t>(bits(hex));
  float f;
  std::memcpy(&f, &b, sizeof f);
  return f;
}

// The item call for the case's type, formatted or list-directed.
int write_item(const std::string &t, const std::string &value, bool list) {
  if (t == "real8") return list ? __TAVf90_lwrite_d(as_double(value)) : __TAVf90_write_d(as_double(value));
  if (t == "real4") return list ? __TAVf90_lwrite_r(as_float(value)) : __TAVf90_write_r(as_float(value));
  if (t == "cplx8") {
    double re = as_double(value.substr(0, 16)), im = as_double(value.substr(16, 16));
    return list ? __TAVf90_lwrite_dc(re, im) : __TAVf90_write_dc(re, im);
  }
  if (t == "cplx4") {
    float re = as_float(value.substr(0, 8)), im = as_float(value.substr(8, 8));
    return list ? __TAVf90_lwrite_c(re, im) : __TAVf90_write_c(re, im);
  }
  if (t == "char") {
    std::string s;
    for (std::size_t i = 0; i + 1 < value.size(); i += 2) s += static_cast<char>(bits(value.substr(i, 2)));
    return list ? __TAVf90_lwrite_ch(s.data(), static_cast<int32_t>(s.size()))
                : __TAVf90_write_ch(s.data(), static_cast<int>(s.size()));
  }
  const long long v = std::strtoll(value.c_str(), nullptr, 10);
  const auto i1 = static_cast<int8_t>(v);
  const auto i2 = static_cast<int16_t>(v);
  const auto i4 = static_cast<int32_t>(v);
  if (t == "int1") return list ? __TAVf90_lwrite_i1(i1) : __TAVf90_write_i1(i1);
  if (t == "int2") return list ? __TAVf90_lwrite_i2(i2) : __TAVf90_write_i2(i2);
  if (t == "int4") return list ? __TAVf90_lwrite_i(i4) : __TAVf90_write_i(i4);
  if (t == "int8") return list ? __TAVf90_lwrite_i4(v) : __TAVf90_write_i4(v);
  if (t == "log1") return list ? __TAVf90_lwrite_l1(i1) : __TAVf90_write_l1(i1);
  if (t == "log2") return list ? __TAVf90_lwrite_l2(i2) : __TAVf90_write_l2(i2);
  if (t == "log4") return list ? __TAVf90_lwrite_l(i4) : __TAVf90_write_l(i4);
  if (t == "log8") return list ? __TAVf90_lwrite_l4(v) : __TAVf90_write_l4(v);
  ADD_FAILURE() << "unknown type " << t;
  return -1000;
}

// Table columns: id, type, format, value, peer status (0 or ERR), |record|.
// Differences: id, our status, |our record|, reason.
TEST(Golden, EveryCaseAsThePeerOrAsDefined) {
  const auto cases = rows("table.tsv", 6, 5);
  std::map<std::string, std::vector<std::string>> diffs;
  for (auto &d : rows("differences.tsv", 4, 2)) diffs[d[0]] = d;
  ASSERT_GT(cases.size(), 6000u) << "golden table missing or truncated (" << kDir << ")";
  std::map<std::string, int> per_type, ids;
  int failed = 0;
  for (const auto &c : cases) {
    ++ids[c[0]];
    const bool list = c[2] == "*";
    ++per_type[c[1].substr(0, 3) + (list ? "*" : "")];
    tavtest::TestRecord rec;
    int st = list ? __TAVf90_init_loutput() : __TAVf90_establish_format(c[2].data(), static_cast<int>(c[2].size()), 2);
    if (st == 0) st = write_item(c[1], c[3], list);
    // list-directed output does not track the rightmost position; the record
    // ends where the last value ended, as the end of the statement takes it
    if (list) __TAVf90_io_top = __TAVf90_io_position;
    const std::string got = rec.text();
    auto d = diffs.find(c[0]);
    bool ok;
    std::string expected;
    if (d != diffs.end()) {
      const int status = std::atoi(d->second[1].c_str());
      ok = st == status && (st != 0 || got == d->second[2]);
      expected = "status " + d->second[1] + " |" + d->second[2] + "| (defined difference: " + d->second[3] + "; peer |" +
                 c[5] + "|)";
    } else if (c[4] == "ERR") {
      ok = st != 0;
      expected = "an I/O error status";
    } else {
      ok = st == 0 && got == c[5];
      expected = "status 0 |" + c[5] + "|";
    }
    if (!ok && ++failed <= 40)
      ADD_FAILURE() << "case " << c[0] << " " << c[1] << " " << c[2] << " " << c[3] << "\n  expected " << expected
                    << "\n  got status " << st << " |" << got << "|";
  }
  EXPECT_EQ(failed, 0) << failed << " of " << cases.size() << " cases differ";
  for (const auto &[id, n] : ids) EXPECT_EQ(n, 1) << "duplicate case id " << id;
  for (const auto &[id, d] : diffs) EXPECT_EQ(ids.count(id), 1u) << "difference for unknown case " << id;
  // Every kind of item is there, formatted and list-directed.
  for (const char *t : {"rea", "int", "log", "cha", "cpl"}) {
    EXPECT_GT(per_type[t], 30) << t;
    EXPECT_GT(per_type[std::string(t) + "*"], 0) << t << " list-directed";
  }
}

}  // namespace
