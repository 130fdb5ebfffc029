// Conversions of input fields: I, B, O, Z, F/E/D/G and L, and the exact
// decimal-to-binary step that list-directed input shares.  Nothing here
// touches the statement globals: a conversion takes the characters of one
// field and returns 0 or the I/O error number the field gives (not yet
// reported), storing nothing on an error.
#pragma once

#include <cstdint>

namespace tav::io::input {

// The errors of input editing (100 + index in the I/O error table).
enum : int {
  kZeroRepeat = 105,
  kBadInteger = 106,
  kRangeInt1 = 107,
  kRangeInt2 = 108,
  kRepeatTooLarge = 109,
  kRangeInt = 110,
  kBadReal = 111,
  kBadLogical = 112,
  kBadComplex = 113,
  kBadCharacter = 114,
  kSignWithoutDigits = 138,
  kBadExponent = 139,
  kBadRealField = 140,
  kBadIntegerField = 141,
  kBadBinaryField = 142,
  kBadOctalField = 143,
  kBadHexField = 144,
  kBadLogicalChar = 181,
  kNoLogicalValue = 182,
  kRangeInt8 = 211,
  kRealOverflow = 215,
};

// The characters of one field: `n` taken from the record, then `pad`
// blanks (what a short record supplies under PAD='YES').
struct Field {
  const char *text;
  int n;
  std::int64_t pad;
};

// An exact decimal number: its significant digits times a power of ten.
// Digits beyond kMaxDigits only matter as to whether any of them is
// nonzero (a sticky digit), which keeps the rounding of every halfway case
// of float and double exact for a digit string of any length.
class Decimal {
 public:
  static constexpr int kMaxDigits = 800;

  void clear() {
    n_ = 0;
    exp_ = 0;
    sticky_ = false;
    negative = false;
  }
  // The next digit before / after the decimal point.
  void int_digit(int d) {
    if (n_ == 0 && d == 0) return;
    if (n_ < kMaxDigits) {
      digits_[n_++] = static_cast<char>('0' + d);
    } else {
      ++exp_;
      if (d != 0) sticky_ = true;
    }
  }
  void frac_digit(int d) {
    if (n_ == 0 && d == 0) {
      --exp_;
    } else if (n_ < kMaxDigits) {
      digits_[n_++] = static_cast<char>('0' + d);
      --exp_;
    } else if (d != 0) {
      sticky_ = true;
    }
  }
  // Starts over with the digits of an integer.
  void set_integer(std::uint64_t v);
  // k zero digits before / after the point at once.
  void int_zeros(std::int64_t k);
  void frac_zeros(std::int64_t k);

  // Multiplies by 10^x.
  void scale10(std::int64_t x);

  bool is_zero() const { return n_ == 0 && !sticky_; }

  // The value times 10^adjust, correctly rounded to T (float or double),
  // ties to even; beyond the range: ±infinity and true; below it: ±0.
  template <typename T>
  bool convert(std::int64_t adjust, T *out);

  bool negative = false;

 private:
  char digits_[kMaxDigits + 32];
  int n_ = 0;
  std::int64_t exp_ = 0;
  bool sticky_ = false;
};

// Sum of two exponents, kept far inside the range of int64.
std::int64_t add_exponent(std::int64_t a, std::int64_t b);
// e * 10 + digit, saturating.
std::int64_t exponent_digit(std::int64_t e, int digit);

// Iw (and Gw for integers): a value in [lo, hi], else range_error.
int parse_integer(const Field &f, bool bz, std::int64_t lo, std::int64_t hi, int range_error, std::int64_t *out);

// Bw, Ow, Zw (shift 1, 3, 4): a bit pattern of at most `bits` bits, else
// range_error; *out holds it zero-extended.
int parse_boz(const Field &f, bool bz, int shift, int bits, int range_error, std::uint64_t *out);

// Fw.d, Ew.d, Dw.d, Gw.d: implied decimals d and scale factor k apply as
// for the F descriptor.  A value that rounds to infinity is error 215.
template <typename T>
int parse_real(const Field &f, bool bz, int d, int k, T *out);

// Lw: 1 or 0.  Error 181 gives the offending character in *bad.
int parse_logical(const Field &f, std::int32_t *out, char *bad);

}  // namespace tav::io::input
