#include "ShotSelectDialog.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>
#include <cmath>
#include <tuple>

#include "ClipView.h"
#include "WidgetHelpers.h"

namespace {

QDate ToQDate(const TCaveDate& date) { return QDate(date.Year, date.Month, date.Day); }
TCaveDate FromQDate(const QDate& date) {
  return {static_cast<std::uint8_t>(date.day()), static_cast<std::uint8_t>(date.month()),
          static_cast<std::uint16_t>(date.year())};
}

}  // namespace

TShotSelectDialog::TShotSelectDialog(TAppContext& app, TQtUserInterface& ui, QWidget* parent)
    : QDialog(parent, Qt::Tool), app_(app), ui_(ui) {
  setWindowTitle("Select Surveys and Shots");
  setObjectName("ComplexDlg");
  setModal(false);
  auto* pages = new QTabWidget;
  pages->addTab(PositionPage(), "By Position");
  pages->addTab(DatePage(), "By Date");
  pages->addTab(TiltPage(), "Cave Tilt");
  progress_ = new QProgressBar;
  progress_->setRange(0, 100);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(progress_, 1);
  bottom->addWidget(Button("Close", this, [this] { hide(); }, "CloseBtn"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(pages, 1);
  layout->addLayout(bottom);
  resize(640, 620);
}

QWidget* TShotSelectDialog::PositionPage() {
  auto* limits = new QFormLayout;
  const std::pair<TLimit, const char*> spins[] = {{North, "North"}, {West, "West"}, {East, "East"},
                                                  {South, "South"}, {Top, "Top"},   {Bottom, "Bottom"}};
  for (const auto& [limit, caption] : spins) {
    auto* spin = clipSpins_[limit] = new QDoubleSpinBox;
    spin->setObjectName(QString("Clip%1Spin").arg(caption));
    spin->setRange(-1e9, 1e9);
    spin->setDecimals(1);
    spin->setSingleStep(1.0);
    connect(spin, &QDoubleSpinBox::valueChanged, this, [this] { LimitsFromSpins(); });
    limits->addRow(caption, spin);
  }
  limits->addRow(Button("Reset", this, [this] {
    tool_.SetClipLimits(app_.Plot);
    ShowLimits();
  }, "ClipResetBtn"));
  subtractPlane_ = new QCheckBox("Subtract Plane");
  subtractPlane_->setObjectName("PlaneExcludeChk");
  connect(subtractPlane_, &QCheckBox::toggled, this, [this](bool on) {
    tool_.Criteria.SubtractPlane = on;
    profile_->update();
  });
  limits->addRow(subtractPlane_);
  byDepth_ = new QCheckBox("Depth");
  byEastWest_ = new QCheckBox("East/West Extents");
  byNorthSouth_ = new QCheckBox("North/South Extents");
  auto* by = new QVBoxLayout;
  for (QCheckBox* check : {byDepth_, byEastWest_, byNorthSouth_}) by->addWidget(check);
  byDepth_->setObjectName("ExDepthChk");
  byEastWest_->setObjectName("ExEastWestChk");
  byNorthSouth_->setObjectName("ExNorthSouthChk");
  auto* left = new QVBoxLayout;
  left->addWidget(Group("Clip Limits", limits));
  left->addWidget(Button("Select", this, [this] { SetByExtents(); }, "ExtentSetBtn"));
  left->addWidget(Group("Select By:", by));
  left->addStretch();

  auto dragged = [this](TLimit limit, double value) {
    clipSpins_[limit]->setValue(std::round(value * app_.Settings.Units().CaveFactor * 10) / 10);
  };
  plan_ = new TClipView(app_, tool_, true, dragged);
  profile_ = new TClipView(app_, tool_, false, dragged);
  auto* views = new QSplitter(Qt::Vertical);
  for (TClipView* view : {plan_, profile_}) {
    auto* area = new QScrollArea;
    area->setWidget(view);
    area->viewport()->installEventFilter(this);  // the view follows the pane's size
    views->addWidget(area);
  }
  auto* zoom = new QHBoxLayout;
  zoom->addWidget(Button("Reset", this, [this] { Zoom(0); }, "ZoomResetBtn"));
  for (auto [caption, name, factor] : {std::tuple("Zoom Out", "ZoomOutBtn", 0.9), std::tuple("Zoom In", "ZoomInBtn", 1.1)}) {
    QPushButton* button = Button(caption, this, [this, factor = factor] { Zoom(factor); }, name);
    button->setAutoRepeat(true);  // repeats while held
    zoom->addWidget(button);
  }
  zoom->addStretch();
  auto* right = new QVBoxLayout;
  right->addLayout(zoom);
  right->addWidget(views, 1);
  auto* page = new QWidget;
  auto* layout = new QHBoxLayout(page);
  layout->addLayout(left);
  layout->addLayout(right, 1);
  return page;
}

QWidget* TShotSelectDialog::DatePage() {
  from_ = new QDateEdit;
  to_ = new QDateEdit;
  from_->setObjectName("ClipDate1Spin");
  to_->setObjectName("ClipDate2Spin");
  for (QDateEdit* date : {from_, to_}) {
    date->setDisplayFormat("yyyy-MM-dd");
    date->setMinimumDate(QDate(1, 1, 1));
  }
  auto* dates = new QFormLayout;
  dates->addRow("Starting Date", from_);
  dates->addRow("Ending Date", to_);
  dates->addRow(Button("Reset", this, [this] {
    from_->setDate(ToQDate(app_.Plot.MinDate));
    to_->setDate(ToQDate(app_.Plot.MaxDate));
  }, "DateResetBtn"));
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(Group("Exclude By Date", dates));
  layout->addWidget(Button("Select", this, [this] { SetByDate(); }, "SelectDateBtn"));
  layout->addStretch();
  return page;
}

QWidget* TShotSelectDialog::TiltPage() {
  azimuth_ = new QDoubleSpinBox;
  inclination_ = new QDoubleSpinBox;
  azimuth_->setObjectName("AzmSpin");
  inclination_->setObjectName("DipSpin");
  azimuth_->setRange(0, 360);
  azimuth_->setWrapping(true);
  inclination_->setRange(-90, 90);
  for (QDoubleSpinBox* spin : {azimuth_, inclination_}) {
    spin->setDecimals(2);
    spin->setSingleStep(1);
    connect(spin, &QDoubleSpinBox::valueChanged, this, [this] {
      tool_.Plane.SetPlane(azimuth_->value(), inclination_->value());
      ShowTilt(azimuth_->value(), inclination_->value());
      profile_->update();
    });
  }
  auto* angles = new QFormLayout;
  angles->addRow("Azimuth", azimuth_);
  angles->addRow("Inclination", inclination_);
  extentsInAnalysis_ = new QCheckBox("Use Extents In Analysis");
  extentsInAnalysis_->setObjectName("ExtentsTiltChk");
  auto* analysis = new QVBoxLayout;
  analysis->addWidget(Button("Analyze CaveTilt", this, [this] { Regression(); }, "RegressBtn"));
  analysis->addWidget(extentsInAnalysis_);
  // The direction dial: its yaw round, its pitch along the slider.
  dialYaw_ = new QDial;
  dialYaw_->setRange(0, 359);
  dialYaw_->setWrapping(true);
  dialPitch_ = new QSlider(Qt::Vertical);
  dialPitch_->setRange(0, 180);
  auto turned = [this] {
    if (!updateDial_) return;
    updateDial_ = false;
    double azimuth, dip;
    DialToTilt(dialYaw_->value(), dialPitch_->value(), azimuth, dip);
    azimuth_->setValue(azimuth);
    inclination_->setValue(dip);
    updateDial_ = true;
  };
  connect(dialYaw_, &QDial::valueChanged, this, turned);
  connect(dialPitch_, &QSlider::valueChanged, this, turned);
  auto* dial = new QHBoxLayout;
  dial->addWidget(dialYaw_, 1);
  dial->addWidget(dialPitch_);
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(Group("Tilt Angles", angles));
  layout->addWidget(Group("Analysis", analysis));
  layout->addWidget(Group("Tilt (Looking Up Slope)", dial), 1);
  return page;
}

void TShotSelectDialog::Zoom(double factor) {
  baseSize_ = factor == 0 ? 1.0 : baseSize_ * factor;
  FitViews();
}

// Each view BaseSize times its pane, less 4 pixels, the scroll position kept
// in proportion.
void TShotSelectDialog::FitViews() {
  for (TClipView* view : {plan_, profile_}) {
    auto* area = qobject_cast<QScrollArea*>(view->parentWidget()->parentWidget());
    if (!area) continue;
    const QSize pane = area->viewport()->size();
    QScrollBar* bars[] = {area->horizontalScrollBar(), area->verticalScrollBar()};
    double share[2];
    for (int i = 0; i < 2; ++i) share[i] = bars[i]->maximum() > 0 ? double(bars[i]->value()) / bars[i]->maximum() : 0;
    view->resize(std::max(1, int(std::lround(baseSize_ * pane.width())) - 4),
                 std::max(1, int(std::lround(baseSize_ * pane.height())) - 4));
    for (int i = 0; i < 2; ++i) bars[i]->setValue(int(share[i] * bars[i]->maximum()));
  }
}

bool TShotSelectDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Resize) FitViews();
  return QDialog::eventFilter(watched, event);
}

