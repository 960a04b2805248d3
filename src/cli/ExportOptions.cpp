// The options that export and preview share: the page, the view and the
// selection, set as the window's controls would set them.

#include "ExportOptions.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <iostream>

#include "Cli.h"
#include "ConsoleUserInterface.h"
#include "app/QMIni.h"
#include "app/SettingsFile.h"
#include "export/PaperSizes.h"
#include "preview/QMStationOffset.h"
#include "support/NumberText.h"
#include "support/SafeFile.h"

namespace {

using S = TSetting;

// An option that sets one setting: a number, a choice by word, or a check box
// (--key sets it, --no-key clears it).
struct TSettingOption {
  std::string_view Name;
  TSetting Setting;
  std::initializer_list<std::string_view> Words = {};  // of a choice, in item order
};

const TSettingOption SettingOptions[] = {
    {"view", S::View, {"plan", "profile"}},
    {"units", S::Units, {"feet", "meters"}},
    {"scale-factor", S::ScaleFactor},
    {"feet-per-inch", S::FeetPerInch},
    {"ratio", S::Ratio},
    {"yaw", S::Yaw},
    {"paper-rotation", S::PaperRotation},
    {"pitch", S::Pitch},
    {"grid", S::GridSpacing},
    {"scale-bar", S::ScaleBarType, {"modulo", "fixed"}},
    {"passage-shape", S::PassageShape, {"square", "diamond", "octagon"}},
    {"corner-threshold", S::CornerThreshold},
    {"rounding-depth", S::RoundingDepth, {"none", "one", "two"}},
    {"substitute-diameter", S::SubstituteDiameter},
    {"substitute-missing", S::SubstituteMissingLRUDs},
    {"expand-passages", S::ExpandPassages},
    {"vertical-prisms", S::VerticalPrisms},
    {"vertical-threshold", S::VerticalThreshold},
    {"merge-passages", S::MergePassages},
    {"seal-passage-ends", S::SealPassageEnds},
};

// An option of two numbers "X,Y" for a pair of settings.
struct TPairOption {
  std::string_view Name;
  TSetting X, Y;
  bool AfterLoading;  // the paper offset counts only once the plot is fitted
};

const TPairOption PairOptions[] = {
    {"paper-size", S::PaperX, S::PaperY, false},
    {"margins", S::MarginX, S::MarginY, false},
    {"paper-offset", S::PaperOffsetX, S::PaperOffsetY, true},
};

// An option without a value that sets one setting to one value.
struct TFixedOption {
  std::string_view Name;
  TSetting Setting;
  double Value;
};

const TFixedOption FixedOptions[] = {
    {"no-inkscape", S::InkscapeTags, 1},
    {"no-illustrator", S::IllustratorTags, 1},
    {"ai10", S::AI10Compatible, 1},
};

// Options that set the same thing in two ways: at most one of each group.
const std::initializer_list<std::string_view> ClashingOptions[] = {
    {"scale-factor", "feet-per-inch", "ratio"},
    {"yaw", "paper-rotation"},
    {"landscape", "portrait"},
    {"paper", "paper-size"},
    {"select", "clip", "dates"},  // each ticks the tree afresh
};

// Remembers the first option of each group; refuses a second one.
class TClashCheck {
public:
  void See(const std::string& name) {
    for (std::size_t group = 0; group < std::size(ClashingOptions); ++group) {
      const auto& names = ClashingOptions[group];
      if (std::find(names.begin(), names.end(), name) == names.end()) continue;
      if (!seen_[group].empty() && seen_[group] != name)
        throw TUsageError("--" + seen_[group] + " and --" + name + " set the same thing; give one of them");
      seen_[group] = name;
    }
  }

private:
  std::string seen_[std::size(ClashingOptions)];
};

template <typename Option, std::size_t N>
const Option* FindByName(const Option (&options)[N], std::string_view name) {
  for (const Option& option : options)
    if (option.Name == name) return &option;
  return nullptr;
}

// The scale options count only once the plot is fitted to the sheet.
bool AppliesAfterLoading(TSetting setting) {
  return setting == S::ScaleFactor || setting == S::FeetPerInch || setting == S::Ratio;
}

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

std::string Trimmed(std::string_view text) {
  auto blank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return std::string(text);
}

double Number(std::string_view option, const std::string& text) {
  if (std::optional<double> value = ParseReal(text)) return *value;
  throw TUsageError("--" + std::string(option) + ": \"" + text + "\" is not a number");
}

double NumberInRange(std::string_view option, TSetting setting, const std::string& text) {
  double value = Number(option, text);
  const TSettingSpec& spec = SpecOf(setting);
  if (value < spec.Min || value > spec.Max)
    throw TUsageError("--" + std::string(option) + ": " + text + " is outside " + FormatShortest(spec.Min) + " to " +
                      FormatShortest(spec.Max));
  return value;
}

std::pair<double, double> NumberPair(std::string_view option, TSetting first, TSetting second, const std::string& text) {
  std::size_t comma = text.find(',');
  if (comma == std::string::npos) throw TUsageError("--" + std::string(option) + ": give two numbers as X,Y");
  return {NumberInRange(option, first, text.substr(0, comma)), NumberInRange(option, second, text.substr(comma + 1))};
}

int PaperByName(const std::string& text) {
  std::string wanted = Lower(Trimmed(text));
  for (std::size_t i = 0; i < PaperSizeList.size(); ++i)
    if (Lower(Trimmed(PaperSizeList[i].Name)) == wanted) return static_cast<int>(i);
  throw TUsageError("--paper: no standard paper size is named \"" + text + "\"");
}

// Comma-separated parts, each trimmed.
std::vector<std::string> Parts(const std::string& text) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t comma; (comma = text.find(',', start)) != std::string::npos; start = comma + 1)
    parts.push_back(Trimmed(text.substr(start, comma - start)));
  parts.push_back(Trimmed(text.substr(start)));
  return parts;
}

