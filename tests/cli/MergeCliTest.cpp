// quillmap merge and quillmap compare.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "Cli.h"
#include "CliRun.h"
#include "support/TestSupport.h"

namespace {

std::string Plot(const std::string& a3) {
  return Lines({"Z 0 50 0 95 -10 0", "SGolden Cave", "NA D 5 17 2001 C", "M 0 0 0 SA1 P 2 3 1 2 I 0",
                "D 0 95 -10 SA2 P 2 3 1 2 I 95.5", a3 + " SA3 P 2 3 1 2 I 50", "X 0 50 0 95 -10 0"});
}

// A survey drawn at 1:100 with a wall beside each shot; the survey then moves
// A3 and adds a shot from it.
struct TMergeFiles {
  std::string folder, plot, drawing;
  TMergeFiles() {
    const std::string test = testing::UnitTest::GetInstance()->current_test_info()->name();
    folder = std::filesystem::path(WriteScratchFile(test + "/placeholder", "")).parent_path().string();
    std::filesystem::create_directories(folder);
    const std::string before = folder + "/before.plt";
    std::ofstream(before, std::ios::binary) << Plot("D 50 95 -10");
    drawing = folder + "/drawing.svg";
    EXPECT_EQ(RunCli({"export", before, "-o", drawing, "--ratio", "100"}).status, ExitLoaded);
    std::string text = ReadBytes(drawing);
    const std::string layer = "<g id=\"w2d_Walls_shp\"";
    const std::size_t open = text.find('>', text.find(layer)) + 1;
    text.insert(open, "<path id=\"wall\" d=\"M300,300 L320,320\"/>");
    std::ofstream(drawing, std::ios::binary) << text;
    plot = folder + "/cave.plt";
    std::ofstream(plot, std::ios::binary) << Plot("D 70 95 -10") + Lines({"NB D 5 18 2001 C", "M 70 95 -10 SA3",
                                                                          "D 80 105 -10 SB1", "X 0 0 0 0 0 0"});
  }
};

TEST(CliMerge, SavesBesideThePlotWithBackupsAndAReport) {
  TMergeFiles files;
  const std::string report = files.folder + "/report.json";
  TRun run = RunCli({"merge", files.plot, files.drawing, "--match", "--report", report});
  ASSERT_EQ(run.status, ExitLoaded) << run.err;
  const std::string merged = files.folder + "/cave_Mrg.svg";
  EXPECT_EQ(run.out, "Merged " + files.plot + " into " + files.drawing + ": " + merged + " (2 line pairs)\n");
  EXPECT_NE(ReadBytes(merged).find("id=\"A3_B1\""), std::string::npos);
  EXPECT_NE(ReadBytes(merged).find("id=\"wall\""), std::string::npos);
  EXPECT_NE(ReadBytes(merged).find("Scale: 1:100.000000"), std::string::npos);  // matched to the drawing
  const std::string json = ReadBytes(report);
  EXPECT_EQ(json.rfind("{\"output\": \"" + merged + "\", \"pairs\": 2, \"targetUnpaired\": [], \"sourceUnpaired\": [\"A3_B1\"]", 0),
            0u)
      << json;
  EXPECT_NE(json.find("\"w2d_Walls_shp\": 1"), std::string::npos) << json;
  EXPECT_NE(json.find(", \"fit\": {\"median_pt\": "), std::string::npos) << json;
  EXPECT_NE(json.find("\"worst\": [{\"shot\": \"A2_A3\", \"miss_pt\": "), std::string::npos) << json;
  // Merged again, the earlier result is kept as the first backup.
  const std::string first = ReadBytes(merged);
  ASSERT_EQ(RunCli({"merge", files.plot, files.drawing, "--match"}).status, ExitLoaded);
  EXPECT_EQ(ReadBytes(files.folder + "/cave_Mrg.bak1"), first);
}

TEST(CliMerge, DryRunPrintsTheReportAndWritesNothing) {
  TMergeFiles files;
  const std::string drawing = ReadBytes(files.drawing);
  TRun run = RunCli({"merge", files.plot, files.drawing, "--match", "--dry-run", "--morph", "0.5,1.5,0,3"});
  ASSERT_EQ(run.status, ExitLoaded) << run.err;
  EXPECT_EQ(run.out.rfind("Merge Report:\n", 0), 0u) << run.out;
  EXPECT_NE(run.out.find("Line pairs: 2\n"), std::string::npos);
  EXPECT_NE(run.out.find("Survey shots not in the drawing: 1: A3_B1\n"), std::string::npos);
  EXPECT_NE(run.out.find("Largest move: "), std::string::npos);
  EXPECT_NE(run.out.find("\nFit: median "), std::string::npos);
  EXPECT_NE(run.out.find("\nWorst shots: A2_A3 "), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(files.folder + "/cave_Mrg.svg"));
  EXPECT_EQ(ReadBytes(files.drawing), drawing);
}

TEST(CliMerge, ReplacesTheDrawingMergedFromOnlyWhenToldTo) {
  TMergeFiles files;
  const std::string drawing = ReadBytes(files.drawing);
  TRun run = RunCli({"merge", files.plot, files.drawing, "--match", "-o", files.drawing});
  EXPECT_EQ(run.status, ExitFailed);
  EXPECT_NE(run.err.find("give --replace-target"), std::string::npos) << run.err;
  EXPECT_EQ(ReadBytes(files.drawing), drawing);
  run = RunCli({"merge", files.plot, files.drawing, "--match", "-o", files.drawing, "--replace-target"});
  ASSERT_EQ(run.status, ExitLoaded) << run.err;
  EXPECT_EQ(ReadBytes(files.folder + "/drawing.bak1"), drawing);
  EXPECT_NE(ReadBytes(files.drawing).find("id=\"A3_B1\""), std::string::npos);
}

TEST(CliMerge, RefusesBadUsageAndWritesNothing) {
  TMergeFiles files;
  const std::string noSvg = WriteScratchFile("plain.svg", "<a/>");
  const struct {
    std::vector<std::string> args;
    int status;
    const char* saying;
  } cases[] = {
      {{"merge", files.plot}, ExitUsage, "no drawing"},
      {{"merge", files.plot, files.drawing, "--morph", "1,2"}, ExitUsage, "A,B,P"},
      {{"merge", files.plot, files.drawing, "--morph", "1,2,2,4,4"}, ExitUsage, "A,B,P,N"},
      {{"merge", files.plot, files.drawing, "--morph", "1,2,2,2.5"}, ExitUsage, "\"2.5\" is not a whole number from 0 to 64"},
      {{"merge", files.plot, files.drawing, "--morph", "1,x,0"}, ExitUsage, "\"x\" is not a number"},
      {{"merge", files.plot, files.drawing, "--json"}, ExitUsage, "--json"},
      {{"merge", files.plot, files.drawing, "--report", files.folder}, ExitUsage, "folder"},
      {{"compare", files.plot, files.drawing, "-o", files.folder + "/x.svg"}, ExitUsage, "no merge or output options"},
      {{"merge", files.plot, noSvg}, ExitFailed, "w2d_vectors Missing"},
      {{"merge", files.folder + "/none.plt", files.drawing}, ExitFailed, "none.plt"},
  };
  for (const auto& c : cases) {
    TRun run = RunCli(c.args);
    EXPECT_EQ(run.status, c.status) << c.saying << "\n" << run.err;
    EXPECT_NE(run.err.find(c.saying), std::string::npos) << run.err;
  }
  EXPECT_FALSE(std::filesystem::exists(files.folder + "/cave_Mrg.svg"));
  EXPECT_FALSE(std::filesystem::exists(files.folder + "/none_Mrg.svg"));
}

TEST(CliCompare, ShowsTheReferenceValuesAndHowTheSurveyChanged) {
  TMergeFiles files;
  TRun run = RunCli({"compare", files.plot, files.drawing});
  ASSERT_EQ(run.status, ExitLoaded) << run.err;
  EXPECT_EQ(run.out.rfind("Field       Target              Source\n", 0), 0u) << run.out;
  EXPECT_NE(run.out.find("Scale:      1:100.000           1:120.000   *\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("Pitch:      0.00"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("Stations only in the survey: 1: B1\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("most (points on paper):\n  A3: 150.43\n  A2: 141.55\n"), std::string::npos) << run.out;
  run = RunCli({"compare", files.plot, files.drawing, "--match", "--json"});
  ASSERT_EQ(run.status, ExitLoaded) << run.err;
  EXPECT_EQ(run.out.rfind("{\"fields\": [{\"field\": ", 0), 0u) << run.out;
  // Matched: the same frame; only the name and the shots differ, and only A3 moved.
  EXPECT_NE(run.out.find("{\"field\": \"Scale\", \"target\": \"1:100.000\", \"source\": \"1:100.000\", \"differs\": false}"),
            std::string::npos);
  EXPECT_NE(run.out.find("\"onlyInSource\": [\"B1\"], \"moved\": [{\"station\": \"A3\", \"pt\": 172.80, "
                         "\"from\": [878.40, 36.00], \"to\": [878.40, -136.80]}]}\n"),
            std::string::npos)
      << run.out;
}

}  // namespace
