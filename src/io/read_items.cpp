// The item entries of formatted and list-directed READ: each takes the
// next field (or value) through the statement's character hooks, converts
// it, and stores it into the item only when all went well.
#include <cstdint>
#include <cstring>
#include <limits>

#include "io/edit.h"
#include "io/ioerr.h"
#include "io/read_edit.h"
#include "io/record.h"
#include "io/scan.h"
#include "storage/work.h"
#include "tavf90.h"

namespace tav::io {
namespace {

using input::Field;

constexpr int kIn = TAV_MODE_INPUT;

// Storage for the characters of one field: a local array, or working
// storage for a field longer than it.
class FieldBuffer {
 public:
  FieldBuffer() = default;
  FieldBuffer(const FieldBuffer &) = delete;
  FieldBuffer &operator=(const FieldBuffer &) = delete;
  ~FieldBuffer() {
    if (big_ != nullptr) storage::work_free(big_, cap_);
  }
  // Room for n characters, keeping the first `keep`.
  char *reserve(std::size_t n, std::size_t keep) {
    if (n <= sizeof local_ && big_ == nullptr) return local_;
    if (big_ != nullptr && n <= cap_) return big_;
    std::size_t cap = n < 2 * cap_ ? 2 * cap_ : n;
    auto *p = static_cast<char *>(storage::work_alloc(cap));
    if (keep > 0) std::memcpy(p, big_ != nullptr ? big_ : local_, keep);
    if (big_ != nullptr) storage::work_free(big_, cap_);
    big_ = p;
    cap_ = cap;
    return p;
  }