TClipBox ClipBoxOf(const std::string& text) {
  const std::vector<std::string> parts = Parts(text);
  if (parts.size() != 6) throw TUsageError("--clip: give six numbers as west,east,south,north,bottom,top");
  TClipBox box;
  double* limits[] = {&box.West, &box.East, &box.South, &box.North, &box.Bottom, &box.Top};
  for (std::size_t i = 0; i < 6; ++i) *limits[i] = Number("clip", parts[i]);
  return box;
}

TClipCriteria ClipCriteriaOf(const std::string& text) {
  TClipCriteria criteria;
  for (const std::string& part : Parts(Lower(text))) {
    if (part == "depth") criteria.Depth = true;
    else if (part == "east-west") criteria.EastWest = true;
    else if (part == "north-south") criteria.NorthSouth = true;
    else throw TUsageError("--clip-by: \"" + part + "\" is none of depth, east-west, north-south");
  }
  return criteria;
}

TCaveDate DateOf(const std::string& text) {
  const bool shaped = text.size() == 10 && text[4] == '-' && text[7] == '-';
  const auto year = shaped ? ParseInt32(text.substr(0, 4)) : std::nullopt;
  const auto month = shaped ? ParseInt32(text.substr(5, 2)) : std::nullopt;
  const auto day = shaped ? ParseInt32(text.substr(8, 2)) : std::nullopt;
  if (!year || !month || !day || *month < 1 || *month > 12 || *day < 1 || *day > 31)
    throw TUsageError("--dates: \"" + text + "\" is no date of the form YYYY-MM-DD");
  return {static_cast<std::uint8_t>(*day), static_cast<std::uint8_t>(*month), static_cast<std::uint16_t>(*year)};
}

bool IsDrawingName(const std::string& name) {
  std::string extension = Lower(std::filesystem::path(name).extension().string());
  return extension == ".svg" || extension == ".xml";
}

}  // namespace

