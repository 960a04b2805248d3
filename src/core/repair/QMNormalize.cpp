#include "QMNormalize.h"

#include <algorithm>
#include <stdexcept>

#include "merge/XMLDocLibrary.h"

namespace {

constexpr TRepairLayer Layers[] = {
    {"w2d_Frame", "", true},         {"w2d_Legend", "", true},        {"Scalebar", "w2d_Legend", true},
    {"NorthArrow", "w2d_Legend", true}, {"w2d_Grid", "", true},       {"w2d_Notes", "", true},
    {"w2d_Labels", "", true},        {"w2d_Flags", "", true},         {"w2d_Survey", "", true},
    {"w2d_Vectors", "w2d_Survey", true}, {"w2d_Markers", "w2d_Survey", true}, {"w2d_Walls", "", true},
    {"w2d_Walls_shp", "w2d_Walls", true}, {"w2d_Walls_sym", "w2d_Walls", true}, {"w2d_Detail", "", true},
    {"w2d_Detail_shp", "w2d_Detail", true}, {"w2d_Detail_sym", "w2d_Detail", true}, {"w2d_Mask", "", true},
    {"vdr_tracing", "", true},       {"vdr_passage", "vdr_tracing", true}, {"vdr_LRUDs", "vdr_tracing", true},
    {"vdr_Sketchmap2", "vdr_tracing", true}, {"vdr_Sketchmap1", "vdr_tracing", true}, {"vdr_Features", "", false},
    {"w2d_Ref", "", true},           {"w2d_Background", "", true},
};

const std::string Hyphens(36, '-');

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool EndsName(char c) { return IsBlank(c) || c == '>' || c == '/'; }

// The "<" of the first end tag of an svg element at or after from.
std::size_t FindSVGEndTag(std::string_view text, std::size_t from, bool last) {
  std::size_t found = std::string_view::npos;
  for (std::size_t at = text.find("</", from); at != std::string_view::npos; at = text.find("</", at + 2)) {
    std::size_t end = at + 2;
    while (end < text.size() && !EndsName(text[end])) ++end;
    std::string_view name = text.substr(at + 2, end - at - 2);
    if (name == "svg" || name.ends_with(":svg")) {
      found = at;
      if (!last) return found;
    }
  }
  return found;
}

void RemoveSecondSVGTag(std::string& text, std::size_t second) {
  const std::size_t startEnd = GetEndOfBlock(text, second);
  if (startEnd == std::string::npos) return;
  const std::size_t endTag = FindSVGEndTag(text, startEnd + 1, false);
  if (endTag == std::string::npos) return;
  const std::size_t endTagEnd = GetEndOfBlock(text, endTag);
  if (endTagEnd == std::string::npos) return;
  text.erase(endTag, endTagEnd - endTag + 1);
  text.erase(second, startEnd - second + 1);
}

void AddSecondSVGTag(std::string& text, std::size_t first, const TSVGInfo& info) {
  const std::size_t rootEnd = GetEndOfBlock(text, first);
  if (rootEnd == std::string::npos) return;
  const T2DVector paper = info.PlotParams.PaperSize * PointsPerInch;
  // Without line ends, so that the parser's line numbers stay the file's.
  const std::string start = "<!--Used to clip frame - Not compatible with AI10 - remove if necessary-->"
                            "<svg overflow=\"hidden\" width=\"" + std::to_string(static_cast<long>(paper.X)) +
                            "\" height=\"" + std::to_string(static_cast<long>(paper.Y)) + "\">";
  // The end first: the start goes in before it and would move it.
  const std::size_t rootEndTag = FindSVGEndTag(text, rootEnd + 1, true);
  if (rootEndTag != std::string::npos) text.insert(rootEndTag, "</svg>");
  text.insert(rootEnd + 1, start);
}

TXMLNode RootOf(const TXMLDocument& doc) { return XMLFindNodeByType(doc, ntElement, "svg"); }

TXMLNode FindLayer(TXMLNode start, std::string_view id) { return XMLFindNode(start, "g", "id", id); }

// The export's layer somewhere in the document, or a new one under base.
TXMLNode ReplaceMissingLayer(const TXMLDocument& doc, TXMLNode base, std::string_view layerId, bool inkscape,
                             bool illustrator) {
  if (TXMLNode layer = FindLayer(doc.DocumentNode(), layerId)) return layer;
  TXMLNode layer = base.AppendElement("g");
  layer.SetAttribute("id", layerId);
  SetNodeAttributes(layer, inkscape, illustrator);
  return layer;
}

// The layer, or a new one right before base (right below it in the drawing).
TXMLNode InsertAfterBase(const TXMLDocument& doc, TXMLNode base, std::string_view layerId, bool inkscape,
                         bool illustrator) {
  if (TXMLNode layer = FindLayer(doc.DocumentNode(), layerId)) return layer;
  TXMLNode layer = base.InsertElementBefore("g");
  layer.SetAttribute("id", layerId);
  SetNodeAttributes(layer, inkscape, illustrator);
  return layer;
}

void RemoveMarks(TXMLNode node, bool inkscape, bool illustrator) {
  for (; node; node = node.NextSibling()) {
    if (node.Type() != ntElement) continue;
    if (!inkscape) DeleteInkscapeAttribs(node);
    if (!illustrator) DeleteIllustratorAttribs(node);
    RemoveMarks(node.FirstChild(), inkscape, illustrator);
  }
}

}  // namespace

