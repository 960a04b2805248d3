#include "MainWindow.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QTableWidget>
#include <QColorDialog>
#include <QUrl>
#include <QVBoxLayout>

#include "CompatibilityDialog.h"
#include "GraphsDialog.h"
#include "MergePanel.h"
#include "SVGTreeDialog.h"
#include "ShotSelectDialog.h"
#include "StationTieInDialog.h"
#include "PlotWindowWidget.h"
#include "QtDrawingSurface.h"
#include "app/DataFiles.h"
#include "app/Magnification.h"
#include "app/SettingsFile.h"
#include <QScrollArea>
#include <QScrollBar>
#include "ProcessLogDialog.h"
#include "RepairDialog.h"
#include "ValidateDialog.h"
#include "WidgetHelpers.h"
#include "app/Version.h"
#include "export/QMColors.h"

namespace {

using S = TSetting;

QWidget* Page(std::initializer_list<QWidget*> parts) {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  for (QWidget* part : parts) layout->addWidget(part);
  layout->addStretch();
  return page;
}

}  // namespace

TMainWindow::TMainWindow(TQtUserInterface& ui, bool surveyFoot, QWidget* parent)
    : QMainWindow(parent), ui_(ui), app_(ui, surveyFoot), bindings_(new TSettingWidgets(app_.Settings, this)) {
  recent_.Load(TIniFile(ConfigFiles().RecentFiles));
  setWindowTitle("Quillmap");
  BuildStatusBar();

  settingsTabs_ = new QTabWidget;
  treePanel_ = new TSurveyTreePanel(app_, *bindings_);
  settingsTabs_->addTab(treePanel_, "Survey ");
  settingsTabs_->addTab(PosScalePage(), "Pos/Scale");
  settingsTabs_->addTab(PaperPage(), "Paper");
  settingsTabs_->addTab(SVGPage(), "SVG");
  settingsTabs_->addTab(PassagePage(), "Passage");
  settingsTabs_->addTab(DisplayPage(), "Display");
  settingsTabs_->setMinimumWidth(440);

  views_ = new QTabWidget;
  views_->addTab(MapDisplay(), "Map Display");
  mergePanel_ = new TMergePanel(app_, *bindings_, ui_, *preview_);
  views_->addTab(mergePanel_, " Merge / Morph");
  auto* right = new QWidget;
  auto* rightLayout = new QVBoxLayout(right);
  rightLayout->setContentsMargins(0, 0, 0, 0);
  rightLayout->addWidget(views_, 1);
  rightLayout->addWidget(ReadOutBar());

  auto* splitter = new QSplitter;
  splitter->addWidget(settingsTabs_);
  splitter->addWidget(right);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({440, 840});
  setCentralWidget(splitter);
  BuildMenus();
  app_.Settings.AddListener([this](TSettingsChange change, std::optional<TSetting>) {
    if (change == TSettingsChange::Colors) ShowColors();
  });
  // The unit labels and factors follow the units choice, without converting.
  app_.Settings.SetUnitsStrings(app_.Settings.Choice(S::Units) == 0, false);
}

QWidget* TMainWindow::PosScalePage() {
  auto* offsets = new QFormLayout;
  offsets->addRow(bindings_->Caption(S::PaperOffsetX), bindings_->Create(S::PaperOffsetX));
  offsets->addRow(bindings_->Caption(S::PaperOffsetY), bindings_->Create(S::PaperOffsetY));
  offsets->addRow(Button("Reset", this, [this] { app_.Settings.ResetPaperOffset(); }));
  auto* scaling = new QFormLayout;
  scaling->addRow(bindings_->Caption(S::ScaleFactor), bindings_->Create(S::ScaleFactor));
  scaling->addRow(bindings_->Caption(S::FeetPerInch), bindings_->Create(S::FeetPerInch));
  scaling->addRow(bindings_->Caption(S::Ratio), bindings_->Create(S::Ratio));
  scaling->addRow(Button("Reset", this, [this] { app_.Settings.ResetScale(); }));
  auto* rotation = new QFormLayout;
  rotation->addRow(bindings_->Caption(S::Yaw), bindings_->Create(S::Yaw));
  rotation->addRow(bindings_->Caption(S::PaperRotation), bindings_->Create(S::PaperRotation));
  rotation->addRow(bindings_->Caption(S::Pitch), bindings_->Create(S::Pitch));
  rotation->addRow(Button("Reset", this, [this] { app_.Settings.ResetRotation(); }));
  auto* centring = new QHBoxLayout;
  centring->addWidget(bindings_->Create(S::StayCentered));
  centring->addWidget(Button("Center", this, [this] { app_.Settings.Center(); }));
  auto* choices = new QHBoxLayout;
  choices->addWidget(bindings_->CreateRadioGroup(S::Units));
  choices->addWidget(bindings_->CreateRadioGroup(S::View));
  return Page({Group("", centring), Group("Paper Offset", offsets), Group("Scaling/Rotation", scaling),
               Group("", choices), Group("Rotation", rotation)});
}

