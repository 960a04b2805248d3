#include "MorphLibrary.h"

#include <algorithm>
#include <bit>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>
#include <thread>

namespace {

double Length(T2DVector v) { return std::hypot(v.X, v.Y); }
double Dot(T2DVector a, T2DVector b) { return a.X * b.X + a.Y * b.Y; }
T2DVector Perp(T2DVector v) { return {-v.Y, v.X}; }

using TArrays = TMorphLines::TArrays;
using TPower = TMorphLines::TPower;

struct TSums {
  double X = 0, Y = 0, W = 0;
  TSums& operator+=(const TSums& other) {
    X += other.X;
    Y += other.Y;
    W += other.W;
    return *this;
  }
};

// One copy for AVX2 and FMA machines, one for any x86-64, chosen at load
// time. Clang clones no templates, and other machines have one vector unit.
#if defined(__x86_64__) && !defined(__clang__)
#define WIDE_VECTOR_CLONES __attribute__((target_clones("arch=x86-64-v3", "default")))
#else
#define WIDE_VECTOR_CLONES
#endif
#define ALWAYS_INLINE [[gnu::always_inline]] inline

// The formula of one pair, in pieces that every loop below shares. Where X
// lies against the destination line from its start (e): along it (u, 0 at
// the start, 1 at the end), across it (v, in length units), and the square
// of its distance to the segment.
ALWAYS_INLINE void PlaceOnLine(double ex, double ey, double dx, double dy, double inv, double& u, double& v, double& d2) {
  u = (ex * dx + ey * dy) * (inv * inv);
  v = (ey * dx - ex * dy) * inv;
  const double fx = ex - dx, fy = ey - dy;
  d2 = u < 0 ? ex * ex + ey * ey : (u > 1 ? fx * fx + fy * fy : v * v);
}

// The pair's weight at that distance: (length^P / (A + distance))^B.
template <TPower Power>
ALWAYS_INLINE double Weight(double lengthP, double distance, double a, double b) {
  const double r = lengthP / (a + distance);
  if constexpr (Power == TPower::Zero) return 1;
  else if constexpr (Power == TPower::One) return r;
  else if constexpr (Power == TPower::Two) return r * r;
  else return std::pow(r, b);
}

// What the pair tells X, as an offset from X: the same (u, v) on the source line.
ALWAYS_INLINE void AddMapping(const TArrays& p, std::size_t i, double x, double y, double u, double v, double w,
                              double& sumX, double& sumY) {
  const double vn = v * p.InvSourceLength[i];
  const double mx = p.Sx[i] + u * p.Sdx[i] - vn * p.Sdy[i], my = p.Sy[i] + u * p.Sdy[i] + vn * p.Sdx[i];
  sumX += (mx - x) * w;
  sumY += (my - y) * w;
}

// The classic field: the sums of one point over a run of pairs.
template <TPower Power>
WIDE_VECTOR_CLONES TSums SumPairs(const TArrays& p, std::size_t begin, std::size_t end, double x, double y, double a,
                                  double b) {
  double sumX = 0, sumY = 0, sumW = 0;
  for (std::size_t i = begin; i < end; ++i) {
    double u, v, d2;
    PlaceOnLine(x - p.Px[i], y - p.Py[i], p.Dx[i], p.Dy[i], p.InvLength[i], u, v, d2);
    const double w = Weight<Power>(p.LengthP[i], std::sqrt(d2), a, b);
    AddMapping(p, i, x, y, u, v, w, sumX, sumY);
    sumW += w;
  }
  return {sumX, sumY, sumW};
}

// The local field, first pass: where the point lies against each candidate
// line (their start, direction and 1/length side by side).
struct TPlaceArrays {
  std::vector<double> Px, Py, Dx, Dy, InvLength;
};

WIDE_VECTOR_CLONES void PlaceOnLines(const TPlaceArrays& p, std::size_t count, double x, double y, double* __restrict u,
                                     double* __restrict v, double* __restrict d) {
  const double* __restrict px = p.Px.data();
  const double* __restrict py = p.Py.data();
  const double* __restrict dx = p.Dx.data();
  const double* __restrict dy = p.Dy.data();
  const double* __restrict inv = p.InvLength.data();
  for (std::size_t i = 0; i < count; ++i) {
    double d2;
    PlaceOnLine(x - px[i], y - py[i], dx[i], dy[i], inv[i], u[i], v[i], d2);
    d[i] = std::sqrt(d2);
  }
}

T2DVector PairMapping(const TArrays& p, std::size_t i, T2DVector x) {
  double u, v, d2, sumX = 0, sumY = 0;
  PlaceOnLine(x.X - p.Px[i], x.Y - p.Py[i], p.Dx[i], p.Dy[i], p.InvLength[i], u, v, d2);
  AddMapping(p, i, x.X, x.Y, u, v, 1, sumX, sumY);
  return {x.X + sumX, x.Y + sumY};
}

std::size_t NearestPair(const TArrays& p, std::size_t count, T2DVector x) {
  std::size_t nearest = 0;
  double best = std::numeric_limits<double>::infinity();
  for (std::size_t i = 0; i < count; ++i) {
    double u, v, d2;
    PlaceOnLine(x.X - p.Px[i], x.Y - p.Py[i], p.Dx[i], p.Dy[i], p.InvLength[i], u, v, d2);
    if (d2 < best) {
      best = d2;
      nearest = i;
    }
  }
  return nearest;
}

// The n-th smallest of the values (n <= count), the n smallest kept sorted
// in smallest[0..n). Most values lose at the first comparison.
double NthSmallest(const double* values, std::size_t count, std::size_t n, double* smallest) {
  std::size_t kept = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const double value = values[i];
    if (kept == n && !(value < smallest[n - 1])) continue;
    std::size_t place = kept < n ? kept++ : n - 1;
    for (; place > 0 && value < smallest[place - 1]; --place) smallest[place] = smallest[place - 1];
    smallest[place] = value;
  }
  return smallest[n - 1];
}

