// The IEEE family against golden/ieee.tsv (written by golden/Generate.java
// from an independent reference) and the real-model and rounding intrinsics
// against golden/model.tsv (a peer compiler's results, golden/model.f90):
// every result bit for bit, NaN for NaN.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
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
using Entry = std::function<Bits(Bits, Bits)>;
Entry un(double (*f)(double)) { return [f](Bits x, Bits) { return db(f(d(x))); }; }
Entry bin(double (*f)(double, double)) { return [f](Bits x, Bits y) { return db(f(d(x), d(y))); }; }
// The by-reference entries of one argument.
template <class F, class R>
Entry ref(R (*f)(const F *), Bits (*out)(R)) {
  return [f, out](Bits x, Bits) {
    F v = sizeof(F) == 4 ? F(r(x)) : F(d(x));
    return out(f(&v));
  };
}
template <class F>
Entry ref2(F (*f)(const F *, const F *)) {
  return [f](Bits x, Bits y) {
    F a = sizeof(F) == 4 ? F(r(x)) : F(d(x)), b = sizeof(F) == 4 ? F(r(y)) : F(d(y));
    return sizeof(F) == 4 ? rb(float(f(&a, &b))) : db(double(f(&a, &b)));
  };
}

const std::map<std::string, Entry> kEntries = {
    {"sin", un(__TAVf90_sin)}, {"cos", un(__TAVf90_cos)}, {"tan", un(__TAVf90_tan)}, {"exp", un(__TAVf90_exp)},
    {"log", un(__TAVf90_log)}, {"log10", un(__TAVf90_log10)}, {"atan", un(__TAVf90_atan)},
    {"sinh", un(__TAVf90_sinh)}, {"cosh", un(__TAVf90_cosh)}, {"tanh", un(__TAVf90_tanh)},
    {"pow", bin(__TAVf90_pow)}, {"atan2", bin(__TAVf90_atan2)},
    {"exponent_r", ref(__TAVf90_exponent_r, ib)}, {"spacing_r", ref(__TAVf90_spacing_r, rb)},
    {"rrspacing_r", ref(__TAVf90_rrspacing_r, rb)}, {"aint_r", ref(__TAVf90_aint_r, rb)},
    {"anint_r", ref(__TAVf90_anint_r, rb)}, {"nint_r_i", ref(__TAVf90_nint_r_i, ib)},
    {"exponent_d", ref(__TAVf90_exponent_d, ib)}, {"spacing_d", ref(__TAVf90_spacing_d, db)},
    {"rrspacing_d", ref(__TAVf90_rrspacing_d, db)}, {"aint_d", ref(__TAVf90_aint_d, db)},
    {"anint_d", ref(__TAVf90_anint_d, db)}, {"nint_d_i", ref(__TAVf90_nint_d_i, ib)},
    {"mod_r", ref2(__TAVf90_mod_r)}, {"sign_r", ref2(__TAVf90_sign_r)}, {"dim_r", ref2(__TAVf90_dim_r)},
    {"mod_d", ref2(__TAVf90_mod_d)}, {"sign_d", ref2(__TAVf90_sign_d)},
    {"nearest_r", [](Bits x, Bits y) { return rb(__TAVf90_nearest_r(r(x), r(y))); }},
    {"nearest_d", [](Bits x, Bits y) { return db(__TAVf90_nearest_d(d(x), d(y))); }},
    {"scale_r", [](Bits x, Bits y) { return rb(__TAVf90_scale_r(r(x), static_cast<std::int32_t>(y))); }},
    {"setexp_r", [](Bits x, Bits y) { return rb(__TAVf90_setexp_r(r(x), static_cast<std::int32_t>(y))); }},
};

bool is_nan(const std::string &name, Bits b) {
  if (name.ends_with("_r")) return std::isnan(r(b));
  return !name.ends_with("_i") && name != "exponent_d" && std::isnan(d(b));
}

TEST(Golden, EveryResultBitForBit) {
  std::map<std::string, int> cases, failures;
  for (const char *table : {"ieee.tsv", "model.tsv"}) {
    std::ifstream in(std::string(TAV_SOURCE_DIR "/tests/numeric/golden/") + table);
    ASSERT_TRUE(in) << table << " missing";
    for (std::string line; std::getline(in, line);) {
      std::istringstream f(line);
      std::string name, x, y, want;
      f >> name >> x >> y >> want;
      const Bits w = std::stoull(want, nullptr, 16);
      const Bits got = kEntries.at(name)(std::stoull(x, nullptr, 16), y == "-" ? 0 : std::stoull(y, nullptr, 16));
      ++cases[name];
      if (got != w && !(is_nan(name, got) && is_nan(name, w)) && ++failures[name] <= 3)
        ADD_FAILURE() << name << "(" << x << ", " << y << ") = " << std::hex << got << ", want " << want;
    }
  }
  EXPECT_EQ(cases.size(), kEntries.size());
  for (auto &[name, n] : cases) {
    EXPECT_GE(n, 100) << name;
    EXPECT_EQ(failures[name], 0) << name << ": " << failures[name] << " of " << n;
  }
}

// The exported reduction and kernels compose into SIN as the callers use
// them.
TEST(Golden, ReductionAndKernelsCompose) {
  for (double x : {1.0e22, -3.0e300, 1647100.0, 2.5, -0.9, 1.0e6}) {
    double y[2];
    int n = __TAVf90_rem_pio2(x, y);
    double s = (n & 1) ? __TAVf90_kcos(y[0], y[1]) : __TAVf90_ksin(y[0], y[1], 1);
    EXPECT_EQ((n & 2) ? -s : s, __TAVf90_sin(x)) << x;
  }
  EXPECT_EQ(__TAVf90_sin(1.0e22), -0.8522008497671888);
  double y[2] = {1, 1};
  EXPECT_EQ(__TAVf90_rem_pio2(0.5, y), 0);
  EXPECT_TRUE(y[0] == 0.5 && y[1] == 0.0);
  EXPECT_EQ(__TAVf90_rem_pio2(-INFINITY, y), 0);
  EXPECT_TRUE(std::isnan(y[0]) && std::isnan(y[1]));
}

}  // namespace
