#pragma once
// One export in progress, as the layer writers see it: the XML writer, the
// layer ids used so far, and the last step from paper inches to SVG points.

#include <string>
#include <string_view>
#include <unordered_set>

#include "QMExport.h"
#include "XMLLibrary.h"

// The station marker is the 2 x 2 symbol "_m" at this scale.
constexpr double MarkerScale = 0.798;

struct TLayerAttribute {
  std::string_view Name, Value;
  bool NewLine;
};

class TSVGExport {
public:
  TSVGExport(std::ostream& stream, const TSVGInfo& info, TExportSources& sources, TProgressDisplay& progress);

  void WriteDocument();

  const TSVGInfo& Info() const { return info_; }
  TExportSources& Sources() { return sources_; }
  TXMLWriter& Xml() { return xml_; }

  // A layer: a g block with a unique id and the editors' layer marks.
  void OpenSVGLayer(std::string_view layerName, std::initializer_list<TLayerAttribute> attribs = {});
  void CloseSVGLayer() { xml_.XMLCloseElementBlock("g"); }
  // The name, or the name with "-1", "-2"... when it is taken already.
  std::string MakeLayerNameUnique(std::string_view layerName);
  void PutStyleAttribute(std::string_view entity);

  // SVG point of a transformed cave point, and of a paper point.
  T2DVector Transform(const T3DVector& v) const;
  T2DVector Transform2D(T2DVector v) const;

  void WriteSVGText(std::string_view text, double x, double y);
  void WriteSVGTriangle(T2DVector p1, T2DVector p2, T2DVector p3);
  void WriteSVGQuad(T2DVector p1, T2DVector p2, T2DVector p3, T2DVector p4);

  // Station names met so far by the marker or label walk, without regard to case.
  void ClearDupeList() { dupeList_.clear(); }
  bool AddToDupeList(std::string_view station);  // false when already there

private:
  void WriteHead();
  void WriteDocType();
  void WriteRootElement();
  void WriteDefinitions();
  void WriteSymbol();
  void WritePolygon(std::initializer_list<T2DVector> points);

  const TSVGInfo& info_;
  TExportSources& sources_;
  TProgressDisplay& progress_;
  TXMLWriter xml_;
  std::unordered_set<std::string> layerList_;
  std::unordered_set<std::string> dupeList_;
  T3DVector transOffset_;
  std::string scratch_;
};

// Layer contents, each writing into the open layer.
void WriteBackground(TSVGExport& run);
void WriteReference(TSVGExport& run);
void WriteAllVectors(TSVGExport& run);
void WriteAllMarkers(TSVGExport& run);
void WriteAllLabels(TSVGExport& run);
void WriteGrid(TSVGExport& run);
void WriteScaleBar(TSVGExport& run);
void WriteNorthArrow(TSVGExport& run);
void WriteFrame(TSVGExport& run);
