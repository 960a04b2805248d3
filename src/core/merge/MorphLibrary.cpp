#include "MorphLibrary.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>
#include <thread>

namespace {

double Length(T2DVector v) { return std::hypot(v.X, v.Y); }
double Dot(T2DVector a, T2DVector b) { return a.X * b.X + a.Y * b.Y; }
T2DVector Perp(T2DVector v) { return {-v.Y, v.X}; }

// The sums of one point over a run of pairs. Written as a plain loop over
// the arrays: compiled for wide vector units where the machine has them.
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

template <TMorphLines::TPower Power>
WIDE_VECTOR_CLONES TSums SumPairs(const TMorphLines::TArrays& pairs, std::size_t begin,
                                                                  std::size_t end, double x, double y, double a, double b) {
  const double* __restrict px = pairs.Px.data();
  const double* __restrict py = pairs.Py.data();
  const double* __restrict dx = pairs.Dx.data();
  const double* __restrict dy = pairs.Dy.data();
  const double* __restrict invLen = pairs.InvLength.data();
  const double* __restrict lengthP = pairs.LengthP.data();
  const double* __restrict sx = pairs.Sx.data();
  const double* __restrict sy = pairs.Sy.data();
  const double* __restrict sdx = pairs.Sdx.data();
  const double* __restrict sdy = pairs.Sdy.data();
  const double* __restrict invSourceLen = pairs.InvSourceLength.data();
  double sumX = 0, sumY = 0, sumW = 0;
  for (std::size_t i = begin; i < end; ++i) {
    const double ex = x - px[i], ey = y - py[i];
    const double inv = invLen[i];
    const double u = (ex * dx[i] + ey * dy[i]) * (inv * inv);
    const double v = (ey * dx[i] - ex * dy[i]) * inv;
    const double fx = ex - dx[i], fy = ey - dy[i];
    const double toStart = ex * ex + ey * ey, toEnd = fx * fx + fy * fy;
    const double d2 = u < 0 ? toStart : (u > 1 ? toEnd : v * v);
    const double r = lengthP[i] / (a + std::sqrt(d2));
    double w;
    if constexpr (Power == TMorphLines::TPower::Zero) w = 1;
    else if constexpr (Power == TMorphLines::TPower::One) w = r;
    else if constexpr (Power == TMorphLines::TPower::Two) w = r * r;
    else w = std::pow(r, b);
    const double vn = v * invSourceLen[i];
    const double mx = sx[i] + u * sdx[i] - vn * sdy[i], my = sy[i] + u * sdy[i] + vn * sdx[i];
    sumX += (mx - x) * w;
    sumY += (my - y) * w;
    sumW += w;
  }
  return {sumX, sumY, sumW};
}

// Pairs at a time, so that their constants stay in the cache while a chunk
// of points is summed over them.
constexpr std::size_t PairBlock = 1024;
constexpr std::size_t PointChunk = 32;

}  // namespace

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

TMorphLines::TMorphLines(std::span<const T2DLine> source, std::span<const T2DLine> destination,
                         const TMorphFactors& factors)
    : count_(source.size()), factors_(factors) {
  if (source.empty() || destination.empty()) throw std::runtime_error("Empty Arrays.");
  if (source.size() != destination.size())
    throw std::runtime_error("Arrays not same size: " + std::to_string(source.size()) + "/" + std::to_string(destination.size()));
  power_ = factors.B == 0 ? TPower::Zero : factors.B == 1 ? TPower::One : factors.B == 2 ? TPower::Two : TPower::Any;
  TArrays& p = pairs_;
  for (auto* array : {&p.Px, &p.Py, &p.Dx, &p.Dy, &p.InvLength, &p.LengthP, &p.Sx, &p.Sy, &p.Sdx, &p.Sdy, &p.InvSourceLength})
    array->resize(count_);
  for (std::size_t i = 0; i < count_; ++i) {
    const T2DLine& to = destination[i];
    const T2DLine& from = source[i];
    const T2DVector d = to.P2 - to.P1, sd = from.P2 - from.P1;
    const double length = Length(d);
    p.Px[i] = to.P1.X;
    p.Py[i] = to.P1.Y;
    p.Dx[i] = d.X;
    p.Dy[i] = d.Y;
    p.InvLength[i] = 1 / length;
    p.LengthP[i] = std::pow(length, factors.P);
    p.Sx[i] = from.P1.X;
    p.Sy[i] = from.P1.Y;
    p.Sdx[i] = sd.X;
    p.Sdy[i] = sd.Y;
    p.InvSourceLength[i] = 1 / Length(sd);
  }
}

