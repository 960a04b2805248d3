#include "HugeArray.h"

#include <sys/mman.h>

#ifndef MADV_POPULATE_WRITE
#define MADV_POPULATE_WRITE 23  // Linux 5.14
#endif

// Filling a plot of a million vectors otherwise takes one page fault per
// 4 KiB, which costs more than reading the file. Small growths are left to
// the faults; a system without the advice simply ignores it.
void PrepareForWriting(void* begin, void* end) {
  constexpr std::uintptr_t Page = 4096;
  auto first = (reinterpret_cast<std::uintptr_t>(begin) + Page - 1) & ~(Page - 1);
  auto last = reinterpret_cast<std::uintptr_t>(end) & ~(Page - 1);
  if (last >= first + 64 * Page) madvise(reinterpret_cast<void*>(first), last - first, MADV_POPULATE_WRITE);
}
