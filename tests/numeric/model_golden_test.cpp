// The real-model and rounding intrinsics against a peer compiler's results
// (golden/model.tsv, written by golden/model.f90), bit for bit.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>

#include "tavf90.h"

namespace {

using Bits = std::uint64_t;
float r(Bits b) { return std::bit_cast<float>(static_cast<std::uint32_t>(b)); }
double d(Bits b) { return std::bit_cast<double>(b); }
Bits rb(float x) { return std::bit_cast<std::uint32_t>(x); }
Bits db(double x) { return std::bit_cast<Bits>(x); }
Bits ib(std::int32_t i) { return static_cast<std::uint32_t>(i); }

const std::map<std::string, std::function<Bits(Bits, Bits)>> kEntries = {
    {"exponent_r", [](Bits x, Bits) { float v = r(x); return ib(__TAVf90_exponent_r(&v)); }},
    {"spacing_r", [](Bits x, Bits) { float v = r(x); return rb(__TAVf90_spacing_r(&v)); }},
    {"rrspacing_r", [](Bits x, Bits) { float v = r(x); return rb(__TAVf90_rrspacing_r(&v)); }},
    {"nearest_r", [](Bits x, Bits y) { return rb(__TAVf90_nearest_r(r(x), r(y))); }},
    {"scale_r", [](Bits x, Bits y) { return rb(__TAVf90_scale_r(r(x), static_cast<std::int32_t>(y))); }},
    {"setexp_r", [](Bits x, Bits y) { return rb(__TAVf90_setexp_r(r(x), static_cast<std::int32_t>(y))); }},
    {"aint_r", [](Bits x, Bits) { float v = r(x); return rb(__TAVf90_aint_r(&v)); }},
    {"anint_r", [](Bits x, Bits) { float v = r(x); return rb(__TAVf90_anint_r(&v)); }},
    {"nint_r_i", [](Bits x, Bits) { float v = r(x); return ib(__TAVf90_nint_r_i(&v)); }},
    {"mod_r", [](Bits x, Bits y) { float a = r(x), p = r(y); return rb(__TAVf90_mod_r(&a, &p)); }},
    {"sign_r", [](Bits x, Bits y) { float a = r(x), b = r(y); return rb(__TAVf90_sign_r(&a, &b)); }},
    {"dim_r", [](Bits x, Bits y) { float a = r(x), b = r(y); return rb(__TAVf90_dim_r(&a, &b)); }},
    {"exponent_d", [](Bits x, Bits) { double v = d(x); return ib(__TAVf90_exponent_d(&v)); }},
    {"spacing_d", [](Bits x, Bits) { double v = d(x); return db(__TAVf90_spacing_d(&v)); }},
    {"rrspacing_d", [](Bits x, Bits) { double v = d(x); return db(__TAVf90_rrspacing_d(&v)); }},
    {"nearest_d", [](Bits x, Bits y) { return db(__TAVf90_nearest_d(d(x), d(y))); }},
    {"aint_d", [](Bits x, Bits) { double v = d(x); return db(__TAVf90_aint_d(&v)); }},
    {"anint_d", [](Bits x, Bits) { double v = d(x); return db(__TAVf90_anint_d(&v)); }},
    {"nint_d_i", [](Bits x, Bits) { double v = d(x); return ib(__TAVf90_nint_d_i(&v)); }},
    {"mod_d", [](Bits x, Bits y) { double a = d(x), p = d(y); return db(__TAVf90_mod_d(&a, &p)); }},
    {"sign_d", [](Bits x, Bits y) { double a = d(x), b = d(y); return db(__TAVf90_sign_d(&a, &b)); }},
};

bool is_nan(const std::string &name, Bits b) {
  const bool single = name.ends_with("_r");
  return single ? std::isnan(r(b)) : !name.ends_with("_i") && name != "exponent_d" && std::isnan(d(b));
}

TEST(ModelGolden, MatchesThePeerCompiler) {
  std::ifstream in(TAV_SOURCE_DIR "/tests/numeric/golden/model.tsv");
  ASSERT_TRUE(in) << "golden table missing";
  std::map<std::string, int> cases, failures;
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream f(line);
    std::string name, x, y, want;
    f >> name >> x >> y >> want;
    const Bits w = std::stoull(want, nullptr, 16);
    const Bits got = kEntries.at(name)(std::stoull(x, nullptr, 16), y == "-" ? 0 : std::stoull(y, nullptr, 16));
    ++cases[name];
    if (got != w && !(is_nan(name, got) && is_nan(name, w)) && ++failures[name] <= 3)
      ADD_FAILURE() << name << "(" << x << ", " << y << ") = " << std::hex << got << ", want " << want;
  }
  EXPECT_EQ(cases.size(), kEntries.size());
  for (auto &[name, n] : cases) EXPECT_EQ(failures[name], 0) << name << ": " << failures[name] << " of " << n;
}

}  // namespace
