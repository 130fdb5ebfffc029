// NAMELIST input: READ(u, NML=group) as one call.  The reader finds
// "&group" in the unit's records, then reads "designator = values" pairs up
// to the closing "/".  Names, subscripts and substrings are read here with
// a lookahead character of the reader's own; the values are read by the
// list-directed scanner (the __TAVf90_lread_* entries), which is handed the
// record after each "=" and gives the lookahead back when the values of the
// designated object end.
//
// A designator is resolved completely -- object, components, subscripts,
// substring -- before anything is stored, so that input naming something
// the group does not have, or a subscript out of range, changes nothing.
#include <cstdint>
#include <cstring>

#include "io/ioerr.h"
#include "io/record.h"
#include "io/scan.h"
#include "io/sequential.h"
#include "io/settings.h"
#include "io/statement.h"
#include "io/unit.h"
#include "runtime/fatal.h"
#include "tavf90.h"

namespace tav::io {
namespace {

enum : int {
  kExpectedAmpersand = 184,
  kGroupNameTooLong = 185,
  kWrongGroup = 186,
  kInvalidCharacter = 187,
  kObjectNameTooLong = 188,
  kExpectedEquals = 189,
  kUnknownObject = 190,
  kUnexpectedSubscript = 191,
  kUnexpectedComponent = 192,
  kComponentNameTooLong = 193,
  kUnknownComponent = 194,
  kArrayOfArrays = 195,
  kBadSubscript = 196,
  kExpectedColon = 197,
  kZeroLengthSubstring = 198,
  kSubstringBounds = 199,
  kExpectedComma = 200,
  kExpectedParen = 201,
  kSubscriptRange = 202,
  kZeroSizeSection = 203,
  kZeroStride = 204,
  kMissingGroupName = 205,
};

constexpr int kNameMax = nml::Reader::kNameMax;
constexpr int kRanks = 7;

bool is_blank(char c) { return c == ' ' || c == '\t'; }
bool is_letter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_name_char(char c) { return is_letter(c) || is_digit(c) || c == '_'; }
char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// The reader's place is part of the statement state; the token it reads
// ahead lives in the storage kept between statements.
constexpr nml::Reader &rd = statement.namelist;
constexpr GrowBuffer &token = kept.token;

// Takes the next character: from a replayed token, else from the record;
// the end of a record reads as one blank and the next advance reads the
// next record.
int advance() {
  if (rd.replay_at < rd.replay_end) {
    rd.look = token.data()[rd.replay_at++];
    return 0;
  }
  if (rd.eor) {
    rd.eor = false;
    if (int s = Record::end_record()) return s;
  }
  const int pos = Record::position();
  if (pos < 0 || pos >= Record::reclen()) {
    rd.eor = true;
    rd.look = ' ';
    return 0;
  }
  return Record::get(&rd.look);
}

// The rest of the record is a comment.
void discard_record() {
  if (Record::position() < Record::reclen()) Record::position() = Record::reclen();
  rd.look = ' ';
}

int skip_blanks() {
  while (is_blank(rd.look))
    if (int s = advance()) return s;
  return 0;
}

// Blanks, tabs, comments and the ends of records.
int skip_blanks_and_comments() {
  for (;;) {
    if (is_blank(rd.look)) {
      if (int s = advance()) return s;
    } else if (rd.look == '!' && rd.replay_at >= rd.replay_end) {
      discard_record();
    } else {
      return 0;
    }
  }
}

const char *group_name() { return rd.group->name; }

// The record position of the lookahead (a replayed token's characters, the
// lookahead's among them, stand before the record position).
int look_at() { return Record::position() - (rd.eor ? 0 : 1) - (rd.replay_end - rd.replay_at); }

// The error of a designator, naming the object and the group.
int object_error(int code) { return ioerr(code, rd.var_name, group_name()); }
int object_error_char(int code) { return ioerr(code, rd.look, rd.var_name, group_name()); }

// Reads a name (letters, digits, underscores; the first character is the
// lookahead) in upper case into buf; *too_long when it has more than
// kNameMax characters.
int read_name(char *buf, bool *too_long) {
  int n = 0;
  *too_long = false;
  while (is_name_char(rd.look)) {
    if (n == kNameMax) {
      *too_long = true;
      return 0;
    }
    buf[n++] = upper(rd.look);
    if (int s = advance()) return s;
  }
  buf[n] = '\0';
  return 0;
}

// ---- designators ---------------------------------------------------------

// What a designator denotes: the item (an object, component, element or
// substring) at `address`, and when `array` the elements of an array
// section or whole array over which it is repeated.
struct Item {
  char *address;
  std::int32_t type;
  std::int32_t length;
  const tav_nml_shape *shape;  // a whole array not yet subscripted
  const tav_nml_components *components;
};
struct Walk {
  bool array = false;
  int rank = 0;
  std::int64_t extent[kRanks];
  std::int64_t stride[kRanks];  // bytes
};

Item item_of(const tav_nml_object &o, char *address) {
  return Item{address, o.type, o.length, o.shape, o.components};
}

int rank_of(const tav_nml_shape *shape) {
  int r = shape->rank;
  return r < 1 ? 1 : r > kRanks ? kRanks : r;
}

// Reads a decimal number, the lookahead at its first digit; a value beyond
// the 32-bit range is error 202 rather than a wrapped number.
int read_number(std::int64_t *value, bool negative = false) {
  std::int64_t v = 0;
  bool big = false;
  while (is_digit(rd.look)) {
    if (!big) {
      v = v * 10 + (rd.look - '0');
      if (v > INT32_MAX + std::int64_t{negative}) big = true;
    }
    if (int s = advance()) return s;
  }
  if (big) return ioerr(kSubscriptRange, negative ? INT32_MIN : INT32_MAX, rd.var_name, group_name());
  *value = negative ? -v : v;
  return 0;
}

// A subscript or a bound of a section, which may be signed (an array's
// lower bound may be negative); the lookahead at its first character.
int read_subscript(std::int64_t *value) {
  const bool negative = rd.look == '-';
  if (rd.look == '-' || rd.look == '+') {
    if (int s = advance()) return s;
    if (!is_digit(rd.look)) return object_error(kBadSubscript);
  }
  return read_number(value, negative);
}

bool subscript_starts(char c) { return is_digit(c) || c == '-' || c == '+'; }

int check_range(std::int64_t v, std::int64_t lower, std::int64_t upper) {
  if (v < lower || v > upper) return ioerr(kSubscriptRange, static_cast<int>(v), rd.var_name, group_name());
  return 0;
}

// A subscript list, the lookahead at "(": selects an element, or a section
// when a triplet appears.
int read_subscripts(Item &item, Walk &walk) {
  const tav_nml_shape *shape = item.shape;
  const int rank = rank_of(shape);
  std::int64_t dim_stride = shape->stride;
  std::int64_t offset = 0;
  Walk section;
  section.array = false;
  for (int i = 0; i < rank; ++i) {
    if (int s = advance()) return s;  // past "(" or ","
    const std::int64_t lower = shape->dim[i].lower;
    const std::int64_t extent = shape->dim[i].extent < 0 ? 0 : shape->dim[i].extent;
    const std::int64_t upper = lower + extent - 1;
    std::int64_t start = lower, end = upper, stride = 1;
    bool triplet = false;
    if (subscript_starts(rd.look)) {
      if (int s = read_subscript(&start)) return s;
      if (int s = check_range(start, lower, upper)) return s;
    } else if (rd.look != ':') {
      return object_error(kBadSubscript);
    }
    if (rd.look == ':') {
      triplet = true;
      if (int s = advance()) return s;
      if (subscript_starts(rd.look)) {
        if (int s = read_subscript(&end)) return s;
        if (int s = check_range(end, lower, upper)) return s;
      } else if (rd.look != ')' && rd.look != ',' && rd.look != ':') {
        return object_error(kBadSubscript);
      } else if (start > upper) {
        // An omitted end of an empty dimension.
        if (int s = check_range(start, lower, upper)) return s;
      }
      if (rd.look == ':') {
        if (int s = advance()) return s;
        if (rd.look == ')' || rd.look == ',') return object_error(kZeroStride);
        if (!is_digit(rd.look)) return object_error(kBadSubscript);
        if (int s = read_number(&stride)) return s;
        if (stride == 0) return object_error(kZeroStride);
      }
      if (start > end) return object_error(kZeroSizeSection);
    }
    offset += (start - lower) * dim_stride;
    if (triplet) {
      section.extent[section.rank] = (end - start) / stride + 1;
      section.stride[section.rank] = dim_stride * stride;
      ++section.rank;
      section.array = true;
    }
    if (i + 1 < rank && rd.look != ',') return object_error_char(kExpectedComma);
    dim_stride *= extent;
  }
  if (rd.look != ')') return object_error_char(kExpectedParen);
  if (int s = advance()) return s;
  if (section.array) {
    if (walk.array) return object_error(kArrayOfArrays);
    walk = section;
  }
  item.address += offset;
  item.shape = nullptr;
  return 0;
}

// A substring (start:end) of a CHARACTER item, the lookahead at "(".
int read_substring(Item &item) {
  std::int64_t start = 1, end = item.length;
  if (int s = advance()) return s;
  if (is_digit(rd.look)) {
    if (int s = read_number(&start)) return s;
  }
  if (rd.look != ':') return object_error_char(kExpectedColon);
  if (int s = advance()) return s;
  if (is_digit(rd.look)) {
    if (int s = read_number(&end)) return s;
  }
  if (rd.look != ')') return object_error_char(kExpectedParen);
  if (int s = advance()) return s;
  if (end < start) return object_error(kZeroLengthSubstring);
  if (start < 1 || end > item.length)
    return ioerr(kSubstringBounds, static_cast<int>(start), static_cast<int>(end), rd.var_name, group_name());
  item.address += start - 1;
  item.length = static_cast<std::int32_t>(end - start + 1);
  return 0;
}

// After the name of an object or component: its subscripts, or the whole
// array when it is one and no subscripts follow.
void whole_array(Item &item, Walk &walk) {
  const int rank = rank_of(item.shape);
  std::int64_t dim_stride = item.shape->stride;
  walk.array = true;
  walk.rank = rank;
  for (int i = 0; i < rank; ++i) {
    const std::int64_t extent = item.shape->dim[i].extent < 0 ? 0 : item.shape->dim[i].extent;
    walk.extent[i] = extent;
    walk.stride[i] = dim_stride;
    dim_stride *= extent;
  }
  item.shape = nullptr;
}

int finish_part(Item &item, Walk &walk) {
  if (item.shape == nullptr) return 0;
  if (rd.look == '(') return read_subscripts(item, walk);
  if (walk.array) return object_error(kArrayOfArrays);
  whole_array(item, walk);
  return 0;
}

int read_component(Item &item, Walk &walk) {
  if (item.type != TAV_NML_DERIVED || item.components == nullptr) return object_error(kUnexpectedComponent);
  if (int s = advance()) return s;  // past "%"
  if (!is_letter(rd.look)) return ioerr(kInvalidCharacter, rd.look);
  char name[kNameMax + 1];
  bool too_long;
  if (int s = read_name(name, &too_long)) return s;
  if (too_long) return object_error(kComponentNameTooLong);
  const tav_nml_components &list = *item.components;
  for (std::int32_t k = 0; k < list.count; ++k) {
    const tav_nml_object &c = list.entries[k];
    if (std::strcmp(c.name, name) == 0) {
      item = item_of(c, item.address + c.where.offset);
      return finish_part(item, walk);
    }
  }
  return ioerr(kUnknownComponent, name, rd.var_name, group_name());
}

// The designator after its object's name, up to the "=".
int read_designator(Item &item, Walk &walk) {
  if (int s = finish_part(item, walk)) return s;
  bool substring = false;
  while (rd.look == '(' || rd.look == '%') {
    if (rd.look == '%') {
      if (substring) return object_error(kUnexpectedComponent);
      if (int s = read_component(item, walk)) return s;
    } else if (item.type == TAV_NML_CHARACTER && !substring) {
      if (int s = read_substring(item)) return s;
      substring = true;
    } else {
      return object_error(kUnexpectedSubscript);
    }
  }
  return 0;
}

// ---- values --------------------------------------------------------------

// Hands the scanner the record from the reader's lookahead on: the
// lookahead goes back into the record and the scanner sees a comma first.
void hand_to_scanner() {
  if (Record::position() > 0) Record::position() -= 1;
  rd.eor = false;
  __TAVf90_insync_namelist(',');
  rd.scanner_has_it = true;
}

void take_back(std::int32_t *repeat) {
  *repeat = 0;
  if (!rd.scanner_has_it) return;
  rd.look = static_cast<char>(__TAVf90_outsync_namelist(repeat));
  rd.eor = false;
  rd.scanner_has_it = false;
}

// A word beginning with T or F where a logical value may stand: the value,
// or the name of the next pair when "=" follows it.  Returns the value
// (0 or 1) in *value, or sets rd.values_done when it was a name.
int logical_token(int *value) {
  int n = 0;
  char *text = token.data();
  while (rd.look != '/' && rd.look != '=' && rd.look != ',' && !is_blank(rd.look)) {
    text = token.reserve(static_cast<std::size_t>(n) + 2, static_cast<std::size_t>(n));
    text[n++] = upper(rd.look);
    if (int s = advance()) return s;
  }
  if (is_blank(rd.look)) {
    if (int s = skip_blanks()) return s;
  }
  if (rd.look == '=') {
    // A name: it is read again, then the "=" after it.
    token.data()[n++] = '=';
    rd.look = token.data()[0];
    rd.replay_at = 1;
    rd.replay_end = n;
    rd.values_done = true;
    return 0;
  }
  *value = token.data()[0] == 'T' ? 1 : 0;
  return 0;
}

template <typename Int>
void store_logical(char *address, int value) {
  Int v = static_cast<Int>(value);
  std::memcpy(address, &v, sizeof v);
}

int read_by_type(const Item &item, char *address) {
  switch (item.type) {
    case TAV_NML_I1: return __TAVf90_lread_i1(reinterpret_cast<int8_t *>(address));
    case TAV_NML_I2: return __TAVf90_lread_i2(reinterpret_cast<int16_t *>(address));
    case TAV_NML_I4: return __TAVf90_lread_i(reinterpret_cast<int32_t *>(address));
    case TAV_NML_I8: return __TAVf90_lread_i4(reinterpret_cast<int64_t *>(address));
    case TAV_NML_REAL: return __TAVf90_lread_r(reinterpret_cast<float *>(address));
    case TAV_NML_DOUBLE: return __TAVf90_lread_d(reinterpret_cast<double *>(address));
    case TAV_NML_COMPLEX: return __TAVf90_lread_c(reinterpret_cast<float *>(address));
    case TAV_NML_DCOMPLEX: return __TAVf90_lread_dc(reinterpret_cast<double *>(address));
    case TAV_NML_L1: return __TAVf90_lread_l1(reinterpret_cast<int8_t *>(address));
    case TAV_NML_L4: return __TAVf90_lread_l(reinterpret_cast<int32_t *>(address));
    case TAV_NML_L2: return __TAVf90_lread_l2(reinterpret_cast<int16_t *>(address));
    case TAV_NML_L8: return __TAVf90_lread_l4(reinterpret_cast<int64_t *>(address));
    case TAV_NML_CHARACTER: return __TAVf90_lread_nl_ch(address, item.length);
  }
  rt::crash("Impossible error in NAMELIST input");
}

bool is_logical(std::int32_t type) {
  return type == TAV_NML_L1 || type == TAV_NML_L4 || type == TAV_NML_L2 || type == TAV_NML_L8;
}

// One value into one element of a type other than derived.
int read_element(const Item &item, char *address) {
  std::int32_t repeat;
  take_back(&repeat);
  if (repeat > 0) {
    // The scanner goes on with its repeated value.
    rd.scanner_has_it = true;
    return read_by_type(item, address);
  }
  // (a comment may follow the blanks after a logical value's word)
  if (rd.look == ' ' || rd.look == '\t' || rd.look == ',' || rd.look == '!') {
    if (int s = skip_blanks()) return s;
    if (rd.look == ',') {
      if (int s = advance()) return s;
    }
    if (int s = skip_blanks_and_comments()) return s;
  }
  if (rd.look == '/' || (settings.namelist_search && (rd.look == '&' || rd.look == '$'))) {
    // The values end here, and with them the group (at "/", or at the
    // &END that may stand for it).
    rd.values_done = true;
    return 0;
  }
  if (is_letter(rd.look)) {
    const char c = upper(rd.look);
    if (!is_logical(item.type) || (c != 'T' && c != 'F')) {
      rd.values_done = true;
      return 0;
    }
    int value = 0;
    if (int s = logical_token(&value)) return s;
    if (rd.values_done) return 0;
    switch (item.type) {
      case TAV_NML_L1: store_logical<int8_t>(address, value); break;
      case TAV_NML_L2: store_logical<int16_t>(address, value); break;
      case TAV_NML_L4: store_logical<int32_t>(address, value); break;
      default: store_logical<int64_t>(address, value);
    }
    return 0;
  }
  if (item.type < TAV_NML_I1 || item.type > TAV_NML_I8 || item.type == TAV_NML_DERIVED)
    rt::crash("Impossible error in NAMELIST input");
  hand_to_scanner();
  return read_by_type(item, address);
}

int read_item(const Item &item, char *address);

// Every element of an array, dimension 0 fastest.
int read_array(const Item &item, char *base, int rank, const std::int64_t *extent, const std::int64_t *stride) {
  for (int i = 0; i < rank; ++i)
    if (extent[i] <= 0) return 0;
  std::int64_t index[kRanks] = {};
  char *address = base;
  for (;;) {
    if (int s = read_item(item, address)) return s;
    if (rd.values_done) return 0;
    int d = 0;
    while (d < rank && ++index[d] == extent[d]) {
      address -= (extent[d] - 1) * stride[d];
      index[d] = 0;
      ++d;
    }
    if (d == rank) return 0;
    address += stride[d];
  }
}

// One value, or for a derived type the values of its components in order.
int read_item(const Item &item, char *address) {
  if (item.type != TAV_NML_DERIVED) return read_element(item, address);
  if (item.components == nullptr) return 0;
  const tav_nml_components &list = *item.components;
  for (std::int32_t k = 0; k < list.count && !rd.values_done; ++k) {
    const tav_nml_object &c = list.entries[k];
    Item part = item_of(c, address + c.where.offset);
    if (c.shape == nullptr) {
      if (int s = read_item(part, part.address)) return s;
    } else {
      Walk walk;
      whole_array(part, walk);
      if (int s = read_array(part, part.address, walk.rank, walk.extent, walk.stride)) return s;
    }
  }
  return 0;
}

int read_values(const Item &item, const Walk &walk) {
  rd.values_done = false;
  // The first value is read from the character after "=".
  rd.replay_at = rd.replay_end = 0;
  rd.eor = false;
  __TAVf90_insync_namelist(',');
  rd.scanner_has_it = true;
  int s = walk.array ? read_array(item, item.address, walk.rank, walk.extent, walk.stride)
                     : read_item(item, item.address);
  if (s != 0) return s;
  std::int32_t repeat;
  take_back(&repeat);
  return 0;
}

// ---- the group -----------------------------------------------------------

// One "designator = values" pair, the lookahead at the first letter.  A
// condition in the designator is located where it begins.
int read_pair() {
  statement.where.field = look_at();
  bool too_long;
  if (int s = read_name(rd.var_name, &too_long)) return s;
  if (too_long) return ioerr(kObjectNameTooLong, group_name());
  if (rd.look != '=' && rd.look != '%' && rd.look != '(' && !is_blank(rd.look))
    return ioerr(kInvalidCharacter, rd.look);
  const tav_nml_object *object = nullptr;
  for (std::int32_t k = 0; k < rd.group->count && object == nullptr; ++k)
    if (std::strcmp(rd.group->objects[k]->name, rd.var_name) == 0) object = rd.group->objects[k];
  if (object == nullptr) return ioerr(kUnknownObject, rd.var_name, group_name());
  Item item = item_of(*object, static_cast<char *>(object->where.address));
  Walk walk;
  if (int s = read_designator(item, walk)) return s;
  if (int s = skip_blanks()) return s;
  if (rd.look != '=') return ioerr(kExpectedEquals, rd.look);
  return read_values(item, walk);
}

// With TAVF90_NAMELIST_SEARCH: whether the "&" or "$" in the lookahead
// begins &END (or $END, in any case), which then ends the group as "/"
// does; anything else there is an invalid character.
int end_of_group() {
  const char mark = rd.look;
  const int at = look_at();
  if (int s = advance()) return s;
  char name[kNameMax + 1];
  bool too_long;
  if (int s = read_name(name, &too_long)) return s;
  return !too_long && std::strcmp(name, "END") == 0 ? 0 : ioerr_at(at, kInvalidCharacter, mark);
}

int read_group() {
  if (int s = advance()) return s;
  if (int s = skip_blanks_and_comments()) return s;
  const int at = look_at();  // where a condition in the group's name is located
  if (rd.look != '&' && !(settings.namelist_search && rd.look == '$')) return ioerr_at(at, kExpectedAmpersand, rd.look);
  char name[kNameMax + 1];
  int n = 0;
  for (;;) {
    if (int s = advance()) return s;
    if (is_blank(rd.look)) break;
    if (n == kNameMax) return ioerr_at(at, kGroupNameTooLong);
    name[n++] = upper(rd.look);
  }
  name[n] = '\0';
  if (n == 0) return ioerr_at(at, kMissingGroupName, group_name());
  if (std::strcmp(name, group_name()) != 0) return ioerr_at(at, kWrongGroup, group_name(), name);
  for (;;) {
    if (is_blank(rd.look)) {
      if (int s = advance()) return s;
    } else if (rd.look == '!' && rd.replay_at >= rd.replay_end) {
      discard_record();
    } else if (rd.look == '/') {
      return 0;
    } else if (settings.namelist_search && (rd.look == '&' || rd.look == '$')) {
      return end_of_group();
    } else if (is_letter(rd.look)) {
      if (int s = read_pair()) return s;
      if (int s = skip_blanks()) return s;
      if (rd.look == ',') {
        if (int s = advance()) return s;
      }
    } else {
      return ioerr_at(look_at(), kInvalidCharacter, rd.look);
    }
  }
}

// With TAVF90_NAMELIST_SEARCH: whether `name` (upper case) stands at the
// start of the n characters at p, in any case, and ends there (a blank, a
// tab or the end of the record follows).
bool group_named(const char *p, int n, const char *name) {
  int k = 0;
  for (; name[k] != '\0'; ++k)
    if (k == n || upper(p[k]) != name[k]) return false;
  return k == n || is_blank(p[k]);
}

// With TAVF90_NAMELIST_SEARCH, before the group is read: records are
// skipped, from the position in the current one on, until one whose first
// character other than a blank is "&" or "$" followed by the group's name;
// the position is left at that character.  Other groups are thus skipped
// whole, values and all.  Running out of records is the end-of-file
// condition, as for any READ.
int find_group() {
  for (;;) {
    const char *rec = statement.record.data;
    const int n = Record::reclen();
    int p = Record::position() < 0 ? 0 : Record::position();
    while (p < n && is_blank(rec[p])) ++p;
    if (p < n && (rec[p] == '&' || rec[p] == '$') && group_named(rec + p + 1, n - p - 1, group_name())) {
      Record::position() = p;
      return 0;
    }
    if (int s = Record::end_record()) return s;
  }
}

int begin_namelist_read(std::int32_t unit, const tav_nml_group *group, std::int32_t flags) {
  begin_statement(flags == -1 ? 1 : 0, flags & 1, flags & 2);
  if (int code = select_formatted_sequential_fast(unit, TAV_ACTION_READ)) return code;
  statement.where.list = false;
  if (int code = start_record_input(unit, true)) return code;
  // From here on a condition discards the record and ends the READ.
  statement.abandon = abandon_read;
  init_linput();
  rd.reset();
  rd.group = group;
  if (settings.namelist_search) {
    if (int code = find_group()) return code;
  }
  if (int code = read_group()) return code;
  return __TAVf90_nendread();
}

}  // namespace
}  // namespace tav::io

using namespace tav::io;

extern "C" {

int __TAVf90_readn(int32_t unit, const tav_nml_group *group, int32_t flags) {
  return begin_namelist_read(unit, group, flags);
}

// The rest of the record after "/" is discarded: the next READ begins
// with a new record.
int __TAVf90_nendread(void) {
  current_record().rec_length = -1;
  return end_read();
}

}  // extern "C"
