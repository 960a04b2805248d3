#pragma once
// Helpers over the DOM that the merge, the layer repair and the settings
// files share: searches by tag, attribute and node type in document order,
// attributes, ancestors, typed values stored as small child elements, and
// the editors' layer marks.
//
// Searches compare a node's local name (an element written "svg:g" matches
// "g") and attribute values as exact, case-sensitive texts; a search that
// finds nothing gives an empty node.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "XMLDom.h"
#include "support/Vector.h"

using TNodeArray = std::vector<TXMLNode>;

// The attribute's value; empty when absent or the node has no attributes.
std::string GetAttributeStr(TXMLNode node, std::string_view name);
void XMLDeleteAttribute(TXMLNode node, std::string_view name);

// The first match in document order from start: start itself, its
// descendants, its following siblings and theirs. A node matches when its
// local name is tag, (no attribute name is given or that attribute has the
// value) and (type is ntAny or the node's type).
TXMLNode XMLFindNode(TXMLNode start, std::string_view tag, std::string_view attributeName = {},
                     std::string_view attributeValue = {}, TXMLNodeType type = ntAny);
// The same, the value compared with a pattern of the same length in which
// the wildcard character stands for any one character.
TXMLNode XMLFindNodeWild(TXMLNode start, std::string_view tag, std::string_view attributeName,
                         std::string_view pattern, TXMLNodeType type, char wildcard);
// The search over the whole document; layers are found so, by "g", "id".
TXMLNode XMLFindNode(const TXMLDocument& document, std::string_view tag, std::string_view attributeName = {},
                     std::string_view attributeValue = {});
// For each value, the first element of that local name in document order
// whose attribute has the value (an empty node where none has): one walk
// for them all, which stops once every value is found.
std::vector<TXMLNode> XMLFindNodes(const TXMLDocument& document, std::string_view tag, std::string_view attributeName,
                                   std::span<const std::string_view> values);
// The node itself when it matches, else the first match among its
// descendants; never its siblings.
TXMLNode XMLFindSubNode(TXMLNode node, std::string_view tag, std::string_view attributeName = {},
                        std::string_view attributeValue = {}, TXMLNodeType type = ntAny);
// The first node in document order of that type (and local name, when given).
TXMLNode FindNodeByType(TXMLNode start, TXMLNodeType type, std::string_view name = {});
TXMLNode XMLFindNodeByType(const TXMLDocument& document, TXMLNodeType type, std::string_view name = {});

// The node, its parent and so on up to the document node, innermost first.
void GetNodeAncestors(TNodeArray& list, TXMLNode node);

// Typed values: an element Tag whose first child is one element named after
// the type ("Boolean", "Float", "Vector2D", "Vector3D") holding the text.
// Reading fails with "Expected TYPE. Found: NAME" when the child is another
// type, and with a conversion error when its text is no value of the type.
bool GetChildNodeValue(TXMLNode node, std::string_view typeName, std::string& value);
bool ReadXMLBoolean(TXMLNode node, bool defaultValue);
double ReadXMLDouble(TXMLNode node, double defaultValue);
T2DVector ReadXMLVector2D(TXMLNode node, T2DVector defaultValue);
T3DVector ReadXMLVector3D(TXMLNode node, T3DVector defaultValue);
void SaveXMLBoolean(TXMLNode node, std::string_view name, bool value);
void SaveXMLDouble(TXMLNode node, std::string_view name, double value);
void SaveXML2DVector(TXMLNode node, std::string_view name, T2DVector value);
void SaveXML3DVector(TXMLNode node, std::string_view name, T3DVector value);
void SaveTypedBoolean(TXMLNode node, bool value);
void SaveTypedDouble(TXMLNode node, double value);
void SaveTyped2DVector(TXMLNode node, T2DVector value);
void SaveTyped3DVector(TXMLNode node, T3DVector value);
void SaveTagXMLBoolean(TXMLNode node, std::string_view tag, bool value);
void SaveTagXMLDouble(TXMLNode node, std::string_view tag, double value);
void SaveTagXML2DVector(TXMLNode node, std::string_view tag, T2DVector value);
void SaveTagXML3DVector(TXMLNode node, std::string_view tag, T3DVector value);
// The texts of the typed values.
std::string BooleanText(bool value);
std::string FloatText(double value);      // general, at most 15 significant digits
std::string VectorNumberText(double value);  // reads back exactly; fixed from 1e-5 below 1e18

// Layer marks: Inkscape's inkscape:groupmode="layer", Illustrator's
// i:layer="yes"; an editor switched off loses its marks (and its namespace
// declarations on the node).
void SetNodeAttributes(TXMLNode node, bool inkscape, bool illustrator);
void DeleteInkscapeAttribs(TXMLNode node);
void DeleteIllustratorAttribs(TXMLNode node);
