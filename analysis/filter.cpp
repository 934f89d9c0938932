#include "analysis/filter.h"

#include "analysis/biquad_cascade.h"
#include "analysis/butterworth.h"
#include "analysis/median_filter.h"
#include "analysis/moving_average.h"

std::vector<double> TFilter::Apply(std::span<const double> curve) {
  Reset();
  std::vector<double> filtered(curve.size());
  for (size_t i = 0; i < curve.size(); ++i) filtered[i] = Step(curve[i]);
  return filtered;
}

std::unique_ptr<TFilter> MakeFilter(const TFilterDesign& design) {
  CheckFilterDesign(design);
  switch (design.Kind) {
    case fkMovingAverage:
      return std::make_unique<TMovingAverage>(design.Length);
    case fkMedian:
      return std::make_unique<TMedianFilter>(design.Length);
    default:
      return std::make_unique<TBiquadCascade>(DesignSections(design));
  }
}
