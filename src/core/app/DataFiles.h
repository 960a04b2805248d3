#pragma once
// Where the program's own files are: in the data folder beside the
// installed program (share/quillmap), or, for a program run from its build
// folder, in the source tree.

#include <filesystem>

// The user guide (guide.html); the source tree's when none is installed.
std::filesystem::path UserGuidePath();
