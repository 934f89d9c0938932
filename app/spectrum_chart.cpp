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

const char* FrequencyCaption(bool hertz) { return hertz ? "Frequenz in Hz" : "Frequenz pro Abtastwert"; }

bool SetSpectrumCaptions(TGChart& chart, bool hertz, TMagnitudeScale scale) {
  const std::string x = FrequencyCaption(hertz);
  const std::string y = scale == msDecibel ? "Amplitude in dB" : "Amplitude";
  if (chart.Scale1X().Caption() == x && chart.Scale1Y().Caption() == y) return false;
  chart.Scale1X().SetCaption(x);
  chart.Scale1Y().SetCaption(y);
  return true;
}

void PlotSpectra(TGChart& chart, std::span<const TSpectrumCurve> curves) {
  chart.ClearGraph();
  for (const TSpectrumCurve& c : curves) {
    const size_t bins = std::min(c.Frequency.size(), c.Magnitude.size());
    if (bins == 0) continue;
    chart.SetCurrentLayer(c.Layer);
    chart.SetDataColor(c.Color);
    chart.MoveTo(c.Frequency[0], c.Magnitude[0]);
    for (size_t k = 1; k < bins; ++k) chart.DrawTo(c.Frequency[k], c.Magnitude[k]);
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

bool FitSpectrumRange(TGChart& chart, std::span<const TSpectrumCurve> curves, TMagnitudeScale scale,
                      bool keepFitting) {
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
  const double right = top > 0 ? top : 0.5;
  const TScalePropsHoriz& x = chart.Scale1X();
  const TScalePropsVert& y = chart.Scale1Y();
  const bool fits = x.RangeLow() == 0 && x.RangeHigh() == right && y.RangeLow() <= low && y.RangeHigh() >= high &&
                    y.RangeHigh() - y.RangeLow() <= 2 * (span + span / 10);
  if (keepFitting && fits) return false;
  chart.SetRange(0, 0, low, right, high + span / 10);
  return true;
}
