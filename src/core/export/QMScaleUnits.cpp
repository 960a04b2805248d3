#include "QMScaleUnits.h"

TFootFactors::TFootFactors(bool surveyFoot)
    : Feet2Meters(surveyFoot ? 0.304800609601 : 0.3048),
      Meters2Feet(1 / Feet2Meters),
      Meters2Inches(12 * Meters2Feet),
      Millimeters2Inches(Meters2Inches / 1000),
      Centimeters2Inches(Meters2Inches / 100),
      Inches2Meters(1 / Meters2Inches),
      Inches2Millimeters(1000 * Inches2Meters),
      Inches2Centimeters(100 * Inches2Meters) {}

TUnitState UnitStateFor(bool feet, const TFootFactors& factors) {
  if (feet) return {};
  return {false, "mm", "M", factors.Inches2Millimeters, factors.Feet2Meters};
}

double InvertRotation(double angle) {
  double result = 360 - angle;
  if (result >= 360) result -= 360;
  if (result <= -360) result += 360;
  return result;
}
