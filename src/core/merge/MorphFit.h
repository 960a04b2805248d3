#pragma once
// How well a morph puts drawings back on their shots, measured by the
// program on itself: points drawn round each old shot, at fixed places along
// and beside it, are morphed and compared with the same places round the
// shot as it is now. Surveyors read it to trust a merge before opening the
// drawing.

#include <string>
#include <vector>

#include "MorphLibrary.h"
#include "QMGraph.h"

struct TMorphFit {
  bool Measured = false;
  double Median = 0, P95 = 0, Max = 0;  // misses, points
  struct TShot {
    std::string Shot;  // the drawing's shot id
    double Miss = 0;   // its largest miss, points
  };
  std::vector<TShot> Worst;  // the worst shots, the worst first
};

// The places of the measure: along the shot, and beside it (points).
constexpr double FitAlong[] = {0.1, 0.3, 0.5, 0.7, 0.9};
constexpr double FitBeside[] = {-5, -2.5, 2.5, 5};
constexpr std::size_t FitWorstShots = 10;
// A miss that a surveyor sees in the drawing (points): shown as a warning.
constexpr double FitWarning = 1;

// Every pair measured; ids are the drawing's shot ids by its edges.
TMorphFit MeasureFit(const TMorphLines& morph, const TLinePairs& pairs, const std::vector<std::string>& ids,
                     const TMorphLines::TTick& tick = {});
