#include "chart/item_painter.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string_view>
#include <utility>

#include "chart/pixel_round.h"

namespace {

constexpr TColor kMonoFill = 0xC0C0C0;
constexpr double kDegree = std::numbers::pi / 180;
constexpr double kArrowHalfAngle = 0.3490658503988659;  // 20 degrees
constexpr int kSymbolShapes = 12;
constexpr int kFirstCharacterMark = 52;

// A pixel offset from a record, rounded to the nearest integer (ties to even) and kept
// far inside the int64 range.
int64_t RoundOffset(double v) {
  if (std::isnan(v)) return 0;
  return int64_t(std::nearbyint(std::clamp(v, -1e15, 1e15)));
}

int64_t Limit(int64_t v) { return std::clamp<int64_t>(v, -TItemPainter::kPixelLimit, TItemPainter::kPixelLimit); }

// A rectangle or ellipse through two corners, both corners inside: the canvas leaves out
// the right and bottom edge.
void Box(TCanvas& canvas, TPoint a, TPoint b, bool ellipse) {
  const int x1 = std::min(a.x, b.x), x2 = std::max(a.x, b.x) + 1;
  const int y1 = std::min(a.y, b.y), y2 = std::max(a.y, b.y) + 1;
  ellipse ? canvas.Ellipse(x1, y1, x2, y2) : canvas.Rectangle(x1, y1, x2, y2);
}

void Line(TCanvas& canvas, TPoint a, TPoint b) {
  canvas.MoveTo(a.x, a.y);
  canvas.LineTo(b.x, b.y);
}

}  // namespace

void TItemPainter::Paint(TGChart& chart, TCanvas& canvas, const TItemPaintJob& job) {
  Chart_ = &chart;
  Canvas_ = &canvas;
  Job_ = job;
  ShiftX_ = int64_t(job.XOffset) - chart.MarginLeft_;
  ShiftY_ = int64_t(job.YOffset) - chart.MarginTop_;
  PrepareAxes();
  const int32_t top = ClampToInt32(int64_t(chart.MarginTop_) - job.YOffset);
  const int32_t left = ClampToInt32(int64_t(chart.MarginLeft_) - job.XOffset);

  if (chart.OnBeforeRenderData) {
    const TColor brush = canvas.BrushColor(), pen = canvas.PenColor();
    chart.OnBeforeRenderData(chart, canvas, top, left);
    canvas.SetBrushColor(brush);
    canvas.SetPenColor(pen);
  }
  if (chart.GridStyle_ != gsNone && job.Grid) DrawGrid();

  // The canvas takes the values the attribute cache starts from, so that an item in
  // the chart colour is not drawn in whatever colour the grid left behind.
  if (canvas.PenWidth() != chart.LineWidth_) canvas.SetPenWidth(chart.LineWidth_);
  canvas.MoveTo(job.XOffset, job.YOffset);
  Chain_ = {job.XOffset, job.YOffset};
  Count_ = 0;
  PenColor(chart.ChartColor_);
  BrushColor(chart.ChartColor_);
  if (canvas.Font().Color != chart.ChartColor_) canvas.SetFontColor(chart.ChartColor_);
  PenStyle(psSolid);

  const std::span<const TChartItem> items = chart.Items();
  const size_t count = std::min(items.size(), size_t(std::max(job.NumItems, 0)));
  for (const TChartItem& item : items.first(count)) {
    if (!chart.ItemVisible(item)) continue;
    if (item.LineWidth != canvas.PenWidth()) {
      Flush();
      canvas.SetPenWidth(item.LineWidth);
    }
    DrawItem(item);
  }
  Flush();
  if (canvas.PenWidth() != 1) canvas.SetPenWidth(1);

  DrawTextLabels(chart, canvas, job.XOffset, job.YOffset);
  if (chart.OnDataRendered) chart.OnDataRendered(chart, canvas, top, left);
  DrawFrame();
}

