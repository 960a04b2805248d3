#include "XMLDocLibrary.h"

#include <libxml/tree.h>

#include <charconv>
#include <cstring>
#include <cmath>
#include <stdexcept>

#include "support/NumberText.h"

namespace {

bool NameIs(const xmlChar* name, std::string_view wanted) {
  const char* text = reinterpret_cast<const char*>(name);
  return text && std::strncmp(text, wanted.data(), wanted.size()) == 0 && text[wanted.size()] == '\0';
}

bool Matches(TXMLNode node, std::string_view tag, std::string_view attributeName, std::string_view value,
             TXMLNodeType type, char wildcard) {
  if ((type != ntAny && node.Type() != type) || !node.LocalNameIs(tag)) return false;
  if (attributeName.empty()) return true;
  const std::string actual = node.Attribute(attributeName);
  if (!wildcard) return actual == value;
  if (actual.size() != value.size()) return false;
  for (std::size_t i = 0; i < value.size(); ++i)
    if (value[i] != wildcard && value[i] != actual[i]) return false;
  return true;
}

// The next node in document order after node and its descendants, within
// the sibling chains that start at the start node's level.
xmlNodePtr NextInOrder(xmlNodePtr node, xmlNodePtr startParent, bool descend) {
  if (descend && node->children && node->type != XML_ENTITY_REF_NODE && node->type != XML_ENTITY_DECL &&
      node->type != XML_ATTRIBUTE_NODE)
    return node->children;
  while (node && node->parent != startParent) {
    if (node->next) return node->next;
    node = node->parent;
  }
  return node ? node->next : nullptr;
}

// The searches walk libxml2's tree itself: a large drawing has millions of
// nodes and the layer searches cross most of them.
TXMLNode Search(TXMLNode start, std::string_view tag, std::string_view attributeName, std::string_view value,
                TXMLNodeType type, char wildcard) {
  xmlNodePtr first = start.Raw();
  if (!first) return {};
  xmlNodePtr startParent = first->parent;
  for (xmlNodePtr node = first; node; node = NextInOrder(node, startParent, true)) {
    // Elements are what searches look for; test the cheap things first.
    if (node->type == XML_ELEMENT_NODE ? !NameIs(node->name, tag) : type == ntElement) continue;
    if (Matches(TXMLNode(node), tag, attributeName, value, type, wildcard)) return TXMLNode(node);
  }
  return {};
}

TXMLNode SearchType(TXMLNode start, TXMLNodeType type, std::string_view name) {
  for (TXMLNode node = start; node; node = node.NextSibling()) {
    if (node.Type() == type && (name.empty() || node.LocalNameIs(name))) return node;
    if (TXMLNode child = node.FirstChild())
      if (TXMLNode found = SearchType(child, type, name)) return found;
  }
  return {};
}

std::string Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r' || text.back() == '\n'))
    text.remove_suffix(1);
  return std::string(text);
}

double ToDouble(std::string_view text) {
  if (std::optional<double> value = ParseReal(Trimmed(text))) return *value;
  throw std::runtime_error("\"" + std::string(text) + "\" is not a valid floating point value");
}

bool ToBoolean(std::string_view text) {
  std::string lower = Trimmed(text);
  for (char& c : lower) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  if (lower == "true") return true;
  if (lower == "false") return false;
  if (std::optional<double> value = ParseReal(lower)) return *value != 0;
  throw std::runtime_error("\"" + std::string(text) + "\" is not a valid boolean value");
}

std::vector<double> ToNumbers(std::string_view text) {
  std::vector<double> numbers;
  for (std::size_t start = 0;;) {
    std::size_t comma = text.find(',', start);
    numbers.push_back(ToDouble(text.substr(start, comma - start)));
    if (comma == std::string_view::npos) return numbers;
    start = comma + 1;
  }
}

