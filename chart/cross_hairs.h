#pragma once
// Cross-hairs: lines through a point of a layer across the plot area, or a small target
// mark at it. The chart has four; they are drawn over the finished picture.

#include <cstdint>
#include <functional>

#include "chart/canvas.h"
#include "chart/colors.h"

class TGChart;

constexpr int32_t kNumCrossHairs = 4;

enum TCrossHMode : uint8_t { chOff, chHoriz, chVert, chBoth, chBox };

class TCrossHair {
 public:
  using TChangeEvent = std::function<void(TCrossHair& sender)>;

  explicit TCrossHair(int32_t layer = 1) : Layer_(ClampedLayer(layer)) {}

  // Position in data units of the cross-hair's layer.
  double PosX() const { return PosX_; }
  void SetPosX(double x);
  double PosY() const { return PosY_; }
  void SetPosY(double y);
  TColor Color() const { return Color_; }
  void SetColor(TColor color);
  // Clamped into 1..16.
  int32_t Layer() const { return Layer_; }
  void SetLayer(int32_t layer);
  TCrossHMode Mode() const { return Mode_; }
  void SetMode(TCrossHMode mode);
  TPenStyle LineType() const { return LineType_; }
  void SetLineType(TPenStyle style);
  int32_t LineWid() const { return LineWid_; }
  void SetLineWid(int32_t width);

  // Fired by every setter, before and after it stores the value.
  TChangeEvent OnChanging;
  TChangeEvent OnChange;

 private:
  static int32_t ClampedLayer(int32_t layer);
  template <typename T>
  void Set(T& field, T value);

  double PosX_ = 0;
  double PosY_ = 0;
  TColor Color_ = clBlack;
  int32_t Layer_;
  TCrossHMode Mode_ = chOff;
  TPenStyle LineType_ = psSolid;
  int32_t LineWid_ = 1;
};

// Draws the chart's switched-on cross-hairs onto a canvas whose pixel (0, 0) is control
// pixel `origin`; the box of chBox is filled with `background`. Lines stay inside the plot
// area, a line too close to its edge is left out. The pen and brush are restored.
void DrawCrossHairs(const TGChart& chart, TCanvas& canvas, TPoint origin, TColor background);
