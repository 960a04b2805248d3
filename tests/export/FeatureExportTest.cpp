#include <gtest/gtest.h>

#include <regex>

#include "app/AppContext.h"
#include "support/TestSupport.h"

namespace {

using S = TSetting;

struct TFeatureFixture : ::testing::Test {
  void Load(std::initializer_list<std::string_view> lines) {
    ASSERT_TRUE(app.LoadPlotFile(WriteScratchFile("features.plt", Lines(lines))).Loaded);
  }
  // The feature survey node of survey s.
  void Edit(int survey, const std::function<void(TFeatureInfo&)>& change) {
    TFeatureInfo info = app.Plot.SurveyArray[survey].Attributes.FeatureInfo;
    change(info);
    app.Tree.SetFeatureInfo(app.Tree.SurveyNodes()[static_cast<std::size_t>(survey)], info);
  }
  static int Count(const std::string& text, const std::string& what) {
    int count = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
    return count;
  }
  TRecordingUserInterface ui;
  TAppContext app{ui};
};

TEST_F(TFeatureFixture, DrawsPathFeaturesAsSegmentsLabelledAtTheirStarts) {
  Load({"NS", "M 0 0 0 SX", "D 10 0 0 SY", "X 0 0 0 0 0 0", "FStream", "M 0 0 0 SA P 0 0 0 0", "D 5 0 0 SB P 0 0 0 0",
        "D 5 5 0 SC P 0 0 0 0", "X 0 0 0 0 0 0"});
  std::string svg = ExportText(app);
  EXPECT_NE(svg.find("<g id=\"Stream\""), std::string::npos);
  EXPECT_NE(svg.find("<g id=\"Stream_Paths\""), std::string::npos);
  EXPECT_NE(svg.find("<path id=\"A_B\" stroke=\"#808000\" d=\"M"), std::string::npos);
  EXPECT_NE(svg.find("<path id=\"B_C\" stroke=\"#808000\""), std::string::npos);
  EXPECT_NE(svg.find("<text id=\"Stream_A\" style=\"&FeatureNameStyle;\" filter=\"url(#Highlight)\""), std::string::npos);
  EXPECT_NE(svg.find("<text id=\"Stream_B\""), std::string::npos);
  EXPECT_EQ(svg.find("<text id=\"Stream_C\""), std::string::npos);  // the last point of a line has no label
  EXPECT_EQ(svg.find("id=\"A_B\" style"), std::string::npos);        // not among the survey shots
}

TEST_F(TFeatureFixture, DrawsSymbolsOncePerPointAndNamesLayersUniquely) {
  Load({"FWater", "D 1 1 1 SQ P 0 0 0 0", "L 0 0 0 SW1 P 0 0 0 0", "L 1 0 0 SW2 P 0 0 0 0", "X 0 0 0 0 0 0", "FWater",
        "L 2 2 0 SW3 P 0 0 0 0", "X 0 0 0 0 0 0", "FR&D", "M 0 0 0 SA&B P 0 0 0 0", "X 0 0 0 0 0 0"});
  Edit(0, [](TFeatureInfo& info) { info.Symbol = '&'; });  // drawn as that one character's outline
  std::string svg = ExportText(app);
  EXPECT_EQ(Count(svg, "<path  id=\"W"), 3);  // one symbol per L point; the D is ignored
  EXPECT_NE(svg.find("<path  id=\"W1\" transform=\"translate("), std::string::npos);
  for (const char* layer : {"Water\"", "Water_Symbols\"", "Water_Labels\"", "Water-1\"", "Water_Symbols-1\"",
                            "Water_Labels-1\"", "R&amp;D\"", "R&amp;D_Paths\"", "R&amp;D_Labels\""})
    EXPECT_NE(svg.find(std::string("<g id=\"") + layer), std::string::npos) << layer;
  EXPECT_NE(svg.find("<text id=\"Water_W1\""), std::string::npos);  // labelled though LabelFeatures is off
  // A symbol's element: fill in the font colour, an outline of line segments in lines of about 60.
  std::smatch symbol;
  ASSERT_TRUE(std::regex_search(svg, symbol, std::regex("<path  id=\"W1\" transform=\"translate\\([0-9.]+ [0-9.]+\\)\" "
                                                        "fill=\"rgb\\(255,0,0\\)\\r\\n *\" d=\"M [0-9.]+ [0-9.]+ L ")));
}

TEST_F(TFeatureFixture, SizesRangeSymbolsByValueAndWritesTheValues) {
  Load({"FDepth R 0 10", "L 0 0 0 SP0 P 0 0 0 0 V 0", "L 1 0 0 SP5 P 0 0 0 0 V 5", "L 2 0 0 SP10 P 0 0 0 0 V 10",
        "L 3 0 0 SP15 P 0 0 0 0 V 15", "X 0 0 0 0 0 0", "FFlat R 2 2", "L 4 0 0 SF P 0 0 0 0 V 2.5",
        "L 5 0 0 SG P 0 0 0 0 V 7", "L 6 0 0 SH P 0 0 0 0 V 7", "X 0 0 0 0 0 0", "FBig R 0 1",
        "L 7 0 0 SK P 0 0 0 0 V 1234.5", "X 0 0 0 0 0 0"});
  Edit(1, [](TFeatureInfo& info) { info.Digits = 2; });
  Edit(2, [](TFeatureInfo& info) {
    info.NumberFormat = nfScientific;
    info.Digits = 3;
  });
  std::string svg = ExportText(app);
  // The glyph's width grows with the size: 12, 18, 24 and 30 points.
  auto rightmost = [&](const std::string& id) {
    std::size_t start = svg.find("<path  id=\"" + id + "\""), end = svg.find("/>", start);
    std::string element = svg.substr(start, end - start);
    std::regex number(" L ([0-9.]+) ");
    double widest = 0;
    for (std::sregex_iterator it(element.begin(), element.end(), number), last; it != last; ++it)
      widest = std::max(widest, std::stod((*it)[1]));
    return widest;
  };
  double base = rightmost("P0");
  EXPECT_NEAR(rightmost("P5") / base, 18.0 / 12, 0.01);
  EXPECT_NEAR(rightmost("P10") / base, 24.0 / 12, 0.01);
  EXPECT_NEAR(rightmost("P15") / base, 30.0 / 12, 0.01);  // not clamped
  EXPECT_NEAR(rightmost("F") / base, 18.0 / 12, 0.01);    // equal ends: a range of 1
  for (const char* layer : {"<g id=\"0.0000\"", "<g id=\"15.0000\"", "<g id=\"7.00\"", "<g id=\"7.00-1\"",
                            "<g id=\"1.23E+3\"", ">1.23E+3</text>"})
    EXPECT_NE(svg.find(layer), std::string::npos) << layer;
}

TEST_F(TFeatureFixture, FallsBackToAnInstalledFontAndRefusesBitmapFonts) {
  Load({"FWater", "L 0 0 0 SW1 P 0 0 0 0", "X 0 0 0 0 0 0"});
  Edit(0, [](TFeatureInfo& info) { info.FontFace.Assign("No Such Font Anywhere"); });
  std::string svg = ExportText(app);
  EXPECT_NE(svg.find("<path  id=\"W1\""), std::string::npos);
  ASSERT_FALSE(app.Log.Lines().empty());
  EXPECT_NE(app.Log.Lines().back().find("\"No Such Font Anywhere\" is not installed; using "), std::string::npos);

  // A bitmap font has no outlines.
  std::string bitmap = WriteScratchFile("tiny.bdf",
                                        "STARTFONT 2.1\nFONT -tiny\nSIZE 8 75 75\nFONTBOUNDINGBOX 1 1 0 0\n"
                                        "CHARS 1\nSTARTCHAR A\nENCODING 172\nSWIDTH 500 0\nDWIDTH 1 0\nBBX 1 1 0 0\n"
                                        "BITMAP\n80\nENDCHAR\nENDFONT\n");
  Edit(0, [&](TFeatureInfo& info) { info.FontFace.Assign(bitmap); });
  try {
    ExportText(app);
    FAIL();
  } catch (const std::runtime_error& error) {
    EXPECT_STREQ(error.what(), "TrueType font required");
  }
}

TEST_F(TFeatureFixture, WritesSelectedFeatureSurveysOnly) {
  Load({"SOne", "NA", "M 0 0 0 SA", "D 1 0 0 SB", "X 0 0 0 0 0 0", "FWater", "L 0 0 0 SW1 P 0 0 0 0",
        "X 0 0 0 0 0 0", "STwo", "FMud", "L 1 1 0 SM1 P 0 0 0 0", "X 0 0 0 0 0 0"});
  app.Settings.Set(S::ExcludeSections, 1);
  // The first shot entry (A - B) stands at position 0, as section 0 does for
  // the old walk; checking it must not bring in the features.
  app.Tree.ToggleCheck(app.Tree.ShotNodes()[0]);
  std::string svg = ExportText(app);
  EXPECT_EQ(svg.find("<g id=\"Water\""), std::string::npos);
  app.Tree.ToggleCheck(app.Tree.SurveyNodes()[1]);  // Water itself
  app.Tree.ToggleCheck(app.Tree.SectionNodes()[1]);  // and section Two with Mud
  svg = ExportText(app);
  EXPECT_NE(svg.find("<g id=\"Water\""), std::string::npos);
  EXPECT_NE(svg.find("<g id=\"Mud\""), std::string::npos);
}

}  // namespace
