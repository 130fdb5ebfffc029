// Internal-file benchmark of the library, driven as compiled code drives it:
//   write:  DO i = 1, n:  WRITE(t(i), '(ES24.16)') x(i)      t: CHARACTER*24
//   read:   DO i = 1, n:  READ(t(i), '(ES24.16)') x
// x(i) varies from record to record and is the same bit for bit on both
// sides; the read case reads back texts the library wrote beforehand (not
// timed).
// usage: bench_internal_ours write|read RECORDS
// Prints a checksum on standard output (write: of the texts, read: of the
// values read), which must equal the peer's, and "CASE cpu-seconds
// wall-seconds items" on standard error.
#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "../bench_values.h"
#include "tavf90.h"

namespace {

constexpr int kLen = 24;
const char kFormat[] = "(ES24.16)";
constexpr int kFormatLen = sizeof kFormat - 1;

void check(int status, const char *what) {
  if (status != 0) {
    std::fprintf(stderr, "bench_internal_ours: %s returned %d\n", what, status);
    std::exit(1);
  }
}

double value(long i) { return bench::value(i, -46, 41); }

void write_all(std::vector<char> &t, long n) {
  for (long i = 1; i <= n; ++i) {
    check(__TAVf90_iwrites(&t[static_cast<std::size_t>(i - 1) * kLen], kLen, kFormat, kFormatLen, 0), "WRITE");
    check(__TAVf90_write_d(value(i)), "item");
    check(__TAVf90_endiwrite(), "end of WRITE");
  }
}

// The peer computes the same sum: every character weighted by its place.
std::uint64_t text_sum(const std::vector<char> &t) {
  std::uint64_t sum = 0;
  for (std::size_t k = 0; k < t.size(); ++k)
    sum += static_cast<std::uint64_t>(static_cast<unsigned char>(t[k])) * (k % 1000003 + 1);
  return sum;
}

}  // namespace

int main(int argc, char **argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: bench_internal_ours write|read RECORDS\n");
    return 2;
  }
  std::string which = argv[1];
  long n = std::atol(argv[2]);
  if ((which != "write" && which != "read") || n <= 0) return 2;
  f90_init(argc, argv);
  std::vector<char> t(static_cast<std::size_t>(n) * kLen, ' ');
  if (which == "read") write_all(t, n);
  std::uint64_t sum = 0;
  auto t0 = std::chrono::steady_clock::now();
  std::timespec c0{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &c0);
  if (which == "write") {
    write_all(t, n);
  } else {
    for (long i = 1; i <= n; ++i) {
      double x;
      check(__TAVf90_ireads(&t[static_cast<std::size_t>(i - 1) * kLen], kLen, kFormat, kFormatLen, nullptr, 0),
            "READ");
      check(__TAVf90_read_d(&x), "item");
      check(__TAVf90_endiread(), "end of READ");
      std::uint64_t b;
      std::memcpy(&b, &x, sizeof b);
      sum ^= b + static_cast<std::uint64_t>(i);
    }
  }
  std::timespec c1{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &c1);
  double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  double cpu = static_cast<double>(c1.tv_sec - c0.tv_sec) + 1e-9 * static_cast<double>(c1.tv_nsec - c0.tv_nsec);
  if (which == "write") sum = text_sum(t);
  std::printf("%016" PRIx64 "\n", sum);
  std::fprintf(stderr, "%s %.6f %.6f %ld\n", which.c_str(), cpu, wall, n);
  f90_finish(0);
}
