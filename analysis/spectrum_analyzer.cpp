#include "analysis/spectrum_analyzer.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <stdexcept>

#include "analysis/decibel.h"
#include "analysis/frequency_unit.h"

namespace {

const TSpectrumOptions& Checked(const TSpectrumOptions& options) {
  CheckSampleRate(options.SampleRate);
  return options;
}

}  // namespace

TSpectrumAnalyzer::TSpectrumAnalyzer(size_t fftSize, const TSpectrumOptions& options)
    : Options_(Checked(options)),
      Fft_(fftSize),
      Weights_(fftSize),
      Frequency_(fftSize / 2 + 1),
      Magnitude_(fftSize / 2 + 1) {
  FillFrequencies();
}

void TSpectrumAnalyzer::SetOptions(const TSpectrumOptions& options) {
  Options_ = Checked(options);
  WindowLength_ = 0;
  FillFrequencies();
}

void TSpectrumAnalyzer::FillFrequencies() {
  const double rate = Options_.SampleRate > 0 ? Options_.SampleRate : 1;
  const double binWidth = rate / double(FftSize());
  for (size_t k = 0; k < Frequency_.size(); ++k) Frequency_[k] = double(k) * binWidth;
}

void TSpectrumAnalyzer::PrepareWindow(size_t length) {
  if (length == WindowLength_) return;
  const std::span<double> weights(Weights_.data(), length);
  FillWindow(Options_.Window, weights);
  WindowSum_ = std::accumulate(weights.begin(), weights.end(), 0.0);
  // The padding stays zero from here on; each Analyze writes only the block itself.
  std::fill(Fft_.Input().begin() + std::ptrdiff_t(length), Fft_.Input().end(), 0.0f);
  WindowLength_ = length;
}

void TSpectrumAnalyzer::Analyze(std::span<const double> older, std::span<const double> newer) {
  const size_t length = older.size() + newer.size();
  if (length < MinSpectrumSamples || length > FftSize()) {
    throw std::logic_error("TSpectrumAnalyzer: block length outside 2..FftSize()");
  }
  PrepareWindow(length);
  const double mean = (std::accumulate(older.begin(), older.end(), 0.0) +
                       std::accumulate(newer.begin(), newer.end(), 0.0)) /
                      double(length);
  // Mean and window in double precision, so that a small signal on a large offset keeps
  // its digits; the transform itself runs in single precision.
  float* input = Fft_.Input().data();
  const double* weight = Weights_.data();
  for (double x : older) *input++ = float((x - mean) * *weight++);
  for (double x : newer) *input++ = float((x - mean) * *weight++);
  Fft_.Transform();

  // Bins inside the band hold half of their sine's amplitude (the other half lies at the
  // negative frequency); DC and the Nyquist bin have no mirror.
  const auto bins = Fft_.Bins();
  const size_t nyquist = bins.size() - 1;
  const double inside = 2 / WindowSum_;
  for (size_t k = 0; k <= nyquist; ++k) {
    const double scale = k == 0 || k == nyquist ? inside / 2 : inside;
    const double re = bins[k].real(), im = bins[k].imag();
    Magnitude_[k] = std::sqrt(re * re + im * im) * scale;
  }
  Peak_ = FindPeak(Fft_.Input().first(length), Magnitude_, WindowSum_,
                   Options_.SampleRate > 0 ? Options_.SampleRate : 1);
  if (Options_.Scale == msDecibel) {
    for (double& m : Magnitude_) m = Decibel(m);
  }
}
