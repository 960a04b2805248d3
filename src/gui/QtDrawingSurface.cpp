#include "QtDrawingSurface.h"

#include <QFontMetrics>
#include <QPolygon>
#include <algorithm>

#include "QtUserInterface.h"

QColor ToQColor(TColor color) { return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF); }

TColor FromQColor(const QColor& color) {
  return RGBColor(static_cast<std::uint8_t>(color.red()), static_cast<std::uint8_t>(color.green()),
                  static_cast<std::uint8_t>(color.blue()));
}

void TQtDrawingSurface::FlushLines() {
  if (lines_.empty()) return;
  painter_->drawLines(lines_.data(), static_cast<int>(lines_.size()));
  lines_.clear();
}

void TQtDrawingSurface::StartPainter(QPainter& painter, QImage& image, QPoint origin) {
  painter.begin(&image);
  painter.translate(-origin);
  if (painter_) {  // carry pen, brush and font over
    painter.setPen(painter_->pen());
    painter.setBrush(painter_->brush());
    painter.setFont(painter_->font());
  }
  painter_ = &painter;
}

void TQtDrawingSurface::Begin(QImage& image) {
  lines_.clear();
  pen_.reset();
  brush_.reset();
  brushKnown_ = false;
  image_ = &image;
  width_ = image.width();
  height_ = image.height();
  painter_ = nullptr;
  StartPainter(main_, image, {});
}

void TQtDrawingSurface::End() {
  ClearClip();
  FlushLines();
  main_.end();
  painter_ = nullptr;
}

// Pens and brushes are set only when they change: a repaint sets them per shot.
void TQtDrawingSurface::SetPen(TColor color, int width, TPenStyle style) {
  TPenKey key{color, width, style};
  if (pen_ == key) return;
  FlushLines();
  pen_ = key;
  QPen pen(ToQColor(color), width, style == TPenStyle::Dotted ? Qt::DotLine : Qt::SolidLine);
  pen.setCosmetic(true);  // widths in pixels, whatever the transform
  painter_->setPen(pen);
}

void TQtDrawingSurface::SetBrush(TColor color) {
  if (brushKnown_ && brush_ == std::optional<TColor>(color)) return;
  FlushLines();
  brushKnown_ = true;
  brush_ = color;
  painter_->setBrush(ToQColor(color));
}

void TQtDrawingSurface::ClearBrush() {
  if (brushKnown_ && !brush_) return;
  FlushLines();
  brushKnown_ = true;
  brush_.reset();
  painter_->setBrush(Qt::NoBrush);
}

void TQtDrawingSurface::SetFont(const std::string& face, double points, TColor color) {
  FlushLines();
  QFont font(FromCore(face));
  font.setPointSizeF(std::max(points, 1.0));
  painter_->setFont(font);
  textColor_ = ToQColor(color);
}

void TQtDrawingSurface::SetFontPixels(int pixels) {
  FlushLines();
  QFont font = painter_->font();
  font.setPixelSize(std::max(pixels, 1));
  painter_->setFont(font);
}

void TQtDrawingSurface::Line(TPixel from, TPixel to) { lines_.emplace_back(from.X, from.Y, to.X, to.Y); }

void TQtDrawingSurface::Polygon(std::span<const TPixel> points) {
  // The painter draws nothing for a polygon whose corners all fall on one
  // pixel; a zoomed-out cave has a great many of them, so skip the call.
  if (std::all_of(points.begin(), points.end(), [&](const TPixel& p) { return p == points.front(); })) return;
  FlushLines();
  QPoint corners[8];
  const std::size_t count = std::min(points.size(), std::size(corners));
  for (std::size_t i = 0; i < count; ++i) corners[i] = QPoint(points[i].X, points[i].Y);
  painter_->drawPolygon(corners, static_cast<int>(count));
}

void TQtDrawingSurface::Ellipse(TPixelRect r) {
  FlushLines();
  painter_->drawEllipse(QRect(QPoint(r.Left, r.Top), QPoint(r.Right, r.Bottom)));
}

void TQtDrawingSurface::Rectangle(TPixelRect r) {
  FlushLines();
  painter_->drawRect(QRect(QPoint(r.Left, r.Top), QPoint(r.Right - 1, r.Bottom - 1)));
}

void TQtDrawingSurface::Text(TPixel at, std::string_view text, TTextAnchor anchor) {
  FlushLines();
  QPen pen = painter_->pen();
  painter_->setPen(textColor_);
  QFontMetrics metrics(painter_->font());
  int baseline = anchor == TTextAnchor::TopLeft ? at.Y + metrics.ascent() : at.Y;
  painter_->drawText(at.X, baseline, FromCore(text));
  painter_->setPen(pen);
}

TPixel TQtDrawingSurface::TextExtent(std::string_view text) {
  QFontMetrics metrics(painter_->font());
  return {metrics.horizontalAdvance(FromCore(text)), metrics.height()};
}

void TQtDrawingSurface::SetClip(TPixelRect r) {
  ClearClip();
  QRect clip = QRect(QPoint(r.Left, r.Top), QPoint(r.Right, r.Bottom)).intersected(image_->rect());
  if (clip.isEmpty()) clip = QRect(0, 0, 1, 1);
  uchar* first = image_->bits() + clip.top() * image_->bytesPerLine() + clip.left() * (image_->depth() / 8);
  clipImage_ = QImage(first, clip.width(), clip.height(), image_->bytesPerLine(), image_->format());
  StartPainter(clipped_, clipImage_, clip.topLeft());
}

void TQtDrawingSurface::ClearClip() {
  FlushLines();
  if (painter_ != &clipped_) return;
  // Pen, brush and font carry over; an ended painter no longer has them.
  main_.setPen(clipped_.pen());
  main_.setBrush(clipped_.brush());
  main_.setFont(clipped_.font());
  clipped_.end();
  painter_ = &main_;
}
