#include "chart/gchart.h"

#include <algorithm>
#include <utility>

#include "chart/pixel_round.h"

namespace {

struct TLayoutPreset {
  int32_t MarginLeft, MarginRight, MarginTop, MarginBottom;
  int32_t CaptionPosX, CaptionPosY;
  TAlignment CaptionAlignment;
  TCaptionAnchorHoriz CaptionAnchorHoriz;
  TCaptionAnchorVert CaptionAnchorVert;
};

constexpr TLayoutPreset kLayoutPresets[] = {
    {50, 20, 20, 40, 0, -16, taRightJustify, cahChartRight, cavChartTop},  // gcl_X1Bottom_Y1Left
    {100, 20, 24, 40, 0, -16, taRightJustify, cahChartRight, cavChartTop},  // gcl_X1Bottom_Y2Left
    {150, 20, 24, 40, 0, -16, taRightJustify, cahChartRight, cavChartTop},  // gcl_X1Bottom_Y3Left
    {200, 20, 24, 40, 0, -16, taRightJustify, cahChartRight, cavChartTop},  // gcl_X1Bottom_Y4Left
    {50, 50, 24, 40, 0, -20, taCenter, cahChartCenter, cavChartTop},  // gcl_X1Bottom_Y2Both
    {100, 20, 24, 70, 0, -16, taRightJustify, cahChartRight, cavChartTop},  // gcl_X2Bottom_Y2Left
    {50, 50, 48, 40, 0, -46, taCenter, cahChartCenter, cavChartTop},  // gcl_X2Both_Y2Both
};

}  // namespace

TChartArea TGChart::ChartArea() const {
  return {MarginLeft_, MarginTop_, ClampToInt32(int64_t(Width_) - MarginRight_ - ShadowWidth_),
          ClampToInt32(int64_t(Height_) - MarginBottom_ - ShadowWidth_)};
}

void TGChart::Resize(int32_t width, int32_t height) {
  Changing(chGeometry);
  TPaintSuspension suspension(*this);
  Width_ = std::max(width, ClampToInt32(int64_t(MarginLeft_) + MarginRight_ + ShadowWidth_ + 80));
  Height_ = std::max(height, ClampToInt32(int64_t(MarginTop_) + MarginBottom_ + ShadowWidth_ + 20));
  if (Isometric_) ApplyIsometric();
  UpdateScaleRenderers();
  UpdateMapping();
  // The window system repaints a resized control by itself.
}

void TGChart::GeometryChanged() {
  if (Isometric_) ApplyIsometric();
  UpdateScaleRenderers();
  UpdateMapping();
  AppearanceChanged();
}

void TGChart::SetMarginLeft(int32_t margin) { SetGeometry(MarginLeft_, margin); }
void TGChart::SetMarginRight(int32_t margin) { SetGeometry(MarginRight_, margin); }
void TGChart::SetMarginTop(int32_t margin) { SetGeometry(MarginTop_, margin); }
void TGChart::SetMarginBottom(int32_t margin) { SetGeometry(MarginBottom_, margin); }
void TGChart::SetShadowWidth(int32_t width) { SetGeometry(ShadowWidth_, std::clamp(width, 0, 32)); }

void TGChart::SetStandardLayout(TStandardLayout layout) {
  if (layout >= std::size(kLayoutPresets)) return;
  const TLayoutPreset& preset = kLayoutPresets[layout];
  TPaintSuspension suspension(*this);
  StandardLayout_ = layout;
  SetMarginLeft(preset.MarginLeft);
  SetMarginRight(preset.MarginRight);
  SetMarginTop(preset.MarginTop);
  SetMarginBottom(preset.MarginBottom);
  SetCaptionPosX(preset.CaptionPosX);
  SetCaptionPosY(preset.CaptionPosY);
  SetCaptionAlignment(preset.CaptionAlignment);
  SetCaptionAnchorHoriz(preset.CaptionAnchorHoriz);
  SetCaptionAnchorVert(preset.CaptionAnchorVert);
  suspension.Restore();
}

void TGChart::SetCaption(std::string caption) { SetLook(Caption_, caption); }
void TGChart::SetCaptionPosX(int32_t x) { SetLook(CaptionPosX_, x); }
void TGChart::SetCaptionPosY(int32_t y) { SetLook(CaptionPosY_, y); }
void TGChart::SetCaptionAlignment(TAlignment alignment) { SetLook(CaptionAlignment_, alignment); }
void TGChart::SetCaptionAnchorHoriz(TCaptionAnchorHoriz anchor) { SetLook(CaptionAnchorHoriz_, anchor); }
void TGChart::SetCaptionAnchorVert(TCaptionAnchorVert anchor) { SetLook(CaptionAnchorVert_, anchor); }
