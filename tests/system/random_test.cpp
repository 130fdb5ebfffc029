// The generator's sequence, its REAL and DOUBLE PRECISION forms, the fill
// order of the vector and array entries, and RANDOM_SEED.  Expected values
// come from exact integer and correctly rounded arithmetic done apart from
// the library (Python), and from the published check value of the minimal
// standard generator (seed 1043618065 after 10000 steps from 1).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "support/child.h"
#include "tavf90.h"

namespace {

tav_ptr_desc vector_of(std::int32_t *v, int n) { return tav_ptr_desc{reinterpret_cast<char *>(v), -4, {{n, 4, 1}}}; }

void put(std::int32_t seed) {
  tav_ptr_desc p = vector_of(&seed, 1);
  __TAVf90_random_seed(nullptr, &p, nullptr);
}

std::int32_t get() {
  std::int32_t s = -1;
  tav_ptr_desc g = vector_of(&s, 1);
  EXPECT_EQ(__TAVf90_get_random_seed(&g), s);
  return s;
}

TEST(Random, SequenceFromSeedOne) {
  put(1);
  const double doubles[] = {0x1.069c00020d380p-17, 0x1.0d63af121ac76p-3, 0x1.82deb36705bd6p-1};
  for (double d : doubles) EXPECT_EQ(__TAVf90_random90_d(), d);
  put(1);
  const float reals[] = {0x1.069cp-17f, 0x1.0d63b0p-3f, 0x1.82deb4p-1f, 0x1.d5a862p-2f, 0x1.10c6dep-1f};
  for (float r : reals) EXPECT_EQ(__TAVf90_random90_r(), r);
  EXPECT_EQ(get(), 1144108930);
  put(1);
  for (int i = 0; i < 9999; ++i) __TAVf90_random90();
  EXPECT_EQ(__TAVf90_random90_d(), 1043618065 / 2147483647.0);
  EXPECT_EQ(get(), 1043618065);
}

TEST(Random, RealNeverReachesOne) {
  // Seeds put so that the next one is 2^31 - 2, 2^31 - 64 (both would round
  // to 1.0), 2^31 - 65 and 2^31 - 66.
  const struct {
    std::int32_t put;
    float real;
    double dbl;
  } cases[] = {{739806647, 0x1.fffffep-1f, 0x1.fffffffc00000p-1},
               {1510662174, 0x1.fffffep-1f, 0x1.ffffff0400000p-1},
               {102985174, 0x1.fffffep-1f, 0x1.ffffff0000000p-1},
               {842791821, 0x1.fffffep-1f, 0x1.fffffefc00000p-1}};
  for (const auto &c : cases) {
    put(c.put);
    EXPECT_EQ(__TAVf90_random90_r(), c.real) << c.put;
    put(c.put);
    EXPECT_EQ(__TAVf90_random90_d(), c.dbl) << c.put;
  }
}

TEST(Random, PutGetAndSize) {
  const std::int32_t puts[][2] = {{0, 1}, {-5, 1}, {2147483647, 1}, {2147483646, 2147483646}, {12345, 12345}};
  for (const auto &p : puts) {
    put(p[0]);
    EXPECT_EQ(get(), p[1]) << p[0];
  }
  // A longer PUT uses its first element; a section's first element is at
  // its base.
  std::int32_t v[3] = {7, 8, 9};
  tav_ptr_desc back{reinterpret_cast<char *>(v + 2), 0, {{3, -4, 1}}};
  __TAVf90_put_random_seed(&back);
  EXPECT_EQ(get(), 9);
  int size = 0;
  __TAVf90_random_seed(&size, nullptr, nullptr);
  EXPECT_EQ(size, 1);
  size = 0;
  EXPECT_EQ(__TAVf90_random_seed_size(&size), &size);
  EXPECT_EQ(size, 1);
}

// Numbers of the scalar entry from seed 42, for comparison with the fills.
template <class T>
std::vector<T> scalar_numbers(int n) {
  put(42);
  std::vector<T> v;
  for (int i = 0; i < n; ++i) v.push_back(sizeof(T) == 4 ? static_cast<T>(__TAVf90_random90_r()) : __TAVf90_random90_d());
  return v;
}

TEST(Random, FillsInArrayElementOrder) {
  std::vector<float> want_r = scalar_numbers<float>(12);
  std::vector<double> want_d = scalar_numbers<double>(12);
  std::vector<float> r(12);
  put(42);
  __TAVf90_random90v_r(r.data(), 12);
  EXPECT_EQ(r, want_r);
  std::vector<double> d(12);
  put(42);
  __TAVf90_random90v_d(d.data(), 5);
  __TAVf90_random90v_d(d.data() + 5, 7);
  EXPECT_EQ(d, want_d);
  // A contiguous 3x4 array, then a 2x3 section of a 4x6 array (every other
  // row, every other column, rows backwards): only the section's elements
  // change, in array element order.
  put(42);
  std::fill(d.begin(), d.end(), -1.0);
  tav_ptr_desc whole{reinterpret_cast<char *>(d.data()), 0, {{3, 8, 1}, {4, 24, 1}}};
  __TAVf90_random90a_d(2, &whole);
  EXPECT_EQ(d, want_d);
  std::vector<float> big(24, -1.0f);
  tav_ptr_desc sect{reinterpret_cast<char *>(&big[2]), 0, {{2, -8, 1}, {3, 32, 1}}};
  put(42);
  __TAVf90_random90a_r(2, &sect);
  const int order[] = {2, 0, 10, 8, 18, 16};
  for (int i = 0; i < 24; ++i) {
    const int *at = std::find(order, order + 6, i);
    EXPECT_EQ(big[i], at == order + 6 ? -1.0f : want_r[at - order]) << i;
  }
  // Nothing to fill: the seed does not move.
  put(42);
  tav_ptr_desc empty{reinterpret_cast<char *>(big.data()), 0, {{0, 4, 1}, {3, 0, 1}}};
  __TAVf90_random90a_r(2, &empty);
  __TAVf90_random90v_r(big.data(), 0);
  EXPECT_EQ(get(), 42);
}

// The first line of what a fatal scenario printed, and that it ended by
// the fatal path.
void expect_fatal(const std::function<void()> &body, const std::string &message) {
  auto r = tavtest::run(body);
  EXPECT_TRUE(r.aborted()) << message << ": " << r.describe();
  EXPECT_EQ(r.err.substr(0, r.err.find('\n')), message);
  EXPECT_EQ(r.err.find("\nProgram terminated by fatal error\n"), message.size());
}

TEST(Random, SeedArgumentErrors) {
  std::int32_t v = 5;
  int size;
  tav_ptr_desc one = vector_of(&v, 1), none = vector_of(&v, 0);
  expect_fatal([&] { __TAVf90_random_seed(&size, &one, nullptr); }, "Too many arguments present in call to RANDOM_SEED");
  expect_fatal([&] { __TAVf90_random_seed(nullptr, &one, &one); }, "Too many arguments present in call to RANDOM_SEED");
  expect_fatal([&] { __TAVf90_random_seed(nullptr, &none, nullptr); }, "PUT argument to RANDOM_SEED is too small");
  expect_fatal([&] { __TAVf90_random_seed(nullptr, nullptr, &none); }, "GET argument to RANDOM_SEED is too small");
  expect_fatal([&] { __TAVf90_get_random_seed(&none); }, "GET argument to RANDOM_SEED is too small");
}

}  // namespace
