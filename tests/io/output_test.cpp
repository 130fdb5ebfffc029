// Output items through the entry points compiled code calls: the golden
// table (the peer runtime's records, or the library's defined differences),
// G fields near powers of ten and data/edit_items.tsv, formatted and list-directed, the dusty A forms
// too; the exported separator step and real editing entries; and
// descriptors whose numbers reach the top of the 32-bit range.
#include <bit>

#include "io/io_support.h"
#include "support/record_fixture.h"

namespace {

// An item: its type as the golden table names it, and its value (integers
// and logicals in i, reals and complex parts in re and im, characters in s).
struct Item {
  std::string type;
  long long i = 0;
  double re = 0, im = 0;
  std::string s = "";
};

int write_item(const Item &v, bool list) {
  const std::string &t = v.type;
  const auto re = static_cast<float>(v.re), im = static_cast<float>(v.im);
  const auto i1 = static_cast<int8_t>(v.i);
  const auto i2 = static_cast<int16_t>(v.i);
  const auto i4 = static_cast<int32_t>(v.i);
  const auto n = static_cast<int>(v.s.size());
  if (t[0] == 'A') {  // the dusty entries, which also take A for the item's storage
    if (t == "Aint4") return __TAVf90_dusty_write_i(i4);
    if (t == "Aint1") return __TAVf90_dusty_write_i1(i1);
    if (t == "Aint2") return __TAVf90_dusty_write_i2(i2);
    if (t == "Aint8") return __TAVf90_dusty_write_i4(v.i);
    if (t == "Areal4") return __TAVf90_dusty_write_r(re);
    if (t == "Areal8") return __TAVf90_dusty_write_d(v.re);
    if (t == "Acplx4") return __TAVf90_dusty_write_c(re, im);
    if (t == "Alog4") return __TAVf90_dusty_write_l(i4);
    if (t == "Alog1") return __TAVf90_dusty_write_l1(i1);
    if (t == "Alog2") return __TAVf90_dusty_write_l2(i2);
    if (t == "Alog8") return __TAVf90_dusty_write_l4(v.i);
  }
  if (t == "real8") return list ? __TAVf90_lwrite_d(v.re) : __TAVf90_write_d(v.re);
  if (t == "real4") return list ? __TAVf90_lwrite_r(re) : __TAVf90_write_r(re);
  if (t == "cplx8") return list ? __TAVf90_lwrite_dc(v.re, v.im) : __TAVf90_write_dc(v.re, v.im);
  if (t == "cplx4") return list ? __TAVf90_lwrite_c(re, im) : __TAVf90_write_c(re, im);
  if (t == "char") return list ? __TAVf90_lwrite_ch(v.s.data(), n) : __TAVf90_write_ch(v.s.data(), n);
  if (t == "int1") return list ? __TAVf90_lwrite_i1(i1) : __TAVf90_write_i1(i1);
  if (t == "int2") return list ? __TAVf90_lwrite_i2(i2) : __TAVf90_write_i2(i2);
  if (t == "int4") return list ? __TAVf90_lwrite_i(i4) : __TAVf90_write_i(i4);
  if (t == "int8") return list ? __TAVf90_lwrite_i4(v.i) : __TAVf90_write_i4(v.i);
  if (t == "log1") return list ? __TAVf90_lwrite_l1(i1) : __TAVf90_write_l1(i1);
  if (t == "log2") return list ? __TAVf90_lwrite_l2(i2) : __TAVf90_write_l2(i2);
  if (t == "log4") return list ? __TAVf90_lwrite_l(i4) : __TAVf90_write_l(i4);
  if (t == "log8") return list ? __TAVf90_lwrite_l4(v.i) : __TAVf90_write_l4(v.i);
  ADD_FAILURE() << "unknown type " << t;
  return -1000;
}

struct Written {
  int status;        // of the first item call that failed, else 0
  std::string text;  // records ended (with '\n') and the current one
  int iostat;        // as the statement left it
};

// A WRITE statement (format "*": list-directed, with DELIM= as `delim`) on
// a record of `recl` characters; the item calls stop at the first failure,
// as compiled code does.
Written write_items(const std::string &format, const std::vector<Item> &items, int recl = 1024, int delim = 0) {
  tavtest::TestRecord rec(recl);
  const bool list = format == "*";
  __TAVf90_io_delim = delim;
  iostat = 0;  // as a begin call clears it
  int s = list ? __TAVf90_init_loutput()
               : __TAVf90_establish_format(format.data(), static_cast<int>(format.size()), TAV_MODE_OUTPUT);
  for (std::size_t k = 0; s == 0 && k < items.size(); ++k) s = write_item(items[k], list);
  // List-directed output does not track the rightmost position: the record
  // ends where the last value ended, as the end of the statement takes it.
  if (list) __TAVf90_io_top = __TAVf90_io_position;
  return {s, rec.text(), iostat};
}

// Items written type:value, blank-separated (complex values re,im; a
// value written 'text is the item's storage, at most 8 bytes).
std::vector<Item> items(const std::string &text) {
  std::vector<Item> out;
  std::istringstream in(text);
  for (std::string t; in >> t;) {
    Item v{t.substr(0, t.find(':'))};
    const char *value = t.c_str() + t.find(':') + 1, *im = std::strchr(value, ',');
    const char kind = v.type[v.type[0] == 'A' ? 1 : 0];
    auto real = [&v](const char *p) {  // REAL parts converted once, to float
      return v.type.back() == '4' ? std::strtof(p, nullptr) : std::strtod(p, nullptr);
    };
    if (v.type == "char") {
      v.s = value;
    } else if (value[0] == '\'') {
      uint64_t b = 0;
      std::memcpy(&b, value + 1, std::strlen(value + 1));
      v.re = std::bit_cast<double>(b);
      if (kind == 'i' || kind == 'l') v.i = static_cast<long long>(b);
      if (v.type.back() == '4' && (kind == 'r' || kind == 'c')) {
        v.re = std::bit_cast<float>(static_cast<uint32_t>(b));
        v.im = std::bit_cast<float>(static_cast<uint32_t>(b >> 32));
      }
    } else if (kind == 'i' || kind == 'l') {
      v.i = std::stoll(value);
    } else {
      v.re = real(value);
    }
    if (im != nullptr) v.im = real(im + 1);
    out.push_back(v);
  }
  return out;
}

TEST(Write, ItemTable) {
  for (const auto &r : iotest::table("edit_items.tsv", 6)) {
    const int recl = std::stoi(r[1]);
    Written w = write_items(r[0], items(r[3]), recl > 0 ? recl : 1024, std::stoi(r[2]));
    EXPECT_EQ(w.status, std::stoi(r[4])) << r[0] << " " << r[3];
    EXPECT_EQ(w.text, r[5]) << r[0] << " " << r[3];
    EXPECT_EQ(w.iostat, w.status) << r[0] << " " << r[3];
  }
  // Character values of thousands of characters, cut and padded; a field
  // of a hundred thousand, streamed.
  const std::string big(3000, 'q'), three = "char:" + big + " char:" + big + " char:" + big;
  Written w = write_items("(A,'|',A2999,'|',A3002)", items(three), 10000);
  EXPECT_EQ(w.text, big + "|" + big.substr(1) + "|  " + big);
  w = write_items("(I0.100000)", items("int4:5"), 200000);
  EXPECT_EQ(w.status, 0);
  EXPECT_EQ(w.text, std::string(99999, '0') + "5");
}

// The golden table's values: hexadecimal bits for reals, bytes in
// hexadecimal for characters, decimal otherwise.
Item from_hex(const std::string &type, const std::string &hex) {
  auto bits = [&](std::size_t at, std::size_t n) {
    return std::strtoull(hex.substr(at, n).c_str(), nullptr, 16);
  };
  auto real = [&](std::size_t at) {
    const uint64_t b = bits(at, type.back() == '4' ? 8 : 16);
    return type.back() == '4' ? std::bit_cast<float>(static_cast<uint32_t>(b)) : std::bit_cast<double>(b);
  };
  Item v{type};
  if (type == "char") {
    for (std::size_t k = 0; k + 1 < hex.size(); k += 2) v.s += static_cast<char>(bits(k, 2));
  } else if (type.compare(0, 4, "real") == 0 || type.compare(0, 4, "cplx") == 0) {
    v.re = real(0);
    if (type[0] == 'c') v.im = real(type.back() == '4' ? 8 : 16);
  } else {
    v.i = std::strtoll(hex.c_str(), nullptr, 10);
  }
  return v;
}

// Table: id, type, format, value, peer status (0 or ERR), |record|.
// Differences: id, our status, |our record|, reason.  Records stand between
// bars, so that blanks at their ends show.
TEST(Write, GoldenTableAsThePeerOrAsDefined) {
  const auto cases = tavtest::table("io/golden/table.tsv", 6);
  ASSERT_GT(cases.size(), 6000u) << "golden table missing or truncated";
  std::map<std::string, std::vector<std::string>> diffs;
  for (const auto &d : tavtest::table("io/golden/differences.tsv", 4)) diffs[d[0]] = d;
  int failed = 0;
  for (const auto &c : cases) {
    const Written w = write_items(c[2], {from_hex(c[1], c[3])});
    const std::string got = "|" + w.text + "|";
    const auto d = diffs.find(c[0]);
    const bool defined = d != diffs.end();
    // As defined here (the record when there is one), else an error as the
    // peer's, else the peer's record.
    bool ok = c[4] == "ERR" ? w.status != 0 : w.status == 0 && got == c[5];
    if (defined) ok = w.status == std::stoi(d->second[1]) && (w.status != 0 || got == d->second[2]);
    if (!ok && ++failed <= 40)
      ADD_FAILURE() << "case " << c[0] << " " << c[1] << " " << c[2] << " " << c[3] << "\n  expected "
                    << (defined ? d->second[1] + " " + d->second[2] + " (" + d->second[3] + "; peer " : "")
                    << c[4] << " " << c[5] << (defined ? ")" : "") << "\n  got " << w.status << " " << got;
  }
  EXPECT_EQ(failed, 0) << failed << " of " << cases.size() << " cases differ";
}

// G near every power of ten from 1e-5 to 1e20, d = 1 .. 17, REAL and
// DOUBLE PRECISION items: data/g_decades.tsv, whose fields g_decades.py
// works out in exact arithmetic.
TEST(Write, GNearPowersOfTenAsExactArithmetic) {
  const auto rows = iotest::table("g_decades.tsv", 4);
  int failed = 0;
  for (const auto &r : rows) {
    const Written w = write_items(r[1], {from_hex(r[0], r[2])});
    if ((w.status != 0 || w.text != r[3]) && ++failed <= 20)
      ADD_FAILURE() << r[0] << " " << r[1] << " " << r[2] << ": [" << w.text << "], expected [" << r[3] << "]";
  }
  EXPECT_EQ(failed, 0) << failed << " of " << rows.size() << " fields differ";
}

// The separator step alone, for generated code.
TEST(ListWrite, TheSeparatorStep) {
  tavtest::TestRecord rec(10);
  EXPECT_EQ(__TAVf90_init_loutput(), 0);
  EXPECT_EQ(__TAVf90_io_top, -1);
  EXPECT_EQ(__TAVf90_value_separator(3), 0);
  __TAVf90_io_position = 5;
  EXPECT_EQ(__TAVf90_value_separator(4), 0);  // 5 + 4 + 1 >= 10
  __TAVf90_noseparator = 1;
  EXPECT_EQ(__TAVf90_value_separator(100), 0);
  __TAVf90_noseparator = 0;
  __TAVf90_io_top = 0;
  EXPECT_EQ(rec.text(), std::string(" \0\0\0\0\n ", 7));
  EXPECT_EQ(rec.end_count(), 1);
}

// Asterisks, for generated code; a field longer than what is left of the
// record fails with the hook's status after the part that fits.
TEST(ExportedRealEdit, StarsAndRecordOverflow) {
  tavtest::TestRecord rec(5);
  EXPECT_EQ(__TAVf90_stars(3), 0);
  EXPECT_EQ(__TAVf90_stars(0), 0);
  EXPECT_EQ(rec.text(), "***");
  EXPECT_EQ(__TAVf90_stars(7), 100);
  EXPECT_EQ(rec.text(), "*****");
  EXPECT_EQ(__TAVf90_format_F(1.5, 6, 2), 100);
  EXPECT_EQ(__TAVf90_format_E(1.5, 10, 2, -1), 100);
}

// Each statement runs in a child, since a wrapped count would write far
// outside the field: fields of asterisks or errors, never arithmetic that
// wraps.
TEST(FieldLimits, HugeExponentWidths) {
  for (const auto &r : iotest::table("edit_limits.tsv", 3)) {
    tavtest::expect_run(r[0], [&r] {
      f90_io_init();
      int s = __TAVf90_write(6, r[0].c_str(), -1, nullptr, 0, 1);
      if (s == 0) s = write_item(items(r[1])[0], false);
      if (s == 0) s = __TAVf90_endwrite();
      std::printf("%d\n", s);
      f90_io_finish();
    }, {0, (r[2] + (r[2].empty() ? "100\n" : "\n0\n")).c_str()});
  }
}

}  // namespace
