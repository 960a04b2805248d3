#include "export/XMLLibrary.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

TEST(XMLLibrary, EscapesMarkupAndLineEnds) {
  EXPECT_EQ(AddEscapeChars("\r\n"), "&#13;&#10;");
  EXPECT_EQ(AddEscapeChars("A&B"), "A&amp;B");
  EXPECT_EQ(AddEscapeChars("<'\">\xE9"), "&lt;&apos;&quot;&gt;\xE9");
}

TEST(XMLLibrary, WritesBlocksAttributesAndDeclarations) {
  std::ostringstream out;
  {
    TXMLWriter xml(out);
    xml.XMLOpenInternalDocType("svg", "", "", "");
    xml.XMLCloseInternalDocType();
    xml.XMLWritePIDeclaration("name");
    xml.SetIndent(true);
    xml.PutAttribute("id", "w2d_Grid");
    xml.PutAttribute("inkscape:groupmode", "layer");
    xml.PutAttribute("style", "display:none", true);
    xml.XMLOpenElementBlock("g");
    xml.PutAttribute("x", -0.004, 2);
    xml.XMLWriteCompleteElementAttrib("text", "a<b");
    xml.XMLCloseElementBlock("g");
    xml.XMLCloseElementBlock("x");
    xml.XMLCloseElementBlock("y");  // more closes than opens: stays at 0
    EXPECT_EQ(xml.CurrentIndent(), 0);
    for (int i = 0; i < 30; ++i) xml.PutAttribute("a" + std::to_string(i), "v");
    xml.XMLWriteClosedElementAttrib("many");
    xml.XMLWriteMultiLineIndent("one\rtwo\r\nthree\n");
  }
  std::string many = "<many";
  for (int i = 0; i < 25; ++i) many += " a" + std::to_string(i) + "=\"v\"";
  EXPECT_EQ(out.str(),
            "<!DOCTYPE svg [\r\n"
            "    ]>\r\n"
            "<?name?>\r\n"
            "    <g id=\"w2d_Grid\" inkscape:groupmode=\"layer\"\r\n"
            "         style=\"display:none\">\r\n"
            "        <text x=\"0.00\">a<b</text>\r\n"
            "    </g>\r\n"
            "</x>\r\n"
            "</y>\r\n" +
                many + "/>\r\none\r\ntwo\r\nthree\r\n");
}

}  // namespace
