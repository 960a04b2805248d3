#include "PassageLib.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr double Degrees = 180 / Pi;

constexpr double SquareAngle[] = {0, 90, 180, 270};
constexpr double DiamondAngle[] = {45, 135, 225, 315};
constexpr double OctagonAngle[] = {337.5, 22.5, 67.5, 112.5, 157.5, 202.5, 247.5, 292.5};

float Unmeasured(float value) { return value < 0 || value > 900 ? 0 : value; }

// A pair missing (both 0) takes the first pair that is not, else MinSize.
void SelectDim(float& a, float& b, float c, float d, float e, float f, double minSize) {
  if (a != 0 || b != 0) return;
  if (c != 0 || d != 0) {
    a = c;
    b = d;
  } else if (e != 0 || f != 0) {
    a = e;
    b = f;
  } else if (minSize != 0) {
    a = b = static_cast<float>(minSize);
  }
}

double Length(const T3DVector& v) { return std::sqrt(v.X * v.X + v.Y * v.Y + v.Z * v.Z); }
double Dot(const T3DVector& a, const T3DVector& b) { return a.X * b.X + a.Y * b.Y + a.Z * b.Z; }

struct TSectionPoints {
  T3DVector Left, Right, Top, Bottom, TopLeft, TopRight, BottomRight, BottomLeft;
};

T3DVector TriplePointAverage(const T3DVector& previous, const T3DVector& point, const T3DVector& next) {
  return ((previous + next) / 2 + point) / 2;
}

// A copy of `station` moved from `from` towards `to` by the set-back length.
TPassageModel::TBranchStation SubDivideShot(const TPassageModel::TBranchStation& s1,
                                            const TPassageModel::TBranchStation& s2, bool start) {
  T3DVector p1 = s1.Vector.Location.Vector(), p2 = s2.Vector.Location.Vector();
  T3DVector delta = p2 - p1;
  double length = Length(delta);
  T3DVector unit = length > 0 ? delta / length : T3DVector{};
  double half = length / 2;
  double wide = std::max(s2.Vector.Left, s2.Vector.Right);
  double setBack = wide != 0 && wide <= half ? wide : half;
  TPassageModel::TBranchStation copy = start ? s1 : s2;
  T3DVector at = start ? p1 + unit * setBack : p2 - unit * setBack;
  copy.Vector.Location = {at.X, at.Y, at.Z};
  return copy;
}

void SubdivideCorner(TPassageModel::TBranch& branch, int corner) {
  auto s1 = branch[corner - 1], s2 = branch[corner], s3 = branch[corner + 1];
  branch.insert(branch.begin() + corner, SubDivideShot(s1, s2, false));
  branch[corner + 1] = SubDivideShot(s2, s3, true);
}

double CornerAngle(const T3DVector& before, const T3DVector& corner, const T3DVector& after) {
  T3DVector in = corner - before, out = after - corner;
  double lengths = Length(in) * Length(out);
  if (lengths == 0) return 0;
  return std::acos(std::clamp(Dot(in, out) / lengths, -1.0, 1.0)) * Degrees;
}

void MergePrismEnds(TPrism& a, TPrism& b) {
  for (int i = 0; i < a.End1.Count; ++i) a.End2.Points[i] = b.End1.Points[i] = (a.End2.Points[i] + b.End1.Points[i]) / 2;
}

}  // namespace

double FaceAngleOf(TPassageShape shape, int face) {
  switch (shape) {
    case psSquare: return SquareAngle[face];
    case psDiamond: return DiamondAngle[face];
    default: return OctagonAngle[face];
  }
}

TPlotVector ZeroNegativePassages(TPlotVector vector) {
  vector.Left = Unmeasured(vector.Left);
  vector.Right = Unmeasured(vector.Right);
  vector.Up = Unmeasured(vector.Up);
  vector.Down = Unmeasured(vector.Down);
  return vector;
}

