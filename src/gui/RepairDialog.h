#pragma once
// "Repair/Covert SVG Files": a drawing read, repaired under the editor
// choices of the compatibility dialog (shown before every repair) and
// written to another file. The dialog stays open for the next one.

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

#include "SettingWidgets.h"
#include "app/AppContext.h"

class TRepairDialog : public QDialog {
public:
  TRepairDialog(TAppContext& app, TSettingWidgets& bindings, TUserInterface& ui, QWidget* parent);

  QLineEdit& InputEdit() { return *input_; }
  QLineEdit& OutputEdit() { return *output_; }
  QPushButton& ConvertButton() { return *convert_; }
  // Runs the repair of the two files named; false when it failed or was declined.
  bool Convert();

private:
  TAppContext& app_;
  TSettingWidgets& bindings_;
  TUserInterface& ui_;
  QLineEdit *input_, *output_;
  QPushButton* convert_;
  QLabel* status_;
  QProgressBar* gauge_;
  QString confirmedOutput_;  // chosen in the save dialog, which asked
};
