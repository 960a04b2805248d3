// A full repaint of the preview of a generated plot with passage walls and
// LRUD bars, into an image the size of the preview area of the window at
// 1280 x 800.
//   build/bench/quillmap_bench --benchmark_filter=PreviewRepaint

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>

#include "BenchPlots.h"
#include "PlotWindowWidget.h"
#include "support/NumberText.h"

namespace {

void PreviewRepaint(benchmark::State& state) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "quillmap_bench";
  static char* argv[] = {name, nullptr};
  static QGuiApplication application(argc, argv);
  TSilentUserInterface ui;
  TAppContext app(ui);
  app.LoadPlotFile(GeneratedPlotFile(state.range(0)));
  app.Settings.Set(TSetting::ShowPassageWalls, 1);
  app.Settings.Set(TSetting::ShowLRUDBars, 1);
  QImage image(810, 650, QImage::Format_RGB32);
  TPreviewCounters counters;
  for (auto _ : state) counters = RenderPreview(app, image);
  state.counters["shots"] = counters.PlottedShots;
  state.counters["faces"] = counters.RectCnt;
}
BENCHMARK(PreviewRepaint)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

namespace {

// The same repaint on a surface that draws nothing: what the walks cost.
class TNullSurface : public TDrawingSurface {
public:
  int Width() const override { return 1200; }
  int Height() const override { return 900; }
  void SetPen(TColor, int, TPenStyle) override {}
  void SetBrush(TColor) override {}
  void ClearBrush() override {}
  void SetFont(const std::string&, double, TColor) override {}
  void SetFontPixels(int) override {}
  void Line(TPixel, TPixel) override {}
  void Polygon(std::span<const TPixel>) override {}
  void Ellipse(TPixelRect) override {}
  void Rectangle(TPixelRect) override {}
  void Text(TPixel, std::string_view, TTextAnchor) override {}
  TPixel TextExtent(std::string_view) override { return {}; }
  void SetClip(TPixelRect) override {}
  void ClearClip() override {}
};

void PreviewWalks(benchmark::State& state) {
  TSilentUserInterface ui;
  TAppContext app(ui);
  app.LoadPlotFile(GeneratedPlotFile(state.range(0)));
  TNullSurface surface;
  TPlotWindow window(surface);
  TDisplayOptions options;
  options.ShowPassageWalls = true;
  for (auto _ : state) {
    TSVGInfo info = app.SVGInfo();
    TDrawingSources sources = app.DrawingSources();
    DisplayCave(window, info, sources, options, FormatFixed);
  }
}
BENCHMARK(PreviewWalks)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