// The numbers of a vector text: exactly count of them, separated by ",".
std::vector<double> VectorOf(std::string_view text, std::size_t count) {
  std::vector<double> numbers;
  try {
    numbers = ToNumbers(text);
  } catch (const std::runtime_error&) {
  }
  if (numbers.size() != count)
    throw std::runtime_error("\"" + std::string(text) + "\" is not a vector of " + std::to_string(count));
  return numbers;
}

template <typename T>
T ReadTyped(TXMLNode node, std::string_view type, T defaultValue, T (*convert)(std::string_view)) {
  std::string text;
  return GetChildNodeValue(node, type, text) ? convert(text) : defaultValue;
}

void SaveText(TXMLNode node, std::string_view name, const std::string& text) { node.AppendElement(name).SetText(text); }

}  // namespace

std::string GetAttributeStr(TXMLNode node, std::string_view name) { return node.Attribute(name); }

void XMLDeleteAttribute(TXMLNode node, std::string_view name) { node.RemoveAttribute(name); }

TXMLNode XMLFindNode(TXMLNode start, std::string_view tag, std::string_view attributeName,
                     std::string_view attributeValue, TXMLNodeType type) {
  return Search(start, tag, attributeName, attributeValue, type, 0);
}

TXMLNode XMLFindNodeWild(TXMLNode start, std::string_view tag, std::string_view attributeName,
                         std::string_view pattern, TXMLNodeType type, char wildcard) {
  return Search(start, tag, attributeName, pattern, type, wildcard);
}

TXMLNode XMLFindNode(const TXMLDocument& document, std::string_view tag, std::string_view attributeName,
                     std::string_view attributeValue) {
  return XMLFindNode(document.DocumentNode(), tag, attributeName, attributeValue, ntAny);
}

std::vector<TXMLNode> XMLFindNodes(const TXMLDocument& document, std::string_view tag, std::string_view attributeName,
                                   std::span<const std::string_view> values) {
  std::vector<TXMLNode> found(values.size());
  std::size_t missing = values.size();
  xmlNodePtr first = document.DocumentNode().Raw();
  for (xmlNodePtr node = first; node && missing > 0; node = NextInOrder(node, first ? first->parent : nullptr, true)) {
    if (node->type != XML_ELEMENT_NODE || !NameIs(node->name, tag)) continue;
    const std::string actual = TXMLNode(node).Attribute(attributeName);
    for (std::size_t i = 0; i < values.size(); ++i)
      if (!found[i] && values[i] == actual) {
        found[i] = TXMLNode(node);
        --missing;
      }
  }
  return found;
}

TXMLNode XMLFindSubNode(TXMLNode node, std::string_view tag, std::string_view attributeName,
                        std::string_view attributeValue, TXMLNodeType type) {
  if (!node) return {};
  if (Matches(node, tag, attributeName, attributeValue, type, 0)) return node;
  return XMLFindNode(node.FirstChild(), tag, attributeName, attributeValue, type);
}

TXMLNode FindNodeByType(TXMLNode start, TXMLNodeType type, std::string_view name) { return SearchType(start, type, name); }

TXMLNode XMLFindNodeByType(const TXMLDocument& document, TXMLNodeType type, std::string_view name) {
  return FindNodeByType(document.DocumentNode(), type, name);
}

void GetNodeAncestors(TNodeArray& list, TXMLNode node) {
  list.clear();
  for (; node; node = node.Parent()) list.push_back(node);
}

bool GetChildNodeValue(TXMLNode node, std::string_view typeName, std::string& value) {
  TXMLNode child = node.FirstChild();
  if (!child || !child.LocalNameIs(typeName))
    throw std::runtime_error("Expected " + std::string(typeName) + ". Found: " + child.LocalName());
  std::string text = child.Value();
  if (text.empty()) return false;
  value = std::move(text);
  return true;
}

bool ReadXMLBoolean(TXMLNode node, bool defaultValue) {
  return ReadTyped<bool>(node, "Boolean", defaultValue, ToBoolean);
}

double ReadXMLDouble(TXMLNode node, double defaultValue) {
  return ReadTyped<double>(node, "Float", defaultValue, ToDouble);
}

