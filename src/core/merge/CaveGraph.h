#pragma once
// Survey graphs: stations as named vertices with their positions, shots as
// edges from one station to another, in the order they were added.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "Hash.h"
#include "survey/CaveTypes.h"
#include "support/Vector.h"

struct TEdge {
  int Inx1 = -1, Inx2 = -1;  // from- and to-vertex
  int Color = 0;
};

class TEdgeArray {
public:
  // Appends the edge with colour 0 whatever it carried; its index.
  int Add(const TEdge& edge);
  TEdge GetEdge(int index) const;
  int GetItemIndex() const { return static_cast<int>(Edges1.size()); }  // the number of edges
  // The first edge joining the two vertices, reversed when it runs from
  // Inx2 to Inx1; -1 when none does.
  int FindEdge(const TEdge& edge, bool& reversed) const;
  void SetColor(int index, int color) { Color[static_cast<std::size_t>(index)] = color; }
  void Clear();

  std::vector<int> Edges1, Edges2, Color;
  int Common = 0, SecondHalf = 0, EdgeValue = 0;
  bool HasErrorInfo = false;
  double ErrorSTD = 0;

private:
  // The first edge of each vertex pair (smaller vertex first): the pairing
  // looks up every shot, so it must not scan the edges.
  std::unordered_map<std::uint64_t, int> firstOfPair_;
};

using TAdjacencyList = std::vector<std::vector<int>>;

class TSurveyGraph {
public:
  explicit TSurveyGraph(std::string name = {}) : Name(std::move(name)) {}

  void Clear();
  // Appends a vertex; its index.
  int AddVertex(std::string_view name, const T3DVector& position);
  // The vertex of that name; a new one (at the position) when there is none.
  int AddUniqueVertex(std::string_view name, const T3DVector& position);
  bool AddEdge(int from, int to);
  bool AddEdge(std::string_view fromName, std::string_view toName, const T3DVector& fromPosition,
               const T3DVector& toPosition);
  void GetEdgePoints(int edge, T3DVector& first, T3DVector& second) const;
  // The first edge, in edge order, between the two stations; -1 when a name
  // is not in the graph or no edge joins them.
  int FindEdge(std::string_view name1, std::string_view name2, bool& reversed) const;
  int VertexCount() const { return static_cast<int>(Vertices.size()); }
  int EdgeCount() const { return Edges.GetItemIndex(); }
  const std::string& VertexName(int vertex) const { return Names.ReadString(vertex); }

  THashTable Names{true};
  std::vector<T3DVector> Vertices;
  std::vector<int> VertexValue, Parent;
  TAdjacencyList AdjacentVertices, AdjacentEdges;
  TEdgeArray Edges;
  TBoundBox BoundingBox = EmptyBox();
  std::string Name;

private:
  static TBoundBox EmptyBox() { return {{9.9e99, 9.9e99, 9.9e99}, {-9.9e99, -9.9e99, -9.9e99}}; }
};

// The edges of each survey loop.
class TLoopList {
public:
  TEdgeArray& Add() { return loops_.emplace_back(); }
  TEdgeArray& Get(int index) { return loops_[static_cast<std::size_t>(index)]; }
  int Count() const { return static_cast<int>(loops_.size()); }

private:
  std::vector<TEdgeArray> loops_;
};
