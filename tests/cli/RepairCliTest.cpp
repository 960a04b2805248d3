// quillmap validate and quillmap repair.

#include <gtest/gtest.h>

#include <filesystem>

#include "Cli.h"
#include "CliRun.h"
#include "support/TestSupport.h"

namespace {

const std::string Golden = std::string(QUILLMAP_TEST_DATA_DIR) + "/golden/golden.plt";

std::string ExportedDrawing(const std::string& name) {
  const std::string svg = WriteScratchFile(name, "");
  EXPECT_EQ(RunCli({"export", Golden, "-o", svg, "--overwrite"}).status, ExitLoaded);
  return svg;
}

TEST(CliValidate, ListsFaultsWithTheirLinesAndExitsByTheResult) {
  const std::string bad = WriteScratchFile("bad.svg", "<svg><g></svg>\n<a></b>");
  TRun run = RunCli({"validate", bad});
  EXPECT_EQ(run.status, ExitFailed);
  EXPECT_EQ(run.out, bad + ":1: g: No Close Tag (bytes 8 to 14)\n" + bad + ":2: /b: No Open Tag (bytes 18 to 22)\n2 faults\n");
  run = RunCli({"validate", bad, "--json"});
  EXPECT_EQ(run.out, "{\"file\": \"" + bad + "\", \"count\": 2, \"faults\": [{\"line\": 1, \"tag\": \"g\", \"kind\": "
                     "\"No Close Tag\", \"begin\": 8, \"end\": 14}, {\"line\": 2, \"tag\": \"/b\", \"kind\": \"No Open Tag\", "
                     "\"begin\": 18, \"end\": 22}]}\n");
  EXPECT_EQ(RunCli({"validate", ExportedDrawing("clean.svg")}).status, ExitLoaded);
  EXPECT_EQ(RunCli({"validate", "/nonexistent/x.svg"}).status, ExitFailed);
  EXPECT_EQ(RunCli({"validate"}).status, ExitUsage);
  EXPECT_EQ(RunCli({"validate", bad, "--colour"}).status, ExitUsage);
}

TEST(CliRepair, WritesTheRepairedDrawingAndNeverReplacesAFileUnasked) {
  const std::string input = ExportedDrawing("input.svg");
  const std::string output = WriteScratchFile("output.svg", "someone's drawing");
  TRun run = RunCli({"repair", input, "-o", output});
  EXPECT_EQ(run.status, ExitUsage);
  EXPECT_NE(run.err.find("--overwrite"), std::string::npos);
  EXPECT_EQ(ReadBytes(output), "someone's drawing");
  run = RunCli({"repair", input, "-o", output, "--overwrite", "--inkscape", "remove"});
  ASSERT_EQ(run.status, ExitLoaded) << run.err;
  EXPECT_EQ(ReadBytes(output).find("id=\"w2d_Vectors\" inkscape:groupmode"), std::string::npos);
  EXPECT_NE(ReadBytes(output).find("id=\"w2d_Vectors\" i:layer=\"yes\""), std::string::npos);
  // The input may be the output, with --overwrite: it is replaced only when complete.
  const std::string before = ReadBytes(input);
  EXPECT_EQ(RunCli({"repair", input, "-o", input}).status, ExitUsage);
  EXPECT_EQ(ReadBytes(input), before);
  EXPECT_EQ(RunCli({"repair", input, "-o", input, "--overwrite"}).status, ExitLoaded);
  EXPECT_NE(ReadBytes(input), before);
}

TEST(CliRepair, RefusesBadUsageAndReportsFailures) {
  const std::string input = ExportedDrawing("usage.svg");
  const std::string fresh = WriteScratchFile("fresh.svg", "") + ".new";
  const struct {
    std::vector<std::string> args;
    int status;
    const char* saying;
  } cases[] = {
      {{"repair", input}, ExitUsage, "-o OUT.svg"},
      {{"repair", "-o", fresh}, ExitUsage, "no drawing"},
      {{"repair", input, "-o", fresh, "--inkscape", "maybe"}, ExitUsage, "is not one of add|remove"},
      {{"repair", input, "-o", fresh, "--generator", "corel"}, ExitUsage, "illustrator72|inkscape96|inkscape90"},
      {{"repair", WriteScratchFile("nosvg.svg", "<a/>"), "-o", fresh}, ExitFailed, "No svg element in"},
      {{"repair", "/nonexistent/in.svg", "-o", fresh}, ExitFailed, "Cannot open"},
  };
  for (const auto& c : cases) {
    TRun run = RunCli(c.args);
    EXPECT_EQ(run.status, c.status) << c.saying << "\n" << run.err;
    EXPECT_NE(run.err.find(c.saying), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(fresh)) << c.saying;
  }
}

TEST(CliRepair, BuildsMissingReferenceDataFromThePlotAndOptions) {
  const std::string input = WriteScratchFile("noref.svg", "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"792pt\" height=\"612pt\"/>");
  const std::string output = WriteScratchFile("withref.svg", "");
  TRun run = RunCli({"repair", input, Golden, "-o", output, "--overwrite", "--ratio", "500"});
  ASSERT_EQ(run.status, ExitLoaded) << run.err;
  EXPECT_NE(ReadBytes(output).find(">golden Plan: 0.0 Scale: 1:500.000000 Frame:"), std::string::npos);
  run = RunCli({"repair", input, "-o", output, "--overwrite"});
  ASSERT_EQ(run.status, ExitLoaded) << run.err;
  EXPECT_NE(ReadBytes(output).find("> Plan: 0.0 Scale: 1:100.000000"), std::string::npos);  // no plot: the defaults
}

}  // namespace
