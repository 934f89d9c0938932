#include <gtest/gtest.h>

#include <QImage>
#include <cmath>

#include "chart/chart_mouse.h"

#include "tests/chart/main_window_chart.h"

namespace {

struct ChartRender : TQtMainChart, testing::Test {
  TColor Shown(TPoint p) { return Chart.WindowBitmap()->Pixel(p.x, p.y); }
  TColor Shown(int x, int y) { return Shown({x, y}); }
  int64_t Repaints() {
    const int64_t n = Chart.PaintCount() - Counted;
    Counted = Chart.PaintCount();
    return n;
  }
  int64_t Counted = 0;
};

TEST_F(ChartRender, CurveGridAndFrameLieWhereTheMappingSays) {
  Chart.SetDataColor(clBlue);
  Chart.MoveTo(5, 5);
  for (int i = 15; i <= 1000; i += 10) Chart.DrawTo(i, 5 + 4 * std::sin(i * 0.02));
  Chart.ShowGraph();
  // Every vertex but the last (a line leaves out its end point) is a curve pixel.
  for (int32_t i = 0; i + 1 < Chart.NumItems(); ++i) {
    const TChartItem& item = Chart.Items()[size_t(i)];
    EXPECT_EQ(Shown(Chart.MapToPixel(1, item.X, item.Y)), clBlue) << item.X;
  }
  // The frame on the chart area's edges; the grid at the minor ticks (every 50 samples,
  // every 0.5 units) in silver; white between.
  const TChartArea a = Chart.ChartArea();
  EXPECT_EQ(a.Left, 80);
  EXPECT_EQ(a.Right, 556);
  EXPECT_EQ(a.Bottom, 315);
  for (const TPoint p : {TPoint{a.Left, 100}, TPoint{a.Right, 100}, TPoint{300, a.Top}, TPoint{300, a.Bottom}}) {
    EXPECT_EQ(Shown(p), clBlack) << p.x << "," << p.y;
  }
  const int32_t gridX = Chart.MapToPixel(1, 350, 0).x, gridY = Chart.MapToPixel(1, 0, 9.5).y;
  EXPECT_EQ(Shown(gridX, gridY + 3), clSilver);
  EXPECT_EQ(Shown(gridX + 3, gridY), clSilver);
  EXPECT_EQ(Shown(gridX + 3, gridY + 3), clWhite);
  // Outside the chart area: the axis line one row below it and the window colour.
  EXPECT_EQ(Shown(300, a.Bottom + 1), clWhite);
  EXPECT_EQ(Shown(5, 5), clWhite);
}

TEST_F(ChartRender, UpdateGraphKeepsRemovedItemsUntilShowGraph) {
  Chart.SetDataColor(clBlue);
  Chart.Line(100, 2.2, 900, 2.2);
  Chart.Line(100, 8.2, 900, 8.2);
  Chart.UpdateGraph();
  const TPoint removed = Chart.MapToPixel(1, 510, 2.2), kept = Chart.MapToPixel(1, 510, 8.2);
  ASSERT_EQ(Shown(removed), clBlue);
  Chart.RemoveFirstItem();
  Chart.UpdateGraph();
  EXPECT_EQ(Shown(removed), clBlue);
  Chart.ShowGraph();
  EXPECT_EQ(Shown(removed), clWhite);
  EXPECT_EQ(Shown(kept), clBlue);
  // The same through the chart-area path of ShowGraph.
  Chart.SetAutoRedraw(true);
  Chart.UpdateGraph();
  Chart.RemoveFirstItem();
  Chart.UpdateGraph();
  EXPECT_EQ(Shown(kept), clBlue);
  Chart.ShowGraph();
  EXPECT_EQ(Shown(kept), clWhite);
}

TEST_F(ChartRender, ShowGraphRedrawsScalesOnlyWithoutAutoRedraw) {
  Repaints();
  Chart.SetWindColor(clYellow);  // AutoRedraw off: stored only
  EXPECT_EQ(Repaints(), 0);
  Chart.SetAutoRedraw(true);
  Chart.ShowGraph();
  EXPECT_EQ(Repaints(), 0);
  EXPECT_EQ(Shown(5, 5), clWhite);
  Chart.SetAutoRedraw(false);
  Chart.ShowGraph();
  EXPECT_EQ(Repaints(), 1);
  EXPECT_EQ(Shown(5, 5), clYellow);
}

TEST_F(ChartRender, SuspendedPaintingLeavesTheScreenAndResumesWithOneRepaint) {
  Chart.SetDataColor(clBlue);
  Chart.Line(0, 5.2, 1000, 5.2);
  const TPoint line = Chart.MapToPixel(1, 510, 5.2);
  Repaints();
  Chart.SetPaintSuspended(true);
  Chart.Paint();
  Chart.SetRange(1, 0, 0, 1000, 20);
  EXPECT_EQ(Repaints(), 0);
  EXPECT_EQ(Shown(line), clWhite);
  Chart.SetPaintSuspended(false);
  Chart.SetPaintSuspended(false);
  EXPECT_EQ(Repaints(), 1);
  EXPECT_EQ(Shown(Chart.MapToPixel(1, 510, 5.2)), clBlue);
}

TEST_F(ChartRender, GridOnlyFromIndexZeroAndNothingWhileInvisible) {
  Chart.ClearGraph();
  Chart.SetGridColor(clGreen);
  Chart.UpdateGraph();  // LastDrawnIndex 0 after ClearGraph: with the grid
  const TPoint grid{Chart.MapToPixel(1, 350, 0).x, 100};
  EXPECT_EQ(Shown(grid), clGreen);
  Chart.Line(0, 1, 10, 1);
  Chart.Line(0, 1, 10, 1);
  Chart.UpdateGraph();  // LastDrawnIndex -1
  Chart.UpdateGraph();  // LastDrawnIndex 1
  Chart.SetGridColor(clRed);
  Chart.UpdateGraph();
  EXPECT_EQ(Shown(grid), clGreen);

  Chart.SetVisible(false);
  Chart.SetDataColor(clBlue);
  Chart.Line(0, 5.2, 1000, 5.2);
  Chart.UpdateGraph();
  Chart.ShowGraph();
  Chart.Paint();
  EXPECT_EQ(Shown(Chart.MapToPixel(1, 510, 5.2)), clWhite);
  EXPECT_EQ(Chart.LastDrawnIndex(), 1);
}

TEST_F(ChartRender, BackgroundAreaAndImages) {
  TBakGndImg background;
  background.AreaMode = bamVStripe;
  background.AreaColor = clAqua;
  background.AreaLeft = 200;
  background.AreaRight = 400;
  Chart.SetBackGroundImg(background);
  Chart.Paint();
  EXPECT_EQ(Shown(Chart.MapToPixel(1, 310, 3).x, 100), clAqua);
  EXPECT_EQ(Shown(Chart.MapToPixel(1, 410, 3).x, 100), clWhite);
  // An image that cannot be read is dropped for good.
  background.Name = "/nonexistent/tavolix.bmp";
  Chart.SetBackGroundImg(background);
  Chart.Paint();
  Chart.ComposePending();
  EXPECT_EQ(Chart.BackGroundImg().Name, "");
  EXPECT_EQ(Shown(Chart.MapToPixel(1, 310, 3).x, 100), clWhite);
}


// A full composition is drawn in the window picture; the control picture is what it
// drew, even after an update and an outline have drawn over the window since.
TEST_F(ChartRender, ControlPictureStaysTheFullCompositionWhileTheWindowMovesOn) {
  const auto image = [](const TBitmap* bitmap) { return dynamic_cast<const TQtBitmap&>(*bitmap).Image(); };
  Chart.SetDataColor(clBlue);
  Chart.MoveTo(0, 2);
  Chart.DrawTo(500, 8);
  Chart.CrossHair(1).SetMode(chBoth);
  Chart.CrossHair(1).SetPosX(300);
  Chart.CrossHair(1).SetPosY(4);
  Chart.Paint();
  const QImage composed = image(Chart.WindowBitmap()).copy();
  Chart.DrawTo(1000, 1);
  Chart.UpdateGraph();
  DrawXorOutline(*Chart.WindowCanvas(), 100, 60, 300, 200);
  EXPECT_NE(image(Chart.WindowBitmap()), composed);
  EXPECT_EQ(image(Chart.ControlBitmap()), composed);
}

// The shown picture leaves out filling the chart area's place with the window colour,
// since the chart area is drawn over it: it must still be what the passes give one after
// the other, whatever the margins were before and wherever the chart area reaches.
TEST_F(ChartRender, ShownPictureIsThePassesInTheirOrderForAnyMargins) {
  const auto image = [](const TBitmap& bitmap) { return dynamic_cast<const TQtBitmap&>(bitmap).Image(); };
  Chart.SetDataColor(clBlue);
  Chart.Line(0, 1, 1000, 9);
  Chart.SetShadowWidth(6);
  Chart.SetCaption("Messung");
  struct TMargins {
    int Left, Right, Top, Bottom;
  };
  for (const TMargins m : {TMargins{60, 20, 30, 40}, TMargins{5, 5, 5, 5}, TMargins{120, 90, 70, 100},
                           TMargins{-20, -30, -10, -15}, TMargins{0, 0, 0, 0}}) {
    Chart.SetMarginLeft(m.Left);
    Chart.SetMarginRight(m.Right);
    Chart.SetMarginTop(m.Top);
    Chart.SetMarginBottom(m.Bottom);
    Chart.Paint();
    const QImage shown = image(*Chart.WindowBitmap()).copy();

    const TBitmap& shownArea = *Chart.ChartAreaBitmap();
    const auto control = Factory.NewBitmap(Chart.Width(), Chart.Height());
    const auto area = Factory.NewBitmap(shownArea.Width(), shownArea.Height());
    Chart.PaintControlBackground(control->Canvas());
    Chart.PaintBackground(area->Canvas(), 0, 0);
    Chart.PaintItems(area->Canvas(), 0, 0, false, 0);
    control->Canvas().Draw(m.Left, m.Top, *area);
    EXPECT_EQ(shown, image(*control)) << "margins " << m.Left << ", " << m.Right << ", " << m.Top << ", " << m.Bottom;
  }
}

}  // namespace
