#include "PlotState.h"

namespace {

// Items First(i) .. First(i+1)-1 of a partition; the last one runs to total-1.
template <typename StartOf>
TIndexRange PartitionRange(int index, int partCount, int total, StartOf startOf) {
  return {startOf(index), index + 1 < partCount ? startOf(index + 1) - 1 : total - 1};
}

}  // namespace

void TPlotState::ResetArrays() {
  VectorArray.Clear();
  SurveyArray.Clear();
  SectionArray.Clear();
  SegmentArray.Clear();
  ShotComments.Clear();
}

TIndexRange TPlotState::SectionStartEnd(int section) const {
  return PartitionRange(section, SectionArray.Count(), SurveyArray.Count(),
                        [&](int i) { return SectionArray[i].Start; });
}

TIndexRange TPlotState::SurveyStartEnd(int survey) const {
  return PartitionRange(survey, SurveyArray.Count(), VectorArray.Count(),
                        [&](int i) { return SurveyArray[i].Start; });
}

TIndexRange TPlotState::SegmentStartEnd(int segment) const {
  return PartitionRange(segment, SegmentArray.Count(), VectorArray.Count(),
                        [&](int i) { return SegmentArray[i]; });
}

TIndexRange TPlotState::SurveyBySegment(int survey) const {
  return PartitionRange(survey, SurveyArray.Count(), SegmentArray.Count(),
                        [&](int i) { return SurveyArray[i].SegStart; });
}
