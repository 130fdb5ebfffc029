// Per-call cost of the IEEE-family and by-reference elementary functions
// and the powers against the C library's, in one process: 10^7 calls of
// each on arguments spread over the function's useful range, process CPU
// time.
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

float f(double x) { return static_cast<float>(x); }

}  // namespace

int main(int argc, char **argv) {
  const long calls = argc > 1 ? std::atol(argv[1]) : 10000000L;
  const auto trig = spread(-10, 10, 1), expx = spread(-700, 700, 2), logx = spread(1e-3, 1e6, 3),
             base = spread(0.01, 100, 4), expo = spread(-50, 50, 5), ys = spread(-100, 100, 6),
             xs = spread(-100, 100, 7), unit = spread(-1, 1, 8), hyp = spread(-20, 20, 9),
             expr = spread(-80, 80, 10), near1 = spread(0.5, 2, 11), ints = spread(-30, 30, 12),
             small = spread(-3, 3, 13), ibase = spread(1, 31, 14);
  // Each row: the library's entry, then the C library's function on the
  // same arguments.  The by-reference entries (_d, _r) are compared with
  // the C library's function of their precision; the powers with pow or
  // powf of the same operands.
  struct Row {
    const char *name;
    double ours, libm;
  };
  const auto row = [&](const char *name, const std::vector<double> &x, const std::vector<double> &y, auto ours,
                       auto libm) { return Row{name, ns_per_call(calls, x, y, ours), ns_per_call(calls, x, y, libm)}; };
#define IEEE1(fn, x)                                                                          \
  row(#fn, x, x, [](double v, double) { return __TAVf90_##fn(v); }, [](double v, double) { return std::fn(v); })
#define BYREF_D(fn, x)                                                                                \
  row(#fn "_d", x, x, [](double v, double) { return __TAVf90_##fn##_d(&v); }, [](double v, double) { \
    return std::fn(v);                                                                                \
  })
#define BYREF_R(fn, x)                                                                        \
  row(                                                                                        \
      #fn "_r", x, x,                                                                         \
      [](double v, double) {                                                                  \
        const float r = f(v);                                                                 \
        return static_cast<double>(__TAVf90_##fn##_r(&r));                                    \
      },                                                                                      \
      [](double v, double) { return static_cast<double>(std::fn(f(v))); })
  const Row rows[] = {
      IEEE1(sin, trig), IEEE1(cos, trig), IEEE1(tan, trig), IEEE1(exp, expx), IEEE1(log, logx),
      IEEE1(log10, logx), IEEE1(atan, ys), IEEE1(sinh, hyp), IEEE1(cosh, hyp), IEEE1(tanh, hyp),
      row("pow", base, expo, [](double x, double y) { return __TAVf90_pow(x, y); },
          [](double x, double y) { return std::pow(x, y); }),
      row("atan2", ys, xs, [](double y, double x) { return __TAVf90_atan2(y, x); },
          [](double y, double x) { return std::atan2(y, x); }),
      BYREF_D(sqrt, logx), BYREF_D(exp, expx), BYREF_D(log, logx), BYREF_D(log10, logx), BYREF_D(sin, trig),
      BYREF_D(cos, trig), BYREF_D(tan, trig), BYREF_D(asin, unit), BYREF_D(acos, unit), BYREF_D(atan, ys),
      BYREF_D(sinh, hyp), BYREF_D(cosh, hyp), BYREF_D(tanh, hyp),
      row("atan2_d", ys, xs, [](double y, double x) { return __TAVf90_atan2_d(&y, &x); },
          [](double y, double x) { return std::atan2(y, x); }),
      BYREF_R(sqrt, logx), BYREF_R(exp, expr), BYREF_R(log, logx), BYREF_R(sin, trig), BYREF_R(sinh, hyp),
      row("rpowr", base, small, [](double x, double y) { return static_cast<double>(__TAVf90_rpowr(f(x), f(y))); },
          [](double x, double y) { return static_cast<double>(std::pow(f(x), f(y))); }),
      row("fpowi", near1, ints, [](double x, double n) { return static_cast<double>(__TAVf90_fpowi(f(x), int(n))); },
          [](double x, double n) { return static_cast<double>(std::pow(f(x), f(int(n)))); }),
      row("dpowi", near1, ints, [](double x, double n) { return __TAVf90_dpowi(x, int(n)); },
          [](double x, double n) { return std::pow(x, double(int(n))); }),
      row("ipowd", ibase, small, [](double i, double y) { return __TAVf90_ipowd(int(i), y); },
          [](double i, double y) { return std::pow(double(int(i)), y); }),
  };
#undef IEEE1
#undef BYREF_D
#undef BYREF_R
  for (const Row &r : rows) std::printf("%s %.2f %.2f\n", r.name, r.ours, r.libm);
  return 0;
}