TExportRequest ParseExportArgs(const TCommandArgs& args, const TExtraOption& extra, TFilesWanted files) {
  TExportRequest request;
  auto value = [&](std::size_t& i) -> const std::string& {
    if (i + 1 >= args.size()) throw TUsageError(args[i] + " needs a value");
    return args[++i];
  };
  TClashCheck clashes;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (!arg.starts_with("-")) {
      if (IsDrawingName(arg) && request.drawings.size() < files.Drawings) {
        request.drawings.push_back(arg);
        continue;
      }
      if (!request.plotFile.empty()) throw TUsageError(files.Drawings ? "one plot file and " + std::to_string(files.Drawings) + " drawing(s) at a time" : "one plot file at a time");
      request.plotFile = arg;
      continue;
    }
    std::string name = arg.starts_with("--") ? arg.substr(2) : arg;
    clashes.See(name);
    if (arg == "-o") {
      request.outFile = value(i);
      if (request.outFile.empty()) throw TUsageError("-o needs a file name");
    }
    else if (extra && extra(name, [&]() -> const std::string& { return value(i); })) continue;
    else if (name == "overwrite") request.overwrite = true;
    else if (name == "verbose") request.verbose = true;
    else if (name == "center") request.center = true;
    else if (name == "landscape" || name == "portrait") request.orientation = name == "portrait";
    else if (name == "paper") request.paper = PaperByName(value(i));
    else if (const TPairOption* pair = FindByName(PairOptions, name)) {
      auto [x, y] = NumberPair(name, pair->X, pair->Y, value(i));
      auto& settings = pair->AfterLoading ? request.after : request.before;
      settings.insert(settings.end(), {{pair->X, x}, {pair->Y, y}});
    } else if (const TFixedOption* fixed = FindByName(FixedOptions, name)) {
      request.before.emplace_back(fixed->Setting, fixed->Value);
    } else if (name == "select") {
      request.selections.push_back(value(i));
    } else if (name == "tie-in") {
      request.tieIn = value(i);
    } else if (name == "clip") {
      request.clip = ClipBoxOf(value(i));
    } else if (name == "clip-by") {
      request.clipBy = ClipCriteriaOf(value(i));
    } else if (name == "dates") {
      const std::vector<std::string> parts = Parts(value(i));
      if (parts.size() != 2) throw TUsageError("--dates: give two dates as FROM,TO");
      request.dates = std::pair(DateOf(parts[0]), DateOf(parts[1]));
    } else if (name == "settings") {
      request.settingsFile = value(i);
      if (request.settingsFile.empty()) throw TUsageError("--settings needs a file name");
    } else {
      bool negated = name.starts_with("no-");
      std::string key = negated ? name.substr(3) : name;
      const TSettingOption* option = FindByName(SettingOptions, key);
      if (!option) throw TUsageError("unknown option \"" + arg + "\"");
      const TSettingSpec& spec = SpecOf(option->Setting);
      double setting = 0;
      if (spec.Kind == TSettingKind::Check) {
        setting = negated ? 0 : 1;
      } else if (negated) {
        throw TUsageError("unknown option \"" + arg + "\"");
      } else if (spec.Kind == TSettingKind::Choice) {
        const std::string& word = value(i);
        auto found = std::find(option->Words.begin(), option->Words.end(), Lower(word));
        if (found == option->Words.end()) {
          std::string words;
          for (std::string_view w : option->Words) words += (words.empty() ? "" : "|") + std::string(w);
          throw TUsageError("--" + key + ": \"" + word + "\" is not one of " + words);
        }
        setting = static_cast<double>(found - option->Words.begin());
      } else {
        setting = NumberInRange(key, option->Setting, value(i));
      }
      if (option->Setting == S::Units) request.units = static_cast<int>(setting);
      else (AppliesAfterLoading(option->Setting) ? request.after : request.before).emplace_back(option->Setting, setting);
    }
  }
  if (request.plotFile.empty() && files.PlotRequired) throw TUsageError("no plot file given");
  if (request.drawings.size() < files.Drawings)
    throw TUsageError(files.Drawings == 1 ? "no drawing (.svg) given" : "give " + std::to_string(files.Drawings) + " drawings (.svg)");
  if (request.clipBy && !request.clip) throw TUsageError("--clip-by goes with --clip");
  return request;
}

void SetOutputFile(TExportRequest& request, const std::string& extension) {
  if (request.outFile.empty())
    request.outFile = std::filesystem::path(request.plotFile).replace_extension(extension).string();
  CheckOutputFile(request);
}