void ExpandDimensions(TPlotVector& fs, TPlotVector& ts, double minSize) {
  SelectDim(fs.Left, fs.Right, ts.Left, ts.Right, fs.Up, fs.Down, minSize);
  SelectDim(ts.Left, ts.Right, fs.Left, fs.Right, ts.Up, ts.Down, minSize);
  SelectDim(fs.Up, fs.Down, ts.Up, ts.Down, fs.Left, fs.Right, minSize);
  SelectDim(ts.Up, ts.Down, fs.Up, fs.Down, ts.Left, ts.Right, minSize);
}

double GetInclination(const T3DVector& p1, const T3DVector& p2) {
  double dZ = p2.Z - p1.Z;
  if (dZ == 0) return 0;
  return std::asin(std::min(std::abs(dZ) / Length(p2 - p1), 1.0)) * Degrees;
}

TVertMode TPassageModel::IsVertModel(const T3DVector& p1, const T3DVector& p2) const {
  if (!parameters_.DoVertical || GetInclination(p1, p2) < parameters_.VertThreshold) return vmHorizontal;
  return p2.Z > p1.Z ? vmVertUp : vmVertDown;
}

// sin and cos of the azimuth plus 90 degrees, that is cos(A) and -sin(A),
// straight from the horizontal direction; a shot without horizontal extent
// has the azimuth 90 degrees.
TPassageModel::TShotTrig TPassageModel::SetShotTrig(const T3DVector& p1, const T3DVector& p2) {
  double dE = p2.X - p1.X, dN = p2.Y - p1.Y, horizontal = std::hypot(dE, dN);
  double sinPlus90 = horizontal > 0 ? dN / horizontal : 0, cosPlus90 = horizontal > 0 ? -dE / horizontal : -1;
  return {sinPlus90, cosPlus90, -sinPlus90, -cosPlus90};
}

namespace {

TSectionPoints SectionPoints(const TPlotVector& station, TVertMode mode, double sinPlus90, double cosPlus90,
                             double sinMinus90, double cosMinus90) {
  const T3DVector at = station.Location.Vector();
  const double l = station.Left, r = station.Right, u = station.Up, d = station.Down;
  if (mode == vmHorizontal) {
    T3DVector left{at.X + l * sinMinus90, at.Y + l * cosMinus90, at.Z};
    T3DVector right{at.X + r * sinPlus90, at.Y + r * cosPlus90, at.Z};
    return {left, right, {at.X, at.Y, at.Z + u}, {at.X, at.Y, at.Z - d},
            {left.X, left.Y, at.Z + u}, {right.X, right.Y, at.Z + u}, {right.X, right.Y, at.Z - d}, {left.X, left.Y, at.Z - d}};
  }
  // A steep shot: the section lies flat, aligned with the map axes.
  double leftX = at.X - l, rightX = at.X + r;
  double topY = mode == vmVertUp ? at.Y - d : at.Y + u;
  double bottomY = mode == vmVertUp ? at.Y + u : at.Y - d;
  return {{leftX, at.Y, at.Z},  {rightX, at.Y, at.Z},  {at.X, topY, at.Z},     {at.X, bottomY, at.Z},
          {leftX, topY, at.Z},  {rightX, topY, at.Z},  {rightX, bottomY, at.Z}, {leftX, bottomY, at.Z}};
}

}  // namespace

TPassageEnd3D TPassageModel::SectionOf(const TPlotVector& station, TVertMode mode, const TShotTrig& trig) const {
  TSectionPoints p = SectionPoints(station, mode, trig.SinPlus90, trig.CosPlus90, trig.SinMinus90, trig.CosMinus90);
  TPassageEnd3D end;
  end.Center = station.Location.Vector();
  switch (parameters_.PassageShape) {
    case psSquare:
      end.Count = 4;
      std::copy_n(std::data({p.TopLeft, p.TopRight, p.BottomRight, p.BottomLeft}), 4, end.Points);
      break;
    case psDiamond:
      end.Count = 4;
      std::copy_n(std::data({p.Top, p.Right, p.Bottom, p.Left}), 4, end.Points);
      break;
    case psOctagon:
      end.Count = 8;
      std::copy_n(std::data({p.TopLeft, p.Top, p.TopRight, p.Right, p.BottomRight, p.Bottom, p.BottomLeft, p.Left}), 8,
                  end.Points);
      // Pull the corners in; each average uses the unchanged side points.
      for (int corner : {2, 4, 6, 0})
        end.Points[corner] = TriplePointAverage(end.Points[(corner + 7) % 8], end.Points[corner], end.Points[corner + 1]);
      break;
  }
  return end;
}

