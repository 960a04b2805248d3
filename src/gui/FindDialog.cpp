#include "FindDialog.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TFindDialog::TFindDialog(QWidget* parent, bool textOptions, std::function<void(const TRequest&)> findNext)
    : QDialog(parent) {
  setWindowTitle("Find");
  text_ = new QLineEdit;
  auto* up = new QRadioButton("Up");
  down_ = new QRadioButton("Down");
  down_->setChecked(true);
  auto* next = new QPushButton("Find Next");
  next->setDefault(true);
  auto* cancel = new QPushButton("Cancel");
  connect(cancel, &QPushButton::clicked, this, &QDialog::hide);
  connect(next, &QPushButton::clicked, this, [this, findNext = std::move(findNext)] {
    findNext({text_->text(), down_->isChecked(), wholeWord_ && wholeWord_->isChecked(),
              matchCase_ && matchCase_->isChecked()});
  });
  auto* row = new QHBoxLayout;
  row->addWidget(new QLabel("Find what:"));
  row->addWidget(text_, 1);
  row->addWidget(next);
  auto* options = new QHBoxLayout;
  if (textOptions) {
    wholeWord_ = new QCheckBox("Match whole word only");
    matchCase_ = new QCheckBox("Match case");
    options->addWidget(wholeWord_);
    options->addWidget(matchCase_);
  }
  options->addWidget(up);
  options->addWidget(down_);
  options->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(row);
  layout->addLayout(options);
}

void TFindDialog::Open(const QString& text) {
  if (!text.isEmpty()) text_->setText(text);
  show();
  raise();
}
