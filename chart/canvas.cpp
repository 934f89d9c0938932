#include "chart/canvas.h"

#include <cmath>

int TFont::SizePoints() const {
  return int(std::lround(std::abs(Height) * 72.0 / kPixelsPerInch));
}

void TFont::SetSizePoints(int points) {
  Height = -int(std::lround(points * double(kPixelsPerInch) / 72.0));
}