QWidget* TMainWindow::PaperPage() {
  auto* size = new QFormLayout;
  size->addRow(bindings_->Caption(S::PaperX), bindings_->Create(S::PaperX));
  size->addRow(bindings_->Caption(S::PaperY), bindings_->Create(S::PaperY));
  auto* standard = new QVBoxLayout;
  standard->addWidget(bindings_->Create(S::PaperSize));
  auto* margin = new QFormLayout;
  margin->addRow(bindings_->Caption(S::MarginX), bindings_->Create(S::MarginX));
  margin->addRow(bindings_->Caption(S::MarginY), bindings_->Create(S::MarginY));
  return Page({Group("Paper Size", size), Group("Standard Sizes", standard), bindings_->CreateRadioGroup(S::Orientation),
               Group("Margin", margin)});
}

QWidget* TMainWindow::SVGPage() {
  auto* grid = new QFormLayout;
  grid->addRow(bindings_->Caption(S::GridSpacing), bindings_->Create(S::GridSpacing));
  grid->addRow(Button("Reset", this, [this] { app_.Settings.ResetGrid(); }));
  colorTable_ = new QTableWidget(static_cast<int>(SVAColorSetArray.size()), 2);
  colorTable_->setObjectName("ColorGrid");
  colorTable_->setHorizontalHeaderLabels({"Item", "Color"});
  colorTable_->verticalHeader()->hide();
  colorTable_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  colorTable_->setSelectionBehavior(QAbstractItemView::SelectRows);
  colorTable_->horizontalHeader()->setStretchLastSection(true);
  colorTable_->setMinimumHeight(300);
  ShowColors();
  auto* colors = new QVBoxLayout;
  colors->addWidget(colorTable_);
  colors->addWidget(Button("Edit Selected Colors", this, [this] {
    int row = colorTable_->currentRow();
    if (row < 0) return;
    TColor current = app_.Settings.Colors().*SVAColorSetArray[static_cast<std::size_t>(row)].Color;
    QColor chosen = QColorDialog::getColor(ToQColor(current), this);
    if (chosen.isValid())
      app_.Settings.SetColor(row, FromQColor(chosen));
  }));
  return Page({Group("Grid", grid), Group("Colors", colors), bindings_->CreateRadioGroup(S::ScaleBarType)});
}

void TMainWindow::ShowColors() {
  for (std::size_t row = 0; row < SVAColorSetArray.size(); ++row) {
    const TColorItem& item = SVAColorSetArray[row];
    colorTable_->setItem(static_cast<int>(row), 0, new QTableWidgetItem(item.Tag));
    auto* swatch = new QTableWidgetItem;
    swatch->setBackground(ToQColor(app_.Settings.Colors().*item.Color));
    colorTable_->setItem(static_cast<int>(row), 1, swatch);
  }
}

QWidget* TMainWindow::PassagePage() {
  auto* form = new QFormLayout;
  form->addRow(bindings_->CreateRadioGroup(S::PassageShape));
  form->addRow(bindings_->Caption(S::CornerThreshold), bindings_->Create(S::CornerThreshold));
  form->addRow(bindings_->CreateRadioGroup(S::RoundingDepth));
  form->addRow(bindings_->Caption(S::SubstituteDiameter), bindings_->Create(S::SubstituteDiameter));
  for (S check : {S::SubstituteMissingLRUDs, S::ExpandPassages, S::VerticalPrisms}) form->addRow(bindings_->Create(check));
  form->addRow(bindings_->Caption(S::VerticalThreshold), bindings_->Create(S::VerticalThreshold));
  for (S check : {S::MergePassages, S::SealPassageEnds}) form->addRow(bindings_->Create(check));
  polygonsRendered_ = new QLabel(" Polygons Rendered: ");
  polygonsRendered_->setObjectName("PolygonsRendered");
  form->addRow(polygonsRendered_);
  return Page({Group("Passages", form)});
}

