#include "QMExport.h"

#include <algorithm>
#include <span>
#include <stdexcept>
#include <unordered_set>

#include "QMExportRun.h"
#include "support/NumberText.h"
#include "support/SafeFile.h"

namespace {

constexpr std::string_view SVGNamespace = "http://www.w3.org/2000/svg";
constexpr std::string_view XLinkNamespace = "http://www.w3.org/1999/xlink";
constexpr std::string_view InkscapeNamespace = "http://www.inkscape.org/namespaces/inkscape";
constexpr std::string_view IllustratorNamespace = "http://ns.adobe.com/AdobeIllustrator/10.0/";
constexpr std::string_view SVGPublicId = "-//W3C//DTD SVG 20010904//EN";
constexpr std::string_view SVGSystemId = "http://www.w3.org/TR/2001/REC-SVG-20010904/DTD/svg10.dtd";

// A comment (no entity name) or an entity of the document type declaration.
struct TStyleEntity {
  std::string_view Name;  // empty for a comment
  std::string_view Text;  // the comment, or the value before the colour
  TColor TSVGColors::*Color1 = nullptr;
  std::string_view Middle = {};  // between the colours
  TColor TSVGColors::*Color2 = nullptr;
  std::string_view Tail = {};
};

constexpr std::string_view LabelFont = ";font-family:'Arial';font-size:6;";

const TStyleEntity StyleEntities[] = {
    {"", "Styles for grid lines"},
    {"G_0", "stroke:", &TSVGColors::GridColor, ";fill:none;stroke-width:0.90;opacity:0.5;"},
    {"G_1", "stroke:", &TSVGColors::GridColor, ";fill:none;stroke-width:0.30;opacity:0.5;"},
    {"", "Background color (set by Vandral)"},
    {"B_s", "fill:", &TSVGColors::BackColor, ";"},
    {"", "Passage Floor color (set by Vandral)"},
    {"P_s", "fill:", &TSVGColors::FloorColor, ";"},
    {"", "Frame outline color and thickness"},
    {"F_s", "stroke:", &TSVGColors::FrameColor, ";fill:none;stroke-width:4;"},
    {"", "Style for title, scale, etc."},
    {"T_s", TextStyle},
    {"", "Styles for Vectors and Dimension lines (stroke color and thickness)"},
    {"V_s", "stroke:", &TSVGColors::LineColor, ";fill:none;stroke-width:0.18;"},
    {"", "Style for Splay SHots"},
    {"S_s", "stroke:", &TSVGColors::SplayColor, ";fill:none;stroke-width:0.36;"},
    {"", "Style for Station Name Labels"},
    {"L_s", "fill:", &TSVGColors::LabelColor, LabelFont},
    {"", "Style for Notes"},
    {"", "Scales for the station marker symbol and named flags"},
    {"_M", "0.798"},  // MarkerScale with 3 decimals
    {"", "Style for the station marker symbol"},
    {"MarkerStyle", "stroke:", &TSVGColors::MarkerColor, ";fill:", &TSVGColors::MarkerColor, ";"},
    {"", "Styles for filled passage models"},
    {"PassageModelStyle", "stroke:", &TSVGColors::PassWallColor, ";fill:", &TSVGColors::PassFillColor,
     ";stroke-width:0.18;"},
    {"", "Styles for \"From\" LRUD Lines"},
    {"FromLRUDStyle", "stroke:", &TSVGColors::FromLRUDColor, ";fill:none;stroke-width:0.18;"},
    {"", "Styles for \"To\" LRUD Lines"},
    {"ToLRUDStyle", "stroke:", &TSVGColors::ToLRUDColor, ";fill:none;stroke-width:0.18;"},
    {"", "Styles for Scalebar"},
    {"ScalebarStyle1", "stroke:#000000;fill:#000000;stroke-width:0.18;"},
    {"ScalebarStyle2", "stroke:#000000;fill:#FFFFFF;stroke-width:0.18;"},
    {"", "Style for Features"},
    {"FeatureStyle", "fill:", &TSVGColors::LabelColor, LabelFont},
    {"", "Style for Feature Names"},
    {"FeatureNameStyle", "fill:", &TSVGColors::FeatureNameColor, LabelFont},
};

// The layer tree in document order (bottom to top in the drawing).
struct TLayerSpec {
  std::string_view Id;
  std::string_view Step;  // progress step of a top layer
  void (*Content)(TSVGExport&) = nullptr;
  std::span<const TLayerSpec> Children = {};
  bool Hidden = false;
};

const TLayerSpec TracingLayers[] = {
    {"vdr_passage", "", WritePassagesLayer}, {"vdr_LRUDs", "", WriteLRUDLayer}, {"vdr_Sketchmap2", ""}, {"vdr_Sketchmap1", ""}};
const TLayerSpec DetailLayers[] = {{"w2d_Detail_shp", ""}, {"w2d_Detail_sym", ""}};
const TLayerSpec WallLayers[] = {{"w2d_Walls_shp", ""}, {"w2d_Walls_sym", ""}};
const TLayerSpec SurveyLayers[] = {{"w2d_Vectors", "", WriteAllVectors}, {"w2d_Markers", "", WriteAllMarkers}};
const TLayerSpec LegendLayers[] = {{"Scalebar", "", WriteScaleBar}, {"NorthArrow", "", WriteNorthArrow}};

const TLayerSpec LayerTree[] = {
    {"w2d_Background", "Background", WriteBackground},
    {"w2d_Ref", "Reference", WriteReference},
    {"vdr_Features", "Features", WriteAllFeatures},
    {"vdr_tracing", "Tracing", nullptr, TracingLayers},
    {"w2d_Mask", "Mask"},
    {"w2d_Detail", "Details", nullptr, DetailLayers},
    {"w2d_Walls", "Walls", nullptr, WallLayers},
    {"w2d_Survey", "Surveys", nullptr, SurveyLayers},
    {"w2d_Flags", "Flags", nullptr, {}, true},
    {"w2d_Labels", "Stations", WriteAllLabels},
    {"w2d_Notes", "Notes", nullptr, {}, true},
    {"w2d_Grid", "Grid", WriteGrid},
    {"w2d_Legend", "Legend", nullptr, LegendLayers},
    {"w2d_Frame", "Frame", WriteFrame},
};

void WriteLayer(TSVGExport& run, const TLayerSpec& layer) {
  if (layer.Hidden) run.OpenSVGLayer(layer.Id, {{"style", "display:none", true}});
  else run.OpenSVGLayer(layer.Id);
  if (layer.Content) layer.Content(run);
  for (const TLayerSpec& child : layer.Children) WriteLayer(run, child);
  run.CloseSVGLayer();
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Station names without regard to case.
struct TCaselessHash {
  std::size_t operator()(std::string_view text) const {
    std::size_t hash = 14695981039346656037u;
    for (char c : text) hash = (hash ^ static_cast<unsigned char>(Lower(c))) * 1099511628211u;
    return hash;
  }
};
struct TCaselessEqual {
  bool operator()(std::string_view a, std::string_view b) const {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Lower(x) == Lower(y); });
  }
};

}  // namespace

