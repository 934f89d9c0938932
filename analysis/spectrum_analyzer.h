#pragma once
// The stage that the one-off and the realtime spectrum share: mean removal, window,
// transform and scaling for one transform size, with every buffer made once.

#include <cstddef>
#include <span>
#include <vector>

#include "analysis/real_fft.h"
#include "analysis/spectrum.h"

class TSpectrumAnalyzer {
 public:
  // fftSize even, >= 2 (TRealFft::FastSize gives one). Throws EAnalysisError for a bad
  // sample rate.
  TSpectrumAnalyzer(size_t fftSize, const TSpectrumOptions& options);

  // Takes effect with the next Analyze. Throws EAnalysisError for a bad sample rate.
  void SetOptions(const TSpectrumOptions& options);

  // The spectrum of older followed by newer (a ring buffer's two parts), 2 to FftSize()
  // samples in all, padded with zeros. Allocates nothing.
  void Analyze(std::span<const double> older, std::span<const double> newer);

  size_t FftSize() const { return Fft_.Size(); }
  std::span<const double> Frequency() const { return Frequency_; }
  std::span<const double> Magnitude() const { return Magnitude_; }
  const TSpectralPeak& Peak() const { return Peak_; }

 private:
  void PrepareWindow(size_t length);
  void FillFrequencies();

  TSpectrumOptions Options_;
  TRealFft Fft_;
  std::vector<double> Weights_;  // the window over the current block length
  size_t WindowLength_ = 0;      // 0 until a window is made for the options
  double WindowSum_ = 0;
  std::vector<double> Frequency_;
  std::vector<double> Magnitude_;
  TSpectralPeak Peak_;
};
