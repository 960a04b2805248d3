#pragma once
// The " Merge / Morph" page: the Reference Values of the merge target and
// of the current survey side by side, the target's differing values
// highlighted, and the Load SVG Target, Match Target and Merge/Morph/Save
// commands with the morph factors. The merge itself is the core's.

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QWidget>

#include "PlotWindowWidget.h"
#include "QtUserInterface.h"
#include "SettingWidgets.h"
#include "app/AppContext.h"

class TMergePanel : public QWidget {
public:
  TMergePanel(TAppContext& app, TSettingWidgets& bindings, TQtUserInterface& ui, TPlotWindowWidget& preview,
              QWidget* parent = nullptr);

  // "Load SVG Target": the compatibility dialog when asked for, the open
  // dialog, then the load.
  void LoadSVGTarget();
  // Loads and analyses a target and shows it; throws with the reason.
  void LoadAnalizeMergeTarget(const QString& fileName);
  void MatchTarget();
  // "Merge/Morph/Save": the save dialog, then the merge.
  void MergeMorphSave();
  // The merge into memory only ("Debug Merge").
  void DebugMerge();
  // Refreshes the Reference Values; with a target, reloaded first after a merge.
  void DisplaySVGComparision();

private:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void RunMerge(const std::string& output);
  void ShowTargetShots();
  void ScheduleRefresh();

  TAppContext& app_;
  TSettingWidgets& bindings_;
  TQtUserInterface& ui_;
  TPlotWindowWidget& preview_;
  QTableWidget* reference_ = nullptr;
  QLineEdit* targetName_ = nullptr;
  QCheckBox* showTarget_ = nullptr;
  QPushButton* debugMerge_ = nullptr;
  class QGroupBox* morphGroup_ = nullptr;
  bool refreshPending_ = false;
};
