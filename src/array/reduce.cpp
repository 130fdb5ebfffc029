// Reductions along a dimension: SUM, PRODUCT, COUNT, ANY and ALL, and
// MAXVAL, MINVAL, MAXLOC and MINLOC, with and without MASK.
//
// Every member walks the array once in array element order, the result
// (and the mask) moving in lockstep as further cursors: the result cursor's
// "strides" are the result multipliers, 0 along DIM.  Each result element
// therefore receives its contributions in increasing subscript order along
// DIM whatever the strides, and a contiguous array is read contiguously
// whichever dimension is reduced.  Along DIM = 1 each slice is a run of
// the first dimension, and several slices are reduced side by side with
// their partial results in registers; along another DIM each run updates a
// run of result elements.
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>
#include <type_traits>

#include "array/elements.h"
#include "array/walk.h"
#include "runtime/fatal.h"
#include "tavf90.h"

namespace tav::array {
namespace {

struct Complex {
  float re, im;
};
struct DoubleComplex {
  double re, im;
};

using MakeTemp = tav_vector (*)(int, ...);
using FreeTemp = void (*)(tav_vector);

// Integer arithmetic wraps in the element width: it is done unsigned, in
// at least 32 bits so that narrow operands never promote to signed int.
template <class T>
using Wide = std::conditional_t<(sizeof(T) < 4), std::uint32_t, std::make_unsigned_t<T>>;

// ---- Operations: identity (or starting value) and the per-element step.

template <class T>
struct Sum {
  using Elem = T;
  using Acc = T;
  static T identity() { return T{}; }
  static void apply(T &a, T x) {
    if constexpr (std::is_integral_v<T>)
      a = static_cast<T>(static_cast<Wide<T>>(a) + static_cast<Wide<T>>(x));
    else if constexpr (std::is_floating_point_v<T>)
      a = a + x;
    else {
      a.re = a.re + x.re;
      a.im = a.im + x.im;
    }
  }
};

template <class T>
struct Product {
  using Elem = T;
  using Acc = T;
  static T identity() {
    if constexpr (std::is_arithmetic_v<T>)
      return T{1};
    else
      return T{1, 0};
  }
  static void apply(T &a, T x) {
    if constexpr (std::is_integral_v<T>)
      a = static_cast<T>(static_cast<Wide<T>>(a) * static_cast<Wide<T>>(x));
    else if constexpr (std::is_floating_point_v<T>)
      a = a * x;
    else {
      // Both components in extended precision, each rounded once when
      // stored.
      using C = decltype(a.re);
      long double re = static_cast<long double>(a.re) * x.re - static_cast<long double>(a.im) * x.im;
      long double im = static_cast<long double>(a.re) * x.im + static_cast<long double>(a.im) * x.re;
      a.re = static_cast<C>(re);
      a.im = static_cast<C>(im);
    }
  }
};

// ANY and ALL: bitwise OR and AND of whole LOGICAL elements.
template <class T>
struct Any {
  using Elem = T;
  using Acc = T;
  static T identity() { return 0; }
  static void apply(T &a, T x) { a = static_cast<T>(a | x); }
};
template <class T>
struct All {
  using Elem = T;
  using Acc = T;
  static T identity() { return 1; }
  static void apply(T &a, T x) { a = static_cast<T>(a & x); }
};

template <class M>
struct Count {
  using Elem = M;
  using Acc = std::int32_t;
  static Acc identity() { return 0; }
  static void apply(Acc &a, M x) { a = static_cast<Acc>(static_cast<std::uint32_t>(a) + (x != 0)); }
};

template <class T>
constexpr T lowest() {
  if constexpr (std::is_floating_point_v<T>)
    return -std::numeric_limits<T>::max();
  else
    return std::numeric_limits<T>::min();
}

// Comparisons are strict, and false for a NaN, so a NaN is never taken.
//
// MAXVAL and MINVAL give the element MAXLOC and MINLOC point at: a slice's
// first number is taken whatever its value, an infinity beyond the starting
// value included, then only strictly better ones.  For REAL types the
// working value starts unset, a NaN: no element compares better than it,
// and it tells that the slice has taken nothing yet.  A slice still unset
// at the end (empty, fully masked or all NaN) gets the starting value.
// For INTEGER types the starting value is the type's extreme, which a
// first element can only equal, so nothing needs marking.
template <class T>
struct Extreme {
  using Elem = T;
  using Acc = T;
  static constexpr bool kStartsUnset = std::is_floating_point_v<T>;
  static T start() { return std::numeric_limits<T>::quiet_NaN(); }
  static bool unset(T a) { return kStartsUnset && a != a; }
};
template <class T>
struct Greatest : Extreme<T> {
  static T identity() { return lowest<T>(); }
  static bool better(T x, T v) { return x > v; }
  static void apply(T &a, T x) {
    if (x > a || (Extreme<T>::unset(a) && x == x)) a = x;
  }
};
template <class T>
struct Least : Extreme<T> {
  static T identity() { return std::numeric_limits<T>::max(); }
  static bool better(T x, T v) { return x < v; }
  static void apply(T &a, T x) {
    if (x < a || (Extreme<T>::unset(a) && x == x)) a = x;
  }
};

// The working result's first value: the identity, or unset (above).
template <class Op>
constexpr bool starts_unset() {
  if constexpr (requires { Op::kStartsUnset; })
    return Op::kStartsUnset;
  else
    return false;
}
template <class Op>
typename Op::Acc start() {
  if constexpr (starts_unset<Op>())
    return Op::start();
  else
    return Op::identity();
}

template <class T>
inline bool is_number(T x) {
  if constexpr (std::is_floating_point_v<T>)
    return !std::isnan(x);
  else
    return true;
}

// ---- The shared set-up.

void check_dim(int rank, int dim, const char *word, const char *what) {
  if (dim < 1) rt::crash("Out of range: DIM argument to %s has value %d", word, dim);
  if (dim > rank) rt::crash("Out of range: DIM argument to %s has value %d with %s of rank %d", word, dim, what, rank);
}

struct Plan {
  Walk w;
  int dim = 0;  // counted from 0
  int result_rank = 0;
  std::intptr_t result_extent[kMaxRank] = {1, 1, 1, 1, 1, 1, 1};
  // Result element multipliers per array dimension: 0 along DIM, else the
  // product of the result extents before this dimension's place.
  std::intptr_t multiplier[kMaxRank] = {};
  int rank = 0;

