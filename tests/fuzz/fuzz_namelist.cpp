// NAMELIST READ of arbitrary records, with IOSTAT=, against a group of an
// object of every type: scalars, arrays (rank 2 with lower bound 0, a
// section-able LOGICAL and CHARACTER array, INTEGER and derived with
// negative lower bounds), a derived type with REAL, array and CHARACTER
// components, and an array of it.  Every object is a global of its own, so
// the sanitizer sees a store outside any of them.  Checked on every input:
// each READ returns with the I/O lock released and iostat equal to its
// result, and the record position inside the record.
//
// Input: the file's bytes.  Up to three READs run on them back to back on
// each of two units: one with a record length of 64, so that long lines
// meet the record-length error, and one without RECL=, which reads lines
// of any length whole.
#include <cstddef>

#include "fuzz/fuzz_support.h"

namespace {

struct Point {
  float x;
  int32_t v[3];
  char n[4];
};

int8_t b1;
int16_t h2;
int32_t i4, ia[2][3], la[3], na[3];
int64_t k8, lk;
float r, c[2];
double d, z[2];
int8_t lb;
int16_t lh;
int32_t l;
char s[5], sa[2][3];
Point p, ps[2], pn[2];

const tav_nml_shape kV = {4, 1, {{3, 1}}}, kSA = {3, 1, {{2, 1}}}, kLA = {4, 1, {{3, 1}}};
const tav_nml_shape kIA = {4, 2, {{3, 0}, {2, 1}}}, kPS = {sizeof(Point), 1, {{2, 1}}};
const tav_nml_shape kNA = {4, 1, {{3, -2}}}, kPN = {sizeof(Point), 1, {{2, -3}}};
const tav_nml_object kPart[] = {{"X", {.offset = offsetof(Point, x)}, nullptr, TAV_NML_REAL, 0, nullptr},
                                {"V", {.offset = offsetof(Point, v)}, &kV, TAV_NML_I4, 0, nullptr},
                                {"N", {.offset = offsetof(Point, n)}, nullptr, TAV_NML_CHARACTER, 4, nullptr}};
const tav_nml_components kPoint = {3, kPart};
const tav_nml_object kObj[] = {
    {"B1", {&b1}, nullptr, TAV_NML_I1, 0, nullptr},     {"H2", {&h2}, nullptr, TAV_NML_I2, 0, nullptr},
    {"I", {&i4}, nullptr, TAV_NML_I4, 0, nullptr},      {"K8", {&k8}, nullptr, TAV_NML_I8, 0, nullptr},
    {"R", {&r}, nullptr, TAV_NML_REAL, 0, nullptr},     {"D", {&d}, nullptr, TAV_NML_DOUBLE, 0, nullptr},
    {"LB", {&lb}, nullptr, TAV_NML_L1, 0, nullptr},     {"LH", {&lh}, nullptr, TAV_NML_L2, 0, nullptr},
    {"L", {&l}, nullptr, TAV_NML_L4, 0, nullptr},       {"LK", {&lk}, nullptr, TAV_NML_L8, 0, nullptr},
    {"C", {c}, nullptr, TAV_NML_COMPLEX, 0, nullptr},   {"Z", {z}, nullptr, TAV_NML_DCOMPLEX, 0, nullptr},
    {"S", {s}, nullptr, TAV_NML_CHARACTER, 5, nullptr}, {"SA", {sa}, &kSA, TAV_NML_CHARACTER, 3, nullptr},
    {"IA", {ia}, &kIA, TAV_NML_I4, 0, nullptr},         {"LA", {la}, &kLA, TAV_NML_L4, 0, nullptr},
    {"P", {&p}, nullptr, TAV_NML_DERIVED, 0, &kPoint},  {"PS", {ps}, &kPS, TAV_NML_DERIVED, 0, &kPoint},
    {"NA", {na}, &kNA, TAV_NML_I4, 0, nullptr},         {"PN", {pn}, &kPN, TAV_NML_DERIVED, 0, &kPoint}};
constexpr int kCount = sizeof kObj / sizeof kObj[0];
const tav_nml_object *kList[kCount];
const tav_nml_group kGroup = {"NML", kList, kCount};
constexpr int kUnits[] = {10, 11};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  for (int k = 0; k < kCount; ++k) kList[k] = &kObj[k];
  f90_io_init();
  int recl = 64;
  for (int unit : kUnits) {
    const int opened = __TAVf90_open(unit, "/dev/null", 9, nullptr, 0, nullptr, 0, nullptr, 0,
                                     unit == kUnits[0] ? &recl : nullptr, nullptr, 0, nullptr, 0, "READ", 4,
                                     nullptr, 0, nullptr, 0, 1);
    fuzz::check(opened == 0, "open");
  }
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  if (size == 0) return 0;
  // The unit reads the input from memory: its stream is swapped for one
  // over the bytes, and back afterwards.
  static char bytes[1 << 16];
  if (size > sizeof bytes) size = sizeof bytes;
  std::memcpy(bytes, data, size);
  for (int unit : kUnits) {
    std::FILE *mem = fmemopen(bytes, size, "r");
    fuzz::check(mem != nullptr, "fmemopen");
    std::FILE *saved = __TAVf90_file[unit];
    tav_unit_record &u = __TAVf90_file_info[unit];
    __TAVf90_file[unit] = mem;
    u.rec_length = -1;
    u.rec_position = 0;
    u.position_state = TAV_POS_READ;
    for (int k = 0; k < 3; ++k) {
      int code = __TAVf90_readn(unit, &kGroup, -1);
      fuzz::check(__TAVf90_io_lock == 0 && iostat == code, "lock or iostat");
      const int end = u.recl > __TAVf90_io_reclen ? u.recl : __TAVf90_io_reclen;
      fuzz::check(__TAVf90_io_position >= 0 && __TAVf90_io_position <= end, "position");
      if (code == -1 || code == 210) break;
    }
    __TAVf90_file[unit] = saved;
    std::fclose(mem);
  }
  return 0;
}
