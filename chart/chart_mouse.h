#pragma once
// What the chart does with the mouse: panning and zooming the ranges of its
// mouse-controlled layers by dragging, zooming to or reporting a dragged rectangle,
// dragging cross-hairs and text labels, and choosing the pointer's cursor.
//
// A drag starts with the first move while the left button is held (not with the press)
// and ends with the first move without it. Moves outside the plot area change nothing,
// but the drag goes on from where it started.

#include <array>
#include <cstdint>
#include <functional>

#include "chart/canvas.h"

class TGChart;

enum TMouseActMode : uint8_t {
  maNone,
  maPan,
  maPanHoriz,
  maPanVert,
  maRubberBand,
  maZoom,
  maZoomWind,
  maZoomWindPos,
  maZoomDrag,
  maDragCrossH,
  maDragLabel,
  maRotate,
  maRotAndZoom,
  maRotXOnly,
  maRotZOnly,
};

enum TMouseButton : uint8_t { mbLeft, mbRight, mbMiddle };

// Modifier keys and the buttons held, as bits.
enum TShiftStateBit : uint8_t { ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32, ssDouble = 64 };
using TShiftState = uint8_t;

// Cursor numbers: the window system's own shapes are negative, crDefault shows the
// control's own cursor, the chart's images are 1..4.
using TCursor = int16_t;
constexpr TCursor crDefault = 0;
constexpr TCursor crCross = -3;
constexpr TCursor crCurHand = 1;   // panning
constexpr TCursor crCurZoomW = 2;  // zoom to a window
constexpr TCursor crCurZoomD = 3;  // zoom by dragging
constexpr TCursor crCurZoomP = 4;  // zoom to a window, axes keeping their direction

using TChartNotifyEvent = std::function<void(TGChart& sender)>;
// The rectangle in data units of the layer, each pair running the way its axis does.
using TRubberBandEvent =
    std::function<void(TGChart& sender, int32_t layer, double loX, double loY, double hiX, double hiY)>;
// The pointer in data units of the current layer; inChart: inside the plot area.
using TMouseMoveInChartEvent = std::function<void(TGChart& sender, bool inChart, TShiftState shift, double x, double y)>;
// The number of the cross-hair (1..4) or text label (1..30) that moved.
using TItemMoveEvent = std::function<void(TGChart& sender, int32_t which)>;

// One axis's ends; Low is RangeLow's side.
struct TAxisSpan {
  double Low = 0;
  double High = 0;
};

// What the mouse handling needs from the window showing the chart.
class TMouseFeedback {
 public:
  virtual ~TMouseFeedback() = default;
  // The outline of the box between two corners in control pixels, drawn on the window's
  // picture with DrawXorOutline; drawing it again erases it.
  virtual void DrawXorRectangle(int x1, int y1, int x2, int y2) = 0;
  virtual void SetCursor(TCursor cursor) = 0;
};

// A white outline in XOR mode without fill; the canvas's pen and brush are restored.
void DrawXorOutline(TCanvas& canvas, int x1, int y1, int x2, int y2);

// The chart's mouse state and handlers; coordinates are client pixels, of which the low
// 16 bits count, as signed values.
class TChartMouse {
 public:
  explicit TChartMouse(TGChart& chart) : Chart_(chart) {}
  TChartMouse(const TChartMouse&) = delete;
  TChartMouse& operator=(const TChartMouse&) = delete;

  TMouseActMode Action = maNone;
  // When true the pointer over the chart always shows the control's own cursor.
  bool CursorFixed = false;
  TMouseFeedback* Feedback = nullptr;

  void MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y);
  void MouseMove(TShiftState shift, int32_t x, int32_t y);
  void MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y);
  // The next mouse-down or mouse-up, whichever comes first, is ignored.
  void DblClick() { IgnoreNextButton_ = true; }

 private:
  struct TLayerSpans {
    TAxisSpan X, Y;
  };

  bool InPlotArea(TPoint p) const;
  void DragMove(TShiftState shift, TPoint p);
  void StartDrag(TPoint p);
  void Pan(TPoint p);
  void ZoomByDrag(TPoint p);
  void MoveCrossHair(TPoint p);
  void MoveTextLabel(TPoint p);
  int32_t NearestCrossHair(TPoint p) const;
  int32_t NearestTextLabel(TPoint p) const;
  void RectangleMove(TPoint p);
  void EraseOutline();
  void ZoomToRectangle();
  TAxisSpan IsometricSpan(TAxisSpan x, TAxisSpan y) const;
  void ChooseCursor(TPoint p);

  TGChart& Chart_;
  bool Dragging_ = false;
  TPoint DragStart_;
  std::array<TLayerSpans, 16> StartSpans_;  // every layer's ranges at the drag's start
  int32_t PickedCrossHair_ = 1;
  int32_t PickedTextLabel_ = 1;
  bool Rectangle_ = false;
  TPoint Anchor_;
  TPoint Corner_;
  bool OutlineShown_ = false;
  bool IgnoreNextButton_ = false;
};
