#include "survey/PlotState.h"

#include <gtest/gtest.h>

namespace {

TEST(PlotState, StartsEmpty) {
  TPlotState plot;
  EXPECT_EQ(plot.VectorArray.Count(), 0);
  EXPECT_EQ(plot.SurveyArray.Count(), 0);
  EXPECT_EQ(plot.SectionArray.Count(), 0);
  EXPECT_EQ(plot.CaveOrigin, TLocation{});
  EXPECT_EQ(plot.CaveCenter, TLocation{});
  EXPECT_FALSE(plot.FileLoaded);
  EXPECT_EQ(plot.VectorArray.Capacity(), 500);
  EXPECT_EQ(plot.SectionArray.Capacity(), 50);
}

// Two sections; surveys 0 and 1 in the first, 2 in the second. Survey 1 is
// empty (its successor starts at the same vector). Vectors 0..5, segments
// starting at 0, 2 and 4.
TPlotState PartitionedPlot() {
  TPlotState plot;
  for (int i = 0; i < 6; ++i) plot.VectorArray.Add(TPlotVector{});
  for (int start : {0, 2, 4}) plot.SegmentArray.Add(start);
  auto addSurvey = [&](int start, int segStart) {
    TSurveyID survey;
    survey.Start = start;
    survey.SegStart = segStart;
    plot.SurveyArray.Add(survey);
  };
  addSurvey(0, 0);
  addSurvey(4, 2);
  addSurvey(4, 2);
  TCaveSection section;
  plot.SectionArray.Add(section);
  section.Start = 2;
  plot.SectionArray.Add(section);
  return plot;
}

TEST(PlotState, LooksUpPartitions) {
  TPlotState plot = PartitionedPlot();
  EXPECT_EQ(plot.SectionStartEnd(0), (TIndexRange{0, 1}));
  EXPECT_EQ(plot.SectionStartEnd(1), (TIndexRange{2, 2}));
  EXPECT_EQ(plot.SurveyStartEnd(0), (TIndexRange{0, 3}));
  EXPECT_TRUE(plot.SurveyStartEnd(1).Empty());
  EXPECT_EQ(plot.SurveyStartEnd(1), (TIndexRange{4, 3}));
  EXPECT_EQ(plot.SurveyStartEnd(2), (TIndexRange{4, 5}));
  EXPECT_EQ(plot.SegmentStartEnd(1), (TIndexRange{2, 3}));
  EXPECT_EQ(plot.SegmentStartEnd(2), (TIndexRange{4, 5}));
  EXPECT_EQ(plot.SurveyBySegment(0), (TIndexRange{0, 1}));
  EXPECT_TRUE(plot.SurveyBySegment(1).Empty());
  EXPECT_EQ(plot.SurveyBySegment(2), (TIndexRange{2, 2}));
}

TEST(PlotState, ResetEmptiesEveryContainer) {
  TPlotState plot = PartitionedPlot();
  plot.ResetArrays();
  EXPECT_EQ(plot.VectorArray.Count() + plot.SurveyArray.Count() + plot.SectionArray.Count() +
                plot.SegmentArray.Count(),
            0);
  EXPECT_EQ(plot.VectorArray.Capacity(), 500);
}

}  // namespace
