#include "QMMerge.h"

#include <algorithm>
#include <filesystem>
#include <set>
#include <sstream>
#include <stdexcept>
#include <unordered_map>

#include "FileLibrary.h"
#include "QMAdjust.h"
#include "QMMorph.h"
#include "QMTransform.h"
#include "XMLDocLibrary.h"
#include "export/QMColors.h"
#include "repair/QMNormalize.h"
#include "support/SafeFile.h"

namespace {

// Clears SourceLoading however the export ends.
struct TLoadingFlag {
  explicit TLoadingFlag(bool& flag) : flag_(flag) { flag_ = true; }
  ~TLoadingFlag() { flag_ = false; }
  bool& flag_;
};

}  // namespace

double GeneratorDotsPerInch(int generator) {
  constexpr double DotsPerInch[] = {72, 96, 90};
  return generator >= 0 && generator < 3 ? DotsPerInch[generator] : 96;
}

void CountVectors(const TXMLDocument& document, int& count) {
  TXMLNode layer = XMLFindNode(document, "g", "id", "w2d_Vectors");
  if (!layer) return;
  count = 0;
  for (TXMLNode child = layer.FirstChild(); child; child = child.NextSibling())
    if (child.Type() == ntElement && (child.LocalNameIs("path") || child.LocalNameIs("line"))) ++count;
}

void LoadMergeTarget(TMergeState& merge, const std::string& fileName, const TSVGInfo& info, int generator,
                     TMergeServices& services) {
  merge.DotsPerInch = GeneratorDotsPerInch(generator);
  services.Log.LogText("Loading: " + std::filesystem::path(fileName).filename().string() + "\r\n" +
                       std::string(36, '=') + "\r\n\r\n");
  TProgressDisplay progress(services.UI);
  progress.SetProgress(0);
  progress.DisplayStatus1("Read Merge Target", clLime);
  progress.DisplayStatus2("Validating", clLime);
  merge.TargetFilename = fileName;
  merge.TargetLoaded = false;
  TLoadServices load{services.Validation, services.Log, services.UI};
  LoadValidateFile(fileName, merge.TargetDoc, info, load);
  progress.SetProgress(10);
  progress.DisplayStatus2("Loading", clLime);
  merge.TargetLoaded = true;
  merge.MergeMorph = false;
  progress.SetProgress(40);
  progress.DisplayStatus2("Fixing Layers", clLime);
  FixLayerNames(
      merge.TargetDoc, [&](int step, const std::string& text) { progress.AdvanceProgress(step, text); },
      info.AddInkscape, info.AddIllustrator, services.Log);
  progress.SetProgress(80);
  progress.DisplayStatus2("Count Vectors", clLime);
  CountVectors(merge.TargetDoc, merge.TargetShotCount);
  progress.SetProgress(100);
  progress.DisplayStatus1("Loaded", clLime);
  progress.DisplayStatus2("", clLime);
}

void LoadMergeSource(TMergeState& merge, const std::function<void(std::ostream&)>& exportSurvey,
                     const std::function<void()>& pump) {
  if (merge.SourceLoading) return;
  TLoadingFlag loading(merge.SourceLoading);
  std::ostringstream stream;
  exportSurvey(stream);
  const std::string text = std::move(stream).str();
  // The parser reads a few kilobytes at a time; the window paints in between.
  std::size_t position = 0;
  merge.SourceDoc.Parse(
      [&](char* buffer, std::size_t length) {
        if (pump) pump();
        const std::size_t count = std::min(length, text.size() - position);
        std::copy_n(text.data() + position, count, buffer);
        position += count;
        return count;
      },
      "the survey's export", &merge.TargetDoc);
  if (merge.SourceDoc.Empty()) throw std::runtime_error("Empty SVG File");
  CountVectors(merge.SourceDoc, merge.SourceShotCount);
}