// A sum that is a number, or the point gets its nearest line's mapping.
bool Sound(const TSums& sums, T2DVector result) {
  return sums.W > 0 && std::isfinite(sums.W) && std::isfinite(result.X) && std::isfinite(result.Y);
}

// Pairs at a time, so that their constants stay in the cache while a chunk
// of points is summed over them.
constexpr std::size_t PairBlock = 1024;
constexpr std::size_t PointChunk = 32;
// The local field looks lines up in the index once per chunk, and narrows
// them down for groups of this many points: small boxes, few lines each.
constexpr std::size_t LocalGroup = 8;
// What one point of the local field costs, in pairs of the classic one.
constexpr std::size_t LocalPointWork = 256;

// Spreads the chunks of points over the cores; chunk boundaries do not
// depend on the number of threads. Few points are not worth a thread.
template <typename Run>
void OnAllCores(std::span<T2DVector> points, std::size_t work, Run&& run) {
  const std::size_t workers = std::clamp<std::size_t>(std::thread::hardware_concurrency(), 1, 64);
  if (workers == 1 || work < 200000) {
    run(points);
    return;
  }
  const std::size_t chunks = (points.size() + PointChunk - 1) / PointChunk;
  const std::size_t share = (chunks + workers - 1) / workers * PointChunk;
  std::vector<std::jthread> threads;
  for (std::size_t start = 0; start < points.size(); start += share)
    threads.emplace_back([&run, part = points.subspan(start, std::min(share, points.size() - start))] { run(part); });
}

// The same in slices of about the given work, whole chunks each (so that
// the result does not change), with a tick after each.
template <typename Run>
void InSlices(std::span<T2DVector> points, std::size_t workPerPoint, const TMorphLines::TTick& tick, Run&& run) {
  if (!tick) {
    OnAllCores(points, points.size() * workPerPoint, run);
    return;
  }
  constexpr std::size_t SliceWork = std::size_t{1} << 25;
  const std::size_t slice =
      std::max<std::size_t>(1, SliceWork / std::max<std::size_t>(workPerPoint, 1) / PointChunk) * PointChunk;
  for (std::size_t start = 0; start < points.size(); start += slice) {
    const std::span<T2DVector> part = points.subspan(start, std::min(slice, points.size() - start));
    OnAllCores(part, part.size() * workPerPoint, run);
    tick(start + part.size(), points.size());
  }
}

