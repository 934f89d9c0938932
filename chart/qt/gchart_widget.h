#pragma once
// The widget that shows a chart: it gives the chart Qt bitmaps, tells it its size and
// visibility, and paints the chart's window picture. A paint the chart did not ask for
// (the window shown, resized or uncovered) is the window system's request for a full
// repaint; the chart's own requests only show what it has composed since.

#include <QWidget>
#include <memory>

#include "chart/gchart.h"

class TGChartWidget : public QWidget, private TChartWindow {
 public:
  // With a chart of its own.
  explicit TGChartWidget(QWidget* parent = nullptr);
  // Showing `chart`, which must outlive the widget.
  explicit TGChartWidget(TGChart& chart, QWidget* parent = nullptr);
  ~TGChartWidget() override;

  TGChart& Chart() { return *Chart_; }

  QSize sizeHint() const override { return {577, 361}; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void Attach();
  void RefreshRequested() override;

  std::unique_ptr<TGChart> Owned_;
  TGChart* Chart_;
  bool ChartAsked_ = false;  // the next paint shows what the chart composed
  bool NeedsPaint_ = true;  // shown or resized since the last full repaint
};
