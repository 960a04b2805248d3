#include "merge/GraphListing.h"

#include <gtest/gtest.h>

#include "merge/QMGraph.h"

namespace {

struct TShot {
  const char *From, *To;
  T2DVector P1, P2;
};

TSurveyGraph Graph(std::initializer_list<TShot> shots) {
  TSurveyGraph graph;
  for (const TShot& shot : shots) StoreGraphShot(graph, shot.From, shot.To, shot.P1, shot.P2);
  return graph;
}

std::vector<std::string> Row(const std::vector<TGraphPair>& pairs, const TSurveyGraph& base, const TSurveyGraph& morph,
                             int row) {
  std::vector<std::string> cells;
  for (int column = 0; column < 8; ++column) cells.push_back(GraphCellText(pairs, base, morph, row, column));
  return cells;
}

using TCells = std::vector<std::string>;

TEST(GraphListing, ListsThePlotShotsThenTheTargetShotsWithoutPartner) {
  TSurveyGraph base = Graph({{"A", "B", {0, 0}, {72, 0}}, {"B", "C", {72, 0}, {72, 72}}, {"C", "D", {72, 72}, {0, 72}}});
  // B-A drawn reversed, C-D missing, B-C drawn twice, one shot only in the target.
  TSurveyGraph morph = Graph({{"B", "A", {72, 0}, {0, 0}},
                              {"B", "C", {72, 0}, {72, 144}},
                              {"B", "C", {72, 0}, {72, 144}},
                              {"X", "Y", {10, 10}, {20, 20}}});
  const std::vector<TGraphPair> pairs = FindPairs(base, morph);
  ASSERT_EQ(pairs.size(), 5u);
  EXPECT_EQ(GraphGridRows(pairs.size()), 10);
  EXPECT_EQ(Row(pairs, base, morph, 0), (TCells{"#", "From", "To", "From", "To", "", "", ""}));
  EXPECT_EQ(Row(pairs, base, morph, 1), (TCells{"1", "A", "B", "B", "A", "", "", ""}));
  EXPECT_TRUE(pairs[0].Reversed);
  EXPECT_EQ(Row(pairs, base, morph, 3), (TCells{"3", "C", "D", "", "", "", "", ""}));
  EXPECT_EQ(Row(pairs, base, morph, 4), (TCells{"4", "", "", "B", "C", "", "", ""}));  // the second copy
  EXPECT_EQ(Row(pairs, base, morph, 5), (TCells{"5", "", "", "X", "Y", "", "", ""}));
  EXPECT_EQ(Row(pairs, base, morph, 9), (TCells{"9", "", "", "", "", "", "", ""}));
  EXPECT_EQ(GraphGridRows(30), 31);

  // A reversed partner turns the whole way round; a doubled one scales by two.
  const std::string reversed = GraphDetails(GetDisplayItem(base, 0), GetDisplayItem(morph, 0), 240, '.');
  EXPECT_NE(reversed.find("Rotation: 180.000\r\n"), std::string::npos) << reversed;
  const std::string doubled = GraphDetails(GetDisplayItem(base, 1), GetDisplayItem(morph, 1), 240, '.');
  EXPECT_NE(doubled.find("Scale: 2.000\r\nRatio: 120.000\r\n"), std::string::npos) << doubled;
  // An index a merge has since taken away is no shot.
  EXPECT_FALSE(GetDisplayItem(morph, 99).Valid);
}

TEST(GraphListing, DescribesAShotInInchesWithYUp) {
  TSurveyGraph base = Graph({{"A1", "A2", {72, 144}, {144, 144}}, {"U1", "U2", {0, 100}, {0, 28}}});
  EXPECT_EQ(GetDetailStr(GetDisplayItem(base, 0), '.'),
            "From:       A1: X:     1.00 Y:    -2.00\r\n"
            "To:         A2: X:     2.00 Y:    -2.00\r\n"
            "Diff:           X:     1.00 Y:     0.00\r\n"
            "Len:            72.0\r\n"
            "Azm:            90.0\r\n");
  const std::string up = GetDetailStr(GetDisplayItem(base, 1), ',');
  EXPECT_NE(up.find("Diff:           X:     0,00 Y:    -1,00\r\n"), std::string::npos) << up;
  EXPECT_NE(up.find("Azm:            0,0\r\n"), std::string::npos) << up;

  const std::string alone = GraphDetails(GetDisplayItem(base, 0), GetDisplayItem(base, -1), 240, '.');
  EXPECT_EQ(alone.substr(alone.find("SVG Target")), "SVG Target\r\n----------\r\nN/A\r\nPlot/SVG Difference\r\n-------------------\r\n");
  // A shot with no length on the page has no scale; nothing is divided by zero.
  TSurveyGraph flat = Graph({{"A1", "A2", {72, 144}, {72, 144}}});
  const std::string none = GetRelativeStr(GetDisplayItem(flat, 0), GetDisplayItem(base, 0), 240, '.');
  EXPECT_NE(none.find("Rotation: 0.000\r\nScale: N/A\r\nRatio: N/A\r\n"), std::string::npos) << none;
}

}  // namespace
