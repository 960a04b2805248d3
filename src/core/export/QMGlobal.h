#pragma once
// The records every drawing works from, gathered afresh from the settings
// for each export, preview paint, merge step and repair.
//
// Coordinates: cave feet (east, north, up); paper inches from the lower-left
// corner of the printable window (the sheet less its margins), Y upward;
// SVG points from the top-left of the sheet, Y downward.

#include <string>

#include "support/Vector.h"

constexpr double PointsPerInch = 72;
constexpr double PicasPerInch = 6;

struct TPlotParams {
  double Scale = 1;          // multiplier of the projection's base scale
  double YawAngle = 0;       // degrees
  double PitchAngle = 0;     // degrees
  T2DVector PaperOffset;     // inches: offset controls / paper factor - station origin
  T3DVector CaveOffset;      // feet: the station tie-in offset
  bool Plan = true;          // false: profile
  bool Selective = false;    // only the shots selected in the survey tree
  T2DVector PaperWindow;     // inches: PaperSize - 2 * Margin
  T2DVector PaperSize;       // inches
  T2DVector Margin;          // inches
};

struct TGridParams {
  T2DVector StartPos;   // inches
  T2DVector StopPos;    // inches
  double Spacing = 0;   // paper inches between major lines at Scale 1
};

// What the export writes into a drawing about how it was made.
struct TRefInfo {
  std::string Filename;  // plot file name without folder and extension
  std::string ViewAngle; // "Plan" or "Profile"
  double WriteYaw = 0;
  double WritePitch = 0;
  double ScaleRatio = 0;  // N of 1:N
  T2DVector FrameDims;    // cave feet: the printable window's extent
  T2DVector FrameCenter;  // cave feet: its centre
};

struct TSVGInfo {
  std::string Title;   // "File: " + plot file name
  T2DVector TitlePos;  // inches from the sheet's top-left: the window's lower-left corner
  TRefInfo RefInfo;
  bool AI10Compatible = false;
  bool AddInkscape = true;
  bool AddIllustrator = true;
  bool RemovePGFBinary = true;
  TPlotParams PlotParams;
  TGridParams GridParams;
  bool Feet = true;
  double UnitScale = 0;  // the "Ft./Inch" control as shown (ft/in or m/cm)
  bool ModuloBar = true;
};

// The inner clip svg that frames the drawing to the sheet. Inkscape lists no
// layer inside a nested svg, so a drawing with Inkscape's layer marks goes
// without it; Illustrator 10/CS1/CS2 cannot read it at all.
inline bool UsesClipFrame(const TSVGInfo& info) { return !info.AI10Compatible && !info.AddInkscape; }

enum TPassageShape { psSquare, psDiamond, psOctagon };

// What the passage wall modelling reads; the settings overwrite these
// starting values before every use.
struct TPassageParameters {
  double MinPassageSize = 2.0;   // feet: substitute for missing dimensions; 0 means none
  double DivideThreshold = 20;   // degrees: corners sharper than this are rounded
  int DivideDepth = 1;           // rounding passes, 0..2
  bool DoVertical = true;        // steep shots get a horizontal cross-section
  double VertThreshold = 50;     // degrees: inclination from which a shot is steep
  bool ExpandPassages = true;    // fill missing dimensions from the neighbouring station
  bool SealEnds = false;         // close the first and last prism of every branch
  TPassageShape PassageShape = psOctagon;
  bool MergePassageEnds = true;  // adjoining prisms share one averaged joint
};
