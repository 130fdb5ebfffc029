// The generator, its vector and array fills, and RANDOM_SEED.  Expected
// values: exact integer and correctly rounded arithmetic done apart from
// the library (Python), and the published check of the minimal standard
// generator (1043618065 after 10000 steps from 1).
#include "support/common.h"

namespace {

tav_ptr_desc vec(std::int32_t *v, int n) { return tav_ptr_desc{reinterpret_cast<char *>(v), -4, {{n, 4, 1}}}; }
void put(std::int32_t seed) {
  tav_ptr_desc p = vec(&seed, 1);
  __TAVf90_random_seed(nullptr, &p, nullptr);
}
std::int32_t get() {
  std::int32_t s = -1;
  tav_ptr_desc g = vec(&s, 1);
  EXPECT_EQ(__TAVf90_get_random_seed(&g), s);
  return s;
}

TEST(Random, Sequence) {
  put(1);
  for (float r : {0x1.069cp-17f, 0x1.0d63b0p-3f, 0x1.82deb4p-1f, 0x1.d5a862p-2f}) EXPECT_EQ(__TAVf90_random90_r(), r);
  put(1);
  for (int i = 0; i < 9999; ++i) __TAVf90_random90();
  EXPECT_EQ(__TAVf90_random90_d(), 1043618065 / 2147483647.0);
  // Seeds put so that the next is 2^31 - 2, 2^31 - 64 (both would round to
  // 1.0 as REAL), 2^31 - 65: REAL stays below 1.
  for (std::int32_t s : {739806647, 1510662174, 102985174}) {
    put(s);
    EXPECT_EQ(__TAVf90_random90_r(), 0x1.fffffep-1f) << s;
  }
}

TEST(Random, SeedArguments) {
  for (auto [in, out] : {std::pair{0, 1}, {-5, 1}, {2147483647, 1}, {2147483646, 2147483646}, {12345, 12345}}) {
    put(in);
    EXPECT_EQ(get(), out) << in;
  }
  std::int32_t v[3] = {7, 8, 9};  // PUT = v(3:1:-1): its first element
  tav_ptr_desc back{reinterpret_cast<char *>(v + 2), 0, {{3, -4, 1}}};
  __TAVf90_put_random_seed(&back);
  EXPECT_EQ(get(), 9);
  int size = 0, size2 = 0;
  __TAVf90_random_seed(&size, nullptr, nullptr);
  EXPECT_EQ(__TAVf90_random_seed_size(&size2), &size2);
  EXPECT_EQ(size + size2, 2);
}

// Arguments too small, or too many, for DATE_AND_TIME (checked in the order
// DATE, TIME, ZONE, VALUES) and RANDOM_SEED.
TEST(Random, FatalArguments) {
  char t[16];
  std::int32_t v[8], size;
  tav_ptr_desc seven = vec(v, 7), eight = vec(v, 8), none = vec(v, 0);
  tav_ptr_desc back{reinterpret_cast<char *>(v + 2), 0, {{3, -4, 1}}};
  const std::map<std::string, const void *> objects = {{"t", t},         {"seven", &seven}, {"eight", &eight},
                                                        {"none", &none}, {"back", &back},   {"size", &size}};
  EXPECT_EQ(tavtest::expect_fatal_table("system/data/fatal.tsv", objects), 9);
}

// Vectors and arrays get the numbers single calls give, in array element
// order; the four-lane fill is split so that it ends in single steps.
TEST(Random, FillsInArrayElementOrder) {
  std::vector<float> want_r, r(12, -1.0f);
  std::vector<double> want_d, d(12);
  put(42);
  for (int i = 0; i < 12; ++i) want_r.push_back(__TAVf90_random90_r());
  put(42);
  for (int i = 0; i < 12; ++i) want_d.push_back(__TAVf90_random90_d());
  put(42);
  __TAVf90_random90v_d(d.data(), 5);
  __TAVf90_random90v_d(d.data() + 5, 7);
  EXPECT_EQ(d, want_d);
  put(42);
  tav_ptr_desc whole{reinterpret_cast<char *>(r.data()), 0, {{3, 4, 1}, {4, 12, 1}}};
  __TAVf90_random90a_r(2, &whole);
  EXPECT_EQ(r, want_r);
  // Sections of a 4x6 array: every other row, backwards, of every other
  // column; every row, backwards, of columns 1 to 3 (whose columns follow
  // one another).  Only their elements change, in array element order.
  const std::pair<tav_ptr_desc, std::vector<int>> sections[] = {
      {{nullptr, 0, {{2, -16, 1}, {3, 64, 1}}}, {2, 0, 10, 8, 18, 16}},
      {{nullptr, 0, {{4, -8, 1}, {3, 32, 1}}}, {3, 2, 1, 0, 7, 6, 5, 4, 11, 10, 9, 8}}};
  for (auto [sect, at] : sections) {
    std::vector<double> big(24, -1.0), want_big(24, -1.0);
    sect.base = reinterpret_cast<char *>(&big[static_cast<std::size_t>(at[0])]);
    put(42);
    __TAVf90_random90a_d(2, &sect);
    for (std::size_t k = 0; k < at.size(); ++k) want_big[static_cast<std::size_t>(at[k])] = want_d[k];
    EXPECT_EQ(big, want_big) << at.size();
  }
}

}  // namespace
