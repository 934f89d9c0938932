#include "app/analysis_fourier_window.h"

#include <QComboBox>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "analysis/analysis_error.h"
#include "analysis/decibel.h"
#include "analysis/frequency_unit.h"
#include "app/analysis_feed.h"
#include "app/realtime_spectra.h"
#include "app/sample_rate_field.h"
#include "app/guarded_command.h"
#include "chart/qt/gchart_widget.h"

TFourierWindow::TFourierWindow(TAnalysisFeed& feed, TUserDialogs& dialogs, TRealtimeSpectra* realtime,
                               QWidget* parent)
    : QWidget(parent, Qt::Window), Feed_(feed), Dialogs_(dialogs), Realtime_(realtime) {
  setWindowTitle(realtime ? QStringLiteral("Realtime Fourier Analyse") : QStringLiteral("Fourier Analyse"));
  resize(760, 560);
  CreateControls();
  ConfigureSpectrumChart(Chart());
  Chart().OnZoomPan = [this](TGChart&) { UserView_ = true; };
  Feed_.Subscribe([this] {
    SampleRateEdit->ShowRate();
    // The realtime spectra know by themselves whether samples came.
    if (isVisible()) RunGuarded(Dialogs_, [this] { Refresh(!Realtime_ && Feed_.Changed()); });
  });
}

TGChart& TFourierWindow::Chart() { return ChartWidget_->Chart(); }

void TFourierWindow::CreateControls() {
  auto* controls = new QGridLayout;
  auto addControl = [&](int column, const QString& label, QWidget* control) {
    controls->addWidget(new QLabel(label, this), 0, column);
    controls->addWidget(control, 1, column);
  };
  WindowBox = new QComboBox(this);
  WindowBox->addItems({QStringLiteral("Hann"), QStringLiteral("Hamming"), QStringLiteral("Blackman"),
                       QStringLiteral("Rechteck")});
  addControl(0, QStringLiteral("Fensterfunktion"), WindowBox);
  ScaleBox = new QComboBox(this);
  ScaleBox->addItems({QStringLiteral("linear"), QStringLiteral("dB")});
  addControl(1, QStringLiteral("Amplitude"), ScaleBox);
  SampleRateEdit = new TSampleRateField(
      Feed_, [this](const QString& text) { Dialogs_.ShowError(text); }, this);
  addControl(2, QStringLiteral("Abtastrate (Hz)"), SampleRateEdit);
  int column = 3;
  if (Realtime_) {
    LengthBox = new QComboBox(this);
    for (size_t n = TRealtimeSpectrum::MinLength; n <= TRealtimeSpectrum::MaxLength; n *= 2) {
      LengthBox->addItem(QString::number(n), QVariant::fromValue(qulonglong(n)));
    }
    LengthBox->setCurrentText(QString::number(Realtime_->Length()));
    addControl(column++, QStringLiteral("Neueste Werte"), LengthBox);
    connect(LengthBox, &QComboBox::currentIndexChanged, this, [this] {
      RunGuarded(Dialogs_, [this] {
        Realtime_->SetLength(size_t(LengthBox->currentData().toULongLong()));
        Refresh();
      });
    });
  }
  FitButton = new QPushButton(QStringLiteral("Bereich anpassen"), this);
  CsvButton = new QPushButton(QStringLiteral("CSV speichern…"), this);
  PngButton = new QPushButton(QStringLiteral("PNG speichern…"), this);
  controls->addWidget(FitButton, 1, column++);
  controls->addWidget(CsvButton, 1, column++);
  controls->addWidget(PngButton, 1, column++);
  controls->setColumnStretch(column, 1);

  ChartWidget_ = new TGChartWidget(this);
  PeakLabel = new QLabel(this);
  PeakLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
  PeakLabel->setWordWrap(true);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(controls);
  layout->addWidget(ChartWidget_, 1);
  layout->addWidget(PeakLabel);

  connect(WindowBox, &QComboBox::currentIndexChanged, this, [this] { RunGuarded(Dialogs_, [this] { OptionsChanged(); }); });
  connect(ScaleBox, &QComboBox::currentIndexChanged, this, [this] {
    RunGuarded(Dialogs_, [this] {
      UserView_ = false;
      OptionsChanged();
    });
  });
  connect(FitButton, &QPushButton::clicked, this, [this] {
    RunGuarded(Dialogs_, [this] {
      UserView_ = false;
      FitNow_ = true;
      Refresh();
    });
  });
  connect(CsvButton, &QPushButton::clicked, this, [this] { RunGuarded(Dialogs_, [this] { SaveCsv(); }); });
  connect(PngButton, &QPushButton::clicked, this, [this] { RunGuarded(Dialogs_, [this] { SavePng(); }); });
}

TSpectrumOptions TFourierWindow::Options() const {
  return {TFftWindow(WindowBox->currentIndex()), ScaleBox->currentIndex() == 1 ? msDecibel : msLinear,
          Rate_};
}

