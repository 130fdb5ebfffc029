// The default storage primitives: zeroed blocks come zeroed however they
// are served, and shrinking keeps the kept elements.
#include <set>

#include "support/common.h"

namespace {

TEST(Primitives, ZeroedBlocksAreZeroEvenWhenReused) {
  // Released dirty, blocks come back to the next requests of their size,
  // kept by the primitives or by the C library.
  for (std::size_t n : {1u, 12u, 16u, 24u, 1024u, 1025u, 300000u}) {
    std::vector<void *> blocks(20);
    for (void *&p : blocks) std::memset(p = __TAVf90_zoAlloc(n), 0xA5, n);
    for (void *p : blocks) __TAVf90_oDeAlloc(p, n);
    std::size_t dirty = 0;
    for (void *&p : blocks) {
      auto *q = static_cast<unsigned char *>(p = __TAVf90_zoAlloc(n));
      dirty += static_cast<std::size_t>(std::count_if(q, q + n, [](unsigned char c) { return c != 0; }));
    }
    EXPECT_EQ(dirty, 0u) << n << " bytes";
    // A kept block is handed out once.
    EXPECT_EQ(std::set<void *>(blocks.begin(), blocks.end()).size(), blocks.size()) << n << " bytes";
    for (void *p : blocks) __TAVf90_oDeAlloc(p, n);
  }
}

TEST(Primitives, ShrinkingKeepsTheFirstElements) {
  // From and to small and large blocks (a large one that keeps a large part
  // is copied to a new block).
  const std::size_t cases[][2] = {{10, 3}, {100000, 0}, {100000, 50}, {100000, 99999}, {300000, 40000}};
  for (const auto &c : cases) {
    auto *p = static_cast<std::int32_t *>(__TAVf90_zoAlloc(c[0] * 4));
    for (std::size_t i = 0; i < c[0]; ++i) p[i] = static_cast<std::int32_t>(i * 7 + 1);
    auto *q = static_cast<std::int32_t *>(__TAVf90_ReAlloc_90(p, 4, c[0], c[1]));
    ASSERT_NE(q, nullptr);
    std::size_t wrong = 0;
    for (std::size_t i = 0; i < c[1]; ++i) wrong += q[i] != static_cast<std::int32_t>(i * 7 + 1);
    EXPECT_EQ(wrong, 0u) << c[0] << " to " << c[1];
    __TAVf90_oDeAlloc(q, c[1] * 4);
  }
}

// A POINTER never associated holds all bits set: refused, never freed.
TEST(Primitives, UndefinedPointerIsRefused) {
  int stat = 0;
  __TAVf90_pDeAlloc(TAV_UNDEFINED_POINTER, 4, &stat);
  EXPECT_EQ(stat, 1);
}

}  // namespace
