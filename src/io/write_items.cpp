// Integer, logical and character output editing, and the formatted write
// entries: one per item type and kind, each running the per-item protocol
// around its conversion.  The dusty family also takes A for numeric and
// logical items, editing the bytes of the item's storage.
#include <cstdint>
#include <cstring>

#include "io/digits.h"
#include "io/edit.h"
#include "io/int_edit.h"
#include "io/ioerr.h"
#include "io/real_edit.h"
#include "io/record.h"
#include "tavf90.h"

namespace tav::io {
namespace {

constexpr int kOut = TAV_MODE_OUTPUT;

// Fields up to this width are assembled in one local array and handed to
// the record in a single run; wider ones stream through a FieldWriter.
constexpr int kShortField = 64;

// A field of `width` characters: blanks, the sign (if any), zeros up to
// `ndigits`, then the n digits.  width >= the length of the text.
int put_field(std::int64_t width, char sign, std::int64_t ndigits, const char *digit, int n) {
  std::int64_t text = ndigits + (sign ? 1 : 0);
  if (width <= kShortField) {
    char field[kShortField];
    int w = static_cast<int>(width);
    char *end = field + w;
    std::memcpy(end - n, digit, static_cast<std::size_t>(n));
    std::memset(end - ndigits, '0', static_cast<std::size_t>(ndigits - n));
    if (sign) field[w - text] = sign;
    std::memset(field, ' ', static_cast<std::size_t>(w - text));
    return Record::put(field, w);
  }
  FieldWriter out;
  out.fill(' ', width - text);
  if (sign) out.put(sign);
  out.fill('0', ndigits - n);
  out.text(digit, n);
  return out.finish();
}

int asterisks(int w) {
  FieldWriter out;
  out.fill('*', w);
  return out.finish();
}

// Iw.m for a sign and an unsigned magnitude (32 or 64 bits), any w and m:
// a short field is built from the right in a local array, and the zeros,
// blanks and asterisks of a wide one are streamed in chunks, so that any w
// and m cost no storage.
template <typename Magnitude>
[[gnu::noinline]] int integer_field_general(bool negative, Magnitude magnitude, int w, int m) {
  if (w > 0 && m > w) return ioerr(kInvalidIntegerEdit);
  if (m < 0) m = 0;
  if (w == 0 && m == 0 && magnitude == 0) return Record::put(' ');
  char sign = 0;
  if (negative)
    sign = '-';
  else if (Edit::plus() && !(magnitude == 0 && m == 0))
    sign = '+';
  int n = (magnitude == 0 && m == 0) ? 0 : digits::decimal_length(magnitude);
  // The field is built from the right; the array has room in front of the
  // widest short field for the blanks below, which go in blocks of eight.
  constexpr int kDigits = 20;
  char field[kDigits + kShortField];
  char *end = field + sizeof field;
  if (n > 0) digits::decimal_before(magnitude, end);
  if (m <= kShortField) {
    int ndigits = n > m ? n : m;
    int length = ndigits + (sign ? 1 : 0);
    if (w > 0 && length > w) return asterisks(w);
    int width = w > 0 ? w : length;
    if (width <= kShortField) {
      if (m > n) std::memset(end - m, '0', static_cast<std::size_t>(m - n));
      if (sign) end[-length] = sign;
      static constexpr char kBlanks[8] = {' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '};
      for (char *q = end - length; q > end - width; q -= 8) std::memcpy(q - 8, kBlanks, 8);
      return Record::put_run(end - width, width);
    }
  }
  std::int64_t ndigits = n > m ? n : m;
  std::int64_t length = ndigits + (sign ? 1 : 0);
  if (w > 0 && length > w) return asterisks(w);
  std::int64_t width = w > 0 ? w : length;
  return put_field(width, sign, ndigits, end - n, n);
}

// Iw.m.  The usual field -- 0 <= m <= w <= kShortField, w > 0, and the
// value fits -- is built from the right in place in the record of an
// external WRITE, inline in the item entry; everything else goes the
// general way.
template <typename Magnitude>
[[gnu::always_inline]] inline int integer_field(bool negative, Magnitude magnitude, int w, int m) {
  // (w - 1 taken unsigned: a w of INT_MIN must not overflow)
  if (static_cast<unsigned>(w) - 1u < static_cast<unsigned>(kShortField) &&
      static_cast<unsigned>(m) <= static_cast<unsigned>(w)) {
    if (char *dst = Record::reserve(w)) {
      const bool empty = magnitude == 0 && m == 0;
      const int n = empty ? 0 : digits::decimal_length(magnitude);
      const int ndigits = n > m ? n : m;
      const bool sign = negative || (Edit::plus() && !empty);
      const int length = ndigits + (sign ? 1 : 0);
      if (length <= w) {
        char *end = dst + w;
        if (n > 0) digits::decimal_before(magnitude, end);
        if (ndigits > n) fill_bytes(end - ndigits, '0', ndigits - n);
        if (sign) end[-length] = negative ? '-' : '+';
        fill_bytes(dst, ' ', w - length);
        Record::advance(w);
        return 0;
      }
    }
  }
  return integer_field_general(negative, magnitude, w, m);
}

// Bw.m, Ow.m and Zw.m for the n digits of an unsigned value (none for 0).
int boz_write(const char *digit, int n, int w, int m) {
  if (w > 0 && m > w) return ioerr(kInvalidIntegerEdit);
  if (m < 0) m = 0;
  if (w == 0 && m == 0 && n == 0) return Record::put(' ');
  int width = w == 0 ? n : w;
  if (n > width) return asterisks(width);
  int ndigits = n > m ? n : m;
  return put_field(width > ndigits ? width : ndigits, 0, ndigits, digit, n);
}

int boz(std::uint64_t value, int base, int w, int m) {
  char digit[64];
  int n = digits::radix(value, base, digit);
  return boz_write(digit, n, w, m);
}

// An integer item: Value is the 32- or 64-bit signed value, Bits its
// unsigned bits for B, O and Z (zero-extended for the short kinds).
// `storage` is given where A edits the item's bytes.
template <typename Value, typename Bits>
int write_int(Value value, Bits bits, const void *storage, int size) {
  ++statement.where.item;
  if (int s = item_begin(kOut)) return s;
  int w = Edit::w();
  int status;
  switch (Edit::letter()) {
    case 'I':
      status = integer_field(value < 0, value < 0 ? Bits(0) - Bits(value) : Bits(value), w, Edit::m());
      break;
    case 'G':
      status = integer_field(value < 0, value < 0 ? Bits(0) - Bits(value) : Bits(value), w, 1);
      break;
    case 'B':
      status = boz(bits, 2, w, Edit::m());
      break;
    case 'O':
      status = boz(bits, 8, w, Edit::m());
      break;
    case 'Z':
      status = boz(bits, 16, w, Edit::m());
      break;
    case 'A':
      if (storage != nullptr) {
        status = format_A(static_cast<const char *>(storage), w != 0 ? w : size, size);
        break;
      }
      [[fallthrough]];
    default:
      status = ioerr(kInvalidIntegerEdit);
  }
  return item_end(kOut, status);
}

int write_logical(std::int32_t value, const void *storage, int size) {
  ++statement.where.item;
  if (int s = item_begin(kOut)) return s;
  int status;
  switch (Edit::letter()) {
    case 'L':
    case 'G':
      status = format_L(value, Edit::w());
      break;
    case 'A':
      if (storage != nullptr) {
        status = format_A(static_cast<const char *>(storage), Edit::w() != 0 ? Edit::w() : size, size);
        break;
      }
      [[fallthrough]];
    default:
      status = ioerr(kInvalidLogicalEdit);
  }
  return item_end(kOut, status);
}

// A real item, or a part of a complex one (the second part is no item of
// its own); `storage` is given only by the dusty entries.
int write_floating(double value, const void *storage, int size, bool new_item = true) {
  if (new_item) ++statement.where.item;
  if (int s = item_begin(kOut)) return s;
  int status;
  if (storage != nullptr && Edit::letter() == 'A')
    status = format_A(static_cast<const char *>(storage), Edit::w() != 0 ? Edit::w() : size, size);
  else
    status = write_real(value);
  return item_end(kOut, status);
}

}  // namespace

int format_I(std::int32_t value, int w, int m) {
  auto bits = static_cast<std::uint32_t>(value);
  return integer_field(value < 0, value < 0 ? 0u - bits : bits, w, m);
}

int format_I4(std::int64_t value, int w, int m) {
  auto bits = static_cast<std::uint64_t>(value);
  return integer_field(value < 0, value < 0 ? 0u - bits : bits, w, m);
}

int format_B(std::uint32_t value, int w, int m) { return boz(value, 2, w, m); }
int format_O(std::uint32_t value, int w, int m) { return boz(value, 8, w, m); }
int format_Z(std::uint32_t value, int w, int m) { return boz(value, 16, w, m); }
int format_B4(std::uint64_t value, int w, int m) { return boz(value, 2, w, m); }
int format_O4(std::uint64_t value, int w, int m) { return boz(value, 8, w, m); }
int format_Z4(std::uint64_t value, int w, int m) { return boz(value, 16, w, m); }

int format_L(std::int32_t value, int w) {
  FieldWriter out;
  if (w > 1) out.fill(' ', w - 1);
  out.put(value != 0 ? 'T' : 'F');
  return out.finish();
}

int format_A(const char *address, int w, int length) {
  if (length < 0) length = 0;
  if (w < 0) w = 0;
  int n = w < length ? w : length;
  FieldWriter out;
  if (w > length) out.fill(' ', w - length);
  if (n <= 128) {
    out.text(address, n);
    return out.finish();
  }
  // A long value goes to the record in one run of its own.
  if (int s = out.finish()) return s;
  return Record::put(address, n);
}

}  // namespace tav::io

