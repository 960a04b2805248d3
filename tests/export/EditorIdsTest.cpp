// What an editor keeps of an export: ids that stay unique through a save
// and still name their shot's stations, and the layers Inkscape can list.

#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <map>
#include <set>

#include "app/AppContext.h"
#include "export/ShotIds.h"
#include "support/TestSupport.h"

namespace {

using S = TSetting;

// A1-A2 surveyed twice, two splays from A2 to one station, a station named
// like the symbol and one whose label would take the id of a shot.
const std::string TwiceSurveyed =
    Lines({"SCave", "NA D 1 1 2001 C", "M 0 0 0 SA1", "D 0 10 0 SA2", "D 10 10 0 SA3", "X 0 10 0 10 0 0",
           "NB D 1 1 2002 C", "M 0 0 0 SA1", "D 0 10 0 SA2", "X 0 0 0 10 0 0",
           "NS D 1 1 2002 C", "M 0 10 0 SA2", "D 1 12 0 SA2s", "M 0 10 0 SA2", "D -1 12 0 SA2s",
           "M 0 10 0 SA2", "D -2 12 0 S_m", "M 0 10 0 SA2", "D -3 12 0 SA2_A2s", "X -1 1 10 12 0 0"});

std::string ExportOf(const std::string& plot, std::initializer_list<std::pair<S, double>> settings = {}) {
  TRecordingUserInterface ui;
  TAppContext app(ui);
  for (auto [setting, value] : settings) app.Settings.Set(setting, value);
  EXPECT_TRUE(app.LoadPlotFile(plot).Loaded);
  return ExportText(app);
}

struct TParsedIds {
  std::map<std::string, int> all;   // every id attribute and how often
  std::vector<std::string> vectors;  // ids of the shot elements, in order
};

void CollectIds(xmlNode* node, bool inVectors, TParsedIds& ids) {
  for (; node; node = node->next) {
    if (node->type != XML_ELEMENT_NODE) continue;
    xmlChar* id = xmlGetProp(node, BAD_CAST "id");
    std::string text = id ? reinterpret_cast<const char*>(id) : "";
    xmlFree(id);
    if (!text.empty()) ++ids.all[text];
    if (inVectors && xmlStrEqual(node->name, BAD_CAST "path")) ids.vectors.push_back(text);
    CollectIds(node->children, text == "w2d_Vectors", ids);
  }
}

TParsedIds IdsOf(const std::string& svg) {
  xmlDoc* doc = xmlReadMemory(svg.data(), static_cast<int>(svg.size()), "export.svg", nullptr,
                              XML_PARSE_NOENT | XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
  TParsedIds ids;
  EXPECT_NE(doc, nullptr);
  if (!doc) return ids;
  CollectIds(xmlDocGetRootElement(doc), false, ids);
  xmlFreeDoc(doc);
  return ids;
}

void ExpectUnique(const TParsedIds& ids, const std::string& what) {
  for (const auto& [id, count] : ids.all) EXPECT_EQ(count, 1) << what << ": id \"" << id << "\" used " << count << " times";
}

TEST(EditorIds, RepeatedShotsGetSuffixesThatStillNameTheirStations) {
  TParsedIds ids = IdsOf(ExportOf(WriteScratchFile("twice.plt", TwiceSurveyed)));
  ExpectUnique(ids, "twice.plt");
  // A "_" inside a station name is escaped, so it cannot split the names.
  const std::vector<std::string> expected = {"A1_A2",    "A2_A3",     "A1_A2_2",        "A2_A2s",
                                             "A2_A2s_2", "A2__x5F_m", "A2_A2_x5F_A2s"};
  EXPECT_EQ(ids.vectors, expected);
  const std::pair<const char*, const char*> stations[] = {{"A1", "A2"}, {"A2", "A3"}, {"A1", "A2"}, {"A2", "A2s"},
                                                          {"A2", "A2s"}, {"A2", "_m"}, {"A2", "A2_A2s"}};
  for (std::size_t i = 0; i < ids.vectors.size() && i < std::size(stations); ++i) {
    std::string from, to;
    ExtractFromToStr(ids.vectors[i], from, to);
    EXPECT_EQ(from, stations[i].first) << ids.vectors[i];
    EXPECT_EQ(to, stations[i].second) << ids.vectors[i];
  }
  // The labels of stations named like the symbol or a shot step aside.
  EXPECT_EQ(ids.all.count("_m-1"), 1u);
  EXPECT_EQ(ids.all.count("A2_A2s-1"), 1u);
}

TEST(EditorIds, ShotIdsReadBackTheirStations) {
  const struct {
    const char* id;
    const char* from;
    const char* to;
  } cases[] = {
      {"A1_A2", "A1", "A2"},
      {"A1_A2_2", "A1", "A2"},             // a repeat's number is no part of the names
      {"A1_A2_1_", "A1", "A2"},            // nor Illustrator's
      {"A_x2E_1_B2", "A.1", "B2"},         // Illustrator's escapes
      {"_x31__2", "1", "2"},
      {"S1_x5F_9.9_S1_x5F_9.10", "S1_9.9", "S1_9.10"},  // an escaped "_" stays in its name
      {"B_xy_1", "B", "xy"},               // no escape without two hex digits
      {"A1", "A1", ""},
      {"", "", ""},
  };
  for (const auto& c : cases) {
    std::string from, to;
    ExtractFromToStr(c.id, from, to);
    EXPECT_EQ(from, c.from) << c.id;
    EXPECT_EQ(to, c.to) << c.id;
  }
  std::string id;
  AppendShotIdName(id, "S1_9&9");
  EXPECT_EQ(id, "S1_x5F_9&amp;9");
  std::string text = "A_x5F_1_B";
  NormalizeStr(text);
  EXPECT_EQ(text, "A_1_B");
}

std::string EscapedUnderscores(const std::string& name) {
  std::string escaped;
  for (char c : name) escaped += c == '_' ? std::string("_x5F_") : std::string(1, c);
  return escaped;
}

TEST(EditorIds, RealCavesHaveNoRepeatedIdAndEveryShotReadsBack) {
  std::filesystem::path dir = SharedPlotDir();
  if (dir.empty()) GTEST_SKIP() << "no shared plot files";
  std::size_t shots = 0, suffixed = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    const std::string name = entry.path().filename().string();
    TParsedIds ids = IdsOf(ExportOf(entry.path().string()));
    ExpectUnique(ids, name);
    for (const std::string& id : ids.vectors) {
      std::string from, to;
      ExtractFromToStr(id, from, to);
      EXPECT_FALSE(from.empty() || to.empty()) << name << ": " << id;
      // The stations and a repeat's number are all there is to an id.
      const std::string rebuilt = EscapedUnderscores(from) + "_" + EscapedUnderscores(to);
      if (id != rebuilt) {
        ++suffixed;
        EXPECT_TRUE(id.starts_with(rebuilt + "_")) << name << ": " << id;
      }
      ++shots;
    }
  }
  EXPECT_GT(shots, 1000u);
  EXPECT_GT(suffixed, 100u);  // the Survex-written file repeats many station pairs
}

TEST(EditorIds, InkscapeMarksGoWithoutTheClipFrame) {
  const std::string plot = WriteScratchFile("frame.plt", TwiceSurveyed);
  struct Case {
    double ai10, inkscape, illustrator;  // choices: 0 adds the marks, 1 removes them
    bool clipFrame;
  } cases[] = {
      {0, 0, 0, false},  // the default: Inkscape lists every layer
      {0, 0, 1, false},
      {0, 1, 0, true},   // for Illustrator: clipped to the sheet
      {0, 1, 1, true},
      {1, 1, 0, false},  // Illustrator 10 reads no inner svg
      {1, 0, 0, false},
  };
  for (const Case& c : cases) {
    std::string svg = ExportOf(plot, {{S::AI10Compatible, c.ai10}, {S::InkscapeTags, c.inkscape},
                                      {S::IllustratorTags, c.illustrator}});
    bool inner = svg.find("<svg width=") != std::string::npos;
    EXPECT_EQ(inner, c.clipFrame) << c.ai10 << c.inkscape << c.illustrator;
    EXPECT_EQ(svg.find("Used to clip frame") != std::string::npos, c.clipFrame);
    ExpectUnique(IdsOf(svg), "frame.plt");
  }
}

}  // namespace
