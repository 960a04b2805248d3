// quillmap export FILE.plt [-o OUT.svg] [options]: the plot as an SVG
// drawing. Every value is checked before the plot is read; a bad one writes
// nothing.

#include "Commands.h"
#include "ExportOptions.h"

int ExportCommand(const TCommandArgs& args, std::ostream& out, std::ostream& err) {
  return WriteFromPlot(args, out, err, "export", ".svg", "Exported",
                       [](TAppContext& app, const std::string& file) { app.ExportSVG(file); });
}
