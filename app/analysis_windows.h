#pragma once
// The "Mathematik" menu's windows and what they share: the feed from the main chart, the
// realtime spectra and the filtered copies that an acquisition feeds sample by sample,
// and the value readout in the status bar. Each window is made when first asked for.

#include <QLocale>
#include <memory>

#include "acquisition/sample_listener.h"
#include "app/analysis_feed.h"
#include "app/filtered_copies.h"
#include "app/realtime_spectra.h"

class QStatusBar;
class QWidget;
class TChartReadout;
class TFilterDialog;
class TFourierWindow;
class TStatisticsWindow;
class TUserDialogs;

class TAnalysisWindows final : public TSampleListener {
 public:
  // owner is the main window, whose chart widget shows chart.
  TAnalysisWindows(QWidget* owner, QWidget* chartWidget, TGChart& chart, TAnalysisFeed::TChartMeaning meaning,
                   const QLocale& locale, char decimalSeparator, TUserDialogs& dialogs, QStatusBar* statusBar);
  ~TAnalysisWindows() override;

  TFourierWindow& ShowFourier();
  TFourierWindow& ShowRealtimeFourier();
  TFilterDialog& ShowFilter();
  TStatisticsWindow& ShowStatistics();

  // A filtered copy of the channel in layer source, named after it; returns its layer.
  // Throws EAnalysisError as TFilteredCopies::Add does.
  int32_t AddFilteredCopy(int32_t source, const TFilterDesign& design);
  void RemoveFilteredCopy(int32_t layer);
  // The channels are set up anew (another channel mode): the copies of the old ones go.
  void RemoveFilteredCopies();

  // The acquisition's samples: for the realtime spectra while their window is shown, and
  // for the filtered copies.
  void AcquisitionStarted() override;
  void SamplesPlotted(double x, std::span<const TPlottedValue> values, bool slidingWindow) override;

  TAnalysisFeed& Feed() { return Feed_; }
  TRealtimeSpectra& Realtime() { return Realtime_; }
  TFilteredCopies& Copies() { return Copies_; }
  TChartReadout& Readout() { return *Readout_; }

 private:
  template <class Window, class... Args>
  Window& Show(std::unique_ptr<Window>& window, Args&&... args);

  QWidget* Owner_;
  TUserDialogs& Dialogs_;
  TAnalysisFeed Feed_;
  TRealtimeSpectra Realtime_;
  TFilteredCopies Copies_;
  TChartReadout* Readout_;  // owned by the chart widget
  std::unique_ptr<TFourierWindow> Fourier_;
  std::unique_ptr<TFourierWindow> RealtimeFourier_;
  std::unique_ptr<TFilterDialog> Filter_;
  std::unique_ptr<TStatisticsWindow> Statistics_;
};
