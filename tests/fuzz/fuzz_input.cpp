// READ items of every kind over in-memory records, formatted or
// list-directed.  Every call must return a status; none may crash, hang or
// reach outside the record or the item.
//
// Input: a format text (empty for list-directed input), the kinds of the
// items (bit 7 of the first turns padding off, bit 6 makes blanks zeros) and
// the records (lines), the parts separated by NULs.
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  const std::uint8_t *p = data, *end = data + size;
  const std::string format = fuzz::part(p, end), kinds = fuzz::part(p, end);
  const bool listed = format.empty();
  if (!fuzz::bounded(format)) return 0;
  const std::string_view rest(reinterpret_cast<const char *>(p), static_cast<std::size_t>(end - p));
  tavtest::TestRecord rec(tavtest::split_records(rest), listed || kinds.empty() || (kinds[0] & 0x80) == 0);
  __TAVf90_io_blanks = !kinds.empty() && (kinds[0] & 0x40) != 0;
  __TAVf90_current_edit[0] = ')';
  if (listed)
    __TAVf90_init_linput();
  else if (__TAVf90_establish_format(format.data(), static_cast<int>(format.size()), TAV_MODE_INPUT) != 0)
    return 0;
  for (std::size_t i = 0; i < kinds.size() && i < 32; ++i)
    if (fuzz::item(static_cast<std::uint8_t>(kinds[i]), !listed) != 0) break;
  return 0;
}
