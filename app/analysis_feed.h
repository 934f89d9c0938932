#pragma once
// What the analysis windows read of the main window: its chart's curves and the channels'
// names, the sample rate the user gave, and when to look again. Every paint of the main
// chart means that what it shows may have changed (new samples, a pan, a loaded session);
// the subscribers then hear of it right after the paint.

#include <QLocale>
#include <QObject>
#include <array>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "acquisition/chart_curves.h"
#include "acquisition/chart_csv_export.h"
#include "chart/qt/frame_pacer.h"

class TAnalysisFeed : public QObject {
 public:
  // What the main window says about its chart: the channels' names, and whether x is the
  // time in seconds ("Zeit") rather than the sample count.
  struct TChartMeaning {
    std::function<TChartCsvNames()> Names;
    std::function<bool()> XIsTime;
  };

  // chartWidget shows chart; both outlive the feed. The locale writes numbers for the
  // user; fields are read with decimalSeparator, as the main window's are.
  TAnalysisFeed(QWidget* chartWidget, const TGChart& chart, TChartMeaning meaning, const QLocale& locale,
                char decimalSeparator);

  const TGChart& Chart() const { return Chart_; }
  // A number as the windows show it: six significant digits, the locale's separator.
  QString NumberText(double value) const;
  char DecimalSeparator() const { return DecimalSeparator_; }
  // The curves as the chart holds them now.
  const TChartCurves& Curves();
  // The channel's name, or the name given to a layer of a filtered copy.
  std::string Name(int32_t layer) const;
  // The channels' names with those of the filtered copies, for a CSV file.
  TChartCsvNames Names() const;
  void SetLayerName(int32_t layer, std::string name);
  void ClearLayerName(int32_t layer);

  // Hz as the user gave it; 0 while unknown (frequencies in cycles per sample).
  double SampleRate() const { return SampleRate_; }
  void SetSampleRate(double rate);
  bool XIsTime() const { return Meaning_.XIsTime(); }
  // The sample rate of a curve with these x values: the user's; else, on the time axis,
  // the mean rate of the samples; else 0.
  double RateFor(std::span<const double> xs) const;

  // Called right after the main chart painted, and at the next frame after Touch.
  void Subscribe(std::function<void()> round);
  // Within a round: whether the curves, their visible parts or the sample rate changed
  // since the round that last asked. Only the subscribers that show something ask, so
  // that nobody reads the chart while no analysis window is open.
  bool Changed();
  // Asks for the subscribers' round at the next frame, as a change would.
  void Touch();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Notify();

  const TGChart& Chart_;
  TChartMeaning Meaning_;
  const QLocale Locale_;
  const char DecimalSeparator_;
  std::array<std::string, kNumLayers> LayerNames_;  // empty: the channel's own name
  TChartCurves Curves_;
  double SampleRate_ = 0;
  std::vector<std::function<void()>> Subscribers_;
  bool RateChanged_ = false;
  std::optional<bool> RoundChanged_;  // asked in this round
  TFramePacer Frame_{[this] { Notify(); }};
  bool RoundPosted_ = false;  // a round follows a paint
};
