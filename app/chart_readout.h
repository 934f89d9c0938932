#pragma once
// The value readout of the main chart: with the pointer over the plot, the status bar shows
// its x and each shown channel's value at the sample nearest to it. In Zoom mode a right
// click sets a reference point; the readout then adds Δx, 1/Δx as a frequency and each
// channel's Δy. The readout only watches the mouse: panning and zooming stay as they are.

#include <QObject>
#include <QString>
#include <optional>
#include <vector>

#include "analysis/value_readout.h"

class QStatusBar;
class QWidget;
class TAnalysisFeed;

class TChartReadout : public QObject {
 public:
  // chartWidget shows the feed's chart; both and the status bar outlive the readout.
  TChartReadout(QWidget* chartWidget, TAnalysisFeed& feed, QStatusBar* statusBar);

  // The text for the pointer at control pixel (px, py); empty outside the plot area.
  QString Text(int px, int py);
  // Sets the reference at control pixel (px, py); outside the plot area it clears it.
  void SetReference(int px, int py);
  bool HasReference() const { return !Reference_.empty(); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct TChannelPoint {
    int32_t Layer;
    TReadoutPoint Point;
  };
  bool InPlot(int px, int py) const;
  // The sample of each shown channel nearest to the pointer's x in that channel's layer.
  std::vector<TChannelPoint> NearestPoints(int px, int py);

  TAnalysisFeed& Feed_;
  QStatusBar* StatusBar_;
  std::vector<TChannelPoint> Reference_;
};
