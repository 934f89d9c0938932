// The "Mathematik" windows and the value readout, driven as a user drives them, with a
// pseudo-terminal as the device on COM5 and a German (comma) desktop.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "app/analysis_filter_dialog.h"
#include "app/analysis_fourier_window.h"
#include "app/analysis_statistics_window.h"
#include "app/analysis_windows.h"
#include "app/sample_rate_field.h"
#include "chart/qt/gchart_widget.h"
#include "tests/app/window_test_support.h"

namespace {

// "<first>\r\n" .. "<last>\r\n"
std::string Counting(int first, int last) {
  std::string lines;
  for (int v = first; v <= last; ++v) lines += std::to_string(v) + "\r\n";
  return lines;
}

struct AnalysisWindows : testing::Test, TWindowFixture {
  // Plots the lines as a finished one-channel acquisition.
  void Acquire(const std::string& lines, int count) {
    Form->StartButton->click();
    Send(lines);
    ASSERT_TRUE(WaitUntil([&] { return Count() == count; }));
    Form->StopButton->click();
  }
  static std::string SineLines(int count, double cyclesPerSample, double amplitude) {
    std::string lines;
    for (int i = 0; i < count; ++i) {
      lines += std::to_string(amplitude * std::sin(2 * std::numbers::pi * cyclesPerSample * i)) + "\r\n";
    }
    return lines;
  }
  std::string Cell(const QTableWidget* table, int row, int column) {
    return table->item(row, column)->text().toStdString();
  }
  void Mouse(QEvent::Type type, Qt::MouseButton button, int x, int y) {
    QMouseEvent event(type, QPointF(x, y), Form->GChart1->mapToGlobal(QPointF(x, y)), button,
                      type == QEvent::MouseMove ? Qt::NoButton : button, Qt::NoModifier);
    QCoreApplication::sendEvent(Form->GChart1, &event);
  }
  int PixelX(double x) { return chart.MapToPixel(1, x, 5).x; }
  std::string Status() { return Form->statusBar()->currentMessage().toStdString(); }

