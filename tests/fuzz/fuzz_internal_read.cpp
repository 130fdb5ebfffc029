// Internal READ, list-directed and formatted, from a CHARACTER scalar or a
// CHARACTER array, with IOSTAT=.  Every item is a global of its own, so the
// sanitizer sees a store outside it.  Checked on every input: each entry
// returns with iostat equal to its result, and a statement that ends in a
// condition has released the I/O lock.
//
// Input: byte 0 = how (bit 0 formatted, bit 1 array of records, bits 2-3
// items - 1, bit 4 format from the input); byte 1 = record length (array)
// or format number; bytes 2-5 = item kinds; with bit 4 the format text up
// to a NUL (see bounded()); the rest is the internal file.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tavf90.h"

namespace {

int32_t vi;
int8_t vb;
int16_t vh;
int64_t vk;
float vr, vc[2];
double vd, vz[2];
int32_t vl;
int16_t vl2;
char vs[7];

const char *const kFormats[] = {
    "(I5)",        "(F8.3)",       "(E12.4E3)", "(A)",          "(L3)",         "(3I2)",
    "(BN,I4)",     "(BZ,F6.2)",    "(T3,I2,TL2,I3)", "(G10.3)",  "(D10.2)",      "(A3,2X,A)",
    "(I2/I2)",     "(Z8)",         "(O6)",      "(B8)",         "(ES12.4)",     "(EN12.4)",
    "(F10.0)",     "(3(I1,1X))",   "(2P,F6.2)", "(I3,:,A)",     "(TR2,A4,T1,I1)", "(10(F4.1))",
    "(A1,/,A1,/,A1)", "(G12.5E2)", "(L1,L1,L1)", "(-1P,E10.3)", "(F0.0)",       "(I10.3)",
    "(A,I0)",      "(2(A2,:))",
};
constexpr unsigned kFormatCount = sizeof kFormats / sizeof kFormats[0];

int item(std::uint8_t kind, bool formatted) {
  switch (kind % 12) {
    case 0: return formatted ? __TAVf90_read_i(&vi) : __TAVf90_lread_i(&vi);
    case 1: return formatted ? __TAVf90_read_i1(&vb) : __TAVf90_lread_i1(&vb);
    case 2: return formatted ? __TAVf90_read_i2(&vh) : __TAVf90_lread_i2(&vh);
    case 3: return formatted ? __TAVf90_read_i4(&vk) : __TAVf90_lread_i4(&vk);
    case 4: return formatted ? __TAVf90_read_r(&vr) : __TAVf90_lread_r(&vr);
    case 5: return formatted ? __TAVf90_read_d(&vd) : __TAVf90_lread_d(&vd);
    case 6: return formatted ? __TAVf90_read_c(vc) : __TAVf90_lread_c(vc);
    case 7: return formatted ? __TAVf90_read_dc(vz) : __TAVf90_lread_dc(vz);
    case 8: return formatted ? __TAVf90_read_l(&vl) : __TAVf90_lread_l(&vl);
    case 9: return formatted ? __TAVf90_read_l2(&vl2) : __TAVf90_lread_l2(&vl2);
    case 10: return formatted ? __TAVf90_read_ch(vs, 7) : __TAVf90_lread_ch(vs, 7);
    default: return formatted ? __TAVf90_dusty_read_i(&vi) : __TAVf90_lread_ch(vs, 0);
  }
}

void check(bool ok) {
  if (!ok) std::abort();
}

// Nested repeat counts multiply the steps of a format without data edit
// descriptors; a format of the input is taken only with groups nested at
// most once and numbers below 100, so that no input runs for minutes.
bool bounded(const std::string &format) {
  int depth = 0, digits = 0;
  for (char ch : format) {
    if (ch == '(' && ++depth > 2) return false;
    if (ch == ')') --depth;
    // Blanks inside a number do not end it.
    if (ch != ' ') digits = ch >= '0' && ch <= '9' ? digits + 1 : 0;
    if (digits > 2) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  if (size < 6) return 0;
  const unsigned how = data[0];
  const bool formatted = how & 1, array = how & 2, own_format = how & 16;
  const int items = 1 + ((how >> 2) & 3);
  const std::uint8_t *kinds = data + 2;
  const std::uint8_t *p = data + 6, *end = data + size;
  std::string format;
  if (formatted) {
    if (own_format) {
      const std::uint8_t *q = p;
      while (q < end && *q != 0) ++q;
      format.assign(reinterpret_cast<const char *>(p), static_cast<std::size_t>(q - p));
      p = q < end ? q + 1 : q;
      if (!bounded(format)) return 0;
    } else {
      format = kFormats[data[1] % kFormatCount];
    }
  }
  // The internal file in storage of exactly its size.
  const std::size_t n = static_cast<std::size_t>(end - p);
  char *file = static_cast<char *>(std::malloc(n + 1));
  if (n > 0) std::memcpy(file, p, n);
  const char *f = formatted ? format.c_str() : nullptr;
  const int flen = formatted ? static_cast<int>(format.size()) : 0;
  int code;
  if (array) {
    // Records of 1..16 characters; a partial last record is left out.
    const int len = 1 + data[1] % 16;
    tav_cptr_desc desc{};
    desc.base = file;
    desc.len = len;
    desc.dim[0] = {static_cast<std::intptr_t>(n / static_cast<std::size_t>(len)), len, 1};
    code = __TAVf90_ireada(1, &desc, f, flen, nullptr, -1);
  } else {
    code = __TAVf90_ireads(file, static_cast<int>(n), f, flen, nullptr, -1);
  }
  check(iostat == code);
  for (int k = 0; code == 0 && k < items; ++k) {
    code = item(kinds[k], formatted);
    check(iostat == code);
  }
  if (code == 0)
    __TAVf90_endiread();
  check(__TAVf90_io_lock == 0);
  std::free(file);
  return 0;
}
