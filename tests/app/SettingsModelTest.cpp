#include "app/SettingsModel.h"

#include <gtest/gtest.h>

#include "app/Magnification.h"
#include "app/PlotSettings.h"

namespace {

using S = TSetting;

// Stands in for the program around the settings; records what they ask of it.
struct TFakeEnvironment : TSettingsEnvironment {
  double BaseScale() const override { return baseScale; }
  T2DVector StationOrigin() const override { return origin; }
  T2DVector CenteringOffset() override {
    ++centerings;
    return centre;
  }
  void ResetView() override { ++viewResets; }
  void SelectionChanged() override { ++selectionChanges; }
  void UpdatePlot() override { ++updates; }

  double baseScale = 0.01;
  T2DVector origin{2, 3}, centre{4, 5};
  int centerings = 0, viewResets = 0, selectionChanges = 0, updates = 0;
};

struct TSettingsFixture : ::testing::Test {
  TFakeEnvironment environment;
  TSettingsModel settings{environment};
};

TEST_F(TSettingsFixture, StartsWithTheDefaults) {
  EXPECT_EQ(settings.Value(S::ScaleFactor), 1);
  EXPECT_EQ(settings.Value(S::PaperX), 11);
  EXPECT_EQ(settings.Value(S::PaperY), 8.5);
  EXPECT_EQ(settings.Choice(S::RoundingDepth), 1);
  EXPECT_TRUE(settings.Checked(S::SubstituteMissingLRUDs));
  EXPECT_FALSE(settings.Checked(S::ShowPassageWalls));
  EXPECT_EQ(settings.Value(S::MorphB), 2);
  EXPECT_EQ(settings.ScaleLabel(), "Ft./Inch");
  EXPECT_EQ(SpecOf(S::SubstituteDiameter).Caption, "Substitue Diameter");
  EXPECT_EQ(FindSetting("feet-per-inch")->Id, S::FeetPerInch);
}

TEST_F(TSettingsFixture, CouplesScaleFactorFeetPerInchAndRatio) {
  struct Case {
    TSetting changed;
    double value;
    bool metric;
    double scale, feetPerInch, ratio;
    const char* label;
  } cases[] = {
      {S::ScaleFactor, 1, false, 1, 100, 1200, "Ft/Inch"},
      {S::FeetPerInch, 50, false, 2, 50, 600, "Ft./Inch"},  // shows the value typed, label untouched
      {S::Ratio, 2400, false, 0.5, 200, 2400, "Ft/Inch"},
      {S::ScaleFactor, 1, true, 1, 12, 1200, "m/cm"},
      {S::FeetPerInch, 6, true, 2, 6, 600, "m/cm"},
      {S::ScaleFactor, 20000, false, 10000, 0.01, 0.12, "Ft/Inch"},  // clamped to its range
  };
  for (const Case& c : cases) {
    TFakeEnvironment environment;
    TSettingsModel model(environment);
    if (c.metric) model.Set(S::Units, 1);
    model.Set(c.changed, 0.5);  // away from the value, so the change below reacts
    model.Set(c.changed, c.value);
    EXPECT_NEAR(model.Value(S::ScaleFactor), c.scale, 1e-9) << int(c.changed) << " " << c.value;
    EXPECT_NEAR(model.Value(S::FeetPerInch), c.feetPerInch, 1e-9) << int(c.changed) << " " << c.value;
    EXPECT_NEAR(model.Value(S::Ratio), c.ratio, 1e-6) << int(c.changed) << " " << c.value;
    EXPECT_EQ(model.ScaleLabel(), c.label);
  }
}

TEST_F(TSettingsFixture, ReactionsDoNotSetOffTheirOwnControls) {
  std::vector<TSetting> written;
  settings.AddListener([&](TSettingsChange change, std::optional<TSetting> setting) {
    if (change == TSettingsChange::Value) written.push_back(*setting);
  });
  settings.Set(S::FeetPerInch, 50);
  EXPECT_EQ(written, (std::vector<TSetting>{S::FeetPerInch, S::ScaleFactor, S::Ratio}));
  EXPECT_EQ(environment.updates, 1);
  written.clear();
  settings.Set(S::FeetPerInch, 50);  // no change, no reaction
  EXPECT_TRUE(written.empty());
  settings.ResetScale();  // runs the reaction twice, even when the factor is already 1
  EXPECT_EQ(settings.Value(S::ScaleFactor), 1);
  EXPECT_EQ(settings.Value(S::FeetPerInch), 100);
  EXPECT_EQ(environment.updates, 4);
}

TEST_F(TSettingsFixture, CouplesYawAndPaperRotation) {
  struct Case {
    TSetting changed;
    double value, yaw, paper;
  } cases[] = {{S::Yaw, 30, 30, 330}, {S::PaperRotation, 0, 0, 0}, {S::Yaw, 360, 360, 0},
               {S::PaperRotation, 90, 270, 90}, {S::Yaw, 400, 360, 0}};
  for (const Case& c : cases) {
    settings.Set(c.changed, c.value == 0 ? 1 : 0);
    settings.Set(c.changed, c.value);
    EXPECT_EQ(settings.Value(S::Yaw), c.yaw) << c.value;
    EXPECT_EQ(settings.Value(S::PaperRotation), c.paper) << c.value;
  }
  settings.Set(S::Pitch, -100);
  EXPECT_EQ(settings.Value(S::Pitch), -90);
  settings.ResetRotation();
  EXPECT_EQ(settings.Value(S::Yaw) + settings.Value(S::PaperRotation) + settings.Value(S::Pitch), 0);
}

TEST_F(TSettingsFixture, TakesStandardSizesInTheOrientation) {
  settings.Set(S::PaperSize, 0);  // already the first: no reaction
  settings.Set(S::PaperSize, 24);  // A4, landscape
  EXPECT_EQ(settings.Value(S::PaperX), 11.693);
  EXPECT_EQ(settings.Value(S::PaperY), 8.268);
  settings.Set(S::Orientation, 1);  // portrait swaps
  EXPECT_EQ(settings.Value(S::PaperX), 8.268);
  EXPECT_EQ(settings.Value(S::PaperY), 11.693);
  settings.Set(S::PaperSize, 0);  // US Letter in portrait
  EXPECT_EQ(settings.Value(S::PaperX), 8.5);
  EXPECT_EQ(settings.Value(S::PaperY), 11);
  settings.Set(S::Units, 1);
  settings.Set(S::Orientation, 0);
  settings.Set(S::PaperSize, 24);  // in millimetres
  EXPECT_NEAR(settings.Value(S::PaperX), 11.693 * 25.4, 1e-9);
}

TEST_F(TSettingsFixture, UnitsRoundTripRestoresEveryValue) {
  settings.ResetScale();  // the scale values agree with each other from here on
  settings.Set(S::PaperOffsetX, 1.25);
  settings.Set(S::PaperOffsetY, -3.5);
  settings.Set(S::MarginX, 0.75);
  settings.Set(S::GridSpacing, 50);
  settings.Set(S::SubstituteDiameter, 3);
  std::array<double, SettingCount> before;
  for (const TSettingSpec& spec : SettingSpecs()) before[std::size_t(spec.Id)] = settings.Value(spec.Id);

  settings.Set(S::Units, 1);
  EXPECT_EQ(settings.Units().PaperUnitsStr, "mm");
  EXPECT_NEAR(settings.Value(S::PaperX), 279.4, 1e-9);
  EXPECT_NEAR(settings.Value(S::MarginX), 19.05, 1e-9);
  EXPECT_NEAR(settings.Value(S::PaperOffsetY), -88.9, 1e-9);
  EXPECT_NEAR(settings.Value(S::GridSpacing), 15.24, 1e-9);
  EXPECT_EQ(settings.Value(S::SubstituteDiameter), 3);  // taken as it stands
  EXPECT_EQ(settings.Step(S::MarginX), 1.0);
  EXPECT_EQ(settings.Step(S::PaperX), 2.0);
  EXPECT_EQ(settings.Suffix(S::GridSpacing), "M");

  settings.Set(S::Units, 0);
  for (const TSettingSpec& spec : SettingSpecs())
    EXPECT_NEAR(settings.Value(spec.Id), before[std::size_t(spec.Id)], 1e-9) << spec.Key;
  EXPECT_EQ(settings.Step(S::MarginX), 0.05);
  EXPECT_EQ(settings.Suffix(S::PaperX), "In");
}

TEST_F(TSettingsFixture, CentresAndResetsThePaperOffset) {
  settings.Center();
  EXPECT_EQ(settings.Value(S::PaperOffsetX), 4);
  EXPECT_EQ(settings.Value(S::PaperOffsetY), 5);
  settings.ResetPaperOffset();
  EXPECT_EQ(settings.Value(S::PaperOffsetX), 2);
  settings.Set(S::Units, 1);
  settings.ResetPaperOffset();
  EXPECT_NEAR(settings.Value(S::PaperOffsetY), 76.2, 1e-9);  // in millimetres
  settings.ResetGrid();
  EXPECT_NEAR(settings.Value(S::GridSpacing), 30.48, 1e-9);

  int before = environment.centerings;
  settings.Set(S::ScaleFactor, 2);
  EXPECT_EQ(environment.centerings, before);
  settings.Set(S::StayCentered, 1);  // centres at once, then after scale and rotation changes
  settings.Set(S::ScaleFactor, 3);
  settings.Set(S::Yaw, 10);
  EXPECT_EQ(environment.centerings, before + 3);
}

TEST_F(TSettingsFixture, ViewAndSelectionChangesReachTheProgram) {
  settings.Set(S::View, 1);
  settings.Set(S::ExcludeSections, 1);
  settings.Set(S::MorphA, 5);  // read when the merge runs
  EXPECT_EQ(environment.viewResets, 1);
  EXPECT_EQ(environment.selectionChanges, 1);
  EXPECT_EQ(environment.updates, 2);
}

TEST_F(TSettingsFixture, GathersTheExportRecords) {
  TProjection projection;
  projection.BaseScale = 0.01;
  projection.StationOrigin = {1, 2};
  TSVGInfo info = GetSVGInfo(settings, projection, "/caves/Cave.Survey.plt");
  EXPECT_EQ(info.PlotParams.PaperWindow, (T2DVector{10, 7.5}));
  EXPECT_EQ(info.TitlePos, (T2DVector{0.5, 8}));
  EXPECT_EQ(info.Title, "File: Cave.Survey.plt");
  EXPECT_EQ(info.RefInfo.Filename, "Cave.Survey");
  EXPECT_EQ(info.RefInfo.ViewAngle, "Plan");
  EXPECT_EQ(info.PlotParams.PaperOffset, (T2DVector{-1, -2}));
  EXPECT_NEAR(info.RefInfo.FrameDims.X, 1000, 1e-9);  // 10 inches at 100 feet per inch
  EXPECT_NEAR(info.RefInfo.FrameDims.Y, 750, 1e-9);
  EXPECT_NEAR(info.GridParams.Spacing, 1, 1e-12);  // 100 feet at 0.01 inch per foot
  EXPECT_EQ(info.GridParams.StopPos, (T2DVector{10.5, 8}));
  EXPECT_TRUE(info.AddInkscape && info.AddIllustrator && info.RemovePGFBinary && info.ModuloBar && info.Feet);
  EXPECT_EQ(GetSVGInfo(settings, projection, "CAVE").RefInfo.Filename, "CAVE");
}

TEST_F(TSettingsFixture, CopiesThePassageParameters) {
  TPassageParameters passage;
  settings.Set(S::PassageShape, 2);
  settings.Set(S::SubstituteDiameter, 7);
  SetPassageParameters(settings, passage);
  EXPECT_EQ(passage.PassageShape, psOctagon);
  EXPECT_EQ(passage.MinPassageSize, 7);
  settings.Set(S::PassageShape, -1);  // nothing chosen: the shape stays
  settings.Set(S::SubstituteMissingLRUDs, 0);
  SetPassageParameters(settings, passage);
  EXPECT_EQ(passage.PassageShape, psOctagon);
  EXPECT_EQ(passage.MinPassageSize, 0);
}

TEST(Magnification, GrowsThePreviewWithItsArea) {
  TPixelSize preview = MagnifiedPreviewSize({600, 400}, 100);
  EXPECT_EQ(preview, (TPixelSize{1196, 796}));
  EXPECT_EQ(MagnificationCaption(preview), "1196 796");
  EXPECT_EQ(MagnifiedPreviewSize({600, 400}, 0), (TPixelSize{596, 396}));
}

}  // namespace
