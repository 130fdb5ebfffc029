// Typing and conversion of tavfmt's value arguments.
#include "value.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace tavfmt {
namespace {

std::string lower(std::string_view s) {
  std::string out(s);
  for (char &c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

std::string_view trim(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

bool digit(char c) { return c >= '0' && c <= '9'; }

// A numeric literal as Fortran spells it: [sign] digits [. [digits]]
// [exponent], or [sign] . digits [exponent], the exponent letter E or D; or
// one of inf, infinity, nan with an optional sign.  `c_text` is the same
// number as strtod reads it.
struct Number {
  bool integer = false;   // no point, no exponent
  bool d_exponent = false;
  bool special = false;   // inf or nan
  std::string c_text;
};

bool scan_number(std::string_view s, Number &n) {
  n = Number{};
  std::size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) n.c_text += s[i++];
  std::string rest = lower(s.substr(i));
  if (rest == "inf" || rest == "infinity" || rest == "nan") {
    n.special = true;
    n.c_text += rest;
    return true;
  }
  std::size_t digits = 0;
  bool point = false, exponent = false;
  for (; i < s.size() && digit(s[i]); ++i, ++digits) n.c_text += s[i];
  if (i < s.size() && s[i] == '.') {
    point = true;
    n.c_text += s[i++];
    for (; i < s.size() && digit(s[i]); ++i, ++digits) n.c_text += s[i];
  }
  if (digits == 0) return false;
  if (i < s.size() && std::strchr("eEdD", s[i]) != nullptr) {
    exponent = true;
    n.d_exponent = s[i] == 'd' || s[i] == 'D';
    n.c_text += 'e';
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) n.c_text += s[i++];
    std::size_t exponent_digits = 0;
    for (; i < s.size() && digit(s[i]); ++i, ++exponent_digits) n.c_text += s[i];
    if (exponent_digits == 0) return false;
  }
  n.integer = !point && !exponent;
  return i == s.size();
}

// Converts a scanned number to a REAL of `bytes` bytes; false when a finite
// spelling does not fit (it would be an infinity).
bool to_real(const Number &n, int bytes, float &r4, double &r8) {
  if (bytes == 4) {
    r4 = std::strtof(n.c_text.c_str(), nullptr);
    return n.special || !std::isinf(r4);
  }
  r8 = std::strtod(n.c_text.c_str(), nullptr);
  return n.special || !std::isinf(r8);
}

bool to_integer(const Number &n, int bytes, std::int64_t &out) {
  std::string_view t = n.c_text;
  if (!t.empty() && t.front() == '+') t.remove_prefix(1);
  auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), out);
  if (ec != std::errc() || end != t.data() + t.size()) return false;
  if (bytes == 8) return true;
  std::int64_t limit = std::int64_t{1} << (8 * bytes - 1);
  return out >= -limit && out < limit;
}

// (re, im) with each part an integer or real literal.
bool split_complex(std::string_view s, Number &re, Number &im) {
  s = trim(s);
  if (s.size() < 2 || s.front() != '(' || s.back() != ')') return false;
  s = s.substr(1, s.size() - 2);
  std::size_t comma = s.find(',');
  if (comma == std::string_view::npos) return false;
  return scan_number(trim(s.substr(0, comma)), re) && scan_number(trim(s.substr(comma + 1)), im);
}

// .true. / .false. (and .t. / .f.), in any case.
bool scan_logical(std::string_view s, std::int64_t &out) {
  std::string l = lower(s);
  if (l == ".true." || l == ".t.") return out = 1, true;
  if (l == ".false." || l == ".f.") return out = 0, true;
  return false;
}

// 'text' or "text", the delimiter doubled inside.
bool scan_character(std::string_view s, std::string &out) {
  if (s.size() < 2 || (s.front() != '\'' && s.front() != '"') || s.back() != s.front()) return false;
  char q = s.front();
  out.clear();
  for (std::size_t i = 1; i + 1 < s.size(); ++i) {
    if (s[i] == q) {
      if (i + 2 >= s.size() || s[i + 1] != q) return false;
      ++i;
    }
    out += s[i];
  }
  return true;
}

