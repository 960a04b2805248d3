// The DOM and the helpers over it: the contract the merge and the repair
// rely on, the searches, typed values and the SVG number syntax.

#include "merge/XMLDocLibrary.h"

#include <gtest/gtest.h>

#include "merge/SVGScanners.h"
#include "support/TestSupport.h"

namespace {

const char* const Layers = R"(<?xml version="1.0" encoding="iso-8859-1"?>
<!DOCTYPE svg PUBLIC "-//W3C//DTD SVG 20010904//EN" "http://www.w3.org/TR/2001/REC-SVG-20010904/DTD/svg10.dtd" [
    <!--Styles-->
    <!ENTITY V_s "stroke:#FF0000;fill:none;">
    <!ENTITY T_s "fill:#000000;">
]>
<svg xmlns="http://www.w3.org/2000/svg" xmlns:svg="http://www.w3.org/2000/svg"
     xmlns:inkscape="http://www.inkscape.org/namespaces/inkscape" id="svg2">
    <g id="w2d_Notes-1"><text x="1" y="2">Caf)" "\xE9" R"(</text></g>
    <g id="w2d_Notes-12"/>
    <svg:g id="w2d_Survey" inkscape:groupmode="layer">
        <svg:g id="w2d_Vectors" inkscape:groupmode="layer">
            <path id="A1_A2" style="&V_s;" d="M10,20l5,0"/>
        </svg:g>
    </svg:g>
    <g id="w2d_Vectors"><path id="second"/></g>
</svg>
)";

struct TDomFixture : ::testing::Test {
  void SetUp() override { doc.Parse(Layers, "layers.svg"); }
  TXMLDocument doc;
};

TEST_F(TDomFixture, FindsLayersByIdInDocumentOrderWhateverTheirPrefix) {
  TXMLNode vectors = XMLFindNode(doc, "g", "id", "w2d_Vectors");
  ASSERT_TRUE(vectors);
  EXPECT_EQ(vectors.NodeName(), "svg:g");
  EXPECT_EQ(vectors.Parent().Attribute("id"), "w2d_Survey");
  EXPECT_FALSE(XMLFindNode(doc, "g", "id", "w2d_Notes"));
  TXMLNode start = doc.DocumentNode();
  EXPECT_EQ(XMLFindNodeWild(start, "g", "id", "w2d_Notes-?", ntAny, '?').Attribute("id"), "w2d_Notes-1");
  EXPECT_FALSE(XMLFindNodeWild(start, "g", "id", "w2d_Notes-??", ntElement, '?').Attribute("id") == "w2d_Notes-1");
  // Never the siblings of the node searched under.
  TXMLNode notes = XMLFindNode(doc, "g", "id", "w2d_Notes-12");
  EXPECT_FALSE(XMLFindSubNode(notes, "path"));
  EXPECT_EQ(XMLFindSubNode(vectors, "path").Attribute("id"), "A1_A2");
  TXMLNode root = XMLFindNodeByType(doc, ntElement, "svg");
  EXPECT_EQ(root.Attribute("id"), "svg2");
  TNodeArray ancestors;
  GetNodeAncestors(ancestors, root);
  ASSERT_EQ(ancestors.size(), 2u);
  EXPECT_EQ(ancestors[1], doc.DocumentNode());
  EXPECT_EQ(XMLFindNodeByType(doc, ntDocumentType, "svg").Type(), ntDocumentType);
}

TEST_F(TDomFixture, KeepsEntitiesAndTheInternalSubsetThroughSerializeAndParse) {
  TXMLNode path = XMLFindNode(doc, "path", "id", "A1_A2");
  EXPECT_EQ(path.Attribute("style"), "stroke:#FF0000;fill:none;");  // read with its entity replaced
  std::string text = doc.Serialize();
  EXPECT_NE(text.find("style=\"&V_s;\""), std::string::npos) << text;
  EXPECT_NE(text.find("<!ENTITY T_s \"fill:#000000;\">"), std::string::npos);
  EXPECT_NE(text.find("encoding=\"iso-8859-1\""), std::string::npos);
  EXPECT_NE(text.find("Caf\xE9"), std::string::npos);  // written back in its own encoding
  TXMLDocument again;
  again.Parse(text, "again.svg");
  EXPECT_EQ(again.Serialize(), text);
  // The entity declarations are the children of the document type.
  std::vector<std::string> names;
  for (TXMLNode child = XMLFindNodeByType(again, ntDocumentType).FirstChild(); child; child = child.NextSibling())
    if (child.Type() == ntEntity) names.push_back(child.NodeName() + "=" + child.Serialize());
  ASSERT_EQ(names.size(), 2u);
  EXPECT_EQ(names[0], "V_s=<!ENTITY V_s \"stroke:#FF0000;fill:none;\">");
  // Text between elements is gone; text inside an element stays.
  TXMLNode notes = XMLFindNode(doc, "g", "id", "w2d_Notes-1");
  EXPECT_EQ(notes.ChildCount(), 1);
  EXPECT_EQ(notes.FirstChild().Value(), "Caf\xC3\xA9");
  EXPECT_EQ(notes.Parent().FirstChild(), notes);
}

