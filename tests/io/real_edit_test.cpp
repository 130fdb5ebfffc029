// The exported real editing entries, as list-directed output and compiled
// code call them.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "support/record_fixture.h"
#include "tavf90.h"

namespace {

const double kInf = std::numeric_limits<double>::infinity();

// F (e == -2) or E editing with scale factor k and the noseparator flag.
std::string field(double v, int w, int d, int e, int k = 0, int noseparator = 0) {
  tavtest::TestRecord rec;
  __TAVf90_current_scale = k;
  __TAVf90_noseparator = noseparator;
  EXPECT_EQ(e == -2 ? __TAVf90_format_F(v, w, d) : __TAVf90_format_E(v, w, d, e), 0);
  return rec.text();
}

TEST(ExportedRealEdit, ListDirectedForms) {
  EXPECT_EQ(field(0.1, 20, 16, -2), "  0.1000000000000000");
  EXPECT_EQ(field(-99.99, 11, 7, -2), "-99.9900000");
  EXPECT_EQ(field(0.0, 24, 16, 3, 1), " 0.0000000000000000E+000");
  EXPECT_EQ(field(1.0e-5, 24, 16, 2, 1), "  1.0000000000000001E-05");
  EXPECT_EQ(field(-1.0e100, 24, 16, 3, 1), "-1.0000000000000000E+100");
  EXPECT_EQ(field(1.0e10, 15, 7, 2, 1), "  1.0000000E+10");
}

TEST(ExportedRealEdit, NoSeparatorLeavesOutLeadingBlanks) {
  EXPECT_EQ(field(1.0, 11, 7, -2, 0, 1), "1.0000000");
  EXPECT_EQ(field(-12.5, 20, 16, -2, 0, 1), "-12.5000000000000000");
  EXPECT_EQ(field(0.0, 24, 16, 3, 1, 1), "0.0000000000000000E+000");
  // Infinities inside a complex value are their text alone.
  EXPECT_EQ(field(kInf, 11, 7, -2, 0, 1), "INF");
  EXPECT_EQ(field(-kInf, 24, 16, 3, 1, 1), "-INF");
}

TEST(ExportedRealEdit, StarsAndRecordOverflow) {
  {
    tavtest::TestRecord rec;
    EXPECT_EQ(__TAVf90_stars(7), 0);
    EXPECT_EQ(__TAVf90_stars(0), 0);
    EXPECT_EQ(rec.text(), "*******");
  }
  {
    // A field longer than what is left of the record fails with the
    // hook's status after the part that fits.
    tavtest::TestRecord rec(5);
    EXPECT_EQ(__TAVf90_stars(7), 100);
    EXPECT_EQ(rec.text(), "*****");
  }
  {
    tavtest::TestRecord rec(4);
    EXPECT_EQ(__TAVf90_format_F(1.5, 6, 2), 100);
    EXPECT_EQ(__TAVf90_format_E(1.5, 10, 2, -1), 100);
  }
}

// A field that begins with a blank had room to spare: the same field N
// characters wider is N more blanks before the same characters.  Widths up
// to 256 are built in a local buffer and wider ones are streamed, so this
// holds the two destinations of every writer to each other.
TEST(RealEdit, WiderFieldsOnlyAddBlanks) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double values[] = {0.0,    -0.0,    1.0,     -1.5,    0.1,     9.9999,   999.5,   123456.789, 1e-300,
                           -2.5e300, 4.9e-324, 1.7976931348623157e308, 0.000123456, -5e-5, kInf, -kInf, nan};
  struct Form {
    const char *edit;  // letter and variant
    int d, e;
  };
  const Form forms[] = {{"F", 0, -1}, {"F", 3, -1},  {"F", 12, -1}, {"E", 1, -1}, {"E", 5, 3},  {"E", 16, -1},
                        {"D", 4, -1}, {"ES", 0, -1}, {"ES", 7, 4},  {"EN", 3, -1}, {"G", 1, -1}, {"G", 7, 2}};
  const int scales[] = {-2, 0, 1, 3};
  constexpr int kWider = 300;
  int compared = 0;
  auto format = [](const Form &f, int w, int k) {
    std::string t = "(" + std::string(k == 1 ? "SP," : "") + std::to_string(k) + "P," + f.edit + std::to_string(w) +
                    "." + std::to_string(f.d);
    return t + (f.e >= 0 ? "E" + std::to_string(f.e) : "") + ")";
  };
  auto write = [&](double v, const Form &f, int w, int k, int &status) {
    tavtest::TestRecord rec;
    const std::string t = format(f, w, k);
    status = __TAVf90_establish_format(t.data(), static_cast<int>(t.size()), TAV_MODE_OUTPUT);
    if (status == 0) status = __TAVf90_write_d(v);
    return rec.text();
  };
  for (double v : values)
    for (const Form &f : forms)
      for (int k : scales)
        for (int w : {8, 14, 30}) {
          int narrow_status, wide_status;
          const std::string narrow = write(v, f, w, k, narrow_status);
          const std::string wide = write(v, f, w + kWider, k, wide_status);
          const std::string what = format(f, w, k) + " of " + std::to_string(v);
          if (narrow_status != 0) {
            EXPECT_EQ(wide_status, narrow_status) << what;
            continue;
          }
          // (INF and NaN under k > 1 are placed by the width the finite
          // layout would leave, which a narrow field does not have.)
          if (narrow.empty() || narrow[0] != ' ' || (!std::isfinite(v) && k > 1)) continue;
          ++compared;
          EXPECT_EQ(wide_status, 0) << what;
          EXPECT_EQ(wide, std::string(kWider, ' ') + narrow) << what;
        }
  EXPECT_GT(compared, 1000);
}

}  // namespace

