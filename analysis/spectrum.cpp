#include "analysis/spectrum.h"

#include "analysis/analysis_error.h"
#include "analysis/number_text.h"
#include "analysis/spectrum_analyzer.h"

TSpectrum ComputeSpectrum(std::span<const double> samples, const TSpectrumOptions& options) {
  if (samples.size() < MinSpectrumSamples) {
    throw EAnalysisError("Für ein Spektrum sind mindestens " +
                         ShortestText(double(MinSpectrumSamples)) + " Werte nötig");
  }
  if (samples.size() > MaxSpectrumSamples) {
    throw EAnalysisError("Für ein Spektrum sind höchstens " +
                         ShortestText(double(MaxSpectrumSamples)) + " Werte möglich");
  }
  TSpectrumAnalyzer analyzer(TRealFft::FastSize(samples.size()), options);
  analyzer.Analyze(samples, {});
  const auto frequency = analyzer.Frequency();
  const auto magnitude = analyzer.Magnitude();
  return {{frequency.begin(), frequency.end()},
          {magnitude.begin(), magnitude.end()},
          analyzer.Peak(),
          analyzer.FftSize()};
}
