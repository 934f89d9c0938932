#pragma once
// From a mapped coordinate to a pixel: limited to the int32 range and rounded to the
// nearest integer, ties to even; NaN gives 0.

#include <algorithm>
#include <cmath>
#include <cstdint>

inline int32_t RoundToPixel(long double v) {
  if (std::isnan(v)) return 0;
  return int32_t(std::nearbyint(std::clamp(v, -2147483647.0L, 2147483647.0L)));
}
