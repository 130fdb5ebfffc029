// The format interpreter.  The format text is walked in place, one call per
// data edit descriptor: control edit descriptors act on the record as they
// are met, a data edit descriptor is left in the current edit for the
// conversion, and repeated descriptors are handed over again by a count
// without rescanning.  Nothing is compiled or allocated; the position in
// the format is part of the statement state, reset by every begin call and
// set up by establish_format.
#include "io/format.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "io/edit.h"
#include "io/ioerr.h"
#include "io/record.h"
#include "io/statement.h"
#include "tavf90.h"

namespace tav::io {
namespace {

// Codes of the format errors (100 + their index in the error table).
enum : int {
  kNoLeftParen = 115,
  kNoRightParen = 116,
  kNoDataAfterReversion = 117,
  kNestedTooDeeply = 118,
  kUnexpectedEnd = 119,
  kExpectedInteger = 120,
  kZeroWidth = 121,
  kExpectedPoint = 122,
  kExpectedP = 123,
  kExpectedNorZ = 124,
  kInvalidDescriptor = 125,
  kRepeatWithoutDescriptor = 126,
  kRepeatOnSign = 127,
  kRepeatOnBlank = 128,
  kMissingHLength = 129,
  kRepeatOnString = 130,
  kNoXSpacing = 131,
  kRepeatOnPosition = 132,
  kStringOnInput = 133,
  kUnterminatedString = 137,
  kScaleThenRepeat = 217,
};

constexpr int kMaxDepth = kMaxFormatDepth;
constexpr std::int64_t kMaxInt = INT32_MAX;

// The interpreter's place in the format, kept in the statement state.
constexpr FormatPosition &f = statement.format;

inline bool is_digit(char c) { return c >= '0' && c <= '9'; }
inline char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
inline int as_arg(char c) { return static_cast<unsigned char>(c); }
inline void set_letter(char c) { __TAVf90_current_edit[0] = c; }

// Blanks are insignificant outside character strings.  Never runs past the
// text.
inline void skip_blanks() {
  while (f.current <= f.last && *f.current == ' ') ++f.current;
}

// The scan has left the text without meeting the outermost ')'.
inline bool past_end() {
  return f.current > f.end || (f.current == f.end && (f.current > f.last || *f.current != ')'));
}

// Skips blanks; the scan must still be inside the format.
int nonblank() {
  if (f.current < f.end && *f.current != ' ') return 0;
  skip_blanks();
  return past_end() ? ioerr(kNoRightParen) : 0;
}

// Reads an unsigned integer literal (blanks between digits are ignored).  A
// value beyond the 32-bit range is not an integer this format can use.
int value(int &dest, bool nonzero) {
  skip_blanks();
  if (past_end()) return ioerr(kNoRightParen);
  if (f.current == f.end) return ioerr(kUnexpectedEnd);
  if (!is_digit(*f.current)) return ioerr(kExpectedInteger);
  std::int64_t v = 0;
  while (is_digit(*f.current)) {
    v = v * 10 + (*f.current - '0');
    if (v > kMaxInt) return ioerr(kExpectedInteger);
    ++f.current;
    // Inside the text and not at a blank, the checks below cannot fire.
    if (f.current < f.end && *f.current != ' ') continue;
    skip_blanks();
    if (past_end()) return ioerr(kNoRightParen);
  }
  if (v == 0 && nonzero) return ioerr(kZeroWidth);
  dest = static_cast<int>(v);
  return 0;
}

inline int clamp_position(std::int64_t p) {
  return p > kMaxInt ? static_cast<int>(kMaxInt) : static_cast<int>(p);
}

// Opens a group repeated r times whose text starts at `inside`.
inline void enter_group(const char *inside, int r) {
  const int d = ++f.nesting;
  f.left_paren[d] = inside;
  f.fmt_repeat[d] = r;
  f.actions_at[d] = f.actions;
  f.pass_start[d] = Record::position();
  f.pass_shift[d] = 0;
  if (d == 1) {
    f.revert_point = inside;
    f.revert_nest = 1;
    f.revert_repeat = r;
  }
}

// A pass over the group at depth d that met no data edit, string or record
// end has only moved the position.  X, TR, TL and T each map a position p
// to min(max(p + c, lo), hi) for constants c and lo <= hi, and so does a
// whole pass.  So the passes left either leave the position where it is
// (once a pass moved it by 0), or, once two passes in a row moved it by the
// same nonzero amount, move it by that amount each until it is held at lo
// or hi.  The position then jumps to where the next-to-last pass would
// leave it (kept within the range positions take) and only the last pass
// is walked: it ends at the bound if one was reached.  Returns whether the
// group is walked again.
[[gnu::noinline]] bool repeat_positioning(int d) {
  const int p = Record::position();
  const std::int64_t shift = static_cast<std::int64_t>(p) - f.pass_start[d];
  if (shift == 0) return false;
  if (shift == f.pass_shift[d] && f.fmt_repeat[d] > 1) {
    std::int64_t to = p + (static_cast<std::int64_t>(f.fmt_repeat[d]) - 1) * shift;
    if (to < Record::left_tab_limit()) to = Record::left_tab_limit();
    Record::position() = clamp_position(to);
    f.fmt_repeat[d] = 1;
  }
  f.pass_shift[d] = shift;
  f.pass_start[d] = Record::position();
  return true;
}

// At the ')' of the group at depth d: whether it is walked again.
inline bool repeat_group(int d) {
  return --f.fmt_repeat[d] > 0 && (f.actions != f.actions_at[d] || repeat_positioning(d));
}

// Moves the record from `from` to the current position: blanks on output;
// on input the characters are taken and dropped, except that beyond the end
// of a padded record there is nothing to take.
int position_file_from(int from, int mode) {
  int to = Record::position();
  Record::position() = from;
  if (mode == TAV_MODE_OUTPUT) {
    FieldWriter out;
    out.fill(' ', static_cast<std::int64_t>(to) - from);
    return out.finish();
  }
  for (std::int64_t i = from; i < to; ++i) {
    if (Record::pad() && i >= Record::reclen()) break;
    char c;
    if (int s = Record::get(&c)) return s;
  }
  return 0;
}

// Carries out positioning that was asked for (X, T) but not yet acted on.
inline int pending_positioning(int reached, int mode) {
  return reached < Record::position() ? position_file_from(reached, mode) : 0;
}

// Ends the record, keeping everything written in it even after a tab to
// the left.
int slash_edit() {
  if (Record::top() > Record::position()) Record::position() = Record::top();
  if (int s = Record::end_record()) return s;
  if (Record::top() > 0) Record::top() = Record::position();
  return 0;
}

// A quoted string: puts each run between doubled delimiters at once.  The
// last character of the text cannot belong to a string (it must be the
// closing parenthesis).
int char_edit(char delim) {
  const char *run = f.current;
  for (;;) {
    if (f.current >= f.end) {
      if (int s = Record::put(run, static_cast<int>(f.current - run))) return s;
      return ioerr(kUnterminatedString);
    }
    if (*f.current == delim) {
      bool doubled = f.current + 1 <= f.end && f.current + 1 <= f.last && f.current[1] == delim;
      // A doubled delimiter puts one delimiter character.
      if (int s = Record::put(run, static_cast<int>(f.current - run) + (doubled ? 1 : 0))) return s;
      f.current += doubled ? 2 : 1;
      if (!doubled) return 0;
      run = f.current;
      continue;
    }
    ++f.current;
  }
}

// nH: the next n characters of the format, whatever they are.
int h_edit(int n) {
  if (f.end - f.current < n) return ioerr(kUnterminatedString);
  const char *s = f.current;
  f.current += n;
  return Record::put(s, n);
}

// Decodes what follows the letter of a data edit descriptor -- Iw[.m],
// Bw[.m], Ow[.m], Zw[.m], Fw.d, Dw.d, E[N|S]w.d[Ee], Gw.d[Ee], Lw, A[w] --
// through the reader `in`, and makes it the current edit (what the
// descriptor does not set stays as it was: F leaves e, I leaves d and e).
// The reader is the fast scan's (no blanks, numbers of at most nine
// digits; whatever else it meets is left to the general scan) or the
// general scan's (blanks anywhere, every error reported).  The widths of
// I, B, O, Z, F and D may be 0 on output only.  Returns 0, or the reader's
// status with the current edit unchanged; any other letter is the
// reader's not_data().
template <class In>
[[gnu::always_inline]] inline int decode_data_edit(In &in, char letter, bool input) {
  int w = 0, d = 0, e = -1, m = 1;
  switch (letter) {
    case 'I':
    case 'B':
    case 'O':
    case 'Z':
      if (int s = in.number(w, input)) return s;
      if (in.skip('.'))
        if (int s = in.number(m, false)) return s;
      __TAVf90_m = m;
      break;
    case 'D':
    case 'F':
      if (int s = in.number(w, input)) return s;
      if (!in.skip('.')) return in.fail(kExpectedPoint);
      if (int s = in.number(d, false)) return s;
      if (letter == 'D') __TAVf90_e = -1;
      __TAVf90_d = d;
      break;
    case 'E':
    case 'G': {
      char variant = '\0';
      if (letter == 'E')
        if (int s = in.variant(variant)) return s;
      if (int s = in.number(w, true)) return s;
      if (!in.skip('.')) return in.fail(kExpectedPoint);
      if (int s = in.number(d, false)) return s;
      if (in.skip('E'))
        if (int s = in.number(e, true)) return s;
      if (letter == 'E') __TAVf90_current_edit[1] = variant;
      __TAVf90_d = d;
      __TAVf90_e = e;
      break;
    }
    case 'L':
      if (int s = in.number(w, true)) return s;
      break;
    case 'A':
      if (int s = in.width(w)) return s;
      break;
    default:
      return in.not_data(letter);
  }
  set_letter(letter);
  __TAVf90_w = w;
  return 0;
}

// The general scan's reader, at f.current.
struct GeneralReader {
  int number(int &dest, bool nonzero) { return value(dest, nonzero); }
  // Takes c (a letter in either case) if it is next.
  bool skip(char c) {
    if (upper(*f.current) != c) return false;
    ++f.current;
    return true;
  }
  int fail(int code) { return ioerr(code); }
  int not_data(char letter) { return ioerr(kInvalidDescriptor, as_arg(letter)); }
  int variant(char &v) {
    if (int s = nonblank()) return s;
    const char sub = upper(*f.current);
    v = sub == 'N' || sub == 'S' ? sub : '\0';
    if (v) ++f.current;
    return 0;
  }
  int width(int &w) {
    if (int s = nonblank()) return s;
    return is_digit(*f.current) ? value(w, true) : 0;
  }
};

// The common part of a format -- descriptors, commas and parentheses
// written without blanks, with numbers of at most nine digits -- decoded
// without the general scan.  Each element is checked completely before any
// state is changed, so that whatever is not recognised (blanks, control
// edits, strings, anything erroneous, the end of the text) is left to the
// general scan from the start of that element, which then behaves exactly
// as if it had scanned everything itself.  Returns true when a data edit or
// the end of the format was reached (status in `status`); false with
// f.current at the element to scan generally.  The elements it decodes
// never move the record position, so no positioning is ever pending when
// it stops: the record's reached point is never behind the position at
// the start of a scan.
class FastScan {
 public:
  explicit FastScan(bool input) : end_(f.end), input_(input) {}

