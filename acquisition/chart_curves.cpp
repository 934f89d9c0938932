#include "acquisition/chart_curves.h"

#include <cstring>

namespace {

bool SameRecord(const std::optional<TChartItem>& a, const TChartItem* b) {
  if (!b) return !a;
  return a && std::memcmp(&*a, b, sizeof(TChartItem)) == 0;
}

std::optional<TChartItem> Copy(const TChartItem* item) {
  if (!item) return std::nullopt;
  return *item;
}

}  // namespace

std::optional<TCurvePoint> CurvePoint(const TChartItem& item) {
  if (item.Layer < 1 || item.Layer > kNumLayers) return std::nullopt;
  switch (item.Kind) {
    case ikMoveTo:
    case ikDrawTo: return TCurvePoint{item.X, item.Y, item.Layer};
    case ikLine: return TCurvePoint{item.X2, item.Y2, item.Layer};
    default: return std::nullopt;
  }
}

// Appending, removing the oldest item (Trend) and loading all change the count or an end
// of the list; a change in the middle alone is not a thing the window does.
bool TChartCurves::ListChanged(const TGChart& chart) const {
  const auto items = chart.Items();
  const TChartItem* first = items.empty() ? nullptr : &items.front();
  const TChartItem* last = items.empty() ? nullptr : &items.back();
  return !Read_ || Stamp_.NumItems != chart.NumItems() || !SameRecord(Stamp_.First, first) ||
         !SameRecord(Stamp_.Last, last);
}

void TChartCurves::ReadItems(const TGChart& chart) {
  for (int32_t layer = 1; layer <= kNumLayers; ++layer) {
    TChannelCurve& curve = Layers_[size_t(layer - 1)];
    curve.Layer = layer;
    curve.X.clear();
    curve.Y.clear();
  }
  for (const TChartItem& item : chart.Items()) {
    const auto p = CurvePoint(item);
    if (!p) continue;
    TChannelCurve& curve = Layers_[size_t(p->Layer - 1)];
    curve.X.push_back(p->X);
    curve.Y.push_back(p->Y);
    curve.Color = item.Color;
  }
  Used_.clear();
  for (const TChannelCurve& curve : Layers_) {
    if (!curve.X.empty()) Used_.push_back(&curve);
  }
  const auto items = chart.Items();
  Stamp_.NumItems = chart.NumItems();
  Stamp_.First = Copy(items.empty() ? nullptr : &items.front());
  Stamp_.Last = Copy(items.empty() ? nullptr : &items.back());
  Read_ = true;
}

bool TChartCurves::SelectVisible(const TGChart& chart, bool force) {
  bool changed = false;
  for (TChannelCurve& curve : Layers_) {
    const TScalePropsHoriz& x = chart.ScaleX(curve.Layer);
    // A reversed axis (RangeLow above RangeHigh) shows the same span.
    const TViewStamp view{std::min(x.RangeLow(), x.RangeHigh()), std::max(x.RangeLow(), x.RangeHigh()),
                          chart.LayerVisible(curve.Layer)};
    TViewStamp& stamp = Views_[size_t(curve.Layer - 1)];
    if (!force && view == stamp) continue;
    stamp = view;
    changed = true;
    curve.Shown = view.Shown;
    curve.VisibleX.clear();
    curve.VisibleY.clear();
    curve.VisibleAscending = true;
    for (size_t i = 0; i < curve.X.size(); ++i) {
      const double xi = curve.X[i];
      if (!(xi >= view.Low && xi <= view.High)) continue;
      if (!curve.VisibleX.empty() && xi < curve.VisibleX.back()) curve.VisibleAscending = false;
      curve.VisibleX.push_back(xi);
      curve.VisibleY.push_back(curve.Y[i]);
    }
  }
  return changed;
}

bool TChartCurves::Update(const TGChart& chart) {
  const bool listChanged = ListChanged(chart);
  if (listChanged) ReadItems(chart);
  return SelectVisible(chart, listChanged) || listChanged;
}
