// The tag-balance check and the load path of drawings.

#include "repair/QMValidate.h"

#include <gtest/gtest.h>

#include "merge/XMLDocLibrary.h"
#include "support/TestSupport.h"

namespace {

struct TFault {
  const char* tag;
  TXMLErrorType type;
  int line;
  std::int64_t begin, end;
};

TEST(TagBalance, FindsTheFaultsOfTheWorkedCases) {
  const struct {
    const char* text;
    std::vector<TFault> faults;
  } cases[] = {
      {"", {}},
      {"<?xml version=\"1.0\"?><!-- a comment --><a/><b x=\"1\" />", {}},
      {"<svg><g></svg>", {{"g", etNoCloseTag, 1, 8, 14}}},
      {"<svg></g></svg>", {{"/g", etNoOpenTag, 1, 5, 9}}},
      {"<svg><g>", {}},  // open at the end: no fault
      {"<a><b></a></x>", {{"b", etNoCloseTag, 1, 6, 10}, {"/x", etNoOpenTag, 1, 10, 14}}},  // both popped
      {"<a></b></a>", {{"/b", etNoOpenTag, 1, 3, 7}}},
      {"<a><b><c></a>", {{"/a", etNoOpenTag, 1, 9, 13}}},
      {"<G>\n</g>", {{"/g", etNoOpenTag, 2, 4, 8}}},  // names are case-sensitive
      {"<a>\n</b\nx>", {{"/b", etNoOpenTag, 3, 4, 10}}},  // the line of the ">"
      {"<g >text</g >", {}},
      {"<a><!-- x > y --></a>", {}},  // the first ">" ends the comment for the scan
      {"<svg:g></g>", {{"/g", etNoOpenTag, 1, 7, 11}}},  // the prefix counts
  };
  for (const auto& c : cases) {
    TXMLErrorArray errors;
    ValidateXMLFile(c.text, errors);
    ASSERT_EQ(errors.size(), c.faults.size()) << c.text;
    for (std::size_t i = 0; i < errors.size(); ++i) {
      EXPECT_EQ(errors[i].Tag, c.faults[i].tag) << c.text;
      EXPECT_EQ(errors[i].ErrorType, c.faults[i].type) << c.text;
      EXPECT_EQ(errors[i].LineNumber, c.faults[i].line) << c.text;
      EXPECT_EQ(errors[i].BeginInx, c.faults[i].begin) << c.text;
      EXPECT_EQ(errors[i].EndInx, c.faults[i].end) << c.text;
    }
  }
  EXPECT_EQ(XMLErrorToStr(etNoOpenTag), "No Open Tag");
  EXPECT_EQ(XMLErrorToStr(etNoCloseTag), "No Close Tag");
  EXPECT_EQ(XMLErrorToStr(7), "Unknown");
}

struct TLoadFixture : ::testing::Test {
  TRecordingUserInterface ui;
  TProcessLog log;
  TXMLValidation validation;
  TLoadServices services{validation, log, ui};
  TSVGInfo info;  // Inkscape and Illustrator marks: no clip frame
};

TEST_F(TLoadFixture, DeclaresTheEditorNamespacesTheRootLacks) {
  const std::string file = WriteScratchFile(
      "declared.svg", "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:inkscape=\"http://www.inkscape.org/namespaces/inkscape\">\n"
                      "<g inkscape:groupmode=\"layer\" i:layer=\"yes\" sodipodi:type=\"x\"/></svg>");
  const std::string text = ValidateXML(file, info, services);
  EXPECT_EQ(text.substr(0, 4), "<svg");
  const std::string added = " xmlns:sodipodi=\"http://sodipodi.sourceforge.net/DTD/sodipodi-0.dtd\"  "
                            "xmlns:i=\"http://ns.adobe.com/AdobeIllustrator/10.0/\" ";
  EXPECT_EQ(text.substr(4, added.size()), added);
  const std::vector<std::string> expected = {"Validating File", std::string(36, '-'), "Validating File XML Syntax",
                                             "Adding: xmlns:i", "Adding: xmlns:sodipodi"};
  EXPECT_EQ(log.Lines(), expected);
  TXMLDocument doc;
  ASSERT_NO_THROW(doc.Parse(text, file));
  EXPECT_EQ(XMLFindNode(doc, "g").Attribute("i:layer"), "yes");
}

TEST_F(TLoadFixture, AddsAllThreeRightAfterTheNameLastFirst) {
  const std::string file = WriteScratchFile("bare.svg", "<svg\n width=\"10\"></svg>");
  const std::string text = ValidateXML(file, info, services);
  const std::size_t sodipodi = text.find("xmlns:sodipodi"), illustrator = text.find("xmlns:i="),
                    inkscape = text.find("xmlns:inkscape");
  EXPECT_LT(sodipodi, illustrator);
  EXPECT_LT(illustrator, inkscape);
  EXPECT_EQ(text.find("<svg xmlns:sodipodi"), 0u);
  const std::string noSvg = WriteScratchFile("nosvg.xml", "<a><b/></a>");
  EXPECT_EQ(ValidateXML(noSvg, info, services), "<a><b/></a>");
}

TEST_F(TLoadFixture, WarnsOfFaultsAndLoadsAllTheSame) {
  const std::string file = WriteScratchFile("faulty.svg", "<svg><g></h></g></svg>");
  TXMLDocument doc;
  EXPECT_THROW(LoadValidateFile(file, doc, info, services), TXMLParseError);
  ASSERT_EQ(ui.warnings.size(), 1u);
  EXPECT_EQ(ui.warnings[0], "1 XML Syntax Errors Found\r\nThe file may not load, repair or process propterly\r\n"
                            "Select \"Tools->File Errors/Validate\" option from the menu bar.\r\n"
                            "to viewer errors. May require manual editing to repair.\r\n");
  EXPECT_EQ(validation.FileName(), file);
  ASSERT_EQ(validation.Errors().size(), 1u);
  EXPECT_EQ(validation.Errors()[0].Tag, "/h");
}

TEST_F(TLoadFixture, ParseErrorsNameTheLineOfTheFile) {
  const std::string file = WriteScratchFile("line4.svg", "<svg>\n<i:pgf x=\"1\">\nAAA\n</i:pgf><g>\n<h></g>\n</svg>");
  TXMLDocument doc;
  try {
    LoadValidateFile(file, doc, info, services);
    ADD_FAILURE();
  } catch (const TXMLParseError& error) {
    EXPECT_NE(std::string(error.what()).find("at line 5"), std::string::npos) << error.what();
  }
}

TEST_F(TLoadFixture, RefusesEmptyAndMissingFiles) {
  TXMLDocument doc;
  EXPECT_THROW(LoadValidateFile(WriteScratchFile("decl.svg", "<?xml version=\"1.0\"?>"), doc, info, services),
               std::runtime_error);
  try {
    LoadValidateFile("/nonexistent/drawing.svg", doc, info, services);
    ADD_FAILURE();
  } catch (const std::runtime_error& error) {
    EXPECT_NE(std::string(error.what()).find("Cannot open \"/nonexistent/drawing.svg\""), std::string::npos);
  }
}

}  // namespace
