#include "acquisition/view_follow.h"

#include <algorithm>
#include <cmath>

#include "chart/gchart.h"

namespace {

constexpr uint32_t LayerBit(int32_t layer) { return uint32_t(1) << (layer - 1); }

// 1, 2 or 5 times a power of ten, at least span / 20.
double TickStep(double span) {
  const double rough = span / 20;
  const double decade = std::pow(10.0, std::floor(std::log10(rough)));
  for (const double m : {1.0, 2.0, 5.0}) {
    if (m * decade >= rough) return m * decade;
  }
  return 10 * decade;
}

// The layers whose curves share the y range of a layer in this channel mode.
uint32_t CurveLayers(int32_t layer, int32_t channelMode) {
  if (channelMode != kChannelModeAuto) return LayerBit(layer);
  return layer == 1 ? ~uint32_t(0) >> (32 - kNumLayers) : 0;
}

void Include(std::optional<TValueSpan>& extent, double y) {
  if (!std::isfinite(y)) return;
  if (!extent) {
    extent = TValueSpan{y, y};
  } else {
    extent->Low = std::min(extent->Low, y);
    extent->High = std::max(extent->High, y);
  }
}

}  // namespace

std::optional<TValueSpan> VisibleYExtent(const TGChart& chart, uint32_t layers, double xLow, double xHigh) {
  if (xLow > xHigh) std::swap(xLow, xHigh);
  std::optional<TValueSpan> extent;
  for (const TChartItem& item : chart.Items()) {
    if (item.Layer < 1 || item.Layer > kNumLayers || !(layers & LayerBit(item.Layer)) || !chart.ItemVisible(item)) {
      continue;
    }
    if (item.Kind == ikLine) {
      const double x1 = std::min(item.X, item.X2), x2 = std::max(item.X, item.X2);
      if (x2 < xLow || x1 > xHigh) continue;
      if (item.X == item.X2) {
        Include(extent, item.Y);
        Include(extent, item.Y2);
        continue;
      }
      const auto yAt = [&](double x) { return item.Y + (item.Y2 - item.Y) * (x - item.X) / (item.X2 - item.X); };
      Include(extent, yAt(std::max(x1, xLow)));
      Include(extent, yAt(std::min(x2, xHigh)));
    } else if ((item.Kind == ikMoveTo || item.Kind == ikDrawTo) && item.X >= xLow && item.X <= xHigh) {
      Include(extent, item.Y);
    }
  }
  return extent;
}

TValueSpan AutoYRange(TValueSpan e) {
  double span = e.High - e.Low;
  if (!(span > 0)) {
    // A flat line sits in the middle of a span a tenth of its size, or 1 around zero.
    span = e.High != 0 ? std::fabs(e.High) / 5 : 2;
    e.Low -= span / 2;
    e.High += span / 2;
  }
  const double margin = span / 20;
  const double step = TickStep(span + 2 * margin);
  return {std::floor((e.Low - margin) / step) * step, std::ceil((e.High + margin) / step) * step};
}

bool TViewFollower::Apply(TGChart& chart, const TAcquisitionState& state, bool running) {
  bool changed = false;
  if (FollowNewest && running && !state.TrendMode) changed = FollowNewestSamples(chart, state);
  if (!AutoY) return changed;
  changed = FitY(chart, 1, CurveLayers(1, state.ChannelMode)) || changed;
  if (state.ChannelMode == 2) changed = FitY(chart, 2, CurveLayers(2, state.ChannelMode)) || changed;
  return changed;
}

bool TViewFollower::FollowNewestSamples(TGChart& chart, const TAcquisitionState& state) {
  const double newest = state.NewestX;
  const double xmax = state.Xmax;
  if (newest <= xmax) return false;
  bool changed = false;
  for (int32_t layer = 1; layer <= (state.ChannelMode == 2 ? 2 : 1); ++layer) {
    const TScaleProps& x = chart.ScaleX(layer);
    if (x.RangeLow() == newest - xmax && x.RangeHigh() == newest) continue;
    const TScaleProps& y = chart.ScaleY(layer);
    chart.SetRange(layer, newest - xmax, y.RangeLow(), newest, y.RangeHigh());
    changed = true;
  }
  return changed;
}

bool TViewFollower::FitY(TGChart& chart, int32_t layer, uint32_t layers) {
  const TScaleProps& x = chart.ScaleX(layer);
  const TScaleProps& y = chart.ScaleY(layer);
  if (y.Logarithmic()) return false;
  const auto items = chart.Items();
  TSeen seen{chart.NumItems(), items.empty() ? 0 : items.front().X, items.empty() ? 0 : items.back().X,
             x.RangeLow(), x.RangeHigh(), 0};
  for (int32_t n = 1; n <= kNumLayers; ++n) seen.Visible |= chart.LayerVisible(n) ? LayerBit(n) : 0;
  TSeen& last = Seen_[size_t(layer - 1)];
  if (seen == last) return false;
  last = seen;
  const std::optional<TValueSpan> extent = VisibleYExtent(chart, layers, x.RangeLow(), x.RangeHigh());
  if (!extent) return false;
  const TValueSpan range = AutoYRange(*extent);
  if (range.Low == y.RangeLow() && range.High == y.RangeHigh()) return false;
  chart.SetRange(layer, x.RangeLow(), range.Low, x.RangeHigh(), range.High);
  return true;
}
