#include "app/filtered_copies.h"

#include <algorithm>

#include "acquisition/chart_curves.h"
#include "analysis/analysis_error.h"

namespace {

// Orange, green, purple, teal, brown: apart from the channels' blue and maroon.
constexpr TColor kCopyColors[] = {0x0080FF, 0x00A000, 0xC000C0, 0x808000, 0x2D52A0};

}  // namespace

bool TFilteredCopies::IsCopy(int32_t layer) const {
  return std::any_of(Copies_.begin(), Copies_.end(), [layer](const auto& c) { return c->Layer == layer; });
}

int32_t TFilteredCopies::FreeLayer() const {
  std::array<bool, kNumLayers> used{};
  for (const TChartItem& item : Chart_.Items()) {
    if (item.Layer >= 1 && item.Layer <= kNumLayers) used[size_t(item.Layer - 1)] = true;
  }
  // From the top, so that the channels, which take layers from 1 up, keep theirs.
  for (int32_t layer = kNumLayers; layer >= 1; --layer) {
    if (!used[size_t(layer - 1)] && !IsCopy(layer) && Chart_.LxControlledBy(layer) == layer) return layer;
  }
  throw EAnalysisError("Alle Ebenen der Grafik sind belegt: erst eine gefilterte Kurve entfernen");
}

int32_t TFilteredCopies::Add(int32_t source, const TFilterDesign& design) {
  auto copy = std::make_unique<TFilteredCopy>();
  copy->Filter = MakeFilter(design);
  copy->Design = design;
  copy->Source = source;
  copy->Layer = FreeLayer();
  copy->Color = kCopyColors[Copies_.size() % std::size(kCopyColors)];
  Chart_.SetLxControlledBy(copy->Layer, Chart_.LxControlledBy(source));
  Chart_.SetLyControlledBy(copy->Layer, Chart_.LyControlledBy(source));

  std::vector<TCurvePoint> points;
  for (const TChartItem& item : Chart_.Items()) {
    const auto p = CurvePoint(item);
    if (p && p->Layer == source) points.push_back(*p);
  }
  for (const TCurvePoint& p : points) Sample(*copy, p.X, p.Y);
  Copies_.push_back(std::move(copy));
  Chart_.ShowGraph();
  return Copies_.back()->Layer;
}

void TFilteredCopies::Remove(int32_t layer) {
  const auto it = std::find_if(Copies_.begin(), Copies_.end(), [layer](const auto& c) { return c->Layer == layer; });
  if (it == Copies_.end()) return;
  Copies_.erase(it);
  Chart_.RemoveLayerItems(layer);
  Chart_.SetLxControlledBy(layer, layer);
  Chart_.SetLyControlledBy(layer, layer);
  Chart_.ShowGraph();
}

void TFilteredCopies::TrimWindow() {
  while (Chart_.NumItems() > 0) {
    const TChartItem& front = Chart_.Items().front();
    if (!IsCopy(front.Layer) || front.X2 > Chart_.ScaleX(front.Layer).RangeLow()) return;
    Chart_.RemoveFirstItem();
  }
}

void TFilteredCopies::Restart() {
  for (const auto& copy : Copies_) {
    copy->Filter->Reset();
    copy->HasLast = false;
  }
}

void TFilteredCopies::Sample(int32_t source, double x, double y) {
  for (const auto& copy : Copies_) {
    if (copy->Source == source) Sample(*copy, x, y);
  }
}

void TFilteredCopies::Sample(TFilteredCopy& copy, double x, double y) {
  const double filtered = copy.Filter->Step(y);
  const int32_t layer = Chart_.CurrentLayer();
  const TColor color = Chart_.DataColor();
  Chart_.SetCurrentLayer(copy.Layer);
  Chart_.SetDataColor(copy.Color);
  // Segments, not a DrawTo chain: the chain point is shared with the channels' curves.
  if (copy.HasLast) {
    Chart_.Line(copy.LastX, copy.LastY, x, filtered);
  } else {
    Chart_.Line(x, filtered, x, filtered);
  }
  Chart_.SetCurrentLayer(layer);
  Chart_.SetDataColor(color);
  copy.HasLast = true;
  copy.LastX = x;
  copy.LastY = filtered;
}
