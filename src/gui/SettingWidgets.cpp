#include "SettingWidgets.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <cmath>

#include "QtUserInterface.h"
#include "export/PaperSizes.h"

namespace {

constexpr double SpinLimit = 1e9;  // stands for "unlimited"

QString ObjectName(TSetting setting) { return FromCore(SpecOf(setting).Key); }

}  // namespace

TSettingWidgets::TSettingWidgets(TSettingsModel& settings, QObject* parent) : QObject(parent), settings_(settings) {
  settings_.AddListener([this](TSettingsChange change, std::optional<TSetting> setting) {
    if (!setting) return;
    if (change == TSettingsChange::Value) ShowValue(*setting);
    else if (change == TSettingsChange::Presentation) ShowPresentation(*setting);
  });
}

void TSettingWidgets::Register(TSetting setting, QWidget* widget) {
  widget->setObjectName(ObjectName(setting));
  widgets_[setting].push_back(widget);
  // A dialog's widgets go with the dialog: they must not be shown values after.
  connect(widget, &QObject::destroyed, this, [this, setting, widget] { std::erase(widgets_[setting], widget); });
  ShowValue(setting);
  ShowPresentation(setting);
}

QWidget* TSettingWidgets::Create(TSetting setting) {
  const TSettingSpec& spec = SpecOf(setting);
  switch (spec.Kind) {
    case TSettingKind::Number: {
      auto* spin = new QDoubleSpinBox;
      spin->setRange(std::max(spec.Min, -SpinLimit), std::min(spec.Max, SpinLimit));
      spin->setDecimals(spec.Decimals);
      spin->setKeyboardTracking(false);  // react to the value typed, not to each keystroke
      spin->setAccelerated(true);
      connect(spin, &QDoubleSpinBox::valueChanged, this, [this, setting](double value) { settings_.Set(setting, value); });
      Register(setting, spin);
      return spin;
    }
    case TSettingKind::Check: {
      auto* check = new QCheckBox(FromCore(spec.Caption));
      connect(check, &QCheckBox::toggled, this, [this, setting](bool on) { settings_.Set(setting, on ? 1 : 0); });
      Register(setting, check);
      return check;
    }
    case TSettingKind::Choice: {
      auto* combo = new QComboBox;
      if (setting == TSetting::PaperSize) {
        for (const std::string& text : FillStringsPaperSize()) combo->addItem(FromCore(text));
      } else {
        for (std::string_view item : spec.Items) combo->addItem(FromCore(item));
      }
      // Choosing the entry shown once more applies it again.
      connect(combo, &QComboBox::activated, this, [this, setting](int index) {
        if (index == settings_.Choice(setting)) settings_.Reapply(setting);
        else settings_.Set(setting, index);
      });
      Register(setting, combo);
      return combo;
    }
  }
  return nullptr;
}

QWidget* TSettingWidgets::CreateRadioGroup(TSetting setting) {
  const TSettingSpec& spec = SpecOf(setting);
  auto* group = new QGroupBox(FromCore(spec.Caption));
  auto* layout = new QVBoxLayout(group);
  auto* buttons = new QButtonGroup(group);
  int id = 0;
  for (std::string_view item : spec.Items) {
    auto* radio = new QRadioButton(FromCore(item));
    buttons->addButton(radio, id++);
    layout->addWidget(radio);
  }
  connect(buttons, &QButtonGroup::idClicked, this, [this, setting](int index) { settings_.Set(setting, index); });
  Register(setting, group);
  return group;
}

QLabel* TSettingWidgets::Caption(TSetting setting) {
  auto* label = new QLabel(FromCore(SpecOf(setting).Caption));
  captions_[setting] = label;
  connect(label, &QObject::destroyed, this, [this, setting, label] {
    if (captions_[setting] == label) captions_.erase(setting);
  });
  ShowPresentation(setting);
  return label;
}

void TSettingWidgets::ShowValue(TSetting setting) {
  double value = settings_.Value(setting);
  for (QWidget* widget : widgets_[setting]) {
    QSignalBlocker quiet(widget);
    if (auto* spin = qobject_cast<QDoubleSpinBox*>(widget)) {
      spin->setValue(value);
    } else if (auto* check = qobject_cast<QCheckBox*>(widget)) {
      check->setChecked(value != 0);
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
      combo->setCurrentIndex(static_cast<int>(value));
    } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
      auto radios = group->findChildren<QRadioButton*>();
      int index = static_cast<int>(value);
      for (int i = 0; i < radios.size(); ++i) {
        QSignalBlocker quietRadio(radios[i]);
        radios[i]->setChecked(i == index);
      }
    }
  }
}

void TSettingWidgets::ShowPresentation(TSetting setting) {
  for (QWidget* widget : widgets_[setting]) {
    if (auto* spin = qobject_cast<QDoubleSpinBox*>(widget)) {
      std::string suffix = settings_.Suffix(setting);
      spin->setSuffix(suffix.empty() ? QString() : " " + FromCore(suffix));
      spin->setSingleStep(settings_.Step(setting));
    }
  }
  if (setting == TSetting::FeetPerInch && captions_.count(setting))
    captions_[setting]->setText(FromCore(settings_.ScaleLabel()));
}
