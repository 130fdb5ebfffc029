// Array constructors: PACK, RESHAPE, SPREAD, CSHIFT and EOSHIFT.  Elements
// are moved as uninterpreted bytes of the element size (the len of a
// CHARACTER array); every walk is the array walk, and the copies inside a
// run use the element size as a compile-time constant where it is a usual
// one.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <type_traits>

#include "array/elements.h"
#include "array/walk.h"
#include "runtime/fatal.h"
#include "storage/descriptor.h"
#include "tavf90.h"

namespace tav::array {
namespace {

// An array argument of either descriptor form, with its element size.
struct View {
  char *base;
  const tav_dim *dim;
  std::intptr_t size;
};

View view(const tav_ptr_desc *d, std::intptr_t size) { return {d->base, d->dim, size}; }
View view(const tav_cptr_desc *d) { return {d->base, d->dim, d->len}; }

std::intptr_t element_count(int rank, const tav_dim *dim) { return Walk(rank, dim).count(); }

// Where a PACK, RESHAPE or SPREAD result goes: a vector descriptor, or a
// character vector descriptor whose len holds the element size.
struct Out {
  char **base;
  std::intptr_t *len;  // null for the numeric form
  std::intptr_t *extent;
};
Out out(tav_vector *v) { return {&v->base, nullptr, v->extent}; }
Out out(tav_cvector *v) { return {&v->base, &v->len, v->extent}; }

// Storage for count elements; null, or a byte count too large for an
// object, ends the program with `oom`.
char *obtain(std::intptr_t count, std::intptr_t size, bool zero, const char *oom) {
  storage::Count bytes(count);
  bytes.times(size);
  void *p = nullptr;
  if (bytes.fits()) {
    auto n = static_cast<std::size_t>(bytes.value());
    p = zero ? __TAVf90_zoAlloc(n) : __TAVf90_oAlloc(n);
  }
  if (p == nullptr) rt::crash("%s", oom);
  return static_cast<char *>(p);
}

void set_result(const Out &o, char *base, std::intptr_t size, int rank, const std::intptr_t *extent) {
  *o.base = base;
  if (o.len != nullptr) *o.len = size;
  for (int k = 0; k < kMaxRank; ++k) o.extent[k] = k < rank ? extent[k] : 1;
}

// Element i (from 0) of a default INTEGER vector.
std::int32_t int_element(const tav_ptr_desc *v, std::intptr_t i) {
  return load<std::int32_t>(reinterpret_cast<std::uintptr_t>(v->base) +
                            static_cast<std::uintptr_t>(i) * static_cast<std::uintptr_t>(v->dim[0].stride));
}

std::intptr_t vector_length(const tav_dim *dim) { return dim[0].extent < 0 ? 0 : dim[0].extent; }

// Column-major byte strides of a contiguous array of the given extents.
void contiguous_strides(int rank, const std::intptr_t *extent, std::intptr_t size, std::intptr_t *stride) {
  std::uintptr_t m = static_cast<std::uintptr_t>(size);
  for (int k = 0; k < rank; ++k) {
    stride[k] = static_cast<std::intptr_t>(m);
    m *= static_cast<std::uintptr_t>(extent[k] < 0 ? 0 : extent[k]);
  }
}

// ---- PACK

enum class Flavour { numeric, character, derived };

constexpr int kPackBlock = 8;

// Whether a block of kPackBlock contiguous mask elements selects none: all
// its bytes are zero, tested a word at a time.
template <class M>
bool none_selected(std::uintptr_t pm) {
  static_assert(kPackBlock * sizeof(M) % 8 == 0);
  std::uint64_t any = 0;
  for (std::size_t k = 0; k < kPackBlock * sizeof(M) / 8; ++k) any |= load<std::uint64_t>(pm + 8 * k);
  return any == 0;
}

template <class M>
void pack(const Out &o, int rank, const View &array, const tav_ptr_desc *mask, const View *vector, Flavour flavour,
          bool capacity_is_vector) {
  __TAVf90_check_shapes(array.dim, mask->dim, rank);
  if (flavour == Flavour::character && vector != nullptr && vector->size != array.size)
    rt::crash("VECTOR argument to PACK has incompatible character length");
  const std::intptr_t size = array.size;
  const std::intptr_t n = element_count(rank, array.dim);
  const std::intptr_t nv = vector != nullptr ? vector_length(vector->dim) : 0;
  std::intptr_t capacity = n;
  if (vector != nullptr) capacity = capacity_is_vector || nv > n ? nv : n;
  char *base = obtain(capacity, size, flavour != Flavour::derived, "Out of memory in PACK intrinsic");

  Walk w(rank, array.dim);
  std::uintptr_t p[2] = {reinterpret_cast<std::uintptr_t>(array.base), reinterpret_cast<std::uintptr_t>(mask->base)};
  std::uintptr_t step[2][kMaxRank];
  for (int k = 0; k < kMaxRank; ++k) step[0][k] = w.step[k];
  w.steps_for(rank, mask->dim, step[1]);
  std::intptr_t count = 0;
  auto next = reinterpret_cast<std::uintptr_t>(base);
  const std::intptr_t run = w.extent[0];
  const std::uintptr_t sa = step[0][0], sm = step[1][0];
  // The number of elements a block may select without further test: all
  // the result's slots without VECTOR, else those VECTOR has.
  const std::intptr_t limit = vector != nullptr ? nv : capacity;
  with_element_size(static_cast<std::size_t>(size), [&](auto e) {
    walk_runs(w, p, step, [&](const std::uintptr_t(&c)[2], const std::intptr_t *) {
      // Locals, not the captured variables: stores of elements could alias
      // those, and the loops would reload them at every element.
      std::uintptr_t pa = c[0], pm = c[1], out = next;
      std::intptr_t i = 0, taken = count;
      const std::uintptr_t da = sa, dm = sm, width = static_cast<std::uintptr_t>(size);
      const std::intptr_t length = run, room = capacity, most = limit, vector_length = nv;
      const bool has_vector = vector != nullptr;
      if constexpr (!std::is_same_v<decltype(e), RuntimeSize>) {
        // Blocks of kPackBlock elements: one whose mask selects none is
        // passed over on the mask alone (a contiguous mask's block on its
        // bytes as words); otherwise every element is stored
        // at the next slot and the slot advances only past selected ones,
        // so no branch depends on the mask's values.  The stores stay
        // inside the result: the slots up to taken + kPackBlock exist.
        for (; i + kPackBlock <= length; i += kPackBlock) {
          if (dm == sizeof(M) && none_selected<M>(pm)) {
            pa += kPackBlock * da;
            pm += kPackBlock * dm;
            continue;
          }
          std::intptr_t chosen = 0;
          for (int b = 0; b < kPackBlock; ++b) chosen += selected<M>(pm + static_cast<std::uintptr_t>(b) * dm);
          if (chosen != 0) {
            if (taken + kPackBlock > room || taken + chosen > most) break;
            for (int b = 0; b < kPackBlock; ++b, pa += da, pm += dm) {
              copy_element(out, pa, e);
              out += selected<M>(pm) ? width : 0;
            }
            taken += chosen;
          } else {
            pa += kPackBlock * da;
            pm += kPackBlock * dm;
          }
        }
      }
      for (; i < length; ++i, pa += da, pm += dm) {
        if (!selected<M>(pm)) continue;
        // A further element must fit VECTOR when there is one.
        if (has_vector && taken == vector_length) rt::crash("VECTOR argument to PACK is too small");
        copy_element(out, pa, e);
        out += width;
        ++taken;
      }
      next = out;
      count = taken;
    });
    if (vector != nullptr) {
      const std::intptr_t vs = vector->dim[0].stride;
      copy_run(next, size, reinterpret_cast<std::uintptr_t>(vector->base) + static_cast<std::uintptr_t>(count * vs), vs,
               nv - count, e);
      count = nv;
    }
  });
  if (count < capacity && !(flavour == Flavour::character && size == 0)) {
    base = static_cast<char *>(__TAVf90_ReAlloc_90(base, static_cast<std::size_t>(size),
                                                   static_cast<std::size_t>(capacity), static_cast<std::size_t>(count)));
    if (base == nullptr) rt::crash("Out of memory in PACK intrinsic");
  }
  set_result(o, base, size, 1, &count);
}

// ---- RESHAPE

// True when the elements of an array, in array element order, lie equally
// far apart (*step bytes), as those of a contiguous array do.  Not for an
// empty array.
bool evenly_spaced(int rank, const tav_dim *dim, std::intptr_t *step) {
  std::uintptr_t s = 0, span = 0;  // span 0: no dimension of extent above 1 yet
  for (int k = 0; k < rank; ++k) {
    const std::intptr_t e = dim[k].extent;
    if (e <= 0) return false;
    if (e == 1) continue;
    const auto stride = static_cast<std::uintptr_t>(dim[k].stride);
    if (span == 0) {
      s = stride;
      span = 1;
    } else if (stride != s * span) {
      return false;
    }
    span *= static_cast<std::uintptr_t>(e);
  }
  *step = static_cast<std::intptr_t>(s);
  return true;
}

// Tiles of kTileRows walk rows (dimension 1 of the walk) by tile_width<E>()
// elements along the result's contiguous dimension: a cache line of the
// result per row for the usual sizes.
constexpr std::intptr_t kTileRows = 8;
template <class E>
constexpr std::intptr_t tile_width() {
  if constexpr (std::is_same_v<E, RuntimeSize>)
    return 4;
  else
    return E::size() < 64 ? static_cast<std::intptr_t>(64 / E::size()) : 1;
}

// The result of RESHAPE in permuted order from a source whose elements are
// evenly spaced (source_step apart) and enough for the whole result.  The
// walk's first dimension is not the result's contiguous one (`across`), so
// a plain copy in walk order would store each element far from the last
// (and, with extents of a power of two, evict what it just stored); instead
// each plane of dimensions 1 and `across` of the walk is copied in small
// tiles that store whole cache lines of the result.  Element q of the
// source in walk order goes where the permuted walk puts its q-th element,
// as in the copy element by element.
void copy_permuted(char *base, int rrank, const std::intptr_t *pext, const std::intptr_t *pstride, int across,
                   const char *source, std::intptr_t source_step, std::intptr_t size) {
  // Source byte distance per walk dimension: source_step times the number
  // of elements the walk visits before that dimension's counter moves.
  std::intptr_t sstride[kMaxRank], before = 1;
  for (int k = 0; k < rrank; ++k) {
    sstride[k] = static_cast<std::intptr_t>(static_cast<std::uintptr_t>(source_step) * static_cast<std::uintptr_t>(before));
    before *= pext[k];
  }
  // The planes: every combination of the other dimensions' counters.
  std::intptr_t oext[kMaxRank];
  for (int k = 0; k < rrank; ++k) oext[k] = k == 0 || k == across ? 1 : pext[k];
  Walk planes(rrank, oext, pstride);
  std::uintptr_t p[2] = {reinterpret_cast<std::uintptr_t>(base), reinterpret_cast<std::uintptr_t>(source)};
  std::uintptr_t step[2][kMaxRank];
  for (int k = 0; k < kMaxRank; ++k) step[0][k] = planes.step[k];
  planes.steps_for(rrank, sstride, step[1]);
  const std::intptr_t n0 = pext[0], n1 = pext[across];
  const auto d0 = static_cast<std::uintptr_t>(pstride[0]), d1 = static_cast<std::uintptr_t>(pstride[across]);
  const auto s0 = static_cast<std::uintptr_t>(sstride[0]), s1 = static_cast<std::uintptr_t>(sstride[across]);
  with_element_size(static_cast<std::size_t>(size), [&](auto e) {
    constexpr std::intptr_t width = tile_width<decltype(e)>();
    walk_runs(planes, p, step, [&](const std::uintptr_t(&c)[2], const std::intptr_t *) {
      for (std::intptr_t t1 = 0; t1 < n1; t1 += width) {
        const std::intptr_t e1 = std::min(width, n1 - t1);
        for (std::intptr_t t0 = 0; t0 < n0; t0 += kTileRows) {
          const std::intptr_t e0 = std::min(kTileRows, n0 - t0);
          // Each row of the tile: e1 elements stored one after another in
          // the result, read from e1 places of the source.
          for (std::intptr_t i = t0; i < t0 + e0; ++i) {
            std::uintptr_t d = c[0] + static_cast<std::uintptr_t>(i) * d0 + static_cast<std::uintptr_t>(t1) * d1;
            std::uintptr_t q = c[1] + static_cast<std::uintptr_t>(i) * s0 + static_cast<std::uintptr_t>(t1) * s1;
            for (std::intptr_t j = 0; j < e1; ++j, d += d1, q += s1) copy_element(d, q, e);
          }
        }
      }
    });
  });
}

void reshape(const Out &o, int rank, const View &source, const tav_ptr_desc *shape, int pad_rank, const View *pad,
             const tav_ptr_desc *order, Flavour flavour) {
  if (flavour == Flavour::character && pad != nullptr && pad->size != source.size)
    rt::crash("SOURCE and PAD arguments to RESHAPE have different character lengths");
  const std::intptr_t size = source.size;
  const std::intptr_t ns = vector_length(shape->dim);
  if (ns > kMaxRank) rt::crash("SHAPE argument to RESHAPE has %d elements; an array has at most 7 dimensions", int(ns));
  const int rrank = static_cast<int>(ns);
  std::intptr_t extent[kMaxRank] = {1, 1, 1, 1, 1, 1, 1};
  storage::Count n_result(1);
  for (int i = 0; i < rrank; ++i) {
    std::int32_t v = int_element(shape, i);
    if (v < 0) rt::crash("Element %d of SHAPE argument to RESHAPE is negative", i + 1);
    extent[i] = v;
    n_result.times(v);
  }
  const std::intptr_t n_source = element_count(rank, source.dim);
  const std::intptr_t n_pad = pad != nullptr ? element_count(pad_rank, pad->dim) : 0;
  if ((!n_result.fits() || n_result.value() > n_source) && n_pad == 0)
    rt::crash("SOURCE too small for specified SHAPE in RESHAPE, and no PAD");

  // The permutation: subscript perm[0] varies fastest.
  int perm[kMaxRank] = {0, 1, 2, 3, 4, 5, 6};
  if (order != nullptr) {
    const std::intptr_t no = vector_length(order->dim);
    if (no != ns) rt::crash("SHAPE and ORDER arguments to RESHAPE have different sizes (%d and %d)", int(ns), int(no));
    bool seen[kMaxRank] = {};
    for (int i = 0; i < rrank; ++i) {
      std::int32_t v = int_element(order, i);
      if (v < 1 || v > rrank) rt::crash("Element %d of ORDER argument to RESHAPE is out of range (%d)", i + 1, v);
      if (seen[v - 1]) rt::crash("Value %d occurs twice in ORDER argument to RESHAPE", v);
      seen[v - 1] = true;
      perm[i] = v - 1;
    }
  }
  const std::intptr_t total = n_result.fits() ? n_result.value() : -1;
  char *base = obtain(total, size, flavour != Flavour::derived, "Out of memory in RESHAPE intrinsic");

  std::intptr_t stride[kMaxRank];
  contiguous_strides(rrank, extent, size, stride);
  std::intptr_t pext[kMaxRank], pstride[kMaxRank];
  for (int k = 0; k < rrank; ++k) {
    pext[k] = extent[perm[k]];
    pstride[k] = stride[perm[k]];
  }
  std::intptr_t source_step = 0;
  int across = 0;  // the walk's dimension that is contiguous in the result
  while (across < rrank && perm[across] != 0) ++across;
  if (across > 0 && across < rrank && total <= n_source && evenly_spaced(rank, source.dim, &source_step)) {
    copy_permuted(base, rrank, pext, pstride, across, source.base, source_step, size);
    set_result(o, base, size, rrank, extent);
    return;
  }
  Walk dw(rrank, pext, pstride);
  std::uintptr_t p[1] = {reinterpret_cast<std::uintptr_t>(base)};
  std::uintptr_t step[1][kMaxRank];
  for (int k = 0; k < kMaxRank; ++k) step[0][k] = dw.step[k];

  const Stream source_start(Walk(rank, source.dim), source.base);
  const Stream pad_start = pad != nullptr ? Stream(Walk(pad_rank, pad->dim), pad->base) : Stream();
  Stream from = source_start;
  std::intptr_t left = n_source;  // elements before the next switch to PAD
  const std::intptr_t run = dw.extent[0];
  const auto dstep = static_cast<std::intptr_t>(step[0][0]);
  with_element_size(static_cast<std::size_t>(size), [&](auto e) {
    walk_runs(dw, p, step, [&](const std::uintptr_t(&c)[1], const std::intptr_t *) {
      // Copy in stretches that are runs of both the result and the source.
      std::uintptr_t d = c[0];
      for (std::intptr_t i = 0, k; i < run; i += k, d += static_cast<std::uintptr_t>(k * dstep)) {
        if (left == 0) {
          from = pad_start;
          left = n_pad;
        }
        k = std::min(std::min(run - i, from.run_left()), left);
        copy_run(d, dstep, reinterpret_cast<std::uintptr_t>(from.get()), from.step(), k, e);
        from.advance(k);
        left -= k;
      }
    });
  });
  set_result(o, base, size, rrank, extent);
}

// ---- SPREAD

void spread(const Out &o, int rank, const View &source, int dim, int ncopies, Flavour flavour) {
  if (dim < 1 || dim > rank + 1)
    rt::crash("Invalid value %d for argument DIM for SPREAD of rank %d source", dim, rank);
  if (rank >= kMaxRank) rt::crash("SPREAD of a rank %d source would have more than 7 dimensions", rank);
  const std::intptr_t size = source.size;
  const int rrank = rank + 1;
  const int d = dim - 1;
  std::intptr_t extent[kMaxRank], sstride[kMaxRank];
  storage::Count n(1);
  for (int k = 0; k < rrank; ++k) {
    if (k == d) {
      extent[k] = ncopies < 0 ? 0 : ncopies;
      sstride[k] = 0;
    } else {
      const tav_dim &s = source.dim[k < d ? k : k - 1];
      extent[k] = s.extent < 0 ? 0 : s.extent;
      sstride[k] = s.stride;
    }
    n.times(extent[k]);
  }
  char *base = obtain(n.fits() ? n.value() : -1, size, flavour != Flavour::derived,
                      flavour == Flavour::derived ? "Out of memory in SPREAD intrinsic" : "Out of memory");
  std::intptr_t dstride[kMaxRank];
  contiguous_strides(rrank, extent, size, dstride);
  Walk w(rrank, extent, dstride);
  std::uintptr_t p[2] = {reinterpret_cast<std::uintptr_t>(base), reinterpret_cast<std::uintptr_t>(source.base)};
  std::uintptr_t step[2][kMaxRank];
  for (int k = 0; k < kMaxRank; ++k) step[0][k] = w.step[k];
  w.steps_for(rrank, sstride, step[1]);
  const std::intptr_t run = w.extent[0];
  with_element_size(static_cast<std::size_t>(size), [&](auto e) {
    walk_runs(w, p, step, [&](const std::uintptr_t(&c)[2], const std::intptr_t *) {
      copy_run(c[0], size, c[1], static_cast<std::intptr_t>(step[1][0]), run, e);
    });
  });
  set_result(o, base, size, rrank, extent);
}

// ---- CSHIFT and EOSHIFT

// SHIFT or BOUNDARY: a scalar (no dimensions) or an array conforming to
// ARRAY with DIM left out.
struct Side {
  const char *base = nullptr;
  const tav_dim *dim = nullptr;  // null for a scalar
  int rank = 0;
};

std::int64_t read_shift(std::uintptr_t p, int width) {
  switch (width) {
    case 1: return load<std::int8_t>(p);
    case 2: return load<std::int16_t>(p);
    default: return load<std::int32_t>(p);
  }
}

void check_conforms(int rank, const tav_dim *a, int d, const Side &s, const char *what, const char *fn) {
  int i = 0;
  for (int k = 0; k < rank; ++k) {
    if (k == d) continue;
    if (i >= s.rank || s.dim[i].extent != a[k].extent)
      rt::crash("Shape mismatch (dimension %d) between ARRAY and %s in %s", i + 1, what, fn);
    ++i;
  }
  if (s.rank > i) rt::crash("Shape mismatch (dimension %d) between ARRAY and %s in %s", i + 1, what, fn);
}

// Walk steps over ARRAY's extents for a SHIFT or BOUNDARY array (0 along
// DIM), or all 0 for a scalar.
void side_steps(const Walk &w, int rank, int d, const Side &s, std::uintptr_t *out) {
  std::intptr_t stride[kMaxRank] = {};
  if (s.dim != nullptr)
    for (int k = 0; k < rank; ++k) stride[k] = k == d ? 0 : s.dim[k < d ? k : k - 1].stride;
  w.steps_for(rank, stride, out);
}

// The result of CSHIFT (end_off false) or EOSHIFT (true) in array element
// order at dest.  A scalar SHIFT is `shift`; an array SHIFT has elements of
// `width` bytes.
void shift_array(bool end_off, int rank, const View &array, int dim, std::int64_t shift, const Side &shifts,
                 int width, const Side &boundary, void *dest) {
  const int d = dim - 1;
  Walk w(rank, array.dim);
  if (w.empty()) return;
  const std::intptr_t size = array.size;
  const std::intptr_t e = w.extent[d];
  const std::intptr_t sd = array.dim[d].stride;

  // Cursors: 0 destination, 1 ARRAY at subscript 0 along DIM, 2 SHIFT,
  // 3 BOUNDARY.
  std::uintptr_t p[4] = {reinterpret_cast<std::uintptr_t>(dest), reinterpret_cast<std::uintptr_t>(array.base),
                         reinterpret_cast<std::uintptr_t>(shifts.base),
                         reinterpret_cast<std::uintptr_t>(boundary.base)};
  std::uintptr_t step[4][kMaxRank];
  std::intptr_t stride[kMaxRank];
  contiguous_strides(rank, w.extent, size, stride);
  w.steps_for(rank, stride, step[0]);
  for (int k = 0; k < rank; ++k) stride[k] = k == d ? 0 : array.dim[k].stride;
  w.steps_for(rank, stride, step[1]);
  side_steps(w, rank, d, shifts, step[2]);
  side_steps(w, rank, d, boundary, step[3]);
  const bool scalar_shift = shifts.dim == nullptr;
  const std::intptr_t run = w.extent[0];
  const auto s1 = static_cast<std::intptr_t>(step[1][0]);
  const auto b1 = static_cast<std::intptr_t>(step[3][0]);
  const auto s2 = step[2][0];

  auto circular = [e](std::int64_t s) {
    s %= e;
    return s < 0 ? s + e : s;
  };
  auto at = [sd](std::uintptr_t section, std::int64_t k) {
    return section + static_cast<std::uintptr_t>(static_cast<std::intptr_t>(k) * sd);
  };

  with_element_size(static_cast<std::size_t>(size), [&](auto el) {
    walk_runs(w, p, step, [&](const std::uintptr_t(&c)[4], const std::intptr_t *j) {
      if (d == 0) {
        // The run is one whole section along DIM.
        std::int64_t s = scalar_shift ? shift : read_shift(c[2], width);
        if (!end_off) {
          s = circular(s);
          copy_run(c[0], size, at(c[1], s), sd, e - static_cast<std::intptr_t>(s), el);
          copy_run(c[0] + static_cast<std::uintptr_t>((e - s) * size), size, c[1], sd, static_cast<std::intptr_t>(s),
                   el);
        } else if (s >= 0) {
          const std::intptr_t kept = s < e ? e - static_cast<std::intptr_t>(s) : 0;
          copy_run(c[0], size, at(c[1], s), sd, kept, el);
          fill_run(c[0] + static_cast<std::uintptr_t>(kept * size), size, c[3], e - kept, el);
        } else {
          const std::intptr_t lead = -s < e ? static_cast<std::intptr_t>(-s) : e;
          fill_run(c[0], size, c[3], lead, el);
          copy_run(c[0] + static_cast<std::uintptr_t>(lead * size), size, c[1], sd, e - lead, el);
        }
        return;
      }
      // The run crosses sections, all at subscript j[d] along DIM.
      const std::int64_t jd = j[d];
      if (scalar_shift) {
        std::int64_t k = end_off ? jd + shift : (jd + circular(shift)) % e;
        if (k >= 0 && k < e)
          copy_run(c[0], size, at(c[1], k), s1, run, el);
        else
          copy_run(c[0], size, c[3], b1, run, el);
        return;
      }
      std::uintptr_t dst = c[0], src = c[1], sp = c[2], bp = c[3];
      for (std::intptr_t i = 0; i < run; ++i, dst += size, src += s1, sp += s2, bp += b1) {
        std::int64_t s = read_shift(sp, width);
        std::int64_t k = end_off ? jd + s : (jd + circular(s)) % e;
        copy_element(dst, k >= 0 && k < e ? at(src, k) : bp, el);
      }
    });
  });
}

void check_shift_dim(int rank, int dim, const char *format, bool with_rank) {
  if (dim >= 1 && dim <= rank) return;
  if (with_rank)
    rt::crash(format, dim, rank);
  else
    rt::crash(format, dim);
}

const char kCshiftDim[] = "DIM argument (%d) to CSHIFT is out of range (1:%d)";
const char kEoshiftDim[] = "DIM argument (%d) to EOSHIFT is out of range (1:%d)";
const char kEoshiftDimShort[] = "DIM argument to EOSHIFT is out of range (%d)";

Side shift_side(int shift_rank, const tav_ptr_desc *shift) { return {shift->base, shift->dim, shift_rank}; }

void cshift(int rank, const View &array, std::int64_t shift, const Side &shifts, int width, int dim, void *dest) {
  if (shifts.dim != nullptr) check_conforms(rank, array.dim, dim - 1, shifts, "SHIFT", "CSHIFT");
  shift_array(false, rank, array, dim, shift, shifts, width, Side{}, dest);
}

void eoshift(int rank, const View &array, std::int64_t shift, const Side &shifts, int width, int dim,
             const Side &boundary, void *dest) {
  if (shifts.dim != nullptr) check_conforms(rank, array.dim, dim - 1, shifts, "SHIFT", "EOSHIFT");
  if (boundary.dim != nullptr) check_conforms(rank, array.dim, dim - 1, boundary, "BOUNDARY", "EOSHIFT");
  shift_array(true, rank, array, dim, shift, shifts, width, boundary, dest);
}

// CHARACTER EOSHIFT: BOUNDARY's len, then ARRAY's, must be the len given.
void check_eoshift_lens(const tav_cptr_desc *array, int boundary_len, int len, const char *format) {
  if (boundary_len != len) rt::crash(format, boundary_len, len);
  if (array->len != len) rt::crash("Internal error - bad arguments to EOSHIFT");
}
const char kBoundaryLen[] = "BOUNDARY argument to EOSHIFT has wrong LEN (%d instead of %d)";
const char kBoundaryLenShort[] = "BOUNDARY has LEN %d instead of %d to EOSHIFT";

}  // namespace
}  // namespace tav::array

