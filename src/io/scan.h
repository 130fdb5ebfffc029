// The list-directed value scanner: separators, repeat counts r*c and r*,
// null values, the slash, and the values of every type, continued across
// records.  It reads through a Source (the current record and the way to
// the next), so a READ statement, an internal record or a namelist reader
// can drive it; it keeps its lookahead and any pending repeated value
// between items.
#pragma once

#include <charconv>
#include <cstdint>
#include <system_error>

#include "io/grow_buffer.h"
#include "io/read_edit.h"

namespace tav::io::input {

// Where the scanner's characters come from: the current record, taken a
// window at a time so that a character costs no call, and the way to the
// next record.  sync() hands back what was taken ahead, so that between
// items the record position is exact.
class Source {
 public:
  bool at_end() { return cur_ == end_ && left() <= 0; }
  // A character already in the window, taken without any call.
  bool buffered() const { return cur_ < end_; }
  char take_buffered() { return *cur_++; }
  // Takes the run of decimal digits at the front of the window; returns it
  // and its length in *n.
  const char *take_digit_run(int *n) {
    const char *p = cur_;
    while (cur_ < end_ && *cur_ >= '0' && *cur_ <= '9') ++cur_;
    *n = static_cast<int>(cur_ - p);
    return p;
  }
  // Takes the decimal digits in the window onto m while m < limit.
  std::uint64_t take_digits(std::uint64_t m, std::uint64_t limit) {
    while (cur_ < end_ && *cur_ >= '0' && *cur_ <= '9' && m < limit) m = m * 10 + static_cast<unsigned>(*cur_++ - '0');
    return m;
  }
  // The next character of the current record (only while !at_end()).
  int get(char *c) {
    if (cur_ == end_) {
      if (int s = fill()) return s;
    }
    *c = *cur_++;
    return 0;
  }
  int position() { return begin_ == end_ ? record_position() : base_ + static_cast<int>(cur_ - begin_); }
  // The record position of a character of the window.
  int position_of(const char *p) const { return base_ + static_cast<int>(p - begin_); }
  void set_position(int p) {
    if (begin_ != end_ && p >= base_ && p <= base_ + static_cast<int>(end_ - begin_)) {
      cur_ = begin_ + (p - base_);
    } else {
      drop();
      seek(p);
    }
  }
  void sync() {
    if (cur_ != end_) seek(position());
    drop();
  }
  void drop() { begin_ = cur_ = end_ = window_; }
  // Whether the characters ahead are digits followed by '*', when the
  // window (with the rest of the record) tells: 1 yes, 0 no, -1 unknown.
  int digits_then_star() {
    const char *p = cur_;
    while (p < end_ && *p >= '0' && *p <= '9') ++p;
    if (p < end_) return *p == '*' ? 1 : 0;
    return left() <= 0 ? 0 : -1;
  }
  int next_record() {
    drop();
    return advance_record();
  }
  // The window itself, for a scan that reads ahead in it and then takes
  // what it used (take_to); and whether the record ends with the window.
  const char *window_next() const { return cur_; }
  const char *window_end() const { return end_; }
  void take_to(const char *p) { cur_ = p; }
  bool record_ends_with_window() { return left() <= 0; }
  // Whether the window is the rest of the record in memory, which an empty
  // window becomes here when the record is in memory.
  bool fill_view() {
    if (cur_ != end_) return begin_ != window_;
    const int n = left();
    if (n <= 0) return false;
    const int at = record_position();
    const char *p = view(n);
    if (p == nullptr) return false;
    base_ = at;
    begin_ = cur_ = p;
    end_ = p + n;
    return true;
  }
  // Reports an error of the scanner's own; returns the status to pass on.
  virtual int fail(int code) = 0;

 protected:
  ~Source() = default;
  // Characters of the current record not yet taken.
  virtual int left() = 0;
  virtual int take(char *dst, int n) = 0;
  virtual int record_position() = 0;
  virtual void seek(int p) = 0;
  // Makes the next record current; nonzero at the end of the file.
  virtual int advance_record() = 0;
  // The next n characters of the record where they stand, taken, when the
  // record is in memory; else null (they are then copied with take).
  virtual const char *view(int n) {
    (void)n;
    return nullptr;
  }

