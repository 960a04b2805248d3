// quillmap settings: the settings the export options make for a plot,
// written as a settings file for the window's "Load Settings..." or for
// --settings.

#include <unistd.h>

#include <iostream>

#include "Cli.h"
#include "Commands.h"
#include "ConsoleUserInterface.h"
#include "ExportOptions.h"
#include "app/SettingsFile.h"
#include "app/QMIni.h"

int SettingsCommand(const TCommandArgs& args, std::ostream& out, std::ostream& err) {
  TExportRequest request;
  try {
    request = ParseExportArgs(args);
    SetOutputFile(request, ".vmsf");
  } catch (const TUsageError& error) {
    return UsageError(err, std::string("settings: ") + error.what());
  }
  const bool terminal = &err == &std::cerr && isatty(STDERR_FILENO);
  TConsoleUserInterface ui(err, request.plotFile, terminal, request.verbose);
  TAppContext app(ui, SuiteSurveyFoot());
  if (int status = PrepareDrawing(app, request, err); status != ExitLoaded) return status;
  try {
    SaveCaveTreeXML(app, request.outFile);
  } catch (const std::exception& error) {
    err << "quillmap: " << error.what() << '\n';
    return ExitFailed;
  }
  out << "Wrote the settings of " << request.plotFile << " to " << request.outFile << '\n';
  return ExitLoaded;
}
