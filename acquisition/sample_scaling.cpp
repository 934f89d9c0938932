#include "acquisition/sample_scaling.h"

#include <cmath>

namespace {

// The smallest magnitude that rounds to infinity in single precision: FLT_MAX plus half
// of its last place.
const long double kSingleOverflow = std::ldexp(2.0L - std::ldexp(1.0L, -24), 127);

}  // namespace

bool FitsSingle(long double value) { return std::fabs(value) < kSingleOverflow; }

float StoreSingle(long double value) {
  if (!FitsSingle(value)) throw EOverflow();
  return static_cast<float>(value);
}

bool TryScaleSample(float raw, float factor, float offset, float& scaled) {
  const double value = static_cast<double>(raw) * static_cast<double>(factor) + static_cast<double>(offset);
  if (!FitsSingle(value)) return false;
  scaled = static_cast<float>(value);
  return true;
}

float ScaleSample(float raw, float factor, float offset) {
  float scaled = 0;
  if (!TryScaleSample(raw, factor, offset, scaled)) throw EOverflow();
  return scaled;
}
