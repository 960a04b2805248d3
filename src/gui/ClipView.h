#pragma once
// One view of the shot select tool: the whole cave in plan or profile, in
// cave units, with the clip limits as green lines that the mouse drags.

#include <QImage>
#include <QWidget>
#include <functional>
#include <optional>

#include "QtDrawingSurface.h"
#include "app/AppContext.h"
#include "preview/QMExcludeTool.h"

// The six limits of the clip box.
struct TClipLimits {
  enum TLimit { West, East, South, North, Bottom, Top };
};

class TClipView : public QWidget, public TClipLimits {
public:
  // dragged hears the limit and its new value (cave units as stored) while
  // the mouse drags its line.
  TClipView(TAppContext& app, const TExcludeTool& tool, bool plan, std::function<void(TLimit, double)> dragged);
  // The pixel of a limit as last painted: a column for west and east, else a row.
  int PixelOf(TLimit limit) const;
  // The limit within a pixel of the point: west, east, north (top), south (bottom).
  std::optional<TLimit> OverLine(QPoint at) const;

protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent*) override;
  void mouseMoveEvent(QMouseEvent* event) override;

private:
  TAppContext& app_;
  const TExcludeTool& tool_;
  bool plan_;
  std::function<void(TLimit, double)> dragged_;
  TQtDrawingSurface surface_;
  TPlotWindow window_{surface_};
  QImage image_;
  std::optional<TLimit> moving_;
};
