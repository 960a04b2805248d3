#pragma once
// The grid, the scale bar and the north arrow, as geometry on paper (inches
// from the printable window's lower-left corner) handed to procedures that
// the export and the preview supply.

#include <functional>
#include <string>

#include "QMGlobal.h"
#include "QMScaleUnits.h"

using TGridProcedure =
    std::function<void(bool horizontal, bool major, T2DVector v1, T2DVector v2, const TPlotParams& params)>;
// A label (doRect false, p1 = p2 = its position) or a cell (doRect true).
using TDrawScaleProc = std::function<void(const std::string& text, bool doRect, bool filled, T2DVector p1, T2DVector p2)>;
// A line p1-p2 (line true) or a triangle p1 p2 p3.
using TDrawNorthProc = std::function<void(bool line, bool filled, T2DVector p1, T2DVector p2, T2DVector p3)>;
// How a label's number is written: the export uses ".", the preview the user's locale.
using TNumberFormatter = std::function<std::string(double value, int decimals)>;

// How much of the grid was drawn: a spacing far below the window's size
// would take millions of lines, so the minor lines go first, then all.
enum class TGridDrawn { All, MajorOnly, None };
constexpr double MaxGridLines = 10000;

// Lines every fifth of the grid spacing from the window's corner; every
// fifth line is major. Nothing at a spacing of 0.
TGridDrawn DrawMajorGrid(const TSVGInfo& info, const TGridProcedure& gridProc);

struct TScaleBarSetup {
  double Width = 0;  // paper inches of the first run
  std::string Label1, Label2;
};
// "Ft./Inch or M/cm": a bar of one inch or 4 cm.
TScaleBarSetup SetupFixedLengthBar(const TSVGInfo& info, const TFootFactors& factors, const TNumberFormatter& format);
// "Modulo-5 Length": a bar of a round length.
TScaleBarSetup SetupVariableLengthBar(const TSVGInfo& info, const TFootFactors& factors, const TNumberFormatter& format);
void DoScaleBar(const TSVGInfo& info, const TFootFactors& factors, const TDrawScaleProc& drawProc,
                const TNumberFormatter& format);

// An arrow 1.5 inches long centred at (1.5, 1.5), turned by the yaw.
void DoNorthArrow(const TSVGInfo& info, const TDrawNorthProc& drawProc);
