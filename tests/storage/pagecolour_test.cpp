// Page-aligned storage and its colour map.
#include <sys/mman.h>

#include "support/common.h"

namespace {

constexpr std::size_t kPage = 4096;

// Two pages mapped at the start of a 16 MiB region that nothing has used,
// so the map has no entry for that region or the next one yet.
char *map_in_fresh_region() {
  for (std::uintptr_t region : {0x9au, 0x8bu, 0x7cu, 0x6du, 0xa9u, 0xb8u, 0xc7u}) {
    void *want = reinterpret_cast<void *>(region << 24);
    void *next = reinterpret_cast<void *>((region + 1) << 24);
    if (__TAVf90_pagecolour(want, 1) != 7 || __TAVf90_pagecolour(next, 1) != 7) continue;
    void *p = mmap(want, 2 * kPage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED_NOREPLACE, -1, 0);
    if (p == want) return static_cast<char *>(p);
    if (p != MAP_FAILED) munmap(p, 2 * kPage);
  }
  return nullptr;
}

TEST(PageColour, PartialPagesMixedColoursAndRelease) {
  // 9000 bytes cover three whole pages; all get the colour.
  char *p = static_cast<char *>(__TAVf90_getmem(9000, -3));
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(__TAVf90_pagecolour(p, 9000), -3);
  // Release the middle page: the ends keep their colour, a range over all
  // three no longer has one.
  EXPECT_EQ(__TAVf90_freemem(p + kPage, kPage), 1);
  EXPECT_EQ(__TAVf90_pagecolour(p + kPage, kPage), 4);
  EXPECT_EQ(__TAVf90_pagecolour(p + 2 * kPage, kPage), -3);
  EXPECT_EQ(__TAVf90_pagecolour(p, 3 * kPage), 7);
  // A range that merely ends one byte into the next page takes it in.
  EXPECT_EQ(__TAVf90_pagecolour(p, kPage + 1), 7);
  EXPECT_EQ(__TAVf90_pagecolour(p + kPage - 1, 1), -3);
  EXPECT_EQ(__TAVf90_freemem(p, 3 * kPage), 1);
}

// A fresh region (colour 7 throughout) gets a map when a page of it is
// coloured; its other pages are then known, but never coloured (0).
TEST(PageColour, RegionsWithoutAMap) {
  char *p = map_in_fresh_region();
  if (p == nullptr) GTEST_SKIP() << "no unused region could be mapped";
  EXPECT_EQ(__TAVf90_freemem(p, kPage), 1);
  // A range running out of the region into one without a map.
  char *end = p + (std::uintptr_t{1} << 24) - kPage;
  EXPECT_EQ(__TAVf90_pagecolour(end, 1), 0);
  EXPECT_EQ(__TAVf90_pagecolour(end, 2 * kPage), 7);
  EXPECT_EQ(__TAVf90_freemem(p + kPage, kPage), 1);
}

TEST(PageColour, GetmemWithColourFiveKeepsEarlierColours) {
  char *p = static_cast<char *>(__TAVf90_getmem(kPage, 21));
  ASSERT_NE(p, nullptr);
  // Unmapped behind the map's back, so the page keeps colour 21.
  ASSERT_EQ(munmap(p, kPage), 0);
  // Where the system hands another page, that one is never given colour 5.
  char *again = static_cast<char *>(__TAVf90_getmem(kPage, 5));
  ASSERT_NE(again, nullptr);
  const int colour = __TAVf90_pagecolour(again, kPage);
  EXPECT_TRUE(again == p ? colour == 21 : colour != 5) << colour;
  __TAVf90_freemem(again, kPage);
}

}  // namespace