  Plan(int r, const tav_ptr_desc *a, int d) : w(r, a->dim), dim(d - 1), rank(r < kMaxRank ? r : kMaxRank) {
    std::uintptr_t m = 1;
    for (int k = 0; k < rank; ++k) {
      if (k == dim) continue;
      std::intptr_t e = w.extent[k] < 0 ? 0 : w.extent[k];
      multiplier[k] = static_cast<std::intptr_t>(m);
      result_extent[result_rank++] = e;
      m *= static_cast<std::uintptr_t>(e);
    }
  }

  tav_vector make(MakeTemp mk) const {
    const std::intptr_t *e = result_extent;
    return mk(result_rank, static_cast<int>(e[0]), static_cast<int>(e[1]), static_cast<int>(e[2]),
              static_cast<int>(e[3]), static_cast<int>(e[4]), static_cast<int>(e[5]));
  }

  // Walk steps of a result cursor whose elements are `size` bytes.
  void result_steps(std::size_t size, std::uintptr_t *out) const {
    std::intptr_t s[kMaxRank];
    for (int k = 0; k < kMaxRank; ++k) s[k] = multiplier[k] * static_cast<std::intptr_t>(size);
    w.steps_for(rank, s, out);
  }
};

template <class T>
void fill(const tav_vector &v, T value) {
  const std::intptr_t n = __TAVf90_vector_size(v.extent);
  auto p = reinterpret_cast<std::uintptr_t>(v.base);
  for (std::intptr_t i = 0; i < n; ++i) store(p + static_cast<std::uintptr_t>(i) * sizeof(T), value);
}

// Cursor 0 the array, 1 the result, 2 the mask (steps 0 when there is none),
// 3 a second result (locations).
template <std::size_t N>
void init_cursors(const Plan &pl, const tav_ptr_desc *a, const tav_ptr_desc *mask, std::uintptr_t (&p)[N],
                  std::uintptr_t (&step)[N][kMaxRank]) {
  for (std::size_t c = 0; c < N; ++c) {
    p[c] = 0;
    for (int k = 0; k < kMaxRank; ++k) step[c][k] = 0;
  }
  p[0] = reinterpret_cast<std::uintptr_t>(a->base);
  for (int k = 0; k < kMaxRank; ++k) step[0][k] = pl.w.step[k];
  if (mask != nullptr) {
    p[2] = reinterpret_cast<std::uintptr_t>(mask->base);
    pl.w.steps_for(pl.rank, mask->dim, step[2]);
  }
}

template <class M>
inline bool takes(std::uintptr_t pm) {
  if constexpr (std::is_void_v<M>)
    return true;
  else
    return selected<M>(pm);
}

// Reductions along the first dimension take kLanes slices at a time, each
// with its own partial result in a register: every result still receives
// its elements in order, but the lanes' chains of dependent operations
// overlap.  kernel(lanes, b) gets the lane count as a constant and, per
// cursor a, the lanes' slice starts b[a][0..lanes-1]; a slice's elements
// are the cursor's step[a][0] apart.
constexpr int kLanes = 4;

template <std::size_t N, class Kernel>
void in_lanes(const Walk &w, std::uintptr_t (&p)[N], const std::uintptr_t (&step)[N][kMaxRank], Kernel &&kernel) {
  walk_slices(w, p, step, [&](const std::uintptr_t(&c)[N], const std::uintptr_t(&across)[N], std::intptr_t m) {
    std::intptr_t t = 0;
    auto group = [&](auto lanes) {
      constexpr int G = decltype(lanes)::value;
      std::uintptr_t b[N][G];
      for (std::size_t a = 0; a < N; ++a)
        for (int g = 0; g < G; ++g) b[a][g] = c[a] + static_cast<std::uintptr_t>(t + g) * across[a];
      kernel(lanes, static_cast<const std::uintptr_t(&)[N][G]>(b));
      t += G;
    };
    while (t + kLanes <= m) group(std::integral_constant<int, kLanes>{});
    while (t < m) group(std::integral_constant<int, 1>{});
  });
}

// n contiguous elements applied to n contiguous partial results, through
// typed pointers (the caller has checked their alignment) and out of line,
// so that the loop keeps its pointers and count in registers.  Each result
// element still receives its contributions one at a time, in order.
template <class Op, class R = typename Op::Acc, class T = typename Op::Elem>
[[gnu::noinline]] void apply_run(R *r, const T *a, std::intptr_t n) {
  for (std::intptr_t i = 0; i < n; ++i) Op::apply(r[i], a[i]);
}

// SUM, PRODUCT, ANY, ALL, COUNT, MAXVAL, MINVAL.  M is the unsigned type of
// the mask's width, void without a mask.
template <class Op, class M>
tav_vector reduce_values(const char *word, const char *what, MakeTemp mk, int rank, const tav_ptr_desc *a, int dim,
                         const tav_ptr_desc *mask) {
  using T = typename Op::Elem;
  using R = typename Op::Acc;
  if constexpr (!std::is_void_v<M>) {
    if (mask == nullptr) return reduce_values<Op, void>(word, what, mk, rank, a, dim, nullptr);
    __TAVf90_check_shapes(a->dim, mask->dim, rank);
  }
  check_dim(rank, dim, word, what);
  Plan pl(rank, a, dim);
  tav_vector result = pl.make(mk);
  fill<R>(result, start<Op>());

  std::uintptr_t p[3];
  std::uintptr_t step[3][kMaxRank];
  init_cursors(pl, a, std::is_void_v<M> ? nullptr : mask, p, step);
  p[1] = reinterpret_cast<std::uintptr_t>(result.base);
  pl.result_steps(sizeof(R), step[1]);

  const std::intptr_t n = pl.w.extent[0];
  const std::uintptr_t sa = step[0][0], sr = step[1][0], sm = step[2][0];
  if (pl.dim == 0) {
    in_lanes(pl.w, p, step, [&](auto lanes, const auto &b) {
      constexpr int G = decltype(lanes)::value;
      R acc[G];
      for (int g = 0; g < G; ++g) acc[g] = load<R>(b[1][g]);
      std::uintptr_t oa = 0, om = 0;
      for (std::intptr_t i = 0; i < n; ++i, oa += sa, om += sm)
        for (int g = 0; g < G; ++g)
          if (takes<M>(b[2][g] + om)) Op::apply(acc[g], load<T>(b[0][g] + oa));
      for (int g = 0; g < G; ++g) store(b[1][g], acc[g]);
    });
  } else if (std::is_void_v<M> && sa == sizeof(T)) {
    // Contiguous rows (the result is always contiguous along the first
    // dimension here).
    walk_runs(pl.w, p, step, [&](const std::uintptr_t(&c)[3], const std::intptr_t *) {
      if (c[0] % alignof(T) == 0 && c[1] % alignof(R) == 0) {
        apply_run<Op>(reinterpret_cast<R *>(c[1]), reinterpret_cast<const T *>(c[0]), n);
        return;
      }
      for (std::intptr_t i = 0; i < n; ++i) {
        const std::uintptr_t pr = c[1] + static_cast<std::uintptr_t>(i) * sizeof(R);
        R acc = load<R>(pr);
        Op::apply(acc, load<T>(c[0] + static_cast<std::uintptr_t>(i) * sizeof(T)));
        store(pr, acc);
      }
    });
  } else {
    walk_runs(pl.w, p, step, [&](const std::uintptr_t(&c)[3], const std::intptr_t *) {
      std::uintptr_t pa = c[0], pr = c[1], pm = c[2];
      for (std::intptr_t i = 0; i < n; ++i, pa += sa, pr += sr, pm += sm) {
        if (!takes<M>(pm)) continue;
        R acc = load<R>(pr);
        Op::apply(acc, load<T>(pa));
        store(pr, acc);
      }
    });
  }
  if constexpr (starts_unset<Op>()) {
    const std::intptr_t count = __TAVf90_vector_size(result.extent);
    const auto base = reinterpret_cast<std::uintptr_t>(result.base);
    for (std::intptr_t i = 0; i < count; ++i) {
      const std::uintptr_t pr = base + static_cast<std::uintptr_t>(i) * sizeof(R);
      if (Op::unset(load<R>(pr))) store(pr, Op::identity());
    }
  }
  return result;
}

// n contiguous elements of the array against the extreme values so far of
// n contiguous slices: each better element replaces its value and stores
// `here` as its location.  Typed pointers (the caller has checked that all
// three are aligned) and out of line, so that the loop has the registers
// to itself and loads each element straight into the register it is
// compared in.
template <class Op, class T = typename Op::Elem>
[[gnu::noinline]] void better_run(const T *a, T *v, std::int32_t *at, std::intptr_t n, std::int32_t here) {
  for (std::intptr_t i = 0; i < n; ++i) {
    const T x = a[i];
    if (Op::better(x, v[i])) {
      v[i] = x;
      at[i] = here;
    }
  }
}

// MAXLOC and MINLOC.  The extreme values so far are kept in a working
// temporary of the element type; the locations (default INTEGER, from 1
// along DIM) are the result.  The first element of a slice that is not a
// NaN is always taken, so a non-empty slice whose elements all equal the
// starting value still reports a location; empty, fully masked and all-NaN
// slices keep 0.
template <class Op, class M>
tav_vector reduce_locations(const char *word, MakeTemp mk, FreeTemp fr, int rank, const tav_ptr_desc *a, int dim,
                            const tav_ptr_desc *mask) {
  using T = typename Op::Elem;
  if constexpr (!std::is_void_v<M>) {
    if (mask == nullptr) return reduce_locations<Op, void>(word, mk, fr, rank, a, dim, nullptr);
    __TAVf90_check_shapes(a->dim, mask->dim, rank);
  }
  check_dim(rank, dim, word, "ARRAY");
  Plan pl(rank, a, dim);
  tav_vector values = pl.make(mk);
  tav_vector locations = pl.make(__TAVf90_mkatmp_i);
  fill<T>(values, Op::identity());
  fill<std::int32_t>(locations, 0);

  std::uintptr_t p[4];
  std::uintptr_t step[4][kMaxRank];
  init_cursors(pl, a, std::is_void_v<M> ? nullptr : mask, p, step);
  p[1] = reinterpret_cast<std::uintptr_t>(values.base);
  pl.result_steps(sizeof(T), step[1]);
  p[3] = reinterpret_cast<std::uintptr_t>(locations.base);
  pl.result_steps(sizeof(std::int32_t), step[3]);

  const std::intptr_t n = pl.w.extent[0];
  const std::uintptr_t sa = step[0][0], sv = step[1][0], sm = step[2][0], sl = step[3][0];
  if (pl.dim == 0) {
    in_lanes(pl.w, p, step, [&](auto lanes, const auto &b) {
      // Each slice is a whole run: its first selected number is taken
      // outright, then only strictly better elements.  Lanes whose first
      // number came early go on alone up to the latest lane's, then all
      // lanes go on together.
      constexpr int G = decltype(lanes)::value;
      T v[G];
      std::int32_t at[G];
      std::intptr_t from[G], together = 0;
      for (int g = 0; g < G; ++g) {
        v[g] = load<T>(b[1][g]);
        at[g] = 0;
        std::intptr_t i = 0;
        while (i < n) {
          const T x = load<T>(b[0][g] + static_cast<std::uintptr_t>(i) * sa);
          const bool first = takes<M>(b[2][g] + static_cast<std::uintptr_t>(i) * sm) && is_number(x);
          ++i;
          if (first) {
            v[g] = x;
            at[g] = static_cast<std::int32_t>(i);
            break;
          }
        }
        from[g] = i;
        together = i > together ? i : together;
      }
      auto step_lane = [&](int g, std::intptr_t i) {
        if (!takes<M>(b[2][g] + static_cast<std::uintptr_t>(i) * sm)) return;
        const T x = load<T>(b[0][g] + static_cast<std::uintptr_t>(i) * sa);
        if (Op::better(x, v[g])) {
          v[g] = x;
          at[g] = static_cast<std::int32_t>(i + 1);
        }
      };
      for (int g = 0; g < G; ++g)
        for (std::intptr_t i = from[g]; i < together; ++i) step_lane(g, i);
      for (std::intptr_t i = together; i < n; ++i)
        for (int g = 0; g < G; ++g) step_lane(g, i);
      for (int g = 0; g < G; ++g) {
        store(b[1][g], v[g]);
        store(b[3][g], at[g]);
      }
    });
  } else {
    // Until every slice has taken its first number, each element is also
    // tested for being a slice's first; after that only for being better.
    const int d = pl.dim;
    std::intptr_t untaken = __TAVf90_vector_size(locations.extent);
    const bool dense = std::is_void_v<M> && sa == sizeof(T) && sv == sizeof(T) && sl == sizeof(std::int32_t);
    walk_runs(pl.w, p, step, [&](const std::uintptr_t(&c)[4], const std::intptr_t *j) {
      const auto here = static_cast<std::int32_t>(j[d] + 1);
      std::uintptr_t pa = c[0], pv = c[1], pm = c[2], pl_ = c[3];
      if (untaken > 0) {
        for (std::intptr_t i = 0; i < n; ++i, pa += sa, pv += sv, pm += sm, pl_ += sl) {
          if (!takes<M>(pm)) continue;
          const T x = load<T>(pa);
          const bool first = load<std::int32_t>(pl_) == 0;
          if (Op::better(x, load<T>(pv)) || (first && is_number(x))) {
            store(pv, x);
            store(pl_, here);
            untaken -= first;
          }
        }
      } else if (dense && (pa | pv) % alignof(T) == 0 && pl_ % alignof(std::int32_t) == 0) {
        better_run<Op>(reinterpret_cast<const T *>(pa), reinterpret_cast<T *>(pv),
                       reinterpret_cast<std::int32_t *>(pl_), n, here);
      } else {
        for (std::intptr_t i = 0; i < n; ++i, pa += sa, pv += sv, pm += sm, pl_ += sl) {
          if (!takes<M>(pm)) continue;
          const T x = load<T>(pa);
          if (Op::better(x, load<T>(pv))) {
            store(pv, x);
            store(pl_, here);
          }
        }
      }
    });
  }
  fr(values);
  return locations;
}

}  // namespace
}  // namespace tav::array

