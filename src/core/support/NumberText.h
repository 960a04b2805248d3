#pragma once
// Numbers as files hold them: "." as decimal separator, no digit grouping,
// whatever the process locale. Nothing here consults the locale.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// A whole text in the usual notation: optional sign, digits, optional
// fraction after ".", optional exponent with E or e. Nothing else.
std::optional<double> ParseReal(std::string_view text);
// A whole text of optional sign and digits that fits 32 bits.
std::optional<std::int32_t> ParseInt32(std::string_view text);

// Fixed-point with the given number of decimals; a value that rounds to
// zero is written without a sign. NaN and infinity throw std::domain_error:
// no file may hold them.
std::string FormatFixed(double value, int decimals);
void AppendFixed(std::string& out, double value, int decimals);
// General format with at most the given significant digits (fixed or
// scientific, whichever is shorter); NaN and infinity throw.
std::string FormatGeneral(double value, int digits);
// The shortest text that reads back as the same value.
std::string FormatShortest(double value);
std::string FormatShortest(float value);
