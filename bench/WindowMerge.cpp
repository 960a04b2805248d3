// Times a merge in the window, offscreen, and how long at most the window
// could not repaint while it ran: the plot loaded, the drawing loaded as merge target, Match
// Target, then the merge into memory (the Debug Merge command).
//   quillmap_window_merge PLOT DRAWING

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <iostream>

#include "GuiMain.h"
#include "MainWindow.h"
#include "MergePanel.h"

namespace {

// A timer that fires every 10 ms whenever the event loop runs: the longest
// time between two firings is how long the window could not repaint (a
// window paints only what was uncovered or changed, so paints themselves
// do not tell).
class TEventLoopWatch : public QObject {
public:
  explicit TEventLoopWatch(QElapsedTimer& clock) : clock_(clock) {
    connect(&timer_, &QTimer::timeout, this, [this] {
      ++turns_;
      if (verbose && clock_.elapsed() - last_ > 500)
        std::cout << "  " << clock_.elapsed() / 1000.0 << " s: the window could not repaint for "
                  << (clock_.elapsed() - last_) / 1000.0 << " s\n";
      longestGap_ = std::max(longestGap_, clock_.elapsed() - last_);
      last_ = clock_.elapsed();
    });
    timer_.start(10);
  }
  void Start() {
    turns_ = 0;
    longestGap_ = 0;
    last_ = clock_.elapsed();
  }
  long Turns() const { return turns_; }
  bool verbose = false;
  qint64 LongestGap() const { return std::max(longestGap_, clock_.elapsed() - last_); }

private:
  QElapsedTimer& clock_;
  QTimer timer_;
  long turns_ = 0;
  qint64 longestGap_ = 0, last_ = 0;
};

// Prints every status line with the time it came, to show which step of a
// long command went without painting.
class TTimedUserInterface : public TQtUserInterface {
public:
  explicit TTimedUserInterface(QElapsedTimer& clock) : clock_(clock) {}
  bool verbose = false;
  void Status(int line, std::string_view text, TColor color) override {
    if (verbose && !text.empty()) std::cout << "  " << clock_.elapsed() / 1000.0 << " s: " << text << '\n';
    TQtUserInterface::Status(line, text, color);
  }

private:
  QElapsedTimer& clock_;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: quillmap_window_merge PLOT DRAWING\n";
    return 2;
  }
  PrepareOffscreenDrawing();
  QApplication application(argc, argv);
  QElapsedTimer clock;
  clock.start();
  TTimedUserInterface ui(clock);
  ui.verbose = qEnvironmentVariableIsSet("QUILLMAP_STEPS");
  ui.SetUnattended(true);
  TMainWindow window(ui);
  window.resize(1280, 800);
  window.show();
  TEventLoopWatch watch(clock);
  watch.verbose = ui.verbose;

  auto step = [&](const char* name, auto&& run) {
    watch.Start();
    const qint64 start = clock.elapsed();
    run();
    QApplication::processEvents();
    std::cout << name << ": " << (clock.elapsed() - start) / 1000.0 << " s, event loop ran " << watch.Turns()
              << " times, longest without " << watch.LongestGap() / 1000.0 << " s\n";
  };
  step("load plot", [&] { window.OpenPltOrSVG(QString::fromLocal8Bit(argv[1])); });
  step("load target", [&] { window.OpenPltOrSVG(QString::fromLocal8Bit(argv[2])); });
  step("match target", [&] { window.MergePanel().MatchTarget(); });
  step("merge", [&] { window.MergePanel().DebugMerge(); });
  const TMergeReport& report = window.App().Merge.Report;
  std::cout << "pairs: " << report.Pairs << ", fit median " << report.Fit.Median << " pt\n";
  return report.Pairs > 0 ? 0 : 1;
}
