#include "analysis/realtime_spectrum.h"

#include <bit>

#include "analysis/analysis_error.h"
#include "analysis/number_text.h"

namespace {

size_t CheckedLength(size_t length) {
  if (!std::has_single_bit(length) || length < TRealtimeSpectrum::MinLength ||
      length > TRealtimeSpectrum::MaxLength) {
    throw EAnalysisError("Die Länge muss eine Zweierpotenz von " +
                         ShortestText(double(TRealtimeSpectrum::MinLength)) + " bis " +
                         ShortestText(double(TRealtimeSpectrum::MaxLength)) + " sein, nicht " +
                         ShortestText(double(length)));
  }
  return length;
}

}  // namespace

TRealtimeSpectrum::TRealtimeSpectrum(size_t length, const TSpectrumOptions& options)
    : Ring_(CheckedLength(length)), Analyzer_(length, options) {}

void TRealtimeSpectrum::SetOptions(const TSpectrumOptions& options) {
  Analyzer_.SetOptions(options);
}

void TRealtimeSpectrum::Push(double sample) {
  Ring_[Next_] = sample;
  Next_ = Next_ + 1 == Ring_.size() ? 0 : Next_ + 1;
  if (Filled_ < Ring_.size()) ++Filled_;
}

void TRealtimeSpectrum::Clear() {
  Next_ = 0;
  Filled_ = 0;
}

bool TRealtimeSpectrum::Update() {
  if (Filled_ < MinSpectrumSamples) return false;
  const std::span<const double> ring(Ring_);
  if (Filled_ < Ring_.size()) {
    Analyzer_.Analyze(ring.first(Filled_), {});
  } else {
    Analyzer_.Analyze(ring.subspan(Next_), ring.first(Next_));
  }
  return true;
}
