#include "QMAdjust.h"

#include <stdexcept>

#include "QMSodiPodi.h"
#include "QMTransform.h"
#include "XMLDocLibrary.h"
#include "SVGScanners.h"

namespace {

std::string ElementName(TXMLNode element) {
  const std::string id = element.Attribute("id");
  return id.empty() ? "a " + element.LocalName() + " without an id" : id;
}

void AppendTranslate(TXMLNode element, T2DVector offset) {
  element.SetAttribute("transform", element.Attribute("transform") + " translate(" + MorphNumber(offset.X) + "," +
                                        MorphNumber(offset.Y) + ")");
}

}  // namespace

bool IsAdjustableGroup(TXMLNode node) {
  const std::string id = node.Attribute("id");
  return id.empty() || (id.size() >= 2 && id[0] == 'g' && id[1] >= '0' && id[1] <= '9');
}

TXMLNode GetTopAdjustableGroup(TXMLNode node) {
  TXMLNode top;
  for (TXMLNode parent = node.Parent(); parent && parent.Type() == ntElement && IsAdjustableGroup(parent);
       parent = parent.Parent())
    top = parent;
  return top;
}

T2DVector TAdjust::Displacement(T2DVector point, const std::string& element) {
  const T2DVector moved = morph_.MorphSVGPoint(point);
  report_.NoteMove(element, point, moved);
  return moved - point;
}

bool TAdjust::AdjustParentGroup(TXMLNode element) {
  TXMLNode group = GetTopAdjustableGroup(element);
  if (!group) return false;
  if (!groupList_.insert(group.Raw()).second) return true;
  T2DVector anchor;
  if (!GetNodePosition(element, "x", "y", anchor) && !GetNodePosition(element, "cx", "cy", anchor)) anchor = {};
  anchor = X3MatrixVectorMult(SetupTransformMatrix(element), anchor);
  AppendTranslate(group, Displacement(anchor, group.Attribute("id")));
  ++report_.GroupsMoved;
  return true;
}

bool TAdjust::AdjustAttributes(TXMLNode element, std::string_view x, std::string_view y) {
  T2DVector point;
  if (!GetNodePosition(element, x, y, point)) return false;
  const TX3Matrix matrix = SetupTransformMatrix(element);
  const T2DVector document = X3MatrixVectorMult(matrix, point);
  const T2DVector moved = document + Displacement(document, element.Attribute("id"));
  const T2DVector local = X3MatrixVectorMult(InvertX3Matrix(matrix), moved);
  SetNodeVector(element, x, y, local, 5);
  return true;
}

void TAdjust::AdjustTransform(TXMLNode element) {
  const T2DVector origin = X3MatrixVectorMult(SetupTransformMatrix(element), {0, 0});
  AppendTranslate(element, Displacement(origin, element.Attribute("id")));
}

void TAdjust::AdjustPath(TXMLNode element) {
  if (AdjustParentGroup(element)) return;
  if (AdjustAttributes(element, "sodipodi:cx", "sodipodi:cy")) return;  // a shape: its centre moves
  const std::string d = element.Attribute("d");
  if (d.empty()) return;
  const TX3Matrix matrix = SetupTransformMatrix(element);
  TPathArray path;
  ExtractPathData(d, path);
  MakePathAbsolute(path);
  TransformPath(matrix, path);
  const T2DVector offset = Displacement(FindPathCenter(path), element.Attribute("id"));
  for (TSVGPathItem& item : path) {
    item.Pos = item.Pos + offset;
    item.Control.P1 = item.Control.P1 + offset;
    item.Control.P2 = item.Control.P2 + offset;
  }
  TransformPath(InvertX3Matrix(matrix), path);
  element.SetAttribute("d", PathArrayToString(path));
  RemoveSodipodi(element);
}

void TAdjust::AdjustObject(TXMLNode element, std::string_view x, std::string_view y) {
  if (!AdjustParentGroup(element) && !AdjustAttributes(element, x, y)) AdjustTransform(element);
}

void TAdjust::AdjustLine(TXMLNode element) {
  if (AdjustParentGroup(element)) return;
  AdjustAttributes(element, "x1", "y1");
  AdjustAttributes(element, "x2", "y2");
}

void TAdjust::AdjustAllLayerElements(std::string_view layerId) {
  progress_.AdvanceProgress(progress_.ProgressDelta(), layerId);
  struct TPass {
    std::string_view Element;
    void (*Handler)(TAdjust&, TXMLNode);
  };
  static const TPass Passes[] = {
      {"text", [](TAdjust& a, TXMLNode e) { a.AdjustObject(e, "x", "y"); }},
      {"rect", [](TAdjust& a, TXMLNode e) { a.AdjustObject(e, "x", "y"); }},
      {"path", [](TAdjust& a, TXMLNode e) { a.AdjustPath(e); }},
      {"line", [](TAdjust& a, TXMLNode e) { a.AdjustLine(e); }},
      {"use", [](TAdjust& a, TXMLNode e) {
         a.morph_.MorphTransform(e, false);
         RemoveSodipodi(e);
       }},
      {"circle", [](TAdjust& a, TXMLNode e) { a.AdjustObject(e, "cx", "cy"); }},
      {"ellipse", [](TAdjust& a, TXMLNode e) { a.AdjustObject(e, "cx", "cy"); }},
  };
  int elements = 0;
  auto elementProgress = [this](long n, long total) { progress_.HandleElementProgress(n, total); };
  const TXMLNode layer = XMLFindNode(target_, "g", "id", layerId);
  for (const TPass& pass : Passes)
    IterrateLayerElements(layer, pass.Element, elementProgress, [&](TXMLNode element) {
      try {
        pass.Handler(*this, element);
      } catch (const std::exception& error) {
        const std::string name = ElementName(element);
        const std::string message = error.what();
        throw std::runtime_error(message.starts_with(name + ": ") ? message : name + ": " + message);
      }
      ++elements;
    });
  report_.Layers.push_back({std::string(layerId), elements});
}
