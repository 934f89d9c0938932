#include "chart/scale_ticks.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kLog10Of2 = 0.30103;
constexpr double kLog10Of5 = 0.69897;
// Slack for values that should sit exactly on a decade but carry rounding noise.
constexpr double kDecadeSlack = 0.999999999;

// Moves `first` by whole steps until it is the first position at or past lo (within a
// thousandth of a step). Starting one or two steps before lo, a few steps always do;
// the bound keeps a step below the resolution of `first` from spinning.
double AdvanceToRange(double first, double step, double lo, double dir) {
  for (int i = 0; i < 4 && dir * (lo - first) > 0.001 * std::abs(step); ++i) first += step;
  return first;
}

void AddLinearTicks(const TTickOptions& o, std::vector<TTick>& ticks) {
  const TLinearTickStep s = NiceTickStep(o.RangeLow, o.RangeHigh, o.MinTicks);
  if (s.Step == 0 || !std::isfinite(s.First) || !std::isfinite(s.Step)) return;
  const double lo = o.RangeLow, hi = o.RangeHigh;
  const double dir = lo < hi ? 1.0 : -1.0;
  if (o.ShortTicks) {
    const double minorStep = s.Step / s.MinorIntervals;
    const double start = s.First - s.Step;
    for (int k = 0; k < kMaxTicksPerPass; ++k) {
      const double pos = start + k * minorStep;
      if (dir * (pos - hi) > 0.001 * std::abs(minorStep)) break;
      if (dir * pos < dir * lo) continue;
      ticks.push_back({pos, tkMinor});
    }
  }
  for (int k = 0; k < kMaxTicksPerPass; ++k) {
    const double pos = s.First + k * s.Step;
    if (dir * (pos - hi) > 0.001 * std::abs(s.Step)) break;
    ticks.push_back({pos, tkMajor});
  }
}

void AddDecadeTicks(const TTickOptions& o, std::vector<TTick>& ticks) {
  const double min = std::min(o.RangeLow, o.RangeHigh);
  const double max = std::max(o.RangeLow, o.RangeHigh);
  const double decades = std::abs(std::log10(max) - std::log10(min));
  const bool inner = ClampMinTicks(o.MinTicks) > decades + 0.5;
  const auto visible = [&](double t) { return t / kDecadeSlack > min && t * kDecadeSlack < max; };
  // Exponents of positive doubles lie within about -324..309; the bound is only a guard.
  for (int e = int(std::floor(std::log10(min * kDecadeSlack))); e <= 310; ++e) {
    const double d = std::pow(10.0, e);
    if (visible(d)) ticks.push_back({d, tkDecade});
    if (inner) {
      for (int m = 2; m <= 9; ++m) {
        const bool major = m == 2 || m == 5;
        const double t = m * d;
        if ((major || o.ShortTicks) && visible(t)) ticks.push_back({t, major ? tkMajor : tkMinor});
      }
    }
    if (!(max >= kDecadeSlack * 10 * d)) break;
  }
}

}  // namespace

int ClampMinTicks(int minTicks) {
  return minTicks == 0 ? 0 : std::clamp(minTicks, 2, 10);
}

TLinearTickStep NiceTickStep(double lo, double hi, int minTicks) {
  TLinearTickStep s;
  if (lo == hi || !std::isfinite(lo) || !std::isfinite(hi)) {
    s.First = lo;
    return s;
  }
  const double dir = lo < hi ? 1.0 : -1.0;
  const double span = std::abs(hi - lo);
  const int n = ClampMinTicks(minTicks);
  if (n == 0) {
    // A fixed step of one unit; it follows the axis direction, as every step does, so
    // that a reversed axis runs from lo towards hi.
    s.Step = dir;
    s.MinorIntervals = span > 10 ? 1 : 5;
  } else {
    double L = std::log10(span / n);
    double F = L - std::trunc(L);
    if (std::abs(F) < 1e-10 || std::abs(F) > 0.9999999999) {
      F = 0;
      L = std::round(L);
    }
    if (L < 0 && F != 0) L -= 1;
    if (F < 0) F += 1;
    double mantissa = 5;
    s.MinorIntervals = 5;
    if (F < kLog10Of2 + 1e-10) {
      mantissa = 1;
    } else if (F < kLog10Of5 + 1e-10) {
      mantissa = 2;
      s.MinorIntervals = 4;
    }
    s.Step = mantissa * std::pow(10.0, std::trunc(L)) * dir;
  }
  if (s.Step == 0 || !std::isfinite(s.Step)) {
    s = TLinearTickStep{};
    s.First = lo;
    return s;
  }
  s.First = AdvanceToRange((std::trunc(lo / s.Step) - 1) * s.Step, s.Step, lo, dir);
  return s;
}

bool DrawsDecades(double lo, double hi, bool logarithmic) {
  if (!logarithmic || !(lo > 0) || !(hi > 0) || !std::isfinite(lo) || !std::isfinite(hi)) return false;
  return std::abs(std::log10(hi) - std::log10(lo)) >= 1;
}

void ComputeTicks(const TTickOptions& options, std::vector<TTick>& ticks) {
  ticks.clear();
  if (DrawsDecades(options.RangeLow, options.RangeHigh, options.Logarithmic)) {
    AddDecadeTicks(options, ticks);
  } else {
    AddLinearTicks(options, ticks);
  }
}
