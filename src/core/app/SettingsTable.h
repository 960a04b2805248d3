#pragma once
// Every setting of the program, with its caption, range, step, decimals and
// default: the controls of the main window's pages, the morph parameters,
// the compatibility dialog and the station tie-in offset. Check boxes hold
// 0 or 1, choices the index of their item (-1: none).

#include <array>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <span>
#include <string_view>

enum class TSetting : std::uint8_t {
  // "Pos/Scale"
  StayCentered, PaperOffsetX, PaperOffsetY, ScaleFactor, FeetPerInch, Ratio, Units, View,
  Yaw, PaperRotation, Pitch,
  // "Paper"
  PaperX, PaperY, PaperSize, Orientation, MarginX, MarginY,
  // "SVG"
  GridSpacing, ScaleBarType,
  // "Passage"
  PassageShape, CornerThreshold, RoundingDepth, SubstituteDiameter, SubstituteMissingLRUDs, ExpandPassages,
  VerticalPrisms, VerticalThreshold, MergePassages, SealPassageEnds,
  // "Display"
  ShowPassageWalls, ShowLRUDBars, ShowGrid, ShowCenterPoint, LabelStations, ShowFeatures,
  // survey tree, preview and read-out
  ExcludeSections, Magnification, RelativeCoordinates,
  // merge panel
  ShowCompatibilityOptions, MorphA, MorphB, MorphP, MorphN,
  // compatibility dialog
  Generator, IllustratorTags, InkscapeTags, AI10Compatible, RemoveBinaryData,
  // station tie-in, in feet
  CaveOffsetX, CaveOffsetY, CaveOffsetZ,
};
constexpr std::size_t SettingCount = static_cast<std::size_t>(TSetting::CaveOffsetZ) + 1;

enum class TSettingKind : std::uint8_t { Number, Check, Choice };
// What a number is measured in; paper and cave lengths follow the units choice.
enum class TSettingUnit : std::uint8_t { None, Paper, Cave, Degrees, Percent, Feet };

struct TSettingSpec {
  TSetting Id;
  std::string_view Key;  // for the command line and settings files
  std::string_view Caption;
  TSettingKind Kind;
  double Min, Max, Step;
  int Decimals;
  double Default;
  TSettingUnit Unit;
  std::span<const std::string_view> Items;  // of a choice
};

const TSettingSpec& SpecOf(TSetting setting);
const std::array<TSettingSpec, SettingCount>& SettingSpecs();
// The setting with this key, or nullptr.
const TSettingSpec* FindSetting(std::string_view key);
