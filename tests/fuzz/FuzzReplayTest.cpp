// Every input that ever made a harness fail, run through it again: kept in
// fuzz/crashes/HARNESS/ by scripts/fuzz.sh, and committed with the fix.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>

#include "FuzzTargets.h"

namespace {

const std::map<std::string, std::function<void(std::string_view)>> Harnesses = {
    {"FuzzPlotFile", FuzzPlotFile},
    {"FuzzSVGDrawing", FuzzSVGDrawing},
    {"FuzzSVGText", FuzzSVGText},
    {"FuzzMergeTarget", FuzzMergeTarget},
    {"FuzzSettingsFile", FuzzSettingsFile},
};

TEST(FuzzReplay, InputsThatOnceFailedPass) {
  const std::filesystem::path crashes = std::filesystem::path(QUILLMAP_FUZZ_CRASHES_DIR);
  int replayed = 0;
  for (const auto& [harness, run] : Harnesses) {
    if (!std::filesystem::is_directory(crashes / harness)) continue;
    for (const auto& entry : std::filesystem::directory_iterator(crashes / harness)) {
      std::ifstream in(entry.path(), std::ios::binary);
      const std::string bytes(std::istreambuf_iterator<char>(in), {});
      SCOPED_TRACE(entry.path().string());
      EXPECT_NO_THROW(run(bytes));
      ++replayed;
    }
  }
  EXPECT_GT(replayed, 0);
}

}  // namespace
