// Damaged, extreme and unusual input: every read and every drawing of it
// ends in a clear report or a bounded, finite drawing, and no file of the
// user is lost.

#include <gtest/gtest.h>

#include <cmath>
#include <csignal>
#include <filesystem>
#include <fstream>

#include "app/AppContext.h"
#include "support/NumberText.h"
#include "support/SafeFile.h"
#include "support/TestSupport.h"

namespace {

const std::string HostileDir = std::string(QUILLMAP_TEST_DATA_DIR) + "/hostile/";

TEST(HostileInput, EveryFileReadsOrIsRefusedWithItsLine) {
  const struct {
    const char* file;
    bool loads;
    const char* report;  // of a refused file
  } cases[] = {
      {"continued-survey.plt", true, ""},
      {"huge-counts.plt", true, ""},
      {"bare-records.plt", true, ""},
      {"span-1e9.plt", true, ""},
      {"box-1e29.plt", true, ""},
      {"range-1e308.plt", false, "Value out of range\r\nLine: 7 \"L 0 0 0 SR1 P 0 0 0 0 V 1e308"},
      {"coincide-1e17.plt", false, "Value out of range (more than 1e9 feet)\r\nLine: 2 \"NA D 1 1 2001 C"},
      {"span-1e308.plt", false, "Value out of range (more than 1e9 feet)\r\nLine: 3 \"M 0 0 0 SA1"},
  };
  for (const auto& c : cases) {
    TRecordingUserInterface ui;
    TPlotState plot;
    TPlotReadResult read = OpenAndReadPlot(plot, HostileDir + c.file, ui);
    EXPECT_EQ(read.Loaded, c.loads) << c.file << ": " << read.ErrorReport;
    if (!c.loads) {
      EXPECT_EQ(read.ErrorReport, c.report) << c.file;
    }
  }
}

TEST(HostileInput, BoxesBeyondAnyCaveGiveWayToTheBoxOfTheVectors) {
  TRecordingUserInterface ui;
  TPlotState plot;
  ASSERT_TRUE(OpenAndReadPlot(plot, HostileDir + "box-1e29.plt", ui).Loaded);
  EXPECT_EQ(plot.CaveBox.Min.Vector(), (T3DVector{0, 0, 0}));
  EXPECT_EQ(plot.CaveBox.Max.Vector(), (T3DVector{10, 0, 0}));
  EXPECT_EQ(plot.SurveyArray[0].Max.Vector(), (T3DVector{10, 0, 0}));
}

TEST(HostileInput, ANumberAcrossTheReadBufferReadsAsAnywhereElse) {
  const std::string number = std::string(300, '0') + "10.5";  // 304 characters
  std::string head = "SCave\r\nNA\r\nM 0 0 0 SA\r\nD ";
  // Pad with a comment line so that the number straddles the 64 KiB mark.
  const std::size_t padding = 65536 - 100 - head.size() - 3;
  std::string text = std::string("; ") + std::string(padding, 'x') + "\r\n" + head + number + " 0 0 SB\r\n";
  ASSERT_LT(text.find(number), 65536u);
  ASSERT_GT(text.find(number) + number.size(), 65536u);
  TRecordingUserInterface ui;
  TPlotState plot;
  TPlotReadResult read = OpenAndReadPlot(plot, WriteScratchFile("straddle.plt", text), ui);
  ASSERT_TRUE(read.Loaded) << read.ErrorReport;
  EXPECT_DOUBLE_EQ(plot.VectorArray[1].Location.North, 10.5);
}

TEST(HostileInput, AFolderIsNoPlotFile) {
  TRecordingUserInterface ui;
  TPlotState plot;
  const std::string folder = std::filesystem::path(WriteScratchFile("any.plt", "")).parent_path().string();
  try {
    OpenAndReadPlot(plot, folder, ui);
    ADD_FAILURE() << "a folder read as a plot";
  } catch (const std::runtime_error& error) {
    EXPECT_NE(std::string(error.what()).find("Is a directory"), std::string::npos) << error.what();
  }
  EXPECT_FALSE(plot.FileLoaded);
}

TEST(HostileInput, DrawingsOfExtremeCavesAreBoundedAndFinite) {
  for (const char* file : {"span-1e9.plt", "box-1e29.plt", "continued-survey.plt", "bare-records.plt"}) {
    TRecordingUserInterface ui;
    TAppContext app(ui);
    ASSERT_TRUE(app.LoadPlotFile(HostileDir + file).Loaded) << file;
    app.Settings.Set(TSetting::GridSpacing, 0.1);  // the finest grid on the largest cave
    std::string svg = ExportText(app);
    EXPECT_LT(svg.size(), 2'000'000u) << file;
    EXPECT_EQ(svg.find("nan"), std::string::npos) << file;
    EXPECT_EQ(svg.find("inf"), std::string::npos) << file;
  }
}

TEST(HostileInput, MarginsThatTakeTheWholeSheetLeaveAFiniteDrawing) {
  TRecordingUserInterface ui;
  TAppContext app(ui);
  app.Settings.Set(TSetting::PaperX, 1);
  app.Settings.Set(TSetting::PaperY, 1);
  app.Settings.Set(TSetting::MarginX, 0.5);
  app.Settings.Set(TSetting::MarginY, 0.5);
  ASSERT_TRUE(app.LoadPlotFile(std::string(QUILLMAP_TEST_DATA_DIR) + "/golden/golden.plt").Loaded);
  std::string svg = ExportText(app);
  EXPECT_EQ(svg.find("nan"), std::string::npos);
}

TEST(HostileInput, NoNumberWriterWritesNaNOrInfinity) {
  for (double bad : {std::nan(""), HUGE_VAL, -HUGE_VAL}) {
    std::string out;
    EXPECT_THROW(AppendFixed(out, bad, 2), std::domain_error);
    EXPECT_TRUE(out.empty());
  }
}

TEST(SafeFile, AFailedWriteLeavesTheOldFileAndNoTemporary) {
  const std::string path = WriteScratchFile("drawing.svg", "months of work");
  const std::filesystem::path folder = std::filesystem::path(path).parent_path();
  const auto filesBefore = std::distance(std::filesystem::directory_iterator(folder), {});
  try {
    WriteFileSafely(path, [](std::ostream& out) {
      out << std::string(100000, 'x');
      throw std::runtime_error("disk on fire");
    });
    ADD_FAILURE() << "the failure went unreported";
  } catch (const std::runtime_error& error) {
    EXPECT_EQ(std::string(error.what()), "Cannot write \"" + path + "\": disk on fire");
  }
  EXPECT_EQ(ReadBytes(path), "months of work");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), filesBefore);
  WriteFileSafely(path, [](std::ostream& out) { out << "new"; });
  EXPECT_EQ(ReadBytes(path), "new");
}

