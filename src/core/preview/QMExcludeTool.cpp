#include "QMExcludeTool.h"

#include <cmath>
#include <numbers>

namespace {

constexpr double Degrees = 180 / std::numbers::pi;
constexpr double BoxMargin = 0.1;

T3DVector Cross(const T3DVector& a, const T3DVector& b) {
  return {a.Y * b.Z - a.Z * b.Y, a.Z * b.X - a.X * b.Z, a.X * b.Y - a.Y * b.X};
}

// Ticks the nodes test answers true for, all others cleared, with the
// progress every tenth node.
void TickWhere(TSurveyTree& tree, const TSelectProgress& progress, const std::function<bool(int node)>& test) {
  const int count = tree.NodeCount();
  tree.SetChecks([&](int node) {
    if (progress && node % 10 == 0) progress(static_cast<int>(std::lround(100.0 * node / count)));
    return test(node);
  });
}

}  // namespace

void TPlane::SetPlane(double azimuth, double dip) {
  const double a = azimuth / Degrees, d = dip / Degrees, side = a - std::numbers::pi / 2;
  const T3DVector v1{std::sin(a) * std::cos(d), std::cos(a) * std::cos(d), std::sin(d)};
  const T3DVector v2{std::sin(side), std::cos(side), 0};
  con_ = Cross(v1, v2);
}

double TPlane::GetPlaneZ(double x, double y) const {
  return con_.Z == 0 ? 0 : -(con_.X * x + con_.Y * y) / con_.Z;  // a vertical plane has no height
}

void TPlane::SetEquation(const T3DVector& normal) { con_ = normal.Z < 0 ? normal * -1 : normal; }

void TPlane::GetAzmDip(double& azimuth, double& dip) const {
  if (con_.X == 0 && con_.Y == 0) {
    azimuth = dip = 0;
    return;
  }
  const double length = std::sqrt(con_.X * con_.X + con_.Y * con_.Y + con_.Z * con_.Z);
  dip = -std::acos(std::clamp(con_.Z / length, -1.0, 1.0)) * Degrees;
  azimuth = std::atan2(con_.Y, -con_.X) * Degrees - 90;  // of H = normal x up = (Con.Y, -Con.X, 0)
  if (azimuth < 0) azimuth += 360;
}

void TExcludeTool::SetClipLimits(const TPlotState& plot) {
  const TBoundBox& box = plot.CaveBox;
  Box = {box.Min.East - BoxMargin,  box.Max.East + BoxMargin, box.Min.North - BoxMargin,
         box.Max.North + BoxMargin, box.Min.Vert - BoxMargin, box.Max.Vert + BoxMargin};
}

void TExcludeTool::PresetComplex(const TPlotState& plot) {
  SetClipLimits(plot);
  From = plot.MinDate;
  To = plot.MaxDate;
  Criteria.SubtractPlane = false;
  Plane.SetPlane(0, 0);
}

double TExcludeTool::GetPlaneOffset(const TPlotState& plot, double east, double north) const {
  return Plane.GetPlaneZ(east - plot.CaveOrigin.East, north - plot.CaveOrigin.North);
}

bool TExcludeTool::IncludeShot(const TPlotState& plot, const TLocation& v) const {
  if (Criteria.Depth) {
    const double h = v.Vert - (Criteria.SubtractPlane ? GetPlaneOffset(plot, v.East, v.North) : 0);
    if (h < Box.Bottom || h > Box.Top) return false;
  }
  if (Criteria.EastWest && (v.East < Box.West || v.East > Box.East)) return false;
  if (Criteria.NorthSouth && (v.North < Box.South || v.North > Box.North)) return false;
  return true;
}

bool TExcludeTool::IsStationInBox(const TLocation& v) const {
  return Box.Bottom <= v.Vert && v.Vert <= Box.Top && Box.West <= v.East && v.East <= Box.East &&
         Box.South <= v.North && v.North <= Box.North;
}

void TExcludeTool::SetByExtents(const TPlotState& plot, TSurveyTree& tree, const TSelectProgress& progress) const {
  TickWhere(tree, progress, [&](int node) {
    const TTreeInfo& info = tree.Info(node);
    return info.ItemType == itShot && IncludeShot(plot, plot.VectorArray[info.FromInx].Location) &&
           IncludeShot(plot, plot.VectorArray[info.ToInx].Location);
  });
}

void TExcludeTool::SetByDate(const TPlotState& plot, TSurveyTree& tree, const TSelectProgress& progress) const {
  TickWhere(tree, progress, [&](int node) {
    const TTreeInfo& info = tree.Info(node);
    if (info.ItemType != itSurvey) return false;
    const TSurveyID& survey = plot.SurveyArray[info.FromInx];
    return survey.SurveyType == stSurvey && !(survey.Date < From) && !(To < survey.Date);
  });
}

bool TExcludeTool::Regression(const TPlotState& plot, bool inBox) {
  const long count = plot.VectorArray.Count();
  auto taken = [&](long i) { return !inBox || IsStationInBox(plot.VectorArray[i].Location); };
  double sumNorth = 0;
  long n = 0;
  for (long i = 0; i < count; ++i)
    if (taken(i)) sumNorth += plot.VectorArray[i].Location.North, ++n;
  if (n == 0) return false;
  const double cn = sumNorth / static_cast<double>(n);
  double sumEast = 0;
  long south = 0;
  for (long i = 0; i < count; ++i)
    if (taken(i) && plot.VectorArray[i].Location.North < cn) sumEast += plot.VectorArray[i].Location.East, ++south;
  if (south == 0) return false;
  const double ce = sumEast / static_cast<double>(south);
  T3DVector sums[3] = {};
  long counts[3] = {};
  for (long i = 0; i < count; ++i) {
    if (!taken(i)) continue;
    const TLocation& v = plot.VectorArray[i].Location;
    const int group = v.North > cn ? 0 : v.East < ce ? 1 : 2;  // north, south-west, south-east
    sums[group] = sums[group] + v.Vector();
    ++counts[group];
  }
  // A group without stations leaves no plane to fit.
  if (counts[0] == 0 || counts[1] == 0 || counts[2] == 0) return false;
  const T3DVector north = sums[0] / counts[0], west = sums[1] / counts[1], east = sums[2] / counts[2];
  const T3DVector normal = Cross(west - north, east - north);
  if (normal.X == 0 && normal.Y == 0 && normal.Z == 0) return false;
  Plane.SetEquation(normal);
  return true;
}

void TiltToDial(double azimuth, double dip, double& yaw, double& pitch) {
  yaw = azimuth > 180 ? 540 - azimuth : 180 - azimuth;
  pitch = dip + 90;
}

void DialToTilt(double yaw, double pitch, double& azimuth, double& dip) {
  azimuth = yaw >= 180 ? 540 - yaw : 180 - yaw;
  dip = pitch - 90;
}
