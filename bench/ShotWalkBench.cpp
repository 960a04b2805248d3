// The shot walk over a generated plot of a million vectors, with an empty
// drawing procedure: the cost every shot layer pays before drawing.
//   build/bench/quillmap_bench --benchmark_filter=ShotWalk

#include <benchmark/benchmark.h>

#include "BenchPlots.h"
#include "export/ShotWalk.h"

namespace {

void ShotWalk(benchmark::State& state) {
  TPlotState& plot = LoadedBenchPlot(state.range(0));
  TSurveyTree tree(plot);
  tree.DisplaySurveyTree();
  TProjection projection;
  TSVGInfo info;
  info.PlotParams.Selective = state.range(1) != 0;
  if (info.PlotParams.Selective) tree.SetAllChecks(true);
  long shots = 0;
  for (auto _ : state)
    PlotPassageShots(projection, plot, tree, info,
                     [&](bool, int, int, const T3DVector&, const T3DVector&, const TSVGInfo&, const TSurveyID&) { ++shots; });
  state.counters["shots"] = static_cast<double>(shots) / static_cast<double>(state.iterations());
  state.SetItemsProcessed(state.iterations() * plot.VectorArray.Count());
}
BENCHMARK(ShotWalk)->Args({1000000, 0})->Args({1000000, 1})->Unit(benchmark::kMillisecond);

void BuildSurveyTree(benchmark::State& state) {
  TPlotState& plot = LoadedBenchPlot(state.range(0));
  TSurveyTree tree(plot);
  for (auto _ : state) tree.DisplaySurveyTree();
  state.SetItemsProcessed(state.iterations() * plot.VectorArray.Count());
}
BENCHMARK(BuildSurveyTree)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace
