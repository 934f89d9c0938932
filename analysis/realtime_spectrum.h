#pragma once
// The spectrum of the newest N samples of a running acquisition. Samples are pushed one by
// one as lines arrive; Update recomputes the spectrum, at most once per screen frame. Until
// N samples have arrived the spectrum covers those that have, padded with zeros to N, so
// that the frequency axis stays the same while the buffer fills.

#include <cstddef>
#include <span>
#include <vector>

#include "analysis/spectrum.h"
#include "analysis/spectrum_analyzer.h"

class TRealtimeSpectrum {
 public:
  static constexpr size_t MinLength = 256;
  static constexpr size_t MaxLength = 65536;

  // length a power of two from MinLength to MaxLength. Throws EAnalysisError for another
  // length or a bad sample rate.
  TRealtimeSpectrum(size_t length, const TSpectrumOptions& options);

  // Window, scale and sample rate for the next Update; the samples stay. Throws
  // EAnalysisError for a bad sample rate.
  void SetOptions(const TSpectrumOptions& options);

  // Allocates nothing.
  void Push(double sample);
  // Forgets every sample, as at the start of an acquisition.
  void Clear();
  size_t Length() const { return Ring_.size(); }
  // Samples held, at most Length().
  size_t Filled() const { return Filled_; }

  // Recomputes the spectrum over the newest samples; false, with the spectrum unchanged,
  // while fewer than 2 samples have arrived. Allocates nothing.
  bool Update();

  std::span<const double> Frequency() const { return Analyzer_.Frequency(); }
  std::span<const double> Magnitude() const { return Analyzer_.Magnitude(); }
  const TSpectralPeak& Peak() const { return Analyzer_.Peak(); }

 private:
  std::vector<double> Ring_;
  size_t Next_ = 0;  // where the next sample goes; the oldest sample once the ring is full
  size_t Filled_ = 0;
  TSpectrumAnalyzer Analyzer_;
};
