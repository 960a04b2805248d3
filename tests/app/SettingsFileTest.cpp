#include "app/SettingsFile.h"

#include <gtest/gtest.h>

#include <clocale>
#include <locale>

#include "app/AppContext.h"
#include "app/QMIni.h"
#include "support/TestSupport.h"

namespace {

using S = TSetting;

// Two sections with a survey of the same name, a feature survey.
const std::string Plot = Lines({"Z 0 50 0 95 -10 0", "SNorth", "NA D 5 17 2001 C", "M 0 0 0 SA1 P 1 1 1 1 I 0",
                                "D 0 95 -10 SA2 P 1 1 1 1 I 95", "D 50 95 -10 SA3 P 1 1 1 1 I 50",
                                "X 0 50 0 95 -10 0", "SSouth", "NA D 5 18 2001 C", "M 0 0 0 SB1 P 1 1 1 1 I 0",
                                "D 10 10 0 SB2 P 1 1 1 1 I 14", "X 0 10 0 10 0 0", "FPools R 1.0E1 2.5E1",
                                "L 5 5 0 SP1 P -9 -9 -9 -9 V 12", "L 6 6 0 SP2 P -9 -9 -9 -9 V 20",
                                "X 5 6 5 6 0 0"});

struct TSettingsFileFixture : ::testing::Test {
  TSettingsFileFixture() { EXPECT_TRUE(app.LoadPlotFile(plot).Loaded); }
  int NodeOf(TItemTypes kind, const std::string& text) {
    for (int node = 0; node < app.Tree.NodeCount(); ++node)
      if (app.Tree.Info(node).ItemType == kind && app.Tree.Text(node) == text) return node;
    ADD_FAILURE() << text;
    return 0;
  }
  std::string plot = WriteScratchFile("settings.plt", Plot);
  TRecordingUserInterface ui;
  TAppContext app{ui};
};

TEST_F(TSettingsFileFixture, RestoresEveryValueAndCheckMarkInACommaLocaleToo) {
  const std::string saved = std::setlocale(LC_ALL, nullptr);
  const bool comma = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
  const std::locale previous = comma ? std::locale::global(std::locale("de_DE.UTF-8")) : std::locale();
  const std::pair<S, double> values[] = {{S::Units, 1},         {S::View, 1},          {S::ExcludeSections, 1},
                                         {S::AI10Compatible, 1}, {S::MarginX, 20.5},    {S::MarginY, 17.25},
                                         {S::PaperX, 420},      {S::PaperY, 297},      {S::GridSpacing, 12.5},
                                         {S::ScaleFactor, 1.75}, {S::Yaw, 33.3},        {S::PaperOffsetX, 12.125},
                                         {S::PaperOffsetY, -3.5}, {S::CaveOffsetX, 1.5}, {S::CaveOffsetZ, -2}};
  for (const auto& [setting, value] : values) app.Settings.Set(setting, value);
  app.Tree.ToggleCheck(NodeOf(itShot, "A2 - A3"));
  app.Tree.ToggleCheck(NodeOf(itSection, "South"));
  TSurveyID pools = app.Plot.SurveyArray.Get(2);
  pools.Attributes.FeatureInfo.Symbol = 77;
  pools.Attributes.FeatureInfo.SizeHigh = 40;
  app.Plot.SurveyArray.Put(2, pools);
  std::vector<double> before;
  for (const auto& [setting, value] : values) before.push_back(app.Settings.Value(setting));
  const std::string file = WriteScratchFile("round.vmsf", "");
  SaveCaveTreeXML(app, file);

  TAppContext fresh(ui);
  ASSERT_TRUE(fresh.LoadPlotFile(plot).Loaded);
  LoadCaveTreeFromFile(fresh, file);
  if (comma) {
    std::locale::global(previous);
    std::setlocale(LC_ALL, saved.c_str());
  }
  for (std::size_t i = 0; i < std::size(values); ++i)
    EXPECT_NEAR(fresh.Settings.Value(values[i].first), before[i], 1e-9) << SpecOf(values[i].first).Key;
  EXPECT_NEAR(fresh.Settings.Value(S::FeetPerInch), app.Settings.Value(S::FeetPerInch), 1e-9);
  for (int node = 0; node < app.Tree.NodeCount(); ++node)
    EXPECT_EQ(fresh.Tree.Checked(node), app.Tree.Checked(node)) << app.Tree.Text(node);
  EXPECT_EQ(fresh.Plot.SurveyArray[2].Attributes.FeatureInfo.Symbol, 77);
  EXPECT_EQ(fresh.Plot.SurveyArray[2].Attributes.FeatureInfo.SizeHigh, 40);
  EXPECT_NE(ReadBytes(file).find("<Float>1.75</Float>"), std::string::npos);
}

TEST_F(TSettingsFileFixture, MatchesTheTreeByKindAndName) {
  // Both surveys named A are checked by the one mark; names of another tree match nothing.
  const std::string file = WriteScratchFile("names.vmsf", R"(<SVGSettings Quillmap="1.0"><CheckBoxes>
      <Section Name="Gone" Enabled="True"><Survey Name="a" Enabled="True"/></Section>
      <Shot Name="B1 - B2" Enabled="False"/><Survey Name="B1 - B2" Enabled="True"/>
      <Range Name="Pools" Enabled="False"><FeatureInfo><SizeLow>3</SizeLow></FeatureInfo></Range>
    </CheckBoxes></SVGSettings>)");
  const double yaw = app.Settings.Value(S::Yaw);
  const int symbol = app.Plot.SurveyArray[2].Attributes.FeatureInfo.Symbol;
  LoadCaveTreeFromFile(app, file);
  std::vector<std::string> checked;
  for (int node = 0; node < app.Tree.NodeCount(); ++node)
    if (app.Tree.Checked(node))
      checked.push_back(std::string(ItemTypeName(app.Tree.Info(node).ItemType)) + " " + app.Tree.Text(node));
  EXPECT_EQ(checked, (std::vector<std::string>{"Survey A", "Survey A"}));
  EXPECT_EQ(app.Plot.SurveyArray[2].Attributes.FeatureInfo.SizeLow, 3);
  EXPECT_EQ(app.Plot.SurveyArray[2].Attributes.FeatureInfo.Symbol, symbol);  // no Symbol element: unchanged
  EXPECT_EQ(app.Settings.Value(S::Yaw), yaw);  // no MapSettings: the values stay
}

TEST_F(TSettingsFileFixture, RefusesBadFilesNamingThemAndApplyingNothing) {
  const struct {
    const char* content;
    const char* message;
  } cases[] = {
      {"", "Empty Information File"},
      {"<SVGSettings><MapSettings><ViewAngle><Float>10</Float></ViewAngle><Scale><Boolean>True</Boolean></Scale>"
       "</MapSettings></SVGSettings>",
       "Expected Float. Found: Boolean"},
      {"<SVGSettings><MapSettings><ViewAngle><Float>10</Float></ViewAngle><PaperSize><Vector2D>1;2</Vector2D>"
       "</PaperSize></MapSettings></SVGSettings>",
       "\"1;2\" is not a vector of 2"},
      {"<SVGSettings><MapSettings>", "does not parse"},
  };
  for (const auto& bad : cases) {
    const std::string file = WriteScratchFile("bad.vmsf", bad.content);
    try {
      LoadCaveTreeFromFile(app, file);
      ADD_FAILURE() << bad.content;
    } catch (const std::exception& error) {
      const std::string message = error.what();
      EXPECT_EQ(message.rfind(file + ": ", 0), 0u) << message;
      if (std::string(bad.message) != "does not parse") {
        EXPECT_NE(message.find(bad.message), std::string::npos) << message;
      }
    }
    EXPECT_EQ(app.Settings.Value(S::Yaw), SpecOf(S::Yaw).Default);  // the yaw of 10 never applied
  }
}

TEST(UserDefaults, ReadsAndWritesTheKeysWithADotAndKeepsOthers) {
  const std::string path = WriteScratchFile("Quillmap.ini", "[Other]\r\nKeep=yes\r\n[Paper]\r\nXMargin=0.75\r\nYMargin=nonsense\r\n");
  TRecordingUserInterface ui;
  TAppContext app(ui);
  app.Settings.Set(S::MarginY, 0.9);
  GetUserDefaults(app.Settings, TIniFile(path));
  EXPECT_EQ(app.Settings.Value(S::MarginX), 0.75);
  EXPECT_EQ(app.Settings.Value(S::MarginY), 0.5);  // the factory default; the bad value is ignored
  app.Settings.Set(S::Generator, 2);
  app.Settings.Set(S::AI10Compatible, 1);
  TIniFile file(path);
  SaveUserDefaults(app.Settings, file);
  const std::string text = ReadBytes(path);
  for (const char* line : {"Keep=yes", "XMargin=0.75", "YMargin=0.5", "Generator=2", "A10Mode=1", "Units=0"})
    EXPECT_NE(text.find(line), std::string::npos) << line;
  TAppContext other(ui);
  GetUserDefaults(other.Settings, TIniFile(path));
  EXPECT_EQ(other.Settings.Value(S::Generator), 2);
  EXPECT_TRUE(other.Settings.Checked(S::AI10Compatible));
  // A missing file leaves the factory defaults.
  TAppContext none(ui);
  GetUserDefaults(none.Settings, TIniFile(path + ".missing"));
  EXPECT_EQ(none.Settings.Value(S::MarginX), 0.5);
  EXPECT_TRUE(InternationalFoot(TIniFile(path)));
  EXPECT_FALSE(InternationalFoot(TIniFile(WriteScratchFile("Vandral32.ini", "[Units]\nInternationalFoot=0\n"))));
}

TEST(RecentFiles, KeepsFiveExistingFilesMostRecentFirst) {
  TRecentFiles recent;
  std::vector<std::string> files;
  for (int i = 0; i < 7; ++i) files.push_back(WriteScratchFile("recent" + std::to_string(i) + ".plt", "Z"));
  for (const std::string& file : files) recent.Add(file);
  recent.Add(files[3]);
  recent.Add(files[0] + ".gone");
  EXPECT_EQ(recent.Paths(), (std::vector<std::string>{files[3], files[6], files[5], files[4], files[2]}));
  EXPECT_EQ(recent.Caption(0), "&1 recent3.plt");
  TIniFile ini(WriteScratchFile("Lumbra32.ini", "[Export3D]\r\nCount=9\r\nPath0=old\r\n[Viewer]\r\nZoom=2\r\n"));
  recent.Save(ini);
  TRecentFiles loaded;
  loaded.Load(TIniFile(ini.Path()));
  EXPECT_EQ(loaded.Paths(), recent.Paths());
  EXPECT_NE(ReadBytes(ini.Path()).find("Zoom=2"), std::string::npos);
}

}  // namespace