void TItemPainter::PrepareAxes() {
  const TGChart& chart = *Chart_;
  for (size_t i = 0; i < AxesX_.size(); ++i) {
    const TGChart::TLayer& layer = chart.Layers_[i];
    const auto prepare = [](TAxis& axis, const TScaleProps& block, const TGChart::TAxisMapping& mapping,
                            int32_t lowEnd, int32_t highEnd) {
      axis = {&block, &mapping, double(mapping.k), double(mapping.d), !block.Logarithmic(), lowEnd, highEnd};
    };
    prepare(AxesX_[i], layer.X, layer.MapX, 0, chart.Width_);
    prepare(AxesY_[i], layer.Y, layer.MapY, chart.Height_, 0);
  }
}

// The chart maps in extended precision. Doubles give the same pixel except where the
// value lies within rounding noise of a half; there, and for logarithmic axes and
// values far off, the chart's own mapping decides.
int32_t TItemPainter::AxisPixel(const TAxis& axis, double v) const {
  if (axis.Linear) {
    const double kv = axis.K * v;
    const double q = kv + axis.D + 0.5;
    if (std::fabs(q) < 1e9) {
      auto floor = int64_t(q);
      if (double(floor) > q) --floor;
      const double fraction = q - double(floor);
      const double noise = 1e-12 * (1 + std::fabs(kv) + std::fabs(axis.D));
      if (fraction > noise && fraction < 1 - noise) return int32_t(floor);
    }
  }
  return TGChart::AxisPixel(*axis.Block, *axis.Mapping, v, axis.LowEnd, axis.HighEnd);
}

TPoint TItemPainter::Raw(int32_t layer, double x, double y) const {
  const size_t i = TGChart::LayerIndex(layer);
  return {AxisPixel(AxesX_[i], x), AxisPixel(AxesY_[i], y)};
}

TPoint TItemPainter::ToCanvas(int64_t px, int64_t py) const {
  return {ClampToInt32(Limit(px) + ShiftX_), ClampToInt32(Limit(py) + ShiftY_)};
}

TPoint TItemPainter::Map(int32_t layer, double x, double y) const {
  const TPoint p = Raw(layer, x, y);
  return ToCanvas(p.x, p.y);
}

int32_t TItemPainter::CanvasX(int32_t layer, double x) const {
  return ClampToInt32(Limit(AxisPixel(AxesX_[TGChart::LayerIndex(layer)], x)) + ShiftX_);
}

int32_t TItemPainter::CanvasY(int32_t layer, double y) const {
  return ClampToInt32(Limit(AxisPixel(AxesY_[TGChart::LayerIndex(layer)], y)) + ShiftY_);
}

void TItemPainter::PenColor(TColor color) {
  if (Canvas_->PenColor() != color) Canvas_->SetPenColor(color);
}

void TItemPainter::PenStyle(uint8_t style) {
  if (Canvas_->PenStyle() != style) Canvas_->SetPenStyle(TPenStyle(style));
}

void TItemPainter::BrushColor(TColor color) {
  if (Canvas_->BrushColor() != color) Canvas_->SetBrushColor(color);
}

void TItemPainter::BrushStyle(TBrushStyle style) {
  if (Canvas_->BrushStyle() != style) Canvas_->SetBrushStyle(style);
}

void TItemPainter::Pen(TColor color, uint8_t style) {
  PenColor(color);
  PenStyle(style);
}

void TItemPainter::Pixel(TPoint p, TColor color) { Canvas_->SetPixel(p.x, p.y, color); }

void TItemPainter::Flush() {
  if (Count_ == 0) return;
  if (Count_ >= 2) Canvas_->Polyline(Buffer_.data(), Count_);
  Chain_ = Buffer_[Count_ - 1];
  Canvas_->MoveTo(Chain_.x, Chain_.y);
  Count_ = 0;
}

