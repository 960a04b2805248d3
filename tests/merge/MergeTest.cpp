// The merge: documents put together, files saved after their backups, and
// whole merges of drawings with artwork onto a changed survey.

#include "merge/QMMerge.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>

#include "ArtworkGenerator.h"
#include "MergeChecks.h"
#include "app/AppContext.h"
#include "merge/FileLibrary.h"
#include "merge/QMMorph.h"
#include "merge/QMPath.h"
#include "merge/SVGScanners.h"
#include "merge/QMTransform.h"
#include "merge/XMLDocLibrary.h"
#include "support/NumberText.h"
#include "support/TestSupport.h"

namespace {

TXMLDocument Parse(const std::string& text) {
  TXMLDocument doc;
  doc.Parse(text, "test.svg");
  return doc;
}

const char* const Source = R"(<?xml version="1.0" encoding="iso-8859-1"?>
<!DOCTYPE svg PUBLIC "-//W3C//DTD SVG 20010904//EN" "http://www.w3.org/TR/2001/REC-SVG-20010904/DTD/svg10.dtd" [
    <!ENTITY V_s "stroke:#FF0000;">
    <!ENTITY T_s "fill:#000000;">
]>
<svg xmlns="http://www.w3.org/2000/svg" width="792pt" height="612pt" viewBox="0 0 792 612">
<defs><filter id="Highlight"><feFlood flood-color="green"/></filter></defs>
<g id="w2d_Vectors"><path id="A_B" style="&V_s;" d="M0,0l10,0"/></g>
<g id="w2d_Legend"><g id="Scalebar"><text>10</text></g><g id="NorthArrow"><path d="M1,1L2,2"/></g></g>
</svg>)";

TEST(MergeDocuments, CarriesTheDocTypeOverWithoutTouchingTheTargets) {
  TXMLDocument source = Parse(Source);
  // A target without a DOCTYPE gets the source's, before its root.
  TXMLDocument bare = Parse("<?xml version=\"1.0\"?>\n<!--drawn-->\n<svg xmlns=\"http://www.w3.org/2000/svg\"/>");
  EXPECT_EQ(bare.MergeDocType(source), 2);
  std::string text = bare.Serialize();
  EXPECT_LT(text.find("<!--drawn-->"), text.find("<!DOCTYPE svg"));
  EXPECT_LT(text.find("<!DOCTYPE svg"), text.find("<svg"));
  EXPECT_EQ(bare.MergeDocType(source), 0);  // merged again: nothing new, still one DOCTYPE
  text = bare.Serialize();
  EXPECT_EQ(text.find("<!DOCTYPE", text.find("<!DOCTYPE") + 1), std::string::npos);
  // One on a single line gets the entities; one of its own keeps its text.
  TXMLDocument single = Parse("<!DOCTYPE svg PUBLIC \"-//W3C//DTD SVG 20010904//EN\" \"svg10.dtd\">\n"
                              "<svg xmlns=\"http://www.w3.org/2000/svg\"/>");
  EXPECT_EQ(single.MergeDocType(source), 2);
  TXMLDocument own = Parse("<!DOCTYPE svg [<!ENTITY T_s \"fill:#123456;\">]><svg xmlns=\"http://www.w3.org/2000/svg\"/>");
  EXPECT_EQ(own.MergeDocType(source), 1);
  text = own.Serialize();
  EXPECT_NE(text.find("<!ENTITY T_s \"fill:#123456;\">"), std::string::npos);
  EXPECT_NE(text.find("<!ENTITY V_s \"stroke:#FF0000;\">"), std::string::npos);
  TXMLDocument again;
  EXPECT_NO_THROW(again.Parse(single.Serialize(), "again.svg"));
}

