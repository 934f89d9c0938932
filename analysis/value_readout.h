#pragma once
// The value readout under the mouse: the sample nearest the pointer's x, and the
// differences to a reference point set by a click.

#include <cstddef>
#include <optional>
#include <span>

// The index of the x nearest to x in ascending xs. Of two samples equally far, the earlier
// (lower index) wins, and of equal xs the first. Nothing for empty xs or a NaN x.
std::optional<size_t> NearestSampleIndex(std::span<const double> xs, double x);

struct TReadoutPoint {
  double X = 0, Y = 0;
};

struct TReadoutDelta {
  double Dx = 0, Dy = 0;            // point - reference
  std::optional<double> Frequency;  // 1 / |Dx|, the frequency whose period is Dx; none for Dx = 0
};

TReadoutDelta ReadoutDelta(const TReadoutPoint& reference, const TReadoutPoint& point);
