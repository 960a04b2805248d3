#pragma once
// The standard paper sizes offered for the sheet, in inches (width by
// height), stored with the rounding of their table even for metric formats.

#include <array>
#include <string>
#include <vector>

#include "support/Vector.h"

struct TPaperSize {
  const char* Name;
  const char* SizeInfo;
  T2DVector Size;  // inches
};

extern const std::array<TPaperSize, 68> PaperSizeList;

// The list's display texts, Name + " " + SizeInfo, in table order.
std::vector<std::string> FillStringsPaperSize();
