// Reductions along DIM (SUM, PRODUCT, ANY, ALL, COUNT, MAXVAL, MINVAL,
// MAXLOC, MINLOC), every element type and mask kind, against a reference
// that addresses each element by its subscripts, result element by result
// element; then the cases where the answer is known by hand, and the
// fatal paths.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "array_support.h"
#include "support/fatal_table.h"
#include "tavf90.h"

namespace {

using array_test::Section;
using array_test::Shape;
using Unmasked = tav_vector (*)(int, const tav_ptr_desc *, int);
using Masked = tav_vector (*)(int, const tav_ptr_desc *, int, int, const tav_ptr_desc *);
using Free = void (*)(tav_vector);

struct Complex { float re, im; };
struct DoubleComplex { double re, im; };

// Mask elements: false, true, or true with only a high bit set (the high
// word of an 8-byte LOGICAL).
template <class M>
M mask_value() {
  switch (array_test::rng()() % 4) {
    case 1: return M(1);
    case 2: return sizeof(M) == 8 ? M(std::uint64_t{1} << 40) : M(0x80);
    default: return 0;
  }
}

template <class T, class Acc, class Out, class M, class Step, class Project>
std::vector<Out> reference(const Section &a, int dim, const Section *mask, Acc init, Step step, Project project) {
  const int d = dim - 1;
  std::intptr_t nres = 1;
  for (int k = 0; k < a.rank(); ++k)
    if (k != d) nres *= a.extent(k);
  std::vector<Out> out;
  for (std::intptr_t n = 0; n < nres; ++n) {
    std::intptr_t sub[7] = {}, rest = n;
    for (int k = 0; k < a.rank(); ++k)
      if (k != d) sub[k] = rest % a.extent(k), rest /= a.extent(k);
    Acc acc = init;
    for (sub[d] = 0; sub[d] < a.extent(d); ++sub[d]) {
      if constexpr (!std::is_void_v<M>) {
        M m;
        std::memcpy(&m, mask->at(sub), sizeof m);
        if (m == 0) continue;
      }
      T x;
      std::memcpy(&x, a.at(sub), sizeof x);
      step(acc, x, sub[d]);
    }
    out.push_back(project(acc));
  }
  return out;
}

// Every shape, every DIM, unmasked, each mask kind (its own layout), and a
// null mask.  `mf` may be null (no masked members).  step(acc, element, j)
// folds one element at 0-based position j along DIM; project gives the
// result element.
template <class T, class Out, class Acc, class Gen, class Step, class Project>
void check_family(const std::string &name, Unmasked f, const Masked *mf, Free fr, Gen gen, Acc init, Step step,
                  Project project) {
  for (const Shape &s : array_test::shapes()) {
    Section a(s, sizeof(T));
    a.fill<T>(gen);
    for (int dim = 1; dim <= s.rank; ++dim) {
      const std::string what = name + " " + array_test::describe(s) + " DIM " + std::to_string(dim);
      auto check = [&](tav_vector got, const std::vector<Out> &want, const std::string &how) {
        int r = 0;
        for (int k = 0; k < s.rank; ++k)
          if (k != dim - 1) {
            EXPECT_EQ(got.extent[r++], s.extent[k]) << what << how;
          }
        for (; r < 7; ++r) EXPECT_EQ(got.extent[r], 1) << what << how;
        EXPECT_EQ(__TAVf90_vector_size(got.extent), static_cast<int>(want.size())) << what << how;
        if (!want.empty() && __TAVf90_vector_size(got.extent) == static_cast<int>(want.size())) {
          EXPECT_EQ(std::memcmp(got.base, want.data(), want.size() * sizeof(Out)), 0) << what << how;
        }
        fr(got);
      };
      auto want = reference<T, Acc, Out, void>(a, dim, nullptr, init, step, project);
      check(f(s.rank, a.desc(), dim), want, "");
      if (mf == nullptr) continue;
      check(mf[0](s.rank, a.desc(), dim, 0, nullptr), want, " null MASK");
      auto masked = [&](auto mtag, int i) {
        using M = decltype(mtag);
        Shape ms = s;
        for (int k = 0; k < s.rank; ++k) ms.gap[k] = 2;
        ms.reversed = ~s.reversed & 0x7f;
        Section m(ms, sizeof(M), 1);
        m.fill<M>([](std::intptr_t) { return mask_value<M>(); });
        check(mf[i](s.rank, a.desc(), dim, 0, m.desc()), reference<T, Acc, Out, M>(a, dim, &m, init, step, project),
              " MASK of " + std::to_string(sizeof(M)) + " bytes");
      };
      masked(std::uint32_t{}, 0), masked(std::uint8_t{}, 1), masked(std::uint16_t{}, 2), masked(std::uint64_t{}, 3);
    }
  }
}

// Random elements: full-range integers (wrap-around) or small ones (ties);
// reals of many magnitudes, or near 1 for products.
template <class T>
T random_value(bool factor = false) {
  auto &g = array_test::rng();
  if constexpr (std::is_integral_v<T>) {
    if (g() % 2) return static_cast<T>(static_cast<std::uint64_t>(g()) << 32 | g());
    return static_cast<T>(static_cast<int>(g() % 7) - 3);
  } else if constexpr (std::is_floating_point_v<T>) {
    if (factor) return static_cast<T>(0.5 + (g() % 1000) / 700.0);
    return static_cast<T>(std::ldexp(g() / 4294967296.0 - 0.5, static_cast<int>(g() % 40) - 10));
  } else {
    return T{random_value<decltype(T::re)>(factor), random_value<decltype(T::re)>(factor) * (factor ? 0.5f : 1)};
  }
}

template <class T>
using Unsigned = std::conditional_t<(sizeof(T) < 4), std::uint32_t, std::make_unsigned_t<T>>;
template <class T>
void add(T &acc, T x, std::intptr_t = 0) {
  if constexpr (std::is_integral_v<T>)
    acc = static_cast<T>(static_cast<Unsigned<T>>(acc) + static_cast<Unsigned<T>>(x));
  else if constexpr (std::is_floating_point_v<T>)
    acc = acc + x;
  else
    acc = T{acc.re + x.re, acc.im + x.im};
}
template <class T>
void multiply(T &acc, T x, std::intptr_t = 0) {
  if constexpr (std::is_integral_v<T>) {
    acc = static_cast<T>(static_cast<Unsigned<T>>(acc) * static_cast<Unsigned<T>>(x));
  } else if constexpr (std::is_floating_point_v<T>) {
    acc = acc * x;
  } else {  // each component from extended-precision products, rounded once
    using C = decltype(acc.re);
    using L = long double;
    acc = T{static_cast<C>(L(acc.re) * x.re - L(acc.im) * x.im), static_cast<C>(L(acc.re) * x.im + L(acc.im) * x.re)};
  }
}

template <class T>
void check_sum_product(const std::string &t, Unmasked sum, Unmasked prod, const Masked (&msum)[4],
                       const Masked (&mprod)[4], Free fr) {
  auto id = [](const T &v) { return v; };
  T one{};
  if constexpr (std::is_arithmetic_v<T>) one = T(1); else one.re = 1;
  check_family<T, T>("dimsum_" + t, sum, msum, fr, [](std::intptr_t) { return random_value<T>(); }, T{}, add<T>, id);
  check_family<T, T>("dimprod_" + t, prod, mprod, fr, [](std::intptr_t) { return random_value<T>(true); }, one,
                     multiply<T>, id);
}

#define MASKED(op, t) \
  { __TAVf90_m_l_##op##_##t, __TAVf90_m_l1_##op##_##t, __TAVf90_m_l2_##op##_##t, __TAVf90_m_l4_##op##_##t }
#define SUM_PRODUCT(t, T)                                                                                       \
  check_sum_product<T>(#t, __TAVf90_dimsum_##t, __TAVf90_dimprod_##t, MASKED(dimsum, t), MASKED(dimprod, t), \
                       __TAVf90_freevec_##t)

TEST(Reductions, SumAndProductOfEveryNumericTypeAndMaskKind) {
  SUM_PRODUCT(i1, std::int8_t), SUM_PRODUCT(i2, std::int16_t), SUM_PRODUCT(i, std::int32_t);
  SUM_PRODUCT(i4, std::int64_t), SUM_PRODUCT(r, float), SUM_PRODUCT(d, double);
  SUM_PRODUCT(c, Complex), SUM_PRODUCT(dc, DoubleComplex);
}

template <class L>
void check_logical(const std::string &k, Unmasked any, Unmasked all, Unmasked count, Free fr) {
  auto gen = [](std::intptr_t) { return mask_value<L>() != 0 ? L(1) : L(0); };
  auto id = [](const L &v) { return v; };
  check_family<L, L>("dimsum_" + k, any, nullptr, fr, gen, L(0), [](L &a, L x, std::intptr_t) { a = L(a | x); }, id);
  check_family<L, L>("dimprod_" + k, all, nullptr, fr, gen, L(1), [](L &a, L x, std::intptr_t) { a = L(a & x); }, id);
  check_family<L, std::int32_t>(
      "dimcount_" + k, count, nullptr, __TAVf90_freevec_i, [](std::intptr_t) { return mask_value<L>(); },
      std::int32_t{0}, [](std::int32_t &a, L x, std::intptr_t) { a += x != 0; },
      [](std::int32_t v) { return v; });
}

#define LOGICAL(k, L) \
  check_logical<L>(#k, __TAVf90_dimsum_##k, __TAVf90_dimprod_##k, __TAVf90_dimcount_##k, __TAVf90_freevec_##k)
TEST(Reductions, AnyAllAndCountOfEveryLogicalKind) {
  LOGICAL(l1, std::uint8_t), LOGICAL(l2, std::uint16_t), LOGICAL(l, std::uint32_t), LOGICAL(l4, std::uint64_t);
}

// Extreme values and locations.  The reference keeps (value, location) and
// takes the first element that is not a NaN even when it equals the start.
template <class T>
struct Best {
  T v;
  std::int32_t at;
};
template <class T>
void check_extremes(const std::string &t, Unmasked maxv, Unmasked minv, Unmasked maxl, Unmasked minl,
                    const Masked (&mmaxv)[4], const Masked (&mminv)[4], const Masked (&mmaxl)[4],
                    const Masked (&mminl)[4], Free fr) {
  T lo = std::is_floating_point_v<T> ? -std::numeric_limits<T>::max() : std::numeric_limits<T>::min();
  T hi = std::numeric_limits<T>::max();
  auto gen = [lo, hi](std::intptr_t) {
    switch (array_test::rng()() % 8) {
      case 0: return lo;
      case 1: return hi;
      case 2:
        if constexpr (std::is_floating_point_v<T>) return std::numeric_limits<T>::quiet_NaN();
        [[fallthrough]];
      default: return random_value<T>();
    }
  };
  auto greater = [](Best<T> &b, T x, std::intptr_t j) {
    if (x > b.v || (b.at == 0 && x == x)) b = {x, static_cast<std::int32_t>(j + 1)};
  };
  auto less = [](Best<T> &b, T x, std::intptr_t j) {
    if (x < b.v || (b.at == 0 && x == x)) b = {x, static_cast<std::int32_t>(j + 1)};
  };
  auto value = [](const Best<T> &b) { return b.v; };
  auto where = [](const Best<T> &b) { return b.at; };
  check_family<T, T>("maxv_dim_" + t, maxv, mmaxv, fr, gen, Best<T>{lo, 0}, greater, value);
  check_family<T, T>("minv_dim_" + t, minv, mminv, fr, gen, Best<T>{hi, 0}, less, value);
  check_family<T, std::int32_t>("maxl_dim_" + t, maxl, mmaxl, __TAVf90_freevec_i, gen, Best<T>{lo, 0}, greater, where);
  check_family<T, std::int32_t>("minl_dim_" + t, minl, mminl, __TAVf90_freevec_i, gen, Best<T>{hi, 0}, less, where);
}

#define EXTREMES(t, T)                                                                                      \
  check_extremes<T>(#t, __TAVf90_maxv_dim_##t, __TAVf90_minv_dim_##t, __TAVf90_maxl_dim_##t,                \
                    __TAVf90_minl_dim_##t, MASKED(maxvd, t), MASKED(minvd, t), MASKED(maxld, t), MASKED(minld, t), \
                    __TAVf90_freevec_##t)

TEST(Reductions, ExtremesAndLocationsOfEveryTypeAndMaskKind) {
  EXTREMES(i1, std::int8_t), EXTREMES(i2, std::int16_t), EXTREMES(i, std::int32_t);
  EXTREMES(i4, std::int64_t), EXTREMES(r, float), EXTREMES(d, double);
}

// ---- Known answers.

// A contiguous column-major array of default INTEGER or REAL values.
template <class T>
struct Dense {
  std::vector<T> v;
  tav_ptr_desc d{};
  Dense(std::vector<T> values, std::vector<std::intptr_t> extents, std::intptr_t lower = 1) : v(std::move(values)) {
    d.base = reinterpret_cast<char *>(v.data());
    std::intptr_t stride = sizeof(T);
    for (std::size_t k = 0; k < extents.size(); ++k) {
      d.dim[k] = tav_dim{extents[k], stride, lower};
      stride *= extents[k];
    }
  }
};

template <class T>
std::vector<T> values_of(const tav_vector &v) {
  const T *p = reinterpret_cast<const T *>(v.base);
  return std::vector<T>(p, p + __TAVf90_vector_size(v.extent));
}
std::vector<int> take_i(tav_vector v) {
  auto out = values_of<std::int32_t>(v);
  __TAVf90_freevec_i(v);
  return std::vector<int>(out.begin(), out.end());
}

// Hand-worked answers, so that the reference above cannot share a
// misreading with the library.
TEST(Reductions, KnownAnswers) {
  Dense<std::int32_t> a({5, 7, 7, 7, 1, -2}, {2, 3});
  EXPECT_EQ(take_i(__TAVf90_dimsum_i(2, &a.d, 1)), (std::vector<int>{12, 14, -1}));
  EXPECT_EQ(take_i(__TAVf90_dimsum_i(2, &a.d, 2)), (std::vector<int>{13, 12}));
  EXPECT_EQ(take_i(__TAVf90_maxl_dim_i(2, &a.d, 1)), (std::vector<int>{2, 1, 1}));
  EXPECT_EQ(take_i(__TAVf90_minl_dim_i(2, &a.d, 2)), (std::vector<int>{3, 3}));
  // Each partial sum is rounded: 4 is lost against 1e8 every time (a
  // pairwise or reordered sum would give 100000016).
  Dense<float> f({1e8f, 1e8f, 4, 4, 4, 4, 4, 4, 4, 4}, {2, 5});
  tav_vector sf = __TAVf90_dimsum_r(2, &f.d, 2);
  EXPECT_EQ(values_of<float>(sf), (std::vector<float>{1e8f, 1e8f}));
  __TAVf90_freevec_r(sf);
  // Extent 0 along DIM: identities; along another dimension: an empty result.
  Dense<std::int32_t> e0({}, {0, 3});
  EXPECT_EQ(take_i(__TAVf90_dimprod_i(2, &e0.d, 1)), (std::vector<int>{1, 1, 1}));
  EXPECT_EQ(take_i(__TAVf90_dimsum_i(2, &e0.d, 2)), (std::vector<int>{}));
}

// Extreme values at the starting values, NaNs and empty slices.
TEST(Reductions, StartingValuesAndNaN) {
  const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
  struct Case {
    const char *what;
    std::vector<float> values;
    std::vector<std::uint32_t> mask;  // empty: no mask
    int maxloc, minloc;
    float maxval, minval;
  };
  const Case cases[] = {
      {"NaN 2 NaN", {nan, 2, nan}, {}, 2, 2, 2, 2},
      {"all NaN", {nan, nan}, {}, 0, 0, -FLT_MAX, FLT_MAX},
      {"all -HUGE", {-FLT_MAX, -FLT_MAX}, {}, 1, 1, -FLT_MAX, -FLT_MAX},
      {"all -Infinity", {-inf, -inf}, {}, 1, 1, -FLT_MAX, -inf},
      {"-Infinity then -HUGE", {-inf, -FLT_MAX}, {}, 2, 1, -FLT_MAX, -inf},
      {"all +HUGE", {FLT_MAX, FLT_MAX, FLT_MAX}, {}, 1, 1, FLT_MAX, FLT_MAX},
      {"masked: first selected", {-FLT_MAX, -FLT_MAX, FLT_MAX}, {0, 1, 0}, 2, 2, -FLT_MAX, -FLT_MAX},
      {"fully masked", {1, 2}, {0, 0}, 0, 0, -FLT_MAX, FLT_MAX},
      {"empty", {}, {}, 0, 0, -FLT_MAX, FLT_MAX},
  };
  for (const Case &c : cases) {
    const auto n = static_cast<std::intptr_t>(c.values.size());
    Dense<float> a(c.values, {n});
    Dense<std::uint32_t> m(c.mask, {n});
    const tav_ptr_desc *md = c.mask.empty() ? nullptr : &m.d;
    EXPECT_EQ(take_i(__TAVf90_m_l_maxld_r(1, &a.d, 1, 0, md)), (std::vector<int>{c.maxloc})) << c.what;
    EXPECT_EQ(take_i(__TAVf90_m_l_minld_r(1, &a.d, 1, 0, md)), (std::vector<int>{c.minloc})) << c.what;
    tav_vector mx = __TAVf90_m_l_maxvd_r(1, &a.d, 1, 0, md), mn = __TAVf90_m_l_minvd_r(1, &a.d, 1, 0, md);
    EXPECT_EQ(values_of<float>(mx)[0], c.maxval) << c.what;
    EXPECT_EQ(values_of<float>(mn)[0], c.minval) << c.what;
    __TAVf90_freevec_r(mx);
    __TAVf90_freevec_r(mn);
  }
  Dense<std::int32_t> none({}, {0});
  EXPECT_EQ(take_i(__TAVf90_maxl_dim_i(1, &none.d, 1)), (std::vector<int>{0}));
}

TEST(Reductions, FatalErrors) {
  // Argument objects of reduce_fatal.tsv: the mask is checked before DIM;
  // "huge" claims a result of 2^32 elements.
  Dense<std::int32_t> a({1, 2, 3, 4, 5, 6}, {2, 3});
  Dense<std::uint32_t> m({1, 1, 1, 1, 1, 1, 1, 1}, {2, 4});
  tav_ptr_desc huge{};
  huge.base = a.d.base;
  huge.dim[0] = tav_dim{65536, 0, 1};
  huge.dim[1] = tav_dim{65536, 0, 1};
  huge.dim[2] = tav_dim{2, 4, 1};
  tav_vector res;
  EXPECT_EQ(tavtest::expect_fatal_table("array/reduce_fatal.tsv", {{"a", &a.d}, {"m", &m.d}, {"huge", &huge},
                                                                   {"res", &res}}), 11);
}

}  // namespace
