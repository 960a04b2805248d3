#pragma once
// The shots of a drawing as a survey graph, and the line pairs of the morph:
// each shot found in both the new export (the source) and the old drawing
// (the target), as it lies in each.

#include <string>
#include <string_view>
#include <vector>

#include "CaveGraph.h"
#include "XMLDom.h"

// The two points of a shot's path data: a move-to and one line command.
bool ExtractFromToVector(std::string_view pathData, T2DVector& from, T2DVector& to);
// Adds both stations (first position wins) and the edge from -> to.
void StoreGraphShot(TSurveyGraph& graph, std::string_view fromName, std::string_view toName, T2DVector from, T2DVector to);
// Adds every shot element (path or line) of the document's w2d_Vectors
// layer; ids, when given, receives each edge's element id. Elements without
// an id, or paths without path data, are no shots.
void GetSurveyGraph(const TXMLDocument& document, TSurveyGraph& graph, std::vector<std::string>* ids = nullptr);

// The shots of the document's w2d_Vectors layer as lines, in document units.
std::vector<T2DLine> SurveyShotLines(const TXMLDocument& document);

// Index-aligned line pairs: entry i is one shot in the source (Base, the
// new position) and in the target (Morph, where the artwork was drawn),
// with P1 at the same station in both; and the edges they came from.
struct TLinePairs {
  std::vector<T2DLine> BaseLines, MorphLines;
  std::vector<int> BaseEdges, MorphEdges;
  void Clear() {
    BaseLines.clear();
    MorphLines.clear();
    BaseEdges.clear();
    MorphEdges.clear();
  }
  std::size_t Size() const { return BaseLines.size(); }
};

// A line shorter than this (document units) pairs with nothing.
constexpr double MinPairLength = 0.1;

// For each base edge in order, the morph graph's first edge between the
// same stations (reversed to start at the same station); pairs where both
// lines have length.
void CopyCommonLines(TLinePairs& pairs, TSurveyGraph& baseGraph, TSurveyGraph& morphGraph);