  [[gnu::always_inline]] bool run(int &status) {
    const char *p = f.current;
    for (;;) {
      // The element starts inside the text at a non-blank, or at the
      // outermost right parenthesis.
      if (p < end_) {
        if (*p == ' ') break;
      } else if (p > end_ || *p != ')') {
        break;
      }
      int r = 1;
      int r_present = 0;
      const char *q = p;
      if (is_digit(*q)) {
        // A repeat count, which must be followed by a descriptor or a group.
        if (!number(q, end_, r, true) || q == end_) break;
        r_present = 1;
      }
      const char letter = upper(*q);
      const char *s = q + 1;  // after the letter
      switch (letter) {
        case '(': {
          if (f.nesting == kMaxDepth) goto general;
          f.r = r;
          f.r_present = r_present;
          set_letter('(');
          enter_group(s, r);
          p = s;
          continue;
        }
        case ')': {
          if (r_present) goto general;
          f.r_present = 0;
          f.r = 1;
          set_letter(')');
          if (f.nesting == 0) {
            f.current = f.end = s;
            f.exhausted = true;
            status = 0;
            return true;
          }
          const int d = f.nesting;
          if (repeat_group(d))
            p = f.left_paren[d];
          else {
            --f.nesting;
            p = s;
          }
          continue;
        }
        case ',':
          if (r_present) goto general;
          f.r = 1;
          f.r_present = 0;
          set_letter(',');
          p = s;
          continue;
        default: {
          Reader in{s, end_};
          if (decode_data_edit(in, letter, input_) != 0) goto general;
          commit(r, r_present, in.p);
          break;
        }
      }
      // A data edit descriptor is ready.
      ++f.actions;
      status = 0;
      return true;
    general:
      f.current = p;
      return false;
    }
    f.current = p;
    return false;
  }

