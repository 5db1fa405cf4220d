// Microbenchmarks of the evaluator's hot units.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "base/Atan2_detail.h"
#include "scoring/Cost.h"
#include "scoring/Geometry.h"
#include "support/Atan2Arguments.h"
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

// The arguments lensArea gives, small discs and large, every overlap.
const std::vector<TAtan2Argument>& lensArguments() {
  static const std::vector<TAtan2Argument> arguments = [] {
    TAtan2Random random(1);
    std::vector<TAtan2Argument> drawn(1 << 16);
    for (TAtan2Argument& a : drawn) a = lensArgument(random);
    return drawn;
  }();
  return arguments;
}

template <typename Atan2>
void timeAtan2(benchmark::State& state, Atan2 atan2) {
  const std::vector<TAtan2Argument>& arguments = lensArguments();
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(atan2(arguments[i].y, arguments[i].x));
    i = (i + 1) % arguments.size();
  }
}

void BM_CrAtan2(benchmark::State& state) {
  timeAtan2(state, crAtan2);
  long undecided = 0;
  double result;
  const bool fused = atan2_detail::fusedMultiplyAddAvailable();
  for (const TAtan2Argument& a : lensArguments()) {
    undecided += !atan2_detail::fastAtan2(a.y, a.x, result, fused);
  }
  state.counters["precise share"] = static_cast<double>(undecided) / lensArguments().size();
}
BENCHMARK(BM_CrAtan2);

// The fast path as a CPU without FMA runs it: Dekker's products.
void BM_CrAtan2WithoutFma(benchmark::State& state) {
  timeAtan2(state, [](double y, double x) {
    double result;
    atan2_detail::fastAtan2(y, x, result, false);
    return result;
  });
}
BENCHMARK(BM_CrAtan2WithoutFma);

// The C library's, whichever routine it picked for this CPU.
void BM_LibraryAtan2(benchmark::State& state) {
  timeAtan2(state, [](double y, double x) { return std::atan2(y, x); });
}
BENCHMARK(BM_LibraryAtan2);

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
