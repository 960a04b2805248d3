#pragma once
// "Compatibility": which editors' markings exports carry, Illustrator's
// private data, and the pixels per inch of drawings read back. Its choices
// are settings; they take effect the next time they are read.

#include <QDialog>

#include "SettingWidgets.h"

class TCompatibilityDialog : public QDialog {
public:
  TCompatibilityDialog(TSettingWidgets& bindings, QWidget* parent);
};
