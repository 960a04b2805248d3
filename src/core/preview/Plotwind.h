#pragma once
// The plot window: maps real coordinates (paper inches for the main
// preview) onto the pixels of a drawing surface so that a given box fills it
// less a border, in plan (real X, Y) or profile (real X, Z) with the
// vertical axis up, and draws in real coordinates.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "support/Color.h"
#include "support/Vector.h"

struct TPixel {
  int X = 0, Y = 0;
  friend bool operator==(const TPixel&, const TPixel&) = default;
};

struct TPixelRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
};

enum class TPenStyle { Solid, Dotted };
enum THorizAlign { haLeft, haRight };
enum TVertAlign { vaBottom, vaTop };
// Where a text's reference point lies: its baseline-left corner, or its top-left.
enum class TTextAnchor { BaselineLeft, TopLeft };

// The pixel operations a plot window draws with: a window's painter, an image.
class TDrawingSurface {
public:
  virtual ~TDrawingSurface() = default;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual void SetPen(TColor color, int width, TPenStyle style) = 0;
  virtual void SetBrush(TColor color) = 0;
  virtual void ClearBrush() = 0;
  // A font of the given face and character height in points.
  virtual void SetFont(const std::string& face, double points, TColor color) = 0;
  virtual void SetFontPixels(int pixels) = 0;  // the height alone
  virtual void Line(TPixel from, TPixel to) = 0;
  virtual void Polygon(std::span<const TPixel> points) = 0;
  virtual void Ellipse(TPixelRect bounds) = 0;
  virtual void Rectangle(TPixelRect bounds) = 0;
  virtual void Text(TPixel at, std::string_view text, TTextAnchor anchor) = 0;
  virtual TPixel TextExtent(std::string_view text) = 0;  // width and height
  virtual void SetClip(TPixelRect clip) = 0;
  virtual void ClearClip() = 0;
};

class TPlotWindow {
public:
  explicit TPlotWindow(TDrawingSurface& surface) : surface_(surface) {}

  int BorderPercent = 5;
  bool DrawFrame = false;
  TColor FrameColor = 0;

  double Scale() const { return scale_; }
  T2DVector Offset() const { return offset_; }
  bool PlanView() const { return plan_; }
  TDrawingSurface& Surface() { return surface_; }

  // Fits the real box into the surface less the border, centred.
  void SetScale(bool plan, double minX, double maxX, double minY, double maxY, double minZ, double maxZ);
  TPixel RealToPixel(double x, double y, double z) const;
  TPixel RealToPixel(const T3DVector& v) const { return RealToPixel(v.X, v.Y, v.Z); }
  TPixel RealToPixel(const T2DVector& v) const { return RealToPixel(v.X, v.Y, v.Y); }
  // The real point of a pixel; the coordinate the view does not show is 0.
  // Before the first SetScale the result is (0, 0, 0).
  T3DVector PixelToReal(int x, int y) const;

  void SetClipWindow(TPixelRect clip) { surface_.SetClip(clip); }
  void SetRealClipWindow(const T2DVector& topLeft, const T2DVector& bottomRight);
  void ClearClipWindow() { surface_.ClearClip(); }

  // "M" moves the pen to the point, "D" draws a line to it; anything else does nothing.
  void Plotline(char command, const T3DVector& v);
  void PlotTriangle(const T3DVector& p1, const T3DVector& p2, const T3DVector& p3);
  void PlotQuad(const T3DVector& p1, const T3DVector& p2, const T3DVector& p3, const T3DVector& p4);
  void PlotRect(const T3DVector& topLeft, const T3DVector& bottomRight);
  // A disc of radius size pixels in colour c (pen and brush left in that colour).
  void PlotPoint(const T3DVector& pos, int size, TColor c);
  void PlotText(std::string_view text, const T3DVector& pos, TPixel offset = {});
  // With the font height set to Scale x height pixels.
  void PlotTextHeight(std::string_view text, double height, const T3DVector& pos);
  // Text in a box hanging right and below the point (haLeft, vaTop) or left
  // and above it; the brush is left clear.
  void BoxText(std::string_view text, const T3DVector& pos, THorizAlign horizontal, TVertAlign vertical, int penWidth = 1);
  // The frame 'BorderPercent' inside the edges, when DrawFrame is set.
  void PaintFrame();

private:
  TDrawingSurface& surface_;
  double scale_ = 0;
  T2DVector offset_;
  bool plan_ = true;
  TPixel pen_;
};