using namespace tav::array;

using tav_ptr = const tav_ptr_desc *;

#define TAV_DIM_VALUES(name, word, Op, t)                                      \
  tav_vector __TAVf90_##name##_##t(int rank, tav_ptr a, int dim) {             \
    return reduce_values<Op, void>(word, "ARRAY", __TAVf90_mkatmp_##t, rank, a, dim, nullptr); \
  }
#define TAV_MASKED_VALUES(name, word, Op, t, k, M)                                        \
  tav_vector __TAVf90_m_##k##_##name##_##t(int rank, tav_ptr a, int dim, int, tav_ptr mask) { \
    return reduce_values<Op, M>(word, "ARRAY", __TAVf90_mkatmp_##t, rank, a, dim, mask);  \
  }
#define TAV_MASKED_VALUES_ALL_KINDS(name, word, Op, t)        \
  TAV_MASKED_VALUES(name, word, Op, t, l, std::uint32_t)     \
  TAV_MASKED_VALUES(name, word, Op, t, l1, std::uint8_t)     \
  TAV_MASKED_VALUES(name, word, Op, t, l2, std::uint16_t)    \
  TAV_MASKED_VALUES(name, word, Op, t, l4, std::uint64_t)

// SUM and PRODUCT of a numeric type, with every masked member.
#define TAV_SUM_PRODUCT(t, T)                                   \
  TAV_DIM_VALUES(dimsum, "SUM", Sum<T>, t)                      \
  TAV_DIM_VALUES(dimprod, "PRODUCT", Product<T>, t)             \
  TAV_MASKED_VALUES_ALL_KINDS(dimsum, "SUM", Sum<T>, t)         \
  TAV_MASKED_VALUES_ALL_KINDS(dimprod, "PRODUCT", Product<T>, t)