void TItemPainter::DrawItem(const TChartItem& item) {
  const bool mono = Job_.MonoMode;
  const TColor c = mono ? clBlack : item.Color;
  const TColor f = mono ? kMonoFill : item.FillColor;
  TCanvas& canvas = *Canvas_;
  switch (item.Kind) {
    case ikDrawTo: DrawTo(item, c); return;
    case ikMark: DrawMark(item, c); return;
    case ikLine: {
      Flush();
      Pen(c, item.PenStyle);
      BrushColor(item.FillColor);
      const TPoint p1 = Map(item.Layer, item.X, item.Y), p2 = Map(item.Layer, item.X2, item.Y2);
      if (p1 == p2) {
        Pixel(p1, c);
      } else {
        Line(canvas, p1, p2);
      }
      return;
    }
    case ikRect: DrawBox(item, c, f, false); return;
    case ikFramedRect: DrawFramedRect(item, f); return;
    case ikBar3D: DrawBar3D(item, c, f); return;
    case ikText: DrawText(item, c, {}); return;
    case ikMoveTo: {
      const TPoint p = Map(item.Layer, item.X, item.Y);
      Flush();
      Chain_ = p;
      canvas.MoveTo(p.x, p.y);
      return;
    }
    case ikEllipse: DrawBox(item, c, f, true); return;
    case ikMoveRelPix:
    case ikDrawRelPix: {
      Flush();
      const TPoint at = canvas.PenPos();
      const TPoint p{ClampToInt32(at.x + RoundOffset(item.X)), ClampToInt32(at.y + RoundOffset(item.Y))};
      if (item.Kind == ikMoveRelPix) {
        Chain_ = p;
        canvas.MoveTo(p.x, p.y);
        return;
      }
      Pen(c, item.PenStyle);
      BrushColor(item.FillColor);
      canvas.LineTo(p.x, p.y);
      Pixel(p, c);
      return;
    }
    case ikArrow: DrawArrow(item, c, f); return;
    case ikTextPixOfs: DrawText(item, c, {ClampToInt32(RoundOffset(item.X2)), ClampToInt32(RoundOffset(item.Y2))}); return;
    case ikPixBox: DrawPixBox(item, c, f); return;
    default: return;  // kinds that draw nothing
  }
}

void TItemPainter::DrawTo(const TChartItem& item, TColor c) {
  const TPoint p = Map(item.Layer, item.X, item.Y);
  const TCanvas& canvas = *Canvas_;
  if (c != canvas.PenColor() || item.PenStyle != canvas.PenStyle() || item.FillColor != canvas.BrushColor()) {
    Flush();
    Pen(c, item.PenStyle);
    BrushColor(item.FillColor);
  }
  if (Count_ == 0) Buffer_[Count_++] = Chain_;
  Buffer_[Count_++] = p;
  if (Count_ == kMaxPolylinePoints) {
    Flush();
    Buffer_[Count_++] = p;
  }
}

void TItemPainter::DrawMark(const TChartItem& item, TColor c) {
  Flush();
  Pen(c, item.PenStyle);
  const TPoint p = Map(item.Layer, item.X, item.Y);
  const int type = item.Style;
  if (type == 0) {
    Pixel(p, c);
  } else if (type < kFirstCharacterMark) {
    DrawSymbol(p, type, c);
  } else {
    // Codes 200..209 stand for the digits.
    const char code = type >= 200 && type <= 209 ? char('0' + type - 200) : char(type);
    const std::string_view text(&code, 1);
    TCanvas& canvas = *Canvas_;
    if (canvas.Font().Color != c) canvas.SetFontColor(c);
    BrushStyle(bsClear);
    canvas.TextOut(p.x - canvas.TextWidth(text) / 2, p.y - canvas.TextHeight(text) / 2, text);
  }
}

