#pragma once
// quillmap without a subcommand: the window, optionally with a file to open;
// --screenshot OUT.png [FILE] draws the window offscreen into a PNG.

#include <string>
#include <vector>

int RunGui(int argc, char** argv, const std::vector<std::string>& args);
