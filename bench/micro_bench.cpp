// Microbenchmarks of the evaluator's hot units.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "scoring/Cost.h"
#include "scoring/Geometry.h"
#include "text/Scan.h"

namespace {

void BM_LensAreaOverlapping(benchmark::State& state) {
  double d = 0.1;
  for (auto _ : state) {
    benchmark::DoNotOptimize(lensArea(0.3, 0.2, d));
    d = d < 0.4 ? d + 1e-6 : 0.1;
  }
}
BENCHMARK(BM_LensAreaOverlapping);

const std::string kCentreLine = "0.36457281946518311 0.80745113372049021";

void BM_ScanRealPair(benchmark::State& state) {
  double x, y;
  for (auto _ : state) benchmark::DoNotOptimize(scanRealPair(kCentreLine, x, y));
}
BENCHMARK(BM_ScanRealPair);

void BM_LibraryScanRealPair(benchmark::State& state) {
  double x, y;
  char dummy;
  for (auto _ : state) {
    benchmark::DoNotOptimize(std::sscanf(kCentreLine.c_str(), "%lf %lf%c", &x, &y, &dummy));
  }
}
BENCHMARK(BM_LibraryScanRealPair);

// 1000 circles whose areas add up to about the square's, at random centres.
struct TLayout {
  std::vector<double> radii;
  std::vector<Tocka> tocke;
};

TLayout realisticLayout() {
  std::mt19937_64 random(1);
  std::uniform_real_distribution<double> unit(0.0, 1.0), spread(0.5, 1.5);
  TLayout layout;
  double area = 0;
  for (int i = 0; i < 1000; ++i) {
    layout.radii.push_back(spread(random));
    area += layout.radii.back() * layout.radii.back();
  }
  for (double& r : layout.radii) r *= std::sqrt(1.0 / (PI * area));
  for (int i = 0; i < 1000; ++i) layout.tocke.push_back({unit(random), unit(random)});
  return layout;
}

void BM_PlacementCost(benchmark::State& state) {
  const TLayout layout = realisticLayout();
  for (auto _ : state) benchmark::DoNotOptimize(placementCost(layout.radii, layout.tocke));
}
BENCHMARK(BM_PlacementCost)->Unit(benchmark::kMicrosecond);

void BM_AllPairsCost(benchmark::State& state) {
  const TLayout layout = realisticLayout();
  for (auto _ : state) benchmark::DoNotOptimize(allPairsCost(layout.radii, layout.tocke));
}
BENCHMARK(BM_AllPairsCost)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
