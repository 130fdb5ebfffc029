// Kind selection, the real model, rounding, integer intrinsics, powers,
// complex quotients and the IEEE family: the hand-worked cases of cases.tsv
// (entry, arguments, expected result), then golden/ieee.tsv (written by
// golden/Generate.java from an independent reference) and golden/model.tsv
// (golden/model.py, the same as a peer compiler's results), whose values are
// bit patterns; NaN matches any NaN, every other result matches bit for bit.
// Then what a row cannot say.
#include <cfloat>
#include <fstream>

#include "support/common.h"
#include "numeric/numeric_support.h"

namespace {

using numtest::same;
using L = long double;  // every argument and result of the table is exact in it

using Entry = std::function<bool(const std::vector<L> &row)>;
// One part of a complex result: a zero in the table matches a zero of either
// sign unless written -0.
template <class F>
bool part(F got, L want) {
  return same(got, static_cast<F>(want)) || (want == 0 && !std::signbit(want) && got == 0);
}
// The row holds the arguments, then the result (its two parts if complex).
template <class F>
Entry entry(F f) {
  return [f](const std::vector<L> &v) {
    auto got = f(v.data());
    if constexpr (requires { got.im; })
      return part(got.re, v[v.size() - 2]) && part(got.im, v.back());
    else if constexpr (std::is_floating_point_v<decltype(got)>)
      return same(got, static_cast<decltype(got)>(v.back()));
    else
      return static_cast<std::int64_t>(got) == static_cast<std::int64_t>(v.back());
  };
}
#define V(name, ...) {#name, entry([](const L *a) { return __TAVf90_##name(__VA_ARGS__); })}
#define R1(name, T) {#name, entry([](const L *a) { T x = T(a[0]); return __TAVf90_##name(&x); })}
#define R2(name, T) {#name, entry([](const L *a) { T x = T(a[0]), y = T(a[1]); return __TAVf90_##name(&x, &y); })}
#define X3(name, T) {#name, entry([](const L *a) { return __TAVf90_##name(3, T(a[0]), T(a[1]), T(a[2])); })}
const std::map<std::string, Entry> kEntries = {
    V(rselect, a[0], a[1]), V(rselectb, a[0], a[1]), V(iselect, a[0]), V(iselectb, a[0]),
    R1(exponent_r, float), R1(spacing_r, float), R1(rrspacing_r, float), R1(aint_r, float), R1(anint_r, float),
    R1(nint_r_i, float), R1(exponent_d, double), R1(spacing_d, double), R1(rrspacing_d, double),
    R1(aint_d, double), R1(anint_d, double), R1(nint_d_i, double), R1(abs_i, std::int32_t),
    R1(abs_i4, std::int64_t), R1(abs_r, float), R1(abs_d, double),
    V(nearest_r, a[0], a[1]), V(nearest_d, a[0], a[1]), V(scale_r, a[0], a[1]), V(scale_d, a[0], a[1]),
    V(setexp_r, a[0], a[1]), V(setexp_d, a[0], a[1]),
    R2(mod_i, std::int32_t), R2(modulo_i, std::int32_t), R2(mod_i4, std::int64_t), R2(modulo_i4, std::int64_t),
    R2(modulo_i1, std::int8_t), R2(modulo_i2, std::int16_t), R2(mod_r, float), R2(modulo_r, float),
    R2(mod_d, double), R2(sign_r, float), R2(dim_r, float), R2(sign_d, double), R2(dim_d, double),
    R2(sign_i, std::int32_t), R2(dim_i, std::int32_t), R2(sign_i4, std::int64_t), R2(dim_i4, std::int64_t),
    V(ishftc, a[0], a[1], a[2], a[3]), V(ishftc_i4, std::int64_t(a[0]), a[1], a[2], a[3]),
    V(ipowi, a[0], a[1]), V(i4powi4, std::int64_t(a[0]), std::int64_t(a[1])), V(fpowi, a[0], a[1]),
    V(fpowi4, a[0], std::int64_t(a[1])), V(dpowi, a[0], a[1]), V(dpowi4, a[0], std::int64_t(a[1])),
    V(rpowr, a[0], a[1]), V(i4powr, std::int64_t(a[0]), a[1]), V(ipowr, a[0], a[1]), V(ipowd, a[0], a[1]),
    V(i4powd, std::int64_t(a[0]), a[1]), V(dcdivdc, a[0], a[1], a[2], a[3]),
    V(sin, a[0]), V(cos, a[0]), V(tan, a[0]), V(exp, a[0]), V(log, a[0]), V(log10, a[0]), V(atan, a[0]),
    V(sinh, a[0]), V(cosh, a[0]), V(tanh, a[0]), V(pow, a[0], a[1]), V(atan2, a[0], a[1]),
    V(cpowi, a[0], a[1], a[2]), V(cpowi4, a[0], a[1], std::int64_t(a[2])), V(dcpowi, a[0], a[1], a[2]),
    V(dcpowi4, a[0], a[1], std::int64_t(a[2])), V(cpowc, a[0], a[1], a[2], a[3]), V(dcpowdc, a[0], a[1], a[2], a[3]),
    V(cdivc, a[0], a[1], a[2], a[3]), V(cdivdc, a[0], a[1], a[2], a[3]), V(dcdivc, a[0], a[1], a[2], a[3]),
    V(rdivc, a[0], a[1], a[2]), V(dpdivc, a[0], a[1], a[2]), V(dpdivdc, a[0], a[1], a[2]),
    R2(dprod, float), V(dprod_r8, a[0], a[1]), X3(max_i, int), X3(min_i, int), X3(max_i1, int),
    X3(min_i2, int), X3(amax0, int), X3(amin0, int), X3(max_i4, std::int64_t), X3(min_i4, std::int64_t),
    X3(max_r, double), X3(min_r, double), X3(max_d, double), X3(min_d, double), X3(max1, double),
    X3(min1, double),
};

// Field k of a golden row (0: x, 1: y, 2: result) from its bits: REAL for the
// entries named _r, an integer for the SCALE and SET_EXPONENT powers and the
// integer results, DOUBLE PRECISION otherwise.
L from_bits(const std::string &name, int k, const std::string &hex) {
  const std::uint64_t b = std::stoull(hex, nullptr, 16);
  if ((k == 1 && (name.starts_with("scale") || name.starts_with("setexp"))) ||
      (k == 2 && (name.ends_with("_i") || name.starts_with("exponent"))))
    return static_cast<std::int32_t>(b);
  if (name.find("_r") != std::string::npos) return std::bit_cast<float>(static_cast<std::uint32_t>(b));
  return std::bit_cast<double>(b);
}

TEST(Model, TablesOfCases) {
  std::map<std::string, int> rows, failures;
  for (std::string table : {"cases.tsv", "golden/ieee.tsv", "golden/model.tsv"}) {
    const bool golden = table.starts_with("golden");
    std::ifstream in(TAV_SOURCE_DIR "/tests/numeric/" + table);
    ASSERT_TRUE(in) << table;
    for (std::string line; std::getline(in, line);) {
      if (line.empty() || line[0] == '#') continue;
      std::istringstream f(line);
      std::string name, t;
      std::vector<L> v;
      f >> name;
      for (int k = 0; f >> t; ++k)
        if (t != "-") v.push_back(golden ? from_bits(name, k, t) : std::strtold(t.c_str(), nullptr));
      ASSERT_TRUE(kEntries.count(name)) << name;
      ++rows[name];
      if (!kEntries.at(name)(v) && ++failures[name] <= 3) ADD_FAILURE() << table << ": " << line;
    }
  }
  EXPECT_EQ(rows.size(), kEntries.size());
  for (auto &[name, n] : failures) EXPECT_EQ(n, 0) << name << ": " << n << " of " << rows[name] << " rows";
}

// The exported reduction and kernels compose into SIN as the callers use
// them.  From 2^63 on, where the hardware would return the argument itself,
// the by-reference entries reduce as the IEEE family does.
TEST(Model, ReductionAndKernelsCompose) {
  for (double x : {1.0e22, -0x1p63, 0x1p64, -3.0e300, -DBL_MAX, 1647100.0, 2.5, -0.9, 1.0e6}) {
    double y[2];
    int n = __TAVf90_rem_pio2(x, y);
    double s = (n & 1) ? __TAVf90_kcos(y[0], y[1]) : __TAVf90_ksin(y[0], y[1], 1);
    EXPECT_EQ((n & 2) ? -s : s, __TAVf90_sin(x)) << x;
    if (std::fabs(x) < 0x1p63) continue;
    EXPECT_TRUE(same(__TAVf90_sin_d(&x), __TAVf90_sin(x))) << x;
    EXPECT_TRUE(same(__TAVf90_cos_d(&x), __TAVf90_cos(x))) << x;
    EXPECT_TRUE(same(__TAVf90_tan_d(&x), __TAVf90_tan(x))) << x;
  }
  double y[2] = {1, 1};
  EXPECT_EQ(__TAVf90_rem_pio2(0.5, y), 0);
  EXPECT_TRUE(y[0] == 0.5 && y[1] == 0.0);
  EXPECT_EQ(__TAVf90_rem_pio2(-INFINITY, y), 0);
  EXPECT_TRUE(std::isnan(y[0]) && std::isnan(y[1]));
}

TEST(Model, AimagConjgPopcount) {
  tav_complex z{1, 2}, zc = __TAVf90_conjg_r(&z);
  tav_dcomplex w{3, -4}, wc = __TAVf90_conjg_d(&w);
  EXPECT_EQ(__TAVf90_aimag_r(&z) + __TAVf90_aimag_d(&w), -2.0);
  EXPECT_TRUE(zc.re == 1 && zc.im == -2 && wc.re == 3 && wc.im == 4);
  for (int b = 0; b < 256; ++b) EXPECT_EQ(__TAVf90_popcnt_table[b], std::popcount(unsigned(b))) << b;
}

#if defined(__i386__) || defined(__x86_64__)
void clear_x87_flags() { __asm__ volatile("fnclex"); }
unsigned x87_flags() {
  std::uint16_t sw;
  __asm__ volatile("fnstsw %0" : "=m"(sw));
  return sw & 0x3f;
}
constexpr unsigned kInvalid = 1, kDivByZero = 4, kOverflow = 8;

// The exceptions these operations raise (or must not) are visible in the
// x87 status word that compiled code and the end-of-program report read.
TEST(Model, ExceptionsReachTheX87) {
  const struct { double (*op)(); double want; unsigned flag; bool raised; } cases[] = {
      {[]() -> double { return __TAVf90_fpowi(0.0f, 0); }, NAN, kInvalid, true},
      {[]() -> double { return __TAVf90_dpowi(0.0, -1); }, INFINITY, kDivByZero, true},
      {[]() -> double { return __TAVf90_fpowi(10.0f, 39); }, INFINITY, kOverflow, true},
      {[]() -> double { return __TAVf90_fpowi(INFINITY, 2); }, INFINITY, kOverflow, false},
      {[]() -> double { return __TAVf90_rpowr(1.0f, 1e30f); }, 1, kInvalid, false},
      {[]() -> double { return __TAVf90_rpowr(2.0f, NAN); }, NAN, kInvalid, false},
      {[]() -> double { float x = 100; return __TAVf90_exp_r(&x); }, INFINITY, kOverflow, true},
      {[]() -> double { double x = -20000; return __TAVf90_cosh_d(&x); }, INFINITY, kDivByZero, false},
      // 0 ** -2.0 takes the reciprocal of the base on the x87, as 0 ** -2.5
      // takes its logarithm there.
      {[]() -> double { return __TAVf90_rpowr(0.0f, -2.0f); }, INFINITY, kDivByZero, true},
      // A quiet NaN passes through the range tests of the x87 family quietly,
      // as through the x87 operations themselves.
      {[]() -> double { double x = NAN; return __TAVf90_sin_d(&x); }, NAN, kInvalid, false},
      {[]() -> double { double x = NAN; return __TAVf90_exp_d(&x); }, NAN, kInvalid, false},
      {[]() -> double { float x = NAN; return __TAVf90_sinh_r(&x); }, NAN, kInvalid, false},
      {[]() -> double { return __TAVf90_cpowc(1, 0, NAN, 0).re; }, NAN, kInvalid, false},
  };
  for (const auto &c : cases) {
    clear_x87_flags();
    const double got = c.op();
    EXPECT_EQ((x87_flags() & c.flag) != 0, c.raised) << &c - cases;
    EXPECT_TRUE(same(got, c.want)) << &c - cases;
  }
  clear_x87_flags();
}
#endif

}  // namespace
