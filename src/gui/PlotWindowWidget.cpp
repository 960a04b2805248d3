#include "PlotWindowWidget.h"

#include <QLocale>
#include <QMouseEvent>
#include <QPainter>

#include "QtUserInterface.h"

namespace {

using S = TSetting;

TPreviewCounters Paint(TAppContext& app, TPlotWindow& window, TQtDrawingSurface& surface, QImage& image,
                       std::span<const T2DLine> targetShots) {
  image.fill(ToQColor(clSkyBlue));
  surface.Begin(image);
  window.BorderPercent = 10;
  TSVGInfo info = app.SVGInfo();
  TDrawingSources sources = app.DrawingSources();
  QLocale locale;
  TDisplayOptions options = DisplayOptionsOf(app.Settings);
  options.TargetShots = targetShots;
  TPreviewCounters counters = DisplayCave(window, info, sources, options,
                                          [&](double value, int decimals) {
                                            return ToCore(locale.toString(value, 'f', decimals));
                                          });
  window.PaintFrame();
  surface.End();
  return counters;
}

}  // namespace

TDisplayOptions DisplayOptionsOf(const TSettingsModel& settings) {
  return {settings.Checked(S::LabelStations),   settings.Checked(S::ShowPassageWalls), settings.Checked(S::ShowLRUDBars),
          settings.Checked(S::ShowFeatures),    settings.Checked(S::ShowGrid),         settings.Checked(S::ShowCenterPoint), {}};
}

TPreviewCounters RenderPreview(TAppContext& app, QImage& image, std::span<const T2DLine> targetShots) {
  TQtDrawingSurface surface;
  TPlotWindow window(surface);
  return Paint(app, window, surface, image, targetShots);
}

TPlotWindowWidget::TPlotWindowWidget(TAppContext& app, QWidget* parent) : QWidget(parent), app_(app) {
  setMouseTracking(true);
  setObjectName("PlotWindow");
  app_.OnUpdatePlot([this] { update(); });
}

void TPlotWindowWidget::SetTargetShots(std::vector<T2DLine> shots) {
  targetShots_ = std::move(shots);
  update();
}

// Drawn into an image first, then shown at once.
void TPlotWindowWidget::paintEvent(QPaintEvent*) {
  if (buffer_.size() != size()) buffer_ = QImage(size(), QImage::Format_RGB32);
  counters_ = Paint(app_, window_, surface_, buffer_, targetShots_);
  QPainter(this).drawImage(0, 0, buffer_);
  if (OnPainted) OnPainted(counters_);
}

void TPlotWindowWidget::mouseMoveEvent(QMouseEvent* event) {
  if (!OnReadOut || window_.Scale() == 0) return;
  QPoint at = event->position().toPoint();
  const TSettingsModel& settings = app_.Settings;
  TSVGInfo info = app_.SVGInfo();
  const TPlotParams& params = info.PlotParams;
  T2DVector paper = Vector3Dto2DZ(window_.PixelToReal(at.x(), at.y()), params.Plan);
  T2DVector fromEdge = (paper + params.Margin) * settings.Units().PaperFactor;
  T2DVector cave = app_.Projection.PaperToCave(paper, params);
  if (settings.Checked(S::RelativeCoordinates) && app_.Plot.VectorArray.Count() > 0)
    cave = cave - Vector3Dto2DZ(app_.Plot.VectorArray[0].Location.Vector(), params.Plan);
  cave = cave * settings.Units().CaveFactor;
  QLocale locale;
  QString paperUnit = FromCore(settings.Units().PaperUnitsStr), caveUnit = FromCore(settings.Units().CaveUnitsStr);
  OnReadOut(QString("%1, %2").arg(at.x()).arg(at.y()),
            QString("%1, %2 %3").arg(locale.toString(fromEdge.X, 'f', 2), locale.toString(fromEdge.Y, 'f', 2), paperUnit),
            QString("%1, %2 %3").arg(locale.toString(cave.X, 'f', 1), locale.toString(cave.Y, 'f', 1), caveUnit));
}
