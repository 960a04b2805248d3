#include "RefComparison.h"

#include <cmath>

#include "export/QMScaleUnits.h"

namespace {

bool Differ(double a, double b) { return std::abs(a - b) > RefTolerance; }

}  // namespace

bool TRefComparison::AnyDifference() const {
  for (const TRow& row : Rows)
    if (row.Differs) return true;
  return false;
}

TRefComparison CompareReferences(const TRefData& source, int plottedShots, const TRefData* target, int targetShots,
                                 const TNumberText& number) {
  TRefComparison comparison;
  comparison.HasTarget = target != nullptr;
  const TRefData empty;
  const TRefData& t = target ? *target : empty;
  const double sourceRotation = InvertRotation(source.ReadYaw);
  auto view = [](const TRefData& ref) { return std::string(ref.Plan ? "Plan" : "Profile"); };
  auto units = [](const TRefData& ref) { return ref.Units ? std::string(1, ref.Units) : std::string(); };
  auto row = [&](TRefField field, const char* caption, std::string sourceText, std::string targetText, bool differs) {
    comparison.Rows.push_back({field, caption, std::move(sourceText), target ? std::move(targetText) : std::string(),
                               target && differs});
  };
  row(TRefField::Name, " Name:", source.Name, t.Name, source.Name != t.Name);
  row(TRefField::Rotation, " Rotation:", number(sourceRotation, 2), number(t.ReadYaw, 2), Differ(t.ReadYaw, sourceRotation));
  row(TRefField::Scale, " Scale:", "1:" + number(source.Scale, 3), "1:" + number(t.Scale, 3), Differ(t.Scale, source.Scale));
  row(TRefField::FrameX, " Frame-X:", number(source.Frame.X, 2), number(t.Frame.X, 2), Differ(t.Frame.X, source.Frame.X));
  row(TRefField::FrameY, " Frame-Y:", number(source.Frame.Y, 2), number(t.Frame.Y, 2), Differ(t.Frame.Y, source.Frame.Y));
  row(TRefField::CenterX, " Center-X:", number(source.Center.X, 2), number(t.Center.X, 2), Differ(t.Center.X, source.Center.X));
  row(TRefField::CenterY, " Center-Y:", number(source.Center.Y, 2), number(t.Center.Y, 2), Differ(t.Center.Y, source.Center.Y));
  row(TRefField::Units, " Units:", units(source), units(t), source.Units != t.Units);
  row(TRefField::Shots, " Shots:", std::to_string(plottedShots), std::to_string(targetShots), plottedShots != targetShots);
  row(TRefField::View, " View:", view(source), view(t), source.Plan != t.Plan);
  row(TRefField::Valid, " Valid:", "Valid", t.Valid ? "Valid" : "Invalid", !t.Valid);
  row(TRefField::Pitch, " Pitch::", number(source.ReadPitch, 2), number(t.ReadPitch, 2), Differ(t.ReadPitch, source.ReadPitch));
  return comparison;
}
