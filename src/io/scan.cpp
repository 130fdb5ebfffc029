#include "io/scan.h"

#include <charconv>
#include <cstring>
#include <system_error>
#include <limits>

#include "io/digit_run.h"

namespace tav::io::input {
namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_blank(char c) { return c == ' ' || c == '\t'; }
constexpr unsigned bit(Scanner::Type t) { return t == Scanner::kNull ? 0u : 1u << t; }

}  // namespace

// Consumes the lookahead: the next character of the record, or the blank
// that stands for the end of the record; the record after it is read only
// when that blank is consumed in turn.
int Scanner::advance_slow(Source &src) {
  if (eor_) {
    eor_ = false;
    if (int s = src.next_record()) return s;
  }
  if (src.at_end()) {
    eor_ = true;
    next_ = ' ';
    return 0;
  }
  return src.get(&next_);
}

int Scanner::skip_blanks(Source &src) {
  while (is_blank(next_))
    if (int s = advance(src)) return s;
  return 0;
}

// Blanks, then at most one comma and the blanks after it.
int Scanner::skip_separator(Source &src) {
  if (int s = skip_blanks(src)) return s;
  if (next_ == ',') {
    if (int s = advance(src)) return s;
    return skip_blanks(src);
  }
  return 0;
}

// Whether the value ahead begins with a repeat count "digits*": looks ahead
// in the current record only and goes back, so a count never spans records.
bool Scanner::repeat_exists(Source &src, int *status) {
  *status = 0;
  if (next_ == '/') return false;
  if ((*status = skip_separator(src)) != 0) return false;
  if (!is_digit(next_) || eor_) return false;
  int known = src.digits_then_star();
  if (known >= 0) return known == 1;
  int mark = src.position();
  char c = next_;
  while (!src.at_end()) {
    if ((*status = src.get(&c)) != 0) return false;
    if (!is_digit(c)) break;
  }
  src.set_position(mark);
  return c == '*';
}

// Digits with an optional sign.  The value is exact in ivalue while it
// fits in 64 bits; beyond, the digits go on in the decimal.
int Scanner::read_integer(Source &src, Number &n, bool sign_allowed) {
  bool negative = false;
  n.real_text = false;
  n.have_double = false;
  n.text = nullptr;
  if (sign_allowed && (next_ == '-' || next_ == '+')) {
    negative = next_ == '-';
    if (int s = advance(src)) return s;
  }
  if (!is_digit(next_)) return src.fail(kBadInteger);
  // Up to 2^63 is accumulated (the magnitude of the least integer).
  constexpr std::uint64_t kLimit = std::uint64_t{1} << 63;
  std::uint64_t magnitude = 0;
  bool fits = true;
  if (!eor_) {
    // The first digit and those after it already in the window, as long as
    // no overflow is possible.
    magnitude = src.take_digits(static_cast<unsigned>(next_ - '0'), std::uint64_t{100000000000000000});
    if (int s = advance(src)) return s;
  }
  while (is_digit(next_) && !eor_) {
    unsigned d = static_cast<unsigned>(next_ - '0');
    if (!fits) {
      n.dec.int_digit(static_cast<int>(d));
    } else if (magnitude < kLimit / 10 || (magnitude == kLimit / 10 && d <= kLimit % 10)) {
      magnitude = magnitude * 10 + d;
    } else {
      fits = false;
      n.dec.set_integer(magnitude);
      n.dec.int_digit(static_cast<int>(d));
    }
    if (int s = advance(src)) return s;
  }
  if (fits && !negative && magnitude == kLimit) {
    fits = false;  // 2^63 is too large
    n.dec.set_integer(magnitude);
  }
  n.integer = fits;
  n.magnitude = magnitude;
  n.dec.negative = negative;
  n.ivalue = fits ? (negative ? static_cast<std::int64_t>(0 - magnitude) : static_cast<std::int64_t>(magnitude)) : 0;
  return 0;
}

int Scanner::read_real(Source &src, Number &n, bool imaginary) {
  bool negative = false;
  n.have_double = false;
  n.text = nullptr;
  if (next_ == '-' || next_ == '+') {
    negative = next_ == '-';
    if (int s = advance(src)) return s;
  }
  if (is_digit(next_) && !eor_) {
    if (int s = read_integer(src, n, false)) return s;
    if (!separator(next_)) {
      if (n.integer) n.dec.set_integer(n.magnitude);
      if (int s = read_rest_of_real(src, n, true, imaginary)) return s;
    }
  } else if (next_ == '.' && !eor_) {
    n.dec.clear();
    if (int s = read_rest_of_real(src, n, false, imaginary)) return s;
  } else {
    return src.fail(kBadReal);
  }
  n.dec.negative = negative;
  if (negative) {
    if (n.integer) {
      n.ivalue = -n.ivalue;
    } else {
      // A negative real with an integral value within 64 bits becomes an
      // integer value (so "-9223372036854775808" is one).
      double v;
      n.dec.convert(0, &v);
      n.have_double = true;
      n.as_double = v;
      if (v >= -9223372036854775808.0 && static_cast<double>(static_cast<std::int64_t>(v)) == v) {
        n.integer = true;
        n.ivalue = static_cast<std::int64_t>(v);
      }
    }
  }
  return 0;
}