using namespace tav::array;

using tav_ptr = const tav_ptr_desc *;
using tav_cptr = const tav_cptr_desc *;

namespace {

View char_view_or_null(tav_cptr d, View *storage) {
  if (d == nullptr) return {};
  *storage = view(d);
  return *storage;
}

}  // namespace

#define TAV_PACK(pre, M)                                                                                     \
  void __TAVf90_##pre##pack(tav_vector *r, int rank, tav_ptr a, int, tav_ptr m, tav_ptr v, int size) {      \
    View vv = v ? view(v, size) : View{};                                                                    \
    pack<M>(out(r), rank, view(a, size), m, v ? &vv : nullptr, Flavour::numeric, (#pre)[0] == '\0');        \
  }                                                                                                          \
  void __TAVf90_##pre##dtpack(tav_cvector *r, int rank, tav_ptr a, int, tav_ptr m, tav_ptr v, int size) {   \
    View vv = v ? view(v, size) : View{};                                                                    \
    pack<M>(out(r), rank, view(a, size), m, v ? &vv : nullptr, Flavour::derived, false);                     \
  }                                                                                                          \
  void __TAVf90_##pre##chpack(tav_cvector *r, int rank, tav_cptr a, int, tav_ptr m, tav_cptr v) {            \
    View vv;                                                                                                 \
    char_view_or_null(v, &vv);                                                                               \
    pack<M>(out(r), rank, view(a), m, v ? &vv : nullptr, Flavour::character, false);                         \
  }

