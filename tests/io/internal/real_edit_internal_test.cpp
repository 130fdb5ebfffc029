// Real output editing under the current edit (F, E, D, EN, ES, G) and the
// digit conversions it is built on.
#include <bit>
#include <cmath>
#include <limits>
#include <random>

#include "io/digits.h"
#include "io/io_support.h"
#include "io/real_edit.h"
#include "support/record_fixture.h"

namespace {

namespace digits = tav::io::digits;

const double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();

struct Edit {
  std::string edit;  // "F", "E", "EN", "ES", "D", "G"
  int w, d, e;       // e = -1: no Ee part
  int k = 0;         // scale factor
  int plus = 0;      // SP
  std::string str() const {
    return edit + std::to_string(w) + "." + std::to_string(d) + "E" + std::to_string(e) + " k=" + std::to_string(k);
  }
};

void set_edit(const Edit &ed) {
  __TAVf90_current_edit[0] = ed.edit[0];
  __TAVf90_current_edit[1] = ed.edit.size() > 1 ? ed.edit[1] : '\0';
  __TAVf90_w = ed.w;
  __TAVf90_d = ed.d;
  __TAVf90_e = ed.e;
  __TAVf90_current_scale = ed.k;
  __TAVf90_compulsory_plus = ed.plus;
}

// Writes v under the edit on a fresh record: the field, or "#status" (an
// error writes nothing).
std::string write(const Edit &ed, double v, int error_continue = 1) {
  tavtest::TestRecord rec(4096);
  __TAVf90_error_continue = error_continue;
  set_edit(ed);
  int st = tav::io::write_real(v);
  EXPECT_EQ(__TAVf90_current_scale, ed.k);  // ES and G restore what they change
  if (st != 0) return "#" + std::to_string(st) + rec.text();
  return rec.text();
}

// Ties, subnormals, the smallest normal, around 2^64, the first exponent of
// three digits, the largest, and the powers of ten, the values that carry
// into them and their neighbours.
std::vector<double> edge_values() {
  std::vector<double> values = {0.0, 0.5, 1.5, 2.5, 0.125, 0.375, 1e15 + 0.5, 4503599627370495.5, 1e22, 1e23, 1e100,
                                0x1p-13, 0x1p-1074, 0x0.fffffffffffffp-1022, 0x1p-1022, 0x1.fffffffffffffp63, 0x1p64,
                                0x1.fffffffffffffp1023};
  for (int k = -30; k <= 30; ++k) {
    const double p = std::pow(10.0, k);
    for (double v : {p, 9.5 * p, 9.95 * p, 9.9999995 * p, 9.99999999999999995 * p})
      values.insert(values.end(), {v, std::nextafter(v, 0.0), std::nextafter(v, 1e300)});
  }
  return values;
}

TEST(RealEdit, Fields) {
  for (const auto &r : iotest::table("real_fields.tsv", 8)) {
    Edit ed{r[0], std::stoi(r[1]), std::stoi(r[2]), std::stoi(r[3]), std::stoi(r[4]), std::stoi(r[5])};
    const double v = std::strtod(r[6].c_str(), nullptr);
    // An error's status, then the message it stops the program with when
    // errors do not continue.
    const std::size_t message = r[7][0] == '#' ? r[7].find(' ') : std::string::npos;
    EXPECT_EQ(write(ed, v), r[7].substr(0, message)) << ed.str() << " value " << r[6];
    if (message == std::string::npos) continue;
    auto fatal = tavtest::expect_run(ed.str(), [&ed, v] { write(ed, v, 0); }, {tavtest::kAborted});
    EXPECT_NE(fatal.err.find(r[7].substr(message + 1)), std::string::npos) << fatal.err;
  }
}

// A program that traps invalid operations, division by zero and overflow
// (x87 control word 0x1372) can still write infinities and NaNs: editing
// them raises no floating-point exception at all.
TEST(RealEdit, InfNaNRaiseNoException) {
  auto r = tavtest::run([] {
    const double snan = std::bit_cast<double>(0x7FF0000000000001ull);
    unsigned short cw = 0x1372;
    // Flags left over from the parent's earlier work are cleared first.
    asm volatile("fnclex\n\tfldcw %0" : : "m"(cw));
    std::string out;
    for (double v : {kInf, -kInf, kNaN, snan}) {
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
  EXPECT_EQ(r.out, "  INF   INF         INF         INF       | -INF   -INF        -INF        -INF      |"
                   "  NaN   NaN         NaN         NaN       |  NaN   NaN         NaN         NaN       |0000\n");
}

// Whatever the value and the descriptor, a field is exactly w characters
// wide, or nothing at all when an error is reported.  Fields of the usual
// widths are built by shortcuts, wider ones (over 256 characters) by the
// general writer: a field that starts with a blank must come out the same
// with 300 more blanks in front of it when widened.
TEST(RealEdit, ExactlyWAndShortcutsAgreeWithWideFields) {
  std::mt19937_64 gen(4242);
  // Edge values, infinities and a NaN, or any finite bit pattern; either
  // sign.
  std::vector<double> edges = edge_values();
  edges.insert(edges.end(), {kInf, kNaN});
  const char *kinds[] = {"F", "E", "D", "EN", "ES", "G"};
  int fields = 0, compared = 0;
  for (int i = 0; i < 30000; ++i) {
    double v = std::bit_cast<double>(gen() & 0x7FFFFFFFFFFFFFFFull);
    if (i % 2 == 0 || !std::isfinite(v)) v = edges[gen() % edges.size()];
    if (gen() % 2) v = -v;
    const bool huge = i % 50 == 0;
    Edit ed{kinds[gen() % 6], 1 + static_cast<int>(gen() % (huge ? 900 : 64)),
            static_cast<int>(gen() % (huge ? 800 : 44)), static_cast<int>(gen() % 5) - 1, 0, gen() % 4 == 0};
    if (ed.edit == "F" || ed.edit == "D" || gen() % 2) ed.e = -1;
    // Mostly no scale factor (the shortcuts), else any, valid or not.
    if (gen() % 3 == 0) ed.k = static_cast<int>(gen() % 12) - 5;
    const std::string text = write(ed, v);
    const std::string what = ed.str() + " of " + std::to_string(v);
    if (text[0] == '#') {
      EXPECT_TRUE(text == "#102" || text == "#103") << what << ": " << text;
      continue;
    }
    ASSERT_EQ(text.size(), static_cast<std::size_t>(ed.w)) << what;
    ++fields;
    if (text[0] != ' ' || ed.w > 256 || !std::isfinite(v)) continue;  // INF is placed by w
    Edit wide = ed;
    wide.w += 300;
    ASSERT_EQ(write(wide, v), std::string(300, ' ') + text) << what;
    ++compared;
  }
  EXPECT_GT(fields, 20000);
  EXPECT_GT(compared, 10000);
}

// The digit conversions agree with the C library's "%#.*f" and "%#.*E" at
// every precision up to 40 and at long ones: exact decimal ties, carries
// through runs of nines into a new leading digit, the neighbours of powers
// of ten (binary fractions of up to 95 bits below 1, integers of up to 64
// bits above), the extremes of the range.
TEST(Digits, MatchCLibraryConversions) {
  const std::vector<double> values = edge_values();
  std::vector<char> mine(static_cast<std::size_t>(digits::scientific_capacity(780)));
  char ref[2048];
  int checked = 0;
  auto compare = [&](double v, int fixed_p, int sci_p) {
    for (bool sci : {false, true}) {
      const int p = sci ? sci_p : fixed_p;
      const int n = sci ? digits::scientific(v, p, mine.data()) : digits::fixed(v, p, mine.data());
      const int rn = std::snprintf(ref, sizeof ref, sci ? "%#.*E" : "%#.*f", p, v);
      ASSERT_EQ(std::string(mine.data(), static_cast<std::size_t>(n)), std::string(ref, static_cast<std::size_t>(rn)))
          << (sci ? "scientific " : "fixed ") << p;
      ++checked;
    }
  };
  for (std::size_t i = 0; i < values.size(); ++i) {
    for (int p = 0; p <= 40; ++p) compare(values[i], p, p);
    if (i % 64 == 0) compare(values[i], 344, 780);
    if (::testing::Test::HasFatalFailure()) return;
  }
  EXPECT_GT(checked, 70000);
}

}  // namespace
