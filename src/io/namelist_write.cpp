// WRITE(u, NML=group): the whole statement in one call.  The group is
// framed as " &NAME ", then "OBJ = values" per object separated by ", ",
// then "/".  Values are written by the list-directed item routines; this
// file decides only where records break, from the width each value will
// take.
#include <cmath>
#include <cstdint>
#include <cstring>

#include "io/digits.h"
#include "io/ioerr.h"
#include "io/list_write.h"
#include "io/namelist.h"
#include "io/record.h"
#include "io/sequential.h"
#include "io/statement.h"
#include "io/unit.h"
#include "tavf90.h"

namespace tav::io {
namespace {

using Entry = tav_nml_object;

template <typename T>
T load(const char *at) {
  T v;
  std::memcpy(&v, at, sizeof v);
  return v;
}

int integer_width(std::int64_t v) {
  std::uint64_t magnitude = v < 0 ? 0u - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
  return digits::decimal_length(magnitude) + (v < 0 ? 1 : 0);
}

// Field width of a real value in list-directed output: the F form for
// 0.1 <= |x| < 100, else the E form.
int real_width(double x, int f_width, int e_width) {
  double a = std::fabs(x);
  return a >= 0.1 && a < 100.0 ? f_width : e_width;
}

char delimiter() { return Record::delim() == 1 ? '"' : '\''; }

std::int64_t item_size(const Entry &e, const char *at);

// Width of one derived-type value: all elements of all its components.
std::int64_t derived_size(const Entry &e, const char *at) {
  std::int64_t w = 0;
  for (int c = 0, n = nml::component_count(e); c < n; ++c) {
    const Entry &comp = e.components->entries[c];
    const char *base = at + comp.where.offset;
    for (std::int64_t k = 0, count = nml::element_count(comp.shape); k < count; ++k)
      w += item_size(comp, base + nml::element_offset(comp.shape, k));
  }
  return w;
}

// The number of characters one element's value takes, for the record-break
// decisions (the list-directed routine adds its separator blank).
std::int64_t item_size(const Entry &e, const char *at) {
  switch (e.type) {
    case TAV_NML_I1: return integer_width(load<std::int8_t>(at));
    case TAV_NML_I2: return integer_width(load<std::int16_t>(at));
    case TAV_NML_I4: return integer_width(load<std::int32_t>(at));
    case TAV_NML_I8: return integer_width(load<std::int64_t>(at));
    case TAV_NML_REAL: return real_width(load<float>(at), 11, 15);
    case TAV_NML_DOUBLE: return real_width(load<double>(at), 20, 24);
    case TAV_NML_L1:
    case TAV_NML_L2:
    case TAV_NML_L4:
    case TAV_NML_L8: return 2;
    case TAV_NML_COMPLEX:
      return real_width(load<float>(at), 11, 15) + real_width(load<float>(at + 4), 11, 15) + 3;
    case TAV_NML_DCOMPLEX:
      return real_width(load<double>(at), 20, 24) + real_width(load<double>(at + 8), 20, 24) + 3;
    case TAV_NML_CHARACTER: {
      std::int64_t length = e.length < 0 ? 0 : e.length;
      if (Record::delim() == 0) return length + 1;
      std::int64_t doubled = 0;
      const char d = delimiter();
      for (const char *p = at, *end = at + length; (p = static_cast<const char *>(std::memchr(p, d, end - p)));
           ++p)
        ++doubled;
      return length + 2 + doubled;
    }
    case TAV_NML_DERIVED: return derived_size(e, at);
    default: return 0;
  }
}

// One element's value, by the item routine of its type; a derived-type
// value is its components' elements in order.
int write_value(const Entry &e, const char *at) {
  switch (e.type) {
    case TAV_NML_I1: return list_integer(load<std::int8_t>(at));
    case TAV_NML_I2: return list_integer(load<std::int16_t>(at));
    case TAV_NML_I4: return list_integer(load<std::int32_t>(at));
    case TAV_NML_I8: return list_integer8(load<std::int64_t>(at));
    case TAV_NML_REAL: return list_real(load<float>(at));
    case TAV_NML_DOUBLE: return list_double(load<double>(at));
    case TAV_NML_COMPLEX: return list_complex(load<float>(at), load<float>(at + 4));
    case TAV_NML_DCOMPLEX: return list_dcomplex(load<double>(at), load<double>(at + 8));
    // Every logical kind by its lowest-addressed byte.
    case TAV_NML_L1:
    case TAV_NML_L2:
    case TAV_NML_L8: return list_logical(load<std::int8_t>(at) != 0);
    case TAV_NML_L4: return list_logical(load<std::int32_t>(at));
    case TAV_NML_CHARACTER:
      // Each character value gets its own separator blank.
      __TAVf90_last_was_char = 0;
      return list_character(at, e.length);
    case TAV_NML_DERIVED:
      for (int c = 0, n = nml::component_count(e); c < n; ++c) {
        const Entry &comp = e.components->entries[c];
        const char *base = at + comp.where.offset;
        for (std::int64_t k = 0, count = nml::element_count(comp.shape); k < count; ++k)
          if (int s = write_value(comp, base + nml::element_offset(comp.shape, k))) return s;
      }
      return 0;
    default: return 0;
  }
}

// Ends the record; the next one begins with a blank.
int continue_record() {
  if (int s = Record::end_record()) return s;
  return Record::put(' ');
}

std::int64_t name_length(const Entry &e) { return e.name == nullptr ? 0 : std::strlen(e.name); }

// Whether the object at `at` has to start on a new record: its name, " = "
// and its first value (or its whole first element when that fits a record)
// would not leave the record's last column free.
bool break_before(const Entry &e, const char *at) {
  const std::int64_t p = Record::position(), b = Record::buflen();
  const std::int64_t l = name_length(e) + 3;
  if (p + l + 2 > b) return true;
  // The first scalar value: the first component, at any depth.
  const Entry *first = &e;
  const char *first_at = at;
  while (first != nullptr && first->type == TAV_NML_DERIVED) {
    if (nml::component_count(*first) <= 0) {
      first = nullptr;
    } else {
      first_at += first->components->entries[0].where.offset;
      first = &first->components->entries[0];
    }
  }
  const std::int64_t w1 = first == nullptr ? 0 : item_size(*first, first_at);
  if (w1 < b && p + l + w1 + 2 > b) return true;
  const std::int64_t w = item_size(e, at);
  return w < b && p + l + w + 2 > b;
}

int write_object(const Entry &e, bool more) {
  const char *base = static_cast<const char *>(e.where.address);
  if (break_before(e, base))
    if (int s = continue_record()) return s;
  if (int s = Record::put_run(e.name, static_cast<int>(name_length(e)))) return s;
  if (int s = Record::put_run(" =", 2)) return s;
  const std::int64_t b = Record::buflen();
  for (std::int64_t k = 0, count = nml::element_count(e.shape); k < count; ++k) {
    const char *at = base + nml::element_offset(e.shape, k);
    const std::int64_t p = Record::position();
    if (e.type == TAV_NML_CHARACTER) {
      const std::int64_t length = e.length < 0 ? 0 : e.length;
      if (p + 3 + 2 * length > b && length < b && p + 1 + length >= b)
        if (int s = continue_record()) return s;
    } else if (e.type != TAV_NML_DERIVED && p + 35 > b) {
      const std::int64_t w = item_size(e, at);
      if (w < b && p + 1 + w >= b)
        if (int s = continue_record()) return s;
    }
    if (int s = write_value(e, at)) return s;
  }
  const std::int64_t p = Record::position();
  if ((more && p + 2 >= b) || p + 1 >= b)
    if (int s = continue_record()) return s;
  return more ? Record::put_run(", ", 2) : 0;
}

int write_namelist(const tav_nml_group &group) {
  const int glen = group.name == nullptr ? 0 : static_cast<int>(std::strlen(group.name));
  if (int s = Record::put_run(" &", 2)) return s;
  if (int s = Record::put_run(group.name, glen)) return s;
  if (int s = Record::put(' ')) return s;
  for (int i = 0; i < group.count; ++i)
    if (int s = write_object(*group.objects[i], i + 1 < group.count)) return s;
  if (int s = Record::put('/')) return s;
  return Record::end_record();
}

int begin_writen(int unit, const tav_nml_group &group, int flags) {
  begin_statement(flags, 0, 0);
  if (int code = select_formatted_sequential_fast(unit, TAV_ACTION_WRITE)) return code;
  tav_unit_record &r = *__TAVf90_cur_finfo;
  // An object name that cannot fit even in a record of its own (blank,
  // name, " =") could never be written: the group is refused before any of
  // it, or anything the unit holds, goes out.
  for (int i = 0; i < group.count; ++i)
    if (name_length(*group.objects[i]) + 3 > r.recl) return ioerr(kBufferOverflow);
  if (int code = start_record_output(unit, true)) return code;
  statement.where.list = false;
  // Unlike the other WRITEs, the group takes the input modes too.
  take_unit_modes(r);
  return 0;
}

}  // namespace
}  // namespace tav::io

using namespace tav::io;

extern "C" int __TAVf90_writen(int32_t unit, const tav_nml_group *group, int32_t flags) {
  if (int code = begin_writen(unit, *group, flags)) return code;
  if (int code = write_namelist(*group)) return code;
  return end_statement();
}
