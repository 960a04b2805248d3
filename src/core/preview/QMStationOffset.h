#pragma once
// Station tie-ins: the cave offset that puts another station where the
// first one (the cave root) lies on the sheet, and the station search of
// the tie-in list.

#include <optional>
#include <string>

#include "app/SettingsModel.h"
#include "survey/PlotState.h"

// Sets the cave offset to vector's location minus the first vector's;
// nothing for an index outside the plot.
void TieInStation(const TPlotState& plot, TSettingsModel& settings, long vector);
void ResetCaveOffset(TSettingsModel& settings);
// The next vector after selected (downward) or before it (upward) whose
// station name holds the text in any letter case, "?" standing for any one
// character; selected -1 starts at the first (down) or the last (up).
std::optional<long> FindStation(const TPlotState& plot, const std::string& text, long selected, bool down);
// The first vector of that station name (exactly), for the command line.
std::optional<long> StationNamed(const TPlotState& plot, const std::string& name);
