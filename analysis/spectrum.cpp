#include "analysis/spectrum.h"

#include <utility>

#include "analysis/spectra.h"

TSpectrum ComputeSpectrum(std::span<const double> samples, const TSpectrumOptions& options) {
  const std::span<const double> curves[] = {samples};
  return std::move(ComputeSpectra(curves, options).front());
}
