#include "SettingsFile.h"

#include <array>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <stdexcept>
#include <string_view>

#include "AppContext.h"
#include "merge/XMLDocLibrary.h"
#include "support/NumberText.h"
#include "support/TextMatch.h"

namespace {

using S = TSetting;

// The element of each tree node kind, in the order of TItemTypes.
constexpr std::array<std::string_view, 7> KindElements = {"Section", "Survey",      "Shot",     "Feature",
                                                          "Range",   "FeatureItem", "RangeItem"};

// What the map settings hold, in file units: inches, feet, degrees.
struct TMapSettings {
  double ViewAngle = 0, Scale = 1;
  T2DVector PaperOffset;
  T3DVector CaveOffset;
  bool AI10Compatible = false, PlanView = true, Selective = false;
  double GridSpacing = 0;
  T2DVector PaperSize, PaperMargin;
  bool USUnits = true;
};

TMapSettings GatherMapSettings(const TSettingsModel& settings) {
  const double paper = settings.Units().PaperFactor, cave = settings.Units().CaveFactor;
  TMapSettings map;
  map.ViewAngle = settings.Value(S::Yaw);
  map.Scale = settings.Value(S::ScaleFactor);
  map.PaperOffset = T2DVector{settings.Value(S::PaperOffsetX), settings.Value(S::PaperOffsetY)} / paper;
  map.CaveOffset = {settings.Value(S::CaveOffsetX), settings.Value(S::CaveOffsetY), settings.Value(S::CaveOffsetZ)};
  map.AI10Compatible = settings.Checked(S::AI10Compatible);
  map.PlanView = settings.Choice(S::View) == 0;
  map.Selective = settings.Checked(S::ExcludeSections);
  map.GridSpacing = settings.Value(S::GridSpacing) / cave;
  map.PaperSize = T2DVector{settings.Value(S::PaperX), settings.Value(S::PaperY)} / paper;
  map.PaperMargin = T2DVector{settings.Value(S::MarginX), settings.Value(S::MarginY)} / paper;
  map.USUnits = settings.Choice(S::Units) == 0;
  return map;
}

void ApplyMapSettings(TSettingsModel& settings, double baseScale, const TMapSettings& map) {
  settings.Set(S::AI10Compatible, map.AI10Compatible);
  settings.Set(S::Units, map.USUnits ? 0 : 1);
  settings.Set(S::View, map.PlanView ? 0 : 1);
  settings.Set(S::ExcludeSections, map.Selective);
  const double paper = settings.Units().PaperFactor, cave = settings.Units().CaveFactor;
  const std::pair<S, double> quiet[] = {
      {S::PaperOffsetX, map.PaperOffset.X * paper}, {S::PaperOffsetY, map.PaperOffset.Y * paper},
      {S::PaperX, map.PaperSize.X * paper},         {S::PaperY, map.PaperSize.Y * paper},
      {S::MarginX, map.PaperMargin.X * paper},      {S::MarginY, map.PaperMargin.Y * paper},
      {S::GridSpacing, map.GridSpacing * cave},     {S::CaveOffsetX, map.CaveOffset.X},
      {S::CaveOffsetY, map.CaveOffset.Y},           {S::CaveOffsetZ, map.CaveOffset.Z}};
  for (const auto& [setting, value] : quiet) settings.SetWithoutReaction(setting, value);
  // With their reactions: feet per inch, ratio and paper rotation follow.
  // The scale goes in as the ratio: a scale that the ratio made may lie
  // below the scale factor control's own range.
  if (baseScale > 0) settings.Set(S::Ratio, 12 / (baseScale * map.Scale));
  else settings.SetWithoutReaction(S::ScaleFactor, map.Scale);  // no survey loaded yet
  settings.Set(S::Yaw, map.ViewAngle);
}

// ---- typed values ------------------------------------------------------------

void WriteMapSettings(TXMLNode map, const TMapSettings& m) {
  SaveTagXMLDouble(map, "ViewAngle", m.ViewAngle);
  SaveTagXMLDouble(map, "Scale", m.Scale);
  SaveTagXML2DVector(map, "PaperOffset", m.PaperOffset);
  SaveTagXML3DVector(map, "CaveOffset", m.CaveOffset);
  SaveTagXMLBoolean(map, "AI10Compatible", m.AI10Compatible);
  SaveTagXMLBoolean(map, "PlanView", m.PlanView);
  SaveTagXMLBoolean(map, "Selective", m.Selective);
  SaveTagXMLDouble(map, "GridSpacing", m.GridSpacing);
  SaveTagXML2DVector(map, "PaperSize", m.PaperSize);
  SaveTagXML2DVector(map, "PaperMagrin", m.PaperMargin);
  SaveTagXMLBoolean(map, "USUnits", m.USUnits);
}

// Each value found below the map settings replaces the current one.
TMapSettings ReadMapSettings(TXMLNode map, TMapSettings m) {
  auto read = [&](std::string_view name, auto& value, auto reader) {
    if (const TXMLNode node = XMLFindSubNode(map, name)) value = reader(node, value);
  };
  read("ViewAngle", m.ViewAngle, ReadXMLDouble);
  read("Scale", m.Scale, ReadXMLDouble);
  if (!(m.Scale > 0)) throw std::runtime_error("Scale must be more than 0");
  read("PaperOffset", m.PaperOffset, ReadXMLVector2D);
  read("CaveOffset", m.CaveOffset, ReadXMLVector3D);
  read("AI10Compatible", m.AI10Compatible, ReadXMLBoolean);
  read("PlanView", m.PlanView, ReadXMLBoolean);
  read("Selective", m.Selective, ReadXMLBoolean);
  read("GridSpacing", m.GridSpacing, ReadXMLDouble);
  read("PaperSize", m.PaperSize, ReadXMLVector2D);
  read("PaperMagrin", m.PaperMargin, ReadXMLVector2D);
  read("USUnits", m.USUnits, ReadXMLBoolean);
  return m;
}

// ---- feature settings --------------------------------------------------------

void WriteFeatureInfo(TXMLNode parent, const TFeatureInfo& info) {
  TXMLNode element = parent.AppendElement("FeatureInfo");
  const std::pair<std::string_view, std::string> fields[] = {
      {"FontFace", Latin1ToUtf8(info.FontFace.Str())},
      {"LabelFeatures", BooleanText(info.LabelFeatures)},
      {"FontColor", std::to_string(info.FontColor)},
      {"NumberMode", std::to_string(static_cast<int>(info.NumberMode))},
      {"SizeLow", std::to_string(info.SizeLow)},
      {"SizeHigh", std::to_string(info.SizeHigh)},
      {"NumberFormat", std::to_string(static_cast<int>(info.NumberFormat))},
      {"Digits", std::to_string(info.Digits)},
      {"LabelFeatures", BooleanText(info.LabelFeatures)},
      {"Symbol", std::to_string(info.Symbol)}};
  for (const auto& [name, text] : fields) element.AppendElement(name).SetText(text);
}

std::int64_t Whole(const std::string& text) {
  const std::optional<double> value = ParseReal(text);
  if (!value || *value != static_cast<double>(static_cast<std::int64_t>(*value)))
    throw std::runtime_error("\"" + text + "\" is not a valid integer value");
  return static_cast<std::int64_t>(*value);
}

TFeatureInfo ReadFeatureInfo(TXMLNode element, TFeatureInfo info) {
  auto field = [&](std::string_view name) -> std::optional<std::string> {
    for (TXMLNode child = element.FirstChild(); child; child = child.NextSibling())
      if (child.Type() == ntElement && child.LocalNameIs(name)) return child.TextContent();
    return std::nullopt;
  };
  if (auto text = field("FontFace")) info.FontFace.Assign(Utf8ToLatin1(*text));
  if (auto text = field("LabelFeatures")) info.LabelFeatures = *text == "True";
  if (auto text = field("FontColor")) info.FontColor = static_cast<TColor>(Whole(*text));
  if (auto text = field("NumberMode")) info.NumberMode = Whole(*text) == 0 ? nmSymbol : nmNumber;
  if (auto text = field("SizeLow")) info.SizeLow = static_cast<std::int32_t>(Whole(*text));
  if (auto text = field("SizeHigh")) info.SizeHigh = static_cast<std::int32_t>(Whole(*text));
  if (auto text = field("NumberFormat")) info.NumberFormat = Whole(*text) == 0 ? nfStandard : nfScientific;
  if (auto text = field("Digits")) info.Digits = static_cast<std::int32_t>(Whole(*text));
  if (auto text = field("Symbol")) info.Symbol = static_cast<std::uint8_t>(Whole(*text));
  return info;
}

// ---- check marks -------------------------------------------------------------

void WriteCheckBoxes(TXMLNode boxes, const TSurveyTree& tree, const TPlotState& plot) {
  std::vector<TXMLNode> elements(static_cast<std::size_t>(tree.NodeCount()));
  for (int node = 0; node < tree.NodeCount(); ++node) {
    const TTreeInfo& info = tree.Info(node);
    const int parent = tree.Parent(node);
    TXMLNode element = (parent == TSurveyTree::NoNode ? boxes : elements[static_cast<std::size_t>(parent)])
                           .AppendElement(KindElements[info.ItemType]);
    element.SetAttribute("Name", Latin1ToUtf8(tree.Text(node)));
    element.SetAttribute("Enabled", BooleanText(tree.Checked(node)));
    if (info.ItemType == itFeature || info.ItemType == itRange)
      WriteFeatureInfo(element, plot.SurveyArray[info.FromInx].Attributes.FeatureInfo);
    elements[static_cast<std::size_t>(node)] = element;
  }
}

void ApplyCheckBoxes(const TXMLDocument& doc, TSurveyTree& tree, const std::function<void(int, int)>& progress) {
  if (progress) progress(0, tree.NodeCount());
  std::set<std::string> enabled;  // "kind,name", in lower case
  std::vector<TXMLNode> pending{doc.DocumentNode()};
  while (!pending.empty()) {
    const TXMLNode node = pending.back();
    pending.pop_back();
    if (node.Type() == ntElement && node.Attribute("Enabled") == "True")
      enabled.insert(AsciiLowerCase(node.LocalName() + "," + node.Attribute("Name")));
    for (TXMLNode child = node.FirstChild(); child; child = child.NextSibling()) pending.push_back(child);
  }
  tree.SetChecks([&](int node) {
    if (progress && node % 10 == 0) progress(node, tree.NodeCount());
    const std::string kind(KindElements[tree.Info(node).ItemType]);
    return enabled.contains(AsciiLowerCase(kind + "," + Latin1ToUtf8(tree.Text(node))));
  });
  if (progress) progress(100, 100);
}

void ApplyFeatureSettings(const TXMLDocument& doc, TPlotState& plot) {
  const TXMLNode boxes = XMLFindNode(doc, "CheckBoxes");
  if (!boxes) return;
  for (int index = 0; index < plot.SurveyArray.Count(); ++index) {
    TSurveyID survey = plot.SurveyArray.Get(index);
    if (survey.SurveyType == stSurvey) continue;
    const TXMLNode element = XMLFindSubNode(boxes, survey.SurveyType == stFeature ? "Feature" : "Range", "Name",
                                         Latin1ToUtf8(survey.Name.Str()));
    const TXMLNode info = element ? XMLFindSubNode(element, "FeatureInfo") : TXMLNode();
    if (!info) continue;
    survey.Attributes.FeatureInfo = ReadFeatureInfo(info, survey.Attributes.FeatureInfo);
    plot.SurveyArray.Put(index, survey);
  }
}

}  // namespace

