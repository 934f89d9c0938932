#include "chart/qt/gchart_widget.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QTest>

#include "chart/qt/qt_bitmap.h"
#include "tests/chart/main_window_chart.h"

namespace {

// What the widget paints; grabbing is a paint of the window system's, a full repaint.
QImage Grabbed(QWidget& widget) { return widget.grab().toImage().convertToFormat(QImage::Format_RGB32); }

const QImage& Picture(TGChart& chart) { return dynamic_cast<const TQtBitmap&>(*chart.WindowBitmap()).Image(); }

TEST(ChartWidget, ShowsTheChartsPictureAtItsSize) {
  TGChartWidget widget;
  TGChart& chart = widget.Chart();
  EXPECT_FALSE(chart.PaintSuspended());
  EXPECT_FALSE(chart.Visible());
  SetUpAsShownInWindow(chart);
  widget.resize(577, 361);
  widget.show();
  EXPECT_TRUE(chart.Visible());
  const int64_t before = chart.PaintCount();
  QApplication::processEvents();
  EXPECT_GT(chart.PaintCount(), before);  // shown: the window system asks for a full repaint
  EXPECT_EQ(chart.Width(), 577);
  // An incremental drawing is composed when the widget paints its next frame, without a
  // full repaint.
  chart.SetDataColor(clBlue);
  chart.Line(0, 5.2, 1000, 5.2);
  const int64_t shown = chart.PaintCount();
  chart.UpdateGraph();
  EXPECT_TRUE(chart.CompositionPending());
  EXPECT_TRUE(QTest::qWaitFor([&] { return !chart.CompositionPending(); }));
  EXPECT_EQ(chart.PaintCount(), shown);
  const TPoint p = chart.MapToPixel(1, 510, 5.2);
  EXPECT_EQ(Grabbed(widget).pixel(p.x, p.y), qRgb(0, 0, 255));
  EXPECT_EQ(Grabbed(widget), Picture(chart));
  // Resizing resizes the chart; its picture follows at the next paint.
  widget.resize(640, 400);
  QApplication::processEvents();
  EXPECT_EQ(chart.Width(), 640);
  EXPECT_EQ(Picture(chart).size(), QSize(640, 400));
  EXPECT_EQ(Grabbed(widget), Picture(chart));
  widget.hide();
  EXPECT_FALSE(chart.Visible());
}

TEST(ChartWidget, ShowsAChartOwnedElsewhere) {
  TGChart chart;
  {
    TGChartWidget widget(chart);
    EXPECT_EQ(&widget.Chart(), &chart);
    EXPECT_NE(chart.WindowBitmap(), nullptr);
  }
  EXPECT_EQ(chart.WindowBitmap(), nullptr);  // the bitmaps go with the widget
}

}  // namespace
