#include "QMDisplay.h"

#include <algorithm>

#include "export/FeatureValues.h"
#include "export/PassageWalks.h"
#include "export/ShotWalk.h"

namespace {

constexpr TColor Black = RGBColor(0, 0, 0), White = RGBColor(255, 255, 255), Yellow = RGBColor(255, 255, 0),
                 Red = RGBColor(255, 0, 0);
constexpr TColor SheetOutline = RGBColor(128, 128, 128), SheetFill = RGBColor(230, 230, 230);
const std::string LabelFont = "Sans Serif";
constexpr double LabelPoints = 9;

T3DVector Lift(T2DVector v) { return Vector2DToVector3DZ(v); }

class TPreviewPainter {
public:
  TPreviewPainter(TPlotWindow& window, const TSVGInfo& info, const TDrawingSources& sources,
                  const TDisplayOptions& options)
      : window_(window), surface_(window.Surface()), info_(info), sources_(sources), options_(options) {}

  void DrawPaperBox() {
    const TPlotParams& params = info_.PlotParams;
    surface_.SetPen(SheetOutline, 1, TPenStyle::Solid);
    surface_.SetBrush(SheetFill);
    window_.PlotRect(Lift(params.Margin * -1), Lift(params.PaperWindow + params.Margin));
    surface_.SetPen(sources_.Colors.FrameColor, 1, TPenStyle::Solid);
    surface_.SetBrush(sources_.Colors.BackColor);
    window_.PlotRect(Lift({0, 0}), Lift(params.PaperWindow));
  }

  void DrawGrid() {
    TColor major = sources_.Colors.GridColor, minor = LightenColor(major);
    // The grid runs down from the window's top edge, as the export draws it.
    const double top = info_.PlotParams.PaperWindow.Y;
    DrawMajorGrid(info_, [&](bool, bool isMajor, T2DVector v1, T2DVector v2, const TPlotParams&) {
      surface_.SetPen(isMajor ? major : minor, 1, TPenStyle::Solid);
      window_.Plotline('M', Lift({v1.X, top - v1.Y}));
      window_.Plotline('D', Lift({v2.X, top - v2.Y}));
    });
  }

  void DrawPassages(TPreviewCounters& counters) {
    surface_.SetPen(sources_.Colors.PassWallColor, 1, TPenStyle::Solid);
    surface_.SetBrush(sources_.Colors.PassFillColor);
    PlotPassages(
        sources_.Projection, sources_.Plot, sources_.Tree, sources_.Passage, info_,
        [&](const T3DVector& p1, const T3DVector& p2, const T3DVector& p3) { window_.PlotTriangle(p1, p2, p3); },
        // The corners come round the face; filled as they come (not P1 P2 P4
        // P3, which would cross the face into a bow tie).
        [&](const T3DVector& p1, const T3DVector& p2, const T3DVector& p3, const T3DVector& p4) {
          window_.PlotQuad(p1, p2, p3, p4);
          ++counters.RectCnt;
        },
        true);
  }

  void DrawLRUDs() {
    PlotLRUDs(sources_.Projection, sources_.Plot, sources_.Tree, sources_.Passage, info_,
              [&](int, const T3DVector& p1, const T3DVector& p2, const T3DLRUDVector& from, const T3DLRUDVector& to,
                  const TPlotParams&) {
                Cross(p1, from, sources_.Colors.FromLRUDColor);
                Cross(p2, to, sources_.Colors.ToLRUDColor);
              });
  }

  void DrawShots(TPreviewCounters& counters) {
    surface_.SetFont(LabelFont, 8, Black);
    surface_.ClearBrush();
    PlotPassageShots(sources_.Projection, sources_.Plot, sources_.Tree, info_,
                     [&](bool start, int from, int to, const T3DVector& v1, const T3DVector& v2, const TSVGInfo&,
                         const TSurveyID& survey) {
                       if (survey.SurveyType != stSurvey) return;
                       bool splay = survey.Flags.View().find('S') != std::string_view::npos;
                       surface_.SetPen(splay ? sources_.Colors.SplayColor : sources_.Colors.LineColor, 1,
                                       splay ? TPenStyle::Dotted : TPenStyle::Solid);
                       window_.Plotline('M', v1);
                       window_.Plotline('D', v2);
                       if (options_.LabelStations) {
                         if (start) PlotStation(from, v1, {});
                         PlotStation(to, v2, {});
                       }
                       ++counters.PlottedShots;
                     });
  }

