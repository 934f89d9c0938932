#include "chart/gchart.h"

#include <algorithm>

namespace {

constexpr std::array<TColor, kNumLayers> kScaleColorDefaults = {
    clBlack, clMaroon, clGreen,  clOlive, clNavy, clPurple,  clTeal, clGray,
    clSilver, clRed,   clLime,   clYellow, clBlue, clFuchsia, clAqua, clWhite,
};

}  // namespace

TGChart::TGChart() : Store_(std::make_shared<TItemStore>()) {
  ClassVisible_.fill(true);
  LayerVisible_.fill(true);
  InitLayers();
  SetStandardLayout(gcl_X1Bottom_Y1Left);
}

// Odd layers put their x scale below the plot and their y scale on the left, even layers
// above and on the right; layers 3, 5, ... stand further out.
void TGChart::InitLayers() {
  for (int32_t n = 1; n <= kNumLayers; ++n) {
    TLayer& layer = LayerOf(n);
    const bool odd = n % 2 == 1;
    layer.X.SetScaleLocation(odd ? slBottom : slTop);
    layer.Y.SetScaleLocation(odd ? slLeft : slRight);
    layer.X.SetColorScale(kScaleColorDefaults[size_t(n - 1)]);
    layer.Y.SetColorScale(kScaleColorDefaults[size_t(n - 1)]);
    layer.X.SetScalePos((n - 1) / 2 * 30);
    layer.Y.SetScalePos((n - 1) / 2 * 50);
    layer.MouseControl = n == 1;
    layer.XController = n;
    layer.YController = n;
    layer.X.OnChange = [this](TScaleProps&) { ScalePropsChanged(); };
    layer.Y.OnChange = [this](TScaleProps&) { ScalePropsChanged(); };
  }
}

TGChart::~TGChart() {
  if (UseDataOf_) std::erase(UseDataOf_->Sharers_, this);
  // The charts that used this one keep the items they show.
  for (TGChart* sharer : Sharers_) sharer->UseDataOf_ = nullptr;
}

TGChart::TLayer& TGChart::LayerOf(int32_t layer) { return Layers_[size_t(std::clamp(layer, 1, kNumLayers) - 1)]; }

const TGChart::TLayer& TGChart::LayerOf(int32_t layer) const {
  return Layers_[size_t(std::clamp(layer, 1, kNumLayers) - 1)];
}

void TGChart::BeginLoading() {
  Loading_ = true;
  for (TLayer& layer : Layers_) layer.X.OwnerLoading_ = layer.Y.OwnerLoading_ = true;
}

void TGChart::EndLoading() {
  Loading_ = false;
  for (TLayer& layer : Layers_) layer.X.OwnerLoading_ = layer.Y.OwnerLoading_ = false;
  UpdateScaleRenderers();
  UpdateMapping();
  Paint();
}

void TGChart::SetPaintSuspended(bool suspended) {
  if (suspended == PaintSuspended_) return;
  PaintSuspended_ = suspended;
  if (!suspended) Paint();
}

void TGChart::AppearanceChanged() {
  if (AutoRedraw_) Paint();
}

void TGChart::ShowMessage(const std::string& text) {
  if (Host_) Host_->ShowMessage(text);
}
