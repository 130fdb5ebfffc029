// Array intrinsic benchmark: each case as the library's entry point called
// the way compiled code calls it ("ours"), or as a plain C loop doing the
// same work on the same storage ("plain"); bench_array.f90 is the peer.  A
// 2000 x 2000 DOUBLE PRECISION array of pseudo-random values in [0, 1)
// that both programs compute bit for bit whatever their floating-point
// arithmetic: x <- 48271 x mod 2^31 - 1, two draws per element in array
// element order, the element (x1 mod 2^26 * 2^27 + x2 mod 2^27) * 2^-53, an
// integer below 2^53 scaled by a power of two and so exact (a quotient
// such as x / (2^31 - 1) is not: the x87 rounds it twice, once to its
// extended format and again to double, and differs in the last bit now
// and then).
//
// An intrinsic that obtains its result (SUM, MAXLOC, PACK, RESHAPE) does so
// in every call, and so does its plain loop: fresh zero-filled storage of
// the result's size from calloc, freed after the call.  CSHIFT writes into
// storage the caller gives, on both sides.  PACK's masks are compiled
// code's temporaries: made once, outside the timing, on every side.
//
// usage: bench_array CASE ours|plain REPS
// prints "CASE seconds-per-call checksum sink": process CPU time per call
// over REPS calls; the checksum (the element count and a weighted sum of
// every result element in array element order: checksum_of) is taken from
// an untimed first call and must agree with the peer's; sink keeps the
// timed calls' results alive.
#include <time.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tavf90.h"

