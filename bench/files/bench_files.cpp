// Unformatted and direct-access file bandwidth of the library, and of the
// C library moving the same bytes (fwrite / fread / memcpy).
// usage: bench_files CASE FILE [SCALE]   prints "CASE seconds bytes"
// Cases: big-w big-r (1e5 records of one 8 KiB array), small-w small-r
// (1e6 records of one INTEGER), direct-r (1e5 reads of 64-byte records in
// random order), and raw-w raw-r raw-copy (the big records' bytes by fwrite
// and fread on a stream with a 256 KiB buffer, and by memcpy).  SCALE
// divides the record counts.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tavf90.h"

namespace {

constexpr int kBig = 1024;  // doubles in one big record (8 KiB)

int open_file(int unit, const char *name, const char *access, int recl) {
  int r = recl;
  return __TAVf90_open(unit, name, static_cast<int>(std::strlen(name)), nullptr, 0, access,
                       access ? static_cast<int>(std::strlen(access)) : 0, "UNFORMATTED", 11,
                       recl > 0 ? &r : nullptr, nullptr, 0, nullptr, 0, nullptr, 0, nullptr, 0, nullptr, 0, 0);
}

// The random record order both sides use.
int next_rec(unsigned &state, int n) {
  state = state * 1103515245u + 12345u;
  return static_cast<int>((state >> 8) % static_cast<unsigned>(n)) + 1;
}

}  // namespace

int main(int argc, char **argv) {
  if (argc < 3) return 2;
  const std::string c = argv[1];
  const char *file = argv[2];
  const int scale = argc > 3 ? std::atoi(argv[3]) : 1;
  const int nbig = 100000 / scale, nsmall = 1000000 / scale, ndirect = 100000 / scale;
  f90_io_init();
  std::vector<double> a(kBig);
  for (int i = 0; i < kBig; ++i) a[i] = i * 0.5;
  tav_ptr_desc d{};
  d.base = reinterpret_cast<char *>(a.data());
  d.dim[0] = {kBig, 8, 1};
  double bytes = 0;
  long sum = 0;
  auto t0 = std::chrono::steady_clock::now();
  if (c == "big-w" || c == "big-r") {
    open_file(10, file, nullptr, 0);
    for (int r = 0; r < nbig; ++r) {
      if (c == "big-w") {
        a[0] = r;
        __TAVf90_writeu(10, 0);
        __TAVf90_uwritea(1, &d, 8);
        __TAVf90_endwriteu();
      } else {
        __TAVf90_readu(10, 0);
        __TAVf90_ureada(1, &d, 8);
        __TAVf90_endreadu();
        sum += static_cast<long>(a[0]);
      }
    }
    __TAVf90_close(10, nullptr, 0, 0);
    bytes = static_cast<double>(nbig) * kBig * 8;
  } else if (c == "small-w" || c == "small-r") {
    open_file(10, file, nullptr, 0);
    for (int r = 0; r < nsmall; ++r) {
      int v = r;
      if (c == "small-w") {
        __TAVf90_writeu(10, 0);
        __TAVf90_uwrite(&v, 4);
        __TAVf90_endwriteu();
      } else {
        __TAVf90_readu(10, 0);
        __TAVf90_uread(&v, 4);
        __TAVf90_endreadu();
        sum += v;
      }
    }
    __TAVf90_close(10, nullptr, 0, 0);
    bytes = static_cast<double>(nsmall) * 4;
  } else if (c == "direct-r") {
    // The file is written first, untimed.
    open_file(11, file, "DIRECT", 64);
    for (int r = 1; r <= ndirect; ++r) {
      a[0] = r;
      __TAVf90_dwriteu(11, r, 0);
      __TAVf90_uwrite(a.data(), 64);
      __TAVf90_enddwriteu();
    }
    t0 = std::chrono::steady_clock::now();
    unsigned state = 1;
    for (int i = 0; i < ndirect; ++i) {
      __TAVf90_dreadu(11, next_rec(state, ndirect), 0);
      __TAVf90_uread(a.data(), 64);
      __TAVf90_enddreadu();
      sum += static_cast<long>(a[0]);
    }
    __TAVf90_close(11, nullptr, 0, 0);
    bytes = static_cast<double>(ndirect) * 64;
  } else if (c == "raw-w" || c == "raw-r" || c == "raw-copy") {
    std::vector<double> b(kBig);
    std::FILE *f = c == "raw-copy" ? nullptr : std::fopen(file, c == "raw-w" ? "wb" : "rb");
    // The same stream buffer as the library gives unformatted units.
    std::vector<char> sbuf(256 * 1024);
    if (f != nullptr) std::setvbuf(f, sbuf.data(), _IOFBF, sbuf.size());
    for (int r = 0; r < nbig; ++r) {
      if (c == "raw-w") {
        a[0] = r;
        std::fwrite(a.data(), 8, kBig, f);
      } else if (c == "raw-r") {
        if (std::fread(a.data(), 8, kBig, f) != static_cast<std::size_t>(kBig)) return 3;
        sum += static_cast<long>(a[0]);
      } else {
        a[0] = r;
        std::memcpy(b.data(), a.data(), kBig * 8);
        sum += static_cast<long>(b[0]);
      }
    }
    if (f != nullptr) std::fclose(f);
    bytes = static_cast<double>(nbig) * kBig * 8;
  } else {
    return 2;
  }
  double secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  std::fprintf(stderr, "%s %.6f %.0f %ld\n", c.c_str(), secs, bytes, sum);
  return 0;
}
