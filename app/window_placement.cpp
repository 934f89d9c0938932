#include "app/window_placement.h"

#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace {

int PlaceAlong(int size, int ownerStart, int ownerSize, int availableStart, int availableSize) {
  const int centred = ownerStart + (ownerSize - size) / 2;
  return std::max(availableStart, std::min(centred, availableStart + availableSize - size));
}

}  // namespace

QPoint CentredWithin(QSize frame, const QRect& owner, const QRect& available) {
  return {PlaceAlong(frame.width(), owner.x(), owner.width(), available.x(), available.width()),
          PlaceAlong(frame.height(), owner.y(), owner.height(), available.y(), available.height())};
}

QMargins FrameMargins(const QWidget& window) {
  const QRect frame = window.frameGeometry();
  const QRect inside = window.geometry();
  return {inside.left() - frame.left(), inside.top() - frame.top(), frame.right() - inside.right(),
          frame.bottom() - inside.bottom()};
}

void ShowCentredOn(QWidget& window, const QWidget& owner) {
  const QSize frame = window.size().grownBy(FrameMargins(owner));
  const QScreen* screen = owner.screen();
  const QRect available = screen ? screen->availableGeometry() : owner.frameGeometry();
  // A window's position is that of its frame.
  window.move(CentredWithin(frame, owner.frameGeometry(), available));
  window.show();
}
