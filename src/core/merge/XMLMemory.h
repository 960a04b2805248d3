#pragma once
// The memory of the document trees. A large drawing's tree is millions of
// small blocks; on the systems this program runs on, faulting their pages
// in one by one costs more than parsing them. The tree's small blocks come
// from large regions that the system backs with huge pages, and go back to
// size-class free lists when freed; other blocks come from malloc. Blocks
// that libxml2 took from malloc before this was installed are told apart
// and given back to free.

#include <cstddef>

// Makes libxml2 allocate through these regions; once per process, before
// the first document. Later calls do nothing.
void InstallXMLMemory();

// Bytes in the regions now (for measurements).
std::size_t XMLMemoryReserved();
