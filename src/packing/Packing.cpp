#include "packing/Packing.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <random>

#include "scoring/Cost.h"
#include "toolkit/Random.h"

namespace packing_detail {

namespace {

std::vector<Tocka> pointsOf(const std::vector<double>& x) {
  std::vector<Tocka> points(x.size() / 2);
  for (std::size_t i = 0; i < points.size(); ++i) points[i] = {x[2 * i], x[2 * i + 1]};
  return points;
}

// weight * the squared distance of each centre outside the square, added to
// the gradient.
double wallEnergy(const std::vector<double>& x, double weight, std::vector<double>& gradient) {
  double energy = 0;
  for (std::size_t i = 0; i < x.size(); ++i) {
    const double outside = x[i] < 0 ? x[i] : x[i] > 1 ? x[i] - 1 : 0.0;
    energy += weight * outside * outside;
    gradient[i] += 2 * weight * outside;
  }
  return energy;
}

// Adds to the gradient d(objective)/dd times the direction from k to j for
// circle j, and its opposite for circle k.
void addAlongPair(std::vector<double>& gradient, int j, int k, double slope, double ux, double uy) {
  gradient[2 * j] += slope * ux;
  gradient[2 * j + 1] += slope * uy;
  gradient[2 * k] -= slope * ux;
  gradient[2 * k + 1] -= slope * uy;
}

}  // namespace

double overlapEnergy(const std::vector<double>& radii, const std::vector<double>& x,
                     std::vector<double>& gradient) {
  const std::vector<Tocka> points = pointsOf(x);
  gradient.assign(x.size(), 0.0);
  double energy = 0;
  forEachCandidatePair(radii, points, [&](int j, int k) {
    const double dx = points[j].x - points[k].x, dy = points[j].y - points[k].y;
    const double reach = radii[j] + radii[k];
    const double d2 = dx * dx + dy * dy;
    if (d2 >= reach * reach) return;
    const double d = std::sqrt(d2);
    const double depth = reach - d;
    energy += depth * depth;
    // Coinciding centres have no direction between them: any will do, and a
    // fixed one keeps the search repeatable.
    const double ux = d > 0 ? dx / d : 1.0, uy = d > 0 ? dy / d : 0.0;
    addAlongPair(gradient, j, k, -2 * depth, ux, uy);
  });
  return energy + wallEnergy(x, 1, gradient);
}

double overlapArea(const std::vector<double>& radii, const std::vector<double>& x,
                   std::vector<double>& gradient) {
  const std::vector<Tocka> points = pointsOf(x);
  gradient.assign(x.size(), 0.0);
  double area = 0;
  forEachCandidatePair(radii, points, [&](int j, int k) {
    const double dx = points[j].x - points[k].x, dy = points[j].y - points[k].y;
    const double rj = radii[j], rk = radii[k];
    const double d = std::sqrt(dx * dx + dy * dy);
    if (d >= rj + rk) return;
    area += lensArea(rj, rk, d);
    // d(area)/dd is minus the common chord's length; a disc inside the
    // other has none, and its area does not change as it moves.
    if (d <= std::abs(rj - rk)) return;
    const double c = chordDistance(rj, rk, d);
    const double chord = 2 * std::sqrt(std::max(0.0, rj * rj - c * c));
    addAlongPair(gradient, j, k, -chord, dx / d, dy / d);
  });
  // The cost ignores the square; the square must hold the centres all the
  // same, and a stiff wall keeps them in.
  return area + wallEnergy(x, 1e4, gradient);
}

}  // namespace packing_detail

namespace {

using packing_detail::overlapArea;
using packing_detail::overlapEnergy;
using TObjective = double (*)(const std::vector<double>&, const std::vector<double>&,
                              std::vector<double>&);
using Clock = std::chrono::steady_clock;

double dot(const std::vector<double>& a, const std::vector<double>& b) {
  double sum = 0;
  for (std::size_t i = 0; i < a.size(); ++i) sum += a[i] * b[i];
  return sum;
}

// The work done and the limits on it.
class TBudget {
 public:
  explicit TBudget(const TSearchLimits& limits) : limits_(limits), start_(Clock::now()) {}