// ANY, ALL (the LOGICAL SUM and PRODUCT) and COUNT of one LOGICAL kind.
#define TAV_LOGICAL(k, M)                                                          \
  TAV_DIM_VALUES(dimsum, "SUM", Any<M>, k)                                         \
  TAV_DIM_VALUES(dimprod, "PRODUCT", All<M>, k)                                    \
  tav_vector __TAVf90_dimcount_##k(int rank, tav_ptr mask, int dim) {              \
    return reduce_values<Count<M>, void>("COUNT", "MASK", __TAVf90_mkatmp_i, rank, mask, dim, nullptr); \
  }

#define TAV_LOCATIONS(name, mname, word, Op, t)                                               \
  tav_vector __TAVf90_##name##_##t(int rank, tav_ptr a, int dim) {                            \
    return reduce_locations<Op, void>(word, __TAVf90_mkatmp_##t, __TAVf90_freevec_##t, rank, a, dim, nullptr); \
  }                                                                                           \
  TAV_MASKED_LOCATION(mname, word, Op, t, l, std::uint32_t)                                   \
  TAV_MASKED_LOCATION(mname, word, Op, t, l1, std::uint8_t)                                   \
  TAV_MASKED_LOCATION(mname, word, Op, t, l2, std::uint16_t)                                  \
  TAV_MASKED_LOCATION(mname, word, Op, t, l4, std::uint64_t)
