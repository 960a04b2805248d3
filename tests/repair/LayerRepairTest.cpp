// Layer repair: the text repairs before parsing, the layer ids and marks,
// the missing layers, and the whole repair of a file.

#include "repair/QMNormalize.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/AppContext.h"
#include "merge/XMLDocLibrary.h"
#include "repair/QMRepair.h"
#include "support/TestSupport.h"

namespace {

using S = TSetting;

const TFootFactors Factors;
const TLengthUnits Units{90, Factors};

std::string GoldenExport(std::initializer_list<std::pair<S, double>> settings = {}) {
  TRecordingUserInterface ui;
  TAppContext app(ui);
  for (auto [setting, value] : settings) app.Settings.Set(setting, value);
  EXPECT_TRUE(app.LoadPlotFile(std::string(QUILLMAP_TEST_DATA_DIR) + "/golden/golden.plt").Loaded);
  return ExportText(app);
}

TSVGInfo Editors(bool inkscape, bool illustrator, bool ai10 = false) {
  TSVGInfo info;
  info.AddInkscape = inkscape;
  info.AddIllustrator = illustrator;
  info.AI10Compatible = ai10;
  info.PlotParams.PaperSize = {11, 8.5};
  return info;
}

int Count(const std::string& text, std::string_view what) {
  int count = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
  return count;
}

std::vector<std::string> LayerIdsInOrder(TXMLNode node) {
  std::vector<std::string> ids;
  for (; node; node = node.NextSibling()) {
    if (node.Type() != ntElement) continue;
    if (node.LocalNameIs("g")) ids.push_back(node.Attribute("id"));
    for (const std::string& id : LayerIdsInOrder(node.FirstChild())) ids.push_back(id);
  }
  return ids;
}

TEST(ClipFrame, FollowsTheEditorChoiceBothWays) {
  // Exported for Illustrator: with the frame. Loaded for Inkscape, it goes;
  // loaded for Illustrator again, it comes back whole.
  const std::string framed = GoldenExport({{S::InkscapeTags, 1}});
  ASSERT_EQ(Count(framed, "<svg"), 2);
  std::string text = framed;
  HandleSVGClipFrame(text, Editors(true, true));
  EXPECT_EQ(Count(text, "<svg"), 1);
  EXPECT_EQ(Count(text, "</svg>"), 1);
  EXPECT_NE(text.find("Used to clip frame"), std::string::npos);  // the comment line stays
  TXMLDocument doc;
  ASSERT_NO_THROW(doc.Parse(text, "unframed.svg"));
  std::string again = text;
  HandleSVGClipFrame(again, Editors(false, true));
  EXPECT_EQ(Count(again, "<svg"), 2);
  EXPECT_NE(again.find("<svg overflow=\"hidden\" width=\"792\" height=\"612\">"), std::string::npos);
  ASSERT_NO_THROW(doc.Parse(again, "framed.svg"));
  EXPECT_EQ(XMLFindNode(doc, "g", "id", "w2d_Background").Parent().Parent().LocalName(), "svg");
  // Agreeing already: untouched.
  for (auto [start, info] : {std::pair{framed, Editors(false, true)}, std::pair{text, Editors(true, true)},
                             std::pair{text, Editors(false, true, true)}}) {
    std::string same = start;
    HandleSVGClipFrame(same, info);
    EXPECT_EQ(same, start);
  }
  // A prefixed group is no svg element.
  std::string prefixed = "<svg:svg xmlns:svg=\"http://www.w3.org/2000/svg\"><svg:g id=\"a\"></svg:g></svg:svg>";
  const std::string before = prefixed;
  HandleSVGClipFrame(prefixed, Editors(true, true));
  EXPECT_EQ(prefixed, before);
}

TEST(ClipFrame, StripsTheFirstIllustratorPrivateDataOnly) {
  std::string text = "<svg><i:pgf id=\"a\">AAA</i:pgf><g/><i:pgf id=\"b\">BBB</i:pgf></svg>";
  StripPGFBinary(text);
  EXPECT_EQ(text, "<svg><g/><i:pgf id=\"b\">BBB</i:pgf></svg>");
  std::string lines = "<svg><i:pgf id=\"a\">\nA\nA</i:pgf><g/></svg>";
  StripPGFBinary(lines);
  EXPECT_EQ(lines, "<svg>\n\n<g/></svg>");
  std::string unclosed = "<svg><i:pgf id=\"a\">AAA</svg>";
  StripPGFBinary(unclosed);
  EXPECT_EQ(unclosed, "<svg><i:pgf id=\"a\">AAA</svg>");
}

struct TLayerFixture : ::testing::Test {
  void Load(const std::string& text) { doc.Parse(text, "drawing.svg"); }
  TXMLNode Root() { return XMLFindNodeByType(doc, ntElement, "svg"); }
  TXMLDocument doc;
  TProcessLog log;
};

constexpr const char* Namespaces =
    "xmlns=\"http://www.w3.org/2000/svg\" xmlns:inkscape=\"http://www.inkscape.org/namespaces/inkscape\" "
    "xmlns:sodipodi=\"http://sodipodi.sourceforge.net/DTD/sodipodi-0.dtd\" "
    "xmlns:i=\"http://ns.adobe.com/AdobeIllustrator/10.0/\"";

TEST_F(TLayerFixture, RestoresIllustratorsSuffixedIdsAndReportsThem) {
  Load(std::string("<svg ") + Namespaces +
       "><g id=\"w2d_Survey_1_\" i:layer=\"yes\"><g id=\"w2d_Vectors_1_\"/><g id=\"w2d_Markers_1_\"/></g>"
       "<g id=\"w2d_Grid_12_\"/><g id=\"w2d_Notes_A_\"/><g id=\"w2d_Walls_shp_2_\"/></svg>");
  std::vector<std::string> steps;
  FixLayerNames(doc, [&](int step, const std::string& text) { steps.push_back(std::to_string(step) + " " + text); },
                true, true, log);
  EXPECT_TRUE(XMLFindNode(doc, "g", "id", "w2d_Survey"));
  EXPECT_EQ(XMLFindNode(doc, "g", "id", "w2d_Vectors").Parent().Attribute("id"), "w2d_Survey");
  EXPECT_TRUE(XMLFindNode(doc, "g", "id", "w2d_Markers"));
  EXPECT_EQ(XMLFindNode(doc, "g", "id", "w2d_Vectors").Attribute("inkscape:groupmode"), "layer");
  EXPECT_TRUE(XMLFindNode(doc, "g", "id", "w2d_Grid_12_"));    // two characters: no suffix of Illustrator's
  EXPECT_TRUE(XMLFindNode(doc, "g", "id", "w2d_Notes_A_"));    // not a digit
  EXPECT_TRUE(XMLFindNode(doc, "g", "id", "w2d_Walls_shp_2_"));  // outside its parent layer: not found
  ASSERT_EQ(steps.size(), 25u);
  EXPECT_EQ(steps.front(), "1 Fixing: w2d_Frame");
  const std::vector<std::string>& lines = log.Lines();
  ASSERT_EQ(lines.size(), 2u + 25u + 1u);
  EXPECT_EQ(lines[0], "Layers Repaired:");
  EXPECT_EQ(lines[1], std::string(36, '-'));
  EXPECT_EQ(lines[2], "w2d_Frame: ");
  EXPECT_EQ(lines[10], "w2d_Survey: w2d_Survey_1_");
  EXPECT_EQ(lines[11], "w2d_Vectors: w2d_Vectors_1_");
  EXPECT_EQ(lines[27], "");
  // The missing layers come back; the stray sub-layer gets a new, empty twin.
  TSVGInfo info = Editors(true, true);
  ReplaceMissingLayers(doc, true, true, info, Units);
  TXMLNode walls = XMLFindNode(doc, "g", "id", "w2d_Walls_shp");
  ASSERT_TRUE(walls);
  EXPECT_EQ(walls.Parent().Attribute("id"), "w2d_Walls");
  EXPECT_EQ(walls.ChildCount(), 0);
}

TEST_F(TLayerFixture, NothingIsLoggedWhenNoIdWasRestored) {
  Load(GoldenExport());
  FixLayerNames(doc, {}, true, true, log);
  EXPECT_TRUE(log.Lines().empty());
}

TEST_F(TLayerFixture, AnEmptyDrawingGetsEveryLayerInTheExportsOrder) {
  Load("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"792pt\" height=\"612pt\"/>");
  TSVGInfo info = Editors(false, true);
  info.RefInfo.Filename = "bare";
  info.RefInfo.ViewAngle = "Plan";
  ReplaceMissingLayers(doc, false, true, info, Units);
  const std::vector<std::string> expected = {
      "w2d_Background", "w2d_Ref", "vdr_Features", "vdr_tracing", "vdr_passage", "vdr_LRUDs", "vdr_Sketchmap2",
      "vdr_Sketchmap1", "w2d_Mask", "w2d_Detail", "w2d_Detail_shp", "w2d_Detail_sym", "w2d_Walls", "w2d_Walls_shp",
      "w2d_Walls_sym", "w2d_Survey", "w2d_Vectors", "w2d_Markers", "w2d_Flags", "w2d_Labels", "w2d_Notes",
      "w2d_Grid", "w2d_Legend", "Scalebar", "NorthArrow", "w2d_Frame"};
  EXPECT_EQ(LayerIdsInOrder(Root().FirstChild()), expected);
  EXPECT_TRUE(Root().FirstChild().LocalNameIs("defs"));  // right before w2d_Background
  TXMLNode ref = XMLFindNode(doc, "g", "id", "w2d_Ref");
  EXPECT_EQ(ref.Attribute("i:layer"), "yes");
  EXPECT_FALSE(ref.HasAttribute("inkscape:groupmode"));
  TRefData data;
  EXPECT_TRUE(HasValidReference(doc, data, Units));
  EXPECT_EQ(data.Name, "bare");
  // A second run adds nothing, not even another defs.
  const std::string once = doc.Serialize();
  ReplaceMissingLayers(doc, false, true, info, Units);
  EXPECT_EQ(doc.Serialize(), once);
}

TEST_F(TLayerFixture, RemovesASwitchedOffEditorsMarks) {
  Load(std::string("<svg ") + Namespaces +
       " i:pageBounds=\"0 0 792 -612\"><g id=\"w2d_Labels\" inkscape:groupmode=\"layer\" i:layer=\"yes\">"
       "<g id=\"A1\" inkscape:groupmode=\"layer\" i:layer=\"yes\"><text inkscape:groupmode=\"x\">A1</text></g></g></svg>");
  FixLayerNames(doc, {}, false, true, log);
  TXMLNode root = Root();
  EXPECT_FALSE(root.HasAttribute("xmlns:inkscape"));
  EXPECT_TRUE(root.HasAttribute("xmlns:sodipodi"));
  EXPECT_TRUE(root.HasAttribute("i:pageBounds"));
  TXMLNode label = XMLFindNode(doc, "g", "id", "A1");
  EXPECT_FALSE(label.HasAttribute("inkscape:groupmode"));
  EXPECT_EQ(label.Attribute("i:layer"), "yes");
  EXPECT_FALSE(label.FirstChild().HasAttribute("inkscape:groupmode"));
  EXPECT_EQ(doc.Serialize().find("inkscape"), std::string::npos);
  // Both editors on: nothing is taken away.
  TXMLDocument both;
  both.Parse(std::string("<svg ") + Namespaces + "><g id=\"w2d_Labels\"><g id=\"A1\" inkscape:groupmode=\"layer\"/></g></svg>",
             "both.svg");
  FixLayerNames(both, {}, true, true, log);
  EXPECT_TRUE(XMLFindNodeByType(both, ntElement, "svg").HasAttribute("xmlns:inkscape"));
  EXPECT_EQ(XMLFindNode(both, "g", "id", "A1").Attribute("inkscape:groupmode"), "layer");
}

struct TRepairFixture : ::testing::Test {
  TRecordingUserInterface ui;
  TProcessLog log;
  TXMLValidation validation;
  TRepairServices services{{validation, log, ui}, Factors, 90};
};

TEST_F(TRepairFixture, ConvertsAnExportForIllustratorWithoutInkscapesMarks) {
  const std::string input = WriteScratchFile("for-inkscape.svg", GoldenExport());
  const std::string output = input + ".repaired.svg";
  TSVGInfo info = Editors(false, true);
  RepairSVGFile(input, output, info, services);
  std::ifstream in(output, std::ios::binary);
  const std::string text(std::istreambuf_iterator<char>(in), {});
  TXMLDocument repaired;
  ASSERT_NO_THROW(repaired.Parse(text, output));
  TXMLNode root = XMLFindNodeByType(repaired, ntElement, "svg");
  EXPECT_FALSE(root.HasAttribute("xmlns:inkscape"));
  EXPECT_TRUE(root.HasAttribute("xmlns:sodipodi"));  // the load path's declaration stays
  for (const TRepairLayer& layer : RepairLayers()) {
    TXMLNode found = XMLFindNode(repaired, "g", "id", layer.Id);
    ASSERT_TRUE(found) << layer.Id;
    EXPECT_EQ(found.HasAttribute("inkscape:groupmode"), !layer.Fixed) << layer.Id;  // the features layer is not visited
    EXPECT_EQ(found.Attribute("i:layer"), "yes") << layer.Id;
  }
  EXPECT_EQ(Count(text, "<svg"), 2);  // for Illustrator: the clip frame
  EXPECT_EQ(Count(text, "<defs"), 1);
  EXPECT_EQ(ui.status1, "Repair Complete");
  EXPECT_EQ(ui.progress.back(), 100);
}

TEST_F(TRepairFixture, ADrawingWithoutSvgIsRefusedAndNothingIsWritten) {
  const std::string input = WriteScratchFile("not-svg.xml", "<drawing><g id=\"w2d_Vectors\"/></drawing>");
  const std::string output = WriteScratchFile("untouched.svg", "keep me");
  try {
    RepairSVGFile(input, output, Editors(true, true), services);
    ADD_FAILURE();
  } catch (const std::runtime_error& error) {
    EXPECT_EQ(std::string(error.what()), "No svg element in " + input);
  }
  std::ifstream in(output, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "keep me");
}

}  // namespace
