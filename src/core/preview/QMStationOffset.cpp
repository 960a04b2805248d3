#include "QMStationOffset.h"

#include "support/TextMatch.h"

namespace {

using S = TSetting;

}  // namespace

void TieInStation(const TPlotState& plot, TSettingsModel& settings, long vector) {
  if (vector < 0 || vector >= plot.VectorArray.Count()) return;
  const T3DVector offset = plot.VectorArray[vector].Location.Vector() - plot.VectorArray[0].Location.Vector();
  settings.Set(S::CaveOffsetX, offset.X);
  settings.Set(S::CaveOffsetY, offset.Y);
  settings.Set(S::CaveOffsetZ, offset.Z);
}

void ResetCaveOffset(TSettingsModel& settings) {
  for (S setting : {S::CaveOffsetX, S::CaveOffsetY, S::CaveOffsetZ}) settings.Set(setting, 0);
}

std::optional<long> FindStation(const TPlotState& plot, const std::string& text, long selected, bool down) {
  const long count = plot.VectorArray.Count();
  if (text.empty()) return std::nullopt;
  if (down) {
    for (long i = selected < 0 ? 0 : selected + 1; i < count; ++i)
      if (ContainsPattern(plot.VectorArray[i].Station.Str(), text)) return i;
  } else {
    for (long i = selected < 0 ? count - 1 : selected - 1; i >= 0; --i)
      if (ContainsPattern(plot.VectorArray[i].Station.Str(), text)) return i;
  }
  return std::nullopt;
}

std::optional<long> StationNamed(const TPlotState& plot, const std::string& name) {
  for (long i = 0; i < plot.VectorArray.Count(); ++i)
    if (plot.VectorArray[i].Station.Str() == name) return i;
  return std::nullopt;
}