  TGChart& chart = Form->Chart();
  TAnalysisWindows& analysis = Form->Analysis();
  QTemporaryDir dir;
};

TEST_F(AnalysisWindows, FourierFollowsTheVisiblePartAndNamesItsPeakInTheGivenUnit) {
  Acquire(SineLines(1000, 0.05, 2), 1000);
  Form->FourierAnalyse1->trigger();
  TFourierWindow& fourier = analysis.ShowFourier();
  ASSERT_EQ(fourier.Spectra().size(), 1u);
  EXPECT_EQ(fourier.Spectra()[0].Spectrum.FftSize, 1000u);
  EXPECT_EQ(fourier.PeakLabel->text().section('\n', 0, 0).toStdString(),
            "CH 1: Spitze bei 0,05 pro Abtastwert, Amplitude 2 (6,0206 dB)");
  EXPECT_EQ(fourier.Chart().Scale1X().Caption(), "Frequenz pro Abtastwert");
  EXPECT_NEAR(fourier.Chart().Scale1X().RangeHigh(), 0.5, 1e-12);

  fourier.SampleRateEdit->setText("1000");
  emit fourier.SampleRateEdit->editingFinished();
  EXPECT_EQ(analysis.Feed().SampleRate(), 1000);
  ASSERT_TRUE(WaitUntil([&] { return fourier.PeakLabel->text().startsWith("CH 1: Spitze bei 50 Hz"); }))
      << fourier.PeakLabel->text().toStdString();
  EXPECT_EQ(fourier.Chart().Scale1X().Caption(), "Frequenz in Hz");

  // Only what the main chart shows counts: 250 samples after a zoom.
  chart.SetRange(1, 100, 0, 349, 10);
  Form->GChart1->update();
  ASSERT_TRUE(WaitUntil([&] { return fourier.Spectra()[0].Spectrum.FftSize == 250; }));

  fourier.ScaleBox->setCurrentIndex(1);
  EXPECT_EQ(fourier.Chart().Scale1Y().Caption(), "Amplitude in dB");
  Dialogs.NextFileName = dir.filePath("spektrum.csv");
  fourier.CsvButton->click();
  QFile file(Dialogs.NextFileName);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QList<QByteArray> rows = file.readAll().split('\n');
  EXPECT_EQ(rows[0], "\xEF\xBB\xBF" "Frequenz in Hz;CH 1\r");
  EXPECT_EQ(rows.size(), 250 / 2 + 1 + 2);  // header, a row per bin, nothing after the last line end
  EXPECT_TRUE(rows[1].startsWith("0;"));
  EXPECT_TRUE(Dialogs.Errors.isEmpty()) << Dialogs.Errors.join(' ').toStdString();
}

TEST_F(AnalysisWindows, FourierWithoutSamplesSaysWhyAndABadSampleRateIsRefused) {
  TFourierWindow& fourier = analysis.ShowFourier();
  EXPECT_TRUE(fourier.Spectra().empty());
  EXPECT_EQ(fourier.PeakLabel->text().toStdString(),
            "Kein Spektrum: Für ein Spektrum sind mindestens 2 Werte nötig (im sichtbaren Bereich einer Kurve).");
  fourier.SampleRateEdit->setText("1,2,3");
  emit fourier.SampleRateEdit->editingFinished();
  EXPECT_EQ(Dialogs.Errors.join('|').toStdString(), "'1,2,3' ist kein gültiger Gleitkommawert");
  EXPECT_EQ(analysis.Feed().SampleRate(), 0);
  EXPECT_TRUE(fourier.SampleRateEdit->text().isEmpty());
}

TEST_F(AnalysisWindows, StatisticsOfTheVisibleRangeFollowPanning) {
  Acquire(Counting(1, 10), 10);  // at x 0, 2, 3, ..., 10
  TStatisticsWindow& statistics = analysis.ShowStatistics();
  const QTableWidget* t = statistics.Table;
  ASSERT_EQ(t->rowCount(), 1);
  const std::vector<std::string> all = {"CH 1", "10", "1", "10", "5,5", "6,20484", "2,87228", "9"};
  for (int c = 0; c < int(all.size()); ++c) EXPECT_EQ(Cell(t, 0, c), all[c]) << c;
  chart.SetRange(1, 6, 0, 10, 10);
  Form->GChart1->update();
  ASSERT_TRUE(WaitUntil([&] { return Cell(t, 0, 1) == "5"; }));
  EXPECT_EQ(Cell(t, 0, 4), "8");
}

TEST_F(AnalysisWindows, ReadoutShowsTheNearestSampleAndInZoomModeTheDifferenceToAReference) {
  Acquire(Counting(1, 10), 10);
  chart.SetRange(1, 0, 0, 20, 10);
  Mouse(QEvent::MouseMove, Qt::NoButton, PixelX(4.4), 100);
  EXPECT_EQ(Status(), "x = 4   CH 1 = 4");
  Mouse(QEvent::MouseMove, Qt::NoButton, 5, 5);  // outside the plot area
  EXPECT_TRUE(Status().empty());

  Form->ZoomRadioButton->click();
  Mouse(QEvent::MouseButtonPress, Qt::RightButton, PixelX(2), 100);
  Mouse(QEvent::MouseButtonRelease, Qt::RightButton, PixelX(2), 100);
  Mouse(QEvent::MouseMove, Qt::NoButton, PixelX(7), 100);
  EXPECT_EQ(Status(), "x = 7   CH 1 = 7   |   Δx = 5   1/Δx = 0,2 pro Abtastwert   ΔCH 1 = 5");
  EXPECT_EQ(chart.ScaleX(1).RangeLow(), 0);
  EXPECT_EQ(chart.ScaleX(1).RangeHigh(), 20);
  Form->NormalRadioButton->click();
  Mouse(QEvent::MouseMove, Qt::NoButton, PixelX(7), 100);
  EXPECT_EQ(Status(), "x = 7   CH 1 = 7");
}

TEST_F(AnalysisWindows, FilteredCopyOfAFinishedCurveIsALayerOfItsOwnUntilRemoved) {
  Acquire(Counting(1, 6), 6);
  const int32_t items = chart.NumItems();
  TFilterDialog& filter = analysis.ShowFilter();
  filter.KindBox->setCurrentIndex(filter.KindBox->findText("Gleitender Mittelwert"));
  filter.LengthEdit->setValue(2);
  EXPECT_FALSE(filter.CutoffEdit->isEnabled());
  filter.AddButton->click();
  ASSERT_EQ(filter.CopyList->count(), 1);
  EXPECT_EQ(filter.CopyList->item(0)->text().toStdString(), "CH 1 gefiltert: Gleitender Mittelwert über 2 Werte");
  EXPECT_EQ(chart.NumItems(), items + 6);
  EXPECT_EQ(chart.LxControlledBy(16), 1);

  Dialogs.NextFileName = dir.filePath("gefiltert.csv");
  Form->DatenExportimCSVFormat1->trigger();
  QFile file(Dialogs.NextFileName);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  // From rest: the first mean takes a 0 before the curve.
  EXPECT_EQ(file.readAll().toStdString(), "\xEF\xBB\xBFSample;CH 1;CH 1 gefiltert\r\n"
                            "0;1;\r\n2;2;\r\n3;3;\r\n4;4;\r\n5;5;\r\n6;6;\r\n"
                            "0;;0,5\r\n2;;1,5\r\n3;;2,5\r\n4;;3,5\r\n5;;4,5\r\n6;;5,5\r\n");

  filter.CopyList->setCurrentRow(0);
  filter.RemoveButton->click();
  EXPECT_EQ(chart.NumItems(), items);
  EXPECT_EQ(filter.CopyList->count(), 0);
  EXPECT_EQ(chart.LxControlledBy(16), 16);
  EXPECT_TRUE(Dialogs.Errors.isEmpty()) << Dialogs.Errors.join(' ').toStdString();
}

TEST_F(AnalysisWindows, FilterOutOfRangeIsNamedAndAddsNothingAGoodOneCopiesAsCCode) {
  Acquire(Counting(1, 6), 6);
  const int32_t items = chart.NumItems();
  TFilterDialog& filter = analysis.ShowFilter();
  filter.KindBox->setCurrentIndex(filter.KindBox->findText("Butterworth-Tiefpass"));
  filter.CutoffEdit->setText("0,7");
  filter.AddButton->click();
  filter.CopyCodeButton->click();
  const std::string error = "Die Grenzfrequenz muss zwischen 0 und 0.5 pro Abtastwert liegen, nicht 0.7 pro Abtastwert";
  EXPECT_EQ(Dialogs.Errors.join('|').toStdString(), error + '|' + error);
  EXPECT_EQ(chart.NumItems(), items);
  EXPECT_EQ(filter.CopyList->count(), 0);

  filter.CutoffEdit->setText("0,1");
  filter.CopyCodeButton->click();
  const QString code = QApplication::clipboard()->text();
  EXPECT_TRUE(code.contains("Butterworth-Tiefpass 4. Ordnung, Grenzfrequenz 0.1 pro Abtastwert")) << code.toStdString();
  EXPECT_EQ(Dialogs.Errors.size(), 2);
}

TEST_F(AnalysisWindows, LiveCopyGrowsSampleBySampleAndLeavesTheTrendWindowWithItsChannel) {
  Form->TrendCheckBox->click();
  Form->GraphXmaxEdit->setText("100");
  const int32_t layer = analysis.AddFilteredCopy(1, {fkMovingAverage, 2});
  Form->StartButton->click();
  Send(Counting(1, 500));
  ASSERT_TRUE(WaitUntil([&] { return Count() == 500; }));
  int copyItems = 0, channelItems = 0;
  for (const TChartItem& item : chart.Items()) (item.Layer == layer ? copyItems : channelItems)++;
  EXPECT_EQ(channelItems, 81);  // Xmax - 19 samples stay in the window
  EXPECT_LE(copyItems, channelItems + 1);
  EXPECT_GE(copyItems, channelItems);
  const TChartItem& newest = chart.Items().back();
  EXPECT_EQ(newest.Layer, layer);
  EXPECT_EQ(newest.X2, 500);
  EXPECT_EQ(newest.Y2, 499.5);
  Form->StopButton->click();

  Form->CH2RadioButton->click();  // another channel mode: the copy goes with its channel
  EXPECT_TRUE(analysis.Copies().Copies().empty());
  EXPECT_EQ(chart.LxControlledBy(layer), layer);
}

TEST_F(AnalysisWindows, RealtimeSpectrumCoversTheNewestSamplesOfARunningAcquisition) {
  TFourierWindow& realtime = analysis.ShowRealtimeFourier();
  realtime.LengthBox->setCurrentText("256");
  EXPECT_EQ(realtime.PeakLabel->text().toStdString(), "Noch keine Werte: die Analyse folgt einer laufenden Erfassung.");
  Form->StartButton->click();
  Send(SineLines(1000, 0.125, 3));
  ASSERT_TRUE(WaitUntil([&] { return Count() == 1000; }));
  ASSERT_TRUE(WaitUntil([&] { return !realtime.Spectra().empty() && realtime.Spectra()[0].Spectrum.FftSize == 256; }));
  ASSERT_TRUE(WaitUntil([&] { return std::abs(realtime.Spectra()[0].Spectrum.Peak.Amplitude - 3) < 0.01; }));
  EXPECT_NEAR(realtime.Spectra()[0].Spectrum.Peak.Frequency, 0.125, 1e-6);
  realtime.hide();  // closed, it takes no samples
  Form->StopButton->click();
  Form->StartButton->click();
  Send(SineLines(10, 0.125, 3));
  ASSERT_TRUE(WaitUntil([&] { return Count() == 10; }));
  Form->StopButton->click();
  EXPECT_EQ(analysis.Realtime().Active(), false);
  std::vector<TChannelSpectrum> spectra;
  analysis.Realtime().Collect(spectra);
  EXPECT_TRUE(spectra.empty()) << "Start forgot the samples before it, and none came while closed";
}

}  // namespace
