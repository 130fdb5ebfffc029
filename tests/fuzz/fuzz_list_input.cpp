// List-directed input: the kinds of the items, then the records (lines).
#include "fuzz/input_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  const std::uint8_t *p = data, *end = data + size;
  std::string kinds = fuzzinput::part(p, end);
  std::string input(reinterpret_cast<const char *>(p), static_cast<std::size_t>(end - p));
  tavtest::TestRecord rec(fuzzinput::records(input), true);
  __TAVf90_init_linput();
  for (std::size_t i = 0; i < kinds.size() && i < 32; ++i)
    if (fuzzinput::item(static_cast<std::uint8_t>(kinds[i]), false) != 0) break;
  return 0;
}
