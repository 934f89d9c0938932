#include "analysis/median_filter.h"

#include <algorithm>
#include <compare>

namespace {

// IEEE total order: a NaN that reaches the filter sorts to an end instead of breaking the
// order the searches below rely on.
bool Before(double a, double b) { return std::strong_order(a, b) < 0; }

}  // namespace

TMedianFilter::TMedianFilter(int length) : Window_(size_t(length)), Sorted_(size_t(length)) {}

double TMedianFilter::Step(double input) {
  // The oldest value is in Sorted_ bit for bit, so the search finds it; the shifts move at
  // most Length values and allocate nothing.
  const auto oldest = std::lower_bound(Sorted_.begin(), Sorted_.end(), Window_[Next_], Before);
  const auto place = std::lower_bound(Sorted_.begin(), Sorted_.end(), input, Before);
  if (place <= oldest) {
    std::move_backward(place, oldest, oldest + 1);
    *place = input;
  } else {
    std::move(oldest + 1, place, oldest);
    *(place - 1) = input;
  }
  Window_[Next_] = input;
  Next_ = Next_ + 1 == Window_.size() ? 0 : Next_ + 1;
  return Sorted_[Sorted_.size() / 2];
}

void TMedianFilter::Reset() {
  std::fill(Window_.begin(), Window_.end(), 0.0);
  std::fill(Sorted_.begin(), Sorted_.end(), 0.0);
  Next_ = 0;
}
