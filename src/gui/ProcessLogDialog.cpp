#include "ProcessLogDialog.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "QtUserInterface.h"

TProcessLogDialog::TProcessLogDialog(TProcessLog& log, QWidget* parent)
    : QDialog(parent), log_(log), text_(new QPlainTextEdit) {
  setWindowTitle("Processing Log");
  resize(640, 420);
  text_->setReadOnly(true);
  text_->setLineWrapMode(QPlainTextEdit::NoWrap);
  text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  text_->setObjectName("LogMemo");
  for (const std::string& line : log_.Lines()) text_->appendPlainText(FromCore(line));
  auto* clear = new QPushButton("Clear");
  auto* close = new QPushButton("Close");
  connect(clear, &QPushButton::clicked, this, [this] {
    log_.Clear();
    text_->clear();
  });
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(clear);
  buttons->addWidget(close);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text_);
  layout->addLayout(buttons);
}
