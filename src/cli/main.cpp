#include <iostream>

#include "Cli.h"
#include "GuiMain.h"

// With a subcommand, the command line; otherwise the window.
int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (!args.empty() && IsCommandLine(args.front())) {
    std::ios::sync_with_stdio(false);
    return RunQuillmap(args, std::cout, std::cerr);
  }
  return RunGui(argc, argv, args);
}
