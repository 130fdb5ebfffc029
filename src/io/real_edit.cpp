// Output editing of real values: Fw.d, Ew.d[Ee], Dw.d, ENw.d[Ee], ESw.d[Ee]
// and Gw.d[Ee].
//
// Every value is edited in double precision.  The decimal digits come from
// the correctly rounded conversions in io/digits.h.  Each of F and E/D has
// one writer (fixed_into, etype_into), a template over where the field goes:
// fields of the usual widths into one local buffer, the digits converted in
// place (LocalField), any other field through a FieldWriter (StreamField).
// Either way a whole field costs one put-string call however it is made up
// (blanks, sign, digit text, runs of zeros).
//
// Infinities and NaNs are recognised from the bit pattern and never take
// part in floating-point arithmetic or comparisons here, so that writing
// them raises no floating-point exception even when the program traps
// invalid operations.
//
// Counts that depend on w, d, e and the scale factor are worked out in 64
// bits: any int the format interpreter hands over is safe.
#include "io/real_edit.h"

#include <cmath>
#include <cstdint>
#include <cstring>

#include "io/digits.h"
#include "io/edit.h"
#include "io/ioerr.h"
#include "io/record.h"

namespace tav::io {
namespace {

using i64 = std::int64_t;

constexpr std::uint64_t kSignBit = 0x8000000000000000ull;
constexpr std::uint64_t kExponentBits = 0x7FF0000000000000ull;
constexpr std::uint64_t kFractionBits = 0x000FFFFFFFFFFFFFull;

// F converts at most this many decimals; further decimals are zeros.
constexpr int kMaxFixedDecimals = 344;
// E and D convert at most this many digits after the point.
constexpr int kMaxExpDigits = 40;
// EN converts d + 40 digits after the point, but never more than this:
// the exact decimal expansion of a double has at most 767 significant
// digits, so every digit beyond this precision is 0 and is written as part
// of a run of zeros instead of being converted.
constexpr int kMaxEngDigits = 780;

std::uint64_t bits_of(double v) {
  std::uint64_t b;
  std::memcpy(&b, &v, sizeof b);
  return b;
}

// |v| for a finite v: clears the sign bit in an SSE register (andpd), so no
// exception is possible and v does not travel through memory.
double magnitude_of(double v) { return std::fabs(v); }

bool non_finite(std::uint64_t b) { return (b & kExponentBits) == kExponentBits; }
bool is_zero(std::uint64_t b) { return (b & ~kSignBit) == 0; }

// The sign character of a field: '-' when the sign bit is set (so -0.0 and
// negative values that round to zero keep their minus), '+' under SP, or 0.
char sign_of(std::uint64_t b) {
  if (b & kSignBit) return '-';
  return Edit::plus() ? '+' : '\0';
}

// A field of at most kCapacity characters built in one buffer and handed to
// the put-string hook at once: used only where the writer is known to
// produce exactly w characters with w <= kCapacity (a fixed width, not
// inside a complex value of list-directed output); the bounds checks below
// never cut a field then and only guard the buffer.
//
// The digits of a field are converted straight into the buffer, at
// scratch_behind(), and field() writes what comes before them backwards
// from there, so that they are never copied.  Whatever follows is appended.
// fill and text, whose counts come from the field's arithmetic, stop at the
// limit; put is not checked (no writer calls it more than kPuts times for
// one field).  Short runs and exponents are stored as whole words that may
// reach past the end of the field, never into text still to be placed
// (ahead_): the buffer has room for them beyond the limit (kSlack).
class LocalField {
 public:
  static constexpr int kCapacity = 256;
  static constexpr bool kFixedWidth = true;  // see local_width
  // The most characters a digit conversion writes, with one to spare.
  static constexpr int kDigitRoom = 1 + digits::fixed_capacity(kMaxFixedDecimals);

