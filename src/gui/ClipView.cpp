#include "ClipView.h"

#include <QMouseEvent>
#include <QPainter>
#include <array>

TClipView::TClipView(TAppContext& app, const TExcludeTool& tool, bool plan, std::function<void(TLimit, double)> dragged)
    : app_(app), tool_(tool), plan_(plan), dragged_(std::move(dragged)) {
  setMouseTracking(true);
  setMinimumSize(200, 120);
  setObjectName(plan ? "PlanWindow" : "ProfWindow");
}

int TClipView::PixelOf(TLimit limit) const {
  const TClipBox& box = tool_.Box;
  switch (limit) {
    case West: return window_.RealToPixel(box.West, 0, 0).X;
    case East: return window_.RealToPixel(box.East, 0, 0).X;
    case South: return window_.RealToPixel(0, box.South, box.South).Y;
    case North: return window_.RealToPixel(0, box.North, box.North).Y;
    case Bottom: return window_.RealToPixel(0, box.Bottom, box.Bottom).Y;
    case Top: return window_.RealToPixel(0, box.Top, box.Top).Y;
  }
  return 0;
}

std::optional<TClipView::TLimit> TClipView::OverLine(QPoint at) const {
  const TLimit order[] = {West, East, plan_ ? North : Top, plan_ ? South : Bottom};
  for (TLimit limit : order) {
    const bool column = limit == West || limit == East;
    if (std::abs((column ? at.x() : at.y()) - PixelOf(limit)) <= 1) return limit;
  }
  return std::nullopt;
}

void TClipView::paintEvent(QPaintEvent*) {
  if (image_.size() != size()) image_ = QImage(size(), QImage::Format_RGB32);
  image_.fill(Qt::black);
  surface_.Begin(image_);
  const TPlotState& plot = app_.Plot;
  if (plot.FileLoaded && plot.VectorArray.Count() > 0) {
    const TBoundBox& box = plot.CaveBox;
    window_.SetScale(plan_, box.Min.East, box.Max.East, box.Min.North, box.Max.North, box.Min.Vert, box.Max.Vert);
    surface_.SetPen(plan_ ? clRed : RGBColor(0, 0, 0xFF), 1, TPenStyle::Solid);
    for (long i = 0; i < plot.VectorArray.Count(); ++i) {
      const TPlotVector& v = plot.VectorArray[i];
      T3DVector at = v.Location.Vector();
      if (!plan_ && tool_.Criteria.SubtractPlane) at.Z -= tool_.GetPlaneOffset(plot, at.X, at.Y);
      window_.Plotline(v.Command == 'D' ? 'D' : 'M', at);
    }
  }
  surface_.End();
  QPainter painter(this);
  painter.drawImage(0, 0, image_);
  if (window_.Scale() == 0) return;
  painter.setPen(QColor(0, 128, 0));
  for (TLimit limit : {West, East}) painter.drawLine(PixelOf(limit), 0, PixelOf(limit), height());
  for (TLimit limit : plan_ ? std::array{North, South} : std::array{Top, Bottom})
    painter.drawLine(0, PixelOf(limit), width(), PixelOf(limit));
}

void TClipView::mousePressEvent(QMouseEvent* event) { moving_ = OverLine(event->position().toPoint()); }

void TClipView::mouseReleaseEvent(QMouseEvent*) { moving_.reset(); }

void TClipView::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (!moving_) {
    const std::optional<TLimit> over = OverLine(at);
    setCursor(!over ? Qt::ArrowCursor : *over == West || *over == East ? Qt::SplitHCursor : Qt::SplitVCursor);
    return;
  }
  const T3DVector real = window_.PixelToReal(at.x(), at.y());
  const bool column = *moving_ == West || *moving_ == East;
  dragged_(*moving_, column ? real.X : plan_ ? real.Y : real.Z);
}
