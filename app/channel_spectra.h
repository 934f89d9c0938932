#pragma once
// The spectra of the chart's channels, named and coloured as their curves, and their CSV
// file: one row per frequency, one column per channel.

#include <functional>
#include <string>
#include <vector>

#include "acquisition/chart_csv_export.h"
#include "acquisition/chart_curves.h"
#include "analysis/spectrum.h"
#include "app/spectrum_chart.h"

struct TChannelSpectrum {
  int32_t Layer = 1;
  TColor Color = clBlack;
  std::string Name;
  TSpectrum Spectrum;
};

enum TCurvePart : uint8_t { cpVisible, cpWhole };

// The spectra of the shown curves with at least two samples in the part, on one frequency
// axis. Throws EAnalysisError when none has enough samples and for a bad sample rate.
std::vector<TChannelSpectrum> ChannelSpectra(const std::vector<const TChannelCurve*>& curves, TCurvePart part,
                                             const TSpectrumOptions& options,
                                             const std::function<std::string(int32_t layer)>& name);

// The x values of the shown curve with the most samples in the part; the sample rate on the
// time axis is read from them.
std::span<const double> LongestX(const std::vector<const TChannelCurve*>& curves, TCurvePart part);

std::vector<TSpectrumCurve> SpectrumCurves(const std::vector<TChannelSpectrum>& spectra);

// Raises what SaveChartCsv raises.
void SaveSpectrumCsv(const std::string& path, const std::vector<TChannelSpectrum>& spectra, bool hertz,
                     const TCsvFile& file);
