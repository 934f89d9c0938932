#pragma once
// Figures of a range of samples, such as the visible part of a channel.

#include <cstddef>
#include <span>

struct TStatistics {
  size_t Count = 0;
  double Min, Max, Mean;
  double Rms;         // sqrt(mean of the squares)
  double StdDev;      // population form (divided by Count): the RMS of the signal without its mean
  double PeakToPeak;  // Max - Min
};

// Two passes (the mean, then the deviations from it with their rounding corrected), so
// that a small signal on a large offset keeps its digits. With no values every figure but
// Count is NaN.
TStatistics ComputeStatistics(std::span<const double> values);
