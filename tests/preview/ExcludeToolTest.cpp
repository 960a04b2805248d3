#include "preview/QMExcludeTool.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "app/AppContext.h"
#include "preview/QMStationOffset.h"
#include "support/TestSupport.h"

namespace {

using S = TSetting;

// Two surveys of different days; a shot A2-A3 that runs far north (plot
// records give north, east, vertical).
const std::string Plot = Lines({"Z 0 50 0 95 -10 0", "SCave", "NA D 5 17 2001 C", "M 0 0 0 SA1 P 1 1 1 1 I 0",
                                "D 0 10 -10 SA2 P 1 1 1 1 I 14", "D 50 10 -10 SA3 P 1 1 1 1 I 50",
                                "X 0 50 0 10 -10 0", "NB D 6 20 2003 C", "M 0 10 -10 SA2 P 1 1 1 1 I 0",
                                "D 5 20 0 SXA21 P 1 1 1 1 I 14", "X 0 5 10 20 -10 0"});

struct TToolFixture : ::testing::Test {
  TToolFixture() {
    EXPECT_TRUE(app.LoadPlotFile(WriteScratchFile("tool.plt", Plot)).Loaded);
    tool.PresetComplex(app.Plot);
  }
  std::vector<std::string> Ticked() {
    std::vector<std::string> ticked;
    for (int node = 0; node < app.Tree.NodeCount(); ++node)
      if (app.Tree.Checked(node)) ticked.push_back(app.Tree.Text(node));
    return ticked;
  }
  TRecordingUserInterface ui;
  TAppContext app{ui};
  TExcludeTool tool;
};

using TNames = std::vector<std::string>;

TEST_F(TToolFixture, TicksShotsWithBothEndsInTheBox) {
  EXPECT_DOUBLE_EQ(tool.Box.North, 50.1);  // the cave box widened by 0.1
  const TNames all = {"A1 - A2", "A2 - A3", "A2 - XA21"};
  const struct {
    TClipCriteria criteria;
    TClipBox box;
    TNames ticked;
  } cases[] = {
      {{}, {1, 2, 3, 4, 5, 6}, all},                                  // no criterion: every shot
      {{true, true, true, false}, tool.Box, all},                     // the preset box holds the cave
      {{false, true, false, false}, {-1, 10, 0, 0, 0, 0}, {"A1 - A2", "A2 - A3"}},     // inclusive at 10
      {{false, false, true, false}, {0, 0, 0, 10, 0, 0}, {"A1 - A2", "A2 - XA21"}},    // A3 lies north
      {{true, false, false, false}, {0, 0, 0, 0, -10, -5}, {"A2 - A3"}},
  };
  for (const auto& c : cases) {
    tool.Criteria = c.criteria;
    tool.Box = c.box;
    tool.SetByExtents(app.Plot, app.Tree);
    EXPECT_EQ(Ticked(), c.ticked);
  }
}

TEST_F(TToolFixture, TicksPlainSurveysInTheDateRange) {
  const struct {
    TCaveDate from, to;
    TNames ticked;
  } cases[] = {
      {{17, 5, 2001}, {20, 6, 2003}, {"A", "B"}},
      {{17, 5, 2001}, {17, 5, 2001}, {"A"}},  // one day
      {{18, 5, 2001}, {20, 6, 2003}, {"B"}},
      {{20, 6, 2003}, {17, 5, 2001}, {}},     // start after end
  };
  for (const auto& c : cases) {
    tool.From = c.from;
    tool.To = c.to;
    tool.SetByDate(app.Plot, app.Tree);
    EXPECT_EQ(Ticked(), c.ticked);
  }
}

TEST(Plane, AnglesAndPlaneAreInverse) {
  const struct {
    double azimuth, dip, reportedAzimuth, reportedDip;
  } cases[] = {{180, -10, 180, -10}, {180, 10, 0, -10}, {0, -10, 0, -10}, {45, -30, 45, -30}, {300, -5, 300, -5},
               {0, 0, 0, 0}};
  for (const auto& c : cases) {
    TPlane plane;
    plane.SetPlane(c.azimuth, c.dip);
    plane.SetEquation(plane.Normal());
    double azimuth = 0, dip = 0;
    plane.GetAzmDip(azimuth, dip);
    EXPECT_NEAR(azimuth, c.reportedAzimuth, 1e-9) << c.azimuth << " " << c.dip;
    EXPECT_NEAR(dip, c.reportedDip, 1e-9) << c.azimuth << " " << c.dip;
  }
  // A plane rising 10 degrees towards the north is higher to the north.
  TPlane north;
  north.SetPlane(0, 10);
  EXPECT_NEAR(north.GetPlaneZ(0, 100), 100 * std::tan(10 * std::numbers::pi / 180), 1e-9);
  double yaw, pitch, azimuth, dip;
  TiltToDial(200, -10, yaw, pitch);
  DialToTilt(yaw, pitch, azimuth, dip);
  EXPECT_DOUBLE_EQ(azimuth, 200);
  EXPECT_DOUBLE_EQ(dip, -10);
}

TEST_F(TToolFixture, FitsThePlaneOrSaysItCannot) {
  ASSERT_TRUE(tool.Regression(app.Plot, false));
  double azimuth, dip;
  tool.Plane.GetAzmDip(azimuth, dip);
  EXPECT_LT(dip, 0);
  tool.Box = {1000, 1001, 1000, 1001, 1000, 1001};  // holds no station
  const T3DVector before = tool.Plane.Normal();
  EXPECT_FALSE(tool.Regression(app.Plot, true));
  EXPECT_EQ(tool.Plane.Normal().X, before.X);
}

TEST_F(TToolFixture, TiesInAStationAndFindsStations) {
  TieInStation(app.Plot, app.Settings, 0);
  EXPECT_EQ(app.Settings.Value(S::CaveOffsetX), 0);
  TieInStation(app.Plot, app.Settings, 2);  // A3
  EXPECT_EQ(app.Settings.Value(S::CaveOffsetX), 10);
  EXPECT_EQ(app.Settings.Value(S::CaveOffsetY), 50);
  EXPECT_EQ(app.Settings.Value(S::CaveOffsetZ), -10);
  TieInStation(app.Plot, app.Settings, 99);  // no such row: nothing changes
  EXPECT_EQ(app.Settings.Value(S::CaveOffsetX), 10);
  EXPECT_EQ(FindStation(app.Plot, "a?1", -1, true), 4);  // XA21
  EXPECT_EQ(FindStation(app.Plot, "A2", 1, true), 3);
  EXPECT_EQ(FindStation(app.Plot, "A2", 3, false), 1);
  EXPECT_EQ(FindStation(app.Plot, "A1", 0, false), std::nullopt);
  EXPECT_EQ(FindStation(app.Plot, "XA21", 4, true), std::nullopt);
  EXPECT_EQ(FindStation(app.Plot, "", -1, true), std::nullopt);
  EXPECT_EQ(StationNamed(app.Plot, "A3"), 2);
}

}  // namespace
