#include "chart/scale_props.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

bool IsHorizontal(TScaleType type) { return type == sctXB || type == sctXT; }

}  // namespace

void TScaleProps::Changing() {
  if (OnChanging) OnChanging(*this);
}

void TScaleProps::Changed() {
  if (OnChange) OnChange(*this);
}

void TScaleProps::SetCaption(std::string caption) {
  Changing();
  Caption_ = std::move(caption);
  Changed();
}

void TScaleProps::SetCaptionPosX(int32_t x) {
  Changing();
  CaptionPosX_ = x;
  Changed();
}

void TScaleProps::SetCaptionPosY(int32_t y) {
  Changing();
  CaptionPosY_ = y;
  Changed();
}

void TScaleProps::SetCaptionAlignment(TAlignment alignment) {
  Changing();
  CaptionAlignment_ = alignment;
  Changed();
}

void TScaleProps::SetCaptionAnchor(TScaleUnitAnchor anchor) {
  Changing();
  CaptionAnchor_ = anchor;
  Changed();
}

void TScaleProps::SetColorScale(TColor color) {
  Changing();
  ColorScale_ = color;
  Changed();
}

void TScaleProps::SetDateFormat(const TDTLabel& format) {
  Changing();
  DateFormat_ = format;
  Changed();
}

void TScaleProps::SetDecPlaces(int32_t places) {
  Changing();
  DecPlaces_ = std::clamp(places, -3, 12);
  Changed();
}

void TScaleProps::SetFont(const TFont& font) {
  Changing();
  Font_ = font;
  Changed();
}

void TScaleProps::SetLogarithmic(bool logarithmic) {
  Changing();
  if (!logarithmic || OwnerLoading_ ||
      (RangeLow_ >= LogFloor && RangeHigh_ >= LogFloor && LabelType_ != ftDateTime)) {
    Logarithmic_ = logarithmic;
  }
  Changed();
}

void TScaleProps::SetLabelType(TFigType type) {
  Changing();
  LabelType_ = type;
  if (type == ftDateTime) Logarithmic_ = false;
  if (type == ftTime) DecPlaces_ = 4;
  Changed();
}

void TScaleProps::SetMinTicks(int32_t ticks) {
  Changing();
  MinTicks_ = ticks;
  Changed();
}

void TScaleProps::SetMinRange(double range) {
  if (!(range > LogFloor)) return;
  const bool widens = std::fabs(RangeHigh_ - RangeLow_) < range;
  if (widens) Changing();
  MinRange_ = range;
  if (widens) {
    const double centre = (RangeLow_ + RangeHigh_) / 2;
    RangeLow_ = centre - range / 2;
    RangeHigh_ = centre + range / 2;
    Changed();
  }
}

void TScaleProps::SetRangeLow(double low) {
  Changing();
  if (Logarithmic_ && low < LogFloor) return;
  RangeLow_ = low;
  if (std::fabs(RangeHigh_ - low) < MinRange_) RangeHigh_ = low + MinRange_;
  Changed();
}

void TScaleProps::SetRangeHigh(double high) {
  Changing();
  if (Logarithmic_ && high < LogFloor) return;
  RangeHigh_ = high;
  if (std::fabs(RangeLow_ - high) < MinRange_) RangeLow_ = high - MinRange_;
  Changed();
}

void TScaleProps::SetShortTicks(bool shortTicks) {
  Changing();
  ShortTicks_ = shortTicks;
  Changed();
}

void TScaleProps::SetScaleInscript(std::string inscript) {
  Changing();
  ScaleInscript_ = std::move(inscript);
  Changed();
}

int32_t TScaleProps::ScalePos() const { return IsHorizontal(ScaleType_) ? ScalePosHoriz_ : ScalePosVert_; }

void TScaleProps::SetScalePos(int32_t pos) {
  Changing();
  (IsHorizontal(ScaleType_) ? ScalePosHoriz_ : ScalePosVert_) = pos;
  Changed();
}

void TScaleProps::SetUserTickText(std::string text) {
  Changing();
  UserTickText_ = std::move(text);
  Changed();
}

void TScaleProps::SetVisible(bool visible) {
  Changing();
  Visible_ = visible;
  Changed();
}

void TScalePropsHoriz::SetScaleLocation(TScaleLocationHoriz location) {
  Changing();
  Location_ = location;
  SetScaleType(location == slTop ? sctXB : sctXT);
  Changed();
}

void TScalePropsVert::SetScaleLocation(TScaleLocationVert location) {
  Changing();
  Location_ = location;
  SetScaleType(location == slLeft ? sctYR : sctYL);
  Changed();
}