 private:
  int fill() {
    if (fill_view()) return 0;
    int n = left();
    if (n > kWindow) n = kWindow;
    base_ = record_position();
    drop();
    if (int s = take(window_, n)) return s;
    end_ = window_ + n;
    return 0;
  }
  static constexpr int kWindow = 64;
  char window_[kWindow];
  const char *begin_ = window_, *cur_ = window_, *end_ = window_;
  int base_ = 0;
};

// A number as read: an integer, or a decimal kept exactly so that each
// item rounds it once to its own kind.
struct Number {
  bool integer;          // ivalue holds it exactly
  std::int64_t ivalue;
  std::uint64_t magnitude;  // of the digits read by the integer reader
  Decimal dec;           // the digits read (also for an integer)
  // The value as a REAL of kind T; a zero written with a minus sign ("-0",
  // "-0.0") is a negative zero.
  template <typename T>
  T as() {
    if (integer && !real_text) return ivalue == 0 && dec.negative ? -T(0) : static_cast<T>(ivalue);
    T v;
    if (sizeof(T) == sizeof(double) && have_double)
      v = static_cast<T>(as_double);
    else if (text != nullptr)
      v = from_text<T>();
    else
      dec.convert(0, &v);
    return v;
  }
  bool real_text;        // written as a real
  bool have_double;      // as_double holds the value converted already
  double as_double;
  // A real read by the quick scan: its digits (without the sign) where they
  // stand in the record, valid until the scanner moves on; dec is not set.
  // Its value is well inside the range of float as well.
  const char *text = nullptr;
  int text_length = 0;

 private:
  template <typename T>
  T from_text() {
    T v{};
    if (std::from_chars(text, text + text_length, v).ec != std::errc{}) v = static_cast<T>(as_double);
    return dec.negative ? -v : v;
  }
};

class Scanner {
 public:
  enum Type { kNone = 0, kInteger = 1, kReal = 2, kComplex = 3, kLogical = 4, kCharacter = 5, kNull = 666 };

  // `value`: where character values are assembled, working storage kept
  // from one statement to the next.
  constexpr explicit Scanner(GrowBuffer &value) : value_(&value) {}
  Scanner(const Scanner &) = delete;
  Scanner &operator=(const Scanner &) = delete;

  void start() {
    next_ = ',';
    eor_ = false;
    repeat_ = 0;
  }
  void sync_in(char c) {
    next_ = c;
    repeat_ = 0;
    eor_ = false;
  }
  char lookahead() const { return next_; }
  std::int32_t pending_repeat() const { return repeat_; }

  // Finds the value for the next item that accepts `accept` values (a bit
  // per Type).  Returns a status; *have says whether a value is there
  // (false: null, the item keeps its value).  `quoted_only`: a character
  // value must begin with a delimiter (namelist).
  int next(Source &src, unsigned accept, int type_error, bool *have, bool quoted_only = false);

  // The value found (valid after next() gave one).
  Type type() const { return type_; }
  Number &number() { return num_; }
  Number &real_part() { return re_; }
  Number &imag_part() { return num_; }
  bool logical() const { return num_.ivalue != 0; }
  const char *chars() const { return value_->data(); }
  std::int32_t length() const { return len_; }
  // The record position where the last value (or its repeat count) began:
  // where a condition in it is located.
  int value_start() const { return start_; }

  // Whether the lookahead ends a value: blank, tab, comma, slash (the end
  // of the record reads as a blank).
  static bool separator(char c) { return c == ' ' || c == '\t' || c == ',' || c == '/'; }

 private:
  int find(Source &src, unsigned accept, int type_error, bool *have, bool quoted_only);
  int advance(Source &src) {
    if (!eor_ && src.buffered()) {
      next_ = src.take_buffered();
      return 0;
    }
    return advance_slow(src);
  }
  int advance_slow(Source &src);
  int skip_blanks(Source &src);
  int skip_separator(Source &src);
  bool repeat_exists(Source &src, int *status);
  int read_integer(Source &src, Number &n, bool sign_allowed);
  int read_real(Source &src, Number &n, bool imaginary);
  int read_rest_of_real(Source &src, Number &n, bool digits, bool imaginary);
  int read_complex(Source &src);
  int read_logical(Source &src);
  int read_character(Source &src);
  int read_value(Source &src, unsigned accept, int type_error);
  bool quick_number(Source &src, bool real_ok);
  void store(char c);

  char next_ = ',';
  bool eor_ = false;
  std::int32_t repeat_ = 0;
  Type type_ = kNone;
  Number num_{};
  Number re_{};
  GrowBuffer *value_;
  std::int32_t len_ = 0;
  int start_ = 0;
};

}  // namespace tav::io::input

namespace tav::io {

// The scanner's source in a READ statement: the statement's record, through
// the hooks its begin call installed (io/read_items.cpp).
class HookSource final : public input::Source {
 public:
  int fail(int code) override;

 private:
  int left() override;
  int take(char *dst, int n) override;
  int record_position() override;
  void seek(int p) override;
  int advance_record() override;
  const char *view(int n) override;
};

// Starts the scanner for a list-directed READ (the begin call's set-up).
int init_linput();

}  // namespace tav::io
