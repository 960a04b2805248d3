#include "MergeChecks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "merge/QMGraph.h"
#include "merge/QMMorph.h"
#include "merge/QMPath.h"
#include "merge/QMTransform.h"
#include "merge/XMLDocLibrary.h"

std::unordered_map<std::string, TXMLNode> ElementsById(const TXMLDocument& document) {
  std::unordered_map<std::string, TXMLNode> byId;
  std::vector<TXMLNode> pending{document.DocumentNode()};
  while (!pending.empty()) {
    const TXMLNode node = pending.back();
    pending.pop_back();
    if (node.Type() == ntElement && node.HasAttribute("id")) byId.emplace(node.Attribute("id"), node);
    for (TXMLNode child = node.FirstChild(); child; child = child.NextSibling()) pending.push_back(child);
  }
  return byId;
}

std::vector<std::string> LostIds(const TXMLDocument& merged, const TArtwork& art) {
  const auto byId = ElementsById(merged);
  std::vector<std::string> lost;
  for (const std::string& id : art.Ids)
    if (!byId.contains(id)) lost.push_back(id);
  return lost;
}

std::vector<double> Misplacements(const TXMLDocument& merged, const TArtwork& art) {
  TSurveyGraph graph;
  std::vector<std::string> shots;
  GetSurveyGraph(merged, graph, &shots);
  std::map<std::string, int> edgeOf;
  for (std::size_t i = 0; i < shots.size(); ++i) edgeOf.emplace(shots[i], static_cast<int>(i));
  const auto byId = ElementsById(merged);
  std::vector<double> misses;
  for (const auto& [id, placed] : art.Paths) {
    const auto found = byId.find(id);
    EXPECT_TRUE(found != byId.end()) << id;
    if (found == byId.end()) continue;
    const TXMLNode element = found->second;
    const TX3Matrix matrix = SetupTransformMatrix(element);
    std::vector<T2DVector> points;
    if (element.LocalNameIs("path")) {
      TPathArray path;
      ExtractPathData(element.Attribute("d"), path);
      MakePathAbsolute(path);
      for (const TSVGPathItem& item : path) {
        if (item.Tag == 'C') points.insert(points.end(), {item.Control.P1, item.Control.P2});
        points.push_back(item.Pos);
      }
    } else {
      ExtractPointsList(element.Attribute("points"), points);
    }
    EXPECT_EQ(points.size(), placed.size()) << id;
    for (std::size_t i = 0; i < std::min(points.size(), placed.size()); ++i) {
      T3DVector p3, q3;
      graph.GetEdgePoints(edgeOf.at(placed[i].Shot), p3, q3);
      const T2DVector p{p3.X, p3.Y}, d = T2DVector{q3.X, q3.Y} - p;
      const T2DVector expected = p + d * placed[i].T + T2DVector{-d.Y, d.X} * (placed[i].V / std::hypot(d.X, d.Y));
      const T2DVector actual = X3MatrixVectorMult(matrix, points[i]);
      misses.push_back(std::hypot(actual.X - expected.X, actual.Y - expected.Y));
    }
  }
  std::sort(misses.begin(), misses.end());
  return misses;
}
