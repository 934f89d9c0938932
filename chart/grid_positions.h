#pragma once
// Where the grid lines of one axis lie: at a fixed step, at decades and their subdivisions
// on a logarithmic axis, or at the ticks of the axis's scale.

#include <array>
#include <cstdint>
#include <span>

constexpr int kMaxGridPositions = 1000;

using TGridPositions = std::array<double, kMaxGridPositions>;

struct TGridAxis {
  double Low = 0;  // Low <= High
  double High = 1;
  bool Logarithmic = false;
  // GridDx or GridDy: > 0 a step in data units; 0 the scale's ticks; on a logarithmic
  // axis -1 decades, -2 the 1-2-5 steps, -3 every digit; another negative value is a
  // step of -Step on a linear axis.
  double Step = 0;
  std::span<const double> Ticks;  // the scale's tick list, in drawing order
};

// The positions below High, at most kMaxGridPositions; returns their number.
int GridPositions(const TGridAxis& axis, TGridPositions& positions);
