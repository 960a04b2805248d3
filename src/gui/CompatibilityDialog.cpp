#include "CompatibilityDialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TCompatibilityDialog::TCompatibilityDialog(TSettingWidgets& bindings, QWidget* parent) : QDialog(parent) {
  setWindowTitle("Compatibility");
  auto* layout = new QVBoxLayout(this);
  auto* import = new QGroupBox("Import Compatibility");
  auto* importLayout = new QVBoxLayout(import);
  importLayout->addWidget(bindings.CreateRadioGroup(TSetting::Generator));
  auto* binary = new QHBoxLayout;
  binary->addWidget(bindings.Create(TSetting::RemoveBinaryData));
  binary->addWidget(new QLabel("(the i:pgf tag)"));
  importLayout->addLayout(binary);
  layout->addWidget(import);
  auto* exportGroup = new QGroupBox("Export Compatibility");
  auto* exportLayout = new QHBoxLayout(exportGroup);
  exportLayout->addWidget(bindings.CreateRadioGroup(TSetting::IllustratorTags));
  exportLayout->addWidget(bindings.CreateRadioGroup(TSetting::InkscapeTags));
  layout->addWidget(exportGroup);
  layout->addWidget(bindings.Create(TSetting::AI10Compatible));
  auto* finished = new QPushButton("Finished");
  connect(finished, &QPushButton::clicked, this, &QDialog::accept);
  layout->addWidget(finished, 0, Qt::AlignRight);
}
