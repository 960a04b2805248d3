#pragma once
// The main window: the settings pages bound to the settings model, the
// survey tree, the map display with the export command, the merge panel,
// the read-out bar, the status bar and the menus. Survey logic stays in the
// core; this only shows it and calls its commands.

#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QProgressBar>
#include <QTabWidget>

#include "QtUserInterface.h"
#include "SettingWidgets.h"
#include "SurveyTreePanel.h"
#include "app/AppContext.h"
#include "app/QMIni.h"

class TMainWindow : public QMainWindow {
public:
  // surveyFoot: the suite's choice of the US survey foot.
  explicit TMainWindow(TQtUserInterface& ui, bool surveyFoot = false, QWidget* parent = nullptr);
  ~TMainWindow() override;

  TAppContext& App() { return app_; }
  TSurveyTreePanel& TreePanel() { return *treePanel_; }
  class TPlotWindowWidget& Preview() { return *preview_; }

  // Opens a file by its extension (any case): ".plt" loads it as a plot,
  // ".svg" as merge target (and shows the merge page); other files open
  // nothing. False when opening failed; no message is shown.
  bool OpenPltOrSVG(const QString& fileName);
  void LoadPlotFile(const QString& fileName);
  void ReadNewPlotFile();
  void ExportSVG();
  const TRecentFiles& RecentFiles() const { return recent_; }
  // The user defaults, as at the first activation and "&Get User Defaults".
  void ApplyUserDefaults();
  void SaveSettingsFile(const QString& fileName);
  void LoadSettingsFile(const QString& fileName);
  // The dialogs, made once and kept for the program's life.
  class TValidateDialog& ValidateDialog();
  class TRepairDialog& RepairDialog();
  class TGraphsDialog& GraphsDialog();
  class TSVGTreeDialog& SVGTreeDialog();
  class TShotSelectDialog& ShotSelectDialog();
  class TStationTieInDialog& StationTieInDialog();
  class TMergePanel& MergePanel() { return *mergePanel_; }
  QTabWidget& Views() { return *views_; }

private:
  QWidget* PosScalePage();
  QWidget* PaperPage();
  QWidget* SVGPage();
  QWidget* PassagePage();
  QWidget* DisplayPage();
  QWidget* MapDisplay();
  QWidget* ReadOutBar();
  void BuildStatusBar();
  void BuildMenus();
  void ShowRecentFiles();
  void ShowColors();
  void SizePreview();
  bool eventFilter(QObject* watched, QEvent* event) override;

  TQtUserInterface& ui_;
  TAppContext app_;
  TSettingWidgets* bindings_;
  TSurveyTreePanel* treePanel_ = nullptr;
  QTabWidget* settingsTabs_ = nullptr;
  QMenu* reopenMenu_ = nullptr;
  class QTableWidget* colorTable_ = nullptr;
  TRecentFiles recent_;
  class TPlotWindowWidget* preview_ = nullptr;
  class QScrollArea* previewArea_ = nullptr;
  QLabel* polygonsRendered_ = nullptr;
  QLabel* readOut_[3] = {};
  class TValidateDialog* validateDialog_ = nullptr;
  class TRepairDialog* repairDialog_ = nullptr;
  class TGraphsDialog* graphsDialog_ = nullptr;
  class TSVGTreeDialog* svgTreeDialog_ = nullptr;
  class TMergePanel* mergePanel_ = nullptr;
  class TShotSelectDialog* shotSelect_ = nullptr;
  class TStationTieInDialog* tieIns_ = nullptr;
  QTabWidget* views_ = nullptr;
};