TEST(SafeFile, RefusesFoldersDevicesAndTheInput) {
  const std::string input = WriteScratchFile("input.plt", "plot");
  const std::string folder = std::filesystem::path(input).parent_path().string();
  EXPECT_EQ(RefusedOutput(folder), "it is a folder");
  EXPECT_EQ(RefusedOutput("/dev/null"), "it is not a regular file");
  EXPECT_EQ(RefusedOutput(input, input), "it is the input file");
  EXPECT_EQ(RefusedOutput(folder + "/./input.plt", input), "it is the input file");
  EXPECT_EQ(RefusedOutput(folder + "/new.svg", input), "");
  EXPECT_THROW(WriteFileSafely("/dev/null", [](std::ostream& out) { out << "x"; }), std::runtime_error);
}

TEST(SafeFile, ATerminatedWriteLeavesNoTemporary) {
  const std::string path = WriteScratchFile("killed.svg", "old");
  const std::filesystem::path folder = std::filesystem::path(path).parent_path();
  const auto filesBefore = std::distance(std::filesystem::directory_iterator(folder), {});
  EXPECT_EXIT(
      {
        InstallTemporaryFileCleanup();
        WriteFileSafely(path, [](std::ostream& out) {
          out << std::string(200000, 'x');
          std::raise(SIGTERM);
        });
      },
      testing::KilledBySignal(SIGTERM), "");
  EXPECT_EQ(ReadBytes(path), "old");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), filesBefore);
}

}  // namespace
