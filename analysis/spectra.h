#pragma once
// The spectra of several curves (the channels of a capture) on one frequency axis: each is
// padded with zeros to the same transform length, the fast length of the longest, so that
// bin k is the same frequency in all of them and a table can list them side by side.
// Padding only samples a spectrum more finely; amplitudes stay as ComputeSpectrum gives them.

#include <span>
#include <vector>

#include "analysis/spectrum.h"

// A curve with fewer than MinSpectrumSamples samples gets an empty spectrum. Throws
// EAnalysisError when no curve has enough samples, when one has more than
// MaxSpectrumSamples, and for a bad sample rate.
std::vector<TSpectrum> ComputeSpectra(std::span<const std::span<const double>> curves,
                                      const TSpectrumOptions& options);
