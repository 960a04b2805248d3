#include "app/AppContext.h"

#include <gtest/gtest.h>

#include "support/TestSupport.h"

namespace {

using S = TSetting;

TEST(AppContext, LoadsAPlotAndFitsTheView) {
  TRecordingUserInterface ui;
  TAppContext app(ui);
  int updates = 0;
  app.OnUpdatePlot([&] { ++updates; });
  app.Settings.Set(S::ExcludeSections, 1);
  std::string file = WriteScratchFile("fit.plt", Lines({"SCave", "NA", "M 0 0 0 SA1", "D 0 100 0 SA2",
                                                         "D 50 100 10 SA3", "X 0 0 0 0 0 0"}));
  ASSERT_TRUE(app.LoadPlotFile(file).Loaded);
  EXPECT_FALSE(app.Settings.Checked(S::ExcludeSections));
  EXPECT_TRUE(app.Settings.Checked(S::ShowPassageWalls));
  EXPECT_EQ(app.Tree.ShotNodes().size(), 2u);
  EXPECT_NEAR(app.Projection.BaseScale, 0.095, 1e-12);  // 100 feet wide into 95 % of 10 inches
  EXPECT_NEAR(app.Settings.Value(S::FeetPerInch), 1 / 0.095, 1e-9);
  EXPECT_EQ(app.Projection.ObjectCenter, (T3DVector{50, 25, 5}));
  EXPECT_EQ(ui.status1, "Loading Complete");
  EXPECT_EQ(ui.progress.back(), 100);
  EXPECT_GT(updates, 0);

  // At scale 1 and offsets reset, the first station lies where the fit put it.
  TSVGInfo info = app.SVGInfo();
  T3DVector first{0, 0, 0};
  app.Projection.ConfigureRotation({}, 0, 0);
  app.Projection.DoFullTransform(first, info.PlotParams);
  EXPECT_NEAR(first.X, 0.25, 1e-12);
  EXPECT_NEAR(first.Y, (7.5 - 50 * 0.095) / 2, 1e-12);

  // Centring puts the included survey mid-window, whatever the scale and yaw.
  app.Settings.Set(S::ScaleFactor, 2.5);
  app.Settings.Set(S::Yaw, 45);
  app.Settings.Center();
  info = app.SVGInfo();
  T3DVector centre = app.Projection.ObjectCenter;
  app.Projection.ConfigureRotation(BoxCenter(app.Plot.CaveBox), 45, 0);
  app.Projection.DoFullTransform(centre, info.PlotParams);
  EXPECT_NEAR(centre.X, 5, 1e-9);
  EXPECT_NEAR(centre.Y, 3.75, 1e-9);
}

TEST(AppContext, RecomputesTheCentreOnSingleChecksOnly) {
  TRecordingUserInterface ui;
  TAppContext app(ui);
  app.LoadPlotFile(WriteScratchFile("two.plt", Lines({"SOne", "NA", "M 0 0 0", "D 0 10 0", "X 0 0 0 0 0 0", "STwo",
                                                        "NB", "M 100 100 0", "D 100 120 0", "X 0 0 0 0 0 0"})));
  app.Settings.Set(S::ExcludeSections, 1);
  EXPECT_EQ(app.Projection.ObjectCenter, (T3DVector{}));  // nothing checked
  app.Tree.ToggleCheck(app.Tree.SectionNodes()[1]);
  EXPECT_EQ(app.Projection.ObjectCenter, (T3DVector{110, 100, 0}));
  app.Tree.SetAllChecks(false);
  EXPECT_EQ(app.Projection.ObjectCenter, (T3DVector{110, 100, 0}));
}

TEST(AppContext, GuardsPlotCommands) {
  TRecordingUserInterface ui;
  TAppContext app(ui);
  EXPECT_FALSE(app.IsFileLoaded());
  EXPECT_EQ(ui.warnings, (std::vector<std::string>{"No Plot File Loaded."}));
}

}  // namespace
