#pragma once
// The Graphs dialog's content: every shot of the plot's export paired with
// the merge target's shot of the same stations, then the target's shots
// without a partner; and the details of one pair as text.

#include <string>
#include <vector>

#include "CaveGraph.h"

// One row of the listing: edge indexes into the base (plot) and morph
// (target) graph, -1 for no shot on that side.
struct TGraphPair {
  int E1 = -1, E2 = -1;
  bool Reversed = false;  // the target shot runs from the plot shot's to-station
};

// One shot as shown: station names and positions (SVG user units, Y down).
struct TDisplayItem {
  std::string N1, N2;
  T3DVector V1, V2;
  bool Valid = false;
};

// The plot's shots in order, each with its partner, then the unpartnered
// target shots in order. Marks the morph graph's edges (colour 1: paired).
std::vector<TGraphPair> FindPairs(TSurveyGraph& base, TSurveyGraph& morph);
// The grid's row count: a heading row and one per pair, at least 10.
int GraphGridRows(std::size_t pairs);
// The shot of an edge; not valid for -1, or for an index the graph no
// longer has (a merge rebuilt the graphs under the listing).
TDisplayItem GetDisplayItem(const TSurveyGraph& graph, int edge);
// The text of a grid cell (columns 0 to 4 carry text).
std::string GraphCellText(const std::vector<TGraphPair>& pairs, const TSurveyGraph& base, const TSurveyGraph& morph,
                          int row, int column);

// Five lines (CR LF) describing one shot in inches, Y up, or "N/A".
std::string GetDetailStr(const TDisplayItem& item, char decimalSeparator);
// Four lines comparing the target shot with the plot shot; empty unless
// both are shots. scaleRatio is the current N of 1:N.
std::string GetRelativeStr(const TDisplayItem& plot, const TDisplayItem& target, double scaleRatio,
                           char decimalSeparator);
// The whole details text of one row.
std::string GraphDetails(const TDisplayItem& plot, const TDisplayItem& target, double scaleRatio,
                         char decimalSeparator);
