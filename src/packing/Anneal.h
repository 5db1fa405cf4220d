#pragma once

#include <functional>
#include <random>
#include <vector>

#include "packing/Budget.h"

namespace packing_detail {

// Anneals a placement of unequal discs on the overlap energy (the sum of
// squared depths) until `until` of the budget is spent: Metropolis moves
// that shift one disc a little or make two neighbouring discs trade places,
// at a temperature that falls from `hot` ten thousandfold. The trades sort
// the discs into the holes that suit their sizes, which moves of the
// centres alone cannot, and the heat lets the whole arrangement re-form
// around them: a dense placement so settles far denser than by descent.
// Shows `look` the placement, in circle order, every few dozen sweeps, so
// that the best one met is kept. Leaves x at the last state, not minimised,
// with the centres in the square.
void annealWithSwaps(const std::vector<double>& radii, std::vector<double>& x,
                     std::mt19937_64& random, TBudget& budget, double until, double hot,
                     const std::function<void(const std::vector<double>&)>& look);

}  // namespace packing_detail
