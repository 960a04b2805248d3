#pragma once
// The quillmap command line. Exit status: 0 when the plot loaded, 1 when it
// could not be read or opened, 2 for bad usage.

#include <ostream>
#include <string>
#include <vector>

enum TExitStatus { ExitLoaded = 0, ExitFailed = 1, ExitUsage = 2 };

// Whether the first word after the program name asks for the command line
// (a subcommand, --help or --version) rather than the window.
bool IsCommandLine(const std::string& firstArg);

// args: the words after the program name.
int RunQuillmap(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
