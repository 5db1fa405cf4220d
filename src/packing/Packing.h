#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "scoring/Geometry.h"

// The search for a placement of least cost: the optimiser behind
// Tql25Mirvasta-solve and the generator's --place solve.

// How long the search for one case may run. A limit below 0 is none.
struct TSearchLimits {
  // Evaluations of the energy of the whole placement (a patch's counts as
  // its share of the circles, a sweep of annealing as the evaluations it
  // takes the time of): the unit of work, the same on every machine.
  // With a step limit every decision of the search follows the steps, so
  // that a seed gives the same placement at any load.
  long steps = -1;
  // Wall-clock seconds, a cap on top of the steps; at least one of the two
  // limits must be set.
  double seconds = 10;
  // Unless null, a flag that ends the search as soon as it is set, with the
  // best placement so far.
  const std::atomic<bool>* stop = nullptr;
};

// How far a running search has come, for progress lines from another thread.
struct TSearchStatus {
  std::atomic<double> cena{-1};  // The least cost so far; -1 before the first.
  std::atomic<long> steps{0};
};

struct TSearchResult {
  std::vector<Tocka> tocke;  // Centres in the unit square.
  double cena = 0;           // The evaluator's cost of the placement.
  long steps = 0;            // Evaluations used: never more than the step limit.
  bool stopped = false;      // Ended by the stop flag, before a limit or cost 0.
};

// The least costly placement found for circles of these radii, in circle
// order; the search stops at cost 0 or at a limit. A seed and a step limit
// that binds before any time limit give the same result on every run. The
// status, unless null, follows the search.
TSearchResult searchPlacement(const std::vector<double>& radii, std::uint64_t seed,
                              const TSearchLimits& limits, TSearchStatus* status = nullptr);

namespace packing_detail {

// A pair's term of an objective, for discs of radii rj and rk whose centres
// lie d apart and overlap, and in `slope` its derivative by d.
using TTerm = double (*)(double rj, double rk, double d, double& slope);

// The squared depth by which the discs penetrate each other: the energy whose
// sum is 0 exactly where no two discs overlap, and which unlike a lens's area
// keeps pushing apart a disc that lies inside another.
double depthTerm(double rj, double rk, double d, double& slope);

double powerTerm(double rj, double rk, double d, double& slope);
// The lens area, the cost's own term: d(area)/dd is minus the common chord.
double lensTerm(double rj, double rk, double d, double& slope);

// The sum of a term over every overlapping pair of centres x = (x0, y0, x1,
// y1, ...) with these radii; fills `gradient`. (The minimiser keeps the
// centres in the square.)
double overlapSum(TTerm term, const std::vector<double>& radii, const std::vector<double>& x,
                  std::vector<double>& gradient);

// A few circles that move while all others stay: the sum of a term over the
// pairs that involve a moving circle, of all those that may come to overlap
// while it moves less than `margin`. Cheap where the circles are few, so that
// a local move can settle many times over in the time of one minimisation of
// the whole placement.
class TPatch {
 public:
  // `x` must outlive the patch.
  TPatch(const std::vector<double>& radii, const std::vector<double>& x, std::vector<int> moving,
         double margin);

  // The moving circles' coordinates, from x.
  std::vector<double> coordinates() const;
  // The sum at the moving circles' coordinates `local`; fills `gradient`.
  double sum(TTerm term, const std::vector<double>& local, std::vector<double>& gradient) const;
  // Writes the moving circles' coordinates into x.
  void place(const std::vector<double>& local, std::vector<double>& x) const;

 private:
  struct TPair {
    int a;  // The moving circle's slot.
    int j;  // The other circle.
  };
  const std::vector<double>& radii_;
  const std::vector<double>& x_;
  std::vector<int> moving_;
  std::vector<int> slot_;  // Each circle's place among the moving ones, or -1.
  std::vector<TPair> pairs_;
};

}  // namespace packing_detail
