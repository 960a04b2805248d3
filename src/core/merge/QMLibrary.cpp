#include "QMLibrary.h"

#include <cmath>
#include <stdexcept>

#include "SVGScanners.h"
#include "XMLDocLibrary.h"
#include "export/QMExport.h"
#include "support/NumberText.h"

namespace {

// A 0-based reading position and the token reads of the reference text.
class TTokenReader {
public:
  explicit TTokenReader(std::string_view text) : text_(text) {}
  // The text up to the delimiter, which is consumed; the end ends it too.
  std::string_view Token(char delimiter) {
    std::size_t end = text_.find(delimiter, position_);
    std::string_view token = text_.substr(position_, end == std::string_view::npos ? std::string_view::npos : end - position_);
    position_ = end == std::string_view::npos ? text_.size() : end + 1;
    return token;
  }
  double Number(char delimiter) { return NumberOf(Token(delimiter)); }
  void SkipSpace() {
    if (position_ + 1 < text_.size() && text_[position_] == ' ') ++position_;
  }
  static double NumberOf(std::string_view text) { return ParseReal(text).value_or(0.0); }

private:
  std::string_view text_;
  std::size_t position_ = 0;
};

std::string_view Trim(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

}  // namespace

bool ValidateRefData(std::string_view text) {
  auto has = [&](std::string_view word) { return text.find(word) != std::string_view::npos; };
  return !text.empty() && (has("Plan:") || has("Profile:")) && has("Scale:") && has("Frame:") && has("Center:");
}

void ExtractRefData(std::string_view text, TRefData& ref) {
  if (!ValidateRefData(text)) return;
  TTokenReader reader(text);
  // The name and the view: "NAME Plan" up to the colon.
  std::string_view head = reader.Token(':');
  reader.SkipSpace();
  std::size_t lastSpace = head.rfind(' ');
  std::string_view view = lastSpace == std::string_view::npos ? head : head.substr(lastSpace + 1);
  ref.Name = lastSpace == std::string_view::npos ? std::string() : std::string(Trim(head.substr(0, lastSpace)));
  ref.Plan = view == "Plan";
  ref.ReadYaw = reader.Number(' ');
  reader.Token(' ');  // "Scale:"
  reader.Token(':');  // "1"
  ref.Scale = reader.Number(' ');
  reader.Token(' ');  // "Frame:"
  ref.Frame.X = reader.Number('x');
  std::string_view frameY = reader.Token(' ');
  if (!frameY.empty() && !(frameY.back() >= '0' && frameY.back() <= '9')) {
    ref.Units = frameY.back();
    frameY.remove_suffix(1);
  }
  ref.Frame.Y = TTokenReader::NumberOf(frameY);
  reader.Token(' ');  // "Center:"
  ref.Center.X = reader.Number(' ');
  ref.Center.Y = reader.Number(' ');
  reader.Token(' ');  // "Pitch:"
  ref.ReadPitch = reader.Number(' ');
}

std::string ExtractNodeText(TXMLNode node) {
  std::string text;
  for (; node; node = node.NextSibling()) {
    if (node.IsTextOnly()) text += node.Value();
    text += ExtractNodeText(node.FirstChild());
  }
  return text;
}

double GetSVGLength(std::string_view text, const TLengthUnits& units) {
  double value = 0;
  std::size_t position = 0;
  try {
    if (!GetSVGDouble(text, position, value)) value = 0;
  } catch (const std::runtime_error&) {
    value = 0;  // a number beyond a double is no length
  }
  auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
  std::string_view unit = "px";
  if (text.size() >= 3 && letter(text[text.size() - 2]) && letter(text.back())) unit = text.substr(text.size() - 2);
  const TFootFactors& f = units.Factors;
  if (unit == "pt") return value / PointsPerInch;
  if (unit == "in") return value;
  if (unit == "cm") return value * f.Centimeters2Inches;
  if (unit == "mm") return value * f.Millimeters2Inches;
  if (unit == "pc") return value / PicasPerInch;
  return value / units.DotsPerInch;
}

bool GetIllustratorPaperSize(TXMLNode element, T2DVector& size, const TLengthUnits& units) {
  const std::string bounds = element.Attribute("i:pageBounds");
  if (bounds.empty()) return false;
  double numbers[4] = {0, 0, 0, 0};
  std::size_t count = 0, start = 0;
  for (std::size_t i = 0; i <= bounds.size() && count < 4; ++i) {
    if (i < bounds.size() && std::string_view("\t\n\r ,").find(bounds[i]) == std::string_view::npos) continue;
    numbers[count++] = GetSVGLength(std::string_view(bounds).substr(start, i - start), units);
    start = i + 1;
  }
  size = {std::abs(numbers[2] - numbers[0]), std::abs(numbers[3] - numbers[1])};
  return true;
}

void GetWidthHeight(TXMLNode element, T2DVector& size, const TLengthUnits& units) {
  size = {GetSVGLength(element.Attribute("width"), units), GetSVGLength(element.Attribute("height"), units)};
}

bool GetViewPortData(const TXMLDocument& document, TRefData& ref, const TLengthUnits& units) {
  TXMLNode root = XMLFindNodeByType(document, ntElement, "svg");
  if (!root) return false;
  if (!GetIllustratorPaperSize(root, ref.Paper, units)) GetWidthHeight(root, ref.Paper, units);
  return true;
}

void GetReferenceData(const TXMLDocument& document, TRefData& ref, const TLengthUnits& units) {
  ref.Valid = false;
  TXMLNode layer = XMLFindNode(document, "g", "id", "w2d_Ref");
  if (!layer) return;
  TXMLNode text = XMLFindSubNode(layer, "text");
  if (!text) return;
  ExtractRefData(ExtractNodeText(text), ref);
  ref.Valid = GetViewPortData(document, ref, units);
}

bool HasValidReference(const TXMLDocument& document, TRefData& ref, const TLengthUnits& units) {
  GetReferenceData(document, ref, units);
  return ref.Valid;
}

void AddRefData(TXMLDocument& document, const TSVGInfo& info, const TFootFactors& factors) {
  TXMLNode layer = XMLFindNode(document, "g", "id", "w2d_Ref");
  if (!layer) {
    TXMLNode root = XMLFindNodeByType(document, ntElement, "svg");
    if (!root) throw std::runtime_error("No svg element in the drawing");
    TXMLNode background = XMLFindNode(document, "g", "id", "w2d_Background");
    TXMLNode next = background ? background.NextSibling() : TXMLNode();
    layer = next ? next.InsertElementBefore("g") : (background ? background.Parent() : root).AppendElement("g");
    layer.SetAttribute("id", "w2d_Ref");
    SetNodeAttributes(layer, info.AddInkscape, info.AddIllustrator);
  }
  TXMLNode text = layer.AppendElement("text");
  // The export's style entity where the drawing declares it (an editor may
  // have dropped the declarations), else its value.
  if (document.DeclaresEntity("T_s")) text.SetAttributeWithReferences("style", "&T_s;");
  else text.SetAttribute("style", TextStyle);
  text.SetAttribute("x", FormatFixed(info.TitlePos.X * PointsPerInch, 1));
  text.SetAttribute("y", FormatFixed(info.TitlePos.Y * PointsPerInch, 1));
  text.SetText(Latin1ToUtf8(ReferenceText(info.RefInfo, factors.Feet2Meters)));
}
