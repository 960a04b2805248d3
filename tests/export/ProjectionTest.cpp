#include "export/Projection.h"

#include <gtest/gtest.h>

namespace {

void ExpectNear(T3DVector a, T3DVector b) {
  EXPECT_NEAR(a.X, b.X, 1e-9);
  EXPECT_NEAR(a.Y, b.Y, 1e-9);
  EXPECT_NEAR(a.Z, b.Z, 1e-9);
}

TBoundBox Box(TLocation min, TLocation max) { return {min, max}; }

TEST(Projection, FitsTheBoxInto95PercentOfTheWindow) {
  struct Case {
    const char* what;
    bool plan;
    TBoundBox box;
    double scale;
    T2DVector offset;
  } cases[] = {
      // 100 x 50 feet into 10 x 7.5 inches: the width decides, the height is centred.
      {"wide", true, Box({0, 0, 0}, {100, 50, 9}), 0.095, {-0.25, -(7.5 - 4.75) / 2}},
      // 10 x 100 feet: the height decides.
      {"tall", true, Box({0, 0, 0}, {10, 100, 0}), 0.07125, {-(10 - 0.7125) / 2, -0.1875}},
      // A single point: widened by half the window each way, so Delta is the window.
      {"point", true, Box({5, 5, 5}, {5, 5, 5}), 0.95, {0.95 * 0 - 0.25, 0.95 * 1.25 - 0.1875}},
      // A north-south line in profile has no X extent: the vertical decides.
      {"profile", false, Box({3, 0, 0}, {3, 500, 30}), 0.95 * 7.5 / 30, {0.2375 * -2 - (10 - 10 * 0.2375) / 2, -0.1875}},
  };
  for (const Case& c : cases) {
    TPaperFit fit = SetScales(c.plan, {10, 7.5}, c.box);
    EXPECT_NEAR(fit.Scale, c.scale, 1e-12) << c.what;
    EXPECT_NEAR(fit.Offset.X, c.offset.X, 1e-12) << c.what;
    EXPECT_NEAR(fit.Offset.Y, c.offset.Y, 1e-12) << c.what;
  }
}

TEST(Projection, TurnsYawClockwiseAndPitchesAboutTheTurnedEastAxis) {
  TProjection projection;
  projection.ConfigureRotation({10, 10, 0}, 90, 0);
  T3DVector north{10, 20, 0};
  projection.RotateCavePoint3D(north);
  ExpectNear(north, {20, 10, 0});  // due north moves to due east
  projection.ConfigureRotation({0, 0, 0}, 0, 90);
  T3DVector up{0, 0, 5};
  projection.RotateCavePoint3D(up);
  ExpectNear(up, {0, 5, 0});
}

TEST(Projection, TransformsAndInvertsThePaperPoint) {
  TProjection projection;
  projection.BaseScale = 0.01;
  projection.BaseOffset = {2, 3};
  projection.StationOrigin = {1, 1};
  projection.ConfigureRotation({0, 0, 0}, 0, 0);
  TPlotParams params;
  params.Scale = 2;
  params.PaperOffset = {0.5, -0.5};
  params.CaveOffset = {10, 20, 30};
  T3DVector v{310, 420, 530};
  projection.DoFullTransform(v, params);
  // 2 * (0.01 * (300, 400, 500) - (2, 3, 3)) + (0.5, -0.5, -0.5)
  ExpectNear(v, {2.5, 1.5, 3.5});
  T2DVector cave = projection.PaperToCave({v.X, v.Y}, params);
  EXPECT_NEAR(cave.X, 310, 1e-9);
  EXPECT_NEAR(cave.Y, 420, 1e-9);
  params.Plan = false;
  EXPECT_NEAR(projection.PaperToCave({v.X, v.Z}, params).Y, 530, 1e-9);
}

TEST(Projection, CentringPutsTheObjectCentreMidWindow) {
  TPlotState plot;
  TPlotVector first;
  first.Location = {100, 200, 50};
  plot.VectorArray.Add(first);
  plot.CaveBox = Box({0, 0, 0}, {400, 300, 80});
  TPlotParams params;
  params.PaperSize = {11, 8.5};
  params.Margin = {0.5, 1};
  params.PaperWindow = {10, 6.5};
  params.Scale = 1.7;
  params.YawAngle = 30;
  params.PitchAngle = 10;
  params.CaveOffset = {5, -5, 2};
  TProjection projection;
  projection.InitalizeDisplay(params, plot);
  projection.ObjectCenter = {250, 120, 40};
  for (bool plan : {true, false}) {
    params.Plan = plan;
    // The offset controls (inches) hold PaperOffset + StationOrigin.
    params.PaperOffset = projection.CenteringOffset(params, plot.CaveBox) - projection.StationOrigin;
    T3DVector center = projection.ObjectCenter;
    projection.DoFullTransform(center, params);
    T2DVector onPaper = Vector3Dto2DZ(center, plan);
    EXPECT_NEAR(onPaper.X, 5, 1e-9) << (plan ? "plan" : "profile");
    EXPECT_NEAR(onPaper.Y, 3.25, 1e-9) << (plan ? "plan" : "profile");
  }
}

}  // namespace
