#pragma once
// What a merge did, for the surveyor to check before opening the drawing:
// the shots that paired and those that did not, the elements each layer
// had moved, the largest move, and where the warp folded or stretched the
// drawing.

#include <string>
#include <vector>

#include "MorphFit.h"
#include "support/Vector.h"

constexpr double MillimetresPerPoint = 25.4 / 72;

struct TMergeReport {
  std::size_t Pairs = 0;
  std::vector<std::string> TargetUnpaired;  // shots of the drawing not in the new survey (renamed, removed)
  std::vector<std::string> SourceUnpaired;  // shots of the new survey not in the drawing (no artwork yet)
  struct TLayerCount {
    std::string Layer;
    int Elements = 0;
  };
  std::vector<TLayerCount> Layers;  // elements morphed or moved, per layer, in order
  int GroupsMoved = 0;
  double LargestMove = 0;  // points
  std::string LargestMoveElement;
  T2DVector LargestMoveAt;  // document coordinates, before the move
  // Where the morph turned the drawing over (det < 0), or stretched it by
  // more than 2 or shrank it below 1/2.
  struct TWarp {
    std::string Layer, Element, Kind;  // kind: "fold", "stretch" or "shrink"
    T2DVector At;
    double Factor = 0;  // the determinant for a fold, else the stretch
  };
  std::vector<TWarp> Warps;
  TMorphFit Fit;

  void Clear() { *this = TMergeReport(); }
  void NoteMove(const std::string& element, T2DVector from, T2DVector to);
  // The report as lines for the processing log.
  std::vector<std::string> Lines() const;
};
