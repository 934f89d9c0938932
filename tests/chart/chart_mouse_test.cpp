#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>
#include <tuple>
#include <vector>

#include "chart/gchart.h"
#include "chart_fixture.h"
#include "recording_canvas.h"

namespace {

using testing::DoubleNear;
using testing::ElementsAre;
using testing::Pointwise;
using TLog = std::vector<std::string>;

struct TFakeFeedback : TMouseFeedback {
  std::vector<std::array<int, 4>> Outlines;
  std::vector<TCursor> Cursors;
  void DrawXorRectangle(int x1, int y1, int x2, int y2) override { Outlines.push_back({x1, y1, x2, y2}); }
  void SetCursor(TCursor cursor) override { Cursors.push_back(cursor); }
};

auto Is(double low, double high) {
  return ElementsAre(DoubleNear(low, 1e-9 * std::max(1.0, std::fabs(low))),
                     DoubleNear(high, 1e-9 * std::max(1.0, std::fabs(high))));
}

// One data unit of the main window's layer 1 (0..1000, 0..10) in pixels of x and y.
constexpr double kx = 1000.0 / 476;
constexpr double ky = 10.0 / 285;

// Lines and boxes drawn, in order.
TLog Strokes(const TRecordingCanvas& canvas) {
  TLog log;
  for (const TCanvasCall& c : canvas.Calls) {
    if (c.Name == "MoveTo" || c.Name == "LineTo" || c.Name == "Rectangle" || c.Name == "TextOut") log.push_back(c.ToString());
  }
  return log;
}

// The main window's chart in maPan; its plot area is x 80..556 and y 30..315.
struct ChartMouse : MainWindowChart {
  ChartMouse() {
    chart.SetMouseFeedback(&feedback);
    chart.SetMouseAction(maPan);
    chart.OnZoomPan = [this](TGChart&) { ++zoomPans; };
  }
  std::array<double, 2> X(int32_t layer = 1) const { return {chart.ScaleX(layer).RangeLow(), chart.ScaleX(layer).RangeHigh()}; }
  std::array<double, 2> Y(int32_t layer = 1) const { return {chart.ScaleY(layer).RangeLow(), chart.ScaleY(layer).RangeHigh()}; }
  // Moves through the points with the left button held.
  ChartMouse& Drag(std::initializer_list<TPoint> moves) {
    for (TPoint p : moves) chart.MouseMove(ssLeft, p.x, p.y);
    return *this;
  }
  void EndDrag() { chart.MouseMove(0, 0, 0); }
  // Pressed with the left button, released with `release`.
  void Rectangle(TPoint from, TPoint to, TMouseButton release = mbLeft) {
    chart.MouseDown(mbLeft, ssLeft, from.x, from.y);
    Drag({to});
    chart.MouseUp(release, 0, to.x, to.y);
  }

