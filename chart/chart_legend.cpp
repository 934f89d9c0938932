#include "chart/chart_legend.h"

#include <algorithm>

#include "chart/gchart.h"

namespace {

constexpr int kInset = 6;  // from the chart area's edges
constexpr int kPadding = 4;
constexpr int kSwatchLength = 16;
constexpr int kSwatchGap = 5;

TFont LegendFont() {
  TFont font;
  font.Name = "MS Sans Serif";
  font.Height = -12;
  font.Color = clBlack;
  return font;
}

}  // namespace

void TChartLegend::Draw(TCanvas& canvas, const TGChart& chart, int32_t top, int32_t left) const {
  if (Entries.empty()) return;
  const TColor penColor = canvas.PenColor();
  const int penWidth = canvas.PenWidth();
  const TColor brushColor = canvas.BrushColor();
  const TBrushStyle brushStyle = canvas.BrushStyle();
  const TFont font = canvas.Font();

  canvas.SetFont(LegendFont());
  int textWidth = 0;
  for (const TLegendEntry& e : Entries) textWidth = std::max(textWidth, canvas.TextWidth(e.Name));
  const int rowHeight = canvas.TextHeight("Ag") + 2;
  const int width = 2 * kPadding + kSwatchLength + kSwatchGap + textWidth;
  const int height = 2 * kPadding + rowHeight * int(Entries.size());
  // The chart area's corner in this canvas.
  const TChartArea area = chart.ChartArea();
  const int areaLeft = chart.MarginLeft() - left;
  const int areaTop = chart.MarginTop() - top;
  const int x = areaLeft + int(std::max<int64_t>(area.Width() - kInset - width, kInset));
  const int y = areaTop + kInset;

  canvas.SetPenWidth(1);
  canvas.SetPenColor(clGray);
  canvas.SetBrushColor(clWhite);
  canvas.SetBrushStyle(bsSolid);
  canvas.Rectangle(x, y, x + width, y + height);
  canvas.SetBrushStyle(bsClear);
  int rowTop = y + kPadding;
  for (const TLegendEntry& e : Entries) {
    const int middle = rowTop + rowHeight / 2;
    canvas.SetPenColor(e.Color);
    canvas.SetPenWidth(2);
    canvas.MoveTo(x + kPadding, middle);
    canvas.LineTo(x + kPadding + kSwatchLength, middle);
    canvas.TextOut(x + kPadding + kSwatchLength + kSwatchGap, rowTop + 1, e.Name);
    rowTop += rowHeight;
  }

  canvas.SetPenColor(penColor);
  canvas.SetPenWidth(penWidth);
  canvas.SetBrushColor(brushColor);
  canvas.SetBrushStyle(brushStyle);
  canvas.SetFont(font);
}
