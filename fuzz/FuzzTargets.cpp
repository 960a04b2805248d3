#include "FuzzTargets.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <streambuf>
#include <string>

#include "app/AppContext.h"
#include "app/QMIni.h"
#include "app/SettingsFile.h"
#include "export/QMExport.h"
#include "preview/QMDisplay.h"
#include "merge/MorphLibrary.h"
#include "merge/QMLibrary.h"
#include "merge/QMMorph.h"
#include "merge/QMPath.h"
#include "merge/QMTransform.h"
#include "merge/SVGScanners.h"
#include "repair/QMNormalize.h"
#include "repair/QMValidate.h"
#include "support/NumberText.h"

namespace {

// Counts what it is given and keeps nothing.
class TNullBuffer : public std::streambuf {
protected:
  int_type overflow(int_type c) override { return traits_type::not_eof(c); }
  std::streamsize xsputn(const char*, std::streamsize count) override { return count; }
};

class TNullSurface : public TDrawingSurface {
public:
  int Width() const override { return 400; }
  int Height() const override { return 300; }
  void SetPen(TColor, int, TPenStyle) override {}
  void SetBrush(TColor) override {}
  void ClearBrush() override {}
  void SetFont(const std::string&, double, TColor) override {}
  void SetFontPixels(int) override {}
  void Line(TPixel, TPixel) override {}
  void Polygon(std::span<const TPixel>) override {}
  void Ellipse(TPixelRect) override {}
  void Rectangle(TPixelRect) override {}
  void Text(TPixel, std::string_view, TTextAnchor) override {}
  TPixel TextExtent(std::string_view text) override { return {static_cast<int>(6 * text.size()), 10}; }
  void SetClip(TPixelRect) override {}
  void ClearClip() override {}
};

// One scratch file per kind for the process: the readers take file names.
const std::string& ScratchFile(const char* kind = "plt") {
  static std::map<std::string, std::string> paths;
  std::string& path = paths[kind];
  if (path.empty()) path = [] {
    const char* folder = std::getenv("TMPDIR");
    std::string pattern = std::string(folder && *folder ? folder : "/tmp") + "/quillmap-fuzz-XXXXXX";
    int fd = mkstemp(pattern.data());
    if (fd >= 0) close(fd);
    return pattern;
  }();
  return path;
}

void WriteScratch(const std::string& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// What the merge writes must never hold a number that is no number.
void ExpectFiniteText(std::string_view text) {
  for (std::string_view bad : {"nan", "inf"})
    if (text.find(bad) != std::string_view::npos) std::abort();
}

// The survey that fuzzed drawings are merged onto: a loop and a spur.
constexpr std::string_view MergePlot =
    "Z 0 60 0 95 -10 0\r\nSFuzz Cave\r\nNA D 5 17 2001 C\r\nM 0 0 0 SA1 P 2 3 1 2 I 0\r\n"
    "D 0 95 -10 SA2 P 2 3 1 2 I 95.5\r\nD 50 95 -10 SA3 P 2 3 1 2 I 50\r\nD 60 30 -5 SA4 P 1 1 1 1 I 66\r\n"
    "D 0 0 0 SA1 P 2 3 1 2 I 60\r\nX 0 60 0 95 -10 0\r\n";

// The small survey the merge and settings harnesses work on, loaded.
void LoadSmallSurvey(TAppContext& app) {
  WriteScratch(ScratchFile(), MergePlot);
  if (!app.LoadPlotFile(ScratchFile()).Loaded) std::abort();
}

}  // namespace

void FuzzPlotFile(std::string_view bytes) {
  WriteScratch(ScratchFile(), bytes);
  TSilentUserInterface ui;
  TAppContext app(ui);
  const unsigned char choice = bytes.empty() ? 0 : static_cast<unsigned char>(bytes[0]);
  app.Settings.Set(TSetting::View, choice & 1);
  app.Settings.Set(TSetting::PassageShape, (choice >> 1) % 3);
  app.Settings.Set(TSetting::ShowFeatures, 1);
  app.Settings.Set(TSetting::LabelStations, 1);
  app.Settings.Set(TSetting::ShowPassageWalls, 1);
  if (!app.LoadPlotFile(ScratchFile()).Loaded) return;
  app.Settings.Set(TSetting::Yaw, (choice >> 3) * 11.25);
  TSVGInfo info = app.SVGInfo();
  TExportSources sources{app.DrawingSources(), "fuzz", [](const std::string&) {}};
  TProgressDisplay progress(ui);
  TNullBuffer discard;
  std::ostream out(&discard);
  WriteSVGToStream(out, info, sources, progress);
  TNullSurface surface;
  TPlotWindow window(surface);
  DisplayCave(window, info, app.DrawingSources(), {true, true, true, true, true, true, {}}, FormatFixed);
}

void FuzzSVGDrawing(std::string_view bytes) {
  const std::string& file = ScratchFile("svg");
  WriteScratch(file, bytes);
  TSilentUserInterface ui;
  TProcessLog log;
  TXMLValidation validation;
  TLoadServices services{validation, log, ui};
  const TFootFactors factors;
  TSVGInfo info;
  info.AddInkscape = !bytes.empty() && (bytes[0] & 1);
  info.AddIllustrator = !bytes.empty() && (bytes[0] & 2);
  info.PlotParams.PaperSize = {11, 8.5};
  TXMLDocument doc;
  try {
    LoadValidateFile(file, doc, info, services);
  } catch (const std::runtime_error&) {
    return;  // a drawing that does not parse is reported, and that is all
  }
  FixLayerNames(doc, {}, info.AddInkscape, info.AddIllustrator, log);
  try {
    ReplaceMissingLayers(doc, info.AddInkscape, info.AddIllustrator, info, {96, factors});
  } catch (const std::runtime_error&) {
    return;  // no svg element
  }
  TRefData ref;
  GetReferenceData(doc, ref, {72, factors});
  TXMLDocument again;
  again.Parse(doc.Serialize(), "again.svg");  // what is written parses
}

void FuzzSVGText(std::string_view bytes) {
  const TFootFactors factors;
  TRefData ref;
  ExtractRefData(bytes, ref);
  GetSVGLength(bytes, {96, factors});
  std::size_t position = 0;
  T2DLine line;
  try {
    while (GetSVGLine2D(bytes, position, line)) {
    }
  } catch (const std::runtime_error&) {
    // a number beyond a double: reported as a conversion error
  }
  position = 0;
  char c = 0;
  while (GetSVGTag(bytes, position, c)) ++position;

  // A number beyond a double, a wrong argument count or a number that is
  // not finite is reported as an error, never written.
  try {
    TPathArray path;
    ExtractPathData(bytes, path);
    MakePathAbsolute(path);
    TX3Matrix matrix;
    GetTransformMatrix(bytes, matrix);
    TransformPath(matrix, path);
    FindPathCenter(path);
    ExpectFiniteText(PathArrayToString(path));
  } catch (const std::runtime_error&) {
  } catch (const std::domain_error&) {
  }
  try {
    std::vector<T2DVector> points;
    ExtractPointsList(bytes, points);
    // Its points as line pairs, each line moved by the next one's start.
    std::vector<T2DLine> from, to;
    for (std::size_t i = 0; i + 2 < points.size() && from.size() < 64; i += 2) {
      from.push_back({points[i], points[i + 1]});
      to.push_back({points[i] + points[i + 2], points[i + 1] + points[i + 2]});
    }
    if (from.empty()) return;
    const TMorphLines lines(from, to, {1, 2, 0.5});
    lines.MorphPoints(points);
    ExpectFiniteText(PointsArrayToString(points));
  } catch (const std::runtime_error&) {
  } catch (const std::domain_error&) {
  }
}

void FuzzMergeTarget(std::string_view bytes) {
  WriteScratch(ScratchFile("svg"), bytes);
  TSilentUserInterface ui;
  TAppContext app(ui);
  LoadSmallSurvey(app);
  try {
    app.LoadMergeTarget(ScratchFile("svg"));
    app.MatchTargetCommand();
    app.DoMorphMerge("");
  } catch (const std::runtime_error&) {
    return;  // reported with the reason; the target is reloaded
  } catch (const std::domain_error&) {
    return;  // a transform that cannot be inverted
  }
  const std::string merged = app.Merge.TargetDoc.Serialize();
  if (bytes.find("nan") == std::string_view::npos && bytes.find("inf") == std::string_view::npos) ExpectFiniteText(merged);
}

void FuzzSettingsFile(std::string_view bytes) {
  WriteScratch(ScratchFile("vmsf"), bytes);
  TSilentUserInterface ui;
  TAppContext app(ui);
  LoadSmallSurvey(app);
  try {
    LoadCaveTreeFromFile(app, ScratchFile("vmsf"));
  } catch (const std::runtime_error&) {
    return;  // refused with the file's name and the reason
  }
  std::ostringstream svg;
  TSilentUserInterface quiet;
  TProgressDisplay progress(quiet);
  TExportSources sources{app.DrawingSources(), "fuzz", [](const std::string&) {}};
  WriteSVGToStream(svg, app.SVGInfo(), sources, progress);
  ExpectFiniteText(svg.str());
  // The same bytes as INI files: read, applied and written back.
  TIniFile ini(ScratchFile("vmsf"));
  GetUserDefaults(app.Settings, ini);
  TRecentFiles recent;
  recent.Load(ini);
  SaveUserDefaults(app.Settings, ini);
  recent.Save(ini);
}
