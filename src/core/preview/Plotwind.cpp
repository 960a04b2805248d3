#include "Plotwind.h"

#include <cmath>
#include <cstdint>

namespace {

std::int64_t Trunc(double value) { return static_cast<std::int64_t>(value); }

}  // namespace

void TPlotWindow::SetScale(bool plan, double minX, double maxX, double minY, double maxY, double minZ, double maxZ) {
  plan_ = plan;
  T2DVector min{minX, plan ? minY : minZ}, max{maxX, plan ? maxY : maxZ};
  T2DVector delta = max - min;
  const double width = surface_.Width(), height = surface_.Height();
  const double aspect = height / width, border = 1 - BorderPercent / 100.0;
  scale_ = aspect * delta.X >= delta.Y ? border * width / delta.X : border * height / delta.Y;
  const std::int64_t w = surface_.Width(), h = surface_.Height();
  offset_.X = static_cast<double>(Trunc(scale_ * min.X) - (w - Trunc(delta.X * scale_)) / 2);
  offset_.Y = static_cast<double>(Trunc(scale_ * min.Y + static_cast<double>(h)) - (h - Trunc(delta.Y * scale_)) / 2 - 1);
}

TPixel TPlotWindow::RealToPixel(double x, double y, double z) const {
  return {static_cast<int>(Trunc(scale_ * x - offset_.X)), static_cast<int>(Trunc(offset_.Y - scale_ * (plan_ ? y : z)))};
}

T3DVector TPlotWindow::PixelToReal(int x, int y) const {
  if (scale_ == 0) return {};
  double vertical = (offset_.Y - y) / scale_;
  return {(x + offset_.X) / scale_, plan_ ? vertical : 0, plan_ ? 0 : vertical};
}

void TPlotWindow::SetRealClipWindow(const T2DVector& topLeft, const T2DVector& bottomRight) {
  TPixel a = RealToPixel(topLeft), b = RealToPixel(bottomRight);
  SetClipWindow({std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y)});
}

void TPlotWindow::Plotline(char command, const T3DVector& v) {
  if (command != 'M' && command != 'D') return;
  TPixel to = RealToPixel(v);
  // A line to the pixel the pen stands on draws nothing, as on the platform
  // the preview was made for (an LRUD's up and down strokes in plan).
  if (command == 'D' && !(to == pen_)) surface_.Line(pen_, to);
  pen_ = to;
}

void TPlotWindow::PlotTriangle(const T3DVector& p1, const T3DVector& p2, const T3DVector& p3) {
  const TPixel points[] = {RealToPixel(p1), RealToPixel(p2), RealToPixel(p3)};
  surface_.Polygon(points);
}

void TPlotWindow::PlotQuad(const T3DVector& p1, const T3DVector& p2, const T3DVector& p3, const T3DVector& p4) {
  const TPixel points[] = {RealToPixel(p1), RealToPixel(p2), RealToPixel(p3), RealToPixel(p4)};
  surface_.Polygon(points);
}

void TPlotWindow::PlotRect(const T3DVector& topLeft, const T3DVector& bottomRight) {
  PlotQuad(topLeft, {bottomRight.X, topLeft.Y, topLeft.Z}, bottomRight, {topLeft.X, bottomRight.Y, bottomRight.Z});
}

void TPlotWindow::PlotPoint(const T3DVector& pos, int size, TColor c) {
  TPixel at = RealToPixel(pos);
  surface_.SetPen(c, 1, TPenStyle::Solid);
  surface_.SetBrush(c);
  surface_.Ellipse({at.X - size, at.Y - size, at.X + size, at.Y + size});
}

void TPlotWindow::PlotText(std::string_view text, const T3DVector& pos, TPixel offset) {
  TPixel at = RealToPixel(pos);
  surface_.Text({at.X + offset.X, at.Y + offset.Y}, text, TTextAnchor::BaselineLeft);
}

void TPlotWindow::PlotTextHeight(std::string_view text, double height, const T3DVector& pos) {
  surface_.SetFontPixels(static_cast<int>(Trunc(scale_ * height)));
  PlotText(text, pos);
}

void TPlotWindow::BoxText(std::string_view text, const T3DVector& pos, THorizAlign horizontal, TVertAlign vertical,
                          int penWidth) {
  TPixel extent = surface_.TextExtent(text), at = RealToPixel(pos);
  TPixelRect box{at.X, at.Y, at.X + extent.X + 4, at.Y + extent.Y + 4};
  int dx = horizontal == haRight ? -(penWidth + extent.X + 2) : 0;
  int dy = vertical == vaBottom ? -(penWidth + extent.Y + 2) : 0;
  box = {box.Left + dx, box.Top + dy, box.Right + dx, box.Bottom + dy};
  surface_.Rectangle(box);
  surface_.ClearBrush();
  surface_.Text({box.Left + 2, box.Top + 2}, text, TTextAnchor::TopLeft);
}

void TPlotWindow::PaintFrame() {
  if (!DrawFrame) return;
  const int width = surface_.Width(), height = surface_.Height();
  const int insetX = static_cast<int>(std::lround(width * BorderPercent / 100.0));
  const int insetY = static_cast<int>(std::lround(height * BorderPercent / 100.0));
  surface_.SetPen(FrameColor, 1, TPenStyle::Solid);
  surface_.ClearBrush();
  surface_.Rectangle({insetX, insetY, width - insetX, height - insetY});
}
