#include <iostream>

#include "Cli.h"
#include "GuiMain.h"
#include "support/SafeFile.h"

// The window for no words, a screenshot or files to open; otherwise the
// command line.
int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  InstallTemporaryFileCleanup();
  if (OpensWindow(args)) return RunGui(argc, argv, args);
  std::ios::sync_with_stdio(false);
  return RunQuillmap(args, std::cout, std::cerr);
}