  // Where to convert the text of field(): kCapacity characters from the
  // start, with a word's room before them.
  char *scratch_behind(char *) { return ahead_ = buf_ + kShort + kCapacity; }

  void put(char c) { *end_++ = c; }
  void fill(char c, i64 count) {
    if (count <= 0) return;
    if (count <= kShort && kShort <= ahead_ - end_) {
      store_short(end_, c);
      end_ += count;
      return;
    }
    if (count > limit() - end_) count = limit() - end_;
    if (count <= 0) return;
    std::memset(end_, c, static_cast<std::size_t>(count));
    end_ += count;
  }
  void text(const char *s, i64 count) {
    if (count > limit() - end_) count = limit() - end_;
    if (count <= 0) return;
    std::memmove(end_, s, static_cast<std::size_t>(count));
    end_ += count;
  }
  // The nd decimal digits of v after zeros up to `width` characters: the
  // usual widths are converted in place over a run of zeros.
  void number(std::uint32_t v, i64 width, int nd) {
    if (width <= kNumber && kNumber <= ahead_ - end_) {
      std::memset(end_, '0', kNumber);
      digits::decimal_before(v, end_ + width);
      end_ += width;
      return;
    }
    fill('0', width - nd);
    char b[12];
    digits::decimal_before(v, b + nd);
    text(b, nd);
  }
  // `blanks` blanks, the h characters of head, `head_zeros` zeros, the text
  // of len characters at s, and `zeros` zeros.  A text converted at
  // scratch_behind() stays where it is and the rest goes before it.
  void field(i64 blanks, const char *head, int h, i64 head_zeros, char *s, i64 len, i64 zeros) {
    if (ahead_ == buf_ + kShort + kCapacity && blanks >= 0 && head_zeros >= 0 &&
        blanks + h + head_zeros <= kCapacity) {
      // s is at scratch_behind() or one character after it; len is at most
      // kDigitRoom.
      char *at = s;
      if (head_zeros > 0) {
        at -= head_zeros;
        if (head_zeros <= kShort)
          store_short(s - kShort, '0');
        else
          std::memset(at, '0', static_cast<std::size_t>(head_zeros));
      }
      for (int i = h; i-- > 0;) *--at = head[i];
      begin_ = at - blanks;
      if (blanks <= kShort)
        store_short(at - kShort, ' ');
      else
        std::memset(begin_, ' ', static_cast<std::size_t>(blanks));
      end_ = s + len;
    } else {
      // Not for a field of at most kCapacity characters; kept safe.
      fill(' ', blanks);
      text(head, h);
      fill('0', head_zeros);
      text(s, len);
    }
    ahead_ = buf_ + sizeof buf_;
    fill('0', zeros);
  }
  int finish() { return Record::put(begin_, static_cast<int>(end_ - begin_)); }

