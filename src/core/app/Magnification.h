#pragma once
// The size of the magnified preview inside the area that shows it.

#include <cmath>
#include <string>

struct TPixelSize {
  int Width = 0, Height = 0;
  friend bool operator==(const TPixelSize&, const TPixelSize&) = default;
};

// round(W * M / 100) + W - 4 by round(H * M / 100) + H - 4 for an area of
// W by H pixels at a magnification of M percent.
inline TPixelSize MagnifiedPreviewSize(TPixelSize area, double magnification) {
  auto grow = [&](int side) { return static_cast<int>(std::lround(side * magnification / 100)) + side - 4; };
  return {grow(area.Width), grow(area.Height)};
}

// The window caption after a change of magnification: "width height".
inline std::string MagnificationCaption(TPixelSize preview) {
  return std::to_string(preview.Width) + " " + std::to_string(preview.Height);
}
