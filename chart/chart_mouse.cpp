#include "chart/chart_mouse.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <optional>
#include <utility>

#include "chart/gchart.h"

namespace {

bool IsDragMode(TMouseActMode mode) {
  return (mode >= maPan && mode <= maPanVert) || (mode >= maZoomDrag && mode <= maDragLabel);
}

bool IsRectangleMode(TMouseActMode mode) { return mode == maRubberBand || mode == maZoomWind || mode == maZoomWindPos; }

// Client coordinates arrive as the two signed 16-bit halves of one message word.
TPoint ClientPoint(int32_t x, int32_t y) { return {int16_t(x), int16_t(y)}; }

int64_t Square(int64_t v) { return v * v; }

TAxisSpan PresentSpan(const TScaleProps& block) { return {block.RangeLow(), block.RangeHigh()}; }

// The start range moved by `fraction` of the axis's present extent: linearly, or on a
// logarithmic axis by one factor at both ends. The extent itself does not change.
TAxisSpan Shifted(TAxisSpan start, const TScaleProps& now, double fraction) {
  if (!now.Logarithmic()) {
    const double shift = (now.RangeHigh() - now.RangeLow()) * fraction;
    return {start.Low + shift, start.High + shift};
  }
  const double factor = std::exp(std::log(now.RangeHigh() / now.RangeLow()) * fraction);
  return {start.Low * factor, start.High * factor};
}

// The start range scaled by `zoom` about its centre, linearly on every axis.
TAxisSpan Scaled(TAxisSpan start, double zoom) {
  const double centre = (start.Low + start.High) / 2;
  const double half = (start.High - start.Low) * zoom / 2;
  return {centre - half, centre + half};
}

// The pair ordered to run the way the axis runs.
TAxisSpan AlongAxis(TAxisSpan span, const TScaleProps& axis) {
  const bool ascending = axis.RangeLow() <= axis.RangeHigh();
  if ((span.Low <= span.High) != ascending) std::swap(span.Low, span.High);
  return span;
}

std::optional<TCursor> CursorOfMode(TMouseActMode mode) {
  switch (mode) {
    case maNone: return crCross;
    case maPan:
    case maPanHoriz:
    case maPanVert: return crCurHand;
    case maRubberBand:
    case maDragCrossH:
    case maDragLabel: return crDefault;
    case maZoomWind: return crCurZoomW;
    case maZoomWindPos: return crCurZoomP;
    case maZoomDrag: return crCurZoomD;
    default: return std::nullopt;
  }
}

}  // namespace

// A thin solid outline, whatever the picture's last drawing left in the canvas.
void DrawXorOutline(TCanvas& canvas, int x1, int y1, int x2, int y2) {
  const TColor penColor = canvas.PenColor();
  const TPenMode penMode = canvas.PenMode();
  const TPenStyle penStyle = canvas.PenStyle();
  const int penWidth = canvas.PenWidth();
  const TBrushStyle brushStyle = canvas.BrushStyle();
  canvas.SetPenColor(clWhite);
  canvas.SetPenMode(pmXor);
  canvas.SetPenStyle(psSolid);
  canvas.SetPenWidth(1);
  canvas.SetBrushStyle(bsClear);
  canvas.Rectangle(x1, y1, x2, y2);
  canvas.SetPenColor(penColor);
  canvas.SetPenMode(penMode);
  canvas.SetPenStyle(penStyle);
  canvas.SetPenWidth(penWidth);
  canvas.SetBrushStyle(brushStyle);
}

bool TChartMouse::InPlotArea(TPoint p) const {
  static_assert(std::tuple_size_v<decltype(StartSpans_)> == kNumLayers);
  const TChartArea area = Chart_.ChartArea();
  return p.x >= area.Left && p.x <= area.Right && p.y >= area.Top && p.y <= area.Bottom;
}

void TChartMouse::MouseDown(TMouseButton button, TShiftState, int32_t x, int32_t y) {
  if (std::exchange(IgnoreNextButton_, false)) return;
  const TPoint p = ClientPoint(x, y);
  if (!IsRectangleMode(Action) || button != mbLeft || !InPlotArea(p)) return;
  EraseOutline();
  Rectangle_ = true;
  Anchor_ = Corner_ = p;
}

void TChartMouse::MouseMove(TShiftState shift, int32_t x, int32_t y) {
  const TPoint p = ClientPoint(x, y);
  if (IsDragMode(Action)) DragMove(shift, p);
  if (IsRectangleMode(Action) && Rectangle_) RectangleMove(p);
  ChooseCursor(p);
  if (Chart_.OnMouseMoveInChart) {
    const TDataPoint data = Chart_.MapToData(Chart_.CurrentLayer(), p.x, p.y);
    Chart_.OnMouseMoveInChart(Chart_, InPlotArea(p), shift, data.x, data.y);
  }
}

