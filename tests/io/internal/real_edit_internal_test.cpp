// Dw.d, ENw.d[Ee], Gw.d[Ee], the dispatch on the current edit, and the
// digit conversions they are built on.
#include <gtest/gtest.h>

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
using tav::io::format_D;
using tav::io::format_EN;
using tav::io::format_G;

const double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();

std::string sp(int n) { return std::string(static_cast<std::size_t>(n), ' '); }

// Runs one editing call on a fresh record with scale factor k and SP mode,
// expects `status`, and returns the record.
template <typename Fn>
std::string edit(Fn fn, double v, int w, int d, int e, int k = 0, int plus = 0, int status = 0) {
  tavtest::TestRecord rec(4096);
  __TAVf90_current_scale = k;
  __TAVf90_compulsory_plus = plus;
  EXPECT_EQ(fn(v, w, d, e), status);
  EXPECT_EQ(__TAVf90_current_scale, k);
  return rec.text();
}

std::string D(double v, int w, int d, int k = 0) { return edit(format_D, v, w, d, -1, k); }
std::string EN(double v, int w, int d, int e = -1, int plus = 0) { return edit(format_EN, v, w, d, e, 0, plus); }
std::string G(double v, int w, int d, int e = -1, int k = 0) { return edit(format_G, v, w, d, e, k); }

TEST(FormatD, LetterD) {
  EXPECT_EQ(D(1234.56, 12, 4), "  0.1235D+04");
  EXPECT_EQ(D(1234.56, 12, 4, 1), "  1.2346D+03");
  EXPECT_EQ(D(1.0E-150, 12, 4), "  0.1000-149");
  EXPECT_EQ(D(-kInf, 12, 4), "-INF" + sp(8));
}

TEST(FormatD, ExponentTooLarge) {
  auto r = tavtest::run([] {
    tavtest::TestRecord rec(2048);
    __TAVf90_error_continue = 0;
    __TAVf90_current_scale = 1001;
    format_D(1.0e-300, 1010, 1000, -1);
  });
  EXPECT_TRUE(r.aborted()) << r.describe();
  EXPECT_NE(r.err.find("Exponent too large for Dw.d format"), std::string::npos) << r.err;
}

TEST(FormatEN, EngineeringExponent) {
  EXPECT_EQ(EN(1234.5, 12, 4), "  1.2345E+03");
  EXPECT_EQ(EN(1.2345E+4, 12, 4), " 12.3450E+03");
  EXPECT_EQ(EN(0.5, 10, 2), "500.00E-03");
  EXPECT_EQ(EN(1.0e-5, 10, 2), " 10.00E-06");
  EXPECT_EQ(EN(1.0e-4, 10, 2), "100.00E-06");
  EXPECT_EQ(EN(1.0e-3, 10, 2), "  1.00E-03");
  EXPECT_EQ(EN(0.0, 10, 3), " 0.000E+00");
  EXPECT_EQ(EN(-0.0, 10, 3), "-0.000E+00");
  EXPECT_EQ(EN(12.0, 10, 2, -1, 1), "+12.00E+00");
  EXPECT_EQ(EN(12.0, 9, 2, -1, 1), "*********");
}

TEST(FormatEN, RoundingCarriesIntoNextGroup) {
  EXPECT_EQ(EN(999.96, 9, 1), "  1.0E+03");
  EXPECT_EQ(EN(999.9, 9, 1), "999.9E+00");
  EXPECT_EQ(EN(9.96, 9, 1), " 10.0E+00");
  EXPECT_EQ(EN(99.96, 9, 1), "100.0E+00");
  EXPECT_EQ(EN(0.99996, 9, 1), "  1.0E+00");
  EXPECT_EQ(EN(0.0999996, 10, 2), "100.00E-03");
}

TEST(FormatEN, TiesToEven) {
  EXPECT_EQ(EN(2.5, 8, 0), "  2.E+00");
  EXPECT_EQ(EN(3.5, 8, 0), "  4.E+00");
  EXPECT_EQ(EN(12.5, 8, 0), " 12.E+00");
  EXPECT_EQ(EN(13.5, 8, 0), " 14.E+00");
  EXPECT_EQ(EN(9.5, 8, 0), " 10.E+00");
  // Just above the tie: a nonzero digit far down decides.
  EXPECT_EQ(EN(2.5000000000000004, 8, 0), "  3.E+00");
}

TEST(FormatEN, WidthsAndExponents) {
  EXPECT_EQ(EN(-0.5, 10, 2), "**********");
  EXPECT_EQ(EN(-0.5, 11, 2), "-500.00E-03");
  EXPECT_EQ(EN(1.0e100, 12, 4), " 10.0000E+99");
  EXPECT_EQ(EN(1.0e102, 13, 4, 3), "  1.0000E+102");
  EXPECT_EQ(EN(1.0e102, 12, 4, 2), "************");
  EXPECT_EQ(EN(5.0, 7, 1, 1), " 5.0E+0");
  EXPECT_EQ(EN(5.0e4, 7, 1, 1), "50.0E+3");
  EXPECT_EQ(EN(5.0e10, 7, 1, 1), "50.0E+9");
  EXPECT_EQ(EN(5.0e11, 7, 1, 1), "*******");  // 500.0E+9 is too wide
  EXPECT_EQ(EN(5.0e12, 8, 1, 1), "********");  // E+12 needs two digits
  EXPECT_EQ(edit(format_EN, 1.0e102, 12, 4, -1, 0, 0, 103), "");
}

