// Reductions along DIM (SUM, PRODUCT, ANY, ALL, COUNT, MAXVAL, MINVAL,
// MAXLOC, MINLOC), every element type and mask kind, against a reference
// that addresses each element by its subscripts; then the extreme values at
// the starting values, and the fatal paths.
#include <cmath>
#include <limits>

#include "array_support.h"

namespace {

using array_test::Section;
using array_test::Shape;
using Unmasked = tav_vector (*)(int, const tav_ptr_desc *, int);
using Masked = tav_vector (*)(int, const tav_ptr_desc *, int, int, const tav_ptr_desc *);
using Free = void (*)(tav_vector);
using array_test::entry;

// Mask elements: false, true, or true with only the top bit set (which a
// read of the wrong width misses).
template <class M>
M mask_value() {
  switch (array_test::rng()() % 4) {
    case 1: return M(1);
    case 2: return static_cast<M>(M(1) << (8 * sizeof(M) - 1));
    default: return 0;
  }
}

// The reference: every slice along DIM (d, from 0) folded in increasing
// subscript order, element by element in array element order.  M is the
// mask's element type, void without one.
template <class T, class M, class Acc, class Step>
std::vector<Acc> reference(const Section &a, int d, const Section *mask, Acc init, Step step) {
  std::intptr_t nres = 1;
  for (int k = 0; k < a.rank(); ++k) nres *= k == d ? 1 : a.extent(k);
  std::vector<Acc> acc(static_cast<std::size_t>(nres), init);
  for (std::intptr_t n = 0; n < a.count(); ++n) {
    std::intptr_t sub[7] = {};
    a.subscripts(n, sub);
    if constexpr (!std::is_void_v<M>) {
      if (mask->get<M>(sub) == 0) continue;
    }
    step(acc[static_cast<std::size_t>(a.without(d, sub))], a.get<T>(sub), sub[d]);
  }
  return acc;
}

// Every shape and DIM, unmasked (`name`) and with each mask kind in a layout of
// its own (m_<kind>_<masked_name>; none if that is empty); results released by
// freevec_<result>.  step(acc, element, j) folds one element at 0-based
// position j along DIM; project gives the result element (default: the fold).
template <class T, class Out, class Acc, class Gen, class Step, class Project = std::identity>
void check_family(const std::string &name, const std::string &masked_name, const std::string &result, Gen gen,
                  Acc init, Step step, Project project = {}) {
  const auto f = entry<Unmasked>(name);
  const auto fr = entry<Free>("freevec_" + result);
  for (const Shape &s : array_test::shapes()) {
    Section a(s, sizeof(T));
    a.fill<T>(gen);
    for (int dim = 1; dim <= s.rank; ++dim) {
      const std::string what = name + " " + array_test::describe(s) + " DIM " + std::to_string(dim);
      std::vector<std::intptr_t> ext;  // ARRAY's extents without DIM, then 1s
      for (int k = 0; k <= 7; ++k)
        if (k != dim - 1) ext.push_back(k < s.rank ? s.extent[k] : 1);
      auto check = [&](tav_vector got, auto mtag, const Section *mask, const std::string &how) {
        const auto acc = reference<T, typename decltype(mtag)::type>(a, dim - 1, mask, init, step);
        std::vector<Out> want(acc.size());
        std::ranges::transform(acc, want.begin(), project);
        EXPECT_EQ(std::vector<std::intptr_t>(got.extent, got.extent + 7), ext) << what << how;
        if (!want.empty() && std::equal(ext.begin(), ext.end(), got.extent)) {
          EXPECT_EQ(std::memcmp(got.base, want.data(), want.size() * sizeof(Out)), 0) << what << how;
        }
        fr(got);
      };
      check(f(s.rank, a.desc(), dim), std::type_identity<void>{}, nullptr, "");
      if (masked_name.empty()) continue;
      auto masked = [&](auto mtag, const std::string &kind) {
        using M = typename decltype(mtag)::type;
        Shape ms = s;
        std::fill(ms.gap, ms.gap + 7, 2);
        ms.reversed = ~s.reversed & 0x7f;
        Section m(ms, sizeof(M), 1);
        m.fill<M>([](std::intptr_t) { return mask_value<M>(); });
        check(entry<Masked>("m_" + kind + "_" + masked_name)(s.rank, a.desc(), dim, 0, m.desc()), mtag, &m,
              " MASK " + kind);
      };
      masked(std::type_identity<std::uint32_t>{}, "l"), masked(std::type_identity<std::uint8_t>{}, "l1");
      masked(std::type_identity<std::uint16_t>{}, "l2"), masked(std::type_identity<std::uint64_t>{}, "l4");
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

// The reference arithmetic: integers wrap (done in 64 bits, then the low
// bytes kept); complex products from extended-precision terms, each
// component rounded once.
template <bool Product, class T>
void arith(T &acc, T x, std::intptr_t) {
  using L = long double;
  using U = std::uint64_t;
  if constexpr (std::is_integral_v<T>)
    acc = static_cast<T>(Product ? U(acc) * U(x) : U(acc) + U(x));
  else if constexpr (std::is_floating_point_v<T>)
    acc = Product ? acc * x : acc + x;
  else if constexpr (Product)
    acc = T{static_cast<decltype(x.re)>(L(acc.re) * x.re - L(acc.im) * x.im),
            static_cast<decltype(x.re)>(L(acc.re) * x.im + L(acc.im) * x.re)};
  else
    acc = T{acc.re + x.re, acc.im + x.im};
}

template <class T>
void check_sum_product(const std::string &t) {
  T one{};
  if constexpr (std::is_arithmetic_v<T>) one = T(1); else one.re = 1;
  auto any = [](std::intptr_t) { return random_value<T>(); };
  auto factor = [](std::intptr_t) { return random_value<T>(true); };
  check_family<T, T>("dimsum_" + t, "dimsum_" + t, t, any, T{}, arith<false, T>);
  check_family<T, T>("dimprod_" + t, "dimprod_" + t, t, factor, one, arith<true, T>);
}

TEST(Reductions, SumAndProductOfEveryNumericTypeAndMaskKind) {
  check_sum_product<std::int8_t>("i1"), check_sum_product<std::int16_t>("i2");
  check_sum_product<std::int32_t>("i"), check_sum_product<std::int64_t>("i4");
  check_sum_product<float>("r"), check_sum_product<double>("d");
  check_sum_product<tav_complex>("c"), check_sum_product<tav_dcomplex>("dc");
}

template <class L>
void check_logical(const std::string &k) {
  auto gen = [](std::intptr_t) { return mask_value<L>() != 0 ? L(1) : L(0); };
  check_family<L, L>("dimsum_" + k, "", k, gen, L(0), [](L &a, L x, std::intptr_t) { a = L(a | x); });
  check_family<L, L>("dimprod_" + k, "", k, gen, L(1), [](L &a, L x, std::intptr_t) { a = L(a & x); });
  check_family<L, std::int32_t>("dimcount_" + k, "", "i", [](std::intptr_t) { return mask_value<L>(); }, 0,
                                [](int &a, L x, std::intptr_t) { a += x != 0; });
}

TEST(Reductions, AnyAllAndCountOfEveryLogicalKind) {
  check_logical<std::uint8_t>("l1"), check_logical<std::uint16_t>("l2"), check_logical<std::uint32_t>("l");
  check_logical<std::uint64_t>("l4");
}

// Extreme values and locations.  The reference keeps (value, location) and
// takes the first element that is not a NaN even when it equals the start.
template <class T>
void check_extremes(const std::string &t) {
  using Best = std::pair<T, std::int32_t>;
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
  // Takes x (at 0-based j) when better, or when only NaNs or nothing came before.
  auto fold = [](auto better) {
    return [better](Best &b, T x, std::intptr_t j) {
      if (better(x, b.first) || (b.second == 0 && !std::isnan(x))) b = {x, static_cast<std::int32_t>(j + 1)};
    };
  };
  const auto greater = fold(std::greater<T>()), less = fold(std::less<T>());
  check_family<T, T>("maxv_dim_" + t, "maxvd_" + t, t, gen, Best{lo, 0}, greater, &Best::first);
  check_family<T, T>("minv_dim_" + t, "minvd_" + t, t, gen, Best{hi, 0}, less, &Best::first);
  check_family<T, std::int32_t>("maxl_dim_" + t, "maxld_" + t, "i", gen, Best{lo, 0}, greater, &Best::second);
  check_family<T, std::int32_t>("minl_dim_" + t, "minld_" + t, "i", gen, Best{hi, 0}, less, &Best::second);
}

TEST(Reductions, ExtremesAndLocationsOfEveryTypeAndMaskKind) {
  check_extremes<std::int8_t>("i1"), check_extremes<std::int16_t>("i2"), check_extremes<std::int32_t>("i");
  check_extremes<std::int64_t>("i4"), check_extremes<float>("r"), check_extremes<double>("d");
}

// ---- Starting values and fatal paths.

using array_test::Dense;
using array_test::take;

// Extreme values at the starting values, NaNs, infinities and empty slices
// (data/extremes.tsv): MAXLOC, MINLOC, MAXVAL and MINVAL of REAL values,
// masked when a mask is given; each slice alone along DIM 1, and as both
// rows of a 2 x n array along DIM 2.
TEST(Reductions, StartingValuesAndNaN) {
  auto list = [](const std::string &text) {  // blank-separated numbers
    std::vector<float> v;
    std::istringstream in(text);
    for (std::string t; in >> t;) v.push_back(std::strtof(t.c_str(), nullptr));
    return v;
  };
  for (const auto &row : tavtest::table("array/data/extremes.tsv", 7)) {
    const std::vector<float> values = list(row[1]), mask = list(row[2]);
    const std::vector<float> want = list(row[3] + " " + row[4] + " " + row[5] + " " + row[6]);
    const auto n = static_cast<std::intptr_t>(values.size());
    for (int rows : {1, 2}) {
      std::vector<float> v, mv;
      for (std::intptr_t i = 0; i < n; ++i) {
        v.insert(v.end(), rows, values[i]);
        if (!mask.empty()) mv.insert(mv.end(), rows, mask[i]);
      }
      const std::vector<std::intptr_t> extents = rows == 1 ? std::vector<std::intptr_t>{n} : std::vector{2, n};
      Dense<float> a(v, extents);
      Dense<std::uint32_t> m({mv.begin(), mv.end()}, extents);
      const tav_ptr_desc *md = mask.empty() ? nullptr : &m.d;
      // MAXLOC and MINLOC (as REAL), MAXVAL and MINVAL of each result element.
      auto at = [&](auto f) { return take<int>(f(rows, &a.d, rows, 0, md), __TAVf90_freevec_i); };
      auto value = [&](auto f) { return take<float>(f(rows, &a.d, rows, 0, md), __TAVf90_freevec_r); };
      const auto maxloc = at(__TAVf90_m_l_maxld_r), minloc = at(__TAVf90_m_l_minld_r);
      const auto maxval = value(__TAVf90_m_l_maxvd_r), minval = value(__TAVf90_m_l_minvd_r);
      ASSERT_EQ(maxloc.size(), std::size_t(rows));
      for (int r = 0; r < rows; ++r)
        EXPECT_EQ((std::vector<float>{float(maxloc[r]), float(minloc[r]), maxval[r], minval[r]}), want)
            << row[0] << ", " << rows << " rows";
    }
  }
}

TEST(Reductions, FatalErrors) {
  // Argument objects of reduce_fatal.tsv: the mask is checked before DIM;
  // "huge" claims a result of 2^32 elements.
  Dense<std::int32_t> a({1, 2, 3, 4, 5, 6}, {2, 3});
  Dense<std::uint32_t> m({1, 1, 1, 1, 1, 1, 1, 1}, {2, 4});
  tav_ptr_desc huge{a.d.base, 0, {{65536, 0, 1}, {65536, 0, 1}, {2, 4, 1}}};
  tav_vector res;
  EXPECT_EQ(tavtest::expect_fatal_table("array/data/reduce_fatal.tsv",
                                        {{"a", &a.d}, {"m", &m.d}, {"huge", &huge}, {"res", &res}}),
            11);
}

}  // namespace
