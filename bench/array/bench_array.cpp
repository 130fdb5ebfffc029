// Array intrinsic benchmark, the library's side: each case calls the entry
// point the way compiled code does, and the same work as a plain C loop over
// the same memory.  A 2000 x 2000 DOUBLE PRECISION array, values as in
// bench_array.f90.
// usage: bench_array CASE REPS -> "CASE ours-seconds plain-seconds elements
// checksum-ours checksum-plain fresh-plain-seconds" (seconds per repetition,
// process CPU time; the last is 0 except for PACK and RESHAPE)
#include <time.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "tavf90.h"

namespace {

constexpr int n = 2000;

double cpu_seconds() {
  timespec t;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

tav_ptr_desc whole(void *base, int rank, const int *extents, int size) {
  tav_ptr_desc d{};
  d.base = static_cast<char *>(base);
  std::intptr_t stride = size;
  for (int k = 0; k < rank; ++k) {
    d.dim[k] = tav_dim{extents[k], stride, 1};
    d.offset -= stride;
    stride *= extents[k];
  }
  return d;
}

}  // namespace

int main(int argc, char **argv) {
  if (argc < 3) return 2;
  const char *which = argv[1];
  const int reps = std::atoi(argv[2]);
  std::vector<double> a(static_cast<std::size_t>(n) * n), b(a.size()), r(n);
  std::vector<std::int32_t> l(n), mask(a.size());
  for (int j = 0; j < n; ++j)
    for (int i = 0; i < n; ++i) a[i + static_cast<std::size_t>(j) * n] = ((i + 1) * 7919 + (j + 1) * 104729) % 1000 / 1000.0;
  const int ext[2] = {n, n};
  tav_ptr_desc ad = whole(a.data(), 2, ext, 8);
  std::int32_t shape[2] = {n, n}, order[2] = {2, 1};
  const int two = 2;
  tav_ptr_desc sd = whole(shape, 1, &two, 4), od = whole(order, 1, &two, 4);
  tav_ptr_desc md = whole(mask.data(), 2, ext, 4);
  double check_ours = 0, check_plain = 0;
  const auto N = static_cast<std::size_t>(n);

  auto ours = [&](int k) {
    a[0] = (k % 1000) / 1000.0;
    if (!std::strcmp(which, "sum1") || !std::strcmp(which, "sum2")) {
      tav_vector v = __TAVf90_dimsum_d(2, &ad, which[3] - '0');
      check_ours += reinterpret_cast<double *>(v.base)[n - 1];
      __TAVf90_freevec_d(v);
    } else if (!std::strcmp(which, "maxloc1")) {
      tav_vector v = __TAVf90_maxl_dim_d(2, &ad, 1);
      check_ours += reinterpret_cast<std::int32_t *>(v.base)[n - 1];
      __TAVf90_freevec_i(v);
    } else if (!std::strcmp(which, "cshift1") || !std::strcmp(which, "cshift2")) {
      __TAVf90_cshift_a(2, &ad, 7, which[6] - '0', b.data(), 8);
      check_ours += b.back();
    } else if (!std::strcmp(which, "pack")) {
      tav_vector v{};
      __TAVf90_pack(&v, 2, &ad, 2, &md, nullptr, 8);
      check_ours += reinterpret_cast<double *>(v.base)[v.extent[0] - 1];
      __TAVf90_freevec_d(v);
    } else if (!std::strcmp(which, "reshape")) {
      tav_vector v{};
      __TAVf90_reshape(&v, 2, &ad, &sd, 0, nullptr, &od, 8);
      check_ours += reinterpret_cast<double *>(v.base)[N * N - 2];
      __TAVf90_freevec_d(v);
    }
  };
  // fresh: PACK and RESHAPE write into storage obtained for the call (as the
  // library must), otherwise into a destination used before.
  bool fresh = false;
  auto plain = [&](int k) {
    a[0] = (k % 1000) / 1000.0;
    double *dst = fresh ? static_cast<double *>(std::calloc(N * N, sizeof(double))) : b.data();
    if (!std::strcmp(which, "sum1")) {
      for (std::size_t j = 0; j < N; ++j) {
        double s = 0;
        for (std::size_t i = 0; i < N; ++i) s += a[i + j * N];
        r[j] = s;
      }
      check_plain += r[N - 1];
    } else if (!std::strcmp(which, "sum2")) {
      for (std::size_t i = 0; i < N; ++i) r[i] = 0;
      for (std::size_t j = 0; j < N; ++j)
        for (std::size_t i = 0; i < N; ++i) r[i] += a[i + j * N];
      check_plain += r[N - 1];
    } else if (!std::strcmp(which, "maxloc1")) {
      for (std::size_t j = 0; j < N; ++j) {
        double v = -1.7976931348623157e308;
        std::int32_t at = 0;
        for (std::size_t i = 0; i < N; ++i)
          if (a[i + j * N] > v) v = a[i + j * N], at = static_cast<std::int32_t>(i + 1);
        l[j] = at;
      }
      check_plain += l[N - 1];
    } else if (!std::strcmp(which, "cshift1")) {
      for (std::size_t j = 0; j < N; ++j)
        for (std::size_t i = 0; i < N; ++i) b[i + j * N] = a[(i + 7) % N + j * N];
      check_plain += b.back();
    } else if (!std::strcmp(which, "cshift2")) {
      for (std::size_t j = 0; j < N; ++j)
        for (std::size_t i = 0; i < N; ++i) b[i + j * N] = a[i + (j + 7) % N * N];
      check_plain += b.back();
    } else if (!std::strcmp(which, "pack")) {
      std::size_t m = 0;
      for (std::size_t i = 0; i < N * N; ++i)
        if (mask[i]) dst[m++] = a[i];
      check_plain += dst[m - 1];
    } else if (!std::strcmp(which, "reshape")) {
      // Element number q of the source goes to row q / n, column q % n.
      std::size_t q = 0;
      for (std::size_t i = 0; i < N; ++i)
        for (std::size_t j = 0; j < N; ++j) dst[i + j * N] = a[q++];
      check_plain += dst[N * N - 2];
    }
    if (fresh) std::free(dst);
  };
  // The mask of PACK (A > 0.5) is compiled code's temporary: made once,
  // outside the timing, read by both sides.
  for (std::size_t i = 0; i < N * N; ++i) mask[i] = a[i] > 0.5;

  ours(0);  // first touch of every page on both sides
  plain(0);
  check_ours = check_plain = 0;
  double t0 = cpu_seconds();
  for (int k = 1; k <= reps; ++k) ours(k);
  double t1 = cpu_seconds();
  for (int k = 1; k <= reps; ++k) plain(k);
  double t2 = cpu_seconds(), t3 = t2;
  if (!std::strcmp(which, "pack") || !std::strcmp(which, "reshape")) {
    fresh = true;
    double keep = check_plain;
    for (int k = 1; k <= reps; ++k) plain(k);
    t3 = cpu_seconds();
    check_plain = keep;
  }
  std::printf("%s %.5e %.5e %d %.15e %.15e %.5e\n", which, (t1 - t0) / reps, (t2 - t1) / reps, n * n, check_ours,
              check_plain, (t3 - t2) / reps);
  return 0;
}
