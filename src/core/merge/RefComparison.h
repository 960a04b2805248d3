#pragma once
// The Reference Values panel as data: the source (the current settings)
// and the target (the loaded drawing) side by side, and which target fields
// differ.

#include <functional>
#include <string>
#include <vector>

#include "QMLibrary.h"

enum class TRefField { Name, Rotation, Scale, FrameX, FrameY, CenterX, CenterY, Units, Shots, View, Valid, Pitch };

struct TRefComparison {
  struct TRow {
    TRefField Field;
    std::string Caption;                // " Name:", " Rotation:"...
    std::string SourceText, TargetText;  // as shown; the target's empty without a target
    bool Differs = false;               // the target field is highlighted
  };
  std::vector<TRow> Rows;  // in the panel's order
  bool HasTarget = false;
  bool AnyDifference() const;
};

// How numbers are shown: the user's format in the window.
using TNumberText = std::function<std::string(double value, int decimals)>;

// Values more than this apart differ.
constexpr double RefTolerance = 0.1;

// The source column always reads valid and shows its rotation inverted;
// the target's is compared with that. Without a target only the source is filled.
TRefComparison CompareReferences(const TRefData& source, int plottedShots, const TRefData* target, int targetShots,
                                 const TNumberText& number);
// The highlight colour of differing target fields.
constexpr unsigned RefHighlightColor = 0x7F7FFF;  // RGB 255, 127, 127 with red in the low byte
