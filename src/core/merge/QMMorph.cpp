#include "QMMorph.h"

#include <cmath>
#include <stdexcept>

#include "QMSodiPodi.h"
#include "QMTransform.h"
#include "SVGScanners.h"
#include "XMLDocLibrary.h"
#include "support/NumberText.h"

namespace {

constexpr double Degrees = 180 / 3.14159265358979323846;
// The step of the finite differences that find folds and stretches, and
// how many points of an element are looked at.
constexpr double WarpStep = 1;
constexpr std::size_t WarpSamples = 4;

double Length(T2DVector v) { return std::hypot(v.X, v.Y); }

std::string ElementName(TXMLNode element) {
  const std::string id = element.Attribute("id");
  return id.empty() ? "a " + element.LocalName() + " without an id" : id;
}

// The move of an element placed by its transform, measured at its local
// origin D1 and at D1 + (1, 1), all four points in the element's coordinates.
struct TPlacement {
  T2DVector Offset;
  double Angle = 0, Scale = 1;
};

TPlacement PlacementOf(T2DVector d1, T2DVector d2, T2DVector e1, T2DVector e2) {
  const T2DVector v1 = d2 - d1, v2 = e2 - e1;
  const double cross = v1.X * v2.Y - v1.Y * v2.X, dot = v1.X * v2.X + v1.Y * v2.Y;
  TPlacement placement;
  placement.Offset = e1 - d1;
  placement.Scale = Length(v2) / Length(v1);
  placement.Angle = cross == 0 && dot == 0 ? 90 : std::atan2(cross, dot) * Degrees;
  return placement;
}

// Where the points of a path item are, in the order they are morphed.
template <typename Visit>
void ForItemPoints(TSVGPathItem& item, Visit&& visit) {
  switch (item.Tag) {
    case 'C': visit(item.Control.P1); visit(item.Control.P2); visit(item.Pos); break;
    case 'Q': visit(item.Control.P1); visit(item.Pos); break;
    case 'S': visit(item.Control.P2); visit(item.Pos); break;
    case 'Z': break;
    default: visit(item.Pos); break;
  }
}

void AppendTransform(TXMLNode element, const std::string& text) {
  element.SetAttribute("transform", element.Attribute("transform") + text);
}

}  // namespace

std::string MorphNumber(double value) { return FormatFixed(value, 5); }

void ExtractPointsList(std::string_view text, std::vector<T2DVector>& points) {
  points.clear();
  std::size_t position = 0;
  for (T2DVector point; GetSVGVector2D(text, position, point);) points.push_back(point);
}

std::string PointsArrayToString(const std::vector<T2DVector>& points) {
  std::string text;
  text.reserve(points.size() * 20);
  for (const T2DVector& point : points) {
    text += ' ';
    AppendSVGVector(text, point);
  }
  return text;
}

void AddMatrix(TXMLNode element, const TX3Matrix& m) {
  std::string text = " matrix(";
  for (int i : {0, 3, 1, 4, 2, 5}) {
    if (i != 0) text += ',';
    text += MorphNumber(m[static_cast<std::size_t>(i)]);
  }
  AppendTransform(element, text + ")");
}

void TMorph::MorphTransform(TXMLNode element, bool rotate) {
  try {
    const TX3Matrix matrix = SetupTransformMatrix(element), inverse = InvertX3Matrix(matrix);
    const T2DVector d1 = X3MatrixVectorMult(matrix, {0, 0}), d2 = d1 + T2DVector{1, 1};
    const T2DVector e1 = MorphSVGPoint(d1), e2 = MorphSVGPoint(d2);
    report_.NoteMove(element.Attribute("id"), d1, e1);
    const TPlacement p =
        PlacementOf(X3MatrixVectorMult(inverse, d1), X3MatrixVectorMult(inverse, d2), X3MatrixVectorMult(inverse, e1),
                    X3MatrixVectorMult(inverse, e2));
    const std::string scale = MorphNumber(p.Scale), angle = MorphNumber(p.Angle);
    std::string text = " translate(" + MorphNumber(p.Offset.X) + "," + MorphNumber(p.Offset.Y) + ") ";
    if (rotate) text += " rotate(" + angle + ")";
    text += " scale(" + scale + "," + scale + ") ";
    AppendTransform(element, text);
  } catch (const std::exception& error) {
    throw std::runtime_error(ElementName(element) + ": " + error.what());
  }
}