TEST(MergeDocuments, ReplacesTheSurveyLayersAndKeepsEveryIdOnce) {
  TXMLDocument source = Parse(Source);
  TXMLDocument target = Parse(
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"10pt\"><defs><filter id=\"Highlight\"/><marker id=\"mine\"/></defs>"
      "<g id=\"w2d_Vectors\"><path id=\"old\" d=\"M5,5l1,1\"/></g><g id=\"w2d_Legend\"/>"
      "<g id=\"w2d_Walls_shp\"><path id=\"art\" d=\"M0,0L1,1\"/></g></svg>");
  TSilentUserInterface ui;
  TProgressDisplay progress(ui);
  TSVGInfo info;
  const TFootFactors factors;
  for (int cycle = 0; cycle < 2; ++cycle) MergeSVGDocuments(source, target, info, {96, factors}, progress);
  TXMLNode vectors = XMLFindNode(target, "g", "id", "w2d_Vectors");
  ASSERT_EQ(vectors.ChildCount(), 1);
  EXPECT_EQ(vectors.FirstChild().Attribute("id"), "A_B");
  EXPECT_EQ(vectors.FirstChild().Attribute("transform"), " matrix(1.00000,0.00000,0.00000,1.00000,0.00000,0.00000)");
  EXPECT_EQ(vectors.FirstChild().Attribute("style"), "stroke:#FF0000;");
  TXMLNode north = XMLFindNode(target, "g", "id", "NorthArrow");
  ASSERT_TRUE(north);
  EXPECT_EQ(north.Parent().Attribute("id"), "w2d_Legend");
  EXPECT_EQ(north.ChildCount(), 1);
  EXPECT_EQ(XMLFindNode(target, "path", "id", "art").Attribute("d"), "M0,0L1,1");
  EXPECT_EQ(XMLFindNodeByType(target, ntElement, "svg").Attribute("width"), "792pt");
  // The source's filter replaced the target's of the same id; the target's own stays.
  TXMLNode defs = XMLFindNode(target, "defs");
  std::map<std::string, int> ids;
  for (TXMLNode child = defs.FirstChild(); child; child = child.NextSibling()) ++ids[child.Attribute("id")];
  EXPECT_EQ(ids, (std::map<std::string, int>{{"Highlight", 1}, {"mine", 1}}));
  EXPECT_EQ(XMLFindNode(target, "filter", "id", "Highlight").ChildCount(), 1);
  EXPECT_NO_THROW(Parse(target.Serialize()));
}

TEST(Backups, RotateFourLevelsAndKeepTheNewestAsBak1) {
  const std::string dir = std::filesystem::path(WriteScratchFile("bak/placeholder", "")).parent_path().string();
  std::filesystem::create_directories(dir);
  const std::string file = dir + "/map.svg";
  for (int level = 1; level <= 4; ++level) std::ofstream(dir + "/map.bak" + std::to_string(level)) << "bak" << level;
  std::ofstream(file) << "current";
  std::filesystem::permissions(dir + "/map.bak2", std::filesystem::perms::owner_read);
  MultiLevelBackup(file, "bak", 4);
  EXPECT_FALSE(std::filesystem::exists(file));
  EXPECT_EQ(ReadBytes(dir + "/map.bak1"), "current");
  EXPECT_EQ(ReadBytes(dir + "/map.bak2"), "bak1");
  EXPECT_EQ(ReadBytes(dir + "/map.bak3"), "bak2");
  EXPECT_EQ(ReadBytes(dir + "/map.bak4"), "bak3");
  EXPECT_NO_THROW(BackupFile(dir + "/missing.svg", "bak1"));
  // Saving: a new name makes no backup, an existing one is kept as .bak1.
  TXMLDocument doc = Parse("<svg xmlns=\"http://www.w3.org/2000/svg\"/>");
  const std::string fresh = dir + "/fresh.svg";
  SaveMergedData(doc, fresh);
  EXPECT_FALSE(std::filesystem::exists(dir + "/fresh.bak1"));
  SaveMergedData(doc, fresh);
  EXPECT_TRUE(std::filesystem::exists(dir + "/fresh.bak1"));
  EXPECT_TRUE(IsSameFile(fresh, dir + "/../" + std::filesystem::path(dir).filename().string() + "/fresh.svg"));
}

// ---- whole merges -----------------------------------------------------------

// The plot moved as a loop closure moves it, stations further along the
// survey moved further, with a new survey from A5.
std::string MovedPlot(const std::string& plotFile) {
  std::istringstream in(ReadBytes(plotFile));
  std::string line, moved;
  const std::regex vector(R"(^([MD]) (\S+) (\S+) (\S+) (.*)$)");
  int station = 0;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::smatch m;
    if (std::regex_match(line, m, vector)) {
      const double f = 0.1 * ++station;  // feet
      char buffer[256];
      std::snprintf(buffer, sizeof buffer, "%s %.2f %.2f %s %s", m[1].str().c_str(), std::stod(m[2]) + 0.7 * f,
                    std::stod(m[3]) - 0.4 * f, m[4].str().c_str(), m[5].str().c_str());
      line = buffer;
    }
    if (line.rfind("NBS2", 0) == 0)  // a new survey before the second
      moved += "NNEW D 1 1 2020 C\r\nM 1053.28 2075.00 489.82 SA5\r\nD 1080.00 2090.00 489.00 SN1\r\nD 1090.00 2110.00 488.00 SN2\r\nX 0 0 0 0 0 0\r\n";
    moved += line + "\r\n";
  }
  return WriteScratchFile("moved.plt", moved);
}

struct TMergeRun {
  TRecordingUserInterface ui;
  TAppContext app{ui};
  std::string output;
  TAppContext::TMergeResult result = TAppContext::TMergeResult::NotMerged;
};

