#pragma once
// Second-order sections in series, each in transposed direct form II with double-precision
// state.

#include <vector>

#include "analysis/biquad.h"
#include "analysis/filter.h"

class TBiquadCascade : public TFilter {
 public:
  explicit TBiquadCascade(std::vector<TBiquad> sections);
  double Step(double input) override;
  void Reset() override;

 private:
  struct TState {
    double S1 = 0, S2 = 0;
  };
  std::vector<TBiquad> Sections_;
  std::vector<TState> State_;
};
