#pragma once
// The line-pair field morph (Beier and Neely): each pair is one shot, where
// it was drawn (the destination line) and where it is now (the source
// line); a point moves by the weighted average of what the pairs tell it,
// nearer and longer lines weighing more.
//
// With N = 0 every pair weighs on every point: the classic field. On a
// large cave thousands of distant shots then outweigh the one a wall was
// drawn round, so with N >= 1 the field is local: for a point X, with d_N
// the distance to its N-th nearest destination line and R = 2 d_N + 1,
// every pair within R weighs, its weight faded by (1 - d/R)^2 to nothing at
// R (no step where a line enters or leaves), pairs beyond R weigh nothing.
// Pairs that are the same shot drawn again count once there; with N or
// fewer distinct pairs in all, every one weighs unfaded.
//
// The constants of each pair are worked out once, and held as parallel
// arrays that the inner loops run over with the machine's vector units;
// the local field finds its lines through an R-tree over the destination
// lines; many points are morphed on all cores.

#include <functional>
#include <memory>
#include <span>
#include <vector>

#include "LineIndex.h"
#include "support/Vector.h"

struct TMorphFactors {
  double A = 1;  // precision: keeps the weight of a point on a line finite
  double B = 2;  // distance: how fast weights fall with distance
  double P = 2;  // long line: how much longer lines weigh
  int N = 0;     // nearest lines: 0 for the classic field, else the local one
};

// What the local field adds to 2 d_N for its reach (document units: points).
constexpr double LocalReachPad = 1;

// The formulas of one pair, for tests and readers.
double CalculateU(const T2DLine& line, T2DVector x);
double CalculateV(const T2DLine& line, T2DVector x);
T2DVector GetTransformedPoint(const T2DLine& line, double u, double v);

class TMorphLines {
public:
  // Fails with "Empty Arrays." or "Arrays not same size: S/D".
  TMorphLines(std::span<const T2DLine> source, std::span<const T2DLine> destination, const TMorphFactors& factors);
  ~TMorphLines();

  // The pairs that weigh: all of them, or the distinct ones of a local field.
  std::size_t Size() const { return count_; }
  bool IsLocal() const { return index_ != nullptr; }
  // Where the point of the old drawing lies in the new one. A point on a
  // line with A = 0, or one so far from all lines that every weight is
  // nothing, gets the mapping of its nearest line.
  T2DVector Morph(T2DVector x) const;
  // Every point morphed, spread over the cores; the same as one by one.
  // A long morph goes in slices of a tenth of a second or so; between
  // them, on the calling thread, tick hears how many points are done.
  using TTick = std::function<void(std::size_t done, std::size_t total)>;
  void MorphPoints(std::span<T2DVector> points, const TTick& tick = {}) const;

  // The constants of the pairs, one array each: the destination line's start,
  // its direction, 1/length and length^P; the source line's start,
  // direction and 1/length.
  struct TArrays {
    std::vector<double> Px, Py, Dx, Dy, InvLength, LengthP, Sx, Sy, Sdx, Sdy, InvSourceLength;
    void Resize(std::size_t size);
    void CopyPair(const TArrays& from, std::size_t pair, std::size_t to);
  };
  enum class TPower { Zero, One, Two, Any };  // B, for the common exponents
  struct TScratch;  // a thread's working arrays for the local field

private:
  T2DVector NearestLineMapping(T2DVector x) const;
  T2DVector Mapping(std::size_t pair, T2DVector x) const;
  template <TPower Power>
  void MorphChunk(std::span<T2DVector> points) const;
  template <TPower Power>
  void MorphLocalChunk(std::span<T2DVector> points, TScratch& scratch) const;
  template <TPower Power>
  void MorphLocalGroup(std::span<T2DVector> points, std::size_t lines, TScratch& scratch) const;
  void MorphRun(std::span<T2DVector> points) const;
  void MorphLocalPoints(std::span<T2DVector> points, const TTick& tick) const;

  std::size_t count_ = 0;
  TMorphFactors factors_;
  TPower power_ = TPower::Two;
  TArrays pairs_;
  std::unique_ptr<TLineIndex> index_;  // over the destination lines of a local field
};
