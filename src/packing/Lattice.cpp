#include "packing/Lattice.h"

#include <algorithm>
#include <cmath>

namespace {

// k rows of points, a to a row; alternate rows may be shifted by `offset`
// and hold `b` points. Rows lie 1 / (k - 1) apart, the points of a row
// `step` apart, the first at 0 (or `offset`).
struct TRows {
  int k, a, b;
  double step, offset;

  double rowGap() const { return k > 1 ? 1.0 / (k - 1) : 2.0; }
  int capacity() const { return (k + 1) / 2 * a + k / 2 * b; }
  // The smallest distance: along a row, between neighbouring rows, whose
  // nearest points lie `offset` apart across (or step - offset), or between
  // rows two apart, whose points lie straight above one another.
  double spacing() const {
    const double along = a > 1 || b > 1 ? step : 2.0;
    const double across = std::min(offset, std::fabs(step - offset));
    return std::min({along, std::hypot(across, rowGap()), 2 * rowGap()});
  }
};

// Equal rows of a points, alternate ones shifted as far as the width allows
// and the row gap needs: the hexagonal lattice stretched or sheared to fit.
TRows shiftedRows(int k, int a) {
  if (a == 1) return {k, 1, 1, 2.0, 1.0};
  // The spacing is the smaller of a rising step and a falling diagonal: the
  // best step lies where they meet, found by bisection.
  auto spacingAt = [&](double step) {
    return TRows{k, a, a, step, std::max(0.0, 1 - (a - 1) * step)}.spacing();
  };
  double low = 1 / (a - 0.5), high = 1.0 / (a - 1);
  for (int i = 0; i < 100; ++i) {
    const double middle = (low + high) / 2;
    const double diagonal =
        std::hypot(std::max(0.0, 1 - (a - 1) * middle), TRows{k, a, a, 0, 0}.rowGap());
    (middle < diagonal ? low : high) = middle;
  }
  const double step = spacingAt(low) >= spacingAt(high) ? low : high;
  return {k, a, a, step, std::max(0.0, 1 - (a - 1) * step)};
}

std::vector<Tocka> pointsOf(const TRows& rows, int n, bool turned) {
  std::vector<Tocka> points;
  for (int row = 0; row < rows.k && static_cast<int>(points.size()) < n; ++row) {
    const bool shifted = row % 2 == 1;
    const int count = shifted ? rows.b : rows.a;
    const double y = rows.k > 1 ? row * rows.rowGap() : 0.5;
    for (int j = 0; j < count && static_cast<int>(points.size()) < n; ++j) {
      const double x = std::min(1.0, (shifted ? rows.offset : 0.0) + j * rows.step);
      points.push_back(turned ? Tocka{y, x} : Tocka{x, y});
    }
  }
  return points;
}

}  // namespace

std::vector<TLattice> latticeStarts(int n, int count) {
  std::vector<std::pair<TRows, bool>> candidates;
  for (int k = 1; k <= n; ++k) {
    // The fewest points a row may hold, for each kind.
    const int square = (n + k - 1) / k;
    candidates.push_back(
        {TRows{k, square, square, square > 1 ? 1.0 / (square - 1) : 2.0, 0}, false});
    candidates.push_back({shiftedRows(k, square), false});
    // Staggered: long rows of a, short ones of a - 1 between their points.
    int a = 2;
    while (TRows{k, a, a - 1, 0, 0}.capacity() < n) ++a;
    candidates.push_back({TRows{k, a, a - 1, 1.0 / (a - 1), 0.5 / (a - 1)}, false});
  }
  const std::size_t kinds = candidates.size();
  for (std::size_t i = 0; i < kinds; ++i) candidates.push_back({candidates[i].first, true});
  std::stable_sort(candidates.begin(), candidates.end(), [](const auto& p, const auto& q) {
    return p.first.spacing() > q.first.spacing();
  });
  std::vector<TLattice> starts;
  for (const auto& [rows, turned] : candidates) {
    if (static_cast<int>(starts.size()) == count) break;
    if (rows.capacity() < n) continue;
    starts.push_back({rows.spacing(), pointsOf(rows, n, turned)});
  }
  return starts;
}
