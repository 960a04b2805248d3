#pragma once
// Double-precision points and vectors. Cave coordinates: X east, Y north,
// Z up, in feet.

struct T2DVector {
  double X = 0, Y = 0;
};

struct T3DVector {
  double X = 0, Y = 0, Z = 0;
};
