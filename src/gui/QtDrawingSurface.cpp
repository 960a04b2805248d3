#include "QtDrawingSurface.h"

#include <QFontMetrics>
#include <QPolygon>

#include "QtUserInterface.h"

QColor ToQColor(TColor color) { return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF); }

void TQtDrawingSurface::Begin(QPainter* painter, int width, int height) {
  painter_ = painter;
  width_ = width;
  height_ = height;
}

void TQtDrawingSurface::SetPen(TColor color, int width, TPenStyle style) {
  painter_->setPen(QPen(ToQColor(color), width, style == TPenStyle::Dotted ? Qt::DotLine : Qt::SolidLine));
}

void TQtDrawingSurface::SetBrush(TColor color) { painter_->setBrush(ToQColor(color)); }
void TQtDrawingSurface::ClearBrush() { painter_->setBrush(Qt::NoBrush); }

void TQtDrawingSurface::SetFont(const std::string& face, double points, TColor color) {
  QFont font(FromCore(face));
  font.setPointSizeF(std::max(points, 1.0));
  painter_->setFont(font);
  textColor_ = ToQColor(color);
}

void TQtDrawingSurface::SetFontPixels(int pixels) {
  QFont font = painter_->font();
  font.setPixelSize(std::max(pixels, 1));
  painter_->setFont(font);
}

void TQtDrawingSurface::Line(TPixel from, TPixel to) { painter_->drawLine(from.X, from.Y, to.X, to.Y); }

void TQtDrawingSurface::Polygon(const std::vector<TPixel>& points) {
  QPolygon polygon;
  for (const TPixel& p : points) polygon << QPoint(p.X, p.Y);
  painter_->drawPolygon(polygon);
}

void TQtDrawingSurface::Ellipse(TPixelRect r) { painter_->drawEllipse(QRect(QPoint(r.Left, r.Top), QPoint(r.Right, r.Bottom))); }

void TQtDrawingSurface::Rectangle(TPixelRect r) {
  painter_->drawRect(QRect(QPoint(r.Left, r.Top), QPoint(r.Right - 1, r.Bottom - 1)));
}

void TQtDrawingSurface::Text(TPixel at, std::string_view text, TTextAnchor anchor) {
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
  painter_->setClipRect(QRect(QPoint(r.Left, r.Top), QPoint(r.Right, r.Bottom)));
}

void TQtDrawingSurface::ClearClip() { painter_->setClipping(false); }
