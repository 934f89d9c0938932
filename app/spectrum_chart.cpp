#include "app/spectrum_chart.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "analysis/decibel.h"
#include "app/window_chart.h"

namespace {

// Below this the eye sees no line beside the strongest; a silent band would stretch the axis.
constexpr double kDecibelSpan = 120;

}  // namespace

void ConfigureSpectrumChart(TGChart& c) {
  c.BeginLoading();
  ApplyChartLook(c);
  for (int32_t layer = 1; layer <= kNumLayers; ++layer) {
    for (TScaleProps* block : {static_cast<TScaleProps*>(&c.ScaleX(layer)), static_cast<TScaleProps*>(&c.ScaleY(layer))}) {
      block->SetVisible(layer == 1);
      block->SetColorScale(clBlack);
      block->SetDecPlaces(-2);
    }
    if (layer > 1) {
      c.SetLxControlledBy(layer, 1);
      c.SetLyControlledBy(layer, 1);
    }
    c.SetLayerMouseControl(layer, true);
  }
  TScalePropsHoriz& x = c.Scale1X();
  x.SetCaptionPosX(0);
  x.SetCaptionPosY(28);
  x.SetCaptionAlignment(taRightJustify);
  x.SetCaptionAnchor(uaSclBotRgt);
  x.SetScaleLocation(slBottom);
  TScalePropsVert& y = c.Scale1Y();
  y.SetCaptionPosX(-30);
  y.SetCaptionPosY(-28);
  y.SetCaptionAlignment(taLeftJustify);
  y.SetCaptionAnchor(uaSclTopLft);
  y.SetScaleLocation(slLeft);
  c.EndLoading();
}

void SetSpectrumCaptions(TGChart& chart, bool hertz, TMagnitudeScale scale) {
  chart.Scale1X().SetCaption(hertz ? "Frequenz in Hz" : "Frequenz pro Abtastwert");
  chart.Scale1Y().SetCaption(scale == msDecibel ? "Amplitude in dB" : "Amplitude");
}

void PlotSpectra(TGChart& chart, std::span<const TSpectrumCurve> curves) {
  chart.ClearGraph();
  size_t bins = 0;
  for (const TSpectrumCurve& c : curves) bins = std::max(bins, std::min(c.Frequency.size(), c.Magnitude.size()));
  for (size_t k = 0; k < bins; ++k) {
    for (const TSpectrumCurve& c : curves) {
      if (k >= c.Frequency.size() || k >= c.Magnitude.size()) continue;
      const size_t from = k == 0 ? 0 : k - 1;
      chart.SetCurrentLayer(c.Layer);
      chart.SetDataColor(c.Color);
      chart.Line(c.Frequency[from], c.Magnitude[from], c.Frequency[k], c.Magnitude[k]);
    }
  }
  chart.SetCurrentLayer(1);
}

void MarkPeaks(TGChart& chart, std::span<const TSpectrumCurve> curves, TMagnitudeScale scale) {
  for (int32_t i = 0; i < kNumCrossHairs; ++i) {
    TCrossHair& mark = chart.CrossHair(i + 1);
    if (size_t(i) >= curves.size()) {
      mark.SetMode(chOff);
      continue;
    }
    const TSpectrumCurve& c = curves[size_t(i)];
    mark.SetLayer(c.Layer);
    mark.SetColor(c.Color);
    mark.SetPosX(c.Peak.Frequency);
    mark.SetPosY(scale == msDecibel ? Decibel(c.Peak.Amplitude) : c.Peak.Amplitude);
    mark.SetMode(chBox);
  }
}

void FitSpectrumRange(TGChart& chart, std::span<const TSpectrumCurve> curves, TMagnitudeScale scale) {
  double top = 0, low = std::numeric_limits<double>::infinity(), high = -low;
  for (const TSpectrumCurve& c : curves) {
    if (!c.Frequency.empty()) top = std::max(top, c.Frequency.back());
    for (double m : c.Magnitude) {
      if (!std::isfinite(m)) continue;
      low = std::min(low, m);
      high = std::max(high, m);
    }
  }
  if (!(low <= high)) {
    low = 0;
    high = 1;
  }
  if (scale == msDecibel) {
    low = std::max(low, high - kDecibelSpan);
  } else {
    low = 0;
  }
  const double span = high > low ? high - low : 1;
  chart.SetRange(0, 0, low, top > 0 ? top : 0.5, high + span / 10);
}
