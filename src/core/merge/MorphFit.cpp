#include "MorphFit.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace {

// The point t along the line and v beside it, on the side the morph calls positive.
T2DVector Place(const T2DLine& line, double t, double v) {
  const T2DVector d = line.P2 - line.P1;
  return line.P1 + d * t + T2DVector{-d.Y, d.X} * (v / std::hypot(d.X, d.Y));
}

}  // namespace

TMorphFit MeasureFit(const TMorphLines& morph, const TLinePairs& pairs, const std::vector<std::string>& ids,
                     const TMorphLines::TTick& tick) {
  TMorphFit fit;
  const std::size_t count = pairs.Size(), each = std::size(FitAlong) * std::size(FitBeside);
  if (count == 0) return fit;
  std::vector<T2DVector> points;
  points.reserve(count * each);
  for (const T2DLine& old : pairs.MorphLines)
    for (double t : FitAlong)
      for (double v : FitBeside) points.push_back(Place(old, t, v));
  morph.MorphPoints(points, tick);
  std::vector<double> misses(points.size());
  std::unordered_map<std::string, double> byShot;
  for (std::size_t pair = 0; pair < count; ++pair) {
    double worst = 0;
    std::size_t k = pair * each;
    for (double t : FitAlong)
      for (double v : FitBeside) {
        const T2DVector expected = Place(pairs.BaseLines[pair], t, v);
        misses[k] = std::hypot(points[k].X - expected.X, points[k].Y - expected.Y);
        worst = std::max(worst, misses[k++]);
      }
    const std::size_t edge = static_cast<std::size_t>(pairs.MorphEdges[pair]);
    double& shot = byShot[edge < ids.size() ? ids[edge] : std::to_string(edge)];
    shot = std::max(shot, worst);
  }
  // Nearest-rank percentiles.
  auto rank = [&](double share) {
    const std::size_t at = static_cast<std::size_t>(std::ceil(share * static_cast<double>(misses.size()))) - 1;
    std::nth_element(misses.begin(), misses.begin() + static_cast<std::ptrdiff_t>(at), misses.end());
    return misses[at];
  };
  fit.Median = rank(0.5);
  fit.P95 = rank(0.95);
  fit.Max = *std::max_element(misses.begin(), misses.end());
  for (const auto& [shot, miss] : byShot) fit.Worst.push_back({shot, miss});
  const std::size_t kept = std::min(FitWorstShots, fit.Worst.size());
  std::partial_sort(fit.Worst.begin(), fit.Worst.begin() + static_cast<std::ptrdiff_t>(kept), fit.Worst.end(),
                    [](const TMorphFit::TShot& a, const TMorphFit::TShot& b) {
                      return a.Miss != b.Miss ? a.Miss > b.Miss : a.Shot < b.Shot;
                    });
  fit.Worst.resize(kept);
  fit.Measured = true;
  return fit;
}
