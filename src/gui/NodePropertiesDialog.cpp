#include "NodePropertiesDialog.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

#include "QtDrawingSurface.h"
#include "QtUserInterface.h"

namespace {

// A button that shows a colour and lets the user pick another.
QPushButton* ColorButton(TColor& color, QWidget* parent) {
  auto* button = new QPushButton(parent);
  auto show = [button, &color] { button->setStyleSheet("background: " + ToQColor(color).name() + ";"); };
  show();
  QObject::connect(button, &QPushButton::clicked, button, [button, &color, show] {
    QColor chosen = QColorDialog::getColor(ToQColor(color), button);
    if (chosen.isValid()) color = FromQColor(chosen);
    show();
  });
  return button;
}

QSpinBox* Spin(int min, int max, int value) {
  auto* spin = new QSpinBox;
  spin->setRange(min, max);
  spin->setValue(value);
  return spin;
}

}  // namespace

TNodePropertiesDialog::TNodePropertiesDialog(const TNodeProperties& node, const TSurveyArray& surveys, QWidget* parent)
    : QDialog(parent), editsFeatureInfo_(node.EditsFeatureInfo) {
  setWindowTitle("Properties");
  auto* layout = new QVBoxLayout(this);
  auto* facts = new QFormLayout;
  facts->addRow("Kind:", new QLabel(FromCore(node.Kind)));
  facts->addRow("Indices:", new QLabel(QString("%1, %2").arg(node.Info.FromInx).arg(node.Info.ToInx)));
  facts->addRow(node.ToName.empty() ? "Name:" : "From:", new QLabel(FromCore(node.Name)));
  if (!node.ToName.empty()) facts->addRow("To:", new QLabel(FromCore(node.ToName)));
  layout->addLayout(facts);
  if (editsFeatureInfo_) {
    info_ = surveys[node.Info.FromInx].Attributes.FeatureInfo;
    auto* group = new QGroupBox("Feature Display");
    auto* form = new QFormLayout(group);
    fontFace_ = new QLineEdit(FromCore(info_.FontFace));
    fontColor_ = ColorButton(info_.FontColor, this);
    lineColor_ = ColorButton(info_.LineColor, this);
    numberMode_ = new QComboBox;
    numberMode_->addItems({"Symbol", "Number"});
    numberMode_->setCurrentIndex(info_.NumberMode);
    sizeLow_ = Spin(1, 1000, info_.SizeLow);
    sizeHigh_ = Spin(1, 1000, info_.SizeHigh);
    scientific_ = new QCheckBox("Scientific Format");
    scientific_->setChecked(info_.NumberFormat == nfScientific);
    digits_ = Spin(0, 15, info_.Digits);
    labelFeatures_ = new QCheckBox("Label Features");
    labelFeatures_->setChecked(info_.LabelFeatures);
    symbol_ = Spin(0, 255, info_.Symbol);
    form->addRow("Symbol Font:", fontFace_);
    form->addRow("Symbol Color:", fontColor_);
    form->addRow("Line Color:", lineColor_);
    form->addRow("Values As:", numberMode_);
    form->addRow("Size Low:", sizeLow_);
    form->addRow("Size High:", sizeHigh_);
    form->addRow("", scientific_);
    form->addRow("Digits:", digits_);
    form->addRow("", labelFeatures_);
    form->addRow("Symbol Character:", symbol_);
    layout->addWidget(group);
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

TFeatureInfo TNodePropertiesDialog::FeatureInfo() const {
  TFeatureInfo info = info_;
  info.FontFace.Assign(ToCore(fontFace_->text()));
  info.NumberMode = static_cast<TNumberMode>(numberMode_->currentIndex());
  info.SizeLow = sizeLow_->value();
  info.SizeHigh = sizeHigh_->value();
  info.NumberFormat = scientific_->isChecked() ? nfScientific : nfStandard;
  info.Digits = digits_->value();
  info.LabelFeatures = labelFeatures_->isChecked();
  info.Symbol = static_cast<std::uint8_t>(symbol_->value());
  return info;
}