std::span<const TRepairLayer> RepairLayers() { return Layers; }

std::size_t FindSVGStartTag(std::string_view text, std::size_t from, std::size_t* nameEnd) {
  for (std::size_t at = text.find('<', from); at != std::string_view::npos; at = text.find('<', at + 1)) {
    std::size_t end = at + 1;
    while (end < text.size() && !EndsName(text[end])) ++end;
    std::string_view name = text.substr(at + 1, end - at - 1);
    if (name == "svg" || (name.ends_with(":svg") && name.find(':') == name.size() - 4 && name.size() > 4)) {
      if (nameEnd) *nameEnd = end;
      return at;
    }
  }
  return std::string_view::npos;
}

std::size_t GetEndOfBlock(std::string_view text, std::size_t start) {
  int level = 0;
  for (std::size_t i = start; i < text.size(); ++i) {
    if (text[i] == '<') {
      ++level;
    } else if (text[i] == '>') {
      if (level <= 1) return i;
      --level;
    }
  }
  return std::string_view::npos;
}

void HandleSVGClipFrame(std::string& text, const TSVGInfo& info) {
  std::size_t nameEnd = 0;
  const std::size_t first = FindSVGStartTag(text, 0, &nameEnd);
  if (first == std::string::npos) return;
  const std::size_t second = FindSVGStartTag(text, nameEnd);
  const bool clipFrame = UsesClipFrame(info);
  if (!clipFrame && second != std::string::npos) RemoveSecondSVGTag(text, second);
  else if (clipFrame && second == std::string::npos) AddSecondSVGTag(text, first, info);
}

void StripPGFBinary(std::string& text) {
  const std::size_t start = text.find("<i:pgf ");
  const std::size_t end = text.find("</i:pgf>");
  if (start == std::string::npos || end == std::string::npos || end < start) return;
  // Its line ends stay, so that the lines after it keep their numbers.
  const std::size_t lines = static_cast<std::size_t>(std::count(text.begin() + static_cast<std::ptrdiff_t>(start),
                                                                text.begin() + static_cast<std::ptrdiff_t>(end + 8), '\n'));
  text.replace(start, end + 8 - start, lines, '\n');
}

std::string FixLayerName(TXMLNode root, std::string_view section, std::string_view layerId, bool inkscape,
                         bool illustrator) {
  TXMLNode scope = section.empty() ? root : FindLayer(root, section);
  if (!scope) return {};
  const std::string pattern = std::string(layerId) + "_?_";
  if (TXMLNode layer = XMLFindNodeWild(scope.FirstChild(), "g", "id", pattern, ntAny, '?')) {
    std::string old = layer.Attribute("id");
    const char suffix = old[layerId.size() + 1];
    if (suffix < '0' || suffix > '9') return {};
    layer.SetAttribute("id", layerId);
    SetNodeAttributes(layer, inkscape, illustrator);
    return old;
  }
  if (TXMLNode layer = FindLayer(scope.FirstChild(), layerId)) SetNodeAttributes(layer, inkscape, illustrator);
  return {};
}

void RecurseAndFixChildren(TXMLNode root, std::string_view name, bool inkscape, bool illustrator) {
  if (inkscape && illustrator) return;
  if (TXMLNode layer = FindLayer(root, name)) RemoveMarks(layer.FirstChild(), inkscape, illustrator);
}

void FixLayerNames(TXMLDocument& doc, const TRepairProgress& progress, bool inkscape, bool illustrator, TProcessLog& log) {
  TXMLNode root = RootOf(doc);
  if (!root) return;
  if (!inkscape) XMLDeleteAttribute(root, "xmlns:inkscape");
  if (!illustrator) {
    XMLDeleteAttribute(root, "xmlns:i");
    XMLDeleteAttribute(root, "i:pageBounds");
  }
  int repaired = 0;
  std::string report;
  for (const TRepairLayer& layer : Layers) {
    if (!layer.Fixed) continue;
    if (progress) progress(1, "Fixing: " + std::string(layer.Id));
    std::string old = FixLayerName(root, layer.Parent, layer.Id, inkscape, illustrator);
    if (!old.empty()) ++repaired;
    report += std::string(layer.Id) + ": " + old + "\r\n";
    if (layer.Id == "w2d_Labels") RecurseAndFixChildren(root, "w2d_Labels", inkscape, illustrator);
  }
  if (repaired > 0) log.LogText("Layers Repaired:\r\n" + Hyphens + "\r\n" + report + "\r\n");
}

void ReplaceMissingLayers(TXMLDocument& doc, bool inkscape, bool illustrator, const TSVGInfo& info,
                          const TLengthUnits& units) {
  TXMLNode root = RootOf(doc);
  if (!root) throw std::runtime_error("No svg element in the drawing");
  TXMLNode anchor;
  for (const TRepairLayer& layer : Layers) {
    if (!anchor) anchor = ReplaceMissingLayer(doc, root, layer.Id, inkscape, illustrator);
    else if (layer.Parent.empty()) anchor = InsertAfterBase(doc, anchor, layer.Id, inkscape, illustrator);
    else ReplaceMissingLayer(doc, anchor, layer.Id, inkscape, illustrator);
  }
  TRefData ref;
  if (!HasValidReference(doc, ref, units)) AddRefData(doc, info, units.Factors);
  // Every merge runs this: one empty defs where there is none, never another.
  if (!XMLFindNode(doc, "defs")) anchor.InsertElementBefore("defs");
}
