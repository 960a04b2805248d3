#include "AppContext.h"

#include <cmath>

#include "Version.h"
#include "export/QMColors.h"
#include "export/QMExport.h"
#include "export/ShotWalk.h"
#include "repair/QMRepair.h"

TAppContext::TAppContext(TUserInterface& ui, bool surveyFoot) : ui_(ui) {
  Settings.SetSurveyFoot(surveyFoot);
  Tree.OnCheckChange([this](TCheckChange change) { TreeChecksChanged(change); });
  Log.OnLine([this](const std::string& line) { ui_.Log(line); });
}

void TAppContext::TreeChecksChanged(TCheckChange change) {
  for (const auto& listener : checkListeners_) listener(change);
  // A single click recomputes the centre; bulk changes only redraw, and only
  // when the marks matter.
  if (change == TCheckChange::Single) {
    FindObjectCenter();
    UpdatePlot();
  } else if (Settings.Checked(TSetting::ExcludeSections)) {
    UpdatePlot();
  }
}

TPlotReadResult TAppContext::LoadPlotFile(const std::string& fileName, const TPlotProgress& counters) {
  const int shotCount = GetShotCount(fileName);
  Settings.Set(TSetting::ShowPassageWalls, shotCount < PassageWallShotLimit);
  // The gauge measures shots read against the shots counted beforehand.
  TPlotProgress progress = [&](int surveys, int shots) {
    if (counters) counters(surveys, shots);
    ui_.Progress(shotCount > 0 ? static_cast<int>(std::lround(100.0 * shots / shotCount)) : 0);
  };
  ui_.Status(1, "Loading Plot File", clLime);
  TPlotReadResult read = OpenAndReadPlot(Plot, fileName, ui_, progress);
  ui_.Status(1, "Display Survey Tree", clLime);
  Tree.DisplaySurveyTree(progress);
  ui_.Progress(75);
  Settings.Set(TSetting::ExcludeSections, 0);
  ui_.Status(1, "Initializing Plot", clLime);
  ui_.Progress(80);
  InitializePlotParams();
  ui_.Status(1, "Centering", clLime);
  ui_.Progress(95);
  FindObjectCenter();
  ui_.Status(1, "Loading Complete", clLime);
  ui_.Progress(100);
  return read;
}

bool TAppContext::IsFileLoaded() {
  if (!Plot.FileLoaded) ui_.Warning("No Plot File Loaded.");
  return Plot.FileLoaded;
}

void TAppContext::InitializePlotParams() {
  if (!Plot.FileLoaded) return;
  Projection.InitalizeDisplay(GetPlotParams(Settings, Projection), Plot);
  Settings.ResetScale();
  Settings.ResetPaperOffset();
  Settings.ResetCaveOffset();
}

void TAppContext::FindObjectCenter() {
  Projection.ObjectCenter = GetCaveExtents(Plot, Tree, Settings.Checked(TSetting::ExcludeSections)).Center;
}

TSVGInfo TAppContext::SVGInfo() {
  SetPassageParameters(Settings, Passage);
  return GetSVGInfo(Settings, Projection, Plot.PlotFile);
}

void TAppContext::ExportSVG(const std::string& fileName) {
  TSVGInfo info = SVGInfo();
  TExportSources sources{DrawingSources(), GeneratorStampNow(), [this](const std::string& line) { Log.LogText(line); }};
  WriteSVGToFile(fileName, info, sources, ui_);
}

void TAppContext::RepairSVGFile(const std::string& input, const std::string& output) { RepairSVGFile(input, output, ui_); }

void TAppContext::RepairSVGFile(const std::string& input, const std::string& output, TUserInterface& ui) {
  TRepairServices services{{Validation, Log, ui}, Settings.FootFactors(), Merge.DotsPerInch};
  ::RepairSVGFile(input, output, SVGInfo(), services);
}

T2DVector TAppContext::CenteringOffset() {
  return Projection.CenteringOffset(GetPlotParams(Settings, Projection), Plot.CaveBox);
}

void TAppContext::UpdatePlot() {
  for (const auto& listener : updateListeners_) listener();
}
