#include "chart/text_labels.h"

#include <algorithm>
#include <utility>

#include "chart/gchart.h"
#include "chart/pixel_round.h"

void TTextLabel::Changed() {
  if (OnChange) OnChange(*this);
}

void TTextLabel::SetMode(TTextLabelMode mode) {
  Mode_ = mode;
  Changed();
}

void TTextLabel::SetVisible(bool visible) {
  Visible_ = visible;
  Changed();
}

void TTextLabel::SetPosX(double x) {
  PosX_ = x;
  Changed();
}

void TTextLabel::SetPosY(double y) {
  PosY_ = y;
  Changed();
}

void TTextLabel::SetAttachToData(TTextLabelAttach attach) {
  AttachToData_ = attach;
  Changed();
}

void TTextLabel::SetLayer(int32_t layer) {
  Layer_ = std::clamp(layer, 1, kNumLayers);
  Changed();
}

void TTextLabel::SetText(std::string text) {
  Text_ = std::move(text);
  Changed();
}

void TTextLabel::SetFont(const TFont& font) {
  Font_ = font;
  Changed();
}

void TTextLabel::SetBkColor(TColor color) {
  BkColor_ = color;
  Changed();
}

void TTextLabel::SetFrameColor(TColor color) {
  FrameColor_ = color;
  Changed();
}

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
  const TColor penColor = canvas.PenColor();
  const TColor brushColor = canvas.BrushColor();
  const TBrushStyle brushStyle = canvas.BrushStyle();
  const TFont font = canvas.Font();
  for (int32_t i = 1; i <= kNumTextLabels; ++i) {
    const TTextLabel& label = chart.TextLabel(i);
    if (!label.Shown() || label.Text().empty()) continue;
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