// The order of the points along a Z curve over their box: neighbours on
// paper become neighbours in the list, so a chunk's points share lines.
std::vector<std::uint64_t> SpatialOrder(std::span<const T2DVector> points) {
  T2DVector min{std::numeric_limits<double>::infinity(), std::numeric_limits<double>::infinity()};
  T2DVector max = min * -1;
  for (const T2DVector& p : points) {
    min = {std::min(min.X, p.X), std::min(min.Y, p.Y)};
    max = {std::max(max.X, p.X), std::max(max.Y, p.Y)};
  }
  const double span = std::max(max.X - min.X, max.Y - min.Y);
  const double scale = span > 0 && std::isfinite(span) ? 65535 / span : 0;
  auto spread = [](std::uint64_t bits) {  // 16 bits to the even places of 32
    bits = (bits | (bits << 8)) & 0x00FF00FF;
    bits = (bits | (bits << 4)) & 0x0F0F0F0F;
    bits = (bits | (bits << 2)) & 0x33333333;
    return (bits | (bits << 1)) & 0x55555555;
  };
  auto cell = [&](double value, double from) {
    const double q = (value - from) * scale;
    return static_cast<std::uint64_t>(q >= 0 && q <= 65535 ? q : 0);
  };
  std::vector<std::uint64_t> order(points.size());
  for (std::size_t i = 0; i < points.size(); ++i)
    order[i] = (spread(cell(points[i].X, min.X)) | spread(cell(points[i].Y, min.Y)) << 1) << 32 | i;
  std::sort(order.begin(), order.end());
  // Within a cell, equal points side by side (compared by their bits: a
  // total order, NaN included).
  auto bits = [&](std::uint64_t key) {
    const T2DVector& p = points[key & 0xFFFFFFFF];
    return std::pair(std::bit_cast<std::uint64_t>(p.X), std::bit_cast<std::uint64_t>(p.Y));
  };
  for (std::size_t run = 0; run < order.size();) {
    std::size_t end = run + 1;
    while (end < order.size() && order[end] >> 32 == order[run] >> 32) ++end;
    if (end - run > 2)
      std::sort(order.begin() + static_cast<std::ptrdiff_t>(run), order.begin() + static_cast<std::ptrdiff_t>(end),
                [&](std::uint64_t a, std::uint64_t b) { return bits(a) < bits(b); });
    run = end;
  }
  return order;
}

}  // namespace

struct TMorphLines::TScratch {
  std::vector<std::uint32_t> Candidates;  // the chunk's lines
  TPlaceArrays Lines;                     // their places, side by side
  std::vector<double> Distances;          // from a centre to each of them
  std::vector<std::uint32_t> Group;       // the lines of a group of points
  TPlaceArrays GroupLines;
  std::vector<double> U, V, D;            // one point against each of them
  std::vector<double> Smallest;           // N nearest distances
  double Guess = -1;                      // d_N of the last chunk's centre
};

double CalculateU(const T2DLine& line, T2DVector x) {
  const T2DVector d = line.P2 - line.P1;
  return Dot(x - line.P1, d) / Dot(d, d);
}

double CalculateV(const T2DLine& line, T2DVector x) {
  const T2DVector d = line.P2 - line.P1;
  return Dot(x - line.P1, Perp(d)) / Length(d);
}

T2DVector GetTransformedPoint(const T2DLine& line, double u, double v) {
  const T2DVector d = line.P2 - line.P1;
  return line.P1 + d * u + Perp(d) * (v / Length(d));
}

void TMorphLines::TArrays::Resize(std::size_t size) {
  for (auto* array : {&Px, &Py, &Dx, &Dy, &InvLength, &LengthP, &Sx, &Sy, &Sdx, &Sdy, &InvSourceLength})
    array->resize(size);
}

void TMorphLines::TArrays::CopyPair(const TArrays& from, std::size_t pair, std::size_t to) {
  Px[to] = from.Px[pair];
  Py[to] = from.Py[pair];
  Dx[to] = from.Dx[pair];
  Dy[to] = from.Dy[pair];
  InvLength[to] = from.InvLength[pair];
  LengthP[to] = from.LengthP[pair];
  Sx[to] = from.Sx[pair];
  Sy[to] = from.Sy[pair];
  Sdx[to] = from.Sdx[pair];
  Sdy[to] = from.Sdy[pair];
  InvSourceLength[to] = from.InvSourceLength[pair];
}

