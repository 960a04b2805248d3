#include "GraphListing.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "support/NumberText.h"

namespace {

constexpr double InchesPerUnit = 1.0 / 72;

std::string Fixed(double value, int decimals, char separator) {
  std::string text = FormatFixed(value, decimals);
  std::replace(text.begin(), text.end(), '.', separator);
  return text;
}

std::string RightAligned(std::string text, std::size_t width) {
  if (text.size() < width) text.insert(0, width - text.size(), ' ');
  return text;
}

// The integer part right-aligned to five characters, then two decimals.
std::string Padded(double value, char separator) { return RightAligned(Fixed(value, 2, separator), 8); }

std::string TabVector3DStr(const T3DVector& v, double scale, char separator) {
  return "X: " + Padded(v.X * scale, separator) + " Y: " + Padded(v.Y * scale, separator);
}

T3DVector LineCenter3D(const TDisplayItem& item) { return (item.V1 + item.V2) * 0.5; }

}  // namespace

std::vector<TGraphPair> FindPairs(TSurveyGraph& base, TSurveyGraph& morph) {
  std::vector<TGraphPair> pairs(static_cast<std::size_t>(base.EdgeCount()));
  for (int j = 0; j < morph.EdgeCount(); ++j) morph.Edges.SetColor(j, 0);
  for (int i = 0; i < base.EdgeCount(); ++i) {
    TGraphPair& pair = pairs[static_cast<std::size_t>(i)];
    pair.E1 = i;
    base.Edges.SetColor(i, 0);
    const TEdge edge = base.Edges.GetEdge(i);
    pair.E2 = morph.FindEdge(base.VertexName(edge.Inx1), base.VertexName(edge.Inx2), pair.Reversed);
    if (pair.E2 >= 0) morph.Edges.SetColor(pair.E2, 1);
  }
  for (int j = 0; j < morph.EdgeCount(); ++j)
    if (morph.Edges.GetEdge(j).Color == 0) pairs.push_back({-1, j, false});
  return pairs;
}

int GraphGridRows(std::size_t pairs) { return std::max(static_cast<int>(pairs) + 1, 10); }

TDisplayItem GetDisplayItem(const TSurveyGraph& graph, int edge) {
  TDisplayItem item;
  if (edge < 0 || edge >= graph.EdgeCount()) return item;
  const TEdge shot = graph.Edges.GetEdge(edge);
  item.Valid = true;
  item.N1 = graph.VertexName(shot.Inx1);
  item.N2 = graph.VertexName(shot.Inx2);
  item.V1 = graph.Vertices[static_cast<std::size_t>(shot.Inx1)];
  item.V2 = graph.Vertices[static_cast<std::size_t>(shot.Inx2)];
  return item;
}

std::string GraphCellText(const std::vector<TGraphPair>& pairs, const TSurveyGraph& base, const TSurveyGraph& morph,
                          int row, int column) {
  static constexpr const char* Headings[] = {"#", "From", "To", "From", "To"};
  if (column < 0 || column > 4) return {};
  if (row == 0) return Headings[column];
  if (column == 0) return std::to_string(row);
  const std::size_t index = static_cast<std::size_t>(row - 1);
  if (index >= pairs.size()) return {};
  const TDisplayItem item =
      column <= 2 ? GetDisplayItem(base, pairs[index].E1) : GetDisplayItem(morph, pairs[index].E2);
  if (!item.Valid) return {};
  return column % 2 == 1 ? item.N1 : item.N2;
}

std::string GetDetailStr(const TDisplayItem& item, char separator) {
  if (!item.Valid) return "N/A";
  const T3DVector diff = item.V2 - item.V1;  // SVG direction, Y down
  const T3DVector v1{item.V1.X, -item.V1.Y, item.V1.Z}, v2{item.V2.X, -item.V2.Y, item.V2.Z};
  const T3DVector up = v2 - v1;
  const double length = std::hypot(up.X, up.Y);
  double azimuth = std::atan2(up.X, up.Y) * 180 / std::numbers::pi;
  if (azimuth < 0) azimuth += 360;
  const std::string blank(10, ' ');
  return "From: " + RightAligned(item.N1, 8) + ": " + TabVector3DStr(v1, InchesPerUnit, separator) + "\r\n" +
         "To:   " + RightAligned(item.N2, 8) + ": " + TabVector3DStr(v2, InchesPerUnit, separator) + "\r\n" +
         "Diff: " + blank + TabVector3DStr(diff, InchesPerUnit, separator) + "\r\n" +
         "Len:  " + blank + Fixed(length, 1, separator) + "\r\n" +
         "Azm:  " + blank + Fixed(azimuth, 1, separator) + "\r\n";
}

std::string GetRelativeStr(const TDisplayItem& plot, const TDisplayItem& target, double scaleRatio, char separator) {
  if (!plot.Valid || !target.Valid) return {};
  const T3DVector d1 = plot.V2 - plot.V1, d2 = target.V2 - target.V1;
  const double l1 = std::hypot(d1.X, d1.Y), l2 = std::hypot(d2.X, d2.Y);
  const double product = l1 * l2;
  const double rotation =
      product == 0 ? 0 : std::acos(std::clamp((d1.X * d2.X + d1.Y * d2.Y) / product, -1.0, 1.0)) * 180 / std::numbers::pi;
  // A shot of no length on the page (a vertical shot in plan) has no scale.
  const std::string scale = l1 == 0 ? "N/A" : Fixed(l2 / l1, 3, separator);
  const std::string ratio = l1 == 0 || l2 == 0 ? "N/A" : Fixed(scaleRatio / (l2 / l1), 3, separator);
  return "Offset: " + TabVector3DStr(LineCenter3D(target) - LineCenter3D(plot), InchesPerUnit, separator) + "\r\n" +
         "Rotation: " + Fixed(rotation, 3, separator) + "\r\n" + "Scale: " + scale + "\r\n" + "Ratio: " + ratio + "\r\n";
}

std::string GraphDetails(const TDisplayItem& plot, const TDisplayItem& target, double scaleRatio, char separator) {
  return "Plot File\r\n---------\r\n" + GetDetailStr(plot, separator) + "\r\n" + "SVG Target\r\n----------\r\n" +
         GetDetailStr(target, separator) + "\r\n" + "Plot/SVG Difference\r\n-------------------\r\n" +
         GetRelativeStr(plot, target, scaleRatio, separator);
}
