#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

#include "chart/gchart.h"
#include "chart_fixture.h"
#include "recording_canvas.h"

namespace {

struct TFakeFeedback : TMouseFeedback {
  std::vector<std::array<int, 4>> Outlines;
  std::vector<TCursor> Cursors;
  void DrawXorRectangle(int x1, int y1, int x2, int y2) override { Outlines.push_back({x1, y1, x2, y2}); }
  void SetCursor(TCursor cursor) override { Cursors.push_back(cursor); }
};

testing::AssertionResult HasRange(const TScaleProps& block, double low, double high) {
  const auto near = [](double a, double b) { return std::fabs(a - b) <= 1e-9 * std::max(1.0, std::fabs(b)); };
  if (near(block.RangeLow(), low) && near(block.RangeHigh(), high)) return testing::AssertionSuccess();
  return testing::AssertionFailure() << "range " << block.RangeLow() << " .. " << block.RangeHigh();
}

// The main window's chart in maPan; its plot area is x 80..556 and y 30..315.
struct ChartMouse : MainWindowChart {
  ChartMouse() {
    chart.SetMouseFeedback(&feedback);
    chart.SetMouseAction(maPan);
    chart.OnZoomPan = [this](TGChart&) { ++zoomPans; };
  }
  void Drag(std::initializer_list<TPoint> moves) {
    for (TPoint p : moves) chart.MouseMove(ssLeft, p.x, p.y);
  }
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
  Drag({{200, 100}});  // the drag starts here, not at the press
  EXPECT_TRUE(HasRange(chart.Scale1X(), 0, 1000));
  Drag({{300, 100}});
  EXPECT_TRUE(HasRange(chart.Scale1X(), -200, 800));
  Drag({{200, 100}});
  EXPECT_TRUE(HasRange(chart.Scale1X(), 0, 1000));
  Drag({{200, 157}});  // a fifth of the 285 px height down shows larger y
  EXPECT_TRUE(HasRange(chart.Scale1Y(), 2, 12));
  EXPECT_EQ(zoomPans, 3);
  EXPECT_EQ(Repaints(), 3);
  chart.MouseUp(mbLeft, 0, 200, 157);  // a release does not end the drag
  Drag({{300, 100}});
  EXPECT_TRUE(HasRange(chart.Scale1X(), -200, 800));
  chart.MouseMove(0, 300, 100);  // a move without the button does
  Drag({{200, 100}, {300, 100}});
  EXPECT_TRUE(HasRange(chart.Scale1X(), -400, 600));
}

TEST_F(ChartMouse, PanHorizontalVerticalAndLogarithmic) {
  chart.Resize(601, 361);
  chart.SetMouseAction(maPanHoriz);
  Drag({{200, 100}, {300, 157}});
  EXPECT_TRUE(HasRange(chart.Scale1X(), -200, 800));
  EXPECT_TRUE(HasRange(chart.Scale1Y(), 0, 10));
  chart.SetMouseAction(maPanVert);  // takes effect at the next move of the same drag
  Drag({{200, 157}});
  EXPECT_TRUE(HasRange(chart.Scale1X(), -200, 800));
  EXPECT_TRUE(HasRange(chart.Scale1Y(), 2, 12));
  chart.MouseMove(0, 0, 0);
  chart.SetRange(1, 1, 1, 1000, 1000);
  chart.Scale1X().SetLogarithmic(true);
  chart.Scale1Y().SetLogarithmic(true);
  chart.SetMouseAction(maPan);
  Drag({{200, 100}, {300, 157}});  // a fifth of each extent: factors 1000^-0.2 and 1000^0.2
  EXPECT_TRUE(HasRange(chart.Scale1X(), std::pow(1000, -0.2), std::pow(1000, 0.8)));
  EXPECT_TRUE(HasRange(chart.Scale1Y(), std::pow(1000, 0.2), std::pow(1000, 1.2)));
}

TEST_F(ChartMouse, ZoomByDraggingAboutTheCentreOfTheStartRanges) {
  chart.Resize(580, 361);
  chart.SetMouseAction(maZoomDrag);
  Drag({{100, 100}, {245, 100}});  // a quarter of the control's width to the right
  EXPECT_TRUE(HasRange(chart.Scale1X(), 125, 875));
  Drag({{100, 100}});
  EXPECT_TRUE(HasRange(chart.Scale1X(), 0, 1000));
  Drag({{245, 100}});
  chart.SetMouseAction(maPan);  // same drag: shifts the start range by the present span
  Drag({{195, 100}});
  EXPECT_TRUE(HasRange(chart.Scale1X(), -95 * 750.0 / 479, 1000 - 95 * 750.0 / 479));
  chart.SetMouseAction(maZoomDrag);
  chart.MouseMove(0, 0, 0);
  chart.SetRange(1, 0, 0, 1000, 10);
  Drag({{300, -46}, {300, 315}});  // the control's full height down, from above it
  EXPECT_TRUE(HasRange(chart.Scale1Y(), -5, 15));
  EXPECT_TRUE(HasRange(chart.Scale1X(), 0, 1000));
  chart.MouseMove(0, 0, 0);
  chart.SetRange(1, 0, 0, 1000, 10);
  chart.SetIsometric(true);
  const double ySpan = chart.Scale1Y().RangeHigh() - chart.Scale1Y().RangeLow();
  Drag({{100, 100}, {245, 300}});  // y follows x
  EXPECT_NEAR(chart.Scale1Y().RangeHigh() - chart.Scale1Y().RangeLow(), 0.75 * ySpan, 1e-9);
  EXPECT_EQ(zoomPans, 6);
}

TEST_F(ChartMouse, MovesOutsideThePlotAreaChangeNothing) {
  Drag({{200, 100}, {79, 100}, {200, 316}, {557, 29}});
  EXPECT_TRUE(HasRange(chart.Scale1X(), 0, 1000));
  EXPECT_TRUE(HasRange(chart.Scale1Y(), 0, 10));
  EXPECT_EQ(zoomPans, 0);
  EXPECT_EQ(Repaints(), 0);
  Drag({{556, 100}});  // the edges belong to the area; the drag goes on from its start
  EXPECT_TRUE(HasRange(chart.Scale1X(), -356 * 1000.0 / 476, 1000 - 356 * 1000.0 / 476));
  Drag({{80, 30}});
  EXPECT_TRUE(HasRange(chart.Scale1X(), 120 * 1000.0 / 476, 1000 + 120 * 1000.0 / 476));
  EXPECT_EQ(zoomPans, 2);
}

TEST_F(ChartMouse, OnlyMouseControlledLayersMoveAndJointLayersFollow) {
  chart.SetRange(2, 0, 0, 50, 5);
  chart.SetRange(4, 0, 0, 50, 5);
  chart.SetLxControlledBy(3, 1);
  Repaints();
  Drag({{200, 100}, {295, 100}});
  EXPECT_TRUE(HasRange(chart.Scale1X(), -95 * 1000.0 / 476, 1000 - 95 * 1000.0 / 476));
  EXPECT_TRUE(HasRange(chart.Scale3X(), chart.Scale1X().RangeLow(), chart.Scale1X().RangeHigh()));
  EXPECT_TRUE(HasRange(chart.Scale2X(), 0, 50));
  chart.SetLayerMouseControl(2, true);
  Drag({{390, 100}});
  EXPECT_TRUE(HasRange(chart.Scale2X(), -190 * 50.0 / 476, 50 - 190 * 50.0 / 476));
  EXPECT_TRUE(HasRange(chart.Scale4X(), 0, 50));
  EXPECT_EQ(Repaints(), 2);  // one per step, whatever the number of layers
}

TEST_F(ChartMouse, RectangleZoomWithItsXorOutline) {
  chart.SetMouseAction(maZoomWind);
  chart.MouseDown(mbLeft, ssLeft, 180, 100);
  Drag({{380, 200}, {1000, 1000}});  // the corner stays inside the plot area
  chart.MouseUp(mbLeft, 0, 1000, 1000);
  using R = std::array<int, 4>;
  EXPECT_EQ(feedback.Outlines, (std::vector<R>{{180, 100, 380, 200}, {180, 100, 380, 200}, {180, 100, 556, 315},
                                               {180, 100, 556, 315}}));
  EXPECT_TRUE(HasRange(chart.Scale1X(), 100 * 1000.0 / 476, 1000));  // corners in the order dragged:
  EXPECT_TRUE(HasRange(chart.Scale1Y(), 215 * 10.0 / 285, 0));         // top to bottom turns y over
  EXPECT_EQ(zoomPans, 1);
  EXPECT_EQ(Repaints(), 1);

  chart.SetRange(1, 0, 0, 1000, 10);
  chart.SetMouseAction(maZoomWindPos);
  Rectangle({556, 30}, {318, 172});
  EXPECT_TRUE(HasRange(chart.Scale1X(), 500, 1000));
  EXPECT_TRUE(HasRange(chart.Scale1Y(), 143 * 10.0 / 285, 10));
  // A right button's release, or a box without width or height, only takes the outline off.
  feedback.Outlines.clear();
  Rectangle({100, 100}, {200, 200}, mbRight);
  Rectangle({100, 100}, {100, 200});
  Rectangle({79, 100}, {200, 200});  // a press outside the plot area starts nothing
  EXPECT_EQ(feedback.Outlines.size(), 4u);
  EXPECT_TRUE(HasRange(chart.Scale1X(), 500, 1000));
  EXPECT_EQ(zoomPans, 2);
}

TEST_F(ChartMouse, RubberBandReportsEachLayerAlongItsAxisAndChangesNothing) {
  chart.SetMouseAction(maRubberBand);
  chart.SetRange(2, 1000, 10, 0, 0);  // both axes reversed
  chart.SetLayerMouseControl(2, true);
  std::vector<std::array<double, 5>> reports;
  chart.OnRubberBand = [&](TGChart&, int32_t layer, double loX, double loY, double hiX, double hiY) {
    reports.push_back({double(layer), loX, loY, hiX, hiY});
  };
  Rectangle({318, 30}, {556, 172});
  ASSERT_EQ(reports.size(), 2u);
  EXPECT_EQ(reports[0][0], 1);
  EXPECT_NEAR(reports[0][1], 500, 1e-9);
  EXPECT_NEAR(reports[0][3], 1000, 1e-9);
  EXPECT_LT(reports[0][2], reports[0][4]);
  EXPECT_EQ(reports[1][0], 2);
  EXPECT_NEAR(reports[1][1], 500, 1e-9);
  EXPECT_NEAR(reports[1][3], 0, 1e-9);
  EXPECT_GT(reports[1][2], reports[1][4]);
  EXPECT_TRUE(HasRange(chart.Scale1X(), 0, 1000));
  EXPECT_TRUE(HasRange(chart.Scale2X(), 1000, 0));
  EXPECT_EQ(zoomPans, 1);
  // Isometric: the outline is as high as wide, the y pair as long on screen as the x pair.
  chart.SetLayerMouseControl(2, false);
  chart.SetIsometric(true);
  reports.clear();
  Rectangle({318, 30}, {556, 172});
  EXPECT_EQ(feedback.Outlines.back(), (std::array<int, 4>{318, 30, 556, 268}));
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_NEAR(reports[0][4] - reports[0][2], 500 * 286.0 / 477, 1e-6);
}

TEST_F(ChartMouse, DoubleClickCancelsTheNextPressOrRelease) {
  chart.SetMouseAction(maZoomWind);
  chart.DblClick();
  chart.MouseDown(mbLeft, ssLeft, 100, 100);  // ignored: no rectangle
  Drag({{200, 200}});
  EXPECT_TRUE(feedback.Outlines.empty());
  chart.MouseDown(mbLeft, ssLeft, 100, 100);
  Drag({{200, 200}});
  chart.DblClick();
  chart.MouseUp(mbLeft, 0, 200, 200);  // ignored: the rectangle goes on
  EXPECT_TRUE(HasRange(chart.Scale1X(), 0, 1000));
  Drag({{300, 300}});
  chart.MouseUp(mbLeft, 0, 300, 300);
  EXPECT_TRUE(HasRange(chart.Scale1X(), 20 * 1000.0 / 476, 220 * 1000.0 / 476));
}

TEST_F(ChartMouse, DragsTheNearestCrossHairAndTextLabel) {
  chart.SetRange(0, 0, 0, 1000, 10);
  chart.CrossHair(1).SetMode(chVert);   // line at x 318
  chart.CrossHair(1).SetPosX(500);
  chart.CrossHair(2).SetMode(chHoriz);  // line at y 172
  chart.CrossHair(2).SetPosY(5);
  chart.CrossHair(3).SetMode(chBox);    // a box is not picked by its lines
  chart.CrossHair(3).SetPosX(100);
  chart.CrossHair(3).SetPosY(9);
  std::vector<int32_t> moved;
  chart.OnCrossHairMove = [&](TGChart&, int32_t which) { moved.push_back(which); };
  chart.SetMouseAction(maDragCrossH);
  Drag({{120, 60}, {330, 170}, {400, 200}});  // 198 px from line 1, 112 from line 2
  EXPECT_EQ(moved, (std::vector<int32_t>{2, 2}));
  EXPECT_NEAR(chart.CrossHair(2).PosX(), 320 * 1000.0 / 476, 1e-9);
  EXPECT_NEAR(chart.CrossHair(2).PosY(), 115 * 10.0 / 285, 1e-9);
  EXPECT_EQ(chart.CrossHair(1).PosX(), 500);
  chart.MouseMove(0, 0, 0);
  Drag({{310, 250}, {300, 200}});  // 8 px from line 1, 50 from line 2 where it was left
  EXPECT_EQ(moved.back(), 1);

  chart.TextLabel(5).SetPosX(100);
  chart.TextLabel(5).SetPosY(100);
  chart.TextLabel(5).SetVisible(true);
  chart.TextLabel(9).SetAttachToData(tlamXOnly);
  chart.TextLabel(9).SetPosX(500);  // pixel 318
  chart.TextLabel(9).SetPosY(200);
  chart.TextLabel(9).SetVisible(true);
  chart.TextLabel(7).SetPosX(300);  // nearest, but hidden
  chart.TextLabel(7).SetPosY(190);
  chart.OnTextLabelMove = [&](TGChart&, int32_t which) { moved.push_back(which); };
  chart.SetMouseAction(maDragLabel);
  chart.MouseMove(0, 0, 0);
  Drag({{300, 190}, {437, 250}});
  EXPECT_EQ(moved.back(), 9);
  EXPECT_NEAR(chart.TextLabel(9).PosX(), 357 * 1000.0 / 476, 1e-9);
  EXPECT_EQ(chart.TextLabel(9).PosY(), 250);
  EXPECT_EQ(chart.TextLabel(5).PosX(), 100);
}

TEST_F(ChartMouse, CursorByModeAndPlotArea) {
  const auto cursorAt = [&](TMouseActMode mode, int x, int y) {
    chart.SetMouseAction(mode);
    feedback.Cursors.clear();
    chart.MouseMove(0, x, y);
    return feedback.Cursors.empty() ? TCursor(99) : feedback.Cursors.back();
  };
  EXPECT_EQ(cursorAt(maNone, 200, 200), crCross);
  EXPECT_EQ(cursorAt(maPan, 200, 200), crCurHand);
  EXPECT_EQ(cursorAt(maPanVert, 556, 315), crCurHand);
  EXPECT_EQ(cursorAt(maPan, 557, 315), crDefault);
  EXPECT_EQ(cursorAt(maZoomWind, 200, 200), crCurZoomW);
  EXPECT_EQ(cursorAt(maZoomWindPos, 200, 200), crCurZoomP);
  EXPECT_EQ(cursorAt(maZoomDrag, 200, 200), crCurZoomD);
  EXPECT_EQ(cursorAt(maDragLabel, 200, 200), crDefault);
  EXPECT_EQ(cursorAt(maZoom, 200, 200), 99);
  EXPECT_EQ(cursorAt(maRotZOnly, 200, 200), 99);
  EXPECT_EQ(cursorAt(maRotZOnly, 10, 10), crDefault);
  chart.SetMouseCursorFixed(true);
  EXPECT_EQ(cursorAt(maNone, 200, 200), crDefault);
  EXPECT_EQ(cursorAt(maZoom, 200, 200), crDefault);
}

TEST_F(ChartMouse, MoveInChartReportsDataOfTheCurrentLayer) {
  chart.SetRange(2, 0, 0, 100, 1);
  std::vector<std::array<double, 4>> moves;
  chart.OnMouseMoveInChart = [&](TGChart&, bool in, TShiftState shift, double x, double y) {
    moves.push_back({double(in), double(shift), x, y});
  };
  chart.MouseMove(ssShift, 80, 315);
  chart.MouseMove(0, 79, 315);
  chart.SetCurrentLayer(2);
  chart.MouseMove(0, 65536 + 556, 30);  // only the low 16 bits count
  chart.MouseMove(0, 65535, 30);        // which are signed: -1
  ASSERT_EQ(moves.size(), 4u);
  EXPECT_EQ(moves[0], (std::array<double, 4>{1, ssShift, 0, 0}));
  EXPECT_EQ(moves[1][0], 0);
  EXPECT_EQ(moves[2], (std::array<double, 4>{1, 0, 100, 1}));
  EXPECT_EQ(moves[3][0], 0);
  EXPECT_NEAR(moves[3][2], -81 * 100.0 / 476, 1e-9);
  int entered = 0, left = 0;
  chart.OnMouseEnter = [&](TGChart&) { ++entered; };
  chart.OnMouseLeave = [&](TGChart&) { ++left; };
  chart.MouseEnter();
  chart.MouseLeave();
  chart.MouseLeave();
  EXPECT_EQ(entered * 10 + left, 12);
}

TEST_F(ChartMouse, CrossHairsDrawInsideThePlotArea) {
  TRecordingCanvas canvas;
  canvas.SetPenColor(clRed);
  canvas.SetBrushColor(clAqua);
  canvas.Clear();
  TCrossHair& c = chart.CrossHair(1);
  EXPECT_EQ(chart.CrossHair(4).Layer(), 4);
  c.SetMode(chBoth);
  c.SetPosX(500);
  c.SetPosY(5);  // pixel 318, 172
  c.SetColor(clBlue);
  DrawCrossHairs(chart, canvas, {80, 30}, clWhite);  // onto the chart-area bitmap
  EXPECT_EQ(canvas.Named("MoveTo")[0].ToString(), "MoveTo(1,142)");
  EXPECT_EQ(canvas.Named("LineTo")[0].ToString(), "LineTo(476,142)");
  EXPECT_EQ(canvas.Named("MoveTo")[1].ToString(), "MoveTo(238,1)");
  EXPECT_EQ(canvas.Named("LineTo")[1].ToString(), "LineTo(238,285)");
  EXPECT_EQ(canvas.PenColor(), clRed);
  EXPECT_EQ(canvas.BrushColor(), clAqua);
  canvas.Clear();
  c.SetLineWid(3);
  c.SetPosY(10 - 2 * 10.0 / 285);  // row 32: more than half the pen width inside
  DrawCrossHairs(chart, canvas, {0, 0}, clWhite);
  EXPECT_EQ(canvas.Named("LineTo").size(), 2u);
  EXPECT_EQ(canvas.Named("MoveTo")[0].ToString(), "MoveTo(82,32)");
  EXPECT_EQ(canvas.Named("LineTo")[0].ToString(), "LineTo(555,32)");
  c.SetPosY(10 - 1 * 10.0 / 285);  // row 31: left out
  canvas.Clear();
  DrawCrossHairs(chart, canvas, {0, 0}, clWhite);
  EXPECT_EQ(canvas.Named("LineTo").size(), 1u);
  c.SetMode(chBox);
  c.SetPosY(5);
  c.SetLineWid(1);
  canvas.Clear();
  DrawCrossHairs(chart, canvas, {0, 0}, clWhite);
  EXPECT_EQ(canvas.Log(), (std::vector<std::string>{
                              "SetPenColor(16711680)", "SetPenWidth(1)", "SetPenStyle(0)", "SetBrushColor(16777215)",
                              "SetBrushStyle(0)", "MoveTo(308,172)", "LineTo(328,172)", "MoveTo(318,162)",
                              "LineTo(318,182)", "Rectangle(316,170,321,175)", "SetPenColor(255)", "SetPenWidth(1)",
                              "SetPenStyle(0)", "SetBrushColor(16776960)", "SetBrushStyle(0)"}));
}

TEST_F(ChartMouse, TextLabelsAndXorOutlineDrawing) {
  TRecordingCanvas canvas;
  TTextLabel& framed = chart.TextLabel(2);
  framed.SetText("Max");
  framed.SetMode(tlFramed);
  framed.SetAttachToData(tlamBoth);
  framed.SetPosX(500);
  framed.SetPosY(5);  // pixel 318, 172
  framed.SetVisible(true);
  chart.TextLabel(3).SetText("hidden");
  TTextLabel& off = chart.TextLabel(4);
  off.SetText("off");
  off.SetVisible(true);
  off.SetMode(tlOff);
  DrawTextLabels(chart, canvas, 0, 0);  // chart-area bitmap: less the margins
  EXPECT_EQ(canvas.Named("Rectangle")[0].ToString(), "Rectangle(236,141,258,156)");
  EXPECT_EQ(canvas.Named("TextOut").size(), 1u);
  EXPECT_EQ(canvas.Named("TextOut")[0].ToString(), "TextOut(238,142,\"Max\")");
  EXPECT_EQ(canvas.BrushStyle(), bsSolid);
  canvas.Clear();
  canvas.SetPenMode(pmCopy);
  DrawXorOutline(canvas, 1, 2, 3, 4);
  EXPECT_EQ(canvas.Log(), (std::vector<std::string>{"SetPenMode(0)", "SetPenColor(16777215)", "SetPenMode(1)",
                                                    "SetBrushStyle(1)", "Rectangle(1,2,3,4)", "SetPenColor(0)",
                                                    "SetPenMode(0)", "SetBrushStyle(0)"}));
}

TEST_F(ChartMouse, OverlaySettersRepaintOnlyWithAutoRedraw) {
  chart.CrossHair(1).SetLayer(40);
  chart.TextLabel(31).SetLayer(-2);  // the last label, on layer 1
  EXPECT_EQ(chart.CrossHair(1).Layer(), 16);
  EXPECT_EQ(chart.TextLabel(30).Layer(), 1);
  EXPECT_EQ(Repaints(), 0);
  chart.SetAutoRedraw(true);
  chart.CrossHair(2).SetColor(clRed);
  chart.TextLabel(1).SetText("a");
  EXPECT_EQ(Repaints(), 2);
}

}  // namespace