QWidget* TMainWindow::DisplayPage() {
  auto* note = new QLabel("Note: These option only affect the display not what is exported to the SVG File");
  note->setWordWrap(true);
  auto* checks = new QVBoxLayout;
  for (S check : {S::ShowPassageWalls, S::ShowLRUDBars, S::ShowGrid, S::ShowCenterPoint, S::LabelStations, S::ShowFeatures})
    checks->addWidget(bindings_->Create(check));
  return Page({note, Group("", checks)});
}

QWidget* TMainWindow::MapDisplay() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  preview_ = new TPlotWindowWidget(app_);
  previewArea_ = new QScrollArea;
  previewArea_->setObjectName("PreviewArea");
  previewArea_->setWidget(preview_);
  previewArea_->setMinimumSize(400, 300);
  previewArea_->viewport()->installEventFilter(this);
  layout->addWidget(previewArea_, 1);
  preview_->OnPainted = [this](const TPreviewCounters& counters) {
    polygonsRendered_->setText(" Polygons Rendered: " + QString::number(counters.RectCnt));
  };
  preview_->OnReadOut = [this](const QString& mouse, const QString& paper, const QString& cave) {
    readOut_[0]->setText(mouse);
    readOut_[1]->setText(paper);
    readOut_[2]->setText(cave);
  };
  app_.Settings.AddListener([this](TSettingsChange change, std::optional<TSetting> setting) {
    if (change == TSettingsChange::Value && setting == S::Magnification) {
      SizePreview();
      setWindowTitle(FromCore(MagnificationCaption({preview_->width(), preview_->height()})));
    }
  });
  auto* bar = new QHBoxLayout;
  auto* exportButton = Button("Export SVG", this, [this] { ExportSVG(); });
  exportButton->setObjectName("ExportSVGBtn");
  bar->addWidget(exportButton);
  bar->addStretch();
  bar->addWidget(bindings_->Caption(S::Magnification));
  bar->addWidget(bindings_->Create(S::Magnification));
  bar->addWidget(Button("Reset", this, [this] { app_.Settings.Set(S::Magnification, 0); }));
  layout->addLayout(bar);
  return page;
}

QWidget* TMainWindow::ReadOutBar() {
  auto* bar = new QWidget;
  auto* layout = new QHBoxLayout(bar);
  layout->setContentsMargins(6, 0, 6, 0);
  int part = 0;
  for (const char* caption : {" Mouse:", " Paper:", " Cave:"}) {
    layout->addWidget(new QLabel(caption));
    auto* value = new QLabel;
    value->setMinimumWidth(150);
    value->setObjectName(QString(caption).trimmed().remove(':') + "ReadOut");
    readOut_[part++] = value;
    layout->addWidget(value);
  }
  layout->addStretch();
  layout->addWidget(bindings_->Create(S::RelativeCoordinates));
  return bar;
}

// The preview grows with the magnification around the area that shows it.
void TMainWindow::SizePreview() {
  QSize area = previewArea_->viewport()->size();
  TPixelSize size = MagnifiedPreviewSize({area.width(), area.height()}, app_.Settings.Value(S::Magnification));
  preview_->resize(size.Width, size.Height);
}

bool TMainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == previewArea_->viewport() && event->type() == QEvent::Resize) SizePreview();
  return QMainWindow::eventFilter(watched, event);
}

void TMainWindow::BuildStatusBar() {
  TQtUserInterface::TStatusBar parts;
  parts.Gauge = new QProgressBar;
  parts.Gauge->setRange(0, 100);
  parts.Gauge->setMaximumWidth(160);
  parts.Gauge->setObjectName("Gauge");
  parts.Line1 = new QLabel;
  parts.Line1->setObjectName("StatusDis1");
  parts.Line2 = new QLabel;
  parts.Line2->setObjectName("StatusDis2");
  parts.Elements = new QLabel;
  parts.Elements->setStyleSheet("color: rgb(0,255,0);");
  statusBar()->setStyleSheet("QStatusBar { background: #202428; } QLabel { color: #d0d0d0; }");
  statusBar()->addWidget(new QLabel(" Status:"));
  statusBar()->addWidget(parts.Gauge);
  statusBar()->addWidget(parts.Line1, 1);
  statusBar()->addWidget(parts.Line2, 1);
  statusBar()->addPermanentWidget(parts.Elements);
  ui_.Attach(this, parts);
}