void CheckOutputFile(const TExportRequest& request) {
  if (std::string refused = RefusedOutput(request.outFile, request.plotFile); !refused.empty())
    throw TUsageError("cannot write \"" + request.outFile + "\": " + refused);
  if (!request.overwrite && std::filesystem::exists(request.outFile))
    throw TUsageError("\"" + request.outFile + "\" exists; give --overwrite to replace it");
}


namespace {

// Checks every node whose text is the name; false when there is none.
bool SelectNodes(TSurveyTree& tree, const std::string& name) {
  bool found = false;
  for (int node = 0; node < tree.NodeCount(); ++node) {
    if (tree.Text(node) == name) {
      if (!tree.Checked(node)) tree.ToggleCheck(node);
      found = true;
    }
  }
  return found;
}


}  // namespace

int PrepareDrawing(TAppContext& app, const TExportRequest& request, std::ostream& err) {
  TSettingsModel& settings = app.Settings;
  // The sheet first, in the units chosen, so the plot is fitted to it.
  if (request.units) settings.Set(S::Units, *request.units);
  if (request.orientation) settings.Set(S::Orientation, *request.orientation);
  if (request.paper) settings.Set(S::PaperSize, *request.paper);
  for (auto [setting, value] : request.before) settings.Set(setting, value);
  try {
    if (!app.LoadPlotFile(request.plotFile).Loaded) return ExitFailed;
  } catch (const std::exception& error) {
    err << "quillmap: " << error.what() << '\n';
    return ExitFailed;
  }
  // A settings file as "Load Settings..." applies it; the options given go over it.
  if (!request.settingsFile.empty()) {
    try {
      LoadCaveTreeFromFile(app, request.settingsFile);
    } catch (const std::exception& error) {
      err << "quillmap: " << error.what() << '\n';
      return ExitFailed;
    }
  }
  for (auto [setting, value] : request.after) settings.Set(setting, value);
  if (request.tieIn) {
    const std::optional<long> station = StationNamed(app.Plot, *request.tieIn);
    if (!station) return UsageError(err, "--tie-in: no station is named \"" + *request.tieIn + "\"");
    TieInStation(app.Plot, settings, *station);
  }
  if (request.clip || request.dates) {
    TExcludeTool tool;
    tool.PresetComplex(app.Plot);
    if (request.clip) {
      tool.Box = *request.clip;
      tool.Criteria = request.clipBy.value_or(TClipCriteria{true, true, true, false});
      tool.SetByExtents(app.Plot, app.Tree);
    } else {
      std::tie(tool.From, tool.To) = *request.dates;
      tool.SetByDate(app.Plot, app.Tree);
    }
    settings.Set(S::ExcludeSections, 1);
  }
  for (const std::string& name : request.selections)
    if (!SelectNodes(app.Tree, name)) return UsageError(err, "--select: no section, survey or shot is named \"" + name + "\"");
  if (!request.selections.empty()) settings.Set(S::ExcludeSections, 1);
  if (request.center) settings.Center();
  return ExitLoaded;
}

int WriteFromPlot(const TCommandArgs& args, std::ostream& out, std::ostream& err, std::string_view command,
                  std::string_view extension, std::string_view done,
                  const std::function<void(TAppContext& app, const std::string& file)>& write) {
  TExportRequest request;
  try {
    request = ParseExportArgs(args);
    SetOutputFile(request, std::string(extension));
  } catch (const TUsageError& error) {
    return UsageError(err, std::string(command) + ": " + error.what());
  }
  const bool terminal = &err == &std::cerr && isatty(STDERR_FILENO);
  TConsoleUserInterface ui(err, request.plotFile, terminal, request.verbose);
  TAppContext app(ui, SuiteSurveyFoot());
  if (int status = PrepareDrawing(app, request, err); status != ExitLoaded) return status;
  try {
    write(app, request.outFile);
  } catch (const std::exception& error) {
    err << "quillmap: " << error.what() << '\n';
    return ExitFailed;
  }
  out << done << ' ' << request.plotFile << " to " << request.outFile << '\n';
  return ExitLoaded;
}
