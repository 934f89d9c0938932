#include <gtest/gtest.h>

#include <QTest>

#include "chart/qt/gchart_widget.h"
#include "tests/chart/main_window_chart.h"

namespace {

// The main window's chart in its widget, 601 px wide: a plot area 500 px wide (x 80..580).
struct ChartWidgetMouse : testing::Test {
  ChartWidgetMouse() {
    SetUpAsShownInWindow(chart);
    widget.resize(601, 361);
    widget.show();
  }
  TGChartWidget widget;
  TGChart& chart = widget.Chart();
};

TEST_F(ChartWidgetMouse, DragWithTheLeftButtonPansAndSetsTheCursor) {
  chart.SetMouseAction(maPan);
  chart.SetMouseCursorFixed(false);  // the window fixes it; a drag shows the hand here
  QTest::mousePress(&widget, Qt::LeftButton, {}, {100, 100});
  QTest::mouseMove(&widget, {200, 100});
  QTest::mouseMove(&widget, {300, 100});
  EXPECT_DOUBLE_EQ(chart.Scale1X().RangeLow(), -200);
  EXPECT_DOUBLE_EQ(chart.Scale1X().RangeHigh(), 800);
  QTest::mouseMove(&widget, {200, 100});
  EXPECT_DOUBLE_EQ(chart.Scale1X().RangeLow(), 0);
  EXPECT_EQ(widget.cursor().shape(), Qt::BitmapCursor);  // the hand
  chart.CrossHair(1).SetMode(chVert);
  chart.CrossHair(1).SetPosX(500);
  chart.Paint();
  EXPECT_EQ(chart.WindowBitmap()->Pixel(330, 200), clBlack);  // drawn over the picture
  QTest::mouseRelease(&widget, Qt::LeftButton, {}, {200, 100});
  widget.SetChartCursor(Qt::PointingHandCursor);
  chart.SetMouseCursorFixed(true);
  QTest::mouseMove(&widget, {300, 100});  // without the button: ends the drag
  EXPECT_DOUBLE_EQ(chart.Scale1X().RangeLow(), 0);
  EXPECT_EQ(widget.cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(ChartWidgetMouse, RectangleOutlineOnTheWindowPictureAndDoubleClick) {
  chart.SetMouseAction(maZoomWind);
  const TColor before = chart.WindowBitmap()->Pixel(150, 100);
  QTest::mousePress(&widget, Qt::LeftButton, {}, {100, 100});
  QTest::mouseMove(&widget, {300, 200});
  EXPECT_NE(chart.WindowBitmap()->Pixel(150, 100), before);  // the outline's top edge
  QTest::mouseRelease(&widget, Qt::LeftButton, {}, {300, 200});
  EXPECT_DOUBLE_EQ(chart.Scale1X().RangeLow(), 40);
  EXPECT_DOUBLE_EQ(chart.Scale1X().RangeHigh(), 440);
  QTest::mouseDClick(&widget, Qt::LeftButton, {}, {100, 100});  // its second press starts nothing
  QTest::mouseMove(&widget, {300, 200});
  QTest::mouseRelease(&widget, Qt::LeftButton, {}, {300, 200});
  EXPECT_DOUBLE_EQ(chart.Scale1X().RangeLow(), 40);
}

// Data reach the screen at the next frame; what the mouse does is shown at once, also
// when the frame before was only just shown.
TEST_F(ChartWidgetMouse, OutlineFollowsEveryMoveWithoutWaitingForTheFrame) {
  struct TPaints : QObject {
    bool eventFilter(QObject*, QEvent* event) override {
      Count += event->type() == QEvent::Paint;
      return false;
    }
    int Count = 0;
  } paints;
  widget.installEventFilter(&paints);
  chart.SetMouseAction(maZoomWind);
  QTest::mousePress(&widget, Qt::LeftButton, {}, {100, 100});
  for (const int x : {200, 210, 220}) {
    const int before = paints.Count;
    QTest::mouseMove(&widget, {x, 200});
    QCoreApplication::processEvents();
    EXPECT_GT(paints.Count, before) << x;
  }
  QTest::mouseRelease(&widget, Qt::LeftButton, {}, {220, 200});
}

}  // namespace
