// Transforms into matrices, and path data read, made absolute and written.

#include "merge/QMTransform.h"

#include <gtest/gtest.h>

#include <cmath>

#include "merge/QMPath.h"
#include "merge/XMLDocLibrary.h"

namespace {

void ExpectNear(T2DVector actual, T2DVector expected, const char* what) {
  EXPECT_NEAR(actual.X, expected.X, 1e-9) << what;
  EXPECT_NEAR(actual.Y, expected.Y, 1e-9) << what;
}

TX3Matrix Read(const char* text) {
  TX3Matrix m = X3IdentityMatrix;
  GetTransformMatrix(text, m);
  return m;
}

TEST(Transforms, ReadEveryKindLeftToRight) {
  const TX3Matrix reference = Read("translate(10,20) rotate(90)");
  for (const char* same : {"translate(10,20),rotate(90)", " translate(10,20)  rotate(90) ", "translate (10 20) rotate(90)"})
    for (std::size_t i = 0; i < 9; ++i) EXPECT_NEAR(Read(same)[i], reference[i], 1e-12) << same;
  ExpectNear(X3MatrixVectorMult(reference, {1, 0}), {10, 21}, "rotated, then moved");
  ExpectNear(X3MatrixVectorMult(Read("translate(5)"), {0, 0}), {5, 0}, "translate(5)");
  ExpectNear(X3MatrixVectorMult(Read("scale(3)"), {1, 1}), {3, 3}, "scale(3)");
  const TX3Matrix about = Read("rotate(90 10 0)");
  ExpectNear(X3MatrixVectorMult(about, {10, 0}), {10, 0}, "the centre stays");
  ExpectNear(X3MatrixVectorMult(about, {11, 0}), {10, 1}, "around the centre");
  ExpectNear(X3MatrixVectorMult(Read("skewX(45)"), {0, 1}), {1, 1}, "skewX");
  ExpectNear(X3MatrixVectorMult(Read("skewY(45)"), {1, 0}), {1, 1}, "skewY");
  ExpectNear(X3MatrixVectorMult(Read("matrix(1,0,0,1,7,8) frobnicate(1) "), {0, 0}), {7, 8}, "unknown names pass");
  const struct {
    const char* text;
    const char* message;
  } wrong[] = {{"translate(1,2,3)", "Incorrect Translate Args: 3"}, {"matrix(1,2,3,4)", "Incorrect Matrix Args: 4"},
               {"scale()", "Incorrect Scale Args: 0"},             {"rotate(1,2,3,4)", "Incorrect Rotation Args: 4"},
               {"skewX(1,2)", "Incorrect SkewX Args: 2"},          {"skewY()", "Incorrect SkewY Args: 0"}};
  for (const auto& c : wrong) {
    try {
      Read(c.text);
      ADD_FAILURE() << c.text;
    } catch (const std::runtime_error& error) {
      EXPECT_STREQ(error.what(), c.message);
    }
  }
}

TEST(Transforms, AccumulateFromTheOutermostAncestor) {
  TXMLDocument doc;
  doc.Parse("<svg><g transform=\"scale(2)\"><path id=\"p\" transform=\"translate(10,0)\"/></g></svg>", "t.svg");
  const TX3Matrix m = SetupTransformMatrix(XMLFindNode(doc, "path"));
  ExpectNear(X3MatrixVectorMult(m, {1, 1}), {22, 2}, "scale of the group after the path's translate");
  ExpectNear(X3MatrixVectorMult(InvertX3Matrix(m), {22, 2}), {1, 1}, "and back");
  EXPECT_THROW(InvertX3Matrix(Read("scale(0)")), std::domain_error);
}

TEST(Transforms, WalkEveryElementOfANameInALayer) {
  TXMLDocument doc;
  doc.Parse("<svg><g id=\"L\"><path id=\"a\"/><g><path id=\"b\"/><text/></g></g><path id=\"c\"/></svg>", "w.svg");
  std::vector<std::string> seen;
  std::vector<long> totals;
  IterrateElements(doc, "L", "path", [&](long, long total) { totals.push_back(total); },
                   [&](TXMLNode element) { seen.push_back(element.Attribute("id")); });
  EXPECT_EQ(seen, (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(totals.back(), 4);  // the layer's two children, then the group's two
  EXPECT_THROW(IterrateElements(doc, "L", "path", {}, {}), std::runtime_error);
}

TEST(PathData, ReadsRelativeItemsAbsolute) {
  TPathArray path;
  ExtractPathData("m 10,20 h 5 v 3 l 1,1 z m 2,2 l 1,0", path);
  MakePathAbsolute(path);
  const std::pair<char, T2DVector> expected[] = {{'M', {10, 20}}, {'H', {15, 20}}, {'V', {15, 23}}, {'L', {16, 24}},
                                                 {'Z', {10, 20}}, {'M', {12, 22}}, {'L', {13, 22}}};
  ASSERT_EQ(path.size(), std::size(expected));
  for (std::size_t i = 0; i < path.size(); ++i) {
    EXPECT_EQ(path[i].Tag, expected[i].first) << i;
    EXPECT_EQ(path[i].Pos, expected[i].second) << i;
  }
  ExtractPathData("M1,2 3,4", path);
  ASSERT_EQ(path.size(), 2u);
  EXPECT_EQ(path[1].Tag, 'L');
  EXPECT_EQ(path[1].Pos, (T2DVector{3, 4}));
  ExtractPathData("M0,0 c1,2 3,4 5,6 s1,1 2,2 Q7,8 9,10", path);
  MakePathAbsolute(path);
  EXPECT_EQ(path[1].Control.P1, (T2DVector{1, 2}));
  EXPECT_EQ(path[1].Pos, (T2DVector{5, 6}));
  EXPECT_EQ(path[2].Control.P2, (T2DVector{6, 7}));
  ExtractPathData("Z 5", path);  // a stray number after a command without one ends
  EXPECT_LE(path.size(), 2u);
}

TEST(PathData, KeepsArcRadiiAndWritesFixedDecimals) {
  TPathArray path;
  ExtractPathData("M0,0 a5,5 0 0,1 10,0", path);
  MakePathAbsolute(path);
  TX3Matrix rotation = X3IdentityMatrix;
  AddX3Rotation(rotation, 90);
  TransformPath(rotation, path);
  EXPECT_EQ(path[1].Arc.Radius, (T2DVector{5, 5}));
  EXPECT_TRUE(path[1].Arc.Sweep);
  EXPECT_NEAR(path[1].Pos.Y, 10, 1e-12);
  EXPECT_EQ(PathArrayToString(path), "M 0.00000,0.00000 A 5.00000,5.00000 0.00000 0 1 0.00000,10.00000");
  TPathArray written(3);
  written[0].Pos = {10, 20};
  written[1] = {'H', {30, 20}, {}, {}};
  written[2] = {'Z', {}, {}, {}};
  EXPECT_EQ(PathArrayToString(written), "M 10.00000,20.00000 H 30.00 Z");
  EXPECT_EQ(SVGVectorStr({12.5, -3.25}), "12.50000,-3.25000");
  EXPECT_EQ(FindPathCenter(written), (T2DVector{15, 10}));  // Z's position counts as given
  EXPECT_EQ(FindPathCenter({}), (T2DVector{}));
}

}  // namespace
