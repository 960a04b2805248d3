#include "MatrixLibrary.h"

#include <cmath>
#include <stdexcept>

namespace {

constexpr double Radians = 3.14159265358979323846 / 180;

template <typename Setter>
void Add(TX3Matrix& m, Setter&& set) {
  TX3Matrix n = X3IdentityMatrix;
  set(n);
  m = X3MatrixMultiply(m, n);
}

}  // namespace

TX3Matrix X3MatrixMultiply(const TX3Matrix& a, const TX3Matrix& b) {
  TX3Matrix c{};
  for (int row = 0; row < 3; ++row)
    for (int column = 0; column < 3; ++column)
      c[row * 3 + column] = a[row * 3] * b[column] + a[row * 3 + 1] * b[3 + column] + a[row * 3 + 2] * b[6 + column];
  return c;
}

TX3Matrix InvertX3Matrix(const TX3Matrix& m) {
  const double det = m[0] * (m[4] * m[8] - m[5] * m[7]) - m[1] * (m[3] * m[8] - m[5] * m[6]) + m[2] * (m[3] * m[7] - m[4] * m[6]);
  TX3Matrix adj = {m[4] * m[8] - m[5] * m[7], m[2] * m[7] - m[1] * m[8], m[1] * m[5] - m[2] * m[4],
                   m[5] * m[6] - m[3] * m[8], m[0] * m[8] - m[2] * m[6], m[2] * m[3] - m[0] * m[5],
                   m[3] * m[7] - m[4] * m[6], m[1] * m[6] - m[0] * m[7], m[0] * m[4] - m[1] * m[3]};
  for (double& value : adj) {
    value /= det;
    if (!std::isfinite(value)) throw std::domain_error("the transform cannot be undone (it is singular)");
  }
  return adj;
}

void SetX3Matrix(TX3Matrix& m, double a, double b, double c, double d, double e, double f) { m = {a, c, e, b, d, f, 0, 0, 1}; }
void SetX3Translation(TX3Matrix& m, T2DVector offset) {
  m[2] = offset.X;
  m[5] = offset.Y;
}
void SetX3Scale(TX3Matrix& m, T2DVector scale) {
  m[0] = scale.X;
  m[4] = scale.Y;
}
void SetX3Rotation(TX3Matrix& m, double angle) {
  const double c = std::cos(angle * Radians), s = std::sin(angle * Radians);
  SetX3Matrix(m, c, s, -s, c, 0, 0);
}
void SetX3Rotation(TX3Matrix& m, double angle, T2DVector center) {
  m = X3IdentityMatrix;
  SetX3Translation(m, center);
  AddX3Rotation(m, angle);
  AddX3Translation(m, center * -1);
}
void SetX3SkewX(TX3Matrix& m, double angle) { SetX3Matrix(m, 1, 0, std::tan(angle * Radians), 1, 0, 0); }
void SetX3SkewY(TX3Matrix& m, double angle) { SetX3Matrix(m, 1, std::tan(angle * Radians), 0, 1, 0, 0); }

void AddX3Matrix(TX3Matrix& m, double a, double b, double c, double d, double e, double f) {
  Add(m, [&](TX3Matrix& n) { SetX3Matrix(n, a, b, c, d, e, f); });
}
void AddX3Translation(TX3Matrix& m, T2DVector offset) { Add(m, [&](TX3Matrix& n) { SetX3Translation(n, offset); }); }
void AddX3Scale(TX3Matrix& m, T2DVector scale) { Add(m, [&](TX3Matrix& n) { SetX3Scale(n, scale); }); }
void AddX3Rotation(TX3Matrix& m, double angle) { Add(m, [&](TX3Matrix& n) { SetX3Rotation(n, angle); }); }
void AddX3Rotation(TX3Matrix& m, double angle, T2DVector center) {
  Add(m, [&](TX3Matrix& n) { SetX3Rotation(n, angle, center); });
}
void AddX3SkewX(TX3Matrix& m, double angle) { Add(m, [&](TX3Matrix& n) { SetX3SkewX(n, angle); }); }
void AddX3SkewY(TX3Matrix& m, double angle) { Add(m, [&](TX3Matrix& n) { SetX3SkewY(n, angle); }); }
