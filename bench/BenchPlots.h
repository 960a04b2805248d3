#pragma once
// Generated plots for the benchmarks, written and read once per run.

#include <string>

#include "survey/PlotState.h"

// A generated plot file of about this many vectors.
const std::string& GeneratedPlotFile(long vectors);
// That file, read.
TPlotState& LoadedBenchPlot(long vectors);
