// The IEEE family against the committed golden table (golden/ieee.tsv,
// written by golden/Generate.java from an independent reference): every
// result bit for bit, NaN for NaN.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "tavf90.h"

namespace {

using Unary = double (*)(double);
using Binary = double (*)(double, double);

const std::map<std::string, Unary> kUnary = {
    {"sin", __TAVf90_sin},   {"cos", __TAVf90_cos},   {"tan", __TAVf90_tan},   {"exp", __TAVf90_exp},
    {"log", __TAVf90_log},   {"log10", __TAVf90_log10}, {"atan", __TAVf90_atan}, {"sinh", __TAVf90_sinh},
    {"cosh", __TAVf90_cosh}, {"tanh", __TAVf90_tanh},
};
const std::map<std::string, Binary> kBinary = {{"pow", __TAVf90_pow}, {"atan2", __TAVf90_atan2}};

double from_hex(const std::string &s) { return std::bit_cast<double>(std::stoull(s, nullptr, 16)); }

bool same(double got, double want) {
  if (std::isnan(want)) return std::isnan(got);
  return std::bit_cast<std::uint64_t>(got) == std::bit_cast<std::uint64_t>(want);
}

TEST(IeeeGolden, EveryResultBitForBit) {
  std::ifstream in(TAV_SOURCE_DIR "/tests/numeric/golden/ieee.tsv");
  ASSERT_TRUE(in) << "golden table missing";
  std::map<std::string, int> cases, failures;
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    std::string name, x, y, want;
    fields >> name >> x >> y >> want;
    double got;
    if (y == "-") {
      auto f = kUnary.find(name);
      ASSERT_NE(f, kUnary.end()) << name;
      got = f->second(from_hex(x));
    } else {
      auto f = kBinary.find(name);
      ASSERT_NE(f, kBinary.end()) << name;
      got = f->second(from_hex(x), from_hex(y));
    }
    ++cases[name];
    if (!same(got, from_hex(want)) && ++failures[name] <= 5)
      ADD_FAILURE() << name << "(" << x << (y == "-" ? "" : ", " + y) << ") = " << std::hex
                    << std::bit_cast<std::uint64_t>(got) << ", want " << want;
  }
  EXPECT_EQ(cases.size(), kUnary.size() + kBinary.size());
  for (auto &[name, n] : cases) {
    EXPECT_GE(n, 2000) << name;
    EXPECT_EQ(failures[name], 0) << name << ": " << failures[name] << " of " << n << " differ";
  }
}

// The exported reduction and kernels compose into SIN and COS as the
// callers use them.
TEST(IeeeGolden, ReductionAndKernelsCompose) {
  for (double x : {1.0e22, -3.0e300, 1647100.0, 2.5, -0.9, 1.0e6}) {
    double y[2];
    int n = __TAVf90_rem_pio2(x, y);
    double s = (n & 1) ? __TAVf90_kcos(y[0], y[1]) : __TAVf90_ksin(y[0], y[1], 1);
    if (n & 2) s = -s;
    EXPECT_EQ(s, __TAVf90_sin(x)) << x;
  }
  EXPECT_EQ(__TAVf90_sin(1.0e22), -0.8522008497671888);
  double y[2] = {1, 1};
  EXPECT_EQ(__TAVf90_rem_pio2(0.5, y), 0);
  EXPECT_EQ(y[0], 0.5);
  EXPECT_EQ(y[1], 0.0);
  EXPECT_EQ(__TAVf90_rem_pio2(-INFINITY, y), 0);
  EXPECT_TRUE(std::isnan(y[0]) && std::isnan(y[1]));
}

}  // namespace
