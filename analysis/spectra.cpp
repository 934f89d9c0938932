#include "analysis/spectra.h"

#include <algorithm>

#include "analysis/analysis_error.h"
#include "analysis/number_text.h"
#include "analysis/spectrum_analyzer.h"

std::vector<TSpectrum> ComputeSpectra(std::span<const std::span<const double>> curves,
                                      const TSpectrumOptions& options) {
  size_t longest = 0;
  for (const auto& curve : curves) longest = std::max(longest, curve.size());
  if (longest < MinSpectrumSamples) {
    throw EAnalysisError("Für ein Spektrum sind mindestens " + ShortestText(double(MinSpectrumSamples)) +
                         " Werte nötig");
  }
  if (longest > MaxSpectrumSamples) {
    throw EAnalysisError("Für ein Spektrum sind höchstens " + ShortestText(double(MaxSpectrumSamples)) +
                         " Werte möglich");
  }
  TSpectrumAnalyzer analyzer(TRealFft::FastSize(longest), options);
  std::vector<TSpectrum> spectra(curves.size());
  for (size_t i = 0; i < curves.size(); ++i) {
    if (curves[i].size() < MinSpectrumSamples) continue;
    analyzer.Analyze(curves[i], {});
    TSpectrum& s = spectra[i];
    s.Frequency.assign(analyzer.Frequency().begin(), analyzer.Frequency().end());
    s.Magnitude.assign(analyzer.Magnitude().begin(), analyzer.Magnitude().end());
    s.Peak = analyzer.Peak();
    s.FftSize = analyzer.FftSize();
  }
  return spectra;
}
