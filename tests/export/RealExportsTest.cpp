// Exports of plot files that others wrote must be well-formed XML whose
// entities resolve, with every layer of the layer tree present once.

#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <map>
#include <sstream>

#include "app/AppContext.h"
#include "export/QMExport.h"
#include "support/TestSupport.h"

namespace {

const char* const LayerIds[] = {
    "w2d_Background", "w2d_Ref", "vdr_Features", "vdr_tracing", "vdr_passage", "vdr_LRUDs", "vdr_Sketchmap2",
    "vdr_Sketchmap1", "w2d_Mask", "w2d_Detail", "w2d_Detail_shp", "w2d_Detail_sym", "w2d_Walls", "w2d_Walls_shp",
    "w2d_Walls_sym", "w2d_Survey", "w2d_Vectors", "w2d_Markers", "w2d_Flags", "w2d_Labels", "w2d_Notes",
    "w2d_Grid", "w2d_Legend", "Scalebar", "NorthArrow", "w2d_Frame"};

std::string ExportOf(const std::string& plotFile) {
  TRecordingUserInterface ui;
  TAppContext app(ui);
  EXPECT_TRUE(app.LoadPlotFile(plotFile).Loaded) << plotFile;
  return ExportText(app);
}

void CountGroupIds(xmlNode* node, std::map<std::string, int>& ids) {
  for (; node; node = node->next) {
    if (node->type != XML_ELEMENT_NODE) continue;
    if (xmlStrEqual(node->name, BAD_CAST "g")) {
      xmlChar* id = xmlGetProp(node, BAD_CAST "id");
      if (id) ++ids[reinterpret_cast<const char*>(id)];
      xmlFree(id);
    }
    CountGroupIds(node->children, ids);
  }
}

// The first element inside the layer with this id.
xmlNode* FindLayerContent(xmlNode* node, const char* layerId) {
  for (; node; node = node->next) {
    if (node->type != XML_ELEMENT_NODE) continue;
    xmlChar* id = xmlGetProp(node, BAD_CAST "id");
    bool match = id && xmlStrEqual(id, BAD_CAST layerId);
    xmlFree(id);
    if (match) return xmlFirstElementChild(node);
    if (xmlNode* found = FindLayerContent(node->children, layerId)) return found;
  }
  return nullptr;
}

void ExpectWellFormedWithAllLayers(const std::string& name, const std::string& svg) {
  xmlDoc* doc = xmlReadMemory(svg.data(), static_cast<int>(svg.size()), name.c_str(), nullptr,
                              XML_PARSE_NOENT | XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
  ASSERT_NE(doc, nullptr) << name << " does not parse: " << xmlGetLastError()->message;
  std::map<std::string, int> ids;
  CountGroupIds(xmlDocGetRootElement(doc), ids);
  for (const char* layer : LayerIds) EXPECT_EQ(ids[layer], 1) << name << ": " << layer;
  // The background's style entity is declared and replaced by its value.
  xmlNode* background = FindLayerContent(xmlDocGetRootElement(doc), "w2d_Background");
  ASSERT_NE(background, nullptr) << name;
  xmlChar* style = xmlGetProp(background, BAD_CAST "style");
  EXPECT_STREQ(reinterpret_cast<const char*>(style), "fill:#CCCCCC;") << name;
  xmlFree(style);
  xmlFreeDoc(doc);
}

TEST(RealExports, ParseWithEveryLayerOnce) {
  std::vector<std::string> files = {std::string(QUILLMAP_EXAMPLES_DIR) + "/blue-spring.plt"};
  if (std::filesystem::path dir = SharedPlotDir(); !dir.empty())
    for (const auto& entry : std::filesystem::directory_iterator(dir)) files.push_back(entry.path().string());
  for (const std::string& file : files) ExpectWellFormedWithAllLayers(file, ExportOf(file));
}

TEST(RealExports, StationNamedLikeALayerTakesItsIdFirst) {
  std::string file = WriteScratchFile("clash.plt", Lines({"NA", "M 0 0 0 Sw2d_Grid", "D 10 10 0 SR&D", "X 0 0 0 0 0 0"}));
  std::string svg = ExportOf(file);
  EXPECT_NE(svg.find("<g id=\"w2d_Grid\" inkscape:groupmode=\"layer\" i:layer=\"yes\">\r\n"
                     "            <text style=\"&L_s;\""),
            std::string::npos);
  EXPECT_NE(svg.find("<g id=\"w2d_Grid-1\""), std::string::npos);
  EXPECT_NE(svg.find("<path id=\"w2d_x5F_Grid_R&amp;D\""), std::string::npos);
  EXPECT_NE(svg.find(">R&amp;D</text>"), std::string::npos);
}

}  // namespace
