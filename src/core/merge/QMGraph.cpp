#include "QMGraph.h"

#include <cmath>

#include "SVGScanners.h"
#include "XMLDocLibrary.h"
#include "export/ShotIds.h"

namespace {

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

double Length(const T2DLine& line) { return std::hypot(line.P2.X - line.P1.X, line.P2.Y - line.P1.Y); }

}  // namespace

bool ExtractFromToVector(std::string_view pathData, T2DVector& from, T2DVector& to) {
  std::size_t position = 0;
  char move = 0, command = 0;
  if (!GetSVGTag(pathData, position, move) || !GetSVGVector2D(pathData, position, from)) return false;
  if (!GetSVGTag(pathData, position, command)) return false;
  const bool implicit = !IsLetter(command);
  if (command == 'H' || command == 'h') {
    to.Y = from.Y;
    if (!GetSVGDouble(pathData, position, to.X)) return false;
    if (command == 'h') to.X += from.X;
  } else if (command == 'V' || command == 'v') {
    to.X = from.X;
    if (!GetSVGDouble(pathData, position, to.Y)) return false;
    if (command == 'v') to.Y += from.Y;
  } else {
    if (!GetSVGVector2D(pathData, position, to)) return false;
    if (command == 'l' || (implicit && move == 'm')) to = to + from;
  }
  return true;
}

void StoreGraphShot(TSurveyGraph& graph, std::string_view fromName, std::string_view toName, T2DVector from, T2DVector to) {
  graph.AddEdge(fromName, toName, {from.X, from.Y, 0}, {to.X, to.Y, 0});
}

void GetSurveyGraph(const TXMLDocument& document, TSurveyGraph& graph, std::vector<std::string>* ids) {
  TXMLNode layer = XMLFindNode(document, "g", "id", "w2d_Vectors");
  if (!layer) return;
  std::string fromName, toName;
  T2DVector from, to;  // a line that lacks a coordinate keeps the last shot's
  for (TXMLNode shot = layer.FirstChild(); shot; shot = shot.NextSibling()) {
    if (shot.Type() != ntElement) continue;
    const bool path = shot.LocalNameIs("path");
    if (!path && !shot.LocalNameIs("line")) continue;
    const std::string id = shot.Attribute("id");
    if (id.empty()) continue;
    if (path) {
      if (!ExtractFromToVector(shot.Attribute("d"), from, to)) continue;
    } else {
      GetNodePosition(shot, "x1", "y1", from);
      GetNodePosition(shot, "x2", "y2", to);
    }
    ExtractFromToStr(id, fromName, toName);
    StoreGraphShot(graph, fromName, toName, from, to);
    if (ids) ids->push_back(id);
  }
}

void CopyCommonLines(TLinePairs& pairs, TSurveyGraph& baseGraph, TSurveyGraph& morphGraph) {
  pairs.Clear();
  for (int edge = 0; edge < baseGraph.EdgeCount(); ++edge) {
    const TEdge base = baseGraph.Edges.GetEdge(edge);
    bool reversed = false;
    const int partner = morphGraph.FindEdge(baseGraph.VertexName(base.Inx1), baseGraph.VertexName(base.Inx2), reversed);
    if (partner < 0) continue;
    T3DVector p1, p2, q1, q2;
    baseGraph.GetEdgePoints(edge, p1, p2);
    morphGraph.GetEdgePoints(partner, q1, q2);
    if (reversed) std::swap(q1, q2);
    const T2DLine baseLine{{p1.X, p1.Y}, {p2.X, p2.Y}}, morphLine{{q1.X, q1.Y}, {q2.X, q2.Y}};
    if (Length(baseLine) < MinPairLength || Length(morphLine) < MinPairLength) continue;
    pairs.BaseLines.push_back(baseLine);
    pairs.MorphLines.push_back(morphLine);
    pairs.BaseEdges.push_back(edge);
    pairs.MorphEdges.push_back(partner);
  }
}

std::vector<T2DLine> SurveyShotLines(const TXMLDocument& document) {
  TSurveyGraph graph;
  GetSurveyGraph(document, graph);
  std::vector<T2DLine> lines(static_cast<std::size_t>(graph.EdgeCount()));
  for (int edge = 0; edge < graph.EdgeCount(); ++edge) {
    T3DVector from, to;
    graph.GetEdgePoints(edge, from, to);
    lines[static_cast<std::size_t>(edge)] = {{from.X, from.Y}, {to.X, to.Y}};
  }
  return lines;
}