TSVGExport::TSVGExport(std::ostream& stream, const TSVGInfo& info, TExportSources& sources, TProgressDisplay& progress)
    : info_(info), sources_(sources), progress_(progress), xml_(stream) {
  const TPlotParams& params = info.PlotParams;
  transOffset_.X = PointsPerInch * params.Margin.X;
  transOffset_.Y = transOffset_.Z = PointsPerInch * (params.PaperWindow.Y + params.Margin.Y);
}

std::string TSVGExport::MakeLayerNameUnique(std::string_view layerName) {
  std::string id(layerName);
  for (int suffix = 1; !layerList_.Insert(id); ++suffix) id = std::string(layerName) + "-" + std::to_string(suffix);
  return id;
}

void TSVGExport::MakeElementIdUnique(std::string& id) {
  if (layerList_.Insert(id)) return;
  const std::size_t length = id.size();
  for (int suffix = 2;; ++suffix) {
    id.resize(length);
    id += '_';
    id += std::to_string(suffix);
    if (layerList_.Insert(id)) return;
  }
}

void TSVGExport::OpenSVGLayer(std::string_view layerName, std::initializer_list<TLayerAttribute> attribs) {
  xml_.PutAttribute("id", MakeLayerNameUnique(layerName));
  if (info_.AddInkscape) xml_.PutAttribute("inkscape:groupmode", "layer");
  if (info_.AddIllustrator) xml_.PutAttribute("i:layer", "yes");
  for (const TLayerAttribute& attribute : attribs) xml_.PutAttribute(attribute.Name, attribute.Value, attribute.NewLine);
  xml_.XMLOpenElementBlock("g");
}

void TSVGExport::Warning(const std::string& text) {
  if (sources_.Log) sources_.Log(text);
  progress_.UI().Warning(text);
}

