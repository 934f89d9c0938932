#include "chart/gchart.h"

#include <cmath>
#include <string>

#include "chart/equal_bounds.h"

namespace {

// Relative width and height of a screen pixel; square on every display this runs on.
constexpr double kPixelWidth = 1;
constexpr double kPixelHeight = 1;

}  // namespace

void TGChart::SetRange(int32_t layer, double x1, double y1, double x2, double y2) {
  if (layer < 0 || layer > kNumLayers) return;
  const int32_t first = layer == 0 ? 1 : layer;
  const int32_t last = layer == 0 ? kNumLayers : layer;
  for (int32_t n = first; n <= last; ++n) {
    const TLayer& l = LayerOf(n);
    double xLow = x1, xHigh = x2, yLow = y1, yHigh = y2;
    WidenEqualBounds(xLow, xHigh, l.X.Logarithmic(), l.X.MinRange());
    WidenEqualBounds(yLow, yHigh, l.Y.Logarithmic(), l.Y.MinRange());
    if (Isometric_) {
      if (const std::optional<double> half = IsometricHalfHeight(xHigh - xLow)) {
        const double centre = (yLow + yHigh) / 2;
        yHigh = centre + *half;
        yLow = centre - *half;
      }
    }
    ApplyRangeJointly(n, xLow, yLow, xHigh, yHigh);
  }
  if (AutoRedraw_ && !Loading_) Paint();
}

// An axis that follows another layer keeps its range; the layers that follow this one
// take its new range. Repaints at the end unless painting was suspended before.
void TGChart::ApplyRangeJointly(int32_t layer, double x1, double y1, double x2, double y2) {
  TPaintSuspension suspension(*this);
  const TLayer& l = LayerOf(layer);
  if (l.XController != layer) {
    x1 = l.X.RangeLow();
    x2 = l.X.RangeHigh();
  }
  if (l.YController != layer) {
    y1 = l.Y.RangeLow();
    y2 = l.Y.RangeHigh();
  }
  SetLayerRange(layer, x1, y1, x2, y2);
  for (int32_t i = 1; i <= kNumLayers; ++i) {
    const TLayer& follower = LayerOf(i);
    if (i == layer || (follower.XController != layer && follower.YController != layer)) continue;
    const TScaleProps& x = LayerOf(follower.XController).X;
    const TScaleProps& y = LayerOf(follower.YController).Y;
    SetLayerRange(i, x.RangeLow(), y.RangeLow(), x.RangeHigh(), y.RangeHigh());
  }
  suspension.Restore();
}

void TGChart::SetAxisRange(TScaleProps& block, double low, double high) {
  if (!(std::fabs(low - high) >= block.MinRange_)) return;
  if (!block.Logarithmic_) {
    block.RangeLow_ = low;
    block.RangeHigh_ = high;
    return;
  }
  if (low >= LogFloor) block.RangeLow_ = low;
  if (high >= LogFloor) block.RangeHigh_ = high;
}

void TGChart::SetLayerRange(int32_t layer, double xLow, double yLow, double xHigh, double yHigh) {
  if (layer < 1 || layer > kNumLayers) return;
  Changing(chRanges);
  TLayer& l = LayerOf(layer);
  SetAxisRange(l.X, xLow, xHigh);
  SetAxisRange(l.Y, yLow, yHigh);
  UpdateLayerScaleRanges(layer);
  UpdateLayerMapping(layer);
}

bool TGChart::LayerMouseControl(int32_t layer) const {
  return layer >= 1 && layer <= kNumLayers && LayerOf(layer).MouseControl;
}

void TGChart::SetLayerMouseControl(int32_t layer, bool enabled) {
  if (layer >= 1 && layer <= kNumLayers) LayerOf(layer).MouseControl = enabled;
}

void TGChart::SetLxControlledBy(int32_t layer, int32_t controller) { SetController(layer, controller, true); }

void TGChart::SetLyControlledBy(int32_t layer, int32_t controller) { SetController(layer, controller, false); }

// A controlling layer is never itself controlled, so chains cannot form.
void TGChart::SetController(int32_t layer, int32_t controller, bool xAxis) {
  if (layer < 1 || layer > kNumLayers) return;
  const auto controllerOf = [&](int32_t n) { return xAxis ? LayerOf(n).XController : LayerOf(n).YController; };
  if (controller < 1 || controller > kNumLayers) {
    throw EGChartError("Destination layer " + std::to_string(controller) + " is out of range");
  }
  TLayer& l = LayerOf(layer);
  int32_t& own = xAxis ? l.XController : l.YController;
  if (controller == layer) {
    own = layer;
    return;
  }
  if (controllerOf(controller) != controller) {
    throw EGChartError("Destination layer " + std::to_string(controller) + " is already joined");
  }
  std::string followers;
  for (int32_t i = 1; i <= kNumLayers; ++i) {
    if (i == layer || controllerOf(i) != layer) continue;
    if (!followers.empty()) followers += ", ";
    followers += std::to_string(i);
  }
  if (!followers.empty()) {
    throw EGChartError("Layer " + std::to_string(layer) + " is joined by other layers (" + followers + ")");
  }
  own = controller;
  const TLayer& d = LayerOf(controller);
  if (xAxis) {
    SetLayerRange(layer, d.X.RangeLow(), l.Y.RangeLow(), d.X.RangeHigh(), l.Y.RangeHigh());
  } else {
    SetLayerRange(layer, l.X.RangeLow(), d.Y.RangeLow(), l.X.RangeHigh(), d.Y.RangeHigh());
  }
  AppearanceChanged();
}

// Half the y span that gives one data unit the x span's length on screen; none while the
// chart area has no width.
std::optional<double> TGChart::IsometricHalfHeight(double xSpan) const {
  const TChartArea area = ChartArea();
  if (area.Width() + 1 <= 0) return std::nullopt;
  return xSpan * double(area.Height() + 1) / double(area.Width() + 1) * kPixelHeight / kPixelWidth / 2;
}

// The y ranges go through the block setters; the repaints each of them asks for would
// show nothing new, so painting waits until all are done.
void TGChart::ApplyIsometric() {
  TPaintSuspension suspension(*this);
  for (TLayer& l : Layers_) {
    const std::optional<double> half = IsometricHalfHeight(l.X.RangeHigh() - l.X.RangeLow());
    if (!half) continue;
    const double centre = (l.Y.RangeHigh() + l.Y.RangeLow()) / 2;
    l.Y.SetRangeHigh(centre + *half);
    l.Y.SetRangeLow(centre - *half);
  }
  suspension.Restore();
}

void TGChart::SetIsometric(bool isometric) {
  Isometric_ = isometric;
  if (isometric) ApplyIsometric();
  AppearanceChanged();
}

// Any change of a scale property block: the renderers take all blocks, and every layer
// re-applies its own ranges so that joint layers follow.
void TGChart::ScalePropsChanged() {
  TPaintSuspension suspension(*this);
  UpdateScaleRenderers();
  for (int32_t n = 1; n <= kNumLayers; ++n) {
    const TLayer& l = LayerOf(n);
    ApplyRangeJointly(n, l.X.RangeLow(), l.Y.RangeLow(), l.X.RangeHigh(), l.Y.RangeHigh());
  }
  suspension.Restore();
  Paint();
}
