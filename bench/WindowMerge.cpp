// Times a merge in the window, offscreen, and how often the window painted
// while it ran: the plot loaded, the drawing loaded as merge target, Match
// Target, then the merge into memory (the Debug Merge command).
//   quillmap_window_merge PLOT DRAWING

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <algorithm>
#include <iostream>

#include "GuiMain.h"
#include "MainWindow.h"
#include "MergePanel.h"

namespace {

// Notes the time of every paint of any widget.
class TPaintWatch : public QObject {
public:
  explicit TPaintWatch(QElapsedTimer& clock) : clock_(clock) {}
  void Start() {
    paints_ = 0;
    longestGap_ = 0;
    last_ = clock_.elapsed();
  }
  long Paints() const { return paints_; }
  qint64 LongestGap() const { return std::max(longestGap_, clock_.elapsed() - last_); }

protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      ++paints_;
      longestGap_ = std::max(longestGap_, clock_.elapsed() - last_);
      last_ = clock_.elapsed();
    }
    return QObject::eventFilter(watched, event);
  }

private:
  QElapsedTimer& clock_;
  long paints_ = 0;
  qint64 longestGap_ = 0, last_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: quillmap_window_merge PLOT DRAWING\n";
    return 2;
  }
  PrepareOffscreenDrawing();
  QApplication application(argc, argv);
  TQtUserInterface ui;
  ui.SetUnattended(true);
  TMainWindow window(ui);
  window.resize(1280, 800);
  window.show();
  QElapsedTimer clock;
  clock.start();
  TPaintWatch watch(clock);
  application.installEventFilter(&watch);

  auto step = [&](const char* name, auto&& run) {
    watch.Start();
    const qint64 start = clock.elapsed();
    run();
    QApplication::processEvents();
    std::cout << name << ": " << (clock.elapsed() - start) / 1000.0 << " s, " << watch.Paints()
              << " paints, longest without paint " << watch.LongestGap() / 1000.0 << " s\n";
  };
  step("load plot", [&] { window.OpenPltOrSVG(QString::fromLocal8Bit(argv[1])); });
  step("load target", [&] { window.OpenPltOrSVG(QString::fromLocal8Bit(argv[2])); });
  step("match target", [&] { window.MergePanel().MatchTarget(); });
  step("merge", [&] { window.MergePanel().DebugMerge(); });
  const TMergeReport& report = window.App().Merge.Report;
  std::cout << "pairs: " << report.Pairs << ", fit median " << report.Fit.Median << " pt\n";
  return report.Pairs > 0 ? 0 : 1;
}