void TMainWindow::BuildMenus() {
  struct TCommand {
    const char* menu;
    const char* caption;
    std::function<void()> run;  // none: its part is not built yet
    QKeySequence shortcut = {};
  };
  const TCommand commands[] = {
      {"&File", "&Open PLT File...", [this] { ReadNewPlotFile(); }, QKeySequence::Open},
      {"&File", "&Reopen", {}},
      {"&File", "Open S&VG File...", [this] { mergePanel_->LoadSVGTarget(); }},
      {"&File", "&Load Settings...", [this] {
         QFileDialog dialog(this, "Open Map Settings File", QDir::currentPath(), "Map Settings Files (*.vmsf);;All Files (*)");
         dialog.setDefaultSuffix("vmsf");
         dialog.setFileMode(QFileDialog::ExistingFile);
         if (dialog.exec() == QDialog::Accepted) LoadSettingsFile(dialog.selectedFiles().value(0));
       }},
      {"&File", "&Save Settings...", [this] {
         QFileDialog dialog(this, "Save Map Settings Files", QDir::currentPath(), "Map Settings Files (*.vmsf);;All Files (*)");
         dialog.setAcceptMode(QFileDialog::AcceptSave);
         dialog.setDefaultSuffix("vmsf");
         dialog.selectFile("MapSettings.vmsf");
         if (dialog.exec() == QDialog::Accepted) SaveSettingsFile(dialog.selectedFiles().value(0));
       }},
      {"&File", "E&xit", [this] { close(); }, QKeySequence::Quit},
      {"&View", "SVG &Trees...", [this] { SVGTreeDialog().DoSVGTreeDisplay(); }},
      {"&View", "View &Log...", [this] { TProcessLogDialog(app_.Log, this).exec(); }},
      {"&View", "&Graphs...", [this] { GraphsDialog().ShowGraphsDlg(); }},
      {"&Tools", "&File Errors/Validate...", [this] { ValidateDialog().ShowValidateDlg(); }},
      {"&Tools", "&Repair/Convert Files...", [this] { RepairDialog().exec(); }},
      {"&Tools", "&Shot Select Tool...", [this] { ShotSelectDialog().DoShotSelectDialog(); }},
      {"&Tools", "&Station &Tie-Ins...", [this] { StationTieInDialog().ShowTieIns(); }},
      {"&Options", "&Compatibility...", [this] { TCompatibilityDialog(*bindings_, this).exec(); }},
      {"&Options", "&Save User Defaults", [this] {
         try {
           TIniFile file(ConfigFiles().UserDefaults);
           SaveUserDefaults(app_.Settings, file);
         } catch (const std::exception& error) {
           ui_.Error(error.what());
         }
       }},
      {"&Options", "&Get User Defaults", [this] { ApplyUserDefaults(); }},
      {"&Help", "&Contents", [] {
         QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(UserGuidePath().string())));
       }},
      {"&Help", "&About", [this] {
         QMessageBox::about(this, "About Quillmap",
                            "<b>Quillmap</b><br>" + FromCore(AboutVersionText()) +
                                "<br><br>Cave survey plots to layered SVG drawings.");
       }},
  };
  std::map<QString, QMenu*> menus;
  for (const TCommand& command : commands) {
    QMenu*& menu = menus[command.menu];
    if (!menu) menu = menuBar()->addMenu(command.menu);
    if (QString(command.caption) == "&Reopen") {
      reopenMenu_ = menu->addMenu(command.caption);
      ShowRecentFiles();
      continue;
    }
    QAction* action = menu->addAction(command.caption);
    action->setObjectName(QString(command.caption).remove('&').remove('.').remove(' '));
    if (!command.shortcut.isEmpty()) action->setShortcut(command.shortcut);
    if (command.run) connect(action, &QAction::triggered, this, command.run);
    else action->setEnabled(false);
  }
}

// The list belongs to the suite's cave viewer too: a failed write costs nothing.
TMainWindow::~TMainWindow() {
  try {
    TIniFile file(ConfigFiles().RecentFiles);
    recent_.Save(file);
  } catch (const std::exception&) {
  }
}

void TMainWindow::ShowRecentFiles() {
  reopenMenu_->clear();
  for (std::size_t i = 0; i < recent_.Paths().size(); ++i) {
    const QString file = QString::fromLocal8Bit(recent_.Paths()[i].c_str());
    reopenMenu_->addAction(QString::fromLocal8Bit(recent_.Caption(i).c_str()), this, [this, file] { LoadPlotFile(file); });
  }
  reopenMenu_->setEnabled(!recent_.Paths().empty());
}

void TMainWindow::ApplyUserDefaults() { GetUserDefaults(app_.Settings, TIniFile(ConfigFiles().UserDefaults)); }

void TMainWindow::SaveSettingsFile(const QString& fileName) {
  try {
    SaveCaveTreeXML(app_, ToCore(fileName));
  } catch (const std::exception& error) {
    ui_.Error(error.what());
  }
}

