#include "QMTransform.h"

#include <stdexcept>
#include <string>

#include "SVGScanners.h"
#include "XMLDocLibrary.h"

namespace {

bool IsWhite(char c) { return c == '\t' || c == '\n' || c == '\f' || c == '\r' || c == ' '; }

struct TTransformHandler {
  std::string_view Name;
  std::size_t MinArgs, MaxArgs;
  std::string_view Message;
  void (*Add)(TX3Matrix&, const std::vector<double>&);
};

constexpr TTransformHandler Handlers[] = {
    {"matrix", 6, 6, "Incorrect Matrix Args: ",
     [](TX3Matrix& m, const std::vector<double>& a) { AddX3Matrix(m, a[0], a[1], a[2], a[3], a[4], a[5]); }},
    {"translate", 1, 2, "Incorrect Translate Args: ",
     [](TX3Matrix& m, const std::vector<double>& a) { AddX3Translation(m, {a[0], a.size() > 1 ? a[1] : 0}); }},
    {"scale", 1, 2, "Incorrect Scale Args: ",
     [](TX3Matrix& m, const std::vector<double>& a) { AddX3Scale(m, {a[0], a.size() > 1 ? a[1] : a[0]}); }},
    // With two numbers the centre's Y is taken as 0.
    {"rotate", 1, 3, "Incorrect Rotation Args: ",
     [](TX3Matrix& m, const std::vector<double>& a) {
       if (a.size() == 1) AddX3Rotation(m, a[0]);
       else AddX3Rotation(m, a[0], {a[1], a.size() > 2 ? a[2] : 0});
     }},
    {"skewX", 1, 1, "Incorrect SkewX Args: ", [](TX3Matrix& m, const std::vector<double>& a) { AddX3SkewX(m, a[0]); }},
    {"skewY", 1, 1, "Incorrect SkewY Args: ", [](TX3Matrix& m, const std::vector<double>& a) { AddX3SkewY(m, a[0]); }},
};

void SetTransform(std::string_view name, const std::vector<double>& args, TX3Matrix& matrix) {
  for (const TTransformHandler& handler : Handlers) {
    if (handler.Name != name) continue;
    if (args.size() < handler.MinArgs || args.size() > handler.MaxArgs)
      throw std::runtime_error(std::string(handler.Message) + std::to_string(args.size()));
    handler.Add(matrix, args);
    return;
  }
}

void RecurseChildren(TXMLNode node, std::string_view elementName, const TElementCallback& callback,
                     const TElementProgress& progress, long& count, long& total) {
  for (; node; node = node.NextSibling()) {
    ++count;
    if (progress) progress(count, total);
    if (node.Type() == ntElement && node.LocalNameIs(elementName)) callback(node);
    if (TXMLNode child = node.FirstChild()) {
      total += node.ChildCount();
      RecurseChildren(child, elementName, callback, progress, count, total);
    }
  }
}

}  // namespace

std::vector<double> GetArgList(std::string_view text) {
  std::vector<double> args;
  std::size_t position = 0;
  for (double value = 0; GetSVGDouble(text, position, value);) args.push_back(value);
  return args;
}

void GetTransformMatrix(std::string_view text, TX3Matrix& matrix) {
  std::size_t position = 0;
  for (;;) {
    while (position < text.size() && IsWhite(text[position])) ++position;
    if (position < text.size() && text[position] == ',') ++position;
    const std::size_t open = text.find('(', position);
    if (open == std::string_view::npos) return;
    std::string_view name = text.substr(position, open - position);
    while (!name.empty() && IsWhite(name.back())) name.remove_suffix(1);
    while (!name.empty() && IsWhite(name.front())) name.remove_prefix(1);
    if (name.empty()) return;
    const std::size_t close = text.find(')', open);
    const std::string_view args = text.substr(open + 1, close == std::string_view::npos ? std::string_view::npos : close - open - 1);
    SetTransform(name, GetArgList(args), matrix);
    if (close == std::string_view::npos) return;
    position = close + 1;
  }
}

TX3Matrix SetupTransformMatrix(TXMLNode element) {
  TNodeArray ancestors;
  GetNodeAncestors(ancestors, element);
  TX3Matrix matrix = X3IdentityMatrix;
  for (auto node = ancestors.rbegin(); node != ancestors.rend(); ++node) {
    if (node->Type() != ntElement) continue;
    const std::string transform = node->Attribute("transform");
    if (!transform.empty()) GetTransformMatrix(transform, matrix);
  }
  return matrix;
}

void IterrateElements(const TXMLDocument& document, std::string_view layerId, std::string_view elementName,
                      const TElementProgress& progress, const TElementCallback& callback) {
  if (!callback) throw std::runtime_error("No Call-Back specified");
  IterrateLayerElements(XMLFindNode(document, "g", "id", layerId), elementName, progress, callback);
}

void IterrateLayerElements(TXMLNode layer, std::string_view elementName, const TElementProgress& progress,
                           const TElementCallback& callback) {
  if (!callback) throw std::runtime_error("No Call-Back specified");
  if (!layer || !layer.FirstChild()) return;
  long count = 0, total = layer.ChildCount();
  RecurseChildren(layer.FirstChild(), elementName, callback, progress, count, total);
}
