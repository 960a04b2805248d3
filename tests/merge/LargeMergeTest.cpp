// A whole merge at the size of a large cave: a generated survey of more
// than 20 000 shots with artwork round every shot, re-adjusted by a few
// feet and extended by a new survey.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <sstream>

#include "ArtworkGenerator.h"
#include "MergeChecks.h"
#include "PlotGenerator.h"
#include "app/AppContext.h"
#include "merge/QMMerge.h"
#include "merge/XMLDocLibrary.h"
#include "support/NumberText.h"
#include "support/TestSupport.h"

namespace {

// Every station moved by a smooth field of up to 3 feet (the same for each
// of its occurrences), and a new survey from the first station.
std::string ReadjustedPlot(const std::string& plot) {
  std::istringstream in(plot);
  std::string line, moved, first;
  while (std::getline(in, line, '\n')) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() > 2 && (line[0] == 'M' || line[0] == 'D' || line[0] == 'd') && line[1] == ' ') {
      std::istringstream fields(line.substr(2));
      double east = 0, north = 0;
      std::string rest;
      fields >> east >> north;
      std::getline(fields, rest);
      const double e = east + 3 * std::sin(north / 400), n = north + 3 * std::cos(east / 500);
      line = line.substr(0, 2) + FormatFixed(e, 2) + " " + FormatFixed(n, 2) + rest;
      if (first.empty()) first = line;
    }
    if (!line.empty() && line[0] == '\x1A') break;
    moved += line + "\r\n";
  }
  std::istringstream start(first.substr(2));
  double e, n, v;
  std::string station;
  start >> e >> n >> v >> station;
  moved += "NNEW D 1 1 2026 C\r\nM " + FormatFixed(e, 2) + " " + FormatFixed(n, 2) + " " + FormatFixed(v, 2) + " " +
           station + "\r\nD " + FormatFixed(e + 25, 2) + " " + FormatFixed(n + 20, 2) + " " + FormatFixed(v, 2) +
           " SNEW1\r\nX 0 0 0 0 0 0\r\n";
  return moved;
}

double Percentile(const std::vector<double>& sorted, double share) {
  return sorted[static_cast<std::size_t>(std::ceil(share * static_cast<double>(sorted.size()))) - 1];
}

TEST(LargeMerge, PutsTheArtworkOfALargeCaveBackOnItsReadjustedShots) {
  std::ostringstream generated;
  GeneratePlot(generated, 23000, 5);
  const std::string plot = WriteScratchFile("large.plt", generated.str());
  TRecordingUserInterface ui;
  TAppContext exporter(ui);
  ASSERT_TRUE(exporter.LoadPlotFile(plot).Loaded);
  exporter.Settings.Set(TSetting::Ratio, 1000);
  exporter.LoadMergeSource();  // the export, in memory
  TXMLDocument doc;
  doc.Parse(exporter.Merge.SourceDoc.Serialize(), "large.svg");
  const TArtwork art = DrawArtwork(doc);
  const std::string drawing = WriteScratchFile("large.svg", "");
  doc.Save(drawing);
  const std::string moved = WriteScratchFile("large-moved.plt", ReadjustedPlot(generated.str()));

  TAppContext app(ui);
  ASSERT_TRUE(app.LoadPlotFile(moved).Loaded);
  app.LoadMergeTarget(drawing);
  ASSERT_TRUE(app.MatchTargetCommand());
  ASSERT_EQ(app.DoMorphMerge(""), TAppContext::TMergeResult::Merged) << (ui.errors.empty() ? "" : ui.errors.back());
  ASSERT_GT(app.Merge.Report.Pairs, 20000u);
  EXPECT_EQ(app.Merge.Report.SourceUnpaired.size(), 1u);  // the new survey's shot
  EXPECT_TRUE(LostIds(app.Merge.TargetDoc, art).empty());

  // Where the artwork is against the new shots, without and with the morph.
  TXMLDocument unmorphed;
  unmorphed.Parse(doc.Serialize(), "before.svg");
  TSilentUserInterface quiet;
  TProgressDisplay progress(quiet);
  CopySVGLayer(app.Merge.SourceDoc, unmorphed, "w2d_Vectors", {}, {}, app.SVGInfo(), progress);
  const std::vector<double> before = Misplacements(unmorphed, art), after = Misplacements(app.Merge.TargetDoc, art);
  ASSERT_EQ(before.size(), after.size());
  const double medianBefore = Percentile(before, 0.5), medianAfter = Percentile(after, 0.5);
  EXPECT_GT(medianBefore, 1);
  EXPECT_LE(medianAfter, 0.05 * medianBefore);
  EXPECT_LE(Percentile(after, 0.95), 0.05 * Percentile(before, 0.95));
  // The merge's own measure of its fit tells the same.
  const TMorphFit& fit = app.Merge.Report.Fit;
  EXPECT_GE(fit.Median, 0.5 * medianAfter);
  EXPECT_LE(fit.Median, 2 * medianAfter);

  // No steps: along and across 150 shots, points 0.05 pt apart.
  const TLinePairs& pairs = app.Merge.Lines;
  const TMorphLines lines(pairs.BaseLines, pairs.MorphLines, {1, 2, 2, 4});
  std::mt19937 random(3);
  std::uniform_int_distribution<std::size_t> pick(0, pairs.Size() - 1);
  std::vector<T2DVector> probes;
  for (int shot = 0; shot < 150; ++shot) {
    const T2DLine& line = pairs.MorphLines[pick(random)];
    const T2DVector d = line.P2 - line.P1, unit = d * (1 / std::hypot(d.X, d.Y)), across{-unit.Y, unit.X};
    for (int i = 0; i < 400; ++i) probes.push_back(line.P1 - unit * 5 + unit * (0.05 * i));
    for (int i = 0; i < 400; ++i) probes.push_back((line.P1 + line.P2) * 0.5 - across * 10 + across * (0.05 * i));
  }
  std::vector<T2DVector> morphed = probes;
  lines.MorphPoints(morphed);
  double steepest = 0;
  for (std::size_t i = 0; i + 1 < probes.size(); ++i) {
    if ((i + 1) % 400 == 0) continue;  // the next probe line
    const T2DVector a = morphed[i] - probes[i], b = morphed[i + 1] - probes[i + 1];
    steepest = std::max(steepest, std::hypot(b.X - a.X, b.Y - a.Y) / 0.05);
  }
  EXPECT_LT(steepest, 0.25);
  RecordProperty("median_before_pt", FormatFixed(medianBefore, 4));
  RecordProperty("median_after_pt", FormatFixed(medianAfter, 4));
  RecordProperty("p95_after_pt", FormatFixed(Percentile(after, 0.95), 4));
  RecordProperty("fit_median_pt", FormatFixed(fit.Median, 4));
  RecordProperty("steepest", FormatFixed(steepest, 4));
}

}  // namespace
