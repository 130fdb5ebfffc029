// Internal READ, list-directed and formatted, from a CHARACTER scalar or a
// CHARACTER array, with IOSTAT=.  Checked on every input: each entry
// returns with iostat equal to its result, and a statement that ends in a
// condition has released the I/O lock.
//
// Input: byte 0 = how (bit 0 formatted, bit 1 array of records, bits 2-3
// items - 1, bit 4 format from the input); byte 1 = record length (array)
// or format number; bytes 2-5 = item kinds; with bit 4 the format text up
// to a NUL; the rest is the internal file.
#include "fuzz/fuzz_support.h"

namespace {

const char *const kFormats[] = {
    "(I5)",        "(F8.3)",       "(E12.4E3)", "(A)",          "(L3)",         "(3I2)",
    "(BN,I4)",     "(BZ,F6.2)",    "(T3,I2,TL2,I3)", "(G10.3)",  "(D10.2)",      "(A3,2X,A)",
    "(I2/I2)",     "(Z8)",         "(O6)",      "(B8)",         "(ES12.4)",     "(EN12.4)",
    "(F10.0)",     "(3(I1,1X))",   "(2P,F6.2)", "(I3,:,A)",     "(TR2,A4,T1,I1)", "(10(F4.1))",
    "(A1,/,A1,/,A1)", "(G12.5E2)", "(L1,L1,L1)", "(-1P,E10.3)", "(F0.0)",       "(I10.3)",
    "(A,I0)",      "(2(A2,:))",
};
constexpr unsigned kFormatCount = sizeof kFormats / sizeof kFormats[0];

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  if (size < 6) return 0;
  const int how = data[0];
  const bool formatted = how & 1;
  const std::uint8_t *p = data + 6, *end = data + size;
  std::string format;
  if (formatted) format = how & 16 ? fuzz::part(p, end) : kFormats[data[1] % kFormatCount];
  if (!fuzz::bounded(format)) return 0;
  // The internal file in storage of exactly its size.
  const std::size_t n = static_cast<std::size_t>(end - p);
  char *file = static_cast<char *>(std::malloc(n + 1));
  if (n > 0) std::memcpy(file, p, n);
  const char *f = formatted ? format.c_str() : nullptr;
  int code;
  if (how & 2) {
    // Records of 1..16 characters; a partial last record is left out.
    const int len = 1 + data[1] % 16;
    tav_cptr_desc desc{};
    desc.base = file;
    desc.len = len;
    desc.dim[0] = {static_cast<std::intptr_t>(n / static_cast<std::size_t>(len)), len, 1};
    code = __TAVf90_ireada(1, &desc, f, static_cast<int>(format.size()), nullptr, -1);
  } else {
    code = __TAVf90_ireads(file, static_cast<int>(n), f, static_cast<int>(format.size()), nullptr, -1);
  }
  fuzz::check(iostat == code, "iostat");
  for (int k = 0; code == 0 && k <= ((how >> 2) & 3); ++k) {
    code = fuzz::item(data[2 + k], formatted);
    fuzz::check(iostat == code, "item iostat");
  }
  if (code == 0) __TAVf90_endiread();
  fuzz::check(__TAVf90_io_lock == 0, "lock held");
  std::free(file);
  return 0;
}
