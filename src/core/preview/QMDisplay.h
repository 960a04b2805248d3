#pragma once
// The preview: the loaded survey drawn on its sheet where the export puts
// it, through the same projection and walks, on a plot window.

#include <span>

#include "Plotwind.h"
#include "export/DrawingSources.h"
#include "export/MapDecorations.h"

// The "Display" page's switches; they change the preview only.
struct TDisplayOptions {
  bool LabelStations = false, ShowPassageWalls = false, ShowLRUDBars = true, ShowFeatures = false, ShowGrid = true,
       ShowCenterPoint = false;
  // A merge target's shots (SVG points of the current sheet), drawn light
  // under the survey so that the shots that moved stand out.
  std::span<const T2DLine> TargetShots;
};

struct TPreviewCounters {
  int RectCnt = 0;       // passage quadrilaterals drawn
  int PlottedShots = 0;  // survey shots drawn
};

// Each part of red, green and blue times 1.2, at most 255.
TColor LightenColor(TColor color);

// Draws everything; nothing without a loaded plot. format writes the scale
// bar's numbers (the user's locale in a window).
TPreviewCounters DisplayCave(TPlotWindow& window, const TSVGInfo& info, const TDrawingSources& sources,
                             const TDisplayOptions& options, const TNumberFormatter& format);

constexpr TColor TargetShotColor = RGBColor(255, 150, 90);
constexpr TColor clSkyBlue = RGBColor(166, 202, 240);
