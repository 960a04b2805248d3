#include "MapDecorations.h"

#include <cmath>

namespace {

constexpr double Radians = 3.14159265358979323846 / 180;
const T2DVector ScaleBarAnchor{0.25, 0.25};
const T2DVector NorthArrowCenter{1.5, 1.5};
constexpr double NorthArrowLength = 1.5;

// Turns p about c by angle degrees, clockwise like the yaw.
T2DVector RotatePoint2D(T2DVector p, T2DVector c, double angle) {
  double cosine = std::cos(angle * Radians), sine = std::sin(angle * Radians);
  T2DVector d = p - c;
  return {d.X * cosine + d.Y * sine + c.X, -d.X * sine + d.Y * cosine + c.Y};
}

void DrawScaleBar(T2DVector pos, T2DVector size, int cells, const TDrawScaleProc& drawProc) {
  double step = size.X / cells, h = size.Y / 2;
  T2DVector p1 = pos;
  for (int i = 0; i < cells; ++i) {
    T2DVector p2{p1.X + step, p1.Y + h};
    drawProc("", true, i % 2 == 0, p1, p2);
    drawProc("", true, i % 2 == 1, p1 + T2DVector{0, h}, p2 + T2DVector{0, h});
    p1.X += step;
  }
}

void DisplayScaleBar(const TScaleBarSetup& bar, const TDrawScaleProc& drawProc) {
  const T2DVector size{bar.Width, 0.12};
  DrawScaleBar(ScaleBarAnchor, size, 4, drawProc);
  DrawScaleBar(ScaleBarAnchor + T2DVector{bar.Width, 0}, size, 2, drawProc);
  T2DVector label1 = ScaleBarAnchor + T2DVector{0.9 * bar.Width, 0.132};
  T2DVector label2 = ScaleBarAnchor + T2DVector{2.1 * bar.Width, 0};
  drawProc(bar.Label1, false, false, label1, label1);
  drawProc(bar.Label2, false, false, label2, label2);
}

// A triangle pair of size s at tip, turned by the angle: A4 the tip, A1 ahead, A2 and A3 behind.
void DrawArrowHead(T2DVector tip, double s, double angle, bool secondFilled, const TDrawNorthProc& drawProc) {
  T2DVector origin;
  auto place = [&](T2DVector a) { return RotatePoint2D(a, origin, angle) + tip; };
  T2DVector a1 = place({0, s}), a2 = place({-s / 2.5, -s / 2.5}), a3 = place({s / 2.5, -s / 2.5}), a4 = place({0, 0});
  drawProc(false, true, a4, a1, a2);
  drawProc(false, secondFilled, a4, a1, a3);
}

}  // namespace

TGridDrawn DrawMajorGrid(const TSVGInfo& info, const TGridProcedure& gridProc) {
  const TPlotParams& params = info.PlotParams;
  double spacing = info.GridParams.Spacing * params.Scale;
  if (!(spacing > 0)) return TGridDrawn::None;
  const T2DVector window = params.PaperWindow;
  const double majorLines = (window.X + window.Y) / spacing;
  if (!(majorLines <= MaxGridLines)) return TGridDrawn::None;
  // Every line when there are few enough, else only the major ones.
  const int every = 5 * majorLines <= MaxGridLines ? 1 : 5;
  double minorSpace = spacing / 5;
  for (long i = 0; i * minorSpace < window.Y; i += every) gridProc(true, i % 5 == 0, {0, i * minorSpace}, {window.X, i * minorSpace}, params);
  for (long i = 0; i * minorSpace < window.X; i += every) gridProc(false, i % 5 == 0, {i * minorSpace, 0}, {i * minorSpace, window.Y}, params);
  return every == 1 ? TGridDrawn::All : TGridDrawn::MajorOnly;
}

TScaleBarSetup SetupFixedLengthBar(const TSVGInfo& info, const TFootFactors& factors, const TNumberFormatter& format) {
  double us = info.UnitScale;
  if (info.Feet) return {1, format(us, 1), format(2 * us, 1) + "Ft"};
  return {40 * factors.Millimeters2Inches, format(4 * us, 1), format(8 * us, 1) + "M"};
}

TScaleBarSetup SetupVariableLengthBar(const TSVGInfo& info, const TFootFactors& factors, const TNumberFormatter& format) {
  double us = info.UnitScale;
  double base = us >= 1 ? 5 : 1;
  double f = std::ceil(us / base) * base;
  if (info.Feet) return {f / us, format(f, 0), format(2 * f, 0) + "Ft"};
  return {f / us * 2 * factors.Centimeters2Inches, format(2 * f, 0), format(4 * f, 0) + "M"};
}

void DoScaleBar(const TSVGInfo& info, const TFootFactors& factors, const TDrawScaleProc& drawProc,
                const TNumberFormatter& format) {
  TScaleBarSetup bar = info.ModuloBar ? SetupVariableLengthBar(info, factors, format)
                                      : SetupFixedLengthBar(info, factors, format);
  DisplayScaleBar(bar, drawProc);
}

void DoNorthArrow(const TSVGInfo& info, const TDrawNorthProc& drawProc) {
  double angle = info.PlotParams.YawAngle, length = NorthArrowLength;
  T2DVector p1 = RotatePoint2D(NorthArrowCenter + T2DVector{0, -length / 2}, NorthArrowCenter, angle);
  T2DVector p2 = RotatePoint2D(NorthArrowCenter + T2DVector{0, length / 2}, NorthArrowCenter, angle);
  drawProc(true, false, p1, p2, p2);
  DrawArrowHead(p2, length / 8, angle, false, drawProc);
  DrawArrowHead(p1, length / 10, angle, true, drawProc);
}
