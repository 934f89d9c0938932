#include "analysis/statistics.h"

#include <algorithm>
#include <cmath>

TStatistics ComputeStatistics(std::span<const double> values) {
  if (values.empty()) return {};
  const double n = double(values.size());
  double sum = 0;
  for (double v : values) sum += v;
  const double roughMean = sum / n;
  // The deviations from the rough mean sum to its error; taking that error out of both the
  // mean and the variance is the corrected two-pass algorithm.
  double deviations = 0, squares = 0;
  for (double v : values) {
    const double d = v - roughMean;
    deviations += d;
    squares += d * d;
  }
  const double mean = roughMean + deviations / n;
  const double variance = std::max(0.0, (squares - deviations * deviations / n) / n);
  const auto [min, max] = std::minmax_element(values.begin(), values.end());
  return {values.size(),       *min,       *max, mean, std::sqrt(mean * mean + variance),
          std::sqrt(variance), *max - *min};
}
