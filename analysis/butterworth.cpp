#include "analysis/butterworth.h"

#include <cmath>
#include <numbers>

#include "analysis/analysis_error.h"
#include "analysis/frequency_unit.h"

namespace {

using TComplex = std::complex<double>;
constexpr double Pi = std::numbers::pi;

// The bilinear transform s = (1 - z^-1) / (1 + z^-1), whose frequency axis is tan(pi f).
TComplex ToZ(TComplex s) { return (1.0 + s) / (1.0 - s); }

double Prewarped(double cyclesPerSample) { return std::tan(Pi * cyclesPerSample); }

// A section from two z-plane poles (a conjugate pair or two real ones) and two real zeros,
// scaled to gain 1 at the reference frequency. A first-order section passes pole2 and
// zero2 as 0, which leaves B2 and A2 at 0.
TBiquad Section(TComplex pole1, TComplex pole2, double zero1, double zero2, double reference) {
  TBiquad s{1, -(zero1 + zero2), zero1 * zero2, -(pole1 + pole2).real(), (pole1 * pole2).real()};
  const double gain = std::abs(Response(s, reference));
  s.B0 /= gain;
  s.B1 /= gain;
  s.B2 /= gain;
  return s;
}

// The left-half-plane poles of the normalised order-n prototype with positive imaginary
// part; for odd n the real pole -1 follows last.
std::vector<TComplex> UpperPrototypePoles(int n) {
  std::vector<TComplex> poles;
  for (int k = 0; 2 * k + 1 < n; ++k)
    poles.push_back(std::polar(1.0, Pi / 2 + Pi * (2 * k + 1) / (2 * n)));
  if (n % 2 == 1) poles.push_back(-1);
  return poles;
}

std::vector<TBiquad> LowOrHighPass(int order, double cutoff, bool high) {
  const double w = Prewarped(cutoff);
  const double zero = high ? 1 : -1;  // at DC for the high pass, at Nyquist for the low pass
  const double reference = high ? 0.5 : 0.0;  // where the gain is 1
  std::vector<TBiquad> sections;
  for (TComplex p : UpperPrototypePoles(order)) {
    const TComplex z = ToZ(high ? w / p : w * p);
    sections.push_back(p.imag() == 0 ? Section(z, 0, zero, 0, reference)
                                     : Section(z, std::conj(z), zero, zero, reference));
  }
  return sections;
}

// Each prototype pole p becomes the two roots of s^2 - p B s + W0^2 = 0. A complex p gives
// one root above and one below the real axis; each with its conjugate (from conj(p)) is a
// section. The real pole's two roots form one section.
std::vector<TBiquad> BandPass(int order, double lower, double upper) {
  const double w1 = Prewarped(lower), w2 = Prewarped(upper);
  const double bandwidth = w2 - w1, centreSquared = w1 * w2;
  const double reference = std::atan(std::sqrt(centreSquared)) / Pi;
  std::vector<TBiquad> sections;
  for (TComplex p : UpperPrototypePoles(order)) {
    const TComplex root = std::sqrt(p * p * bandwidth * bandwidth - 4 * centreSquared);
    const TComplex z1 = ToZ((p * bandwidth + root) / 2.0), z2 = ToZ((p * bandwidth - root) / 2.0);
    if (p.imag() == 0) {
      sections.push_back(Section(z1, z2, 1, -1, reference));
    } else {
      sections.push_back(Section(z1, std::conj(z1), 1, -1, reference));
      sections.push_back(Section(z2, std::conj(z2), 1, -1, reference));
    }
  }
  return sections;
}

}  // namespace

std::vector<TBiquad> DesignSections(const TFilterDesign& d) {
  CheckFilterDesign(d);
  const double cutoff = CyclesPerSample(d.Cutoff, d.SampleRate);
  switch (d.Kind) {
    case fkLowPass1:
      return LowOrHighPass(1, cutoff, false);
    case fkHighPass1:
      return LowOrHighPass(1, cutoff, true);
    case fkButterLowPass:
      return LowOrHighPass(d.Order, cutoff, false);
    case fkButterHighPass:
      return LowOrHighPass(d.Order, cutoff, true);
    case fkButterBandPass:
      return BandPass(d.Order, cutoff, CyclesPerSample(d.CutoffHigh, d.SampleRate));
    case fkMovingAverage:
    case fkMedian:
      break;
  }
  throw EAnalysisError(FilterDescription(d) + " besteht nicht aus Biquad-Abschnitten");
}
