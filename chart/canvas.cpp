#include "chart/canvas.h"

#include <algorithm>
#include <climits>
#include <cmath>

int TFont::SizePoints() const {
  return int(std::lround(std::abs(double(Height)) * 72.0 / kPixelsPerInch));
}

// Sizes come from session files too: the height is kept inside the int range.
void TFont::SetSizePoints(int points) {
  const double pixels = std::round(points * double(kPixelsPerInch) / 72.0);
  Height = -int(std::clamp(pixels, -double(INT_MAX), double(INT_MAX)));
}