void TMorph::Gather(TXMLNode element, TKind kind, std::string_view x, std::string_view y) {
  TJob job{element, kind, {}, {}, points_.size(), 0, {}, x, y};
  T2DVector first, second;
  try {
    switch (kind) {
      case TKind::Path: {
        const std::string d = element.Attribute("d");
        if (d.empty()) return;
        job.Matrix = SetupTransformMatrix(element);
        ExtractPathData(d, job.Path);
        MakePathAbsolute(job.Path);
        TransformPath(job.Matrix, job.Path);
        for (TSVGPathItem& item : job.Path) ForItemPoints(item, [&](T2DVector& p) { points_.push_back(p); });
        break;
      }
      case TKind::Points: {
        const std::string text = element.Attribute("points");
        if (text.empty()) return;
        job.Matrix = SetupTransformMatrix(element);
        std::vector<T2DVector> points;
        ExtractPointsList(text, points);
        for (T2DVector p : points) points_.push_back(X3MatrixVectorMult(job.Matrix, p));
        break;
      }
      case TKind::Transform: {
        job.Matrix = SetupTransformMatrix(element);
        const T2DVector d1 = X3MatrixVectorMult(job.Matrix, {0, 0});
        points_.insert(points_.end(), {d1, d1 + T2DVector{1, 1}});
        break;
      }
      case TKind::Line:
        if (!GetNodePosition(element, "x1", "y1", first) || !GetNodePosition(element, "x2", "y2", second)) return;
        job.Matrix = SetupTransformMatrix(element);
        points_.insert(points_.end(), {X3MatrixVectorMult(job.Matrix, first), X3MatrixVectorMult(job.Matrix, second)});
        break;
      case TKind::Simple: {
        if (!GetNodePosition(element, x, y, first)) return;
        job.Matrix = SetupTransformMatrix(element);
        const T2DVector d1 = X3MatrixVectorMult(job.Matrix, {0, 0});
        points_.insert(points_.end(), {X3MatrixVectorMult(job.Matrix, first), d1, d1 + T2DVector{1, 1}});
        break;
      }
    }
    job.Inverse = InvertX3Matrix(job.Matrix);
  } catch (const std::exception& error) {
    throw std::runtime_error(ElementName(element) + ": " + error.what());
  }
  job.Count = points_.size() - job.First;
  jobs_.push_back(std::move(job));
}

std::size_t TMorph::TJob::OwnPoints() const {
  return Kind == TKind::Simple || Kind == TKind::Transform ? std::min<std::size_t>(Count, 1) : Count;
}

void TMorph::WriteBack(TJob& job, const T2DVector* morphed) {
  TXMLNode element = job.Element;
  auto local = [&](T2DVector p) { return X3MatrixVectorMult(job.Inverse, p); };
  try {
    switch (job.Kind) {
      case TKind::Path: {
        std::size_t next = 0;
        for (TSVGPathItem& item : job.Path) {
          ForItemPoints(item, [&](T2DVector& p) { p = morphed[next++]; });
          // A horizontal or vertical line is one no longer: written whole.
          if (item.Tag == 'H' || item.Tag == 'V') item.Tag = 'L';
        }
        TransformPath(job.Inverse, job.Path);
        element.SetAttribute("d", PathArrayToString(job.Path));
        break;
      }
      case TKind::Points: {
        std::vector<T2DVector> points(morphed, morphed + job.Count);
        for (T2DVector& p : points) p = local(p);
        element.SetAttribute("points", PointsArrayToString(points));
        break;
      }
      case TKind::Transform: {
        const T2DVector* original = original_.data() + job.First;
        const TPlacement p = PlacementOf(local(original[0]), local(original[1]), local(morphed[0]), local(morphed[1]));
        const std::string scale = MorphNumber(p.Scale), angle = MorphNumber(p.Angle);
        AppendTransform(element, " translate(" + MorphNumber(p.Offset.X) + "," + MorphNumber(p.Offset.Y) + ")  rotate(" +
                                     angle + ") scale(" + scale + "," + scale + ") ");
        break;
      }
      case TKind::Line:
        SetNodeVector(element, "x1", "y1", local(morphed[0]), 3);
        SetNodeVector(element, "x2", "y2", local(morphed[1]), 3);
        break;
      case TKind::Simple: {
        const T2DVector position = local(morphed[0]);
        SetNodeVector(element, job.X1, job.Y1, position, 3);
        const T2DVector* original = original_.data() + job.First;
        const TPlacement p = PlacementOf(local(original[1]), local(original[2]), local(morphed[1]), local(morphed[2]));
        AppendTransform(element, " rotate(" + MorphNumber(p.Angle) + " " + MorphNumber(position.X) + " " +
                                     MorphNumber(position.Y) + ")");
        break;
      }
    }
  } catch (const std::exception& error) {
    throw std::runtime_error(ElementName(element) + ": " + error.what());
  }
  RemoveSodipodi(element);
  const std::string id = element.Attribute("id");
  for (std::size_t i = 0; i < job.OwnPoints(); ++i) report_.NoteMove(id, original_[job.First + i], morphed[i]);
}