 private:
  char local_[256];
  char *big_ = nullptr;
  std::size_t cap_ = 0;
};

// Characters left in the current record.
int left_in_record() {
  int avail = Record::reclen() - Record::position();
  return avail > 0 && Record::position() >= 0 ? avail : 0;
}

// The padding of a field past the end of its record (PAD='YES'): blanks,
// and for a non-advancing READ with EOR= a note that the record ended.
void note_padding() {
  if (Record::nonadvance_read() && __TAVf90_eor_continue) Record::field_status() = -2;
}

// Takes the next w characters of the record as a field: what the record
// still holds through the take-n hook, then blanks under PAD='YES'; under
// PAD='NO' the character hook reports running past the end.
int take_field(int w, FieldBuffer &buf, Field *f) {
  std::size_t got = 0;
  char *p = buf.reserve(0, 0);
  f->pad = 0;
  while (got < static_cast<std::size_t>(w)) {
    std::size_t want = static_cast<std::size_t>(w) - got;
    std::size_t avail = static_cast<std::size_t>(left_in_record());
    if (avail > 0) {
      std::size_t k = want < avail ? want : avail;
      p = buf.reserve(got + k, got);
      if (int s = Record::get(p + got, static_cast<int>(k))) return s;
      got += k;
    } else if (Record::pad()) {
      note_padding();
      f->pad = static_cast<std::int64_t>(want);
      break;
    } else {
      p = buf.reserve(got + 1, got);
      if (int s = Record::get(p + got)) return s;
      ++got;
    }
  }
  f->text = p;
  f->n = static_cast<int>(got);
  return 0;
}

// take_field, where the usual case -- the record holds the whole field --
// costs no call: the field is read where it stands.
inline int take_field_fast(int w, FieldBuffer &buf, Field *f) {
  if (const char *p = Record::peek(w)) {
    Record::consume(w);
    f->text = p;
    f->n = w;
    f->pad = 0;
    return 0;
  }
  return take_field(w, buf, f);
}

// Steps over n characters of the record (the left part of an Aw field wider
// than its item): past the end of the record they are padding under
// PAD='YES', the hook's end-of-record condition otherwise.
int skip_field(std::int64_t n) {
  char scratch[256];
  while (n > 0) {
    std::int64_t avail = left_in_record();
    if (avail > 0) {
      int k = static_cast<int>(n < avail ? (n < 256 ? n : 256) : (avail < 256 ? avail : 256));
      if (int s = Record::get(scratch, k)) return s;
      n -= k;
    } else if (Record::pad()) {
      note_padding();
      return 0;
    } else {
      if (int s = Record::get(scratch)) return s;
      --n;
    }
  }
  return 0;
}

// The end of every conversion: the end-of-record note of a padded field.
int field_done() {
  int fs = Record::field_status();
  return fs != 0 ? ioerr(fs, __TAVf90_current_unit) : 0;
}

// A condition of the field just taken, located where the field began.
template <typename... Args>
int field_error(const Field &f, int code, Args... args) {
  return ioerr_at(Record::position() - f.n, code, args...);
}

}  // namespace

int input_format_A(char *address, int w, int length) {
  Record::field_status() = 0;
  if (length < 0) length = 0;
  if (w < 0) w = 0;
  if (w > length) {
    if (int s = skip_field(std::int64_t{w} - length)) return s;
  }
  int n = w < length ? w : length;
  int avail = left_in_record();
  if (n <= avail || Record::pad()) {
    // Nothing can fail: the characters go straight into the item.
    int k = n < avail ? n : avail;
    if (int s = Record::get(address, k)) return s;
    if (k < n) {
      note_padding();
      std::memset(address + k, ' ', static_cast<std::size_t>(n - k));
    }
  } else {
    // The record ends inside the field: the condition comes from the hook
    // and the item keeps its value.
    FieldBuffer buf;
    Field f;
    if (int s = take_field(n, buf, &f)) return s;
    std::memcpy(address, f.text, static_cast<std::size_t>(f.n));
  }
  if (n < length) std::memset(address + n, ' ', static_cast<std::size_t>(length - n));
  return field_done();
}

namespace {

// The condition of an integer value out of the range of the item's kind.
template <typename Int>
constexpr int range_error_of() {
  return sizeof(Int) == 1 ? input::kRangeInt1
         : sizeof(Int) == 2 ? input::kRangeInt2
         : sizeof(Int) == 4 ? input::kRangeInt
                            : input::kRangeInt8;
}

// ---- formatted input -----------------------------------------------------
//
// The frames and the lambdas the entries hand them are inlined into each
// entry, so that an item costs no more calls than one written out whole.

// The frame of the formatted item entries of every type but CHARACTER: the
// next data edit; under A, when `dusty` (the entries of the older form),
// the item's bytes read as characters; under a letter the type `accepts`,
// the item read by `convert`; under any other, the type's error.  The item
// is counted for the error location unless it is not `new_item`.
template <typename T, typename Accepts, typename Convert>
[[gnu::always_inline]] inline int edited_item(T *item, bool dusty, int wrong_edit, Accepts accepts, Convert convert,
                                              bool new_item = true) {
  if (new_item) ++statement.where.item;
  if (int s = item_begin(kIn)) return s;
  const char letter = Edit::letter();
  int status;
  if (letter == 'A' && dusty)
    status = input_format_A(reinterpret_cast<char *>(item), Edit::w() != 0 ? Edit::w() : int{sizeof(T)},
                            int{sizeof(T)});
  else if (accepts(letter))
    status = convert(letter);
  else
    status = ioerr(wrong_edit);
  return item_end(kIn, status);
}

// The field of the current edit's width, converted by `parse` (which
// stores the value and returns 0, or returns the condition it reported),
// then the end-of-record note of a padded field.
template <typename Parse>
[[gnu::always_inline]] inline int convert_field(Parse parse) {
  Record::field_status() = 0;
  FieldBuffer buf;
  Field f;
  if (int s = take_field_fast(Edit::w(), buf, &f)) return s;
  if (int s = parse(f)) return s;
  return field_done();
}

// An integer item of 1, 2, 4 or 8 bytes under I, G, B, O, Z.
template <typename Int>
int read_integer_item(Int *item, bool dusty) {
  const auto accepts = [](char c) { return c == 'I' || c == 'G' || c == 'B' || c == 'O' || c == 'Z'; };
  return edited_item(item, dusty, kInvalidIntegerEdit, accepts, [item](char letter) __attribute__((always_inline)) {
    return convert_field([item, letter](const Field &f) __attribute__((always_inline)) {
      const bool bz = Record::blanks() != 0;
      int status;
      if (letter == 'I' || letter == 'G') {
        std::int64_t v = 0;
        status = input::parse_integer(f, bz, std::numeric_limits<Int>::min(), std::numeric_limits<Int>::max(),
                                      range_error_of<Int>(), &v);
        if (status == 0) *item = static_cast<Int>(v);
      } else {
        std::uint64_t v = 0;
        status = input::parse_boz(f, bz, letter == 'B' ? 1 : letter == 'O' ? 3 : 4, static_cast<int>(8 * sizeof(Int)),
                                  range_error_of<Int>(), &v);
        if (status == 0) *item = static_cast<Int>(v);
      }
      return status != 0 ? field_error(f, status) : 0;
    });
  });
}

// A real value of kind T under F, E, D, G.  The second part of a complex
// value is no item of its own.
template <typename T>
int read_real_item(T *item, bool dusty, bool new_item = true) {
  const auto accepts = [](char c) { return c == 'F' || c == 'E' || c == 'D' || c == 'G'; };
  return edited_item(
      item, dusty, kInvalidRealEdit, accepts,
      [item](char) __attribute__((always_inline)) {
        return convert_field([item](const Field &f) __attribute__((always_inline)) {
          T v;
          if (int e = input::parse_real(f, Record::blanks() != 0, Edit::d(), Edit::scale(), &v))
            return field_error(f, e);
          *item = v;
          return 0;
        });
      },
      new_item);
}

// Both parts go in only when both were read.
template <typename T>
int read_complex_item(T *item, bool dusty) {
  T part[2] = {item[0], item[1]};
  if (int s = read_real_item(&part[0], dusty)) return s;
  if (int s = read_real_item(&part[1], dusty, false)) return s;
  item[0] = part[0];
  item[1] = part[1];
  return 0;
}

template <typename Int>
int read_logical_item(Int *item, bool dusty) {
  const auto accepts = [](char c) { return c == 'L' || c == 'G'; };
  return edited_item(item, dusty, kInvalidLogicalEdit, accepts, [item](char) __attribute__((always_inline)) {
    return convert_field([item](const Field &f) __attribute__((always_inline)) {
      std::int32_t v = 0;
      char bad = 0;
      const int e = input::parse_logical(f, &v, &bad);
      if (e == input::kBadLogicalChar) return field_error(f, e, bad);
      if (e != 0) return field_error(f, e);
      *item = static_cast<Int>(v);
      return 0;
    });
  });
}

// ---- list-directed input -------------------------------------------------

using input::Scanner;

// The scanner and its source are part of the statement state.
constexpr Scanner &scanner = statement.scanner;
constexpr HookSource &hooks = statement.source;

constexpr unsigned bit(Scanner::Type t) { return 1u << t; }

// The frame of every list-directed item entry: the scanner finds the value
// for an item that takes the types `accept`; `store` puts it into the item
// (and returns 0 or the condition) unless the value is null.
template <typename Store>
int list_item(unsigned accept, int type_error, Store store, bool quoted_only = false) {
  ++statement.where.item;
  bool have;
  if (int s = scanner.next(hooks, accept, type_error, &have, quoted_only)) return s;
  return have ? store() : 0;
}

template <typename Int>
int lread_integer(Int *item) {
  return list_item(bit(Scanner::kInteger), input::kBadInteger, [item] {
    const input::Number &n = scanner.number();
    if (!n.integer || n.ivalue < std::numeric_limits<Int>::min() || n.ivalue > std::numeric_limits<Int>::max())
      return ioerr_at(scanner.value_start(), range_error_of<Int>());
    *item = static_cast<Int>(n.ivalue);
    return 0;
  });
}

template <typename T>
int lread_real(T *item) {
  return list_item(bit(Scanner::kInteger) | bit(Scanner::kReal), input::kBadReal, [item] {
    *item = scanner.number().as<T>();
    return 0;
  });
}

template <typename T>
int lread_complex(T *item) {
  return list_item(bit(Scanner::kComplex), input::kBadComplex, [item] {
    item[0] = scanner.real_part().as<T>();
    item[1] = scanner.imag_part().as<T>();
    return 0;
  });
}

template <typename Int>
int lread_logical(Int *item) {
  return list_item(bit(Scanner::kLogical), input::kBadLogical, [item] {
    *item = scanner.logical() ? 1 : 0;
    return 0;
  });
}

int lread_character(char *item, std::int32_t length, bool quoted_only) {
  return list_item(
      bit(Scanner::kCharacter), input::kBadCharacter,
      [item, length] {
        if (length <= 0) return 0;
        const std::int32_t n = scanner.length() < length ? scanner.length() : length;
        if (n > 0) std::memcpy(item, scanner.chars(), static_cast<std::size_t>(n));
        std::memset(item + n, ' ', static_cast<std::size_t>(length - n));
        return 0;
      },
      quoted_only);
}

}  // namespace

int HookSource::fail(int code) { return ioerr_at(scanner.value_start(), code); }
int HookSource::left() { return Record::reclen() - Record::position(); }
int HookSource::take(char *dst, int n) { return Record::get(dst, n); }
int HookSource::record_position() { return Record::position(); }
void HookSource::seek(int p) { Record::position() = p; }
int HookSource::advance_record() { return Record::end_record(); }
const char *HookSource::view(int n) {
  const char *p = Record::peek(n);
  if (p != nullptr) Record::consume(n);
  return p;
}

int init_linput() {
  __TAVf90_eor_continue = 1;
  hooks.drop();
  scanner.start();
  return 0;
}

}  // namespace tav::io

