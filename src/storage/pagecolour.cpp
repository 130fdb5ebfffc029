// Page-aligned storage straight from the system, with a colour byte per
// 4096-byte page.  The map has one entry per 16 MiB region of the 32-bit
// address space; an entry is null or a colour page holding one signed byte
// for each of the region's 4096 pages.  Colour pages are mapped on demand,
// are coloured themselves, and live for the whole process.
#include <sys/mman.h>

#include <cstdint>

#include "runtime/fatal.h"
#include "tavf90.h"

namespace tav::storage {
namespace {

constexpr int kPageShift = 12;
constexpr std::uintptr_t kPageSize = std::uintptr_t{1} << kPageShift;
constexpr int kRegionShift = 24;
constexpr std::uintptr_t kRegions = 256;
constexpr std::uintptr_t kPagesPerRegion = std::uintptr_t{1} << (kRegionShift - kPageShift);

constexpr int kFreed = 4;
constexpr int kMapPage = 5;  // also: "leave the pages as they are" for getmem
constexpr int kUnknown = 7;

std::int8_t *top_index[kRegions];

void *map_anonymous(std::size_t bytes) {
  void *p = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  return p == MAP_FAILED ? nullptr : p;
}

// Page numbers (address >> 12) split into region and page within it.  Pages
// above the 32-bit address space have no map.
inline bool in_map(std::uintptr_t page) { return (page >> (kRegionShift - kPageShift)) < kRegions; }
inline std::uintptr_t region_of(std::uintptr_t page) { return page >> (kRegionShift - kPageShift); }
inline std::uintptr_t slot_of(std::uintptr_t page) { return page & (kPagesPerRegion - 1); }

// Number of pages to colour: one per 4096 bytes of len, rounded up.
inline std::uintptr_t page_count(std::size_t len) { return len / kPageSize + (len % kPageSize != 0); }

void colour_pages(std::uintptr_t first_page, std::uintptr_t count, int colour) {
  std::int8_t *fresh[kRegions];
  int nfresh = 0;
  for (std::uintptr_t i = 0; i < count; ++i) {
    std::uintptr_t page = first_page + i;
    if (page < first_page || !in_map(page)) break;  // past the end of the address space
    std::int8_t *&map = top_index[region_of(page)];
    if (map == nullptr) {
      map = static_cast<std::int8_t *>(map_anonymous(kPageSize));
      if (map == nullptr) continue;  // this region cannot hold colours
      fresh[nfresh++] = map;
    }
    map[slot_of(page)] = static_cast<std::int8_t>(colour);
  }
  // The colour pages mapped on the way are coloured once the walk is done
  // with them; a region is mapped only once, so this ends.
  for (int i = 0; i < nfresh; ++i)
    colour_pages(reinterpret_cast<std::uintptr_t>(fresh[i]) >> kPageShift, 1, kMapPage);
}

void colour_range(const void *address, std::size_t len, int colour) {
  colour_pages(reinterpret_cast<std::uintptr_t>(address) >> kPageShift, page_count(len), colour);
}

}  // namespace
}  // namespace tav::storage

using namespace tav::storage;

extern "C" {

void *__TAVf90_getmem(size_t bytes, int colour) {
  void *p = map_anonymous(bytes);
  if (p != nullptr && colour != kMapPage) colour_range(p, bytes, colour);
  return p;
}

int __TAVf90_freemem(void *address, size_t bytes) {
  if (munmap(address, bytes) != 0) tav::rt::crash("Impossible failure from freemem");
  colour_range(address, bytes, kFreed);
  return 1;
}

int __TAVf90_pagecolour(const void *address, size_t bytes) {
  auto first = reinterpret_cast<std::uintptr_t>(address) >> kPageShift;
  if (!in_map(first) || top_index[region_of(first)] == nullptr) return kUnknown;
  int colour = top_index[region_of(first)][slot_of(first)];
  // Every page that the range touches must carry the same colour.
  std::uintptr_t pages = 1;
  if (bytes != 0) {
    auto a = reinterpret_cast<std::uintptr_t>(address);
    std::uintptr_t last_byte = a + (bytes - 1);
    if (last_byte < a) last_byte = UINTPTR_MAX;
    pages = (last_byte >> kPageShift) - first + 1;
  }
  for (std::uintptr_t i = 1; i < pages; ++i) {
    std::uintptr_t page = first + i;
    if (!in_map(page)) return kUnknown;
    const std::int8_t *map = top_index[region_of(page)];
    if (map == nullptr || map[slot_of(page)] != colour) return kUnknown;
  }
  return colour;
}

}  // extern "C"
