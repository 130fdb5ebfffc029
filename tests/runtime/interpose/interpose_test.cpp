// This program defines its own object-storage primitives.  They count the
// calls, so the tests see every block the program-unit stack obtains and
// releases -- and that the library's calls reach the program's primitives.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "support/child.h"
#include "tavf90.h"

namespace {
int allocs, frees;
std::size_t last_size;
bool refuse;  // answer every request with null
}  // namespace

extern "C" {
void *__TAVf90_oAlloc(size_t bytes) {
  if (refuse) return nullptr;
  ++allocs;
  last_size = bytes;
  return std::malloc(bytes);
}
void *__TAVf90_zoAlloc(size_t bytes) {
  if (refuse) return nullptr;
  ++allocs;
  last_size = bytes;
  return std::calloc(1, bytes);
}
void __TAVf90_oDeAlloc(void *address, size_t bytes) {
  ++frees;
  EXPECT_EQ(bytes, last_size) << "a block is released with the size it was obtained with";
  std::free(address);
}
}

namespace {

void enter(int n) {
  for (int i = 0; i < n; ++i) __TAVf90_enter_pu("P");
}
void leave(int n) {
  for (int i = 0; i < n; ++i) __TAVf90_exit_pu();
}

TEST(UnitStackStorage, OneBlockPer128CallsAndOneSpare) {
  allocs = frees = 0;
  enter(128);
  EXPECT_EQ(allocs, 1);
  enter(1);  // depth 129 needs a second block
  EXPECT_EQ(allocs, 2);
  // Oscillating across the boundary reuses the emptied block.
  for (int i = 0; i < 50; ++i) {
    leave(1);
    enter(1);
  }
  EXPECT_EQ(allocs, 2);
  EXPECT_EQ(frees, 0);

  enter(128 + 1);  // depth 258: third block
  EXPECT_EQ(allocs, 3);
  leave(129);  // back to 129: one emptied block is the spare
  EXPECT_EQ(frees, 0);
  leave(1);  // 128: the second emptied block replaces the spare
  EXPECT_EQ(frees, 1);
  enter(1);
  EXPECT_EQ(allocs, 3);

  leave(129);  // empty stack, spare kept
  EXPECT_EQ(frees, 2);
  enter(1);
  EXPECT_EQ(allocs, 3);
  leave(1);
  __TAVf90_delete_gline_stack();
  EXPECT_EQ(frees, 3);
  EXPECT_EQ(allocs, frees);
}

TEST(UnitStackStorage, DeleteReleasesEveryBlockAndTheSpare) {
  allocs = frees = 0;
  enter(300);
  leave(100);  // depth 200: two blocks in use, one spare
  EXPECT_EQ(allocs, 3);
  __TAVf90_delete_gline_stack();
  EXPECT_EQ(frees, 3);
  // The stack starts over from nothing.
  enter(1);
  EXPECT_EQ(allocs, 4);
  leave(1);
  __TAVf90_delete_gline_stack();
  EXPECT_EQ(frees, 4);
}

TEST(UnitStackStorage, NormalEndReleasesTheStack) {
  auto r = tavtest::run([] {
    static char prog[] = "prog";
    static char *argv[] = {prog, nullptr};
    f90_init1(1, argv);
    // Closing the standard units releases their buffers: only stack blocks
    // are counted from here on.
    f90_io_finish();
    allocs = frees = 0;
    enter(200);
    // The standard streams are closed by then: the counts go to a file.
    std::atexit([] {
      if (FILE *f = std::fopen("counts", "w")) {
        std::fprintf(f, "allocs %d frees %d\n", allocs, frees);
        std::fclose(f);
      }
    });
    f90_finish(0);
  });
  EXPECT_TRUE(r.exited(0)) << r.describe();
  EXPECT_EQ(r.file("counts"), "allocs 2 frees 2\n");
}

TEST(UnitStackStorage, RefusedBlockEndsTheProgram) {
  auto r = tavtest::run([] {
    refuse = true;
    __TAVf90_enter_pu("P");
    std::fputs("carried on\n", stderr);
  });
  EXPECT_TRUE(r.aborted()) << r.describe();
  EXPECT_EQ(r.err, "Out of memory\nProgram terminated by fatal error\n");
}

}  // namespace
