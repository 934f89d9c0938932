#pragma once
// The renderer of one axis: base line, minor and major ticks, labels and caption, drawn
// onto the chart's whole-control canvas. It holds its own copy of its property block's
// settings (the chart copies them in through the setters) and the list of the tick
// values of its last drawing, which the grid uses.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "chart/canvas.h"
#include "chart/scale_labels.h"
#include "chart/scale_ticks.h"
#include "chart/scale_types.h"

// The chart's size and the margins that frame its plot area; a scale is placed by them.
struct TChartGeometry {
  int Width = 0;
  int Height = 0;
  int MarginLeft = 0;
  int MarginRight = 0;
  int MarginTop = 0;
  int MarginBottom = 0;
  int ShadowWidth = 0;
};

class TScale {
 public:
  using TScaleTickDrawnEvent = std::function<void(TScale& sender, TCanvas& canvas, TScaleType scaleType,
                                                  double currentTickPos, int chartX, int chartY)>;
  using TBeforeTickLabelEvent =
      std::function<void(TScale& sender, TScaleType scaleType, double currentTickPos, std::string& tickLabel)>;
  using TScaleRenderEvent = std::function<void(TScale& sender, TCanvas& canvas)>;

  static constexpr int kTickListSize = 250;
  static constexpr int kMajorTickLengthHoriz = 7;
  static constexpr int kMajorTickLengthVert = 6;
  static constexpr int kMinorTickLength = 4;
  static constexpr int kLabelGapHoriz = 7;  // between the axis line and a label's near edge
  static constexpr int kLabelGapVert = 8;
  static constexpr int kLabelEdgeGap = 2;  // between a horizontal label and the control's edge

  // The name is "GC_FScale_X_" or "GC_FScale_Y_" (by the orientation of `type`) + layer.
  TScale(TScaleType type, int layer);

  const std::string& Name() const { return Name_; }

  // Size and margins: the chart's size, and margins by the type's row of the table
  // (each clamped at 0). The margin the type does not use keeps its value.
  void Place(const TChartGeometry& chart, int scalePos);
  int Width() const { return Width_; }
  int Height() const { return Height_; }
  int MarginLeft() const { return MarginLeft_; }
  int MarginRight() const { return MarginRight_; }
  int MarginTop() const { return MarginTop_; }
  int MarginBottom() const { return MarginBottom_; }

  TScaleType ScaleType() const { return ScaleType_; }
  void SetScaleType(TScaleType type);
  double RangeLow() const { return RangeLow_; }
  void SetRangeLow(double value);
  double RangeHigh() const { return RangeHigh_; }
  void SetRangeHigh(double value);
  bool Logarithmic() const { return Logarithmic_; }
  void SetLogarithmic(bool value);

  bool Visible() const { return Visible_; }
  void SetVisible(bool value) { Visible_ = value; }
  const std::string& Caption() const { return Caption_; }
  void SetCaption(const std::string& value) { Caption_ = value; }
  int CaptionPosX() const { return CaptionPosX_; }
  void SetCaptionPosX(int value) { CaptionPosX_ = value; }
  int CaptionPosY() const { return CaptionPosY_; }
  void SetCaptionPosY(int value) { CaptionPosY_ = value; }
  TAlignment CaptionAlignment() const { return CaptionAlignment_; }
  void SetCaptionAlignment(TAlignment value) { CaptionAlignment_ = value; }
  TScaleUnitAnchor CaptionAnchor() const { return CaptionAnchor_; }
  void SetCaptionAnchor(TScaleUnitAnchor value) { CaptionAnchor_ = value; }
  TColor ColorScale() const { return ColorScale_; }
  void SetColorScale(TColor value) { ColorScale_ = value; }
  int DecPlaces() const { return DecPlaces_; }
  void SetDecPlaces(int value) { DecPlaces_ = value; }
  TFigType LabelType() const { return LabelType_; }
  void SetLabelType(TFigType value) { LabelType_ = value; }
  bool ShortTicks() const { return ShortTicks_; }
  void SetShortTicks(bool value) { ShortTicks_ = value; }
  // Stored as given; drawing clamps a non-zero value to 2..10.
  int MinTicks() const { return MinTicks_; }
  void SetMinTicks(int value) { MinTicks_ = value; }
  const std::string& ScaleInscript() const { return ScaleInscript_; }
  void SetScaleInscript(const std::string& value) { ScaleInscript_ = value; }
  const std::string& UserTickText() const { return UserTickText_; }
  void SetUserTickText(const std::string& value) { UserTickText_ = value; }
  // Labels and caption; the font's colour is the text colour.
  const TFont& Font() const { return Font_; }
  void SetFont(const TFont& value) { Font_ = value; }
  const TDTLabel& DateFormat() const { return DateFormat_; }
  void SetDateFormat(const TDTLabel& value) { DateFormat_ = value; }

  // Pixel position of a value along the axis (x for horizontal types, y for vertical).
  int32_t MapValue(double value) const;
  // Row (horizontal types) or column (vertical types) of the axis line.
  int AxisLine() const;

  // Ticks of the last drawing, at most kTickListSize of them; Tick(i) for i in
  // 1..NumTicks(), 0 otherwise.
  int NumTicks() const { return NumTicks_; }
  double Tick(int i) const;

  // Draws the axis if Visible; the canvas's pen, brush and font are left as the axis
  // set them.
  void Draw(TCanvas& canvas);

  TScaleTickDrawnEvent OnScaleTickDrawn;
  TBeforeTickLabelEvent OnBeforeTickLabel;
  TScaleRenderEvent OnBeforeScaleRendered;
  TScaleRenderEvent OnAfterScaleRendered;

 private:
  bool Horizontal() const { return ScaleType_ == sctXB || ScaleType_ == sctXT; }
  void UpdateMapping();
  void DrawBaseLine(TCanvas& canvas) const;
  void DrawTick(TCanvas& canvas, const TTick& tick, int along);
  void DrawLabel(TCanvas& canvas, int along, int zeroHalfHeight);
  void DrawCaption(TCanvas& canvas);

  std::string Name_;
  TScaleType ScaleType_;
  int Width_ = 0;
  int Height_ = 0;
  int MarginLeft_ = 0;
  int MarginRight_ = 0;
  int MarginTop_ = 0;
  int MarginBottom_ = 0;

  double RangeLow_ = 0;
  double RangeHigh_ = 1;
  bool Logarithmic_ = false;
  bool Visible_ = false;
  std::string Caption_;
  int CaptionPosX_ = 0;
  int CaptionPosY_ = 0;
  TAlignment CaptionAlignment_ = taCenter;
  TScaleUnitAnchor CaptionAnchor_ = uaSclTopLft;
  TColor ColorScale_ = clBlack;
  int DecPlaces_ = -2;
  TFigType LabelType_ = ftNum;
  bool ShortTicks_ = true;
  int MinTicks_ = 3;
  std::string ScaleInscript_;
  std::string UserTickText_;
  TFont Font_;
  TDTLabel DateFormat_;

  // value -> pixel: Factor_ * value + Offset_, or Factor_ * ln(value) + Offset_.
  double Factor_ = 0;
  double Offset_ = 0;
  bool MapsLogarithmic_ = false;

  std::array<double, kTickListSize> TickList_{};
  int NumTicks_ = 0;
  std::vector<TTick> Ticks_;  // reused by every drawing
  std::string Label_;         // likewise
};
