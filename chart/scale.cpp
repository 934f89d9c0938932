#include "chart/scale.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "chart/pixel_round.h"

namespace {

bool IsHorizontal(TScaleType type) { return type == sctXB || type == sctXT; }

}  // namespace

TScale::TScale(TScaleType type, int layer)
    : Name_((IsHorizontal(type) ? "GC_FScale_X_" : "GC_FScale_Y_") + std::to_string(layer)), ScaleType_(type) {
  Ticks_.reserve(64);
  Label_.reserve(64);
  UpdateMapping();
}

void TScale::Place(const TChartGeometry& chart, int scalePos) {
  // The chart stores its margins unchecked: the sums are taken in 64 bits.
  const auto margin = [](int64_t v) { return int(std::clamp<int64_t>(v, 0, INT32_MAX)); };
  Width_ = chart.Width;
  Height_ = chart.Height;
  switch (ScaleType_) {
    case sctXT:
    case sctXB:
      MarginLeft_ = margin(chart.MarginLeft);
      MarginRight_ = margin(int64_t(chart.MarginRight) + chart.ShadowWidth - 1);
      if (ScaleType_ == sctXT) {
        MarginTop_ = margin(int64_t(scalePos) + chart.Height - chart.MarginBottom - chart.ShadowWidth);
      } else {
        MarginBottom_ = margin(int64_t(scalePos) + chart.Height - chart.MarginTop - 1);
      }
      break;
    case sctYR:
    case sctYL:
      MarginTop_ = margin(chart.MarginTop);
      MarginBottom_ = margin(int64_t(chart.MarginBottom) + chart.ShadowWidth - 1);
      if (ScaleType_ == sctYR) {
        MarginRight_ = margin(int64_t(scalePos) + chart.Width - chart.MarginLeft - 1);
      } else {
        MarginLeft_ = margin(int64_t(scalePos) + chart.Width - chart.MarginRight - chart.ShadowWidth);
      }
      break;
  }
  UpdateMapping();
}

void TScale::SetScaleType(TScaleType type) {
  ScaleType_ = type;
  UpdateMapping();
}

void TScale::SetRangeLow(double value) {
  RangeLow_ = value;
  UpdateMapping();
}

void TScale::SetRangeHigh(double value) {
  RangeHigh_ = value;
  UpdateMapping();
}

void TScale::SetLogarithmic(bool value) {
  Logarithmic_ = value;
  UpdateMapping();
}

void TScale::UpdateMapping() {
  // An empty range keeps the last mapping.
  if (RangeLow_ == RangeHigh_) return;
  const bool horizontal = Horizontal();
  const double c = horizontal ? double(Width_) - MarginLeft_ - MarginRight_ - 1
                              : double(Height_) - MarginTop_ - MarginBottom_ - 1;
  // A bound that is not positive has no logarithm: such an axis maps linearly.
  MapsLogarithmic_ = Logarithmic_ && RangeLow_ > 0 && RangeHigh_ > 0;
  if (c <= 0) {
    Factor_ = 0;
    Offset_ = (horizontal ? Width_ : Height_) / 2.0;
    return;
  }
  const double lo = MapsLogarithmic_ ? std::log(RangeLow_) : RangeLow_;
  const double hi = MapsLogarithmic_ ? std::log(RangeHigh_) : RangeHigh_;
  if (horizontal) {
    Factor_ = c / (hi - lo);
    Offset_ = MarginLeft_ - lo * Factor_;
  } else {
    Factor_ = c / (lo - hi);
    Offset_ = MarginTop_ - hi * Factor_;
  }
}

int32_t TScale::MapValue(double value) const {
  if (!MapsLogarithmic_) return RoundToPixel(Factor_ * value + Offset_);
  if (value > 0) return RoundToPixel(Factor_ * std::log(value) + Offset_);
  // No logarithm: the value lies beyond the low end of the axis.
  const bool ascending = RangeHigh_ >= RangeLow_;
  if (Horizontal()) return ascending ? 0 : Width_;
  return ascending ? Height_ : 0;
}

int TScale::AxisLine() const {
  switch (ScaleType_) {
    case sctXT: return MarginTop_;
    case sctXB: return Height_ - MarginBottom_ - 1;
    case sctYR: return Width_ - MarginRight_ - 1;
    case sctYL: return MarginLeft_;
  }
  return 0;
}

double TScale::Tick(int i) const {
  return i >= 1 && i <= NumTicks_ ? TickList_[size_t(i - 1)] : 0.0;
}