using namespace tav::io;

extern "C" {

int __TAVf90_format_A(const char *address, int w, int length) { return format_A(address, w, length); }

int __TAVf90_write_i(int32_t value) {
  return write_int(value, static_cast<std::uint32_t>(value), nullptr, 0);
}
int __TAVf90_write_i1(int8_t value) {
  return write_int(std::int32_t{value}, std::uint32_t{static_cast<std::uint8_t>(value)}, nullptr, 0);
}
int __TAVf90_write_i2(int16_t value) {
  return write_int(std::int32_t{value}, std::uint32_t{static_cast<std::uint16_t>(value)}, nullptr, 0);
}
int __TAVf90_write_i4(int64_t value) {
  return write_int(value, static_cast<std::uint64_t>(value), &value, 8);
}

int __TAVf90_write_d(double value) { return write_floating(value, nullptr, 0); }
int __TAVf90_write_r(float value) { return __TAVf90_write_d(value); }
int __TAVf90_write_c(float re, float im) {
  if (int s = write_floating(re, nullptr, 0)) return s;
  return write_floating(im, nullptr, 0, false);
}
int __TAVf90_write_dc(double re, double im) {
  if (int s = write_floating(re, nullptr, 0)) return s;
  return write_floating(im, nullptr, 0, false);
}

int __TAVf90_write_l(int32_t value) { return write_logical(value, nullptr, 0); }
int __TAVf90_write_l1(int8_t value) { return __TAVf90_write_l(value); }
int __TAVf90_write_l2(int16_t value) { return __TAVf90_write_l(value); }
int __TAVf90_write_l4(int64_t value) {
  return __TAVf90_write_l(static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(value))));
}

