#include "BenchPlots.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>

#include "PlotGenerator.h"
#include "survey/PlotReader.h"

const std::string& GeneratedPlotFile(long vectors) {
  static std::map<long, std::string> files;
  auto [entry, added] = files.try_emplace(vectors);
  if (added) {
    entry->second = (std::filesystem::temp_directory_path() / ("quillmap-bench-" + std::to_string(vectors) + ".plt")).string();
    std::ofstream out(entry->second, std::ios::binary);
    GeneratePlot(out, vectors);
  }
  return entry->second;
}

TPlotState& LoadedBenchPlot(long vectors) {
  static std::map<long, std::unique_ptr<TPlotState>> plots;
  std::unique_ptr<TPlotState>& plot = plots[vectors];
  if (!plot) {
    plot = std::make_unique<TPlotState>();
    TSilentUserInterface ui;
    OpenAndReadPlot(*plot, GeneratedPlotFile(vectors), ui);
  }
  return *plot;
}