void SaveCaveTreeXML(TAppContext& app, const std::string& fileName) {
  TXMLDocument doc;
  doc.Parse("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<SVGSettings Quillmap=\"1.0\"/>", fileName);
  TXMLNode root = XMLFindNode(doc, "SVGSettings");
  WriteMapSettings(root.AppendElement("MapSettings"), GatherMapSettings(app.Settings));
  TXMLNode boxes = root.AppendElement("CheckBoxes");
  if (app.Plot.FileLoaded) WriteCheckBoxes(boxes, app.Tree, app.Plot);
  doc.Save(fileName);
}

void LoadCaveTreeFromFile(TAppContext& app, const std::string& fileName,
                          const std::function<void(int position, int total)>& progress) {
  try {
    std::ifstream in(fileName, std::ios::binary);
    if (!in) throw std::runtime_error("cannot be opened");
    const std::string text((std::istreambuf_iterator<char>(in)), {});
    TXMLDocument doc;
    if (!text.empty()) doc.Parse(text, fileName);
    if (doc.Empty()) throw std::runtime_error("Empty Information File");
    if (const TXMLNode map = XMLFindNode(doc, "MapSettings"))
      ApplyMapSettings(app.Settings, app.Projection.BaseScale, ReadMapSettings(map, GatherMapSettings(app.Settings)));
    if (app.Plot.FileLoaded) {
      ApplyCheckBoxes(doc, app.Tree, progress);
      ApplyFeatureSettings(doc, app.Plot);
    }
    app.UpdatePlot();
  } catch (const std::exception& error) {
    throw std::runtime_error(fileName + ": " + error.what());
  }
}
