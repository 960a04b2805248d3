#include "FeatureValues.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "support/NumberText.h"

namespace {

std::string ScientificText(double value, int digits) {
  char buffer[64];
  char* end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, std::max(digits - 1, 0)).ptr;
  std::string text(buffer, end);
  std::size_t e = text.find('e');
  std::string exponent = text.substr(e + 2);
  exponent.erase(0, std::min(exponent.find_first_not_of('0'), exponent.size() - 1));
  return text.substr(0, e) + "E" + text[e + 1] + exponent;
}

}  // namespace

std::string FeatureValueText(double value, const TFeatureInfo& feature) {
  if (feature.NumberFormat == nfScientific) {
    if (!std::isfinite(value)) return FormatFixed(value, 0);  // which refuses it
    return ScientificText(value, feature.Digits);
  }
  return FormatFixed(value, std::max(feature.Digits, 0));
}

int FeatureSymbolSize(const TPlotVector& point, const TFeatureInfo& feature) {
  double low = point.Down, range = point.Up - point.Down;
  if (range == 0) range = 1;
  double size = (feature.SizeHigh - feature.SizeLow) * (point.Right - low) / range + feature.SizeLow;
  // Far-out values make no symbol larger than a sheet, and no size an int cannot hold.
  return static_cast<int>(std::clamp(std::isfinite(size) ? size : 0.0, -MaxSymbolSize, MaxSymbolSize));
}
