#include "analysis/spectral_peak.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "analysis/decibel.h"

namespace {

struct TVertex {
  double Offset;   // from the middle point, in steps
  double Decibel;  // the parabola's value there
};

// The highest point of the parabola through (-1, below), (0, at), (1, above), no further
// than limit from the middle; the middle point when the three do not bend downward. The
// limit keeps a nearly straight triple from throwing the estimate far away.
TVertex ParabolaVertex(double below, double at, double above, double limit) {
  const double curvature = below - 2 * at + above;
  if (!(curvature < 0)) return {0, at};
  const double offset = std::clamp(0.5 * (below - above) / curvature, -limit, limit);
  return {offset, at + 0.5 * (above - below) * offset + 0.5 * curvature * offset * offset};
}

// |sum of weighted[i] e^(-2 pi j f i)| at three frequencies (cycles per sample) in one
// pass: three independent rotations keep the processor's pipeline full. The complex
// products are written out, as std::complex's carry a library call for infinities.
std::array<double, 3> TransformMagnitudes(std::span<const float> weighted,
                                          const std::array<double, 3>& f) {
  double stepRe[3], stepIm[3], re[3] = {1, 1, 1}, im[3] = {}, sumRe[3] = {}, sumIm[3] = {};
  for (size_t m = 0; m < 3; ++m) {
    stepRe[m] = std::cos(2 * std::numbers::pi * f[m]);
    stepIm[m] = -std::sin(2 * std::numbers::pi * f[m]);
  }
  for (float value : weighted) {
    for (size_t m = 0; m < 3; ++m) {
      sumRe[m] += double(value) * re[m];
      sumIm[m] += double(value) * im[m];
      const double rotated = re[m] * stepRe[m] - im[m] * stepIm[m];
      im[m] = re[m] * stepIm[m] + im[m] * stepRe[m];
      re[m] = rotated;
    }
  }
  const auto magnitude = [&](size_t m) {
    return std::sqrt(sumRe[m] * sumRe[m] + sumIm[m] * sumIm[m]);
  };
  return {magnitude(0), magnitude(1), magnitude(2)};
}

}  // namespace

TSpectralPeak FindPeak(std::span<const float> weighted, std::span<const double> amplitude,
                       double windowSum, double sampleRate) {
  const size_t nyquist = amplitude.size() - 1;
  const double fftSize = 2.0 * double(nyquist);
  const size_t k =
      size_t(std::max_element(amplitude.begin() + 1, amplitude.end()) - amplitude.begin());
  if (k == nyquist || amplitude[k] == 0) return {k, double(k) / fftSize * sampleRate, amplitude[k]};

  const TVertex coarse = ParabolaVertex(Decibel(amplitude[k - 1]), Decibel(amplitude[k]),
                                        Decibel(amplitude[k + 1]), 0.5);
  double frequency = (double(k) + coarse.Offset) / fftSize;
  double peakDecibel = coarse.Decibel;
  // Steps in units of the block's own resolution, which zero padding does not change. The
  // first estimate can be 0.2 bin off (rectangular window), so a vertex up to three steps
  // out is taken.
  for (double bins : {0.1, 0.01}) {
    const double step = bins / double(weighted.size());
    const auto m = TransformMagnitudes(weighted, {frequency - step, frequency, frequency + step});
    const TVertex fine = ParabolaVertex(Decibel(m[0]), Decibel(m[1]), Decibel(m[2]), 3);
    frequency += fine.Offset * step;
    peakDecibel = fine.Decibel;
  }
  return {k, frequency * sampleRate, std::pow(10, peakDecibel / 20) * 2 / windowSum};
}
