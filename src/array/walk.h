// Visiting the elements of an array described by rank triples in array
// element order (first subscript fastest), whatever the signs of the
// strides.
//
// The walk is a fixed nest of seven loops.  Dimension k runs extent_k times
// and the element address moves by precomputed increments:
//   step_1 = stride_1,
//   step_k = stride_k - extent_(k-1) * stride_(k-1)   (k = 2..rank),
// added after each element (step_1) and after loop k-1 has finished its run
// (step_k).  Dimensions beyond the rank have extent 1 and step 0, so they
// run once and move nothing.  A zero extent anywhere means no element is
// visited.
//
// Several arrays of the same shape are walked in lockstep by giving each its
// own steps; a "stride" need not be an address distance at all (a reduction
// walks its result index with multipliers as strides, 0 along DIM).
#pragma once

#include <cstddef>
#include <cstdint>

#include "tavf90.h"

namespace tav::array {

inline constexpr int kMaxRank = 7;

// Extents and increments of one walk.  Addresses are advanced in unsigned
// word arithmetic, so sections with negative strides and the overshoot past
// the last element are well defined.
struct Walk {
  std::intptr_t extent[kMaxRank] = {1, 1, 1, 1, 1, 1, 1};
  std::uintptr_t step[kMaxRank] = {};

  Walk() = default;

  // From the rank triples of a pointer descriptor (or info record; then the
  // strides are in elements).  Only the first `rank` triples are read.
  Walk(int rank, const tav_dim *dim) {
    std::intptr_t e[kMaxRank], s[kMaxRank];
    for (int k = 0; k < rank && k < kMaxRank; ++k) {
      e[k] = dim[k].extent;
      s[k] = dim[k].stride;
    }
    set(rank, e, s);
  }

  // From separate extent and stride lists.
  Walk(int rank, const std::intptr_t *extents, const std::intptr_t *strides) { set(rank, extents, strides); }

  // Steps for another array of the same extents with its own strides, for a
  // lockstep walk.
  void steps_for(int rank, const std::intptr_t *strides, std::uintptr_t *out) const {
    for (int k = 0; k < kMaxRank; ++k) out[k] = 0;
    for (int k = 0; k < rank && k < kMaxRank; ++k) {
      auto s = static_cast<std::uintptr_t>(strides[k]);
      out[k] = k == 0 ? s : s - static_cast<std::uintptr_t>(extent[k - 1]) * static_cast<std::uintptr_t>(strides[k - 1]);
    }
  }
  void steps_for(int rank, const tav_dim *dim, std::uintptr_t *out) const {
    std::intptr_t s[kMaxRank];
    for (int k = 0; k < rank && k < kMaxRank; ++k) s[k] = dim[k].stride;
    steps_for(rank, s, out);
  }

  bool empty() const {
    for (std::intptr_t e : extent)
      if (e <= 0) return true;
    return false;
  }

  // Number of elements (0 when any extent is 0 or below).
  std::intptr_t count() const {
    if (empty()) return 0;
    std::uintptr_t n = 1;
    for (std::intptr_t e : extent) n *= static_cast<std::uintptr_t>(e);
    return static_cast<std::intptr_t>(n);
  }

