// Namelist benchmark of the library, driven as compiled code drives it:
//   NAMELIST /BENCH/ I1, I2, K, R1, R2, D1, D2, L, C, S, A
//   OPEN(10, FILE=path, STATUS='REPLACE', DELIM='APOSTROPHE')
//   DO i = 1, n:  I1 = i; WRITE(10, NML=BENCH)
//   CLOSE(10)
// or, for "read", the same file read back group by group with READ(10,
// NML=BENCH), a checksum taken over what each READ stored.
// with ten scalars of mixed types and a DOUBLE PRECISION array A(100), the
// group described as the compiler lays it out (static data).
// usage: bench_namelist_ours write|read GROUPS PATH
// Prints a checksum on standard output and "CASE cpu-seconds wall-seconds
// groups" on standard error.
#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include "tavf90.h"

namespace {

int32_t i1 = 0, i2 = -7;
int64_t k = 10000000000LL;
float r1 = 2.5f, r2 = 1.0e-3f;
double d1 = 3.141592653589793, d2 = -1.0e10, a[100];
int32_t l = 1;
float c[2] = {1.0f, -2.0f};
char s[8] = {'n', 'a', 'm', 'e', 'l', 'i', 's', 't'};

const tav_nml_shape a_shape = {8, 1, {{100, 1}}};
const tav_nml_object objects[] = {
    {"I1", {.address = &i1}, nullptr, TAV_NML_I4, 0, nullptr},
    {"I2", {.address = &i2}, nullptr, TAV_NML_I4, 0, nullptr},
    {"K", {.address = &k}, nullptr, TAV_NML_I8, 0, nullptr},
    {"R1", {.address = &r1}, nullptr, TAV_NML_REAL, 0, nullptr},
    {"R2", {.address = &r2}, nullptr, TAV_NML_REAL, 0, nullptr},
    {"D1", {.address = &d1}, nullptr, TAV_NML_DOUBLE, 0, nullptr},
    {"D2", {.address = &d2}, nullptr, TAV_NML_DOUBLE, 0, nullptr},
    {"L", {.address = &l}, nullptr, TAV_NML_L4, 0, nullptr},
    {"C", {.address = c}, nullptr, TAV_NML_COMPLEX, 0, nullptr},
    {"S", {.address = s}, nullptr, TAV_NML_CHARACTER, 8, nullptr},
    {"A", {.address = a}, &a_shape, TAV_NML_DOUBLE, 0, nullptr},
};
const tav_nml_object *const object_list[] = {&objects[0], &objects[1], &objects[2], &objects[3],
                                             &objects[4], &objects[5], &objects[6], &objects[7],
                                             &objects[8], &objects[9], &objects[10]};
const tav_nml_group bench = {"BENCH", object_list, 11};

void check(int status, const char *what) {
  if (status != 0) {
    std::fprintf(stderr, "bench_namelist_ours: %s returned %d\n", what, status);
    std::exit(1);
  }
}

int open_unit(const char *path, const char *status) {
  static const char delim[] = "APOSTROPHE";
  return __TAVf90_open(10, path, static_cast<int>(std::strlen(path)), status, static_cast<int>(std::strlen(status)),
                       nullptr, 0, nullptr, 0, nullptr, nullptr, 0, nullptr, 0, nullptr, 0, delim, 10, nullptr, 0, 0);
}

}  // namespace

int main(int argc, char **argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: bench_namelist_ours write|read GROUPS PATH\n");
    return 2;
  }
  std::string which = argv[1];
  long n = std::atol(argv[2]);
  const char *path = argv[3];
  if (which != "write" && which != "read") return 2;
  for (int j = 0; j < 100; ++j) a[j] = (j + 1) * 0.37 - 11.0;
  f90_init(argc, argv);
  auto t0 = std::chrono::steady_clock::now();
  std::timespec c0{}, c1{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &c0);
  uint64_t total = 0;
  if (which == "write") {
    check(open_unit(path, "REPLACE"), "OPEN");
    for (long i = 1; i <= n; ++i) {
      i1 = static_cast<int32_t>(i);
      check(__TAVf90_writen(10, &bench, 0), "WRITE(NML=)");
    }
    total = static_cast<uint64_t>(n);
  } else {
    check(open_unit(path, "OLD"), "OPEN");
    for (long i = 1; i <= n; ++i) {
      check(__TAVf90_readn(10, &bench, 0), "READ(NML=)");
      uint64_t bits;
      std::memcpy(&bits, &a[i % 100], sizeof bits);
      total ^= bits + static_cast<uint64_t>(static_cast<int64_t>(i1));
    }
  }
  check(__TAVf90_close(10, nullptr, 0, 0), "CLOSE");
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &c1);
  auto t1 = std::chrono::steady_clock::now();
  std::printf("%016" PRIX64 "\n", total);
  std::fflush(stdout);
  std::fprintf(stderr, "%s %.6f %.6f %ld\n", which.c_str(),
               (c1.tv_sec - c0.tv_sec) + (c1.tv_nsec - c0.tv_nsec) * 1e-9,
               std::chrono::duration<double>(t1 - t0).count(), n);
  f90_finish(0);
}
