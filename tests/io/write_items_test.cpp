// Formatted write entries: I, B, O, Z, L and A editing, the dusty A forms,
// descriptor checks and the per-item protocol, driven as whole statements
// on an in-memory record.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>

#include "support/record_fixture.h"
#include "tavf90.h"

namespace {

struct Outcome {
  int status = 0;      // of the item calls: the first nonzero, else 0
  std::string text;    // records ended (with '\n') and the current one
  int iostat = 0;      // as the statement left it
};

// A formatted WRITE under `format` on a record of `buflen` characters;
// `items` makes the item calls and returns the first nonzero status.
Outcome write_with(const char *format, const std::function<int()> &items, int buflen = 1024) {
  tavtest::TestRecord rec(buflen);
  Outcome r;
  EXPECT_EQ(__TAVf90_establish_format(format, -1, TAV_MODE_OUTPUT), 0) << format;
  r.status = items();
  r.text = rec.text();
  r.iostat = iostat;
  return r;
}

// The first nonzero of the statuses of a statement's item calls, made in
// order (a braced list is evaluated left to right).
int first(std::initializer_list<int> statuses) {
  for (int s : statuses)
    if (s != 0) return s;
  return 0;
}

struct Case {
  const char *format;
  int64_t value;
  std::string expected;
};

TEST(WriteInteger, DefaultKind) {
  const Case cases[] = {
      {"(I5)", 42, "   42"},        {"(I5)", -42, "  -42"},          {"(SP,I5)", 42, "  +42"},
      {"(I5.3)", 7, "  007"}, {"(I4.2)", 7, "  07"},       {"(I5.0)", 0, "     "},          {"(I0.0)", 0, " "},
      {"(SP,I0.0)", 0, " "},        {"(SP,I0)", 0, "+0"},            {"(I0)", 0, "0"},
      {"(I0)", -123, "-123"},       {"(I0.5)", -12, "-00012"},       {"(I3)", 1234, "***"},
      {"(I3)", -100, "***"},        {"(I3.3)", -1, "***"},           {"(I11)", INT_MIN, "-2147483648"},
      {"(I10)", INT_MIN, "**********"}, {"(G6.2)", 42, "    42"},
      {"(I40.30)", -5, std::string(9, ' ') + "-" + std::string(29, '0') + "5"},
      {"(B8)", 5, "     101"},    {"(B8.6)", 5, "  000101"},       {"(O4)", -1, "****"},
      {"(O0)", -1, "37777777777"},  {"(Z8)", -1, "FFFFFFFF"},        {"(Z4)", 255, "  FF"},
      {"(SP,Z4)", 255, "  FF"},     {"(B0)", 0, "0"},                {"(B3.0)", 0, "   "},
      {"(Z0.0)", 0, " "},           {"(Z0.4)", 10, "000A"},          {"(Z2.2)", 0xFFF, "**"},
  };
  for (const Case &c : cases) {
    auto v = static_cast<int32_t>(c.value);
    Outcome r = write_with(c.format, [v] { return __TAVf90_write_i(v); });
    EXPECT_EQ(r.status, 0) << c.format;
    EXPECT_EQ(r.text, c.expected) << c.format << " " << v;
  }
}

TEST(WriteInteger, OtherKinds) {
  const Case cases[] = {
      {"(I20)", INT64_MIN, "-9223372036854775808"}, {"(I19)", INT64_MIN, std::string(19, '*')},
      {"(SP,I0)", INT64_MAX, "+9223372036854775807"}, {"(I0.25)", -7, "-" + std::string(24, '0') + "7"},
      {"(Z0)", -1, std::string(16, 'F')},           {"(O0)", INT64_MIN, "1" + std::string(21, '0')},
      {"(B0)", INT64_MIN, "1" + std::string(63, '0')}, {"(Z12.10)", 0xABCDEF, "  0000ABCDEF"},
  };
  for (const Case &c : cases) {
    int64_t v = c.value;
    Outcome r = write_with(c.format, [v] { return __TAVf90_write_i4(v); });
    EXPECT_EQ(r.text, c.expected) << c.format;
  }
  // Short kinds: sign-extended for I, zero-extended for B, O and Z.
  Outcome r = write_with("(I0,1X,Z0,1X,I4,1X,Z0,1X,B0)", [] {
    return first({__TAVf90_write_i1(-1), __TAVf90_write_i1(-1), __TAVf90_write_i2(-300), __TAVf90_write_i2(-1),
                  __TAVf90_write_i1(-128)});
  });
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.text, "-1 FF -300 FFFF 10000000");
}

TEST(WriteInteger, WideFieldsAreStreamed) {
  Outcome r = write_with("(I0.100000)", [] { return __TAVf90_write_i(5); }, 200000);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.text, std::string(99999, '0') + "5");
  // Fields far wider than the record fail at its end, at once (streaming
  // the whole width would run into the test's time limit).
  r = write_with("(I2000000000)", [] { return __TAVf90_write_i(5); }, 64);
  EXPECT_EQ(r.status, 100);
  EXPECT_EQ(r.text, std::string(64, ' '));
  r = write_with("(B2000000000.1999999999)", [] { return __TAVf90_write_i(5); }, 64);
  EXPECT_EQ(r.status, 100);
}

