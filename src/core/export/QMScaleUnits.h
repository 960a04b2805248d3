#pragma once
// Units: cave lengths are held in feet and paper lengths in inches; the
// controls show them in feet or metres and inches or millimetres.

#include <string>

// The foot-to-metre factor and those derived from it.
struct TFootFactors {
  explicit TFootFactors(bool surveyFoot = false);

  double Feet2Meters;  // 0.3048, or 0.304800609601 for the US survey foot
  double Meters2Feet;
  double Meters2Inches;
  double Millimeters2Inches;
  double Centimeters2Inches;
  double Inches2Meters;
  double Inches2Millimeters;
  double Inches2Centimeters;
};

// The current unit system.
struct TUnitState {
  bool Feet = true;
  std::string PaperUnitsStr = "In";  // "In" or "mm"
  std::string CaveUnitsStr = "Ft";   // "Ft" or "M"
  double PaperFactor = 1;            // paper units per inch
  double CaveFactor = 1;             // cave units per foot
};

TUnitState UnitStateFor(bool feet, const TFootFactors& factors);

// Cave yaw <-> paper rotation: 360 - a, folded into (-360, 360).
double InvertRotation(double angle);