void TShotSelectDialog::ShowTilt(double azimuth, double dip) {
  if (!updateDial_) return;
  updateDial_ = false;
  double yaw, pitch;
  TiltToDial(azimuth, dip, yaw, pitch);
  dialYaw_->setValue(static_cast<int>(std::lround(yaw)) % 360);
  dialPitch_->setValue(static_cast<int>(std::lround(pitch)));
  updateDial_ = true;
}

void TShotSelectDialog::DoShotSelectDialog() {
  for (QDoubleSpinBox* spin : clipSpins_) spin->setSuffix(" " + FromCore(app_.Settings.Units().CaveUnitsStr));
  ShowLimits();
  show();
  raise();
}

void TShotSelectDialog::PresetComplex() {
  tool_.PresetComplex(app_.Plot);
  ShowLimits();
  from_->setDate(ToQDate(app_.Plot.MinDate));
  to_->setDate(ToQDate(app_.Plot.MaxDate));
  subtractPlane_->setChecked(false);
  azimuth_->setValue(0);
  inclination_->setValue(0);
  ShowTilt(0, 0);
}

void TShotSelectDialog::ShowLimits() {
  showingLimits_ = true;
  const TClipBox& box = tool_.Box;
  const double factor = app_.Settings.Units().CaveFactor;
  const std::pair<TLimit, double> limits[] = {{North, box.North}, {West, box.West}, {East, box.East},
                                              {South, box.South}, {Top, box.Top},   {Bottom, box.Bottom}};
  for (const auto& [limit, value] : limits) clipSpins_[limit]->setValue(std::round(value * factor * 10) / 10);
  showingLimits_ = false;
  plan_->update();
  profile_->update();
}