namespace {

constexpr std::size_t n = 2000;

double cpu_seconds() {
  timespec t;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// A contiguous column-major array, lower bounds 1.
tav_ptr_desc whole(void *base, int rank, const std::size_t *extents, std::size_t size) {
  tav_ptr_desc d{};
  d.base = static_cast<char *>(base);
  auto stride = static_cast<std::intptr_t>(size);
  for (int k = 0; k < rank; ++k) {
    d.dim[k] = tav_dim{static_cast<std::intptr_t>(extents[k]), stride, 1};
    d.offset -= stride;
    stride *= static_cast<std::intptr_t>(extents[k]);
  }
  return d;
}

// The checksum of M elements: M plus the sum of every element times a
// weight that follows its place (1, 2, ..., 1024, 1, 2, ...), added in
// array element order in long double, the x87's extended format, and
// rounded to double once.  Each product is exact in its 64-bit mantissa,
// and the peer adds the same products in the same order in the same
// format (bench_array.f90), so the same values in the same places give the
// same checksum bit for bit on either word size, whichever precision each
// side's own double arithmetic has; a value in another place changes it.
template <class T>
double checksum_of(const T *p, std::size_t m) {
  long double s = 0;
  for (std::size_t k = 0; k < m; ++k)
    s += static_cast<long double>(k % 1024 + 1) * static_cast<long double>(p[k]);
  return static_cast<double>(s + static_cast<long double>(m));
}

// What one call produced: its elements (for the checksum), and the storage
// to release afterwards.
struct Out {
  const double *d = nullptr;
  const std::int32_t *i = nullptr;
  std::size_t count = 0;
  double checksum() const { return d ? checksum_of(d, count) : checksum_of(i, count); }
  double last() const { return count == 0 ? 0 : d ? d[count - 1] : i[count - 1]; }
};

struct Bench {
  std::vector<double> a = std::vector<double>(n * n), b = std::vector<double>(n * n);
  std::vector<std::int32_t> mask = std::vector<std::int32_t>(n * n);
  tav_ptr_desc ad{}, md{}, sd{}, od{};
  std::int32_t shape[2] = {0, 0}, order[2] = {2, 1};
  std::string which;
  tav_vector v{};   // ours: the result temporary
  void *fresh = nullptr;  // plain: the result storage

  explicit Bench(std::string w) : which(std::move(w)) {
    std::uint64_t x = 1;
    for (double &e : a) {
      x = x * 48271 % 2147483647;
      const std::uint64_t hi = x % (1 << 26);
      x = x * 48271 % 2147483647;
      e = std::ldexp(static_cast<double>(hi << 27 | x % (1 << 27)), -53);
    }
    const std::size_t ext[2] = {n, n}, two = 2;
    ad = whole(a.data(), 2, ext, 8);
    md = whole(mask.data(), 2, ext, 4);
    for (std::size_t k = 0; k < n * n; ++k)
      mask[k] = which == "pack" ? a[k] > 0.5 : which == "pack_true" ? a[k] >= 0 : a[k] < 0;
    if (which == "reshape") shape[0] = 4000, shape[1] = 1000;
    else shape[0] = shape[1] = static_cast<std::int32_t>(n);
    sd = whole(shape, 1, &two, 4);
    od = whole(order, 1, &two, 4);
  }

  Out ours() {
    Out o;
    const std::string &c = which;
    if (c == "sum1" || c == "sum2") {
      v = __TAVf90_dimsum_d(2, &ad, c[3] - '0');
      o.d = reinterpret_cast<double *>(v.base), o.count = n;
    } else if (c == "maxloc1" || c == "maxloc2") {
      v = __TAVf90_maxl_dim_d(2, &ad, c[6] - '0');
      o.i = reinterpret_cast<std::int32_t *>(v.base), o.count = n;
    } else if (c == "cshift1" || c == "cshift2") {
      __TAVf90_cshift_a(2, &ad, 7, c[6] - '0', b.data(), 8);
      o.d = b.data(), o.count = n * n;
    } else if (c.rfind("pack", 0) == 0) {
      __TAVf90_pack(&v, 2, &ad, 2, &md, nullptr, 8);
      o.d = reinterpret_cast<double *>(v.base), o.count = static_cast<std::size_t>(v.extent[0]);
    } else if (c == "reshape") {
      __TAVf90_reshape(&v, 2, &ad, &sd, 0, nullptr, nullptr, 8);
      o.d = reinterpret_cast<double *>(v.base), o.count = n * n;
    } else if (c == "reshape_t") {
      __TAVf90_reshape(&v, 2, &ad, &sd, 0, nullptr, &od, 8);
      o.d = reinterpret_cast<double *>(v.base), o.count = n * n;
    }
    return o;
  }
  void ours_release() {
    if (which.rfind("maxloc", 0) == 0) __TAVf90_freevec_i(v);
    else if (which.rfind("cshift", 0) != 0) __TAVf90_freevec_d(v);
  }

  template <class T>
  T *obtain(std::size_t count) {
    fresh = std::calloc(count, sizeof(T));
    return static_cast<T *>(fresh);
  }

  Out plain() {
    Out o;
    const std::string &c = which;
    const double *A = a.data();
    if (c == "sum1") {
      double *r = obtain<double>(n);
      for (std::size_t j = 0; j < n; ++j) {
        double s = 0;
        for (std::size_t i = 0; i < n; ++i) s += A[i + j * n];
        r[j] = s;
      }
      o.d = r, o.count = n;
    } else if (c == "sum2") {
      double *r = obtain<double>(n);
      for (std::size_t j = 0; j < n; ++j)
        for (std::size_t i = 0; i < n; ++i) r[i] += A[i + j * n];
      o.d = r, o.count = n;
    } else if (c == "maxloc1") {
      std::int32_t *l = obtain<std::int32_t>(n);
      for (std::size_t j = 0; j < n; ++j) {
        double v = -DBL_MAX;
        std::int32_t at = 0;
        for (std::size_t i = 0; i < n; ++i)
          if (A[i + j * n] > v) v = A[i + j * n], at = static_cast<std::int32_t>(i + 1);
        l[j] = at;
      }
      o.i = l, o.count = n;
    } else if (c == "maxloc2") {
      std::int32_t *l = obtain<std::int32_t>(n);
      std::vector<double> best(n, -DBL_MAX);
      for (std::size_t j = 0; j < n; ++j)
        for (std::size_t i = 0; i < n; ++i)
          if (A[i + j * n] > best[i]) best[i] = A[i + j * n], l[i] = static_cast<std::int32_t>(j + 1);
      o.i = l, o.count = n;
    } else if (c == "cshift1") {
      for (std::size_t j = 0; j < n; ++j)
        for (std::size_t i = 0; i < n; ++i) b[i + j * n] = A[(i + 7) % n + j * n];
      o.d = b.data(), o.count = n * n;
    } else if (c == "cshift2") {
      for (std::size_t j = 0; j < n; ++j)
        for (std::size_t i = 0; i < n; ++i) b[i + j * n] = A[i + (j + 7) % n * n];
      o.d = b.data(), o.count = n * n;
    } else if (c.rfind("pack", 0) == 0) {
      double *p = obtain<double>(n * n);
      std::size_t m = 0;
      for (std::size_t i = 0; i < n * n; ++i)
        if (mask[i]) p[m++] = A[i];
      o.d = p, o.count = m;
    } else if (c == "reshape") {
      double *p = obtain<double>(n * n);
      for (std::size_t i = 0; i < n * n; ++i) p[i] = A[i];
      o.d = p, o.count = n * n;
    } else if (c == "reshape_t") {
      // Element q of the source goes to row q / n, column q % n.
      double *p = obtain<double>(n * n);
      std::size_t q = 0;
      for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = 0; j < n; ++j) p[i + j * n] = A[q++];
      o.d = p, o.count = n * n;
    }
    return o;
  }
  void plain_release() {
    std::free(fresh);
    fresh = nullptr;
  }
};

}  // namespace

int main(int argc, char **argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: bench_array CASE ours|plain REPS\n");
    return 2;
  }
  Bench bench(argv[1]);
  const bool ours = std::strcmp(argv[2], "ours") == 0;
  const int reps = std::atoi(argv[3]);
  auto call = [&] { return ours ? bench.ours() : bench.plain(); };
  auto release = [&] { ours ? bench.ours_release() : bench.plain_release(); };
  Out first = call();
  if (first.count == 0 && bench.which.rfind("pack_false", 0) != 0) {
    std::fprintf(stderr, "bench_array: unknown case %s\n", argv[1]);
    return 2;
  }
  const double checksum = first.checksum();
  release();
  double sink = 0;
  const double t0 = cpu_seconds();
  for (int k = 1; k <= reps; ++k) {
    bench.a[0] = (k % 7) / 8.0;
    sink += call().last();
    release();
  }
  const double t1 = cpu_seconds();
  std::printf("%s %.6e %.17g %g\n", argv[1], (t1 - t0) / reps, checksum, sink);
  return 0;
}