 private:
  static constexpr int kPuts = 32;
  static constexpr int kNumber = 16;
  static constexpr int kShort = 8;
  static constexpr int kSlack = kPuts + kNumber;
  static void store_short(char *at, char c) {
    const std::uint64_t run = 0x0101010101010101ull * static_cast<unsigned char>(c);
    static_assert(sizeof run == kShort);
    std::memcpy(at, &run, sizeof run);
  }
  const char *limit() const { return buf_ + sizeof buf_ - kSlack; }
  char buf_[kShort + kCapacity + kDigitRoom + kCapacity + kSlack];
  char *begin_ = buf_;
  char *end_ = buf_;
  // Where text placed later starts: scratch_behind() until field().
  char *ahead_ = buf_ + sizeof buf_;
};

// FieldWriter, for fields of any width, with the interface of LocalField:
// digits are converted in the caller's buffer and copied.
class StreamField : public FieldWriter {
 public:
  static constexpr bool kFixedWidth = false;
  char *scratch_behind(char *own) { return own; }
  void number(std::uint32_t v, i64 width, int nd) {
    fill('0', width - nd);
    char b[12];
    digits::decimal_before(v, b + nd);
    text(b, nd);
  }
  void field(i64 blanks, const char *head, int h, i64 head_zeros, const char *s, i64 len, i64 zeros) {
    fill(' ', blanks);
    text(head, h);
    fill('0', head_zeros);
    text(s, len);
    fill('0', zeros);
  }
};

// Whether a field of width w can be built in a LocalField.
bool local_width(i64 w) { return w >= 1 && w <= LocalField::kCapacity && !Edit::noseparator(); }

// Writes `count` digits starting at index `from` of a digit string whose
// first `real` digits are in `dg` and which continues with zeros.
template <class Out>
void emit_digits(Out &out, const char *dg, i64 real, i64 from, i64 count) {
  if (count <= 0) return;
  if (from < real) {
    i64 n = real - from < count ? real - from : count;
    out.text(dg + from, n);
    count -= n;
  }
  out.fill('0', count);
}

// Number of decimal digits of |x| (1 for 0).
int exponent_digits(i64 x) { return digits::decimal_length(static_cast<std::uint64_t>(x < 0 ? -x : x)); }

// Writes the sign and digits of exponent x with leading zeros up to `width`.
template <class Out>
void emit_exponent(Out &out, i64 x, i64 width) {
  out.put(x < 0 ? '-' : '+');
  char buf[24];
  const int n = digits::decimal_before(static_cast<std::uint64_t>(x < 0 ? -x : x), buf + sizeof buf);
  out.fill('0', width - n);
  out.text(buf + sizeof buf - n, n);
}

// The significant digits and the decimal exponent of a magnitude converted
// with `precision` digits after the point (buf as for digits::significant).
struct Scientific {
  char *digits;
  int count;
  int exponent;
};

Scientific scientific(double magnitude, int precision, char *buf) {
  const int x = digits::significant(magnitude, precision, buf);
  return {buf, precision + 1, x};
}

// Multiplies (k > 0) or divides (k < 0) by 10^|k| in steps of 10^6, 10^3
// and 100 or 10, rounding to double after each step.  Stops early once the
// value has become 0 or infinite.
double apply_scale(double v, int k) {
  i64 r = k < 0 ? -static_cast<i64>(k) : k;
  while (r > 5 && v != 0.0 && v <= 1.7976931348623157e308) {
    v = k > 0 ? v * 1e6 : v / 1e6;
    r -= 6;
  }
  if (r > 5) return v;
  if (r > 2) {
    v = k > 0 ? v * 1e3 : v / 1e3;
    r -= 3;
  }
  if (r == 2) v = k > 0 ? v * 100.0 : v / 100.0;
  if (r == 1) v = k > 0 ? v * 10.0 : v / 10.0;
  return v;
}

// Infinity or NaN.  e is -1 for the F layout (the text ends where the
// integer part of an Fw.d number would end); otherwise the E layout with k
// the scale factor in force.  Without a width (F0.d) and inside a complex
// value of list-directed output the text is written alone.
template <class Out>
void inf_or_nan_into(Out &out, std::uint64_t b, i64 w, i64 d, i64 e, int k) {
  const bool nan = (b & kFractionBits) != 0;
  const char sign = nan ? '\0' : sign_of(b);
  const i64 s = sign ? 1 : 0;
  const char *text = nan ? "NaN" : "INF";
  i64 lead = 0, trail = 0;
  if (Edit::noseparator() || (w == 0 && e == -1)) {
    lead = trail = 0;
  } else if (e == -1) {
    trail = d + 1;
    lead = w - (d + 1) - 3 - s;
  } else {
    lead = w - d - e - 6 - s;
    if (lead < 0) lead = 0;
    if (k > 1) lead += k - 1;
    trail = w - lead - 3 - s;
  }
  if (lead < 0 || trail < 0) {
    out.fill('*', w);
    return;
  }
  out.fill(' ', lead);
  if (sign) out.put(sign);
  out.text(text, 3);
  out.fill(' ', trail);
}

// How an F field fits in w: its digit text (len characters at text, "0."
// first for a magnitude below 1), `extra` zeros after it and a sign of s
// characters.  When the field is one character too wide, the leading zero
// of "0." gives way (text and len are moved past it).  Returns the blanks
// before the field, or -1 for asterisks; 0 with a free width (F0.d, or
// inside a complex value of list-directed output).
[[gnu::always_inline]] inline i64 f_fit(char *&text, i64 &len, i64 extra, int s, i64 w, bool free_width) {
  const i64 field = len + extra + s;
  if (field == w + 1 && len > 2 && text[0] == '0' && text[1] == '.') {
    ++text;
    --len;
    return 0;  // now exactly w
  }
  if (free_width) return 0;
  return field > w ? -1 : w - field;
}

// The writers below take their scale factor k as a template argument K
// where it is known where they are instantiated (0 for F, E and D without a
// scale factor, 1 for ES), so that the usual fields compile to
// straight-line code; kAnyScale takes k as it comes.
constexpr int kAnyScale = INT32_MIN;

// Fw.d with scale factor k, followed by `trail` blanks (G's F editing).
template <class Out, int K>
[[gnu::always_inline]] inline void fixed_into(Out &out, double value, i64 w, i64 d, int scale, i64 trail) {
  const int k = K == kAnyScale ? scale : K;
  const std::uint64_t b = bits_of(value);
  const char sign = sign_of(b);
  const i64 s = sign ? 1 : 0;
  const bool free_width = !Out::kFixedWidth && (w == 0 || Edit::noseparator());
  double mag = magnitude_of(value);
  if (non_finite(b)) {
    inf_or_nan_into(out, b, w, d, -1, k);
  } else if (k != 0 && non_finite(bits_of(mag = apply_scale(mag, k)))) {
    // The scale factor took the value beyond the double range.  Its digits
    // are those of the unscaled value with the point moved k places: the
    // 41 leading digits, then zeros (at least 309 digits before the point).
    char buf[digits::scientific_capacity(kMaxExpDigits)];
    Scientific t = scientific(magnitude_of(value), kMaxExpDigits, buf);
    const i64 int_digits = static_cast<i64>(t.exponent) + k + 1;
    const i64 len = int_digits + 1 + d + s;
    if (!free_width && len > w) {
      out.fill('*', w);
    } else {
      if (!free_width) out.fill(' ', w - len);
      if (sign) out.put(sign);
      emit_digits(out, t.digits, t.count, 0, int_digits);
      out.put('.');
      out.fill('0', d);
    }
  } else {
    // The digits are converted where the writer wants them (in place in a
    // local field), with room for the sign before them.
    const int dc = d > kMaxFixedDecimals ? kMaxFixedDecimals : static_cast<int>(d);
    const i64 extra = d - dc;
    char own[LocalField::kDigitRoom];
    char *text = out.scratch_behind(own) + 1;
    i64 len = digits::fixed(mag, dc, text);
    const i64 blanks = f_fit(text, len, extra, static_cast<int>(s), w, free_width);
    if (blanks < 0) {
      out.fill('*', w);
    } else {
      if (sign) {
        *--text = sign;
        ++len;
      }
      out.field(blanks, "", 0, 0, text, len, extra);
    }
  }
  out.fill(' ', trail);
}

// The rules of the E/D field.  Room: the blanks before the field of
// Ew.d[Ee] with scale factor k and a sign of s characters (0 or 1), e
// already 2 for the default form.  With k <= 0 and no room for it the
// leading zero goes; a negative result means asterisks.  Worked out in 64
// bits: w, d and e may be anything up to INT32_MAX.
struct ERoom {
  i64 room;
  bool leading_zero;
};
ERoom e_room(i64 w, i64 d, i64 e, int k, int s) {
  ERoom r{w - d - e - 4 - s, true};
  if (k <= 0 && r.room < 0) {
    r.leading_zero = false;
    ++r.room;
  }
  return r;
}

// The E/D writer with scale factor k.  Returns 0 or the status of I/O
// error 102 or 103 (nothing is written then).
template <class Out, int K>
[[gnu::always_inline]] inline int etype_into(Out &out, double value, int w, int d, int e, char letter, int scale) {
  const int k = K == kAnyScale ? scale : K;
  const bool default_form = e < 0;
  if (default_form) e = 2;
  if (d < 0) {
    out.fill('*', w);
    return 0;
  }
  if (!(k > -d && static_cast<i64>(k) < static_cast<i64>(d) + 2)) return ioerr(kScaleFactorRange, k, d);
  const std::uint64_t b = bits_of(value);
  if (non_finite(b)) {
    inf_or_nan_into(out, b, w, d, e, k);
    return 0;
  }
  const char sign = sign_of(b);
  const ERoom layout = e_room(w, d, e, k, sign ? 1 : 0);
  if (layout.room < 0) {
    out.fill('*', w);
    return 0;
  }

  // k <= 0: d + k significant digits; k > 0: d + 1.  Both at most d + 1.
  // With 1 <= k <= the digits converted, the first k move one place left
  // and the point follows them.
  const int p = k <= 0 ? d - 1 + k : d;
  const int pc = p > kMaxExpDigits ? kMaxExpDigits : p;
  const bool point_inside = k >= 1 && k <= pc + 1;

  // What comes before the digits: blanks, sign, and "0." or "." with the
  // zeros a negative scale factor puts after the point.
  const i64 blanks = !Out::kFixedWidth && Edit::noseparator() ? 0 : layout.room;
  char head[3] = {};
  int h = 0;
  if (sign) head[h++] = sign;
  if (k <= 0) {
    if (layout.leading_zero) head[h++] = '0';
    head[h++] = '.';
  }
  const i64 point_zeros = k < 0 ? -static_cast<i64>(k) : 0;

  char own[1 + digits::scientific_capacity(kMaxExpDigits)];
  char *const at = out.scratch_behind(own);
  char *const dg = point_inside ? at + 1 : at;
  const int x10 = digits::significant(magnitude_of(value), pc, dg);
  const i64 x = is_zero(b) ? 0 : static_cast<i64>(x10) + 1 - k;

  const std::uint64_t ax = static_cast<std::uint64_t>(x < 0 ? -x : x);
  const int xd = ax < 10 ? 1 : ax < 100 ? 2 : ax < 1000 ? 3 : exponent_digits(x);
  i64 width = e;  // exponent digits, with leading zeros
  bool letter_dropped = false;
  if (default_form) {
    // The letter gives way to a third exponent digit.
    if (xd >= 4) return ioerr(kExponentTooLarge, static_cast<int>(letter));
    letter_dropped = xd == 3;
    if (letter_dropped) width = 3;
  } else if (xd > e) {
    out.fill('*', w);
    return 0;
  }

  if (point_inside) {
    if (k == 1)
      at[0] = dg[0];
    else
      std::memmove(at, dg, static_cast<std::size_t>(k));
    at[k] = '.';
    out.field(blanks, head, h, 0, at, pc + 2, static_cast<i64>(d) - pc);
  } else if (k >= 1) {
    // More digits before the point than were converted: zeros make them up.
    out.field(blanks, head, h, 0, dg, pc + 1, k - (pc + 1));
    out.put('.');
    out.fill('0', static_cast<i64>(d) - k + 1);
  } else {
    out.field(blanks, head, h, point_zeros, dg, pc + 1, p - pc);
  }
  if (!letter_dropped) out.put(letter);
  out.put(x < 0 ? '-' : '+');
  out.number(static_cast<std::uint32_t>(ax), width, xd);
  return 0;
}

// Whether the digits after the first `keep` of dg are 5 followed by zeros.
bool looks_like_tie(const char *dg, i64 real, i64 keep) {
  if (keep >= real || dg[keep] != '5') return false;
  for (i64 i = keep + 1; i < real; ++i)
    if (dg[i] != '0') return false;
  return true;
}

// Rounds the digit string dg (its first `real` digits stored, zeros after
// them) to `keep` significant digits, half to even on an exact tie.  When
// the kept digits were all 9 and round up, the string becomes 1 followed by
// zeros and the function returns true.
bool roundup(char *dg, i64 real, i64 keep) {
  if (keep >= real) return false;
  const char next = dg[keep];
  if (next < '5') return false;
  if (((dg[keep - 1] - '0') & 1) == 0 && looks_like_tie(dg, real, keep)) return false;
  for (i64 i = keep - 1; i >= 0; --i) {
    if (dg[i] != '9') {
      ++dg[i];
      return false;
    }
    dg[i] = '0';
  }
  dg[0] = '1';
  dg[keep] = '0';
  return true;
}

template <class Out, int K>
int etype_field(double value, int w, int d, int e, char letter, int k) {
  Out out;
  if (int st = etype_into<Out, K>(out, value, w, d, e, letter, k)) return st;
  return out.finish();
}

int etype_format(double value, int w, int d, int e, char letter, int k) {
  if (w < 0) return 0;
  if (local_width(w)) {
    if (k == 0) return etype_field<LocalField, 0>(value, w, d, e, letter, k);
    if (k == 1) return etype_field<LocalField, 1>(value, w, d, e, letter, k);
    return etype_field<LocalField, kAnyScale>(value, w, d, e, letter, k);
  }
  return etype_field<StreamField, kAnyScale>(value, w, d, e, letter, k);
}

// Fw.d under scale factor k, and the blanks that follow it when G chose
// F editing.  A width that leaves no room for the F part (fw < 1 in G)
// cannot hold the value.
template <class Out, int K>
int fixed_field(double value, i64 fw, i64 d, int k, i64 trail, i64 w) {
  Out out;
  if (d < 0 || (trail > 0 && fw < 1))
    out.fill('*', w);
  else
    fixed_into<Out, K>(out, value, fw, d, k, trail);
  return out.finish();
}

int fixed_format(double value, i64 fw, i64 d, int k, i64 trail, int w) {
  if (local_width(w)) {
    if (k == 0) return fixed_field<LocalField, 0>(value, fw, d, k, trail, w);
    return fixed_field<LocalField, kAnyScale>(value, fw, d, k, trail, w);
  }
  return fixed_field<StreamField, kAnyScale>(value, fw, d, k, trail, w);
}

// Gw.d chooses F editing with d - s decimals (s = 0 .. d) when the value
// rounded to d significant digits lies in [10^(s-1), 10^s), E editing
// otherwise: the same as comparing the value exactly with the boundaries
// b(s) = 10^s * (0.1 - 0.5 * 10^-(d+1)), since the value at a boundary is
// a tie whose last kept digit is 9 and so rounds up.
//
// The exact answer from the digits themselves, for d >= 1.  Digits
// beyond the 767th of a double are zeros: rounding to more of them
// changes nothing.  (d = 0 has the boundaries 0.05 and 0.5, which the
// table below settles exactly: no double lies between 0.05 and the
// double nearest it.)
i64 g_decimals_exact(double mag, i64 d) {
  const int p = d - 1 > kMaxEngDigits ? kMaxEngDigits : static_cast<int>(d - 1);
  char dg[digits::scientific_capacity(kMaxEngDigits)];
  const i64 s = static_cast<i64>(digits::significant(mag, p, dg)) + 1;
  return s < 0 || s > d ? -1 : d - s;
}

// The boundaries in double, for the usual d: b(0) = 0.1 - 0.05 * 0.1^d,
// each following one ten times the one before, every step rounded.  Their
// relative error is below (d + 5) * 2^-53, far less than kGNear: they
// settle every value but those within kGNear of a boundary, which take
// the exact way.
constexpr double g_boundary_base(int d) {
  double r = 0.05;
  for (int i = 0; i < d && r != 0.0; ++i) r *= 0.1;
  return 0.1 - r;
}

constexpr int kGTableDigits = 30;
constexpr double kGNear = 0x1p-40;
// Each boundary as the zone around it, b(s) (1 -+ kGNear), that holds the
// exact boundary.  Row d: b(-1) = 0, b(0) .. b(d + 1), b(d + 2) = infinity,
// so that the search below needs no bounds; with d = 0 the zones are
// empty.
struct GZone {
  double below = 0.0, above = 0.0;
};
struct GBoundaries {
  GZone z[kGTableDigits + 1][kGTableDigits + 4];
  constexpr GBoundaries() : z() {
    for (int d = 0; d <= kGTableDigits; ++d) {
      double lo = g_boundary_base(d);
      const double near = d == 0 ? 0.0 : kGNear;
      for (int s = 0; s <= d + 1; ++s, lo *= 10.0) z[d][s + 1] = {lo * (1 - near), lo * (1 + near)};
      z[d][d + 3] = {__builtin_inf(), __builtin_inf()};
    }
  }
};
constexpr GBoundaries kGBoundaries;

// g_decimals: the value is too close to a boundary for the table.
constexpr i64 kGExact = -2;

// The decimals of the F editing G chooses for a finite nonzero magnitude,
// -1 for E editing, or kGExact.
i64 g_decimals(double mag, int d, std::uint64_t bits) {
  if (d > kGTableDigits) return kGExact;
  const GZone *z = kGBoundaries.z[d] + 1;
  // Start from the decimal exponent estimated from the binary one (b(j) is
  // close to 10^(j-1)); the loops settle the place among the boundaries.
  const int e2 = static_cast<int>((bits >> 52) & 0x7FF) - 1023;
  int j = ((e2 * 78913) >> 18) + 1;
  if (j < -1) j = -1;
  if (j > d + 1) j = d + 1;
  while (mag < z[j].above) --j;
  while (mag >= z[j + 1].below) ++j;
  // Now mag < the zone of b(j + 1), and above the zone of b(j) unless the
  // second loop stopped in it.  Then b(j) <= mag < b(j + 1), -1 <= j <= d + 1.
  if (mag < z[j].above) return kGExact;
  return j < 0 || j > d ? -1 : d - j;
}

// The field G chose: F editing with fd decimals and the blanks that stand
// in for the exponent part, or E editing (fd < 0).
int g_field(double value, int w, int d, int e, int k, i64 fd) {
  if (fd < 0) return etype_format(value, w, d, e, 'E', k);
  const i64 blanks = e < 0 ? 4 : static_cast<i64>(e) + 2;
  return fixed_format(value, w - blanks, fd, 0, blanks, w);
}

// G next to a boundary, or with a long d: the choice from the digits.
[[gnu::noinline]] int g_field_exact(double value, int w, int d, int e, int k) {
  return g_field(value, w, d, e, k, g_decimals_exact(magnitude_of(value), d));
}

}  // namespace

int format_F(double value, int w, int d) {
  if (w < 0) return 0;
  return fixed_format(value, w, d, Edit::scale(), 0, w);
}

int format_E(double value, int w, int d, int e) { return etype_format(value, w, d, e, 'E', Edit::scale()); }

int format_D(double value, int w, int d, int e) { return etype_format(value, w, d, e, 'D', Edit::scale()); }

int format_EN(double value, int w, int d, int e) {
  const std::uint64_t b = bits_of(value);
  if (non_finite(b) || w < 0 || d < 0) return etype_format(value, w, d, e, 'E', 1);
  const bool default_form = e < 0;
  const i64 ee = default_form ? 2 : e;
  const char sign = sign_of(b);
  FieldWriter out;
  const i64 room = static_cast<i64>(w) - d - ee - 4 - (sign ? 1 : 0);
  if (room < 0) {
    out.fill('*', w);
    return out.finish();
  }

  const int precision = d > kMaxEngDigits - 40 ? kMaxEngDigits : d + 40;
  char buf[digits::scientific_capacity(kMaxEngDigits)];
  Scientific t = scientific(magnitude_of(value), precision, buf);
  // Digits before the point, so that the exponent is a multiple of 3.
  auto lead_digits = [](i64 x) { return x >= 0 ? x % 3 + 1 : (3 - (-x) % 3) % 3 + 1; };
  i64 n = lead_digits(t.exponent);
  if (precision < kMaxEngDigits && looks_like_tie(t.digits, t.count, d + n)) {
    // The converted digits were themselves rounded: only the exact
    // expansion tells a true tie from a value just above or below one.
    t = scientific(magnitude_of(value), kMaxEngDigits, buf);
    n = lead_digits(t.exponent);
  }
  const i64 x = t.exponent;
  i64 exponent;
  if (roundup(t.digits, t.count, d + n)) {
    n = n % 3 + 1;
    exponent = n == 1 ? x + 1 : x - n + 2;
  } else {
    exponent = x - n + 1;
  }

  const int xd = exponent_digits(exponent);
  if (default_form && xd > 2) return ioerr(kExponentTooLarge, static_cast<int>('E'));
  if (xd > ee || room - (n - 1) < 0) {
    out.fill('*', w);
    return out.finish();
  }
  out.fill(' ', room - (n - 1));
  if (sign) out.put(sign);
  emit_digits(out, t.digits, t.count, 0, n);
  out.put('.');
  emit_digits(out, t.digits, t.count, n, d);
  out.put('E');
  emit_exponent(out, exponent, ee);
  return out.finish();
}

int format_G(double value, int w, int d, int e) {
  const int k = Edit::scale();
  const std::uint64_t b = bits_of(value);
  if (non_finite(b) || w < 0 || d < 0) return etype_format(value, w, d, e, 'E', k);
  if (is_zero(b)) return d == 0 ? etype_format(value, w, d, e, 'E', k) : g_field(value, w, d, e, k, d - 1);
  const i64 fd = g_decimals(magnitude_of(value), d, b);
  if (fd == kGExact) return g_field_exact(value, w, d, e, k);
  return g_field(value, w, d, e, k, fd);
}

int stars(int w) {
  FieldWriter out;
  out.fill('*', w);
  return out.finish();
}

int write_real(double value) {
  switch (Edit::letter()) {
    case 'F':
      return format_F(value, Edit::w(), Edit::d());
    case 'D':
      return format_D(value, Edit::w(), Edit::d(), Edit::e());
    case 'G':
      return format_G(value, Edit::w(), Edit::d(), Edit::e());
    case 'E':
      switch (Edit::variant()) {
        case 'N':
          return format_EN(value, Edit::w(), Edit::d(), Edit::e());
        case 'S':
          // ES is E with a scale factor of 1.
          return etype_format(value, Edit::w(), Edit::d(), Edit::e(), 'E', 1);
        default:
          return format_E(value, Edit::w(), Edit::d(), Edit::e());
      }
    default:
      return ioerr(kInvalidRealEdit);
  }
}

}  // namespace tav::io

extern "C" {

int __TAVf90_format_F(double value, int w, int d) { return tav::io::format_F(value, w, d); }
int __TAVf90_format_E(double value, int w, int d, int e) { return tav::io::format_E(value, w, d, e); }
int __TAVf90_stars(int w) { return tav::io::stars(w); }

}  // extern "C"
