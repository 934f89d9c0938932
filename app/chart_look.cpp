#include "app/chart_look.h"

namespace {

TFont PixelFont(const char* face, int pixelHeight) {
  TFont font;
  font.Name = face;
  font.Height = -pixelHeight;
  font.Color = clBlack;
  return font;
}

}  // namespace

void ApplyChartLook(TGChart& c) {
  c.SetFont(PixelFont("Tahoma", 15));
  c.SetAutoRedraw(false);
  c.SetMarginLeft(80);
  c.SetMarginRight(20);
  c.SetMarginTop(30);
  c.SetMarginBottom(45);
  c.SetGridStyle(gsLines);
  c.SetWindColor(clWhite);
  c.SetGridColor(clSilver);
  c.SetCaptionPosX(0);
  c.SetCaptionPosY(-28);
  c.SetCaptionAlignment(taCenter);
  c.SetCaptionAnchorHoriz(cahChartCenter);
  c.SetCaptionAnchorVert(cavChartTop);
  c.SetMouseAction(maPan);
  c.SetMouseCursorFixed(true);
  c.SetShadowWidth(1);
  c.SetShadowStyle(ssBox);
  c.SetShadowColor(clGray);
  c.SetShadowBakColor(clBtnFace);
  c.SetTextBkStyle(tbClear);

  const TFont scaleFont = PixelFont("MS Sans Serif", 13);
  for (int32_t layer = 1; layer <= kNumLayers; ++layer) {
    for (TScaleProps* block : {static_cast<TScaleProps*>(&c.ScaleX(layer)), static_cast<TScaleProps*>(&c.ScaleY(layer))}) {
      block->SetMinTicks(3);
      block->SetMinRange(1e-10);
      block->SetShortTicks(true);
      block->SetLabelType(ftNum);
      block->SetLogarithmic(false);
      block->SetFont(scaleFont);
    }
  }
}
