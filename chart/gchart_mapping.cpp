#include "chart/gchart.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "chart/equal_bounds.h"
#include "chart/pixel_round.h"

namespace {

struct TAxisPlacement {
  int32_t LowEdge;  // pixel of RangeLow: left or bottom of the chart area
  int32_t HighEdge;  // pixel of RangeHigh: right or top
  int64_t Extent;  // W or H
  int32_t ControlSize;  // Width or Height
};

// Equal bits give equal results, where == would take -0 for 0 and never match a NaN.
bool SameBits(double a, double b) { return std::bit_cast<uint64_t>(a) == std::bit_cast<uint64_t>(b); }

long double AxisValue(long double v, bool logarithmic) { return logarithmic ? std::log(v) : v; }

}  // namespace

void TGChart::UpdateMapping() {
  if (Loading_) return;
  const TChartArea area = ChartArea();
  if (area.Left != MappedArea_.Left || area.Top != MappedArea_.Top || area.Right != MappedArea_.Right ||
      area.Bottom != MappedArea_.Bottom || Width_ != MappedWidth_ || Height_ != MappedHeight_) {
    for (TLayer& l : Layers_) l.MapX.Current = l.MapY.Current = false;
    MappedArea_ = area;
    MappedWidth_ = Width_;
    MappedHeight_ = Height_;
  }
  const TAxisPlacement horizontal{area.Left, area.Right, area.Width(), Width_};
  const TAxisPlacement vertical{area.Bottom, area.Top, area.Height(), Height_};
  const auto map = [](const TScaleProps& block, const TAxisPlacement& placement, TAxisMapping& mapping) {
    if (mapping.Current && SameBits(mapping.Low, block.RangeLow()) && SameBits(mapping.High, block.RangeHigh()) &&
        SameBits(mapping.MinRange, block.MinRange()) && mapping.Logarithmic == block.Logarithmic()) {
      return;
    }
    mapping.k = 0;
    mapping.d = placement.ControlSize / 2.0L;
    mapping.Current = false;
    if (placement.Extent > 0) {
      double low = block.RangeLow(), high = block.RangeHigh();
      if (block.Logarithmic() && (low <= 0 || high <= 0)) throw EGChartError("Logarithmic axis must not be negative.");
      WidenEqualBounds(low, high, block.Logarithmic(), block.MinRange());
      const long double uLow = AxisValue(low, block.Logarithmic());
      const long double uHigh = AxisValue(high, block.Logarithmic());
      const long double k = (placement.HighEdge - placement.LowEdge) / (uHigh - uLow);
      const long double d = (placement.LowEdge * uHigh - placement.HighEdge * uLow) / (uHigh - uLow);
      // Ends too close for the arithmetic, or infinite, leave the axis without extent.
      if (std::isfinite(k) && std::isfinite(d)) {
        mapping.k = k;
        mapping.d = d;
      }
    }
    mapping.Current = true;
    mapping.Logarithmic = block.Logarithmic();
    mapping.Low = block.RangeLow();
    mapping.High = block.RangeHigh();
    mapping.MinRange = block.MinRange();
  };
  for (TLayer& l : Layers_) {
    map(l.X, horizontal, l.MapX);
    map(l.Y, vertical, l.MapY);
  }
}

// A logarithmic axis puts values below its floor at the control's edge beyond its low end.
int32_t TGChart::AxisPixel(const TScaleProps& block, const TAxisMapping& mapping, double v, int32_t lowEnd,
                           int32_t highEnd) {
  if (!block.Logarithmic()) return RoundToPixel(mapping.k * v + mapping.d);
  if (v > LogFloor) return RoundToPixel(mapping.k * std::log(static_cast<long double>(v)) + mapping.d);
  return block.RangeHigh() >= block.RangeLow() ? lowEnd : highEnd;
}

TPoint TGChart::MapToPixel(int32_t layer, double x, double y) const {
  const TLayer& l = LayerOf(layer);
  return {AxisPixel(l.X, l.MapX, x, 0, Width_), AxisPixel(l.Y, l.MapY, y, Height_, 0)};
}

TDataPoint TGChart::MapToData(int32_t layer, int32_t px, int32_t py) const {
  const TLayer& l = LayerOf(layer);
  const auto value = [](const TScaleProps& block, const TAxisMapping& mapping, int32_t pixel) {
    if (mapping.k == 0) return block.RangeLow();
    const long double u = (pixel - mapping.d) / mapping.k;
    return double(block.Logarithmic() ? std::exp(u) : u);
  };
  return {value(l.X, l.MapX, px), value(l.Y, l.MapY, py)};
}
