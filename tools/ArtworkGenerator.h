#pragma once
// Artwork such as a surveyor draws round the shots of an export, for the
// merge's tests and measurements: walls as absolute, relative and curved
// paths, polylines, a nested group with a transform, rectangles, symbols as
// groups and uses, notes. Where each point belongs is kept by its shot.

#include <map>
#include <string>
#include <vector>

#include "merge/XMLDom.h"

struct TPlaced {
  std::string Shot;  // the shot it was drawn at
  double T, V;       // along the shot, and off it in points
};

struct TArtwork {
  std::map<std::string, std::vector<TPlaced>> Paths;  // path or polyline id: its points in order
  std::vector<std::string> Ids;                       // every element drawn
};

// Draws round every shot of at least 12 points that is no splay ("w_" in
// its id) into the drawing's layers.
TArtwork DrawArtwork(TXMLDocument& doc);