// Mark types 1..51: twelve shapes of 7 x 7 pixels in the pen colour, repeated; odd
// shapes in each pair are outlines, even ones filled.
void TItemPainter::DrawSymbol(TPoint p, int type, TColor c) {
  TCanvas& canvas = *Canvas_;
  const TPoint saved = canvas.PenPos();
  const int shape = (type - 1) % kSymbolShapes;
  const bool filled = shape % 2 == 1;
  BrushColor(c);
  BrushStyle(filled ? bsSolid : bsClear);
  const int x = p.x, y = p.y;
  std::array<TPoint, 4> corners{};
  size_t n = 3;
  switch (shape / 2) {
    case 0:
      if (filled) {  // x
        Line(canvas, {x - 3, y - 3}, {x + 4, y + 4});
        Line(canvas, {x + 3, y - 3}, {x - 4, y + 4});
      } else {  // +
        Line(canvas, {x - 3, y}, {x + 4, y});
        Line(canvas, {x, y - 3}, {x, y + 4});
      }
      canvas.MoveTo(saved.x, saved.y);
      return;
    case 1: canvas.Rectangle(x - 3, y - 3, x + 4, y + 4); return;
    case 2: canvas.Ellipse(x - 3, y - 3, x + 4, y + 4); return;
    case 3: corners = {{{x, y - 3}, {x + 3, y + 3}, {x - 3, y + 3}}}; break;
    case 4: corners = {{{x, y + 3}, {x + 3, y - 3}, {x - 3, y - 3}}}; break;
    default:
      corners = {{{x, y - 3}, {x + 3, y}, {x, y + 3}, {x - 3, y}}};
      n = 4;
      break;
  }
  canvas.Polygon(corners.data(), n);
}

void TItemPainter::DrawBox(const TChartItem& item, TColor c, TColor f, bool ellipse) {
  Flush();
  Pen(c, item.PenStyle);
  BrushColor(f);
  BrushStyle(item.Transparent ? bsClear : bsSolid);
  TPoint a, b;
  if (ellipse) {
    a = Map(item.Layer, item.X - item.X2, item.Y + item.Y2);
    b = Map(item.Layer, item.X + item.X2, item.Y - item.Y2);
  } else {
    a = Map(item.Layer, item.X, item.Y);
    b = Map(item.Layer, item.X2, item.Y2);
  }
  if (a == b) {
    Pixel(a, c);
  } else {
    Box(*Canvas_, a, b, ellipse);
  }
}

void TItemPainter::DrawFramedRect(const TChartItem& item, TColor f) {
  Flush();
  Pen(f, item.PenStyle);
  BrushColor(f);
  BrushStyle(bsSolid);
  const TPoint a = Map(item.Layer, item.X, item.Y), b = Map(item.Layer, item.X2, item.Y2);
  if (a == b) {
    Pixel(a, f);
    return;
  }
  TCanvas& canvas = *Canvas_;
  Box(canvas, a, b, false);
  const int l = std::min(a.x, b.x), r = std::max(a.x, b.x), t = std::min(a.y, b.y), bottom = std::max(a.y, b.y);
  TColor first = item.FrameColorA, second = item.FrameColorB;
  switch (item.FrameStyle) {
    case fsRaised: std::swap(first, second); [[fallthrough]];
    case fsLowered:
      PenColor(first);
      canvas.MoveTo(l, bottom);
      canvas.LineTo(l, t);
      canvas.LineTo(r, t);
      PenColor(second);
      canvas.LineTo(r, bottom);
      canvas.LineTo(l, bottom);
      return;
    case fsEngraved: std::swap(first, second); [[fallthrough]];
    case fsEmbossed: {
      const std::array<TPoint, 5> outer{{{l + 1, bottom}, {l + 1, t + 1}, {r, t + 1}, {r, bottom}, {l + 1, bottom}}};
      const std::array<TPoint, 5> inner{{{l, bottom - 1}, {l, t}, {r - 1, t}, {r - 1, bottom - 1}, {l, bottom - 1}}};
      PenColor(first);
      canvas.MoveTo(outer[0].x, outer[0].y);
      for (size_t i = 1; i < outer.size(); ++i) canvas.LineTo(outer[i].x, outer[i].y);
      PenColor(second);
      canvas.MoveTo(inner[0].x, inner[0].y);
      for (size_t i = 1; i < inner.size(); ++i) canvas.LineTo(inner[i].x, inner[i].y);
      return;
    }
    default: return;
  }
}