TEST_F(TDomFixture, ClonesAcrossDocumentsAndSetsAttributesAsText) {
  TXMLDocument target;
  target.Parse("<svg xmlns=\"http://www.w3.org/2000/svg\"><g id=\"w2d_Vectors\"/></svg>", "target.svg");
  TXMLNode layer = XMLFindNode(target, "g", "id", "w2d_Vectors");
  TXMLNode copy = layer.AppendCopyOf(XMLFindNode(doc, "path", "id", "A1_A2"));
  ASSERT_TRUE(copy);
  EXPECT_EQ(copy.Attribute("d"), "M10,20l5,0");
  copy.SetAttribute("title", "a < b & \"c\"");
  EXPECT_EQ(copy.Attribute("title"), "a < b & \"c\"");
  copy.SetAttribute("sodipodi:type", "arc");  // declares the prefix it needs
  std::string text = target.Serialize();
  EXPECT_NE(text.find("a &lt; b &amp; &quot;c&quot;"), std::string::npos) << text;
  EXPECT_NE(text.find("xmlns:sodipodi=\"http://sodipodi.sourceforge.net/DTD/sodipodi-0.dtd\""), std::string::npos);
  TXMLDocument again;
  EXPECT_NO_THROW(again.Parse(text, "again.svg"));  // the style entity it lacks came as text
  EXPECT_NE(text.find("style=\"stroke:#FF0000;fill:none;\""), std::string::npos);
  copy.SetAttribute("title", "");
  EXPECT_TRUE(copy.HasAttribute("title"));
  copy.RemoveAttribute("title");
  EXPECT_FALSE(copy.HasAttribute("title"));
}

TEST_F(TDomFixture, ANamespaceDeclarationTakenAwayComesBackOnlyWhereUsed) {
  TXMLNode root = XMLFindNodeByType(doc, ntElement, "svg");
  XMLDeleteAttribute(root, "xmlns:inkscape");
  EXPECT_FALSE(root.HasAttribute("xmlns:inkscape"));
  // The layers still carry inkscape:groupmode: the written file declares it.
  TXMLDocument again;
  ASSERT_NO_THROW(again.Parse(doc.Serialize(), "again.svg"));
  EXPECT_EQ(XMLFindNode(again, "g", "id", "w2d_Survey").Attribute("inkscape:groupmode"), "layer");
  // Without anything that uses it, it is gone.
  TXMLNode againRoot = XMLFindNodeByType(again, ntElement, "svg");
  XMLDeleteAttribute(againRoot, "xmlns:inkscape");
  for (const char* id : {"w2d_Survey", "w2d_Vectors"}) SetNodeAttributes(XMLFindNode(again, "g", "id", id), false, true);
  const std::string text = again.Serialize();
  EXPECT_EQ(text.find("inkscape"), std::string::npos) << text;
  EXPECT_NE(text.find("i:layer=\"yes\""), std::string::npos);
}

TEST(XMLDom, NeverFetchesWhatADoctypeNames) {
  const std::string secret = WriteScratchFile("secret.txt", "the secret");
  const std::string text = "<?xml version=\"1.0\"?>\n<!DOCTYPE svg [<!ENTITY x SYSTEM \"file://" + secret +
                           "\">]>\n<svg><text>&x;</text></svg>";
  TXMLDocument doc;
  doc.Parse(text, "xxe.svg");
  EXPECT_EQ(doc.Serialize().find("the secret"), std::string::npos);
  EXPECT_EQ(XMLFindNode(doc, "text").TextContent().find("the secret"), std::string::npos);
}

TEST(XMLDom, ReportsWhereADocumentIsBroken) {
  TXMLDocument doc;
  try {
    doc.Parse("<svg>\n<g>\n</svg>", "broken.svg");
    ADD_FAILURE();
  } catch (const TXMLParseError& error) {
    EXPECT_NE(std::string(error.what()).find("broken.svg at line 3"), std::string::npos) << error.what();
  }
  EXPECT_TRUE(doc.Empty());
}

