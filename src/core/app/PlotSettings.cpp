#include "PlotSettings.h"

#include <algorithm>

namespace {

using S = TSetting;

T2DVector Pair(const TSettingsModel& settings, TSetting x, TSetting y) {
  return {settings.Value(x), settings.Value(y)};
}

}  // namespace

std::string FileNameOnly(const std::string& path) {
  std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FileNameWithoutExtension(const std::string& path) {
  std::string name = FileNameOnly(path);
  return name.substr(0, name.rfind('.'));
}

TPlotParams GetPlotParams(const TSettingsModel& settings, const TProjection& projection) {
  const double paperFactor = settings.Units().PaperFactor;
  TPlotParams params;
  params.Scale = settings.Value(S::ScaleFactor);
  params.PaperSize = Pair(settings, S::PaperX, S::PaperY) / paperFactor;
  params.Margin = Pair(settings, S::MarginX, S::MarginY) / paperFactor;
  params.PaperWindow = params.PaperSize - params.Margin * 2;
  // Margins that take the whole sheet leave a window that no scale fits.
  params.PaperWindow.X = std::max(params.PaperWindow.X, MinPaperWindow);
  params.PaperWindow.Y = std::max(params.PaperWindow.Y, MinPaperWindow);
  params.PaperOffset = Pair(settings, S::PaperOffsetX, S::PaperOffsetY) / paperFactor - projection.StationOrigin;
  params.CaveOffset = {settings.Value(S::CaveOffsetX), settings.Value(S::CaveOffsetY), settings.Value(S::CaveOffsetZ)};
  params.Plan = settings.Choice(S::View) == 0;
  params.YawAngle = settings.Value(S::Yaw);
  params.PitchAngle = settings.Value(S::Pitch);
  params.Selective = settings.Checked(S::ExcludeSections);
  return params;
}

void GetGridParams(TSVGInfo& info, const TSettingsModel& settings, const TProjection& projection) {
  const TPlotParams& params = info.PlotParams;
  info.GridParams.Spacing = settings.Value(S::GridSpacing) / settings.Units().CaveFactor * projection.BaseScale;
  info.GridParams.StartPos = params.Margin;
  info.GridParams.StopPos = params.PaperWindow + params.Margin;
}

TSVGInfo GetSVGInfo(const TSettingsModel& settings, const TProjection& projection, const std::string& plotFile) {
  TSVGInfo info;
  info.AI10Compatible = settings.Checked(S::AI10Compatible);
  info.AddInkscape = settings.Choice(S::InkscapeTags) == 0;
  info.AddIllustrator = settings.Choice(S::IllustratorTags) == 0;
  info.RemovePGFBinary = settings.Checked(S::RemoveBinaryData);
  info.Title = "File: " + FileNameOnly(plotFile);
  info.PlotParams = GetPlotParams(settings, projection);
  const TPlotParams& params = info.PlotParams;
  info.TitlePos = T2DVector{0, params.PaperWindow.Y} + params.Margin;
  TRefInfo& ref = info.RefInfo;
  ref.Filename = FileNameWithoutExtension(plotFile);
  ref.ViewAngle = params.Plan ? "Plan" : "Profile";
  ref.WriteYaw = params.YawAngle;
  ref.WritePitch = params.PitchAngle;
  ref.ScaleRatio = settings.Value(S::Ratio);
  ref.FrameDims = projection.PaperToCave(params.PaperWindow, params) - projection.PaperToCave({0, 0}, params);
  ref.FrameCenter = projection.PaperToCave(params.PaperSize / 2 - params.Margin, params);
  info.Feet = !settings.Metric();
  info.UnitScale = settings.Value(S::FeetPerInch);
  info.ModuloBar = settings.Choice(S::ScaleBarType) == 0;
  GetGridParams(info, settings, projection);
  return info;
}

void SetPassageParameters(const TSettingsModel& settings, TPassageParameters& passage) {
  passage.MinPassageSize = settings.Checked(S::SubstituteMissingLRUDs) ? settings.Value(S::SubstituteDiameter) : 0;
  passage.DivideThreshold = settings.Value(S::CornerThreshold);
  passage.DivideDepth = settings.Choice(S::RoundingDepth);
  passage.DoVertical = settings.Checked(S::VerticalPrisms);
  passage.VertThreshold = settings.Value(S::VerticalThreshold);
  passage.ExpandPassages = settings.Checked(S::ExpandPassages);
  passage.SealEnds = settings.Checked(S::SealPassageEnds);
  int shape = settings.Choice(S::PassageShape);
  if (shape >= psSquare && shape <= psOctagon) passage.PassageShape = static_cast<TPassageShape>(shape);
  passage.MergePassageEnds = settings.Checked(S::MergePassages);
}
