#include "app/channel_spectra.h"

#include "analysis/spectra.h"

std::vector<TChannelSpectrum> ChannelSpectra(const std::vector<const TChannelCurve*>& curves, TCurvePart part,
                                             const TSpectrumOptions& options,
                                             const std::function<std::string(int32_t layer)>& name) {
  std::vector<const TChannelCurve*> used;
  std::vector<std::span<const double>> values;
  for (const TChannelCurve* curve : curves) {
    const std::vector<double>& y = part == cpVisible ? curve->VisibleY : curve->Y;
    if (!curve->Shown || y.size() < MinSpectrumSamples) continue;
    used.push_back(curve);
    values.emplace_back(y);
  }
  // ComputeSpectra says why nothing can be shown when no curve is long enough.
  if (values.empty()) values.emplace_back();
  std::vector<TSpectrum> spectra = ComputeSpectra(values, options);
  std::vector<TChannelSpectrum> result;
  for (size_t i = 0; i < used.size(); ++i) {
    result.push_back({used[i]->Layer, used[i]->Color, name(used[i]->Layer), std::move(spectra[i])});
  }
  return result;
}

std::vector<TSpectrumCurve> SpectrumCurves(const std::vector<TChannelSpectrum>& spectra) {
  std::vector<TSpectrumCurve> curves;
  for (const TChannelSpectrum& s : spectra) {
    curves.push_back({s.Layer, s.Color, s.Spectrum.Frequency, s.Spectrum.Magnitude, s.Spectrum.Peak});
  }
  return curves;
}

void SaveSpectrumCsv(const std::string& path, const std::vector<TChannelSpectrum>& spectra, bool hertz,
                     const TCsvFile& file) {
  TGChart chart;
  chart.SetAllocSize(1000000);
  PlotSpectra(chart, SpectrumCurves(spectra));
  TChartCsvNames names;
  names.X = hertz ? "Frequenz in Hz" : "Frequenz pro Abtastwert";
  for (const TChannelSpectrum& s : spectra) names.Layers[size_t(s.Layer - 1)] = s.Name;
  SaveChartCsv(path, chart, names, file);
}