void TItemPainter::DrawBar3D(const TChartItem& item, TColor c, TColor f) {
  Flush();
  Pen(c, item.PenStyle);
  BrushColor(f);
  BrushStyle(bsSolid);
  const TPoint a = Map(item.Layer, item.X, item.Y), b = Map(item.Layer, item.X2, item.Y2);
  int l = std::min(a.x, b.x), r = std::max(a.x, b.x);
  const int t = std::min(a.y, b.y), bottom = std::max(a.y, b.y);
  const int dx = int(std::lround(std::cos(item.Size * kDegree) * item.Depth));
  const int dy = -int(std::lround(std::sin(item.Size * kDegree) * item.Depth));
  if (item.Size > 90) std::swap(l, r);
  TCanvas& canvas = *Canvas_;
  const std::array<TPoint, 4> top{{{l, t}, {l + dx, t + dy}, {r + dx, t + dy}, {r, t}}};
  const std::array<TPoint, 4> side{{{r + dx, t + dy}, {r, t}, {r, bottom}, {r + dx, bottom + dy}}};
  canvas.Polygon(top.data(), top.size());
  canvas.Polygon(side.data(), side.size());
  Box(canvas, {l, t}, {r, bottom}, false);
}

void TItemPainter::DrawText(const TChartItem& item, TColor c, TPoint shift) {
  Flush();
  TCanvas& canvas = *Canvas_;
  TextFont_ = canvas.Font();
  TextFont_.Style = Chart_->TextFontStyle_;
  TextFont_.SetSizePoints(item.Size);
  TextFont_.Color = c;
  if (!(TextFont_ == canvas.Font())) canvas.SetFont(TextFont_);
  BrushColor(Chart_->TextBkColor_);
  BrushStyle(Chart_->TextBkStyle_ == tbSolid ? bsSolid : bsClear);
  const TPoint raw = Raw(item.Layer, item.X, item.Y);
  TPoint p = ToCanvas(int64_t(raw.x) + shift.x, int64_t(raw.y) + shift.y);
  const std::string_view text = ItemText(item);
  p.y -= canvas.TextHeight(text) / 2;
  if (item.Style == 1) p.x -= canvas.TextWidth(text);
  if (item.Style == 2) p.x -= canvas.TextWidth(text) / 2;
  canvas.TextOut(p.x, p.y, text);
}

void TItemPainter::DrawArrow(const TChartItem& item, TColor c, TColor f) {
  Flush();
  Pen(c, item.PenStyle);
  BrushColor(f);
  BrushStyle(item.Transparent ? bsClear : bsSolid);
  const TPoint p1 = Map(item.Layer, item.X, item.Y), p2 = Map(item.Layer, item.X2, item.Y2);
  if (p1 == p2) {
    Pixel(p1, c);
    return;
  }
  TCanvas& canvas = *Canvas_;
  Line(canvas, p1, p2);
  if (item.Size < 1) return;
  double a;
  if (p1.x == p2.x) {
    a = p2.y - p1.y < 1 ? 2 * std::numbers::pi : std::numbers::pi;
  } else {
    a = std::atan(double(p2.y - p1.y) / double(p2.x - p1.x)) +
        (p2.x < p1.x ? 3 * std::numbers::pi / 2 : std::numbers::pi / 2);
  }
  const auto head = [&](double angle) {
    return TPoint{ClampToInt32(p2.x - std::lround(std::sin(angle) * item.Size)),
                  ClampToInt32(p2.y + std::lround(std::cos(angle) * item.Size))};
  };
  const std::array<TPoint, 3> triangle{p2, head(a + kArrowHalfAngle), head(a - kArrowHalfAngle)};
  if (item.Transparent) {
    Line(canvas, p2, triangle[1]);
    Line(canvas, p2, triangle[2]);
  } else {
    canvas.Polygon(triangle.data(), triangle.size());
  }
}

void TItemPainter::DrawPixBox(const TChartItem& item, TColor c, TColor f) {
  Flush();
  Pen(c, item.PenStyle);
  BrushColor(f);
  BrushStyle(item.Transparent ? bsClear : bsSolid);
  const TPoint p = Raw(item.Layer, item.X, item.Y);
  const int64_t hx = RoundOffset(item.X2), hy = RoundOffset(item.Y2);
  const TPoint a = ToCanvas(p.x - hx, p.y - hy), b = ToCanvas(p.x + hx, p.y + hy);
  if (a == b) {
    Pixel(a, c);
  } else {
    Box(*Canvas_, a, b, false);
  }
}

