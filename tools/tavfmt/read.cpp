// tavfmt --read: one internal READ of one item, through the entry points
// compiled code calls (__TAVf90_ireads, one __TAVf90_read_* or
// __TAVf90_lread_* call, __TAVf90_endiread), then the stored value shown
// with its bits.
#include "read.h"

#include <cctype>
#include <charconv>
#include <cinttypes>
#include <cstdio>
#include <cstring>

#include "tavf90.h"

namespace tavfmt {
namespace {

bool digit(char c) { return c >= '0' && c <= '9'; }
char upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

// The first data edit descriptor of a format decides the item: I, B, O, Z
// read INTEGER; F, E, D, G (with EN, ES) REAL; L LOGICAL; Aw CHARACTER*w
// (A alone: as long as the record).  Strings, nH, and the control edits
// are passed over.
Kind formatted_kind(const std::string &f, int record_length) {
  long number = 0;
  for (std::size_t i = 0; i < f.size(); ++i) {
    const char c = upper(f[i]);
    if (digit(c)) {
      number = number * 10 + (c - '0');
      if (number > 1000000) number = 1000000;
      continue;
    }
    if (c == '\'' || c == '"') {
      i = f.find(f[i], i + 1);  // a doubled quote is two strings in a row
      if (i == std::string::npos) break;
    } else if (c == 'H') {
      i += static_cast<std::size_t>(number);
    } else if (c == 'I' || c == 'O' || c == 'Z' || (c == 'B' && i + 1 < f.size() && digit(f[i + 1]))) {
      return {Type::Integer, 4};
    } else if (c == 'F' || c == 'E' || c == 'D' || c == 'G') {
      return {Type::Real, 4};
    } else if (c == 'L') {
      return {Type::Logical, 4};
    } else if (c == 'A') {
      int w = 0;
      for (std::size_t j = i + 1; j < f.size() && digit(f[j]) && w < 100000; ++j) w = w * 10 + (f[j] - '0');
      return {Type::Character, w > 0 ? w : record_length};
    } else if (c == 'T' || c == 'S' || c == 'B') {
      if (i + 1 < f.size() && std::strchr("LRPSNZ", upper(f[i + 1])) != nullptr) ++i;  // TL, TR, SP, SS, BN, BZ
    }
    number = 0;
  }
  return {Type::Real, 4};
}

// List-directed: the spelling of the first value (after a repeat count r*)
// as on tavfmt's command line; T or F and .T... or .F... are LOGICAL, an
// unquoted word CHARACTER; anything else REAL.
Kind listed_kind(const std::string &record) {
  std::size_t i = record.find_first_not_of(" ,");
  if (i == std::string::npos) return {Type::Real, 4};
  if (record[i] == '\'' || record[i] == '"') return {Type::Character, static_cast<int>(record.size())};
  std::size_t end = record[i] == '(' ? record.find(')', i) : record.find_first_of(" ,/", i);
  std::string token = record.substr(i, end == std::string::npos ? std::string::npos : end - i + (record[i] == '('));
  if (std::size_t star = token.find('*'); star != std::string::npos) token.erase(0, star + 1);
  Value v;
  std::string error;
  if (parse_value(token, Kind{}, v, error)) return v.kind;
  const char first = token.empty() ? ' ' : upper(token[0] == '.' && token.size() > 1 ? token[1] : token[0]);
  if (first == 'T' || first == 'F') return {Type::Logical, 4};
  if (!token.empty() && std::isalpha(static_cast<unsigned char>(token[0]))) return {Type::Character, static_cast<int>(record.size())};
  return {Type::Real, 4};
}

// One item; `listed` chooses the list-directed entry.
int read_item(bool listed, Kind kind, void *p, char *text) {
  const int b = kind.bytes;
  switch (kind.type) {
    case Type::Integer:
      if (b == 1) return listed ? __TAVf90_lread_i1(static_cast<int8_t *>(p)) : __TAVf90_read_i1(static_cast<int8_t *>(p));
      if (b == 2) return listed ? __TAVf90_lread_i2(static_cast<int16_t *>(p)) : __TAVf90_read_i2(static_cast<int16_t *>(p));
      if (b == 4) return listed ? __TAVf90_lread_i(static_cast<int32_t *>(p)) : __TAVf90_read_i(static_cast<int32_t *>(p));
      return listed ? __TAVf90_lread_i4(static_cast<int64_t *>(p)) : __TAVf90_read_i4(static_cast<int64_t *>(p));
    case Type::Logical:
      if (b == 1) return listed ? __TAVf90_lread_l1(static_cast<int8_t *>(p)) : __TAVf90_read_l1(static_cast<int8_t *>(p));
      if (b == 2) return listed ? __TAVf90_lread_l2(static_cast<int16_t *>(p)) : __TAVf90_read_l2(static_cast<int16_t *>(p));
      if (b == 4) return listed ? __TAVf90_lread_l(static_cast<int32_t *>(p)) : __TAVf90_read_l(static_cast<int32_t *>(p));
      return listed ? __TAVf90_lread_l4(static_cast<int64_t *>(p)) : __TAVf90_read_l4(static_cast<int64_t *>(p));
    case Type::Real:
      if (b == 4) return listed ? __TAVf90_lread_r(static_cast<float *>(p)) : __TAVf90_read_r(static_cast<float *>(p));
      return listed ? __TAVf90_lread_d(static_cast<double *>(p)) : __TAVf90_read_d(static_cast<double *>(p));
    case Type::Complex:
      if (b == 4) return listed ? __TAVf90_lread_c(static_cast<float *>(p)) : __TAVf90_read_c(static_cast<float *>(p));
      return listed ? __TAVf90_lread_dc(static_cast<double *>(p)) : __TAVf90_read_dc(static_cast<double *>(p));
    case Type::Character:
      return listed ? __TAVf90_lread_ch(text, b) : __TAVf90_read_ch(text, b);
    case Type::Auto:
      break;
  }
  return 0;
}

// The shortest text that reads back as the same value.
template <class T>
std::string shortest(T v) {
  char buf[64];
  auto r = std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, r.ptr);
}

std::string hex(const unsigned char *p, int bytes) {
  std::uint64_t v = 0;
  std::memcpy(&v, p, static_cast<std::size_t>(bytes));  // little endian
  char buf[24];
  std::snprintf(buf, sizeof buf, "0x%0*" PRIx64, 2 * bytes, v);
  return buf;
}

}  // namespace

