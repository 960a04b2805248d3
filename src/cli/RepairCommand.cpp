// quillmap repair IN.svg -o OUT.svg [--overwrite] [editor choices]
// [FILE.plt and the export options]: a drawing repaired under the editor
// choices. Reference data that the drawing lacks is made from the plot file
// and options when one is named, else from the default settings.

#include <unistd.h>

#include <filesystem>
#include <iostream>

#include "Cli.h"
#include "Commands.h"
#include "ConsoleUserInterface.h"
#include "ExportOptions.h"
#include "app/QMIni.h"

namespace {

using S = TSetting;

// The compatibility dialog's choices, as words.
struct TChoiceOption {
  std::string_view Name;
  TSetting Setting;
  std::initializer_list<std::string_view> Words;
};
const TChoiceOption CompatibilityOptions[] = {
    {"inkscape", S::InkscapeTags, {"add", "remove"}},
    {"illustrator", S::IllustratorTags, {"add", "remove"}},
    {"generator", S::Generator, {"illustrator72", "inkscape96", "inkscape90"}},
};

}  // namespace

int RepairCommand(const TCommandArgs& args, std::ostream& out, std::ostream& err) {
  std::vector<std::pair<TSetting, double>> choices;
  TExportRequest request;
  try {
    request = ParseExportArgs(
        args,
        [&](const std::string& name, const std::function<const std::string&()>& value) {
          if (name == "remove-pgf" || name == "no-remove-pgf") {
            choices.emplace_back(S::RemoveBinaryData, name == "remove-pgf");
            return true;
          }
          for (const TChoiceOption& option : CompatibilityOptions) {
            if (name != option.Name) continue;
            const std::string& word = value();
            auto found = std::find(option.Words.begin(), option.Words.end(), word);
            if (found == option.Words.end()) {
              std::string words;
              for (std::string_view w : option.Words) words += (words.empty() ? "" : "|") + std::string(w);
              throw TUsageError("--" + name + ": \"" + word + "\" is not one of " + words);
            }
            choices.emplace_back(option.Setting, static_cast<double>(found - option.Words.begin()));
            return true;
          }
          return false;
        },
        {false, 1});
    if (request.outFile.empty()) throw TUsageError("give the repaired drawing's name with -o OUT.svg");
    CheckOutputFile(request);
  } catch (const TUsageError& error) {
    return UsageError(err, std::string("repair: ") + error.what());
  }
  const std::string& input = request.drawings.front();
  bool terminal = &err == &std::cerr && isatty(STDERR_FILENO);
  TConsoleUserInterface ui(err, input, terminal, request.verbose);
  TAppContext app(ui, SuiteSurveyFoot());
  for (auto [setting, value] : choices) app.Settings.Set(setting, value);
  if (!request.plotFile.empty()) {
    if (int status = PrepareDrawing(app, request, err); status != ExitLoaded) return status;
  } else {
    for (auto [setting, value] : request.before) app.Settings.Set(setting, value);
  }
  try {
    app.RepairSVGFile(input, request.outFile);
  } catch (const std::exception& error) {
    err << "quillmap: " << error.what() << '\n';
    return ExitFailed;
  }
  out << "Repaired " << input << " into " << request.outFile << '\n';
  return ExitLoaded;
}
