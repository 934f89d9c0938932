#pragma once
// The widget that shows a chart: it gives the chart Qt bitmaps, tells it its size and
// visibility, and paints the chart's window picture. A paint the chart did not ask for
// (the window shown, resized or uncovered) is the window system's request for a full
// repaint; the chart's own requests only show what it has composed since. Those are
// paced to the screen: however often the chart asks, the widget composes and paints
// what changed at most once per frame.
//
// Mouse events go to the chart, which draws its rectangle outlines on the window picture
// and chooses the cursor; where it chooses the default, the chart's own cursor shows.

#include <QCursor>
#include <QWidget>
#include <memory>

#include "chart/gchart.h"
#include "chart/qt/chart_cursors.h"
#include "chart/qt/frame_pacer.h"

class TGChartWidget : public QWidget, private TChartWindow, private TMouseFeedback {
 public:
  // With a chart of its own.
  explicit TGChartWidget(QWidget* parent = nullptr);
  // Showing `chart`, which must outlive the widget.
  explicit TGChartWidget(TGChart& chart, QWidget* parent = nullptr);
  ~TGChartWidget() override;

  TGChart& Chart() { return *Chart_; }

  QSize sizeHint() const override { return {577, 361}; }

  // The cursor shown where the chart has no cursor of its own; an arrow at creation.
  const QCursor& ChartCursor() const { return OwnCursor_; }
  void SetChartCursor(const QCursor& cursor);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  void Attach();
  void ShowChanged();
  void RefreshRequested(int32_t x, int32_t y, int32_t width, int32_t height) override;
  void DrawXorRectangle(int x1, int y1, int x2, int y2) override;
  void SetCursor(TCursor cursor) override;
  // Runs a chart call for the mouse and shows what it changed; Qt must not see the
  // chart's errors.
  template <typename F>
  void Guarded(F&& call);

  std::unique_ptr<TGChart> Owned_;
  TGChart* Chart_;
  bool ChartAsked_ = false;  // the next paint shows what the chart composed
  QRect Changed_;  // what the chart asked to show since the last frame
  TFramePacer Frames_{[this] { ShowChanged(); }};
  bool NeedsPaint_ = true;  // shown or resized since the last full repaint
  TChartCursors Cursors_;
  QCursor OwnCursor_;
  TCursor Cursor_ = crDefault;  // the chart's choice
};