 private:
  void set(int rank, const std::intptr_t *extents, const std::intptr_t *strides) {
    for (int k = 0; k < kMaxRank; ++k) {
      extent[k] = 1;
      step[k] = 0;
    }
    for (int k = 0; k < rank && k < kMaxRank; ++k) extent[k] = extents[k];
    steps_for(rank, strides, step);
  }
};

// Calls fn(p, j) once per run of the innermost dimension, in array element
// order: the run holds extent_1 elements, cursor a at p[a] + i * step[a][0]
// for i = 0 .. extent_1 - 1; j[k] is the loop counter of dimension k + 1
// (j[0] is always 0).  fn must not change p; the walk advances it past the
// run and on by the outer increments.  Kernels that handle a whole run at
// once keep their inner loop free of the outer bookkeeping.
template <std::size_t N, class Fn>
inline void walk_runs(const Walk &w, std::uintptr_t (&p)[N], const std::uintptr_t (&step)[N][kMaxRank], Fn &&fn) {
  if (w.empty()) return;
  const std::intptr_t *e = w.extent;
  std::uintptr_t next_run[N];
  for (std::size_t a = 0; a < N; ++a) next_run[a] = step[a][0] * static_cast<std::uintptr_t>(e[0]) + step[a][1];
  std::intptr_t j[kMaxRank] = {};
  const std::uintptr_t(&cp)[N] = p;
  const std::intptr_t *cj = j;
  for (j[6] = 0; j[6] < e[6]; ++j[6]) {
    for (j[5] = 0; j[5] < e[5]; ++j[5]) {
      for (j[4] = 0; j[4] < e[4]; ++j[4]) {
        for (j[3] = 0; j[3] < e[3]; ++j[3]) {
          for (j[2] = 0; j[2] < e[2]; ++j[2]) {
            for (j[1] = 0; j[1] < e[1]; ++j[1]) {
              fn(cp, cj);
              for (std::size_t a = 0; a < N; ++a) p[a] += next_run[a];
            }
            for (std::size_t a = 0; a < N; ++a) p[a] += step[a][2];
          }
          for (std::size_t a = 0; a < N; ++a) p[a] += step[a][3];
        }
        for (std::size_t a = 0; a < N; ++a) p[a] += step[a][4];
      }
      for (std::size_t a = 0; a < N; ++a) p[a] += step[a][5];
    }
    for (std::size_t a = 0; a < N; ++a) p[a] += step[a][6];
  }
}

// The walk one level up, for kernels that work on several runs of the first
// dimension at once: calls fn(c, across, m) once per run of m whole runs
// (m = extent_2); run t of cursor a starts at c[a] + t * across[a], and its
// extent_1 elements are step[a][0] apart.  Runs of no elements (extent_1
// 0) are handed over too, so that a kernel can store what an empty run
// gives.
template <std::size_t N, class Fn>
inline void walk_slices(const Walk &w, std::uintptr_t (&p)[N], const std::uintptr_t (&step)[N][kMaxRank], Fn &&fn) {
  if (w.extent[0] < 0) return;
  Walk up;
  std::uintptr_t up_step[N][kMaxRank];
  for (int k = 0; k + 1 < kMaxRank; ++k) up.extent[k] = w.extent[k + 1];
  for (std::size_t a = 0; a < N; ++a) {
    up_step[a][0] = step[a][1] + static_cast<std::uintptr_t>(w.extent[0]) * step[a][0];
    for (int k = 1; k + 1 < kMaxRank; ++k) up_step[a][k] = step[a][k + 1];
    up_step[a][kMaxRank - 1] = 0;
  }
  std::uintptr_t across[N];
  for (std::size_t a = 0; a < N; ++a) across[a] = up_step[a][0];
  const std::intptr_t m = up.extent[0];
  walk_runs(up, p, up_step, [&](const std::uintptr_t(&c)[N], const std::intptr_t *) {
    fn(c, static_cast<const std::uintptr_t(&)[N]>(across), m);
  });
}

// Calls fn(cursor) for each element in array element order; the cursors
// start at the bases and move by their own steps.  N arrays walk in lockstep
// over w's extents.  fn receives the N current addresses.
template <std::size_t N, class Fn>
inline void walk_lockstep(const Walk &w, std::uintptr_t (&p)[N], const std::uintptr_t (&step)[N][kMaxRank], Fn &&fn) {
  const std::intptr_t n = w.extent[0];
  walk_runs(w, p, step, [&](const std::uintptr_t(&run)[N], const std::intptr_t *) {
    std::uintptr_t c[N];
    for (std::size_t a = 0; a < N; ++a) c[a] = run[a];
    for (std::intptr_t i = 0; i < n; ++i) {
      fn(static_cast<const std::uintptr_t(&)[N]>(c));
      for (std::size_t a = 0; a < N; ++a) c[a] += step[a][0];
    }
  });
}

// A cursor that steps through an array in array element order one element
// at a time, for a walk that cannot run in lockstep with it (a source read
// in a different shape from the result).  After the last element it wraps
// back to the first.
class Stream {
 public:
  Stream() = default;
  Stream(const Walk &w, char *base) : w_(w), base_(reinterpret_cast<std::uintptr_t>(base)), p_(base_) {}
  char *get() const { return reinterpret_cast<char *>(p_); }
  void restart() {
    p_ = base_;
    for (auto &j : j_) j = 0;
  }
  void next() {
    p_ += w_.step[0];
    if (++j_[0] < w_.extent[0]) return;
    carry();
  }
  // Elements left in the current run of the first dimension, the distance
  // between them, and a move k elements on (k at most run_left()), so that
  // a caller can copy whole stretches with a plain loop.
  std::intptr_t run_left() const { return w_.extent[0] - j_[0]; }
  std::intptr_t step() const { return static_cast<std::intptr_t>(w_.step[0]); }
  void advance(std::intptr_t k) {
    p_ += static_cast<std::uintptr_t>(k) * w_.step[0];
    j_[0] += k;
    if (j_[0] >= w_.extent[0]) carry();
  }

