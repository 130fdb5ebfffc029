// Formatted input: a format text, the kinds of the items, then the records
// (lines).  Every call must return a status; none may crash, hang or reach
// outside the record or the item.
#include "fuzz/input_support.h"

namespace {

// A format such as 99(99(99(99(/)))) asks for the product of its counts in
// records or items: legitimate work, not a fault, that would take the run's
// time.  Such formats are left out.
bool bounded(const std::string &format) {
  double product = 1;
  double number = 0;
  bool have = false;
  for (char c : format) {
    if (c >= '0' && c <= '9') {
      number = number * 10 + (c - '0');
      have = true;
    } else if (c != ' ') {
      if (c == '(' && have) product *= number;
      number = 0;
      have = false;
    }
  }
  return product <= 1e5;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  const std::uint8_t *p = data, *end = data + size;
  std::string format = fuzzinput::part(p, end);
  std::string kinds = fuzzinput::part(p, end);
  std::string input(reinterpret_cast<const char *>(p), static_cast<std::size_t>(end - p));
  if (!bounded(format)) return 0;
  bool pad = !kinds.empty() && (kinds[0] & 0x80) == 0;
  tavtest::TestRecord rec(fuzzinput::records(input), pad);
  __TAVf90_io_blanks = !kinds.empty() && (kinds[0] & 0x40) != 0;
  __TAVf90_current_edit[0] = ')';
  if (__TAVf90_establish_format(format.data(), static_cast<int>(format.size()), TAV_MODE_INPUT) != 0) return 0;
  for (std::size_t i = 0; i < kinds.size() && i < 32; ++i)
    if (fuzzinput::item(static_cast<std::uint8_t>(kinds[i]), true) != 0) break;
  return 0;
}