TEST(WriteItems, DescriptorErrors) {
  struct Bad {
    const char *format;
    std::function<int()> item;
    int code;
  };
  const Bad cases[] = {
      {"(I4.5)", [] { return __TAVf90_write_i(1); }, 135},   {"(B2.3)", [] { return __TAVf90_write_i(1); }, 135},
      {"(I8.9)", [] { return __TAVf90_write_i4(1); }, 135},  {"(F10.3)", [] { return __TAVf90_write_i(1); }, 135},
      {"(A)", [] { return __TAVf90_write_i(1); }, 135},      {"(I5)", [] { return __TAVf90_write_r(1.0f); }, 134},
      {"(L3)", [] { return __TAVf90_write_d(1.0); }, 134},   {"(A)", [] { return __TAVf90_write_r(1.0f); }, 134},
      {"(I2)", [] { return __TAVf90_write_l(1); }, 136},     {"(A)", [] { return __TAVf90_write_l(1); }, 136},
      {"(I3)", [] { return __TAVf90_dusty_write_l(1); }, 136}, {"(L2)", [] { return __TAVf90_write_ch("ab", 2); }, 145},
      {"(I3)", [] { return __TAVf90_write_ch("ab", 2); }, 145},
      // The second part of a complex is not tried after the first fails;
      // nor are the edits after a failed item carried out.
      {"(I5,F5.1)", [] { return __TAVf90_write_c(1.0f, 2.0f); }, 134},
      {"(I2.3,'<')", [] { return __TAVf90_write_i(7); }, 135},
  };
  for (const Bad &c : cases) {
    Outcome r = write_with(c.format, c.item);
    EXPECT_EQ(r.status, c.code) << c.format;
    EXPECT_EQ(r.iostat, c.code) << c.format;
    EXPECT_EQ(r.text, "") << c.format;
  }
}

TEST(WriteItems, LogicalAndCharacter) {
  Outcome r = write_with("(L1,L4,G3.1,L2,L2,L2)", [] {
    return first({__TAVf90_write_l(1), __TAVf90_write_l(0), __TAVf90_write_l1(static_cast<int8_t>(0x80)),
                  __TAVf90_write_l2(0), __TAVf90_write_l4(INT64_C(1) << 32) /* the low word decides */,
                  __TAVf90_write_l4(2)});
  });
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.text, "T   F  T F F T");

  std::string big(3000, 'q');
  r = write_with(
      "(A,A5,A2,G5.1,A,A3,'|',A,'|',A2999,'|',A3002)",
      [&big] {
        return first({__TAVf90_write_ch("abc", 3), __TAVf90_write_ch("abc", 3), __TAVf90_write_ch("abc", 3),
                      __TAVf90_write_ch("abc", 3), __TAVf90_write_ch("", 0), __TAVf90_write_ch("", 0),
                      __TAVf90_write_ch(big.data(), 3000), __TAVf90_write_ch(big.data(), 3000),
                      __TAVf90_write_ch(big.data(), 3000)});
      },
      10000);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.text, "abc  abcab  abc   |" + big + "|" + big.substr(1) + "|  " + big);
}

TEST(WriteItems, DustyAOnItemStorage) {
  int32_t abcd;
  std::memcpy(&abcd, "abcd", 4);
  Outcome r = write_with("(A,A6,A2)", [abcd] {
    return first({__TAVf90_dusty_write_i(abcd), __TAVf90_dusty_write_i(abcd), __TAVf90_dusty_write_i(abcd)});
  });
  EXPECT_EQ(r.text, "abcd  abcdab");

  // A bare A takes each kind's storage size.
  int64_t eight;
  std::memcpy(&eight, "12345678", 8);
  float four;
  std::memcpy(&four, "wxyz", 4);
  double dbl;
  std::memcpy(&dbl, "ABCDEFGH", 8);
  // The plain 8-byte entry takes A too.
  r = write_with("(9A,A3)", [&] {
    return first({__TAVf90_dusty_write_i1('p'), __TAVf90_dusty_write_i2(static_cast<int16_t>('q' | ('r' << 8))),
                  __TAVf90_dusty_write_i4(eight), __TAVf90_write_i4(eight), __TAVf90_dusty_write_r(four),
                  __TAVf90_dusty_write_d(dbl), __TAVf90_dusty_write_l(abcd), __TAVf90_dusty_write_l1('s'),
                  __TAVf90_dusty_write_l4(eight), __TAVf90_dusty_write_l2(static_cast<int16_t>('t' | ('u' << 8)))});
  });
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.text, "pqr1234567812345678wxyzABCDEFGHabcds12345678 tu");

  // Other descriptors edit as the plain entries do.
  r = write_with("(I3,L2,Z3,F4.1,A)", [four] {
    return first({__TAVf90_dusty_write_i(42), __TAVf90_dusty_write_l4(1), __TAVf90_dusty_write_i1(-1),
                  __TAVf90_dusty_write_c(2.0f, four)});
  });
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.text, " 42 T FF 2.0wxyz");
}

TEST(WriteItems, ProtocolAndComplexParts) {
  // Reversion before an item when the format is exhausted; control edits
  // after an item are carried out by the item call; each part of a complex
  // item takes its own descriptor.
  const std::pair<const char *, int (*)()> cases[] = {
      {"(I3)", [] { return first({__TAVf90_write_i(1), __TAVf90_write_i(2), __TAVf90_write_i(3)}); }},
      {"(I2,'<')", [] { return __TAVf90_write_i(7); }},
      {"(F6.1,F6.1)", [] { return __TAVf90_write_c(1.5f, -2.5f); }},
      {"(2F5.1)", [] { return __TAVf90_write_dc(3.0, 4.0); }},
  };
  const char *expected[] = {"  1\n  2\n  3", " 7<", "   1.5  -2.5", "  3.0  4.0"};
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    Outcome r = write_with(cases[i].first, cases[i].second);
    EXPECT_EQ(r.status, 0) << cases[i].first;
    EXPECT_EQ(r.text, expected[i]) << cases[i].first;
  }
}

}  // namespace
