#include "FeatureValues.h"

#include <algorithm>
#include <charconv>

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
  if (feature.NumberFormat == nfScientific) return ScientificText(value, feature.Digits);
  return FormatFixed(value, std::max(feature.Digits, 0));
}

int FeatureSymbolSize(const TPlotVector& point, const TFeatureInfo& feature) {
  double low = point.Down, range = point.Up - point.Down;
  if (range == 0) range = 1;
  return static_cast<int>((feature.SizeHigh - feature.SizeLow) * (point.Right - low) / range + feature.SizeLow);
}
