#pragma once
// A spatial index over line segments: an R-tree of their boxes, packed
// once, read-only afterwards (queries may run on many threads at once). Box
// tests are cheap and exact enough: callers measure the true distances of
// what it finds.

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "support/Vector.h"

class TLineIndex {
public:
  explicit TLineIndex(std::span<const T2DLine> lines);
  ~TLineIndex();
  TLineIndex(const TLineIndex&) = delete;
  TLineIndex& operator=(const TLineIndex&) = delete;

  // The indices of the count segments whose boxes are nearest the point
  // (all of them when there are fewer), in no particular order, into found:
  // the count-th nearest segment is no farther than the farthest of them.
  void Nearest(T2DVector point, std::size_t count, std::vector<std::uint32_t>& found) const;
  // The indices of every segment whose box meets the box, into found: every
  // segment that meets it, and some near it.
  void Meeting(T2DVector min, T2DVector max, std::vector<std::uint32_t>& found) const;

private:
  struct TTree;
  std::unique_ptr<TTree> tree_;
};
