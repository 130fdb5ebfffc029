// List-directed output: one routine per item type and kind, each writing
// its value after a separating blank, starting a new record when the value
// would not leave the record's last column free.  Namelist output uses the
// same routines.
#include "io/list_write.h"

#include <cmath>
#include <cstdint>
#include <cstring>

#include "io/digits.h"
#include "io/real_edit.h"
#include "io/record.h"
#include "tavf90.h"

namespace tav::io {
namespace {

struct ListState {
  static int &noseparator() { return __TAVf90_noseparator; }
  static int &last_was_char() { return __TAVf90_last_was_char; }
};

// The separator step for a value of n characters: unless inside a complex
// value, ends the record when the value and its blank would reach the last
// column.  Sets `blank` when the value is to be preceded by one; the caller
// writes it together with the value.
int separate(std::int64_t n, bool &blank) {
  blank = false;
  if (ListState::noseparator()) return 0;
  if (Record::position() + n + 1 >= Record::buflen())
    if (int s = Record::end_record()) return s;
  blank = true;
  return 0;
}

// Writes `text` (n characters, with room for one more in front) after the
// separator step, in a single run.
int put_value(char *text, int n) {
  ++statement.where.item;
  bool blank;
  if (int s = separate(n, blank)) return s;
  ListState::last_was_char() = 0;
  return blank ? Record::put(text - 1, n + 1) : Record::put(text, n);
}

int putlls(std::int64_t value, char *buf) {
  char *p = buf;
  std::uint64_t magnitude = static_cast<std::uint64_t>(value);
  if (value < 0) {
    *p++ = '-';
    magnitude = 0u - magnitude;
  }
  p += digits::decimal(magnitude, p);
  *p = '\0';
  return static_cast<int>(p - buf);
}

// The list-directed layout of a real value: F or E form, width and
// exponent digits (e = 0 for the F form).
struct RealForm {
  int w, d, e;
};

RealForm single_form(float value) {
  double a = std::fabs(static_cast<double>(value));
  if (a >= 0.1 && a < 100.0) return {11, 7, 0};
  return {15, 7, 2};
}

// The exponent the E form of a shows with 17 significant digits.
int decimal_exponent(double a) {
  char dg[digits::scientific_capacity(16)];
  return digits::significant(a, 16, dg);
}

RealForm double_form(double value) {
  double a = std::fabs(value);
  if (a >= 0.1 && a < 100.0) return {20, 16, 0};
  int e = 2;
  if (a < 9.999999995e-100 || a >= 9.999999995e99) {
    e = 3;
  } else if (a < 1.000001e-99) {
    // Below 1.0e-99 the exponent has three digits unless the rounding to
    // 17 digits carries the value up to 1.0e-99.
    if (decimal_exponent(a) <= -100) e = 3;
  }
  return {24, 16, e};
}

// Writes the field of one real value (the separator already done).
int real_field(double value, RealForm form) {
  int &scale = __TAVf90_current_scale;
  int saved = scale;
  int status;
  if (form.e == 0) {
    scale = 0;
    status = format_F(value, form.w, form.d);
  } else {
    scale = 1;
    status = format_E(value, form.w, form.d, form.e);
  }
  scale = saved;
  return status;
}

int write_real_value(double value, RealForm form) {
  ++statement.where.item;
  bool blank;
  if (int s = separate(form.w + 1, blank)) return s;
  if (blank)
    if (int s = Record::put(' ')) return s;
  if (int s = real_field(value, form)) return s;
  ListState::last_was_char() = 0;
  return 0;
}

int complex_parts(double re, RealForm fre, double im, RealForm fim) {
  int &noseparator = ListState::noseparator();
  bool blank;
  if (fre.w + fim.w + 3 < Record::buflen()) {
    if (int s = separate(fre.w + fim.w + 3, blank)) return s;
    const char *open = blank ? " (" : "(";
    if (int s = Record::put(open, blank ? 2 : 1)) return s;
    noseparator = 1;
    if (int s = real_field(re, fre)) return s;
    if (int s = Record::put(',')) return s;
    if (int s = real_field(im, fim)) return s;
  } else {
    // The value cannot fit in one record: the imaginary part goes to the
    // start of the next.
    if (int s = separate(fre.w + 2, blank)) return s;
    const char *open = blank ? " (" : "(";
    if (int s = Record::put(open, blank ? 2 : 1)) return s;
    noseparator = 1;
    if (int s = real_field(re, fre)) return s;
    if (int s = Record::put(',')) return s;
    if (int s = Record::end_record()) return s;
    if (int s = real_field(im, fim)) return s;
  }
  return Record::put(')');
}

// A complex value.  noseparator goes back to 0 after the parts, also when
// one of them failed: the statements that follow, formatted ones included,
// do not reset it.
int write_complex(double re, RealForm fre, double im, RealForm fim) {
  ++statement.where.item;
  const int status = complex_parts(re, fre, im, fim);
  ListState::noseparator() = 0;
  if (status == 0) ListState::last_was_char() = 0;
  return status;
}

// Characters left before the record's last column.
inline int room() { return Record::buflen() - 1 - Record::position(); }

int write_delimited(const char *text, int length, char delim) {
  if (int s = Record::put(delim)) return s;
  while (length > 0) {
    if (room() <= 0)
      if (int s = Record::end_record()) return s;
    int r = room();
    int chunk = length < r ? length : (r > 0 ? r : 1);
    // A delimiter inside the value ends the run; it is written twice.
    const void *hit = std::memchr(text, delim, static_cast<std::size_t>(chunk));
    if (hit != nullptr) chunk = static_cast<int>(static_cast<const char *>(hit) - text) + 1;
    if (int s = Record::put(text, chunk)) return s;
    text += chunk;
    length -= chunk;
    if (hit != nullptr) {
      if (room() <= 0)
        if (int s = Record::end_record()) return s;
      if (int s = Record::put(delim)) return s;
    }
  }
  return Record::put(delim);
}

int write_undelimited(const char *text, int length) {
  while (length > 0) {
    if (room() <= 0) {
      if (int s = Record::end_record()) return s;
      if (int s = Record::put(' ')) return s;
    }
    int r = room();
    int chunk = length < r ? length : (r > 0 ? r : 1);
    if (int s = Record::put(text, chunk)) return s;
    text += chunk;
    length -= chunk;
  }
  ListState::last_was_char() = 1;
  return 0;
}

}  // namespace

int init_loutput() {
  ListState::last_was_char() = 0;
  ListState::noseparator() = 0;
  Record::top() = -1;
  return 0;
}

int list_integer(std::int32_t value) {
  ++statement.where.item;
  auto bits = static_cast<std::uint32_t>(value);
  const std::uint32_t magnitude = value < 0 ? 0u - bits : bits;
  const int n = digits::decimal_length(magnitude) + (value < 0 ? 1 : 0);
  bool blank;
  if (int s = separate(n, blank)) return s;
  ListState::last_was_char() = 0;
  const int total = n + (blank ? 1 : 0);
  if (char *dst = Record::reserve(total)) {
    // In place in the record of an external WRITE.
    digits::decimal_before(magnitude, dst + total);
    if (value < 0) dst[total - n] = '-';
    if (blank) dst[0] = ' ';
    Record::advance(total);
    return 0;
  }
  // Built from the right with the separating blank in front.
  char buf[16];
  char *end = buf + sizeof buf;
  digits::decimal_before(magnitude, end);
  if (value < 0) end[-n] = '-';
  end[-n - 1] = ' ';
  return Record::put(end - total, total);
}

int list_integer8(std::int64_t value) {
  char buf[24];
  buf[0] = ' ';
  int n = putlls(value, buf + 1);
  return put_value(buf + 1, n);
}

int list_logical(std::int32_t value) {
  char buf[2] = {' ', value != 0 ? 'T' : 'F'};
  return put_value(buf + 1, 1);
}

int list_real(float value) { return write_real_value(value, single_form(value)); }
int list_double(double value) { return write_real_value(value, double_form(value)); }
int list_complex(float re, float im) { return write_complex(re, single_form(re), im, single_form(im)); }
int list_dcomplex(double re, double im) { return write_complex(re, double_form(re), im, double_form(im)); }

int list_character(const char *text, std::int32_t length) {
  ++statement.where.item;
  if (length < 0) length = 0;
  int delim = Record::delim();
  if (delim != 0 || ListState::last_was_char() == 0) {
    bool blank;
    if (int s = separate(1, blank)) return s;
    if (blank)
      if (int s = Record::put(' ')) return s;
  }
  if (delim != 0) return write_delimited(text, length, delim == 1 ? '"' : '\'');
  return write_undelimited(text, length);
}

}  // namespace tav::io

