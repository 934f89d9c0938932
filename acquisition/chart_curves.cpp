#include "acquisition/chart_curves.h"

#include <algorithm>
#include <cstring>

namespace {

bool SameRecord(const std::optional<TChartItem>& a, const TChartItem& b) {
  return a && std::memcmp(&*a, &b, sizeof(TChartItem)) == 0;
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

TChartCurves::TChartCurves() {
  for (int32_t layer = 1; layer <= kNumLayers; ++layer) Layers_[size_t(layer - 1)].Layer = layer;
}

// Appending, removing the oldest items (Trend) and loading all change the count or an end
// of the list; a change in the middle alone is not a thing the window does.
TChartCurves::TListChange TChartCurves::ListChange(const TGChart& chart) const {
  const auto items = chart.Items();
  const int32_t n = chart.NumItems();
  if (Read_ && n == Stamp_.NumItems && (n == 0 || (SameRecord(Stamp_.First, items.front()) &&
                                                   SameRecord(Stamp_.Last, items.back())))) {
    return lcNone;
  }
  // While an acquisition runs in Normal mode the list only grows: read the new items alone.
  if (Read_ && Stamp_.NumItems > 0 && n > Stamp_.NumItems && SameRecord(Stamp_.First, items.front()) &&
      SameRecord(Stamp_.Last, items[size_t(Stamp_.NumItems - 1)])) {
    return lcAppended;
  }
  return lcOther;
}

void TChartCurves::ReadItems(const TGChart& chart, size_t from) {
  const auto items = chart.Items();
  for (size_t i = from; i < items.size(); ++i) {
    const auto p = CurvePoint(items[i]);
    if (!p) continue;
    TChannelCurve& curve = Layers_[size_t(p->Layer - 1)];
    curve.X.push_back(p->X);
    curve.Y.push_back(p->Y);
    curve.Color = items[i].Color;
  }
  Used_.clear();
  for (const TChannelCurve& curve : Layers_) {
    if (!curve.X.empty()) Used_.push_back(&curve);
  }
  Stamp_.NumItems = chart.NumItems();
  Stamp_.First.reset();
  Stamp_.Last.reset();
  if (!items.empty()) {
    Stamp_.First = items.front();
    Stamp_.Last = items.back();
  }
  Read_ = true;
}

void TChartCurves::Select(TChannelCurve& curve, size_t from, const TViewStamp& view) {
  for (size_t i = from; i < curve.X.size(); ++i) {
    const double xi = curve.X[i];
    if (!(xi >= view.Low && xi <= view.High)) continue;
    if (!curve.VisibleX.empty() && xi < curve.VisibleX.back()) curve.VisibleAscending = false;
    curve.VisibleX.push_back(xi);
    curve.VisibleY.push_back(curve.Y[i]);
  }
}

bool TChartCurves::Update(const TGChart& chart) {
  const TListChange change = ListChange(chart);
  if (change == lcOther) {
    for (TChannelCurve& curve : Layers_) {
      curve.X.clear();
      curve.Y.clear();
    }
  }
  std::array<size_t, kNumLayers> readBefore{};
  for (size_t i = 0; i < Layers_.size(); ++i) readBefore[i] = Layers_[i].X.size();
  if (change != lcNone) ReadItems(chart, change == lcAppended ? size_t(Stamp_.NumItems) : 0);

  bool changed = change != lcNone;
  for (size_t i = 0; i < Layers_.size(); ++i) {
    TChannelCurve& curve = Layers_[i];
    const TScalePropsHoriz& x = chart.ScaleX(curve.Layer);
    // A reversed axis (RangeLow above RangeHigh) shows the same span.
    const TViewStamp view{std::min(x.RangeLow(), x.RangeHigh()), std::max(x.RangeLow(), x.RangeHigh()),
                          chart.LayerVisible(curve.Layer)};
    TViewStamp& stamp = Views_[i];
    if (change == lcOther || !(view == stamp)) {
      stamp = view;
      changed = true;
      curve.Shown = view.Shown;
      curve.VisibleX.clear();
      curve.VisibleY.clear();
      curve.VisibleAscending = true;
      Select(curve, 0, view);
    } else if (change == lcAppended) {
      Select(curve, readBefore[i], view);
    }
  }
  return changed;
}
