#pragma once
// quillmap without a subcommand: the window, optionally with a file to open;
// --screenshot OUT.png [--view map|graphs|select] [FILE...] draws the window
// (its map, the Graphs dialog or the shot select tool) offscreen into a PNG,
// a merge target's shots shown on the map.

#include <string>
#include <vector>

int RunGui(int argc, char** argv, const std::vector<std::string>& args);

// Drawing without a display: the offscreen platform unless one is chosen,
// and a private runtime folder when the session has none, which Qt would
// otherwise complain of on every run.
void PrepareOffscreenDrawing();
