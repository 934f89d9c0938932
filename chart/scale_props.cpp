#include "chart/scale_props.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

bool IsHorizontal(TScaleType type) { return type == sctXB || type == sctXT; }

}  // namespace

void TScaleProps::Changed() {
  if (OnChange) OnChange(*this);
}

void TScaleProps::SetCaption(std::string caption) {
  Caption_ = std::move(caption);
  Changed();
}

void TScaleProps::SetCaptionPosX(int32_t x) {
  CaptionPosX_ = x;
  Changed();
}

void TScaleProps::SetCaptionPosY(int32_t y) {
  CaptionPosY_ = y;
  Changed();
}

void TScaleProps::SetCaptionAlignment(TAlignment alignment) {
  CaptionAlignment_ = alignment;
  Changed();
}

void TScaleProps::SetCaptionAnchor(TScaleUnitAnchor anchor) {
  CaptionAnchor_ = anchor;
  Changed();
}

void TScaleProps::SetColorScale(TColor color) {
  ColorScale_ = color;
  Changed();
}

void TScaleProps::SetDateFormat(const TDTLabel& format) {
  DateFormat_ = format;
  Changed();
}

void TScaleProps::SetDecPlaces(int32_t places) {
  DecPlaces_ = std::clamp(places, -3, 12);
  Changed();
}

void TScaleProps::SetFont(const TFont& font) {
  Font_ = font;
  Changed();
}

void TScaleProps::SetLogarithmic(bool logarithmic) {
  if (!logarithmic || OwnerLoading_ ||
      (RangeLow_ >= LogFloor && RangeHigh_ >= LogFloor && LabelType_ != ftDateTime)) {
    Logarithmic_ = logarithmic;
  }
  Changed();
}

void TScaleProps::SetLabelType(TFigType type) {
  LabelType_ = type;
  if (type == ftDateTime) Logarithmic_ = false;
  if (type == ftTime) DecPlaces_ = 4;
  Changed();
}

void TScaleProps::SetMinTicks(int32_t ticks) {
  MinTicks_ = ticks;
  Changed();
}

void TScaleProps::SetMinRange(double range) {
  if (!(range > LogFloor)) return;
  MinRange_ = range;
  if (std::fabs(RangeHigh_ - RangeLow_) < range) {
    const double centre = (RangeLow_ + RangeHigh_) / 2;
    RangeLow_ = centre - range / 2;
    RangeHigh_ = centre + range / 2;
    Changed();
  }
}

void TScaleProps::SetRangeLow(double low) {
  if (Logarithmic_ && low < LogFloor) return;
  RangeLow_ = low;
  if (std::fabs(RangeHigh_ - low) < MinRange_) RangeHigh_ = low + MinRange_;
  Changed();
}

void TScaleProps::SetRangeHigh(double high) {
  if (Logarithmic_ && high < LogFloor) return;
  RangeHigh_ = high;
  if (std::fabs(RangeLow_ - high) < MinRange_) RangeLow_ = high - MinRange_;
  Changed();
}

void TScaleProps::SetShortTicks(bool shortTicks) {
  ShortTicks_ = shortTicks;
  Changed();
}

void TScaleProps::SetScaleInscript(std::string inscript) {
  ScaleInscript_ = std::move(inscript);
  Changed();
}

int32_t TScaleProps::ScalePos() const { return IsHorizontal(ScaleType_) ? ScalePosHoriz_ : ScalePosVert_; }

void TScaleProps::SetScalePos(int32_t pos) {
  (IsHorizontal(ScaleType_) ? ScalePosHoriz_ : ScalePosVert_) = pos;
  Changed();
}

void TScaleProps::SetUserTickText(std::string text) {
  UserTickText_ = std::move(text);
  Changed();
}

void TScaleProps::SetVisible(bool visible) {
  Visible_ = visible;
  Changed();
}

void TScalePropsHoriz::SetScaleLocation(TScaleLocationHoriz location) {
  Location_ = location;
  SetScaleType(location == slTop ? sctXB : sctXT);
  Changed();
}

void TScalePropsVert::SetScaleLocation(TScaleLocationVert location) {
  Location_ = location;
  SetScaleType(location == slLeft ? sctYR : sctYL);
  Changed();
}
