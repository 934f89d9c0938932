#pragma once
// The mean of the newest Length samples.

#include <cstddef>
#include <vector>

#include "analysis/filter.h"

class TMovingAverage : public TFilter {
 public:
  explicit TMovingAverage(int length);
  double Step(double input) override;
  void Reset() override;

 private:
  std::vector<double> Window_;
  size_t Next_ = 0;  // the oldest sample, replaced by the next one
  double Sum_ = 0;
};