void Merge(TMergeRun& run, const std::string& plot, const std::string& target, const std::string& output) {
  ASSERT_TRUE(run.app.LoadPlotFile(plot).Loaded);
  run.app.LoadMergeTarget(target);
  ASSERT_TRUE(run.app.MatchTargetCommand());
  run.output = output;
  run.result = run.app.DoMorphMerge(output);
}

void ExpectMergedWell(const std::string& drawing, const std::string& name) {
  const std::string plot = std::string(QUILLMAP_EXAMPLES_DIR) + "/blue-spring.plt";
  TXMLDocument doc;
  doc.Parse(ReadBytes(drawing), drawing);
  const TArtwork art = DrawArtwork(doc);
  ASSERT_GT(art.Paths.size(), 40u);
  const std::string target = WriteScratchFile(name + "-art.svg", "");
  doc.Save(target);
  // Before the merge, against the moved survey: how far off the artwork is.
  const std::string moved = MovedPlot(plot);
  TMergeRun unmerged;
  ASSERT_TRUE(unmerged.app.LoadPlotFile(moved).Loaded);
  unmerged.app.LoadMergeTarget(target);
  ASSERT_TRUE(unmerged.app.MatchTargetCommand());
  unmerged.app.LoadMergeSource();
  TXMLDocument withNewSurvey;
  withNewSurvey.Parse(doc.Serialize(), "before.svg");
  TSilentUserInterface quiet;
  TProgressDisplay progress(quiet);
  CopySVGLayer(unmerged.app.Merge.SourceDoc, withNewSurvey, "w2d_Vectors", {}, {}, unmerged.app.SVGInfo(), progress);
  const std::vector<double> before = Misplacements(withNewSurvey, art);

  TMergeRun run;
  Merge(run, moved, target, WriteScratchFile(name + "-merged.svg", "old"));
  ASSERT_EQ(run.result, TAppContext::TMergeResult::Saved) << (run.ui.errors.empty() ? "" : run.ui.errors.back());
  TXMLDocument merged;
  merged.Parse(ReadBytes(run.output), run.output);
  for (const std::string& id : LostIds(merged, art)) ADD_FAILURE() << name << ": " << id << " lost";
  const std::vector<double> after = Misplacements(merged, art);
  ASSERT_EQ(after.size(), before.size());
  const double medianBefore = before[before.size() / 2], medianAfter = after[after.size() / 2];
  EXPECT_GT(medianBefore, 3);  // the survey moved the artwork off its shots
  EXPECT_LT(medianAfter, 0.1 * medianBefore) << name;
  EXPECT_LT(after.back(), 0.35 * before.back()) << name;
  // The new survey's shots are in the drawing; symbols kept their shape.
  for (const char* shot : {"A5_N1", "N1_N2"}) EXPECT_TRUE(XMLFindNode(merged, "path", "id", shot)) << shot;
  TXMLNode triangle = XMLFindNode(merged, "polygon", "id", "tri0");
  ASSERT_TRUE(triangle);
  TXMLNode original = XMLFindNode(doc, "polygon", "id", "tri0");
  EXPECT_EQ(triangle.Attribute("points"), original.Attribute("points"));
  EXPECT_FALSE(XMLFindNode(merged, "g", "id", "g05").Attribute("transform").empty());
  EXPECT_EQ(run.app.Merge.Report.SourceUnpaired.size(), 2u);
  EXPECT_TRUE(std::filesystem::exists(run.output.substr(0, run.output.size() - 4) + ".bak1"));
}

TEST(WholeMerge, PutsTheArtworkOfTheSampleOnItsMovedShots) {
  ExpectMergedWell(std::string(QUILLMAP_TEST_DATA_DIR) + "/inkscape/blue-spring-export.svg", "export");
}

TEST(WholeMerge, DoesTheSameOnTheDrawingInkscapeSaved) {
  ExpectMergedWell(std::string(QUILLMAP_TEST_DATA_DIR) + "/inkscape/blue-spring-inkscape.svg", "inkscape");
}

// The document's elements in order: their names and ids.
std::vector<std::string> Structure(const TXMLDocument& doc) {
  std::vector<std::string> elements;
  auto walk = [&](auto&& self, TXMLNode node) -> void {
    for (; node; node = node.NextSibling()) {
      if (node.Type() == ntElement) elements.push_back(node.LocalName() + "#" + node.Attribute("id"));
      self(self, node.FirstChild());
    }
  };
  walk(walk, doc.DocumentNode());
  return elements;
}