Kind read_kind(const std::string &format, const std::string &record) {
  return format == "*" ? listed_kind(record) : formatted_kind(format, static_cast<int>(record.size()));
}

int read_and_show(const std::string &format, std::string record, Kind kind) {
  const bool listed = format == "*";
  if (kind.type == Type::Character && kind.bytes <= 0) kind.bytes = static_cast<int>(record.size());
  alignas(8) unsigned char item[16] = {};
  std::string text(static_cast<std::size_t>(kind.type == Type::Character ? kind.bytes : 0), ' ');
  // No IOSTAT=, END= or EOR=: an error ends the program with its message.
  int status = __TAVf90_ireads(record.data(), static_cast<int>(record.size()), listed ? nullptr : format.data(),
                               listed ? 0 : static_cast<int>(format.size()), nullptr, 0);
  if (status == 0) status = read_item(listed, kind, item, text.data());
  if (status == 0) status = __TAVf90_endiread();
  if (status != 0) return 1;

  const int b = kind.bytes;
  std::string shown, bits = hex(item, kind.type == Type::Complex ? b : b > 8 ? 8 : b);
  switch (kind.type) {
    case Type::Integer: {
      std::int64_t v = 0;
      if (b == 1) v = static_cast<std::int8_t>(item[0]);
      if (b == 2) { std::int16_t x; std::memcpy(&x, item, 2); v = x; }
      if (b == 4) { std::int32_t x; std::memcpy(&x, item, 4); v = x; }
      if (b == 8) std::memcpy(&v, item, 8);
      shown = std::to_string(v);
      break;
    }
    case Type::Logical: {
      std::uint64_t v = 0;
      std::memcpy(&v, item, static_cast<std::size_t>(b));
      shown = v != 0 ? "T" : "F";
      break;
    }
    case Type::Real:
    case Type::Complex: {
      auto part = [&](int i) {
        if (b == 4) { float x; std::memcpy(&x, item + 4 * i, 4); return shortest(x); }
        double x;
        std::memcpy(&x, item + 8 * i, 8);
        return shortest(x);
      };
      shown = kind.type == Type::Real ? part(0) : "(" + part(0) + "," + part(1) + ")";
      if (kind.type == Type::Complex) bits += " " + hex(item + b, b);
      break;
    }
    case Type::Character:
      shown = "'";
      for (char c : text) shown += c == '\'' ? std::string("''") : std::string(1, c);
      shown += "'";
      bits.clear();
      break;
    case Type::Auto:
      break;
  }
  std::string name = kind_name(kind);
  if (kind.type == Type::Character) name += "(" + std::to_string(b) + ")";
  std::printf("%s  (%s%s%s)\n", shown.c_str(), name.c_str(), bits.empty() ? "" : " ", bits.c_str());
  std::fflush(stdout);
  return 0;
}

}  // namespace tavfmt
