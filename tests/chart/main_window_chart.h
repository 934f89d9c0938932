#pragma once
// The main window's chart as its form sets it up, 577 x 361, drawing on Qt bitmaps: the
// margins 80, 20, 30, 45, a box shadow of 1, the grid in lines, layer 1 at x 0..1000 and
// y 0..10 with visible scales, AutoRedraw off, painting no longer suspended.

#include <QFont>

#include "chart/gchart.h"
#include "chart/qt/qt_bitmap.h"

inline void SetUpAsMainWindowChart(TGChart& chart) {
  chart.BeginLoading();
  chart.SetFont({"Tahoma", -15});
  chart.SetAllocSize(110000);
  chart.SetAutoRedraw(false);
  chart.SetMarginLeft(80);
  chart.SetMarginRight(20);
  chart.SetMarginTop(30);
  chart.SetMarginBottom(45);
  chart.SetGridStyle(gsLines);
  chart.SetWindColor(clWhite);
  chart.SetGridColor(clSilver);
  chart.SetClassDefault(0);
  chart.SetCaptionPosX(0);
  chart.SetCaptionPosY(-28);
  chart.SetCaptionAlignment(taCenter);
  chart.SetCaptionAnchorHoriz(cahChartCenter);
  chart.SetCaptionAnchorVert(cavChartTop);
  chart.SetShadowWidth(1);
  chart.SetShadowStyle(ssBox);
  chart.SetShadowColor(clGray);
  chart.SetShadowBakColor(clBtnFace);
  chart.SetTextBkStyle(tbClear);
  TScalePropsHoriz& x = chart.Scale1X();
  x.SetCaption("Anzahl Samples");
  x.SetCaptionPosY(28);
  x.SetCaptionAlignment(taRightJustify);
  x.SetCaptionAnchor(uaSclBotRgt);
  x.SetDecPlaces(0);
  x.SetRangeHigh(1000);
  x.SetVisible(true);
  TScalePropsVert& y = chart.Scale1Y();
  y.SetCaptionPosX(-30);
  y.SetCaptionPosY(-28);
  y.SetCaptionAlignment(taLeftJustify);
  y.SetRangeLow(1);
  y.SetRangeHigh(10);
  y.SetVisible(true);
  chart.Scale2X().SetRangeHigh(1000);
  chart.Scale2Y().SetScalePos(80);
  chart.Scale2Y().SetRangeLow(1);
  chart.Scale2Y().SetRangeHigh(10);
  chart.EndLoading();
  chart.Resize(577, 361);
  chart.SetRange(1, 0, 0, 1000, 10);
  chart.SetRange(2, 0, 0, 1000, 10);
}

// A main window chart with its own bitmaps, as the widget gives them.
struct TQtMainChart {
  TQtMainChart() {
    Chart.SetBitmapFactory(&Factory);
    SetUpAsMainWindowChart(Chart);
    Chart.SetPaintSuspended(false);
  }
  TQtBitmapFactory Factory;
  TGChart Chart;
};

// Faces of the form map to Liberation Sans; call with the application made.
inline void SubstituteChartFonts() {
  QFont::insertSubstitution("MS Sans Serif", "Liberation Sans");
  QFont::insertSubstitution("Tahoma", "Liberation Sans");
}
