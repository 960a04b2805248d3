#include "survey/QMCaveTree.h"

#include <gtest/gtest.h>

#include "support/TestSupport.h"

namespace {

// Section Main: survey A (M D D M D), feature survey W (3 points); section
// Side: range survey R (1 point), survey B (M D).
const std::string TreePlot = Lines({
    "SMain", "NA", "M 0 0 0 SA1", "D 0 1 0 SA2", "D 0 2 0 SA3", "M 0 2 0 SA2", "D 0 3 0 SA4 P 0 0 0 0 I 1 FS",
    "X 0 0 0 0 0 0", "FW", "L 1 1 1 SW1 P 0 0 0 0", "L 2 2 2 SW2 P 0 0 0 0", "L 3 3 3 Sa_1x P 0 0 0 0",
    "X 0 0 0 0 0 0", "SSide", "FR R 0 10", "L 4 4 4 SR1 P 0 0 0 0 V 5", "X 0 0 0 0 0 0", "NB", "M 5 5 5 SB1",
    "D 6 6 6 SB2", "X 0 0 0 0 0 0"});

struct TTreeFixture : ::testing::Test {
  void SetUp() override {
    ASSERT_TRUE(OpenAndReadPlot(plot, WriteScratchFile("tree.plt", TreePlot), ui).Loaded);
    tree.DisplaySurveyTree();
  }
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (int node = 0; node < tree.NodeCount(); ++node) texts.push_back(tree.Text(node));
    return texts;
  }
  TPlotState plot;
  TRecordingUserInterface ui;
  TSurveyTree tree{plot};
};

TEST_F(TTreeFixture, BuildsNodesInTreeOrder) {
  EXPECT_EQ(Texts(), (std::vector<std::string>{"Main", "A", "A1 - A2", "A2 - A3", "A2 - A4", "W", "W1", "W2", "a_1x",
                                                "Side", "R", "R1", "B", "B1 - B2"}));
  struct Case {
    int node;
    TTreeInfo info;
    int parent;
  } cases[] = {
      {0, {0, 0, itSection}, -1},  {1, {0, 0, itSurvey}, 0},      {4, {3, 4, itShot}, 1},
      {5, {1, 1, itFeature}, 0},   {6, {5, 5, itFeatureItem}, 5}, {10, {2, 2, itRange}, 9},
      {11, {8, 8, itRangeItem}, 10}, {13, {9, 10, itShot}, 12},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(tree.Info(c.node).FromInx, c.info.FromInx) << c.node;
    EXPECT_EQ(tree.Info(c.node).ToInx, c.info.ToInx) << c.node;
    EXPECT_EQ(tree.Info(c.node).ItemType, c.info.ItemType) << c.node;
    EXPECT_EQ(tree.Parent(c.node), c.parent) << c.node;
  }
  EXPECT_EQ(tree.SectionNodes(), (std::vector<int>{0, 9}));
  EXPECT_EQ(tree.SurveyNodes(), (std::vector<int>{1, 5, 10, 12}));
  EXPECT_EQ(tree.ShotNodes(), (std::vector<int>{2, 3, 4, 6, 7, 8, 11, 13}));
}

TEST_F(TTreeFixture, SelectsShotsBySectionSurveyOrShot) {
  auto selected = [&](int section, int survey, int shot) { return tree.IsTreeItemSelected(section, survey, shot).Selected; };
  EXPECT_FALSE(selected(0, 0, 1));
  EXPECT_EQ(tree.IsTreeItemSelected(0, 0, 2).FromInx, 3);
  tree.ToggleCheck(3);  // shot A2 - A3
  EXPECT_TRUE(selected(0, 0, 1));
  EXPECT_FALSE(selected(0, 0, 0));
  tree.ToggleCheck(12);  // survey B
  EXPECT_TRUE(selected(1, 3, 7));
  tree.ToggleCheck(0);  // section Main: all of it, whatever the shot marks say
  tree.ToggleCheck(3);
  for (int shot = 0; shot < 6; ++shot) EXPECT_TRUE(selected(0, shot < 3 ? 0 : 1, shot)) << shot;
  EXPECT_FALSE(selected(1, 2, 6));
}

