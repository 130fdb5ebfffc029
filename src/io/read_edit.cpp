#include "io/read_edit.h"

#include <cfloat>
#include <charconv>
#include <cstring>
#include <limits>

#include "io/digit_run.h"

namespace tav::io::input {
namespace {

// Exponents are kept within ±kExpLimit: far beyond any finite or nonzero
// value, far inside int64 whatever is added to them.
constexpr std::int64_t kExpLimit = std::int64_t{1} << 40;

// Walks the characters of a field; the end of the field reads as NUL.  Runs
// of blanks are taken in one step, so a field padded by millions of blanks
// costs no more than a short one.
class Cursor {
 public:
  explicit Cursor(const Field &f) : p_(f.text), end_(f.text + f.n), pad_(f.pad) {}
  char peek() const { return p_ < end_ ? *p_ : (pad_ > 0 ? ' ' : '\0'); }
  bool at_end() const { return p_ >= end_ && pad_ <= 0; }
  void next() {
    if (p_ < end_)
      ++p_;
    else if (pad_ > 0)
      --pad_;
  }
  // Steps over a run of blanks and returns its length.
  std::int64_t blanks() {
    std::int64_t k = 0;
    while (p_ < end_ && *p_ == ' ') ++p_, ++k;
    if (p_ == end_) k += pad_, pad_ = 0;
    return k;
  }

