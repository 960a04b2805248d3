#pragma once
// Writes large, realistic plot files for measurements: sections of dated
// surveys whose shots wander through a cave with LRUDs (some unmeasured),
// splays, hidden draws, flags and comments, a few feature and range
// surveys, survey end records, a cave box record, CR LF and a final Ctrl-Z.

#include <ostream>

// Writes at least `vectors` vector lines (whole surveys); the same seed
// gives the same file.
void GeneratePlot(std::ostream& out, long vectors, unsigned seed = 1);