 private:
  void carry() {
    for (int k = 0; k < kMaxRank; ++k) {
      if (j_[k] < w_.extent[k]) return;
      j_[k] = 0;
      if (k + 1 == kMaxRank) {
        restart();
        return;
      }
      ++j_[k + 1];
      p_ += w_.step[k + 1];
    }
  }
  Walk w_;
  std::uintptr_t base_ = 0, p_ = 0;
  std::intptr_t j_[kMaxRank] = {};
};

// fn(char *element) for each element of the array at `base` described by w.
template <class Fn>
inline void for_each_element(const Walk &w, char *base, Fn &&fn) {
  std::uintptr_t p[1] = {reinterpret_cast<std::uintptr_t>(base)};
  std::uintptr_t step[1][kMaxRank];
  for (int k = 0; k < kMaxRank; ++k) step[0][k] = w.step[k];
  walk_lockstep(w, p, step, [&fn](const std::uintptr_t(&c)[1]) { fn(reinterpret_cast<char *>(c[0])); });
}

// fn(char *element) for each element of a POINTER array or section.
template <class Fn>
inline void for_each_element(int rank, const tav_ptr_desc *desc, Fn &&fn) {
  for_each_element(Walk(rank, desc->dim), desc->base, fn);
}
template <class Fn>
inline void for_each_element(int rank, const tav_cptr_desc *desc, Fn &&fn) {
  for_each_element(Walk(rank, desc->dim), desc->base, fn);
}

// fn(char *a_element, char *b_element) for two arrays of the same extents
// (those of `a`), each with its own strides.
template <class Fn>
inline void for_each_element_pair(int rank, const tav_ptr_desc *a, const tav_ptr_desc *b, Fn &&fn) {
  Walk w(rank, a->dim);
  std::uintptr_t p[2] = {reinterpret_cast<std::uintptr_t>(a->base), reinterpret_cast<std::uintptr_t>(b->base)};
  std::uintptr_t step[2][kMaxRank];
  for (int k = 0; k < kMaxRank; ++k) step[0][k] = w.step[k];
  w.steps_for(rank, b->dim, step[1]);
  walk_lockstep(w, p, step, [&fn](const std::uintptr_t(&c)[2]) {
    fn(reinterpret_cast<char *>(c[0]), reinterpret_cast<char *>(c[1]));
  });
}

}  // namespace tav::array