using namespace tav::io;

extern "C" {

int __TAVf90_input_format_A(char *address, int w, int length) { return input_format_A(address, w, length); }

int __TAVf90_read_i(int32_t *item) { return read_integer_item(item, false); }
int __TAVf90_read_i1(int8_t *item) { return read_integer_item(item, false); }
int __TAVf90_read_i2(int16_t *item) { return read_integer_item(item, false); }
int __TAVf90_read_i4(int64_t *item) { return read_integer_item(item, false); }
int __TAVf90_read_r(float *item) { return read_real_item(item, false); }
int __TAVf90_read_d(double *item) { return read_real_item(item, false); }
int __TAVf90_read_c(float *item) { return read_complex_item(item, false); }
int __TAVf90_read_dc(double *item) { return read_complex_item(item, false); }
int __TAVf90_read_l(int32_t *item) { return read_logical_item(item, false); }
int __TAVf90_read_l1(int8_t *item) { return read_logical_item(item, false); }
int __TAVf90_read_l2(int16_t *item) { return read_logical_item(item, false); }
int __TAVf90_read_l4(int64_t *item) { return read_logical_item(item, false); }

int __TAVf90_read_ch(char *item, int length) {
  ++statement.where.item;
  if (int s = item_begin(kIn)) return s;
  int status;
  char c = Edit::letter();
  if (c == 'A' || c == 'G')
    status = input_format_A(item, Edit::w() != 0 ? Edit::w() : length, length);
  else
    status = ioerr(kInvalidCharacterEdit);
  return item_end(kIn, status);
}

int __TAVf90_dusty_read_i(int32_t *item) { return read_integer_item(item, true); }
int __TAVf90_dusty_read_i1(int8_t *item) { return read_integer_item(item, true); }
int __TAVf90_dusty_read_i2(int16_t *item) { return read_integer_item(item, true); }
int __TAVf90_dusty_read_i4(int64_t *item) { return read_integer_item(item, true); }
int __TAVf90_dusty_read_r(float *item) { return read_real_item(item, true); }
int __TAVf90_dusty_read_d(double *item) { return read_real_item(item, true); }
int __TAVf90_dusty_read_c(float *item) { return read_complex_item(item, true); }
int __TAVf90_dusty_read_dc(double *item) { return read_complex_item(item, true); }
int __TAVf90_dusty_read_l(int32_t *item) { return read_logical_item(item, true); }
int __TAVf90_dusty_read_l1(int8_t *item) { return read_logical_item(item, true); }
int __TAVf90_dusty_read_l2(int16_t *item) { return read_logical_item(item, true); }
int __TAVf90_dusty_read_l4(int64_t *item) { return read_logical_item(item, true); }

int __TAVf90_init_linput(void) { return init_linput(); }
int __TAVf90_lread_i(int32_t *item) { return lread_integer(item); }
int __TAVf90_lread_i1(int8_t *item) { return lread_integer(item); }
int __TAVf90_lread_i2(int16_t *item) { return lread_integer(item); }
int __TAVf90_lread_i4(int64_t *item) { return lread_integer(item); }
int __TAVf90_lread_r(float *item) { return lread_real(item); }
int __TAVf90_lread_d(double *item) { return lread_real(item); }
int __TAVf90_lread_c(float *item) { return lread_complex(item); }
int __TAVf90_lread_dc(double *item) { return lread_complex(item); }
int __TAVf90_lread_l(int32_t *item) { return lread_logical(item); }
int __TAVf90_lread_l1(int8_t *item) { return lread_logical(item); }
int __TAVf90_lread_l2(int16_t *item) { return lread_logical(item); }
int __TAVf90_lread_l4(int64_t *item) { return lread_logical(item); }
int __TAVf90_lread_ch(char *item, int32_t length) { return lread_character(item, length, false); }
int __TAVf90_lread_nl_ch(char *item, int32_t length) { return lread_character(item, length, true); }

int __TAVf90_insync_namelist(char c) {
  hooks.drop();
  scanner.sync_in(c);
  return 0;
}

int __TAVf90_outsync_namelist(int32_t *repeat) {
  hooks.sync();
  if (repeat != nullptr) *repeat = scanner.pending_repeat();
  return static_cast<signed char>(scanner.lookahead());
}

}  // extern "C"