TEST(WholeMerge, MergedAgainAndAgainStaysTheSame) {
  const std::string plot = std::string(QUILLMAP_EXAMPLES_DIR) + "/blue-spring.plt";
  TXMLDocument doc;
  doc.Parse(ReadBytes(std::string(QUILLMAP_TEST_DATA_DIR) + "/inkscape/blue-spring-export.svg"), "export.svg");
  const TArtwork art = DrawArtwork(doc);
  std::string target = WriteScratchFile("cycle0.svg", "");
  doc.Save(target);
  std::vector<std::vector<std::string>> structures;
  std::vector<std::vector<double>> misses;
  for (int cycle = 1; cycle <= 3; ++cycle) {
    TMergeRun run;
    Merge(run, plot, target, WriteScratchFile("cycle" + std::to_string(cycle) + ".svg", ""));
    ASSERT_EQ(run.result, TAppContext::TMergeResult::Saved);
    TXMLDocument merged;
    merged.Parse(ReadBytes(run.output), run.output);
    structures.push_back(Structure(merged));
    std::map<std::string, int> ids;
    for (const std::string& element : structures.back())
      if (element.find('#') + 1 < element.size()) ++ids[element.substr(element.find('#') + 1)];
    for (const auto& [id, count] : ids) EXPECT_EQ(count, 1) << "cycle " << cycle << ": " << id;
    misses.push_back(Misplacements(merged, art));
    target = run.output;
  }
  EXPECT_EQ(structures[1], structures[0]);
  EXPECT_EQ(structures[2], structures[0]);
  // Matching the drawing re-exports the survey from its reference data, which
  // moves a shot end by up to a hundredth of a point once; then nothing drifts.
  EXPECT_LT(misses[0].back(), 0.02);
  ASSERT_EQ(misses[2].size(), misses[0].size());
  for (std::size_t i = 0; i < misses[0].size(); ++i) EXPECT_NEAR(misses[2][i], misses[0][i], 1e-3);
}

TEST(WholeMerge, AsksBeforeReplacingTheDrawingItCameFrom) {
  const std::string plot = std::string(QUILLMAP_EXAMPLES_DIR) + "/blue-spring.plt";
  const std::string target = WriteScratchFile("own.svg", ReadBytes(std::string(QUILLMAP_TEST_DATA_DIR) + "/inkscape/blue-spring-export.svg"));
  const std::string before = ReadBytes(target);
  const std::string sameFile = std::filesystem::path(target).parent_path().string() + "/./own.svg";
  TMergeRun declined;
  Merge(declined, plot, target, sameFile);
  EXPECT_EQ(declined.result, TAppContext::TMergeResult::Merged);
  ASSERT_EQ(declined.ui.questions.size(), 1u);
  EXPECT_EQ(declined.ui.questions[0], "Warning:\r\nYou are about to overwrite Source Map\r\nwith Morphed Map\r\nAre you sure?");
  EXPECT_EQ(ReadBytes(target), before);
  EXPECT_FALSE(std::filesystem::exists(target.substr(0, target.size() - 4) + ".bak1"));
  TMergeRun accepted;
  accepted.ui.answer = true;
  Merge(accepted, plot, target, sameFile);
  EXPECT_EQ(accepted.result, TAppContext::TMergeResult::Saved);
  EXPECT_EQ(ReadBytes(target.substr(0, target.size() - 4) + ".bak1"), before);
}

TEST(WholeMerge, WarnsWithoutATargetAndReloadsAfterAFailure) {
  TMergeRun run;
  EXPECT_EQ(run.app.DoMorphMerge(""), TAppContext::TMergeResult::NotMerged);
  ASSERT_EQ(run.ui.warnings.size(), 1u);
  EXPECT_EQ(run.ui.warnings[0].rfind("No Target File Loaded - Nothing to Merge\r\n", 0), 0u);
  // A target whose artwork cannot be morphed: the merge fails, and the
  // target in memory is the file again, not half morphed.
  ASSERT_TRUE(run.app.LoadPlotFile(std::string(QUILLMAP_EXAMPLES_DIR) + "/blue-spring.plt").Loaded);
  std::string text = ReadBytes(std::string(QUILLMAP_TEST_DATA_DIR) + "/inkscape/blue-spring-export.svg");
  const std::string layer = "<g id=\"w2d_Walls_shp\" inkscape:groupmode=\"layer\" i:layer=\"yes\">";
  text.replace(text.find(layer), layer.size(),
               layer + "<path id=\"first\" d=\"M100,100 L110,110\"/><path id=\"bad\" transform=\"scale(0)\" d=\"M0,0\"/>");
  const std::string target = WriteScratchFile("bad.svg", text);
  run.app.LoadMergeTarget(target);
  try {
    run.app.DoMorphMerge("");
    ADD_FAILURE();
  } catch (const std::runtime_error& error) {
    EXPECT_EQ(std::string(error.what()).rfind("bad: ", 0), 0u) << error.what();
  }
  EXPECT_EQ(XMLFindNode(run.app.Merge.TargetDoc, "path", "id", "first").Attribute("d"), "M100,100 L110,110");
}

}  // namespace
