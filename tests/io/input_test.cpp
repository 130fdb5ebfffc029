// Input items over in-memory records, formatted and list-directed: every
// descriptor, blank mode, scale factor and error, separators, repeat counts,
// null values and the slash, the range of each kind, and correct rounding
// of real input, fields far wider than their record (data/input.tsv).
//
// A READ from a record in memory takes quick paths: a field read where it
// stands, its digits eight at a time, a list-directed number in one pass,
// quick conversions for an integer of up to sixteen digits and a real whose
// digits and power of ten are both exact.  An internal file takes them, the
// record fixture's hooks the general paths: both readings must agree, error
// numbers included, and random fields must read as the C++ library's
// correctly rounded conversions read them.
#include <charconv>
#include <random>

#include "io/input_items.h"
#include "io/io_support.h"

namespace {

using iotest::render;
using iotest::run;
using tavtest::split_records;

TEST(Input, Table) {
  for (const auto &r : iotest::table("input.tsv", 5)) {
    EXPECT_EQ(run(r[0] == "*" ? nullptr : r[0].c_str(), split_records(r[2]), r[3].c_str(), r[1] == "Y"), r[4])
        << r[0] << " on [" << r[2] << "] as " << r[3];
  }
}

TEST(Input, LongCharacterValue) {
  std::string v(100000, 'q');
  tavtest::TestRecord rec({"'" + v.substr(0, 600), v.substr(600) + "' 5"}, true);
  __TAVf90_init_linput();
  std::string item(100001, '-');
  int n = 0;
  ASSERT_EQ(__TAVf90_lread_ch(item.data(), 100001), 0);
  ASSERT_EQ(__TAVf90_lread_i(&n), 0);
  EXPECT_EQ(item, v + " ");
  EXPECT_EQ(n, 5);
}

std::string internal_read(const char *format, const std::string &record, const char *kinds) {
  std::string var = record;
  int status = __TAVf90_ireads(var.data(), static_cast<int>(var.size()), format, format != nullptr ? -1 : 0,
                               nullptr, iotest::kIostat);
  std::string out = iotest::read_kinds(status, format == nullptr, kinds);
  if (status == 0) __TAVf90_endiread();
  return out;
}

// What both readings give, or both when they differ.
std::string both(const char *format, const std::string &record, const char *kinds) {
  const std::string quick = internal_read(format, record, kinds);
  const std::string general = run(format, {record}, kinds);
  return quick == general ? quick : "quick " + quick + ", general " + general;
}

// What the C++ library reads from the text of a number, as an item of the
// kind shows it.
template <typename T>
std::string oracle(const std::string &text, char kind) {
  T v{};
  std::from_chars(text.c_str() + (text[0] == '+' ? 1 : 0), text.c_str() + text.size(), v);
  if (kind == 'i' && (v < INT32_MIN || v > INT32_MAX)) return "7#110";
  return kind == 'i' || kind == 'k' ? std::to_string(static_cast<long long>(v)) : render(kind, &v);
}

std::mt19937_64 gen(20261206);

std::string digits(int n) {
  std::string s;
  for (int i = 0; i < n; ++i) s += static_cast<char>('0' + gen() % 10);
  return s;
}

std::string sign() { return gen() % 3 == 0 ? "-" : gen() % 2 == 0 ? "+" : ""; }

TEST(QuickPaths, AgreeWithTheGeneralPaths) {
  for (const auto &r : iotest::table("rec_quick_paths.tsv", 3)) {
    const char *format = r[0] == "*" ? nullptr : r[0].c_str();
    EXPECT_EQ(internal_read(format, r[1], r[2].c_str()), run(format, {r[1]}, r[2].c_str()))
        << r[0] << " on [" << r[1] << "] as " << r[2];
  }
}

TEST(QuickPaths, RandomNumbers) {
  const char *seps[] = {" ", ",", "  ", " , ", "\t"};
  std::string list, kinds;
  for (int n = 0; n < 4000; ++n) {
    // An integer of up to 18 digits in a field of at least 8.
    const std::string number = sign() + digits(1 + static_cast<int>(gen() % 18));
    const std::size_t blanks = gen() % 4 + (number.size() < 8 ? 8 - number.size() : 0);
    const std::string field = std::string(blanks, ' ') + number;
    const std::string iformat = "(I" + std::to_string(field.size()) + ")";
    // A real of up to 17 digits (a double is exact up to about 16, a REAL
    // up to 8), the point anywhere, a power of ten on both sides of the
    // exact range.
    std::string m = digits(1 + static_cast<int>(gen() % 17));
    m.insert(gen() % (m.size() + 1), ".");
    std::string real = sign() + m;
    if (gen() % 2 == 0) real += "E" + std::to_string(static_cast<int>(gen() % 41) - 20);
    const std::string eformat = "(E" + std::to_string(real.size()) + ".0)";
    EXPECT_EQ(both(iformat.c_str(), field, "k"), oracle<long long>(number, 'k')) << field;
    EXPECT_EQ(both(iformat.c_str(), field, "i"), oracle<long long>(number, 'i')) << field;
    EXPECT_EQ(both(eformat.c_str(), real, "d"), oracle<double>(real, 'd')) << real;
    EXPECT_EQ(both(eformat.c_str(), real, "r"), oracle<float>(real, 'r')) << real;
    // List-directed, six to a record of either kind, any separators:
    // integers of 1 to 20 digits, reals with up to 20 digits around the
    // point and exponents of either sign.  Both readings agree.
    if (n >= 1800) continue;
    const bool is_real = n / 6 % 2 == 1;
    std::string tok = sign() + digits(1 + static_cast<int>(gen() % 20));
    if (is_real && gen() % 4 != 0) tok += "." + digits(static_cast<int>(gen() % 20));
    if (is_real && gen() % 2 == 0) tok += "e" + std::to_string(static_cast<int>(gen() % 80) - 40);
    list += seps[gen() % 5] + tok;
    kinds += is_real ? (gen() % 2 ? 'd' : 'r') : (gen() % 2 ? 'k' : 'i');
    if (kinds.size() < 6) continue;
    EXPECT_EQ(internal_read(nullptr, list, kinds.c_str()), run(nullptr, {list}, kinds.c_str())) << list;
    list.clear();
    kinds.clear();
  }
}

// The namelist reader hands its lookahead over and takes it back; one
// handed in begins a number whose rest is in the record.
TEST(QuickPaths, NamelistHandOver) {
  // (the 5 before the record shows if the number began outside it)
  std::string var = "58 9 'abc' next=1";
  const int length = static_cast<int>(var.size()) - 1;
  ASSERT_EQ(__TAVf90_ireads(var.data() + 1, length, nullptr, 0, nullptr, iotest::kIostat), 0);
  __TAVf90_insync_namelist('7');
  std::int32_t a = 0, b = 0, repeat = -1;
  char item[4] = {'-', '-', '-', '-'};
  EXPECT_EQ(__TAVf90_lread_i(&a), 0);
  EXPECT_EQ(__TAVf90_lread_i(&b), 0);
  EXPECT_EQ(a * 10 + b, 789);
  ASSERT_EQ(__TAVf90_lread_nl_ch(item, 4), 0);
  EXPECT_EQ(std::string(item, 4), "abc ");
  // An undelimited word is the next object's name: nothing is consumed.
  ASSERT_EQ(__TAVf90_lread_nl_ch(item, 4), 0);
  EXPECT_EQ(std::string(item, 4), "abc ");
  EXPECT_EQ(__TAVf90_outsync_namelist(&repeat), 'n');
  EXPECT_EQ(repeat, 0);
  // The record position is just after the lookahead handed back.
  EXPECT_EQ(__TAVf90_io_position, 11);
  __TAVf90_endiread();
}

}  // namespace
