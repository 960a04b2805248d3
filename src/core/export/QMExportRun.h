#pragma once
// One export in progress, as the layer writers see it: the XML writer, the
// layer ids used so far, and the last step from paper inches to SVG points.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "GLTextOutline.h"
#include "IdSet.h"
#include "QMExport.h"
#include "ShotWalk.h"
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
  // An element's id, or when it is taken already the id with "_2", "_3"...:
  // editors rename repeated ids on save, and the merge reads a shot's
  // stations from its id up to the second "_", so the suffix keeps them.
  // Layer and element ids share one set: every id of the drawing is unique.
  void MakeElementIdUnique(std::string& id);
  void PutStyleAttribute(std::string_view entity);
  // Something the user should know of the drawing: a warning and a log line.
  void Warning(const std::string& text);

  // SVG point of a transformed cave point, and of a paper point.
  T2DVector Transform(const T3DVector& v) const;
  T2DVector Transform2D(T2DVector v) const;

  void WriteSVGText(std::string_view text, double x, double y);
  void WriteSVGTriangle(T2DVector p1, T2DVector p2, T2DVector p3);
  void WriteSVGQuad(T2DVector p1, T2DVector p2, T2DVector p3, T2DVector p4);

  // The stations of the drawn survey shots, each once (names compared
  // without regard to case) at its first drawn occurrence, in walk order:
  // the marker and label layers both show these.
  struct TStationMark {
    int Vector;     // index in the plot's VectorArray
    T2DVector At;   // SVG point
  };
  const std::vector<TStationMark>& StationMarks();

  // Symbol outlines, kept for the whole export.
  TGlyphOutlines& Glyphs();

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
  TIdSet layerList_;  // every id written so far
  std::vector<TStationMark> stationMarks_;
  std::unique_ptr<TGlyphOutlines> glyphs_;
  bool stationMarksFound_ = false;
  T3DVector transOffset_;
  std::string scratch_;
};

// The survey layers show the shots of plain surveys only, as the preview
// does: feature and range surveys have layers of their own.
template <typename ShotProc>
void WalkSurveyShots(TSVGExport& run, ShotProc&& shot) {
  TExportSources& sources = run.Sources();
  PlotPassageShots(sources.Projection, sources.Plot, sources.Tree, run.Info(),
                   [&](bool start, int fromInx, int toInx, const T3DVector& v1, const T3DVector& v2, const TSVGInfo&,
                       const TSurveyID& survey) {
                     if (survey.SurveyType == stSurvey) shot(start, fromInx, toInx, v1, v2, survey);
                   });
}

// x, the separator, y, each in fixed point.
void AppendPair(std::string& out, T2DVector p, int decimals, char separator);

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
void WritePassagesLayer(TSVGExport& run);
void WriteLRUDLayer(TSVGExport& run);
void WriteAllFeatures(TSVGExport& run);
