#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <random>

#include "packing/Anneal.h"
#include "packing/Budget.h"
#include "packing/Lattice.h"
#include "packing/Packing_detail.h"
#include "packing/Random.h"
#include "scoring/Cost.h"

namespace packing_detail {

namespace {

std::vector<Tocka> pointsOf(const std::vector<double>& x) {
  std::vector<Tocka> points(x.size() / 2);
  for (std::size_t i = 0; i < points.size(); ++i) points[i] = {x[2 * i], x[2 * i + 1]};
  return points;
}

// The term of the pair (j, k), whose centres lie (dx, dy) apart, or 0 where
// the discs do not overlap; (gx, gy) receives its gradient for circle j, the
// opposite of circle k's.
double pairTerm(TTerm term, double rj, double rk, double dx, double dy, double& gx, double& gy) {
  gx = gy = 0;
  const double reach = rj + rk;
  const double d2 = dx * dx + dy * dy;
  if (d2 >= reach * reach) return 0;
  const double d = std::sqrt(d2);
  double slope;
  const double value = term(rj, rk, d, slope);
  // Coinciding centres have no direction between them: any will do, and a
  // fixed one keeps the search repeatable.
  gx = d > 0 ? slope * dx / d : slope;
  gy = d > 0 ? slope * dy / d : 0.0;
  return value;
}

}  // namespace

double depthTerm(double rj, double rk, double d, double& slope) {
  const double depth = rj + rk - d;
  slope = -2 * depth;
  return depth * depth;
}

double lensTerm(double rj, double rk, double d, double& slope) {
  // d(area)/dd is minus the common chord's length; a disc inside the other
  // has none, and its area does not change as it moves.
  slope = 0;
  if (d > std::abs(rj - rk)) {
    const double c = chordDistance(rj, rk, d);
    slope = -2 * std::sqrt(std::max(0.0, rj * rj - c * c));
  }
  return lensArea(rj, rk, d);
}

double overlapSum(TTerm term, const std::vector<double>& radii, const std::vector<double>& x,
                  std::vector<double>& gradient) {
  const std::vector<Tocka> points = pointsOf(x);
  gradient.assign(x.size(), 0.0);
  double sum = 0;
  forEachCandidatePair(radii, points, [&](int j, int k) {
    double gx, gy;
    sum += pairTerm(term, radii[j], radii[k], points[j].x - points[k].x, points[j].y - points[k].y,
                    gx, gy);
    gradient[2 * j] += gx;
    gradient[2 * j + 1] += gy;
    gradient[2 * k] -= gx;
    gradient[2 * k + 1] -= gy;
  });
  return sum;
}

TPatch::TPatch(const std::vector<double>& radii, const std::vector<double>& x,
               std::vector<int> moving, double margin)
    : radii_(radii), x_(x), moving_(std::move(moving)), slot_(radii.size(), -1) {
  for (std::size_t a = 0; a < moving_.size(); ++a) slot_[moving_[a]] = static_cast<int>(a);
  const int n = static_cast<int>(radii.size());
  for (std::size_t a = 0; a < moving_.size(); ++a) {
    const int i = moving_[a];
    for (int j = 0; j < n; ++j) {
      // A pair of two moving circles once, from the first of them.
      if (j == i || (slot_[j] >= 0 && slot_[j] < static_cast<int>(a))) continue;
      const double reach = radii[i] + radii[j] + margin;
      const double dx = x[2 * i] - x[2 * j], dy = x[2 * i + 1] - x[2 * j + 1];
      if (dx * dx + dy * dy < reach * reach) pairs_.push_back({static_cast<int>(a), j});
    }
  }
}

std::vector<double> TPatch::coordinates() const {
  std::vector<double> local;
  for (int i : moving_) local.insert(local.end(), {x_[2 * i], x_[2 * i + 1]});
  return local;
}

double TPatch::sum(TTerm term, const std::vector<double>& local,
                   std::vector<double>& gradient) const {
  gradient.assign(local.size(), 0.0);
  double sum = 0;
  for (const auto& [a, j] : pairs_) {
    const int b = slot_[j];
    const double xj = b >= 0 ? local[2 * b] : x_[2 * j];
    const double yj = b >= 0 ? local[2 * b + 1] : x_[2 * j + 1];
    double gx, gy;
    sum += pairTerm(term, radii_[moving_[a]], radii_[j], local[2 * a] - xj, local[2 * a + 1] - yj,
                    gx, gy);
    gradient[2 * a] += gx;
    gradient[2 * a + 1] += gy;
    // A circle that stays has no coordinates to move.
    if (b >= 0) {
      gradient[2 * b] -= gx;
      gradient[2 * b + 1] -= gy;
    }
  }
  return sum;
}

void TPatch::place(const std::vector<double>& local, std::vector<double>& x) const {
  for (std::size_t a = 0; a < moving_.size(); ++a) {
    x[2 * moving_[a]] = local[2 * a];
    x[2 * moving_[a] + 1] = local[2 * a + 1];
  }
}

}  // namespace packing_detail

