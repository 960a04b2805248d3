#pragma once
// Reference data: the line of the reference layer w2d_Ref that records how
// a drawing was made (plot name, view, rotation, scale, the paper frame and
// its centre), read back from a drawing with the drawing's page size, and
// written into a drawing that has none.

#include <string>
#include <string_view>

#include "XMLDom.h"
#include "export/QMGlobal.h"
#include "export/QMScaleUnits.h"

struct TRefData {
  std::string Name;     // the plot file name without folder and extension
  bool Plan = true;     // false: profile
  double ReadYaw = 0;   // as written: the paper rotation
  double ReadPitch = 0;
  double Scale = 0;     // N of 1:N
  T2DVector Frame;      // the paper window measured in the cave, in Units
  T2DVector Center;     // cave coordinates of the window's centre, in Units
  T2DVector Paper;      // the page in inches
  char Units = 0;       // 'm' for metres
  bool Valid = false;   // the drawing has a reference layer with a text and a root svg
};

// How lengths without a unit of a loaded drawing are read.
struct TLengthUnits {
  double DotsPerInch = 90;
  const TFootFactors& Factors;
};

// Reads the document's reference data into ref. A text that is no
// reference data leaves the fields as they were and still counts as valid.
void GetReferenceData(const TXMLDocument& document, TRefData& ref, const TLengthUnits& units);
bool HasValidReference(const TXMLDocument& document, TRefData& ref, const TLengthUnits& units);
// Not empty, "Plan:" or "Profile:", and "Scale:", "Frame:" and "Center:".
bool ValidateRefData(std::string_view text);
// Parses a reference text into Name to Units; nothing when it is none.
void ExtractRefData(std::string_view text, TRefData& ref);
// The texts of all text-only elements from the node on, in document order.
std::string ExtractNodeText(TXMLNode node);
// Paper from the root svg: Illustrator's i:pageBounds, else width and height.
bool GetViewPortData(const TXMLDocument& document, TRefData& ref, const TLengthUnits& units);
bool GetIllustratorPaperSize(TXMLNode element, T2DVector& size, const TLengthUnits& units);
void GetWidthHeight(TXMLNode element, T2DVector& size, const TLengthUnits& units);
// Inches of an SVG length: "pt", "in", "cm", "mm", "pc", else pixels; 0
// when it holds no number (or one beyond a double).
double GetSVGLength(std::string_view text, const TLengthUnits& units);

// Appends a reference text made from the settings to the w2d_Ref layer,
// which is created (after w2d_Background, with the settings' layer marks)
// when the drawing has none. Throws when the document has no root svg.
void AddRefData(TXMLDocument& document, const TSVGInfo& info, const TFootFactors& factors);
