#pragma once
// "Graphs": every shot of the plot paired with the merge target's shot of
// the same stations, the target's shots without partner after them, and
// the details of the selected pair. Shown beside the main window.

#include <QDialog>
#include <QPlainTextEdit>
#include <QTableView>

#include "QtUserInterface.h"
#include "app/AppContext.h"

class TGraphsDialog : public QDialog {
public:
  TGraphsDialog(TAppContext& app, TQtUserInterface& ui, QWidget* parent);

  // Shows the dialog without blocking the main window.
  void ShowGraphsDlg();
  // "Display Graphs": a fresh listing, then the details of the selected row.
  void DisplayGraphs();
  // The details of a row (the pair of that index); nothing beyond the last pair.
  void ShowDetails(int row);
  QTableView* PairsGrid() { return grid_; }
  QPlainTextEdit* DetailsMemo() { return details_; }

private:
  TAppContext& app_;
  TQtUserInterface& ui_;
  class TGraphPairsModel* model_;
  QTableView* grid_;
  QPlainTextEdit* details_;
};
