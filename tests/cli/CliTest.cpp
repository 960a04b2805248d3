#include "Cli.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "CliRun.h"
#include "support/TestSupport.h"

namespace {

const std::string SmallPlot = "SCave\r\nNA D 3 4 2001 Cx\r\nM 1 2 3 SA1\r\nD 4 5 6 SA\xE9\r\nd 7 8 9\r\n"
                              "X 0 0 0 0 0 0\r\nZ 1 7 2 8 3 9\r\n";

TEST(Cli, InfoPrintsJsonOfALoadedPlot) {
  TRun run = RunCli({"info", WriteScratchFile("small.plt", SmallPlot), "--json"});
  EXPECT_EQ(run.status, ExitLoaded) << run.err;
  for (const char* expected : {"\"loaded\": true", "\"sections\": 1", "\"surveys\": 1", "\"vectors\": 3",
                               "\"draws\": 2", "\"segments\": 1", "\"caveBox\": {\"min\": [2, 1, 3], \"max\": [8, 7, 9]}",
                               "\"caveOrigin\": [2, 1, 3]", "\"minDate\": \"2001-03-04\"", "\"error\": null"})
    EXPECT_NE(run.out.find(expected), std::string::npos) << expected << " in\n" << run.out;
}

TEST(Cli, InfoShowsTheSurveyTree) {
  TRun run = RunCli({"info", WriteScratchFile("small.plt", SmallPlot), "--tree"});
  EXPECT_NE(run.out.find("Section: Cave\n  Survey: A\n    Shot: A1 - A\xE9\n    Shot: A\xE9 - ?\n"), std::string::npos)
      << run.out;
  run = RunCli({"info", WriteScratchFile("small.plt", SmallPlot), "--tree", "--json"});
  EXPECT_NE(run.out.find("{\"depth\": 2, \"kind\": \"Shot\", \"text\": \"A1 - A\xC3\xA9\"}"), std::string::npos) << run.out;
}

TEST(Cli, InfoReportsAFailedRead) {
  std::string file = WriteScratchFile("broken.plt", "SCave\r\nNA\r\nM 1 2 x\r\n");
  TRun run = RunCli({"info", file, "--json"});
  EXPECT_EQ(run.status, ExitFailed);
  EXPECT_NE(run.out.find("\"loaded\": false"), std::string::npos);
  EXPECT_NE(run.out.find("\"error\": \"Invalid numeric input\\r\\nLine: 2 \\\"NA\""), std::string::npos) << run.out;
  EXPECT_NE(run.err.find(file + ": Invalid numeric input"), std::string::npos) << run.err;
}

TEST(Cli, ExitStatusTellsUsageFromFailure) {
  struct Case {
    std::vector<std::string> args;
    int status;
    const char* saying;
  } cases[] = {
      {{}, ExitUsage, "usage:"},
      {{"frobnicate"}, ExitUsage, "\"frobnicate\" is neither a command nor a file"},
      {{"--bogus"}, ExitUsage, "unknown option \"--bogus\""},
      {{"info"}, ExitUsage, "no plot file"},
      {{"info", "a.plt", "--colour"}, ExitUsage, "unknown option"},
      {{"dump", "a.plt", "b.plt"}, ExitUsage, "usage:"},
      {{"info", "/nonexistent/cave.plt"}, ExitFailed, "Cannot open \"/nonexistent/cave.plt\""},
      {{"dump", "/nonexistent/cave.plt"}, ExitFailed, "No such file"},
  };
  for (const Case& c : cases) {
    TRun run = RunCli(c.args);
    EXPECT_EQ(run.status, c.status) << run.err;
    EXPECT_NE(run.err.find(c.saying), std::string::npos) << run.err;
  }
}

TEST(Cli, OnlyNoWordsAScreenshotOrExistingFilesOpenTheWindow) {
  const std::string plot = WriteScratchFile("window.plt", SmallPlot);
  const std::string folder = std::filesystem::path(plot).parent_path().string();
  struct Case {
    std::vector<std::string> args;
    bool window;
  } cases[] = {
      {{}, true},
      {{"--screenshot", "out.png"}, true},
      {{plot}, true},
      {{"repiar", plot}, false},
      {{"exprot", plot}, false},
      {{"Info", plot}, false},
      {{"--bogus"}, false},
      {{"-x", plot}, false},
      {{"/nonexistent/cave.plt"}, false},
      {{folder}, false},
      {{"info", plot}, false},
  };
  for (const Case& c : cases) EXPECT_EQ(OpensWindow(c.args), c.window) << (c.args.empty() ? "" : c.args.front());
}

TEST(Cli, DumpWritesOneLinePerVectorSurveyAndSection) {
  TRun run = RunCli({"dump", WriteScratchFile("small.plt", SmallPlot)});
  EXPECT_EQ(run.status, ExitLoaded);
  EXPECT_EQ(run.out,
            "0\tM\tA1\t2\t1\t3\t0\t0\t0\t0\t0\t0\t\t\n"
            "1\tD\tA\xE9\t5\t4\t6\t0\t0\t0\t0\t0\t0\t\t\n"
            "2\td\t?\t8\t7\t9\t0\t0\t0\t0\t0\t1\t\t\n"
            "survey\t0\tA\tsurvey\t2001-3-4\t0\t0\t0\t0\t0\t0\t0\t0\tx\n"
            "section\t0\tCave\t0\n");
}

TEST(CliExport, WritesBesideThePlotAndRefusesToOverwrite) {
  std::string plot = WriteScratchFile("beside.plt", SmallPlot);
  std::string svg = plot.substr(0, plot.size() - 4) + ".svg";
  std::filesystem::remove(svg);
  TRun run = RunCli({"export", plot});
  ASSERT_EQ(run.status, ExitLoaded) << run.err;
  EXPECT_NE(run.out.find(svg), std::string::npos);
  EXPECT_NE(ReadBytes(svg).find("<path id=\"A1_A\xE9\""), std::string::npos);

  std::ofstream(svg, std::ios::binary) << "my drawing";
  run = RunCli({"export", plot});
  EXPECT_EQ(run.status, ExitUsage);
  EXPECT_NE(run.err.find("--overwrite"), std::string::npos);
  EXPECT_EQ(ReadBytes(svg), "my drawing");
  EXPECT_EQ(RunCli({"export", plot, "--overwrite"}).status, ExitLoaded);
  EXPECT_NE(ReadBytes(svg), "my drawing");
}

TEST(CliExport, RefusesBadValuesAndWritesNothing) {
  std::string plot = WriteScratchFile("bad.plt", SmallPlot);
  std::string svg = WriteScratchFile("bad-out.svg", "") + ".new";
  struct Case {
    std::vector<std::string> options;
    const char* saying;
  } cases[] = {
      {{"--yaw", "400"}, "--yaw: 400 is outside 0 to 360"},
      {{"--scale-factor", "1,5"}, "not a number"},
      {{"--view", "section"}, "is not one of plan|profile"},
      {{"--paper", "A11"}, "no standard paper size"},
      {{"--margins", "1"}, "X,Y"},
      {{"--colour", "red"}, "unknown option"},
      {{"--no-yaw"}, "unknown option"},
      {{"--pitch"}, "needs a value"},
      {{"--select", "Nowhere"}, "no section, survey or shot is named"},
      {{"--scale-factor", "2", "--ratio", "100"}, "--scale-factor and --ratio set the same thing"},
      {{"--feet-per-inch", "2", "--scale-factor", "1"}, "--feet-per-inch and --scale-factor"},
      {{"--landscape", "--portrait"}, "--landscape and --portrait"},
      {{"--yaw", "10", "--paper-rotation", "20"}, "--yaw and --paper-rotation"},
      {{"--paper", "A4 Sheet", "--paper-size", "8,10"}, "--paper and --paper-size"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = {"export", plot, "-o", svg};
    args.insert(args.end(), c.options.begin(), c.options.end());
    TRun run = RunCli(args);
    EXPECT_EQ(run.status, ExitUsage) << c.saying;
    EXPECT_NE(run.err.find(c.saying), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(svg)) << c.saying;
  }
}

TEST(CliExport, NeverWritesOverItsInputOrAnythingButAFile) {
  const std::string plot = WriteScratchFile("input.plt", SmallPlot);
  const std::string folder = std::filesystem::path(plot).parent_path().string();
  struct Case {
    std::vector<std::string> args;
    const char* saying;
  } cases[] = {
      {{"export", plot, "-o", plot, "--overwrite"}, "it is the input file"},
      {{"preview", plot, "-o", folder + "/./input.plt", "--overwrite"}, "it is the input file"},
      {{"export", plot, "-o", folder, "--overwrite"}, "it is a folder"},
      {{"export", plot, "-o", "/dev/null", "--overwrite"}, "it is not a regular file"},
      {{"export", plot, "-o", ""}, "-o needs a file name"},
      {{"export", plot, "--paper-offset", "1e308,-1e308"}, "is outside"},
  };
  for (const Case& c : cases) {
    TRun run = RunCli(c.args);
    EXPECT_EQ(run.status, ExitUsage) << c.saying;
    EXPECT_NE(run.err.find(c.saying), std::string::npos) << run.err;
  }
  EXPECT_EQ(ReadBytes(plot), SmallPlot);
}

TEST(CliExport, AFolderAsThePlotFileIsAFailure) {
  const std::string folder = std::filesystem::path(WriteScratchFile("x.plt", SmallPlot)).parent_path().string();
  TRun run = RunCli({"export", folder, "-o", folder + "/out.svg"});
  EXPECT_EQ(run.status, ExitFailed);
  EXPECT_NE(run.err.find("Is a directory"), std::string::npos) << run.err;
  EXPECT_FALSE(std::filesystem::exists(folder + "/out.svg"));
}

TEST(CliExport, SetsThePageAsTheWindowWould) {
  std::string plot = WriteScratchFile("page.plt", SmallPlot);
  std::string svg = WriteScratchFile("page.svg", "");
  TRun run = RunCli({"export", plot, "-o", svg, "--overwrite", "--units", "meters", "--paper", " a4 sheet ",
                     "--portrait", "--no-inkscape", "--no-illustrator", "--ratio", "2400", "--select", "A1 - A\xE9"});
  ASSERT_EQ(run.status, ExitLoaded) << run.err;
  std::string text = ReadBytes(svg);
  EXPECT_NE(text.find("width=\"595pt\" height=\"841pt\""), std::string::npos);
  EXPECT_EQ(text.find("xmlns:inkscape"), std::string::npos);
  EXPECT_EQ(text.find("i:layer"), std::string::npos);
  EXPECT_NE(text.find("Scale: 1:2400.000000"), std::string::npos);
  EXPECT_NE(text.find("<path id=\"A1_A\xE9\""), std::string::npos);
  EXPECT_EQ(text.find("<path id=\"A\xE9_?\""), std::string::npos);  // not selected
  EXPECT_EQ(RunCli({"export", "/nonexistent/cave.plt", "-o", svg, "--overwrite"}).status, ExitFailed);
}

TEST(CliSettings, AFileWrittenBySettingsExportsAsItsOptionsDo) {
  std::string plot = WriteScratchFile("kept.plt", SmallPlot);
  std::string settings = WriteScratchFile("kept.vmsf", "");
  const std::vector<std::string> options = {"--units", "meters", "--ratio", "2400", "--yaw", "30",
                                            "--select", "A1 - A\xE9", "--grid", "5"};
  std::vector<std::string> args = {"settings", plot, "-o", settings, "--overwrite"};
  args.insert(args.end(), options.begin(), options.end());
  TRun run = RunCli(args);
  ASSERT_EQ(run.status, ExitLoaded) << run.err;
  // Everything but the time of the export is the same.
  auto withoutStamp = [](std::string text) {
    const std::size_t stamp = text.find("Version ");
    return stamp == std::string::npos ? text : text.erase(stamp, text.find('<', stamp) - stamp);
  };
  std::string direct = WriteScratchFile("direct.svg", ""), viaFile = WriteScratchFile("via.svg", "");
  args = {"export", plot, "-o", direct, "--overwrite"};
  args.insert(args.end(), options.begin(), options.end());
  ASSERT_EQ(RunCli(args).status, ExitLoaded);
  run = RunCli({"export", plot, "-o", viaFile, "--overwrite", "--settings", settings});
  ASSERT_EQ(run.status, ExitLoaded) << run.err;
  EXPECT_EQ(withoutStamp(ReadBytes(viaFile)), withoutStamp(ReadBytes(direct)));
  // Options after the file go over it; a bad file fails naming it.
  run = RunCli({"export", plot, "-o", viaFile, "--overwrite", "--settings", settings, "--ratio", "600"});
  EXPECT_NE(ReadBytes(viaFile).find("Scale: 1:600.000000"), std::string::npos);
  run = RunCli({"export", plot, "-o", viaFile, "--overwrite", "--settings", plot});
  EXPECT_EQ(run.status, ExitFailed);
  EXPECT_NE(run.err.find(plot + ": "), std::string::npos) << run.err;
}

TEST(CliSettings, TiesInClipsAndPicksDatesAfterTheRead) {
  // North, east, vertical: A2 lies 95 north, 10 down of A1; Aé 50 east of A2.
  const std::string plot = WriteScratchFile(
      "clip.plt", Lines({"Z 0 95 0 50 -10 0", "SCave", "NA D 5 17 2001 C", "M 0 0 0 SA1", "D 95 0 -10 SA2",
                         "D 95 50 -10 SA3", "X 0 95 0 50 -10 0", "NB D 6 20 2003 C", "M 95 0 -10 SA2",
                         "D 100 5 0 SB1", "X 95 100 0 5 -10 0"}));
  const std::string svg = WriteScratchFile("clip.svg", "");
  auto shots = [&](std::vector<std::string> options) {
    std::vector<std::string> args = {"export", plot, "-o", svg, "--overwrite"};
    args.insert(args.end(), options.begin(), options.end());
    const TRun run = RunCli(args);
    EXPECT_EQ(run.status, ExitLoaded) << run.err;
    const std::string text = ReadBytes(svg);
    std::string ids;
    for (const char* id : {"A1_A2", "A2_A3", "A2_B1"})
      if (text.find(std::string("<path id=\"") + id + "\"") != std::string::npos) ids += std::string(ids.empty() ? "" : " ") + id;
    return ids;
  };
  EXPECT_EQ(shots({}), "A1_A2 A2_A3 A2_B1");
  EXPECT_EQ(shots({"--clip", "-1,10,-1,100,-20,20"}), "A1_A2 A2_B1");  // A3 lies 50 east
  EXPECT_EQ(shots({"--clip", "-1,10,-1,96,-20,20", "--clip-by", "north-south"}), "A1_A2 A2_A3");
  EXPECT_EQ(shots({"--dates", "2003-06-20,2003-06-20"}), "A2_B1");
  // Tied in at A2, the drawing moves by A2's offset from A1 (95 ft north).
  const std::string plain = (shots({}), ReadBytes(svg));
  shots({"--tie-in", "A2"});
  EXPECT_NE(ReadBytes(svg), plain);
  for (const std::vector<std::string>& bad :
       {std::vector<std::string>{"--tie-in", "Nowhere"}, {"--clip", "1,2,3"}, {"--clip-by", "depth"},
        {"--dates", "2003-13-01,2004-01-01"}, {"--clip", "0,1,0,1,0,1", "--dates", "2001-01-01,2002-01-01"}}) {
    std::vector<std::string> args = {"export", plot, "-o", svg, "--overwrite"};
    args.insert(args.end(), bad.begin(), bad.end());
    EXPECT_EQ(RunCli(args).status, ExitUsage) << bad[0] << " " << bad[1];
  }
}

}  // namespace
