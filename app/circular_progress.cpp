#include "app/circular_progress.h"

#include <QEvent>
#include <QPainter>
#include <cmath>

TCircularProgress::TCircularProgress(QWidget* parent) : QWidget(parent) {
  Timer_.setInterval(50);
  connect(&Timer_, &QTimer::timeout, this, [this] {
    Step_ = (Step_ + 1) % kDots;
    update();
  });
  setEnabled(false);
}

void TCircularProgress::changeEvent(QEvent* event) {
  if (event->type() == QEvent::EnabledChange) {
    if (isEnabled()) {
      Timer_.start();
    } else {
      Timer_.stop();
    }
    update();
  }
  QWidget::changeEvent(event);
}

void TCircularProgress::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  const QPointF centre(width() / 2.0, height() / 2.0);
  const double radius = std::min(width(), height()) / 2.0 - 3;
  for (int i = 0; i < kDots; ++i) {
    const double angle = 2 * M_PI * i / kDots - M_PI / 2;
    // The dots behind the bright one fade out; disabled, the ring is a uniform grey.
    const int age = (Step_ - i + kDots) % kDots;
    const int shade = isEnabled() ? 40 + age * 16 : 190;
    painter.setBrush(isEnabled() && age == 0 ? QColor(0, 90, 200) : QColor(shade, shade, shade));
    const QPointF dot = centre + QPointF(std::cos(angle), std::sin(angle)) * radius;
    painter.drawEllipse(dot, 2.5, 2.5);
  }
}
