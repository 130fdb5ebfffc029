// Whole formatted and list-directed WRITE statements with mixed items, run
// back to back on one unit: the format text and the items come from the
// input.  Checked after every statement: it ended (the I/O lock is free),
// its status is 0 or a code from the I/O error table and is what iostat
// says, and a statement that succeeded left no record open.
//
// Input: 1 byte item count (low 3 bits) and list-directed flag (bit 3),
// then per item 1 type byte and 8 value bytes, then the format text.
#include "fuzz/fuzz_support.h"

namespace {

int item(bool listed, int type, const std::uint8_t *v) {
  std::int64_t i;
  double d;
  float f[2];
  std::memcpy(&i, v, 8);
  std::memcpy(&d, v, 8);
  std::memcpy(f, v, 8);
  const auto i4 = static_cast<std::int32_t>(i);
  const char *text = reinterpret_cast<const char *>(v);
  switch (type % 9) {
    case 0: return listed ? __TAVf90_lwrite_i(i4) : __TAVf90_write_i(i4);
    case 1: return listed ? __TAVf90_lwrite_i4(i) : __TAVf90_write_i4(i);
    case 2: return listed ? __TAVf90_lwrite_r(f[0]) : __TAVf90_write_r(f[0]);
    case 3: return listed ? __TAVf90_lwrite_d(d) : __TAVf90_write_d(d);
    case 4: return listed ? __TAVf90_lwrite_c(f[0], f[1]) : __TAVf90_write_c(f[0], f[1]);
    case 5: return listed ? __TAVf90_lwrite_dc(d, -d) : __TAVf90_write_dc(d, -d);
    case 6: return listed ? __TAVf90_lwrite_l(i4) : __TAVf90_write_l(i4);
    case 7: return listed ? __TAVf90_lwrite_ch(text, 8) : __TAVf90_write_ch(text, 8);
    default: return listed ? __TAVf90_lwrite_i1(static_cast<std::int8_t>(i)) : __TAVf90_dusty_write_d(d);
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  f90_io_init();
  // A short record, so that overflows and record splits are common.
  int recl = 120;
  __TAVf90_open(10, "/dev/null", 9, nullptr, 0, nullptr, 0, nullptr, 0, &recl, nullptr, 0, nullptr, 0, nullptr,
                0, nullptr, 0, nullptr, 0, 0);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  if (size < 1) return 0;
  const int count = data[0] & 7;
  const bool listed = (data[0] & 8) != 0;
  if (size < 1 + 9u * count) return 0;
  const std::uint8_t *items = data + 1;
  const std::string format(reinterpret_cast<const char *>(items + 9 * count), size - 1 - 9 * count);
  if (!fuzz::bounded(format)) return 0;
  const char *f = listed ? nullptr : format.data();
  int status = __TAVf90_write(10, f, static_cast<int>(format.size()), nullptr, 0, 1);
  for (int i = 0; status == 0 && i < count; ++i) status = item(listed, items[9 * i], items + 9 * i + 1);
  if (status == 0) status = __TAVf90_endwrite();
  fuzz::check(__TAVf90_io_lock == 0, "lock held");
  fuzz::check(status == 0 || (status >= 100 && status <= 217), "status");
  fuzz::check(iostat == status, "iostat");
  fuzz::check(status != 0 || __TAVf90_io_position == 0, "record left open");
  return 0;
}
