#include "NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <stdexcept>
#include <limits>

namespace {

// Splits an optional leading sign off; from_chars itself takes no "+".
bool SplitSign(std::string_view& text) {
  bool negative = !text.empty() && text.front() == '-';
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) text.remove_prefix(1);
  return negative;
}

template <typename T>
bool ParseWhole(std::string_view text, T& value) {
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return !text.empty() && error == std::errc() && end == text.data() + text.size();
}

// Plain "digits[.digits]" of at most 15 digits: both the digits as an integer
// and the power of ten are exact doubles, so one division rounds correctly.
// Most numbers in survey files take this path.
std::optional<double> ParseShortDecimal(std::string_view text) {
  static constexpr double PowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                           1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  std::uint64_t digits = 0;
  int digitCount = 0, decimals = 0;
  bool point = false;
  for (char c : text) {
    unsigned digit = static_cast<unsigned char>(c) - unsigned{'0'};
    if (digit <= 9 && digitCount < 15) {
      digits = digits * 10 + digit;
      ++digitCount;
      decimals += point;
    } else if (c == '.' && !point) {
      point = true;
    } else {
      return std::nullopt;
    }
  }
  if (digitCount == 0) return std::nullopt;
  return static_cast<double>(digits) / PowersOfTen[decimals];
}

template <typename T, typename... Format>
std::string FormatWith(T value, Format... format) {
  char buffer[400];  // room for any double in fixed notation
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value, format...);
  return std::string(buffer, result.ptr);
}

}  // namespace

std::optional<double> ParseReal(std::string_view text) {
  bool negative = SplitSign(text);
  // A digit or "." must lead, which also refuses from_chars's inf and nan.
  if (text.empty() || !((text.front() >= '0' && text.front() <= '9') || text.front() == '.'))
    return std::nullopt;
  std::optional<double> value = ParseShortDecimal(text);
  if (!value) {
    double parsed = 0;
    if (!ParseWhole(text, parsed)) return std::nullopt;
    value = parsed;
  }
  return negative ? -*value : *value;
}

std::optional<std::int32_t> ParseInt32(std::string_view text) {
  bool negative = SplitSign(text);
  if (!text.empty() && text.front() == '-') return std::nullopt;
  std::int64_t value = 0;
  if (!ParseWhole(text, value)) return std::nullopt;
  value = negative ? -value : value;
  if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max())
    return std::nullopt;
  return static_cast<std::int32_t>(value);
}

void AppendFixed(std::string& out, double value, int decimals) {
  // Every number of every file passes here: none may say NaN or infinity.
  if (!std::isfinite(value)) throw std::domain_error("a number to be written is not finite (" + FormatShortest(value) + ")");
  char buffer[400];  // room for any double in fixed notation
  const char* end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals).ptr;
  const char* begin = buffer;
  // "-0.00" says nothing that "0.00" does not.
  if (*begin == '-' && std::none_of(begin + 1, end, [](char c) { return c >= '1' && c <= '9'; })) ++begin;
  out.append(begin, end);
}

std::string FormatFixed(double value, int decimals) {
  std::string text;
  AppendFixed(text, value, decimals);
  return text;
}

std::string FormatShortest(double value) { return FormatWith(value); }
std::string FormatShortest(float value) { return FormatWith(value); }

std::string FormatGeneral(double value, int digits) {
  if (!std::isfinite(value)) throw std::domain_error("not a finite number");
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, digits);
  return std::string(buffer, result.ptr);
}
