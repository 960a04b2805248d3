#pragma once
// The quillmap command line. Exit status: 0 when the plot loaded, 1 when it
// could not be read or opened, 2 for bad usage.

#include <ostream>
#include <string>
#include <vector>

enum TExitStatus { ExitLoaded = 0, ExitFailed = 1, ExitUsage = 2 };

// Whether the words after the program name ask for the window: none, a
// --screenshot, or files that exist (the window opens each). Anything else,
// a mistyped subcommand or option included, is for the command line, which
// answers it with its usage text.
bool OpensWindow(const std::vector<std::string>& args);

// args: the words after the program name.
int RunQuillmap(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