  void DrawLegend(const TNumberFormatter& format) {
    surface_.SetPen(Black, 1, TPenStyle::Solid);
    DoScaleBar(
        info_, sources_.Factors,
        [&](const std::string& text, bool, bool filled, T2DVector p1, T2DVector p2) {
          if (!text.empty()) {
            surface_.SetPen(Black, 1, TPenStyle::Solid);
            surface_.ClearBrush();
            window_.PlotTextHeight(text, 0.25, Lift(p1));
          } else {
            surface_.SetPen(Black, 1, TPenStyle::Solid);
            surface_.SetBrush(filled ? Black : White);
            window_.PlotRect(Lift(p1), Lift(p2));
          }
        },
        format);
    DoNorthArrow(info_, [&](bool line, bool filled, T2DVector p1, T2DVector p2, T2DVector p3) {
      surface_.SetPen(Black, 1, TPenStyle::Solid);
      if (line) {
        window_.Plotline('M', Lift(p1));
        window_.Plotline('D', Lift(p2));
      } else {
        surface_.SetBrush(filled ? Black : White);
        window_.PlotTriangle(Lift(p1), Lift(p2), Lift(p3));
      }
    });
  }

  void MarkPaperCenter() {
    TPixel a = window_.RealToPixel(Lift({0, 0})), b = window_.RealToPixel(Lift(info_.PlotParams.PaperWindow));
    TPixel center{(a.X + b.X) / 2, (a.Y + b.Y) / 2};
    surface_.SetPen(Red, 1, TPenStyle::Solid);
    surface_.SetBrush(Red);
    surface_.Ellipse({center.X - 3, center.Y - 3, center.X + 3, center.Y + 3});
    surface_.Line({center.X - 6, center.Y}, {center.X + 6, center.Y});
    surface_.Line({center.X, center.Y - 6}, {center.X, center.Y + 6});
  }

  void DrawFeatures() {
    PlotPassageShots(sources_.Projection, sources_.Plot, sources_.Tree, info_,
                     [&](bool start, int from, int to, const T3DVector& v1, const T3DVector& v2, const TSVGInfo&,
                         const TSurveyID& survey) { PlotFeature(start, from, to, v1, v2, survey); });
  }

private:
  void Cross(const T3DVector& center, const T3DLRUDVector& lrud, TColor color) {
    surface_.SetPen(color, 1, TPenStyle::Solid);
    for (const T3DVector* wall : {&lrud.Left, &lrud.Right, &lrud.Up, &lrud.Down}) {
      window_.Plotline('M', center);
      window_.Plotline('D', *wall);
    }
  }

  void PlotStation(int vector, const T3DVector& at, TPixel offset) {
    surface_.SetFont(LabelFont, LabelPoints, Black);
    window_.PlotText(sources_.Plot.VectorArray[vector].Station, at, offset);
    window_.PlotPoint(at, 2, Yellow);
  }

  void PlotFeatureName(std::string_view name, const T3DVector& at) {
    surface_.SetFont(LabelFont, LabelPoints, Black);
    surface_.SetPen(Black, 1, TPenStyle::Solid);
    surface_.SetBrush(White);
    window_.BoxText(name, at, haRight, vaTop);
  }