bool fail(std::string &error, std::string_view arg, const std::string &why) {
  error = std::string(arg) + ": " + why;
  return false;
}

}  // namespace

bool parse_kind(std::string_view text, Kind &kind) {
  std::string s;
  for (char c : lower(text))
    if (c != '(' && c != ')' && c != '*' && c != ' ') s += c;
  std::size_t n = s.find_first_of("0123456789");
  std::string name = s.substr(0, n);
  int bytes = 0;
  if (n != std::string::npos) {
    auto [end, ec] = std::from_chars(s.data() + n, s.data() + s.size(), bytes);
    if (ec != std::errc() || end != s.data() + s.size()) return false;
  }
  auto sized = [&](Type t, std::initializer_list<int> allowed) {
    if (bytes == 0) bytes = 4;
    for (int a : allowed)
      if (a == bytes) return kind = Kind{t, bytes}, true;
    return false;
  };
  if (name == "auto" && bytes == 0) return kind = Kind{}, true;
  if (name == "character" && bytes == 0) return kind = Kind{Type::Character, 1}, true;
  if ((name == "double" || name == "doubleprecision") && bytes == 0) return kind = Kind{Type::Real, 8}, true;
  if (name == "doublecomplex" && bytes == 0) return kind = Kind{Type::Complex, 8}, true;
  if (name == "integer") return sized(Type::Integer, {1, 2, 4, 8});
  if (name == "logical") return sized(Type::Logical, {1, 2, 4, 8});
  if (name == "real") return sized(Type::Real, {4, 8});
  if (name == "complex") return sized(Type::Complex, {4, 8});
  return false;
}

std::string kind_name(Kind kind) {
  const char *names[] = {"", "INTEGER", "REAL", "COMPLEX", "LOGICAL", "CHARACTER"};
  std::string name = names[static_cast<int>(kind.type)];
  if (kind.type != Type::Character) {
    name += '(';
    name += std::to_string(kind.bytes);
    name += ')';
  }
  return name;
}

bool parse_value(std::string_view arg, Kind kind, Value &value, std::string &error) {
  value = Value{};
  Number re, im;
  const bool by_spelling = kind.type == Type::Auto;
  if (by_spelling) {
    if (scan_character(arg, value.text)) {
      kind = {Type::Character, 1};
    } else if (scan_logical(arg, value.integer)) {
      kind = {Type::Logical, 4};
    } else if (split_complex(arg, re, im)) {
      kind = {Type::Complex, re.d_exponent || im.d_exponent ? 8 : 4};
    } else if (scan_number(arg, re)) {
      kind = re.integer ? Kind{Type::Integer, 4} : Kind{Type::Real, re.d_exponent ? 8 : 4};
    } else {
      return fail(error, arg, "not a value tavfmt knows: quote a character value ('text') or give --kind");
    }
  }
  value.kind = kind;
  switch (kind.type) {
    case Type::Integer:
      if (!scan_number(arg, re) || !re.integer) return fail(error, arg, "not an integer literal");
      if (!to_integer(re, kind.bytes, value.integer)) return fail(error, arg, "out of range for " + kind_name(kind));
      return true;
    case Type::Real:
      if (!scan_number(arg, re)) return fail(error, arg, "not a real literal");
      if (!to_real(re, kind.bytes, value.real4[0], value.real8[0]))
        return fail(error, arg, "out of range for " + kind_name(kind));
      return true;
    case Type::Complex:
      if (!split_complex(arg, re, im)) {
        // A single number is the real part.
        if (!scan_number(arg, re)) return fail(error, arg, "not a complex literal (re,im)");
        scan_number("0", im);
      }
      if (!to_real(re, kind.bytes, value.real4[0], value.real8[0]) ||
          !to_real(im, kind.bytes, value.real4[1], value.real8[1]))
        return fail(error, arg, "out of range for " + kind_name(kind));
      return true;
    case Type::Logical:
      if (!scan_logical(arg, value.integer)) return fail(error, arg, "not a logical literal (.true. or .false.)");
      return true;
    case Type::Character:
      // Given --kind character the argument is the text itself.
      if (!by_spelling) value.text = std::string(arg);
      return true;
    case Type::Auto:
      break;
  }
  return false;
}

}  // namespace tavfmt
