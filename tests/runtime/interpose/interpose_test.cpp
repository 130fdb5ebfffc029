// This program defines its own object-storage primitives.  They count the
// calls, so the tests see every block the program-unit stack obtains and
// releases -- and that the library's calls reach the program's primitives.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

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

// The counts as "allocs/frees".
std::string counts() { return std::to_string(allocs) + "/" + std::to_string(frees); }

TEST(UnitStackStorage, OneBlockPer128CallsAndOneSpare) {
  allocs = frees = 0;
  std::string seen;
  auto note = [&seen] { seen += " " + counts(); };
  enter(128);
  note();
  enter(1);  // depth 129 needs a second block
  note();
  // Oscillating across the boundary reuses the emptied block.
  for (int i = 0; i < 50; ++i) leave(1), enter(1);
  note();
  enter(128 + 1);  // depth 258: third block
  note();
  leave(129);  // back to 129: one emptied block is the spare
  note();
  leave(1);  // 128: the second emptied block replaces the spare
  note();
  enter(1);
  note();
  leave(129);  // empty stack, spare kept
  note();
  enter(1);
  leave(1);
  note();
  __TAVf90_delete_gline_stack();
  note();
  // Deleting a deep stack releases every block and the spare; it then
  // starts over from nothing.
  enter(300);
  leave(100);
  __TAVf90_delete_gline_stack();
  note();
  enter(1);
  leave(1);
  __TAVf90_delete_gline_stack();
  note();
  EXPECT_EQ(seen, " 1/0 2/0 2/0 3/0 3/0 3/1 3/1 3/2 3/2 3/3 6/6 7/7");
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
  tavtest::expect_run("refused", [] {
    refuse = true;
    __TAVf90_enter_pu("P");
    std::fputs("carried on\n", stderr);
  }, {tavtest::kAborted, nullptr, "Out of memory\nProgram terminated by fatal error\n"});
}

}  // namespace