  void PlotFeature(bool start, int from, int to, const T3DVector& v1, const T3DVector& v2, const TSurveyID& survey) {
    if (survey.SurveyType == stSurvey) return;
    const TFeatureInfo& feature = survey.Attributes.FeatureInfo;
    const TPlotVector& point = sources_.Plot.VectorArray[to];
    surface_.ClearBrush();
    TPixel offset{};
    auto plotText = [&](const std::string& text, const std::string& face, double points, TColor color) {
      surface_.SetFont(face, points, color);
      window_.PlotText(text, v1);
      offset = {surface_.TextExtent(text).X, 0};
    };
    const std::string symbol(1, static_cast<char>(feature.Symbol));
    switch (point.Command) {
      case 'D':
        surface_.SetPen(feature.LineColor, 3, TPenStyle::Solid);
        window_.Plotline('M', v1);
        window_.Plotline('D', v2);
        surface_.SetPen(Black, 1, TPenStyle::Solid);
        break;
      case 'L': plotText(symbol, feature.FontFace.Str(), feature.SizeLow, feature.FontColor); break;
      case 'V':
        if (feature.NumberMode == nmSymbol)
          plotText(symbol, feature.FontFace.Str(), FeatureSymbolSize(point, feature), feature.FontColor);
        else
          plotText(FeatureValueText(point.Right, feature) + " ", LabelFont, LabelPoints, Black);
        break;
      default: break;
    }
    if (options_.LabelStations) {
      if (start) PlotStation(from, v1, offset);
      PlotStation(to, v2, offset);
    }
    if (feature.LabelFeatures) {
      if (start) PlotFeatureName(survey.Name, v1);
      PlotFeatureName(survey.Name, v2);
    }
  }

  TPlotWindow& window_;
  TDrawingSurface& surface_;
  const TSVGInfo& info_;
  const TDrawingSources& sources_;
  const TDisplayOptions& options_;
};

// SVG points back to paper inches: the export's last step undone.
void DrawTargetShots(TPlotWindow& window, std::span<const T2DLine> shots, const TPlotParams& params) {
  window.Surface().SetPen(TargetShotColor, 2, TPenStyle::Solid);
  const double top = params.PaperWindow.Y + params.Margin.Y;
  auto paper = [&](T2DVector svg) {
    return T3DVector{svg.X / PointsPerInch - params.Margin.X, top - svg.Y / PointsPerInch, top - svg.Y / PointsPerInch};
  };
  for (const T2DLine& shot : shots) {
    window.Plotline('M', paper(shot.P1));
    window.Plotline('D', paper(shot.P2));
  }
}

}  // namespace

TColor LightenColor(TColor color) {
  auto lighten = [&](int shift) { return static_cast<std::uint8_t>(std::min(255.0, ((color >> shift) & 0xFF) * 1.2)); };
  return RGBColor(lighten(0), lighten(8), lighten(16));
}

TPreviewCounters DisplayCave(TPlotWindow& window, const TSVGInfo& info, const TDrawingSources& sources,
                             const TDisplayOptions& options, const TNumberFormatter& format) {
  TPreviewCounters counters;
  if (!sources.Plot.FileLoaded) return counters;
  const TPlotParams& params = info.PlotParams;
  TDrawingSurface& surface = window.Surface();
  surface.SetPen(Black, 1, TPenStyle::Solid);
  surface.SetFont(LabelFont, LabelPoints, Black);
  window.SetScale(params.Plan, 0, params.PaperWindow.X, 0, params.PaperWindow.Y, 0, params.PaperWindow.Y);
  TPreviewPainter painter(window, info, sources, options);
  painter.DrawPaperBox();
  window.SetRealClipWindow({0, 0}, params.PaperWindow);
  struct TClipGuard {
    TPlotWindow& window;
    ~TClipGuard() { window.ClearClipWindow(); }
  } clip{window};
  if (options.ShowGrid) painter.DrawGrid();
  if (options.ShowPassageWalls) painter.DrawPassages(counters);
  if (!options.TargetShots.empty()) DrawTargetShots(window, options.TargetShots, params);
  if (options.ShowLRUDBars) painter.DrawLRUDs();
  painter.DrawShots(counters);
  painter.DrawLegend(format);
  if (options.ShowCenterPoint) painter.MarkPaperCenter();
  if (options.ShowFeatures) painter.DrawFeatures();
  return counters;
}
