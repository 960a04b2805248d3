#include "CaveGraph.h"

#include <algorithm>

namespace {

std::uint64_t PairKey(int a, int b) {
  const auto low = static_cast<std::uint32_t>(std::min(a, b)), high = static_cast<std::uint32_t>(std::max(a, b));
  return (std::uint64_t{low} << 32) | high;
}

}  // namespace

int TEdgeArray::Add(const TEdge& edge) {
  const int index = GetItemIndex();
  Edges1.push_back(edge.Inx1);
  Edges2.push_back(edge.Inx2);
  Color.push_back(0);
  firstOfPair_.try_emplace(PairKey(edge.Inx1, edge.Inx2), index);
  return index;
}

TEdge TEdgeArray::GetEdge(int index) const {
  const auto i = static_cast<std::size_t>(index);
  return {Edges1[i], Edges2[i], Color[i]};
}

int TEdgeArray::FindEdge(const TEdge& edge, bool& reversed) const {
  auto found = firstOfPair_.find(PairKey(edge.Inx1, edge.Inx2));
  if (found == firstOfPair_.end()) return -1;
  // Of the two directions, the first edge of either is the first of the pair.
  reversed = Edges1[static_cast<std::size_t>(found->second)] != edge.Inx1;
  return found->second;
}

void TEdgeArray::Clear() {
  Edges1.clear();
  Edges2.clear();
  Color.clear();
  firstOfPair_.clear();
}

void TSurveyGraph::Clear() {
  Names.Clear();
  Vertices.clear();
  VertexValue.clear();
  Parent.clear();
  AdjacentVertices.clear();
  AdjacentEdges.clear();
  Edges.Clear();
  BoundingBox = EmptyBox();
}

int TSurveyGraph::AddVertex(std::string_view name, const T3DVector& position) {
  Names.Insert(name);
  const TLocation location{position.X, position.Y, position.Z};
  BoundingBox = Vertices.empty() ? TBoundBox{location, location} : Union(BoundingBox, {location, location});
  Vertices.push_back(position);
  VertexValue.push_back(0);
  Parent.push_back(-1);
  AdjacentVertices.emplace_back();
  AdjacentEdges.emplace_back();
  return VertexCount() - 1;
}

int TSurveyGraph::AddUniqueVertex(std::string_view name, const T3DVector& position) {
  const int vertex = Names.Search(name);
  return vertex >= 0 ? vertex : AddVertex(name, position);
}

bool TSurveyGraph::AddEdge(int from, int to) {
  if (from < 0 || to < 0) return false;
  const int edge = Edges.Add({from, to});
  AdjacentVertices[static_cast<std::size_t>(from)].push_back(to);
  AdjacentVertices[static_cast<std::size_t>(to)].push_back(from);
  AdjacentEdges[static_cast<std::size_t>(from)].push_back(edge);
  AdjacentEdges[static_cast<std::size_t>(to)].push_back(edge);
  Parent[static_cast<std::size_t>(to)] = from;
  return true;
}

bool TSurveyGraph::AddEdge(std::string_view fromName, std::string_view toName, const T3DVector& fromPosition,
                           const T3DVector& toPosition) {
  const int from = AddUniqueVertex(fromName, fromPosition);
  const int to = AddUniqueVertex(toName, toPosition);
  return AddEdge(from, to);
}

void TSurveyGraph::GetEdgePoints(int edge, T3DVector& first, T3DVector& second) const {
  const TEdge e = Edges.GetEdge(edge);
  first = Vertices[static_cast<std::size_t>(e.Inx1)];
  second = Vertices[static_cast<std::size_t>(e.Inx2)];
}

int TSurveyGraph::FindEdge(std::string_view name1, std::string_view name2, bool& reversed) const {
  const int from = Names.Search(name1), to = Names.Search(name2);
  if (from < 0 || to < 0) return -1;
  return Edges.FindEdge({from, to}, reversed);
}