void TMainWindow::LoadSettingsFile(const QString& fileName) {
  try {
    LoadCaveTreeFromFile(app_, ToCore(fileName), [this](int position, int total) {
      ui_.Progress(total > 0 ? position * 100 / total : 0);
    });
  } catch (const std::exception& error) {
    ui_.Error(error.what());
  }
}

void TMainWindow::ReadNewPlotFile() {
  QFileDialog dialog(this, "Open Plot File", QDir::currentPath(), "Vandral Plot Files (*.plt *.PLT *.plf *.PLF);;All Files (*)");
  dialog.setDefaultSuffix("plt");
  dialog.setFileMode(QFileDialog::ExistingFile);
  if (dialog.exec() == QDialog::Accepted) LoadPlotFile(dialog.selectedFiles().value(0));
}

void TMainWindow::LoadPlotFile(const QString& fileName) {
  QFileInfo file(QFileInfo(fileName).absoluteFilePath());
  QDir::setCurrent(file.absolutePath());  // later file dialogs start there
  treePanel_->PlotLoading();
  try {
    app_.LoadPlotFile(ToCore(file.absoluteFilePath()),
                      [this](int surveys, int shots) { treePanel_->ShowCounters(surveys, shots); });
  } catch (const std::exception& error) {
    treePanel_->PlotLoaded("");
    ui_.Error(error.what());
    return;
  }
  treePanel_->PlotLoaded(file.fileName());
  recent_.Add(file.absoluteFilePath().toLocal8Bit().toStdString());
  if (shotSelect_) shotSelect_->PresetComplex();
  ShowRecentFiles();
  setWindowTitle("Quillmap - " + file.fileName());
  settingsTabs_->setCurrentIndex(0);
}

TValidateDialog& TMainWindow::ValidateDialog() {
  if (!validateDialog_) validateDialog_ = new TValidateDialog(app_.Validation, this);
  return *validateDialog_;
}

TShotSelectDialog& TMainWindow::ShotSelectDialog() {
  if (!shotSelect_) {
    shotSelect_ = new TShotSelectDialog(app_, ui_, this);
    shotSelect_->PresetComplex();
  }
  return *shotSelect_;
}

TStationTieInDialog& TMainWindow::StationTieInDialog() {
  if (!tieIns_) tieIns_ = new TStationTieInDialog(app_, *bindings_, ui_, this);
  return *tieIns_;
}

TGraphsDialog& TMainWindow::GraphsDialog() {
  if (!graphsDialog_) graphsDialog_ = new TGraphsDialog(app_, ui_, this);
  return *graphsDialog_;
}

TSVGTreeDialog& TMainWindow::SVGTreeDialog() {
  if (!svgTreeDialog_) svgTreeDialog_ = new TSVGTreeDialog(app_, ui_, this);
  return *svgTreeDialog_;
}

TRepairDialog& TMainWindow::RepairDialog() {
  if (!repairDialog_) repairDialog_ = new TRepairDialog(app_, *bindings_, ui_, this);
  return *repairDialog_;
}

bool TMainWindow::OpenPltOrSVG(const QString& fileName) {
  QFileInfo file(QFileInfo(fileName).absoluteFilePath());
  if (!file.exists()) return false;
  QDir::setCurrent(file.absolutePath());
  if (file.suffix().compare("plt", Qt::CaseInsensitive) == 0) {
    LoadPlotFile(file.absoluteFilePath());
    return app_.Plot.FileLoaded;
  }
  if (file.suffix().compare("svg", Qt::CaseInsensitive) == 0) {
    try {
      mergePanel_->LoadAnalizeMergeTarget(file.absoluteFilePath());
    } catch (const std::exception&) {
      return false;  // opening says nothing; the result tells
    }
    views_->setCurrentWidget(mergePanel_);
  }
  return true;  // other files open nothing
}

void TMainWindow::ExportSVG() {
  if (!app_.IsFileLoaded()) return;
  if (app_.Settings.Checked(S::ShowCompatibilityOptions)) TCompatibilityDialog(*bindings_, this).exec();
  QFileInfo plot(FromCore(app_.Plot.PlotFile));
  QFileDialog dialog(this, "Save Plot As SVG File", QDir::currentPath(), "SVG Files (*.svg);;All Files (*)");
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix("svg");
  dialog.selectFile(plot.completeBaseName() + ".svg");
  if (dialog.exec() != QDialog::Accepted) return;
  try {
    app_.ExportSVG(ToCore(dialog.selectedFiles().value(0)));
  } catch (const std::exception& error) {
    ui_.Error(error.what());
  }
}