// After the integer digits (if any): fraction, exponent, and the character
// that must end the number.
int Scanner::read_rest_of_real(Source &src, Number &n, bool digits, bool imaginary) {
  n.integer = false;
  n.real_text = true;
  if (next_ == '.' && !eor_) {
    if (int s = advance(src)) return s;
    while (is_digit(next_) && !eor_) {
      n.dec.frac_digit(next_ - '0');
      digits = true;
      int k;
      for (const char *p = src.take_digit_run(&k); k > 0; --k) n.dec.frac_digit(*p++ - '0');
      if (int s = advance(src)) return s;
    }
  }
  if (!digits) return src.fail(kBadReal);
  std::int64_t x = 0;
  if (!eor_ && (next_ == 'E' || next_ == 'e' || next_ == 'D' || next_ == 'd' || next_ == '+' || next_ == '-')) {
    bool negative = false;
    if (next_ != '+' && next_ != '-') {
      if (int s = advance(src)) return s;
    }
    if (!eor_ && (next_ == '+' || next_ == '-')) {
      negative = next_ == '-';
      if (int s = advance(src)) return s;
    }
    if (!is_digit(next_) || eor_) return src.fail(kBadReal);
    while (is_digit(next_) && !eor_) {
      x = exponent_digit(x, next_ - '0');
      if (int s = advance(src)) return s;
    }
    if (negative) x = -x;
  }
  n.dec.scale10(x);
  if (!separator(next_) && !(imaginary && next_ == ')')) return src.fail(kBadReal);
  return 0;
}

int Scanner::read_complex(Source &src) {
  if (next_ != '(') return src.fail(kBadComplex);
  if (int s = advance(src)) return s;
  if (int s = skip_blanks(src)) return s;
  if (int s = read_real(src, re_, false)) return s;
  if (int s = skip_blanks(src)) return s;
  if (next_ != ',' || eor_) return src.fail(kBadComplex);
  if (int s = advance(src)) return s;
  if (int s = skip_blanks(src)) return s;
  if (int s = read_real(src, num_, true)) return s;
  if (int s = skip_blanks(src)) return s;
  if (next_ != ')' || eor_) return src.fail(kBadComplex);
  if (int s = advance(src)) return s;
  if (!separator(next_)) return src.fail(kBadComplex);
  return 0;
}

// T or F, after an optional point; the rest of the word is ignored.
int Scanner::read_logical(Source &src) {
  if (next_ == '.' && !eor_) {
    if (int s = advance(src)) return s;
  }
  if (eor_ || (next_ != 'T' && next_ != 't' && next_ != 'F' && next_ != 'f')) return src.fail(kBadLogical);
  num_.ivalue = (next_ == 'T' || next_ == 't') ? 1 : 0;
  while (!separator(next_))
    if (int s = advance(src)) return s;
  return 0;
}

void Scanner::store(char c) {
  char *p = static_cast<std::size_t>(len_) < value_->size() ? value_->data()
                                                             : value_->reserve(static_cast<std::size_t>(len_) + 1,
                                                                               static_cast<std::size_t>(len_));
  p[len_++] = c;
}

// An undelimited value runs to the next separator; a delimited one to its
// closing delimiter, across records (a record boundary adds nothing), with
// a doubled delimiter standing for one.
int Scanner::read_character(Source &src) {
  len_ = 0;
  if (next_ != '\'' && next_ != '"') {
    while (!separator(next_)) {
      store(next_);
      if (int s = advance(src)) return s;
    }
    return 0;
  }
  const char q = next_;
  for (;;) {
    if (int s = advance(src)) return s;
    if (eor_) continue;
    if (next_ == q) {
      if (int s = advance(src)) return s;
      if (next_ != q || eor_) return 0;
    }
    store(next_);
  }
}

int Scanner::read_value(Source &src, unsigned accept, int type_error) {
  int s;
  if (accept & bit(kReal)) {
    s = read_real(src, num_, false);
    type_ = num_.integer ? kInteger : kReal;
  } else if (accept & bit(kInteger)) {
    s = read_integer(src, num_, true);
    if (s == 0 && !separator(next_)) s = src.fail(kBadInteger);
    type_ = kInteger;
  } else if (accept & bit(kComplex)) {
    s = read_complex(src);
    type_ = kComplex;
  } else if (accept & bit(kLogical)) {
    s = read_logical(src);
    type_ = kLogical;
  } else {
    s = read_character(src);
    type_ = kCharacter;
  }
  (void)type_error;
  return s;
}

int Scanner::next(Source &src, unsigned accept, int type_error, bool *have, bool quoted_only) {
  int s = find(src, accept, type_error, have, quoted_only);
  // After a condition the record is abandoned.  Otherwise the window stays
  // for the next item; whoever reads the record next in between (a
  // namelist reader) syncs it.
  if (s != 0) src.drop();
  return s;
}