 private:
  const char *p_;
  const char *end_;
  std::int64_t pad_;
};

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// The powers of ten that are exact in T.
template <typename T>
constexpr T kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                         1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// m * 10^e into *out when m and 10^|e| are both exact in T: then one
// multiplication or division, rounded once, gives the nearest value.
// False (nothing stored) otherwise, or where T arithmetic is carried out
// in a wider format and would round twice.
template <typename T>
bool exact_value(std::uint64_t m, std::int64_t e, bool negative, T *out) {
#if FLT_EVAL_METHOD == 0
  constexpr int kExactPower = std::numeric_limits<T>::digits >= 53 ? 22 : 10;
  if ((m >> std::numeric_limits<T>::digits) != 0 || e < -kExactPower || e > kExactPower) return false;
  const T x = static_cast<T>(m);
  const T v = e >= 0 ? x * kPowers<T>[e] : x / kPowers<T>[-e];
  *out = negative ? -v : v;
  return true;
#else
  (void)m, (void)e, (void)negative, (void)out;
  return false;
#endif
}

}  // namespace

std::int64_t add_exponent(std::int64_t a, std::int64_t b) {
  std::int64_t s = a + b;
  return s > kExpLimit ? kExpLimit : (s < -kExpLimit ? -kExpLimit : s);
}

std::int64_t exponent_digit(std::int64_t e, int digit) {
  return e >= kExpLimit / 10 ? kExpLimit : e * 10 + digit;
}

void Decimal::set_integer(std::uint64_t v) {
  bool neg = negative;
  clear();
  negative = neg;
  if (v == 0) return;
  n_ = static_cast<int>(std::to_chars(digits_, digits_ + 24, v).ptr - digits_);
}

void Decimal::scale10(std::int64_t x) { exp_ = add_exponent(exp_, x); }

void Decimal::int_zeros(std::int64_t k) {
  if (n_ == 0 || k <= 0) return;
  std::int64_t room = kMaxDigits - n_;
  std::int64_t put = k < room ? k : room;
  std::memset(digits_ + n_, '0', static_cast<std::size_t>(put));
  n_ += static_cast<int>(put);
  exp_ = add_exponent(exp_, k - put);
}

void Decimal::frac_zeros(std::int64_t k) {
  if (k <= 0) return;
  if (n_ == 0) {
    exp_ = add_exponent(exp_, -k);
    return;
  }
  std::int64_t room = kMaxDigits - n_;
  std::int64_t put = k < room ? k : room;
  std::memset(digits_ + n_, '0', static_cast<std::size_t>(put));
  n_ += static_cast<int>(put);
  exp_ = add_exponent(exp_, -put);
}

template <typename T>
bool Decimal::convert(std::int64_t adjust, T *out) {
  const T sign = negative ? T(-1) : T(1);
  if (n_ == 0) {
    *out = sign * T(0);
    return false;
  }
  int n = n_;
  std::int64_t e = add_exponent(exp_, adjust);
  if (sticky_) {
    digits_[n++] = '1';
    e = add_exponent(e, -1);
  }
  if (!sticky_ && n <= 15) {
    std::uint64_t m = digits8_value(digits_ + (n > 8 ? n - 8 : 0), n > 8 ? 8 : n);
    if (n > 8) m += std::uint64_t{digits8_value(digits_, n - 8)} * 100000000;
    if (exact_value(m, e, negative, out)) return false;
  }
  // The value lies in [10^(order-1), 10^order).
  std::int64_t order = n + e;
  if (order > 400) {
    *out = sign * std::numeric_limits<T>::infinity();
    return true;
  }
  if (order < -400) {
    *out = sign * T(0);
    return false;
  }
  char *end = digits_ + n;
  *end++ = 'e';
  end = std::to_chars(end, digits_ + sizeof digits_, e).ptr;
  T v{};
  auto r = std::from_chars(digits_, end, v);
  if (r.ec == std::errc::result_out_of_range) {
    // Out of range either way: infinity above, zero below.
    if (order > 0) {
      *out = sign * std::numeric_limits<T>::infinity();
      return true;
    }
    v = T(0);
  }
  *out = sign * v;
  return false;
}

template bool Decimal::convert<float>(std::int64_t, float *);
template bool Decimal::convert<double>(std::int64_t, double *);

namespace {

// parse_integer after its quickest case: out of line, so that the quickest
// case costs none of the set-up of the rest.
[[gnu::noinline]] int parse_integer_rest(const Field &f, bool bz, std::int64_t lo, std::int64_t hi, int range_error,
                                         std::int64_t *out) {
  // The common field: blanks, an optional sign, up to 18 digits, blanks
  // (trailing ones only under BN).
  const char *p = skip_blanks(f.text, f.text + f.n), *end = f.text + f.n;
  bool minus = p < end && *p == '-';
  if (p < end && (*p == '-' || *p == '+')) ++p;
  const char *digits = p;
  std::uint64_t magnitude = 0;
  p = add_digits(p, end, &magnitude, 18);
  if (p - digits > 18) p = digits;  // too long for the quick way
  auto n = static_cast<std::int64_t>(magnitude);
  if (p > digits && (p == end || (*p == ' ' && !bz)) && (p == end || !is_digit(*p))) {
    const char *q = p;
    while (q < end && *q == ' ') ++q;
    if (q == end && (!bz || f.pad == 0)) {
      if (minus) n = -n;
      if (n < lo || n > hi) return range_error;
      *out = n;
      return 0;
    }
  }
  Cursor c(f);
  c.blanks();
  bool negative = false;
  if (c.peek() == '-' || c.peek() == '+') {
    negative = c.peek() == '-';
    c.next();
    if (!bz) c.blanks();
    if (c.at_end()) return kSignWithoutDigits;
  }
  std::uint64_t value = 0;
  bool overflow = false;
  for (;;) {
    char ch = c.peek();
    if (is_digit(ch)) {
      unsigned d = static_cast<unsigned>(ch - '0');
      if (value > (std::numeric_limits<std::uint64_t>::max() - d) / 10)
        overflow = true;
      else
        value = value * 10 + d;
      c.next();
    } else if (ch == ' ') {
      std::int64_t k = c.blanks();
      if (bz && value != 0) {
        for (; k > 0 && !overflow; --k) {
          if (value > std::numeric_limits<std::uint64_t>::max() / 10)
            overflow = true;
          else
            value *= 10;
        }
      }
    } else {
      break;
    }
  }
  // The syntax decides first: a malformed field is never a range error.
  if (!c.at_end()) return kBadIntegerField;
  if (overflow) return range_error;
  std::int64_t v;
  if (negative) {
    if (value > std::uint64_t{1} << 63) return range_error;
    v = static_cast<std::int64_t>(0 - value);
  } else {
    if (value > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) return range_error;
    v = static_cast<std::int64_t>(value);
  }
  if (v < lo || v > hi) return range_error;
  *out = v;
  return 0;
}

}  // namespace

int parse_integer(const Field &f, bool bz, std::int64_t lo, std::int64_t hi, int range_error, std::int64_t *out) {
  // Most often blanks, an optional sign and up to sixteen digits that run
  // to the end of the field: taken as two words, the last eight digits and
  // the ones before.
  const char *p = skip_blanks(f.text, f.text + f.n), *end = f.text + f.n;
  const bool minus = p < end && *p == '-';
  if (p < end && (*p == '-' || *p == '+')) ++p;
  if (p < end && end - p <= 16 && f.n >= 8 && (!bz || f.pad == 0)) {
    const int head = static_cast<int>(end - p) - 8;
    std::uint32_t last;
    if (trailing_digits_value(head > 0 ? end - 8 : p, end, &last) && (head <= 0 || leading_digits8(p) >= head)) {
      std::int64_t n = last;
      if (head > 0) n += std::int64_t{digits8_value(p, head)} * 100000000;
      if (minus) n = -n;
      if (n < lo || n > hi) return range_error;
      *out = n;
      return 0;
    }
  }
  return parse_integer_rest(f, bz, lo, hi, range_error, out);
}

int parse_boz(const Field &f, bool bz, int shift, int bits, int range_error, std::uint64_t *out) {
  Cursor c(f);
  c.blanks();
  std::uint64_t value = 0;
  bool overflow = false;
  const unsigned radix = 1u << shift;
  auto digit_value = [](char ch) -> unsigned {
    if (is_digit(ch)) return static_cast<unsigned>(ch - '0');
    if (ch >= 'a' && ch <= 'f') return static_cast<unsigned>(ch - 'a' + 10);
    if (ch >= 'A' && ch <= 'F') return static_cast<unsigned>(ch - 'A' + 10);
    return 99;
  };
  auto push = [&](unsigned d) {
    if (value >> (64 - shift) != 0) overflow = true;
    value = (value << shift) | d;
  };
  for (;;) {
    char ch = c.peek();
    unsigned d = digit_value(ch);
    if (d < radix) {
      push(d);
      c.next();
    } else if (ch == ' ') {
      std::int64_t k = c.blanks();
      if (bz && value != 0)
        for (; k > 0 && !overflow; --k) push(0);
    } else {
      break;
    }
  }
  if (!c.at_end()) return shift == 1 ? kBadBinaryField : shift == 3 ? kBadOctalField : kBadHexField;
  if (overflow || (bits < 64 && (value >> bits) != 0)) return range_error;
  *out = value;
  return 0;
}

namespace {

// The common field, converted by the C++ library straight from its text:
// blanks, an optional sign, digits with a decimal point, an optional
// exponent E with its digits, blanks; nothing the implied decimals, the
// scale factor or BZ would change.  Anything else (and a value out of
// range) is left to the general path: returns false.
template <typename T>
bool plain_real(const Field &f, bool bz, int d, int k, T *out) {
  const char *end = f.text + f.n;
  const char *p = skip_blanks(f.text, end);
  while (end > p && end[-1] == ' ') --end;
  if (bz && (end != f.text + f.n || f.pad > 0)) return false;
  const char *start = p;
  const bool negative = p < end && *p == '-';
  if (p < end && *p == '+') start = ++p;
  else if (negative) ++p;
  const char *digits = p;
  p = skip_digits(p, end);
  const char *const int_end = p;
  bool point = p < end && *p == '.';
  if (point) p = skip_digits(p + 1, end);
  const char *const frac_end = p;
  if (p - digits == (point ? 1 : 0)) return false;
  bool exponent = p < end && (*p == 'E' || *p == 'e');
  std::int64_t e = 0;
  if (exponent) {
    ++p;
    const bool e_negative = p < end && *p == '-';
    if (p < end && (*p == '+' || *p == '-')) ++p;
    const char *x = p;
    for (; p < end && is_digit(*p); ++p) e = exponent_digit(e, *p - '0');
    if (p == x) return false;
    if (e_negative) e = -e;
  }
  if (p != end || (!point && d != 0) || (!exponent && k != 0)) return false;
  // Digits that may be exact in T (up to 16 for a double, 8 for a REAL)
  // are added up first.
  const std::int64_t fraction = point ? frac_end - int_end - 1 : 0;
  if ((int_end - digits) + fraction <= (std::numeric_limits<T>::digits >= 53 ? 16 : 8)) {
    std::uint64_t m = 0;
    for (const char *q = digits; q < frac_end; ++q)
      if (q != int_end) m = m * 10 + static_cast<unsigned>(*q - '0');
    if (exact_value(m, add_exponent(e, -fraction), negative, out)) return true;
  }
  T v;
  auto r = std::from_chars(start, end, v);
  if (r.ec != std::errc() || r.ptr != end) return false;
  *out = v;
  return true;
}

}  // namespace

template <typename T>
int parse_real(const Field &f, bool bz, int d, int k, T *out) {
  if (plain_real(f, bz, d, k, out)) return 0;
  Cursor c(f);
  c.blanks();
  if (c.at_end()) {
    *out = T(0);
    return 0;
  }
  Decimal dec;
  dec.clear();
  if (c.peek() == '-' || c.peek() == '+') {
    dec.negative = c.peek() == '-';
    c.next();
    if (c.at_end()) return kSignWithoutDigits;
  }
  bool digits = false;
  bool point = false;
  for (;;) {
    char ch = c.peek();
    if (is_digit(ch)) {
      dec.int_digit(ch - '0');
      digits = true;
      c.next();
    } else if (ch == ' ') {
      std::int64_t run = c.blanks();
      if (bz) dec.int_zeros(run), digits = true;
    } else {
      break;
    }
  }
  if (c.peek() == '.') {
    point = true;
    c.next();
    for (;;) {
      char ch = c.peek();
      if (is_digit(ch)) {
        dec.frac_digit(ch - '0');
        digits = true;
        c.next();
      } else if (ch == ' ') {
        std::int64_t run = c.blanks();
        if (bz) dec.frac_zeros(run), digits = true;
      } else {
        break;
      }
    }
  }
  bool exponent = false, exponent_digits = false, exponent_negative = false;
  std::int64_t x = 0;
  char ch = c.peek();
  if (ch == 'E' || ch == 'e' || ch == 'D' || ch == 'd') {
    exponent = true;
    c.next();
    c.blanks();
    ch = c.peek();
  }
  if (ch == '+' || ch == '-') {
    exponent = true;
    exponent_negative = ch == '-';
    c.next();
  }
  if (exponent) {
    for (;;) {
      ch = c.peek();
      if (is_digit(ch)) {
        x = exponent_digit(x, ch - '0');
        exponent_digits = true;
        c.next();
      } else if (ch == ' ') {
        std::int64_t run = c.blanks();
        if (bz) {
          exponent_digits = true;
          for (; run > 0 && x != 0 && x < kExpLimit; --run) x = exponent_digit(x, 0);
        }
      } else {
        break;
      }
    }
  }
  if (!digits || !c.at_end()) return kBadRealField;
  if (exponent && !exponent_digits) return kBadExponent;
  // The scale factor acts only on a field without an exponent; implied
  // decimals only on one without a decimal point.
  std::int64_t adjust = exponent_digits ? (exponent_negative ? -x : x) : -std::int64_t{k};
  if (!point) adjust = add_exponent(adjust, -std::int64_t{d});
  T v;
  if (dec.convert(adjust, &v)) return kRealOverflow;
  *out = v;
  return 0;
}

template int parse_real<float>(const Field &, bool, int, int, float *);
template int parse_real<double>(const Field &, bool, int, int, double *);

int parse_logical(const Field &f, std::int32_t *out, char *bad) {
  Cursor c(f);
  c.blanks();
  if (c.peek() == '.') c.next();
  char ch = c.peek();
  if (ch == 'T' || ch == 't' || ch == 'F' || ch == 'f') {
    *out = (ch == 'T' || ch == 't') ? 1 : 0;
    return 0;
  }
  if (c.at_end()) return kNoLogicalValue;
  *bad = ch;
  return kBadLogicalChar;
}

}  // namespace tav::io::input
