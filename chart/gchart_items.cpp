#include "chart/gchart.h"

void TGChart::SetAllocSize(int32_t size) {
  if (size >= 1 && size <= 1000000) AllocSize_ = size;
}

void TGChart::SetClassDefault(uint8_t itemClass) {
  if (itemClass != 255) ClassDefault_ = itemClass;
}

bool TGChart::LayerVisible(int32_t layer) const {
  return layer >= 1 && layer <= kNumLayers && LayerVisible_[size_t(layer - 1)];
}

void TGChart::SetLayerVisible(int32_t layer, bool visible) {
  if (layer < 1 || layer > kNumLayers) return;
  Changing(chItems);
  LayerVisible_[size_t(layer - 1)] = visible;
}

void TGChart::SetClassVisible(uint8_t itemClass, bool visible) {
  Changing(chItems);
  ClassVisible_[itemClass] = visible;
}

void TGChart::SetCurrentLayer(int32_t layer) {
  if (layer < 1 || layer > kNumLayers) return;
  CurrentLayer_ = layer;
  AppearanceChanged();
}

// The fields every drawing operation writes; FillColor is left to the operation.
void TGChart::WriteCommonFields(TChartItem& item) const {
  item.Layer = CurrentLayer_;
  item.Class = ClassDefault_;
  item.Color = DataColor_;
  item.PenStyle = PenStyle_;
  item.Reserved52 = 0;
  item.LineWidth = LineWidth_;
}

void TGChart::MoveTo(double x, double y) {
  TChartItem& item = Store_->NextSlot(AllocSize_);
  item.Kind = ikMoveTo;
  WriteCommonFields(item);
  item.X = x;
  item.Y = y;
  Store_->CommitNextSlot();
}

void TGChart::DrawTo(double x, double y) {
  TChartItem& item = Store_->NextSlot(AllocSize_);
  item.Kind = ikDrawTo;
  WriteCommonFields(item);
  item.FillColor = FillColor_;
  item.X = x;
  item.Y = y;
  Store_->CommitNextSlot();
}

void TGChart::Line(double x1, double y1, double x2, double y2) {
  TChartItem& item = Store_->NextSlot(AllocSize_);
  item.Kind = ikLine;
  WriteCommonFields(item);
  item.FillColor = FillColor_;
  item.X = x1;
  item.Y = y1;
  item.X2 = x2;
  item.Y2 = y2;
  Store_->CommitNextSlot();
}

void TGChart::RemoveItem(int32_t index) {
  ItemsChanging();
  Store_->RemoveItem(index);
}

void TGChart::RemoveLayerItems(int32_t layer) {
  ItemsChanging();
  Store_->RemoveLayer(layer);
}

void TGChart::ClearGraph() {
  ItemsChanging();
  PaintEmptyChartArea();
  Store_->Clear();
}
