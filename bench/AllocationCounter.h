#pragma once
// Counts heap allocations of the whole benchmark program, so that a
// benchmark can report how many one run made.

#include <cstdint>

std::uint64_t AllocationCount();
