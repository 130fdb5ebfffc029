// tavfmt --read: one internal READ of items, through the entry points
// compiled code calls (__TAVf90_ireads or __TAVf90_ireada, a
// __TAVf90_read_* or __TAVf90_lread_* call per item, __TAVf90_endiread),
// then each stored value shown with its bits.
#include "read.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "tavf90.h"

namespace tavfmt {
namespace {

bool digit(char c) { return c >= '0' && c <= '9'; }
char upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

// The data edit descriptors of a format in order, one item each, repeat
// counts of descriptors and groups expanded, without reversion: I, B, O, Z
// read INTEGER; F, E, D, G (with EN, ES) REAL; L LOGICAL; Aw CHARACTER*w
// (A alone: as long as a record).  Strings, nH, and the control edits are
// passed over.  `i` stands after the group's left parenthesis and ends
// after its right one.
constexpr std::size_t kMostItems = 1000;

void formatted_kinds(const std::string &f, std::size_t &i, int record_length, std::vector<Kind> &out) {
  long number = 0;
  auto add = [&](const std::vector<Kind> &items) {
    for (long n = number > 0 ? number : 1; n > 0 && out.size() < kMostItems; --n)
      for (std::size_t k = 0; k < items.size() && out.size() < kMostItems; ++k) out.push_back(items[k]);
  };
  auto skip_digits = [&] {
    while (i + 1 < f.size() && digit(f[i + 1])) ++i;
  };
  for (; i < f.size(); ++i) {
    const char c = upper(f[i]);
    if (digit(c)) {
      number = number * 10 + (c - '0');
      if (number > 1000000) number = 1000000;
      continue;
    }
    if (c == '(') {
      std::vector<Kind> group;
      formatted_kinds(f, ++i, record_length, group);
      add(group);
    } else if (c == ')') {
      return;
    } else if (c == '\'' || c == '"') {
      i = f.find(f[i], i + 1);  // a doubled quote is two strings in a row
      if (i == std::string::npos) return;
    } else if (c == 'H') {
      i += static_cast<std::size_t>(number);
    } else if (c == 'I' || c == 'O' || c == 'Z' || (c == 'B' && i + 1 < f.size() && digit(f[i + 1]))) {
      add({{Type::Integer, 4}});
    } else if (c == 'F' || c == 'E' || c == 'D' || c == 'G') {
      add({{Type::Real, 4}});
      if (c == 'E' && i + 1 < f.size() && std::strchr("NS", upper(f[i + 1])) != nullptr) ++i;  // EN, ES
    } else if (c == 'L') {
      add({{Type::Logical, 4}});
    } else if (c == 'A') {
      int w = 0;
      for (std::size_t j = i + 1; j < f.size() && digit(f[j]) && w < 100000; ++j) w = w * 10 + (f[j] - '0');
      add({{Type::Character, w > 0 ? w : record_length}});
    } else if (c == 'T' || c == 'S' || c == 'B') {
      if (i + 1 < f.size() && std::strchr("LRPSNZ", upper(f[i + 1])) != nullptr) ++i;  // TL, TR, SP, SS, BN, BZ
    }
    if (std::strchr("IOZBFEDGLA", c) != nullptr && !(c == 'B' && (i + 1 >= f.size() || !digit(f[i + 1])))) {
      // The descriptor's w, .d or .m, and Ee.
      skip_digits();
      if (i + 1 < f.size() && f[i + 1] == '.') ++i, skip_digits();
      if (i + 2 < f.size() && upper(f[i + 1]) == 'E' && digit(f[i + 2])) ++i, skip_digits();
    }
    number = 0;
  }
}

// A list-directed value's item, from its spelling as on tavfmt's command
// line: T or F alone, or beginning .T or .F, is LOGICAL; a constant tavfmt
// knows has its type; anything else (a quoted string, or a word such as
// Tuesday or 2nd, which list-directed input takes as an undelimited
// character value) CHARACTER as long as a record.
Kind value_kind(const std::string &token, int record_length) {
  const std::string t = [&] {
    std::string u;
    for (char c : token) u += upper(c);
    return u;
  }();
  if (t == "T" || t == "F" || t.rfind(".T", 0) == 0 || t.rfind(".F", 0) == 0) return {Type::Logical, 4};
  Value v;
  std::string error;
  if (token[0] != '\'' && token[0] != '"' && parse_value(token, Kind{}, v, error)) return v.kind;
  if (token[0] == '(') return {Type::Complex, 4};
  return {Type::Character, record_length};
}

// Where the list-directed value beginning at r[i] ends: after its closing
// quote or parenthesis, or at a blank, comma, slash or the record's end.
std::size_t value_end(const std::string &r, std::size_t i) {
  if (r[i] == '\'' || r[i] == '"') {
    for (std::size_t j = i + 1; j < r.size(); ++j) {
      if (r[j] != r[i]) continue;
      if (j + 1 < r.size() && r[j + 1] == r[i]) {
        ++j;  // a doubled quote
        continue;
      }
      return j + 1;
    }
    return r.size();
  }
  std::size_t j = r[i] == '(' ? r.find(')', i) : r.find_first_of(" ,/", i);
  return j == std::string::npos ? r.size() : j + (r[i] == '(');
}

// List-directed: one item per value of the records, up to a slash: r*c is
// r values, r* and an empty place between commas null values, whose items
// are of the type of the value before them (REAL(4) at first).  At least
// one item.
std::vector<Kind> listed_kinds(const std::vector<std::string> &records, int record_length) {
  std::vector<Kind> out;
  Kind last{Type::Real, 4};
  for (const std::string &r : records) {
    bool after_comma = true;  // a record begins as if after a separator
    for (std::size_t i = 0; i < r.size() && out.size() < kMostItems;) {
      if (r[i] == ' ') {
        ++i;
      } else if (r[i] == '/') {
        return out.empty() ? std::vector<Kind>{last} : out;
      } else if (r[i] == ',') {
        if (after_comma) out.push_back(last);  // a null value
        after_comma = true;
        ++i;
      } else {
        std::size_t j = i;
        while (j < r.size() && digit(r[j])) ++j;
        long repeat = 1;
        if (j > i && j < r.size() && r[j] == '*') {
          repeat = std::min(std::atol(r.substr(i, j - i).c_str()), static_cast<long>(kMostItems));
          i = j + 1;
        }
        if (i < r.size() && std::strchr(" ,/", r[i]) == nullptr) {  // else r* alone: null values
          const std::size_t end = value_end(r, i);
          last = value_kind(r.substr(i, end - i), record_length);
          i = end;
        }
        for (long n = 0; n < repeat && out.size() < kMostItems; ++n) out.push_back(last);
        after_comma = false;
      }
    }
  }
  return out.empty() ? std::vector<Kind>{last} : out;
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

// The bytes an item of this kind takes.
int item_bytes(Kind kind) { return kind.type == Type::Complex ? 2 * kind.bytes : kind.bytes; }

// One line: the item's value, type and bits, or "unchanged" and its type.
void show(Kind kind, const unsigned char *item, bool unchanged) {
  const int b = kind.bytes;
  std::string name = kind_name(kind);
  if (kind.type == Type::Character) name += "(" + std::to_string(b) + ")";
  if (unchanged) {
    std::printf("unchanged  (%s)\n", name.c_str());
    return;
  }
  const std::string text(reinterpret_cast<const char *>(item), kind.type == Type::Character ? static_cast<std::size_t>(b) : 0);
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
  std::printf("%s  (%s%s%s)\n", shown.c_str(), name.c_str(), bits.empty() ? "" : " ", bits.c_str());
}

}  // namespace

std::vector<Kind> read_kinds(const std::string &format, const std::vector<std::string> &records) {
  const int length = record_length(records);
  if (format == "*") return listed_kinds(records, length);
  std::vector<Kind> out;
  std::size_t i = 0;
  formatted_kinds(format, i, length, out);
  return out;
}

int record_length(const std::vector<std::string> &records) {
  std::size_t n = 0;
  for (const std::string &r : records) n = std::max(n, r.size());
  return static_cast<int>(n);
}

int read_and_show(const std::string &format, const std::vector<std::string> &records, const std::vector<Kind> &items) {
  const bool listed = format == "*";
  const int length = record_length(records);
  // The internal file: the record, or an array of records as long as the
  // longest, the others blank-filled.
  std::string file;
  for (const std::string &r : records) file += r + std::string(static_cast<std::size_t>(length) - r.size(), ' ');
  // The READ runs twice, the items filled first with zero bytes, then with
  // 0xff bytes: an item that holds its fill both times was not stored (a
  // null value, or a slash before its value).
  std::vector<std::vector<std::uint64_t>> stored[2];
  for (int run = 0; run < 2; ++run) {
    stored[run].clear();
    for (const Kind &k : items) stored[run].emplace_back((item_bytes(k) + 7) / 8 + 1, run == 0 ? 0 : ~std::uint64_t{0});
    std::vector<std::uint64_t> *item = stored[run].data();
    std::string copy = file;
    tav_cptr_desc array{copy.data(), length, 0, {}};
    array.dim[0] = {static_cast<std::intptr_t>(records.size()), length, 1};
    // No IOSTAT=, END= or EOR=: an error ends the program with its message.
    const char *f = listed ? nullptr : format.data();
    const int f_length = listed ? 0 : static_cast<int>(format.size());
    int status = records.size() == 1 ? __TAVf90_ireads(copy.data(), length, f, f_length, nullptr, 0)
                                     : __TAVf90_ireada(1, &array, f, f_length, nullptr, 0);
    for (std::size_t k = 0; status == 0 && k < items.size(); ++k) {
      auto *p = reinterpret_cast<char *>(item[k].data());
      status = read_item(listed, items[k], p, p);
    }
    if (status == 0) status = __TAVf90_endiread();
    if (status != 0) return 1;
  }
  for (std::size_t k = 0; k < items.size(); ++k) {
    const auto *zeros = reinterpret_cast<const unsigned char *>(stored[0][k].data());
    const auto *ones = reinterpret_cast<const unsigned char *>(stored[1][k].data());
    bool unchanged = true;
    for (int i = 0; i < item_bytes(items[k]); ++i) unchanged = unchanged && zeros[i] == 0 && ones[i] == 0xff;
    show(items[k], zeros, unchanged);
  }
  std::fflush(stdout);
  return 0;
}

}  // namespace tavfmt
