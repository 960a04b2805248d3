#include "SettingsTable.h"

#include <stdexcept>

namespace {

// Beyond these no drawing is sane: a paper offset of 10 km, a cave offset
// larger than any cave (the plot reader's own bound).
constexpr double MaxPaperOffset = 1e7, MaxCaveOffset = 1e9;

using K = TSettingKind;
using U = TSettingUnit;
using S = TSetting;

constexpr std::string_view UnitsItems[] = {"Feet", "Meters"};
constexpr std::string_view ViewItems[] = {"Plan", "Profile"};
constexpr std::string_view OrientationItems[] = {"Landscape", "Portrait"};
constexpr std::string_view ScaleBarItems[] = {"Modulo-5 Length", "Ft./Inch or M/cm"};
constexpr std::string_view ShapeItems[] = {"Square", "Diamond", "Octagon"};
constexpr std::string_view RoundingItems[] = {"None", "One Pass", "Two Pass"};
constexpr std::string_view GeneratorItems[] = {"Illustrator (72 dpi)", "Inkscape (96 dpi)", "Inkscape (90 dpi)"};
constexpr std::string_view IllustratorItems[] = {"Add Illustrator Tags", "Remove Illustrator Tags"};
constexpr std::string_view InkscapeItems[] = {"Add Inkscape Tags", "Remove Inkscape Tags"};

constexpr TSettingSpec Number(S id, std::string_view key, std::string_view caption, double min, double max,
                              double step, int decimals, double def, U unit = U::None) {
  return {id, key, caption, K::Number, min, max, step, decimals, def, unit, {}};
}
constexpr TSettingSpec Check(S id, std::string_view key, std::string_view caption, bool def) {
  return {id, key, caption, K::Check, 0, 1, 1, 0, def ? 1.0 : 0.0, U::None, {}};
}
template <std::size_t N>
constexpr TSettingSpec Choice(S id, std::string_view key, std::string_view caption, const std::string_view (&items)[N],
                              int def = 0) {
  return {id, key, caption, K::Choice, -1, N - 1.0, 1, 0, double(def), U::None, items};
}

constexpr std::array<TSettingSpec, SettingCount> Specs = {{
    Check(S::StayCentered, "stay-centered", "Stay Centered", false),
    Number(S::PaperOffsetX, "paper-offset-x", "Offset-X", -MaxPaperOffset, MaxPaperOffset, 0.1, 4, 0, U::Paper),
    Number(S::PaperOffsetY, "paper-offset-y", "Offset-Y", -MaxPaperOffset, MaxPaperOffset, 0.1, 4, 0, U::Paper),
    Number(S::ScaleFactor, "scale-factor", "Scale Factor", 0.1, 10000, 0.01, 2, 1),
    Number(S::FeetPerInch, "feet-per-inch", "Ft./Inch", 0.1, 10000, 0.1, 2, 100),
    Number(S::Ratio, "ratio", "Ratio", 0.1, 10000000, 0.1, 2, 100),
    Choice(S::Units, "units", "Units", UnitsItems),
    Choice(S::View, "view", "View", ViewItems),
    Number(S::Yaw, "yaw", "Yaw- Cave", 0, 360, 1, 1, 0, U::Degrees),
    Number(S::PaperRotation, "paper-rotation", "Rotation - Paper", 0, 360, 1, 1, 0, U::Degrees),
    Number(S::Pitch, "pitch", "Pitch", -90, 90, 1, 1, 0, U::Degrees),
    Number(S::PaperX, "paper-x", "Paper-X", 1, 1000000, 0.1, 2, 11, U::Paper),
    Number(S::PaperY, "paper-y", "Paper-Y", 1, 1000000, 0.1, 2, 8.5, U::Paper),
    // Its items are the standard paper sizes (PaperSizes.h).
    {S::PaperSize, "paper", "Standard Sizes", K::Choice, -1, 67, 1, 0, 0, U::None, {}},
    Choice(S::Orientation, "orientation", "Orientation", OrientationItems),
    Number(S::MarginX, "margin-x", "Paper-X", 0, 1000, 0.05, 2, 0.5, U::Paper),
    Number(S::MarginY, "margin-y", "Paper-Y", 0, 1000, 0.05, 2, 0.5, U::Paper),
    Number(S::GridSpacing, "grid", "Spacing", 0.1, 10000, 5, 1, 100, U::Cave),
    Choice(S::ScaleBarType, "scale-bar", "Scale Bar Type", ScaleBarItems),
    Choice(S::PassageShape, "passage-shape", "Passage Shape", ShapeItems),
    Number(S::CornerThreshold, "corner-threshold", "Corner Threshold", 0, 180, 1, 0, 20, U::Degrees),
    Choice(S::RoundingDepth, "rounding-depth", "Rounding Depth", RoundingItems, 1),
    // "Substitue" is the caption the suite has always shown.
    Number(S::SubstituteDiameter, "substitute-diameter", "Substitue Diameter", 0, 90, 1, 0, 2, U::Cave),
    Check(S::SubstituteMissingLRUDs, "substitute-missing", "Sub. Miss. LRUDs", true),
    Check(S::ExpandPassages, "expand-passages", "Expand Passages", true),
    Check(S::VerticalPrisms, "vertical-prisms", "Vertical Prisms", true),
    Number(S::VerticalThreshold, "vertical-threshold", "Vertical Threshold", 0, 90, 1, 0, 50, U::Degrees),
    Check(S::MergePassages, "merge-passages", "Merge Passages", true),
    Check(S::SealPassageEnds, "seal-passage-ends", "Seal Passage Ends", true),
    Check(S::ShowPassageWalls, "show-passage-walls", "Show Passage Walls", false),
    Check(S::ShowLRUDBars, "show-lrud-bars", "Show LRUD Bars", true),
    Check(S::ShowGrid, "show-grid", "Show Grid", true),
    Check(S::ShowCenterPoint, "show-center-point", "Show Center Point", false),
    Check(S::LabelStations, "label-stations", "Label Stations", false),
    Check(S::ShowFeatures, "show-features", "Show Features", false),
    Check(S::ExcludeSections, "exclude-sections", "Exclude Sections/Surveys", false),
    Number(S::Magnification, "magnification", "Magnifaction", 0, 10000, 5, 0, 0, U::Percent),
    Check(S::RelativeCoordinates, "relative-coordinates", "Relative Coordinates", true),
    Check(S::ShowCompatibilityOptions, "show-compatibility", "Show Compatibility Options", true),
    Number(S::MorphA, "morph-a", "A - Precision", 0, 1000, 0.1, 1, 1),
    Number(S::MorphB, "morph-b", "B - Distance", 0, 100, 0.1, 1, 2),
    Number(S::MorphP, "morph-p", "P - Long Line", 0, 100, 0.1, 1, 2),
    Number(S::MorphN, "morph-n", "N - Nearest Lines", 0, 64, 1, 0, 4),
    Choice(S::Generator, "generator", "Generator", GeneratorItems),
    Choice(S::IllustratorTags, "illustrator", "Illustrator", IllustratorItems),
    Choice(S::InkscapeTags, "inkscape", "Inkscape", InkscapeItems),
    Check(S::AI10Compatible, "ai10", "10/CS1/CS2 Compatible", false),
    Check(S::RemoveBinaryData, "remove-binary", "Remove Illustrator Binary Data", true),
    Number(S::CaveOffsetX, "cave-offset-x", "X", -MaxCaveOffset, MaxCaveOffset, 1, 2, 0, U::Feet),
    Number(S::CaveOffsetY, "cave-offset-y", "Y", -MaxCaveOffset, MaxCaveOffset, 1, 2, 0, U::Feet),
    Number(S::CaveOffsetZ, "cave-offset-z", "Z", -MaxCaveOffset, MaxCaveOffset, 1, 2, 0, U::Feet),
}};

constexpr bool InEnumOrder() {
  for (std::size_t i = 0; i < Specs.size(); ++i)
    if (static_cast<std::size_t>(Specs[i].Id) != i) return false;
  return true;
}
static_assert(InEnumOrder(), "one row per setting, in the order of TSetting");

}  // namespace

const std::array<TSettingSpec, SettingCount>& SettingSpecs() { return Specs; }

const TSettingSpec& SpecOf(TSetting setting) { return Specs[static_cast<std::size_t>(setting)]; }

const TSettingSpec* FindSetting(std::string_view key) {
  for (const TSettingSpec& spec : Specs)
    if (spec.Key == key) return &spec;
  return nullptr;
}
