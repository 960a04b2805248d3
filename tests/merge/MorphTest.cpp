// The line-pair morph: the field itself, the handlers of the drawing layers
// and the adjustment of the symbol layers.

#include "merge/QMMorph.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "merge/MorphFit.h"
#include "merge/QMAdjust.h"
#include "merge/QMSodiPodi.h"
#include "merge/XMLDocLibrary.h"

namespace {

void ExpectNear(T2DVector actual, T2DVector expected, double tolerance = 1e-9) {
  EXPECT_NEAR(actual.X, expected.X, tolerance);
  EXPECT_NEAR(actual.Y, expected.Y, tolerance);
}

// One pair that moves everything by the offset.
TMorphLines ShiftAll(T2DVector offset) {
  const std::vector<T2DLine> destination = {{{0, 0}, {10, 0}}}, source = {{offset, offset + T2DVector{10, 0}}};
  return TMorphLines(source, destination, {});
}

// The classic field (N = 0) and the local one with its default N: with no
// more pairs than N the local field is the classic one.
class MorphField : public ::testing::TestWithParam<int> {
protected:
  TMorphFactors Factors(double a = 1, double b = 2, double p = 2) const { return {a, b, p, GetParam()}; }
  // One pair that moves everything by the offset.
  TMorphLines Shift(T2DVector offset) const {
    const std::vector<T2DLine> destination = {{{0, 0}, {10, 0}}}, source = {{offset, offset + T2DVector{10, 0}}};
    return TMorphLines(source, destination, Factors());
  }
};
INSTANTIATE_TEST_SUITE_P(ClassicAndLocal, MorphField, ::testing::Values(0, 4));

TEST_P(MorphField, TurnsAndShiftsWithOnePair) {
  const std::vector<T2DLine> turned = {{{0, 0}, {0, 10}}}, flat = {{{0, 0}, {10, 0}}};
  ExpectNear(TMorphLines(turned, flat, Factors()).Morph({5, 2}), {-2, 5});
  const TMorphLines shift = Shift({5, 5});
  for (T2DVector p : {T2DVector{5, 2}, T2DVector{-40, 3}, T2DVector{300, -70}}) ExpectNear(shift.Morph(p), p + T2DVector{5, 5});
  EXPECT_NEAR(CalculateU(flat[0], {5, 2}), 0.5, 1e-15);
  EXPECT_NEAR(CalculateV(flat[0], {5, 2}), 2, 1e-15);
  ExpectNear(GetTransformedPoint(turned[0], 0.5, 2), {-2, 5});
}

TEST_P(MorphField, WeighsNearAndLongLinesMore) {
  // With (1, 2, 2) a point on a line of length 10 weighs (100 / 1)^2 = 10000
  // for it, and at distance 9 from another of length 10 (100 / 10)^2 = 100.
  const std::vector<T2DLine> destination = {{{0, 0}, {10, 0}}, {{0, 9}, {10, 9}}};
  const std::vector<T2DLine> source = {{{0, 1}, {10, 1}}, {{0, 9 + 5}, {10, 9 + 5}}};  // moves 1 and 5 up
  const T2DVector moved = TMorphLines(source, destination, Factors(1, 2, 2)).Morph({5, 0});
  EXPECT_NEAR(moved.Y, (1 * 10000.0 + 5 * 100.0) / 10100.0, 1e-12);
  // B = 0: every pair weighs 1, the plain average.
  EXPECT_NEAR(TMorphLines(source, destination, Factors(1, 0, 2)).Morph({5, 0}).Y, 3, 1e-12);
  // Other exponents go the general way.
  const double w1 = std::pow(100.0 / 1, 1.5), w2 = std::pow(100.0 / 10, 1.5);
  EXPECT_NEAR(TMorphLines(source, destination, Factors(1, 1.5, 2)).Morph({5, 0}).Y, (w1 + 5 * w2) / (w1 + w2), 1e-12);
}

TEST_P(MorphField, GivesPointsOnLinesAndFarPointsADefinedPlace) {
  const std::vector<T2DLine> destination = {{{0, 0}, {10, 0}}, {{0, 9}, {10, 9}}};
  const std::vector<T2DLine> source = {{{0, 1}, {10, 1}}, {{0, 14}, {10, 14}}};
  // A = 0: a point on a line would weigh infinitely; it takes that line's mapping.
  ExpectNear(TMorphLines(source, destination, Factors(0, 2, 2)).Morph({5, 0}), {5, 1});
  ExpectNear(TMorphLines(source, destination, Factors(0, 2, 2)).Morph({5, 9}), {5, 14});
  // Every weight underflows to nothing: the nearest line's mapping, never NaN.
  ExpectNear(TMorphLines(source, destination, Factors(1, 100, 0.0001)).Morph({5, 1e6}), {5, 1e6 + 5});
  try {
    TMorphLines(source, std::vector<T2DLine>(destination.begin(), destination.begin() + 1), Factors());
    ADD_FAILURE();
  } catch (const std::runtime_error& error) {
    EXPECT_STREQ(error.what(), "Arrays not same size: 2/1");
  }
  EXPECT_THROW(TMorphLines({}, {}, Factors()), std::runtime_error);
}

TEST_P(MorphField, IsTheSameOnAllCoresAsOneByOne) {
  std::mt19937 random(7);
  std::uniform_real_distribution<double> sheet(0, 500), wiggle(-3, 3);
  std::vector<T2DLine> destination, source;
  for (int i = 0; i < 300; ++i) {
    T2DVector p{sheet(random), sheet(random)}, q = p + T2DVector{wiggle(random) * 5, wiggle(random) * 5 + 20};
    destination.push_back({p, q});
    source.push_back({p + T2DVector{wiggle(random), wiggle(random)}, q + T2DVector{wiggle(random), wiggle(random)}});
  }
  const TMorphLines lines(source, destination, Factors());
  EXPECT_EQ(lines.IsLocal(), GetParam() > 0);
  std::vector<T2DVector> points;
  for (int i = 0; i < 5000; ++i) points.push_back({sheet(random), sheet(random)});
  std::vector<T2DVector> together = points;
  lines.MorphPoints(together);
  for (std::size_t i = 0; i < points.size(); i += 97) EXPECT_EQ(together[i], lines.Morph(points[i]));
}

// The local field's own cases.
TEST(LocalMorphField, MovesContinuouslyWhereItsNearestLinesChange) {
  // Twelve lines one above the other, each moved right a little more than
  // the one below: along a vertical walk the lines within reach change.
  std::vector<T2DLine> destination, source;
  for (int i = 0; i < 12; ++i) {
    destination.push_back({{0, 10.0 * i}, {20, 10.0 * i}});
    source.push_back({{0.5 * i, 10.0 * i}, {20 + 0.5 * i, 10.0 * i}});
  }
  const double strain = 0.5 / 10;  // of the lines themselves
  const TMorphLines lines(source, destination, {1, 2, 2, 4});
  ASSERT_TRUE(lines.IsLocal());
  // Walks up five verticals in steps of two thousandths of a point.
  const double h = 2e-3;
  std::vector<T2DVector> walk;
  for (double x : {-5.0, 3.0, 10.0, 17.5, 26.0})
    for (int i = 0; i < 70000; ++i) walk.push_back({x, -15 + h * i});
  std::vector<T2DVector> moved = walk;
  lines.MorphPoints(moved);
  double steepest = 0;
  for (std::size_t i = 0; i + 1 < walk.size(); ++i) {
    if (walk[i + 1].X != walk[i].X) continue;
    const T2DVector da = moved[i] - walk[i], db = moved[i + 1] - walk[i + 1];
    steepest = std::max(steepest, std::hypot(db.X - da.X, db.Y - da.Y) / h);
  }
  // Between lines that moved apart the field bends (the classic field reaches
  // about twice the strain here too); a step would show in thousands.
  EXPECT_LT(steepest, 3 * strain);
}

TEST(LocalMorphField, CountsAShotDrawnThreeTimesOnce) {
  std::vector<T2DLine> destination = {{{0, 0}, {10, 0}}, {{0, 20}, {10, 20}}, {{30, 0}, {30, 10}}};
  std::vector<T2DLine> source = {{{0, 2}, {10, 2}}, {{0, 20}, {10, 20}}, {{31, 0}, {31, 10}}};
  const TMorphLines once(source, destination, {1, 2, 2, 2});
  for (int copies = 0; copies < 2; ++copies) {
    destination.push_back(destination[0]);
    source.push_back(source[0]);
  }
  const TMorphLines thrice(source, destination, {1, 2, 2, 2});
  EXPECT_EQ(thrice.Size(), 3u);
  ASSERT_TRUE(thrice.IsLocal());
  for (T2DVector p : {T2DVector{5, 5}, T2DVector{5, 15}, T2DVector{25, 5}, T2DVector{-10, -10}})
    ExpectNear(thrice.Morph(p), once.Morph(p), 1e-12);
}

TEST(LocalMorphField, GivesAPointOnALineThatLinesMappingWithANoughtA) {
  std::vector<T2DLine> destination, source;
  for (int i = 0; i < 8; ++i) {
    destination.push_back({{0, 5.0 * i}, {10, 5.0 * i}});
    source.push_back({{1, 5.0 * i + 0.3 * i}, {11, 5.0 * i + 0.3 * i}});
  }
  const TMorphLines lines(source, destination, {0, 2, 2, 4});
  ASSERT_TRUE(lines.IsLocal());
  ExpectNear(lines.Morph({4, 15}), {5, 15 + 0.9});
  std::vector<T2DVector> many(40, T2DVector{4, 15});
  lines.MorphPoints(many);
  for (const T2DVector& p : many) ExpectNear(p, {5, 15.9});
}

TEST(MorphFit, IsNothingForAnUnchangedOrShiftedSurveyAndNamesTheWorstShots) {
  std::mt19937 random(11);
  std::uniform_real_distribution<double> sheet(0, 800), step(-15, 15);
  TLinePairs pairs;
  std::vector<std::string> ids;
  for (int i = 0; i < 400; ++i) {
    const T2DVector p{sheet(random), sheet(random)};
    pairs.MorphLines.push_back({p, p + T2DVector{step(random), step(random) + 20}});
    pairs.MorphEdges.push_back(i);
    ids.push_back("S" + std::to_string(i) + "_S" + std::to_string(i + 1));
  }
  for (T2DVector shift : {T2DVector{0, 0}, T2DVector{7.5, -3}}) {
    pairs.BaseLines.clear();
    for (const T2DLine& line : pairs.MorphLines) pairs.BaseLines.push_back({line.P1 + shift, line.P2 + shift});
    for (int n : {0, 4}) {
      const TMorphFit fit = MeasureFit(TMorphLines(pairs.BaseLines, pairs.MorphLines, {1, 2, 2, n}), pairs, ids);
      ASSERT_TRUE(fit.Measured);
      EXPECT_LT(fit.Max, 1e-6) << "shift " << shift.X << ", N " << n;
      EXPECT_EQ(fit.Worst.size(), FitWorstShots);
    }
  }
  // One shot turned over: it is the worst, by its id.
  std::swap(pairs.BaseLines[17].P1, pairs.BaseLines[17].P2);
  const TMorphFit fit = MeasureFit(TMorphLines(pairs.BaseLines, pairs.MorphLines, {1, 2, 2, 4}), pairs, ids);
  ASSERT_FALSE(fit.Worst.empty());
  EXPECT_EQ(fit.Worst[0].Shot, "S17_S18");
  EXPECT_NEAR(fit.Worst[0].Miss, fit.Max, 1e-12);
  EXPECT_GT(fit.Max, 10);
  EXPECT_LT(fit.Median, 1e-6);
}

// A target with artwork in every kind of element, morphed by a shift.
struct TMorphFixture : ::testing::Test {
  void Load(const std::string& layers) {
    doc.Parse("<svg xmlns=\"http://www.w3.org/2000/svg\" "
              "xmlns:sodipodi=\"http://sodipodi.sourceforge.net/DTD/sodipodi-0.dtd\">" + layers + "</svg>",
              "art.svg");
  }
  std::string Attr(const char* id, const char* name) {
    for (const char* tag : {"path", "polyline", "polygon", "rect", "circle", "ellipse", "line", "use", "text", "g", "linearGradient"})
      if (TXMLNode node = XMLFindNode(doc, tag, "id", id)) return node.Attribute(name);
    return "(none)";
  }
  TXMLDocument doc;
  TSilentUserInterface ui;
  TProgressDisplay progress{ui};
  TMergeReport report;
};

TEST_F(TMorphFixture, WarpsEveryKindOfElementOfADrawingLayer) {
  Load("<g id=\"w2d_Walls_shp\">"
       "<path id=\"p\" d=\"m 10,10 l 5,0 h 5 v 5 z\" sodipodi:type=\"arc\" sodipodi:cx=\"1\"/>"
       "<polyline id=\"pl\" points=\"0,0 10,0 10,10 5\"/>"
       "<use id=\"u\"/>"
       "<line id=\"l\" x1=\"1\" y1=\"2\" x2=\"3\" y2=\"4\"/>"
       "<rect id=\"r\" x=\"10\" y=\"20\" width=\"5\" height=\"5\"/>"
       "<circle id=\"c\" cx=\"1\" cy=\"1\" r=\"3\"/>"
       "<g transform=\"translate(100,0)\"><polygon id=\"pg\" points=\"0,0 1,1\"/></g>"
       "</g>");
  const TMorphLines lines = ShiftAll({3, 4});
  TMorph morph(doc, lines, progress, report);
  morph.MorphAllLayerElements("w2d_Walls_shp");
  // Written absolute and upper case; a horizontal or vertical run as a line.
  EXPECT_EQ(Attr("p", "d"), "M 13.00000,14.00000 L 18.00000,14.00000 L 23.00000,14.00000 L 23.00000,19.00000 Z");
  EXPECT_EQ(Attr("p", "sodipodi:type"), "");
  EXPECT_EQ(Attr("pl", "points"), " 3.00000,4.00000 13.00000,4.00000 13.00000,14.00000");
  EXPECT_EQ(Attr("u", "transform"), " translate(3.00000,4.00000)  rotate(0.00000) scale(1.00000,1.00000) ");
  EXPECT_EQ(Attr("l", "x1") + " " + Attr("l", "y2"), "4.000 8.000");
  EXPECT_EQ(Attr("r", "x") + " " + Attr("r", "y"), "13.000 24.000");
  EXPECT_EQ(Attr("r", "transform"), " rotate(0.00000 13.00000 24.00000)");
  EXPECT_EQ(Attr("r", "width"), "5");
  EXPECT_EQ(Attr("c", "cx"), "4.000");
  EXPECT_EQ(Attr("pg", "points"), " 3.00000,4.00000 4.00000,5.00000");  // in its own coordinates
  ASSERT_EQ(report.Layers.size(), 1u);
  EXPECT_EQ(report.Layers[0].Elements, 7);
  EXPECT_NEAR(report.LargestMove, 5, 1e-9);
  EXPECT_TRUE(report.Warps.empty());
}

TEST_F(TMorphFixture, ReportsWhereTheWarpFoldsTheDrawing) {
  Load("<g id=\"w2d_Mask\"><path id=\"folded\" d=\"M 4,1 L 6,1\"/></g>");
  // Two lines drawn side by side that swapped places: between them the drawing turns over.
  const std::vector<T2DLine> destination = {{{0, 0}, {10, 0}}, {{0, 2}, {10, 2}}};
  const std::vector<T2DLine> source = {{{0, 2}, {10, 2}}, {{0, 0}, {10, 0}}};
  const TMorphLines lines(source, destination, {});
  TMorph morph(doc, lines, progress, report);
  morph.MorphAllLayerElements("w2d_Mask");
  ASSERT_EQ(report.Warps.size(), 1u);
  EXPECT_EQ(report.Warps[0].Element, "folded");
  EXPECT_EQ(report.Warps[0].Kind, "fold");
}

TEST_F(TMorphFixture, ReportsTheMovesOfTheElementsNotOfTheirOrigins) {
  Load("<g id=\"w2d_Detail_shp\"><rect id=\"far\" x=\"1000\" y=\"0\" width=\"5\" height=\"5\"/></g>");
  // A quarter turn about (1000, 0): the rect stays, its local origin would move most.
  const std::vector<T2DLine> destination = {{{1000, 0}, {1010, 0}}}, source = {{{1000, 0}, {1000, 10}}};
  const TMorphLines lines(source, destination, {});
  TMorph morph(doc, lines, progress, report);
  morph.MorphAllLayerElements("w2d_Detail_shp");
  EXPECT_EQ(Attr("far", "x") + " " + Attr("far", "y"), "1000.000 0.000");
  EXPECT_LT(report.LargestMove, 1e-9);
  EXPECT_TRUE(report.Warps.empty());
}

TEST_F(TMorphFixture, NamesTheElementThatCannotBeMorphed) {
  Load("<g id=\"w2d_Walls_shp\"><path id=\"flat\" transform=\"scale(0)\" d=\"M0,0 L1,1\"/></g>");
  const TMorphLines lines = ShiftAll({1, 1});
  TMorph morph(doc, lines, progress, report);
  try {
    morph.MorphAllLayerElements("w2d_Walls_shp");
    ADD_FAILURE();
  } catch (const std::runtime_error& error) {
    EXPECT_EQ(std::string(error.what()).rfind("flat: ", 0), 0u) << error.what();
  }
}

TEST_F(TMorphFixture, MovesSymbolsWholeAndGroupsOnce) {
  Load("<g id=\"w2d_Notes\">"
       "<g id=\"g12\"><text id=\"t1\" x=\"10\" y=\"10\">note</text><path id=\"gp\" d=\"M0,0 L1,1\"/></g>"
       "<g id=\"labels\"><text id=\"t2\" x=\"5\" y=\"5\">A</text><text id=\"t3\" x=\"6\" y=\"6\">B</text></g>"
       "<g><g id=\"g7\"><text id=\"t4\" x=\"1\" y=\"1\">in</text></g></g>"
       "<g id=\"g9\"><text id=\"t9\" x=\"2\" y=\"2\">x</text><use id=\"u9\"/></g>"
       "<path id=\"shape\" d=\"M0,0 L9,9\" sodipodi:cx=\"2\" sodipodi:cy=\"3\"/>"
       "<line id=\"ln\" x1=\"0\" y1=\"0\" x2=\"1\" y2=\"1\"/>"
       "</g>"
       "<g id=\"w2d_Flags\"><text id=\"flag\">F</text><circle id=\"c\" cx=\"1\" cy=\"2\" r=\"1\" sodipodi:type=\"arc\"/></g>");
  const TMorphLines lines = ShiftAll({1, 2});
  TMorph morph(doc, lines, progress, report);
  TAdjust adjust(morph, doc, progress, report);
  adjust.AdjustAllLayerElements("w2d_Notes");
  adjust.AdjustAllLayerElements("w2d_Flags");
  EXPECT_EQ(Attr("g12", "transform"), " translate(1.00000,2.00000)");  // once, by its first text
  EXPECT_EQ(Attr("t1", "x"), "10");
  EXPECT_EQ(Attr("gp", "d"), "M0,0 L1,1");
  EXPECT_EQ(Attr("t2", "x") + " " + Attr("t3", "y"), "6.00000 8.00000");  // "labels" is no adjustable group
  EXPECT_EQ(Attr("g7", "transform"), "");  // the outer group moves
  TXMLNode outer = XMLFindNode(doc, "g", "id", "g7").Parent();
  EXPECT_EQ(outer.Attribute("transform"), " translate(1.00000,2.00000)");
  EXPECT_EQ(Attr("g9", "transform"), " translate(1.00000,2.00000)");
  EXPECT_EQ(Attr("u9", "transform"), " translate(1.00000,2.00000)  scale(1.00000,1.00000) ");  // moved again
  EXPECT_EQ(Attr("shape", "sodipodi:cx") + " " + Attr("shape", "sodipodi:cy"), "3.00000 5.00000");
  EXPECT_EQ(Attr("shape", "d"), "M0,0 L9,9");
  EXPECT_EQ(Attr("ln", "x2") + " " + Attr("ln", "y2"), "2.00000 3.00000");
  EXPECT_EQ(Attr("flag", "transform"), " translate(1.00000,2.00000)");
  EXPECT_EQ(Attr("c", "cx"), "2.00000");
  EXPECT_EQ(report.GroupsMoved, 3);
  EXPECT_TRUE(IsAdjustableGroup(XMLFindNode(doc, "g", "id", "g12")));
  EXPECT_FALSE(IsAdjustableGroup(XMLFindNode(doc, "g", "id", "w2d_Notes")));
}

TEST_F(TMorphFixture, RemovesOnlyTheSodipodiShapeParameters) {
  Load("<path id=\"p\" sodipodi:type=\"arc\" sodipodi:nodetypes=\"cc\" d=\"M0,0\"/>");
  TXMLNode path = XMLFindNode(doc, "path");
  RemoveSodipodi(path);
  EXPECT_FALSE(path.HasAttribute("sodipodi:type"));
  EXPECT_TRUE(path.HasAttribute("sodipodi:nodetypes"));
}

}  // namespace
