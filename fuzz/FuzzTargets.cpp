#include "FuzzTargets.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <streambuf>
#include <string>

#include "app/AppContext.h"
#include "export/QMExport.h"
#include "preview/QMDisplay.h"
#include "merge/QMLibrary.h"
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
  DisplayCave(window, info, app.DrawingSources(), {true, true, true, true, true, true}, FormatFixed);
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
}
