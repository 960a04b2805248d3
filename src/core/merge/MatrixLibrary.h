#pragma once
// 3 x 3 affine matrices of SVG transforms. An SVG matrix(a, b, c, d, e, f)
// is held as the rows (a, c, e), (b, d, f), (0, 0, 1): a point (x, y) maps
// to (M[0] x + M[1] y + M[2], M[3] x + M[4] y + M[5]). Angles in degrees.

#include <array>

#include "support/Vector.h"

using TX3Matrix = std::array<double, 9>;

constexpr TX3Matrix X3IdentityMatrix = {1, 0, 0, 0, 1, 0, 0, 0, 1};

TX3Matrix X3MatrixMultiply(const TX3Matrix& m1, const TX3Matrix& m2);
inline T2DVector X3MatrixVectorMult(const TX3Matrix& m, T2DVector p) {
  return {m[0] * p.X + m[1] * p.Y + m[2], m[3] * p.X + m[4] * p.Y + m[5]};
}
// The inverse (adjugate over determinant); throws std::domain_error "the
// transform cannot be undone (it is singular)" when the determinant is 0
// or the inverse not finite.
TX3Matrix InvertX3Matrix(const TX3Matrix& m);

void SetX3Matrix(TX3Matrix& m, double a, double b, double c, double d, double e, double f);
void SetX3Translation(TX3Matrix& m, T2DVector offset);  // only M[2], M[5]
void SetX3Scale(TX3Matrix& m, T2DVector scale);         // only M[0], M[4]
void SetX3Rotation(TX3Matrix& m, double angle);
void SetX3Rotation(TX3Matrix& m, double angle, T2DVector center);
void SetX3SkewX(TX3Matrix& m, double angle);
void SetX3SkewY(TX3Matrix& m, double angle);

// M := M x N for N set up as by the Set form on the identity.
void AddX3Matrix(TX3Matrix& m, double a, double b, double c, double d, double e, double f);
void AddX3Translation(TX3Matrix& m, T2DVector offset);
void AddX3Scale(TX3Matrix& m, T2DVector scale);
void AddX3Rotation(TX3Matrix& m, double angle);
void AddX3Rotation(TX3Matrix& m, double angle, T2DVector center);
void AddX3SkewX(TX3Matrix& m, double angle);
void AddX3SkewY(TX3Matrix& m, double angle);
