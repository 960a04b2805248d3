// Reference data read back from drawings and written into them.

#include "merge/QMLibrary.h"

#include <gtest/gtest.h>

#include "app/AppContext.h"
#include "merge/XMLDocLibrary.h"
#include "support/TestSupport.h"

namespace {

const TFootFactors Factors;

TXMLDocument Drawing(const std::string& refLayer, const std::string& rootAttributes = "width=\"792pt\" height=\"612pt\"") {
  TXMLDocument doc;
  doc.Parse("<svg xmlns=\"http://www.w3.org/2000/svg\" " + rootAttributes + ">" + refLayer + "</svg>", "ref.svg");
  return doc;
}

TEST(ReferenceData, ReadsTheWorkedExample) {
  TRefData ref;
  ExtractRefData("Cave A Plan: 45.0 Scale: 1:500.000000 Frame: 10.000x20.000m Center: 1.000 2.000 Pitch: 0.000", ref);
  EXPECT_EQ(ref.Name, "Cave A");
  EXPECT_TRUE(ref.Plan);
  EXPECT_EQ(ref.ReadYaw, 45);
  EXPECT_EQ(ref.Scale, 500);
  EXPECT_EQ(ref.Frame, (T2DVector{10, 20}));
  EXPECT_EQ(ref.Units, 'm');
  EXPECT_EQ(ref.Center, (T2DVector{1, 2}));
  EXPECT_EQ(ref.ReadPitch, 0);
  TRefData profile;
  ExtractRefData("golden Profile: 350.5 Scale: 1:120.000000 Frame: 30.480x22.860m Center: 14.478 -1.524", profile);
  EXPECT_FALSE(profile.Plan);
  EXPECT_EQ(profile.Center, (T2DVector{14.478, -1.524}));
  EXPECT_EQ(profile.ReadPitch, 0);  // no "Pitch:"
  EXPECT_TRUE(ValidateRefData("x Plan: 0 Scale: 1:1 Frame: 1x1m Center: 0 0"));
  EXPECT_FALSE(ValidateRefData("x Plan: 0 Scale: 1:1 Frame: 1x1m"));
  EXPECT_FALSE(ValidateRefData(""));
}

TEST(ReferenceData, ReadsTheFirstTextOfTheLayerAndThePage) {
  const TLengthUnits units{72, Factors};
  TRefData ref;
  ref.Scale = 99;
  TXMLDocument notReference = Drawing("<g id=\"w2d_Ref\"><text>just a note</text></g>");
  EXPECT_TRUE(HasValidReference(notReference, ref, units));  // valid, fields as they were
  EXPECT_EQ(ref.Scale, 99);
  EXPECT_EQ(ref.Paper, (T2DVector{11, 8.5}));
  TXMLDocument twoTexts = Drawing("<g id=\"w2d_Ref\"><text>A Plan: 1 Scale: 1:2 </text><text>Frame: 3x4m Center: 5 6</text></g>");
  ASSERT_TRUE(HasValidReference(twoTexts, ref, units));
  EXPECT_EQ(ref.Frame, (T2DVector{3, 4}));
  EXPECT_EQ(ref.Center, (T2DVector{5, 6}));
  TXMLDocument noLayer = Drawing("<g id=\"w2d_Notes\"><text>A Plan: 1 Scale: 1:2 Frame: 3x4m Center: 5 6</text></g>");
  EXPECT_FALSE(HasValidReference(noLayer, ref, units));
  TXMLDocument noText = Drawing("<g id=\"w2d_Ref\"/>");
  EXPECT_FALSE(HasValidReference(noText, ref, units));
}

TEST(ReferenceData, ReadsLengthsInTheirUnits) {
  const struct {
    const char* text;
    double dpi, inches;
  } cases[] = {
      {"72pt", 96, 1}, {"2in", 96, 2}, {"2.54cm", 96, 1}, {"210mm", 96, 8.2677165}, {"6pc", 96, 1},
      {"800", 96, 8.3333333}, {"90px", 90, 1}, {"", 96, 0}, {"5%", 72, 5 / 72.0},
  };
  for (const auto& c : cases) EXPECT_NEAR(GetSVGLength(c.text, {c.dpi, Factors}), c.inches, 1e-6) << c.text;
  for (auto [dpi, paper] : {std::pair{72.0, T2DVector{8.5, 11}}, std::pair{96.0, T2DVector{6.375, 8.25}}}) {
    TXMLDocument doc = Drawing("<g id=\"w2d_Ref\"><text>r</text></g>",
                               "xmlns:i=\"http://ns.adobe.com/AdobeIllustrator/10.0/\" i:pageBounds=\"0 792 612 0\"");
    TRefData ref;
    ASSERT_TRUE(HasValidReference(doc, ref, {dpi, Factors}));
    EXPECT_NEAR(ref.Paper.X, paper.X, 1e-9);
    EXPECT_NEAR(ref.Paper.Y, paper.Y, 1e-9);
  }
}

TEST(ReferenceData, WrittenDataReadsBackAsTheExportWroteIt) {
  TRecordingUserInterface ui;
  TAppContext app(ui);
  ASSERT_TRUE(app.LoadPlotFile(std::string(QUILLMAP_TEST_DATA_DIR) + "/golden/golden.plt").Loaded);
  const TSVGInfo info = app.SVGInfo();
  const TLengthUnits units{72, app.Settings.FootFactors()};
  TXMLDocument exported;
  exported.Parse(ExportText(app), "golden.svg");
  TRefData fromExport;
  ASSERT_TRUE(HasValidReference(exported, fromExport, units));
  // A drawing without a reference layer gets one, after the background.
  TXMLDocument bare = Drawing("<g id=\"w2d_Background\"/><g id=\"w2d_Notes\"/>");
  AddRefData(bare, info, app.Settings.FootFactors());
  TXMLNode layer = XMLFindNode(bare, "g", "id", "w2d_Ref");
  ASSERT_TRUE(layer);
  EXPECT_EQ(layer.Parent().Child(1), layer);
  EXPECT_EQ(layer.Attribute("inkscape:groupmode"), "layer");
  EXPECT_EQ(layer.FirstChild().Attribute("x"), "36.0");
  EXPECT_EQ(layer.FirstChild().Attribute("style"), "fill:#000000;font-family:'Arial';font-size:6;");
  TRefData added;
  ASSERT_TRUE(HasValidReference(bare, added, units));
  EXPECT_EQ(added.Name, fromExport.Name);
  EXPECT_EQ(added.Scale, fromExport.Scale);
  EXPECT_EQ(added.Frame, fromExport.Frame);
  EXPECT_EQ(added.Center, fromExport.Center);
  EXPECT_EQ(fromExport.Name, "golden");
  EXPECT_EQ(fromExport.Scale, 120);
  EXPECT_EQ(fromExport.Center, (T2DVector{14.478, 7.620}));
  // Where the style entity is declared, the reference keeps using it.
  AddRefData(exported, info, app.Settings.FootFactors());
  EXPECT_NE(exported.Serialize().find("<text style=\"&T_s;\" x=\"36.0\" y=\"576.0\">golden Plan"), std::string::npos);
}

}  // namespace
