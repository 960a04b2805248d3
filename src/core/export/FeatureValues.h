#pragma once
// How the points of range surveys are shown, in the export and the preview.

#include <string>

#include "survey/CaveTypes.h"

// The value after the survey's number format: fixed with Digits decimals,
// or scientific with Digits significant digits (1234.5 and 3: "1.23E+3").
std::string FeatureValueText(double value, const TFeatureInfo& feature);

// Points: no symbol is drawn larger.
constexpr double MaxSymbolSize = 10000;

// The symbol size of a range point: its value's place in the point's range
// (Down .. Up, a range of 1 when they are equal) between SizeLow and
// SizeHigh, truncated, not clamped to them (only to MaxSymbolSize).
int FeatureSymbolSize(const TPlotVector& point, const TFeatureInfo& feature);
