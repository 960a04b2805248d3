#include "export/MapDecorations.h"

#include <gtest/gtest.h>

#include "support/NumberText.h"

namespace {

struct TScaleCall {
  std::string text;
  bool rect, filled;
  T2DVector p1, p2;
};

std::vector<TScaleCall> ScaleBar(bool modulo, bool feet, double unitScale) {
  TSVGInfo info;
  info.ModuloBar = modulo;
  info.Feet = feet;
  info.UnitScale = unitScale;
  std::vector<TScaleCall> calls;
  DoScaleBar(info, TFootFactors(), [&](const std::string& t, bool r, bool f, T2DVector p1, T2DVector p2) {
    calls.push_back({t, r, f, p1, p2});
  }, FormatFixed);
  return calls;
}

TEST(ScaleBar, ChoosesRoundLengthsAndLabels) {
  TFootFactors factors;
  struct Case {
    bool modulo, feet;
    double unitScale;
    double width;
    const char *label1, *label2;
  } cases[] = {
      {true, true, 100, 1, "100", "200Ft"},
      {true, true, 37, 40.0 / 37, "40", "80Ft"},
      {true, true, 0.3, 1 / 0.3, "1", "2Ft"},
      {true, false, 12, 15.0 / 12 * 2 * factors.Centimeters2Inches, "30", "60M"},
      {false, true, 100, 1, "100.0", "200.0Ft"},
      {false, false, 12, 40 * factors.Millimeters2Inches, "48.0", "96.0M"},
  };
  for (const Case& c : cases) {
    std::vector<TScaleCall> calls = ScaleBar(c.modulo, c.feet, c.unitScale);
    ASSERT_EQ(calls.size(), 14u);  // 4 + 2 cells of two halves, two labels
    const TScaleCall &label1 = calls[12], &label2 = calls[13];
    EXPECT_EQ(label1.text, c.label1) << c.unitScale;
    EXPECT_EQ(label2.text, c.label2) << c.unitScale;
    EXPECT_NEAR(label1.p1.X, 0.25 + 0.9 * c.width, 1e-12) << c.unitScale;
    EXPECT_NEAR(label1.p1.Y, 0.382, 1e-12);
    EXPECT_NEAR(label2.p1.X, 0.25 + 2.1 * c.width, 1e-12) << c.unitScale;
    EXPECT_NEAR(calls[11].p2.X, 0.25 + 2 * c.width, 1e-12) << c.unitScale;  // end of the second run
  }
}

TEST(ScaleBar, ChequersItsCells) {
  std::vector<TScaleCall> calls = ScaleBar(true, true, 100);
  // First run: four cells of 0.25 inch; lower halves filled on even cells, upper on odd.
  for (int cell = 0; cell < 4; ++cell) {
    const TScaleCall &lower = calls[2 * cell], &upper = calls[2 * cell + 1];
    EXPECT_TRUE(lower.rect);
    EXPECT_EQ(lower.filled, cell % 2 == 0);
    EXPECT_EQ(upper.filled, cell % 2 == 1);
    EXPECT_NEAR(lower.p1.X, 0.25 + 0.25 * cell, 1e-12);
    EXPECT_NEAR(lower.p2.Y, 0.31, 1e-12);
    EXPECT_NEAR(upper.p1.Y, 0.31, 1e-12);
    EXPECT_NEAR(upper.p2.Y, 0.37, 1e-12);
  }
  EXPECT_NEAR(calls[8].p2.X - calls[8].p1.X, 0.5, 1e-12);  // second run: two cells
}

TEST(Grid, DrawsEveryFifthLineMajorFromTheCorner) {
  TSVGInfo info;
  info.PlotParams.PaperWindow = {2, 1};
  info.PlotParams.Scale = 2;
  info.GridParams.Spacing = 0.5;  // 1 inch at this scale: minor lines every 0.2
  int horizontal = 0, vertical = 0, major = 0;
  DrawMajorGrid(info, [&](bool h, bool m, T2DVector v1, T2DVector v2, const TPlotParams&) {
    (h ? horizontal : vertical)++;
    major += m;
    if (h) EXPECT_EQ(v2.X, 2);
    else EXPECT_EQ(v2.Y, 1);
    EXPECT_LT(h ? v1.Y : v1.X, h ? 1 : 2);  // nothing at the far edge
  });
  EXPECT_EQ(horizontal, 5);
  EXPECT_EQ(vertical, 10);
  EXPECT_EQ(major, 3);  // y = 0; x = 0 and 1

  info.GridParams.Spacing = 0;
  int lines = 0;
  DrawMajorGrid(info, [&](bool, bool, T2DVector, T2DVector, const TPlotParams&) { ++lines; });
  EXPECT_EQ(lines, 0);
}

TEST(NorthArrow, TurnsWithTheYawOnly) {
  TSVGInfo info;
  info.PlotParams.YawAngle = 90;
  info.PlotParams.PitchAngle = 40;
  std::vector<std::tuple<bool, bool, T2DVector, T2DVector, T2DVector>> calls;
  DoNorthArrow(info, [&](bool line, bool filled, T2DVector p1, T2DVector p2, T2DVector p3) {
    calls.emplace_back(line, filled, p1, p2, p3);
  });
  ASSERT_EQ(calls.size(), 5u);
  auto [line, filled, tail, tip, unused] = calls[0];
  EXPECT_TRUE(line);
  EXPECT_NEAR(tip.X, 2.25, 1e-12);  // points to the right
  EXPECT_NEAR(tip.Y, 1.5, 1e-12);
  EXPECT_NEAR(tail.X, 0.75, 1e-12);
  // The head: filled and empty halves; the tail: both filled.
  std::vector<bool> fills;
  for (auto& call : calls) fills.push_back(std::get<1>(call));
  EXPECT_EQ(fills, (std::vector<bool>{false, true, false, true, true}));
  auto [l, f, a4, a1, a2] = calls[1];
  EXPECT_NEAR(a4.X, 2.25, 1e-12);
  EXPECT_NEAR(a1.X, 2.25 + 1.5 / 8, 1e-12);  // the head points on to the right
  EXPECT_NEAR(a1.Y, 1.5, 1e-12);
}

}  // namespace