// A release ends a rectangle only; a drag ends with the next move without the button.
// The outline is always taken off, also when the rectangle comes to nothing.
void TChartMouse::MouseUp(TMouseButton button, TShiftState, int32_t, int32_t) {
  if (std::exchange(IgnoreNextButton_, false) || !Rectangle_) return;
  Rectangle_ = false;
  EraseOutline();
  if (button != mbLeft || Anchor_.x == Corner_.x || Anchor_.y == Corner_.y || !IsRectangleMode(Action)) return;
  ZoomToRectangle();
}

void TChartMouse::DragMove(TShiftState shift, TPoint p) {
  if (!(shift & ssLeft)) {
    Dragging_ = false;
    return;
  }
  if (!Dragging_) {
    StartDrag(p);
    return;
  }
  if (!InPlotArea(p)) return;
  switch (Action) {
    case maPan:
    case maPanHoriz:
    case maPanVert: Pan(p); break;
    case maZoomDrag: ZoomByDrag(p); break;
    case maDragCrossH: MoveCrossHair(p); break;
    case maDragLabel: MoveTextLabel(p); break;
    default: break;
  }
}

void TChartMouse::StartDrag(TPoint p) {
  Dragging_ = true;
  DragStart_ = p;
  for (int32_t n = 1; n <= kNumLayers; ++n) {
    StartSpans_[size_t(n - 1)] = {PresentSpan(Chart_.ScaleX(n)), PresentSpan(Chart_.ScaleY(n))};
  }
  if (Action == maDragCrossH) PickedCrossHair_ = NearestCrossHair(p);
  if (Action == maDragLabel) PickedTextLabel_ = NearestTextLabel(p);
}

// The data follow the pointer: moving right shows smaller x, moving down larger y.
void TChartMouse::Pan(TPoint p) {
  const TChartArea area = Chart_.ChartArea();
  const double fx = area.Width() > 0 ? -double(p.x - DragStart_.x) / double(area.Width()) : 0;
  const double fy = area.Height() > 0 ? double(p.y - DragStart_.y) / double(area.Height()) : 0;
  TGChart::TPaintSuspension suspension(Chart_);
  for (int32_t n = 1; n <= kNumLayers; ++n) {
    if (!Chart_.LayerMouseControl(n)) continue;
    const TLayerSpans& start = StartSpans_[size_t(n - 1)];
    const TScaleProps& x = Chart_.ScaleX(n);
    const TScaleProps& y = Chart_.ScaleY(n);
    const TAxisSpan newX = Action == maPanVert ? PresentSpan(x) : Shifted(start.X, x, fx);
    const TAxisSpan newY = Action == maPanHoriz ? PresentSpan(y) : Shifted(start.Y, y, fy);
    Chart_.ApplyRangeJointly(n, newX.Low, newY.Low, newX.High, newY.High);
  }
  suspension.Restore();
  if (Chart_.OnZoomPan) Chart_.OnZoomPan(Chart_);
}

// Always from the start ranges, so returning to the start point restores them. The
// factors relate to the whole control: right and up zoom in, left and down zoom out.
void TChartMouse::ZoomByDrag(TPoint p) {
  const double zx = 1 - double(p.x - DragStart_.x) / Chart_.Width();
  const double zy = Chart_.Isometric() ? zx : 1 + double(p.y - DragStart_.y) / Chart_.Height();
  TGChart::TPaintSuspension suspension(Chart_);
  for (int32_t n = 1; n <= kNumLayers; ++n) {
    if (!Chart_.LayerMouseControl(n)) continue;
    const TLayerSpans& start = StartSpans_[size_t(n - 1)];
    const TAxisSpan newX = Scaled(start.X, zx);
    const TAxisSpan newY = Scaled(start.Y, zy);
    Chart_.ApplyRangeJointly(n, newX.Low, newY.Low, newX.High, newY.High);
  }
  suspension.Restore();
  if (Chart_.OnZoomPan) Chart_.OnZoomPan(Chart_);
}

// By the distance of the pointer to a cross-hair's lines; without any line, the first.
int32_t TChartMouse::NearestCrossHair(TPoint p) const {
  int32_t nearest = 1;
  int64_t nearestDistance = std::numeric_limits<int64_t>::max();
  const auto consider = [&](int32_t i, int64_t distance) {
    if (distance < nearestDistance) {
      nearest = i;
      nearestDistance = distance;
    }
  };
  for (int32_t i = 1; i <= kNumCrossHairs; ++i) {
    const TCrossHair& c = Chart_.CrossHair(i);
    const TPoint at = Chart_.MapToPixel(c.Layer(), c.PosX(), c.PosY());
    if (c.Mode() == chVert || c.Mode() == chBoth) consider(i, Square(int64_t(p.x) - at.x));
    if (c.Mode() == chHoriz || c.Mode() == chBoth) consider(i, Square(int64_t(p.y) - at.y));
  }
  return nearest;
}

