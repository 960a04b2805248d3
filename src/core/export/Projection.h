#pragma once
// The cave-to-paper projection: the base scale and offset that fit the cave
// box into 95 % of the printable window, the paper position of the first
// station, the yaw-then-pitch rotation and the full transform.

#include "QMGlobal.h"
#include "survey/CaveTypes.h"
#include "survey/PlotState.h"
#include "support/Vector.h"

// The wall points of one station.
struct T3DLRUDVector {
  T3DVector Left, Right, Up, Down;
};

struct TPaperFit {
  T2DVector Offset;  // inches, subtracted after scaling
  double Scale = 1;  // paper inches per cave foot
};

// Fits a box ((X, Y) in plan, (X, Z) in profile) into 95 % of the limiting
// dimension of a paper area, centred. A flat dimension is widened by the
// paper's so nothing divides by zero.
TPaperFit SetScales(bool plan, T2DVector paper, const TBoundBox& box);

class TProjection {
public:
  double BaseScale = 1;     // paper inches per cave foot at Scale 1
  T2DVector BaseOffset;     // inches
  T2DVector StationOrigin;  // inches: where the first vector lies at Scale 1, unrotated
  T3DVector ObjectCenter;   // feet: centre of the included shots

  // Fits the plot's cave box into the printable window and places the first vector.
  void InitalizeDisplay(const TPlotParams& params, const TPlotState& plot);

  void ConfigureRotation(const T3DVector& center, double yaw, double pitch);
  // Yaw about the vertical axis (clockwise seen from above), then pitch
  // about the turned east axis, both about the rotation centre.
  void RotateCavePoint3D(T3DVector& p) const {
    T3DVector d = p - rotationCenter_;
    double turnedY = -d.X * yawSine_ + d.Y * yawCos_;
    p.X = d.X * yawCos_ + d.Y * yawSine_ + rotationCenter_.X;
    p.Z = -turnedY * pitchSine_ + d.Z * pitchCos_ + rotationCenter_.Z;
    p.Y = turnedY * pitchCos_ + d.Z * pitchSine_ + rotationCenter_.Y;
  }
  // Scales and offsets; the vertical takes the second offset component.
  void CaveToPaper(T3DVector& p) const {
    p.X = BaseScale * p.X - BaseOffset.X;
    p.Y = BaseScale * p.Y - BaseOffset.Y;
    p.Z = BaseScale * p.Z - BaseOffset.Y;
  }
  // Rotation, cave offset, base scale and offset, Scale, paper offset. The
  // paper point is (X, Y) in plan and (X, Z) in profile.
  void DoFullTransform(T3DVector& v, const TPlotParams& params) const {
    RotateCavePoint3D(v);
    v = v - params.CaveOffset;
    CaveToPaper(v);
    v = v * params.Scale + Vector2DToVector3DZ(params.PaperOffset);
  }
  void TransformLRUDS(T3DLRUDVector& lrud, const TPlotParams& params) const;
  // The inverse of the scaling and offsets (not of the rotation): a paper
  // point to cave feet in the rotated frame ((east, north) or (X, vertical)).
  T2DVector PaperToCave(T2DVector paper, const TPlotParams& params) const;

  // The paper offset (inches, as the offset controls hold it) that puts the
  // object centre, rotated and transformed like any point, in the middle of
  // the printable window.
  T2DVector CenteringOffset(const TPlotParams& params, const TBoundBox& caveBox);

private:
  double yawSine_ = 0, yawCos_ = 1, pitchSine_ = 0, pitchCos_ = 1;
  T3DVector rotationCenter_;
};
