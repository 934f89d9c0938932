#include "app/chart_readout.h"

#include <QMouseEvent>
#include <QStatusBar>
#include <QWidget>
#include <cmath>

#include "app/analysis_feed.h"

namespace {

// Samples of appended sessions do not ascend; there the nearest is searched one by one.
std::optional<size_t> NearestIndex(const TChannelCurve& curve, double x) {
  if (curve.VisibleAscending) return NearestSampleIndex(curve.VisibleX, x);
  std::optional<size_t> best;
  for (size_t i = 0; i < curve.VisibleX.size(); ++i) {
    if (!best || std::abs(curve.VisibleX[i] - x) < std::abs(curve.VisibleX[*best] - x)) best = i;
  }
  return best;
}

}  // namespace

TChartReadout::TChartReadout(QWidget* chartWidget, TAnalysisFeed& feed, QStatusBar* statusBar)
    : QObject(chartWidget), Feed_(feed), StatusBar_(statusBar) {
  chartWidget->installEventFilter(this);
}

bool TChartReadout::InPlot(int px, int py) const {
  const TChartArea area = Feed_.Chart().ChartArea();
  return px >= area.Left && px <= area.Right && py >= area.Top && py <= area.Bottom;
}

std::vector<TChartReadout::TChannelPoint> TChartReadout::NearestPoints(int px, int py) {
  std::vector<TChannelPoint> points;
  const TGChart& chart = Feed_.Chart();
  for (const TChannelCurve* curve : Feed_.Curves().Curves()) {
    if (!curve->Shown) continue;
    const auto i = NearestIndex(*curve, chart.MapToData(curve->Layer, px, py).x);
    if (i) points.push_back({curve->Layer, {curve->VisibleX[*i], curve->VisibleY[*i]}});
  }
  return points;
}

QString TChartReadout::Text(int px, int py) {
  if (!InPlot(px, py)) return {};
  if (Feed_.Chart().MouseAction() != maZoomDrag) Reference_.clear();
  const std::vector<TChannelPoint> points = NearestPoints(px, py);
  const double pointerX = Feed_.Chart().MapToData(points.empty() ? 1 : points.front().Layer, px, py).x;
  QString text = QStringLiteral("x = %1").arg(Feed_.NumberText(points.empty() ? pointerX : points.front().Point.X));
  for (const TChannelPoint& p : points) {
    text += QStringLiteral("   %1 = %2").arg(QString::fromStdString(Feed_.Name(p.Layer)), Feed_.NumberText(p.Point.Y));
  }
  if (Reference_.empty() || points.empty()) return text;
  const TReadoutDelta first = ReadoutDelta(Reference_.front().Point, points.front().Point);
  text += QStringLiteral("   |   Δx = %1").arg(Feed_.NumberText(first.Dx));
  if (first.Frequency) {
    // x in seconds gives Hz; x counting samples gives Hz with a known sample rate.
    const double rate = Feed_.XIsTime() ? 1 : Feed_.SampleRate();
    text += rate > 0 ? QStringLiteral("   1/Δx = %1 Hz").arg(Feed_.NumberText(*first.Frequency * rate))
                     : QStringLiteral("   1/Δx = %1 pro Abtastwert").arg(Feed_.NumberText(*first.Frequency));
  }
  for (const TChannelPoint& p : points) {
    for (const TChannelPoint& r : Reference_) {
      if (r.Layer != p.Layer) continue;
      text += QStringLiteral("   Δ%1 = %2")
                  .arg(QString::fromStdString(Feed_.Name(p.Layer)), Feed_.NumberText(ReadoutDelta(r.Point, p.Point).Dy));
    }
  }
  return text;
}

void TChartReadout::SetReference(int px, int py) {
  Reference_.clear();
  if (InPlot(px, py)) Reference_ = NearestPoints(px, py);
}

bool TChartReadout::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseMove: {
      const QPoint p = static_cast<QMouseEvent*>(event)->position().toPoint();
      const QString text = Text(p.x(), p.y());
      if (text.isEmpty()) {
        StatusBar_->clearMessage();
      } else {
        StatusBar_->showMessage(text);
      }
      break;
    }
    case QEvent::MouseButtonPress: {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() == Qt::RightButton && Feed_.Chart().MouseAction() == maZoomDrag) {
        const QPoint p = mouse->position().toPoint();
        SetReference(p.x(), p.y());
        StatusBar_->showMessage(Text(p.x(), p.y()));
      }
      break;
    }
    case QEvent::Leave: StatusBar_->clearMessage(); break;
    default: break;
  }
  return QObject::eventFilter(watched, event);
}