TEST(XMLDocLibrary, TypedValuesRoundTrip) {
  TXMLDocument doc;
  doc.Parse("<Settings/>", "settings.vmsf");
  TXMLNode root = doc.DocumentNode().FirstChild();
  SaveTagXMLBoolean(root, "Flag", true);
  SaveTagXMLDouble(root, "Scale", 12.5);
  SaveTagXML2DVector(root, "Offset", {0.25, -3});
  SaveTagXML3DVector(root, "Cave", {1, 2, 0.5});
  SaveTagXML2DVector(root, "Tiny", {1.5e-7, 0.1 + 0.2});
  EXPECT_EQ(root.Child(0).Serialize(), "<Flag><Boolean>True</Boolean></Flag>");
  EXPECT_EQ(root.Child(1).FirstChild().Value(), "12.5");
  EXPECT_EQ(root.Child(2).FirstChild().Value(), "0.25,-3");
  EXPECT_EQ(root.Child(3).FirstChild().Value(), "1,2,0.5");
  EXPECT_EQ(root.Child(4).FirstChild().Value(), "1.5E-0007,0.30000000000000004");
  EXPECT_TRUE(ReadXMLBoolean(root.Child(0), false));
  EXPECT_EQ(ReadXMLDouble(root.Child(1), 0), 12.5);
  EXPECT_EQ(ReadXMLVector2D(root.Child(2), {}), (T2DVector{0.25, -3}));
  EXPECT_EQ(ReadXMLVector3D(root.Child(3), {}), (T3DVector{1, 2, 0.5}));
  EXPECT_EQ(ReadXMLVector2D(root.Child(4), {}), (T2DVector{1.5e-7, 0.1 + 0.2}));
  // An empty value gives the default; another type or no number fails.
  TXMLNode empty = root.AppendElement("Empty");
  empty.AppendElement("Float");
  EXPECT_EQ(ReadXMLDouble(empty, 7), 7);
  try {
    ReadXMLDouble(root.Child(0), 0);
    ADD_FAILURE();
  } catch (const std::runtime_error& error) {
    EXPECT_STREQ(error.what(), "Expected Float. Found: Boolean");
  }
  TXMLNode bad = root.AppendElement("Bad");
  bad.AppendElement("Boolean").SetText("maybe");
  EXPECT_THROW(ReadXMLBoolean(bad, false), std::runtime_error);
  TXMLNode number = root.AppendElement("Number");
  number.AppendElement("Boolean").SetText("0");
  EXPECT_FALSE(ReadXMLBoolean(number, true));
}

TEST(SVGScanners, ReadTheNumberSyntax) {
  const struct {
    const char* text;
    std::vector<double> numbers;
    std::size_t stop;  // where the position is left after the last number
  } cases[] = {
      {"-.5", {-0.5}, 3},      {"1e-3", {0.001}, 4},     {"--2", {-2}, 3},        {"5-", {5}, 1},
      {"1.5.5", {1.5, 0.5}, 5}, {"10-20", {10, -20}, 5}, {"+5", {5}, 2},          {"x-y3", {3}, 4},
      {".-5", {0.5}, 3},       {"1E--2", {0.01}, 5},     {"2e+3", {2000}, 4},     {"7e", {7}, 1},
      {"0,-1.25 3", {0, -1.25, 3}, 9},
  };
  for (const auto& c : cases) {
    std::size_t position = 0;
    std::vector<double> numbers;
    double value = 0;
    while (GetSVGDouble(c.text, position, value)) numbers.push_back(value);
    EXPECT_EQ(numbers, c.numbers) << c.text;
    std::size_t stop = 0;
    for (std::size_t i = 0; i < c.numbers.size(); ++i) GetSVGDouble(c.text, stop, value);
    EXPECT_EQ(stop, c.stop) << c.text;
  }
  std::size_t position = 0;
  char c = 0;
  ASSERT_TRUE(GetSVGTag("M10,20", position, c));
  EXPECT_EQ(c, 'M');
  EXPECT_EQ(position, 1u);
  const std::string_view rest = ",30 40";
  position = 0;
  ASSERT_TRUE(GetSVGTag(rest, position, c));
  EXPECT_EQ(c, ',');
  EXPECT_EQ(position, 0u);
  T2DVector point;
  ASSERT_TRUE(GetSVGVector2D(rest, position, point));
  EXPECT_EQ(point, (T2DVector{30, 40}));
  position = 0;
  EXPECT_FALSE(GetSVGTag(" \t\r\n ", position, c));
  position = 0;
  double value = 0;
  EXPECT_THROW(GetSVGDouble("1e999", position, value), std::runtime_error);
}

TEST(SVGScanners, ReadAndWriteNodePositions) {
  TXMLDocument doc;
  doc.Parse(R"(<svg><rect x="1.5"/><rect x=" 2 " y="oops"/></svg>)", "rects.svg");
  TXMLNode first = XMLFindNode(doc, "rect"), second = first.NextSibling();
  T2DVector point{9, 9};
  EXPECT_FALSE(GetNodePosition(first, "x", "y", point));
  EXPECT_EQ(point, (T2DVector{9, 9}));
  EXPECT_TRUE(GetNodePosition(second, "x", "y", point));
  EXPECT_EQ(point, (T2DVector{2, 0}));
  SetNodeVector(first, "x", "y", {12.5, -0.125}, 3);
  EXPECT_EQ(first.Attribute("x"), "12.500");
  EXPECT_EQ(first.Attribute("y"), "-0.125");
}

}  // namespace
