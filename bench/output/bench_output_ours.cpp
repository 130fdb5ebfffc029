// Output benchmark of the library, driven as compiled code drives it:
//   OPEN(10, FILE=path, STATUS='REPLACE')
//   DO i = 1, n:  WRITE(10, fmt) item(s)
//   CLOSE(10)
// usage: bench_output_ours CASE RECORDS PATH
// Prints "CASE cpu-seconds wall-seconds items" on standard error, timing the
// loop and the CLOSE.  CPU time is the figure to compare on a shared machine.
#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "../bench_values.h"
#include "tavf90.h"

namespace {

int usage() {
  std::fprintf(stderr, "usage: bench_output_ours es24.16|f12.4|g15.7|list-d|i12|list-10i RECORDS PATH\n");
  return 2;
}

void check(int status, const char *what) {
  if (status != 0) {
    std::fprintf(stderr, "bench_output_ours: %s returned %d\n", what, status);
    std::exit(1);
  }
}

// One formatted WRITE of one DOUBLE PRECISION item per record.
void write_real(const char *fmt, long n, int lo, int span) {
  int len = static_cast<int>(std::strlen(fmt));
  for (long i = 1; i <= n; ++i) {
    double x = bench::value(i, lo, span);
    check(__TAVf90_write(10, fmt, len, nullptr, 0, 0), "WRITE");
    check(__TAVf90_write_d(x), "item");
    check(__TAVf90_endwrite(), "end of WRITE");
  }
}

}  // namespace

int main(int argc, char **argv) {
  if (argc != 4) return usage();
  std::string which = argv[1];
  long n = std::atol(argv[2]);
  const char *path = argv[3];
  f90_init(argc, argv);
  static const char replace[] = "REPLACE";
  check(__TAVf90_open(10, path, static_cast<int>(std::strlen(path)), replace, 7, nullptr, 0, nullptr, 0, nullptr,
                      nullptr, 0, nullptr, 0, nullptr, 0, nullptr, 0, nullptr, 0, 0),
        "OPEN");
  long items = n;
  auto t0 = std::chrono::steady_clock::now();
  std::timespec c0{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &c0);
  if (which == "es24.16") {
    write_real("(ES24.16)", n, -46, 41);
  } else if (which == "f12.4") {
    write_real("(F12.4)", n, -52, 24);
  } else if (which == "g15.7") {
    write_real("(G15.7)", n, -70, 61);
  } else if (which == "list-d") {
    for (long i = 1; i <= n; ++i) {
      double x = bench::value(i, -70, 61);
      check(__TAVf90_write(10, nullptr, 0, nullptr, 0, 0), "WRITE");
      check(__TAVf90_lwrite_d(x), "item");
      check(__TAVf90_endwrite(), "end of WRITE");
    }
  } else if (which == "i12") {
    static const char fmt[] = "(I12)";
    for (long i = 1; i <= n; ++i) {
      std::int32_t v = bench::int_value(i);
      check(__TAVf90_write(10, fmt, 5, nullptr, 0, 0), "WRITE");
      check(__TAVf90_write_i(v), "item");
      check(__TAVf90_endwrite(), "end of WRITE");
    }
  } else if (which == "list-10i") {
    items = 10 * n;
    for (long i = 1; i <= n; ++i) {
      check(__TAVf90_write(10, nullptr, 0, nullptr, 0, 0), "WRITE");
      for (long j = 0; j < 10; ++j) check(__TAVf90_lwrite_i(bench::int_value(10 * i + j)), "item");
      check(__TAVf90_endwrite(), "end of WRITE");
    }
  } else {
    return usage();
  }
  check(__TAVf90_close(10, nullptr, 0, 0), "CLOSE");
  std::timespec c1{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &c1);
  double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  double cpu = static_cast<double>(c1.tv_sec - c0.tv_sec) + 1e-9 * static_cast<double>(c1.tv_nsec - c0.tv_nsec);
  std::fprintf(stderr, "%s %.6f %.6f %ld\n", which.c_str(), cpu, wall, items);
  f90_finish(0);
}
