#pragma once
// The settings model: the value of every control, with its range, and the
// reactions that keep linked values consistent (scale factor, feet per inch
// and ratio; cave yaw and paper rotation; paper size and orientation; units;
// centring). A value written by a reaction does not set off its own
// control's reaction. Listeners hear of every value written, so a window can
// show it; drawing settings end with the environment's UpdatePlot.

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "SettingsTable.h"
#include "export/QMColors.h"
#include "export/QMScaleUnits.h"
#include "support/Vector.h"

// What the reactions need from the rest of the program.
class TSettingsEnvironment {
public:
  virtual ~TSettingsEnvironment() = default;
  virtual double BaseScale() const = 0;           // paper inches per cave foot at scale 1
  virtual T2DVector StationOrigin() const = 0;    // inches
  virtual T2DVector CenteringOffset() = 0;        // inches: offset that centres the included survey
  virtual void ResetView() = 0;                   // a new view: refit the projection to the plot
  virtual void SelectionChanged() = 0;            // recompute the centre of the included survey
  virtual void UpdatePlot() = 0;                  // a drawing setting changed
};

enum class TSettingsChange {
  Value,         // a value was written
  Presentation,  // units: suffixes, steps or the scale label changed
  Colors,
};

class TSettingsModel {
public:
  explicit TSettingsModel(TSettingsEnvironment& environment, bool surveyFoot = false);

  double Value(TSetting setting) const { return values_[Index(setting)]; }
  bool Checked(TSetting setting) const { return Value(setting) != 0; }
  int Choice(TSetting setting) const { return static_cast<int>(Value(setting)); }
  bool Metric() const { return !units_.Feet; }

  // A user's change: clamped to the range; when it changes the value, the
  // value is stored and its reaction runs.
  void Set(TSetting setting, double value);

  // A value written as the program writes a control without its change
  // event: clamped and shown, no reaction.
  void SetWithoutReaction(TSetting setting, double value);

  // Runs a setting's reaction again for its current value, as choosing the
  // same standard paper size once more does.
  void Reapply(TSetting setting) { React(setting); }

  // The buttons.
  void ResetScale();        // scale factor 0.9, then 1, each with its reaction
  void ResetRotation();     // yaw, paper rotation and pitch to 0
  void ResetPaperOffset();  // offsets to the station origin
  void Center();            // the included survey to the middle of the window
  void ResetGrid();         // 100 feet in the current cave units
  void ResetCaveOffset();
  // Yaw, the matching paper rotation and pitch, without their reactions.
  void SetRotationAngle(double yaw, double pitch);

  // Units.
  const TUnitState& Units() const { return units_; }
  const TFootFactors& FootFactors() const { return factors_; }
  // Selects the international or the US survey foot; before any unit switch.
  void SetSurveyFoot(bool surveyFoot);
  // Labels, factors and steps for the feet or metric system; with translate,
  // the paper values and grid spacing are converted too (without reactions).
  void SetUnitsStrings(bool feet, bool translate);
  void TranslateUnits(bool toFeet);
  double Step(TSetting setting) const;
  std::string Suffix(TSetting setting) const;  // "In"/"mm", "Ft"/"M", "°", "%" or empty
  const std::string& ScaleLabel() const { return scaleLabel_; }  // "Ft./Inch", "Ft/Inch" or "m/cm"

  const TSVGColors& Colors() const { return colors_; }
  void SetColor(int row, TColor color);  // a row of SVAColorSetArray

  // The setting concerned; none for colours.
  using TListener = std::function<void(TSettingsChange, std::optional<TSetting>)>;
  void AddListener(TListener listener) { listeners_.push_back(std::move(listener)); }

private:
  static std::size_t Index(TSetting setting) { return static_cast<std::size_t>(setting); }
  void Store(TSetting setting, double value);  // no reaction
  void SetAndReact(TSetting setting, double value);
  void React(TSetting setting);
  void Notify(TSettingsChange change, std::optional<TSetting> setting);

  void ScaleFactorChanged();
  void FeetPerInchChanged();
  void RatioChanged();
  void ShowFeetPerInch(double feetPerInch);
  void RotationChanged(TSetting changed);
  void StandardPaperChosen();
  void SwapPaperSides();
  void CenterOnObject();
  void CenterWhenStaying();

  TSettingsEnvironment& environment_;
  std::array<double, SettingCount> values_{};
  TFootFactors factors_;
  TUnitState units_;
  std::string scaleLabel_ = "Ft./Inch";
  TSVGColors colors_;
  std::vector<TListener> listeners_;
};
