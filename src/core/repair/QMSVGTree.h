#pragma once
// The SVG tree viewer's content: a label for every DOM node, the name of
// the tree's root, and the search through the nodes in document order.

#include <string>
#include <string_view>

#include "merge/XMLDom.h"

// "Element", "Text", "DocType"... by the DOM node type.
std::string GetNodeTypeStr(TXMLNodeType type);
// "Nm: svg Id:svg2 Tp:Element".
std::string SVGNodeLabel(TXMLNode node);
// The plot file's name without folder and last extension.
std::string SVGTreeRootName(std::string_view plotFile);

// The next node after from in document order (each node before its
// children), downward or upward, whose label holds text in any letter case.
// An empty from starts before the document node (downward; upward there
// is nothing). None when nothing matches, or text is empty; from itself is
// never examined and the search does not wrap.
TXMLNode FindInTree(const TXMLDocument& document, TXMLNode from, std::string_view text, bool down);
// Whether the label holds the text in any letter case (an empty text never).
bool LabelMatches(std::string_view label, std::string_view text);
