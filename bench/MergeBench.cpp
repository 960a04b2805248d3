// The survey graphs of a merge and the pairing of their shots, on the
// export of a generated plot with more than 100 000 shots.
//   build/bench/quillmap_bench --benchmark_filter='SurveyGraph|PairShots'

#include <benchmark/benchmark.h>

#include "BenchPlots.h"
#include "app/AppContext.h"
#include "merge/QMGraph.h"

namespace {

// The drawing of the plot, exported and parsed as the merge does it.
const TXMLDocument& ExportedDrawing(long vectors) {
  static TSilentUserInterface ui;
  static TAppContext app(ui);
  static long loaded = 0;
  if (loaded != vectors) {
    app.LoadPlotFile(GeneratedPlotFile(vectors));
    app.LoadMergeSource();
    loaded = vectors;
  }
  return app.Merge.SourceDoc;
}

void ReadSurveyGraph(benchmark::State& state) {
  const TXMLDocument& drawing = ExportedDrawing(state.range(0));
  int shots = 0;
  for (auto _ : state) {
    TSurveyGraph graph;
    GetSurveyGraph(drawing, graph);
    shots = graph.EdgeCount();
  }
  state.counters["shots"] = shots;
}
BENCHMARK(ReadSurveyGraph)->Arg(120000)->Unit(benchmark::kMillisecond);

// Every shot of the new export looked up among the drawing's by its stations.
void PairShots(benchmark::State& state) {
  const TXMLDocument& drawing = ExportedDrawing(state.range(0));
  TSurveyGraph base, morph;
  GetSurveyGraph(drawing, base);
  GetSurveyGraph(drawing, morph);
  TLinePairs pairs;
  for (auto _ : state) {
    CopyCommonLines(pairs, base, morph);
    benchmark::DoNotOptimize(pairs.BaseLines.data());
  }
  state.counters["shots"] = base.EdgeCount();
  state.counters["pairs"] = static_cast<double>(pairs.Size());
}
BENCHMARK(PairShots)->Arg(120000)->Unit(benchmark::kMillisecond);

}  // namespace
