// Output editing with w, d, e, m and the scale factor drawn from the whole
// 32-bit range, on a record of limited length.  Checked on every input:
// nothing is written past the record; a conversion that succeeds writes a
// field of exactly w characters when w > 0; an error is one of the
// conversion's own codes or the record overflow; the conversion leaves
// the record position where its characters end.
//
// Input: 1 byte descriptor, 1 byte flags (SP, noseparator, REAL), then w, d, e,
// m, k (4 bytes each, little-endian) and an 8-byte value.
#include "fuzz/fuzz_support.h"
#include "io/int_edit.h"
#include "io/real_edit.h"

namespace {

constexpr int kRecord = 4096;
char record[kRecord + 1];

int put_n(char *s, int n) {
  int pos = __TAVf90_io_position;
  int room = kRecord - pos;
  int k = n < room ? n : room;
  std::memcpy(record + pos, s, static_cast<std::size_t>(k));
  __TAVf90_io_position = pos + k;
  return k < n ? 100 : 0;
}
int put_1(char c) { return put_n(&c, 1); }

std::int32_t word(const std::uint8_t *p) {
  std::uint32_t v;
  std::memcpy(&v, p, 4);
  return static_cast<std::int32_t>(v);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  if (size < 2 + 5 * 4 + 8) return 0;
  const int which = data[0] % 16;
  const int flags = data[1];
  const std::int32_t w = word(data + 2), d = word(data + 6), e = word(data + 10), m = word(data + 14),
                     k = word(data + 18);
  double value;
  std::memcpy(&value, data + 22, 8);
  std::int64_t ivalue;
  std::memcpy(&ivalue, data + 22, 8);

  __TAVf90_io_position = 0;
  __TAVf90_io_buflen = kRecord;
  __TAVf90_mychar = put_1;
  __TAVf90_mystring = put_n;
  __TAVf90_error_continue = 1;
  __TAVf90_io_lock = 1;
  __TAVf90_compulsory_plus = flags & 1;
  __TAVf90_noseparator = (flags >> 1) & 1;
  __TAVf90_current_scale = k;
  static const char kLetters[] = "FDGEEE";
  static const char kVariants[] = {0, 0, 0, 0, 'N', 'S'};
  int status;
  bool fixed_width = __TAVf90_noseparator == 0;
  using namespace tav::io;
  switch (which) {
    case 0: case 1: case 2: case 3: case 4: case 5:
      __TAVf90_current_edit[0] = kLetters[which];
      __TAVf90_current_edit[1] = kVariants[which];
      __TAVf90_w = w, __TAVf90_d = d, __TAVf90_e = e;
      // A REAL item is edited from its value converted to double.
      status = write_real(flags & 4 ? static_cast<double>(static_cast<float>(value)) : value);
      break;
    case 6: status = format_I(static_cast<std::int32_t>(ivalue), w, 0); break;
    case 7: status = format_I(static_cast<std::int32_t>(ivalue), w, m); break;
    case 8: status = format_I4(ivalue, w, m); break;
    case 9: status = format_B4(static_cast<std::uint64_t>(ivalue), w, m); break;
    case 10: status = format_O(static_cast<std::uint32_t>(ivalue), w, m); break;
    case 11: status = format_Z4(static_cast<std::uint64_t>(ivalue), w, m); break;
    case 12: status = format_L(static_cast<std::int32_t>(ivalue), w); break;
    case 13: status = format_A(reinterpret_cast<const char *>(data + 22), w, static_cast<int>(size - 22)); break;
    default: status = format_F(value, w, d); break;
  }
  __TAVf90_io_lock = 0;
  const int pos = __TAVf90_io_position;
  fuzz::check(pos >= 0 && pos <= kRecord, "position");
  // Codes a conversion may return: record overflow, scale factor out of
  // range, exponent too large, invalid real or integer edit.
  const bool known =
      status == 0 || status == 100 || status == 102 || status == 103 || status == 134 || status == 135;
  fuzz::check(known, "status");
  fuzz::check(status != 100 || pos == kRecord, "overflow before the end");
  fuzz::check(status != 0 || !fixed_width || w <= 0 || pos == w, "width");
  return 0;
}
