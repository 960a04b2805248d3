#pragma once
// The options that export and preview share: the sheet, units, view, scale,
// rotation, passage model, editor marks and selection. They set the
// settings as the window's controls would, with the same ranges.

#include <functional>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "Commands.h"
#include "app/AppContext.h"
#include "preview/QMExcludeTool.h"

struct TExportRequest {
  std::string plotFile, outFile;
  std::vector<std::string> drawings;  // the .svg files named, in order
  bool overwrite = false, verbose = false, center = false;
  std::optional<int> units, paper, orientation;
  std::vector<std::pair<TSetting, double>> before, after;  // in command-line order
  std::vector<std::string> selections;
  std::string settingsFile;  // applied after the plot is read, before the options that follow it
  std::optional<std::string> tieIn;
  std::optional<TClipBox> clip;  // survey units, as the plot holds them
  std::optional<TClipCriteria> clipBy;
  std::optional<std::pair<TCaveDate, TCaveDate>> dates;
};

class TUsageError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// A command's own option: consumes it (taking its value when it has one
// through the getter) and answers true, or answers false.
using TExtraOption = std::function<bool(const std::string& name, const std::function<const std::string&()>& value)>;

// Which files a command takes besides its options: a plot file, and
// drawings (named .svg or .xml); the rest is refused.
struct TFilesWanted {
  bool PlotRequired = true;
  std::size_t Drawings = 0;
};

// Checks every value; throws TUsageError with what is wrong.
TExportRequest ParseExportArgs(const TCommandArgs& args, const TExtraOption& extra = {}, TFilesWanted files = {});
// The plot file's name with the extension when no output was named; refuses
// to replace an existing file without --overwrite, and any output that is
// the plot file, a folder or a device.
void SetOutputFile(TExportRequest& request, const std::string& extension);
// Refuses an output that exists without --overwrite, is a folder or a
// device, or is the plot file.
void CheckOutputFile(const TExportRequest& request);
// Sets the sheet, reads the plot, then sets scale, offsets, selection and
// centre. Returns the exit status: ExitLoaded when all went well.
int PrepareDrawing(TAppContext& app, const TExportRequest& request, std::ostream& err);
// A command that writes one file from the prepared plot (export, settings):
// the options read, the output named after the plot with the extension
// unless given, the file written by write, "DONE PLOT to OUT" said. The
// exit status.
int WriteFromPlot(const TCommandArgs& args, std::ostream& out, std::ostream& err, std::string_view command,
                  std::string_view extension, std::string_view done,
                  const std::function<void(TAppContext& app, const std::string& file)>& write);