TMorphLines::TMorphLines(std::span<const T2DLine> source, std::span<const T2DLine> destination,
                         const TMorphFactors& factors)
    : factors_(factors) {
  if (source.empty() || destination.empty()) throw std::runtime_error("Empty Arrays.");
  if (source.size() != destination.size())
    throw std::runtime_error("Arrays not same size: " + std::to_string(source.size()) + "/" + std::to_string(destination.size()));
  power_ = factors.B == 0 ? TPower::Zero : factors.B == 1 ? TPower::One : factors.B == 2 ? TPower::Two : TPower::Any;
  // The pairs that weigh, in their order: a local field counts a shot drawn
  // more than once (the same pair again) once.
  std::vector<std::size_t> kept(source.size());
  for (std::size_t i = 0; i < kept.size(); ++i) kept[i] = i;
  if (factors.N > 0) {
    auto key = [&](std::size_t i) {
      return std::array{destination[i].P1.X, destination[i].P1.Y, destination[i].P2.X, destination[i].P2.Y,
                        source[i].P1.X,      source[i].P1.Y,      source[i].P2.X,      source[i].P2.Y};
    };
    std::vector<std::size_t> sorted = kept;
    std::stable_sort(sorted.begin(), sorted.end(), [&](std::size_t a, std::size_t b) { return key(a) < key(b); });
    std::vector<bool> again(kept.size(), false);
    for (std::size_t k = 1; k < sorted.size(); ++k) again[sorted[k]] = key(sorted[k]) == key(sorted[k - 1]);
    std::erase_if(kept, [&](std::size_t i) { return again[i]; });
    // Lines near each other on paper near each other in memory, as the
    // points that look them up come.
    std::vector<T2DVector> middles;
    middles.reserve(kept.size());
    for (std::size_t i : kept) middles.push_back((destination[i].P1 + destination[i].P2) * 0.5);
    const std::vector<std::uint64_t> order = SpatialOrder(middles);
    std::vector<std::size_t> unordered = std::move(kept);
    kept.clear();
    for (std::uint64_t key : order) kept.push_back(unordered[key & 0xFFFFFFFF]);
  }
  count_ = kept.size();
  pairs_.Resize(count_);
  std::vector<T2DLine> lines;
  lines.reserve(count_);
  for (std::size_t k = 0; k < count_; ++k) {
    const T2DLine& to = destination[kept[k]];
    const T2DLine& from = source[kept[k]];
    const T2DVector d = to.P2 - to.P1, sd = from.P2 - from.P1;
    const double length = Length(d);
    pairs_.Px[k] = to.P1.X;
    pairs_.Py[k] = to.P1.Y;
    pairs_.Dx[k] = d.X;
    pairs_.Dy[k] = d.Y;
    pairs_.InvLength[k] = 1 / length;
    pairs_.LengthP[k] = std::pow(length, factors.P);
    pairs_.Sx[k] = from.P1.X;
    pairs_.Sy[k] = from.P1.Y;
    pairs_.Sdx[k] = sd.X;
    pairs_.Sdy[k] = sd.Y;
    pairs_.InvSourceLength[k] = 1 / Length(sd);
    lines.push_back(to);
  }
  if (factors.N > 0 && count_ > static_cast<std::size_t>(factors.N)) index_ = std::make_unique<TLineIndex>(lines);
}

TMorphLines::~TMorphLines() = default;

T2DVector TMorphLines::Mapping(std::size_t i, T2DVector x) const { return PairMapping(pairs_, i, x); }

T2DVector TMorphLines::NearestLineMapping(T2DVector x) const { return Mapping(NearestPair(pairs_, count_, x), x); }

template <TPower Power>
void TMorphLines::MorphChunk(std::span<T2DVector> points) const {
  TSums sums[PointChunk];
  for (std::size_t begin = 0; begin < count_; begin += PairBlock) {
    const std::size_t end = std::min(begin + PairBlock, count_);
    for (std::size_t k = 0; k < points.size(); ++k)
      sums[k] += SumPairs<Power>(pairs_, begin, end, points[k].X, points[k].Y, factors_.A, factors_.B);
  }
  for (std::size_t k = 0; k < points.size(); ++k) {
    const T2DVector x = points[k];
    const T2DVector result{x.X + sums[k].X / sums[k].W, x.Y + sums[k].Y / sums[k].W};
    points[k] = Sound(sums[k], result) ? result : NearestLineMapping(x);
  }
}

namespace {

struct TBox {
  T2DVector Centre;
  double Half = 0;  // half diagonal
};

TBox BoxOf(std::span<const T2DVector> points) {
  T2DVector min = points[0], max = points[0];
  for (const T2DVector& p : points) {
    min = {std::min(min.X, p.X), std::min(min.Y, p.Y)};
    max = {std::max(max.X, p.X), std::max(max.Y, p.Y)};
  }
  const T2DVector centre = (min + max) * 0.5;
  return {centre, Length(max - centre)};
}

void Resize(TPlaceArrays& lines, std::size_t size) {
  for (auto* array : {&lines.Px, &lines.Py, &lines.Dx, &lines.Dy, &lines.InvLength}) array->resize(size);
}

void CopyPlace(const TPlaceArrays& from, std::size_t i, TPlaceArrays& to, std::size_t k) {
  to.Px[k] = from.Px[i];
  to.Py[k] = from.Py[i];
  to.Dx[k] = from.Dx[i];
  to.Dy[k] = from.Dy[i];
  to.InvLength[k] = from.InvLength[i];
}

}  // namespace

