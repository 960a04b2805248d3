// The whole SVG export of generated plots, into a stream that only counts.
//   build/bench/quillmap_bench --benchmark_filter=ExportSVG

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <ostream>
#include <streambuf>

#include "BenchPlots.h"
#include "app/AppContext.h"
#include "app/PlotSettings.h"
#include "export/QMExport.h"

namespace {

class TCountingBuffer : public std::streambuf {
public:
  std::int64_t Count() const { return count_; }

protected:
  std::streamsize xsputn(const char*, std::streamsize n) override {
    count_ += n;
    return n;
  }
  int_type overflow(int_type c) override {
    ++count_;
    return c;
  }

private:
  std::int64_t count_ = 0;
};

void ExportSVG(benchmark::State& state) {
  TPlotState& plot = LoadedBenchPlot(state.range(0));
  TSurveyTree tree(plot);
  tree.DisplaySurveyTree();
  TProjection projection;
  TSVGInfo info;
  info.PlotParams.PaperSize = {11, 8.5};
  info.PlotParams.Margin = {0.5, 0.5};
  info.PlotParams.PaperWindow = {10, 7.5};
  projection.InitalizeDisplay(info.PlotParams, plot);
  info.UnitScale = 1 / projection.BaseScale;
  TSVGColors colors;
  TFootFactors factors;
  TPassageParameters passage;
  TExportSources sources{{plot, tree, projection, colors, factors, passage}, "Version 5.26.1.1.0", {}};
  TSilentUserInterface ui;
  TProgressDisplay progress(ui);
  std::int64_t bytes = 0;
  for (auto _ : state) {
    TCountingBuffer counter;
    std::ostream out(&counter);
    WriteSVGToStream(out, info, sources, progress);
    bytes = counter.Count();
  }
  state.SetBytesProcessed(state.iterations() * bytes);
  state.counters["svg_MB"] = static_cast<double>(bytes) / 1e6;
  state.counters["vectors"] = plot.VectorArray.Count();
}
BENCHMARK(ExportSVG)->Arg(250000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// A range survey of many points: each symbol's outline is worked out once
// and only written per point.
void ExportRangeSurvey(benchmark::State& state) {
  std::string file = (std::filesystem::temp_directory_path() / "quillmap-bench-range.plt").string();
  {
    std::ofstream out(file, std::ios::binary);
    out << "SCave\r\nNA\r\nM 0 0 0 SA\r\nD 100 100 10 SB\r\nX 0 100 0 100 0 10\r\nFTemperature R 0 20\r\n";
    for (long i = 0; i < state.range(0); ++i)
      out << "L " << i % 100 << " " << i / 100 << " 0 ST" << i << " P 0 0 0 0 V " << (i % 21) << "\r\n";
    out << "X 0 100 0 100 0 0\r\n";
  }
  TSilentUserInterface ui;
  TAppContext app(ui);
  app.LoadPlotFile(file);
  std::int64_t bytes = 0;
  for (auto _ : state) {
    TCountingBuffer counter;
    std::ostream out(&counter);
    TSVGInfo info = app.SVGInfo();
    TExportSources sources{app.DrawingSources(), "Version 5.26.1.1.0", {}};
    TProgressDisplay progress(ui);
    WriteSVGToStream(out, info, sources, progress);
    bytes = counter.Count();
  }
  state.counters["svg_MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(ExportRangeSurvey)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
