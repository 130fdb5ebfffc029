// Whole-array character operations: element-wise assignment, concatenation
// with a scalar or another array, LEN_TRIM, ADJUSTL and ADJUSTR of every
// element, and the joining of all elements into one temporary.
//
// Operands are walked in array element order with the shared array walk;
// results are contiguous temporaries filled in the same order.
#include <cstdint>
#include <cstring>

#include "array/walk.h"
#include "character/text.h"
#include "runtime/fatal.h"
#include "storage/descriptor.h"
#include "storage/work.h"
#include "tavf90_character.h"

namespace tav::character {
namespace {

using array::kMaxRank;
using array::Walk;

const char kTemporaryOom[] = "Cannot allocate array temporary - out of memory";

// A cursor over one operand: where it starts and its walk increments.
struct Cursor {
  char *base;
  std::uintptr_t step[kMaxRank];
  // This cursor moving by the walk's own steps.
  Cursor with(const Walk &w) const {
    Cursor c{base, {}};
    std::memcpy(c.step, w.step, sizeof c.step);
    return c;
  }
};

Cursor cursor(const Walk &w, int rank, const tav_cptr_desc *d) {
  Cursor c{d->base, {}};
  w.steps_for(rank, d->dim, c.step);
  return c;
}

// A contiguous array of w's extents with `len`-byte elements.
Cursor contiguous(const Walk &w, char *base, std::intptr_t len) {
  std::intptr_t stride[kMaxRank];
  std::intptr_t s = len;
  for (int k = 0; k < kMaxRank; ++k) stride[k] = s, s *= w.extent[k];
  Cursor c{base, {}};
  w.steps_for(kMaxRank, stride, c.step);
  return c;
}

// fn(a_element, b_element) over two operands in lockstep.
template <class Fn>
void each_pair(const Walk &w, const Cursor &a, const Cursor &b, Fn &&fn) {
  std::uintptr_t p[2] = {reinterpret_cast<std::uintptr_t>(a.base), reinterpret_cast<std::uintptr_t>(b.base)};
  std::uintptr_t step[2][kMaxRank];
  std::memcpy(step[0], a.step, sizeof a.step);
  std::memcpy(step[1], b.step, sizeof b.step);
  array::walk_lockstep(w, p, step, [&fn](const std::uintptr_t(&c)[2]) {
    fn(reinterpret_cast<char *>(c[0]), reinterpret_cast<char *>(c[1]));
  });
}

// w's extents as the int arguments the temporary builders read.
void extents(const Walk &w, int (&e)[kMaxRank]) {
  for (int k = 0; k < kMaxRank; ++k) e[k] = static_cast<int>(w.extent[k]);
}

// A result temporary of w's extents; element length len.
tav_cvector char_result(const Walk &w, std::int64_t len) {
  if (len > INT32_MAX) rt::crash("%s", kTemporaryOom);
  int e[kMaxRank];
  extents(w, e);
  return __TAVf90_mkatmp_ch(7, e[0], e[1], e[2], e[3], e[4], e[5], e[6], static_cast<int>(len));
}

// Lowest address and one past the highest byte of an array's elements; an
// empty array spans nothing.
struct Span {
  std::uintptr_t lo = 0, hi = 0;
};
Span span(const Walk &w, const char *base, const std::intptr_t *stride, std::size_t len) {
  Span s;
  if (w.empty() || len == 0) return s;
  std::intptr_t low = 0, high = 0;
  for (int k = 0; k < kMaxRank; ++k) {
    std::intptr_t reach = (w.extent[k] - 1) * stride[k];
    (reach < 0 ? low : high) += reach;
  }
  s.lo = reinterpret_cast<std::uintptr_t>(base) + static_cast<std::uintptr_t>(low);
  s.hi = reinterpret_cast<std::uintptr_t>(base) + static_cast<std::uintptr_t>(high) + len;
  return s;
}
bool overlap(const Span &a, const Span &b) { return a.lo < b.hi && b.lo < a.hi; }

void strides_of(int rank, const tav_dim *dim, std::intptr_t (&out)[kMaxRank]) {
  for (int k = 0; k < kMaxRank; ++k) out[k] = k < rank ? dim[k].stride : 0;
}

// dst = src element by element (shapes already agree).  A source that
// shares storage with the destination, other than element for element in
// place, is first copied out, so that every element receives the value the
// source had before the assignment.
void assign_array(const Walk &w, const Cursor &dst, const std::intptr_t (&dst_stride)[kMaxRank], std::size_t dlen,
                  int rank, const tav_cptr_desc *src) {
  std::size_t slen = length(src->len);
  std::intptr_t src_stride[kMaxRank];
  strides_of(rank, src->dim, src_stride);
  bool in_place = dst.base == src->base && dlen == slen &&
                  std::memcmp(dst_stride, src_stride, sizeof src_stride) == 0;
  if (!in_place && overlap(span(w, dst.base, dst_stride, dlen), span(w, src->base, src_stride, slen))) {
    std::size_t bytes = static_cast<std::size_t>(w.count()) * slen;
    char *copy = static_cast<char *>(storage::work_alloc(bytes));
    Cursor packed = contiguous(w, copy, static_cast<std::intptr_t>(slen));
    each_pair(w, packed, cursor(w, rank, src), [slen](char *to, char *from) { std::memcpy(to, from, slen); });
    each_pair(w, dst, packed, [dlen, slen](char *to, char *from) { assign(to, dlen, from, slen); });
    storage::work_free(copy, bytes);
    return;
  }
  each_pair(w, dst, cursor(w, rank, src), [dlen, slen](char *to, char *from) { assign(to, dlen, from, slen); });
}

// Every element of dst = the scalar.  The first element is assigned from
// the scalar (which may lie inside the array), the rest copy the first.
void assign_scalar(const Walk &w, const Cursor &dst, std::size_t dlen, const char *src, std::size_t slen) {
  if (w.empty() || dlen == 0) return;
  char *first = dst.base;
  assign(first, dlen, src, slen);
  std::uintptr_t p[1] = {reinterpret_cast<std::uintptr_t>(first)};
  std::uintptr_t step[1][kMaxRank];
  std::memcpy(step[0], dst.step, sizeof dst.step);
  array::walk_lockstep(w, p, step, [first, dlen](const std::uintptr_t(&c)[1]) {
    char *e = reinterpret_cast<char *>(c[0]);
    if (e != first) std::memmove(e, first, dlen);
  });
}

// The walk over a contiguous temporary, with its byte strides.
Walk vector_walk(const tav_cvector &v, std::intptr_t (&stride)[kMaxRank]) {
  std::intptr_t s = v.len;
  for (int k = 0; k < kMaxRank; ++k) stride[k] = s, s *= v.extent[k];
  return Walk(kMaxRank, v.extent, stride);
}

// A contiguous destination's seven extents against the source's rank
// triples (extent 1 beyond its rank), for the shape check.
void check_vector_shape(const tav_cvector &v, int rank, const tav_cptr_desc *src) {
  tav_dim d[kMaxRank], s[kMaxRank];
  for (int k = 0; k < kMaxRank; ++k) {
    d[k] = tav_dim{v.extent[k], 0, 1};
    s[k] = k < rank ? src->dim[k] : tav_dim{1, 0, 1};
  }
  __TAVf90_check_shapes(d, s, kMaxRank);
}

tav_cvector adjusted(int rank, const tav_cptr_desc *s, bool left) {
  Walk w(rank, s->dim);
  std::size_t n = length(s->len);
  tav_cvector r = char_result(w, static_cast<std::int64_t>(n));
  each_pair(w, contiguous(w, r.base, r.len), cursor(w, rank, s),
            [n, left](char *to, char *from) { left ? adjustl(to, from, n) : adjustr(to, from, n); });
  return r;
}

}  // namespace
}  // namespace tav::character