  void spend() { ++steps_; }
  long steps() const { return steps_; }
  // The share of the budget spent: of the steps where they are limited, so
  // that every decision of a search with a step limit follows the steps
  // alone, whatever the machine's load; otherwise of the time.
  double spent() const {
    if (limits_.steps >= 0) return static_cast<double>(steps_) / limits_.steps;
    return std::chrono::duration<double>(Clock::now() - start_).count() / limits_.seconds;
  }
  bool exhausted() const {
    if (limits_.steps >= 0 && steps_ >= limits_.steps) return true;
    // The clock is read every 64 steps: a step takes microseconds.
    if (limits_.seconds >= 0 && steps_ % 64 == 0) {
      exhaustedByTime_ =
          exhaustedByTime_ ||
          std::chrono::duration<double>(Clock::now() - start_).count() >= limits_.seconds;
    }
    return exhaustedByTime_;
  }

 private:
  TSearchLimits limits_;
  Clock::time_point start_;
  long steps_ = 0;
  mutable bool exhaustedByTime_ = false;
};

// L-BFGS on an objective from x, until it is 0, it stops falling, or the
// budget runs out. Returns the objective at x.
double minimise(TObjective objective, const std::vector<double>& radii, std::vector<double>& x,
                TBudget& budget) {
  constexpr int kMemory = 8;
  const std::size_t size = x.size();
  std::vector<double> gradient, trialGradient, direction(size), trial(size);
  std::vector<std::vector<double>> s, y;
  std::vector<double> rho;
  double energy = objective(radii, x, gradient);
  budget.spend();
  int stalled = 0;
  while (energy > 0 && !budget.exhausted()) {
    // The two-loop recursion: direction = -H gradient.
    direction = gradient;
    std::vector<double> alpha(s.size());
    for (int i = static_cast<int>(s.size()) - 1; i >= 0; --i) {
      alpha[i] = rho[i] * dot(s[i], direction);
      for (std::size_t c = 0; c < size; ++c) direction[c] -= alpha[i] * y[i][c];
    }
    const double scale = s.empty() ? 1e-2 / std::sqrt(dot(gradient, gradient) + 1e-300)
                                   : dot(s.back(), y.back()) / dot(y.back(), y.back());
    for (double& d : direction) d *= scale;
    for (std::size_t i = 0; i < s.size(); ++i) {
      const double beta = rho[i] * dot(y[i], direction);
      for (std::size_t c = 0; c < size; ++c) direction[c] += s[i][c] * (alpha[i] - beta);
    }
    for (double& d : direction) d = -d;
    const double slope = dot(gradient, direction);
    if (!(slope < 0)) {
      // Downhill again along the gradient; without one (a disc inside
      // another, under the area), this is as low as the objective goes.
      if (s.empty()) break;
      s.clear(), y.clear(), rho.clear();
      continue;
    }

    // Backtracking to a sufficient decrease.
    double step = 1, trialEnergy = 0;
    bool accepted = false;
    for (int halvings = 0; halvings < 40 && !budget.exhausted(); ++halvings, step *= 0.5) {
      for (std::size_t c = 0; c < size; ++c) trial[c] = x[c] + step * direction[c];
      trialEnergy = objective(radii, trial, trialGradient);
      budget.spend();
      if (trialEnergy <= energy + 1e-4 * step * slope) {
        accepted = true;
        break;
      }
    }
    if (!accepted) break;

    std::vector<double> sNew(size), yNew(size);
    for (std::size_t c = 0; c < size; ++c) {
      sNew[c] = trial[c] - x[c];
      yNew[c] = trialGradient[c] - gradient[c];
    }
    const double sy = dot(sNew, yNew);
    if (sy > 1e-300) {
      if (s.size() == kMemory) {
        s.erase(s.begin()), y.erase(y.begin()), rho.erase(rho.begin());
      }
      s.push_back(std::move(sNew));
      y.push_back(std::move(yNew));
      rho.push_back(1 / sy);
    }
    stalled = trialEnergy > energy * (1 - 1e-10) ? stalled + 1 : 0;
    x.swap(trial);
    gradient.swap(trialGradient);
    energy = trialEnergy;
    if (stalled >= 10) break;
  }
  return energy;
}

// Centres moved into the square, as the submission writes them.
std::vector<Tocka> centres(const std::vector<double>& x) {
  std::vector<Tocka> tocke(x.size() / 2);
  for (std::size_t i = 0; i < tocke.size(); ++i) {
    tocke[i] = {std::clamp(x[2 * i], 0.0, 1.0), std::clamp(x[2 * i + 1], 0.0, 1.0)};
  }
  return tocke;
}

}  // namespace

