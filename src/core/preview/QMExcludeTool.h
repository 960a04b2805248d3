#pragma once
// The shot select tool's selections: ticks the survey tree by a clip box
// (depth, east-west and north-south extents, each optionally), by survey
// date, and measures the cave's tilt as a plane through the cave origin
// that depths can be taken from. It changes the ticks only.

#include <functional>

#include "survey/PlotState.h"
#include "survey/QMCaveTree.h"
#include "support/Vector.h"

// A plane through the cave origin, by its normal.
class TPlane {
public:
  // The plane that rises at dip degrees towards azimuth degrees.
  void SetPlane(double azimuth, double dip);
  // Its height above the origin at (x, y) from the origin.
  double GetPlaneZ(double x, double y) const;
  // The normal given, turned to point up.
  void SetEquation(const T3DVector& normal);
  // The azimuth (0 to 360) and dip that SetPlane takes to make this plane.
  void GetAzmDip(double& azimuth, double& dip) const;
  const T3DVector& Normal() const { return con_; }

private:
  T3DVector con_{0, 0, 1};
};

// Survey units as stored in the plot; every limit inclusive.
struct TClipBox {
  double West = 0, East = 0, South = 0, North = 0, Bottom = 0, Top = 0;
};

// Which limits a selection uses, and whether depths are taken from the plane.
struct TClipCriteria {
  bool Depth = false, EastWest = false, NorthSouth = false, SubtractPlane = false;
};

using TSelectProgress = std::function<void(int percent)>;

class TExcludeTool {
public:
  // The box: the cave box widened by 0.1 on every side.
  void SetClipLimits(const TPlotState& plot);
  // The box reset, the dates the file's, the plane level: as after a plot
  // is loaded.
  void PresetComplex(const TPlotState& plot);

  // The plane's height at a plot east and north.
  double GetPlaneOffset(const TPlotState& plot, double east, double north) const;
  bool IncludeShot(const TPlotState& plot, const TLocation& v) const;
  bool IsStationInBox(const TLocation& v) const;
  // Ticks exactly the shots with both ends inside (every shot with no criterion).
  void SetByExtents(const TPlotState& plot, TSurveyTree& tree, const TSelectProgress& progress = {}) const;
  // Ticks exactly the plain surveys dated From to To (none when From is after To).
  void SetByDate(const TPlotState& plot, TSurveyTree& tree, const TSelectProgress& progress = {}) const;
  // Fits the plane to the stations (those in the box when inBox); false,
  // and nothing changed, when there are too few to form one.
  bool Regression(const TPlotState& plot, bool inBox);

  TClipBox Box;
  TClipCriteria Criteria;
  TCaveDate From, To;
  TPlane Plane;
};

// Direction dial angles from the tilt and back.
void TiltToDial(double azimuth, double dip, double& yaw, double& pitch);
void DialToTilt(double yaw, double pitch, double& azimuth, double& dip);
