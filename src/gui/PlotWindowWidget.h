#pragma once
// The main window's preview: the sheet and survey drawn by the core's
// preview on a plot window, repainted on every setting change, with the
// pointer read-out.

#include <QImage>
#include <QWidget>
#include <functional>

#include "QtDrawingSurface.h"
#include "app/AppContext.h"
#include "preview/QMDisplay.h"

class TPlotWindowWidget : public QWidget {
public:
  explicit TPlotWindowWidget(TAppContext& app, QWidget* parent = nullptr);

  const TPreviewCounters& Counters() const { return counters_; }
  // A merge target's shots (SVG points) drawn light under the survey; none when empty.
  void SetTargetShots(std::vector<T2DLine> shots);
  const std::vector<T2DLine>& TargetShots() const { return targetShots_; }
  // Called after each paint with the counters, and on every pointer move with
  // the read-out texts (mouse, paper, cave).
  std::function<void(const TPreviewCounters&)> OnPainted;
  std::function<void(const QString&, const QString&, const QString&)> OnReadOut;

protected:
  void paintEvent(QPaintEvent*) override;
  void mouseMoveEvent(QMouseEvent* event) override;

private:
  TAppContext& app_;
  TQtDrawingSurface surface_;
  TPlotWindow window_{surface_};
  TPreviewCounters counters_;
  QImage buffer_;
  std::vector<T2DLine> targetShots_;
};

// The options of the "Display" page.
TDisplayOptions DisplayOptionsOf(const TSettingsModel& settings);
// Draws the preview of the context's plot into an image of its size.
TPreviewCounters RenderPreview(TAppContext& app, QImage& image, std::span<const T2DLine> targetShots = {});
