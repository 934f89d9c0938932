#include "chart/text_labels.h"

#include <algorithm>
#include <utility>

#include "chart/gchart.h"
#include "chart/pixel_round.h"

template <typename T>
void TTextLabel::Set(T& field, T value) {
  if (OnChanging) OnChanging(*this);
  field = std::move(value);
  if (OnChange) OnChange(*this);
}

void TTextLabel::SetMode(TTextLabelMode mode) { Set(Mode_, mode); }
void TTextLabel::SetVisible(bool visible) { Set(Visible_, visible); }
void TTextLabel::SetPosX(double x) { Set(PosX_, x); }
void TTextLabel::SetPosY(double y) { Set(PosY_, y); }
void TTextLabel::SetAttachToData(TTextLabelAttach attach) { Set(AttachToData_, attach); }
void TTextLabel::SetLayer(int32_t layer) { Set(Layer_, std::clamp(layer, 1, kNumLayers)); }
void TTextLabel::SetText(std::string text) { Set(Text_, std::move(text)); }
void TTextLabel::SetFont(const TFont& font) { Set(Font_, font); }
void TTextLabel::SetBkColor(TColor color) { Set(BkColor_, color); }
void TTextLabel::SetFrameColor(TColor color) { Set(FrameColor_, color); }

namespace {

bool XInData(TTextLabelAttach attach) { return attach == tlamXOnly || attach == tlamBoth; }
bool YInData(TTextLabelAttach attach) { return attach == tlamYOnly || attach == tlamBoth; }


}  // namespace

TPoint TextLabelAnchor(const TGChart& chart, const TTextLabel& label) {
  const TTextLabelAttach attach = label.AttachToData();
  const TPoint mapped = chart.MapToPixel(label.Layer(), label.PosX(), label.PosY());
  return {XInData(attach) ? mapped.x : RoundToPixel(label.PosX()), YInData(attach) ? mapped.y : RoundToPixel(label.PosY())};
}

void MoveTextLabelTo(const TGChart& chart, TTextLabel& label, TPoint pixel) {
  const TTextLabelAttach attach = label.AttachToData();
  const TDataPoint data = chart.MapToData(label.Layer(), pixel.x, pixel.y);
  label.SetPosX(XInData(attach) ? data.x : pixel.x);
  label.SetPosY(YInData(attach) ? data.y : pixel.y);
}

void DrawTextLabels(const TGChart& chart, TCanvas& canvas, int xOffset, int yOffset) {
  const auto drawn = [&](int32_t i) { return chart.TextLabel(i).Shown() && !chart.TextLabel(i).Text().empty(); };
  bool any = false;
  for (int32_t i = 1; i <= kNumTextLabels; ++i) any = any || drawn(i);
  if (!any) return;  // the canvas is left untouched
  const TColor penColor = canvas.PenColor();
  const TColor brushColor = canvas.BrushColor();
  const TBrushStyle brushStyle = canvas.BrushStyle();
  const TFont font = canvas.Font();
  for (int32_t i = 1; i <= kNumTextLabels; ++i) {
    if (!drawn(i)) continue;
    const TTextLabel& label = chart.TextLabel(i);
    const TPoint anchor = TextLabelAnchor(chart, label);
    const int x = anchor.x - chart.MarginLeft() + xOffset;
    const int y = anchor.y - chart.MarginTop() + yOffset;
    canvas.SetFont(label.Font());
    if (label.Mode() == tlFramed) {
      canvas.SetPenColor(label.FrameColor());
      canvas.SetBrushColor(label.BkColor());
      canvas.SetBrushStyle(bsSolid);
      canvas.Rectangle(x - 2, y - 1, x + canvas.TextWidth(label.Text()) + 2, y + canvas.TextHeight(label.Text()) + 1);
    }
    canvas.SetBrushStyle(bsClear);
    canvas.TextOut(x, y, label.Text());
  }
  canvas.SetPenColor(penColor);
  canvas.SetBrushColor(brushColor);
  canvas.SetBrushStyle(brushStyle);
  canvas.SetFont(font);
}