extern "C" {

TAV_PACK(, std::uint32_t)
TAV_PACK(l1_, std::uint8_t)
TAV_PACK(l2_, std::uint16_t)
TAV_PACK(l4_, std::uint64_t)

void __TAVf90_reshape(tav_vector *r, int rank, tav_ptr source, tav_ptr shape, int pad_rank, tav_ptr pad,
                      tav_ptr order, int size) {
  View pv = pad ? view(pad, size) : View{};
  reshape(out(r), rank, view(source, size), shape, pad_rank, pad ? &pv : nullptr, order, Flavour::numeric);
}
void __TAVf90_dtreshape(tav_cvector *r, int rank, tav_ptr source, tav_ptr shape, int pad_rank, tav_ptr pad,
                        tav_ptr order, int size) {
  View pv = pad ? view(pad, size) : View{};
  reshape(out(r), rank, view(source, size), shape, pad_rank, pad ? &pv : nullptr, order, Flavour::derived);
}
void __TAVf90_chreshape(tav_cvector *r, int rank, tav_cptr source, tav_ptr shape, int pad_rank, tav_cptr pad,
                        tav_ptr order) {
  View pv;
  char_view_or_null(pad, &pv);
  reshape(out(r), rank, view(source), shape, pad_rank, pad ? &pv : nullptr, order, Flavour::character);
}

void __TAVf90_spread(tav_vector *r, int rank, tav_ptr source, int dim, int ncopies, int size) {
  spread(out(r), rank, view(source, size), dim, ncopies, Flavour::numeric);
}
void __TAVf90_dtspread(tav_cvector *r, int rank, tav_ptr source, int dim, int ncopies, int size) {
  spread(out(r), rank, view(source, size), dim, ncopies, Flavour::derived);
}
void __TAVf90_chspread(tav_cvector *r, int rank, tav_cptr source, int dim, int ncopies) {
  spread(out(r), rank, view(source), dim, ncopies, Flavour::character);
}

void __TAVf90_cshift_a(int rank, tav_ptr a, int shift, int dim, void *dest, int size) {
  check_shift_dim(rank, dim, "DIM argument to CSHIFT (%d) is out of range", false);
  cshift(rank, view(a, size), shift, Side{}, 4, dim, dest);
}
void __TAVf90_cshift_aa(int rank, tav_ptr a, int shift_rank, tav_ptr shift, int dim, void *dest, int size,
                        int width) {
  check_shift_dim(rank, dim, kCshiftDim, true);
  cshift(rank, view(a, size), 0, shift_side(shift_rank, shift), width, dim, dest);
}
void __TAVf90_cshift_ca(int rank, tav_cptr a, int shift, int dim, void *dest, int len) {
  check_shift_dim(rank, dim, kCshiftDim, true);
  if (a->len != len) tav::rt::crash("Internal Error - bad arguments to cshift_ca");
  cshift(rank, view(a), shift, Side{}, 4, dim, dest);
}
void __TAVf90_cshift_caa(int rank, tav_cptr a, int shift_rank, tav_ptr shift, int dim, void *dest, int len,
                         int width) {
  check_shift_dim(rank, dim, kCshiftDim, true);
  if (a->len != len) tav::rt::crash("Internal error - bad arguments to cshift_caa");
  cshift(rank, view(a), 0, shift_side(shift_rank, shift), width, dim, dest);
}

void __TAVf90_eoshift_as(int rank, tav_ptr a, int shift, int dim, const void *boundary, void *dest, int size) {
  check_shift_dim(rank, dim, kEoshiftDim, true);
  eoshift(rank, view(a, size), shift, Side{}, 4, dim, Side{static_cast<const char *>(boundary)}, dest);
}
void __TAVf90_eoshift_aa(int rank, tav_ptr a, int shift, int dim, int boundary_rank, tav_ptr boundary, void *dest,
                         int size) {
  check_shift_dim(rank, dim, kEoshiftDim, true);
  eoshift(rank, view(a, size), shift, Side{}, 4, dim, Side{boundary->base, boundary->dim, boundary_rank}, dest);
}
void __TAVf90_eoshift_aas(int rank, tav_ptr a, int shift_rank, tav_ptr shift, int dim, const void *boundary,
                          void *dest, int size, int width) {
  check_shift_dim(rank, dim, kEoshiftDim, true);
  eoshift(rank, view(a, size), 0, shift_side(shift_rank, shift), width, dim,
          Side{static_cast<const char *>(boundary)}, dest);
}
void __TAVf90_eoshift_aaa(int rank, tav_ptr a, int shift_rank, tav_ptr shift, int dim, int boundary_rank,
                          tav_ptr boundary, void *dest, int size, int width) {
  check_shift_dim(rank, dim, kEoshiftDimShort, false);
  eoshift(rank, view(a, size), 0, shift_side(shift_rank, shift), width, dim,
          Side{boundary->base, boundary->dim, boundary_rank}, dest);
}
void __TAVf90_eoshift_cas(int rank, tav_cptr a, int shift, int dim, const char *boundary, int boundary_len,
                          void *dest, int len) {
  check_shift_dim(rank, dim, kEoshiftDim, true);
  check_eoshift_lens(a, boundary_len, len, kBoundaryLen);
  eoshift(rank, view(a), shift, Side{}, 4, dim, Side{boundary}, dest);
}
void __TAVf90_eoshift_caa(int rank, tav_cptr a, int shift, int dim, int boundary_rank, tav_cptr boundary,
                          void *dest, int len) {
  check_shift_dim(rank, dim, kEoshiftDim, true);
  check_eoshift_lens(a, static_cast<int>(boundary->len), len, kBoundaryLen);
  eoshift(rank, view(a), shift, Side{}, 4, dim, Side{boundary->base, boundary->dim, boundary_rank}, dest);
}
void __TAVf90_eoshift_caas(int rank, tav_cptr a, int shift_rank, tav_ptr shift, int dim, const char *boundary,
                           int boundary_len, void *dest, int len, int width) {
  check_shift_dim(rank, dim, kEoshiftDimShort, false);
  check_eoshift_lens(a, boundary_len, len, kBoundaryLenShort);
  eoshift(rank, view(a), 0, shift_side(shift_rank, shift), width, dim, Side{boundary}, dest);
}
void __TAVf90_eoshift_caaa(int rank, tav_cptr a, int shift_rank, tav_ptr shift, int dim, int boundary_rank,
                           tav_cptr boundary, void *dest, int len, int width) {
  check_shift_dim(rank, dim, kEoshiftDimShort, false);
  check_eoshift_lens(a, static_cast<int>(boundary->len), len, kBoundaryLenShort);
  eoshift(rank, view(a), 0, shift_side(shift_rank, shift), width, dim,
          Side{boundary->base, boundary->dim, boundary_rank}, dest);
}

}  // extern "C"