void TShotSelectDialog::LimitsFromSpins() {
  if (showingLimits_) return;  // the spins show the box; they do not round it
  const double factor = app_.Settings.Units().CaveFactor;
  TClipBox& box = tool_.Box;
  double* limits[] = {&box.West, &box.East, &box.South, &box.North, &box.Bottom, &box.Top};
  for (int limit = West; limit <= Top; ++limit) *limits[limit] = clipSpins_[limit]->value() / factor;
  plan_->update();
  profile_->update();
}

TSelectProgress TShotSelectDialog::Progress() {
  return [this](int percent) { progress_->setValue(percent); };
}

void TShotSelectDialog::SetByExtents() {
  tool_.Criteria.Depth = byDepth_->isChecked();
  tool_.Criteria.EastWest = byEastWest_->isChecked();
  tool_.Criteria.NorthSouth = byNorthSouth_->isChecked();
  if (app_.Plot.FileLoaded) tool_.SetByExtents(app_.Plot, app_.Tree, Progress());
  app_.UpdatePlot();
}

void TShotSelectDialog::SetByDate() {
  tool_.From = FromQDate(from_->date());
  tool_.To = FromQDate(to_->date());
  if (app_.Plot.FileLoaded) tool_.SetByDate(app_.Plot, app_.Tree, Progress());
  app_.UpdatePlot();
}

bool TShotSelectDialog::Regression() {
  if (!app_.Plot.FileLoaded || !tool_.Regression(app_.Plot, extentsInAnalysis_->isChecked())) {
    ui_.Warning("Insufficient Stations To Analyze Slope");
    return false;
  }
  double azimuth, dip;
  tool_.Plane.GetAzmDip(azimuth, dip);
  // The angles shown without setting the plane again: it keeps the fitted normal.
  for (auto [spin, value] : {std::pair(azimuth_, azimuth), std::pair(inclination_, dip)}) {
    const QSignalBlocker quiet(spin);
    spin->setValue(std::round(value * 100) / 100);
  }
  ShowTilt(azimuth, dip);
  profile_->update();
  return true;
}
