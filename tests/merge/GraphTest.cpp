// Station tables, survey graphs and the line pairs of the morph.

#include "merge/QMGraph.h"

#include <gtest/gtest.h>

#include "merge/Hash.h"

namespace {

TEST(HashTable, UsesFNV1aBoxesAsSpecified) {
  THashTable table;
  EXPECT_EQ(table.BoxCount(), 2048);
  EXPECT_EQ(table.GetHashValue(""), 1622);
  EXPECT_EQ(table.GetHashValue("A1"), 765);
  EXPECT_EQ(table.Insert("A1"), 0);
  EXPECT_EQ(table.Insert("B2"), 1);
  EXPECT_EQ(table.Search("A1"), 0);
  EXPECT_EQ(table.Search("a1"), -1);
  EXPECT_EQ(table.AddUnique("B2"), -1);
  EXPECT_EQ(table.AddUnique("C3"), 2);
  table.SetCaseSensitive(false);
  EXPECT_EQ(table.Search("a1"), 0);
  table.SetBoxPower(3);
  EXPECT_EQ(table.BoxCount(), 16);
  EXPECT_EQ(table.Search("c3"), 2);
  // Many entries spread over more boxes and are all found.
  THashTable many;
  for (int i = 0; i < 20000; ++i) many.Insert("S" + std::to_string(i));
  EXPECT_GT(many.BoxCount(), 2048);
  for (int i = 0; i < 20000; i += 997) EXPECT_EQ(many.Search("S" + std::to_string(i)), i);
  TIntegerHashTable integers;
  integers.Insert(-5);
  integers.Insert(70000);
  EXPECT_EQ(integers.Search(70000), 1);
  EXPECT_EQ(integers.Search(7), -1);
}

TEST(SurveyGraph, KeepsFirstPositionsAndFindsEdgesEitherWay) {
  TSurveyGraph graph("Morph Graph");
  EXPECT_TRUE(graph.AddEdge("A", "B", {0, 0, 0}, {10, 0, 0}));
  EXPECT_TRUE(graph.AddEdge("C", "B", {10, 10, 0}, {99, 99, 0}));  // B keeps its first position
  EXPECT_TRUE(graph.AddEdge("B", "A", {5, 5, 0}, {6, 6, 0}));      // drawn twice, the other way
  EXPECT_FALSE(graph.AddEdge(-1, 0));
  EXPECT_EQ(graph.VertexCount(), 3);
  EXPECT_EQ(graph.Vertices[1], (T3DVector{10, 0, 0}));
  EXPECT_EQ(graph.Parent[1], 2);  // the last edge to B came from C
  bool reversed = true;
  EXPECT_EQ(graph.FindEdge("A", "B", reversed), 0);
  EXPECT_FALSE(reversed);
  EXPECT_EQ(graph.FindEdge("B", "A", reversed), 0);  // the first edge of the pair
  EXPECT_TRUE(reversed);
  EXPECT_EQ(graph.FindEdge("A", "C", reversed), -1);
  EXPECT_EQ(graph.FindEdge("A", "Z", reversed), -1);
  EXPECT_EQ(graph.AdjacentEdges[1], (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(graph.BoundingBox.Max.Vector(), (T3DVector{10, 10, 0}));
  graph.Clear();
  EXPECT_EQ(graph.EdgeCount(), 0);
  EXPECT_EQ(graph.BoundingBox.Min.East, 9.9e99);
}

TEST(ShotPaths, GiveTheirTwoPoints) {
  const struct {
    const char* d;
    T2DVector from, to;
  } cases[] = {
      {"M10,20l5,0", {10, 20}, {15, 20}},   {"m10,20 5,0", {10, 20}, {15, 20}}, {"m10,20 h5", {10, 20}, {15, 20}},
      {"M10,20 L15,20", {10, 20}, {15, 20}}, {"M10,20 H15", {10, 20}, {15, 20}}, {"M10,20 v-5", {10, 20}, {10, 15}},
      {"M 54,486 684,0", {54, 486}, {684, 0}},  // an implicit line after an absolute move is absolute
  };
  for (const auto& c : cases) {
    T2DVector from, to;
    ASSERT_TRUE(ExtractFromToVector(c.d, from, to)) << c.d;
    EXPECT_EQ(from, c.from) << c.d;
    EXPECT_EQ(to, c.to) << c.d;
  }
  T2DVector from, to;
  EXPECT_FALSE(ExtractFromToVector("M10,20", from, to));
}

TXMLDocument Drawing(const std::string& vectors) {
  TXMLDocument doc;
  doc.Parse("<svg xmlns=\"http://www.w3.org/2000/svg\"><g id=\"w2d_Vectors\">" + vectors + "</g></svg>", "d.svg");
  return doc;
}

TEST(LinePairs, PairShotsByStationsWithTheTargetTurnedToMatch) {
  TXMLDocument source = Drawing(
      "<path id=\"A_B\" d=\"M0,0l10,0\"/><path id=\"B_C\" d=\"M10,0l0,10\"/><line id=\"C_D\" x1=\"10\" y1=\"10\" x2=\"20\" y2=\"10\"/>"
      "<path id=\"D_E\" d=\"M20,10l5,0\"/><text id=\"A_B\">not a shot</text><path d=\"M0,0l1,1\"/>");
  TXMLDocument target = Drawing(
      "<path id=\"B_A\" d=\"M12,1L2,1\"/><path id=\"B_C_2\" d=\"M12,1l0,10\"/><path id=\"C_D\" d=\"M12,11l0.05,0\"/>"
      "<path id=\"X_Y\" d=\"M0,0l5,5\"/>");
  TSurveyGraph base, morph;
  std::vector<std::string> baseIds, morphIds;
  GetSurveyGraph(source, base, &baseIds);
  GetSurveyGraph(target, morph, &morphIds);
  EXPECT_EQ(base.EdgeCount(), 4);  // the text and the path without an id are no shots
  EXPECT_EQ(morphIds, (std::vector<std::string>{"B_A", "B_C_2", "C_D", "X_Y"}));
  TLinePairs pairs;
  CopyCommonLines(pairs, base, morph);
  ASSERT_EQ(pairs.Size(), 2u);  // C-D's old line is 0.05 long: no pair; D-E is new
  EXPECT_EQ(pairs.BaseLines[0], (T2DLine{{0, 0}, {10, 0}}));
  EXPECT_EQ(pairs.MorphLines[0], (T2DLine{{2, 1}, {12, 1}}));  // reversed: P1 at A in both
  EXPECT_EQ(pairs.MorphLines[1], (T2DLine{{12, 1}, {12, 11}}));
  EXPECT_EQ(pairs.BaseEdges, (std::vector<int>{0, 1}));
  EXPECT_EQ(pairs.MorphEdges, (std::vector<int>{0, 1}));
}

}  // namespace