TPrism TPassageModel::PrismOf(const TPlotVector& from, const TPlotVector& to) const {
  T3DVector p1 = from.Location.Vector(), p2 = to.Location.Vector();
  TVertMode mode = IsVertModel(p1, p2);
  TShotTrig trig = SetShotTrig(p1, p2);
  return {true, SectionOf(from, mode, trig), SectionOf(to, mode, trig), to.LineInx};
}

void TPassageModel::BuildBranch(const TPlotArray& vectors, int first, int last, std::span<const int> treeIndex,
                                TBranch& branch) const {
  branch.clear();
  for (int i = first; i <= last; ++i) {
    const TPlotVector& vector = vectors[i];
    if (vector.Command == 'd' || vector.Flags.View().find('S') != std::string_view::npos) continue;
    branch.push_back({ZeroNegativePassages(vector), treeIndex[static_cast<std::size_t>(i - first)]});
  }
  if (!parameters_.ExpandPassages) return;
  for (std::size_t i = 0; i + 1 < branch.size(); ++i)
    ExpandDimensions(branch[i].Vector, branch[i + 1].Vector, parameters_.MinPassageSize);
}

void TPassageModel::SmoothCorners(TBranch& branch) const {
  for (int i = 1; i <= static_cast<int>(branch.size()) - 2; ++i) {
    double angle = CornerAngle(branch[i - 1].Vector.Location.Vector(), branch[i].Vector.Location.Vector(),
                               branch[i + 1].Vector.Location.Vector());
    if (angle > parameters_.DivideThreshold) {
      SubdivideCorner(branch, i);
      ++i;
    }
  }
}

void TPassageModel::SmoothBranch(TBranch& branch) const {
  for (int pass = 0; pass < parameters_.DivideDepth; ++pass) SmoothCorners(branch);
}

TPrism TPassageModel::GetPassagePrism(const TBranch& branch, int index) const {
  if (index < 0 || index >= static_cast<int>(branch.size()) - 1 || branch[index + 1].Vector.Command == 'M') return {};
  return PrismOf(branch[index].Vector, branch[index + 1].Vector);
}

void TPassageModel::SealPassageEnd(const TPassageEnd3D& end, bool right) {
  if (!triangleProc_ || !*triangleProc_) return;
  for (int i = 0; i < end.Count; ++i) (*triangleProc_)(end.Center, end.Points[i], end.Points[(i + 1) % end.Count], right, place_);
}

void TPassageModel::BuildPassagePrism(const std::vector<TPrism>& prisms, const TBranch& branch, int index,
                                      bool segStart, bool segEnd) {
  TPrism current = prisms[static_cast<std::size_t>(index)];
  if (!current.Valid) return;
  if (parameters_.MergePassageEnds) {
    // Joints are averaged with the neighbours' unmerged sections, so both
    // prisms that meet at a station hand out the same joint.
    TPrism last = index > 0 ? prisms[static_cast<std::size_t>(index - 1)] : TPrism{};
    TPrism next = prisms[static_cast<std::size_t>(index + 1)];
    if (last.Valid) MergePrismEnds(last, current);
    if (next.Valid) MergePrismEnds(current, next);
  }
  place_.TreeIndex = branch[static_cast<std::size_t>(index + 1)].TreeIndex;
  const int n = current.End1.Count;
  for (int i = 0; i < n; ++i) {
    int i2 = (i + 1) % n;
    place_.FaceAngle = FaceAngleOf(parameters_.PassageShape, i);
    (*rectangleProc_)(current.End1.Points[i], current.End2.Points[i], current.End2.Points[i2], current.End1.Points[i2],
                      place_);
  }
  if (!parameters_.SealEnds) return;
  if (segStart) SealPassageEnd(current.End1, true);
  if (segEnd) SealPassageEnd(current.End2, false);
}

