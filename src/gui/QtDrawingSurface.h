#pragma once
// The plot window's pixel operations on a QPainter: a widget's or an image's.

#include <QPainter>

#include "preview/Plotwind.h"

class TQtDrawingSurface : public TDrawingSurface {
public:
  // Draws with painter on a device of the given size until the next Begin.
  void Begin(QPainter* painter, int width, int height);

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void SetPen(TColor color, int width, TPenStyle style) override;
  void SetBrush(TColor color) override;
  void ClearBrush() override;
  void SetFont(const std::string& face, double points, TColor color) override;
  void SetFontPixels(int pixels) override;
  void Line(TPixel from, TPixel to) override;
  void Polygon(const std::vector<TPixel>& points) override;
  void Ellipse(TPixelRect bounds) override;
  void Rectangle(TPixelRect bounds) override;
  void Text(TPixel at, std::string_view text, TTextAnchor anchor) override;
  TPixel TextExtent(std::string_view text) override;
  void SetClip(TPixelRect clip) override;
  void ClearClip() override;

private:
  QPainter* painter_ = nullptr;
  int width_ = 0, height_ = 0;
  QColor textColor_;
};

QColor ToQColor(TColor color);
