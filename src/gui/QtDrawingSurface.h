#pragma once
// The plot window's pixel operations on an image. A clip window is an image
// that shares the clipped part's pixels, so that drawing is clipped by the
// image's own bounds, which costs nothing (a painter's clip rectangle slows
// every line and polygon).

#include <QPainter>
#include <optional>
#include <vector>

#include "preview/Plotwind.h"

class TQtDrawingSurface : public TDrawingSurface {
public:
  // Draws on the image until End.
  void Begin(QImage& image);
  void End();

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void SetPen(TColor color, int width, TPenStyle style) override;
  void SetBrush(TColor color) override;
  void ClearBrush() override;
  void SetFont(const std::string& face, double points, TColor color) override;
  void SetFontPixels(int pixels) override;
  void Line(TPixel from, TPixel to) override;
  void Polygon(std::span<const TPixel> points) override;
  void Ellipse(TPixelRect bounds) override;
  void Rectangle(TPixelRect bounds) override;
  void Text(TPixel at, std::string_view text, TTextAnchor anchor) override;
  TPixel TextExtent(std::string_view text) override;
  void SetClip(TPixelRect clip) override;
  void ClearClip() override;

private:
  // Consecutive lines in one pen go to the painter together, which costs a
  // fraction of drawing them one by one.
  void FlushLines();

  struct TPenKey {
    TColor Color;
    int Width;
    TPenStyle Style;
    friend bool operator==(const TPenKey&, const TPenKey&) = default;
  };

  void StartPainter(QPainter& painter, QImage& image, QPoint origin);

  QImage* image_ = nullptr;
  QPainter main_, clipped_;
  QImage clipImage_;
  QPainter* painter_ = nullptr;
  std::optional<TPenKey> pen_;
  std::optional<TColor> brush_;  // none: clear
  bool brushKnown_ = false;
  int width_ = 0, height_ = 0;
  QColor textColor_;
  std::vector<QLine> lines_;
};

// The core's colour words and Qt's colours.
QColor ToQColor(TColor color);
TColor FromQColor(const QColor& color);
