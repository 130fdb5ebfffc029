// Real output editing under the current edit (F, E, D, EN, ES, G) and the
// digit conversions it is built on.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "io/digits.h"
#include "io/real_edit.h"
#include "support/child.h"
#include "support/record_fixture.h"
#include "tavf90.h"

namespace {

namespace digits = tav::io::digits;

const double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();

std::string sp(int n) { return std::string(static_cast<std::size_t>(n), ' '); }
std::string rep(char c, int n) { return std::string(static_cast<std::size_t>(n), c); }

struct Edit {
  const char *edit;  // "F", "E", "EN", "ES", "D", "G"
  int w, d, e;       // e = -1: no Ee part
  int k = 0;         // scale factor
  int plus = 0;      // SP
};

// Makes `ed` the current edit, with its scale factor and sign mode.
void set_edit(const Edit &ed) {
  __TAVf90_current_edit[0] = ed.edit[0];
  __TAVf90_current_edit[1] = ed.edit[1];
  __TAVf90_w = ed.w;
  __TAVf90_d = ed.d;
  __TAVf90_e = ed.e;
  __TAVf90_current_scale = ed.k;
  __TAVf90_compulsory_plus = ed.plus;
}

// Writes v under the given edit on a fresh record; expects `status`.
std::string write(const Edit &ed, double v, int status = 0) {
  tavtest::TestRecord rec(4096);
  set_edit(ed);
  EXPECT_EQ(tav::io::write_real(v), status) << ed.edit << ed.w << "." << ed.d;
  EXPECT_EQ(__TAVf90_current_scale, ed.k);  // ES and G restore what they change
  return rec.text();
}

struct Case {
  Edit ed;
  double v;
  const char *expected;
};

const Case kCases[] = {
    // F: leading zero, sign of zero, rounding, asterisks, free width.
    {{"F", 3, 2, -1}, 0.25, ".25"},
    {{"F", 4, 2, -1}, 0.25, "0.25"},
    {{"F", 2, 2, -1}, 0.25, "**"},
    {{"F", 4, 2, -1}, -0.25, "-.25"},
    {{"F", 4, 2, -1, 0, 1}, 0.25, "+.25"},
    {{"F", 5, 1, -1}, -0.0, " -0.0"},
    {{"F", 6, 2, -1}, -0.001, " -0.00"},
    {{"F", 3, 0, -1}, 0.4, " 0."},
    {{"F", 3, 0, -1}, 2.5, " 2."},
    {{"F", 0, 2, -1}, 3.14159, "3.14"},
    {{"F", 0, 2, -1, 0, 1}, 3.14159, "+3.14"},
    {{"F", 10, 2, -1}, 1.0E+200, "**********"},
    {{"F", 8, 2, -1, 1}, 12.5, "  125.00"},
    {{"F", 8, 2, -1, -2}, 1234.0, "   12.34"},
    {{"F", 14, 1, -1, 10}, 1.5, " 15000000000.0"},
    // E and D: scale factor forms, rounding, exponent widths.
    {{"E", 12, 4, -1}, 1234.56, "  0.1235E+04"},
    {{"E", 12, 4, -1, 2}, 1234.56, "  12.346E+02"},
    {{"E", 12, 4, -1, -1}, 1234.56, "  0.0123E+05"},
    {{"E", 12, 4, -1, -3}, 1234.56, "  0.0001E+07"},
    {{"E", 12, 4, -1, 5}, 1234.56, "  12346.E-01"},
    {{"E", 12, 4, -1}, 1234.5, "  0.1234E+04"},
    {{"E", 10, 3, -1}, 9.9999, " 0.100E+02"},
    {{"E", 10, 3, -1}, 0.0, " 0.000E+00"},
    {{"E", 10, 3, -1, 1}, 0.0, " 0.000E+00"},
    {{"E", 12, 4, -1, 0, 1}, 1234.56, " +0.1235E+04"},
    {{"E", 10, 4, -1}, -1234.56, "-.1235E+04"},
    {{"E", 9, 4, -1}, -1234.56, "*********"},
    {{"E", 10, 4, -1, 1}, -1234.56, "**********"},
    {{"E", 12, 4, -1}, 1.0E-150, "  0.1000-149"},
    {{"E", 12, 4, -1}, 1.0E+100, "  0.1000+101"},
    {{"E", 12, 4, 3}, 1.0E+100, " 0.1000E+101"},
    {{"E", 12, 4, 2}, 1.0E+100, "************"},
    {{"E", 12, 4, 4}, 1.0E+5, "0.1000E+0006"},
    {{"E", 8, 1, 1}, 5.0, "  0.5E+1"},
    {{"E", 8, 1, 1}, 0.0, "  0.0E+0"},
    {{"E", 8, 1, 1}, 5.0E+10, "********"},
    {{"E", 12, 4, -1}, 4.9e-324, "  0.4941-323"},
    {{"D", 12, 4, -1}, 1234.56, "  0.1235D+04"},
    {{"D", 12, 4, -1}, 1.0E-150, "  0.1000-149"},
    {{"ES", 12, 4, -1}, 1234.5, "  1.2345E+03"},
    {{"ES", 12, 4, -1, 3}, 1234.5, "  1.2345E+03"},
    {{"ES", 24, 16, 3, -2}, 0.0, " 0.0000000000000000E+000"},
    // EN: exponent a multiple of 3, carries, ties to even.
    {{"EN", 12, 4, -1}, 1234.5, "  1.2345E+03"},
    {{"EN", 12, 4, -1}, 1.2345E+4, " 12.3450E+03"},
    {{"EN", 10, 2, -1}, 0.5, "500.00E-03"},
    {{"EN", 10, 2, -1}, 1.0e-5, " 10.00E-06"},
    {{"EN", 10, 3, -1}, -0.0, "-0.000E+00"},
    {{"EN", 9, 1, -1}, 999.96, "  1.0E+03"},
    {{"EN", 9, 1, -1}, 999.9, "999.9E+00"},
    {{"EN", 9, 1, -1}, 9.96, " 10.0E+00"},
    {{"EN", 9, 1, -1}, 99.96, "100.0E+00"},
    {{"EN", 10, 2, -1}, 0.0999996, "100.00E-03"},
    {{"EN", 8, 0, -1}, 2.5, "  2.E+00"},
    {{"EN", 8, 0, -1}, 3.5, "  4.E+00"},
    {{"EN", 8, 0, -1}, 12.5, " 12.E+00"},
    {{"EN", 8, 0, -1}, 2.5000000000000004, "  3.E+00"},
    {{"EN", 10, 2, -1}, -0.5, "**********"},
    {{"EN", 12, 4, -1}, 1.0e100, " 10.0000E+99"},
    {{"EN", 13, 4, 3}, 1.0e102, "  1.0000E+102"},
    {{"EN", 12, 4, 2}, 1.0e102, "************"},
    {{"EN", 7, 1, 1}, 5.0e10, "50.0E+9"},
    {{"EN", 7, 1, 1}, 5.0e11, "*******"},
    // G: F or E by magnitude, zero, exponent width.
    {{"G", 10, 3, -1}, 0.3, " 0.300    "},
    {{"G", 10, 3, -1}, 1.23456E+5, " 0.123E+06"},
    {{"G", 10, 3, -1}, 0.09, " 0.900E-01"},
    {{"G", 10, 3, -1}, 9.949, "  9.95    "},
    {{"G", 10, 3, -1}, 9.951, "  9.95    "},
    {{"G", 10, 3, -1}, 99.96, "  100.    "},
    {{"G", 10, 3, -1}, 999.4, "  999.    "},
    {{"G", 10, 3, -1}, 999.6, " 0.100E+04"},
    {{"G", 15, 7, -1}, 3.14159, "   3.141590    "},
    {{"G", 15, 7, -1}, -1.0e-3, " -0.1000000E-02"},
    {{"G", 15, 7, -1}, 12345678.0, "  0.1234568E+08"},
    {{"G", 10, 3, -1, 2}, 5.0, "  5.00    "},
    {{"G", 10, 3, -1, 1}, 1.0e6, " 1.000E+06"},
    {{"G", 10, 3, -1}, 0.0, "  0.00    "},
    {{"G", 10, 3, -1}, -0.0, " -0.00    "},
    {{"G", 10, 0, -1, 1}, 0.0, "    0.E+00"},
    {{"G", 12, 3, 3}, 0.5, "  0.500     "},
    {{"G", 5, 1, -1}, 0.5, "*    "},
    {{"G", 4, 1, -1}, 0.0, "****"},
    // Infinities and NaNs.
    {{"F", 8, 2, -1}, kInf, "  INF   "},
    {{"F", 8, 2, -1, 0, 1}, kInf, " +INF   "},
    {{"F", 4, 1, -1}, -kInf, "****"},
    {{"F", 6, 1, -1, 0, 1}, -kNaN, " NaN  "},
    {{"F", 8, 2, -1, 3}, kInf, "  INF   "},
    {{"F", 0, 3, -1}, -kInf, "-INF"},
    {{"F", 0, 0, -1, 0, 1}, kInf, "+INF"},
    {{"F", 0, 2, -1}, kNaN, "NaN"},
    {{"E", 12, 4, -1}, kNaN, "NaN         "},
    {{"E", 12, 4, -1, 3}, kInf, "  INF       "},
    {{"E", 14, 4, -1, 0, 1}, kInf, " +INF         "},
    {{"E", 3, 0, -1, 1}, -kInf, "***"},
    {{"EN", 12, 4, -1}, -kInf, "-INF        "},
    {{"G", 10, 3, -1}, kNaN, "NaN       "},
};

TEST(RealEdit, Fields) {
  for (const Case &c : kCases)
    EXPECT_EQ(write(c.ed, c.v), c.expected) << c.ed.edit << c.ed.w << "." << c.ed.d << "E" << c.ed.e << " k=" << c.ed.k
                                            << " value " << c.v;
}

TEST(RealEdit, LongFields) {
  // F beyond the 344 converted decimals: the zeros count towards w.
  EXPECT_EQ(write({"F", 400, 350, -1}, 1.5), sp(48) + "1.5" + rep('0', 349));
  EXPECT_EQ(write({"F", 350, 348, -1}, -0.0), "-." + rep('0', 348));
  EXPECT_EQ(write({"F", 350, 348, -1}, 123.0), rep('*', 350));
  // A scale factor that leaves the double range moves the point.
  EXPECT_EQ(write({"F", 0, 1, -1, 10}, 1e300), "10000000000000000525047602552044202487045" + rep('0', 270) + ".0");
  EXPECT_EQ(write({"F", 20, 1, -1, 10}, 1e300), rep('*', 20));
  // E beyond 41 significant digits: zeros, also before the point.
  const std::string third = "33333333333333331482961625624739099293947";
  EXPECT_EQ(write({"E", 60, 50, -1}, 1.0 / 3), sp(4) + "0." + third + rep('0', 9) + "E+00");
  EXPECT_EQ(write({"E", 60, 50, -1, 45}, 1.0 / 3), sp(4) + third + "0000." + rep('0', 6) + "E-45");
  // EN with more digits than a double has: the exact expansion, then zeros.
  const std::string exact = "333333333333314829616256247390992939472198486328125";
  EXPECT_EQ(write({"EN", 900, 850, -1}, 1.0 / 3), sp(42) + "333." + exact + rep('0', 850 - 51) + "E-03");
}

TEST(RealEdit, ErrorsWriteNothing) {
  EXPECT_EQ(write({"E", 12, 4, -1, 6}, 1.0, 102), "");
  EXPECT_EQ(write({"E", 12, 4, -1, -4}, 1.0, 102), "");
  EXPECT_EQ(write({"D", 1010, 1000, -1, 1001}, 1.0e-300, 103), "");
  EXPECT_EQ(write({"EN", 12, 4, -1}, 1.0e102, 103), "");
  for (const char *d : {"I", "A", "L", "Z"}) EXPECT_EQ(write({d, 8, 2, -1}, 1.0, 134), "");
}

TEST(RealEdit, ErrorMessages) {
  const std::pair<Edit, const char *> cases[] = {
      {{"E", 12, 4, -1, 6}, "Scale factor 6 out of range for d=4"},
      {{"D", 1010, 1000, -1, 1001}, "Exponent too large for Dw.d format"},
      {{"EN", 12, 4, -1}, "Exponent too large for Ew.d format"},
      {{"I", 5, 0, -1}, "Invalid edit descriptor for real i/o-list item"},
  };
  for (const auto &[ed, message] : cases) {
    auto r = tavtest::run([&ed = ed] {
      tavtest::TestRecord rec(2048);
      __TAVf90_error_continue = 0;
      __TAVf90_current_edit[0] = ed.edit[0];
      __TAVf90_current_edit[1] = ed.edit[1];
      __TAVf90_w = ed.w;
      __TAVf90_d = ed.d;
      __TAVf90_e = ed.e;
      __TAVf90_current_scale = ed.k;
      tav::io::write_real(ed.edit[0] == 'D' ? 1.0e-300 : 1.0e102);
    });
    EXPECT_TRUE(r.aborted()) << r.describe();
    EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
  }
}

// A program that traps invalid operations, division by zero and overflow
// (x87 control word 0x1372) can still write infinities and NaNs: editing
// them raises no floating-point exception at all.
TEST(RealEdit, InfNaNRaiseNoException) {
  auto r = tavtest::run([] {
    std::uint64_t snan_bits = 0x7FF0000000000001ull;
    double snan;
    std::memcpy(&snan, &snan_bits, sizeof snan);
    const double values[] = {kInf, -kInf, kNaN, snan};
    unsigned short cw = 0x1372;
    // Flags left over from the parent's earlier work are cleared first.
    asm volatile("fnclex\n\tfldcw %0" : : "m"(cw));
    std::string out;
    for (double v : values) {
      tavtest::TestRecord rec;
      __TAVf90_format_F(v, 8, 2);
      __TAVf90_format_E(v, 12, 4, -1);
      tav::io::format_EN(v, 12, 4, -1);
      tav::io::format_G(v, 10, 3, -1);
      out += rec.text() + "|";
    }
    unsigned short sw = 0;
    asm volatile("fwait\n\tfnstsw %0" : "=m"(sw));
    std::printf("%s%04x\n", out.c_str(), sw & 0x3F);
  });
  EXPECT_TRUE(r.exited(0)) << r.describe();
  const std::string nan = "  NaN   NaN" + sp(9) + "NaN" + sp(9) + "NaN" + sp(7) + "|";
  EXPECT_EQ(r.out, "  INF   INF" + sp(9) + "INF" + sp(9) + "INF" + sp(7) + "|" + " -INF   -INF" + sp(8) + "-INF" +
                       sp(8) + "-INF" + sp(6) + "|" + nan + nan + "0000\n");
}

// Whatever the value and the descriptor, a field is exactly w characters
// wide, or nothing at all when an error is reported.
TEST(RealEdit, AlwaysExactlyW) {
  std::mt19937_64 gen(7);
  std::uniform_real_distribution<double> unit(-10.0, 10.0);
  const double specials[] = {0.0, -0.0, kInf, -kInf, kNaN, 4.9e-324, 1.7976931348623157e308, 0.5, 999.96, 9.5};
  const char *kinds[] = {"F", "E", "D", "EN", "ES", "G"};
  int fields = 0;
  for (int i = 0; i < 20000; ++i) {
    double v = specials[gen() % 10];
    if (i % 5 != 0) {
      v = unit(gen);
      for (int k = static_cast<int>(gen() % 61) - 30; k != 0; k += k < 0 ? 1 : -1) v = k < 0 ? v / 1e10 : v * 1e10;
    }
    Edit ed{kinds[gen() % 6], 1 + static_cast<int>(gen() % (i % 50 == 0 ? 900 : 60)),
            static_cast<int>(gen() % (i % 50 == 0 ? 800 : 25)), static_cast<int>(gen() % 6) - 1,
            static_cast<int>(gen() % 12) - 5, static_cast<int>(gen() % 2)};
    if (ed.edit[0] == 'F' || ed.edit[0] == 'D') ed.e = -1;
    tavtest::TestRecord rec(2048);
    set_edit(ed);
    const int st = tav::io::write_real(v);
    const std::string text = rec.text();
    const std::string what = std::string(ed.edit) + std::to_string(ed.w) + "." + std::to_string(ed.d) + "E" +
                             std::to_string(ed.e) + " k=" + std::to_string(ed.k) + " " + std::to_string(v);
    if (st != 0) {
      EXPECT_TRUE(st == 102 || st == 103) << what;
      EXPECT_EQ(text, "") << what;
      continue;
    }
    ASSERT_EQ(text.size(), static_cast<std::size_t>(ed.w)) << what;
    ++fields;
  }
  EXPECT_GT(fields, 15000);
}

// The digit conversions agree with the C library's "%#.*f" and "%#.*E",
// including exact ties, the extremes of the range and long precisions.
TEST(Digits, MatchCLibraryConversions) {
  std::mt19937_64 gen(20261206);
  std::vector<double> values = {0.0, 4.9e-324, 2.2250738585072014e-308, 1.7976931348623157e308, 0.5, 2.5, 1e22, 1e23};
  for (int i = 0; i < 4000; ++i) {
    // Any finite bit pattern.
    std::uint64_t b = gen() & 0x7FFFFFFFFFFFFFFFull;
    double v;
    std::memcpy(&v, &b, sizeof v);
    if (std::isfinite(v)) values.push_back(v);
    // Binary fractions of ordinary size: full of exact decimal ties.
    v = static_cast<double>(gen() % (1u << 24));
    for (int m = static_cast<int>(gen() % 12); m > 0; --m) v /= 2;
    values.push_back(v);
  }
  std::uniform_real_distribution<double> unit(1.0, 10.0);
  for (int i = 0; i < 6000; ++i) values.push_back(unit(gen) * std::pow(10.0, static_cast<int>(gen() % 51) - 25));
  for (int k = -30; k <= 30; ++k) {
    // Powers of ten and their neighbours.
    const double p = std::pow(10.0, k);
    values.insert(values.end(), {p, std::nextafter(p, 0.0), std::nextafter(p, 1e300)});
  }
  std::vector<char> mine(static_cast<std::size_t>(digits::scientific_capacity(780)));
  char ref[2048];
  int checked = 0;
  for (std::size_t i = 0; i < values.size(); ++i) {
    const double v = values[i];
    for (int p : {0, 1, 2, 3, 4, 7, 16, 17, 20, static_cast<int>(gen() % 60), i % 64 ? 40 : 344}) {
      int n = digits::fixed(v, p, mine.data());
      int rn = std::snprintf(ref, sizeof ref, "%#.*f", p, v);
      ASSERT_EQ(std::string(mine.data(), static_cast<std::size_t>(n)), std::string(ref, static_cast<std::size_t>(rn)))
          << "fixed " << p;
      p = p == 344 ? 780 : p;
      n = digits::scientific(v, p, mine.data());
      rn = std::snprintf(ref, sizeof ref, "%#.*E", p, v);
      ASSERT_EQ(std::string(mine.data(), static_cast<std::size_t>(n)), std::string(ref, static_cast<std::size_t>(rn)))
          << "scientific " << p;
      checked += 2;
    }
  }
  EXPECT_GT(checked, 250000);
}

// Compares both conversions with the C library for every precision 0..40.
void expect_like_c_library(double v, std::vector<char> &mine, int &checked) {
  char ref[512];
  for (int p = 0; p <= 40; ++p) {
    int n = digits::fixed(v, p, mine.data());
    int rn = std::snprintf(ref, sizeof ref, "%#.*f", p, v);
    ASSERT_EQ(std::string(mine.data(), static_cast<std::size_t>(n)), std::string(ref, static_cast<std::size_t>(rn)))
        << "fixed " << p << " of " << ref;
    n = digits::scientific(v, p, mine.data());
    rn = std::snprintf(ref, sizeof ref, "%#.*E", p, v);
    ASSERT_EQ(std::string(mine.data(), static_cast<std::size_t>(n)), std::string(ref, static_cast<std::size_t>(rn)))
        << "scientific " << p << " of " << ref;
    checked += 2;
  }
}

// Values with an integer part below 2^64 and a binary fraction take an
// exact shortcut; it must agree with the C library everywhere, above all on
// exact decimal ties, on carries through runs of nines into a new leading
// digit, around powers of ten and for fractions of up to 95 bits.
TEST(Digits, IntegerAndFractionShortcut) {
  std::mt19937_64 gen(7745);
  std::vector<double> values;
  for (int i = 0; i < 1500; ++i) {
    // Any 53-bit mantissa, from integers beyond 2^64 down to fractions of
    // more than 96 bits.
    const double m = static_cast<double>((gen() >> 11) | (std::uint64_t{1} << 52));
    values.push_back(std::ldexp(m, static_cast<int>(gen() % 180) - 150));
    // Exact ties: an odd multiple of 2^-(k+1) is a tie at k decimals (and
    // for the integers among them, a tie in the integer digits).
    const std::uint64_t odd = (gen() >> static_cast<int>(12 + gen() % 50)) | 1;
    values.push_back(std::ldexp(static_cast<double>(odd), -static_cast<int>(gen() % 12)));
    // Binary fractions below 1: their decimals end in a 5 after as many
    // places as the fraction has bits, so every precision up to 40 meets
    // them exactly, a place or two before them, or just past a tie.
    const std::uint64_t small = (gen() >> static_cast<int>(24 + gen() % 40)) | 1;
    values.push_back(std::ldexp(static_cast<double>(small), -static_cast<int>(64 - __builtin_clzll(small) + gen() % 24)));
    // Integers ending in 5 followed by zeros: ties inside the integer digits.
    const std::uint64_t five = (gen() % 100000 * 10 + 5) * static_cast<std::uint64_t>(std::pow(10.0, gen() % 13));
    values.push_back(static_cast<double>(five));
  }
  for (int k = -25; k <= 20; ++k) {
    // Runs of nines that round up to the next power of ten, and the
    // neighbours of the powers of ten themselves.
    const double p = std::pow(10.0, k);
    for (double v : {p, 9.5 * p, 9.95 * p, 9.9999995 * p, 9.99999999999999995 * p})
      values.insert(values.end(), {v, std::nextafter(v, 0.0), std::nextafter(v, 1e300)});
  }
  for (std::uint64_t b : {std::uint64_t{1}, std::uint64_t{0x000FFFFFFFFFFFFF}, std::uint64_t{0x0010000000000000},
                          std::uint64_t{0x43EFFFFFFFFFFFFF}, std::uint64_t{0x43F0000000000000}}) {
    // A subnormal, the largest subnormal, the smallest normal, the largest
    // double below 2^64 and 2^64.
    double v;
    std::memcpy(&v, &b, sizeof v);
    values.push_back(v);
  }
  values.insert(values.end(), {0.0, 0.5, 1.5, 2.5, 0.125, 0.375, 1e15 + 0.5, 4503599627370495.5, 18446744073709549568.0});
  std::vector<char> mine(static_cast<std::size_t>(digits::fixed_capacity(40)));
  int checked = 0;
  for (double v : values) {
    expect_like_c_library(v, mine, checked);
    if (::testing::Test::HasFatalFailure()) return;
  }
  EXPECT_GT(checked, 300000);
}

// G chooses F editing with d - s decimals in [b(s), b(s+1)), where b(0) =
// 0.1 - 0.5 * 10^-(d+1) and each boundary is ten times the one before, every
// step rounded to double.  The double just below and at each boundary
// must fall on either side, for every d (short ones are looked up, long
// ones computed).
TEST(RealEdit, GBoundariesStepwiseInDouble) {
  int checked = 0;
  // (d = 0 is left out: E editing with d = 0 is an error without a scale
  // factor.)
  for (int d = 1; d <= 36; ++d) {
    double r = 0.05;
    for (int i = 0; i < d; ++i) r *= 0.1;
    double b = 0.1 - r;
    const int w = d + 30;
    for (int s = 0; s <= d + 1; ++s, b *= 10.0) {
      for (double v : {std::nextafter(b, 0.0), b}) {
        for (double sv : {v, -v}) {
          const std::string text = write({"G", w, d, -1}, sv);
          // F editing is followed by four blanks in place of the exponent.
          const bool f_editing = text.find('E') == std::string::npos && text.compare(text.size() - 4, 4, "    ") == 0;
          const int expected_s = v < b ? s - 1 : s;  // the interval v lies in
          ASSERT_EQ(f_editing, expected_s >= 0 && expected_s <= d) << "G" << w << "." << d << " of " << sv << ": " << text;
          if (f_editing) {
            const std::size_t point = text.find('.');
            ASSERT_NE(point, std::string::npos) << text;
            EXPECT_EQ(text.size() - 4 - point - 1, static_cast<std::size_t>(d - expected_s)) << "G" << w << "." << d << " of " << sv;
          }
          ++checked;
        }
      }
    }
  }
  EXPECT_GT(checked, 2500);
}

// Fields of the usual widths are built by a shortcut, wider ones (over 256
// characters) by the general writer.  A field that starts with a blank
// must come out the same with 300 more blanks in front of it when widened,
// so every shortcut is checked against the general writer here, over all
// kinds of values, edits, exponent widths, scale factors and SP.
TEST(RealEdit, UsualFieldsAgreeWithWideOnes) {
  std::mt19937_64 gen(4242);
  const char *kinds[] = {"F", "E", "D", "ES", "G"};
  int compared = 0;
  for (int i = 0; i < 20000; ++i) {
    double v;
    switch (i % 4) {
      case 0: {
        std::uint64_t b = gen() & 0x7FFFFFFFFFFFFFFFull;
        std::memcpy(&v, &b, sizeof v);
        if (!std::isfinite(v)) v = 0.0;
        break;
      }
      case 1:
        // Binary fractions: decimal ties.
        v = std::ldexp(static_cast<double>(gen() % (1u << 20)), -static_cast<int>(gen() % 24));
        break;
      case 2:
        v = std::ldexp(static_cast<double>((gen() >> 11) | 1), static_cast<int>(gen() % 120) - 100);
        break;
      default:
        v = std::pow(10.0, static_cast<int>(gen() % 41) - 20) * (gen() % 2 ? 1.0 : 0.9999999);
    }
    if (gen() % 2) v = -v;
    Edit ed{kinds[gen() % 5], 0, 0, -1};
    const bool fixed = ed.edit[0] == 'F';
    ed.d = static_cast<int>(gen() % 44);
    if (!fixed && ed.d == 0) ed.d = 1;
    ed.w = static_cast<int>(gen() % 64) + 1;
    if (!fixed && gen() % 3 == 0) ed.e = static_cast<int>(gen() % 4) + 1;
    // Mostly no scale factor (the shortcuts), else any valid one.
    if (gen() % 3 == 0) ed.k = fixed ? static_cast<int>(gen() % 7) - 3 : static_cast<int>(gen() % 4) - 1;
    if (!fixed && ed.edit[1] != 'S' && !(ed.k > -ed.d && ed.k < ed.d + 2)) ed.k = 0;
    ed.plus = gen() % 4 == 0;
    const std::string narrow = write(ed, v);
    ASSERT_EQ(narrow.size(), static_cast<std::size_t>(ed.w)) << ed.edit << ed.w << "." << ed.d;
    if (narrow[0] != ' ') continue;
    Edit wide = ed;
    wide.w += 300;
    ASSERT_EQ(write(wide, v), sp(300) + narrow) << ed.edit << ed.w << "." << ed.d << "E" << ed.e << " k=" << ed.k << " of " << v;
    ++compared;
  }
  EXPECT_GT(compared, 8000);
}

}  // namespace
