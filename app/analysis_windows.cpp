#include "app/analysis_windows.h"

#include <utility>

#include "app/analysis_filter_dialog.h"
#include "app/analysis_fourier_window.h"
#include "app/analysis_statistics_window.h"
#include "app/chart_readout.h"

TAnalysisWindows::TAnalysisWindows(QWidget* owner, QWidget* chartWidget, TGChart& chart, TAnalysisFeed::TChartMeaning meaning,
                                   const QLocale& locale, char decimalSeparator, TUserDialogs& dialogs,
                                   QStatusBar* statusBar)
    : Owner_(owner),
      Dialogs_(dialogs),
      Feed_(chartWidget, chart, std::move(meaning), locale, decimalSeparator),
      Copies_(chart),
      Readout_(new TChartReadout(chartWidget, Feed_, statusBar)) {}

TAnalysisWindows::~TAnalysisWindows() = default;

template <class Window, class... Args>
Window& TAnalysisWindows::Show(std::unique_ptr<Window>& window, Args&&... args) {
  if (!window) window = std::make_unique<Window>(std::forward<Args>(args)...);
  window->show();
  window->raise();
  window->activateWindow();
  return *window;
}

TFourierWindow& TAnalysisWindows::ShowFourier() { return Show(Fourier_, Feed_, Dialogs_, nullptr, Owner_); }

TFourierWindow& TAnalysisWindows::ShowRealtimeFourier() {
  return Show(RealtimeFourier_, Feed_, Dialogs_, &Realtime_, Owner_);
}

TFilterDialog& TAnalysisWindows::ShowFilter() { return Show(Filter_, *this, Dialogs_, Owner_); }

int32_t TAnalysisWindows::AddFilteredCopy(int32_t source, const TFilterDesign& design) {
  const int32_t layer = Copies_.Add(source, design);
  int copiesOfSource = 0;
  for (const auto& copy : Copies_.Copies()) copiesOfSource += copy->Source == source;
  std::string name = Feed_.Name(source) + " gefiltert";
  if (copiesOfSource > 1) name += " " + std::to_string(copiesOfSource);
  Feed_.SetLayerName(layer, name);
  Feed_.Touch();
  return layer;
}

void TAnalysisWindows::RemoveFilteredCopy(int32_t layer) {
  Copies_.Remove(layer);
  Feed_.ClearLayerName(layer);
  Feed_.Touch();
}

void TAnalysisWindows::RemoveFilteredCopies() {
  while (!Copies_.Copies().empty()) RemoveFilteredCopy(Copies_.Copies().back()->Layer);
}

void TAnalysisWindows::AcquisitionStarted() {
  Realtime_.Clear();
  Copies_.Restart();
}

void TAnalysisWindows::SamplesPlotted(double x, std::span<const TPlottedValue> values, bool slidingWindow) {
  if (Realtime_.Active()) {
    for (const TPlottedValue& v : values) Realtime_.Push(v.Layer, v.Value);
    Feed_.Touch();
  }
  if (Copies_.Copies().empty()) return;
  for (const TPlottedValue& v : values) Copies_.Sample(v.Layer, x, v.Value);
  if (slidingWindow) Copies_.TrimWindow();
}

TStatisticsWindow& TAnalysisWindows::ShowStatistics() { return Show(Statistics_, Feed_, Owner_); }
