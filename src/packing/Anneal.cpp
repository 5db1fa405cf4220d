#include "packing/Anneal.h"

#include <algorithm>
#include <cmath>

#include "packing/Packing_detail.h"
#include "packing/Random.h"
#include "scoring/Cost.h"

namespace packing_detail {

namespace {

// The temperature at the end, as a share of the first.
constexpr double kCooling = 1e-4;
// The share of shifts accepted that the step size is steered to.
constexpr double kAcceptedShifts = 0.4;
// A sweep tries a shift and a trade for as many discs as there are, and
// takes about the time of three evaluations of the whole energy.
constexpr double kStepsPerSweep = 3;
// Sweeps between two looks for a placement without overlap, and between two
// looks at the cost, which takes some ten sweeps' time at 1000 circles.
constexpr int kSweepsPerCheck = 8;
constexpr int kSweepsPerLook = 64;

// Discs at sites: a trade exchanges the radii of two sites and the circles
// there, so that the sites' neighbours stay as they are.
class TAnnealer {
 public:
  TAnnealer(const std::vector<double>& radii, std::vector<double>& x)
      : n_(static_cast<int>(radii.size())), radius_(radii), circle_(n_), x_(x) {
    for (int k = 0; k < n_; ++k) circle_[k] = k;
    const double largest = *std::max_element(radii.begin(), radii.end());
    skin_ = 0.3 * largest;
    reach_ = 2 * largest + skin_;
    double mean = 0;
    for (double r : radii) mean += r / n_;
    step_ = 0.01 * mean;  // soon steered
    findNeighbours();
  }

  // A shift and a trade tried for as many sites as there are, drawn at random.
  void sweep(double temperature, std::mt19937_64& random) {
    int shifted = 0;
    for (int m = 0; m < n_; ++m) {
      const int k = static_cast<int>(random() % n_);
      shifted += shift(k, temperature, random);
      trade(k, temperature, random);
    }
    // No shift may carry a site beyond the lists' skin at once.
    step_ = std::min(0.5 * skin_, step_ * (shifted > kAcceptedShifts * n_ ? 1.05 : 0.95));
  }

  // Whether no two discs overlap.
  bool apart() const {
    for (int k = 0; k < n_; ++k) {
      if (energy(k, radius_[k], x_[2 * k], x_[2 * k + 1], -1) > 0) return false;
    }
    return true;
  }

  // Each circle's centre at its own place.
  std::vector<double> byCircle() const {
    std::vector<double> byCircle(x_.size());
    for (int k = 0; k < n_; ++k) {
      byCircle[2 * circle_[k]] = x_[2 * k];
      byCircle[2 * circle_[k] + 1] = x_[2 * k + 1];
    }
    return byCircle;
  }

 private:
  // A shift of site k by up to the step in each coordinate; whether it was taken.
  bool shift(int k, double temperature, std::mt19937_64& random) {
    const double px = std::clamp(x_[2 * k] + step_ * (2 * unitDraw(random) - 1), 0.0, 1.0);
    const double py = std::clamp(x_[2 * k + 1] + step_ * (2 * unitDraw(random) - 1), 0.0, 1.0);
    const double change =
        energy(k, radius_[k], px, py, -1) - energy(k, radius_[k], x_[2 * k], x_[2 * k + 1], -1);
    if (!accept(change, temperature, random)) return false;
    x_[2 * k] = px;
    x_[2 * k + 1] = py;
    const double dx = px - anchor_[2 * k], dy = py - anchor_[2 * k + 1];
    // The lists hold every pair that can overlap while no site has moved
    // half the skin since they were made.
    if (4 * (dx * dx + dy * dy) > skin_ * skin_) findNeighbours();
    return true;
  }

  // A trade of site k's disc with a neighbour's of another size.
  void trade(int k, double temperature, std::mt19937_64& random) {
    if (neighbours_[k].empty()) return;
    const int j = neighbours_[k][random() % neighbours_[k].size()];
    const double rk = radius_[k], rj = radius_[j];
    if (rk == rj) return;
    // The pair's own term does not change: the same radii, the same distance.
    const double before =
        energy(k, rk, x_[2 * k], x_[2 * k + 1], j) + energy(j, rj, x_[2 * j], x_[2 * j + 1], k);
    const double after =
        energy(k, rj, x_[2 * k], x_[2 * k + 1], j) + energy(j, rk, x_[2 * j], x_[2 * j + 1], k);
    if (!accept(after - before, temperature, random)) return;
    std::swap(radius_[k], radius_[j]);
    std::swap(circle_[k], circle_[j]);
  }

  static bool accept(double change, double temperature, std::mt19937_64& random) {
    return change <= 0 || unitDraw(random) < std::exp(-change / temperature);
  }

  // The energy of a disc of radius r at (px, py) as site k's, without site skip.
  double energy(int k, double r, double px, double py, int skip) const {
    double sum = 0;
    for (int j : neighbours_[k]) {
      if (j == skip) continue;
      const double dx = px - x_[2 * j], dy = py - x_[2 * j + 1];
      const double d2 = dx * dx + dy * dy;
      const double contact = r + radius_[j];
      if (d2 < contact * contact) {
        double slope;
        sum += depthTerm(r, radius_[j], std::sqrt(d2), slope);
      }
    }
    return sum;
  }

  void findNeighbours() {
    neighbours_.assign(n_, {});
    std::vector<Tocka> sites(n_);
    for (int k = 0; k < n_; ++k) sites[k] = {x_[2 * k], x_[2 * k + 1]};
    // Discs of half the reach are candidates exactly where sites lie within it.
    forEachCandidatePair(std::vector<double>(n_, reach_ / 2), sites, [&](int j, int k) {
      const double dx = sites[j].x - sites[k].x, dy = sites[j].y - sites[k].y;
      if (dx * dx + dy * dy < reach_ * reach_) {
        neighbours_[j].push_back(k);
        neighbours_[k].push_back(j);
      }
    });
    anchor_ = x_;
  }

  int n_;
  std::vector<double> radius_;  // The radius of the disc at each site.
  std::vector<int> circle_;     // The circle at each site.
  std::vector<double>& x_;      // The sites' centres.
  std::vector<double> anchor_;  // The centres when the lists were made.
  std::vector<std::vector<int>> neighbours_;
  double skin_, reach_;
  double step_;  // The largest shift in each coordinate.
};

}  // namespace

void annealWithSwaps(const std::vector<double>& radii, std::vector<double>& x,
                     std::mt19937_64& random, TBudget& budget, double until, double hot,
                     const std::function<void(const std::vector<double>&)>& look) {
  const double from = budget.spent();
  if (!(from < until)) return;
  for (double& c : x) c = std::clamp(c, 0.0, 1.0);
  TAnnealer annealer(radii, x);
  for (long sweeps = 0; !budget.exhausted(kStepsPerSweep); ++sweeps) {
    const double progress = (budget.spent() - from) / (until - from);
    // Discs that come apart end it early: the search has what it wants.
    if (!(progress < 1) || (sweeps % kSweepsPerCheck == 0 && annealer.apart())) break;
    if (sweeps % kSweepsPerLook == kSweepsPerLook - 1) look(annealer.byCircle());
    annealer.sweep(hot * std::pow(kCooling, progress), random);
    budget.spend(kStepsPerSweep);
  }
  x = annealer.byCircle();
}

}  // namespace packing_detail
