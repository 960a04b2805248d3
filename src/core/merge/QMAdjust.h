#pragma once
// The adjustment of a merge target's symbol, note and flag layers: every
// element moves whole, by the morph's move of one anchor point, so that
// symbols and notes keep their shape; elements that the surveyor grouped
// move together, by the move of the group's first element met.

#include <string_view>
#include <unordered_set>

#include "QMMorph.h"

// A group the adjustment may move: its id is empty, or "g" and a digit
// begin it (the ids Inkscape gives groups). Layers never are.
bool IsAdjustableGroup(TXMLNode node);
// The outermost node of the unbroken chain of adjustable ancestors right
// above the node; none when its parent is not adjustable.
TXMLNode GetTopAdjustableGroup(TXMLNode node);

class TAdjust {
public:
  explicit TAdjust(TMorph& morph, TXMLDocument& target, TProgressDisplay& progress, TMergeReport& report)
      : morph_(morph), target_(target), progress_(progress), report_(report) {}

  // The seven passes over a layer (text, rect, path, line, use, circle, ellipse).
  void AdjustAllLayerElements(std::string_view layerId);

private:
  bool AdjustParentGroup(TXMLNode element);
  bool AdjustAttributes(TXMLNode element, std::string_view x, std::string_view y);
  void AdjustTransform(TXMLNode element);
  void AdjustPath(TXMLNode element);
  void AdjustObject(TXMLNode element, std::string_view x, std::string_view y);
  void AdjustLine(TXMLNode element);
  T2DVector Displacement(T2DVector point, const std::string& element);

  TMorph& morph_;
  TXMLDocument& target_;
  TProgressDisplay& progress_;
  TMergeReport& report_;
  std::unordered_set<const void*> groupList_;  // the groups moved in this morph
  int adjusted_ = 0;
};
