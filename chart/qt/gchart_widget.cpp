#include "chart/qt/gchart_widget.h"

#include <QPaintEvent>
#include <QPainter>
#include <QtGlobal>
#include <exception>

#include "chart/qt/qt_bitmap.h"

namespace {

const TQtBitmapFactory kBitmapFactory;

}  // namespace

TGChartWidget::TGChartWidget(QWidget* parent)
    : QWidget(parent), Owned_(std::make_unique<TGChart>()), Chart_(Owned_.get()) {
  Attach();
}

TGChartWidget::TGChartWidget(TGChart& chart, QWidget* parent) : QWidget(parent), Chart_(&chart) { Attach(); }

// The widget exists: the chart may paint from now on.
void TGChartWidget::Attach() {
  setAttribute(Qt::WA_OpaquePaintEvent);
  Chart_->SetBitmapFactory(&kBitmapFactory);
  Chart_->SetWindow(this);
  Chart_->SetVisible(isVisible());
  Chart_->Resize(width(), height());
  Chart_->SetPaintSuspended(false);
}

TGChartWidget::~TGChartWidget() {
  Chart_->SetWindow(nullptr);
  if (!Owned_) Chart_->SetBitmapFactory(nullptr);
}

void TGChartWidget::RefreshRequested() {
  ChartAsked_ = true;
  update();
}

void TGChartWidget::paintEvent(QPaintEvent*) {
  const bool fullRepaint = NeedsPaint_ || !ChartAsked_;
  NeedsPaint_ = ChartAsked_ = false;
  // Qt must not see the chart's errors; the picture then shows what was composed.
  try {
    if (fullRepaint) Chart_->Paint();
    Chart_->ComposePending();
  } catch (const std::exception& e) {
    qWarning("Chart: %s", e.what());
  }
  QPainter painter(this);
  const auto* picture = dynamic_cast<const TQtBitmap*>(Chart_->WindowBitmap());
  if (picture) painter.drawImage(0, 0, picture->Image());
  const QRect shown = picture ? picture->Image().rect() : QRect();
  // Beyond the picture (a widget smaller than the chart's minimum leaves none).
  const QRegion rest = QRegion(rect()).subtracted(shown);
  for (const QRect& r : rest) painter.fillRect(r, palette().window());
}

void TGChartWidget::resizeEvent(QResizeEvent*) {
  Chart_->Resize(width(), height());
  NeedsPaint_ = true;
}

void TGChartWidget::showEvent(QShowEvent*) {
  Chart_->SetVisible(true);
  NeedsPaint_ = true;
}

void TGChartWidget::hideEvent(QHideEvent*) { Chart_->SetVisible(false); }