TEST_F(TTreeFixture, TellsSingleTogglesFromBulkChanges) {
  std::vector<TCheckChange> changes;
  tree.OnCheckChange([&](TCheckChange change) { changes.push_back(change); });
  tree.ToggleCheck(2);
  tree.SetAllChecks(true);
  tree.Select(4, true);
  tree.Select(6, true);
  tree.InvertAllSelected();
  EXPECT_EQ(changes, (std::vector<TCheckChange>{TCheckChange::Single, TCheckChange::Bulk, TCheckChange::Bulk}));
  EXPECT_FALSE(tree.Checked(4));
  EXPECT_FALSE(tree.Checked(6));
  EXPECT_TRUE(tree.Checked(5));
  tree.SetAllSelected(true);
  EXPECT_TRUE(tree.Checked(4));
  tree.SetAllChecks(false);
  for (int node = 0; node < tree.NodeCount(); ++node) EXPECT_FALSE(tree.Checked(node));
}

TEST_F(TTreeFixture, SearchesWithWildcardsInBothDirections) {
  EXPECT_EQ(tree.FindNode("A?1", true, ui), 8);  // "a_1x", any case
  EXPECT_EQ(tree.CurrentNode(), 8);
  EXPECT_EQ(tree.FindNode("a2", false, ui), 4);  // upward from there
  EXPECT_EQ(tree.FindNode("a2", false, ui), 3);
  EXPECT_EQ(tree.FindNode("B1", true, ui), 13);
  EXPECT_TRUE(ui.warnings.empty());
  EXPECT_EQ(tree.FindNode("B1", true, ui), TSurveyTree::NoNode);  // no wrap-around
  tree.SetCurrentNode(0);
  EXPECT_EQ(tree.FindNode("Main", false, ui), TSurveyTree::NoNode);
  EXPECT_EQ(ui.warnings, (std::vector<std::string>{"Survey Not Found: B1", "Survey Not Found: Main"}));
  tree.ClearSelection();
  EXPECT_EQ(tree.FindNode("main", true, ui), 0);  // no current node: from the first
}

TEST_F(TTreeFixture, ShowsAndEditsNodeProperties) {
  TNodeProperties shot = tree.NodeProperties(4);
  EXPECT_EQ(shot.Kind, "Shot");
  EXPECT_EQ(shot.Name, "A2");
  EXPECT_EQ(shot.ToName, "A4");
  EXPECT_FALSE(shot.EditsFeatureInfo);
  TNodeProperties range = tree.NodeProperties(10);
  EXPECT_EQ(range.Kind, "Range");
  EXPECT_TRUE(range.EditsFeatureInfo);
  EXPECT_EQ(tree.NodeProperties(6).Kind, "Feature Item");

  TFeatureInfo info = plot.SurveyArray[2].Attributes.FeatureInfo;
  info.SizeHigh = 40;
  info.FontFace.Assign("DejaVu Sans");
  tree.SetFeatureInfo(10, info);
  EXPECT_EQ(plot.SurveyArray[2].Attributes.FeatureInfo.SizeHigh, 40);
  EXPECT_EQ(plot.SurveyArray[2].Attributes.FeatureInfo.FontFace.View(), "DejaVu Sans");
  tree.SetFeatureInfo(1, info);  // an ordinary survey keeps its own
  EXPECT_EQ(plot.SurveyArray[0].Attributes.FeatureInfo.SizeHigh, 24);
}

TEST(SurveyTree, SurveysBeforeTheFirstSectionGetNoNode) {
  TPlotState plot;
  TRecordingUserInterface ui;
  OpenAndReadPlot(plot, WriteScratchFile("early.plt", Lines({"NEarly", "M 0 0 0", "D 1 1 1", "X 0 0 0 0 0 0",
                                                                "SCave", "NLate", "M 0 0 0", "D 2 2 2", "X 0 0 0 0 0 0"})),
                  ui);
  TSurveyTree tree(plot);
  tree.DisplaySurveyTree();
  EXPECT_EQ(tree.SurveyNodes(), (std::vector<int>{TSurveyTree::NoNode, 1}));
  EXPECT_EQ(tree.ShotNodes(), (std::vector<int>{2}));
  EXPECT_EQ(tree.IsTreeItemSelected(0, 1, 0).ToInx, 3);
}

TEST(SurveyTree, ReportsProgressWhileBuilding) {
  TPlotState plot;
  TRecordingUserInterface ui;
  OpenAndReadPlot(plot, WriteScratchFile("p.plt", TreePlot), ui);
  TSurveyTree tree(plot);
  std::vector<std::pair<int, int>> calls;
  tree.DisplaySurveyTree([&](int surveys, int shots) { calls.emplace_back(surveys, shots); });
  EXPECT_EQ(calls, (std::vector<std::pair<int, int>>{{0, 1}, {0, 4}, {1, 7}, {2, 8}, {3, 10}, {4, 5}}));
}

}  // namespace
