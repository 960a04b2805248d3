#pragma once
// The SVG export: the whole document, from the XML declaration to the
// closing tag, with the style entities, the definitions, the station marker
// symbol and the layer tree that editors, merge and repair rely on.

#include <functional>
#include <ostream>
#include <string>

#include "DrawingSources.h"
#include "QMProgress.h"

// What an export reads besides its settings record.
struct TExportSources : TDrawingSources {
  std::string GeneratorStamp;  // the version text, a blank, the date and time of the export
  std::function<void(const std::string&)> Log;  // the processing log
};

constexpr int ExportSteps = 20;

// The value of the style entity "T_s" of titles, scale and reference text.
constexpr std::string_view TextStyle = "fill:#000000;font-family:'Arial';font-size:6;";

// The reference data line of the reference layer (not escaped): plot name,
// view, paper rotation, scale, the frame and its centre in metres, pitch.
// A merge reads it back to learn how the drawing was made.
std::string ReferenceText(const TRefInfo& ref, double feetToMeters);

void WriteSVGToStream(std::ostream& stream, const TSVGInfo& info, TExportSources& sources,
                      TProgressDisplay& progress);

// Writes the document to fileName, replacing the file only once the whole
// document is written (WriteFileSafely). Throws std::runtime_error naming
// the file when it cannot be written.
void WriteSVGToFile(const std::string& fileName, const TSVGInfo& info, TExportSources& sources, TUserInterface& ui);
