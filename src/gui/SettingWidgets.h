#pragma once
// Widgets bound to the settings model: each shows its setting's value,
// range, step, decimals and unit, hands the user's changes to the model and
// follows every value the model writes (also those of its reactions).

#include <QLabel>
#include <QObject>
#include <QWidget>
#include <map>
#include <vector>

#include "app/SettingsModel.h"

class TSettingWidgets : public QObject {
public:
  TSettingWidgets(TSettingsModel& settings, QObject* parent);

  // A spin box, check box or drop-down list after the setting's kind.
  QWidget* Create(TSetting setting);
  // A choice as a captioned group of radio buttons.
  QWidget* CreateRadioGroup(TSetting setting);
  // The caption of a number or choice; the feet-per-inch label follows the units.
  QLabel* Caption(TSetting setting);

private:
  void Register(TSetting setting, QWidget* widget);
  void ShowValue(TSetting setting);
  void ShowPresentation(TSetting setting);

  TSettingsModel& settings_;
  std::map<TSetting, std::vector<QWidget*>> widgets_;
  std::map<TSetting, QLabel*> captions_;
};
