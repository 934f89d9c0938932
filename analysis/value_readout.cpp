#include "analysis/value_readout.h"

#include <algorithm>
#include <cmath>

std::optional<size_t> NearestSampleIndex(std::span<const double> xs, double x) {
  if (xs.empty() || std::isnan(x)) return std::nullopt;
  const auto above = std::lower_bound(xs.begin(), xs.end(), x);
  // The earlier sample wins a tie.
  const bool below = above == xs.end() || (above != xs.begin() && x - above[-1] <= *above - x);
  const auto nearest = below ? above - 1 : above;
  // The first of equal xs.
  return size_t(std::lower_bound(xs.begin(), nearest, *nearest) - xs.begin());
}

TReadoutDelta ReadoutDelta(const TReadoutPoint& reference, const TReadoutPoint& point) {
  TReadoutDelta delta{point.X - reference.X, point.Y - reference.Y, std::nullopt};
  if (delta.Dx != 0) delta.Frequency = 1 / std::abs(delta.Dx);
  return delta;
}
