#include "analysis/moving_average.h"

#include <algorithm>
#include <numeric>

TMovingAverage::TMovingAverage(int length) : Window_(size_t(length)) {}

double TMovingAverage::Step(double input) {
  Sum_ += input - Window_[Next_];
  Window_[Next_] = input;
  if (++Next_ == Window_.size()) {
    Next_ = 0;
    // A running sum keeps the rounding of every sample that has passed through it; adding
    // the window afresh once per length bounds that error at no cost per sample.
    Sum_ = std::accumulate(Window_.begin(), Window_.end(), 0.0);
  }
  return Sum_ / double(Window_.size());
}

void TMovingAverage::Reset() {
  std::fill(Window_.begin(), Window_.end(), 0.0);
  Next_ = 0;
  Sum_ = 0;
}
