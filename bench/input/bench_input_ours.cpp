// Input benchmark of the library, driven as compiled code drives it:
//   OPEN(10, FILE=path, STATUS='OLD')
//   DO i = 1, n:  READ(10, fmt) item(s)
//   CLOSE(10)
// usage: bench_input_ours CASE RECORDS PATH     times the READ loop
//        bench_input_ours gen CASE RECORDS PATH writes the data file
// The timed run prints "CASE cpu-seconds wall-seconds items" on standard
// error and a checksum of the values read on standard output, which must
// equal the peer's.
#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include "../bench_values.h"
#include "tavf90.h"

namespace {

int usage() {
  std::fprintf(stderr, "usage: bench_input_ours [gen] es24.16|f12.4|list-d|i12|list-10i RECORDS PATH\n");
  return 2;
}

void check(int status, const char *what) {
  if (status != 0) {
    std::fprintf(stderr, "bench_input_ours: %s returned %d\n", what, status);
    std::exit(1);
  }
}

// The data file, written with the C library.
int generate(const std::string &which, long n, const char *path) {
  std::FILE *f = std::fopen(path, "w");
  if (f == nullptr) return 1;
  for (long i = 1; i <= n; ++i) {
    if (which == "es24.16")
      std::fprintf(f, "%24.16E\n", bench::value(i, -46, 41));
    else if (which == "f12.4")
      std::fprintf(f, "%12.4f\n", bench::value(i, -52, 24));
    else if (which == "list-d")
      std::fprintf(f, " %.17g\n", bench::value(i, -70, 61));
    else if (which == "i12")
      std::fprintf(f, "%12d\n", bench::int_value(i));
    else if (which == "list-10i")
      for (long j = 0; j < 10; ++j) std::fprintf(f, j < 9 ? "%d " : "%d\n", bench::int_value(10 * i + j));
    else
      return usage();
  }
  return std::fclose(f) == 0 ? 0 : 1;
}

std::uint64_t bits(double x) {
  std::uint64_t b;
  std::memcpy(&b, &x, sizeof b);
  return b;
}

}  // namespace

int main(int argc, char **argv) {
  if (argc == 5 && std::string(argv[1]) == "gen") return generate(argv[2], std::atol(argv[3]), argv[4]);
  if (argc != 4) return usage();
  std::string which = argv[1];
  long n = std::atol(argv[2]);
  const char *path = argv[3];
  f90_init(argc, argv);
  static const char old[] = "OLD";
  check(__TAVf90_open(10, path, static_cast<int>(std::strlen(path)), old, 3, nullptr, 0, nullptr, 0, nullptr,
                      nullptr, 0, nullptr, 0, nullptr, 0, nullptr, 0, nullptr, 0, 0),
        "OPEN");
  long items = n;
  std::uint64_t sum = 0;
  auto t0 = std::chrono::steady_clock::now();
  std::timespec c0{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &c0);
  const char *fmt = which == "es24.16" ? "(ES24.16)" : which == "f12.4" ? "(F12.4)" : which == "i12" ? "(I12)" : nullptr;
  int len = fmt != nullptr ? static_cast<int>(std::strlen(fmt)) : 0;
  if (which == "es24.16" || which == "f12.4" || which == "list-d") {
    for (long i = 1; i <= n; ++i) {
      double x;
      check(__TAVf90_read(10, fmt, len, nullptr, 0, nullptr, 0), "READ");
      check(fmt != nullptr ? __TAVf90_read_d(&x) : __TAVf90_lread_d(&x), "item");
      check(__TAVf90_endread(), "end of READ");
      sum ^= bits(x) + static_cast<std::uint64_t>(i);
    }
  } else if (which == "i12") {
    for (long i = 1; i <= n; ++i) {
      std::int32_t v;
      check(__TAVf90_read(10, fmt, len, nullptr, 0, nullptr, 0), "READ");
      check(__TAVf90_read_i(&v), "item");
      check(__TAVf90_endread(), "end of READ");
      sum += static_cast<std::uint64_t>(static_cast<std::int64_t>(v));
    }
  } else if (which == "list-10i") {
    items = 10 * n;
    for (long i = 1; i <= n; ++i) {
      std::int32_t v[10];
      check(__TAVf90_read(10, nullptr, 0, nullptr, 0, nullptr, 0), "READ");
      for (std::int32_t &e : v) check(__TAVf90_lread_i(&e), "item");
      check(__TAVf90_endread(), "end of READ");
      for (std::int32_t e : v) sum += static_cast<std::uint64_t>(static_cast<std::int64_t>(e));
    }
  } else {
    return usage();
  }
  check(__TAVf90_close(10, nullptr, 0, 0), "CLOSE");
  std::timespec c1{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &c1);
  double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  double cpu = static_cast<double>(c1.tv_sec - c0.tv_sec) + 1e-9 * static_cast<double>(c1.tv_nsec - c0.tv_nsec);
  std::printf("%016" PRIx64 "\n", sum);
  std::fprintf(stderr, "%s %.6f %.6f %ld\n", which.c_str(), cpu, wall, items);
  f90_finish(0);
}
