#include "Cli.h"

#include <functional>
#include <string_view>

#include "Commands.h"

namespace {

constexpr std::string_view UsageText =
    "usage: quillmap info FILE.plt [--json] [--tree]\n"
    "                                         counts, cave box, dates and survey tree of a plot file\n"
    "       quillmap dump FILE.plt            every vector, survey and section, tab-separated\n"
    "       quillmap --version | --help\n";

struct TSubcommand {
  std::string_view name;
  std::function<int(const TCommandArgs&, std::ostream&, std::ostream&)> run;
};

const TSubcommand Subcommands[] = {
    {"info", InfoCommand},
    {"dump", DumpCommand},
};

}  // namespace

int UsageError(std::ostream& err, const std::string& message) {
  err << "quillmap: " << message << '\n' << UsageText;
  return ExitUsage;
}

int RunQuillmap(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.empty()) return UsageError(err, "no command given");
  const std::string& command = args.front();
  if (command == "--help" || command == "-h") {
    out << UsageText;
    return ExitLoaded;
  }
  if (command == "--version") {
    out << "quillmap " QUILLMAP_VERSION "\n";
    return ExitLoaded;
  }
  for (const TSubcommand& subcommand : Subcommands)
    if (command == subcommand.name) return subcommand.run({args.begin() + 1, args.end()}, out, err);
  return UsageError(err, "unknown command \"" + command + "\"");
}
