// What the ALLOCATE, DEALLOCATE and temporary entries ask of the storage
// primitives (primitives.cpp): families, byte counts, STAT values, and what
// they do when a request is refused; the descriptors made without storage.
#include <climits>
#include <dlfcn.h>
#include <utility>

#include "support/common.h"
#include "primitives.h"

namespace {

using tavtest::expect_fatal;

// The first `rank` dimensions as "lower:extent:stride ...".
std::string dims(const tav_dim *dim, int rank) {
  std::string s;
  for (int i = 0; i < rank; ++i)
    s += (i ? " " : "") + std::to_string(dim[i].lower) + ":" + std::to_string(dim[i].extent) + ":" +
         std::to_string(dim[i].stride);
  return s;
}

// Every release must match a live block of its family and size.
class Requests : public ::testing::Test {
 protected:
  void SetUp() override { counted::reset(); }
  void TearDown() override {
    EXPECT_TRUE(counted::mismatches().empty()) << counted::mismatches().front();
    counted::reset();
  }
};

// The primitive calls so far, e.g. "pAlloc 24, pDeAlloc 24".
std::string log() {
  std::string s;
  for (const counted::Call &c : counted::calls()) s += (s.empty() ? "" : ", ") + c.entry + " " + std::to_string(c.bytes);
  return s;
}

TEST_F(Requests, PointerArrays) {
  tav_ptr_desc d;
  std::memset(&d, 0x55, sizeof d);
  int stat = 0;
  __TAVf90_Allocate_a(&d, 4, 2, 2, 3, -1, 1, &stat);
  EXPECT_EQ(std::to_string(stat) + " " + std::to_string(d.offset) + " " + dims(d.dim, 2), "0 0 2:2:4 -1:3:8");
  __TAVf90_Deallocate_a(2, 4, &d, &stat);
  EXPECT_TRUE(counted::calls().at(1).stat == &stat && d.base == nullptr && stat == 0);
  // Zero-filled and CHARACTER arrays (bounds 3:3 are one element); a
  // negative length is an empty string.
  __TAVf90_Allocate_za(&d, 8, 1, 3, 3, nullptr);
  tav_cptr_desc c;
  __TAVf90_Allocate_ca(&c, 7, 2, 1, 2, 1, 3, nullptr);
  EXPECT_TRUE(c.len == 7 && c.dim[1].stride == 14 && c.offset == -21);
  __TAVf90_Deallocate_ca(2, &c, nullptr);
  __TAVf90_Deallocate_a(1, 8, &d, nullptr);
  __TAVf90_Allocate_ca(&c, -3, 1, 1, 4, &stat);
  __TAVf90_Deallocate_ca(1, &c, &stat);
  // A section running down its second dimension only: the block starts at
  // the last element along it.
  d = tav_ptr_desc{static_cast<char *>(__TAVf90_pAlloc(6 * 8)) + 2 * 16, 0, {{2, 8, 1}, {3, -16, 1}}};
  __TAVf90_Deallocate_a(2, 8, &d, nullptr);
  // An empty one running downwards starts where its block does.
  __TAVf90_Allocate_a(&d, 4, 1, 1, 0, nullptr);
  d.dim[0].stride = -4;
  __TAVf90_Deallocate_a(1, 4, &d, nullptr);
  EXPECT_EQ(log(), "pAlloc 24, pDeAlloc 24, zpAlloc 8, zpAlloc 42, pDeAlloc 42, pDeAlloc 8, "
                   "zpAlloc 0, pDeAlloc 0, pAlloc 48, pDeAlloc 48, pAlloc 0, pDeAlloc 0");
}

TEST_F(Requests, StatChainOfOneStatement) {
  // ALLOCATE(a(10), b(10), STAT=s) where a's request is refused.
  char former;
  tav_ptr_desc a, b{&former, 0, {}};
  int stat = 0;
  counted::fail_after(0);
  __TAVf90_Allocate_a(&a, 4, 1, 1, 10, &stat);
  EXPECT_TRUE(stat == 1 && a.base == nullptr);
  __TAVf90_Allocate_a(&b, 4, 1, 1, 10, &stat);
  // A skipped ALLOCATE leaves the base alone but fills the bounds; the other
  // entries of the statement answer without asking either.
  EXPECT_TRUE(b.base == &former && b.dim[0].extent == 10);
  EXPECT_EQ(__TAVf90_Allocate_s(4, &stat), nullptr);
  EXPECT_EQ(__TAVf90_Allocate_i(__TAVf90_make_info(1, 1, 10), 4, &stat), TAV_UNDEFINED_POINTER);
  EXPECT_EQ(__TAVf90_Allocate_aa(40, &stat), TAV_UNDEFINED_POINTER);
  tav_cptr_desc c{&former, 0, 0, {}};
  __TAVf90_Allocate_ca(&c, 3, 1, 1, 2, &stat);
  EXPECT_EQ(c.base, &former);
  // DEALLOCATE after an earlier failure: the scalar and ALLOCATABLE forms
  // do nothing; POINTER arrays are released regardless.
  void *s = __TAVf90_Allocate_s(4, nullptr);
  const tav_info info = __TAVf90_make_info(1, 1, 4);
  void *i = __TAVf90_Allocate_i(info, 4, nullptr);
  __TAVf90_Allocate_a(&a, 4, 1, 1, 2, nullptr);
  __TAVf90_Deallocate_s(s, 4, &stat);
  __TAVf90_Deallocate_i(i, info, 4, &stat);
  __TAVf90_Deallocate_aa(i, info.dim, 1, 4, &stat);
  __TAVf90_Deallocate_a(1, 4, &a, &stat);
  EXPECT_EQ(log(), "pAlloc 40, pAlloc 4, aAlloc 16, pAlloc 8, pDeAlloc 8");
  EXPECT_EQ(stat, 1);
  __TAVf90_Deallocate_s(s, 4, nullptr);
  __TAVf90_Deallocate_i(i, info, 4, nullptr);
}

TEST_F(Requests, RefusedAndImpossibleRequestsWithStat) {
  tav_ptr_desc d;
  int stat = 0;
  auto refused = [&stat](bool null_result) { return std::exchange(stat, 0) == 1 && null_result; };
  // Sizes beyond an object are refused without asking.
  __TAVf90_Allocate_a(&d, 8, 2, 1, 100000, 1, 100000, &stat);
  EXPECT_TRUE(refused(d.base == nullptr));
  __TAVf90_Allocate_a(&d, 1, 2, 0, INT_MAX, 1, 0, &stat);  // an extent of 2**31, even when empty
  EXPECT_TRUE(refused(true));
  EXPECT_TRUE(refused(__TAVf90_Allocate_i(__TAVf90_make_info(2, 1, 65536, 1, 65536), 4, &stat) == nullptr));
  EXPECT_TRUE(refused(__TAVf90_Allocate_s(-4, &stat) == nullptr));
  EXPECT_EQ(log(), "");
  // Huge extents before a zero extent still make an empty array, which is
  // allocated: the base is not null.
  __TAVf90_Allocate_a(&d, 8, 3, 1, 100000, 1, 100000, 1, 0, &stat);
  __TAVf90_Deallocate_a(3, 8, &d, &stat);
  EXPECT_EQ(log(), "pAlloc 0, pDeAlloc 0");
  // Requests the system refuses.
  counted::fail_after(0, true);
  EXPECT_TRUE(refused(__TAVf90_Allocate_s(8, &stat) == nullptr));
  EXPECT_TRUE(refused(__TAVf90_Allocate_aa(12, &stat) == nullptr));
}

// DEALLOCATE of what is not allocated sets STAT= (1, or 2 for scalars) and
// leaves the object alone; nothing reaches the primitives.  The address a
// skipped ALLOCATE gave back is no allocation either.  Without STAT= these
// are fatal: data/fatal.tsv.
TEST_F(Requests, UnallocatedAndUndefinedObjects) {
  tav_ptr_desc d{}, undefined{TAV_UNDEFINED_POINTER, 0, {}};
  tav_cptr_desc c{};
  const tav_info info = __TAVf90_make_info(1, 1, 3);
  int s[8] = {};
  __TAVf90_Deallocate_a(1, 4, &d, &s[0]);
  __TAVf90_Deallocate_ca(1, &c, &s[1]);
  __TAVf90_Deallocate_s(nullptr, 4, &s[2]);
  __TAVf90_Deallocate_i(nullptr, info, 4, &s[3]);
  __TAVf90_Deallocate_aa(nullptr, info.dim, 1, 4, &s[4]);
  __TAVf90_Deallocate_aa(TAV_UNDEFINED_POINTER, info.dim, 1, 4, &s[5]);
  __TAVf90_Deallocate_a(1, 4, &undefined, &s[6]);
  __TAVf90_Deallocate_s(TAV_UNDEFINED_POINTER, 4, &s[7]);
  EXPECT_EQ(std::vector<int>(s, s + 8), (std::vector<int>{1, 1, 2, 1, 1, 1, 1, 2}));
  EXPECT_EQ(undefined.base, TAV_UNDEFINED_POINTER);
  EXPECT_EQ(log(), "");
}

TEST_F(Requests, AllocatableAutomaticAndLocalFamilies) {
  tav_info info = __TAVf90_make_info(2, 0, 2, 1, 4);  // 3 x 4
  int stat = 0;
  __TAVf90_Deallocate_i(__TAVf90_Allocate_zi(info, 8, &stat), info, 8, &stat);
  __TAVf90_Deallocate_aa(__TAVf90_Allocate_aa(96, &stat), info.dim, 2, 8, &stat);
  info = __TAVf90_make_info(1, -2, 2);
  __TAVf90_Deallocate_aa(__TAVf90_Allocate_aa(40, &stat), info.dim, 1, 8, &stat);
  void *a = __TAVf90_Alloc_i(info, 4);
  void *z = __TAVf90_Alloc_zi(info, 2);
  void *s = __TAVf90_Alloc_zs(6);
  __TAVf90_DeAlloc(a, 20);
  __TAVf90_DeAlloc(z, 10);
  __TAVf90_DeAlloc(s, 6);
  // A refused zero-byte local is no error; the null comes back.
  counted::fail_after(0);
  EXPECT_EQ(__TAVf90_Alloc_s(0), nullptr);
  __TAVf90_DeAlloc(nullptr, 0);
  EXPECT_EQ(log(), "zaAlloc 96, oaDeAlloc 96, aAlloc 96, aDeAlloc 96, aAlloc 40, aDeAlloc 40, "
                   "oAlloc 20, zoAlloc 10, zoAlloc 6, oDeAlloc 20, oDeAlloc 10, oDeAlloc 6, oAlloc 0");
}

// Every request refused: the messages of data/oom.tsv.  A temporary too
// large to exist is refused the same way without asking.
TEST_F(Requests, OutOfMemoryMessages) {
  tav_ptr_desc p;
  tav_cptr_desc c;
  tav_vector r;
  tav_atmplist list = __TAVf90_atmplist_create();
  EXPECT_EQ(tavtest::expect_fatal_table(
                "storage/data/oom.tsv", {{"p", &p}, {"c", &c}, {"r", &r}, {"list", &list}},
                [] { counted::fail_after(0, true); }),
            9);
  // Automatic arrays (info record by value) fail even when empty.
  counted::fail_after(0, true);
  expect_fatal([] { __TAVf90_Alloc_zi(__TAVf90_make_info(1, 1, 0), 4); },
               "Cannot get storage for automatic array - out of memory");
  counted::reset();
  expect_fatal([] { __TAVf90_mkatmp_dc(3, 2000, 2000, 2000); }, "Cannot allocate array temporary - out of memory");
}

TEST_F(Requests, TemporariesGoThroughTheWorkingFamily) {
  // Negative extents and lengths mean empty; an empty temporary is still
  // requested and its base is not null.
  tav_vector v = __TAVf90_mkatmp_r(2, 3, -3);
  EXPECT_TRUE(v.base != nullptr && v.extent[1] == 0);
  __TAVf90_freevec_r(v);
  // CHARACTER temporaries: length after the extents, storage not cleared.
  tav_cvector c = __TAVf90_mkatmp_ch(2, 4, 5, 3);
  EXPECT_TRUE(c.len == 3 && c.extent[1] == 5 && c.extent[2] == 1);
  __TAVf90_freevec_ch(c);
  __TAVf90_freevec_ch(__TAVf90_mkatmp_ch(1, 2, -1));
  // List nodes come from the working family and go back with their size.
  tav_atmplist list = __TAVf90_atmplist_create();
  tav_vector t = __TAVf90_mkatmp_l1(1, 2);
  __TAVf90_atmplist_append(&list, &t);
  tav_vector out;
  __TAVf90_atmplist_step(&list, &out);
  __TAVf90_freevec_l1(out);
  EXPECT_EQ(log(), "zoAlloc 0, oDeAlloc 0, oAlloc 60, oDeAlloc 60, oAlloc 0, oDeAlloc 0, "
                   "zoAlloc 2, oAlloc 36, oDeAlloc 36, oDeAlloc 2");

  // The element size of every type (data/element_sizes.tsv); all seven
  // extents are read.
  auto entry = [](const std::string &name) { return dlsym(RTLD_DEFAULT, ("__TAVf90_" + name).c_str()); };
  for (const auto &row : tavtest::table("storage/data/element_sizes.tsv", 2)) {
    auto make = reinterpret_cast<tav_vector (*)(int, ...)>(entry("mkatmp_" + row[0]));
    auto free = reinterpret_cast<void (*)(tav_vector)>(entry("freevec_" + row[0]));
    ASSERT_TRUE(make != nullptr && free != nullptr) << row[0];
    counted::reset();
    free(make(7, 5, 3, 1, 1, 1, 1, 2));
    EXPECT_EQ(log(), row[1]) << row[0];
  }
}

TEST(Descriptors, InfoRecordsAndAssumedShape) {
  // Info records: bounds, offset and strides in elements.
  tav_info info = __TAVf90_make_info(3, 2, 4, -1, 0, 5, 9);
  EXPECT_EQ(dims(info.dim, 3) + " " + std::to_string(info.offset), "2:3:1 -1:2:3 5:5:6 -29");
  EXPECT_EQ(dims(__TAVf90_make_info(2, 5, 4, 1, 3).dim, 2), "5:0:1 1:3:0");
  // An extent beyond a word is held.
  EXPECT_EQ(__TAVf90_make_info(2, 1, 4, 0, INT_MAX).dim[1].extent, INT_MAX);
  // Assumed-shape dummies share the storage and take new lower bounds.
  char block[96];
  tav_ptr_desc actual{block + 40, 0, {{3, -8, 5}, {2, 48, 2}}}, dummy;
  std::memset(&dummy, 0x77, sizeof dummy);
  __TAVf90_assume_shape(&dummy, &actual, 2, 0, -1);
  EXPECT_EQ(dummy.base, actual.base);
  EXPECT_EQ(dims(dummy.dim, 2) + " " + std::to_string(dummy.offset), "0:3:-8 -1:2:48 48");
  tav_cptr_desc cactual{block, 6, 0, {{4, 6, 1}}}, cdummy;
  __TAVf90_assume_chshape(&cdummy, &cactual, 1, 3);
  EXPECT_TRUE(cdummy.len == 6 && cdummy.base == block && cdummy.offset == -18);
}

// The program-unit stack takes its blocks (128 entries each) from the
// program's own working-storage primitives and keeps one emptied block
// spare; the counts are "requests/releases".
std::string stack_blocks() {
  auto n = [](const std::string &entry) {
    return std::to_string(std::ranges::count(counted::calls(), entry, &counted::Call::entry));
  };
  return n("oAlloc") + "/" + n("oDeAlloc");
}
void units(int in, int out) {
  for (int i = 0; i < in; ++i) __TAVf90_enter_pu("P");
  for (int i = 0; i < out; ++i) __TAVf90_exit_pu();
}

TEST_F(Requests, UnitStackBlocksAndTheSpare) {
  std::string seen;
  auto note = [&seen] { seen += " " + stack_blocks(); };
  units(129, 0);  // depth 129 needs a second block
  for (int i = 0; i < 50; ++i) units(0, 1), units(1, 0);  // the emptied block is reused
  note();
  units(129, 129), note();  // depth 258 took a third block; back at 129 it is the spare
  units(0, 1), note();      // 128: the second emptied block replaces the spare
  units(0, 128), note();    // empty stack, spare kept
  __TAVf90_delete_gline_stack(), note();
  // Deleting a deep stack releases every block; it then starts over.
  units(300, 100), __TAVf90_delete_gline_stack(), note();
  units(1, 1), __TAVf90_delete_gline_stack(), note();
  EXPECT_EQ(seen, " 2/0 3/0 3/1 3/2 3/3 6/6 7/7");
  // The normal end releases the stack (the counts go to a file: the
  // standard streams are closed by then).
  auto r = tavtest::run([] {
    static char prog[] = "prog";
    static char *argv[] = {prog, nullptr};
    f90_init1(1, argv);
    f90_io_finish();  // the standard units' buffers are released: only stack blocks from here on
    counted::reset();
    units(200, 0);
    std::atexit([] {
      if (FILE *f = std::fopen("counts", "w")) std::fprintf(f, "%s\n", stack_blocks().c_str()), std::fclose(f);
    });
    f90_finish(0);
  });
  EXPECT_TRUE(r.exited(0)) << r.describe();
  EXPECT_EQ(r.file("counts"), "2/2\n");
}

}  // namespace
