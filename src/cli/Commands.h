#pragma once
// The subcommands, each given the words after its own name.

#include <ostream>
#include <string>
#include <vector>

#include "survey/PlotReader.h"

using TCommandArgs = std::vector<std::string>;

int InfoCommand(const TCommandArgs& args, std::ostream& out, std::ostream& err);
int DumpCommand(const TCommandArgs& args, std::ostream& out, std::ostream& err);
int ExportCommand(const TCommandArgs& args, std::ostream& out, std::ostream& err);
int PreviewCommand(const TCommandArgs& args, std::ostream& out, std::ostream& err);
int ValidateCommand(const TCommandArgs& args, std::ostream& out, std::ostream& err);
int RepairCommand(const TCommandArgs& args, std::ostream& out, std::ostream& err);
int MergeCommand(const TCommandArgs& args, std::ostream& out, std::ostream& err);
int CompareCommand(const TCommandArgs& args, std::ostream& out, std::ostream& err);
int SettingsCommand(const TCommandArgs& args, std::ostream& out, std::ostream& err);

// Reads fileName into plot, warnings to err. Returns the read's result, or a
// failed one when the file cannot be opened (said on err).
TPlotReadResult LoadPlotForCommand(TPlotState& plot, const std::string& fileName, std::ostream& err);

// Prints "quillmap: message" and the usage text; returns ExitUsage.
int UsageError(std::ostream& err, const std::string& message);
