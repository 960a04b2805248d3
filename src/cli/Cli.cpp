#include "Cli.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string_view>

#include "Commands.h"
#include "app/DataFiles.h"

namespace {

constexpr std::string_view UsageText =
    "usage: quillmap info FILE.plt [--json] [--tree]\n"
    "                                         counts, cave box, dates and survey tree of a plot file\n"
    "       quillmap dump FILE.plt            every vector, survey and section, tab-separated\n"
    "       quillmap export FILE.plt [-o OUT.svg] [--overwrite] [--verbose] [options]\n"
    "                                         the plot as a layered SVG drawing; options:\n"
    "         --view plan|profile  --units feet|meters  --scale-factor F | --feet-per-inch F | --ratio N\n"
    "         --yaw DEG | --paper-rotation DEG  --pitch DEG  --paper NAME | --paper-size W,H\n"
    "         --landscape | --portrait  --margins X,Y  --paper-offset X,Y  --center  --grid SPACING\n"
    "         --scale-bar modulo|fixed  --passage-shape square|diamond|octagon  --corner-threshold DEG\n"
    "         --rounding-depth none|one|two  --substitute-diameter D  --[no-]substitute-missing\n"
    "         --[no-]expand-passages  --[no-]vertical-prisms  --vertical-threshold DEG\n"
    "         --[no-]merge-passages  --[no-]seal-passage-ends  --no-inkscape  --no-illustrator  --ai10\n"
    "         --select NAME (repeatable: draw only the named sections, surveys and shots)\n"
    "         --settings FILE.vmsf (a settings file, applied after the plot is read; options go over it)\n"
    "         --tie-in STATION (that station where the first one lies)\n"
    "         --clip WEST,EAST,SOUTH,NORTH,BOTTOM,TOP [--clip-by depth,east-west,north-south]\n"
    "                (draw only the shots inside, in the plot's units) | --dates FROM,TO (YYYY-MM-DD)\n"
    "       quillmap preview FILE.plt [-o OUT.png] [--width W] [--height H] [--overwrite] [export options]\n"
    "                                         the window's preview (passage walls shown) as a PNG\n"
    "       quillmap validate FILE.svg [--json]  the tag balance of a drawing: every fault with its line\n"
    "       quillmap repair IN.svg -o OUT.svg [--overwrite] [--inkscape add|remove] [--illustrator add|remove]\n"
    "                [--ai10] [--[no-]remove-pgf] [--generator illustrator72|inkscape96|inkscape90]\n"
    "                [FILE.plt and export options]   a drawing an editor changed, brought back to the\n"
    "                                         export's layers (reference data from the plot when named)\n"
    "       quillmap merge FILE.plt TARGET.svg [-o OUT.svg] [--match] [--morph A,B,P[,N]] [--dry-run]\n"
    "                [--report OUT.json] [--replace-target] [--verbose] [export options]\n"
    "                                         the drawing's artwork morphed onto the survey as it is now\n"
    "                                         (default output FILE_Mrg.svg; a file replaced is kept as .bak1-4)\n"
    "       quillmap compare FILE.plt TARGET.svg [--match] [--json] [export options]\n"
    "                                         the drawing's reference values beside the survey's, and\n"
    "                                         the stations added, removed and moved most\n"
    "       quillmap settings FILE.plt [-o OUT.vmsf] [--overwrite] [export options]\n"
    "                                         the settings the options make, as a settings file\n"
    "       quillmap [FILE.plt] [TARGET.svg]  the window, with the plot file (and merge target) opened\n"
    "       quillmap --screenshot OUT.png [--view map|graphs|select] [FILE.plt] [TARGET.svg]\n"
    "                                         a picture of the window, drawn offscreen\n"
    "       quillmap --version | --help\n";

struct TSubcommand {
  std::string_view name;
  std::function<int(const TCommandArgs&, std::ostream&, std::ostream&)> run;
};

const TSubcommand Subcommands[] = {
    {"info", InfoCommand},
    {"dump", DumpCommand},
    {"export", ExportCommand},
    {"preview", PreviewCommand},
    {"validate", ValidateCommand},
    {"repair", RepairCommand},
    {"merge", MergeCommand},
    {"compare", CompareCommand},
    {"settings", SettingsCommand},
};

}  // namespace

bool OpensWindow(const std::vector<std::string>& args) {
  if (args.empty() || args.front() == "--screenshot") return true;
  for (const TSubcommand& subcommand : Subcommands)
    if (args.front() == subcommand.name) return false;
  return std::all_of(args.begin(), args.end(), [](const std::string& arg) {
    std::error_code error;
    return !arg.starts_with("-") && std::filesystem::is_regular_file(arg, error);
  });
}

int UsageError(std::ostream& err, const std::string& message) {
  err << "quillmap: " << message << '\n' << UsageText;
  return ExitUsage;
}

int RunQuillmap(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.empty()) return UsageError(err, "no command given");
  const std::string& command = args.front();
  if (command == "--help" || command == "-h") {
    out << UsageText << "User guide: " << UserGuidePath().string() << '\n';
    return ExitLoaded;
  }
  if (command == "--version") {
    out << "quillmap " QUILLMAP_VERSION "\n";
    return ExitLoaded;
  }
  for (const TSubcommand& subcommand : Subcommands)
    if (command == subcommand.name) return subcommand.run({args.begin() + 1, args.end()}, out, err);
  if (command.starts_with("-")) return UsageError(err, "unknown option \"" + command + "\"");
  return UsageError(err, "\"" + command + "\" is neither a command nor a file");
}