void TItemPainter::DrawGrid() {
  const TGChart& chart = *Chart_;
  const int32_t layer = Job_.GridLayer;
  const auto positions = [&](const TScaleProps& block, const TScale& scale, double step, TGridPositions& out) {
    const int n = std::min(scale.NumTicks(), TScale::kTickListSize);
    for (int i = 0; i < n; ++i) Ticks_[size_t(i)] = scale.Tick(i + 1);
    const TGridAxis axis{std::min(block.RangeLow(), block.RangeHigh()), std::max(block.RangeLow(), block.RangeHigh()),
                         block.Logarithmic(), step, std::span<const double>(Ticks_.data(), size_t(n))};
    return GridPositions(axis, out);
  };
  const TScaleProps& bx = chart.ScaleX(layer);
  const TScaleProps& by = chart.ScaleY(layer);
  const int nx = positions(bx, chart.ScaleRendererX(layer), chart.GridDx_, GridX_);
  const int ny = positions(by, chart.ScaleRendererY(layer), chart.GridDy_, GridY_);

  TCanvas& canvas = *Canvas_;
  PenColor(chart.GridColor_);
  BrushColor(chart.ChartColor_);
  if (canvas.PenWidth() != 1) canvas.SetPenWidth(1);
  const TGridStyle style = chart.GridStyle_;
  if (style == gsPoints) {
    int drawn = 0;
    for (int i = 0; i < nx && drawn < kMaxGridPositions; ++i) {
      const int32_t x = CanvasX(layer, GridX_[size_t(i)]);
      for (int j = 0; j < ny && drawn < kMaxGridPositions; ++j, ++drawn) {
        canvas.SetPixel(x, CanvasY(layer, GridY_[size_t(j)]), chart.GridColor_);
      }
    }
    return;
  }
  const bool dotted = style == gsVertDotLines || style == gsHorizDotLines || style == gsDotLines;
  const bool vertical = style == gsVertLines || style == gsLines || style == gsVertDotLines || style == gsDotLines;
  const bool horizontal = style == gsHorizLines || style == gsLines || style == gsHorizDotLines || style == gsDotLines;
  PenStyle(dotted ? psDot : psSolid);
  const double xLow = std::min(bx.RangeLow(), bx.RangeHigh()), xHigh = std::max(bx.RangeLow(), bx.RangeHigh());
  const double yLow = std::min(by.RangeLow(), by.RangeHigh()), yHigh = std::max(by.RangeLow(), by.RangeHigh());
  if (vertical) {
    const int32_t bottom = CanvasY(layer, yLow), top = CanvasY(layer, yHigh);
    for (int i = 0; i < nx; ++i) {
      const int32_t x = CanvasX(layer, GridX_[size_t(i)]);
      Line(canvas, {x, bottom}, {x, top});
    }
  }
  if (horizontal) {
    const int32_t left = CanvasX(layer, xLow), right = CanvasX(layer, xHigh);
    for (int j = 0; j < ny; ++j) {
      const int32_t y = CanvasY(layer, GridY_[size_t(j)]);
      Line(canvas, {left, y}, {right, y});
    }
  }
  PenStyle(psSolid);
}

void TItemPainter::DrawFrame() {
  const TChartArea area = Chart_->ChartArea();
  TCanvas& canvas = *Canvas_;
  PenColor(Chart_->ChartFrameColor_);
  PenStyle(psSolid);
  const int x = Job_.XOffset, y = Job_.YOffset;
  const int r = ClampToInt32(x + area.Width()), b = ClampToInt32(y + area.Height());
  canvas.MoveTo(x, y);
  canvas.LineTo(r, y);
  canvas.LineTo(r, b);
  canvas.LineTo(x, b);
  canvas.LineTo(x, y);
}
