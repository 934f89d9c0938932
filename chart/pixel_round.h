#pragma once
// From a mapped coordinate to a pixel: limited to the int32 range and rounded to the
// nearest integer, ties to even.

#include <cmath>
#include <cstdint>

constexpr double kMaxPixelCoordinate = 2147483647.0;

inline int32_t RoundToPixel(double v) {
  if (std::isnan(v)) return 0;
  if (v > kMaxPixelCoordinate) v = kMaxPixelCoordinate;
  if (v < -kMaxPixelCoordinate) v = -kMaxPixelCoordinate;
  return int32_t(std::nearbyint(v));
}
