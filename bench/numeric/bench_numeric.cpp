// Per-call cost of the IEEE-family and by-reference elementary functions
// against the C library's, in one process: 10^7 calls of each on arguments
// spread over the function's useful range, process CPU time.
//   bench_numeric [CALLS]     prints "name ours_ns libm_ns"
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

#include "tavf90.h"

namespace {

constexpr int kValues = 4096;

double cpu_seconds() {
  timespec t;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

std::vector<double> spread(double lo, double hi, unsigned seed) {
  std::vector<double> v(kValues);
  std::srand(seed);
  for (double &x : v) x = lo + (hi - lo) * (static_cast<double>(std::rand()) / RAND_MAX);
  return v;
}

volatile double sink;

template <class Fn>
double ns_per_call(long calls, const std::vector<double> &x, const std::vector<double> &y, Fn fn) {
  double best = 1e30;
  for (int rep = 0; rep < 3; ++rep) {
    double sum = 0;
    const double t0 = cpu_seconds();
    for (long done = 0; done < calls; done += kValues)
      for (int i = 0; i < kValues; ++i) sum += fn(x[i], y[i]);
    const double t = cpu_seconds() - t0;
    sink = sum;
    if (t < best) best = t;
  }
  return best * 1e9 / static_cast<double>(calls);
}

}  // namespace

int main(int argc, char **argv) {
  const long calls = argc > 1 ? std::atol(argv[1]) : 10000000L;
  const auto trig = spread(-10, 10, 1), expx = spread(-700, 700, 2), logx = spread(1e-3, 1e6, 3),
             base = spread(0.01, 100, 4), expo = spread(-50, 50, 5), ys = spread(-100, 100, 6),
             xs = spread(-100, 100, 7);
  struct Row {
    const char *name;
    double ours, libm;
  } rows[] = {
      {"sin", ns_per_call(calls, trig, trig, [](double x, double) { return __TAVf90_sin(x); }),
       ns_per_call(calls, trig, trig, [](double x, double) { return std::sin(x); })},
      {"exp", ns_per_call(calls, expx, expx, [](double x, double) { return __TAVf90_exp(x); }),
       ns_per_call(calls, expx, expx, [](double x, double) { return std::exp(x); })},
      {"log", ns_per_call(calls, logx, logx, [](double x, double) { return __TAVf90_log(x); }),
       ns_per_call(calls, logx, logx, [](double x, double) { return std::log(x); })},
      {"pow", ns_per_call(calls, base, expo, [](double x, double y) { return __TAVf90_pow(x, y); }),
       ns_per_call(calls, base, expo, [](double x, double y) { return std::pow(x, y); })},
      {"atan2", ns_per_call(calls, ys, xs, [](double y, double x) { return __TAVf90_atan2(y, x); }),
       ns_per_call(calls, ys, xs, [](double y, double x) { return std::atan2(y, x); })},
      {"sin_d", ns_per_call(calls, trig, trig, [](double x, double) { return __TAVf90_sin_d(&x); }),
       ns_per_call(calls, trig, trig, [](double x, double) { return std::sin(x); })},
      {"exp_d", ns_per_call(calls, expx, expx, [](double x, double) { return __TAVf90_exp_d(&x); }),
       ns_per_call(calls, expx, expx, [](double x, double) { return std::exp(x); })},
  };
  for (const Row &r : rows) std::printf("%s %.2f %.2f\n", r.name, r.ours, r.libm);
  return 0;
}
