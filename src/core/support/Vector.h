#pragma once
// Double-precision points and vectors. Cave coordinates: X east, Y north,
// Z up, in feet.

struct T2DVector {
  double X = 0, Y = 0;

  friend T2DVector operator+(T2DVector a, T2DVector b) { return {a.X + b.X, a.Y + b.Y}; }
  friend T2DVector operator-(T2DVector a, T2DVector b) { return {a.X - b.X, a.Y - b.Y}; }
  friend T2DVector operator*(T2DVector a, double s) { return {a.X * s, a.Y * s}; }
  friend T2DVector operator/(T2DVector a, double s) { return {a.X / s, a.Y / s}; }
  friend bool operator==(const T2DVector&, const T2DVector&) = default;
};

struct T3DVector {
  double X = 0, Y = 0, Z = 0;

  friend T3DVector operator+(T3DVector a, T3DVector b) { return {a.X + b.X, a.Y + b.Y, a.Z + b.Z}; }
  friend T3DVector operator-(T3DVector a, T3DVector b) { return {a.X - b.X, a.Y - b.Y, a.Z - b.Z}; }
  friend T3DVector operator*(T3DVector a, double s) { return {a.X * s, a.Y * s, a.Z * s}; }
  friend T3DVector operator/(T3DVector a, double s) { return {a.X / s, a.Y / s, a.Z / s}; }
  friend bool operator==(const T3DVector&, const T3DVector&) = default;
};

struct T2DLine {
  T2DVector P1, P2;
  friend bool operator==(const T2DLine&, const T2DLine&) = default;
};

// (X, Y) of a plan, (X, Z) of a profile.
inline T2DVector Vector3Dto2DZ(const T3DVector& v, bool plan) { return {v.X, plan ? v.Y : v.Z}; }
// (X, Y, Y): one paper point lands on the same place in plan and in profile.
inline T3DVector Vector2DToVector3DZ(const T2DVector& v) { return {v.X, v.Y, v.Y}; }
