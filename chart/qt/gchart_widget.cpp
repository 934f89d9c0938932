#include "chart/qt/gchart_widget.h"

#include <QEnterEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QtGlobal>
#include <exception>
#include <optional>

#include "chart/qt/qt_bitmap.h"

namespace {

const TQtBitmapFactory kBitmapFactory;

TShiftState ShiftStateOf(const QMouseEvent& event) {
  const Qt::KeyboardModifiers keys = event.modifiers();
  const Qt::MouseButtons buttons = event.buttons();
  return TShiftState((keys & Qt::ShiftModifier ? ssShift : 0) | (keys & Qt::AltModifier ? ssAlt : 0) |
                     (keys & Qt::ControlModifier ? ssCtrl : 0) | (buttons & Qt::LeftButton ? ssLeft : 0) |
                     (buttons & Qt::RightButton ? ssRight : 0) | (buttons & Qt::MiddleButton ? ssMiddle : 0));
}

// The chart knows three buttons; others are not passed on.
std::optional<TMouseButton> ButtonOf(const QMouseEvent& event) {
  switch (event.button()) {
    case Qt::LeftButton: return mbLeft;
    case Qt::RightButton: return mbRight;
    case Qt::MiddleButton: return mbMiddle;
    default: return std::nullopt;
  }
}

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
  Chart_->SetMouseFeedback(this);
  setMouseTracking(true);  // moves without a button end drags and set the cursor
  Chart_->SetVisible(isVisible());
  Chart_->Resize(width(), height());
  Chart_->SetPaintSuspended(false);
}

TGChartWidget::~TGChartWidget() {
  Chart_->SetWindow(nullptr);
  Chart_->SetMouseFeedback(nullptr);
  if (!Owned_) Chart_->SetBitmapFactory(nullptr);
}

void TGChartWidget::RefreshRequested(int32_t x, int32_t y, int32_t width, int32_t height) {
  ChartAsked_ = true;
  Changed_ |= QRect(x, y, width, height);
  Frames_.Request();
}

void TGChartWidget::ShowChanged() {
  update(Changed_);
  Changed_ = {};
}

void TGChartWidget::paintEvent(QPaintEvent* event) {
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
  const QRect shown = picture ? picture->Image().rect() : QRect();
  const QRect asked = event->rect();
  if (picture) painter.drawImage(asked.topLeft(), picture->Image(), asked & shown);
  // Beyond the picture (a widget smaller than the chart's minimum leaves none); usually
  // the picture covers the widget.
  if (shown.contains(asked)) return;
  const QRegion rest = QRegion(asked).subtracted(shown);
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

template <typename F>
void TGChartWidget::Guarded(F&& call) {
  try {
    call();
  } catch (const std::exception& e) {
    qWarning("Chart: %s", e.what());
  }
  // What the mouse does is shown at once, not at the next frame: the window system
  // already sends its moves at most once per turn of the event loop.
  Frames_.RunPending();
}

void TGChartWidget::mousePressEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  if (const auto button = ButtonOf(*event)) {
    Guarded([&] { Chart_->MouseDown(*button, ShiftStateOf(*event), p.x(), p.y()); });
  }
}

void TGChartWidget::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  Guarded([&] { Chart_->MouseMove(ShiftStateOf(*event), p.x(), p.y()); });
}

void TGChartWidget::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  if (const auto button = ButtonOf(*event)) {
    Guarded([&] { Chart_->MouseUp(*button, ShiftStateOf(*event), p.x(), p.y()); });
  }
}

// Qt sends it in place of the second press.
void TGChartWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  const auto button = ButtonOf(*event);
  if (!button) return;
  Guarded([&] {
    Chart_->DblClick();
    Chart_->MouseDown(*button, TShiftState(ShiftStateOf(*event) | ssDouble), p.x(), p.y());
  });
}

void TGChartWidget::enterEvent(QEnterEvent*) {
  Guarded([&] { Chart_->MouseEnter(); });
}

void TGChartWidget::leaveEvent(QEvent*) {
  Guarded([&] { Chart_->MouseLeave(); });
}

void TGChartWidget::DrawXorRectangle(int x1, int y1, int x2, int y2) {
  if (TCanvas* canvas = Chart_->WindowCanvas()) {
    DrawXorOutline(*canvas, x1, y1, x2, y2);
    Chart_->RefreshWindow();
  }
}

void TGChartWidget::SetCursor(TCursor cursor) {
  if (cursor == Cursor_) return;
  Cursor_ = cursor;
  setCursor(Cursors_.Cursor(cursor, OwnCursor_));
}

void TGChartWidget::SetChartCursor(const QCursor& cursor) {
  OwnCursor_ = cursor;
  setCursor(Cursors_.Cursor(Cursor_, OwnCursor_));
}
