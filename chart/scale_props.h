#pragma once
// The property block of one axis: range, appearance and labelling of a layer's x or y
// scale. Every setter ends by firing OnChange (MinRange only when it widens the range);
// the chart answers by re-applying all scales and ranges. OnChanging fires before a
// setter changes anything, so that the chart can finish drawing with the old settings.

#include <cstdint>
#include <functional>
#include <string>

#include "chart/canvas.h"
#include "chart/colors.h"
#include "chart/scale_types.h"

class TGChart;

class TScaleProps {
 public:
  using TChangeEvent = std::function<void(TScaleProps& sender)>;

  const std::string& Caption() const { return Caption_; }
  void SetCaption(std::string caption);
  int32_t CaptionPosX() const { return CaptionPosX_; }
  void SetCaptionPosX(int32_t x);
  int32_t CaptionPosY() const { return CaptionPosY_; }
  void SetCaptionPosY(int32_t y);
  TAlignment CaptionAlignment() const { return CaptionAlignment_; }
  void SetCaptionAlignment(TAlignment alignment);
  TScaleUnitAnchor CaptionAnchor() const { return CaptionAnchor_; }
  void SetCaptionAnchor(TScaleUnitAnchor anchor);
  TColor ColorScale() const { return ColorScale_; }
  void SetColorScale(TColor color);
  const TDTLabel& DateFormat() const { return DateFormat_; }
  void SetDateFormat(const TDTLabel& format);
  // -3..12; -2 and -3 choose the decimal places from the span.
  int32_t DecPlaces() const { return DecPlaces_; }
  void SetDecPlaces(int32_t places);
  const TFont& Font() const { return Font_; }
  void SetFont(const TFont& font);
  // Taken only while both ends are at least LogFloor and the labels are not dates
  // (unconditionally while the chart loads its settings).
  bool Logarithmic() const { return Logarithmic_; }
  void SetLogarithmic(bool logarithmic);
  // ftDateTime makes the axis linear; ftTime sets four decimal places.
  TFigType LabelType() const { return LabelType_; }
  void SetLabelType(TFigType type);
  // Minimum number of tick intervals; 0 means a fixed step of 1.
  int32_t MinTicks() const { return MinTicks_; }
  void SetMinTicks(int32_t ticks);
  // Values up to LogFloor are ignored; a narrower range is widened about its centre.
  double MinRange() const { return MinRange_; }
  void SetMinRange(double range);
  // Setting one end closer than MinRange to the other moves the other end to MinRange
  // from it; a logarithmic axis refuses ends below LogFloor. The ends are never swapped:
  // RangeLow above RangeHigh is a reversed axis.
  double RangeLow() const { return RangeLow_; }
  void SetRangeLow(double low);
  double RangeHigh() const { return RangeHigh_; }
  void SetRangeHigh(double high);
  bool ShortTicks() const { return ShortTicks_; }
  void SetShortTicks(bool shortTicks);
  // Label pattern; "&" stands for the number.
  const std::string& ScaleInscript() const { return ScaleInscript_; }
  void SetScaleInscript(std::string inscript);
  // Distance of the axis line outward from the plot area's edge, in pixels.
  int32_t ScalePos() const;
  void SetScalePos(int32_t pos);
  // Labels for ftUserText, separated by "|".
  const std::string& UserTickText() const { return UserTickText_; }
  void SetUserTickText(std::string text);
  bool Visible() const { return Visible_; }
  void SetVisible(bool visible);

  // Where the renderer puts its axis line; follows ScaleLocation.
  TScaleType ScaleType() const { return ScaleType_; }

  TChangeEvent OnChange;
  TChangeEvent OnChanging;

 protected:
  explicit TScaleProps(TScaleType type) : ScaleType_(type) {}
  void SetScaleType(TScaleType type) { ScaleType_ = type; }
  void Changing();
  void Changed();

 private:
  friend class TGChart;  // writes ranges without notification and tells it is loading

  std::string Caption_;
  int32_t CaptionPosX_ = 0;
  int32_t CaptionPosY_ = 0;
  TAlignment CaptionAlignment_ = taCenter;
  TScaleUnitAnchor CaptionAnchor_ = uaSclTopLft;
  TColor ColorScale_ = clBlack;
  TDTLabel DateFormat_;
  int32_t DecPlaces_ = -2;
  TFont Font_;
  bool Logarithmic_ = false;
  TFigType LabelType_ = ftNum;
  int32_t MinTicks_ = 3;
  double MinRange_ = 1e-10;
  double RangeLow_ = 0.0;
  double RangeHigh_ = 1.0;
  bool ShortTicks_ = true;
  std::string ScaleInscript_;
  int32_t ScalePosHoriz_ = 0;  // read and written while the type is horizontal
  int32_t ScalePosVert_ = 0;
  std::string UserTickText_;
  bool Visible_ = false;
  TScaleType ScaleType_;
  bool OwnerLoading_ = false;
};

class TScalePropsHoriz : public TScaleProps {
 public:
  TScalePropsHoriz() : TScaleProps(sctXT) {}
  // slTop gives sctXB, slBottom sctXT.
  TScaleLocationHoriz ScaleLocation() const { return Location_; }
  void SetScaleLocation(TScaleLocationHoriz location);

 private:
  TScaleLocationHoriz Location_ = slBottom;
};

class TScalePropsVert : public TScaleProps {
 public:
  TScalePropsVert() : TScaleProps(sctYR) {}
  // slLeft gives sctYR, slRight sctYL.
  TScaleLocationVert ScaleLocation() const { return Location_; }
  void SetScaleLocation(TScaleLocationVert location);

 private:
  TScaleLocationVert Location_ = slLeft;
};
