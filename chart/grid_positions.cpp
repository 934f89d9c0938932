#include "chart/grid_positions.h"

#include <cmath>

namespace {

// The decade exponent of v and v's leading digit in it.
struct TDecade {
  double Power;  // 10^t
  double Mantissa;  // round(v / 10^t)
};

TDecade DecadeOf(double v) {
  double exponent = std::log10(v);
  const double nearest = std::round(exponent);
  if (std::fabs(exponent - nearest) < 1e-14) exponent = nearest;
  const double power = std::pow(10.0, std::floor(exponent));
  double mantissa = std::round(v / power);
  return {power, mantissa};
}

double First(const TGridAxis& a) {
  const double g = a.Step;
  if (g == 0) return a.Ticks.empty() ? a.Low : a.Ticks[0];
  if (g > 0 || !a.Logarithmic) return g * std::ceil(a.Low / g);
  if (g == -1) return std::pow(10.0, std::ceil(std::log10(a.Low)));
  const double t = std::floor(std::log10(a.Low));
  const double power = std::pow(10.0, t);
  const double m = std::round(a.Low / power);
  if (g == -2) return power * (m <= 2 ? 2 : m <= 5 ? 5 : 10);
  if (g == -3) return power * m;
  return a.Low;
}

// n counts the positions from 1; v is position n.
double Next(const TGridAxis& a, double v, int n) {
  const double g = a.Step;
  if (g == 0) return size_t(n) < a.Ticks.size() ? a.Ticks[size_t(n)] : a.High;
  if (g > 0 || !a.Logarithmic) return v + std::fabs(g);
  if (g == -1) return 10 * v;
  TDecade d = DecadeOf(v);
  if (d.Mantissa >= 10) d = {d.Power * 10, 1};
  if (g == -2) return d.Power * (d.Mantissa < 2 ? 2 : d.Mantissa < 5 ? 5 : 10);
  return (d.Mantissa + 1) * d.Power;
}

}  // namespace

int GridPositions(const TGridAxis& axis, TGridPositions& positions) {
  int count = 0;
  for (double v = First(axis); count < kMaxGridPositions && v < axis.High; v = Next(axis, v, count)) {
    positions[size_t(count++)] = v;
  }
  return count;
}