void TFourierWindow::OptionsChanged() {
  if (Realtime_) Realtime_->SetOptions(Options());
  Refresh();
}

// The realtime spectra collect samples only while someone looks at them.
void TFourierWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (Realtime_) Realtime_->SetActive(true);
  RunGuarded(Dialogs_, [this] { Refresh(); });
}

void TFourierWindow::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  if (Realtime_) Realtime_->SetActive(false);
}

// oNone, with the reason shown, when there is nothing to show.
TFourierWindow::TOutcome TFourierWindow::Compute(bool force) {
  // Reading the curves for the rate only where the time axis gives it.
  const TCurvePart part = Realtime_ ? cpWhole : cpVisible;
  Rate_ = Feed_.SampleRate() > 0 || !Feed_.XIsTime() ? Feed_.SampleRate()
                                                     : Feed_.RateFor(LongestX(Feed_.Curves().Curves(), part));
  const TSpectrumOptions options = Options();
  if (Realtime_) {
    Realtime_->SetOptions(options);  // the sample rate may have changed in another window
    if (!Realtime_->Collect(Spectra_) && !force) return oUnchanged;
    for (TChannelSpectrum& s : Spectra_) {
      if (!s.Name.empty()) continue;
      s.Name = Feed_.Name(s.Layer);
      for (const TChannelCurve* c : Feed_.Curves().Curves()) {
        if (c->Layer == s.Layer) s.Color = c->Color;
      }
    }
    if (Spectra_.empty()) {
      PeakLabel->setText(QStringLiteral("Noch keine Werte: die Analyse folgt einer laufenden Erfassung."));
      return oNone;
    }
    return oShown;
  }
  if (!force) return oUnchanged;
  try {
    Spectra_ = ChannelSpectra(Feed_.Curves().Curves(), cpVisible, options,
                              [this](int32_t layer) { return Feed_.Name(layer); });
  } catch (const EAnalysisError& e) {
    Spectra_.clear();
    PeakLabel->setText(QStringLiteral("Kein Spektrum: %1 (im sichtbaren Bereich einer Kurve).")
                           .arg(QString::fromStdString(e.what())));
    return oNone;
  }
  return oShown;
}

void TFourierWindow::Refresh(bool force) {
  const TOutcome outcome = Compute(force);
  if (outcome == oUnchanged) return;
  TGChart& chart = Chart();
  const std::vector<TSpectrumCurve> curves = SpectrumCurves(Spectra_);
  const bool captionsChanged = SetSpectrumCaptions(chart, Rate_ > 0, Options().Scale);
  PlotSpectra(chart, curves);
  MarkPeaks(chart, curves, Options().Scale);
  const bool keepFitting = Realtime_ != nullptr && !FitNow_;
  FitNow_ = false;
  const bool rangeChanged = !UserView_ && FitSpectrumRange(chart, curves, Options().Scale, keepFitting);
  // Scales and captions as they were: the chart area alone is drawn again.
  if (captionsChanged || rangeChanged) {
    chart.Paint();
  } else {
    chart.UpdateGraph();
  }
  if (outcome == oShown) ShowPeaks();
}

void TFourierWindow::ShowPeaks() {
  QStringList lines;
  for (const TChannelSpectrum& s : Spectra_) {
    const TSpectralPeak& p = s.Spectrum.Peak;
    const QString unit = Rate_ > 0 ? QStringLiteral(" Hz") : QStringLiteral(" pro Abtastwert");
    lines << QStringLiteral("%1: Spitze bei %2%3, Amplitude %4 (%5 dB)")
                 .arg(QString::fromStdString(s.Name), Feed_.NumberText(p.Frequency), unit,
                      Feed_.NumberText(p.Amplitude), Feed_.NumberText(Decibel(p.Amplitude)));
  }
  if (!Spectra_.empty()) {
    lines << QStringLiteral("%1 Werte je Transformation").arg(Spectra_.front().Spectrum.FftSize);
  }
  const QString text = lines.join(QLatin1Char('\n'));
  if (PeakLabel->text() != text) PeakLabel->setText(text);
}

void TFourierWindow::SaveCsv() {
  const QString name = Dialogs_.SaveFileName(QStringLiteral("CSV-Dateien (*.csv)"), QStringLiteral("csv"));
  if (name.isEmpty()) return;
  SaveSpectrumCsv(QFile::encodeName(name).toStdString(), Spectra_, Rate_ > 0,
                  {CsvFormatFor(Feed_.DecimalSeparator()), true});
}

void TFourierWindow::SavePng() {
  const QString name = Dialogs_.SaveFileName(QStringLiteral("PNG-Bilder (*.png)"), QStringLiteral("png"));
  if (!name.isEmpty()) Chart().SaveAsPng(QFile::encodeName(name).toStdString());
}
