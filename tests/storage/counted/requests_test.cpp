// What the ALLOCATE, DEALLOCATE and temporary entries ask of the storage
// primitives: families, byte counts, addresses, and what they do when a
// request is refused.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "primitives.h"
#include "support/child.h"
#include "tavf90.h"

namespace {

class Requests : public ::testing::Test {
 protected:
  void SetUp() override { counted::reset(); }
  void TearDown() override {
    EXPECT_TRUE(counted::mismatches().empty()) << counted::mismatches().front();
    counted::reset();
  }
};

// Runs body in a child and expects it to end through the fatal path with
// exactly `message`.
void expect_fatal(const std::function<void()> &body, const std::string &message) {
  auto r = tavtest::run(body);
  EXPECT_TRUE(r.aborted()) << r.describe();
  EXPECT_EQ(r.err, message + "\nProgram terminated by fatal error\n");
}

TEST_F(Requests, PointerArrayBoundsAndByteCount) {
  tav_ptr_desc d;
  std::memset(&d, 0x55, sizeof d);
  int stat = 0;
  __TAVf90_Allocate_a(&d, 4, 2, 2, 3, -1, 1, &stat);
  EXPECT_EQ(stat, 0);
  EXPECT_EQ(d.offset, 0);
  EXPECT_EQ(d.dim[0].lower, 2);
  EXPECT_EQ(d.dim[0].extent, 2);
  EXPECT_EQ(d.dim[0].stride, 4);
  EXPECT_EQ(d.dim[1].lower, -1);
  EXPECT_EQ(d.dim[1].extent, 3);
  EXPECT_EQ(d.dim[1].stride, 8);
  auto req = counted::calls_of("pAlloc");
  ASSERT_EQ(req.size(), 1u);
  EXPECT_EQ(req[0].bytes, 24u);
  EXPECT_EQ(d.base, req[0].address);

  __TAVf90_Deallocate_a(2, 4, &d, &stat);
  auto rel = counted::calls_of("pDeAlloc");
  ASSERT_EQ(rel.size(), 1u);
  EXPECT_EQ(rel[0].address, req[0].address);
  EXPECT_EQ(rel[0].bytes, 24u);
  EXPECT_EQ(rel[0].stat, &stat);
  EXPECT_EQ(d.base, nullptr);
  EXPECT_EQ(stat, 0);
}

TEST_F(Requests, ZeroFilledAndCharacterFamilies) {
  tav_ptr_desc d;
  __TAVf90_Allocate_za(&d, 8, 1, 1, 5, nullptr);
  tav_cptr_desc c;
  __TAVf90_Allocate_ca(&c, 7, 2, 1, 2, 1, 3, nullptr);
  EXPECT_EQ(c.len, 7);
  EXPECT_EQ(c.dim[1].stride, 14);
  EXPECT_EQ(c.offset, -21);
  auto z = counted::calls_of("zpAlloc");
  ASSERT_EQ(z.size(), 2u);
  EXPECT_EQ(z[0].bytes, 40u);
  EXPECT_EQ(z[1].bytes, 42u);
  EXPECT_TRUE(counted::calls_of("pAlloc").empty());
  for (int i = 0; i < 42; ++i) ASSERT_EQ(c.base[i], 0);
  __TAVf90_Deallocate_ca(2, &c, nullptr);
  __TAVf90_Deallocate_a(1, 8, &d, nullptr);
  EXPECT_EQ(counted::calls_of("pDeAlloc").back().bytes, 40u);
  EXPECT_EQ(counted::live_blocks(), 0u);

  // A negative length is an empty string: zero bytes per element.
  int stat = 0;
  __TAVf90_Allocate_ca(&c, -3, 1, 1, 4, &stat);
  EXPECT_EQ(stat, 0);
  EXPECT_EQ(c.len, 0);
  EXPECT_EQ(c.dim[0].stride, 0);
  EXPECT_EQ(counted::calls_of("zpAlloc").back().bytes, 0u);
  __TAVf90_Deallocate_ca(1, &c, &stat);
  EXPECT_EQ(counted::calls_of("pDeAlloc").back().bytes, 0u);
}

TEST_F(Requests, ZeroExtentStillAllocates) {
  tav_ptr_desc d;
  int stat = 0;
  __TAVf90_Allocate_a(&d, 4, 2, 1, 3, 5, 4, &stat);
  EXPECT_EQ(stat, 0);
  EXPECT_EQ(d.dim[1].extent, 0);
  ASSERT_EQ(counted::calls_of("pAlloc").size(), 1u);
  EXPECT_EQ(counted::calls_of("pAlloc")[0].bytes, 0u);
  EXPECT_NE(d.base, nullptr);
  __TAVf90_Deallocate_a(2, 4, &d, &stat);
  EXPECT_EQ(counted::calls_of("pDeAlloc")[0].bytes, 0u);
}

TEST_F(Requests, NegativeStrideReleasesLowestAddress) {
  void *block = __TAVf90_pAlloc(40);
  tav_ptr_desc d;
  d.base = static_cast<char *>(block) + 36;  // element 1 is the last in memory
  d.offset = 0;
  d.dim[0] = tav_dim{10, -4, 1};
  __TAVf90_Deallocate_a(1, 4, &d, nullptr);
  auto rel = counted::calls_of("pDeAlloc");
  ASSERT_EQ(rel.size(), 1u);
  EXPECT_EQ(rel[0].address, block);
  EXPECT_EQ(rel[0].bytes, 40u);
  EXPECT_EQ(d.base, nullptr);

  // A rank-2 section running down the second dimension only.
  block = __TAVf90_pAlloc(6 * 8);
  d.base = static_cast<char *>(block) + 2 * 16;
  d.dim[0] = tav_dim{2, 8, 1};
  d.dim[1] = tav_dim{3, -16, 1};
  __TAVf90_Deallocate_a(2, 8, &d, nullptr);
  EXPECT_EQ(counted::calls_of("pDeAlloc").back().address, block);
}

TEST_F(Requests, StatChainOfOneStatement) {
  // ALLOCATE(a(10), b(10), STAT=s) where a's request is refused.
  tav_ptr_desc a, b;
  char former;
  b.base = &former;
  int stat = 0;
  counted::fail_after(0);
  __TAVf90_Allocate_a(&a, 4, 1, 1, 10, &stat);
  EXPECT_EQ(stat, 1);
  EXPECT_EQ(a.base, nullptr);
  __TAVf90_Allocate_a(&b, 4, 1, 1, 10, &stat);
  EXPECT_EQ(stat, 1);
  EXPECT_EQ(b.base, &former) << "a skipped ALLOCATE leaves the base alone";
  EXPECT_EQ(b.dim[0].extent, 10) << "the bounds are filled all the same";
  EXPECT_EQ(counted::calls_of("pAlloc").size(), 1u);

  // The other entries of the statement answer without asking either.
  EXPECT_EQ(__TAVf90_Allocate_s(4, &stat), nullptr);
  EXPECT_EQ(__TAVf90_Allocate_zs(4, &stat), nullptr);
  tav_info info = __TAVf90_make_info(1, 1, 10);
  EXPECT_EQ(__TAVf90_Allocate_i(info, 4, &stat), static_cast<void *>(TAV_UNDEFINED_POINTER));
  EXPECT_EQ(__TAVf90_Allocate_zi(info, 4, &stat), static_cast<void *>(TAV_UNDEFINED_POINTER));
  EXPECT_EQ(__TAVf90_Allocate_aa(40, &stat), static_cast<void *>(TAV_UNDEFINED_POINTER));
  tav_cptr_desc c;
  c.base = &former;
  __TAVf90_Allocate_ca(&c, 3, 1, 1, 2, &stat);
  EXPECT_EQ(c.base, &former);
  EXPECT_EQ(counted::calls().size(), 1u);
  EXPECT_EQ(stat, 1);
}

TEST_F(Requests, RefusedRequestsWithStat) {
  int stat = 0;
  counted::fail_after(0, true);
  EXPECT_EQ(__TAVf90_Allocate_s(8, &stat), nullptr);
  EXPECT_EQ(stat, 1);
  stat = 0;
  EXPECT_EQ(__TAVf90_Allocate_i(__TAVf90_make_info(1, 1, 3), 8, &stat), nullptr);
  EXPECT_EQ(stat, 1);
  stat = 0;
  EXPECT_EQ(__TAVf90_Allocate_aa(12, &stat), nullptr);
  EXPECT_EQ(stat, 1);
  stat = 0;
  tav_cptr_desc c;
  __TAVf90_Allocate_ca(&c, 3, 1, 1, 2, &stat);
  EXPECT_EQ(stat, 1);
  EXPECT_EQ(c.base, nullptr);
}

TEST_F(Requests, SizesBeyondAnObjectAreRefusedWithoutAsking) {
  int stat = 0;
  tav_ptr_desc d;
  d.base = nullptr;
  __TAVf90_Allocate_a(&d, 8, 2, 1, 100000, 1, 100000, &stat);
  EXPECT_EQ(stat, 1);
  EXPECT_EQ(d.base, nullptr);
  stat = 0;
  __TAVf90_Allocate_a(&d, 1, 1, 0, INT_MAX, &stat);  // 2**31 elements
  EXPECT_EQ(stat, 1);
  stat = 0;
  EXPECT_EQ(__TAVf90_Allocate_i(__TAVf90_make_info(2, 1, 65536, 1, 65536), 4, &stat), nullptr);
  EXPECT_EQ(stat, 1);
  stat = 0;
  EXPECT_EQ(__TAVf90_Allocate_s(-4, &stat), nullptr);
  EXPECT_EQ(stat, 1);
  EXPECT_TRUE(counted::calls().empty());

  // Huge extents before a zero extent still make an empty array.
  stat = 0;
  __TAVf90_Allocate_a(&d, 8, 3, 1, 100000, 1, 100000, 1, 0, &stat);
  EXPECT_EQ(stat, 0);
  EXPECT_EQ(counted::calls_of("pAlloc").at(0).bytes, 0u);
  __TAVf90_Deallocate_a(3, 8, &d, &stat);
}

TEST_F(Requests, UndefinedPointerNeverReachesThePrimitive) {
  tav_ptr_desc d;
  d.base = TAV_UNDEFINED_POINTER;
  d.dim[0] = tav_dim{10, -4, 1};
  int stat = 0;
  __TAVf90_Deallocate_a(1, 4, &d, &stat);
  EXPECT_NE(stat, 0);
  EXPECT_EQ(d.base, TAV_UNDEFINED_POINTER);
  tav_cptr_desc c;
  c.base = TAV_UNDEFINED_POINTER;
  c.len = 5;
  c.dim[0] = tav_dim{2, 5, 1};
  stat = 0;
  __TAVf90_Deallocate_ca(1, &c, &stat);
  EXPECT_NE(stat, 0);
  EXPECT_EQ(c.base, TAV_UNDEFINED_POINTER);
  stat = 0;
  __TAVf90_Deallocate_s(TAV_UNDEFINED_POINTER, 4, &stat);
  EXPECT_NE(stat, 0);
  EXPECT_TRUE(counted::calls().empty());

  expect_fatal([] {
    tav_ptr_desc u;
    u.base = TAV_UNDEFINED_POINTER;
    u.dim[0] = tav_dim{1, 4, 1};
    __TAVf90_Deallocate_a(1, 4, &u, nullptr);
  }, "DEALLOCATE: POINTER has never been associated");
  expect_fatal([] { __TAVf90_Deallocate_s(TAV_UNDEFINED_POINTER, 4, nullptr); },
               "DEALLOCATE: POINTER has never been associated");
}

TEST_F(Requests, AllocatableFamily) {
  tav_info info = __TAVf90_make_info(2, 0, 2, 1, 4);  // 3 x 4
  int stat = 0;
  void *p = __TAVf90_Allocate_zi(info, 8, &stat);
  EXPECT_EQ(stat, 0);
  ASSERT_EQ(counted::calls_of("zaAlloc").size(), 1u);
  EXPECT_EQ(counted::calls_of("zaAlloc")[0].bytes, 96u);
  __TAVf90_Deallocate_i(p, info, 8, &stat);
  ASSERT_EQ(counted::calls_of("oaDeAlloc").size(), 1u);
  EXPECT_EQ(counted::calls_of("oaDeAlloc")[0].bytes, 96u);

  p = __TAVf90_Allocate_aa(96, &stat);
  EXPECT_EQ(counted::calls_of("aAlloc").at(0).bytes, 96u);
  __TAVf90_Deallocate_aa(p, info.dim, 2, 8, &stat);
  EXPECT_EQ(counted::calls_of("aDeAlloc").at(0).bytes, 96u);
  EXPECT_EQ(counted::calls_of("aDeAlloc").at(0).address, p);
  EXPECT_EQ(stat, 0);
  EXPECT_EQ(counted::live_blocks(), 0u);
}

TEST_F(Requests, AutomaticAndLocalStorage) {
  tav_info info = __TAVf90_make_info(1, -2, 2);
  void *a = __TAVf90_Alloc_i(info, 4);
  void *z = __TAVf90_Alloc_zi(info, 2);
  void *s = __TAVf90_Alloc_zs(6);
  EXPECT_EQ(counted::calls_of("oAlloc").at(0).bytes, 20u);
  EXPECT_EQ(counted::calls_of("zoAlloc").at(0).bytes, 10u);
  EXPECT_EQ(counted::calls_of("zoAlloc").at(1).bytes, 6u);
  __TAVf90_DeAlloc(a, 20);
  __TAVf90_DeAlloc(z, 10);
  __TAVf90_DeAlloc(s, 6);
  EXPECT_EQ(counted::live_blocks(), 0u);

  // A refused zero-byte local is no error; the null comes back.
  counted::fail_after(0);
  EXPECT_EQ(__TAVf90_Alloc_s(0), nullptr);
  __TAVf90_DeAlloc(nullptr, 0);
  EXPECT_EQ(counted::calls_of("oDeAlloc").size(), 3u);
}

TEST_F(Requests, OutOfMemoryMessages) {
  counted::fail_after(0, true);
  expect_fatal([] {
    tav_ptr_desc d;
    __TAVf90_Allocate_a(&d, 4, 1, 1, 4, nullptr);
  }, "Cannot allocate POINTER array - out of memory");
  expect_fatal([] {
    tav_cptr_desc d;
    __TAVf90_Allocate_ca(&d, 4, 1, 1, 4, nullptr);
  }, "Cannot allocate POINTER array - out of memory");
  expect_fatal([] { __TAVf90_Allocate_zs(4, nullptr); }, "Cannot ALLOCATE scalar POINTER - out of memory");
  expect_fatal([] { __TAVf90_Allocate_i(__TAVf90_make_info(1, 1, 4), 4, nullptr); },
               "Cannot ALLOCATE ALLOCATABLE array - out of memory");
  expect_fatal([] { __TAVf90_Allocate_aa(16, nullptr); }, "Cannot ALLOCATE ALLOCATABLE array - out of memory");
  // Automatic arrays fail even when empty.
  expect_fatal([] { __TAVf90_Alloc_zi(__TAVf90_make_info(1, 1, 0), 4); },
               "Cannot get storage for automatic array - out of memory");
  expect_fatal([] { __TAVf90_Alloc_s(4); }, "Cannot get storage for variable - out of memory");
  expect_fatal([] { __TAVf90_mkatmp_d(1, 0); }, "Cannot allocate array temporary - out of memory");
  expect_fatal([] { __TAVf90_mkatmp_ch(1, 3, 2); }, "Cannot allocate array temporary - out of memory");
  // The library's own working storage: a list node.
  expect_fatal([] {
    tav_atmplist list = __TAVf90_atmplist_create();
    tav_vector v{};
    __TAVf90_atmplist_append(&list, &v);
  }, "Out of memory");
  // A temporary too large to exist is refused the same way.
  counted::reset();
  expect_fatal([] { __TAVf90_mkatmp_dc(3, 2000, 2000, 2000); }, "Cannot allocate array temporary - out of memory");
}

TEST_F(Requests, TemporariesGoThroughTheWorkingFamily) {
  tav_vector v = __TAVf90_mkatmp_i(2, 3, 0);
  ASSERT_EQ(counted::calls_of("zoAlloc").size(), 1u);
  EXPECT_EQ(counted::calls_of("zoAlloc")[0].bytes, 0u);
  EXPECT_NE(v.base, nullptr);
  __TAVf90_freevec_i(v);

  tav_vector w = __TAVf90_mkatmp_dc(2, 3, 2);
  EXPECT_EQ(counted::calls_of("zoAlloc")[1].bytes, 96u);
  __TAVf90_freevec_dc(w);
  EXPECT_EQ(counted::calls_of("oDeAlloc").back().bytes, 96u);

  // CHARACTER temporaries: length after the extents, storage not cleared.
  tav_cvector c = __TAVf90_mkatmp_ch(2, 4, 5, 3);
  EXPECT_EQ(c.len, 3);
  EXPECT_EQ(c.extent[0], 4);
  EXPECT_EQ(c.extent[1], 5);
  EXPECT_EQ(c.extent[2], 1);
  ASSERT_EQ(counted::calls_of("oAlloc").size(), 1u);
  EXPECT_EQ(counted::calls_of("oAlloc")[0].bytes, 60u);
  __TAVf90_freevec_ch(c);
  EXPECT_EQ(counted::calls_of("oDeAlloc").back().bytes, 60u);

  // List nodes come from the working family and go back with their size.
  tav_atmplist list = __TAVf90_atmplist_create();
  tav_vector t = __TAVf90_mkatmp_l1(1, 2);
  __TAVf90_atmplist_append(&list, &t);
  tav_vector out;
  __TAVf90_atmplist_step(&list, &out);
  __TAVf90_freevec_l1(out);
  EXPECT_EQ(counted::live_blocks(), 0u);
}

TEST_F(Requests, ElementSizeOfEveryTemporaryType) {
  struct Member {
    const char *name;
    tav_vector (*make)(int, ...);
    void (*free)(tav_vector);
    std::size_t size;
  };
  const Member members[] = {
      {"i1", __TAVf90_mkatmp_i1, __TAVf90_freevec_i1, 1}, {"i2", __TAVf90_mkatmp_i2, __TAVf90_freevec_i2, 2},
      {"i", __TAVf90_mkatmp_i, __TAVf90_freevec_i, 4},    {"i4", __TAVf90_mkatmp_i4, __TAVf90_freevec_i4, 8},
      {"r", __TAVf90_mkatmp_r, __TAVf90_freevec_r, 4},    {"d", __TAVf90_mkatmp_d, __TAVf90_freevec_d, 8},
      {"c", __TAVf90_mkatmp_c, __TAVf90_freevec_c, 8},    {"dc", __TAVf90_mkatmp_dc, __TAVf90_freevec_dc, 16},
      {"l", __TAVf90_mkatmp_l, __TAVf90_freevec_l, 4},    {"l1", __TAVf90_mkatmp_l1, __TAVf90_freevec_l1, 1},
      {"l2", __TAVf90_mkatmp_l2, __TAVf90_freevec_l2, 2}, {"l4", __TAVf90_mkatmp_l4, __TAVf90_freevec_l4, 8},
  };
  for (const Member &m : members) {
    SCOPED_TRACE(m.name);
    counted::reset();
    tav_vector v = m.make(2, 5, 3);
    m.free(v);
    ASSERT_EQ(counted::calls().size(), 2u);
    EXPECT_EQ(counted::calls()[0].entry, "zoAlloc");
    EXPECT_EQ(counted::calls()[0].bytes, 15 * m.size);
    EXPECT_EQ(counted::calls()[1].bytes, 15 * m.size);
  }
}

}  // namespace
