#pragma once
// A second-order section: H(z) = (B0 + B1 z^-1 + B2 z^-2) / (1 + A1 z^-1 + A2 z^-2).
// A first-order section has B2 = A2 = 0.

#include <complex>
#include <span>

struct TBiquad {
  double B0 = 1, B1 = 0, B2 = 0, A1 = 0, A2 = 0;
};

// The response at a frequency in cycles per sample.
std::complex<double> Response(const TBiquad& section, double cyclesPerSample);
// The response of sections in series.
std::complex<double> Response(std::span<const TBiquad> sections, double cyclesPerSample);
