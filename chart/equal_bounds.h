#pragma once
// A range whose two ends are equal has no extent; it is widened around them: by a factor
// of 1.1 on a logarithmic axis, by MinRange on a linear one.

inline void WidenEqualBounds(double& low, double& high, bool logarithmic, double minRange) {
  if (low != high) return;
  if (logarithmic) {
    high *= 1.1;
    low /= 1.1;
  } else {
    high += minRange / 2;
    low -= minRange / 2;
  }
}