bool LoadGraphs(TMergeState& merge) {
  merge.BaseGraph.Clear();
  merge.MorphGraph.Clear();
  merge.BaseShotIds.clear();
  merge.MorphShotIds.clear();
  GetSurveyGraph(merge.SourceDoc, merge.BaseGraph, &merge.BaseShotIds);
  GetSurveyGraph(merge.TargetDoc, merge.MorphGraph, &merge.MorphShotIds);
  CopyCommonLines(merge.Lines, merge.BaseGraph, merge.MorphGraph);
  // What did not pair, by station pair: a shot drawn twice is no new shot.
  TMergeReport& report = merge.Report;
  report.Pairs = merge.Lines.Size();
  std::set<std::pair<int, int>> partnered;
  for (int edge = 0; edge < merge.BaseGraph.EdgeCount(); ++edge) {
    const TEdge base = merge.BaseGraph.Edges.GetEdge(edge);
    bool reversed = false;
    const int partner = merge.MorphGraph.FindEdge(merge.BaseGraph.VertexName(base.Inx1),
                                                  merge.BaseGraph.VertexName(base.Inx2), reversed);
    if (partner < 0) {
      report.SourceUnpaired.push_back(merge.BaseShotIds[static_cast<std::size_t>(edge)]);
      continue;
    }
    const TEdge found = merge.MorphGraph.Edges.GetEdge(partner);
    partnered.insert(std::minmax(found.Inx1, found.Inx2));
  }
  for (int edge = 0; edge < merge.MorphGraph.EdgeCount(); ++edge) {
    const TEdge target = merge.MorphGraph.Edges.GetEdge(edge);
    if (!partnered.count(std::minmax(target.Inx1, target.Inx2)))
      report.TargetUnpaired.push_back(merge.MorphShotIds[static_cast<std::size_t>(edge)]);
  }
  return merge.Lines.Size() > 0;
}

bool DoMorph(TMergeState& merge, const TMorphFactors& factors, TProgressDisplay& progress, TUserInterface& ui) {
  if (!LoadGraphs(merge)) {
    ui.Error("Layer: w2d_vectors Missing.\r\nUnable to Morph or Merge.");
    return false;
  }
  const TMorphLines lines(merge.Lines.BaseLines, merge.Lines.MorphLines, factors);
  progress.DisplayStatus1("Measuring the fit", clLime);
  merge.Report.Fit =
      MeasureFit(lines, merge.Lines, merge.MorphShotIds, [&ui](std::size_t, std::size_t) { ui.ProcessEvents(); });
  progress.DisplayStatus1("Morphing", clLime);
  TMorph morph(merge.TargetDoc, lines, progress, merge.Report);
  for (std::string_view layer : MorphedLayers) morph.MorphAllLayerElements(layer);
  progress.DisplayStatus1("Adjusting", clLime);
  TAdjust adjust(morph, merge.TargetDoc, progress, merge.Report);
  for (std::string_view layer : AdjustedLayers) adjust.AdjustAllLayerElements(layer);
  return true;
}

void CopyFrameParameters(const TXMLDocument& source, TXMLDocument& target) {
  TXMLNode from = XMLFindNodeByType(source, ntElement, "svg"), to = XMLFindNodeByType(target, ntElement, "svg");
  if (!from || !to) return;
  for (const auto& [name, value] : from.Attributes()) to.SetAttribute(name, value);
  for (const char* name : {"width", "height", "viewBox", "style"}) to.SetAttribute(name, from.Attribute(name));
}

void ClearSVGLayer(TXMLDocument& document, std::string_view layerId) {
  if (TXMLNode layer = XMLFindNode(document, "g", "id", layerId)) layer.RemoveAllChildren();
}

namespace {

// The layers of one document by id, found in one walk: every search crosses
// all the shots.
class TLayerNodes {
public:
  TLayerNodes(const TXMLDocument& document, std::vector<std::string_view> ids) : ids_(std::move(ids)) {
    std::erase(ids_, std::string_view());
    nodes_ = XMLFindNodes(document, "g", "id", ids_);
  }

