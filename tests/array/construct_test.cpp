// PACK, RESHAPE, SPREAD, CSHIFT and EOSHIFT in every flavour, against a
// reference that places each result element by its subscripts; the known
// answers; and every fatal message.
#include <numeric>

#include "array_support.h"

namespace {

using array_test::Section;
using array_test::Shape;
using Bytes = std::vector<std::uint8_t>;

void append(Bytes &out, const char *p, std::size_t size) { out.insert(out.end(), p, p + size); }
// A default INTEGER vector (SHAPE, ORDER) laid out backwards with a gap.
Section int_vector(const std::vector<int> &v) {
  Section s(Shape{1, {static_cast<std::intptr_t>(v.size())}, {2}, 1}, 4);
  s.fill<std::int32_t>([&v](std::intptr_t i) { return v[static_cast<std::size_t>(i)]; });
  return s;
}
Shape shape_of(std::vector<std::intptr_t> extents, unsigned reversed = 0) {
  Shape s{static_cast<int>(extents.size()), {}, {}, reversed};
  std::copy(extents.begin(), extents.end(), s.extent);
  return s;
}
// Calls the numeric, derived-type and CHARACTER members (the three result
// forms of PACK, RESHAPE and SPREAD) and checks each result's descriptor and
// contents.
template <class Num, class Dt, class Ch>
void check_flavours(std::size_t size, std::vector<std::intptr_t> ext, const Bytes &want,
                    const std::string &what, Num num, Dt dt, Ch ch) {
  tav_vector v{};
  tav_cvector derived{}, character{};
  num(&v), dt(&derived), ch(&character);
  tav_cvector numeric{v.base, static_cast<std::intptr_t>(size), {}};
  std::copy(v.extent, v.extent + 7, numeric.extent);
  ext.resize(7, 1);
  for (auto [name, r] : {std::pair{"numeric", numeric}, {"derived", derived}, {"character", character}}) {
    const std::string w = std::string(name) + " size " + std::to_string(size) + " " + what;
    EXPECT_EQ(std::vector<std::intptr_t>(r.extent, r.extent + 7), ext) << w;
    if (std::string(name) != "numeric") {  // a numeric result has no length of its own
      EXPECT_EQ(r.len, static_cast<std::intptr_t>(size)) << w;
    }
    EXPECT_EQ(Bytes(r.base, r.base + want.size()), want) << w;
    __TAVf90_oDeAlloc(r.base, want.size());
  }
}

// The members of each mask kind: <kind>pack, <kind>dtpack, <kind>chpack.
const std::pair<const char *, std::size_t> kPackKinds[] = {{"", 4}, {"l1_", 1}, {"l2_", 2}, {"l4_", 8}};

TEST(Construct, PackEveryFlavourMaskKindAndVector) {
  for (const Shape &s : array_test::shapes()) {
    for (std::size_t size : {1u, 4u, 8u, 12u}) {
      Section a(s, size);
      a.randomise();
      for (const auto &[kind, width] : kPackKinds) {
        const auto pack = array_test::entry<decltype(&__TAVf90_pack)>(std::string(kind) + "pack");
        const auto dt = array_test::entry<decltype(&__TAVf90_dtpack)>(std::string(kind) + "dtpack");
        const auto ch = array_test::entry<decltype(&__TAVf90_chpack)>(std::string(kind) + "chpack");
        Shape ms = s;
        ms.reversed = ~s.reversed & 0x7f;
        Section m(ms, width, 2);
        Bytes packed;
        for (std::intptr_t n = 0; n < m.count(); ++n) {
          Bytes b(width, 0);
          if (array_test::rng()() % 2) {
            b[n % 2 ? width - 1 : 0] = 0x10;  // sometimes the top byte alone
            append(packed, a.nth(n), size);
          }
          std::memcpy(m.nth(n), b.data(), width);
        }
        const auto selected = static_cast<std::intptr_t>(packed.size() / size);
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

struct ReshapeCase {
  Shape source;
  std::vector<int> shape, order;  // order empty: none
  std::intptr_t pad;              // PAD elements, -1: none
};

TEST(Construct, ReshapeWithPadAndOrder) {
  const ReshapeCase cases[] = {
      {shape_of({6}), {2, 3}, {}, -1},         {shape_of({6}), {2, 3}, {2, 1}, -1},
      {shape_of({2, 3, 4}, 5), {4, 6}, {}, -1}, {shape_of({2, 3, 4}, 2), {3, 2, 2, 2}, {3, 1, 4, 2}, -1},
      {shape_of({5, 4}, 1), {3, 7}, {2, 1}, 3}, {shape_of({2}), {5}, {}, 2},
      {shape_of({3}), {2, 3}, {2, 1}, 1},       {shape_of({3, 2}), {2, 2}, {}, 0},
      {shape_of({0}), {2, 3}, {1, 2}, 4},       {shape_of({4, 2}), {3, 0}, {}, -1},
      {shape_of({2, 1, 2, 1, 2, 1, 2}, 0x55), {1, 2, 2, 1, 2, 2, 1}, {7, 6, 5, 4, 3, 2, 1}, -1},
      // Copied in tiles: whole and partial ones, a source running
      // backwards, the result's contiguous dimension third in ORDER.
      {shape_of({117}), {13, 9}, {2, 1}, -1},   {shape_of({117}, 1), {9, 13}, {2, 1}, -1},
      {shape_of({270}), {10, 3, 9}, {2, 3, 1}, -1},
  };
  for (std::size_t size : {1u, 8u, 12u}) {
    for (const ReshapeCase &c : cases) {
      Section src(c.source, size);
      src.randomise();
      Section pad(shape_of({c.pad < 0 ? 0 : c.pad}, 1), size, 1);
      pad.randomise();
      Section shape = int_vector(c.shape), order = int_vector(c.order);
      const int rr = static_cast<int>(c.shape.size());
      std::vector<int> perm(rr);
      std::iota(perm.begin(), perm.end(), 0);
      std::transform(c.order.begin(), c.order.end(), perm.begin(), [](int o) { return o - 1; });
      std::vector<std::intptr_t> mult(rr + 1, 1);  // column-major multipliers of the result
      for (int k = 0; k < rr; ++k) mult[k + 1] = mult[k] * c.shape[k];
      Bytes want(static_cast<std::size_t>(mult[rr]) * size);
      for (std::intptr_t i = 0; i < mult[rr]; ++i) {
        // Element i goes to the subscripts that count i with perm[0] fastest.
        std::intptr_t rest = i, at = 0;
        for (int k : perm) {
          at += rest % c.shape[k] * mult[k];
          rest /= c.shape[k];
        }
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
          const Section result(shape_of(ext), 1);
          Bytes want;
          for (std::intptr_t i = 0; i < result.count(); ++i) {
            std::intptr_t sub[8];
            result.subscripts(i, sub);
            std::copy(sub + d + 1, sub + s.rank + 1, sub + d);  // SOURCE's subscripts: DIM's left out
            append(want, src.at(sub), size);
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
  std::copy(s.extent + d + 1, s.extent + s.rank, std::copy(s.extent, s.extent + d, o.extent));
  return o;
}

// The expected CSHIFT (fill null) or EOSHIFT result: section m (in array
// element order of ARRAY without DIM) shifts by shift[m] and is filled with
// the element fill(m).
Bytes shifted(const Section &a, int d, const std::vector<int> &shift,
              const std::function<const char *(std::intptr_t)> &fill) {
  const std::intptr_t e = a.extent(d);
  Bytes out;
  for (std::intptr_t n = 0; n < a.count(); ++n) {
    std::intptr_t sub[7];
    a.subscripts(n, sub);
    const std::intptr_t m = a.without(d, sub);
    std::int64_t k = sub[d] + std::int64_t{shift[static_cast<std::size_t>(m)]};
    if (!fill) k = (k % e + e) % e;
    if (k >= 0 && k < e) {
      sub[d] = static_cast<std::intptr_t>(k);
      append(out, a.at(sub), a.size());
    } else {
      append(out, fill(m), a.size());
    }
  }
  return out;
}

TEST(Construct, CshiftAndEoshiftEveryMember) {
  for (const Shape &s : array_test::shapes()) {
    for (std::size_t size : {4u, 3u}) {
      Section a(s, size);
      a.randomise();
      for (int dim = 1; dim <= s.rank; ++dim) {
        const int d = dim - 1, rk = s.rank, r1 = s.rank - 1, isz = static_cast<int>(size);
        Section bnd(without(s, d, 3), size, 2);
        bnd.randomise();
        const char sb[4] = {'x', 'y', 'z', 'w'};  // the scalar BOUNDARY
        const tav_ptr_desc *ad = a.desc(), *bd = bnd.desc();
        const tav_cptr_desc *ac = a.cdesc(), *bc = bnd.cdesc();
        std::vector<std::uint8_t> dest(static_cast<std::size_t>(a.count()) * size + 8);
        const std::string at = " DIM " + std::to_string(dim) + " " + array_test::describe(s);
        // The six members of one SHIFT form, each numeric then CHARACTER: CSHIFT, EOSHIFT with
        // the scalar BOUNDARY, EOSHIFT with the array one.
        auto run = [&](const std::string &t, const std::vector<int> &shifts, auto &&...members) {
          const Bytes want[] = {shifted(a, d, shifts, nullptr),
                                shifted(a, d, shifts, [&](std::intptr_t) { return sb; }),
                                shifted(a, d, shifts, [&](std::intptr_t m) { return bnd.nth(m); })};
          int k = 0;
          for (const auto &call : {std::function<void(void *)>(members)...}) {
            std::fill(dest.begin(), dest.end(), 0xEE);
            call(dest.data());
            const std::string w = "member " + std::to_string(k) + " " + t + at;
            EXPECT_EQ(Bytes(dest.begin(), dest.end() - 8), want[k++ / 2]) << w;
            EXPECT_EQ(Bytes(dest.end() - 8, dest.end()), Bytes(8, 0xEE)) << w << " wrote past the result";
          }
        };
        for (int sh : {2, -1, 0, 9, -7, 2147483647})
          run("SHIFT " + std::to_string(sh), std::vector<int>(static_cast<std::size_t>(bnd.count()), sh),
              [&](void *p) { __TAVf90_cshift_a(rk, ad, sh, dim, p, isz); },
              [&](void *p) { __TAVf90_cshift_ca(rk, ac, sh, dim, p, isz); },
              [&](void *p) { __TAVf90_eoshift_as(rk, ad, sh, dim, sb, p, isz); },
              [&](void *p) { __TAVf90_eoshift_cas(rk, ac, sh, dim, sb, isz, p, isz); },
              [&](void *p) { __TAVf90_eoshift_aa(rk, ad, sh, dim, r1, bd, p, isz); },
              [&](void *p) { __TAVf90_eoshift_caa(rk, ac, sh, dim, r1, bc, p, isz); });
        for (int w : {1, 2, 4}) {
          // A SHIFT array of w-byte integers, some of 4 bytes far beyond the extent.
          Section shift(without(s, d, 1), static_cast<std::size_t>(w), 1);
          std::vector<int> shifts;
          for (std::intptr_t n = 0; n < shift.count(); ++n) {
            shifts.push_back(static_cast<int>(array_test::rng()() % 23) - 11);
            if (w == 4 && n % 5 == 3) shifts.back() *= 1000003;
            // Little-endian: the low bytes.
            std::memcpy(shift.nth(n), &shifts.back(), static_cast<std::size_t>(w));
          }
          const tav_ptr_desc *sh = shift.desc();
          run("SHIFT array width " + std::to_string(w), shifts,
              [&](void *p) { __TAVf90_cshift_aa(rk, ad, r1, sh, dim, p, isz, w); },
              [&](void *p) { __TAVf90_cshift_caa(rk, ac, r1, sh, dim, p, isz, w); },
              [&](void *p) { __TAVf90_eoshift_aas(rk, ad, r1, sh, dim, sb, p, isz, w); },
              [&](void *p) { __TAVf90_eoshift_caas(rk, ac, r1, sh, dim, sb, isz, p, isz, w); },
              [&](void *p) { __TAVf90_eoshift_aaa(rk, ad, r1, sh, dim, r1, bd, p, isz, w); },
              [&](void *p) { __TAVf90_eoshift_caaa(rk, ac, r1, sh, dim, r1, bc, p, isz, w); });
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
  // Row 1 of a 2 x 3 array shifted by 1 along DIM 2, row 2 by 2.
  IntArray m23({11, 21, 12, 22, 13, 23}, {2, 3}), by({1, 2}, {2});
  std::vector<int> out(6);
  __TAVf90_cshift_aa(2, &m23.d, 1, &by.d, 2, out.data(), 4, 4);
  EXPECT_EQ(out, (std::vector<int>{12, 23, 13, 21, 11, 22}));
}

TEST(Construct, FatalErrors) {
  // Argument objects of construct_fatal.tsv.
  IntArray a({1, 2, 3, 4}, {4}), m({1, 1, 1, 0}, {4}), m5({1, 1, 1, 1, 1}, {5}), v1({9}, {1});
  IntArray a16(std::vector<std::int32_t>(16, 7), {16}), m16(std::vector<std::int32_t>(16, 1), {16});
  IntArray a23({1, 2, 3, 4, 5, 6}, {2, 3}), sh3({1, 2, 3}, {3}), sh2({1, 2}, {2});
  IntArray s5({5}, {1}), sneg({2, -1, 3}, {3}), s23({2, 3}, {2}), o1({1}, {1}), o11({1, 1}, {2}),
      o13({1, 3}, {2}), empty({}, {0});
  tav_cptr_desc c3 = {a.d.base, 3, 0, {{4, 3, 1}}}, c2 = {a.d.base, 2, 0, {{4, 2, 1}}};
  tav_cptr_desc c23 = {a23.d.base, 4, 0, {{2, 4, 1}, {3, 8, 1}}};
  tav_cptr_desc c16 = {a16.d.base, 4, 0, {{16, 4, 1}}}, c1 = {v1.d.base, 4, 0, {{1, 4, 1}}};
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
      {"dest", dest},  {"r", &r},       {"cr", &cr},     {"a16", &a16.d}, {"m16", &m16.d},
      {"c16", &c16},   {"c1", &c1}};
  EXPECT_EQ(tavtest::expect_fatal_table("array/data/construct_fatal.tsv", objects), 30);
}

}  // namespace
