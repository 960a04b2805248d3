#include "survey/PlotReader.h"

#include <gtest/gtest.h>

#include <clocale>
#include <memory>

#include "support/TestSupport.h"

namespace {

struct TRead {
  TPlotState plot;
  TRecordingUserInterface ui;
  TPlotReadResult result;
};

std::unique_ptr<TRead> ReadText(std::string_view text, const TPlotProgress& progress = {}) {
  auto read = std::make_unique<TRead>();
  read->result = OpenAndReadPlot(read->plot, WriteScratchFile("read.plt", text), read->ui, progress);
  return read;
}

TEST(PlotReader, ReadsTheStationPartOfAVectorLine) {
  struct Case {
    const char* line;
    const char* station;
    float left, up, down, right;
    double distance;
    const char* flags;
    const char* comment;
    bool showComment;
  } cases[] = {
      {"M 1 2 3", "?", 0, 0, 0, 0, 0, "", "", false},
      {R"(D 1 2 3 SA1 P 1 2 3 4 I 10 FSPX "before {p} after")", "A1", 1, 2, 3, 4, 10, "SPX", "before  after", true},
      {"D 1 2 3 SA1 P -9 -9.00 900.1 4", "A1", -9, -9, 900.1f, 4, 0, "", "", false},
      {"D 1 2 3 SABCDEFGHIJKLMNOPQRSTUVWXYZ P 1 1 1 1", "ABCDEFGHIJKLMNOPQRST", 1, 1, 1, 1, 0, "", "", false},
      {"D 1 2 3 SA P 1 1 1 1 I 5 FABCDEFGHIJKLMN", "A", 1, 1, 1, 1, 5, "ABCDEFGHIJ", "", false},
      {R"(D 1 2 3 SA P 1 1 1 1 I 5 F "blank flags")", "A", 1, 1, 1, 1, 5, "", "blank flags", false},
      {R"(D 1 2 3 SA P 1 1 1 1 I 5 FS "say \"hi\" \\o/ {P}{P}")", "A", 1, 1, 1, 1, 5, "S", R"(say "hi" \o/ {P})", true},
      {R"(D 1 2 3 SA P 1 1 1 1 I 5 FS "no closing quote)", "A", 1, 1, 1, 1, 5, "S", "no closing quote", false},
      {R"(D 1 2 3 SA P 1 1 1 1 I 5 FS "")", "A", 1, 1, 1, 1, 5, "S", "", false},
      // A missing piece stops the scan: no distance without P, no flags without I.
      {"D 1 2 3 SA I 5 FS", "A", 0, 0, 0, 0, 0, "", "", false},
      {"D 1 2 3 SA P 1 1 1 1 FS", "A", 1, 1, 1, 1, 0, "", "", false},
      {"d 1 2 3 S&amp;x P 1 1 1 1 I 2", "&amp;x", 1, 1, 1, 1, 2, "", "", false},
  };
  for (const Case& c : cases) {
    auto read = ReadText(Lines({"NS1", c.line, "X 0 0 0 0 0 0"}));
    ASSERT_TRUE(read->result.Loaded) << c.line << ": " << read->result.ErrorReport;
    ASSERT_EQ(read->plot.VectorArray.Count(), 1) << c.line;
    const TPlotVector& v = read->plot.VectorArray[0];
    EXPECT_EQ(v.Command, c.line[0]) << c.line;
    EXPECT_EQ(v.Location.North, 1) << c.line;
    EXPECT_EQ(v.Location.East, 2) << c.line;
    EXPECT_EQ(v.Location.Vert, 3) << c.line;
    EXPECT_EQ(v.Station.View(), c.station) << c.line;
    EXPECT_EQ((std::array{v.Left, v.Up, v.Down, v.Right}), (std::array{c.left, c.up, c.down, c.right})) << c.line;
    EXPECT_EQ(v.Distance, c.distance) << c.line;
    EXPECT_EQ(v.Flags.View(), c.flags) << c.line;
    EXPECT_EQ(read->plot.CommentOf(v), c.comment) << c.line;
    EXPECT_EQ(v.ShowComment, c.showComment) << c.line;
  }
}

TEST(PlotReader, KeepsAtMost160CommentCharacters) {
  std::string comment(200, 'c');
  auto read = ReadText(Lines({"NS1", "D 1 2 3 SA P 1 1 1 1 I 5 F \"" + comment + "\"", "X 0 0 0 0 0 0"}));
  EXPECT_EQ(read->plot.CommentOf(read->plot.VectorArray[0]), comment.substr(0, 160));
}

TEST(PlotReader, MissingPieceDoesNotReachIntoTheNextLine) {
  for (const char* lineEnd : {"\r\n", "\n"}) {
    std::string text = std::string("NS1") + lineEnd + "D 1 2 3 SA1" + lineEnd + "M 4 5 6" + lineEnd + "D 7 8 9 SB" +
                       lineEnd + "X 0 0 0 0 0 0" + lineEnd;
    auto read = ReadText(text);
    ASSERT_EQ(read->plot.VectorArray.Count(), 3) << "line end " << (lineEnd[0] == '\r' ? "CR LF" : "LF");
    EXPECT_EQ(read->plot.VectorArray[1].Command, 'M');
    EXPECT_EQ(read->plot.VectorArray[1].Location.Vert, 6);
    EXPECT_EQ(read->plot.VectorArray[2].Station.View(), "B");
  }
}

TEST(PlotReader, ReadsBareLineFeedFilesLikeCrLfFiles) {
  std::string crlf = Lines({"SCave", "NA D 2 7 1982 Cfirst", "M 1 2 3 SA1 P 1 2 3 4 I 0 FS \"x {P}\"",
                            "D 4 5 6 SA2 P 1 2 3 4 I 5 FL", "X 1 4 2 5 3 6", "FFEAT R 1 2",
                            "L 1 2 3 SW P 1 1 1 1 V 1.5", "X 1 1 2 2 3 3", "Z 1 4 2 5 3 6"});
  std::string lf;
  for (char c : crlf)
    if (c != '\r') lf += c;
  auto fromCrlf = ReadText(crlf);
  auto fromLf = ReadText(lf);
  ASSERT_TRUE(fromLf->result.Loaded);
  ASSERT_EQ(fromLf->plot.VectorArray.Count(), fromCrlf->plot.VectorArray.Count());
  for (int i = 0; i < fromLf->plot.VectorArray.Count(); ++i) {
    const TPlotVector &a = fromLf->plot.VectorArray[i], &b = fromCrlf->plot.VectorArray[i];
    EXPECT_EQ(a.Command, b.Command);
    EXPECT_EQ(a.Station.View(), b.Station.View());
    EXPECT_EQ(a.Flags.View(), b.Flags.View());
    EXPECT_EQ(fromLf->plot.CommentOf(a), fromCrlf->plot.CommentOf(b));
    EXPECT_EQ(a.Right, b.Right);
  }
  EXPECT_EQ(fromLf->plot.VectorArray[1].Flags.View(), "L");
  EXPECT_EQ(fromLf->plot.SurveyArray[0].Comment.View(), "first");
  EXPECT_EQ(fromLf->plot.SectionArray[0].Name.View(), "Cave");
}

TEST(PlotReader, ReadsSurveyHeaders) {
  struct Case {
    const char* line;
    const char* name;
    TCaveDate date;
    const char* comment;
  } cases[] = {
      {"NA_dow1 D 2 30 1999 C word", "A_dow1", {28, 2, 1999}, " word"},
      {"NX D 2 30 2000", "X", {29, 2, 2000}, ""},
      {"NX D 2 29 1900", "X", {28, 2, 1900}, ""},
      {"NX D 13 0 1990 Cm", "X", {1, 12, 1990}, "m"},
      {"NX D 0 40 -5", "X", {31, 1, 1}, ""},
      {"NX D 12 31 99", "X", {31, 12, 99}, ""},
      {"NABCDEFGHIJKLMNOPQRSTUVW", "ABCDEFGHIJKLMNOPQRST", {1, 1, 1}, ""},
      {"NX Cno date so no comment either", "X", {1, 1, 1}, ""},
  };
  for (const Case& c : cases) {
    auto read = ReadText(Lines({c.line, "M 1 2 3", "X 0 0 0 0 0 0"}));
    ASSERT_EQ(read->plot.SurveyArray.Count(), 1) << c.line;
    const TSurveyID& s = read->plot.SurveyArray[0];
    EXPECT_EQ(s.Name.View(), c.name) << c.line;
    EXPECT_EQ(s.Date, c.date) << c.line;
    EXPECT_EQ(s.Comment.View(), c.comment) << c.line;
    EXPECT_EQ(s.SurveyType, stSurvey);
    EXPECT_EQ(s.Action, paPlot);
    EXPECT_EQ(s.Attributes.FeatureInfo.Symbol, 172);
    EXPECT_EQ(s.Attributes.FeatureInfo.FontFace.View(), "Wingdings");
    EXPECT_EQ(read->plot.MinDate, c.date);
    EXPECT_EQ(read->plot.MaxDate, c.date);
  }
}

TEST(PlotReader, ReadsFeatureAndRangeSurveys) {
  auto read = ReadText(Lines({"NMain D 5 6 2001 Cmain survey", "M 1 2 3 SA", "X 0 0 0 0 0 0",
                              "FWater", "L 1 1 1 SW1 P -9 -9 -9 -9", "X 0 0 0 0 0 0",
                              "FDepth R 10 2.0E1", "L 2 2 2 SD1 P 1 1 1 1 V 12.5", "L 3 3 3 SD2 P 1 1 1 1 V-x-3",
                              "L 4 4 4 SD3 P 1 1 1 1", "X 0 0 0 0 0 0"}));
  ASSERT_EQ(read->plot.SurveyArray.Count(), 3);
  const TSurveyID &water = read->plot.SurveyArray[1], &depth = read->plot.SurveyArray[2];
  EXPECT_EQ(water.SurveyType, stFeature);
  EXPECT_EQ(water.Action, paExclude);
  EXPECT_EQ(depth.SurveyType, stRange);
  EXPECT_EQ(depth.Action, paExclude);
  // Feature headers keep the date and comment of the header before them.
  EXPECT_EQ(depth.Date, (TCaveDate{6, 5, 2001}));
  EXPECT_EQ(depth.Comment.View(), "main survey");

  const TPlotVector &plain = read->plot.VectorArray[1], &valued = read->plot.VectorArray[2];
  EXPECT_EQ(plain.Command, 'L');
  EXPECT_EQ(valued.Command, 'V');
  EXPECT_EQ(valued.Right, 12.5f);
  EXPECT_EQ(valued.Down, 10);
  EXPECT_EQ(valued.Up, 20);
  EXPECT_EQ(valued.Left, 1);
  EXPECT_EQ(read->plot.VectorArray[3].Right, -3);  // the sign right before the digit counts
  EXPECT_EQ(read->plot.VectorArray[4].Command, 'L');
}

TEST(PlotReader, NumbersShotsAndSegments) {
  auto read = ReadText(Lines({"NS1", "M 0 0 0", "D 0 0 1", "D 0 0 2", "M 0 0 3", "D 0 0 4", "X 0 0 0 0 0 0",
                              "FF1", "L 0 0 5", "L 0 0 6", "X 0 0 0 0 0 0"}));
  std::vector<int> shots, segments(read->plot.SegmentArray.begin(), read->plot.SegmentArray.end());
  for (const TPlotVector& v : read->plot.VectorArray) shots.push_back(v.LineInx);
  EXPECT_EQ(shots, (std::vector<int>{0, 0, 1, 2, 2, 3, 3}));
  EXPECT_EQ(segments, (std::vector<int>{0, 3, 5, 6}));
  EXPECT_EQ(read->plot.SurveyArray[1].SegStart, 2);
  EXPECT_EQ(read->plot.SurveyArray[1].Start, 5);
}

TEST(PlotReader, ReadsSectionsSurveyBoxesAndTheCaveBox) {
  auto read = ReadText(Lines({"Z 1 2 3 4 5 6 I 99", "S Blue Spring Cave ", "NA", "M 10 20 30", "X 1 2 3 4 5 6",
                              "S" + std::string(90, 's'), "NB", "D 11 21 31", "X 0 0 0 0 0 0", "Z -1 0 3 9 5 5"}));
  ASSERT_EQ(read->plot.SectionArray.Count(), 2);
  EXPECT_EQ(read->plot.SectionArray[0].Name.View(), " Blue Spring Cave ");
  EXPECT_EQ(read->plot.SectionArray[1].Name.Str(), std::string(80, 's'));
  EXPECT_EQ(read->plot.SectionArray[1].Start, 1);
  const TSurveyID& a = read->plot.SurveyArray[0];
  EXPECT_EQ(a.Min, (TLocation{3, 1, 5}));
  EXPECT_EQ(a.Max, (TLocation{4, 2, 6}));
  EXPECT_EQ(read->plot.CaveBox.Min, (TLocation{3, -1, 5}));
  EXPECT_EQ(read->plot.CaveBox.Max, (TLocation{9, 2, 6}));
  EXPECT_EQ(read->plot.CaveCenter, (TLocation{6, 0.5, 5.5}));
  EXPECT_EQ(read->plot.CaveOrigin, (TLocation{20, 10, 30}));
}

TEST(PlotReader, WithoutSectionLineMakesSectionNone) {
  auto read = ReadText(Lines({"NA", "M 1 2 3", "X 0 0 0 0 0 0"}));
  ASSERT_EQ(read->plot.SectionArray.Count(), 1);
  EXPECT_EQ(read->plot.SectionArray[0].Name.View(), "(None)");
  EXPECT_EQ(read->plot.SectionArray[0].Start, 0);
}

TEST(PlotReader, WithoutCaveBoxRecordTakesTheBoxOfTheVectors) {
  auto read = ReadText(Lines({"NA", "M 1 2 3", "D -4 8 0", "X 0 0 0 0 0 0"}));
  EXPECT_EQ(read->plot.CaveBox.Min, (TLocation{2, -4, 0}));
  EXPECT_EQ(read->plot.CaveBox.Max, (TLocation{8, 1, 3}));
  EXPECT_EQ(read->plot.CaveCenter, (TLocation{5, -1.5, 1.5}));

  auto empty = ReadText(Lines({"SCave"}));
  EXPECT_TRUE(empty->result.Loaded);
  EXPECT_EQ(empty->plot.CaveBox.Min.East, 9.9e99);
  EXPECT_EQ(empty->plot.CaveCenter, TLocation{});
  EXPECT_EQ(empty->plot.CaveOrigin, TLocation{});
}

TEST(PlotReader, AddsSurveysThatNoEndRecordCloses) {
  auto read = ReadText(Lines({"NA D 1 1 2000", "M 1 2 3", "D 5 -2 0", "NB", "M 0 0 0", "SNext", "NC", "M 7 7 7",
                              "X 9 9 9 9 9 9", "ND", "M 1 1 1", "D 2 3 4"}));
  ASSERT_EQ(read->plot.SurveyArray.Count(), 4);
  std::vector<std::string> names;
  for (const TSurveyID& s : read->plot.SurveyArray) names.push_back(s.Name.Str());
  EXPECT_EQ(names, (std::vector<std::string>{"A", "B", "C", "D"}));
  EXPECT_EQ(read->plot.SurveyArray[0].Min, (TLocation{-2, 1, 0}));
  EXPECT_EQ(read->plot.SurveyArray[0].Max, (TLocation{2, 5, 3}));
  EXPECT_EQ(read->plot.SurveyArray[2].Min, (TLocation{9, 9, 9}));  // as its end record says
  EXPECT_EQ(read->plot.SurveyArray[3].Max, (TLocation{3, 2, 4}));
  EXPECT_EQ(read->plot.SectionArray[0].Start, 2);
}

TEST(PlotReader, StopsAtCtrlZ) {
  auto read = ReadText(Lines({"NA", "M 1 2 3", "D 4 5 6 SB\x1A", "D 7 8 9", "X 0 0 0 0 0 0"}));
  EXPECT_TRUE(read->result.Loaded);
  EXPECT_TRUE(read->ui.warnings.empty());
  EXPECT_EQ(read->plot.VectorArray.Count(), 2);
  EXPECT_EQ(read->plot.VectorArray[1].Station.View(), "B");
  EXPECT_EQ(read->plot.SurveyArray.Count(), 1);
}

TEST(PlotReader, SkipsRecordsItDoesNotUse) {
  auto read = ReadText(Lines({"G31", "OWGS 1984", "SCave", "P BM1 1 2 3", "C 4", "R 2 A B C D E S 3.5",
                              "T mesh 2 0 0 0", "1 2 3 4 5 6 7 8 9", "1 2 3", "4 5 6 7 8 9", "# note: 1,5",
                              " M indented is skipped", "NA", "M 1 2 3", "X 0 0 0 0 0 0"}) +
                       "D");
  ASSERT_TRUE(read->result.Loaded) << read->result.ErrorReport;
  ASSERT_EQ(read->plot.VectorArray.Count(), 1);  // a last lone letter is no record
  EXPECT_EQ(read->plot.VectorArray[0].Location.Vert, 3);
  ASSERT_EQ(read->plot.SectionArray.FixedStations(0).Count(), 1);
  EXPECT_EQ(read->plot.SectionArray.FixedStations(0)[0].Loc, (TLocation{2, 1, 3}));
}

TEST(PlotReader, ReportsABadNumberWithTheLastCompleteLine) {
  auto read = ReadText(Lines({"SCave", "NA", "M 1 2 3", "D 1,5 2 3", "D 4 5 6", "X 0 0 0 0 0 0"}));
  EXPECT_FALSE(read->result.Loaded);
  EXPECT_FALSE(read->plot.FileLoaded);
  EXPECT_EQ(read->result.ErrorReport, "Invalid numeric input\r\nLine: 3 \"M 1 2 3");
  EXPECT_EQ(read->ui.warnings, (std::vector<std::string>{read->result.ErrorReport}));
  EXPECT_EQ(read->plot.VectorArray.Count(), 1);  // what came before stays
  EXPECT_EQ(read->plot.SurveyArray.Count(), 0);
  EXPECT_FALSE(read->ui.busyNow);
}

TEST(PlotReader, ReportsRunningOutOfMemory) {
  std::string text;
  for (int i = 0; i < 250; ++i) text += Lines({"D 1 2 3"});
  auto read = ReadText(text, [](int, int) { throw std::bad_alloc(); });
  EXPECT_FALSE(read->result.Loaded);
  EXPECT_EQ(read->result.ErrorReport,
            "Out of Memory - File Partially Loaded\r\nClose Applications or Install More Memory");
  EXPECT_EQ(read->plot.VectorArray.Count(), 199);  // the 200th was being read
}

TEST(PlotReader, CountsBareLineFeedsInTheReport) {
  auto read = ReadText("NA\nM 1 2 3\nD 1 x 3\n");
  EXPECT_EQ(read->result.ErrorReport, "Invalid numeric input\r\nLine: 2 \"M 1 2 3");
}

TEST(PlotReader, ReportsAFailureInTheFirstLine) {
  auto read = ReadText("Z 1 2 three\r\n");
  EXPECT_FALSE(read->result.Loaded);
  EXPECT_NE(read->result.ErrorReport.find("Invalid numeric input"), std::string::npos);
  EXPECT_NE(read->result.ErrorReport.find("first line"), std::string::npos);
}

TEST(PlotReader, FailedReadLeavesAnEarlierLoadStanding) {
  TPlotState plot;
  TRecordingUserInterface ui;
  ASSERT_TRUE(OpenAndReadPlot(plot, WriteScratchFile("good.plt", Lines({"NA", "M 1 2 3", "X 0 0 0 0 0 0"})), ui).Loaded);
  TPlotReadResult bad = OpenAndReadPlot(plot, WriteScratchFile("bad.plt", Lines({"NA", "M 1 2 x"})), ui);
  EXPECT_FALSE(bad.Loaded);
  EXPECT_TRUE(plot.FileLoaded);
  EXPECT_NE(plot.PlotFile.find("bad.plt"), std::string::npos);
  EXPECT_EQ(plot.VectorArray.Count(), 0);  // the new read started afresh
}

TEST(PlotReader, NamesAFileItCannotOpen) {
  TPlotState plot;
  TRecordingUserInterface ui;
  try {
    OpenAndReadPlot(plot, "/nonexistent/cave.plt", ui);
    FAIL();
  } catch (const std::runtime_error& error) {
    EXPECT_STREQ(error.what(), "Cannot open \"/nonexistent/cave.plt\": No such file or directory");
  }
}

TEST(PlotReader, ReportsProgressEvery200VectorsAnd10Headers) {
  std::string text;
  for (int survey = 0; survey < 25; ++survey) {
    text += Lines({"NS"});
    for (int i = 0; i < 18; ++i) text += Lines({"D 1 2 3"});
    text += Lines({"X 0 0 0 0 0 0"});
  }
  std::vector<std::pair<int, int>> calls;
  auto read = ReadText(text, [&](int surveys, int shots) { calls.emplace_back(surveys, shots); });
  std::vector<std::pair<int, int>> expected = {{10, 162}, {12, 200}, {20, 342}, {23, 400}, {25, 450}};
  EXPECT_EQ(calls, expected);
  EXPECT_EQ(read->ui.eventPumps, 5);
}

TEST(PlotReader, ReadsNumbersWithAPointUnderACommaLocale) {
  std::string saved = std::setlocale(LC_ALL, nullptr);
  if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) GTEST_SKIP() << "de_DE.UTF-8 locale not installed";
  auto read = ReadText(Lines({"NA", "M 1.5 2.25 -3.125 SA P 0.5 1 1 1", "X 0 0 0 0 0 0"}));
  std::setlocale(LC_ALL, saved.c_str());
  ASSERT_TRUE(read->result.Loaded);
  EXPECT_EQ(read->plot.VectorArray[0].Location, (TLocation{2.25, 1.5, -3.125}));
  EXPECT_EQ(read->plot.VectorArray[0].Left, 0.5f);
}

TEST(PlotReader, CountsShotLines) {
  std::string file = WriteScratchFile("count.plt", "NA\r\nM 1 2 3\r\nD 1 2 3\r\nd 1 2 3\nD 1 2 3\r\n DX\r\nD 1 2 3\x1A\r\nD 1 2 3\r\n");
  EXPECT_EQ(GetShotCount(file), 3);  // none after the Ctrl-Z
}

}  // namespace
