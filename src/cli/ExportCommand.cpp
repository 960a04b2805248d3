// quillmap export FILE.plt [-o OUT.svg] [options]: the plot as an SVG
// drawing. Every value is checked before the plot is read; a bad one writes
// nothing.

#include <unistd.h>

#include <iostream>

#include "Cli.h"
#include "Commands.h"
#include "ConsoleUserInterface.h"
#include "ExportOptions.h"
#include "app/QMIni.h"

int ExportCommand(const TCommandArgs& args, std::ostream& out, std::ostream& err) {
  TExportRequest request;
  try {
    request = ParseExportArgs(args);
    SetOutputFile(request, ".svg");
  } catch (const TUsageError& error) {
    return UsageError(err, std::string("export: ") + error.what());
  }
  bool terminal = &err == &std::cerr && isatty(STDERR_FILENO);
  TConsoleUserInterface ui(err, request.plotFile, terminal, request.verbose);
  TAppContext app(ui, SuiteSurveyFoot());
  if (int status = PrepareDrawing(app, request, err); status != ExitLoaded) return status;
  try {
    app.ExportSVG(request.outFile);
  } catch (const std::exception& error) {
    err << "quillmap: " << error.what() << '\n';
    return ExitFailed;
  }
  out << "Exported " << request.plotFile << " to " << request.outFile << '\n';
  return ExitLoaded;
}
