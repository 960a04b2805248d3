#pragma once
// What each fuzz harness does with one input. The libFuzzer entries and the
// test that replays the inputs which once failed call these same functions,
// so a fault found by fuzzing stays fixed.

#include <string_view>

// The input as a plot file: read, and when it reads, exported and drawn in
// the preview with settings chosen by its first byte.
void FuzzPlotFile(std::string_view bytes);
