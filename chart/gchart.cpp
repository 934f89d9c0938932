#include "chart/gchart.h"

#include <algorithm>

#include "chart/item_painter.h"

namespace {

constexpr std::array<TColor, kNumLayers> kScaleColorDefaults = {
    clBlack, clMaroon, clGreen,  clOlive, clNavy, clPurple,  clTeal, clGray,
    clSilver, clRed,   clLime,   clYellow, clBlue, clFuchsia, clAqua, clWhite,
};

}  // namespace

TGChart::TGChart() : Store_(std::make_shared<TItemStore>()), Painter_(std::make_unique<TItemPainter>()) {
  ClassVisible_.fill(true);
  LayerVisible_.fill(true);
  ScalesX_.reserve(kNumLayers);
  ScalesY_.reserve(kNumLayers);
  for (int32_t n = 1; n <= kNumLayers; ++n) {
    ScalesX_.emplace_back(LayerOf(n).X.ScaleType(), n);
    ScalesY_.emplace_back(LayerOf(n).Y.ScaleType(), n);
  }
  for (std::vector<TScale>* scales : {&ScalesX_, &ScalesY_}) {
    for (TScale& scale : *scales) {
      scale.OnScaleTickDrawn = [this](TScale& sender, TCanvas& canvas, TScaleType type, double tick, int x, int y) {
        if (OnScaleTickDrawn) OnScaleTickDrawn(sender, canvas, type, tick, x, y);
      };
      scale.OnBeforeTickLabel = [this](TScale& sender, TScaleType type, double tick, std::string& label) {
        if (OnBeforeTickLabel) OnBeforeTickLabel(sender, type, tick, label);
      };
    }
  }
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
    layer.X.OnChanging = [this](TScaleProps&) { Changing(chScales | chRanges); };
    layer.Y.OnChanging = [this](TScaleProps&) { Changing(chScales | chRanges); };
  }
}

TGChart::~TGChart() {
  if (UseDataOf_) std::erase(UseDataOf_->Sharers_, this);
  // The charts that used this one keep the items they show.
  for (TGChart* sharer : Sharers_) sharer->UseDataOf_ = nullptr;
}

TGChart::TLayer& TGChart::LayerOf(int32_t layer) { return Layers_[LayerIndex(layer)]; }

const TGChart::TLayer& TGChart::LayerOf(int32_t layer) const { return Layers_[LayerIndex(layer)]; }

void TGChart::BeginLoading() {
  Loading_ = true;
  AllMappingsCurrent_ = false;  // ranges set while loading are mapped when it ends
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

void TGChart::SetChartColor(TColor color) { SetLook(ChartColor_, color); }
void TGChart::SetChartFrameColor(TColor color) { SetLook(ChartFrameColor_, color); }
void TGChart::SetWindColor(TColor color) { SetLook(WindColor_, color); }
void TGChart::SetShadowStyle(TShadowStyle style) { SetLook(ShadowStyle_, style); }
void TGChart::SetShadowColor(TColor color) { SetLook(ShadowColor_, color); }
void TGChart::SetShadowBakColor(TColor color) { SetLook(ShadowBakColor_, color); }
void TGChart::SetFont(const TFont& font) { SetLook(Font_, font); }
void TGChart::SetGridStyle(TGridStyle style) { SetLook(GridStyle_, style); }
void TGChart::SetGridColor(TColor color) { SetLook(GridColor_, color); }
void TGChart::SetGridDx(double step) { SetLook(GridDx_, step); }
void TGChart::SetGridDy(double step) { SetLook(GridDy_, step); }
void TGChart::SetTextFontStyle(uint8_t style) { SetLook(TextFontStyle_, style); }
void TGChart::SetTextBkColor(TColor color) { SetLook(TextBkColor_, color); }
void TGChart::SetTextBkStyle(TTextBkStyle style) { SetLook(TextBkStyle_, style); }
void TGChart::SetBackGroundImg(const TBakGndImg& image) { SetLook(BackGroundImg_, image); }

void TGChart::ShowMessage(const std::string& text) {
  if (Host_) Host_->ShowMessage(text);
}
