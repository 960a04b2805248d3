#include "SettingsModel.h"

#include <algorithm>
#include <utility>

#include "export/PaperSizes.h"

namespace {

using S = TSetting;

// The settings that are paper lengths, converted on a switch of units.
constexpr TSetting PaperLengths[] = {S::PaperOffsetX, S::PaperOffsetY, S::PaperX, S::PaperY, S::MarginX, S::MarginY};

// The reaction of settings whose change only redraws.
bool RedrawsOnly(TSetting setting) {
  switch (setting) {
    case S::PaperOffsetX: case S::PaperOffsetY: case S::PaperX: case S::PaperY: case S::MarginX: case S::MarginY:
    case S::GridSpacing: case S::ScaleBarType: case S::PassageShape: case S::CornerThreshold: case S::RoundingDepth:
    case S::SubstituteDiameter: case S::SubstituteMissingLRUDs: case S::ExpandPassages: case S::VerticalPrisms:
    case S::VerticalThreshold: case S::MergePassages: case S::SealPassageEnds: case S::ShowPassageWalls:
    case S::ShowLRUDBars: case S::ShowGrid: case S::ShowCenterPoint: case S::LabelStations: case S::ShowFeatures:
    case S::CaveOffsetX: case S::CaveOffsetY: case S::CaveOffsetZ:
      return true;
    default:
      return false;
  }
}

}  // namespace

TSettingsModel::TSettingsModel(TSettingsEnvironment& environment, bool surveyFoot)
    : environment_(environment), factors_(surveyFoot), units_(UnitStateFor(true, factors_)) {
  for (const TSettingSpec& spec : SettingSpecs()) values_[Index(spec.Id)] = spec.Default;
}

void TSettingsModel::Notify(TSettingsChange change, std::optional<TSetting> setting) {
  for (const TListener& listener : listeners_) listener(change, setting);
}

void TSettingsModel::Store(TSetting setting, double value) {
  values_[Index(setting)] = value;
  Notify(TSettingsChange::Value, setting);
}

void TSettingsModel::Set(TSetting setting, double value) {
  const TSettingSpec& spec = SpecOf(setting);
  value = std::clamp(value, spec.Min, spec.Max);
  if (spec.Kind != TSettingKind::Number) value = static_cast<int>(value);
  if (value == Value(setting)) return;
  SetAndReact(setting, value);
}

void TSettingsModel::SetWithoutReaction(TSetting setting, double value) {
  const TSettingSpec& spec = SpecOf(setting);
  value = std::clamp(value, spec.Min, spec.Max);
  if (spec.Kind != TSettingKind::Number) value = static_cast<int>(value);
  Store(setting, value);
}

void TSettingsModel::SetAndReact(TSetting setting, double value) {
  Store(setting, value);
  React(setting);
}

void TSettingsModel::React(TSetting setting) {
  if (RedrawsOnly(setting)) {
    environment_.UpdatePlot();
    return;
  }
  switch (setting) {
    case S::ScaleFactor: ScaleFactorChanged(); break;
    case S::FeetPerInch: FeetPerInchChanged(); break;
    case S::Ratio: RatioChanged(); break;
    case S::Yaw: case S::Pitch: case S::PaperRotation: RotationChanged(setting); break;
    case S::Units:
      SetUnitsStrings(Choice(S::Units) == 0, true);
      ScaleFactorChanged();
      break;
    case S::View:
      environment_.ResetView();
      environment_.UpdatePlot();
      break;
    case S::PaperSize: StandardPaperChosen(); break;
    case S::Orientation: SwapPaperSides(); break;
    case S::StayCentered:
      CenterWhenStaying();
      environment_.UpdatePlot();
      break;
    case S::ExcludeSections:
      environment_.SelectionChanged();
      environment_.UpdatePlot();
      break;
    default: break;  // read when used: magnification, morph, compatibility, read-out
  }
}

// Scale coupling: feet per inch F = 1 / (BaseScale * scale factor), shown
// as m/cm (0.12 F) in metric; ratio 12 F.
void TSettingsModel::ShowFeetPerInch(double feetPerInch) {
  Store(S::FeetPerInch, Metric() ? feetPerInch * 0.12 : feetPerInch);
  scaleLabel_ = Metric() ? "m/cm" : "Ft/Inch";
  Notify(TSettingsChange::Presentation, S::FeetPerInch);
}

void TSettingsModel::ScaleFactorChanged() {
  CenterWhenStaying();
  double feetPerInch = 1 / (environment_.BaseScale() * Value(S::ScaleFactor));
  ShowFeetPerInch(feetPerInch);
  Store(S::Ratio, 12 * feetPerInch);
  environment_.UpdatePlot();
}

void TSettingsModel::FeetPerInchChanged() {
  double feetPerInch = Metric() ? Value(S::FeetPerInch) / 0.12 : Value(S::FeetPerInch);
  Store(S::ScaleFactor, 1 / (environment_.BaseScale() * feetPerInch));
  Store(S::Ratio, 12 * feetPerInch);
  CenterWhenStaying();
  environment_.UpdatePlot();
}

