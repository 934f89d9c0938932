#pragma once
// The amplitude spectrum of a block of samples (the visible part of a channel, a whole
// capture). The mean is removed and the window applied before the transform; a block whose
// length has a prime factor above 5 is padded with zeros to the next length made of 2, 3
// and 5 (at most a few percent longer), which only samples the same spectrum more finely.
// Magnitudes are amplitudes: a sine of amplitude A shows A at its peak when its frequency
// falls on a bin, whatever the window (its coherent gain is divided out), and at most the
// window's scalloping loss less between two bins (see fft_window.h).

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "analysis/fft_window.h"
#include "analysis/spectral_peak.h"

enum TMagnitudeScale : uint8_t { msLinear, msDecibel };

struct TSpectrumOptions {
  TFftWindow Window = fwHann;
  TMagnitudeScale Scale = msLinear;  // msDecibel: see decibel.h
  double SampleRate = 0;             // Hz; 0: frequencies in cycles per sample
};

struct TSpectrum {
  std::vector<double> Frequency;  // bins 0..FftSize/2, from 0 to half the sample rate
  std::vector<double> Magnitude;  // per bin, in the options' scale
  TSpectralPeak Peak;             // amplitude linear, in the signal's units
  size_t FftSize = 0;             // the transform's length after padding
};

constexpr size_t MinSpectrumSamples = 2;
constexpr size_t MaxSpectrumSamples = size_t(1) << 28;

// Throws EAnalysisError for fewer than MinSpectrumSamples or more than MaxSpectrumSamples
// samples and for a bad sample rate. Each call makes its plan and buffers afresh; code that
// recomputes a spectrum every frame keeps a TSpectrumAnalyzer (spectrum_analyzer.h) of
// TRealFft::FastSize(n) instead, which allocates nothing per call.
TSpectrum ComputeSpectrum(std::span<const double> samples, const TSpectrumOptions& options);
