#include "analysis/biquad.h"

#include <numbers>

std::complex<double> Response(const TBiquad& s, double cyclesPerSample) {
  const std::complex<double> delay = std::polar(1.0, -2 * std::numbers::pi * cyclesPerSample);
  return (s.B0 + delay * (s.B1 + delay * s.B2)) / (1.0 + delay * (s.A1 + delay * s.A2));
}

std::complex<double> Response(std::span<const TBiquad> sections, double cyclesPerSample) {
  std::complex<double> product = 1;
  for (const TBiquad& s : sections) product *= Response(s, cyclesPerSample);
  return product;
}
