#pragma once
// The "Survey " page: the plot file's name and counters, the survey tree
// with its check, search and expand tools, "Exclude Sections/Surveys", and
// the popup "Properties...".

#include <QLabel>
#include <QTreeView>
#include <QWidget>

#include "SettingWidgets.h"
#include "SurveyTreeModel.h"
#include "app/AppContext.h"

class TSurveyTreePanel : public QWidget {
public:
  TSurveyTreePanel(TAppContext& app, TSettingWidgets& bindings, QWidget* parent = nullptr);

  // Around a load: no tree while it is read, then the tree anew and the file name.
  void PlotLoading() { model_->Clear(); }
  void PlotLoaded(const QString& fileName);
  void ShowCounters(int surveys, int shots);
  QTreeView* View() { return view_; }
  TSurveyTreeModel* Model() { return model_; }

  void CheckAll(bool checked);
  void CheckSelected(bool checked);
  void InvertSelected();
  void Find();
  void ShowProperties();

private:
  void SyncSelection();
  void FindNext(const QString& text, bool down);

  TAppContext& app_;
  TSurveyTreeModel* model_;
  QTreeView* view_;
  QLabel* plotFile_;
  QLabel* counters_;
};
