#include "preview/Plotwind.h"

#include <gtest/gtest.h>

namespace {

// A surface that remembers the lines it was asked to draw.
class TFakeSurface : public TDrawingSurface {
public:
  TFakeSurface(int width, int height) : width_(width), height_(height) {}
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void SetPen(TColor, int, TPenStyle) override {}
  void SetBrush(TColor) override {}
  void ClearBrush() override {}
  void SetFont(const std::string&, double, TColor) override {}
  void SetFontPixels(int) override {}
  void Line(TPixel from, TPixel to) override { lines.emplace_back(from, to); }
  void Polygon(std::span<const TPixel> points) override { polygons.emplace_back(points.begin(), points.end()); }
  void Ellipse(TPixelRect) override {}
  void Rectangle(TPixelRect r) override { rectangles.push_back(r); }
  void Text(TPixel, std::string_view, TTextAnchor) override {}
  TPixel TextExtent(std::string_view) override { return {30, 10}; }
  void SetClip(TPixelRect) override {}
  void ClearClip() override {}

  std::vector<std::pair<TPixel, TPixel>> lines;
  std::vector<std::vector<TPixel>> polygons;
  std::vector<TPixelRect> rectangles;

private:
  int width_, height_;
};

TEST(PlotWindow, FitsTheLimitingDimensionAndCentresTheOther) {
  struct Case {
    int width, height;
    double boxX, boxY;
    bool widthLimits;
  } cases[] = {{200, 400, 100, 10, true}, {400, 200, 10, 100, false}, {300, 300, 50, 50, true}};
  for (const Case& c : cases) {
    TFakeSurface surface(c.width, c.height);
    TPlotWindow window(surface);
    window.SetScale(true, 0, c.boxX, 0, c.boxY, 0, 0);
    TPixel low = window.RealToPixel(0, 0, 0), high = window.RealToPixel(c.boxX, c.boxY, 0);
    int spanX = high.X - low.X, spanY = low.Y - high.Y;
    if (c.widthLimits) {
      EXPECT_NEAR(spanX, 0.95 * c.width, 1) << c.width << "x" << c.height;
      EXPECT_NEAR(low.Y + high.Y, c.height, 2);  // centred vertically
    } else {
      EXPECT_NEAR(spanY, 0.95 * c.height, 1) << c.width << "x" << c.height;
      EXPECT_NEAR(low.X + high.X, c.width, 2);
    }
  }
}

TEST(PlotWindow, PutsTheLowestRowAtTheBottomOfTheBox) {
  TFakeSurface surface(400, 300);
  TPlotWindow window(surface);
  window.SetScale(true, 0, 10, 0, 10, 0, 0);  // height limits: scale 28.5, Scale x MinY = 0 is whole
  const int height = 300;
  EXPECT_EQ(window.RealToPixel(0, 0, 0).Y, height - 1 - (height - static_cast<int>(10 * window.Scale())) / 2);
}

TEST(PlotWindow, MapsPixelsBackWithinAPixel) {
  TFakeSurface surface(640, 480);
  TPlotWindow window(surface);
  EXPECT_EQ(window.PixelToReal(10, 10), (T3DVector{}));  // no mapping yet
  for (bool plan : {true, false}) {
    window.SetScale(plan, -5, 20, 0, 15, -3, 8);
    T3DVector real{7.3, plan ? 4.1 : 0, plan ? 0 : 2.6};
    TPixel pixel = window.RealToPixel(real);
    T3DVector back = window.PixelToReal(pixel.X, pixel.Y);
    EXPECT_NEAR(back.X, real.X, 1 / window.Scale());
    EXPECT_NEAR(plan ? back.Y : back.Z, plan ? real.Y : real.Z, 1 / window.Scale());
    EXPECT_EQ(plan ? back.Z : back.Y, 0);
  }
}

TEST(PlotWindow, DrawsOnlyForMoveAndDraw) {
  TFakeSurface surface(100, 100);
  TPlotWindow window(surface);
  window.SetScale(true, 0, 10, 0, 10, 0, 0);
  window.Plotline('M', {0, 0, 0});
  window.Plotline('X', {5, 5, 0});  // ignored: the pen stays
  window.Plotline('D', {10, 0, 0});
  ASSERT_EQ(surface.lines.size(), 1u);
  EXPECT_EQ(surface.lines[0].first, window.RealToPixel(0, 0, 0));
  window.PlotRect({0, 10, 10}, {10, 0, 0});
  EXPECT_EQ(surface.polygons.back()[1], window.RealToPixel(10, 10, 10));
}

TEST(PlotWindow, FramesInsideTheBorder) {
  TFakeSurface surface(200, 100);
  TPlotWindow window(surface);
  window.PaintFrame();
  EXPECT_TRUE(surface.rectangles.empty());
  window.DrawFrame = true;
  window.BorderPercent = 10;
  window.PaintFrame();
  ASSERT_EQ(surface.rectangles.size(), 1u);
  EXPECT_EQ(surface.rectangles[0].Left, 20);
  EXPECT_EQ(surface.rectangles[0].Top, 10);
  EXPECT_EQ(surface.rectangles[0].Right, 180);
  EXPECT_EQ(surface.rectangles[0].Bottom, 90);
  // A box of text hangs left of and below the point for haRight, vaTop.
  window.SetScale(true, 0, 10, 0, 10, 0, 0);
  window.BoxText("Water", {5, 5, 0}, haRight, vaTop);
  TPixel at = window.RealToPixel(5, 5, 0);
  EXPECT_EQ(surface.rectangles[1].Left, at.X - 33);
  EXPECT_EQ(surface.rectangles[1].Top, at.Y);
}

}  // namespace
