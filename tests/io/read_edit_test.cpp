// Formatted input editing through the read entries, over in-memory records:
// every descriptor, blank mode, scale factor and error, the range of each
// kind, and correct rounding of real input.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "io/input_support.h"

namespace {

using inputtest::run;

struct Case {
  const char *format;
  const char *record;
  const char *kinds;
  const char *expect;
};

void check(const std::vector<Case> &cases, bool pad = true) {
  for (const Case &c : cases)
    EXPECT_EQ(run(c.format, {c.record}, c.kinds, pad), c.expect) << c.format << " on [" << c.record << "]";
}

TEST(ReadEdit, Integers) {
  check({
      {"(I5)", "  -12", "i", "-12"},
      {"(I5)", "- 12 ", "i", "-12"},
      {"(I5)", "1 2  ", "i", "12"},
      {"(BZ,I5)", "1 2  ", "i", "10200"},
      {"(I5)", "12a  ", "i", "7#141"},
      {"(I5)", "    +", "i", "7#138"},
      {"(I5)", "     ", "i", "0"},
      {"(I5)", "12", "i", "12"},           // padded record
      {"(BZ,I5)", "12", "i", "12000"},     // padding blanks are zeros under BZ
      {"(G6.2)", "  -345", "i", "-345"},
      {"(I3,I2)", "12345", "ii", "123|45"},
      // Range of each kind; the syntax decides before the range.
      {"(I4)", " 127", "b", "127"},
      {"(I4)", "-128", "b", "-128"},
      {"(I4)", " 128", "b", "7#107"},
      {"(I6)", "-32769", "h", "7#108"},
      {"(I11)", "-2147483648", "i", "-2147483648"},
      {"(I11)", " 2147483648", "i", "7#110"},
      {"(I20)", "-9223372036854775808", "k", "-9223372036854775808"},
      {"(I20)", " 9223372036854775808", "k", "7#211"},
      {"(I60)", "123456789012345678901234567890123456789012345678901234567890", "k", "7#211"},
      {"(I30)", "99999999999999999999999999999x", "k", "7#141"},
      {"(F5.0)", "1", "i", "7#135"},
  });
}

TEST(ReadEdit, BinaryOctalHex) {
  check({
      {"(B8)", "  101010", "i", "42"},
      {"(O4)", "0807", "i", "7#143"},
      {"(O4)", "0778", "i", "7#143"},
      {"(Z4)", "  fF", "i", "255"},
      {"(B3)", "-11", "i", "7#142"},
      {"(Z3)", "12g", "i", "7#144"},
      {"(BZ,Z4)", "1 ", "i", "4096"},
      // A pattern that fits the item is stored as it is.
      {"(Z8)", "FFFFFFFF", "i", "-1"},
      {"(Z2)", "FF", "b", "-1"},
      {"(Z3)", "100", "b", "7#107"},
      {"(Z4)", "8000", "h", "-32768"},
      {"(Z9)", "100000000", "i", "7#110"},
      {"(Z16)", "FFFFFFFFFFFFFFFF", "k", "-1"},
      {"(Z17)", "10000000000000000", "k", "7#211"},
      {"(O22)", "1777777777777777777777", "k", "-1"},
      {"(O22)", "2000000000000000000000", "k", "7#211"},
  });
}

TEST(ReadEdit, Reals) {
  check({
      {"(F8.2)", "  123456", "d", "1234.5599999999999"},
      {"(F8.2)", " 1234.5 ", "d", "1234.5"},
      {"(F8.2)", "   1.5E2", "d", "150"},
      {"(F5.0)", "1.5+3", "d", "1500"},
      {"(F5.0)", "1.5E3", "d", "1500"},
      {"(F6.0)", "1.5E+3", "d", "1500"},
      {"(F7.0)", "1.5 E 3", "d", "1500"},
      {"(F6.2)", "1 2   ", "d", "0.12"},
      {"(BZ,F6.2)", "1 2   ", "d", "1020"},
      {"(F5.0)", "   - ", "d", "7#140"},
      {"(BZ,F5.0)", "   - ", "d", "-0"},
      {"(F5.0)", "    -", "d", "7#138"},
      {"(F6.2)", "1.5E  ", "d", "7#139"},
      {"(F6.2)", "1.5X  ", "d", "7#140"},
      {"(F6.2)", "1.5Q2 ", "d", "7#140"},
      {"(F6.2)", "      ", "d", "0"},
      {"(F3.1)", ".", "d", "7#140"},
      {"(2P,F8.3)", "   1.234", "d", "0.01234"},
      {"(2P,F8.3)", "1.234E0 ", "d", "1.234"},
      {"(-2P,F4.0)", "  12", "d", "1200"},
      {"(E10.3)", "    12345E", "d", "7#139"},
      {"(E10.3)", "    12345D1", "d", "7#139"},  // ten characters are the field
      {"(E10.3)", "   12345D1", "d", "123.45"},
      {"(E9.3)", "12345E-02", "d", "0.12345"},
      {"(D12.3)", "  1.25d-1   ", "d", "0.125"},
      {"(G10.2)", "2.5", "d", "2.5"},
      {"(F10.0)", "1.0E+309  ", "d", "7#215"},
      {"(F10.0)", "1.0E+39   ", "r", "7#215"},
      {"(F10.0)", "1.0E+39   ", "R", "7#215"},
      {"(F10.0)", "1.0E-400  ", "d", "0"},
      {"(F11.0)", "-1.0E-400  ", "d", "-0"},
      {"(F4.1)", "0.1", "r", "0.100000001"},
      {"(F12.0)", "1E2147483648", "d", "7#215"},    // exponents saturate
      {"(F13.0)", "0E99999999999", "d", "0"},
      {"(F13.0)", "1E-9999999999", "d", "0"},
      {"(I5)", "1.5", "d", "7#134"},
      {"(A2)", "ab", "d", "7#134"},
      {"(F6.1,F6.1)", "  1.5  2.5", "c", "(1.5,2.5)"},
      {"(2F5.1)", "  1.5  xxx", "z", "(7,7)#140"},  // neither part is stored
  });
}

TEST(ReadEdit, LogicalAndCharacter) {
  check({
      {"(L5)", "  .t.", "l", "1"},
      {"(L3)", "FAL", "l", "0"},
      {"(L4)", "    ", "l", "7#182"},
      {"(L2)", " X", "l", "7#181"},
      {"(L7)", ".TRUE. ", "l", "1"},
      {"(G3.1)", " F ", "l", "0"},
      {"(I3)", " F ", "l", "7#136"},
      {"(A3)", "abc", "s", "abc   "},
      {"(A8)", "uvwxyz12", "s", "wxyz12"},
      {"(A)", "abcdefgh", "s", "abcdef"},
      {"(G4.1)", "abcd", "s", "abcd  "},
      {"(I4)", "abcd", "s", "------#145"},
      {"(A)", "abcdefgh", "I", "1684234849"},  // the bytes "abcd" of the item
      {"(A2)", "ab", "L", "538993249"},  // "ab  "
      // An Aw field wider than its item under PAD='YES': the record is
      // padded to the field.
      {"(A10)", "abcde", "s", "e     "},
      {"(A10)", "abc", "s", "      "},
      {"(A8)", "abcde", "s", "cde   "},
  });
}

TEST(ReadEdit, PadNoStopsAtTheEndOfTheRecord) {
  // The hook reports the end of the record; the item keeps its value.
  for (const char *kinds : {"i", "d", "l", "s"})
    EXPECT_EQ(run("(I5)", {"12"}, kinds, false).substr(0, 1), std::string(kinds) == "s" ? "-" : "7") << kinds;
  EXPECT_EQ(run("(A10)", {"abcde"}, "s", false), "------#-2");
  EXPECT_EQ(run("(A4)", {"abcde"}, "s", false), "abcd  ");
}

TEST(ReadEdit, ExtremeFieldsAreExactAndSafe) {
  // Hundreds of digits, and a field far wider than its record.
  std::string ones(500, '1');
  EXPECT_EQ(run("(I500)", {ones}, "k"), "7#211");
  std::string tiny = "0." + std::string(400, '0') + "1";
  EXPECT_EQ(run(("(F" + std::to_string(tiny.size()) + ".0)").c_str(), {tiny}, "d"), "0");
  EXPECT_EQ(run("(BZ,I2000000000)", {"1"}, "i"), "7#110");
  EXPECT_EQ(run("(BZ,F2000000000.0)", {"1"}, "d"), "7#215");
  EXPECT_EQ(run("(F2000000000.5)", {"1"}, "d"), "1.0000000000000001e-05");
  EXPECT_EQ(run("(A2000000000)", {"x"}, "s"), "      ");
}

// Real input is rounded once, to nearest, ties to even, to the item's kind.
TEST(ReadEdit, CorrectRounding) {
  struct Real {
    const char *text;
    double value;  // the compiler's own conversion of the literal
  } doubles[] = {
      {"0.1", 0.1},
      {"9007199254740993", 9007199254740992.0},  // a tie: to even
      {"9007199254740993.00000000000000000000000000000000000001", 9007199254740994.0},
      {"2.2250738585072011e-308", 2.2250738585072011e-308},
      {"4.9406564584124654e-324", 4.9406564584124654e-324},
      {"2.4703282292062328e-324", 4.9406564584124654e-324},  // just above half the least
      {"2.4703282292062327e-324", 0.0},
      {"1.7976931348623158e308", 1.7976931348623157e308},
      {"1.7976931348623158079e308", 1.7976931348623157e308},
      {"8.589973e9", 8.589973e9},
      {"1.00000000000000011102230246251565404236316680908203125", 1.0},  // tie, even
      {"1.00000000000000011102230246251565404236316680908203126", 1.0000000000000002},
  };
  for (const Real &r : doubles) {
    std::string f = "(E" + std::to_string(std::strlen(r.text)) + ".0)";
    EXPECT_EQ(run(f.c_str(), {r.text}, "d"), inputtest::render('d', &r.value)) << r.text;
  }
  // Just below the halfway point between the largest double and 2^1024, the
  // largest double; from it on, overflow.
  EXPECT_EQ(run("(E43.0)", {"1.7976931348623158079372897140530341507e308"}, "d"), "1.7976931348623157e+308");
  EXPECT_EQ(run("(E43.0)", {"1.7976931348623158079372897140530341508e308"}, "d"), "7#215");
  struct Single {
    const char *text;
    float value;
  } singles[] = {
      {"1.0000000596046447755", 1.00000011920928955f},  // double first would give 1.0
      {"3.4028235e38", 3.4028235e38f},
      {"3.40282356e38", 3.4028235e38f},
      {"1.4e-45", 1.4e-45f},
      {"0.7e-45", 0.0f},
      {"16777217", 16777216.0f},
  };
  for (const Single &r : singles) {
    std::string f = "(E" + std::to_string(std::strlen(r.text)) + ".0)";
    EXPECT_EQ(run(f.c_str(), {r.text}, "r"), inputtest::render('r', &r.value)) << r.text;
  }
  EXPECT_EQ(run("(E12.0)", {"3.4028236e38"}, "r"), "7#215");
}

}  // namespace
