#pragma once
// The plot file reader: one forward pass over a .PLT/.PLF file that fills a
// plot state. This is the one place that knows the plot file format.

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>

#include "PlotState.h"
#include "support/UserInterface.h"

// Called with the header lines (N, F) and vector lines (M, D, d, L) read so
// far: every 10 headers, every 200 vectors and once at the end.
using TPlotProgress = std::function<void(int surveys, int shots)>;

struct TPlotReadResult {
  bool Loaded = false;      // the read reached the end of its file
  std::string ErrorReport;  // what the user was warned of when it did not
};

// Sets plot.PlotFile, opens the file and reads it into plot. Throws
// std::runtime_error naming the file when it cannot be opened.
TPlotReadResult OpenAndReadPlot(TPlotState& plot, const std::string& fileName, TUserInterface& ui,
                                const TPlotProgress& progress = {});

// Resets plot and reads the open file, positioned at its start. Never
// throws: a failure keeps what was read so far, warns through ui and is
// returned. FileLoaded is set only by a read that reaches the end.
TPlotReadResult ReadPlotFile(TPlotState& plot, std::FILE* file, TUserInterface& ui,
                             const TPlotProgress& progress = {});

// Lines starting with "D" (shots), to size a progress gauge.
int GetShotCount(const std::string& fileName);

// The report of a read that stopped at byte stopOffset: the message, CR LF,
// "Line: ", the number of complete lines before that byte and, after a blank
// and a double quote, the text of the last of them.
std::string GetErrorInfo(std::FILE* file, std::uint64_t stopOffset, std::string_view message);

constexpr const char* OutOfMemoryReport =
    "Out of Memory - File Partially Loaded\r\nClose Applications or Install More Memory";
