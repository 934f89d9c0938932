#pragma once
// The chart of the Fourier windows: amplitude over frequency, one layer per channel in the
// channel's colour, all layers on one frequency axis and one amplitude axis.

#include <cstdint>
#include <span>

#include "analysis/spectrum.h"
#include "chart/gchart.h"

struct TSpectrumCurve {
  int32_t Layer = 1;
  TColor Color = clBlack;
  std::span<const double> Frequency, Magnitude;
  TSpectralPeak Peak;
};

// The main chart's fonts, margins and grid; the scales of layer 1 only, every layer joined
// to them and moved by the mouse.
void ConfigureSpectrumChart(TGChart& chart);

// Axis captions for the frequency unit (Hz when the sample rate is known) and the scale.
void SetSpectrumCaptions(TGChart& chart, bool hertz, TMagnitudeScale scale);

// Replaces the items with the curves: per frequency one Line item per curve, in the
// curves' order, so that the CSV export writes one row per frequency.
void PlotSpectra(TGChart& chart, std::span<const TSpectrumCurve> curves);

// A target mark in the curve's colour at the strongest line of each of the first four
// curves (the chart has four cross-hairs); the others are switched off.
void MarkPeaks(TGChart& chart, std::span<const TSpectrumCurve> curves, TMagnitudeScale scale);

// Shows every curve: 0 to the highest frequency; linear from 0, decibels from the highest
// less 120 dB (not below the lowest value); a tenth of the span above the highest.
void FitSpectrumRange(TGChart& chart, std::span<const TSpectrumCurve> curves, TMagnitudeScale scale);