void TScale::Draw(TCanvas& canvas) {
  if (!Visible_) return;
  if (OnBeforeScaleRendered) OnBeforeScaleRendered(*this, canvas);
  canvas.SetPenColor(ColorScale_);
  canvas.SetPenStyle(psSolid);
  canvas.SetPenWidth(1);
  canvas.SetPenMode(pmCopy);
  canvas.SetBrushStyle(bsClear);
  canvas.SetFont(Font_);
  DrawBaseLine(canvas);

  // Durations and dates have their own tick rules, which are linear.
  const bool timeLabels = LabelType_ == ftTime || LabelType_ == ftDateTime;
  const TTickOptions tickOptions{RangeLow_, RangeHigh_, MinTicks_, ShortTicks_, Logarithmic_ && !timeLabels};
  ComputeTicks(tickOptions, Ticks_);
  const TLabelOptions labelOptions{LabelType_,
                                   DecPlaces_,
                                   DrawsDecades(RangeLow_, RangeHigh_, tickOptions.Logarithmic),
                                   RangeLow_,
                                   RangeHigh_,
                                   ScaleInscript_,
                                   UserTickText_,
                                   DateFormat_};
  const int zeroHalfHeight = Horizontal() ? 0 : canvas.TextHeight("0") / 2;
  TLabelRun run;
  int labelIndex = 0;
  NumTicks_ = 0;
  for (const TTick& tick : Ticks_) {
    const int along = MapValue(tick.Value);
    DrawTick(canvas, tick, along);
    if (tick.Kind == tkMinor || LabelType_ == ftNoFigs) continue;
    TickLabelText(labelOptions, tick, ++labelIndex, run, Label_);
    if (OnBeforeTickLabel) OnBeforeTickLabel(*this, ScaleType_, tick.Value, Label_);
    DrawLabel(canvas, along, zeroHalfHeight);
  }
  DrawCaption(canvas);
  if (OnAfterScaleRendered) OnAfterScaleRendered(*this, canvas);
}

void TScale::DrawBaseLine(TCanvas& canvas) const {
  // Both ends are axis pixels; LineTo leaves out its end point.
  const int line = AxisLine();
  if (Horizontal()) {
    canvas.MoveTo(MarginLeft_, line);
    canvas.LineTo(Width_ - MarginRight_, line);
  } else {
    canvas.MoveTo(line, MarginTop_);
    canvas.LineTo(line, Height_ - MarginBottom_);
  }
}

void TScale::DrawTick(TCanvas& canvas, const TTick& tick, int along) {
  const bool major = tick.Kind != tkMinor;
  const int line = AxisLine();
  int x = along, y = line;
  if (Horizontal()) {
    const int length = major ? kMajorTickLengthHoriz : kMinorTickLength;
    canvas.MoveTo(x, y);
    canvas.LineTo(x, ScaleType_ == sctXT ? y + length : y - length);
  } else {
    const int length = major ? kMajorTickLengthVert : kMinorTickLength;
    x = line;
    y = along;
    canvas.MoveTo(x, y);
    canvas.LineTo(ScaleType_ == sctYR ? x - length : x + length, y);
  }
  if (NumTicks_ < kTickListSize) TickList_[size_t(NumTicks_++)] = tick.Value;
  if (OnScaleTickDrawn) OnScaleTickDrawn(*this, canvas, ScaleType_, tick.Value, x, y);
}

void TScale::DrawLabel(TCanvas& canvas, int along, int zeroHalfHeight) {
  if (Label_.empty()) return;
  const int width = canvas.TextWidth(Label_);
  const int line = AxisLine();
  int x, y;
  if (Horizontal()) {
    x = std::max(along - width / 2, kLabelEdgeGap);
    if (x + width > Width_ - kLabelEdgeGap) x = Width_ - kLabelEdgeGap - width;
    y = ScaleType_ == sctXT ? line + kLabelGapHoriz : line - kLabelGapHoriz - canvas.TextHeight(Label_);
  } else {
    x = ScaleType_ == sctYR ? line - kLabelGapVert - width : line + kLabelGapVert;
    y = along - zeroHalfHeight;
  }
  canvas.TextOut(x, y, Label_);
}

void TScale::DrawCaption(TCanvas& canvas) {
  if (Caption_.empty()) return;
  const int line = AxisLine();
  int x, y;
  if (Horizontal()) {
    y = line;
    switch (CaptionAnchor_) {
      case uaSclTopLft: x = MarginLeft_; break;
      case uaSclCenter: x = MarginLeft_ + (Width_ - MarginLeft_ - MarginRight_) / 2; break;
      default: x = Width_ - MarginRight_; break;
    }
  } else {
    x = line;
    switch (CaptionAnchor_) {
      case uaSclTopLft: y = MarginTop_; break;
      case uaSclCenter: y = MarginTop_ + (Height_ - MarginTop_ - MarginBottom_) / 2; break;
      default: y = Height_ - MarginBottom_; break;
    }
  }
  x += CaptionPosX_;
  y += CaptionPosY_;
  const int width = canvas.TextWidth(Caption_);
  if (CaptionAlignment_ == taRightJustify) x -= width;
  if (CaptionAlignment_ == taCenter) x -= width / 2;
  canvas.TextOut(x, y, Caption_);
}