  TXMLNode Find(std::string_view id) const {
    const auto at = std::find(ids_.begin(), ids_.end(), id);
    return at == ids_.end() ? TXMLNode() : nodes_[static_cast<std::size_t>(at - ids_.begin())];
  }
  void Set(std::string_view id, TXMLNode node) {
    const auto at = std::find(ids_.begin(), ids_.end(), id);
    if (at != ids_.end()) nodes_[static_cast<std::size_t>(at - ids_.begin())] = node;
  }
  // Before the node's children go: forgets the layers among them.
  void ForgetInside(TXMLNode node) {
    for (TXMLNode& layer : nodes_)
      for (TXMLNode up = layer ? layer.Parent() : TXMLNode(); up; up = up.Parent())
        if (up == node) {
          layer = {};
          break;
        }
  }

private:
  std::vector<std::string_view> ids_;
  std::vector<TXMLNode> nodes_;
};

void CopyLayer(const TLayerNodes& source, TLayerNodes& target, std::string_view layerId, std::string_view elementName,
               std::string_view parentId, const TSVGInfo& info, TProgressDisplay& progress) {
  progress.AdvanceProgress(progress.ProgressDelta(), layerId);
  TXMLNode from = source.Find(layerId), to = target.Find(layerId);
  if (to) {
    target.ForgetInside(to);
    to.RemoveAllChildren();
  }
  if (!to && !parentId.empty()) {
    if (TXMLNode parent = target.Find(parentId)) {
      to = parent.AppendElement("g");
      to.SetAttribute("id", layerId);
      SetNodeAttributes(to, info.AddInkscape, info.AddIllustrator);
      target.Set(layerId, to);
    }
  }
  if (!to || !from) return;
  TX3Matrix inverse;
  try {
    inverse = InvertX3Matrix(SetupTransformMatrix(to));
  } catch (const std::exception& error) {
    throw std::runtime_error(std::string(layerId) + ": " + error.what());
  }
  to.AppendCopiesOfChildren(from, elementName, [&](TXMLNode copy) {
    if (copy.Type() == ntElement) AddMatrix(copy, inverse);
  });
}

}  // namespace

void CopySVGLayer(const TXMLDocument& source, TXMLDocument& target, std::string_view layerId,
                  std::string_view elementName, std::string_view parentId, const TSVGInfo& info,
                  TProgressDisplay& progress) {
  TLayerNodes to(target, {layerId, parentId});
  CopyLayer(TLayerNodes(source, {layerId}), to, layerId, elementName, parentId, info, progress);
}

void CopySVGElement(const TXMLDocument& source, TXMLDocument& target, std::string_view elementName,
                    TProgressDisplay& progress) {
  progress.AdvanceProgress(progress.ProgressDelta(), elementName);
  TXMLNode from = XMLFindNode(source, elementName), to = XMLFindNode(target, elementName);
  if (!from || !to) return;
  std::unordered_map<std::string, TXMLNode> byId;
  for (TXMLNode child = to.FirstChild(); child; child = child.NextSibling())
    if (std::string id = child.Attribute("id"); !id.empty()) byId.try_emplace(std::move(id), child);
  for (TXMLNode child = from.FirstChild(); child; child = child.NextSibling()) {
    const std::string id = child.Attribute("id");
    auto same = id.empty() ? byId.end() : byId.find(id);
    if (same != byId.end()) same->second = same->second.ReplaceWithCopyOf(child);
    else to.AppendCopyOf(child);
  }
}

void MergeSVGDocuments(TXMLDocument& source, TXMLDocument& target, const TSVGInfo& info, const TLengthUnits& units,
                       TProgressDisplay& progress) {
  ReplaceMissingLayers(target, info.AddInkscape, info.AddIllustrator, info, units);
  CopyFrameParameters(source, target);
  std::vector<std::string_view> ids;
  for (const TCopiedLayer& layer : CopiedLayers) ids.insert(ids.end(), {layer.Id, layer.Parent});
  const TLayerNodes from(source, ids);
  TLayerNodes to(target, ids);
  for (const TCopiedLayer& layer : CopiedLayers) CopyLayer(from, to, layer.Id, {}, layer.Parent, info, progress);
  CopySVGElement(source, target, "defs", progress);
  target.MergeDocType(source);
}

bool IsSameFile(const std::string& a, const std::string& b) {
  std::error_code error;
  return std::filesystem::equivalent(a, b, error);
}

void SaveMergedData(const TXMLDocument& target, const std::string& fileName) {
  WriteFileSafely(
      fileName, [&](std::ostream& out) { target.WriteTo(out); }, [&] { MultiLevelBackup(fileName, "bak", 4); });
}
