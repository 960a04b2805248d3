#pragma once
// Gathers the records that drawings work from out of the settings model:
// the plot parameters, the grid, the reference data and the passage
// parameters, converted to inches and feet.

#include <string>

#include "SettingsModel.h"
#include "export/QMGlobal.h"
#include "export/Projection.h"

// Inches: the printable window is never smaller, whatever the margins.
constexpr double MinPaperWindow = 0.1;

TPlotParams GetPlotParams(const TSettingsModel& settings, const TProjection& projection);
void GetGridParams(TSVGInfo& info, const TSettingsModel& settings, const TProjection& projection);
// plotFile: the plot file's path.
TSVGInfo GetSVGInfo(const TSettingsModel& settings, const TProjection& projection, const std::string& plotFile);
// The passage shape stays as it was while no shape is chosen.
void SetPassageParameters(const TSettingsModel& settings, TPassageParameters& passage);

// The file name without its folder; and that without its last extension.
std::string FileNameOnly(const std::string& path);
std::string FileNameWithoutExtension(const std::string& path);
