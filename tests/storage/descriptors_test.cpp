// LBOUND, UBOUND, SIZE and SHAPE from every descriptor form, ASSOCIATED,
// the list of array temporaries, and every fatal message of the storage
// entries.
#include <array>

#include "support/common.h"

namespace {

using tavtest::expect_fatal;

// A rank-3 array (2:4, 7 elements from 5, -1:0) of 4-byte elements, as a
// pointer descriptor, a character pointer descriptor and an info record;
// dimension 2 is emptied for the bounds.
struct Forms {
  tav_ptr_desc p{};
  tav_cptr_desc c{};
  tav_info info{};
  explicit Forms(intptr_t extent2) {
    const tav_dim dims[3] = {{3, 4, 2}, {extent2, 12, 5}, {2, 0, -1}};
    for (int k = 0; k < 3; ++k) p.dim[k] = c.dim[k] = info.dim[k] = dims[k];
    c.len = 4;
    info.rank = 3;
  }
};
const Forms kForms(0);

// n integers of width T, blank-separated.
template <typename T, typename P>
std::string ints(const P *base, int n) {
  std::string s;
  for (int i = 0; i < n; ++i) s += (i ? " " : "") + std::to_string(reinterpret_cast<const T *>(base)[i]);
  return s;
}

TEST(Bounds, EveryForm) {
  const Forms &f = kForms;
  std::string seen;
  for (int k = 1; k <= 3; ++k)
    seen += ints<int>(std::array{__TAVf90_lbound_ptr(3, &f.p, k), __TAVf90_lbound_cptr(3, &f.c, k),
                                 __TAVf90_lbound_info(f.info, k), __TAVf90_ubound_ptr(3, &f.p, k),
                                 __TAVf90_ubound_cptr(3, &f.c, k), __TAVf90_ubound_info(f.info, k)}.data(), 6) + "|";
  // An empty dimension has bounds 1 and 0.
  EXPECT_EQ(seen, "2 2 2 4 4 4|1 1 1 0 0 0|-1 -1 -1 0 0 0|");
  // The assumed-size form answers for every dimension but the last; the
  // fixed forms return what they are given, even for an empty dimension.
  EXPECT_EQ(ints<int>(std::array{__TAVf90_ubound_ainfo(f.info, 1), __TAVf90_lbound_fixed(2, 3, 2, 5, -1),
                                 __TAVf90_ubound_fixed(3, 3, 4, 4, 0), __TAVf90_ubound_afixed(1, 2, 7, 99),
                                 __TAVf90_extent_fixed(3, 3, 3, 0, 2)}.data(), 5),
            "4 5 0 7 2");
  // Without DIM, each fills exactly `rank` elements of the result.
  std::int32_t out[4];
  tav_vector result{reinterpret_cast<char *>(out), {}};
  auto fill = [&](auto call) {
    std::fill(std::begin(out), std::end(out), -9);
    call();
    return ints<std::int32_t>(out, 4);
  };
  EXPECT_EQ(fill([&] { __TAVf90_vubound_ptr(&result, 3, &f.p); }), "4 0 0 -9");
  EXPECT_EQ(fill([&] { __TAVf90_vubound_cptr(&result, 1, &f.c); }), "4 -9 -9 -9");
  EXPECT_EQ(fill([&] { __TAVf90_vubound_info(&result, f.info); }), "4 0 0 -9");
  const intptr_t extents[7] = {3, -2, 5, 1, 1, 1, 1};  // a negative extent is empty
  EXPECT_EQ(fill([&] { __TAVf90_vubound_vector(&result, 3, extents); }), "3 0 5 -9");
  EXPECT_EQ(__TAVf90_ubound_vector(3, extents, 3), 5);
}

TEST(Size, EveryForm) {
  Forms f(7);
  EXPECT_EQ(ints<int>(std::array{__TAVf90_size_ptr(3, &f.p), __TAVf90_size_cptr(3, &f.c), __TAVf90_size_info(f.info),
                                 __TAVf90_size_ptr(2, &f.p), __TAVf90_extent_ptr(3, &f.p, 2),
                                 __TAVf90_extent_cptr(3, &f.c, 3), __TAVf90_extent_info(f.info, 1)}.data(), 7),
            "42 42 42 21 7 2 3");
  tav_vector v{nullptr, {3, 4, 1, 1, 1, 1, 5}};
  tav_cvector c{nullptr, 9, {2, 5, 3, 1, 1, 1, 0}};
  EXPECT_EQ(ints<int>(std::array{__TAVf90_extent_vector(v, 2), __TAVf90_size_vector(v),
                                 __TAVf90_vector_size(v.extent), __TAVf90_size_cvector(c),
                                 __TAVf90_extent_cvector(c, 3)}.data(), 5),
            "4 60 60 0 3");
}

TEST(Shape, DefaultAndEightByteResultsAndDescribe) {
  tav_vector s = __TAVf90_shape_ptr_i4(3, &kForms.p);
  EXPECT_EQ(ints<intptr_t>(s.extent, 7) + " " + ints<std::int64_t>(s.base, 3), "3 1 1 1 1 1 1 3 0 2");
  __TAVf90_freevec_i4(s);
  tav_vector t = __TAVf90_shape_cptr(3, &kForms.c);
  EXPECT_EQ(ints<std::int32_t>(t.base, 3), "3 0 2");
  __TAVf90_freevec_i(t);
  // Describing storage wraps it without copying.
  double data[6];
  tav_vector v = __TAVf90_vdescribe_d(data, 2, 2, 3);
  EXPECT_EQ(v.base, reinterpret_cast<char *>(data));
  EXPECT_EQ(ints<intptr_t>(v.extent, 7), "2 3 1 1 1 1 1");
  EXPECT_EQ(ints<intptr_t>(__TAVf90_vdescribe_l2(data, 7, 1, 2, 3, 4, 5, 6, 0).extent, 7), "1 2 3 4 5 6 0");
}

// The entries that take the info record by value; the others' DIM checks are
// in data/fatal.tsv.
TEST(DimChecks, InfoRecordForms) {
  expect_fatal([] { __TAVf90_lbound_info(kForms.info, 4); },
               "Out of range: DIM argument (4) to LBOUND greater than array rank (3)");
  // Assumed size: the info record holds an extent in the last dimension.
  expect_fatal([] { __TAVf90_ubound_ainfo(kForms.info, 3); },
               "Out of range: UBOUND of assumed-size array with DIM==rank (3)");
  expect_fatal([] { __TAVf90_extent_info(kForms.info, 4); }, "DIM argument to SIZE out of range (value 4)");
}

// Array and scalar pointers: the cases of data/associated.tsv.
TEST(Associated, ArrayCharacterAndScalarPointers) {
  char block[64];
  auto desc = [&block](const std::string &text) {
    std::istringstream in(text);
    std::string base;
    tav_cptr_desc d{};
    in >> base >> d.len >> d.dim[0].extent >> d.dim[0].stride >> d.dim[1].extent >> d.dim[1].stride;
    d.base = base == "null" ? nullptr : block + std::stoi(base);
    return d;
  };
  for (const auto &row : tavtest::table("storage/data/associated.tsv", 4)) {
    tav_cptr_desc p = desc(row[1]), t = desc(row[2]);
    tav_ptr_desc pp{p.base, 0, {p.dim[0], p.dim[1]}}, tp{t.base, 0, {t.dim[0], t.dim[1]}};
    const std::string &e = row[0];
    int got = e == "aa"      ? __TAVf90_assoc_aa(2, &pp, 0, &tp)
              : e == "ch_aa" ? __TAVf90_assoc_ch_aa(1, &p, 0, &t)
              : e == "ss"    ? __TAVf90_assoc_ss(p.base, t.base)
                             : __TAVf90_assoc_ch_ss(p.base, t.base, p.len, t.len);
    EXPECT_EQ(got, std::stoi(row[3])) << e << " " << row[1] << " / " << row[2];
  }
}

TEST(AtmpList, FirstInFirstOut) {
  // Each temporary is told apart by its extent; the list holds copies.
  tav_atmplist list = __TAVf90_atmplist_create();
  tav_vector t[4], out;
  for (int i = 0; i < 4; ++i) t[i] = __TAVf90_mkatmp_i(1, i + 1);
  EXPECT_EQ(__TAVf90_atmplist_append(&list, &t[0]), list.first);
  for (int i = 1; i < 3; ++i) __TAVf90_atmplist_append(&list, &t[i]);
  t[0].extent[0] = 99;
  std::string seen;
  auto take = [&](int n) {  // element n; n < 0 steps (takes the first off)
    n < 0 ? __TAVf90_atmplist_step(&list, &out) : __TAVf90_atmplist_elt(list, &out, n);
    seen += std::to_string(out.extent[0]);
    if (n < 0) __TAVf90_freevec_i(out);
  };
  take(2), take(0), take(-1), take(0), take(-1);
  __TAVf90_atmplist_append(&list, &t[3]);
  take(-1), take(-1);
  EXPECT_EQ(seen, "3112234");
  EXPECT_EQ(list.first, nullptr);
  __TAVf90_atmplist_finish(list);
  // CHARACTER nodes keep their length.
  tav_cvector ca = __TAVf90_mkatmp_ch(1, 2, 3), cout;
  __TAVf90_atmplist_append_ch(&list, &ca);
  __TAVf90_atmplist_step_ch(&list, &cout);
  EXPECT_TRUE(cout.base == ca.base && cout.len == 3);
  __TAVf90_freevec_ch(cout);
}

// The fatal paths of data/fatal.tsv.  Its objects: empty descriptors, never
// associated ones, a list holding one temporary ("held", passed by value)
// and an empty one.
TEST(Storage, FatalPaths) {
  tav_ptr_desc p{}, undef_p{TAV_UNDEFINED_POINTER, 0, {{1, 4, 1}}};
  tav_cptr_desc c{}, undef_c{TAV_UNDEFINED_POINTER, 0, 0, {{1, 4, 1}}};
  tav_atmplist held = __TAVf90_atmplist_create(), empty = __TAVf90_atmplist_create();
  tav_vector v{}, r;
  __TAVf90_atmplist_append(&held, &v);
  EXPECT_EQ(tavtest::expect_fatal_table("storage/data/fatal.tsv",
                                        {{"p", &p}, {"c", &c}, {"undef_p", &undef_p}, {"undef_c", &undef_c},
                                         {"held", held.first}, {"empty", &empty}, {"r", &r}}),
            24);
  __TAVf90_atmplist_step(&held, &r);
}

}  // namespace
