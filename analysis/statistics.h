#pragma once
// Figures of a range of samples, such as the visible part of a channel.

#include <cstddef>
#include <limits>
#include <span>

struct TStatistics {
  static constexpr double None = std::numeric_limits<double>::quiet_NaN();
  size_t Count = 0;
  double Min = None, Max = None, Mean = None;
  double Rms = None;         // sqrt(mean of the squares)
  double StdDev = None;      // population form (divided by Count): the RMS without the mean
  double PeakToPeak = None;  // Max - Min
};

// Two passes (the mean, then the deviations from it with their rounding corrected), so
// that a small signal on a large offset keeps its digits. With no values every figure but
// Count is NaN.
TStatistics ComputeStatistics(std::span<const double> values);
