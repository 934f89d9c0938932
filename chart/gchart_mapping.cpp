#include "chart/gchart.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "chart/equal_bounds.h"
#include "chart/pixel_round.h"

namespace {

// Equal bits give equal results, where == would take -0 for 0 and never match a NaN.
bool SameBits(double a, double b) { return std::bit_cast<uint64_t>(a) == std::bit_cast<uint64_t>(b); }

long double AxisValue(long double v, bool logarithmic) { return logarithmic ? std::log(v) : v; }

}  // namespace

void TGChart::UpdateMapping() {
  if (Loading_) return;
  const TChartArea area = ChartArea();
  const bool sameArea = IsMappedArea(area);
  // Every range change maps its layer at once, and loading or any other property change
  // ends the current state: a paint after a trend step finds nothing to do.
  if (AllMappingsCurrent_ && sameArea) return;
  AllMappingsCurrent_ = false;
  if (!sameArea) {
    for (TLayer& l : Layers_) l.MapX.Current = l.MapY.Current = false;
    MappedArea_ = area;
    MappedWidth_ = Width_;
    MappedHeight_ = Height_;
  }
  for (TLayer& l : Layers_) MapLayer(l, area);
  AllMappingsCurrent_ = true;
}

// Trend plotting moves one layer's range per sample: when nothing else can have changed
// since the last full pass, the other layers keep their mappings without a look.
void TGChart::UpdateLayerMapping(int32_t layer) {
  if (Loading_) return;
  const TChartArea area = ChartArea();
  if (!AllMappingsCurrent_ || !IsMappedArea(area)) {
    UpdateMapping();
    return;
  }
  AllMappingsCurrent_ = false;
  MapLayer(LayerOf(layer), area);
  AllMappingsCurrent_ = true;
}

bool TGChart::IsMappedArea(const TChartArea& area) const {
  return area.Left == MappedArea_.Left && area.Top == MappedArea_.Top && area.Right == MappedArea_.Right &&
         area.Bottom == MappedArea_.Bottom && Width_ == MappedWidth_ && Height_ == MappedHeight_;
}

void TGChart::MapLayer(TLayer& l, const TChartArea& area) {
  MapAxis(l.X, {area.Left, area.Right, area.Width(), Width_}, l.MapX);
  MapAxis(l.Y, {area.Bottom, area.Top, area.Height(), Height_}, l.MapY);
}

// k and d are kept while the block's range and kind are those they were computed from.
void TGChart::MapAxis(const TScaleProps& block, const TAxisPlacement& placement, TAxisMapping& mapping) {
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