using namespace tav::io;

extern "C" {

int __TAVf90_init_loutput(void) { return init_loutput(); }

int __TAVf90_putlls(int64_t value, char *buf) { return putlls(value, buf); }

int __TAVf90_value_separator(int32_t n) {
  bool blank;
  if (int s = separate(n, blank)) return s;
  return blank ? Record::put(' ') : 0;
}

int __TAVf90_lwrite_i(int32_t value) { return list_integer(value); }
int __TAVf90_lwrite_i1(int8_t value) { return list_integer(value); }
int __TAVf90_lwrite_i2(int16_t value) { return list_integer(value); }
int __TAVf90_lwrite_i4(int64_t value) { return list_integer8(value); }

int __TAVf90_lwrite_l(int32_t value) { return list_logical(value); }
int __TAVf90_lwrite_l1(int8_t value) { return list_logical(value); }
int __TAVf90_lwrite_l2(int16_t value) { return list_logical(value); }
int __TAVf90_lwrite_l4(int64_t value) {
  return list_logical(static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(value))));
}

int __TAVf90_lwrite_r(float value) { return list_real(value); }
int __TAVf90_lwrite_d(double value) { return list_double(value); }

int __TAVf90_lwrite_c(float re, float im) { return list_complex(re, im); }
int __TAVf90_lwrite_dc(double re, double im) { return list_dcomplex(re, im); }

int __TAVf90_lwrite_ch(const char *text, int32_t length) { return list_character(text, length); }

}  // extern "C"