void TPassageModel::DisplayPassageMesh(const TPlotState& plot, const TWriteTriangle& triangleProc,
                                       const TWriteRectangle& rectangleProc) {
  rectangleProc_ = &rectangleProc;
  triangleProc_ = &triangleProc;
  TBranch branch;
  branch.reserve(10);
  std::vector<TPrism> prisms;  // of the branch, unmerged; one more (invalid) at the end
  std::vector<int> treeIndex;  // of each vector of the survey, as the shot walk counts
  int treeCount = 0;
  for (int section = 0; section < plot.SectionArray.Count(); ++section) {
    place_.Section = section;
    TIndexRange surveys = plot.SectionStartEnd(section);
    for (int survey = surveys.First; survey <= surveys.Last; ++survey) {
      place_.Survey = survey;
      if (!rectangleProc) throw std::runtime_error("No output procedure assigned.");
      TIndexRange vectors = plot.SurveyStartEnd(survey);
      // A survey that begins with a draw continues from the vector before
      // it: that vector leads its first branch. A segment never runs on
      // into the next survey, which draws its own continuation.
      const int lead = vectors.First > 0 ? vectors.First - 1 : vectors.First;
      treeIndex.clear();
      if (lead < vectors.First) treeIndex.push_back(treeCount - 1);
      for (int i = vectors.First; i <= vectors.Last; ++i) {
        treeIndex.push_back(treeCount);
        treeCount += plot.VectorArray[i].Command != 'M';
      }
      if (plot.SurveyArray[survey].SurveyType != stSurvey) continue;
      TIndexRange segments = plot.SurveyBySegment(survey);
      const bool continues = lead < vectors.First && vectors.First <= vectors.Last && segments.First > 0 &&
                             (segments.First > segments.Last || plot.SegmentArray[segments.First] > vectors.First);
      for (int segment = segments.First - continues; segment <= segments.Last; ++segment) {
        TIndexRange range = plot.SegmentStartEnd(segment);
        const int first = std::max(range.First, lead), last = std::min(range.Last, vectors.Last);
        if (last < first) continue;
        BuildBranch(plot.VectorArray, first, last,
                    std::span<const int>(treeIndex).subspan(static_cast<std::size_t>(first - lead)), branch);
        SmoothBranch(branch);
        const int count = static_cast<int>(branch.size());
        prisms.clear();
        for (int shot = 0; shot <= count; ++shot) prisms.push_back(GetPassagePrism(branch, shot));
        for (int shot = 0; shot < count; ++shot) BuildPassagePrism(prisms, branch, shot, shot == 0, shot == count - 2);
      }
    }
  }
}

void TPassageModel::GetLRUDPoints(TPlotVector from, TPlotVector to, T3DLRUDVector& fromLRUD,
                                  T3DLRUDVector& toLRUD) const {
  T3DVector p1 = from.Location.Vector(), p2 = to.Location.Vector();
  TVertMode mode = IsVertModel(p1, p2);
  from = ZeroNegativePassages(from);
  to = ZeroNegativePassages(to);
  if (parameters_.ExpandPassages) ExpandDimensions(from, to, parameters_.MinPassageSize);
  TShotTrig trig = SetShotTrig(p1, p2);
  auto wallPoints = [&](const TPlotVector& station) {
    TSectionPoints p = SectionPoints(station, mode, trig.SinPlus90, trig.CosPlus90, trig.SinMinus90, trig.CosMinus90);
    return T3DLRUDVector{p.Left, p.Right, p.Top, p.Bottom};
  };
  fromLRUD = wallPoints(from);
  toLRUD = wallPoints(to);
}
