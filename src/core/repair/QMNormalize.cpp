#include "QMNormalize.h"

#include <string.h>

#include <algorithm>
#include <stdexcept>

#include "LayerIndex.h"
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

// The first occurrence at or after from, by the C library's fast search.
std::size_t Find(std::string_view text, std::string_view what, std::size_t from = 0) {
  if (from >= text.size()) return std::string_view::npos;
  const void* found = memmem(text.data() + from, text.size() - from, what.data(), what.size());
  return found ? static_cast<std::size_t>(static_cast<const char*>(found) - text.data()) : std::string_view::npos;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool EndsName(char c) { return IsBlank(c) || c == '>' || c == '/'; }

// Where the tag that names an svg element at name (its "svg") begins: the
// "<" (or "</" when end) right before it or before its prefix; npos when the
// "svg" there is no such name.
std::size_t TagStartOf(std::string_view text, std::size_t name, bool end) {
  if (name + 3 < text.size() && !EndsName(text[name + 3])) return std::string_view::npos;
  std::size_t at = name;
  if (at > 0 && text[at - 1] == ':') {
    --at;
    while (at > 0 && !EndsName(text[at - 1]) && text[at - 1] != '<' && text[at - 1] != ':') --at;
    if (at + 1 == name) return std::string_view::npos;  // an empty prefix
  }
  if (end) return at >= 2 && text[at - 1] == '/' && text[at - 2] == '<' ? at - 2 : std::string_view::npos;
  return at >= 1 && text[at - 1] == '<' ? at - 1 : std::string_view::npos;
}

// The "<" of the first (or the last) end tag of an svg element after from.
std::size_t FindSVGEndTag(std::string_view text, std::size_t from, bool last) {
  if (last) {
    for (std::size_t name = text.rfind("svg"); name != std::string_view::npos && name >= from;
         name = name ? text.rfind("svg", name - 1) : std::string_view::npos)
      if (std::size_t tag = TagStartOf(text, name, true); tag != std::string_view::npos && tag >= from) return tag;
    return std::string_view::npos;
  }
  for (std::size_t name = Find(text, "svg", from); name != std::string_view::npos; name = Find(text, "svg", name + 1))
    if (std::size_t tag = TagStartOf(text, name, true); tag != std::string_view::npos && tag >= from) return tag;
  return std::string_view::npos;
}

void RemoveSecondSVGTag(std::string_view text, std::size_t second, TTextEdits& edits) {
  const std::size_t startEnd = GetEndOfBlock(text, second);
  if (startEnd == std::string_view::npos) return;
  const std::size_t endTag = FindSVGEndTag(text, startEnd + 1, false);
  if (endTag == std::string_view::npos) return;
  const std::size_t endTagEnd = GetEndOfBlock(text, endTag);
  if (endTagEnd == std::string_view::npos) return;
  edits.Erase(second, startEnd - second + 1);
  edits.Erase(endTag, endTagEnd - endTag + 1);
}

void AddSecondSVGTag(std::string_view text, std::size_t first, const TSVGInfo& info, TTextEdits& edits) {
  const std::size_t rootEnd = GetEndOfBlock(text, first);
  if (rootEnd == std::string_view::npos) return;
  const T2DVector paper = info.PlotParams.PaperSize * PointsPerInch;
  // Without line ends, so that the parser's line numbers stay the file's.
  edits.Insert(rootEnd + 1, "<!--Used to clip frame - Not compatible with AI10 - remove if necessary-->"
                            "<svg overflow=\"hidden\" width=\"" + std::to_string(static_cast<long>(paper.X)) +
                                "\" height=\"" + std::to_string(static_cast<long>(paper.Y)) + "\">");
  const std::size_t rootEndTag = FindSVGEndTag(text, rootEnd + 1, true);
  if (rootEndTag != std::string_view::npos) edits.Insert(rootEndTag, "</svg>");
}

TXMLNode RootOf(const TXMLDocument& doc) { return XMLFindNodeByType(doc, ntElement, "svg"); }

// The export's layer somewhere in the document, or a new one under base.
TXMLNode ReplaceMissingLayer(TLayerIndex& index, TXMLNode base, std::string_view layerId, bool inkscape,
                             bool illustrator) {
  if (TXMLNode layer = index.Find(layerId)) return layer;
  TXMLNode layer = base.AppendElement("g");
  layer.SetAttribute("id", layerId);
  SetNodeAttributes(layer, inkscape, illustrator);
  index.Added(layer, std::string(layerId));
  return layer;
}

// The layer, or a new one right before base (right below it in the drawing).
TXMLNode InsertAfterBase(TLayerIndex& index, TXMLNode base, std::string_view layerId, bool inkscape, bool illustrator) {
  if (TXMLNode layer = index.Find(layerId)) return layer;
  TXMLNode layer = base.InsertElementBefore("g");
  layer.SetAttribute("id", layerId);
  SetNodeAttributes(layer, inkscape, illustrator);
  index.Added(layer, std::string(layerId));
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
  // The name is searched for, not every tag read: a drawing has few.
  for (std::size_t name = Find(text, "svg", from); name != std::string_view::npos; name = Find(text, "svg", name + 1)) {
    const std::size_t tag = TagStartOf(text, name, false);
    if (tag == std::string_view::npos || tag < from) continue;
    if (nameEnd) *nameEnd = name + 3;
    return tag;
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

void HandleSVGClipFrame(std::string_view text, const TSVGInfo& info, TTextEdits& edits) {
  std::size_t nameEnd = 0;
  const std::size_t first = FindSVGStartTag(text, 0, &nameEnd);
  if (first == std::string_view::npos) return;
  const std::size_t second = FindSVGStartTag(text, nameEnd);
  const bool clipFrame = UsesClipFrame(info);
  if (!clipFrame && second != std::string_view::npos) RemoveSecondSVGTag(text, second, edits);
  else if (clipFrame && second == std::string_view::npos) AddSecondSVGTag(text, first, info, edits);
}

void HandleSVGClipFrame(std::string& text, const TSVGInfo& info) {
  TTextEdits edits;
  HandleSVGClipFrame(text, info, edits);
  if (!edits.Empty()) text = edits.ApplyTo(text);
}

void StripPGFBinary(std::string_view text, TTextEdits& edits) {
  const std::size_t start = Find(text, "<i:pgf ");
  const std::size_t end = Find(text, "</i:pgf>");
  if (start == std::string_view::npos || end == std::string_view::npos || end < start) return;
  // Its line ends stay, so that the lines after it keep their numbers.
  const std::size_t stop = end + 8;
  const auto lines = static_cast<std::size_t>(std::count(text.begin() + static_cast<std::ptrdiff_t>(start),
                                                         text.begin() + static_cast<std::ptrdiff_t>(stop), '\n'));
  edits.Replace(start, stop - start, std::string(lines, '\n'));
}

void StripPGFBinary(std::string& text) {
  TTextEdits edits;
  StripPGFBinary(text, edits);
  if (!edits.Empty()) text = edits.ApplyTo(text);
}

std::string FixLayerName(TLayerIndex& index, TXMLNode root, std::string_view section, std::string_view layerId,
                         bool inkscape, bool illustrator) {
  TXMLNode scope = section.empty() ? root : index.Find(section);
  if (!scope) return {};
  if (TXMLNode layer = index.FindSuffixed(layerId, scope)) {
    std::string old = layer.Attribute("id");
    const char suffix = old[layerId.size() + 1];
    if (suffix < '0' || suffix > '9') return {};
    layer.SetAttribute("id", layerId);
    index.Renamed(layer, old, std::string(layerId));
    SetNodeAttributes(layer, inkscape, illustrator);
    return old;
  }
  if (TXMLNode layer = index.Find(layerId, scope)) SetNodeAttributes(layer, inkscape, illustrator);
  return {};
}

void RecurseAndFixChildren(TXMLNode root, std::string_view name, bool inkscape, bool illustrator) {
  if (inkscape && illustrator) return;
  if (TXMLNode layer = XMLFindNode(root, "g", "id", name)) RemoveMarks(layer.FirstChild(), inkscape, illustrator);
}

void FixLayerNames(TXMLDocument& doc, const TRepairProgress& progress, bool inkscape, bool illustrator, TProcessLog& log) {
  TXMLNode root = RootOf(doc);
  if (!root) return;
  if (!inkscape) XMLDeleteAttribute(root, "xmlns:inkscape");
  if (!illustrator) {
    XMLDeleteAttribute(root, "xmlns:i");
    XMLDeleteAttribute(root, "i:pageBounds");
  }
  TLayerIndex index(doc);
  int repaired = 0;
  std::string report;
  for (const TRepairLayer& layer : Layers) {
    if (!layer.Fixed) continue;
    if (progress) progress(1, "Fixing: " + std::string(layer.Id));
    std::string old = FixLayerName(index, root, layer.Parent, layer.Id, inkscape, illustrator);
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
  TLayerIndex index(doc);
  TXMLNode anchor;
  for (const TRepairLayer& layer : Layers) {
    if (!anchor) anchor = ReplaceMissingLayer(index, root, layer.Id, inkscape, illustrator);
    else if (layer.Parent.empty()) anchor = InsertAfterBase(index, anchor, layer.Id, inkscape, illustrator);
    else ReplaceMissingLayer(index, anchor, layer.Id, inkscape, illustrator);
  }
  TRefData ref;
  if (!HasValidReference(doc, ref, units)) AddRefData(doc, info, units.Factors);
  // Every merge runs this: one empty defs where there is none, never another.
  if (!XMLFindNode(doc, "defs")) anchor.InsertElementBefore("defs");
}
