#include "QMColors.h"

const std::array<TColorItem, 13> SVAColorSetArray = {{
    {"Shot Line", &TSVGColors::LineColor},
    {"Splay Line", &TSVGColors::SplayColor},
    {"Grid Line", &TSVGColors::GridColor},
    {"Background", &TSVGColors::BackColor},
    {"Passage Wall", &TSVGColors::PassWallColor},
    {"Passage Fill", &TSVGColors::PassFillColor},
    {"Floor", &TSVGColors::FloorColor},
    {"From LRUD", &TSVGColors::FromLRUDColor},
    {"To LRUD", &TSVGColors::ToLRUDColor},
    {"Station Label", &TSVGColors::LabelColor},
    {"Station Marker", &TSVGColors::MarkerColor},
    {"Frame", &TSVGColors::FrameColor},
    {"Feature Name", &TSVGColors::FeatureNameColor},
}};

std::string ColorToSVGColor(TColor color) {
  static constexpr char Hex[] = "0123456789ABCDEF";
  std::string text = "#";
  for (int shift : {0, 8, 16}) {  // red, green, blue
    unsigned byte = (color >> shift) & 0xFF;
    text += Hex[byte >> 4];
    text += Hex[byte & 0xF];
  }
  return text;
}
