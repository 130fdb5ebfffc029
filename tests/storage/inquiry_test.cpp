// LBOUND, UBOUND, SIZE and SHAPE from every descriptor form, and every DIM
// check with its message.
#include <gtest/gtest.h>

#include <cstdint>

#include "storage_support.h"
#include "tavf90.h"

namespace {

using storage_test::expect_fatal;

// A rank-3 array (2:4, 5:4, -1:0) of 4-byte elements, as a pointer
// descriptor, a character pointer descriptor and an info record.
struct Forms {
  tav_ptr_desc p{};
  tav_cptr_desc c{};
  tav_info info{};
  Forms() {
    const tav_dim dims[3] = {{3, 4, 2}, {0, 12, 5}, {2, 0, -1}};
    for (int k = 0; k < 3; ++k) p.dim[k] = c.dim[k] = info.dim[k] = dims[k];
    c.len = 4;
    info.rank = 3;
  }
};

TEST(Bounds, EveryFormAgrees) {
  Forms f;
  const int lower[3] = {2, 1, -1};
  const int upper[3] = {4, 0, 0};
  for (int k = 1; k <= 3; ++k) {
    SCOPED_TRACE(k);
    EXPECT_EQ(__TAVf90_lbound_ptr(3, &f.p, k), lower[k - 1]);
    EXPECT_EQ(__TAVf90_lbound_cptr(3, &f.c, k), lower[k - 1]);
    EXPECT_EQ(__TAVf90_lbound_info(f.info, k), lower[k - 1]);
    EXPECT_EQ(__TAVf90_ubound_ptr(3, &f.p, k), upper[k - 1]);
    EXPECT_EQ(__TAVf90_ubound_cptr(3, &f.c, k), upper[k - 1]);
    EXPECT_EQ(__TAVf90_ubound_info(f.info, k), upper[k - 1]);
  }
  // The assumed-size form answers for every dimension but the last.
  EXPECT_EQ(__TAVf90_ubound_ainfo(f.info, 1), 4);
  EXPECT_EQ(__TAVf90_ubound_ainfo(f.info, 2), 0);
  // The fixed forms return what they are given, even for an empty dimension.
  EXPECT_EQ(__TAVf90_lbound_fixed(2, 3, 2, 5, -1), 5);
  EXPECT_EQ(__TAVf90_ubound_fixed(2, 3, 4, 4, 0), 4);
  EXPECT_EQ(__TAVf90_ubound_fixed(3, 3, 4, 4, 0), 0);
  EXPECT_EQ(__TAVf90_ubound_afixed(1, 2, 7, 99), 7);
  EXPECT_EQ(__TAVf90_extent_fixed(3, 3, 3, 0, 2), 2);
}

TEST(Bounds, NegativeStrideSection) {
  // a(10:1:-1) seen through a pointer: bounds 1 and extent.
  tav_ptr_desc p{};
  p.dim[0] = tav_dim{10, -8, 1};
  EXPECT_EQ(__TAVf90_lbound_ptr(1, &p, 1), 1);
  EXPECT_EQ(__TAVf90_ubound_ptr(1, &p, 1), 10);
  EXPECT_EQ(__TAVf90_extent_ptr(1, &p, 1), 10);
}

TEST(Bounds, UpperBoundsWithoutDim) {
  Forms f;
  std::int32_t out[4] = {-9, -9, -9, -9};
  tav_vector result{};
  result.base = reinterpret_cast<char *>(out);
  __TAVf90_vubound_ptr(&result, 3, &f.p);
  EXPECT_EQ(out[0], 4);
  EXPECT_EQ(out[1], 0);
  EXPECT_EQ(out[2], 0);
  EXPECT_EQ(out[3], -9);
  out[0] = out[1] = -9;
  __TAVf90_vubound_cptr(&result, 1, &f.c);
  EXPECT_EQ(out[0], 4);
  EXPECT_EQ(out[1], -9);
  __TAVf90_vubound_info(&result, f.info);
  EXPECT_EQ(out[1], 0);
  EXPECT_EQ(out[3], -9);

  const intptr_t extents[7] = {3, 0, 5, 1, 1, 1, 1};
  __TAVf90_vubound_vector(&result, 3, extents);
  EXPECT_EQ(out[0], 3);
  EXPECT_EQ(out[1], 0);
  EXPECT_EQ(out[2], 5);
  EXPECT_EQ(out[3], -9);
  EXPECT_EQ(__TAVf90_ubound_vector(3, extents, 3), 5);
}

TEST(Size, EveryForm) {
  Forms f;
  f.p.dim[1].extent = f.c.dim[1].extent = f.info.dim[1].extent = 7;
  EXPECT_EQ(__TAVf90_size_ptr(3, &f.p), 42);
  EXPECT_EQ(__TAVf90_size_cptr(3, &f.c), 42);
  EXPECT_EQ(__TAVf90_size_info(f.info), 42);
  EXPECT_EQ(__TAVf90_size_ptr(2, &f.p), 21);
  EXPECT_EQ(__TAVf90_extent_ptr(3, &f.p, 2), 7);
  EXPECT_EQ(__TAVf90_extent_cptr(3, &f.c, 3), 2);
  EXPECT_EQ(__TAVf90_extent_info(f.info, 1), 3);

  tav_vector v{nullptr, {3, 4, 1, 1, 1, 1, 1}};
  EXPECT_EQ(__TAVf90_size_vector(v), 12);
  EXPECT_EQ(__TAVf90_vector_size(v.extent), 12);
  EXPECT_EQ(__TAVf90_extent_vector(v, 2), 4);
  EXPECT_EQ(__TAVf90_extent_vector(v, 5), 1);
  v.extent[6] = 0;
  EXPECT_EQ(__TAVf90_size_vector(v), 0);
  tav_cvector c{nullptr, 9, {2, 5, 3, 1, 1, 1, 1}};
  EXPECT_EQ(__TAVf90_size_cvector(c), 30);
  EXPECT_EQ(__TAVf90_extent_cvector(c, 3), 3);
  EXPECT_EQ(__TAVf90_extent_cvector(c, 7), 1);
}

TEST(Shape, DefaultAndEightByteResults) {
  tav_ptr_desc p{};
  p.dim[0] = tav_dim{2, 4, 1};
  p.dim[1] = tav_dim{3, 8, 0};
  tav_vector s = __TAVf90_shape_ptr_i4(2, &p);
  EXPECT_EQ(s.extent[0], 2);
  for (int k = 1; k < 7; ++k) EXPECT_EQ(s.extent[k], 1);
  const auto *wide = reinterpret_cast<const std::int64_t *>(s.base);
  EXPECT_EQ(wide[0], 2);
  EXPECT_EQ(wide[1], 3);
  __TAVf90_freevec_i4(s);

  tav_cptr_desc c{};
  c.len = 3;
  c.dim[0] = tav_dim{0, 3, 1};
  c.dim[1] = tav_dim{5, 0, 1};
  c.dim[2] = tav_dim{7, 0, 1};
  tav_vector t = __TAVf90_shape_cptr(3, &c);
  EXPECT_EQ(t.extent[0], 3);
  const auto *narrow = reinterpret_cast<const std::int32_t *>(t.base);
  EXPECT_EQ(narrow[0], 0);
  EXPECT_EQ(narrow[1], 5);
  EXPECT_EQ(narrow[2], 7);
  __TAVf90_freevec_i(t);
  tav_vector u = __TAVf90_shape_cptr_i4(1, &c);
  EXPECT_EQ(reinterpret_cast<const std::int64_t *>(u.base)[0], 0);
  __TAVf90_freevec_i4(u);
  tav_vector w = __TAVf90_shape_ptr(2, &p);
  EXPECT_EQ(reinterpret_cast<const std::int32_t *>(w.base)[1], 3);
  __TAVf90_freevec_i(w);
}

TEST(Describe, WrapsStorageWithoutCopying) {
  double data[6];
  tav_vector v = __TAVf90_vdescribe_d(data, 2, 2, 3);
  EXPECT_EQ(v.base, reinterpret_cast<char *>(data));
  EXPECT_EQ(v.extent[0], 2);
  EXPECT_EQ(v.extent[1], 3);
  for (int k = 2; k < 7; ++k) EXPECT_EQ(v.extent[k], 1);
  tav_vector w = __TAVf90_vdescribe_l2(data, 7, 1, 2, 3, 4, 5, 6, 0);
  EXPECT_EQ(w.extent[6], 0);
  EXPECT_EQ(w.extent[3], 4);
  tav_cvector c = __TAVf90_vdescribe_ch(data, 12, 1, 4);
  EXPECT_EQ(c.base, reinterpret_cast<char *>(data));
  EXPECT_EQ(c.len, 12);
  EXPECT_EQ(c.extent[0], 4);
  EXPECT_EQ(c.extent[1], 1);
}

TEST(DimChecks, BoundMessages) {
  Forms f;
  const tav_ptr_desc *p = &f.p;
  const tav_cptr_desc *c = &f.c;
  const tav_info info = f.info;
  expect_fatal([p] { __TAVf90_lbound_ptr(2, p, 0); }, "Out of range: DIM argument to LBOUND has value 0");
  expect_fatal([p] { __TAVf90_lbound_ptr(2, p, 3); },
               "Out of range: DIM argument (3) to LBOUND greater than array rank (2)");
  expect_fatal([c] { __TAVf90_lbound_cptr(3, c, -4); }, "Out of range: DIM argument to LBOUND has value -4");
  expect_fatal([info] { __TAVf90_lbound_info(info, 4); },
               "Out of range: DIM argument (4) to LBOUND greater than array rank (3)");
  expect_fatal([] { __TAVf90_lbound_fixed(5, 2, 1, 1); },
               "Out of range: DIM argument (5) to LBOUND greater than array rank (2)");
  expect_fatal([p] { __TAVf90_ubound_ptr(3, p, 0); }, "Out of range: DIM argument to UBOUND has value 0");
  expect_fatal([c] { __TAVf90_ubound_cptr(1, c, 2); },
               "Out of range: DIM argument (2) to UBOUND greater than array rank (1)");
  expect_fatal([info] { __TAVf90_ubound_info(info, 8); },
               "Out of range: DIM argument (8) to UBOUND greater than array rank (3)");
  expect_fatal([] { __TAVf90_ubound_fixed(-1, 2, 1, 1); }, "Out of range: DIM argument to UBOUND has value -1");
  expect_fatal([] { __TAVf90_ubound_vector(2, nullptr, 0); }, "Out of range: DIM argument to UBOUND has value 0");
  expect_fatal([] { __TAVf90_ubound_vector(2, nullptr, 3); },
               "Out of range: DIM argument (3) to UBOUND greater than array rank");
}

TEST(DimChecks, AssumedSizeLastDimension) {
  Forms f;
  const tav_info info = f.info;  // holds an extent in the last dimension
  expect_fatal([info] { __TAVf90_ubound_ainfo(info, 3); },
               "Out of range: UBOUND of assumed-size array with DIM==rank (3)");
  expect_fatal([info] { __TAVf90_ubound_ainfo(info, 4); },
               "Out of range: DIM argument (4) to UBOUND greater than array rank (3)");
  expect_fatal([info] { __TAVf90_ubound_ainfo(info, 0); }, "Out of range: DIM argument to UBOUND has value 0");
  expect_fatal([] { __TAVf90_ubound_afixed(2, 2, 5, 9); },
               "Out of range: UBOUND of assumed-size array with DIM==rank (2)");
  expect_fatal([] { __TAVf90_ubound_afixed(3, 2, 5, 9); },
               "Out of range: DIM argument (3) to UBOUND greater than array rank (2)");
}

TEST(DimChecks, SizeAndShapeMessages) {
  Forms f;
  const tav_ptr_desc *p = &f.p;
  const tav_cptr_desc *c = &f.c;
  const tav_info info = f.info;
  const tav_vector v{nullptr, {3, 4, 1, 1, 1, 1, 1}};
  const tav_cvector cv{nullptr, 1, {3, 4, 1, 1, 1, 1, 1}};
  expect_fatal([p] { __TAVf90_extent_ptr(3, p, 0); }, "DIM argument to SIZE out of range (value 0)");
  expect_fatal([c] { __TAVf90_extent_cptr(3, c, 4); }, "DIM argument to SIZE out of range (value 4)");
  expect_fatal([info] { __TAVf90_extent_info(info, 4); }, "DIM argument to SIZE out of range (value 4)");
  expect_fatal([v] { __TAVf90_extent_vector(v, 8); }, "DIM argument to SIZE out of range (value 8)");
  expect_fatal([cv] { __TAVf90_extent_cvector(cv, 0); }, "DIM argument to SIZE out of range (value 0)");
  expect_fatal([] { __TAVf90_extent_fixed(3, 2, 1, 1); }, "DIM argument to SIZE out of range (value 3)");
  const char *absent = "Argument to SHAPE intrinsic is not PRESENT";
  expect_fatal([] { __TAVf90_shape_ptr(1, nullptr); }, absent);
  expect_fatal([] { __TAVf90_shape_ptr_i4(1, nullptr); }, absent);
  expect_fatal([] { __TAVf90_shape_cptr(1, nullptr); }, absent);
  expect_fatal([] { __TAVf90_shape_cptr_i4(1, nullptr); }, absent);
}

}  // namespace
