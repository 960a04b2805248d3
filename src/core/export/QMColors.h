#pragma once
// The drawing colours of the export and the preview, and the table that
// names them for the user.

#include <array>
#include <string>

#include "support/Color.h"

struct TSVGColors {
  TColor GridColor = RGBColor(128, 128, 128);
  TColor BackColor = RGBColor(204, 204, 204);
  TColor FloorColor = RGBColor(255, 255, 255);
  TColor PassWallColor = RGBColor(96, 96, 96);
  TColor PassFillColor = RGBColor(239, 239, 239);
  TColor FromLRUDColor = RGBColor(0, 255, 0);
  TColor ToLRUDColor = RGBColor(0, 0, 255);
  TColor FrameColor = RGBColor(0, 0, 0);
  TColor MarkerColor = RGBColor(127, 0, 0);
  TColor LabelColor = RGBColor(0, 0, 255);
  TColor LineColor = RGBColor(255, 0, 0);
  TColor SplayColor = RGBColor(0, 0, 255);
  TColor FeatureNameColor = RGBColor(127, 63, 63);
};

struct TColorItem {
  const char* Tag;
  TColor TSVGColors::*Color;
};

// The rows of the colour table, in the order the user sees them.
extern const std::array<TColorItem, 13> SVAColorSetArray;

// "#RRGGBB", upper-case hexadecimal.
std::string ColorToSVGColor(TColor color);

constexpr TColor clLime = RGBColor(0, 255, 0);
