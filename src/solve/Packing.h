#pragma once

#include <cstdint>
#include <vector>

#include "scoring/Placement.h"

// The search for a placement of least cost: the optimiser behind
// Tql25Mirvasta-solve and the generator's --place solve.

// How long the search for one case may run. A limit below 0 is none.
struct TSearchLimits {
  // Evaluations of the overlap energy: the unit of work, the same on every
  // machine, so that a seed and a step limit give the same placement.
  long steps = -1;
  // Wall-clock seconds, a cap on top of the steps.
  double seconds = 10;
};

struct TSearchResult {
  std::vector<Tocka> tocke;  // Centres in the unit square.
  double cena = 0;           // The evaluator's cost of the placement.
  long steps = 0;            // Evaluations used.
};

// The least costly placement found for circles of these radii, in circle
// order; the search stops at cost 0 or at a limit. A seed and a step limit
// that binds before the time limit give the same result on every run.
TSearchResult searchPlacement(const std::vector<double>& radii, std::uint64_t seed,
                              const TSearchLimits& limits);

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
