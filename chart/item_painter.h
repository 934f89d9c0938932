#pragma once
// Draws the display list into a canvas: the grid, every visible item through the mapping
// of its own layer, the text labels and the chart area's frame. Consecutive DrawTo items
// of one look become one polyline of at most 200 points; canvas attributes are set only
// when they change. Painting allocates nothing.

#include <array>
#include <cstddef>
#include <cstdint>

#include "chart/canvas.h"
#include "chart/chart_item.h"
#include "chart/gchart.h"
#include "chart/grid_positions.h"
#include "chart/scale.h"

struct TItemPaintJob {
  int32_t XOffset = 0;  // where the chart area's top-left corner lies in the canvas
  int32_t YOffset = 0;
  bool MonoMode = false;
  bool Grid = false;
  int32_t GridLayer = 1;  // the layer whose ranges and scales the grid follows
  int32_t NumItems = 0;  // items 0 .. NumItems - 1 are drawn
};

class TItemPainter {
 public:
  static constexpr size_t kMaxPolylinePoints = 200;
  static constexpr int32_t kPixelLimit = 30000;

  void Paint(TGChart& chart, TCanvas& canvas, const TItemPaintJob& job);

 private:
  // One axis of one layer: a linear mapping in doubles, exact to the chart's own mapping
  // (which falls in where rounding could differ, and for logarithmic axes).
  struct TAxis {
    const TScaleProps* Block = nullptr;
    const TGChart::TAxisMapping* Mapping = nullptr;
    double K = 0;
    double D = 0;
    bool Linear = true;
    int32_t LowEnd = 0;
    int32_t HighEnd = 0;
  };

  void PrepareAxes();
  int32_t AxisPixel(const TAxis& axis, double v) const;
  // Control pixels of a data point of the item's layer, unlimited.
  TPoint Raw(int32_t layer, double x, double y) const;
  // Limited to +-kPixelLimit and moved into the canvas.
  TPoint ToCanvas(int64_t px, int64_t py) const;
  TPoint Map(int32_t layer, double x, double y) const;
  int32_t CanvasX(int32_t layer, double x) const;
  int32_t CanvasY(int32_t layer, double y) const;

  void PenColor(TColor color);
  void PenStyle(uint8_t style);
  void BrushColor(TColor color);
  void BrushStyle(TBrushStyle style);
  void Pen(TColor color, uint8_t style);
  void Pixel(TPoint p, TColor color);
  void Flush();

  void DrawGrid();
  void DrawItem(const TChartItem& item);
  void DrawTo(const TChartItem& item, TColor c);
  void DrawMark(const TChartItem& item, TColor c);
  void DrawSymbol(TPoint p, int type, TColor c);
  void DrawBox(const TChartItem& item, TColor c, TColor f, bool ellipse);
  void DrawFramedRect(const TChartItem& item, TColor f);
  void DrawBar3D(const TChartItem& item, TColor c, TColor f);
  void DrawText(const TChartItem& item, TColor c, TPoint shift);
  void DrawArrow(const TChartItem& item, TColor c, TColor f);
  void DrawPixBox(const TChartItem& item, TColor c, TColor f);
  void DrawFrame();

  TGChart* Chart_ = nullptr;
  TCanvas* Canvas_ = nullptr;
  TItemPaintJob Job_;
  int64_t ShiftX_ = 0;  // canvas x = control x + ShiftX_
  int64_t ShiftY_ = 0;
  std::array<TAxis, kNumLayers> AxesX_{};
  std::array<TAxis, kNumLayers> AxesY_{};

  TPoint Chain_;
  std::array<TPoint, kMaxPolylinePoints> Buffer_{};
  size_t Count_ = 0;
  TFont TextFont_;  // reused by every text item

  std::array<double, TScale::kTickListSize> Ticks_{};
  TGridPositions GridX_{};
  TGridPositions GridY_{};
};
