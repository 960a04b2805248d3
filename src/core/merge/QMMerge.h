#pragma once
// The merge: a drawing the surveyor has drawn on (the target) and a fresh
// export of the changed survey (the source). The target's artwork is
// morphed to follow the new survey lines, its survey layers, page,
// definitions and entities are replaced by the source's, and it is saved
// after numbered backups of the file it replaces.

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "MergeReport.h"
#include "MorphLibrary.h"
#include "QMGraph.h"
#include "QMLibrary.h"
#include "XMLDom.h"
#include "export/QMProgress.h"
#include "repair/QMValidate.h"

// Everything a merge keeps between its steps, for the life of the window.
struct TMergeState {
  TXMLDocument SourceDoc, TargetDoc;
  std::string TargetFilename;
  bool TargetLoaded = false;
  bool MergeMorph = false;  // the last merge changed TargetDoc; compare and match reload it first
  bool SourceLoading = false;
  int TargetShotCount = 0, SourceShotCount = 0;
  TSurveyGraph BaseGraph{"Base Graph"}, MorphGraph{"Morph Graph"};
  std::vector<std::string> BaseShotIds, MorphShotIds;  // each edge's element id
  TLinePairs Lines;  // BaseLines and MorphLines
  double DotsPerInch = 90;  // lengths without a unit in the target
  TRefData TargetRef;       // what the panel last read of the target
  TMergeReport Report;
};

struct TMergeServices {
  TUserInterface& UI;
  TProcessLog& Log;
  TXMLValidation& Validation;
  const TFootFactors& Factors;
};

// The pixels per inch of each item of the compatibility dialog's generator choice.
double GeneratorDotsPerInch(int generator);

// Reads a target: checked, prepared, parsed, its layer ids repaired, its
// shots counted. Throws with the reason (the file name stays set).
void LoadMergeTarget(TMergeState& merge, const std::string& fileName, const TSVGInfo& info, int generator,
                     TMergeServices& services);
// Exports the current survey (through exportSurvey) into SourceDoc,
// calling pump now and then while it parses.
void LoadMergeSource(TMergeState& merge, const std::function<void(std::ostream&)>& exportSurvey,
                     const std::function<void()>& pump = {});
// The shot elements (path, line) right inside the w2d_Vectors layer; the
// count unchanged without such a layer.
void CountVectors(const TXMLDocument& document, int& count);
// Both graphs and the line pairs; true when a pair was found. Fills the
// report's pairs and the shots without a partner.
bool LoadGraphs(TMergeState& merge);
// The morph of the target's drawing layers and the adjustment of its
// symbol layers. False (and the error shown) when no shot pairs.
bool DoMorph(TMergeState& merge, const TMorphFactors& factors, TProgressDisplay& progress, TUserInterface& ui);

// The merge steps proper: missing layers recreated, the page, the survey
// layers, definitions and entities taken from the source.
void MergeSVGDocuments(TXMLDocument& source, TXMLDocument& target, const TSVGInfo& info, const TLengthUnits& units,
                       TProgressDisplay& progress);
void CopyFrameParameters(const TXMLDocument& source, TXMLDocument& target);
void ClearSVGLayer(TXMLDocument& document, std::string_view layerId);
void CopySVGLayer(const TXMLDocument& source, TXMLDocument& target, std::string_view layerId,
                  std::string_view elementName, std::string_view parentId, const TSVGInfo& info,
                  TProgressDisplay& progress);
// The children of the source's first element of that name after the
// target's; one whose id the target's already holds replaces that one, so
// that merge after merge keeps every id once.
void CopySVGElement(const TXMLDocument& source, TXMLDocument& target, std::string_view elementName,
                    TProgressDisplay& progress);

// The layers taken from the source, and where a missing one goes.
struct TCopiedLayer {
  std::string_view Id, Parent;
};
constexpr TCopiedLayer CopiedLayers[] = {
    {"NorthArrow", "w2d_Legend"}, {"Scalebar", "w2d_Legend"}, {"w2d_Vectors", ""}, {"w2d_Markers", ""},
    {"vdr_LRUDs", ""},            {"vdr_passage", ""},        {"w2d_Labels", ""},  {"w2d_Frame", ""},
    {"w2d_Grid", ""},             {"w2d_Background", ""},     {"w2d_Ref", ""},     {"vdr_Features", ""},
};

// Whether the two names are one file on disk (also through other paths).
bool IsSameFile(const std::string& a, const std::string& b);
// Writes the target beside the file, rotates the file into ".bak1" to
// ".bak4" once the new content is complete, and renames the new one in.
void SaveMergedData(const TXMLDocument& target, const std::string& fileName);
