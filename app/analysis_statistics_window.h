#pragma once
// "Statistik": count, minimum, maximum, mean, RMS, standard deviation and peak-to-peak of
// the visible part of each shown channel, updated at most once per frame while shown.

#include <QWidget>

class QTableWidget;
class TAnalysisFeed;

class TStatisticsWindow : public QWidget {
 public:
  TStatisticsWindow(TAnalysisFeed& feed, QWidget* parent);
  // Recomputes and shows the figures now.
  void Refresh();

  QTableWidget* Table = nullptr;  // one row per channel

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  TAnalysisFeed& Feed_;
};
