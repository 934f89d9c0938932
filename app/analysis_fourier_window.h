#pragma once
// "Fourier Analyse" and "Realtime Fourier Analyse": the amplitude spectrum of each shown
// channel in a chart of its own, with the strongest line of each named below it. The one
// follows the visible part of the main chart; the other the newest N samples of a running
// acquisition. Both recompute at most once per frame, and only while they are shown.

#include <QWidget>
#include <vector>

#include "app/channel_spectra.h"

class QComboBox;
class QLabel;
class QPushButton;
class TAnalysisFeed;
class TGChartWidget;
class TRealtimeSpectra;
class TSampleRateField;
class TUserDialogs;

class TFourierWindow : public QWidget {
 public:
  // realtime: the spectra come from realtime (which the window does not own) instead of
  // the visible part of the main chart.
  TFourierWindow(TAnalysisFeed& feed, TUserDialogs& dialogs, TRealtimeSpectra* realtime, QWidget* parent);

  TGChart& Chart();
  const std::vector<TChannelSpectrum>& Spectra() const { return Spectra_; }
  TSpectrumOptions Options() const;
  // Recomputes and shows the spectra; unless forced, only when their data changed.
  void Refresh(bool force = true);

  QComboBox* WindowBox = nullptr;     // "Fensterfunktion"
  QComboBox* ScaleBox = nullptr;      // "linear" or "dB"
  QComboBox* LengthBox = nullptr;     // realtime only: N
  TSampleRateField* SampleRateEdit = nullptr;
  QPushButton* FitButton = nullptr;   // "Bereich anpassen"
  QPushButton* CsvButton = nullptr;
  QPushButton* PngButton = nullptr;
  QLabel* PeakLabel = nullptr;        // the strongest line of each channel, or why there is none

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void CreateControls();
  void OptionsChanged();
  enum TOutcome : uint8_t { oNone, oUnchanged, oShown };
  TOutcome Compute(bool force);
  void ShowPeaks();
  void SaveCsv();
  void SavePng();

  TAnalysisFeed& Feed_;
  TUserDialogs& Dialogs_;
  TRealtimeSpectra* Realtime_;
  TGChartWidget* ChartWidget_ = nullptr;
  std::vector<TChannelSpectrum> Spectra_;
  bool UserView_ = false;  // the user panned or zoomed: updates keep the view
  bool FitNow_ = false;
  double Rate_ = 0;  // Hz of the spectra shown; 0 for cycles per sample    // "Bereich anpassen": the next update fits the range tightly
};
