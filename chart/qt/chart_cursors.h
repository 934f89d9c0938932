#pragma once
// The chart's own pointer images, 32 x 32 with their hot spots, and the Qt cursor shown
// for a chart cursor number. Needs a QGuiApplication.

#include <QCursor>
#include <QPixmap>
#include <array>

#include "chart/chart_mouse.h"

class TChartCursors {
 public:
  TChartCursors();

  // crCross is the system cross; crCurHand .. crCurZoomP are the images; crDefault and
  // every other number give `own`, the control's own cursor.
  QCursor Cursor(TCursor cursor, const QCursor& own) const;

 private:
  std::array<QCursor, 4> Images_;  // crCurHand, crCurZoomW, crCurZoomD, crCurZoomP
};

// The image of crCurHand .. crCurZoomP; a null pixmap for other numbers.
QPixmap ChartCursorImage(TCursor cursor);
