#include "app/channel_spectra.h"

#include <algorithm>

#include "acquisition/csv_format.h"
#include "analysis/spectra.h"
#include "chart/record_file.h"

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

std::span<const double> LongestX(const std::vector<const TChannelCurve*>& curves, TCurvePart part) {
  std::span<const double> longest;
  for (const TChannelCurve* curve : curves) {
    const std::vector<double>& x = part == cpVisible ? curve->VisibleX : curve->X;
    if (curve->Shown && x.size() > longest.size()) longest = x;
  }
  return longest;
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
  const TCsvFormat& format = file.Format;
  std::string text;
  if (file.Utf8Mark) text += "\xEF\xBB\xBF";
  AppendCsvText(text, FrequencyCaption(hertz), format);
  size_t bins = 0;
  for (const TChannelSpectrum& s : spectra) {
    text += format.Separator;
    AppendCsvText(text, s.Name, format);
    bins = std::max(bins, s.Spectrum.Frequency.size());
  }
  text += "\r\n";
  // The spectra share one frequency axis; the first that reaches a bin gives its frequency.
  for (size_t k = 0; k < bins; ++k) {
    for (const TChannelSpectrum& s : spectra) {
      if (k >= s.Spectrum.Frequency.size()) continue;
      AppendCsvNumber(text, s.Spectrum.Frequency[k], format);
      break;
    }
    for (const TChannelSpectrum& s : spectra) {
      text += format.Separator;
      if (k < s.Spectrum.Magnitude.size()) AppendCsvNumber(text, s.Spectrum.Magnitude[k], format);
    }
    text += "\r\n";
  }
  TFileWriter writer(path);
  writer.Write(text.data(), text.size());
  writer.Close();
}
