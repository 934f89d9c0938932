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

// A pixel figure summed in 64 bits (margins and offsets are stored as given), limited to
// the int32 range.
inline int32_t ClampToInt32(int64_t v) { return int32_t(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }
