#pragma once
// How the survey changed between a drawing and a fresh export: stations in
// only one of them, and the stations that moved most on paper.

#include <string>
#include <vector>

#include "CaveGraph.h"

struct TSurveyChange {
  std::vector<std::string> OnlyInTarget, OnlyInSource;
  struct TMove {
    std::string Station;
    double Distance = 0;  // points
    T2DVector From, To;   // in the target, in the source
  };
  std::vector<TMove> Moved;  // the largest first
};

// Less than this is the rounding of the numbers in the files, not a move (points).
constexpr double MinStationMove = 0.01;

// The stations of the target's and the source's graphs by name; the most
// largest moves of those that moved.
TSurveyChange CompareStations(const TSurveyGraph& target, const TSurveyGraph& source, std::size_t most);