// By the distance of the pointer to a shown label's corner; without any, the first.
int32_t TChartMouse::NearestTextLabel(TPoint p) const {
  int32_t nearest = 1;
  int64_t nearestDistance = std::numeric_limits<int64_t>::max();
  for (int32_t i = 1; i <= kNumTextLabels; ++i) {
    const TTextLabel& label = Chart_.TextLabel(i);
    if (!label.Shown()) continue;
    const TPoint at = TextLabelAnchor(Chart_, label);
    const int64_t distance = Square(int64_t(p.x) - at.x) + Square(int64_t(p.y) - at.y);
    if (distance < nearestDistance) {
      nearest = i;
      nearestDistance = distance;
    }
  }
  return nearest;
}

void TChartMouse::MoveCrossHair(TPoint p) {
  TCrossHair& c = Chart_.CrossHair(PickedCrossHair_);
  const TDataPoint data = Chart_.MapToData(c.Layer(), p.x, p.y);
  TGChart::TPaintSuspension suspension(Chart_);
  c.SetPosX(data.x);
  c.SetPosY(data.y);
  suspension.Restore();
  if (Chart_.OnCrossHairMove) Chart_.OnCrossHairMove(Chart_, PickedCrossHair_);
}

void TChartMouse::MoveTextLabel(TPoint p) {
  TGChart::TPaintSuspension suspension(Chart_);
  MoveTextLabelTo(Chart_, Chart_.TextLabel(PickedTextLabel_), p);
  suspension.Restore();
  if (Chart_.OnTextLabelMove) Chart_.OnTextLabelMove(Chart_, PickedTextLabel_);
}

// The corner stays inside the plot area; an isometric chart makes the box as high as wide.
void TChartMouse::RectangleMove(TPoint p) {
  const TChartArea area = Chart_.ChartArea();
  const auto inside = [](int32_t v, int32_t low, int32_t high) { return std::max(low, std::min(v, high)); };
  TPoint corner{inside(p.x, area.Left, area.Right), inside(p.y, area.Top, area.Bottom)};
  if (Chart_.Isometric()) {
    const int32_t extent = std::abs(corner.x - Anchor_.x);
    corner.y = inside(corner.y < Anchor_.y ? Anchor_.y - extent : Anchor_.y + extent, area.Top, area.Bottom);
  }
  EraseOutline();
  Corner_ = corner;
  if (Feedback) {
    Feedback->DrawXorRectangle(Anchor_.x, Anchor_.y, Corner_.x, Corner_.y);
    OutlineShown_ = true;
  }
}

void TChartMouse::EraseOutline() {
  if (OutlineShown_ && Feedback) Feedback->DrawXorRectangle(Anchor_.x, Anchor_.y, Corner_.x, Corner_.y);
  OutlineShown_ = false;
}

void TChartMouse::ZoomToRectangle() {
  TGChart::TPaintSuspension suspension(Chart_);
  for (int32_t n = 1; n <= kNumLayers; ++n) {
    if (!Chart_.LayerMouseControl(n)) continue;
    const TDataPoint a = Chart_.MapToData(n, Anchor_.x, Anchor_.y);
    const TDataPoint c = Chart_.MapToData(n, Corner_.x, Corner_.y);
    TAxisSpan x{a.x, c.x};
    TAxisSpan y{a.y, c.y};
    if (Action != maZoomWind) {
      x = AlongAxis(x, Chart_.ScaleX(n));
      y = AlongAxis(y, Chart_.ScaleY(n));
    }
    if (Chart_.Isometric()) y = IsometricSpan(x, y);
    if (Action != maRubberBand) {
      Chart_.ApplyRangeJointly(n, x.Low, y.Low, x.High, y.High);
    } else if (Chart_.OnRubberBand) {
      Chart_.OnRubberBand(Chart_, n, x.Low, y.Low, x.High, y.High);
    }
  }
  if (Chart_.OnZoomPan) Chart_.OnZoomPan(Chart_);
  suspension.Restore();
}

// The y pair made as long on screen as the x pair, about its centre, keeping its direction.
TAxisSpan TChartMouse::IsometricSpan(TAxisSpan x, TAxisSpan y) const {
  const std::optional<double> half = Chart_.IsometricHalfHeight(std::fabs(x.High - x.Low));
  if (!half) return y;
  const double centre = (y.Low + y.High) / 2;
  const double signedHalf = y.High >= y.Low ? *half : -*half;
  return {centre - signedHalf, centre + signedHalf};
}

// Outside the plot area, and always with a fixed cursor, the control's own cursor shows.
void TChartMouse::ChooseCursor(TPoint p) {
  if (!Feedback) return;
  if (!InPlotArea(p) || CursorFixed) {
    Feedback->SetCursor(crDefault);
  } else if (const std::optional<TCursor> cursor = CursorOfMode(Action)) {
    Feedback->SetCursor(*cursor);
  }
}
