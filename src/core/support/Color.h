#pragma once
// Colours are 24-bit RGB held in a colour word whose low byte is red.

#include <cstdint>

using TColor = std::uint32_t;

constexpr TColor RGBColor(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  return TColor(red) | TColor(green) << 8 | TColor(blue) << 16;
}
