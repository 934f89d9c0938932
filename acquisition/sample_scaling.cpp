#include "acquisition/sample_scaling.h"

#include <cmath>

namespace {

// The smallest magnitude that rounds to infinity in single precision: FLT_MAX plus half
// of its last place.
const long double kSingleOverflow = std::ldexp(2.0L - std::ldexp(1.0L, -24), 127);

}  // namespace

float StoreSingle(long double value) {
  if (!(std::fabs(value) < kSingleOverflow)) throw EOverflow();
  return static_cast<float>(value);
}

float ScaleSample(float raw, float factor, float offset) {
  return StoreSingle(static_cast<double>(raw) * static_cast<double>(factor) + static_cast<double>(offset));
}
