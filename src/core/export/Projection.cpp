#include "Projection.h"

#include <cmath>

namespace {

constexpr double Radians = 3.14159265358979323846 / 180;

}  // namespace

TPaperFit SetScales(bool plan, T2DVector paper, const TBoundBox& box) {
  T2DVector min = Vector3Dto2DZ(box.Min.Vector(), plan), max = Vector3Dto2DZ(box.Max.Vector(), plan);
  if (max.X == min.X) {
    max.X += paper.X / 2;
    min.X -= paper.X / 2;
  }
  if (max.Y == min.Y) {
    max.Y += paper.Y / 2;
    min.Y -= paper.Y / 2;
  }
  T2DVector delta = max - min;
  TPaperFit fit;
  fit.Scale = paper.Y / paper.X * delta.X >= delta.Y ? 0.95 * paper.X / delta.X : 0.95 * paper.Y / delta.Y;
  fit.Offset = {fit.Scale * min.X - (paper.X - delta.X * fit.Scale) / 2,
                fit.Scale * min.Y - (paper.Y - delta.Y * fit.Scale) / 2};
  return fit;
}

void TProjection::InitalizeDisplay(const TPlotParams& params, const TPlotState& plot) {
  TPaperFit fit = SetScales(params.Plan, params.PaperWindow, plot.CaveBox);
  BaseScale = fit.Scale;
  BaseOffset = fit.Offset;
  T3DVector first = plot.VectorArray.Count() > 0 ? plot.VectorArray[0].Location.Vector() : T3DVector{};
  CaveToPaper(first);
  StationOrigin = Vector3Dto2DZ(first, params.Plan);
}

void TProjection::ConfigureRotation(const T3DVector& center, double yaw, double pitch) {
  yawCos_ = std::cos(yaw * Radians);
  yawSine_ = std::sin(yaw * Radians);
  pitchCos_ = std::cos(pitch * Radians);
  pitchSine_ = std::sin(pitch * Radians);
  rotationCenter_ = center;
}

void TProjection::TransformLRUDS(T3DLRUDVector& lrud, const TPlotParams& params) const {
  for (T3DVector* point : {&lrud.Left, &lrud.Right, &lrud.Up, &lrud.Down}) DoFullTransform(*point, params);
}

T2DVector TProjection::PaperToCave(T2DVector paper, const TPlotParams& params) const {
  double s = 1 / (BaseScale * params.Scale);
  // The offset controls hold PaperOffset + StationOrigin.
  return paper * s + BaseOffset / BaseScale - params.PaperOffset * s + Vector3Dto2DZ(params.CaveOffset, params.Plan);
}

T2DVector TProjection::CenteringOffset(const TPlotParams& params, const TBoundBox& caveBox) {
  ConfigureRotation(BoxCenter(caveBox), params.YawAngle, params.PitchAngle);
  T3DVector center = ObjectCenter;
  RotateCavePoint3D(center);
  center = center - params.CaveOffset;
  CaveToPaper(center);
  return params.PaperWindow / 2 - Vector3Dto2DZ(center * params.Scale, params.Plan) + StationOrigin;
}
