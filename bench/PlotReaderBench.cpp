// Reading a generated plot file of a million vectors.
//   build/bench/quillmap_bench --benchmark_filter=ReadPlot

#include <benchmark/benchmark.h>

#include <filesystem>

#include "AllocationCounter.h"
#include "BenchPlots.h"
#include "survey/PlotReader.h"

namespace {

void ReadPlot(benchmark::State& state) {
  const std::string& file = GeneratedPlotFile(state.range(0));
  TSilentUserInterface ui;
  TPlotState plot;
  long progressCalls = 0;
  std::uint64_t allocations = 0;
  for (auto _ : state) {
    std::uint64_t before = AllocationCount();
    TPlotReadResult read = OpenAndReadPlot(plot, file, ui, [&](int, int) { ++progressCalls; });
    allocations = AllocationCount() - before;
    if (!read.Loaded) state.SkipWithError(read.ErrorReport.c_str());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(std::filesystem::file_size(file)));
  state.counters["vectors"] = plot.VectorArray.Count();
  state.counters["allocations"] = static_cast<double>(allocations);
  state.counters["allocs/vector"] = static_cast<double>(allocations) / plot.VectorArray.Count();
}
BENCHMARK(ReadPlot)->Arg(1000000)->Unit(benchmark::kMillisecond)->MinTime(3);

void ShotCount(benchmark::State& state) {
  const std::string& file = GeneratedPlotFile(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(GetShotCount(file));
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(std::filesystem::file_size(file)));
}
BENCHMARK(ShotCount)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace
