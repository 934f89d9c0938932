#include "chart/qt/chart_cursors.h"

#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPolygon>

namespace {

constexpr int kSize = 32;

// Every image is a white shape with a black outline on a transparent ground.
QPainter& Outlined(QPainter& painter, int width = 1) {
  painter.setPen(QPen(Qt::black, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.setBrush(Qt::white);
  return painter;
}

// An open hand seen from the back: four fingers, a thumb and the palm.
void DrawHand(QPainter& painter) {
  Outlined(painter);
  for (const QRect& finger : {QRect(8, 5, 4, 12), QRect(12, 2, 4, 14), QRect(16, 3, 4, 13), QRect(20, 6, 4, 11)}) {
    painter.drawRoundedRect(finger, 2, 2);
  }
  QPainterPath thumb;
  thumb.moveTo(9, 20);
  thumb.lineTo(3, 14);
  thumb.quadTo(1, 12, 3, 10);
  thumb.quadTo(5, 9, 7, 11);
  thumb.lineTo(10, 14);
  painter.drawPath(thumb);
  QPainterPath palm;
  palm.moveTo(8, 13);
  palm.lineTo(24, 13);
  palm.quadTo(26, 22, 22, 28);
  palm.lineTo(12, 28);
  palm.quadTo(7, 22, 8, 13);
  painter.setPen(Qt::NoPen);
  painter.drawPath(palm);  // white over the finger and thumb roots
  Outlined(painter).setBrush(Qt::NoBrush);
  QPainterPath palmEdge;
  palmEdge.moveTo(24, 14);
  palmEdge.quadTo(26, 22, 22, 28);
  palmEdge.lineTo(12, 28);
  palmEdge.quadTo(9, 24, 9, 20);
  painter.drawPath(palmEdge);
}

// A lens centred on the hot spot (12, 12) with its handle to the lower right.
void DrawMagnifier(QPainter& painter) {
  painter.setPen(QPen(Qt::black, 5, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(20, 20, 28, 28);
  painter.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(21, 21, 27, 27);
  Outlined(painter, 2).drawEllipse(QPoint(12, 12), 10, 10);
  painter.setPen(QPen(Qt::black, 1));
}

void DrawArrowHead(QPainter& painter, QPoint tip, QPoint back1, QPoint back2) {
  painter.setBrush(Qt::black);
  painter.drawPolygon(QPolygon({tip, back1, back2}));
}

QPixmap DrawImage(TCursor cursor) {
  QPixmap pixmap(kSize, kSize);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  if (cursor == crCurHand) {
    DrawHand(painter);
    return pixmap;
  }
  DrawMagnifier(painter);
  painter.setBrush(Qt::NoBrush);
  if (cursor == crCurZoomW) {
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
    painter.drawRect(6, 7, 12, 10);
  } else if (cursor == crCurZoomD) {
    painter.drawLine(12, 5, 12, 19);
    painter.drawLine(5, 12, 19, 12);
    DrawArrowHead(painter, {12, 5}, {10, 8}, {14, 8});
    DrawArrowHead(painter, {12, 19}, {10, 16}, {14, 16});
    DrawArrowHead(painter, {5, 12}, {8, 10}, {8, 14});
    DrawArrowHead(painter, {19, 12}, {16, 10}, {16, 14});
  } else {
    painter.setPen(QPen(Qt::black, 2));
    painter.drawLine(12, 7, 12, 17);
    painter.drawLine(7, 12, 17, 12);
  }
  return pixmap;
}

bool HasImage(TCursor cursor) { return cursor >= crCurHand && cursor <= crCurZoomP; }

}  // namespace

QPixmap ChartCursorImage(TCursor cursor) { return HasImage(cursor) ? DrawImage(cursor) : QPixmap(); }

TChartCursors::TChartCursors()
    : Images_{QCursor(DrawImage(crCurHand), 16, 18), QCursor(DrawImage(crCurZoomW), 12, 12),
              QCursor(DrawImage(crCurZoomD), 12, 12), QCursor(DrawImage(crCurZoomP), 12, 12)} {}

QCursor TChartCursors::Cursor(TCursor cursor, const QCursor& own) const {
  if (cursor == crCross) return QCursor(Qt::CrossCursor);
  if (HasImage(cursor)) return Images_[size_t(cursor - crCurHand)];
  return own;
}
