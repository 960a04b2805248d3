// The tag-balance check and the load of a drawing (check, text repairs and
// parse) on the export of a generated plot.
//   build/bench/quillmap_bench --benchmark_filter='TagBalance|LoadDrawing'

#include <benchmark/benchmark.h>

#include <filesystem>
#include <map>

#include "BenchPlots.h"
#include "app/AppContext.h"
#include "repair/QMValidate.h"
#include "support/MappedFile.h"

namespace {

// The export of the generated plot with the window's defaults, written once.
const std::string& ExportedDrawing(long vectors) {
  static std::map<long, std::string> files;
  auto [entry, added] = files.try_emplace(vectors);
  if (added) {
    entry->second = (std::filesystem::temp_directory_path() / ("quillmap-bench-" + std::to_string(vectors) + ".svg")).string();
    TSilentUserInterface ui;
    TAppContext app(ui);
    app.LoadPlotFile(GeneratedPlotFile(vectors));
    app.ExportSVG(entry->second);
  }
  return entry->second;
}

void TagBalanceCheck(benchmark::State& state) {
  const TMappedFile file(ExportedDrawing(state.range(0)));
  const std::string_view bytes = file.Bytes();
  TXMLErrorArray errors;
  for (auto _ : state) ValidateXMLFile(bytes, errors);
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
  state.counters["svg_MB"] = static_cast<double>(bytes.size()) / 1e6;
  state.counters["faults"] = static_cast<double>(errors.size());
}
BENCHMARK(TagBalanceCheck)->Arg(1000000)->Unit(benchmark::kMillisecond)->MinTime(3);

void LoadDrawing(benchmark::State& state) {
  const std::string& file = ExportedDrawing(state.range(0));
  const auto size = static_cast<std::int64_t>(std::filesystem::file_size(file));
  TSilentUserInterface ui;
  TProcessLog log;
  TXMLValidation validation;
  TLoadServices services{validation, log, ui};
  TSVGInfo info;
  for (auto _ : state) {
    TXMLDocument doc;
    LoadValidateFile(file, doc, info, services);
    benchmark::DoNotOptimize(doc.Raw());
    state.PauseTiming();
    doc.Clear();  // freeing the tree is not part of the load
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() * size);
  state.counters["svg_MB"] = static_cast<double>(size) / 1e6;
}
BENCHMARK(LoadDrawing)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