 private:
  // An unsigned number of one to nine digits at p, inside the text, that
  // ends at a non-blank inside the text or at the outermost right
  // parenthesis; a zero is refused where `nonzero`.  Advances p past it.
  static bool number(const char *&p, const char *end_, int &dest, bool nonzero) {
    const char *q = p;
    if (q >= end_ || !is_digit(*q)) return false;
    int v = *q++ - '0';
    while (q < end_ && is_digit(*q)) {
      if (q - p == 9) return false;
      v = v * 10 + (*q++ - '0');
    }
    if ((q == end_ && *q != ')') || *q == ' ') return false;
    if (nonzero && v == 0) return false;
    dest = v;
    p = q;
    return true;
  }

  // The fast scan's reader for decode_data_edit: kNotMine for anything it
  // leaves to the general scan.
  static constexpr int kNotMine = INT32_MIN;
  struct Reader {
    const char *p;
    const char *const end;
    int number(int &dest, bool nonzero) { return FastScan::number(p, end, dest, nonzero) ? 0 : kNotMine; }
    bool skip(char c) {
      if (upper(*p) != c) return false;
      ++p;
      return true;
    }
    int fail(int) { return kNotMine; }
    int not_data(char) { return kNotMine; }
    int variant(char &v) {
      if (p >= end || *p == ' ') return kNotMine;
      const char sub = upper(*p);
      v = sub == 'N' || sub == 'S' ? sub : '\0';
      if (v) ++p;
      return 0;
    }
    int width(int &w) {
      if (p > end || (p == end && *p != ')') || *p == ' ') return kNotMine;
      return is_digit(*p) ? number(w, true) : 0;
    }
  };

  static void commit(int r, int r_present, const char *next) {
    f.r = r;
    f.r_present = r_present;
    f.current = next;
  }

  const char *const end_;
  const bool input_;
};

// The general scan, from f.current to the next data edit descriptor, a
// colon or the end of the format.  `reached`: how far the record has been
// written or read when the scan starts.
[[gnu::noinline]] int scan_next_edit(int mode, int reached, const bool output) {
  for (;;) {
    if (int s = nonblank()) return s;
    if (is_digit(*f.current)) {
      int n = 0;
      if (int s = value(n, false)) return s;
      if (upper(*f.current) == 'P') {
        Edit::scale() = n;
        ++f.current;
        skip_blanks();
        if (f.current <= f.last && is_digit(*f.current)) return ioerr(kScaleThenRepeat);
        continue;
      }
      if (n == 0) return ioerr(kZeroWidth);
      f.r = n;
      f.r_present = 1;
    } else {
      f.r = 1;
      f.r_present = 0;
    }

    const char c = *f.current;
    const char letter = upper(c);
    set_letter(letter);
    ++f.current;
    // I, B, O, Z, F and D may have a zero width on output only.
    const bool input = mode == TAV_MODE_INPUT;

    switch (letter) {
      case '(': {
        if (f.nesting == kMaxDepth) return ioerr(kNestedTooDeeply);
        enter_group(f.current, f.r);
        continue;
      }

      case ')': {
        // A repeat count before a right parenthesis has nothing to repeat
        // and is ignored.
        f.r_present = 0;
        f.r = 1;
        if (f.nesting == 0) {
          f.end = f.current;
          f.exhausted = true;
          return pending_positioning(reached, mode);
        }
        const int d = f.nesting;
        if (repeat_group(d))
          f.current = f.left_paren[d];
        else
          --f.nesting;
        continue;
      }

      case ',':
        if (f.r_present) return ioerr(kRepeatWithoutDescriptor);
        continue;

      case '/': {
        ++f.actions;
        // Positioning that nothing followed is dropped.
        if (reached < Record::position()) Record::position() = reached;
        for (int i = 0; i < f.r; ++i)
          if (int s = slash_edit()) return s;
        reached = 0;
        continue;
      }

      case ':':
        // As for ')', a repeat count is ignored: the colon acts once.
        f.r_present = 0;
        f.r = 1;
        return pending_positioning(reached, mode);

      case '"':
      case '\'': {
        if (f.r_present) return ioerr(kRepeatOnString);
        if (mode == TAV_MODE_INPUT) return ioerr(kStringOnInput);
        ++f.actions;
        if (int s = pending_positioning(reached, mode)) return s;
        if (int s = char_edit(c)) return s;
        if (reached < Record::position()) reached = Record::position();
        continue;
      }

      case 'H': {
        if (!f.r_present) return ioerr(kMissingHLength);
        if (mode == TAV_MODE_INPUT) return ioerr(kStringOnInput);
        ++f.actions;
        if (int s = pending_positioning(reached, mode)) return s;
        if (int s = h_edit(f.r)) return s;
        if (reached < Record::position()) reached = Record::position();
        continue;
      }

      case 'X':
        if (!f.r_present) return ioerr(kNoXSpacing);
        Record::position() = clamp_position(static_cast<std::int64_t>(Record::position()) + f.r);
        continue;

      case 'T': {
        if (f.r_present) return ioerr(kRepeatOnPosition);
        if (int s = nonblank()) return s;
        const char sub = upper(*f.current);
        std::int64_t pos;
        int n = 0;
        if (sub == 'L' || sub == 'R') {
          ++f.current;
          if (int s = value(n, true)) return s;
          pos = static_cast<std::int64_t>(Record::position()) + (sub == 'L' ? -n : n);
        } else {
          if (int s = value(n, true)) return s;
          pos = static_cast<std::int64_t>(n) - 1;
        }
        if (pos < Record::left_tab_limit()) pos = Record::left_tab_limit();
        Record::position() = clamp_position(pos);
        if (output && Record::top() < reached) Record::top() = reached;
        continue;
      }

      case 'S': {
        if (f.r_present) return ioerr(kRepeatOnSign);
        if (int s = nonblank()) return s;
        const char sub = upper(*f.current);
        if (sub == 'P') {
          Edit::plus() = 1;
          ++f.current;
        } else {
          Edit::plus() = 0;
          if (sub == 'S') ++f.current;
        }
        continue;
      }

      case 'B': {
        if (int s = nonblank()) return s;
        if (is_digit(*f.current)) goto data_edit;  // Bw.m
        if (f.r_present) return ioerr(kRepeatOnBlank);
        const char sub = upper(*f.current);
        if (sub == 'N')
          Record::blanks() = 0;
        else if (sub == 'Z')
          Record::blanks() = 1;
        else
          return ioerr(kExpectedNorZ, as_arg(*f.current));
        ++f.current;
        continue;
      }

      case '+':
      case '-': {
        if (int s = value(__TAVf90_k, false)) return s;
        if (upper(*f.current) != 'P') return ioerr(kExpectedP);
        ++f.current;
        Edit::scale() = c == '-' ? -__TAVf90_k : __TAVf90_k;
        continue;
      }

      default:
      data_edit : {
        GeneralReader in;
        if (int s = decode_data_edit(in, letter, input)) return s;
        break;
      }
    }

    // A data edit descriptor is ready.
    ++f.actions;
    return pending_positioning(reached, mode);
  }
}

}  // namespace

// FirstEdit (io/format_state.h): the note is kept between statements.
void FirstEdit::save(const char *text, int length, int mode, const FormatPosition &at) {
  if (length > kLength || at.nesting > kDepth) {
    text_ = nullptr;
    return;
  }
  text_ = text;
  length_ = length;
  mode_ = mode;
  std::memcpy(copy_, text, static_cast<std::size_t>(length));
  at_ = at;
  letter_ = Edit::letter();
  variant_ = Edit::variant();
  w_ = Edit::w();
  d_ = Edit::d();
  e_ = Edit::e();
  m_ = Edit::m();
}

// Inline where a format is established, on the path of every statement run
// again.
[[gnu::always_inline]] inline void FirstEdit::restore(FormatPosition &at) const {
  // The scalar part as one block (exhausted was false when it was saved).
  std::memcpy(static_cast<void *>(&at), &at_, offsetof(FormatPosition, left_paren));
  // The groups open at that point, as blocks of a fixed size: entries
  // beyond the depth are not read before a scan enters that depth.
  if (at_.nesting > 0) {
    std::memcpy(at.left_paren + 1, at_.left_paren + 1, sizeof at.left_paren[0] * kDepth);
    std::memcpy(at.fmt_repeat + 1, at_.fmt_repeat + 1, sizeof at.fmt_repeat[0] * kDepth);
    std::memcpy(at.actions_at + 1, at_.actions_at + 1, sizeof at.actions_at[0] * kDepth);
  }
  set_letter(letter_);
  __TAVf90_w = w_;
  switch (letter_) {
    case 'I':
    case 'B':
    case 'O':
    case 'Z':
      __TAVf90_m = m_;
      break;
    case 'E':
      __TAVf90_current_edit[1] = variant_;
      [[fallthrough]];
    case 'G':
    case 'D':
      __TAVf90_e = e_;
      [[fallthrough]];
    case 'F':
      __TAVf90_d = d_;
      break;
    default:
      break;
  }
}

namespace {
constexpr FirstEdit &first_edit = kept.first_edit;

}  // namespace

namespace {

// How far the record is reached when a statement's format starts: on
// output its position, or the end of the characters it holds already when
// they lie beyond (tabs and spaces up to there leave them in place); -1 on
// input.
inline int output_reached(int mode, int held) {
  if (mode != TAV_MODE_OUTPUT) return -1;
  const int position = Record::position();
  return held > position ? held : position;
}

// establish_format for a text that is not the kept one: out of line, so
// that the statement run again costs none of the scan's set-up.
[[gnu::noinline]] int establish_new_format(const char *text, int length, int mode, int held) {
  if (text == nullptr) length = 0;
  if (length == -1) length = static_cast<int>(std::strlen(text));
  if (length <= 0) {
    set_letter(')');
    return ioerr(kNoLeftParen, 0);
  }
  if (first_edit.matches(text, length, mode)) {
    Record::top() = output_reached(mode, held);
    first_edit.restore(f);
    return 0;
  }
  const char *p = text;
  f.last = text + (length - 1);
  f.end = f.last;
  while (p < f.last && *p == ' ') ++p;
  if (*p != '(') {
    set_letter(')');
    return ioerr(kNoLeftParen, as_arg(*p));
  }
  f.current = f.revert_point = p + 1;
  f.revert_nest = 0;
  f.revert_repeat = 1;
  f.exhausted = false;
  // The scan of maybe_next_edit, at a start where nothing is repeated and
  // the record is reached up to its position (output: or what it holds).
  const int position = Record::position();
  const int top = output_reached(mode, held);
  Record::top() = top;
  int status;
  if (FastScan(mode == TAV_MODE_INPUT).run(status)) {
    if (status == 0 && !f.exhausted) first_edit.save(text, length, mode, f);
    return status;
  }
  return scan_next_edit(mode, top >= 0 ? top : position, top >= 0);
}

}  // namespace

int establish_format(const char *text, int length, int mode, int held) {
  if (text != nullptr && length > 0 && first_edit.matches(text, length, mode)) {
    Record::top() = output_reached(mode, held);
    first_edit.restore(f);
    return 0;
  }
  return establish_new_format(text, length, mode, held);
}

namespace {

// The rest of maybe_next_edit: the fast scan, else the general one.  Kept
// out of line so that the steps above cost no set-up of the scans.
[[gnu::noinline]] int scan_on(int mode, int reached, bool output) {
  int status;
  if (FastScan(mode == TAV_MODE_INPUT).run(status)) return status;
  return scan_next_edit(mode, reached, output);
}

}  // namespace

int maybe_next_edit(int mode) {
  if (f.exhausted) {
    set_letter(')');
    return 0;
  }
  // How far the record has really been written (output) or read (input);
  // positioning edits move only the position, and the gap is filled or
  // skipped when something is next transferred.
  int top = Record::top();
  const int position = Record::position();
  const bool output = top >= 0;
  if (output && top < position) Record::top() = top = position;
  const int reached = output ? top : position;

  if (f.r_present && --f.r > 0) return 0;  // the same data edit again

  // The commonest step of all, the outermost right parenthesis next (what
  // the fast scan does there, without setting it up).
  if (f.nesting == 0 && f.current == f.end && *f.current == ')') {
    f.r_present = 0;
    f.r = 1;
    set_letter(')');
    f.current = f.end = f.current + 1;
    f.exhausted = true;
    return 0;
  }
  return scan_on(mode, reached, output);
}

int definitely_next_edit(int mode) {
  char letter = Edit::letter();
  if (letter != ':' && letter != ')') return 0;  // a data edit is ready
  // Colons are passed over when an item is waiting.
  while (!f.exhausted) {
    if (int s = maybe_next_edit(mode)) return s;
    if (Edit::letter() != ':') break;
  }
  if (!f.exhausted) return 0;

  // Reversion: back to the last group opened at depth 1 (with its full
  // repeat count), or to the start, on a new record.  Scale factor, sign
  // and blank modes stay as they are.
  f.current = f.revert_point;
  f.nesting = f.revert_nest;
  if (f.nesting == 1) {
    f.left_paren[1] = f.revert_point;
    f.fmt_repeat[1] = f.revert_repeat;
    f.actions_at[1] = f.actions;
    f.pass_shift[1] = 0;
  }
  f.exhausted = false;
  if (int s = slash_edit()) return s;
  f.pass_start[1] = Record::position();
  do {
    if (int s = maybe_next_edit(mode)) return s;
  } while (!f.exhausted && Edit::letter() == ':');
  if (f.exhausted) return ioerr(kNoDataAfterReversion);
  return 0;
}

int get_within_field(int *remaining, char *out) {
  if (*remaining <= 0) {
    *out = '\0';
    return 0;
  }
  if (Record::position() >= Record::reclen() && Record::pad()) {
    // A padded record supplies blanks; a non-advancing READ with EOR= is
    // told that the record ended inside the field.
    if (Record::nonadvance_read() && __TAVf90_eor_continue) Record::field_status() = -2;
    --*remaining;
    *out = ' ';
    return 0;
  }
  --*remaining;
  return Record::get(out);
}

}  // namespace tav::io

extern "C" {

int __TAVf90_establish_format(const char *text, int length, int mode) {
  // Called from outside the library's begin calls: the modes and the
  // interpreter start afresh here as they do at every begin call.
  tav::io::reset_modes();
  tav::io::statement.format.reset();
  return tav::io::establish_format(text, length, mode);
}
int __TAVf90_maybe_next_edit(int mode) { return tav::io::maybe_next_edit(mode); }
int __TAVf90_definitely_next_edit(int mode) { return tav::io::definitely_next_edit(mode); }
int __TAVf90_get_within_field(int *remaining, char *out) {
  return tav::io::get_within_field(remaining, out);
}

}  // extern "C"
