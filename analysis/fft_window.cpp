#include "analysis/fft_window.h"

#include <cmath>
#include <numbers>

namespace {

struct TCosineTerms {
  double A0, A1, A2;
};

// Each window is a sum of cosines: a0 - a1 cos(2 pi i / n) + a2 cos(4 pi i / n).
TCosineTerms Terms(TFftWindow window) {
  switch (window) {
    case fwHann:
      return {0.5, 0.5, 0};
    case fwHamming:
      return {0.54, 0.46, 0};
    case fwBlackman:
      return {0.42, 0.5, 0.08};
    case fwRectangular:
      break;
  }
  return {1, 0, 0};
}

}  // namespace

void FillWindow(TFftWindow window, std::span<double> weights) {
  const TCosineTerms t = Terms(window);
  const double step = 2 * std::numbers::pi / double(weights.size());
  for (size_t i = 0; i < weights.size(); ++i) {
    const double phase = step * double(i);
    weights[i] = t.A0 - t.A1 * std::cos(phase) + t.A2 * std::cos(2 * phase);
  }
}