T2DVector TMorphLines::Mapping(std::size_t i, T2DVector x) const {
  const TArrays& p = pairs_;
  const double ex = x.X - p.Px[i], ey = x.Y - p.Py[i], inv = p.InvLength[i];
  const double u = (ex * p.Dx[i] + ey * p.Dy[i]) * inv * inv;
  const double vn = (ey * p.Dx[i] - ex * p.Dy[i]) * inv * p.InvSourceLength[i];
  return {p.Sx[i] + u * p.Sdx[i] - vn * p.Sdy[i], p.Sy[i] + u * p.Sdy[i] + vn * p.Sdx[i]};
}

T2DVector TMorphLines::NearestLineMapping(T2DVector x) const {
  const TArrays& p = pairs_;
  std::size_t nearest = 0;
  double best = std::numeric_limits<double>::infinity();
  for (std::size_t i = 0; i < count_; ++i) {
    const double ex = x.X - p.Px[i], ey = x.Y - p.Py[i], inv = p.InvLength[i];
    const double u = (ex * p.Dx[i] + ey * p.Dy[i]) * inv * inv;
    const double v = (ey * p.Dx[i] - ex * p.Dy[i]) * inv;
    const double fx = ex - p.Dx[i], fy = ey - p.Dy[i];
    const double d2 = u < 0 ? ex * ex + ey * ey : (u > 1 ? fx * fx + fy * fy : v * v);
    if (d2 < best) {
      best = d2;
      nearest = i;
    }
  }
  return Mapping(nearest, x);
}

template <TMorphLines::TPower Power>
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
    const bool sound = sums[k].W > 0 && std::isfinite(sums[k].W) && std::isfinite(result.X) && std::isfinite(result.Y);
    points[k] = sound ? result : NearestLineMapping(x);
  }
}

void TMorphLines::MorphRun(std::span<T2DVector> points) const {
  for (std::size_t start = 0; start < points.size(); start += PointChunk) {
    std::span<T2DVector> chunk = points.subspan(start, std::min(PointChunk, points.size() - start));
    switch (power_) {
      case TPower::Zero: MorphChunk<TPower::Zero>(chunk); break;
      case TPower::One: MorphChunk<TPower::One>(chunk); break;
      case TPower::Two: MorphChunk<TPower::Two>(chunk); break;
      case TPower::Any: MorphChunk<TPower::Any>(chunk); break;
    }
  }
}

T2DVector TMorphLines::Morph(T2DVector x) const {
  MorphRun({&x, 1});
  return x;
}

void TMorphLines::MorphPoints(std::span<T2DVector> points) const {
  const std::size_t workers = std::clamp<std::size_t>(std::thread::hardware_concurrency(), 1, 64);
  // Few points are not worth a thread.
  if (workers == 1 || points.size() * count_ < 200000) {
    MorphRun(points);
    return;
  }
  std::vector<std::jthread> threads;
  const std::size_t share = (points.size() + workers - 1) / workers;
  for (std::size_t start = 0; start < points.size(); start += share)
    threads.emplace_back([this, part = points.subspan(start, std::min(share, points.size() - start))] { MorphRun(part); });
}