TGlyphOutlines& TSVGExport::Glyphs() {
  if (!glyphs_) glyphs_ = std::make_unique<TGlyphOutlines>(sources_.Log);
  return *glyphs_;
}

void TSVGExport::PutStyleAttribute(std::string_view entity) {
  scratch_.assign("&").append(entity).append(";");
  xml_.PutAttribute("style", scratch_);
}

const std::vector<TSVGExport::TStationMark>& TSVGExport::StationMarks() {
  if (stationMarksFound_) return stationMarks_;
  const TPlotArray& vectors = sources_.Plot.VectorArray;
  // The names stay in the plot, which does not change during an export.
  std::unordered_set<std::string_view, TCaselessHash, TCaselessEqual> dupeList;
  dupeList.reserve(static_cast<std::size_t>(vectors.Count()));
  WalkSurveyShots(*this, [&](bool start, int fromInx, int toInx, const T3DVector& v1, const T3DVector& v2,
                             const TSurveyID&) {
    if (start && dupeList.insert(vectors[fromInx].Station.View()).second) stationMarks_.push_back({fromInx, Transform(v1)});
    if (dupeList.insert(vectors[toInx].Station.View()).second) stationMarks_.push_back({toInx, Transform(v2)});
  });
  stationMarksFound_ = true;
  return stationMarks_;
}

T2DVector TSVGExport::Transform(const T3DVector& v) const {
  return {PointsPerInch * v.X + transOffset_.X,
          transOffset_.Y - PointsPerInch * (info_.PlotParams.Plan ? v.Y : v.Z)};
}

T2DVector TSVGExport::Transform2D(T2DVector v) const {
  return {PointsPerInch * v.X + transOffset_.X, transOffset_.Y - PointsPerInch * v.Y};
}

void TSVGExport::WriteSVGText(std::string_view text, double x, double y) {
  xml_.PutAttribute("x", x, 1);
  xml_.PutAttribute("y", y, 1);
  xml_.XMLWriteCompleteElementAttrib("text", text);
}

void AppendPair(std::string& out, T2DVector p, int decimals, char separator) {
  AppendFixed(out, p.X, decimals);
  out += separator;
  AppendFixed(out, p.Y, decimals);
}

void TSVGExport::WritePolygon(std::initializer_list<T2DVector> points) {
  scratch_.clear();
  for (const T2DVector& p : points) {
    if (!scratch_.empty()) scratch_ += ' ';
    AppendPair(scratch_, p, 3, ',');
  }
  xml_.PutAttribute("points", scratch_);
  xml_.XMLWriteClosedElementAttrib("polygon");
}

void TSVGExport::WriteSVGTriangle(T2DVector p1, T2DVector p2, T2DVector p3) { WritePolygon({p1, p2, p3}); }
void TSVGExport::WriteSVGQuad(T2DVector p1, T2DVector p2, T2DVector p3, T2DVector p4) { WritePolygon({p1, p2, p3, p4}); }

void TSVGExport::WriteHead() {
  xml_.PutAttribute("version", "1.0");
  xml_.PutAttribute("encoding", "iso-8859-1");
  xml_.PutAttribute("standalone", "no");
  xml_.XMLWritePIDeclaration("xml");
  progress_.AdvanceProgress(progress_.ProgressDelta(), "Instructions");
  xml_.PutAttribute("updated", "no");
  xml_.PutAttribute("merged-content", "no");
  xml_.PutAttribute("adjustable", "no");
  xml_.XMLWritePIDeclaration("walls");
  progress_.AdvanceProgress(progress_.ProgressDelta(), "Walls Instruct");
  xml_.PutAttribute("inkscape-compatible", "yes");
  xml_.XMLWritePIDeclaration("vandral");
  progress_.AdvanceProgress(progress_.ProgressDelta(), "Vandral Instruct");
  xml_.XMLWriteComment("Generator: Vandral " + sources_.GeneratorStamp);
  xml_.XMLNewLine();
}

void TSVGExport::WriteDocType() {
  progress_.AdvanceProgress(progress_.ProgressDelta(), "Doctype");
  xml_.XMLOpenInternalDocType("svg", "PUBLIC", SVGPublicId, SVGSystemId);
  const TSVGColors& colors = sources_.Colors;
  std::string value;
  for (const TStyleEntity& entity : StyleEntities) {
    if (entity.Name.empty()) {
      xml_.XMLWriteComment(entity.Text);
      continue;
    }
    value.assign(entity.Text);
    if (entity.Color1) value += ColorToSVGColor(colors.*entity.Color1);
    value += entity.Middle;
    if (entity.Color2) value += ColorToSVGColor(colors.*entity.Color2);
    value += entity.Tail;
    xml_.XMLWriteInternalEntity(entity.Name, value);
  }
  xml_.XMLCloseInternalDocType();
  xml_.XMLNewLine();
}

