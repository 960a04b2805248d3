#include "QMSVGTree.h"

#include <algorithm>
#include <array>

#include "merge/XMLDocLibrary.h"
#include "support/TextMatch.h"

namespace {

TXMLNode NextInOrder(TXMLNode node) {
  if (TXMLNode child = node.FirstChild()) return child;
  for (; node; node = node.Parent())
    if (TXMLNode sibling = node.NextSibling()) return sibling;
  return {};
}

TXMLNode LastDescendant(TXMLNode node) {
  while (TXMLNode child = node.FirstChild()) {
    node = child;
    while (TXMLNode next = node.NextSibling()) node = next;
  }
  return node;
}

TXMLNode PreviousInOrder(TXMLNode node) {
  if (TXMLNode previous = node.PreviousSibling()) return LastDescendant(previous);
  return node.Parent();
}

}  // namespace

std::string GetNodeTypeStr(TXMLNodeType type) {
  static constexpr std::array<const char*, 13> Texts = {
      "Reserved", "Element", "Attribute",       "Text",    "CData",    "EntityRef",   "Entity",
      "ProcessingInstr", "Comment", "Document", "DocType", "DocFragment", "Notation"};
  const auto index = static_cast<std::size_t>(type);
  return index < Texts.size() ? Texts[index] : "";
}

std::string SVGNodeLabel(TXMLNode node) {
  return "Nm: " + node.LocalName() + " Id:" + GetAttributeStr(node, "id") + " Tp:" + GetNodeTypeStr(node.Type());
}

std::string SVGTreeRootName(std::string_view plotFile) {
  const std::size_t slash = plotFile.find_last_of('/');
  std::string_view name = slash == std::string_view::npos ? plotFile : plotFile.substr(slash + 1);
  if (const std::size_t dot = name.rfind('.'); dot != std::string_view::npos) name = name.substr(0, dot);
  return std::string(name);
}

bool LabelMatches(std::string_view label, std::string_view text) {
  if (text.empty()) return false;
  return ContainsIgnoringCase(label, text);
}

TXMLNode FindInTree(const TXMLDocument& document, TXMLNode from, std::string_view text, bool down) {
  if (text.empty() || !document.Loaded()) return {};
  TXMLNode node = from ? (down ? NextInOrder(from) : PreviousInOrder(from)) : (down ? document.DocumentNode() : TXMLNode());
  for (; node; node = down ? NextInOrder(node) : PreviousInOrder(node))
    if (LabelMatches(SVGNodeLabel(node), text)) return node;
  return {};
}
