#pragma once
// "Validate XML Syntax": the tag faults of the last file validated (by this
// dialog or by a load) in a grid, and the file in an editor where a double
// click on a fault leads, to be mended and saved.

#include <QDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTableWidget>

#include "repair/QMValidate.h"

class TColumnRuler;
class TFindDialog;

class TValidateDialog : public QDialog {
public:
  TValidateDialog(TXMLValidation& validation, QWidget* parent);

  // Validates a file: its faults in the grid, its text in the editor.
  int ValidateXMLSyntax(const QString& fileName);
  // Shows the fault list, modally.
  void ShowValidateDlg();

  QTableWidget& Grid() { return *grid_; }
  QPlainTextEdit& Editor() { return *editor_; }
  QTabWidget& Pages() { return *pages_; }
  // Looks for the text from the cursor; false (and a message) when it is not there.
  bool FindText(const QString& text, bool wholeWord, bool matchCase, bool down);

private:
  void Refresh();           // the grid and count from the validation
  void LoadEditorText();    // the last file's text, when not loaded yet
  void GoToFault(int row);
  void ShowStatus();
  void Save();
  void OpenFind();

  TXMLValidation& validation_;
  QTabWidget* pages_;
  QTableWidget* grid_;
  QLabel* errorCount_;
  QPlainTextEdit* editor_;
  TColumnRuler* ruler_;
  QLabel *insert_, *line_, *column_, *at_, *modified_, *size_;
  QAction *save_, *cut_, *copy_, *paste_;
  TFindDialog* find_ = nullptr;
  QString loadedFile_;  // the file whose text the editor holds
  bool utf8_ = false;   // that file's encoding, for saving it back
};

// Files larger than this are validated but not shown in the editor.
constexpr qint64 MaxEditorBytes = 64 << 20;
