#pragma once
// Settings files (".vmsf"): the view and paper settings, the survey tree's
// check marks and the feature settings of feature and range surveys, as an
// XML document. Check marks and feature settings are matched to the loaded
// tree by kind and name, so a file fits the survey after it changed.

#include <functional>
#include <string>

class TAppContext;

// Writes the current settings and the loaded tree (safely: the old file
// stays until the new one is complete). Throws naming the file.
void SaveCaveTreeXML(TAppContext& app, const std::string& fileName);
// Reads a settings file and applies it; progress hears (position, total)
// while the check marks are matched. Throws naming the file and what is
// wrong ("Empty Information File", "Expected Float. Found: Boolean"...); the
// map settings apply only when all of them were read.
void LoadCaveTreeFromFile(TAppContext& app, const std::string& fileName,
                          const std::function<void(int position, int total)>& progress = {});