// Why the look-ups find every line that weighs. For a point X, d_N(X) is
// at most d_N(c) + |X - c| for any c, and the lines that weigh on X lie
// within 2 d_N(X) + pad of it. A group of points (centre g, half diagonal
// h) thus needs the lines within 2 (d_N(g) + h) + pad + h of g; a chunk of
// groups (centre c, D >= d_N(c), H the largest |g - c| + h of its groups)
// needs those within 2 D + 3 H + pad of c, which hold the N nearest of
// every g as well.
template <TPower Power>
void TMorphLines::MorphLocalChunk(std::span<T2DVector> points, TScratch& s) const {
  const std::size_t n = static_cast<std::size_t>(factors_.N);
  const TBox chunk = BoxOf(points);
  double spread = 0;
  for (std::size_t start = 0; start < points.size(); start += LocalGroup) {
    const TBox group = BoxOf(points.subspan(start, std::min(LocalGroup, points.size() - start)));
    spread = std::max(spread, Length(group.Centre - chunk.Centre) + group.Half);
  }
  // D: guessed from the last chunk (chunks follow each other on paper),
  // or found in the index; a guess too small is looked up again.
  double bound = s.Guess;
  if (bound < 0) {
    index_->Nearest(chunk.Centre, n, s.Candidates);
    bound = 0;
    for (std::uint32_t i : s.Candidates) {
      double u, v, d2;
      PlaceOnLine(chunk.Centre.X - pairs_.Px[i], chunk.Centre.Y - pairs_.Py[i], pairs_.Dx[i], pairs_.Dy[i],
                  pairs_.InvLength[i], u, v, d2);
      bound = std::max(bound, std::sqrt(d2));
    }
  }
  std::size_t m = 0;
  double nearest = 0;
  for (;;) {
    const double reach = 2 * bound + 3 * spread + LocalReachPad;
    // A little more than the reach: the index compares in its own arithmetic.
    const double r = reach * (1 + 1e-9) + 1e-9;
    index_->Meeting(chunk.Centre - T2DVector{r, r}, chunk.Centre + T2DVector{r, r}, s.Candidates);
    m = s.Candidates.size();
    Resize(s.Lines, m);
    for (std::size_t k = 0; k < m; ++k) {
      const std::uint32_t i = s.Candidates[k];
      s.Lines.Px[k] = pairs_.Px[i];
      s.Lines.Py[k] = pairs_.Py[i];
      s.Lines.Dx[k] = pairs_.Dx[i];
      s.Lines.Dy[k] = pairs_.Dy[i];
      s.Lines.InvLength[k] = pairs_.InvLength[i];
    }
    s.U.resize(m);
    s.V.resize(m);
    s.Distances.resize(m);
    s.Smallest.resize(n);
    PlaceOnLines(s.Lines, m, chunk.Centre.X, chunk.Centre.Y, s.U.data(), s.V.data(), s.Distances.data());
    if (m >= n) {
      nearest = NthSmallest(s.Distances.data(), m, n, s.Smallest.data());
      if (nearest <= bound) break;
      bound = nearest;  // the N-th of those found: no nearer than the true one
    } else {
      bound = 2 * bound + spread + LocalReachPad;
    }
  }
  s.Guess = nearest * 1.25;
  for (std::size_t start = 0; start < points.size(); start += LocalGroup)
    MorphLocalGroup<Power>(points.subspan(start, std::min(LocalGroup, points.size() - start)), m, s);
}

