#pragma once
// Layer repair: brings a drawing that an editor changed back to the
// export's layer structure, so that the merge and the user find every layer
// under its expected id.
//
// The text repairs work on a file's text before it is parsed: the inner
// clip svg is added or removed to agree with the editor choice, and
// Illustrator's private data is stripped. The document repairs work on the
// parsed drawing: layer ids with an editor's numeric suffix are restored,
// the editor marks adjusted, and every missing layer recreated in its place.

#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "export/QMGlobal.h"
#include "merge/QMLibrary.h"
#include "merge/XMLDom.h"
#include "repair/QMProcessLog.h"
#include "repair/TextEdits.h"

// One layer of the export's tree, as the repairs visit them.
struct TRepairLayer {
  std::string_view Id;
  std::string_view Parent;  // empty: a top layer, directly under the root
  bool Fixed;               // visited by FixLayerNames
};
// In the order both repairs visit them: from the topmost layer down.
std::span<const TRepairLayer> RepairLayers();

// ---- text repairs

// The "<" of the first start tag of an element whose local name is svg
// ("<svg" or "<prefix:svg", followed by a blank, "/" or ">") at or after
// from, or npos; nameEnd is set just past its name.
std::size_t FindSVGStartTag(std::string_view text, std::size_t from, std::size_t* nameEnd = nullptr);
// The ">" that ends the block that starts at start: each "<" opens a level,
// a ">" at level one or less ends it, a deeper one closes a level; npos.
std::size_t GetEndOfBlock(std::string_view text, std::size_t start);
// Makes the inner clip svg agree with UsesClipFrame(info): removes the
// second svg element's start tag and the first svg end tag after it, or
// wraps the whole drawing in a new one of the paper's size in points.
void HandleSVGClipFrame(std::string_view text, const TSVGInfo& info, TTextEdits& edits);
void HandleSVGClipFrame(std::string& text, const TSVGInfo& info);
// Removes the first "<i:pgf ..." ... "</i:pgf>" element (its line ends stay).
void StripPGFBinary(std::string_view text, TTextEdits& edits);
void StripPGFBinary(std::string& text);

// ---- document repairs

// Called once per visited layer with a step of 1 and "Fixing: " + its id.
using TRepairProgress = std::function<void(int step, const std::string& text)>;

// Restores layer ids with a one-digit suffix ("w2d_Vectors_1_"), sets or
// removes the editor marks of every visited layer (and the root's
// declarations of a switched-off editor), and cleans the labels layer.
// Writes the report to the log when an id was restored.
void FixLayerNames(TXMLDocument& doc, const TRepairProgress& progress, bool inkscape, bool illustrator, TProcessLog& log);
// Removes the marks of a switched-off editor from everything inside a layer.
void RecurseAndFixChildren(TXMLNode root, std::string_view name, bool inkscape, bool illustrator);
// Recreates every missing layer in its place, with the editor marks, adds
// reference data when the drawing has none, and an empty defs before
// w2d_Background when the drawing has no defs. Throws when there is no root svg.
void ReplaceMissingLayers(TXMLDocument& doc, bool inkscape, bool illustrator, const TSVGInfo& info,
                          const TLengthUnits& units);
