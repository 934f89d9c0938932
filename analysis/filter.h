#pragma once
// A digital filter that runs sample by sample: live while acquiring, or over a finished
// curve. Every filter starts at rest, as if all earlier inputs had been 0, which is also
// how the copied C code behaves with its state zeroed.

#include <memory>
#include <span>
#include <vector>

#include "analysis/filter_design.h"

class TFilter {
 public:
  virtual ~TFilter() = default;
  // The output for the next input sample. Allocates nothing.
  virtual double Step(double input) = 0;
  // Back to rest.
  virtual void Reset() = 0;
  // The filtered copy of a whole curve, from rest.
  std::vector<double> Apply(std::span<const double> curve);
};

// Throws EAnalysisError for a bad design.
std::unique_ptr<TFilter> MakeFilter(const TFilterDesign& design);