TEST(FormatEN, ManyDigits) {
  // Far more digits than a double has: the exact expansion, then zeros.
  const std::string third = "333333333333333314829616256247390992939472198486328125";
  EXPECT_EQ(EN(1.0 / 3, 900, 850), sp(42) + "333." + third.substr(3) + std::string(850 - (third.size() - 3), '0') + "E-03");
  EXPECT_EQ(EN(0.5, 60, 50), sp(2) + "500." + std::string(50, '0') + "E-03");
}

TEST(FormatEN, InfNaNAsE) {
  EXPECT_EQ(EN(-kInf, 12, 4), "-INF" + sp(8));
  EXPECT_EQ(EN(kNaN, 12, 4), "NaN" + sp(9));
  EXPECT_EQ(EN(kInf, 12, 4, -1, 1), "+INF" + sp(8));
}

TEST(FormatG, FixedOrExponentByMagnitude) {
  EXPECT_EQ(G(0.3, 10, 3), " 0.300    ");
  EXPECT_EQ(G(1.23456E+5, 10, 3), " 0.123E+06");
  EXPECT_EQ(G(0.09, 10, 3), " 0.900E-01");
  EXPECT_EQ(G(0.5, 10, 3), " 0.500    ");
  EXPECT_EQ(G(9.9, 10, 3), "  9.90    ");
  EXPECT_EQ(G(9.949, 10, 3), "  9.95    ");
  EXPECT_EQ(G(9.951, 10, 3), "  9.95    ");
  EXPECT_EQ(G(99.6, 10, 3), "  99.6    ");
  EXPECT_EQ(G(99.96, 10, 3), "  100.    ");
  EXPECT_EQ(G(999.4, 10, 3), "  999.    ");
  EXPECT_EQ(G(999.6, 10, 3), " 0.100E+04");
  EXPECT_EQ(G(3.14159, 15, 7), "   3.141590    ");
  EXPECT_EQ(G(-1.0e-3, 15, 7), " -0.1000000E-02");
  EXPECT_EQ(G(1234567.0, 15, 7), "   1234567.    ");
  EXPECT_EQ(G(12345678.0, 15, 7), "  0.1234568E+08");
}

TEST(FormatG, ScaleFactorOnlyForExponentForm) {
  EXPECT_EQ(G(5.0, 10, 3, -1, 2), "  5.00    ");
  EXPECT_EQ(G(1.0e6, 10, 3, -1, 1), " 1.000E+06");
  EXPECT_EQ(G(0.0, 10, 3, -1, 2), "  0.00    ");
}

TEST(FormatG, ZeroAndExponentWidth) {
  EXPECT_EQ(G(0.0, 10, 3), "  0.00    ");
  EXPECT_EQ(G(-0.0, 10, 3), " -0.00    ");
  EXPECT_EQ(G(0.0, 10, 0, -1, 1), "    0.E+00");
  EXPECT_EQ(G(0.5, 12, 3, 3), "  0.500     ");
  EXPECT_EQ(G(1.0e100, 12, 3, 3), "  0.100E+101");
  EXPECT_EQ(G(0.5, 5, 1), "*    ");
  // No room at all for the F part.
  EXPECT_EQ(G(0.0, 4, 1), "****");
  EXPECT_EQ(G(0.5, 6, 2, 4), "******");
}

TEST(FormatG, InfNaN) {
  EXPECT_EQ(G(kNaN, 10, 3), "NaN" + sp(7));
  EXPECT_EQ(G(-kInf, 10, 3), "-INF" + sp(6));
}

// Sets the current edit as the format interpreter would hand it over.
std::string dispatch(const char *edit_text, double v, int w, int d, int e, int k = 0, int status = 0) {
  tavtest::TestRecord rec;
  __TAVf90_current_edit[0] = edit_text[0];
  __TAVf90_current_edit[1] = edit_text[1];
  __TAVf90_w = w;
  __TAVf90_d = d;
  __TAVf90_e = e;
  __TAVf90_current_scale = k;
  EXPECT_EQ(tav::io::write_real(v), status) << edit_text;
  EXPECT_EQ(__TAVf90_current_scale, k);
  return rec.text();
}

TEST(WriteReal, ChoosesByCurrentEdit) {
  EXPECT_EQ(dispatch("F", 12.5, 8, 2, -1, 1), "  125.00");
  EXPECT_EQ(dispatch("D", 1234.56, 12, 4, -1), "  0.1235D+04");
  EXPECT_EQ(dispatch("G", 0.3, 10, 3, -1), " 0.300    ");
  EXPECT_EQ(dispatch("E", 1234.5, 12, 4, -1), "  0.1234E+04");
  EXPECT_EQ(dispatch("EN", 1234.5, 12, 4, -1), "  1.2345E+03");
  EXPECT_EQ(dispatch("ES", 1234.5, 12, 4, -1), "  1.2345E+03");
  // ES ignores the scale factor in force and leaves it unchanged.
  EXPECT_EQ(dispatch("ES", 1234.5, 12, 4, -1, 3), "  1.2345E+03");
  EXPECT_EQ(dispatch("ES", 0.0, 24, 16, 3, -2), " 0.0000000000000000E+000");
}

