#include "MergePanel.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLocale>
#include <QMouseEvent>
#include <QTimer>
#include <QVBoxLayout>

#include "CompatibilityDialog.h"
#include "WidgetHelpers.h"
#include "export/QMColors.h"
#include "merge/QMGraph.h"

namespace {

using S = TSetting;

}  // namespace

TMergePanel::TMergePanel(TAppContext& app, TSettingWidgets& bindings, TQtUserInterface& ui, TPlotWindowWidget& preview,
                         QWidget* parent)
    : QWidget(parent), app_(app), bindings_(bindings), ui_(ui), preview_(preview) {
  reference_ = new QTableWidget(12, 2);
  reference_->setObjectName("ReferenceGrid");
  reference_->setHorizontalHeaderLabels({"Target", "Source"});
  reference_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  reference_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  reference_->setSelectionMode(QAbstractItemView::NoSelection);
  reference_->verticalHeader()->setDefaultSectionSize(22);
  reference_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  reference_->setFixedHeight(reference_->horizontalHeader()->sizeHint().height() + 12 * 22 + 2 * reference_->frameWidth());
  auto* referenceLayout = new QVBoxLayout;
  referenceLayout->addWidget(reference_);

  debugMerge_ = Button("Debug Merge", this, [this] { DebugMerge(); }, "DebugMergeBtn");
  debugMerge_->hide();
  auto* buttons = new QHBoxLayout;
  for (QPushButton* button : {Button("Load SVG Target", this, [this] { LoadSVGTarget(); }, "LoadTargetBtn"),
                              Button("Match Target", this, [this] { MatchTarget(); }, "MatchTargetBtn"),
                              Button("Merge/Morph/Save", this, [this] { MergeMorphSave(); }, "MergeBtn"), debugMerge_})
    buttons->addWidget(button);

  targetName_ = new QLineEdit;
  targetName_->setObjectName("TargetDis");
  targetName_->setReadOnly(true);
  showTarget_ = new QCheckBox("Show Target");
  showTarget_->setObjectName("ShowTargetChk");
  showTarget_->setToolTip("Draw the target's shot lines on the map, to see how far the survey moved");
  connect(showTarget_, &QCheckBox::toggled, this, [this] { ShowTargetShots(); });
  auto* checks = new QHBoxLayout;
  checks->addWidget(bindings.Create(S::ShowCompatibilityOptions));
  checks->addWidget(showTarget_);
  checks->addStretch();

  auto* morph = new QFormLayout;
  for (S spin : {S::MorphA, S::MorphB, S::MorphP, S::MorphN}) morph->addRow(bindings.Caption(spin), bindings.Create(spin));
  morphGroup_ = Group("Morph Parameters", morph);
  morphGroup_->setObjectName("MorphParameters");
  morphGroup_->installEventFilter(this);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Group("Reference Values", referenceLayout));
  layout->addLayout(buttons);
  layout->addWidget(targetName_);
  layout->addLayout(checks);
  layout->addWidget(morphGroup_);
  layout->addStretch();

  DisplaySVGComparision();
  // Many settings change at once (Match Target): one refresh for them all.
  app_.OnUpdatePlot([this] { ScheduleRefresh(); });
}

void TMergePanel::ScheduleRefresh() {
  if (refreshPending_) return;
  refreshPending_ = true;
  // A load or merge lets the window paint while it works: the refresh,
  // which reads the target, waits until it is done.
  QTimer::singleShot(ui_.Busy() ? 100 : 0, this, [this] {
    refreshPending_ = false;
    if (ui_.Busy()) return ScheduleRefresh();
    try {
      DisplaySVGComparision();
    } catch (const std::exception& error) {
      ui_.Error(error.what());
    }
  });
}