int __TAVf90_write_ch(const char *address, int length) {
  ++statement.where.item;
  if (int s = item_begin(kOut)) return s;
  int status;
  char c = Edit::letter();
  if (c == 'A' || c == 'G')
    status = format_A(address, Edit::w() != 0 ? Edit::w() : length, length);
  else
    status = ioerr(kInvalidCharacterEdit);
  return item_end(kOut, status);
}

int __TAVf90_dusty_write_i(int32_t value) {
  return write_int(value, static_cast<std::uint32_t>(value), &value, 4);
}
int __TAVf90_dusty_write_i1(int8_t value) {
  return write_int(std::int32_t{value}, std::uint32_t{static_cast<std::uint8_t>(value)}, &value, 1);
}
int __TAVf90_dusty_write_i2(int16_t value) {
  return write_int(std::int32_t{value}, std::uint32_t{static_cast<std::uint16_t>(value)}, &value, 2);
}
int __TAVf90_dusty_write_i4(int64_t value) {
  return write_int(value, static_cast<std::uint64_t>(value), &value, 8);
}

int __TAVf90_dusty_write_r(float value) { return write_floating(value, &value, 4); }
int __TAVf90_dusty_write_d(double value) { return write_floating(value, &value, 8); }
int __TAVf90_dusty_write_c(float re, float im) {
  if (int s = write_floating(re, &re, 4)) return s;
  return write_floating(im, &im, 4, false);
}
int __TAVf90_dusty_write_dc(double re, double im) {
  if (int s = write_floating(re, &re, 8)) return s;
  return write_floating(im, &im, 8, false);
}

int __TAVf90_dusty_write_l(int32_t value) { return write_logical(value, &value, 4); }
int __TAVf90_dusty_write_l1(int8_t value) { return write_logical(value, &value, 1); }
int __TAVf90_dusty_write_l2(int16_t value) { return write_logical(value, &value, 2); }
int __TAVf90_dusty_write_l4(int64_t value) {
  return write_logical(static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(value))), &value, 8);
}

}  // extern "C"