TEST(WriteReal, OtherDescriptorsAreError134) {
  for (const char *d : {"I", "A", "L", "Z"}) {
    EXPECT_EQ(dispatch(d, 1.0, 8, 2, -1, 0, 134), "");
    EXPECT_EQ(iostat, 0);  // restored by the record fixture
  }
  auto r = tavtest::run([] {
    tavtest::TestRecord rec;
    __TAVf90_error_continue = 0;
    __TAVf90_current_edit[0] = 'I';
    tav::io::write_real(1.0);
  });
  EXPECT_TRUE(r.aborted()) << r.describe();
  EXPECT_NE(r.err.find("Invalid edit descriptor for real i/o-list item"), std::string::npos) << r.err;
}

TEST(InfNaNInternal, NoTrapUnderTrappingControlWord) {
  auto r = tavtest::run([] {
    std::uint64_t snan_bits = 0x7FF0000000000001ull;
    double snan;
    std::memcpy(&snan, &snan_bits, sizeof snan);
    const double values[] = {kInf, -kInf, kNaN, snan};
    unsigned short cw = 0x1372;
    asm volatile("fldcw %0" : : "m"(cw));
    std::string out;
    for (double v : values) {
      tavtest::TestRecord rec;
      format_EN(v, 12, 4, -1);
      format_G(v, 10, 3, -1);
      format_D(v, 10, 3, -1);
      out += rec.text() + "|";
    }
    unsigned short sw = 0;
    asm volatile("fwait\n\tfnstsw %0" : "=m"(sw));
    std::printf("%s%04x\n", out.c_str(), sw & 0x3F);
  });
  EXPECT_TRUE(r.exited(0)) << r.describe();
  const std::string nan = "NaN" + sp(9) + "NaN" + sp(7) + "NaN" + sp(7) + "|";
  EXPECT_EQ(r.out, "INF" + sp(9) + "INF" + sp(7) + "INF" + sp(7) + "|" + "-INF" + sp(8) + "-INF" + sp(6) + "-INF" +
                       sp(6) + "|" + nan + nan + "0000\n");
}

// The digit conversions agree with the C library's "%#.*f" and "%#.*E",
// including exact ties, the extremes of the range and long precisions.
TEST(Digits, MatchCLibraryConversions) {
  std::mt19937_64 gen(20261206);
  std::vector<double> values = {0.0,  4.9e-324, 2.2250738585072014e-308, 1.7976931348623157e308, 0.5,
                                1.5,  2.5,      0.125,                   1e22,                   1e23,
                                9.5,  0.05,     999.5,                   123456789012345678.0,   0.1};
  for (int i = 0; i < 4000; ++i) {
    // Any finite bit pattern.
    std::uint64_t b = gen() & 0x7FFFFFFFFFFFFFFFull;
    if ((b & 0x7FF0000000000000ull) == 0x7FF0000000000000ull) continue;
    double v;
    std::memcpy(&v, &b, sizeof v);
    values.push_back(v);
  }
  for (int i = 0; i < 4000; ++i) {
    // Binary fractions of ordinary size: full of exact decimal ties.
    double v = static_cast<double>(gen() % (1u << 24));
    for (int m = static_cast<int>(gen() % 12); m > 0; --m) v /= 2;
    values.push_back(v);
  }
  std::vector<char> mine(digits::fixed_capacity(344));
  std::vector<char> ref(2048);
  int checked = 0;
  for (std::size_t i = 0; i < values.size(); ++i) {
    const double v = values[i];
    std::vector<int> precisions = {0, 1, 2, 3, 4, 7, 16, 17, 20, static_cast<int>(gen() % 60)};
    if (i % 64 == 0) precisions.push_back(344);
    for (int p : precisions) {
      int n = digits::fixed(v, p, mine.data());
      int rn = std::snprintf(ref.data(), ref.size(), "%#.*f", p, v);
      ASSERT_EQ(std::string(mine.data(), static_cast<std::size_t>(n)), std::string(ref.data(), static_cast<std::size_t>(rn)))
          << "fixed " << p;
      ++checked;
    }
    precisions.back() = i % 64 == 0 ? 780 : 40;
    std::vector<char> smine(static_cast<std::size_t>(digits::scientific_capacity(780)));
    for (int p : precisions) {
      int n = digits::scientific(v, p, smine.data());
      int rn = std::snprintf(ref.data(), ref.size(), "%#.*E", p, v);
      ASSERT_EQ(std::string(smine.data(), static_cast<std::size_t>(n)), std::string(ref.data(), static_cast<std::size_t>(rn)))
          << "scientific " << p;
      ++checked;
    }
  }
  EXPECT_GT(checked, 150000);
}

}  // namespace
