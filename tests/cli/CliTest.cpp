#include "Cli.h"

#include <gtest/gtest.h>

#include <sstream>

#include "support/TestSupport.h"

namespace {

struct TRun {
  int status;
  std::string out, err;
};

TRun RunCli(std::vector<std::string> args) {
  std::ostringstream out, err;
  int status = RunQuillmap(args, out, err);
  return {status, out.str(), err.str()};
}

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
      {{"frobnicate"}, ExitUsage, "unknown command"},
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

}  // namespace
