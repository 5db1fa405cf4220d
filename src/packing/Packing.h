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
