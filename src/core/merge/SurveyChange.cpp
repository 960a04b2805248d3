#include "SurveyChange.h"

#include <algorithm>
#include <cmath>

TSurveyChange CompareStations(const TSurveyGraph& target, const TSurveyGraph& source, std::size_t most) {
  TSurveyChange change;
  const THashTable& sourceNames = source.Names;
  const THashTable& targetNames = target.Names;
  for (int v = 0; v < target.VertexCount(); ++v) {
    const int other = sourceNames.Search(target.VertexName(v));
    if (other < 0) {
      change.OnlyInTarget.push_back(target.VertexName(v));
      continue;
    }
    const T3DVector from = target.Vertices[static_cast<std::size_t>(v)], to = source.Vertices[static_cast<std::size_t>(other)];
    if (std::hypot(to.X - from.X, to.Y - from.Y) < MinStationMove) continue;
    change.Moved.push_back({target.VertexName(v), std::hypot(to.X - from.X, to.Y - from.Y), {from.X, from.Y}, {to.X, to.Y}});
  }
  for (int v = 0; v < source.VertexCount(); ++v)
    if (targetNames.Search(source.VertexName(v)) < 0) change.OnlyInSource.push_back(source.VertexName(v));
  const std::size_t kept = std::min(most, change.Moved.size());
  std::partial_sort(change.Moved.begin(), change.Moved.begin() + static_cast<std::ptrdiff_t>(kept), change.Moved.end(),
                    [](const TSurveyChange::TMove& a, const TSurveyChange::TMove& b) { return a.Distance > b.Distance; });
  change.Moved.resize(kept);
  return change;
}
