#include "export/PassageLib.h"

#include <gtest/gtest.h>

#include <cmath>

#include "export/PassageWalks.h"
#include "support/TestSupport.h"

namespace {

TPlotVector Station(double east, double north, double vert, float l, float r, float u, float d, char command = 'D') {
  TPlotVector v;
  v.Command = command;
  v.Location = {east, north, vert};
  v.Left = l;
  v.Right = r;
  v.Up = u;
  v.Down = d;
  return v;
}

std::array<float, 4> Dims(const TPlotVector& v) { return {v.Left, v.Right, v.Up, v.Down}; }

TEST(PassageLib, TreatsOutOfRangeDimensionsAsUnmeasured) {
  TPlotVector v = ZeroNegativePassages(Station(0, 0, 0, -1, 900, 950, 900.1f));
  EXPECT_EQ(Dims(v), (std::array<float, 4>{0, 900, 0, 0}));
}

TEST(PassageLib, FillsMissingDimensionPairsWhole) {
  struct Case {
    std::array<float, 4> from, to;
    double minSize;
    std::array<float, 4> fromAfter, toAfter;
  } cases[] = {
      {{0, 0, 0, 0}, {0, 0, 0, 0}, 2, {2, 2, 2, 2}, {2, 2, 2, 2}},
      {{0, 0, 0, 0}, {0, 0, 0, 0}, 0, {0, 0, 0, 0}, {0, 0, 0, 0}},
      {{0, 0, 0, 0}, {3, 0, 0, 0}, 2, {3, 0, 3, 0}, {3, 0, 3, 0}},  // (L 3, R 0) is copied whole
      {{0, 0, 1, 2}, {0, 0, 0, 0}, 5, {1, 2, 1, 2}, {1, 2, 1, 2}},
      {{4, 5, 0, 0}, {0, 0, 7, 0}, 9, {4, 5, 7, 0}, {4, 5, 7, 0}},
  };
  for (const Case& c : cases) {
    TPlotVector from = Station(0, 0, 0, c.from[0], c.from[1], c.from[2], c.from[3]);
    TPlotVector to = Station(0, 0, 0, c.to[0], c.to[1], c.to[2], c.to[3]);
    ExpandDimensions(from, to, c.minSize);
    EXPECT_EQ(Dims(from), c.fromAfter);
    EXPECT_EQ(Dims(to), c.toAfter);
  }
}

TEST(PassageLib, MeasuresInclination) {
  struct Case {
    T3DVector to;
    double inclination;
  } cases[] = {{{0, 10, 0}, 0}, {{-10, -10, 0}, 0}, {{0, 0, 10}, 90}, {{0, 0, -10}, 90}, {{0, 10, 10}, 45}};
  for (const Case& c : cases) EXPECT_NEAR(GetInclination({}, c.to), c.inclination, 1e-9);
}

TEST(PassageLib, TurnsSectionsAcrossTheShot) {
  // Left lies left of the direction of travel, for every direction.
  struct Case {
    double east, north;
    T2DVector left;
  } cases[] = {{0, 10, {-1, 0}}, {10, 0, {0, 1}}, {0, -10, {1, 0}}, {-10, 0, {0, -1}}, {0, 0, {0, 1}}};
  for (const Case& c : cases) {
    TPassageParameters parameters;
    parameters.DoVertical = false;
    T3DLRUDVector from, to;
    TPlotVector a = Station(0, 0, 0, 1, 1, 1, 1), b = Station(c.east, c.north, c.east == 0 && c.north == 0 ? 5 : 0, 1, 1, 1, 1);
    TPassageModel(parameters).GetLRUDPoints(a, b, from, to);
    EXPECT_NEAR(from.Left.X, c.left.X, 1e-12) << c.east << "," << c.north;
    EXPECT_NEAR(from.Left.Y, c.left.Y, 1e-12) << c.east << "," << c.north;
  }
}

// Faces handed out by the model, in order.
struct TFace {
  int corners;  // 4: side face, 3: end triangle
  std::vector<T3DVector> points;
  double angle;
  bool right;
};

std::vector<TFace> Mesh(const TPlotState& plot, const TPassageParameters& parameters) {
  std::vector<TFace> faces;
  TPassageModel(parameters).DisplayPassageMesh(
      plot,
      [&](const T3DVector& a, const T3DVector& b, const T3DVector& c, bool right, const TFacePlace& place) {
        faces.push_back({3, {a, b, c}, place.FaceAngle, right});
      },
      [&](const T3DVector& a, const T3DVector& b, const T3DVector& c, const T3DVector& d, const TFacePlace& place) {
        faces.push_back({4, {a, b, c, d}, place.FaceAngle, false});
      });
  return faces;
}

std::unique_ptr<TPlotState> Plot(std::initializer_list<std::string_view> lines) {
  auto plot = std::make_unique<TPlotState>();
  TRecordingUserInterface ui;
  OpenAndReadPlot(*plot, WriteScratchFile("passage.plt", Lines(lines)), ui);
  return plot;
}

TPassageParameters Parameters(TPassageShape shape) {
  TPassageParameters parameters;
  parameters.PassageShape = shape;
  parameters.DivideDepth = 0;
  return parameters;
}

TEST(PassageLib, DrawsTheShotsOfASurveyThatContinuesThePreviousOne) {
  // Survey B begins with a draw from A's last station: its two shots are
  // B's, and A's branch stops at A's end.
  TRecordingUserInterface ui;
  TPlotState plot;
  ASSERT_TRUE(OpenAndReadPlot(plot, std::string(QUILLMAP_TEST_DATA_DIR) + "/hostile/continued-survey.plt", ui).Loaded);
  std::vector<int> surveys;
  TPassageModel(Parameters(psDiamond))
      .DisplayPassageMesh(
          plot, [](const T3DVector&, const T3DVector&, const T3DVector&, bool, const TFacePlace&) {},
          [&](const T3DVector&, const T3DVector&, const T3DVector&, const T3DVector&, const TFacePlace& place) {
            surveys.push_back(place.Survey);
          });
  const std::vector<int> expected = {0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1};
  EXPECT_EQ(surveys, expected);
}

TEST(PassageLib, SealsATwoStationBranchAtBothEnds) {
  auto plot = Plot({"NA", "M 0 0 0 SA P 1 1 1 1", "D 10 0 0 SB P 1 1 1 1", "X 0 0 0 0 0 0"});
  TPassageParameters parameters = Parameters(psDiamond);
  parameters.SealEnds = true;
  std::vector<TFace> faces = Mesh(*plot, parameters);
  ASSERT_EQ(faces.size(), 12u);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(faces[i].corners, 4);
  EXPECT_EQ(faces[0].angle, 45);
  EXPECT_EQ(faces[3].angle, 315);
  for (int i = 4; i < 8; ++i) EXPECT_TRUE(faces[i].corners == 3 && faces[i].right);
  for (int i = 8; i < 12; ++i) EXPECT_TRUE(faces[i].corners == 3 && !faces[i].right);
  EXPECT_EQ(faces[4].points[0], (T3DVector{0, 0, 0}));    // around the first station
  EXPECT_EQ(faces[8].points[0], (T3DVector{0, 10, 0}));   // then the last
}

TEST(PassageLib, PullsOctagonCornersInAndLeavesSplaysOut) {
  // North-running shot A to C; the splay B between them is left out.
  auto plot = Plot({"NA", "M 0 0 0 SA P 2 2 2 2", "D 5 5 0 SB P 0 0 0 0 I 1 FS", "D 10 0 0 SC P 2 2 2 2",
                    "X 0 0 0 0 0 0"});
  std::vector<TFace> faces = Mesh(*plot, Parameters(psOctagon));
  ASSERT_EQ(faces.size(), 8u);  // one prism A -> C
  std::vector<T3DVector> section;
  for (const TFace& face : faces) section.push_back(face.points[0]);  // End1 points 0..7 of A
  EXPECT_NEAR(section[0].X, -1.5, 1e-12);  // top left, pulled in from (-2, 2)
  EXPECT_NEAR(section[0].Z, 1.5, 1e-12);
  EXPECT_NEAR(section[1].Z, 2, 1e-12);  // top stays
  EXPECT_NEAR(section[2].X, 1.5, 1e-12);
  EXPECT_NEAR(section[3].X, 2, 1e-12);  // right stays
  EXPECT_NEAR(faces[0].points[1].Y, 10, 1e-12);  // End2 is at C
}

TEST(PassageLib, ModelsSteepShotsFlatFromTheThreshold) {
  // A shot straight up (inclination 90) against thresholds 90 and 45 and
  // with the vertical model off; "P 1 2 3 4" is Left 1, Up 2, Down 3, Right 4.
  auto plot = Plot({"NA", "M 0 0 0 SA P 1 2 3 4", "D 0 0 10 SB P 1 2 3 4", "X 0 0 0 0 0 0"});
  struct Case {
    bool vertical;
    double threshold;
    T3DVector top, left;  // diamond points 0 and 3 at A
  } cases[] = {
      {true, 90, {0, -3, 0}, {-1, 0, 0}},  // up: flat, Top lies Down to the south
      {true, 45, {0, -3, 0}, {-1, 0, 0}},
      {false, 45, {0, 0, 2}, {0, 1, 0}},   // upright; azimuth 90 puts Left to the north
  };
  for (const Case& c : cases) {
    TPassageParameters parameters = Parameters(psDiamond);
    parameters.DoVertical = c.vertical;
    parameters.VertThreshold = c.threshold;
    std::vector<TFace> faces = Mesh(*plot, parameters);
    for (int axis = 0; axis < 3; ++axis) {
      EXPECT_NEAR((&faces[0].points[0].X)[axis], (&c.top.X)[axis], 1e-12) << c.threshold;
      EXPECT_NEAR((&faces[3].points[0].X)[axis], (&c.left.X)[axis], 1e-12) << c.threshold;
    }
  }
  auto level = Plot({"NA", "M 0 0 0 SA P 1 2 3 4", "D 0 10 0 SB P 1 2 3 4", "X 0 0 0 0 0 0"});
  TPassageParameters parameters = Parameters(psDiamond);
  parameters.VertThreshold = 0;  // an inclination of 0 is still at the threshold
  EXPECT_NEAR(Mesh(*level, parameters)[0].points[0].Y, 2, 1e-12);  // modelled as going down: Top is Up north
}

TEST(PassageLib, RoundsCornersAboveTheThresholdOnly) {
  TPassageParameters parameters = Parameters(psSquare);
  parameters.MergePassageEnds = false;
  TPassageModel model(parameters);
  auto plot = Plot({"NA", "M 0 0 0 SA P 1 1 1 1", "D 10 0 0 SB P 1 1 1 1", "D 10 10 0 SC P 1 1 1 1", "X 0 0 0 0 0 0"});
  std::vector<int> tree = {0, 0, 1};
  TPassageModel::TBranch branch;
  struct Case {
    int depth;
    double threshold;
    std::size_t stations;
  } cases[] = {{0, 20, 3}, {1, 45, 4}, {1, 44.999, 4}, {1, 90, 3}, {2, 20, 6}};
  for (const Case& c : cases) {
    parameters.DivideDepth = c.depth;
    parameters.DivideThreshold = c.threshold;
    model.BuildBranch(plot->VectorArray, 0, 2, tree, branch);
    model.SmoothBranch(branch);
    EXPECT_EQ(branch.size(), c.stations) << c.depth << " passes at " << c.threshold;
  }
  parameters.DivideDepth = 1;
  parameters.DivideThreshold = 20;
  model.BuildBranch(plot->VectorArray, 0, 2, tree, branch);
  model.SmoothBranch(branch);
  // The corner B is set back 1 ft (its larger width) along each shot.
  EXPECT_EQ(branch[1].Vector.Location, (TLocation{0, 9, 0}));
  EXPECT_EQ(branch[2].Vector.Location, (TLocation{1, 10, 0}));
  EXPECT_EQ(branch[2].Vector.Station.View(), "B");
}

TEST(PassageLib, MergesJointsOnlyWhenAsked) {
  auto plot = Plot({"NA", "M 0 0 0 SA P 1 1 1 1", "D 10 0 0 SB P 1 1 1 1", "D 10 10 0 SC P 1 1 1 1", "X 0 0 0 0 0 0"});
  for (bool merge : {true, false}) {
    TPassageParameters parameters = Parameters(psSquare);
    parameters.MergePassageEnds = merge;
    std::vector<TFace> faces = Mesh(*plot, parameters);
    ASSERT_EQ(faces.size(), 8u);
    // Face 0 of each prism: End2[0] of the first against End1[0] of the second.
    bool shared = faces[0].points[1] == faces[4].points[0];
    EXPECT_EQ(shared, merge);
  }
}

TEST(PassageLib, FailsWithoutARectangleProcedure) {
  auto plot = Plot({"NA", "M 0 0 0", "D 10 0 0", "X 0 0 0 0 0 0"});
  TPassageParameters parameters;
  try {
    TPassageModel(parameters).DisplayPassageMesh(*plot, {}, {});
    FAIL();
  } catch (const std::runtime_error& error) {
    EXPECT_STREQ(error.what(), "No output procedure assigned.");
  }
}

TEST(PassageWalks, KeepsTheFacesThatLookAtTheViewer) {
  struct Case {
    TPassageShape shape;
    bool plan;
    int faces;
  } cases[] = {{psSquare, true, 1}, {psDiamond, true, 2}, {psOctagon, true, 4},
               {psSquare, false, 1}, {psDiamond, false, 2}, {psOctagon, false, 4}};
  auto plot = Plot({"NA", "M 0 0 0 SA P 1 1 1 1", "D 10 0 0 SB P 1 1 1 1", "X 0 0 0 0 0 0"});
  TSurveyTree tree(*plot);
  tree.DisplaySurveyTree();
  for (const Case& c : cases) {
    TSVGInfo info;
    info.PlotParams.Plan = c.plan;
    TPassageParameters parameters = Parameters(c.shape);
    parameters.SealEnds = true;
    TProjection projection;
    int rectangles = 0, triangles = 0;
    PlotPassages(projection, *plot, tree, parameters, info,
                 [&](const T3DVector&, const T3DVector&, const T3DVector&) { ++triangles; },
                 [&](const T3DVector&, const T3DVector&, const T3DVector&, const T3DVector&) { ++rectangles; }, true);
    EXPECT_EQ(rectangles, c.faces) << c.shape << (c.plan ? " plan" : " profile");
    EXPECT_EQ(triangles, c.shape == psOctagon ? 16 : 8);  // end seals whatever their direction
  }
  EXPECT_TRUE(ShowPrismFace(false, true, 180));
  EXPECT_FALSE(ShowPrismFace(true, true, 90));
  EXPECT_TRUE(ShowPrismFace(true, true, 360));
  EXPECT_FALSE(ShowPrismFace(true, false, 180));
}

TEST(PassageWalks, SelectsFacesAndCrossesByTheirOwnShot) {
  // A feature survey before the shots: its points take tree positions too.
  auto plot = Plot({"SCave", "FWater", "L 0 0 0 SW1 P 0 0 0 0", "L 1 1 0 SW2 P 0 0 0 0", "X 0 0 0 0 0 0", "NA",
                    "M 0 0 0 SA P 1 1 1 1", "D 10 0 0 SB P 1 1 1 1", "D 20 0 0 SC P 1 1 1 1 I 1 FS", "D 30 0 0 SD P 1 1 1 1",
                    "X 0 0 0 0 0 0"});
  TSurveyTree tree(*plot);
  tree.DisplaySurveyTree();
  TSVGInfo info;
  info.PlotParams.Selective = true;
  TPassageParameters parameters = Parameters(psSquare);
  TProjection projection;
  auto count = [&] {
    int faces = 0;
    std::vector<int> ends;
    PlotPassages(projection, *plot, tree, parameters, info, {},
                 [&](const T3DVector&, const T3DVector&, const T3DVector&, const T3DVector&) { ++faces; }, true);
    PlotLRUDs(projection, *plot, tree, parameters, info,
              [&](int inx, const T3DVector&, const T3DVector&, const T3DLRUDVector&, const T3DLRUDVector&,
                  const TPlotParams&) { ends.push_back(inx); });
    return std::pair(faces, ends);
  };
  EXPECT_EQ(count(), std::pair(0, std::vector<int>{}));
  // The shot A - B has tree position 2, though its vectors' running shot
  // number is 0, that of the first feature point.
  tree.ToggleCheck(tree.ShotNodes()[0]);
  EXPECT_EQ(count(), std::pair(0, std::vector<int>{}));
  tree.ToggleCheck(tree.ShotNodes()[0]);
  tree.ToggleCheck(tree.ShotNodes()[2]);
  EXPECT_EQ(count(), std::pair(1, std::vector<int>{3}));
  tree.ToggleCheck(tree.ShotNodes()[2]);
  tree.ToggleCheck(tree.ShotNodes()[4]);  // C - D: the prism B - D, as the splay C is left out
  EXPECT_EQ(count(), std::pair(1, std::vector<int>{5}));
}

TEST(PassageWalks, DrawsLRUDCrossesAcrossTheShot) {
  auto plot = Plot({"NA", "M 0 0 0 SA P 2 0 0 2", "D 10 0 0 SB P -9 -9 -9 -9", "d 20 0 0 SC P 1 1 1 1",
                    "D 25 5 0 SD P 1 1 1 1 I 1 FS", "X 0 0 0 0 0 0"});
  TSurveyTree tree(*plot);
  tree.DisplaySurveyTree();
  TSVGInfo info;
  TPassageParameters parameters;
  parameters.MinPassageSize = 0;
  TProjection projection;
  std::vector<std::pair<T3DLRUDVector, T3DLRUDVector>> crosses;
  PlotLRUDs(projection, *plot, tree, parameters, info,
            [&](int, const T3DVector&, const T3DVector&, const T3DLRUDVector& from, const T3DLRUDVector& to,
                const TPlotParams&) { crosses.emplace_back(from, to); });
  ASSERT_EQ(crosses.size(), 2u);  // A-B and the hidden draw B-C; not the splay
  const auto& [a, b] = crosses[0];
  EXPECT_NEAR(a.Left.X, -2, 1e-12);  // north-running: left is west
  EXPECT_NEAR(a.Right.X, 2, 1e-12);
  EXPECT_EQ(a.Up, (T3DVector{0, 0, 2}));  // the missing up and down pair taken from left and right
  EXPECT_NEAR(b.Left.X, -2, 1e-12);  // B's unmeasured pair filled from A
  EXPECT_NEAR(b.Left.Y, 10, 1e-12);
}

}  // namespace