  TFakeFeedback feedback;
  int zoomPans = 0;
};

TEST_F(ChartMouse, PanFollowsThePointerFromTheFirstMoveWithTheButton) {
  chart.Resize(601, 361);  // a plot area 500 px wide
  chart.MouseDown(mbLeft, ssLeft, 100, 100);
  EXPECT_THAT(Drag({{200, 100}}).X(), Is(0, 1000));  // the drag starts here, not at the press
  EXPECT_THAT(Drag({{300, 100}}).X(), Is(-200, 800));
  EXPECT_THAT(Drag({{200, 100}}).X(), Is(0, 1000));
  EXPECT_THAT(Drag({{200, 157}}).Y(), Is(2, 12));  // a fifth of the height down shows larger y
  EXPECT_EQ(zoomPans, 3);
  EXPECT_EQ(Repaints(), 3);
  chart.MouseUp(mbLeft, 0, 200, 157);  // a release does not end the drag, a move without the button does
  EXPECT_THAT(Drag({{300, 100}}).X(), Is(-200, 800));
  EndDrag();
  EXPECT_THAT(Drag({{200, 100}, {300, 100}}).X(), Is(-400, 600));
  EndDrag();
  chart.SetMouseAction(maPanHoriz);
  EXPECT_THAT(Drag({{200, 100}, {300, 157}}).Y(), Is(0, 10));
  chart.SetMouseAction(maPanVert);  // takes effect at the next move of the same drag
  EXPECT_THAT(Drag({{200, 214}}).X(), Is(-600, 400));
  EXPECT_THAT(Y(), Is(4, 14));
  EndDrag();
  chart.SetRange(1, 1, 1, 1000, 1000);
  chart.Scale1X().SetLogarithmic(true);
  chart.Scale1Y().SetLogarithmic(true);
  chart.SetMouseAction(maPan);
  Drag({{200, 100}, {300, 157}});  // logarithmic: factors 1000^-0.2 and 1000^0.2
  EXPECT_THAT(X(), Is(std::pow(1000, -0.2), std::pow(1000, 0.8)));
  EXPECT_THAT(Y(), Is(std::pow(1000, 0.2), std::pow(1000, 1.2)));
}

TEST_F(ChartMouse, ZoomByDraggingAboutTheCentreOfTheStartRanges) {
  chart.Resize(580, 361);
  chart.SetMouseAction(maZoomDrag);
  EXPECT_THAT(Drag({{100, 100}, {245, 100}}).X(), Is(125, 875));  // a quarter of the control's width
  EXPECT_THAT(Drag({{100, 100}}).X(), Is(0, 1000));
  Drag({{245, 100}});
  chart.SetMouseAction(maPan);  // same drag: shifts the start range by the present span
  EXPECT_THAT(Drag({{195, 100}}).X(), Is(-95 * 750.0 / 479, 1000 - 95 * 750.0 / 479));
  chart.SetMouseAction(maZoomDrag);
  EndDrag();
  chart.SetRange(1, 0, 0, 1000, 10);
  EXPECT_THAT(Drag({{300, -46}, {300, 315}}).Y(), Is(-5, 15));  // the full height down, from above
  EXPECT_THAT(X(), Is(0, 1000));
  EndDrag();
  chart.SetIsometric(true);  // y spans 1000 * 286 / 480 and follows x
  Drag({{100, 100}, {245, 300}});
  EXPECT_NEAR(Y()[1] - Y()[0], 0.75 * 1000 * 286 / 480, 1e-9);
  EXPECT_EQ(zoomPans, 6);
}

TEST_F(ChartMouse, MovesOutsideThePlotAreaChangeNothing) {
  EXPECT_THAT(Drag({{200, 100}, {79, 100}, {200, 316}, {557, 29}}).X(), Is(0, 1000));
  EXPECT_EQ(zoomPans + Repaints(), 0);
  // The edges belong to the area; the drag goes on from its start.
  EXPECT_THAT(Drag({{556, 100}}).X(), Is(-356 * kx, 1000 - 356 * kx));
  EXPECT_THAT(Drag({{80, 30}}).Y(), Is(-70 * ky, 10 - 70 * ky));
}

TEST_F(ChartMouse, OnlyMouseControlledLayersMoveAndJointLayersFollow) {
  chart.SetRange(2, 0, 0, 50, 5);
  chart.SetRange(4, 0, 0, 50, 5);
  chart.SetLxControlledBy(3, 1);
  Repaints();
  EXPECT_THAT(Drag({{200, 100}, {295, 100}}).X(), Is(-95 * kx, 1000 - 95 * kx));
  EXPECT_EQ(X(3), X(1));
  EXPECT_THAT(X(2), Is(0, 50));
  chart.SetLayerMouseControl(2, true);
  EXPECT_THAT(Drag({{390, 100}}).X(2), Is(-190 * 50.0 / 476, 50 - 190 * 50.0 / 476));
  EXPECT_THAT(X(4), Is(0, 50));
  EXPECT_EQ(Repaints(), 2);  // one per step, whatever the number of layers
}

TEST_F(ChartMouse, RectangleZoomWithItsXorOutline) {
  chart.SetMouseAction(maZoomWind);
  chart.MouseDown(mbLeft, ssLeft, 180, 100);
  Drag({{380, 200}, {1000, 1000}});  // the corner stays inside the plot area
  chart.MouseUp(mbLeft, 0, 1000, 1000);
  EXPECT_EQ(feedback.Outlines, (std::vector<std::array<int, 4>>{
                                   {180, 100, 380, 200}, {180, 100, 380, 200}, {180, 100, 556, 315}, {180, 100, 556, 315}}));
  EXPECT_THAT(X(), Is(100 * kx, 1000));  // corners in the order dragged: top to bottom turns y over
  EXPECT_THAT(Y(), Is(215 * ky, 0));
  EXPECT_EQ(zoomPans, 1);
  EXPECT_EQ(Repaints(), 1);
  chart.SetRange(1, 0, 0, 1000, 10);
  chart.SetMouseAction(maZoomWindPos);
  Rectangle({556, 30}, {318, 172});
  EXPECT_THAT(X(), Is(500, 1000));
  EXPECT_THAT(Y(), Is(143 * ky, 10));
  // A right button's release, or a box without width or height, only takes the outline
  // off; a press outside the plot area starts nothing.
  feedback.Outlines.clear();
  Rectangle({100, 100}, {200, 200}, mbRight);
  Rectangle({100, 100}, {100, 200});
  Rectangle({79, 100}, {200, 200});
  EXPECT_EQ(feedback.Outlines.size(), 4u);
  EXPECT_EQ(zoomPans, 2);
}

TEST_F(ChartMouse, RubberBandReportsEachLayerAlongItsAxisAndChangesNothing) {
  chart.SetMouseAction(maRubberBand);
  chart.SetRange(2, 1000, 10, 0, 0);  // both axes reversed
  chart.SetLayerMouseControl(2, true);
  std::vector<double> reports;
  chart.OnRubberBand = [&](TGChart&, int32_t layer, double loX, double loY, double hiX, double hiY) {
    reports.insert(reports.end(), {double(layer), loX, loY, hiX, hiY});
  };
  Rectangle({318, 30}, {556, 172});
  EXPECT_THAT(reports, Pointwise(DoubleNear(1e-9), {1.0, 500.0, 143 * ky, 1000.0, 10.0,  //
                                                    2.0, 500.0, 10 - 143 * ky, 0.0, 0.0}));
  EXPECT_THAT(X(), Is(0, 1000));
  EXPECT_THAT(X(2), Is(1000, 0));
  EXPECT_EQ(zoomPans, 1);
  // Isometric: the outline is as high as wide, the y pair as long on screen as the x pair.
  chart.SetLayerMouseControl(2, false);
  chart.SetIsometric(true);
  reports.clear();
  Rectangle({318, 30}, {556, 172});
  EXPECT_EQ(feedback.Outlines.back(), (std::array<int, 4>{318, 30, 556, 268}));
  ASSERT_EQ(reports.size(), 5u);
  EXPECT_NEAR(reports[4] - reports[2], 500 * 286.0 / 477, 1e-6);
}

TEST_F(ChartMouse, DoubleClickCancelsTheNextPressOrRelease) {
  chart.SetMouseAction(maZoomWind);
  chart.DblClick();
  chart.MouseDown(mbLeft, ssLeft, 100, 100);  // ignored: no rectangle
  EXPECT_TRUE(Drag({{200, 200}}).feedback.Outlines.empty());
  chart.MouseDown(mbLeft, ssLeft, 100, 100);
  Drag({{200, 200}});
  chart.DblClick();
  chart.MouseUp(mbLeft, 0, 200, 200);  // ignored: the rectangle goes on
  Drag({{300, 300}});
  chart.MouseUp(mbLeft, 0, 300, 300);
  EXPECT_THAT(X(), Is(20 * kx, 220 * kx));
}

TEST_F(ChartMouse, DragsTheNearestCrossHairAndTextLabel) {
  chart.SetRange(0, 0, 0, 1000, 10);
  const auto crossHair = [&](int32_t i, TCrossHMode mode, double x, double y) {
    chart.CrossHair(i).SetMode(mode);
    chart.CrossHair(i).SetPosX(x);
    chart.CrossHair(i).SetPosY(y);
  };
  crossHair(1, chVert, 500, 0);  // line at x 318
  crossHair(2, chHoriz, 0, 5);   // line at y 172
  crossHair(3, chBox, 100, 9);   // a box is not picked by its lines
  std::vector<int32_t> moved;
  chart.OnCrossHairMove = [&](TGChart&, int32_t which) { moved.push_back(which); };
  chart.OnTextLabelMove = [&](TGChart&, int32_t which) { moved.push_back(100 + which); };
  chart.SetMouseAction(maDragCrossH);
  Drag({{120, 60}, {330, 170}, {400, 200}});  // 198 px from line 1, 112 from line 2
  EXPECT_NEAR(chart.CrossHair(2).PosX(), 320 * kx, 1e-9);
  EXPECT_NEAR(chart.CrossHair(2).PosY(), 10 - 170 * ky, 1e-9);
  EndDrag();
  Drag({{310, 250}, {300, 200}});  // 8 px from line 1, 50 from line 2 where it was left

  const auto label = [&](int32_t i, bool visible, double x, double y) {
    chart.TextLabel(i).SetVisible(visible);
    chart.TextLabel(i).SetPosX(x);
    chart.TextLabel(i).SetPosY(y);
  };
  label(5, true, 100, 100);
  label(7, false, 300, 190);  // nearest, but hidden
  label(9, true, 500, 200);   // x in data: pixel 318
  chart.TextLabel(9).SetAttachToData(tlamXOnly);
  chart.SetMouseAction(maDragLabel);
  EndDrag();
  Drag({{300, 190}, {437, 250}});
  EXPECT_NEAR(chart.TextLabel(9).PosX(), 357 * kx, 1e-9);
  EXPECT_EQ(chart.TextLabel(9).PosY(), 250);
  EXPECT_EQ(moved, (std::vector<int32_t>{2, 2, 1, 109}));
}

TEST_F(ChartMouse, CursorByModeAndPlotArea) {
  // Fixed, mode, x on the plot area's bottom row, the cursor set (99: left as it is).
  for (const auto& [fixed, mode, x, cursor] : std::initializer_list<std::tuple<bool, TMouseActMode, int, TCursor>>{
           {false, maNone, 556, crCross}, {false, maPan, 80, crCurHand}, {false, maPan, 557, crDefault},
           {false, maZoom, 200, 99}, {false, maZoom, 79, crDefault}, {true, maZoomDrag, 200, crDefault}}) {
    chart.SetMouseCursorFixed(fixed);
    chart.SetMouseAction(mode);
    feedback.Cursors = {99};
    chart.MouseMove(0, x, 315);
    EXPECT_EQ(feedback.Cursors.back(), cursor) << int(mode) << " at " << x;
  }
}

TEST_F(ChartMouse, MoveInChartReportsDataOfTheCurrentLayer) {
  chart.SetRange(2, 0, 0, 100, 1);
  std::vector<double> moves;
  chart.OnMouseMoveInChart = [&](TGChart&, bool in, TShiftState shift, double x, double y) {
    moves.insert(moves.end(), {double(in), double(shift), x, y});
  };
  chart.MouseMove(ssShift, 80, 315);
  chart.SetCurrentLayer(2);
  chart.MouseMove(0, 65536 + 556, 30);  // only the low 16 bits count
  chart.MouseMove(0, 65535, 30);        // which are signed: -1
  EXPECT_THAT(moves, Pointwise(DoubleNear(1e-9), {1.0, double(ssShift), 0.0, 0.0, 1.0, 0.0, 100.0, 1.0,  //
                                                  0.0, 0.0, -81 * 100.0 / 476, 1.0}));
}

TEST_F(ChartMouse, CrossHairsDrawInsideThePlotArea) {
  TRecordingCanvas canvas;
  canvas.SetPenColor(clRed);
  canvas.SetBrushColor(clAqua);
  TCrossHair& c = chart.CrossHair(1);
  c.SetMode(chBoth);
  c.SetPosX(500);
  c.SetPosY(5);  // pixel 318, 172
  DrawCrossHairs(chart, canvas, {80, 30}, clWhite);  // onto the chart-area bitmap
  EXPECT_EQ(Strokes(canvas), (TLog{"MoveTo(1,142)", "LineTo(476,142)", "MoveTo(238,1)", "LineTo(238,285)"}));
  EXPECT_EQ(canvas.PenColor(), clRed);
  EXPECT_EQ(canvas.BrushColor(), clAqua);
  c.SetLineWid(3);
  c.SetPosY(10 - 2 * ky);  // row 32: the line's half width lies inside
  canvas.Clear();
  DrawCrossHairs(chart, canvas, {0, 0}, clWhite);
  EXPECT_EQ(Strokes(canvas), (TLog{"MoveTo(82,32)", "LineTo(555,32)", "MoveTo(318,32)", "LineTo(318,314)"}));
  c.SetPosY(10 - ky);  // row 31: left out
  canvas.Clear();
  DrawCrossHairs(chart, canvas, {0, 0}, clWhite);
  EXPECT_EQ(Strokes(canvas), (TLog{"MoveTo(318,32)", "LineTo(318,314)"}));
  c.SetMode(chBox);
  c.SetPosY(5);
  c.SetColor(clBlue);
  c.SetLineWid(1);
  canvas.Clear();
  DrawCrossHairs(chart, canvas, {0, 0}, clWhite);
  EXPECT_EQ(Strokes(canvas), (TLog{"MoveTo(308,172)", "LineTo(328,172)", "MoveTo(318,162)", "LineTo(318,182)",
                                   "Rectangle(316,170,321,175)"}));
  EXPECT_EQ(canvas.Named("SetPenColor")[0].Args[0], clBlue);
  EXPECT_EQ(canvas.Named("SetBrushColor")[0].Args[0], clWhite);
}

TEST_F(ChartMouse, TextLabelsOutlinesAndOverlaySetters) {
  TRecordingCanvas canvas;
  TTextLabel& framed = chart.TextLabel(2);
  framed.SetText("Max");
  framed.SetMode(tlFramed);
  framed.SetAttachToData(tlamBoth);
  framed.SetPosX(500);
  framed.SetPosY(5);  // pixel 318, 172
  framed.SetVisible(true);
  chart.TextLabel(3).SetText("hidden");
  chart.TextLabel(4).SetText("off");  // visible, but off
  chart.TextLabel(4).SetVisible(true);
  chart.TextLabel(4).SetMode(tlOff);
  DrawTextLabels(chart, canvas, 0, 0);  // chart-area bitmap at its own corner
  EXPECT_EQ(Strokes(canvas), (TLog{"Rectangle(236,141,258,156)", "TextOut(238,142,\"Max\")"}));
  EXPECT_EQ(canvas.BrushStyle(), bsSolid);
  // Thin and solid whatever the last drawing left in the canvas, which gets it back.
  canvas.SetPenStyle(psDash);
  canvas.SetPenWidth(3);
  canvas.Clear();
  DrawXorOutline(canvas, 1, 2, 3, 4);
  EXPECT_EQ(canvas.Log(), (TLog{"SetPenColor(16777215)", "SetPenMode(1)", "SetPenStyle(0)", "SetPenWidth(1)",
                                "SetBrushStyle(1)", "Rectangle(1,2,3,4)", "SetPenColor(0)", "SetPenMode(0)",
                                "SetPenStyle(1)", "SetPenWidth(3)", "SetBrushStyle(0)"}));
  // Numbers and layers are clamped; a change repaints only with AutoRedraw.
  chart.CrossHair(5).SetLayer(40);
  EXPECT_EQ(chart.CrossHair(4).Layer() + Repaints(), 16);
  chart.SetAutoRedraw(true);
  chart.CrossHair(2).SetColor(clRed);
  chart.TextLabel(1).SetText("a");
  EXPECT_EQ(Repaints(), 2);
}

}  // namespace