void TSVGExport::WriteRootElement() {
  const std::string pw = std::to_string(static_cast<long>(PointsPerInch * info_.PlotParams.PaperSize.X));
  const std::string ph = std::to_string(static_cast<long>(PointsPerInch * info_.PlotParams.PaperSize.Y));
  xml_.PutAttribute("xmlns", SVGNamespace);
  xml_.PutAttribute("xmlns:xlink", XLinkNamespace, true);
  if (info_.AddInkscape) xml_.PutAttribute("xmlns:inkscape", InkscapeNamespace, true);
  if (info_.AddIllustrator) {
    xml_.PutAttribute("xmlns:i", IllustratorNamespace, true);
    xml_.PutAttribute("i:pageBounds", "0 0 " + pw + " -" + ph);
  }
  xml_.PutAttribute("width", pw + "pt", true);
  xml_.PutAttribute("height", ph + "pt");
  xml_.PutAttribute("viewBox", "0 0 " + pw + " " + ph);
  xml_.PutAttribute("style", "overflow:visible;enable-background:new 0 0 " + pw + " " + ph, true);
  xml_.XMLOpenElementBlock("svg");
  xml_.XMLNewLine();
  WriteDefinitions();
  xml_.XMLNewLine();
  if (UsesClipFrame(info_)) {
    xml_.XMLWriteComment("Used to clip frame - Not compatible with AI10 - remove if necessary");
    xml_.PutAttribute("width", pw);
    xml_.PutAttribute("height", ph);
    xml_.PutAttribute("overflow", "hidden");
    xml_.XMLOpenElementBlock("svg");
    xml_.XMLNewLine();
  }
}

void TSVGExport::WriteDefinitions() {
  for (std::string_view line : {"<defs>", "    <filter x=\"0\" y=\"0\" width=\"1\" height=\"1\" id=\"Highlight\">",
                                "      <feFlood flood-color=\"rgb(192,220,192)\" result=\"bg\" />", "      <feMerge>",
                                "        <feMergeNode in=\"bg\"/>", "        <feMergeNode in=\"SourceGraphic\"/>",
                                "      </feMerge>", "    </filter>", "</defs>"})
    xml_.XMLWriteLine(line);
}

void TSVGExport::WriteSymbol() {
  progress_.AdvanceProgress(progress_.ProgressDelta(), "Symbols");
  xml_.PutAttribute("id", "_m");
  xml_.XMLOpenElementBlock("symbol");
  xml_.PutAttribute("style", "fill:#FFFFFF;");
  xml_.PutAttribute("d", "M0,0h2v2H0z");
  xml_.XMLWriteClosedElementAttrib("path");
  xml_.XMLCloseElementBlock("symbol");
}

void TSVGExport::WriteDocument() {
  layerList_.Clear();
  layerList_.Reserve(2 * static_cast<std::size_t>(sources_.Plot.VectorArray.Count()) + 64);
  // The definitions' ids, so that no station takes them.
  layerList_.Insert("Highlight");
  layerList_.Insert("_m");
  xml_.ResetXMLWriter();
  WriteHead();
  WriteDocType();
  WriteRootElement();
  WriteSymbol();
  for (const TLayerSpec& layer : LayerTree) {
    progress_.AdvanceProgress(progress_.ProgressDelta(), layer.Step);
    WriteLayer(*this, layer);
  }
  xml_.XMLNewLine();
  if (UsesClipFrame(info_)) {
    xml_.XMLCloseElementBlock("svg");
    xml_.XMLNewLine();
  }
  xml_.XMLCloseElementBlock("svg");
  xml_.Flush();
}

void WriteSVGToStream(std::ostream& stream, const TSVGInfo& info, TExportSources& sources,
                      TProgressDisplay& progress) {
  TSVGExport(stream, info, sources, progress).WriteDocument();
}

void WriteSVGToFile(const std::string& fileName, const TSVGInfo& info, TExportSources& sources, TUserInterface& ui) {
  TProgressDisplay progress(ui);
  progress.DisplayStatus1("Exporting", clLime);
  progress.SetProgress(0);
  progress.SetProgressDelta(ExportSteps);
  WriteFileSafely(fileName, [&](std::ostream& out) { WriteSVGToStream(out, info, sources, progress); });
  progress.DisplayStatus1("Export Complete", clLime);
}
