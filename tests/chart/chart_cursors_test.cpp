// Runs in chart_qt_tests, whose environment provides the QGuiApplication.
#include <gtest/gtest.h>

#include <QImage>

#include "chart/qt/chart_cursors.h"

namespace {

TEST(ChartCursors, NumbersGiveSystemShapesImagesOrTheOwnCursor) {
  const TChartCursors cursors;
  const QCursor own(Qt::PointingHandCursor);
  EXPECT_EQ(cursors.Cursor(crDefault, own).shape(), Qt::PointingHandCursor);
  EXPECT_EQ(cursors.Cursor(crCurZoomP + 1, own).shape(), Qt::PointingHandCursor);
  EXPECT_EQ(cursors.Cursor(crCross, own).shape(), Qt::CrossCursor);
  EXPECT_TRUE(ChartCursorImage(crDefault).isNull());
  QImage previous;
  for (TCursor number = crCurHand; number <= crCurZoomP; ++number) {
    const QCursor cursor = cursors.Cursor(number, own);
    const QImage image = cursor.pixmap().toImage();
    EXPECT_EQ(cursor.shape(), Qt::BitmapCursor);
    EXPECT_EQ(image.size(), QSize(32, 32));
    EXPECT_GT(qAlpha(image.pixel(cursor.hotSpot())), 0) << number;  // the hot spot is on the image
    EXPECT_EQ(qAlpha(image.pixel(31, 0)), 0) << number;
    EXPECT_NE(image, previous);
    previous = image;
  }
}

}  // namespace
