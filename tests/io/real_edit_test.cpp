// The exported real editing entries, as list-directed output and compiled
// code call them.
#include <gtest/gtest.h>

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

}  // namespace
