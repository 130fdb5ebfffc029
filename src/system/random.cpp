// RANDOM_NUMBER and RANDOM_SEED: the minimal standard multiplicative
// congruential generator, seed <- 16807 * seed mod (2^31 - 1), one 32-bit
// seed for the whole process.
#include <cstdint>
#include <ctime>

#include "array/walk.h"
#include "runtime/fatal.h"
#include "tavf90_system.h"

namespace tav::system {
namespace {

constexpr std::uint32_t kModulus = 0x7FFFFFFF;  // 2^31 - 1, prime
constexpr std::uint32_t kMultiplier = 16807;

std::uint32_t seed;  // 1 .. kModulus - 1 once seeded
std::int32_t init;   // clock seedings so far; a PUT sets it to 1

// x * a mod (2^31 - 1) for x, a below the modulus.  The product is below
// 2^62, and 2^31 = 1 modulo the modulus, so the high part folds onto the
// low part; the sum is below twice the modulus.  One step of the generator
// is mulmod(seed, 16807): the same values as Schrage's decomposition,
// without the division.
inline std::uint32_t mulmod(std::uint32_t x, std::uint32_t a) {
  std::uint64_t p = std::uint64_t{x} * a;
  std::uint32_t r = static_cast<std::uint32_t>(p & kModulus) + static_cast<std::uint32_t>(p >> 31);
  return r >= kModulus ? r - kModulus : r;
}
inline std::uint32_t next(std::uint32_t s) { return mulmod(s, kMultiplier); }

// 16807^k mod (2^31 - 1): four seeds ahead in one multiplication.
constexpr std::uint32_t power(int k) {
  std::uint64_t r = 1;
  for (int i = 0; i < k; ++i) r = r * kMultiplier % kModulus;
  return static_cast<std::uint32_t>(r);
}
constexpr std::uint32_t kAhead[4] = {power(1), power(2), power(3), power(4)};

// REAL: seed * 2^-31, rounded once (the product is exact in double).  A
// seed within 64 of 2^31 would round up to 1.0, which RANDOM_NUMBER must
// never return; it gives the largest REAL below 1 instead.
inline float to_real(std::uint32_t s) {
  float r = static_cast<float>(static_cast<double>(s) * 0x1p-31);
  return r < 1.0f ? r : 0x1.fffffep-1f;
}
// DOUBLE PRECISION: seed / (2^31 - 1), below 1 for every seed.
inline double to_double(std::uint32_t s) { return static_cast<double>(s) / 2147483647.0; }

template <class T>
inline T convert(std::uint32_t s) {
  if constexpr (sizeof(T) == sizeof(float)) return to_real(s);
  else return to_double(s);
}

void seed_from_clock() {
  auto t = static_cast<std::uint32_t>(std::time(nullptr));
  std::uint32_t s = ((t + static_cast<std::uint32_t>(init)) * kMultiplier + 1) & kModulus;
  seed = (s == 0 || s == kModulus) ? 1 : s;
  ++init;
}

inline std::uint32_t current() {
  if (init == 0) seed_from_clock();
  return seed;
}

template <class T>
T number() {
  seed = next(current());
  return convert<T>(seed);
}

// n consecutive numbers.  Four interleaved lanes, each advancing four
// seeds per multiplication, keep four independent chains in flight; the
// numbers and the final seed are those of n single steps.
template <class T>
void fill(T *p, std::intptr_t n) {
  if (n <= 0) return;
  std::uint32_t s = current();
  std::intptr_t i = 0;
  if (n >= 4) {
    std::uint32_t x[4];
    for (int j = 0; j < 4; ++j) x[j] = mulmod(s, kAhead[j]);
    for (;; i += 4) {
      for (int j = 0; j < 4; ++j) p[i + j] = convert<T>(x[j]);
      if (n - i < 8) break;
      for (int j = 0; j < 4; ++j) x[j] = mulmod(x[j], kAhead[3]);
    }
    s = x[3];
    i += 4;
  }
  for (; i < n; ++i) p[i] = convert<T>(s = next(s));
  seed = s;
}

template <class T>
void fill_array(int rank, const tav_ptr_desc *d) {
  array::Walk w(rank, d->dim);
  bool contiguous = true;
  std::intptr_t expect = sizeof(T);
  for (int k = 0; k < rank && k < array::kMaxRank; ++k) {
    contiguous = contiguous && d->dim[k].stride == expect;
    expect *= d->dim[k].extent;
  }
  if (contiguous) return fill(reinterpret_cast<T *>(d->base), w.count());
  if (w.empty()) return;
  std::uint32_t s = current();
  array::for_each_element(w, d->base, [&s](char *e) { *reinterpret_cast<T *>(e) = convert<T>(s = next(s)); });
  seed = s;
}

void put(const tav_ptr_desc *p) {
  if (p->dim[0].extent < 1) rt::crash("PUT argument to RANDOM_SEED is too small");
  std::int32_t v = *reinterpret_cast<const std::int32_t *>(p->base);
  seed = (v < 1 || static_cast<std::uint32_t>(v) == kModulus) ? 1 : static_cast<std::uint32_t>(v);
  init = 1;
}

int get(const tav_ptr_desc *g) {
  if (g->dim[0].extent < 1) rt::crash("GET argument to RANDOM_SEED is too small");
  auto v = static_cast<std::int32_t>(current());
  *reinterpret_cast<std::int32_t *>(g->base) = v;
  return v;
}

}  // namespace
}  // namespace tav::system

using namespace tav::system;

extern "C" {

float __TAVf90_random90_r(void) { return number<float>(); }
double __TAVf90_random90_d(void) { return number<double>(); }
double __TAVf90_random90(void) { return number<double>(); }

void __TAVf90_random90v_r(float *first, int n) { fill(first, n); }
void __TAVf90_random90v_d(double *first, int n) { fill(first, n); }

void __TAVf90_random90a_r(int rank, const tav_ptr_desc *harvest) { fill_array<float>(rank, harvest); }
void __TAVf90_random90a_d(int rank, const tav_ptr_desc *harvest) { fill_array<double>(rank, harvest); }

void __TAVf90_random_seed(int *size, const tav_ptr_desc *put_arg, const tav_ptr_desc *get_arg) {
  int present = (size != nullptr) + (put_arg != nullptr) + (get_arg != nullptr);
  if (present > 1) tav::rt::crash("Too many arguments present in call to RANDOM_SEED");
  if (size != nullptr) *size = 1;
  else if (put_arg != nullptr) put(put_arg);
  else if (get_arg != nullptr) get(get_arg);
  else seed_from_clock();
}

int *__TAVf90_random_seed_size(int *size) {
  *size = 1;
  return size;
}

void __TAVf90_put_random_seed(const tav_ptr_desc *p) { put(p); }
int __TAVf90_get_random_seed(const tav_ptr_desc *g) { return get(g); }
void __TAVf90_init_random(void) { seed_from_clock(); }

}  // extern "C"
