// quillmap settings: the settings the export options make for a plot,
// written as a settings file for the window's "Load Settings..." or for
// --settings.

#include "Commands.h"
#include "ExportOptions.h"
#include "app/SettingsFile.h"

int SettingsCommand(const TCommandArgs& args, std::ostream& out, std::ostream& err) {
  return WriteFromPlot(args, out, err, "settings", ".vmsf", "Wrote the settings of", SaveCaveTreeXML);
}
