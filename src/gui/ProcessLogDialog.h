#pragma once
// "Processing Log": the lines of every load, check and repair since the
// program started.

#include <QDialog>
#include <QPlainTextEdit>

#include "repair/QMProcessLog.h"

class TProcessLogDialog : public QDialog {
public:
  TProcessLogDialog(TProcessLog& log, QWidget* parent);

private:
  TProcessLog& log_;
  QPlainTextEdit* text_;
};