#define TAV_MASKED_LOCATION(mname, word, Op, t, k, M)                                          \
  tav_vector __TAVf90_m_##k##_##mname##_##t(int rank, tav_ptr a, int dim, int, tav_ptr mask) { \
    return reduce_locations<Op, M>(word, __TAVf90_mkatmp_##t, __TAVf90_freevec_##t, rank, a, dim, mask); \
  }

// MAXVAL, MINVAL, MAXLOC, MINLOC of an INTEGER or REAL type.
#define TAV_EXTREMES(t, T)                                      \
  TAV_DIM_VALUES(maxv_dim, "MAXVAL", Greatest<T>, t)            \
  TAV_DIM_VALUES(minv_dim, "MINVAL", Least<T>, t)               \
  TAV_MASKED_VALUES_ALL_KINDS(maxvd, "MAXVAL", Greatest<T>, t)  \
  TAV_MASKED_VALUES_ALL_KINDS(minvd, "MINVAL", Least<T>, t)     \
  TAV_LOCATIONS(maxl_dim, maxld, "MAXLOC", Greatest<T>, t)      \
  TAV_LOCATIONS(minl_dim, minld, "MINLOC", Least<T>, t)

// The integer and real kinds: the suffix of an entry's name and the
// element type.
#define TAV_NUMERIC_KINDS(X) \
  X(i1, std::int8_t) X(i2, std::int16_t) X(i, std::int32_t) X(i4, std::int64_t) X(r, float) X(d, double)

extern "C" {

TAV_NUMERIC_KINDS(TAV_SUM_PRODUCT)
TAV_SUM_PRODUCT(c, Complex)
TAV_SUM_PRODUCT(dc, DoubleComplex)

TAV_LOGICAL(l1, std::uint8_t)
TAV_LOGICAL(l2, std::uint16_t)
TAV_LOGICAL(l, std::uint32_t)
TAV_LOGICAL(l4, std::uint64_t)

TAV_NUMERIC_KINDS(TAV_EXTREMES)

}  // extern "C"
