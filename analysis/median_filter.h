#pragma once
// The median of the newest Length samples (Length odd): removes single spikes that a
// linear filter would only smear.

#include <cstddef>
#include <vector>

#include "analysis/filter.h"

class TMedianFilter : public TFilter {
 public:
  explicit TMedianFilter(int length);
  double Step(double input) override;
  void Reset() override;

 private:
  std::vector<double> Window_;  // in arrival order, a ring
  std::vector<double> Sorted_;  // the same values in ascending order
  size_t Next_ = 0;             // the oldest sample, replaced by the next one
};
