#pragma once
// The line-pair field morph (Beier and Neely): each pair is one shot, where
// it was drawn (the destination line) and where it is now (the source
// line); a point moves by the weighted average of what the pairs tell it,
// nearer and longer lines weighing more.
//
// The constants of each pair are worked out once, and held as parallel
// arrays that the inner loop runs over with the machine's vector units;
// many points are morphed on all cores.

#include <span>
#include <vector>

#include "support/Vector.h"

struct TMorphFactors {
  double A = 1;  // precision: keeps the weight of a point on a line finite
  double B = 2;  // distance: how fast weights fall with distance
  double P = 2;  // long line: how much longer lines weigh
};

// The formulas of one pair, for tests and readers.
double CalculateU(const T2DLine& line, T2DVector x);
double CalculateV(const T2DLine& line, T2DVector x);
T2DVector GetTransformedPoint(const T2DLine& line, double u, double v);

class TMorphLines {
public:
  // Fails with "Empty Arrays." or "Arrays not same size: S/D".
  TMorphLines(std::span<const T2DLine> source, std::span<const T2DLine> destination, const TMorphFactors& factors);

  std::size_t Size() const { return count_; }
  // Where the point of the old drawing lies in the new one. A point on a
  // line with A = 0, or one so far from all lines that every weight is
  // nothing, gets the mapping of its nearest line.
  T2DVector Morph(T2DVector x) const;
  // Every point morphed, spread over the cores; the same as one by one.
  void MorphPoints(std::span<T2DVector> points) const;

  // The constants of the pairs, one array each: the destination line's start,
  // its direction, 1/length and length^P; the source line's start,
  // direction and 1/length.
  struct TArrays {
    std::vector<double> Px, Py, Dx, Dy, InvLength, LengthP, Sx, Sy, Sdx, Sdy, InvSourceLength;
  };
  enum class TPower { Zero, One, Two, Any };  // B, for the common exponents

private:
  T2DVector NearestLineMapping(T2DVector x) const;
  T2DVector Mapping(std::size_t pair, T2DVector x) const;
  template <TPower Power>
  void MorphChunk(std::span<T2DVector> points) const;
  void MorphRun(std::span<T2DVector> points) const;

  std::size_t count_ = 0;
  TMorphFactors factors_;
  TPower power_ = TPower::Two;
  TArrays pairs_;
};
