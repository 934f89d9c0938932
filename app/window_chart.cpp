#include "app/window_chart.h"

namespace {

TFont PixelFont(const char* face, int pixelHeight) {
  TFont font;
  font.Name = face;
  font.Height = -pixelHeight;
  font.Color = clBlack;
  return font;
}

}  // namespace

void SetUpWindowChart(TGChart& c) {
  c.BeginLoading();
  c.SetFont(PixelFont("Tahoma", 15));
  c.SetAllocSize(110000);
  c.SetAutoRedraw(false);
  c.SetMarginLeft(80);
  c.SetMarginRight(20);
  c.SetMarginTop(30);
  c.SetMarginBottom(45);
  c.SetGridStyle(gsLines);
  c.SetWindColor(clWhite);
  c.SetGridColor(clSilver);
  c.SetClassDefault(0);
  c.SetIsometric(false);
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
  for (int layer = 1; layer <= kNumLayers; ++layer) {
    for (TScaleProps* block : {static_cast<TScaleProps*>(&c.ScaleX(layer)), static_cast<TScaleProps*>(&c.ScaleY(layer))}) {
      block->SetMinTicks(3);
      block->SetMinRange(1e-10);
      block->SetShortTicks(true);
      block->SetLabelType(ftNum);
      block->SetLogarithmic(false);
      block->SetFont(scaleFont);
    }
  }
  TScalePropsHoriz& x1 = c.Scale1X();
  x1.SetVisible(true);
  x1.SetColorScale(clBlack);
  x1.SetRangeLow(0);
  x1.SetRangeHigh(1000);
  SetWindowChartXAxis(c, false);
  x1.SetCaptionPosX(0);
  x1.SetCaptionPosY(28);
  x1.SetCaptionAlignment(taRightJustify);
  x1.SetCaptionAnchor(uaSclBotRgt);
  x1.SetScaleLocation(slBottom);
  x1.SetDecPlaces(0);
  TScalePropsVert& y1 = c.Scale1Y();
  y1.SetVisible(true);
  y1.SetColorScale(clBlack);
  y1.SetRangeLow(1);
  y1.SetRangeHigh(10);
  y1.SetCaptionPosX(-30);
  y1.SetCaptionPosY(-28);
  y1.SetCaptionAlignment(taLeftJustify);
  y1.SetCaptionAnchor(uaSclTopLft);
  y1.SetScaleLocation(slLeft);
  y1.SetDecPlaces(-2);
  TScalePropsHoriz& x2 = c.Scale2X();
  x2.SetVisible(false);
  x2.SetColorScale(clMaroon);
  x2.SetRangeLow(0);
  x2.SetRangeHigh(1000);
  x2.SetScaleLocation(slBottom);
  TScalePropsVert& y2 = c.Scale2Y();
  y2.SetVisible(false);
  y2.SetColorScale(clMaroon);
  y2.SetRangeLow(1);
  y2.SetRangeHigh(10);
  y2.SetCaptionPosX(0);
  y2.SetCaptionPosY(-28);
  y2.SetCaptionAlignment(taRightJustify);
  y2.SetCaptionAnchor(uaSclTopLft);
  y2.SetScaleLocation(slLeft);
  y2.SetScalePos(80);
  for (int layer = 3; layer <= 4; ++layer) {
    const TColor color = layer == 3 ? clGreen : clOlive;
    for (TScaleProps* block : {static_cast<TScaleProps*>(&c.ScaleX(layer)), static_cast<TScaleProps*>(&c.ScaleY(layer))}) {
      block->SetVisible(false);
      block->SetColorScale(color);
      block->SetRangeLow(0);
      block->SetRangeHigh(1);
    }
  }
  c.EndLoading();
}

void SetWindowChartStartRanges(TGChart& chart) {
  chart.SetRange(1, 0, 0, 1000, 10);
  chart.SetRange(2, 0, 0, 1000, 10);
}

void SetUpAsShownInWindow(TGChart& chart) {
  SetUpWindowChart(chart);
  chart.Resize(kWindowChartWidth, kWindowChartHeight);
  SetWindowChartStartRanges(chart);
}

void SetWindowChartXAxis(TGChart& chart, bool time) {
  chart.Scale1X().SetCaption(time ? "Zeit [s]" : "Anzahl Samples");
}
