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

// "Frequenz in Hz" when the sample rate is known, else "Frequenz pro Abtastwert".
const char* FrequencyCaption(bool hertz);

// Axis captions for the frequency unit (Hz when the sample rate is known) and the scale;
// whether they changed.
bool SetSpectrumCaptions(TGChart& chart, bool hertz, TMagnitudeScale scale);

// Replaces the items with the curves, each a MoveTo and a DrawTo per further frequency, so
// that the painter draws each curve as one polyline.
void PlotSpectra(TGChart& chart, std::span<const TSpectrumCurve> curves);

// A target mark in the curve's colour at the strongest line of each of the first four
// curves (the chart has four cross-hairs); the others are switched off.
void MarkPeaks(TGChart& chart, std::span<const TSpectrumCurve> curves, TMagnitudeScale scale);

// Shows every curve: 0 to the highest frequency; linear from 0, decibels from the highest
// less 120 dB (not below the lowest value); a tenth of the span above the highest. With
// keepFitting, a range that still shows every curve and is not more than twice as tall as
// needed stays, so that a spectrum updated every frame does not make its scales jitter.
// Returns whether the range changed.
bool FitSpectrumRange(TGChart& chart, std::span<const TSpectrumCurve> curves, TMagnitudeScale scale,
                      bool keepFitting);