void TMergePanel::DisplaySVGComparision() {
  if (!app_.Plot.FileLoaded) return;
  const bool reloads = app_.Merge.TargetLoaded && app_.Merge.MergeMorph;
  QLocale locale;
  // The panel's texts are UTF-8: the target's name comes from its document.
  const TRefComparison comparison = app_.CompareSVGFiles(
      [&locale](double value, int decimals) { return locale.toString(value, 'f', decimals).toStdString(); });
  if (reloads) ShowTargetShots();
  for (std::size_t row = 0; row < comparison.Rows.size(); ++row) {
    const TRefComparison::TRow& field = comparison.Rows[row];
    const int r = static_cast<int>(row);
    reference_->setVerticalHeaderItem(r, new QTableWidgetItem(QString::fromStdString(field.Caption)));
    auto* target = new QTableWidgetItem(QString::fromStdString(field.TargetText));
    target->setBackground(comparison.HasTarget && field.Differs ? ToQColor(RefHighlightColor) : QColor(Qt::white));
    target->setForeground(QColor(Qt::black));
    reference_->setItem(r, 0, target);
    reference_->setItem(r, 1, new QTableWidgetItem(QString::fromStdString(field.SourceText)));
  }
}

void TMergePanel::LoadSVGTarget() {
  if (!app_.IsFileLoaded()) return;
  if (app_.Settings.Checked(S::ShowCompatibilityOptions)) TCompatibilityDialog(bindings_, this).exec();
  QFileDialog dialog(this, "Open SVG File", QDir::currentPath(), "SVG Files (*.svg);;XML Files (*.xml);;All Files (*)");
  dialog.setFileMode(QFileDialog::ExistingFile);
  if (dialog.exec() != QDialog::Accepted) return;
  try {
    LoadAnalizeMergeTarget(dialog.selectedFiles().value(0));
  } catch (const std::exception& error) {
    ui_.Error(error.what());
  }
}

void TMergePanel::LoadAnalizeMergeTarget(const QString& fileName) {
  const QFileInfo file(fileName);
  targetName_->clear();
  try {
    TBusyGuard busy(ui_);
    app_.LoadMergeTarget(ToCore(file.absoluteFilePath()));
  } catch (...) {
    ShowTargetShots();  // no target any more
    throw;
  }
  targetName_->setText(file.fileName());
  ShowTargetShots();
  DisplaySVGComparision();
}

void TMergePanel::MatchTarget() {
  if (!app_.IsFileLoaded()) return;
  try {
    app_.MatchTargetCommand();  // the settings it changes refresh the panel
  } catch (const std::exception& error) {
    ui_.Error(error.what());
  }
}

void TMergePanel::MergeMorphSave() {
  if (!app_.IsFileLoaded()) return;
  const QFileInfo plot(FromCore(app_.Plot.PlotFile));
  QFileDialog dialog(this, "Save Merged Files As SVG ", QDir::currentPath(), "SVG Files (*.svg);;All Files (*)");
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix("svg");
  dialog.selectFile(plot.completeBaseName() + "_Mrg.svg");
  if (dialog.exec() != QDialog::Accepted) return;
  RunMerge(ToCore(dialog.selectedFiles().value(0)));
}

void TMergePanel::DebugMerge() {
  if (app_.IsFileLoaded()) RunMerge("");
}

void TMergePanel::RunMerge(const std::string& output) {
  try {
    app_.DoMorphMerge(output);
  } catch (const std::exception& error) {
    ui_.Error(error.what());
  }
  ShowTargetShots();
}

// The overlay shows the target as loaded from its file, not as merged.
void TMergePanel::ShowTargetShots() {
  const TMergeState& merge = app_.Merge;
  const bool show = showTarget_->isChecked() && merge.TargetLoaded && !merge.MergeMorph;
  preview_.SetTargetShots(show ? SurveyShotLines(merge.TargetDoc) : std::vector<T2DLine>{});
}

bool TMergePanel::eventFilter(QObject* watched, QEvent* event) {
  if (watched == morphGroup_ && event->type() == QEvent::MouseButtonPress) {
    const auto modifiers = static_cast<QMouseEvent*>(event)->modifiers();
    if ((modifiers & Qt::ShiftModifier) && (modifiers & Qt::ControlModifier)) debugMerge_->setHidden(!debugMerge_->isHidden());
  }
  return QWidget::eventFilter(watched, event);
}
