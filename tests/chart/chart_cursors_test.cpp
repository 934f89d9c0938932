// Runs in chart_qt_tests, whose environment provides the QGuiApplication.
#include <gtest/gtest.h>

#include <QImage>

#include "chart/qt/chart_cursors.h"

namespace {

TEST(ChartCursors, NumbersGiveSystemShapesImagesOrTheOwnCursor) {
  const TChartCursors cursors;
  const QCursor own(Qt::PointingHandCursor);
  EXPECT_EQ(cursors.Cursor(crDefault, own).shape(), Qt::PointingHandCursor);
  EXPECT_EQ(cursors.Cursor(crCross, own).shape(), Qt::CrossCursor);
  for (TCursor number = crCurHand; number <= crCurZoomP; ++number) {
    const QCursor cursor = cursors.Cursor(number, own);
    const QImage image = cursor.pixmap().toImage();
    EXPECT_EQ(image.size(), QSize(32, 32));
    EXPECT_GT(qAlpha(image.pixel(cursor.hotSpot())), 0) << number;  // the hot spot is on the image
  }
}

}  // namespace
