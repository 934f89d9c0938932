#pragma once
// Text labels: short texts the chart draws over its items, placed in pixels or in data
// units of a layer. The chart has thirty, none of them visible at creation.

#include <cstdint>
#include <functional>
#include <string>

#include "chart/canvas.h"
#include "chart/colors.h"

class TGChart;

constexpr int32_t kNumTextLabels = 30;

// tlSimple draws the text alone, tlFramed on a box of BkColor framed in FrameColor.
enum TTextLabelMode : uint8_t { tlOff, tlSimple, tlFramed };

// Which of PosX and PosY are data units of the label's layer; the others are control pixels.
enum TTextLabelAttach : uint8_t { tlamNone, tlamXOnly, tlamYOnly, tlamBoth };

class TTextLabel {
 public:
  using TChangeEvent = std::function<void(TTextLabel& sender)>;

  TTextLabelMode Mode() const { return Mode_; }
  void SetMode(TTextLabelMode mode);
  bool Visible() const { return Visible_; }
  void SetVisible(bool visible);
  // The top-left corner of the text.
  double PosX() const { return PosX_; }
  void SetPosX(double x);
  double PosY() const { return PosY_; }
  void SetPosY(double y);
  TTextLabelAttach AttachToData() const { return AttachToData_; }
  void SetAttachToData(TTextLabelAttach attach);
  // Clamped into 1..16.
  int32_t Layer() const { return Layer_; }
  void SetLayer(int32_t layer);
  // Windows-1252 bytes.
  const std::string& Text() const { return Text_; }
  void SetText(std::string text);
  // Face, size, style and colour of the text.
  const TFont& Font() const { return Font_; }
  void SetFont(const TFont& font);
  TColor BkColor() const { return BkColor_; }
  void SetBkColor(TColor color);
  TColor FrameColor() const { return FrameColor_; }
  void SetFrameColor(TColor color);

  // Whether the label is drawn and can be dragged.
  bool Shown() const { return Mode_ != tlOff && Visible_; }

  // Fired by every setter, before and after it stores the value.
  TChangeEvent OnChanging;
  TChangeEvent OnChange;

 private:
  template <typename T>
  void Set(T& field, T value);

  TTextLabelMode Mode_ = tlSimple;
  bool Visible_ = false;
  double PosX_ = 0;
  double PosY_ = 0;
  TTextLabelAttach AttachToData_ = tlamNone;
  int32_t Layer_ = 1;
  std::string Text_;
  TFont Font_;
  TColor BkColor_ = clWhite;
  TColor FrameColor_ = clBlack;
};

// The control pixel of the label's top-left corner.
TPoint TextLabelAnchor(const TGChart& chart, const TTextLabel& label);
// Moves the label's corner to a control pixel, writing each coordinate in its own unit.
void MoveTextLabelTo(const TGChart& chart, TTextLabel& label, TPoint pixel);

// Draws the chart's shown labels onto a canvas that holds the chart area with its top-left
// corner at (xOffset, yOffset). Pen, brush and font are restored.
void DrawTextLabels(const TGChart& chart, TCanvas& canvas, int xOffset, int yOffset);
