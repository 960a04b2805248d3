#include "MergeReport.h"

#include <cmath>

#include "support/NumberText.h"

void TMergeReport::NoteMove(const std::string& element, T2DVector from, T2DVector to) {
  const double move = std::hypot(to.X - from.X, to.Y - from.Y);
  if (!(move > LargestMove)) return;
  LargestMove = move;
  LargestMoveElement = element;
  LargestMoveAt = from;
}

std::vector<std::string> TMergeReport::Lines() const {
  std::vector<std::string> lines;
  lines.push_back("Merge Report:");
  lines.push_back(std::string(36, '-'));
  lines.push_back("Line pairs: " + std::to_string(Pairs));
  auto list = [&](const char* caption, const std::vector<std::string>& ids) {
    std::string line = std::string(caption) + std::to_string(ids.size());
    for (std::size_t i = 0; i < ids.size(); ++i) line += (i ? ", " : ": ") + ids[i];
    lines.push_back(line);
  };
  list("Drawing shots not in the survey: ", TargetUnpaired);
  list("Survey shots not in the drawing: ", SourceUnpaired);
  for (const TLayerCount& layer : Layers) lines.push_back(layer.Layer + ": " + std::to_string(layer.Elements) + " elements");
  lines.push_back("Groups moved: " + std::to_string(GroupsMoved));
  lines.push_back("Largest move: " + FormatFixed(LargestMove, 2) + " pt" +
                  (LargestMove >= 0.005 ? ", " + (LargestMoveElement.empty() ? std::string("an element without an id")
                                                                         : LargestMoveElement) +
                                         " at " + FormatFixed(LargestMoveAt.X, 1) + "," + FormatFixed(LargestMoveAt.Y, 1)
                                   : ""));
  if (Fit.Measured) {
    auto both = [](double pt) { return FormatFixed(pt, 2) + " pt (" + FormatFixed(pt * MillimetresPerPoint, 2) + " mm)"; };
    lines.push_back("Fit: median " + both(Fit.Median) + ", 95% " + both(Fit.P95) + ", largest " + both(Fit.Max));
    std::string worst = "Worst shots:";
    for (std::size_t i = 0; i < Fit.Worst.size(); ++i)
      worst += (i ? ", " : " ") + Fit.Worst[i].Shot + " " + FormatFixed(Fit.Worst[i].Miss, 2);
    lines.push_back(worst);
  }
  for (const TWarp& warp : Warps)
    lines.push_back("Warp (" + warp.Kind + "): " + warp.Element + " in " + warp.Layer + " at " + FormatFixed(warp.At.X, 1) +
                    "," + FormatFixed(warp.At.Y, 1) + " (" + FormatFixed(warp.Factor, 2) + ")");
  return lines;
}