namespace {

using packing_detail::annealWithSwaps;
using packing_detail::depthTerm;
using packing_detail::lensTerm;
using packing_detail::overlapSum;
using packing_detail::TBudget;
using packing_detail::TPatch;
using packing_detail::TTerm;

// Lattices tried before random starts, where the circles are equal.
constexpr int kLatticeStarts = 8;
// Circles count as unequal where the largest exceeds the smallest this much.
constexpr double kUnequal = 1.05;
// A swap's patch: the circles within this many typical radii of the two,
// some hundred of them. A smaller patch cannot make room for a swap and
// takes few; a larger one costs more than it adds.
constexpr double kPatchReach = 10;
// The share of the budget for annealing unequal circles, and the starting
// temperature as a multiple of the start's energy per disc: hot enough to
// melt the start's arrangement, so that it forms afresh as it cools. Five to
// twenty times do about as well on dense inputs; once is far too cold.
constexpr double kAnnealUntil = 0.85;
constexpr double kHeat = 10;
// Local moves between two minimisations of the whole placement.
constexpr int kMovesPerSweep = 1000;
// The share of the budget after which unequal circles minimise the cost
// itself: the swaps do better on the smoother energy, and the cost's
// minimisation then takes the last few per cent off.
constexpr double kUnequalCostFrom = 0.9;

double dot(const std::vector<double>& a, const std::vector<double>& b) {
  double sum = 0;
  for (std::size_t i = 0; i < a.size(); ++i) sum += a[i] * b[i];
  return sum;
}

// L-BFGS on an objective from x, until it is 0, it stops falling, or the
// budget runs out, with every centre kept in the square: a step that would
// leave it stops at its side, and a coordinate held at a side where the
// descent points out stays there. Discs that press outwards so rest exactly
// on the sides, where half of each lies outside and costs nothing, as the
// placement that is written has them. Each evaluation of the objective
// spends `share` of a step. Returns the objective at x, or infinity where
// the budget does not pay for one evaluation.
template <typename Objective>
double minimise(Objective objective, std::vector<double>& x, TBudget& budget, double share = 1) {
  constexpr int kMemory = 8;
  const std::size_t size = x.size();
  for (double& c : x) c = std::clamp(c, 0.0, 1.0);
  std::vector<double> gradient, trialGradient, direction(size), trial(size);
  std::vector<std::vector<double>> s, y;
  std::vector<double> rho;
  // Not even one evaluation left: x stays as it is, of unknown energy.
  if (budget.exhausted(share)) return std::numeric_limits<double>::infinity();
  double energy = objective(x, gradient);
  budget.spend(share);
  int stalled = 0;
  auto holdAtSides = [&](std::vector<double>& v) {
    for (std::size_t c = 0; c < size; ++c) {
      if ((x[c] <= 0 && gradient[c] > 0) || (x[c] >= 1 && gradient[c] < 0)) v[c] = 0;
    }
  };
  while (energy > 0 && !budget.exhausted(share)) {
    // The two-loop recursion: direction = -H gradient, on the free coordinates.
    direction = gradient;
    holdAtSides(direction);
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
    holdAtSides(direction);
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
    for (int halvings = 0; halvings < 40 && !budget.exhausted(share); ++halvings, step *= 0.5) {
      double change = 0;  // along the gradient, to first order
      for (std::size_t c = 0; c < size; ++c) {
        trial[c] = std::clamp(x[c] + step * direction[c], 0.0, 1.0);
        change += gradient[c] * (trial[c] - x[c]);
      }
      trialEnergy = objective(trial, trialGradient);
      budget.spend(share);
      if (trialEnergy <= energy + 1e-4 * change) {
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

// Centres as the submission writes them; the minimiser keeps them in the
// square, and a start or a shake may have left one just outside.
std::vector<Tocka> centres(const std::vector<double>& x) {
  std::vector<Tocka> tocke(x.size() / 2);
  for (std::size_t i = 0; i < tocke.size(); ++i) {
    tocke[i] = {std::clamp(x[2 * i], 0.0, 1.0), std::clamp(x[2 * i + 1], 0.0, 1.0)};
  }
  return tocke;
}

// The search for one case, step by step.
class TSearch {
 public:
  TSearch(const std::vector<double>& radii, std::uint64_t seed, const TSearchLimits& limits,
          TSearchStatus* status)
      : radii_(radii),
        n_(static_cast<int>(radii.size())),
        random_(seed),
        budget_(limits, status),
        status_(status) {
    std::vector<double> sorted = radii;
    std::sort(sorted.begin(), sorted.end());
    typical_ = sorted[n_ / 2];
    unequal_ = sorted.back() > kUnequal * sorted.front();
    // Equal circles start from rows of points, the structure of their
    // near-optimal packings: the arrangements whose smallest distance is
    // largest, then random starts.
    if (sorted.front() >= sorted.back() * (1 - 1e-12))
      lattices_ = latticeStarts(n_, kLatticeStarts);
    best_.cena = -1;
  }

  TSearchResult run() {
    settleFirstStart();
    if (unequal_) {
      anneal();
      tradeInPatches();
    } else {
      hopBasins();
    }
    best_.steps = budget_.steps();
    best_.stopped = budget_.stopped() && best_.cena > 0;
    return best_;
  }

 private:
  // The whole placement's objective, of the current term.
  double minimiseWhole(std::vector<double>& x) {
    return minimise(
        [this](const std::vector<double>& at, std::vector<double>& gradient) {
          return overlapSum(term_, radii_, at, gradient);
        },
        x, budget_);
  }

  // Random centres, then the discs grown to their size in a few steps: a
  // placement that grows settles denser than one placed at full size.
  std::vector<double> randomStart() {
    std::vector<double> x(2 * n_);
    for (double& c : x) c = unitDraw(random_);
    // The larger circles nearer the edges, where half a disc lies outside.
    std::vector<int> byRadius(n_), byEdge(n_);
    for (int i = 0; i < n_; ++i) byRadius[i] = byEdge[i] = i;
    std::stable_sort(byRadius.begin(), byRadius.end(),
                     [&](int a, int b) { return radii_[a] > radii_[b]; });
    auto edgeDistance = [&](int i) {
      return std::min({x[2 * i], 1 - x[2 * i], x[2 * i + 1], 1 - x[2 * i + 1]});
    };
    std::stable_sort(byEdge.begin(), byEdge.end(),
                     [&](int a, int b) { return edgeDistance(a) < edgeDistance(b); });
    std::vector<double> placed(2 * n_);
    for (int i = 0; i < n_; ++i) {
      placed[2 * byRadius[i]] = x[2 * byEdge[i]];
      placed[2 * byRadius[i] + 1] = x[2 * byEdge[i] + 1];
    }
    x.swap(placed);
    std::vector<double> grown(n_);
    for (double scale : {0.7, 0.8, 0.9, 0.95}) {
      for (int i = 0; i < n_; ++i) grown[i] = scale * radii_[i];
      minimise(
          [&grown](const std::vector<double>& at, std::vector<double>& gradient) {
            return overlapSum(depthTerm, grown, at, gradient);
          },
          x, budget_);
    }
    return x;
  }

  std::vector<double> nextStart() {
    if (nextLattice_ == lattices_.size()) return randomStart();
    std::vector<double> x;
    for (const Tocka& p : lattices_[nextLattice_++].points) x.insert(x.end(), {p.x, p.y});
    return x;
  }

  // Keeps the placement if the evaluator's cost of it is the least so far.
  void consider(const std::vector<double>& x) {
    const std::vector<Tocka> tocke = centres(x);
    const double cena = placementCost(radii_, tocke);
    if (best_.cena < 0 || cena < best_.cena) {
      best_.tocke = tocke;
      best_.cena = cena;
    }
    if (status_ != nullptr) status_->cena = best_.cena;
  }

  std::vector<double> fromBest() const {
    std::vector<double> x;
    for (const Tocka& p : best_.tocke) x.insert(x.end(), {p.x, p.y});
    return x;
  }

  // First on the overlap energy, whose zeros are the placements of cost 0.
  void settleFirstStart() {
    current_ = nextStart();
    // A start may already be free of overlap, as a lattice of the circles'
    // diameter is, to within the touching tolerance.
    consider(current_);
    if (best_.cena > 0) {
      currentValue_ = minimiseWhole(current_);
      consider(current_);
    }
  }

  // If much of the budget goes by without a placement of cost 0: on the
  // cost itself, from the best placement so far.
  void toTheCost() {
    term_ = lensTerm;
    current_ = fromBest();
    currentValue_ = minimiseWhole(current_);
    consider(current_);
  }

  // Unequal circles are annealed first, where discs trade places by the
  // million, from a heat scaled to the start's energy per disc.
  void anneal() {
    if (!(currentValue_ > 0 && std::isfinite(currentValue_))) return;
    annealWithSwaps(radii_, current_, random_, budget_, kAnnealUntil, kHeat * currentValue_ / n_,
                    [this](const std::vector<double>& x) { consider(x); });
    currentValue_ = minimiseWhole(current_);
    consider(current_);
  }

  // Then a circle trades places with a neighbour of another size, and the
  // two and the circles around them settle while all others stay: a trade
  // that needs its neighbourhood to make room. Now and then the whole
  // placement settles again.
  void tradeInPatches() {
    for (int moves = 0; best_.cena > 0 && !budget_.exhausted(); ++moves) {
      if (term_ == depthTerm && budget_.spent() > kUnequalCostFrom) toTheCost();
      if (moves % kMovesPerSweep == kMovesPerSweep - 1) {
        currentValue_ = minimiseWhole(current_);
        consider(current_);
      }
      // On the cost, every other move shakes a patch instead: coinciding
      // discs, say, have no gradient of area to part them.
      patchMove(term_ == lensTerm && moves % 2 == 1);
    }
  }

  // A circle of another size near circle a, or -1 where there is none.
  int tradePartner(int a) {
    std::vector<int> near;
    for (int c = 0; c < n_; ++c) {
      const double dx = current_[2 * c] - current_[2 * a];
      const double dy = current_[2 * c + 1] - current_[2 * a + 1];
      if (dx * dx + dy * dy < 9 * typical_ * typical_ &&
          std::abs(radii_[c] - radii_[a]) > 0.1 * typical_) {
        near.push_back(c);
      }
    }
    return near.empty() ? -1 : near[random_() % near.size()];
  }

  // One local move, a trade or a shake, settled in its patch and kept if
  // the whole placement's objective falls.
  void patchMove(bool shaking) {
    const int a = static_cast<int>(random_() % n_);
    const int b = shaking ? a : tradePartner(a);
    if (b < 0) return;
    std::vector<double> trial = current_;
    std::swap(trial[2 * a], trial[2 * b]);
    std::swap(trial[2 * a + 1], trial[2 * b + 1]);
    std::vector<int> moving;
    for (int i = 0; i < n_; ++i) {
      for (int centre : {a, b}) {
        if (std::hypot(trial[2 * i] - trial[2 * centre], trial[2 * i + 1] - trial[2 * centre + 1]) <
            kPatchReach * typical_) {
          moving.push_back(i);
          break;
        }
      }
    }
    if (shaking) {
      for (int i : moving) {
        trial[2 * i] += 0.1 * typical_ * (2 * unitDraw(random_) - 1);
        trial[2 * i + 1] += 0.1 * typical_ * (2 * unitDraw(random_) - 1);
      }
    }
    const TPatch patch(radii_, trial, moving, typical_);
    std::vector<double> local = patch.coordinates(), gradient;
    const TTerm term = term_;
    minimise([&](const std::vector<double>& at,
                 std::vector<double>& g) { return patch.sum(term, at, g); },
             local, budget_, static_cast<double>(moving.size()) / n_);
    patch.place(local, trial);
    if (budget_.exhausted()) return;
    const double trialValue = overlapSum(term_, radii_, trial, gradient);
    budget_.spend();
    if (trialValue < currentValue_) {
      current_.swap(trial);
      currentValue_ = trialValue;
      consider(current_);
    }
  }

  // Equal circles: monotonic basin hopping. Shake the current minimum,
  // minimise again, keep the lower; after a run of failures, start afresh.
  void hopBasins() {
    double shake = 1.5 * typical_;
    int patience = 5;
    int failures = 0;
    while (best_.cena > 0 && !budget_.exhausted()) {
      if (term_ == depthTerm && budget_.spent() > 0.5) {
        toTheCost();
        shake = 0.1 * typical_;
        patience = 20;
        failures = 0;
        continue;
      }
      std::vector<double> trial = current_;
      for (double& c : trial) c += shake * (2 * unitDraw(random_) - 1);
      const double trialValue = minimiseWhole(trial);
      if (trialValue < currentValue_) {
        current_.swap(trial);
        currentValue_ = trialValue;
        failures = 0;
        consider(current_);
      } else if (++failures >= patience) {
        current_ = term_ == depthTerm ? nextStart() : fromBest();
        currentValue_ = minimiseWhole(current_);
        failures = 0;
        consider(current_);
      }
    }
  }

  const std::vector<double>& radii_;
  const int n_;
  std::mt19937_64 random_;
  TBudget budget_;
  TSearchStatus* status_;
  double typical_;
  bool unequal_;
  std::vector<TLattice> lattices_;
  std::size_t nextLattice_ = 0;
  TSearchResult best_;
  TTerm term_ = depthTerm;
  std::vector<double> current_;
  double currentValue_ = 0;
};

}  // namespace

TSearchResult searchPlacement(const std::vector<double>& radii, std::uint64_t seed,
                              const TSearchLimits& limits, TSearchStatus* status) {
  return TSearch(radii, seed, limits, status).run();
}