// A group of points of the chunk: its own lines, then each point.
template <TPower Power>
void TMorphLines::MorphLocalGroup(std::span<T2DVector> points, std::size_t m, TScratch& s) const {
  const std::size_t n = static_cast<std::size_t>(factors_.N);
  const TBox group = BoxOf(points);
  PlaceOnLines(s.Lines, m, group.Centre.X, group.Centre.Y, s.U.data(), s.V.data(), s.Distances.data());
  const double nearest = NthSmallest(s.Distances.data(), m, n, s.Smallest.data());
  const double reach = 2 * (nearest + group.Half) + LocalReachPad + group.Half;
  s.Group.resize(m);
  std::size_t g = 0;
  for (std::size_t k = 0; k < m; ++k) {
    s.Group[g] = static_cast<std::uint32_t>(k);
    g += s.Distances[k] <= reach;
  }
  Resize(s.GroupLines, g);
  for (std::size_t k = 0; k < g; ++k) {
    CopyPlace(s.Lines, s.Group[k], s.GroupLines, k);
    s.Group[k] = s.Candidates[s.Group[k]];
  }
  s.D.resize(std::max(g, m));
  for (T2DVector& point : points) {
    const T2DVector x = point;
    PlaceOnLines(s.GroupLines, g, x.X, x.Y, s.U.data(), s.V.data(), s.D.data());
    const double reach = 2 * NthSmallest(s.D.data(), g, n, s.Smallest.data()) + LocalReachPad, invReach = 1 / reach;
    TSums sums;
    for (std::size_t k = 0; k < g; ++k) {
      if (!(s.D[k] < reach)) continue;
      const double fade = 1 - s.D[k] * invReach;
      const double w = Weight<Power>(pairs_.LengthP[s.Group[k]], s.D[k], factors_.A, factors_.B) * (fade * fade);
      AddMapping(pairs_, s.Group[k], x.X, x.Y, s.U[k], s.V[k], w, sums.X, sums.Y);
      sums.W += w;
    }
    const T2DVector result{x.X + sums.X / sums.W, x.Y + sums.Y / sums.W};
    if (Sound(sums, result)) {
      point = result;
    } else {
      const auto closest = std::min_element(s.D.begin(), s.D.begin() + static_cast<std::ptrdiff_t>(g)) - s.D.begin();
      point = PairMapping(pairs_, s.Group[static_cast<std::size_t>(closest)], x);
    }
  }
}

void TMorphLines::MorphRun(std::span<T2DVector> points) const {
  std::unique_ptr<TScratch> scratch;
  if (index_) scratch = std::make_unique<TScratch>();
  for (std::size_t start = 0; start < points.size(); start += PointChunk) {
    std::span<T2DVector> chunk = points.subspan(start, std::min(PointChunk, points.size() - start));
    switch (power_) {
      case TPower::Zero: index_ ? MorphLocalChunk<TPower::Zero>(chunk, *scratch) : MorphChunk<TPower::Zero>(chunk); break;
      case TPower::One: index_ ? MorphLocalChunk<TPower::One>(chunk, *scratch) : MorphChunk<TPower::One>(chunk); break;
      case TPower::Two: index_ ? MorphLocalChunk<TPower::Two>(chunk, *scratch) : MorphChunk<TPower::Two>(chunk); break;
      case TPower::Any: index_ ? MorphLocalChunk<TPower::Any>(chunk, *scratch) : MorphChunk<TPower::Any>(chunk); break;
    }
  }
}

T2DVector TMorphLines::Morph(T2DVector x) const {
  MorphRun({&x, 1});
  return x;
}

// Points in spatial order, each distinct point once: a drawing repeats
// points (every symbol's local origin may be the page's), and a point far
// from the survey weighs every line.
void TMorphLines::MorphLocalPoints(std::span<T2DVector> points, const TTick& tick) const {
  const std::vector<std::uint64_t> order = SpatialOrder(points);
  std::vector<T2DVector> distinct;
  distinct.reserve(points.size());
  std::vector<std::uint32_t> slot(points.size());
  for (std::size_t i = 0; i < points.size(); ++i) {
    const T2DVector& p = points[order[i] & 0xFFFFFFFF];
    if (distinct.empty() || distinct.back().X != p.X || distinct.back().Y != p.Y) distinct.push_back(p);
    slot[i] = static_cast<std::uint32_t>(distinct.size() - 1);
  }
  InSlices(distinct, LocalPointWork, tick, [this](std::span<T2DVector> part) { MorphRun(part); });
  for (std::size_t i = 0; i < points.size(); ++i) points[order[i] & 0xFFFFFFFF] = distinct[slot[i]];
}

void TMorphLines::MorphPoints(std::span<T2DVector> points, const TTick& tick) const {
  if (index_) MorphLocalPoints(points, tick);
  else InSlices(points, count_, tick, [this](std::span<T2DVector> part) { MorphRun(part); });
}