void TMorph::MorphAllLayerElements(std::string_view layerId) {
  progress_.AdvanceProgress(progress_.ProgressDelta(), layerId);
  jobs_.clear();
  points_.clear();
  struct TPass {
    std::string_view Element;
    TKind Kind;
    std::string_view X = {}, Y = {};
  };
  static constexpr TPass Passes[] = {
      {"path", TKind::Path},       {"polyline", TKind::Points},       {"use", TKind::Transform},
      {"text", TKind::Transform},  {"line", TKind::Line},             {"linearGradient", TKind::Line},
      {"polygon", TKind::Points},  {"rect", TKind::Simple, "x", "y"}, {"circle", TKind::Simple, "cx", "cy"},
      {"ellipse", TKind::Simple, "cx", "cy"},
  };
  auto elementProgress = [this](long n, long total) { progress_.HandleElementProgress(n, total); };
  const TXMLNode layer = XMLFindNode(target_, "g", "id", layerId);
  for (const TPass& pass : Passes)
    IterrateLayerElements(layer, pass.Element, elementProgress,
                     [&](TXMLNode element) { Gather(element, pass.Kind, pass.X, pass.Y); });
  // The probes of the warp check go with the points: one morph for all.
  struct TProbe {
    std::size_t Job, Point;
  };
  std::vector<TProbe> probes;
  const std::size_t gathered = points_.size();
  for (std::size_t j = 0; j < jobs_.size(); ++j) {
    const TJob& job = jobs_[j];
    const std::size_t own = job.OwnPoints();
    if (job.Kind == TKind::Transform || own == 0) continue;
    const std::size_t samples = std::min(own, WarpSamples);
    for (std::size_t s = 0; s < samples; ++s) {
      const std::size_t point = job.First + s * own / samples;
      probes.push_back({j, point});
      points_.push_back(points_[point] + T2DVector{WarpStep, 0});
      points_.push_back(points_[point] + T2DVector{0, WarpStep});
    }
  }
  original_ = points_;
  // The window paints between slices of a long morph.
  lines_.MorphPoints(points_, [this](std::size_t, std::size_t) { progress_.UI().ProcessEvents(); });
  for (TJob& job : jobs_) {
    WriteBack(job, points_.data() + job.First);
    progress_.UI().ProcessEvents();
  }
  // Folds and stretches, once per element: at the first point that shows one.
  std::size_t lastJob = jobs_.size();
  for (std::size_t k = 0; k < probes.size(); ++k) {
    const TProbe& probe = probes[k];
    if (probe.Job == lastJob) continue;
    const T2DVector f = points_[probe.Point], fx = points_[gathered + 2 * k], fy = points_[gathered + 2 * k + 1];
    const double a = (fx.X - f.X) / WarpStep, b = (fy.X - f.X) / WarpStep, c = (fx.Y - f.Y) / WarpStep,
                 d = (fy.Y - f.Y) / WarpStep;
    const double det = a * d - b * c, sum = a * a + b * b + c * c + d * d;
    const double root = std::sqrt(std::max(sum * sum - 4 * det * det, 0.0));
    const double largest = std::sqrt((sum + root) / 2), smallest = std::sqrt(std::max((sum - root) / 2, 0.0));
    const char* kind = det < 0 ? "fold" : largest > 2 ? "stretch" : smallest < 0.5 ? "shrink" : nullptr;
    if (!kind) continue;
    report_.Warps.push_back({std::string(layerId), ElementName(jobs_[probe.Job].Element), kind,
                             original_[probe.Point], det < 0 ? det : largest > 2 ? largest : smallest});
    lastJob = probe.Job;
  }
  report_.Layers.push_back({std::string(layerId), static_cast<int>(jobs_.size())});
  jobs_.clear();
  points_.clear();
  original_.clear();
}