void TSettingsModel::RatioChanged() {
  Store(S::ScaleFactor, 1 / (environment_.BaseScale() * Value(S::Ratio) / 12));
  ShowFeetPerInch(1 / (environment_.BaseScale() * Value(S::ScaleFactor)));
  CenterWhenStaying();
  environment_.UpdatePlot();
}

void TSettingsModel::ResetScale() {
  SetAndReact(S::ScaleFactor, 0.9);
  SetAndReact(S::ScaleFactor, 1);
  environment_.UpdatePlot();
}

// The paper rotation is the inverse of the cave yaw.
void TSettingsModel::RotationChanged(TSetting changed) {
  if (changed == S::PaperRotation) Store(S::Yaw, InvertRotation(Value(S::PaperRotation)));
  else Store(S::PaperRotation, InvertRotation(Value(S::Yaw)));
  CenterWhenStaying();
  environment_.UpdatePlot();
}

void TSettingsModel::ResetRotation() {
  SetRotationAngle(0, 0);
  environment_.UpdatePlot();
}

void TSettingsModel::SetRotationAngle(double yaw, double pitch) {
  Store(S::Yaw, yaw);
  Store(S::PaperRotation, InvertRotation(yaw));
  Store(S::Pitch, pitch);
}

void TSettingsModel::StandardPaperChosen() {
  int entry = Choice(S::PaperSize);
  if (entry < 0) return;
  T2DVector size = PaperSizeList[static_cast<std::size_t>(entry)].Size * units_.PaperFactor;
  if (Choice(S::Orientation) == 0) std::swap(size.X, size.Y);  // landscape
  double oldX = Value(S::PaperX), oldY = Value(S::PaperY);
  Set(S::PaperX, size.X);
  Set(S::PaperY, size.Y);
  if (Value(S::PaperX) != oldX || Value(S::PaperY) != oldY) environment_.UpdatePlot();
}

void TSettingsModel::SwapPaperSides() {
  double x = Value(S::PaperX), y = Value(S::PaperY);
  Set(S::PaperX, y);
  Set(S::PaperY, x);
}

void TSettingsModel::CenterOnObject() {
  T2DVector offset = environment_.CenteringOffset() * units_.PaperFactor;
  Store(S::PaperOffsetX, offset.X);
  Store(S::PaperOffsetY, offset.Y);
}

void TSettingsModel::CenterWhenStaying() {
  if (Checked(S::StayCentered)) CenterOnObject();
}

void TSettingsModel::Center() {
  CenterOnObject();
  environment_.UpdatePlot();
}

void TSettingsModel::ResetPaperOffset() {
  T2DVector origin = environment_.StationOrigin() * units_.PaperFactor;
  Store(S::PaperOffsetX, origin.X);
  Store(S::PaperOffsetY, origin.Y);
  environment_.UpdatePlot();
}

void TSettingsModel::ResetGrid() {
  Store(S::GridSpacing, 100 * units_.CaveFactor);
  environment_.UpdatePlot();
}

void TSettingsModel::ResetCaveOffset() {
  for (TSetting axis : {S::CaveOffsetX, S::CaveOffsetY, S::CaveOffsetZ}) Store(axis, 0);
  environment_.UpdatePlot();
}

void TSettingsModel::SetSurveyFoot(bool surveyFoot) {
  factors_ = TFootFactors(surveyFoot);
  units_ = UnitStateFor(units_.Feet, factors_);
}

void TSettingsModel::SetUnitsStrings(bool feet, bool translate) {
  units_ = UnitStateFor(feet, factors_);
  for (TSetting setting : PaperLengths) Notify(TSettingsChange::Presentation, setting);
  Notify(TSettingsChange::Presentation, S::GridSpacing);
  if (translate) TranslateUnits(feet);
}

void TSettingsModel::TranslateUnits(bool toFeet) {
  double paper = toFeet ? factors_.Millimeters2Inches : factors_.Inches2Millimeters;
  for (TSetting setting : PaperLengths) Store(setting, Value(setting) * paper);
  Store(S::GridSpacing, Value(S::GridSpacing) * (toFeet ? factors_.Meters2Feet : factors_.Feet2Meters));
}

double TSettingsModel::Step(TSetting setting) const {
  if (Metric()) {
    if (setting == S::MarginX || setting == S::MarginY) return 1.0;
    if (SpecOf(setting).Unit == TSettingUnit::Paper) return 2.0;
  }
  return SpecOf(setting).Step;
}

std::string TSettingsModel::Suffix(TSetting setting) const {
  switch (SpecOf(setting).Unit) {
    case TSettingUnit::Paper: return units_.PaperUnitsStr;
    case TSettingUnit::Cave: return units_.CaveUnitsStr;
    case TSettingUnit::Feet: return "Ft";
    case TSettingUnit::Degrees: return "\xB0";  // ISO-8859-1 degree sign
    case TSettingUnit::Percent: return "%";
    default: return "";
  }
}

void TSettingsModel::SetColor(int row, TColor color) {
  colors_.*SVAColorSetArray[static_cast<std::size_t>(row)].Color = color;
  Notify(TSettingsChange::Colors, std::nullopt);
  environment_.UpdatePlot();
}
