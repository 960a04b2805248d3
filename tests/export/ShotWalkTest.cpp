#include "export/ShotWalk.h"

#include <gtest/gtest.h>

#include "support/TestSupport.h"

namespace {

struct TDrawnShot {
  bool start;
  int from, to;
  std::string flags;
  friend bool operator==(const TDrawnShot&, const TDrawnShot&) = default;
};

// A feature survey stands before the shots, so tree positions and vector
// indices differ.
struct TWalkFixture : ::testing::Test {
  void SetUp() override {
    ASSERT_TRUE(OpenAndReadPlot(plot,
                                WriteScratchFile("walk.plt", Lines({"SOne", "FWater", "L 9 9 9 SW1 P 0 0 0 0",
                                                                    "X 0 0 0 0 0 0", "NA", "M 0 0 0 SA1",
                                                                    "D 10 0 0 SA2 P 0 0 0 0 I 1 FS", "D 10 10 0 SA3",
                                                                    "M 0 0 0 SA1", "D 0 10 5 SA4", "X 0 0 0 0 0 0",
                                                                    "STwo", "NB", "M 20 20 20 SB1", "D 30 20 20 SB2",
                                                                    "X 0 0 0 0 0 0"})),
                                ui)
                    .Loaded);
    tree.DisplaySurveyTree();
    info.PlotParams.PaperWindow = {10, 7.5};
  }
  std::vector<TDrawnShot> Walk() {
    std::vector<TDrawnShot> shots;
    PlotPassageShots(projection, plot, tree, info,
                     [&](bool start, int from, int to, const T3DVector&, const T3DVector&, const TSVGInfo&,
                         const TSurveyID& survey) { shots.push_back({start, from, to, survey.Flags.Str()}); });
    return shots;
  }
  TPlotState plot;
  TRecordingUserInterface ui;
  TSurveyTree tree{plot};
  TProjection projection;
  TSVGInfo info;
};

TEST_F(TWalkFixture, VisitsEveryShotWithItsFlagsAndStarts) {
  // The feature point is visited like a shot of its own vector.
  EXPECT_EQ(Walk(), (std::vector<TDrawnShot>{{true, 0, 0, ""}, {true, 1, 2, "S"}, {false, 2, 3, ""},
                                             {true, 4, 5, ""}, {true, 6, 7, ""}}));
}

TEST_F(TWalkFixture, DrawsOnlyTheSelectionWhenSelective) {
  info.PlotParams.Selective = true;
  EXPECT_TRUE(Walk().empty());
  EXPECT_EQ(GetCaveExtents(plot, tree, true).Center, (T3DVector{}));

  tree.ToggleCheck(tree.SectionNodes()[1]);
  EXPECT_EQ(Walk(), (std::vector<TDrawnShot>{{true, 6, 7, ""}}));
  tree.ToggleCheck(tree.ShotNodes()[2]);  // A2 - A3 alone
  EXPECT_EQ(Walk(), (std::vector<TDrawnShot>{{true, 2, 3, ""}, {true, 6, 7, ""}}));

  TCaveExtents extents = GetCaveExtents(plot, tree, true);
  EXPECT_EQ(extents.Box.Min, (TLocation{0, 10, 0}));
  EXPECT_EQ(extents.Box.Max, (TLocation{20, 30, 20}));
  EXPECT_EQ(extents.Center, (T3DVector{10, 20, 10}));
}

TEST_F(TWalkFixture, HandsOverTransformedEndPoints) {
  projection.BaseScale = 0.1;
  info.PlotParams.Scale = 2;
  std::vector<T3DVector> ends;
  PlotPassageShots(projection, plot, tree, info,
                   [&](bool, int, int, const T3DVector& v1, const T3DVector& v2, const TSVGInfo&, const TSurveyID&) {
                     ends.push_back(v1);
                     ends.push_back(v2);
                   });
  ASSERT_EQ(ends.size(), 10u);
  EXPECT_EQ(ends[3], (T3DVector{0, 2, 0}));  // A2: east 0, north 10
  EXPECT_EQ(ends[9], (T3DVector{4, 6, 4}));  // B2
}

}  // namespace
