// PACK, RESHAPE, SPREAD, CSHIFT and EOSHIFT in every flavour, against a
// reference that places each result element by its subscripts; the known
// answers; and every fatal message.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <map>
#include <numeric>
#include <string>
#include <vector>

#include "array_support.h"
#include "support/fatal_table.h"
#include "tavf90.h"

namespace {

using array_test::Section;
using array_test::Shape;
using Bytes = std::vector<std::uint8_t>;

void append(Bytes &out, const char *p, std::size_t size) {
  out.insert(out.end(), reinterpret_cast<const std::uint8_t *>(p), reinterpret_cast<const std::uint8_t *>(p) + size);
}
Bytes stored(const char *base, std::intptr_t count, std::size_t size) {
  Bytes b;
  append(b, base, static_cast<std::size_t>(count) * size);
  return b;
}
// A default INTEGER vector (SHAPE, ORDER) laid out backwards with a gap.
Section int_vector(const std::vector<int> &v) {
  Section s(Shape{1, {static_cast<std::intptr_t>(v.size())}, {2}, 1}, 4);
  s.fill<std::int32_t>([&v](std::intptr_t i) { return v[static_cast<std::size_t>(i)]; });
  return s;
}
Shape shape_of(std::vector<std::intptr_t> extents, unsigned reversed = 0) {
  Shape s{static_cast<int>(extents.size()), {}, {}, reversed};
  for (std::size_t k = 0; k < extents.size(); ++k) s.extent[k] = extents[k];
  return s;
}
template <class Extents>
std::intptr_t product(const Extents &e, int rank) {
  std::intptr_t n = 1;
  for (int k = 0; k < rank; ++k) n *= e[k];
  return n;
}
// Calls the numeric, derived-type and CHARACTER members (the three result
// forms of PACK, RESHAPE and SPREAD) and checks each result's descriptor and
// contents.
template <class Num, class Dt, class Ch>
void check_flavours(std::size_t size, const std::vector<std::intptr_t> &ext, const Bytes &want,
                    const std::string &what, Num num, Dt dt, Ch ch) {
  tav_vector v{};
  tav_cvector numeric{}, derived{}, character{};
  num(&v), dt(&derived), ch(&character);
  numeric.base = v.base, numeric.len = static_cast<std::intptr_t>(size);
  std::copy(v.extent, v.extent + 7, numeric.extent);
  for (auto [name, r] : {std::pair{"numeric", numeric}, {"derived", derived}, {"character", character}}) {
    const std::string w = std::string(name) + " size " + std::to_string(size) + " " + what;
    for (int k = 0; k < 7; ++k)
      EXPECT_EQ(r.extent[k], k < static_cast<int>(ext.size()) ? ext[k] : 1) << w << " extent " << k + 1;
    EXPECT_EQ(r.len, static_cast<std::intptr_t>(size)) << w;
    EXPECT_EQ(stored(r.base, product(ext, static_cast<int>(ext.size())), size), want) << w;
    __TAVf90_oDeAlloc(r.base, static_cast<std::size_t>(product(r.extent, 7) * r.len));
  }
}

// ---- PACK

using Pack = void (*)(tav_vector *, int, const tav_ptr_desc *, int, const tav_ptr_desc *, const tav_ptr_desc *, int);
using DtPack = void (*)(tav_cvector *, int, const tav_ptr_desc *, int, const tav_ptr_desc *, const tav_ptr_desc *,
                        int);
using ChPack = void (*)(tav_cvector *, int, const tav_cptr_desc *, int, const tav_ptr_desc *, const tav_cptr_desc *);
// The members of each mask kind: <kind>pack, <kind>dtpack, <kind>chpack.
const std::pair<const char *, std::size_t> kPackKinds[] = {{"", 4}, {"l1_", 1}, {"l2_", 2}, {"l4_", 8}};

TEST(Construct, PackEveryFlavourMaskKindAndVector) {
  for (const Shape &s : array_test::shapes()) {
    for (std::size_t size : {1u, 4u, 8u, 12u}) {
      Section a(s, size);
      a.randomise();
      for (const auto &[kind, width] : kPackKinds) {
        const auto pack = array_test::entry<Pack>(std::string(kind) + "pack");
        const auto dt = array_test::entry<DtPack>(std::string(kind) + "dtpack");
        const auto ch = array_test::entry<ChPack>(std::string(kind) + "chpack");
        Shape ms = s;
        ms.reversed = ~s.reversed & 0x7f;
        Section m(ms, width, 2);
        std::intptr_t selected = 0;
        Bytes packed;
        for (std::intptr_t n = 0; n < m.count(); ++n) {
          const bool bit = array_test::rng()() % 2;
          Bytes b(width, 0);
          if (bit) b[width == 8 && n % 2 ? 5 : 0] = 0x10;  // 8 bytes: sometimes the high word alone
          std::memcpy(m.nth(n), b.data(), width);
          selected += bit;
          if (bit) append(packed, a.nth(n), size);
        }
        for (std::intptr_t vlen : {std::intptr_t{-1}, selected, selected + 3}) {
          Section v(shape_of({vlen < 0 ? 0 : vlen}, 1), size, 1);
          v.randomise();
          Bytes want = packed;
          for (std::intptr_t n = selected; n < vlen; ++n) append(want, v.nth(n), size);
          const tav_ptr_desc *vd = vlen < 0 ? nullptr : v.desc();
          const tav_cptr_desc *vc = vlen < 0 ? nullptr : v.cdesc();
          const int rk = s.rank, sz = static_cast<int>(size);
          check_flavours(
            size, {static_cast<std::intptr_t>(want.size() / size)}, want,
            std::string(kind) + "pack VECTOR " + std::to_string(vlen) + " " + array_test::describe(s),
            [&](tav_vector *r) { pack(r, rk, a.desc(), rk, m.desc(), vd, sz); },
            [&](tav_cvector *r) { dt(r, rk, a.desc(), rk, m.desc(), vd, sz); },
            [&](tav_cvector *r) { ch(r, rk, a.cdesc(), rk, m.desc(), vc); });
        }
      }
    }
  }
}

// ---- RESHAPE

struct ReshapeCase {
  Shape source;
  std::vector<int> shape, order;  // order empty: none
  std::intptr_t pad;              // PAD elements, -1: none
};

TEST(Construct, ReshapeWithPadAndOrder) {
  const ReshapeCase cases[] = {
      {shape_of({6}), {2, 3}, {}, -1},
      {shape_of({6}), {2, 3}, {2, 1}, -1},
      {shape_of({2, 3, 4}, 5), {4, 6}, {}, -1},
      {shape_of({2, 3, 4}, 2), {3, 2, 2, 2}, {3, 1, 4, 2}, -1},
      {shape_of({5, 4}, 1), {3, 7}, {2, 1}, 3},
      {shape_of({2}), {5}, {}, 2},
      {shape_of({3}), {2, 3}, {2, 1}, 1},
      {shape_of({3, 2}), {2, 2}, {}, 0},
      {shape_of({0}), {2, 3}, {1, 2}, 4},
      {shape_of({2, 1, 2, 1, 2, 1, 2}, 0x55), {1, 2, 2, 1, 2, 2, 1}, {7, 6, 5, 4, 3, 2, 1}, -1},
      {shape_of({4, 2}), {3, 0}, {}, -1},
  };
  for (std::size_t size : {1u, 8u, 12u}) {
    for (const ReshapeCase &c : cases) {
      Section src(c.source, size);
      src.randomise();
      Section pad(shape_of({c.pad < 0 ? 0 : c.pad}, 1), size, 1);
      pad.randomise();
      Section shape = int_vector(c.shape), order = int_vector(c.order);
      const int rr = static_cast<int>(c.shape.size());
      const std::intptr_t n = product(c.shape, rr);
      std::vector<int> perm(rr);
      std::iota(perm.begin(), perm.end(), 0);
      for (std::size_t i = 0; i < c.order.size(); ++i) perm[i] = c.order[i] - 1;
      Bytes want(static_cast<std::size_t>(n) * size);
      for (std::intptr_t i = 0; i < n; ++i) {
        // Element i goes to the subscripts that count i with perm[0] fastest.
        std::intptr_t sub[7] = {}, rest = i, at = 0, mult = 1;
        for (int k = 0; k < rr; ++k) {
          sub[perm[k]] = rest % c.shape[perm[k]];
          rest /= c.shape[perm[k]];
        }
        for (int k = 0; k < rr; ++k, mult *= c.shape[k - 1]) at += sub[k] * mult;
        const char *from = i < src.count() ? src.nth(i) : pad.nth((i - src.count()) % pad.count());
        std::memcpy(want.data() + at * size, from, size);
      }
      const tav_ptr_desc *od = c.order.empty() ? nullptr : order.desc();
      const tav_ptr_desc *pd = c.pad < 0 ? nullptr : pad.desc();
      const tav_cptr_desc *pc = c.pad < 0 ? nullptr : pad.cdesc();
      const int rk = src.rank(), sz = static_cast<int>(size);
      check_flavours(
        size, std::vector<std::intptr_t>(c.shape.begin(), c.shape.end()), want,
        "from " + array_test::describe(c.source) + " to rank " + std::to_string(rr),
        [&](tav_vector *r) { __TAVf90_reshape(r, rk, src.desc(), shape.desc(), 1, pd, od, sz); },
        [&](tav_cvector *r) { __TAVf90_dtreshape(r, rk, src.desc(), shape.desc(), 1, pd, od, sz); },
        [&](tav_cvector *r) { __TAVf90_chreshape(r, rk, src.cdesc(), shape.desc(), 1, pc, od); });
    }
  }
}

// ---- SPREAD

TEST(Construct, SpreadAlongEveryDimension) {
  for (const Shape &s : array_test::shapes()) {
    if (s.rank > 6) continue;
    for (std::size_t size : {2u, 16u, 5u}) {
      Section src(s, size);
      src.randomise();
      for (int dim = 1; dim <= s.rank + 1; ++dim) {
        for (int ncopies : {3, 1, 0, -2}) {
          const int d = dim - 1;
          std::vector<std::intptr_t> ext;
          for (int k = 0; k <= s.rank; ++k) ext.push_back(k == d ? std::max(ncopies, 0) : s.extent[k < d ? k : k - 1]);
          const std::intptr_t n = product(ext, s.rank + 1);
          Bytes want;
          for (std::intptr_t i = 0; i < n; ++i) {
            std::intptr_t sub[8], rest = i, ssub[7];
            for (int k = 0; k <= s.rank; ++k) {
              sub[k] = rest % ext[k];
              rest /= ext[k];
            }
            for (int k = 0, j = 0; k <= s.rank; ++k)
              if (k != d) ssub[j++] = sub[k];
            append(want, src.at(ssub), size);
          }
          const int rk = s.rank, sz = static_cast<int>(size);
          check_flavours(
            size, ext, want,
            "DIM " + std::to_string(dim) + " NCOPIES " + std::to_string(ncopies) + " " + array_test::describe(s),
            [&](tav_vector *r) { __TAVf90_spread(r, rk, src.desc(), dim, ncopies, sz); },
            [&](tav_cvector *r) { __TAVf90_dtspread(r, rk, src.desc(), dim, ncopies, sz); },
            [&](tav_cvector *r) { __TAVf90_chspread(r, rk, src.cdesc(), dim, ncopies); });
        }
      }
    }
  }
}

// ---- CSHIFT and EOSHIFT

// ARRAY's shape with DIM left out.
Shape without(const Shape &s, int d, unsigned reversed) {
  Shape o{s.rank - 1, {}, {}, reversed};
  for (int k = 0, j = 0; k < s.rank; ++k)
    if (k != d) o.extent[j++] = s.extent[k];
  return o;
}

// Element number, in array element order of the SHIFT/BOUNDARY shape, of
// the section through ARRAY subscripts sub.
std::intptr_t section_of(const Section &a, int d, const std::intptr_t *sub) {
  std::intptr_t m = 0, mult = 1;
  for (int k = 0; k < a.rank(); ++k)
    if (k != d) {
      m += sub[k] * mult;
      mult *= a.extent(k);
    }
  return m;
}

std::int64_t read_width(const char *p, int width) {
  if (width == 1) return static_cast<std::int8_t>(*p);
  std::int16_t h;
  std::int32_t w;
  if (width == 2) return std::memcpy(&h, p, 2), h;
  return std::memcpy(&w, p, 4), w;
}

// The expected CSHIFT (boundary null) or EOSHIFT result.
Bytes shifted(const Section &a, int dim, std::int64_t scalar, const Section *shift, int width, const char *scalar_b,
              const Section *boundary) {
  const int d = dim - 1;
  const std::size_t size = a.size();
  const std::intptr_t e = a.extent(d);
  Bytes out;
  for (std::intptr_t n = 0; n < a.count(); ++n) {
    std::intptr_t sub[7];
    a.subscripts(n, sub);
    const std::intptr_t m = section_of(a, d, sub);
    const std::int64_t s = shift ? read_width(shift->nth(m), width) : scalar;
    std::int64_t k = sub[d] + s;
    const bool end_off = scalar_b != nullptr || boundary != nullptr;
    if (!end_off) k = ((k % e) + e) % e;
    if (k >= 0 && k < e) {
      sub[d] = static_cast<std::intptr_t>(k);
      append(out, a.at(sub), size);
    } else {
      append(out, boundary ? boundary->nth(m) : scalar_b, size);
    }
  }
  return out;
}

TEST(Construct, CshiftAndEoshiftEveryMember) {
  const int scalars[] = {2, -1, 0, 9, -7, 2147483647};
  for (const Shape &s : array_test::shapes()) {
    for (std::size_t size : {4u, 3u}) {
      Section a(s, size);
      a.randomise();
      for (int dim = 1; dim <= s.rank; ++dim) {
        const int d = dim - 1;
        Section bnd(without(s, d, 3), size, 2);
        bnd.randomise();
        const char scalar_b[4] = {'x', 'y', 'z', 'w'};
        std::vector<std::uint8_t> dest(static_cast<std::size_t>(a.count()) * size + 8);
        auto run = [&](const std::string &what, const Bytes &want, auto &&call) {
          std::fill(dest.begin(), dest.end(), 0xEE);
          call(dest.data());
          EXPECT_EQ(Bytes(dest.begin(), dest.end() - 8), want) << what << " DIM " << dim << " " << array_test::describe(s);
          EXPECT_EQ(Bytes(dest.end() - 8, dest.end()), Bytes(8, 0xEE)) << what << " wrote past the result";
        };
        const int isz = static_cast<int>(size);
        const int rk = s.rank;
        for (int sh : scalars) {
          const std::string t = "SHIFT " + std::to_string(sh);
          Bytes c = shifted(a, dim, sh, nullptr, 4, nullptr, nullptr);
          run("cshift_a " + t, c, [&](void *p) { __TAVf90_cshift_a(rk, a.desc(), sh, dim, p, isz); });
          run("cshift_ca " + t, c, [&](void *p) { __TAVf90_cshift_ca(rk, a.cdesc(), sh, dim, p, isz); });
          Bytes es = shifted(a, dim, sh, nullptr, 4, scalar_b, nullptr);
          run("eoshift_as " + t, es, [&](void *p) { __TAVf90_eoshift_as(rk, a.desc(), sh, dim, scalar_b, p, isz); });
          run("eoshift_cas " + t, es,
              [&](void *p) { __TAVf90_eoshift_cas(rk, a.cdesc(), sh, dim, scalar_b, isz, p, isz); });
          Bytes ea = shifted(a, dim, sh, nullptr, 4, nullptr, &bnd);
          run("eoshift_aa " + t, ea,
              [&](void *p) { __TAVf90_eoshift_aa(rk, a.desc(), sh, dim, rk - 1, bnd.desc(), p, isz); });
          run("eoshift_caa " + t, ea,
              [&](void *p) { __TAVf90_eoshift_caa(rk, a.cdesc(), sh, dim, rk - 1, bnd.cdesc(), p, isz); });
        }
        for (int width : {1, 2, 4}) {
          Section sh(without(s, d, 1), static_cast<std::size_t>(width), 1);
          for (std::intptr_t n = 0; n < sh.count(); ++n) {
            std::int32_t v = static_cast<std::int32_t>(array_test::rng()() % 23) - 11;
            if (width == 4 && n % 5 == 3) v = v * 1000003;
            std::memcpy(sh.nth(n), &v, static_cast<std::size_t>(width));  // little-endian: the low bytes
          }
          const std::string t = "array SHIFT width " + std::to_string(width);
          Bytes c = shifted(a, dim, 0, &sh, width, nullptr, nullptr);
          run("cshift_aa " + t, c,
              [&](void *p) { __TAVf90_cshift_aa(rk, a.desc(), rk - 1, sh.desc(), dim, p, isz, width); });
          run("cshift_caa " + t, c,
              [&](void *p) { __TAVf90_cshift_caa(rk, a.cdesc(), rk - 1, sh.desc(), dim, p, isz, width); });
          Bytes es = shifted(a, dim, 0, &sh, width, scalar_b, nullptr);
          run("eoshift_aas " + t, es, [&](void *p) {
            __TAVf90_eoshift_aas(rk, a.desc(), rk - 1, sh.desc(), dim, scalar_b, p, isz, width);
          });
          run("eoshift_caas " + t, es, [&](void *p) {
            __TAVf90_eoshift_caas(rk, a.cdesc(), rk - 1, sh.desc(), dim, scalar_b, isz, p, isz, width);
          });
          Bytes ea = shifted(a, dim, 0, &sh, width, nullptr, &bnd);
          run("eoshift_aaa " + t, ea, [&](void *p) {
            __TAVf90_eoshift_aaa(rk, a.desc(), rk - 1, sh.desc(), dim, rk - 1, bnd.desc(), p, isz, width);
          });
          run("eoshift_caaa " + t, ea, [&](void *p) {
            __TAVf90_eoshift_caaa(rk, a.cdesc(), rk - 1, sh.desc(), dim, rk - 1, bnd.cdesc(), p, isz, width);
          });
        }
      }
    }
  }
}

// ---- Known answers.

using IntArray = array_test::Dense<std::int32_t>;
std::vector<int> ints(tav_vector r) { return array_test::take<std::int32_t>(r, __TAVf90_freevec_i); }

// Hand-worked answers, so that the reference above cannot share a
// misreading with the library.
TEST(Construct, KnownAnswers) {
  IntArray six({1, 2, 3, 4, 5, 6}, {6}), s23({2, 3}, {2}), o21({2, 1}, {2}), two({1, 2}, {2}), s5({5}, {1}),
      pad({7, 8}, {2});
  tav_vector r{};
  __TAVf90_reshape(&r, 1, &six.d, &s23.d, 0, nullptr, &o21.d, 4);
  EXPECT_EQ(ints(r), (std::vector<int>{1, 4, 2, 5, 3, 6}));  // rows (1, 2, 3) and (4, 5, 6)
  __TAVf90_reshape(&r, 1, &two.d, &s5.d, 1, &pad.d, nullptr, 4);
  EXPECT_EQ(ints(r), (std::vector<int>{1, 2, 7, 8, 7}));
  IntArray five({1, 2, 3, 4, 5}, {5});
  std::vector<int> out(5);
  const std::int32_t zero = 0;
  __TAVf90_cshift_a(1, &five.d, -2, 1, out.data(), 4);
  EXPECT_EQ(out, (std::vector<int>{4, 5, 1, 2, 3}));
  __TAVf90_eoshift_as(1, &five.d, 2, 1, &zero, out.data(), 4);
  EXPECT_EQ(out, (std::vector<int>{3, 4, 5, 0, 0}));
  // Row 1 of a 2 x 3 array shifted by 1 along DIM 2, row 2 by 2.
  IntArray m23({11, 21, 12, 22, 13, 23}, {2, 3}), by({1, 2}, {2});
  out.resize(6);
  __TAVf90_cshift_aa(2, &m23.d, 1, &by.d, 2, out.data(), 4, 4);
  EXPECT_EQ(out, (std::vector<int>{12, 23, 13, 21, 11, 22}));
}

TEST(Construct, FatalErrors) {
  // Argument objects of construct_fatal.tsv.
  IntArray a({1, 2, 3, 4}, {4}), m({1, 1, 1, 0}, {4}), m5({1, 1, 1, 1, 1}, {5}), v1({9}, {1});
  IntArray a23({1, 2, 3, 4, 5, 6}, {2, 3}), sh3({1, 2, 3}, {3}), sh2({1, 2}, {2});
  IntArray s5({5}, {1}), sneg({2, -1, 3}, {3}), s23({2, 3}, {2}), o1({1}, {1}), o11({1, 1}, {2}),
      o13({1, 3}, {2}), empty({}, {0});
  tav_cptr_desc c3 = {a.d.base, 3, 0, {{4, 3, 1}}}, c2 = {a.d.base, 2, 0, {{4, 2, 1}}};
  tav_cptr_desc c23 = {a23.d.base, 4, 0, {{2, 4, 1}, {3, 8, 1}}};
  tav_ptr_desc big = a.d;  // a result too large to exist
  big.dim[0].extent = 1 << 20;
  big.dim[0].stride = 0;
  char dest[64];
  tav_vector r;
  tav_cvector cr;
  const std::map<std::string, const void *> objects = {
      {"a", &a.d},     {"m", &m.d},     {"m5", &m5.d},   {"v1", &v1.d},   {"a23", &a23.d}, {"sh3", &sh3.d},
      {"sh2", &sh2.d}, {"s5", &s5.d},   {"sneg", &sneg.d}, {"s23", &s23.d}, {"o1", &o1.d}, {"o11", &o11.d},
      {"o13", &o13.d}, {"empty", &empty.d}, {"c3", &c3}, {"c2", &c2}, {"c23", &c23}, {"big", &big},
      {"dest", dest},  {"r", &r},       {"cr", &cr}};
  EXPECT_EQ(tavtest::expect_fatal_table("array/data/construct_fatal.tsv", objects), 27);
}

}  // namespace