using namespace tav::character;
using tav::array::Walk;

extern "C" {

tav_vector __TAVf90_len_trima(int rank, const tav_cptr_desc *s) {
  Walk w(rank, s->dim);
  int e[tav::array::kMaxRank];
  extents(w, e);
  tav_vector r = __TAVf90_mkatmp_i(7, e[0], e[1], e[2], e[3], e[4], e[5], e[6]);
  std::size_t n = length(s->len);
  auto *out = reinterpret_cast<std::int32_t *>(r.base);
  tav::array::for_each_element(w, s->base, [&out, n](char *e) { *out++ = static_cast<std::int32_t>(len_trim(e, n)); });
  return r;
}

tav_cvector __TAVf90_adjustl_cha(int rank, const tav_cptr_desc *s) { return adjusted(rank, s, true); }
tav_cvector __TAVf90_adjustr_cha(int rank, const tav_cptr_desc *s) { return adjusted(rank, s, false); }

tav_cvector __TAVf90_chcat_as(int rank, const tav_cptr_desc *a, const char *b, int blen) {
  Walk w(rank, a->dim);
  std::size_t na = length(a->len), nb = length(blen);
  tav_cvector r = char_result(w, static_cast<std::int64_t>(na) + static_cast<std::int64_t>(nb));
  each_pair(w, contiguous(w, r.base, r.len), cursor(w, rank, a), [na, nb, b](char *to, char *from) {
    std::memcpy(to, from, na);
    std::memcpy(to + na, b, nb);
  });
  return r;
}

tav_cvector __TAVf90_chcat_sa(int rank, const char *a, const tav_cptr_desc *b, int alen) {
  Walk w(rank, b->dim);
  std::size_t na = length(alen), nb = length(b->len);
  tav_cvector r = char_result(w, static_cast<std::int64_t>(na) + static_cast<std::int64_t>(nb));
  each_pair(w, contiguous(w, r.base, r.len), cursor(w, rank, b), [na, nb, a](char *to, char *from) {
    std::memcpy(to, a, na);
    std::memcpy(to + na, from, nb);
  });
  return r;
}

tav_cvector __TAVf90_chcat_aa(int rank, const tav_cptr_desc *a, const tav_cptr_desc *b) {
  __TAVf90_check_shapes(a->dim, b->dim, rank);
  Walk w(rank, a->dim);
  std::size_t na = length(a->len), nb = length(b->len);
  tav_cvector r = char_result(w, static_cast<std::int64_t>(na) + static_cast<std::int64_t>(nb));
  Cursor out = contiguous(w, r.base, r.len), from_b = cursor(w, rank, b);
  // Two passes: the first operand into the front of each element, then the
  // second into the back.
  each_pair(w, out, cursor(w, rank, a), [na](char *to, char *from) { std::memcpy(to, from, na); });
  out.base += na;
  each_pair(w, out, from_b, [nb](char *to, char *from) { std::memcpy(to, from, nb); });
  return r;
}

void __TAVf90_cat_a2s(tav_chtmp *result, int rank, const tav_cptr_desc *a) {
  Walk w(rank, a->dim);
  std::size_t n = length(a->len);
  tav::storage::Count bytes(w.count());
  bytes.times(static_cast<std::int64_t>(n));
  const char oom[] = "Out of memory in FORMAT processing";
  if (!bytes.fits() || bytes.value() > INT32_MAX) tav::rt::crash("%s", oom);
  char *out = temporary(static_cast<std::size_t>(bytes.value()), oom);
  char *at = out;
  if (out != nullptr)
    tav::array::for_each_element(w, a->base, [&at, n](char *e) { std::memcpy(at, e, n), at += n; });
  result->address = out;
  result->length = static_cast<std::intptr_t>(bytes.value());
}

void __TAVf90_array_ch_asgn_array_ch(int rank, const tav_cptr_desc *dst, const tav_cptr_desc *src) {
  __TAVf90_check_shapes(dst->dim, src->dim, rank);
  Walk w(rank, dst->dim);
  std::intptr_t stride[tav::array::kMaxRank];
  strides_of(rank, dst->dim, stride);
  assign_array(w, cursor(w, rank, dst), stride, length(dst->len), rank, src);
}

void __TAVf90_array_ch_asgn_scalar_ch(int rank, const tav_cptr_desc *dst, const char *src, int slen) {
  Walk w(rank, dst->dim);
  assign_scalar(w, cursor(w, rank, dst), length(dst->len), src, length(slen));
}

void __TAVf90_vec_ch_asgn_array_ch(int rank, tav_cvector dst, const tav_cptr_desc *src) {
  check_vector_shape(dst, rank, src);
  std::intptr_t stride[tav::array::kMaxRank];
  Walk w = vector_walk(dst, stride);
  assign_array(w, Cursor{dst.base, {}}.with(w), stride, length(dst.len), rank, src);
}

void __TAVf90_vec_ch_asgn_scalar_ch(tav_cvector dst, const char *src, int slen) {
  std::intptr_t stride[tav::array::kMaxRank];
  Walk w = vector_walk(dst, stride);
  assign_scalar(w, Cursor{dst.base, {}}.with(w), length(dst.len), src, length(slen));
}

}  // extern "C"
