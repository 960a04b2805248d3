#pragma once
// "Station Offset": every station of the plot in a list; "Tie-In" puts the
// chosen one where the first station lies on the sheet (the cave offset),
// "Reset" puts the first back, the search finds stations by name.

#include <QDialog>
#include <QTableView>

#include "QtUserInterface.h"
#include "SettingWidgets.h"
#include "app/AppContext.h"

class TStationTieInDialog : public QDialog {
public:
  TStationTieInDialog(TAppContext& app, TSettingWidgets& bindings, TQtUserInterface& ui, QWidget* parent);

  // The list follows the plot loaded; shows the dialog modally.
  void ShowTieIns();
  // The tie-in of the selected station; nothing without one.
  void TieIn();
  // Selects the next station holding the text ("?": any character) after
  // the selected one; "Survey Not Found: TEXT" when there is none.
  bool FindStation(const QString& text, bool down);
  QTableView* StationGrid() { return grid_; }

private:
  long SelectedVector() const;

  TAppContext& app_;
  TQtUserInterface& ui_;
  class TStationListModel* model_;
  QTableView* grid_;
  class QGroupBox* group_;
  class TFindDialog* find_ = nullptr;
};
