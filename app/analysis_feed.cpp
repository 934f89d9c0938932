#include "app/analysis_feed.h"

#include <QEvent>
#include <QWidget>
#include <utility>

TAnalysisFeed::TAnalysisFeed(QWidget* chartWidget, const TGChart& chart, TChartMeaning meaning, const QLocale& locale,
                             char decimalSeparator)
    : Chart_(chart), Meaning_(std::move(meaning)), Locale_(locale), DecimalSeparator_(decimalSeparator) {
  chartWidget->installEventFilter(this);
}

QString TAnalysisFeed::NumberText(double value) const { return Locale_.toString(value, 'g', 6); }

const TChartCurves& TAnalysisFeed::Curves() {
  Curves_.Update(Chart_);
  return Curves_;
}

std::string TAnalysisFeed::Name(int32_t layer) const {
  if (layer < 1 || layer > kNumLayers) return {};
  const std::string& own = LayerNames_[size_t(layer - 1)];
  if (!own.empty()) return own;
  std::string name = Meaning_.Names().Layers[size_t(layer - 1)];
  return name.empty() ? "Ebene " + std::to_string(layer) : name;
}

TChartCsvNames TAnalysisFeed::Names() const {
  TChartCsvNames names = Meaning_.Names();
  for (size_t i = 0; i < LayerNames_.size(); ++i) {
    if (!LayerNames_[i].empty()) names.Layers[i] = LayerNames_[i];
  }
  return names;
}

void TAnalysisFeed::SetLayerName(int32_t layer, std::string name) {
  if (layer >= 1 && layer <= kNumLayers) LayerNames_[size_t(layer - 1)] = std::move(name);
}

void TAnalysisFeed::ClearLayerName(int32_t layer) { SetLayerName(layer, {}); }

void TAnalysisFeed::SetSampleRate(double rate) {
  if (rate == SampleRate_) return;
  SampleRate_ = rate;
  RateChanged_ = true;
  Touch();
}

double TAnalysisFeed::RateFor(std::span<const double> xs) const {
  if (SampleRate_ > 0 || !XIsTime() || xs.size() < 2) return SampleRate_;
  const double seconds = xs.back() - xs.front();
  return seconds > 0 ? double(xs.size() - 1) / seconds : 0;
}

void TAnalysisFeed::Subscribe(std::function<void()> round) { Subscribers_.push_back(std::move(round)); }

bool TAnalysisFeed::Changed() {
  if (!RoundChanged_) {
    RoundChanged_ = Curves_.Update(Chart_) || RateChanged_;
    RateChanged_ = false;
  }
  return *RoundChanged_;
}

void TAnalysisFeed::Touch() { Frame_.Request(); }

// The round after a paint follows it at once, in the same wake-up of the program: the
// paints are paced already, and a round a frame later would wake the program once more
// for every frame shown.
bool TAnalysisFeed::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Paint && !RoundPosted_) {
    RoundPosted_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
          RoundPosted_ = false;
          Notify();
        },
        Qt::QueuedConnection);
  }
  return QObject::eventFilter(watched, event);
}

void TAnalysisFeed::Notify() {
  RoundChanged_.reset();
  for (const auto& subscriber : Subscribers_) subscriber();
}
