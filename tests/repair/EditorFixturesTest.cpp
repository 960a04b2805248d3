// Drawings as the editors save them: exports opened and saved by Inkscape
// (tools/inkscape-roundtrip.sh) and an Illustrator-style file written by
// hand. Each loads, keeps every layer and its reference data, and repairs.

#include <gtest/gtest.h>

#include <fstream>

#include "merge/XMLDocLibrary.h"
#include "repair/QMNormalize.h"
#include "repair/QMRepair.h"
#include "support/TestSupport.h"

namespace {

const std::string DataDir = std::string(QUILLMAP_TEST_DATA_DIR);
const TFootFactors Factors;

struct TFixture : ::testing::Test {
  TRefData ReferenceOf(const std::string& file, TXMLDocument& doc) {
    LoadValidateFile(file, doc, info, services);
    TRefData ref;
    EXPECT_TRUE(HasValidReference(doc, ref, {96, Factors})) << file;
    return ref;
  }
  void ExpectEveryLayer(const TXMLDocument& doc, const std::string& file) {
    for (const TRepairLayer& layer : RepairLayers())
      EXPECT_TRUE(XMLFindNode(doc, "g", "id", layer.Id)) << file << ": " << layer.Id;
  }
  TRecordingUserInterface ui;
  TProcessLog log;
  TXMLValidation validation;
  TRepairServices services{{validation, log, ui}, Factors, 96};
  TSVGInfo info;
};

TEST_F(TFixture, InkscapeSavedExportsKeepTheirLayersAndReferenceData) {
  for (const char* name : {"blue-spring", "dowprov"}) {
    const std::string saved = DataDir + "/inkscape/" + name + "-inkscape.svg";
    const std::string exported = DataDir + "/inkscape/" + name + "-export.svg";
    TXMLDocument savedDoc, exportedDoc;
    const TRefData fromSaved = ReferenceOf(saved, savedDoc), fromExport = ReferenceOf(exported, exportedDoc);
    ExpectEveryLayer(savedDoc, saved);
    EXPECT_TRUE(validation.Errors().empty());
    EXPECT_EQ(fromSaved.Name, name);
    EXPECT_EQ(fromSaved.Name, fromExport.Name);
    EXPECT_EQ(fromSaved.Plan, fromExport.Plan);
    EXPECT_EQ(fromSaved.Scale, fromExport.Scale);
    EXPECT_EQ(fromSaved.Frame, fromExport.Frame);
    EXPECT_EQ(fromSaved.Center, fromExport.Center);
    EXPECT_EQ(fromSaved.ReadPitch, fromExport.ReadPitch);
    EXPECT_EQ(fromSaved.Paper, fromExport.Paper);  // 792pt x 612pt both
    // The shots are still there under their ids.
    int shots = 0;
    for (TXMLNode shot = XMLFindNode(savedDoc, "g", "id", "w2d_Vectors").FirstChild(); shot; shot = shot.NextSibling())
      shots += shot.LocalNameIs("path");
    int exportedShots = 0;
    for (TXMLNode shot = XMLFindNode(exportedDoc, "g", "id", "w2d_Vectors").FirstChild(); shot; shot = shot.NextSibling())
      exportedShots += shot.LocalNameIs("path");
    EXPECT_EQ(shots, exportedShots);
    EXPECT_GT(shots, 10);
    // Repaired, the drawing parses with the same layers.
    const std::string output = WriteScratchFile(std::string(name) + "-repaired.svg", "");
    RepairSVGFile(saved, output, info, services);
    TXMLDocument repaired;
    LoadValidateFile(output, repaired, info, services);
    ExpectEveryLayer(repaired, output);
    EXPECT_EQ(XMLFindNode(repaired, "sodipodi:namedview").Type(), ntAny);  // searched by local name only
    EXPECT_TRUE(XMLFindNode(repaired, "namedview"));                       // Inkscape's own node stays
  }
}

TEST_F(TFixture, IllustratorsIdsComeBackAndItsPrivateDataGoes) {
  const std::string file = DataDir + "/illustrator/golden-illustrator.svg";
  TXMLDocument doc;
  LoadValidateFile(file, doc, info, services);
  EXPECT_FALSE(XMLFindNode(doc, "pgf"));                     // stripped before parsing
  EXPECT_FALSE(XMLFindNode(doc, "g", "id", "w2d_Vectors"));  // not before the layer repair
  log.Clear();
  FixLayerNames(doc, {}, true, true, log);
  TRefData ref;
  ASSERT_TRUE(HasValidReference(doc, ref, {96, Factors}));
  EXPECT_EQ(ref.Name, "golden");
  EXPECT_EQ(ref.Scale, 120);
  EXPECT_EQ(ref.Paper, (T2DVector{792 / 96.0, 612 / 96.0}));  // Illustrator's page bounds, read as pixels
  for (const char* id : {"w2d_Survey", "w2d_Vectors", "w2d_Markers", "w2d_Labels", "w2d_Walls_shp", "w2d_Ref", "w2d_Frame"})
    EXPECT_TRUE(XMLFindNode(doc, "g", "id", id)) << id;
  EXPECT_EQ(XMLFindNode(doc, "g", "id", "w2d_Vectors").Attribute("inkscape:groupmode"), "layer");
  EXPECT_EQ(XMLFindNode(doc, "g", "id", "w2d_Vectors").Parent().Attribute("id"), "w2d_Survey");
  EXPECT_EQ(log.Lines().front(), "Layers Repaired:");
  const std::string output = WriteScratchFile("illustrator-repaired.svg", "");
  RepairSVGFile(file, output, info, services);
  TXMLDocument repaired;
  LoadValidateFile(output, repaired, info, services);
  ExpectEveryLayer(repaired, output);
  EXPECT_EQ(XMLFindNode(repaired, "path", "id", "A1_A2").Attribute("d"), "M54,486h684");
}

}  // namespace
