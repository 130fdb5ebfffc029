// READ from a record in memory takes quick paths: a field is read where it
// stands, its digits eight at a time, and a list-directed number in one
// pass over the record.  Each case here is read twice, from an internal
// file (a record in memory: the quick paths) and over the record fixture's
// hooks (the general, character-by-character paths), and both readings
// must agree, values and error numbers alike.  Digit runs of I fields,
// which both readings convert alike, are checked against std::stoll.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "io/input_items.h"
#include "io/io_support.h"

namespace {

using iotest::render;

std::string internal_read(const char *format, const std::string &record, const char *kinds) {
  std::string var = record;
  int status = __TAVf90_ireads(var.data(), static_cast<int>(var.size()), format, format != nullptr ? -1 : 0,
                               nullptr, iotest::kIostat);
  std::string out;
  for (const char *k = kinds; status == 0 && *k; ++k) {
    alignas(8) char item[16];
    iotest::initialise(*k, item);
    status = iotest::read_item(*k, item, format == nullptr);
    if (!out.empty()) out += '|';
    out += render(*k, item);
  }
  if (status == 0) __TAVf90_endiread();
  if (status != 0) out += "#" + std::to_string(status);
  return out;
}

void agree(const char *format, const std::string &record, const char *kinds) {
  EXPECT_EQ(internal_read(format, record, kinds), iotest::run(format, {record}, kinds))
      << (format != nullptr ? format : "*") << " on [" << record << "] as " << kinds;
}

TEST(QuickPaths, AgreeWithTheGeneralPaths) {
  for (const auto &r : iotest::table("rec_quick_paths.tsv", 3))
    agree(r[0] == "*" ? nullptr : r[0].c_str(), r[1], r[2].c_str());

  // Generated records: integers of 1 to 20 digits and reals with up to 20
  // digits around the point and exponents of either sign, any separators.
  std::mt19937_64 gen(20261206);
  auto digits = [&](int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += static_cast<char>('0' + gen() % 10);
    return s;
  };
  const char *seps[] = {" ", ",", "  ", " , ", "\t"};
  for (int r = 0; r < 300; ++r) {
    std::string rec;
    std::string kinds;
    for (int i = 0; i < 6; ++i) {
      std::string tok = gen() % 3 == 0 ? "-" : gen() % 4 == 0 ? "+" : "";
      bool real = r % 2 == 1;
      tok += digits(1 + static_cast<int>(gen() % 20));
      if (real && gen() % 4 != 0) tok += "." + digits(static_cast<int>(gen() % 20));
      if (real && gen() % 2 == 0) tok += "e" + std::to_string(static_cast<int>(gen() % 80) - 40);
      rec += seps[gen() % 5] + tok;
      kinds += real ? (gen() % 2 ? 'd' : 'r') : (gen() % 2 ? 'k' : 'i');
    }
    agree(nullptr, rec, kinds.c_str());
  }
}

// A lookahead handed in from outside the record (as a namelist reader
// does) begins the number; the rest of it is in the record.
TEST(QuickPaths, LookaheadBeginsTheNumber) {
  std::string var = "8 9";
  ASSERT_EQ(__TAVf90_ireads(var.data(), 3, nullptr, 0, nullptr, iotest::kIostat), 0);
  __TAVf90_insync_namelist('7');
  std::int32_t a = 0, b = 0;
  EXPECT_EQ(__TAVf90_lread_i(&a), 0);
  EXPECT_EQ(__TAVf90_lread_i(&b), 0);
  __TAVf90_endiread();
  EXPECT_EQ(a, 78);
  EXPECT_EQ(b, 9);
}

TEST(QuickPaths, FormattedDigitRuns) {
  // Every width from 8 to 20 with every digit count up to 18 that fits,
  // signed or not, right-aligned: the value itself (std::stoll), or the
  // range error of a default INTEGER.
  std::mt19937_64 gen(9);
  for (int w = 8; w <= 20; ++w) {
    std::string format = "(I" + std::to_string(w) + ")";
    for (int n = 1; n <= w && n <= 18; ++n) {
      for (const char *sign : {"", "-", "+"}) {
        std::string num = sign;
        for (int i = 0; i < n; ++i) num += static_cast<char>('0' + gen() % 10);
        if (static_cast<int>(num.size()) > w) continue;
        const std::string field = std::string(static_cast<std::size_t>(w) - num.size(), ' ') + num;
        const long long v = std::stoll(num);
        EXPECT_EQ(internal_read(format.c_str(), field, "k"), std::to_string(v)) << field;
        EXPECT_EQ(internal_read(format.c_str(), field, "i"),
                  v >= INT32_MIN && v <= INT32_MAX ? std::to_string(v) : "7#110")
            << field;
      }
    }
  }
}

}  // namespace
