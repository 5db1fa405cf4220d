#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "scoring/Geometry.h"

// The search for a placement of least cost: the optimiser behind
// Tql25Mirvasta-solve and the generator's --place solve.

// How long the search for one case may run. A limit below 0 is none.
struct TSearchLimits {
  // Evaluations of the overlap energy: the unit of work, the same on every
  // machine. With a step limit every decision of the search follows the
  // steps, so that a seed gives the same placement at any load.
  long steps = -1;
  // Wall-clock seconds, a cap on top of the steps; at least one of the two
  // limits must be set.
  double seconds = 10;
};

// How far a running search has come, for progress lines from another thread.
struct TSearchStatus {
  std::atomic<double> cena{-1};  // The least cost so far; -1 before the first.
  std::atomic<long> steps{0};
};

struct TSearchResult {
  std::vector<Tocka> tocke;  // Centres in the unit square.
  double cena = 0;           // The evaluator's cost of the placement.
  long steps = 0;            // Evaluations used.
};

// The least costly placement found for circles of these radii, in circle
// order; the search stops at cost 0 or at a limit. A seed and a step limit
// that binds before any time limit give the same result on every run. The
// status, unless null, follows the search.
TSearchResult searchPlacement(const std::vector<double>& radii, std::uint64_t seed,
                              const TSearchLimits& limits, TSearchStatus* status = nullptr);

namespace packing_detail {

// The overlap energy of centres x = (x0, y0, x1, y1, ...) with these radii:
// the squared depths by which discs penetrate one another and centres leave
// the square. It is 0 exactly where no two discs overlap and every centre
// lies in the square, and unlike a lens's area it keeps pushing apart a disc
// that lies inside another. Fills `gradient`.
double overlapEnergy(const std::vector<double>& radii, const std::vector<double>& x,
                     std::vector<double>& gradient);

// The cost itself, the sum of the lens areas, with a stiff wall that keeps
// the centres in the square. d(area)/dd is minus the common chord's length.
double overlapArea(const std::vector<double>& radii, const std::vector<double>& x,
                   std::vector<double>& gradient);

}  // namespace packing_detail
