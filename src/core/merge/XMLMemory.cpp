#include "XMLMemory.h"

#include <libxml/xmlmemory.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <vector>

namespace {

constexpr std::size_t RegionSize = std::size_t{64} << 20;
constexpr std::size_t HugePage = std::size_t{2} << 20;
constexpr std::size_t Granule = 16;   // alignment and size step
constexpr std::size_t Header = 16;    // the size class, before each block
constexpr std::size_t MaxBlock = 512;  // with its header; larger blocks come from malloc
constexpr std::size_t ClassCount = MaxBlock / Granule + 1;

// Asks the system to back the region with huge pages, before it is first written.
void AdviseHugePages(void* data, std::size_t size) {
#ifdef MADV_HUGEPAGE
  const auto start = (reinterpret_cast<std::uintptr_t>(data) + HugePage - 1) & ~(HugePage - 1);
  const auto end = (reinterpret_cast<std::uintptr_t>(data) + size) & ~(HugePage - 1);
  if (end > start) madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
#else
  (void)data;
  (void)size;
#endif
}

struct TRegion {
  char* Begin;
  char* End;
};

// The one allocator of the trees; libxml2's memory functions are process-wide.
class TXMLAllocator {
public:
  void* Allocate(std::size_t size) {
    if (size + Header > MaxBlock) return std::malloc(size);
    const std::size_t sizeClass = (size + Header + Granule - 1) / Granule;
    std::lock_guard lock(mutex_);
    char* block = free_[sizeClass];
    if (block) {
      std::memcpy(&free_[sizeClass], block, sizeof block);
    } else {
      const std::size_t bytes = sizeClass * Granule;
      if (!current_ || current_ + bytes > currentEnd_) NewRegion();
      if (!current_) return nullptr;
      block = current_;
      current_ += bytes;
    }
    reinterpret_cast<std::size_t*>(block)[0] = sizeClass;
    return block + Header;
  }

  void Free(void* memory) {
    if (!memory) return;
    std::unique_lock lock(mutex_);
    if (!Owns(memory)) {
      lock.unlock();
      std::free(memory);
      return;
    }
    char* block = static_cast<char*>(memory) - Header;
    const std::size_t sizeClass = reinterpret_cast<std::size_t*>(block)[0];
    std::memcpy(block, &free_[sizeClass], sizeof block);
    free_[sizeClass] = block;
  }

  void* Reallocate(void* memory, std::size_t size) {
    if (!memory) return Allocate(size);
    std::size_t capacity;
    {
      std::lock_guard lock(mutex_);
      if (!Owns(memory)) return std::realloc(memory, size);
      capacity = reinterpret_cast<std::size_t*>(static_cast<char*>(memory) - Header)[0] * Granule - Header;
    }
    if (size <= capacity) return memory;
    void* moved = Allocate(size);
    if (!moved) return nullptr;
    std::memcpy(moved, memory, capacity);
    Free(memory);
    return moved;
  }

  std::size_t Reserved() {
    std::lock_guard lock(mutex_);
    return regions_.size() * RegionSize;
  }

private:
  bool Owns(const void* memory) const {
    const char* p = static_cast<const char*>(memory);
    if (p < lowest_ || p >= highest_) return false;
    auto region = std::upper_bound(regions_.begin(), regions_.end(), p,
                                   [](const char* q, const TRegion& r) { return q < r.Begin; });
    return region != regions_.begin() && p < std::prev(region)->End;
  }

  void NewRegion() {
    void* memory = mmap(nullptr, RegionSize + HugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED) {
      current_ = currentEnd_ = nullptr;
      return;
    }
    // Aligned to a huge page, so that all of it can be backed by them.
    char* raw = static_cast<char*>(memory);
    char* begin = reinterpret_cast<char*>((reinterpret_cast<std::uintptr_t>(raw) + HugePage - 1) & ~(HugePage - 1));
    if (begin > raw) munmap(raw, static_cast<std::size_t>(begin - raw));
    char* end = begin + RegionSize;
    if (raw + RegionSize + HugePage > end) munmap(end, static_cast<std::size_t>(raw + RegionSize + HugePage - end));
    AdviseHugePages(begin, RegionSize);
    TRegion region{begin, end};
    regions_.insert(std::upper_bound(regions_.begin(), regions_.end(), region,
                                     [](const TRegion& a, const TRegion& b) { return a.Begin < b.Begin; }),
                    region);
    lowest_ = regions_.front().Begin;
    highest_ = regions_.back().End;
    current_ = begin;
    currentEnd_ = end;
  }

  std::mutex mutex_;
  std::vector<TRegion> regions_;  // by address
  const char* lowest_ = nullptr;
  const char* highest_ = nullptr;
  char* current_ = nullptr;
  char* currentEnd_ = nullptr;
  char* free_[ClassCount] = {};
};

TXMLAllocator& Allocator() {
  static TXMLAllocator* allocator = new TXMLAllocator;  // lives as long as any tree may
  return *allocator;
}

void* XMLAllocate(std::size_t size) { return Allocator().Allocate(size); }
void XMLFree(void* memory) { Allocator().Free(memory); }
void* XMLReallocate(void* memory, std::size_t size) { return Allocator().Reallocate(memory, size); }
char* XMLDuplicate(const char* text) {
  const std::size_t size = std::strlen(text) + 1;
  char* copy = static_cast<char*>(XMLAllocate(size));
  if (copy) std::memcpy(copy, text, size);
  return copy;
}

}  // namespace

void InstallXMLMemory() {
#if !defined(__SANITIZE_ADDRESS__)  // under AddressSanitizer every block stays its own, to be checked
  static std::once_flag once;
  std::call_once(once, [] { xmlMemSetup(XMLFree, XMLAllocate, XMLReallocate, XMLDuplicate); });
#endif
}

std::size_t XMLMemoryReserved() { return Allocator().Reserved(); }