// The usual number, read in one pass over the record in memory (not over
// a window copied from a record that is not): an optional sign
// and at most 18 digits (an integer), or with real_ok also digits, a point,
// digits and an E exponent (a real whose value is comfortably inside the
// range of float), that the window holds up to the separator after it or
// up to the end of the record.  It gives what the character-by-character
// scan gives; whatever else (repeat counts, nulls, slashes, D exponents,
// values across records or beyond the window, extreme values) is left to
// that scan, and nothing has been taken then.
bool Scanner::quick_number(Source &src, bool real_ok) {
  if (eor_ || !src.fill_view()) return false;
  const char *p = src.window_next();
  const char *const end = src.window_end();
  char c = next_;
  while (is_blank(c)) {
    if (p == end) return false;
    c = *p++;
  }
  if (c == ',') {
    if (p == end) return false;
    c = *p++;
    while (is_blank(c)) {
      if (p == end) return false;
      c = *p++;
    }
  }
  // (the value's first character, the lookahead or in the window, is the
  // one before `lead`)
  const char *const lead = p;
  bool negative = false;
  if (c == '-' || c == '+') {
    negative = c == '-';
    if (p == end) return false;
    c = *p++;
  }
  // The number must begin in the window (not at a lookahead handed in from
  // elsewhere), so that its text is there.
  if (!is_digit(c) || p == src.window_next()) return false;
  const char *const first = p - 1;
  // The next character, or the blank that stands for the end of the record.
  bool at_eor = false;
  auto step = [&]() {
    if (p < end) {
      c = *p++;
      return true;
    }
    if (at_eor || !src.record_ends_with_window()) return false;
    c = ' ';
    at_eor = true;
    return true;
  };
  // The integer digits, eight at a time where the window has them.
  std::uint64_t magnitude = 0;
  p = add_digits(first, end, &magnitude, 18);
  if (p - first > 18) return false;
  if (!step()) return false;
  bool real = false;
  if (real_ok && c == '.') {
    real = true;
    if (!step()) return false;
    while (is_digit(c))
      if (!step()) return false;
  }
  if (real_ok && (c == 'E' || c == 'e')) {
    real = true;
    if (!step()) return false;
    if (c == '+' || c == '-')
      if (!step()) return false;
    if (!is_digit(c)) return false;
    while (is_digit(c))
      if (!step()) return false;
  }
  if (!separator(c)) return false;
  const char *const last = at_eor ? p : p - 1;
  Number &n = num_;
  if (real) {
    double v = 0;
    auto r = std::from_chars(first, last, v);
    if (r.ec != std::errc{} || r.ptr != last || !(v == 0 || (v > 1e-37 && v < 1e37))) return false;
    n.text = first;
    n.text_length = static_cast<int>(last - first);
    n.as_double = negative ? -v : v;
    n.have_double = true;
    n.real_text = true;
    // As in read_real: a negative real with an integral value within 64
    // bits is an integer.
    n.integer = negative && v <= 9223372036854775808.0 && static_cast<double>(static_cast<std::int64_t>(-v)) == -v;
    n.ivalue = n.integer ? static_cast<std::int64_t>(-v) : 0;
  } else {
    n.text = nullptr;
    n.have_double = false;
    n.real_text = false;
    n.integer = true;
    n.magnitude = magnitude;
    n.ivalue = negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude);
  }
  n.dec.negative = negative;
  type_ = n.integer ? kInteger : kReal;
  start_ = src.position_of(lead) - 1;
  src.take_to(at_eor ? end : p);
  next_ = c;
  eor_ = at_eor;
  return true;
}

int Scanner::find(Source &src, unsigned accept, int type_error, bool *have, bool quoted_only) {
  *have = false;
  if (repeat_ > 0) {
    // A repeated value (or null) serves this item too.
    --repeat_;
    if (type_ == kNull) return 0;
    if (!(accept & bit(type_))) return src.fail(type_error);
    *have = true;
    return 0;
  }
  if ((accept & bit(kInteger)) && quick_number(src, (accept & bit(kReal)) != 0)) {
    *have = true;
    return 0;
  }
  int s;
  if (repeat_exists(src, &s)) {
    start_ = src.position() - 1;  // (of the lookahead)
    Number count;
    if ((s = read_integer(src, count, false)) != 0) return s;
    if (next_ != '*' || !count.integer || count.ivalue > std::numeric_limits<std::int32_t>::max())
      return src.fail(kRepeatTooLarge);
    if ((s = advance(src)) != 0) return s;
    if (count.ivalue == 0) return src.fail(kZeroRepeat);
    repeat_ = static_cast<std::int32_t>(count.ivalue) - 1;
    if (separator(next_)) {
      type_ = kNull;  // r*: this and the next repeat_ items are null
      return 0;
    }
  } else {
    if (s != 0) return s;
    if (separator(next_)) {
      type_ = kNull;
      return 0;
    }
    if (quoted_only && next_ != '\'' && next_ != '"') return 0;
    start_ = src.position() - 1;
  }
  if ((s = read_value(src, accept, type_error)) != 0) return s;
  *have = true;
  return 0;
}

}  // namespace tav::io::input