TSearchResult searchPlacement(const std::vector<double>& radii, std::uint64_t seed,
                              const TSearchLimits& limits, TSearchStatus* status) {
  const int n = static_cast<int>(radii.size());
  std::mt19937_64 random(seed);
  TBudget budget(limits);
  std::vector<double> sorted = radii;
  std::sort(sorted.begin(), sorted.end());
  const double typical = sorted[n / 2];

  // Random centres, then the discs grown to their size in a few steps: a
  // placement that grows settles denser than one placed at full size.
  auto randomStart = [&] {
    std::vector<double> x(2 * n);
    for (double& c : x) c = unitDraw(random);
    // The larger circles nearer the edges, where half a disc lies outside.
    std::vector<int> byRadius(n), byEdge(n);
    for (int i = 0; i < n; ++i) byRadius[i] = byEdge[i] = i;
    std::stable_sort(byRadius.begin(), byRadius.end(),
                     [&](int a, int b) { return radii[a] > radii[b]; });
    auto edgeDistance = [&](int i) {
      return std::min({x[2 * i], 1 - x[2 * i], x[2 * i + 1], 1 - x[2 * i + 1]});
    };
    std::stable_sort(byEdge.begin(), byEdge.end(),
                     [&](int a, int b) { return edgeDistance(a) < edgeDistance(b); });
    std::vector<double> placed(2 * n);
    for (int i = 0; i < n; ++i) {
      placed[2 * byRadius[i]] = x[2 * byEdge[i]];
      placed[2 * byRadius[i] + 1] = x[2 * byEdge[i] + 1];
    }
    x.swap(placed);
    std::vector<double> grown(n);
    for (double scale : {0.7, 0.8, 0.9, 0.95}) {
      for (int i = 0; i < n; ++i) grown[i] = scale * radii[i];
      minimise(overlapEnergy, grown, x, budget);
    }
    return x;
  };

  TSearchResult best;
  best.cena = -1;
  auto consider = [&](const std::vector<double>& x) {
    const std::vector<Tocka> tocke = centres(x);
    const double cena = placementCost(radii, tocke);
    if (best.cena < 0 || cena < best.cena) {
      best.tocke = tocke;
      best.cena = cena;
    }
    if (status != nullptr) {
      status->cena = best.cena;
      status->steps = budget.steps();
    }
  };
  auto fromBest = [&] {
    std::vector<double> x;
    for (const Tocka& p : best.tocke) x.insert(x.end(), {p.x, p.y});
    return x;
  };

  // Monotonic basin hopping: shake the current minimum, minimise again, keep
  // the lower; after a run of failures, start afresh. First on the overlap
  // energy, whose zeros are the placements of cost 0; if more than half the
  // budget goes by without one, on the cost itself, from the best so far.
  TObjective objective = overlapEnergy;
  double shake = 1.5 * typical;
  int patience = 5;
  std::vector<double> current = randomStart();
  double currentValue = minimise(objective, radii, current, budget);
  consider(current);
  int failures = 0;
  while (best.cena > 0 && !budget.exhausted()) {
    if (objective == overlapEnergy && budget.spent() > 0.5) {
      objective = overlapArea;
      shake = 0.1 * typical;
      patience = 20;
      current = fromBest();
      currentValue = minimise(objective, radii, current, budget);
      consider(current);
      failures = 0;
      continue;
    }
    std::vector<double> trial = current;
    for (double& c : trial) c += shake * (2 * unitDraw(random) - 1);
    const double trialValue = minimise(objective, radii, trial, budget);
    if (trialValue < currentValue) {
      current.swap(trial);
      currentValue = trialValue;
      failures = 0;
      consider(current);
    } else if (++failures >= patience) {
      current = objective == overlapEnergy ? randomStart() : fromBest();
      currentValue = minimise(objective, radii, current, budget);
      failures = 0;
      consider(current);
    }
  }
  best.steps = budget.steps();
  return best;
}
