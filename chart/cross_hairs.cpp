#include "chart/cross_hairs.h"

#include <algorithm>

#include "chart/gchart.h"

int32_t TCrossHair::ClampedLayer(int32_t layer) { return std::clamp(layer, 1, kNumLayers); }

template <typename T>
void TCrossHair::Set(T& field, T value) {
  if (OnChanging) OnChanging(*this);
  field = value;
  if (OnChange) OnChange(*this);
}

void TCrossHair::SetPosX(double x) { Set(PosX_, x); }
void TCrossHair::SetPosY(double y) { Set(PosY_, y); }
void TCrossHair::SetColor(TColor color) { Set(Color_, color); }
void TCrossHair::SetLayer(int32_t layer) { Set(Layer_, ClampedLayer(layer)); }
void TCrossHair::SetMode(TCrossHMode mode) { Set(Mode_, mode); }
void TCrossHair::SetLineType(TPenStyle style) { Set(LineType_, style); }
void TCrossHair::SetLineWid(int32_t width) { Set(LineWid_, width); }

namespace {

void Stroke(TCanvas& canvas, int x1, int y1, int x2, int y2) {
  canvas.MoveTo(x1, y1);
  canvas.LineTo(x2, y2);
}

}  // namespace

void DrawCrossHairs(const TGChart& chart, TCanvas& canvas, TPoint origin, TColor background) {
  bool anyOn = false;
  for (int32_t i = 1; i <= kNumCrossHairs; ++i) anyOn = anyOn || chart.CrossHair(i).Mode() != chOff;
  if (!anyOn) return;  // the canvas is left untouched
  const TColor penColor = canvas.PenColor();
  const int penWidth = canvas.PenWidth();
  const TPenStyle penStyle = canvas.PenStyle();
  const TColor brushColor = canvas.BrushColor();
  const TBrushStyle brushStyle = canvas.BrushStyle();
  const TChartArea area = chart.ChartArea();
  for (int32_t i = 1; i <= kNumCrossHairs; ++i) {
    const TCrossHair& c = chart.CrossHair(i);
    if (c.Mode() == chOff) continue;
    const TPoint p = chart.MapToPixel(c.Layer(), c.PosX(), c.PosY());
    canvas.SetPenColor(c.Color());
    canvas.SetPenWidth(c.LineWid());
    canvas.SetPenStyle(c.LineType());
    canvas.SetBrushColor(background);
    canvas.SetBrushStyle(bsSolid);
    // A wide line keeps its whole width inside the plot area.
    const int32_t half = c.LineWid() / 2;
    const int x = p.x - origin.x;
    const int y = p.y - origin.y;
    if ((c.Mode() == chHoriz || c.Mode() == chBoth) && p.y > area.Top + half && p.y < area.Bottom - half) {
      Stroke(canvas, area.Left + half + 1 - origin.x, y, area.Right - half - origin.x, y);
    }
    if ((c.Mode() == chVert || c.Mode() == chBoth) && p.x > area.Left + half && p.x < area.Right - half) {
      Stroke(canvas, x, area.Top + half + 1 - origin.y, x, area.Bottom - half - origin.y);
    }
    if (c.Mode() == chBox) {
      Stroke(canvas, x - 10, y, x + 10, y);
      Stroke(canvas, x, y - 10, x, y + 10);
      canvas.Rectangle(x - 2, y - 2, x + 3, y + 3);
    }
  }
  canvas.SetPenColor(penColor);
  canvas.SetPenWidth(penWidth);
  canvas.SetPenStyle(penStyle);
  canvas.SetBrushColor(brushColor);
  canvas.SetBrushStyle(brushStyle);
}
