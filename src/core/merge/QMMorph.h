#pragma once
// The morph of a merge target's artwork: the elements of its drawing layers
// are warped so that they follow the survey lines from where they were
// drawn to where they are now; the elements of its symbol and note layers
// are moved as wholes (QMAdjust).
//
// The handlers of a layer first gather every point they will change, in
// document coordinates; the points are morphed together on all cores; then
// the handlers write them back, each element as its pass says. Within a
// drawing layer no pass reads what another writes, so this is the same as
// morphing element by element.

#include <string>
#include <string_view>
#include <vector>

#include "MergeReport.h"
#include "MorphLibrary.h"
#include "QMPath.h"
#include "XMLDom.h"
#include "export/QMProgress.h"

// The drawing layers, whose elements are warped, and the layers whose
// elements are moved whole, in the order the morph takes them.
constexpr std::string_view MorphedLayers[] = {"w2d_Walls_shp", "w2d_Detail_shp", "w2d_Mask"};
constexpr std::string_view AdjustedLayers[] = {"w2d_Detail_sym", "w2d_Walls_sym", "w2d_Notes", "w2d_Flags"};

// Pairs of numbers; a last unpaired number is dropped.
void ExtractPointsList(std::string_view text, std::vector<T2DVector>& points);
// " 1.00000,2.00000 3.00000,4.00000".
std::string PointsArrayToString(const std::vector<T2DVector>& points);
// Appends " matrix(M0,M3,M1,M4,M2,M5)" to the element's transform.
void AddMatrix(TXMLNode element, const TX3Matrix& matrix);

class TMorph {
public:
  TMorph(TXMLDocument& target, const TMorphLines& lines, TProgressDisplay& progress, TMergeReport& report)
      : target_(target), lines_(lines), progress_(progress), report_(report) {}

  // The ten passes over a drawing layer (path, polyline, use, text, line,
  // linearGradient, polygon, rect, circle, ellipse).
  void MorphAllLayerElements(std::string_view layerId);
  // The morph of one point of the document.
  T2DVector MorphSVGPoint(T2DVector point) const { return lines_.Morph(point); }

  // A transformed element's move: translate, rotate (when asked) and scale
  // appended to its transform, measured at its origin.
  void MorphTransform(TXMLNode element, bool rotate);

private:
  enum class TKind { Path, Points, Transform, Line, Simple };
  struct TJob {
    TXMLNode Element;
    TKind Kind;
    TX3Matrix Matrix, Inverse;
    std::size_t First = 0, Count = 0;  // its points in points_
    TPathArray Path;                   // a path's items, absolute, in document coordinates
    std::string_view X1, Y1;           // the position attributes of a line or shape
    // The leading points that are the element's own; the rest only measure
    // the turn and scale at its local origin.
    std::size_t OwnPoints() const;
  };
  void Gather(TXMLNode element, TKind kind, std::string_view x = {}, std::string_view y = {});
  void WriteBack(TJob& job, const T2DVector* morphed);

  TXMLDocument& target_;
  const TMorphLines& lines_;
  TProgressDisplay& progress_;
  TMergeReport& report_;
  std::vector<TJob> jobs_;
  std::vector<T2DVector> points_;  // gathered, then morphed
  std::vector<T2DVector> original_;
};

// The text of a number as the morph writes it: fixed with 5 decimals.
std::string MorphNumber(double value);
