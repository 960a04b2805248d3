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

std::string Boolean(bool value) { return value ? "True" : "False"; }

void WriteTyped(TXMLNode parent, std::string_view name, std::string_view type, const std::string& text) {
  parent.AppendElement(name).AppendElement(type).SetText(text);
}

std::string Vector(std::initializer_list<double> values) {
  std::string text;
  for (double value : values) text += (text.empty() ? "" : ",") + FormatGeneral(value, 18);
  return text;
}

void WriteMapSettings(TXMLNode map, const TMapSettings& m) {
  WriteTyped(map, "ViewAngle", "Float", FormatGeneral(m.ViewAngle, 15));
  WriteTyped(map, "Scale", "Float", FormatGeneral(m.Scale, 15));
  WriteTyped(map, "PaperOffset", "Vector2D", Vector({m.PaperOffset.X, m.PaperOffset.Y}));
  WriteTyped(map, "CaveOffset", "Vector3D", Vector({m.CaveOffset.X, m.CaveOffset.Y, m.CaveOffset.Z}));
  WriteTyped(map, "AI10Compatible", "Boolean", Boolean(m.AI10Compatible));
  WriteTyped(map, "PlanView", "Boolean", Boolean(m.PlanView));
  WriteTyped(map, "Selective", "Boolean", Boolean(m.Selective));
  WriteTyped(map, "GridSpacing", "Float", FormatGeneral(m.GridSpacing, 15));
  WriteTyped(map, "PaperSize", "Vector2D", Vector({m.PaperSize.X, m.PaperSize.Y}));
  WriteTyped(map, "PaperMagrin", "Vector2D", Vector({m.PaperMargin.X, m.PaperMargin.Y}));
  WriteTyped(map, "USUnits", "Boolean", Boolean(m.USUnits));
}

// The text of a typed value's one child, which must be of the type.
std::optional<std::string> TypedText(TXMLNode map, std::string_view name, std::string_view type) {
  const TXMLNode value = XMLFindSubNode(map, name);
  if (!value) return std::nullopt;
  TXMLNode child = value.FirstChild();
  while (child && child.Type() != ntElement) child = child.NextSibling();
  const std::string found = child ? child.LocalName() : std::string();
  if (found != type) throw std::runtime_error("Expected " + std::string(type) + ". Found: " + found);
  return child.TextContent();
}

double Number(const std::string& text) {
  const std::optional<double> value = ParseReal(text);
  if (!value) throw std::runtime_error("\"" + text + "\" is not a valid floating point value");
  return *value;
}

void ReadFloat(TXMLNode map, std::string_view name, double& value) {
  if (auto text = TypedText(map, name, "Float")) value = Number(*text);
}

void ReadBoolean(TXMLNode map, std::string_view name, bool& value) {
  if (auto text = TypedText(map, name, "Boolean")) value = *text == "True" || *text == "true" || *text == "1";
}

template <std::size_t N>
std::array<double, N> Coordinates(const std::string& text) {
  std::array<double, N> values{};
  std::size_t start = 0;
  for (std::size_t i = 0; i < N; ++i) {
    const std::size_t comma = i + 1 < N ? text.find(',', start) : text.size();
    if (comma == std::string::npos) throw std::runtime_error("\"" + text + "\" is not a vector of " + std::to_string(N));
    values[i] = Number(text.substr(start, comma - start));
    start = comma + 1;
  }
  return values;
}

void ReadVector(TXMLNode map, std::string_view name, T2DVector& value) {
  if (auto text = TypedText(map, name, "Vector2D")) {
    const auto v = Coordinates<2>(*text);
    value = {v[0], v[1]};
  }
}

void ReadVector(TXMLNode map, std::string_view name, T3DVector& value) {
  if (auto text = TypedText(map, name, "Vector3D")) {
    const auto v = Coordinates<3>(*text);
    value = {v[0], v[1], v[2]};
  }
}

TMapSettings ReadMapSettings(TXMLNode map, TMapSettings m) {
  ReadFloat(map, "ViewAngle", m.ViewAngle);
  ReadFloat(map, "Scale", m.Scale);
  if (!(m.Scale > 0)) throw std::runtime_error("Scale must be more than 0");
  ReadVector(map, "PaperOffset", m.PaperOffset);
  ReadVector(map, "CaveOffset", m.CaveOffset);
  ReadBoolean(map, "AI10Compatible", m.AI10Compatible);
  ReadBoolean(map, "PlanView", m.PlanView);
  ReadBoolean(map, "Selective", m.Selective);
  ReadFloat(map, "GridSpacing", m.GridSpacing);
  ReadVector(map, "PaperSize", m.PaperSize);
  ReadVector(map, "PaperMagrin", m.PaperMargin);
  ReadBoolean(map, "USUnits", m.USUnits);
  return m;
}

// ---- feature settings --------------------------------------------------------

void WriteFeatureInfo(TXMLNode parent, const TFeatureInfo& info) {
  TXMLNode element = parent.AppendElement("FeatureInfo");
  const std::pair<std::string_view, std::string> fields[] = {
      {"FontFace", Latin1ToUtf8(info.FontFace.Str())},
      {"LabelFeatures", Boolean(info.LabelFeatures)},
      {"FontColor", std::to_string(info.FontColor)},
      {"NumberMode", std::to_string(static_cast<int>(info.NumberMode))},
      {"SizeLow", std::to_string(info.SizeLow)},
      {"SizeHigh", std::to_string(info.SizeHigh)},
      {"NumberFormat", std::to_string(static_cast<int>(info.NumberFormat))},
      {"Digits", std::to_string(info.Digits)},
      {"LabelFeatures", Boolean(info.LabelFeatures)},
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
    element.SetAttribute("Enabled", Boolean(tree.Checked(node)));
    if (info.ItemType == itFeature || info.ItemType == itRange)
      WriteFeatureInfo(element, plot.SurveyArray[info.FromInx].Attributes.FeatureInfo);
    elements[static_cast<std::size_t>(node)] = element;
  }
}

std::string Lower(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

void ApplyCheckBoxes(const TXMLDocument& doc, TSurveyTree& tree, const std::function<void(int, int)>& progress) {
  if (progress) progress(0, tree.NodeCount());
  std::set<std::string> enabled;  // "kind,name", in lower case
  std::vector<TXMLNode> pending{doc.DocumentNode()};
  while (!pending.empty()) {
    const TXMLNode node = pending.back();
    pending.pop_back();
    if (node.Type() == ntElement && node.Attribute("Enabled") == "True")
      enabled.insert(Lower(node.LocalName() + "," + node.Attribute("Name")));
    for (TXMLNode child = node.FirstChild(); child; child = child.NextSibling()) pending.push_back(child);
  }
  tree.SetChecks([&](int node) {
    if (progress && node % 10 == 0) progress(node, tree.NodeCount());
    const std::string kind(KindElements[tree.Info(node).ItemType]);
    return enabled.contains(Lower(kind + "," + Latin1ToUtf8(tree.Text(node))));
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