T2DVector ReadXMLVector2D(TXMLNode node, T2DVector defaultValue) {
  return ReadTyped<T2DVector>(node, "Vector2D", defaultValue, [](std::string_view text) {
    const std::vector<double> n = VectorOf(text, 2);
    return T2DVector{n[0], n[1]};
  });
}

T3DVector ReadXMLVector3D(TXMLNode node, T3DVector defaultValue) {
  return ReadTyped<T3DVector>(node, "Vector3D", defaultValue, [](std::string_view text) {
    const std::vector<double> n = VectorOf(text, 3);
    return T3DVector{n[0], n[1], n[2]};
  });
}

std::string BooleanText(bool value) { return value ? "True" : "False"; }

std::string FloatText(double value) { return FormatGeneral(value, 15); }

std::string VectorNumberText(double value) {
  if (!std::isfinite(value)) return FormatFixed(value, 0);  // which refuses it
  char buffer[400];
  const double magnitude = std::abs(value);
  if (value == 0 || (magnitude >= 1e-5 && magnitude < 1e18))
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed).ptr);
  // Scientific, the exponent written with a sign and at least four digits.
  std::string text(buffer, std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific).ptr);
  std::size_t e = text.find('e');
  std::string digits = text.substr(e + 2);
  return text.substr(0, e) + "E" + text[e + 1] + std::string(digits.size() < 4 ? 4 - digits.size() : 0, '0') + digits;
}

void SaveXMLBoolean(TXMLNode node, std::string_view name, bool value) { SaveText(node, name, BooleanText(value)); }
void SaveXMLDouble(TXMLNode node, std::string_view name, double value) { SaveText(node, name, FloatText(value)); }
void SaveXML2DVector(TXMLNode node, std::string_view name, T2DVector value) {
  SaveText(node, name, VectorNumberText(value.X) + "," + VectorNumberText(value.Y));
}
void SaveXML3DVector(TXMLNode node, std::string_view name, T3DVector value) {
  SaveText(node, name, VectorNumberText(value.X) + "," + VectorNumberText(value.Y) + "," + VectorNumberText(value.Z));
}

void SaveTypedBoolean(TXMLNode node, bool value) { SaveXMLBoolean(node, "Boolean", value); }
void SaveTypedDouble(TXMLNode node, double value) { SaveXMLDouble(node, "Float", value); }
void SaveTyped2DVector(TXMLNode node, T2DVector value) { SaveXML2DVector(node, "Vector2D", value); }
void SaveTyped3DVector(TXMLNode node, T3DVector value) { SaveXML3DVector(node, "Vector3D", value); }

void SaveTagXMLBoolean(TXMLNode node, std::string_view tag, bool value) { SaveTypedBoolean(node.AppendElement(tag), value); }
void SaveTagXMLDouble(TXMLNode node, std::string_view tag, double value) { SaveTypedDouble(node.AppendElement(tag), value); }
void SaveTagXML2DVector(TXMLNode node, std::string_view tag, T2DVector value) {
  SaveTyped2DVector(node.AppendElement(tag), value);
}
void SaveTagXML3DVector(TXMLNode node, std::string_view tag, T3DVector value) {
  SaveTyped3DVector(node.AppendElement(tag), value);
}

void SetNodeAttributes(TXMLNode node, bool inkscape, bool illustrator) {
  if (inkscape) node.SetAttribute("inkscape:groupmode", "layer");
  else DeleteInkscapeAttribs(node);
  if (illustrator) node.SetAttribute("i:layer", "yes");
  else DeleteIllustratorAttribs(node);
}

void DeleteInkscapeAttribs(TXMLNode node) {
  for (std::string_view name : {"inkscape:groupmode", "xmlns:inkscape", "xmlns:sodipodi"}) XMLDeleteAttribute(node, name);
}

void DeleteIllustratorAttribs(TXMLNode node) {
  for (std::string_view name : {"i:layer", "xmlns:i"}) XMLDeleteAttribute(node, name);
}
