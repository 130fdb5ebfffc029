// Whole-array forms: results in new temporaries, operands with their own
// strides, shape checks.
#include "support/common.h"
#include "numeric/numeric_support.h"

namespace {

// A rank-2 descriptor of an extent0 x extent1 section of `base` whose
// elements lie `step` elements apart along the first dimension.
template <class T>
tav_ptr_desc section(T *base, intptr_t e0, intptr_t e1, intptr_t step = 1) {
  tav_ptr_desc d{};
  d.base = reinterpret_cast<char *>(base);
  d.dim[0] = {e0, static_cast<intptr_t>(sizeof(T)) * step, 1};
  d.dim[1] = {e1, static_cast<intptr_t>(sizeof(T)) * step * e0, 1};
  return d;
}

// The n elements of a result temporary, which is released.
template <class T>
std::vector<T> take(const char *base, int n) {
  std::vector<T> v(n);
  std::memcpy(v.data(), base, n * sizeof(T));
  __TAVf90_oDeAlloc(const_cast<char *>(base), n * sizeof(T));
  return v;
}

TEST(ArrayForms, StridedOperandsAndResultDescriptor) {
  float x[12] = {1, -99, 0, -99, 3, -99, 0.75f, -99, 8, -99, 1e-40f, -99};
  tav_ptr_desc xs = section(x, 2, 3, 2), r{};
  __TAVf90_exponent_ra(&r, 2, &xs);
  EXPECT_EQ(r.dim[0].lower + r.dim[1].stride + r.offset, 1 + 8 - 12);
  EXPECT_EQ(take<int32_t>(r.base, 6), (std::vector<int32_t>{1, 0, 2, 0, 4, -132}));
  double d[3] = {1, 0, 4};
  tav_ptr_desc ds = section(d, 3, 1);
  __TAVf90_spacing_da(&r, 1, &ds);
  EXPECT_EQ(take<double>(r.base, 3), (std::vector<double>{0x1p-52, 0x1p-1022, 0x1p-50}));

  int32_t a[4] = {-7, 7, -7, 9}, p[8] = {3, 0, 3, 0, -3, 0, -3, 0};
  tav_ptr_desc as = section(a, 2, 2), ps = section(p, 2, 2, 2);
  __TAVf90_modulo_ia(&r, 2, &as, &ps);
  EXPECT_EQ(take<int32_t>(r.base, 4), (std::vector<int32_t>{2, 1, -1, 0}));
  int64_t la[2] = {(int64_t{1} << 62) + 1, INT64_MIN}, lp[2] = {3, -1};
  tav_ptr_desc las = section(la, 2, 1), lps = section(lp, 2, 1);
  __TAVf90_modulo_i4a(&r, 1, &las, &lps);
  EXPECT_EQ(take<int64_t>(r.base, 2), (std::vector<int64_t>{2, 0}));
  float fa[2] = {-7.5f, 0.1f}, fp[2] = {2, 2};
  tav_ptr_desc fas = section(fa, 2, 1), fps = section(fp, 2, 1);
  __TAVf90_mod_ra(&r, 1, &fas, &fps);
  EXPECT_EQ(take<float>(r.base, 2), (std::vector<float>{-1.5f, 0.1f}));
  __TAVf90_dproda(&r, 1, &fas, &fas);
  EXPECT_EQ(take<double>(r.base, 2), (std::vector<double>{56.25, 0x1.47ae151eb852p-7}));
}

TEST(ArrayForms, MaxMinOfArrays) {
  int32_t a[6] = {1, 9, 3, 4, 5, 6}, b[6] = {7, 2, 3, 0, 8, 1}, c[12] = {0, 0, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  tav_ptr_desc as = section(a, 3, 2), bs = section(b, 3, 2), cs = section(c, 3, 2, 2);
  tav_vector v = __TAVf90_max_ia(3, 2, &as, 2, &bs, 2, &cs);
  EXPECT_EQ(v.extent[0] * 10 + v.extent[1], 32);
  EXPECT_EQ(take<int32_t>(v.base, 6), (std::vector<int32_t>{7, 10, 3, 4, 8, 6}));
  double x[2] = {1, -1}, y[2] = {0.5, NAN};
  tav_ptr_desc xs = section(x, 2, 1), ys = section(y, 2, 1);
  v = __TAVf90_min_da(2, 1, &xs, 1, &ys);
  EXPECT_EQ(take<double>(v.base, 2), (std::vector<double>{0.5, -1}));
  // Equal values keep the first argument's: zeros keep their signs.
  double p[2] = {0.0, -0.0}, q[2] = {-0.0, 0.0};
  tav_ptr_desc ps = section(p, 2, 1), qs = section(q, 2, 1);
  v = __TAVf90_max_da(2, 1, &ps, 1, &qs);
  const std::vector<double> zeros = take<double>(v.base, 2);
  EXPECT_EQ(std::signbit(zeros[0]) * 10 + std::signbit(zeros[1]), 1);
}

// The fatal paths of data/fatal.tsv (scalar arguments as words, a REAL
// by its bits), with the operands its rows name; `out` takes a record result.
TEST(ArrayForms, FatalArguments) {
  int32_t i7 = 7, i0 = 0, a[6] = {}, p[8] = {1, 1, 1, 1, 1, 1, 1, 1};
  int16_t h[3] = {1, 2, 3};
  double d7 = 7, d0 = 0, d1[2] = {1, 2}, d2[2] = {1, 0}, out[8];
  tav_ptr_desc r{}, a23 = section(a, 2, 3), p24 = section(p, 2, 4), d12 = section(d1, 2, 1),
                    d10 = section(d2, 2, 1), h2 = section(h, 2, 1), h3 = section(h, 3, 1);
  EXPECT_EQ(tavtest::expect_fatal_table("numeric/data/fatal.tsv",
                                        {{"i7", &i7}, {"i0", &i0}, {"d7", &d7}, {"d0", &d0}, {"r", &r},
                                         {"a23", &a23}, {"p24", &p24}, {"d12", &d12}, {"d10", &d10},
                                         {"h2", &h2}, {"h3", &h3}, {"out", out}}),
            16);
}

}  // namespace
