// The whole export of a small plot, byte for byte, against files whose
// numbers were worked out by hand from the projection's formulas (see
// tests/data/golden/README.md).

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "app/AppContext.h"
#include "export/QMExport.h"
#include "support/TestSupport.h"

namespace {

using S = TSetting;

const std::string GoldenDir = std::string(QUILLMAP_TEST_DATA_DIR) + "/golden/";
constexpr const char* FixedStamp = "Version 5.26.1.2.3 01/02/26 03:04:05";

struct TGoldenCase {
  const char* expectedFile;
  std::vector<std::pair<TSetting, double>> beforeLoading;
};

std::string Export(const TGoldenCase& golden) {
  TRecordingUserInterface ui;
  TAppContext app(ui);
  for (auto [setting, value] : golden.beforeLoading) app.Settings.Set(setting, value);
  EXPECT_TRUE(app.LoadPlotFile(GoldenDir + "golden.plt").Loaded);
  return ExportText(app, FixedStamp);
}

// The first line where two texts differ, for a readable failure.
std::string FirstDifference(const std::string& expected, const std::string& actual) {
  std::istringstream e(expected), a(actual);
  for (int line = 1;; ++line) {
    std::string le, la;
    bool moreExpected = static_cast<bool>(std::getline(e, le)), moreActual = static_cast<bool>(std::getline(a, la));
    if (!moreExpected && !moreActual) return "the end";
    if (le != la) return "line " + std::to_string(line) + ":\n  expected: " + le + "\n  actual:   " + la;
  }
}

TEST(GoldenExport, MatchesTheWorkedOutFiles) {
  const TGoldenCase cases[] = {
      {"default.svg", {}},
      {"profile.svg", {{S::View, 1}}},
      {"metric-a4-portrait.svg", {{S::Units, 1}, {S::Orientation, 1}, {S::PaperSize, 24}}},
      {"ai10-no-tags.svg", {{S::AI10Compatible, 1}, {S::InkscapeTags, 1}, {S::IllustratorTags, 1}}},
  };
  for (const TGoldenCase& golden : cases) {
    std::string actual = Export(golden);
    std::string expected = ReadBytes(GoldenDir + golden.expectedFile);
    if (actual == expected) continue;
    // After checking a changed export by hand, QUILLMAP_UPDATE_GOLDEN=1 writes it as the new expectation.
    if (std::getenv("QUILLMAP_UPDATE_GOLDEN")) {
      std::ofstream(GoldenDir + golden.expectedFile, std::ios::binary) << actual;
    } else {
      ADD_FAILURE() << golden.expectedFile << " differs at " << FirstDifference(expected, actual);
    }
  }
}

TEST(GoldenExport, IgnoresACommaLocale) {
  std::string saved = std::setlocale(LC_ALL, nullptr);
  if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) GTEST_SKIP() << "de_DE.UTF-8 locale not installed";
  std::locale previous = std::locale::global(std::locale("de_DE.UTF-8"));
  std::string actual = Export({"default.svg", {}});
  std::locale::global(previous);
  std::setlocale(LC_ALL, saved.c_str());
  EXPECT_TRUE(actual == ReadBytes(GoldenDir + "default.svg")) << FirstDifference(ReadBytes(GoldenDir + "default.svg"), actual);
}

}  // namespace
