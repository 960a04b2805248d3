// The line-pair morph: points against line pairs, on all cores, beside a
// plain implementation of the formula, one pair after the other.
//   build/bench/quillmap_bench --benchmark_filter=Morph

#include <benchmark/benchmark.h>

#include <cmath>
#include <algorithm>
#include <random>

#include "merge/MorphLibrary.h"

namespace {

struct TMorphCase {
  std::vector<T2DLine> source, destination;
  std::vector<T2DVector> points;
};

// A survey of random shots on a sheet and a slightly moved copy; points
// scattered over the sheet.
TMorphCase MakeCase(std::size_t pairs, std::size_t points) {
  std::mt19937 random(42);
  std::uniform_real_distribution<double> sheet(0, 3000), step(-20, 20), shift(-2, 2);
  TMorphCase morph;
  for (std::size_t i = 0; i < pairs; ++i) {
    T2DVector p{sheet(random), sheet(random)}, q = p + T2DVector{step(random), step(random)};
    morph.destination.push_back({p, q});
    morph.source.push_back({p + T2DVector{shift(random), shift(random)}, q + T2DVector{shift(random), shift(random)}});
  }
  for (std::size_t i = 0; i < points; ++i) morph.points.push_back({sheet(random), sheet(random)});
  return morph;
}

// The formula as written: every pair in turn, nothing worked out beforehand.
T2DVector PlainMorph(const TMorphCase& morph, T2DVector x, const TMorphFactors& f) {
  T2DVector sum;
  double total = 0;
  for (std::size_t i = 0; i < morph.destination.size(); ++i) {
    const T2DLine& d = morph.destination[i];
    const double u = CalculateU(d, x), v = CalculateV(d, x);
    const T2DVector xi = GetTransformedPoint(morph.source[i], u, v);
    const double dist = u < 0 ? std::hypot(x.X - d.P1.X, x.Y - d.P1.Y)
                              : (u > 1 ? std::hypot(x.X - d.P2.X, x.Y - d.P2.Y) : std::abs(v));
    const double weight = std::pow(std::pow(std::hypot(d.P2.X - d.P1.X, d.P2.Y - d.P1.Y), f.P) / (f.A + dist), f.B);
    sum = sum + (xi - x) * weight;
    total += weight;
  }
  return x + sum / total;
}

// The local field as written: every pair's distance, the N-th nearest, the
// faded weights of those within the reach.
T2DVector PlainLocalMorph(const TMorphCase& morph, T2DVector x, const TMorphFactors& f) {
  std::vector<double> distances;
  for (const T2DLine& d : morph.destination) {
    const double u = CalculateU(d, x), v = CalculateV(d, x);
    distances.push_back(u < 0 ? std::hypot(x.X - d.P1.X, x.Y - d.P1.Y)
                              : (u > 1 ? std::hypot(x.X - d.P2.X, x.Y - d.P2.Y) : std::abs(v)));
  }
  std::vector<double> sorted = distances;
  std::nth_element(sorted.begin(), sorted.begin() + f.N - 1, sorted.end());
  const double reach = 2 * sorted[static_cast<std::size_t>(f.N - 1)] + LocalReachPad;
  T2DVector sum;
  double total = 0;
  for (std::size_t i = 0; i < morph.destination.size(); ++i) {
    if (distances[i] >= reach) continue;
    const T2DLine& d = morph.destination[i];
    const T2DVector xi = GetTransformedPoint(morph.source[i], CalculateU(d, x), CalculateV(d, x));
    const double length = std::hypot(d.P2.X - d.P1.X, d.P2.Y - d.P1.Y);
    const double fade = 1 - distances[i] / reach;
    const double weight = std::pow(std::pow(length, f.P) / (f.A + distances[i]), f.B) * fade * fade;
    sum = sum + (xi - x) * weight;
    total += weight;
  }
  return x + sum / total;
}

void MorphPoints(benchmark::State& state) {
  const TMorphCase morph = MakeCase(static_cast<std::size_t>(state.range(1)), static_cast<std::size_t>(state.range(0)));
  const TMorphLines lines(morph.source, morph.destination, {});
  std::vector<T2DVector> points;
  for (auto _ : state) {
    points = morph.points;
    lines.MorphPoints(points);
  }
  // The same as the plain formula, on a sample.
  double largest = 0;
  for (std::size_t i = 0; i < points.size(); i += points.size() / 100) {
    const T2DVector plain = PlainMorph(morph, morph.points[i], {});
    largest = std::max(largest, std::hypot(plain.X - points[i].X, plain.Y - points[i].Y));
  }
  const double pairEvaluations = static_cast<double>(state.range(0)) * static_cast<double>(state.range(1));
  state.counters["ns_per_point_pair"] =
      benchmark::Counter(pairEvaluations * 1e-9, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  state.counters["largest_difference"] = largest;
}
BENCHMARK(MorphPoints)->Args({100000, 10000})->Unit(benchmark::kMillisecond)->UseRealTime();

// The local field (N = 4) over a million points, its index built each time.
void LocalMorphPoints(benchmark::State& state) {
  const TMorphCase morph = MakeCase(static_cast<std::size_t>(state.range(1)), static_cast<std::size_t>(state.range(0)));
  const TMorphFactors factors{1, 2, 2, 4};
  std::vector<T2DVector> points;
  for (auto _ : state) {
    state.PauseTiming();
    points = morph.points;
    state.ResumeTiming();
    const TMorphLines lines(morph.source, morph.destination, factors);
    lines.MorphPoints(points);
  }
  double largest = 0;
  for (std::size_t i = 0; i < points.size(); i += points.size() / 100) {
    const T2DVector plain = PlainLocalMorph(morph, morph.points[i], factors);
    largest = std::max(largest, std::hypot(plain.X - points[i].X, plain.Y - points[i].Y));
  }
  state.counters["largest_difference"] = largest;
}
BENCHMARK(LocalMorphPoints)->Args({1000000, 100000})->Unit(benchmark::kMillisecond)->UseRealTime();

void BuildLineIndex(benchmark::State& state) {
  const TMorphCase morph = MakeCase(static_cast<std::size_t>(state.range(0)), 0);
  for (auto _ : state) benchmark::DoNotOptimize(TLineIndex(morph.destination));
}
BENCHMARK(BuildLineIndex)->Arg(100000)->Unit(benchmark::kMillisecond);

void PlainMorphPoints(benchmark::State& state) {
  const TMorphCase morph = MakeCase(static_cast<std::size_t>(state.range(1)), static_cast<std::size_t>(state.range(0)));
  for (auto _ : state)
    for (const T2DVector& point : morph.points) benchmark::DoNotOptimize(PlainMorph(morph, point, {}));
  const double pairEvaluations = static_cast<double>(state.range(0)) * static_cast<double>(state.range(1));
  state.counters["ns_per_point_pair"] =
      benchmark::Counter(pairEvaluations * 1e-9, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(PlainMorphPoints)->Args({10000, 10000})->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
