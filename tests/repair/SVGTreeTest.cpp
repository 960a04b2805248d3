#include "repair/QMSVGTree.h"

#include <gtest/gtest.h>

#include "merge/XMLDocLibrary.h"

namespace {

constexpr const char* Drawing =
    "<?xml version=\"1.0\"?>\n<!DOCTYPE svg [<!ENTITY V_s \"stroke:red\">]>\n"
    "<svg xmlns=\"http://www.w3.org/2000/svg\" id=\"svg2\"><!-- note -->"
    "<g id=\"w2d_Layer_A\"><path id=\"A1_A2\" d=\"M0,0l1,1\"/></g>"
    "<g id=\"other\">text</g><g id=\"LAYER_B\"/></svg>";

TEST(SVGTree, LabelsEveryNodeByNameIdAndKind) {
  TXMLDocument doc;
  doc.Parse(Drawing);
  EXPECT_EQ(SVGNodeLabel(doc.DocumentNode()), "Nm:  Id: Tp:Document");
  EXPECT_EQ(SVGNodeLabel(XMLFindNode(doc, "svg", "id", "svg2")), "Nm: svg Id:svg2 Tp:Element");
  EXPECT_EQ(SVGNodeLabel(XMLFindNode(doc, "g", "id", "other").FirstChild()), "Nm:  Id: Tp:Text");
  for (auto [type, text] : std::initializer_list<std::pair<TXMLNodeType, const char*>>{
           {ntAny, "Reserved"}, {ntEntityReference, "EntityRef"}, {ntProcessingInstruction, "ProcessingInstr"},
           {ntDocumentType, "DocType"}, {ntNotation, "Notation"}, {static_cast<TXMLNodeType>(13), ""}})
    EXPECT_EQ(GetNodeTypeStr(type), text);
  for (auto [file, name] : std::initializer_list<std::pair<const char*, const char*>>{
           {"/caves/Lechuguilla.plt", "Lechuguilla"}, {"a.b.PLT", "a.b"}, {"/x/noext", "noext"}, {"/x.y/noext", "noext"}})
    EXPECT_EQ(SVGTreeRootName(file), name);
}

TEST(SVGTree, FindsMatchesOneByOneInEitherDirectionWithoutWrapping) {
  TXMLDocument doc;
  doc.Parse(Drawing);
  const TXMLNode first = FindInTree(doc, {}, "layer", true);
  EXPECT_EQ(GetAttributeStr(first, "id"), "w2d_Layer_A");
  const TXMLNode second = FindInTree(doc, first, "LaYeR", true);
  EXPECT_EQ(GetAttributeStr(second, "id"), "LAYER_B");
  EXPECT_FALSE(FindInTree(doc, second, "layer", true));  // the last match: no further
  EXPECT_EQ(FindInTree(doc, second, "layer", false), first);
  EXPECT_EQ(FindInTree(doc, second, "A1_A2", false), XMLFindNode(doc, "path"));  // deepest of the previous sibling
  EXPECT_EQ(FindInTree(doc, first, "Tp:Document", false), doc.DocumentNode());
  EXPECT_FALSE(FindInTree(doc, doc.DocumentNode(), "Document", false));
  EXPECT_FALSE(FindInTree(doc, {}, "", true));
  EXPECT_FALSE(FindInTree(doc, {}, "layer", false));
}

}  // namespace
