// The values tavfmt writes: a Fortran type and size, told from the spelling
// of a command-line argument or given with --kind.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tavfmt {

enum class Type { Auto, Integer, Real, Complex, Logical, Character };

// bytes: the size of the value (of each part, for COMPLEX); 0 with Auto.
struct Kind {
  Type type = Type::Auto;
  int bytes = 0;
};

struct Value {
  Kind kind;
  std::int64_t integer = 0;  // Integer and Logical
  float real4[2] = {0, 0};   // Real and Complex of 4 bytes: value, imaginary part
  double real8[2] = {0, 0};  // the same for 8 bytes
  std::string text;          // Character
};

// Reads a --kind argument ("integer8", "integer(8)", "real", "double",
// "character", "auto", ...).  False when it names no kind.
bool parse_kind(std::string_view text, Kind &kind);

// Reads one value argument as the given kind (Auto: typed by its spelling).
// On failure returns false and says why in `error`.
bool parse_value(std::string_view arg, Kind kind, Value &value, std::string &error);

// "INTEGER(8)", "REAL(4)", "CHARACTER", ... for messages.
std::string kind_name(Kind kind);

}  // namespace tavfmt
