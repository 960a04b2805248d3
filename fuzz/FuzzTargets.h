#pragma once
// What each fuzz harness does with one input. The libFuzzer entries and the
// test that replays the inputs which once failed call these same functions,
// so a fault found by fuzzing stays fixed.

#include <string_view>

// The input as a plot file: read, and when it reads, exported and drawn in
// the preview with settings chosen by its first byte.
void FuzzPlotFile(std::string_view bytes);

// The input as a drawing: checked, prepared, parsed, its layers repaired and
// its reference data read, then written.
void FuzzSVGDrawing(std::string_view bytes);

// The input as SVG attribute text and reference text: numbers, points,
// lengths, the reference line, path data and transforms read from it, and
// its points morphed by line pairs made of its numbers.
void FuzzSVGText(std::string_view bytes);

// The input as a drawing merged onto a small survey: matched, its survey
// graph paired, its artwork morphed and adjusted, the documents merged.
void FuzzMergeTarget(std::string_view bytes);

// The input as a settings file loaded over a small survey (after which the
// survey still exports with finite numbers), and as an INI file whose user
// defaults and recent files are read and written back.
void FuzzSettingsFile(std::string_view bytes);
