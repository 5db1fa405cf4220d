#pragma once

#include <vector>

#include "scoring/Placement.h"

// The cost of a placement: the lens areas of all pairs k < j, added for j
// ascending and k ascending inside it, the later circle's radius first.
double allPairsCost(const std::vector<double>& radii, const std::vector<Tocka>& tocke);

// The same sum, bit for bit, visiting only pairs that can overlap.
double placementCost(const std::vector<double>& radii, const std::vector<Tocka>& tocke);
