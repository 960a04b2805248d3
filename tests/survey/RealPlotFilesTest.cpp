// Plot files that other people and programs wrote.

#include <gtest/gtest.h>

#include "support/TestSupport.h"
#include "survey/PlotReader.h"

namespace {

struct TExpectedCounts {
  const char* file;
  int sections, surveys, vectors, draws, segments;
};

TEST(RealPlotFiles, ReadWithTheRightCounts) {
  std::filesystem::path dir = SharedPlotDir();
  if (dir.empty()) GTEST_SKIP() << "no shared plot files beside the repository";
  const TExpectedCounts expected[] = {
      {"dowprov.plt", 7, 41, 837, 734, 103},
      {"dowprov-survexport.plt", 1, 1, 810, 714, 96},  // no section line, no survey end record
      {"peer-multisection.plt", 3, 3, 14, 10, 4},      // bare LF; first survey has no end record
      {"peer-multisurvey.plt", 2, 2, 11, 8, 3},
      {"peer-filter.plt", 2, 2, 11, 8, 3},
      {"peer-pre1970.plt", 1, 3, 25, 11, 14},
      {"peer-pltexport.plt", 1, 1, 17, 9, 8},
  };
  for (const TExpectedCounts& e : expected) {
    TPlotState plot;
    TRecordingUserInterface ui;
    TPlotReadResult read = OpenAndReadPlot(plot, (dir / e.file).string(), ui);
    EXPECT_TRUE(read.Loaded) << e.file << ": " << read.ErrorReport;
    EXPECT_TRUE(ui.warnings.empty()) << e.file;
    int draws = 0;
    for (const TPlotVector& v : plot.VectorArray) draws += v.Command == 'D' || v.Command == 'd';
    EXPECT_EQ(plot.SectionArray.Count(), e.sections) << e.file;
    EXPECT_EQ(plot.SurveyArray.Count(), e.surveys) << e.file;
    EXPECT_EQ(plot.VectorArray.Count(), e.vectors) << e.file;
    EXPECT_EQ(draws, e.draws) << e.file;
    EXPECT_EQ(plot.SegmentArray.Count(), e.segments) << e.file;
    EXPECT_LT(plot.CaveBox.Min.East, plot.CaveBox.Max.East) << e.file;
  }
}

TEST(RealPlotFiles, ReadsFeaturesSplaysAndDatesOfTheSurvexSamples) {
  std::filesystem::path dir = SharedPlotDir();
  if (dir.empty()) GTEST_SKIP() << "no shared plot files beside the repository";
  TPlotState plot;
  TRecordingUserInterface ui;
  ASSERT_TRUE(OpenAndReadPlot(plot, (dir / "peer-pre1970.plt").string(), ui).Loaded);
  EXPECT_EQ(plot.SurveyArray[0].Date, (TCaveDate{30, 12, 1969}));
  EXPECT_EQ(plot.SurveyArray[1].SurveyType, stFeature);
  EXPECT_EQ(plot.SurveyArray[2].SurveyType, stRange);
  const TPlotVector& first = plot.VectorArray[plot.SurveyArray[2].Start];
  EXPECT_EQ(first.Command, 'V');
  EXPECT_FLOAT_EQ(first.Right, 551.234f);
  EXPECT_FLOAT_EQ(first.Down, 551.234f);
  EXPECT_FLOAT_EQ(first.Up, 812.341f);
  EXPECT_EQ(plot.VectorArray[8].Flags.View(), "S");   // SZ13 splay
  EXPECT_EQ(plot.VectorArray[14].Flags.View(), "");    // SZ16: no P, so no flags
  EXPECT_FLOAT_EQ(plot.VectorArray[16].Right, 900.1f);  // stored as the file says

  ASSERT_TRUE(OpenAndReadPlot(plot, (dir / "dowprov.plt").string(), ui).Loaded);
  EXPECT_EQ(plot.MinDate, (TCaveDate{7, 2, 1982}));
  EXPECT_EQ(plot.SectionArray[0].Name.View(), "DOWCAVE");
  EXPECT_EQ(plot.SurveyArray[0].Comment.View(), "dowcave.dow1");
}

}  // namespace
