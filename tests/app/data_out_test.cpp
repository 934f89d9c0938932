// Data leaving the main window: the CSV export, the colour picture, the live recording
// and the time axis, driven as a user drives them with a pseudo-terminal as the device.

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <string>
#include <utility>

#include "chart/qt/gchart_widget.h"
#include "tests/app/window_test_support.h"

namespace {

struct DataOut : testing::Test, TWindowFixture {
  QByteArray Read(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
  }
  // Start, the lines from the device, every sample counted, Stop.
  void Acquire(std::string lines, int samples) {
    Form->StartButton->click();
    Send(std::move(lines));
    ASSERT_TRUE(WaitUntil([&] { return Count() == samples; }));
    Form->StopButton->click();
  }
  // Checks "Aufzeichnen" and names the file in its dialog.
  void RecordInto(const QString& path) {
    Dialogs.NextFileName = path;
    Form->AufzeichnenCheckBox->click();
    ASSERT_TRUE(Form->AufzeichnenCheckBox->isChecked());
  }
  // The rows of a one-channel recording of NumberLines: every sample in order, its raw
  // and scaled value the line's digit, its time growing.
  void ExpectRecordedLines(const QString& path, int lines) {
    const QList<QByteArray> rows = Read(path).split('\n');
    ASSERT_EQ(rows.size(), lines + 2) << "header, the rows, nothing after the last CR LF";
    EXPECT_EQ(rows[0], "\xEF\xBB\xBFZeit [s];Sample;CH 1 roh;CH 1\r");
    double previous = -1;
    for (int n = 1; n <= lines; ++n) {
      const QList<QByteArray> fields = rows[n].chopped(1).split(';');
      ASSERT_EQ(fields.size(), 4) << rows[n].toStdString();
      const double seconds = QByteArray(fields[0]).replace(',', '.').toDouble();
      ASSERT_GE(seconds, previous) << "row " << n;
      previous = seconds;
      ASSERT_EQ(fields[1], QByteArray::number(n));
      ASSERT_EQ(fields[2], QByteArray::number(n % 10));
      ASSERT_EQ(fields[3], QByteArray::number(n % 10));
    }
    EXPECT_TRUE(rows.last().isEmpty());
  }
  TGChart& chart = Form->Chart();
  QTemporaryDir dir;
};

TEST_F(DataOut, CsvExportForTheDesktopsSpreadsheetAlsoAfterASessionLoad) {
  Form->CH2RadioButton->click();
  Form->Ch1NameEdit->setText(QStringLiteral("Höhe"));
  ASSERT_NO_FATAL_FAILURE(Acquire("1.5;-2\r\n0.1;3e2\r\n", 2));

  Dialogs.NextFileName = dir.filePath("daten.csv");
  Form->DatenExportimCSVFormat1->trigger();
  // A comma desktop: ";" between fields, decimal commas, UTF-8 marked for the spreadsheet.
  const QByteArray expected = "\xEF\xBB\xBFSample;H\xC3\xB6he;CH 2\r\n1;1,5;-2\r\n2;0,1;300\r\n";
  EXPECT_EQ(Read(Dialogs.NextFileName), expected);
  EXPECT_EQ(Dialogs.Filters.last(), "CSV-Dateien (*.csv)|csv");

  Dialogs.NextFileName = dir.filePath("run.tvx");
  Form->ErfassungSpeichern->trigger();
  Form->ClearGraphButton->click();
  Form->Erfassungladen->trigger();
  Dialogs.NextFileName = dir.filePath("geladen.csv");
  Form->DatenExportimCSVFormat1->trigger();
  EXPECT_EQ(Read(Dialogs.NextFileName), expected);
  EXPECT_TRUE(Dialogs.Errors.isEmpty()) << Dialogs.Errors.join(' ').toStdString();
  EXPECT_TRUE(Dialogs.Informations.isEmpty());
}

TEST_F(DataOut, PngKeepsTheColoursAndTheNameAsTyped) {
  ASSERT_NO_FATAL_FAILURE(Acquire(NumberLines(5, 1), 5));
  Dialogs.NextFileName = dir.filePath("messung.1.bild");
  Form->GrafikSpeichernPNG->trigger();
  EXPECT_EQ(Dialogs.Filters.last(), "PNG-Bilder (*.png)|png");
  const QImage picture(Dialogs.NextFileName, "PNG");
  ASSERT_EQ(picture.size(), Form->GChart1->size());
  const TPoint p = chart.MapToPixel(1, 4, 4);
  EXPECT_EQ(picture.pixel(p.x, p.y), qRgb(0, 0, 255));
  EXPECT_TRUE(Dialogs.Errors.isEmpty()) << Dialogs.Errors.join(' ').toStdString();
}

TEST_F(DataOut, RecordingAtFullSpeedKeepsEveryLineUpToTheLimit) {
  const QString path = dir.filePath("aufnahme.csv");
  RecordInto(path);
  EXPECT_EQ(Dialogs.Filters.last(), "CSV-Dateien (*.csv)|csv");
  EXPECT_EQ(Form->StatusPanels[3]->text(), "Aufzeichnen: aufnahme.csv");
  Form->StartButton->click();
  EXPECT_FALSE(Form->AufzeichnenCheckBox->isEnabled());
  Send(NumberLines(100005, 1));
  // The limit stops the acquisition inside a block: the recording is complete all the same.
  ASSERT_TRUE(WaitUntil([&] { return Idle(); }, std::chrono::seconds(60)));
  ExpectRecordedLines(path, 100000);
  EXPECT_EQ(Form->StatusPanels[3]->text(), "Aufgezeichnet: aufnahme.csv");

  // A second Start keeps the first recording.
  DropUnread();
  ASSERT_NO_FATAL_FAILURE(Acquire(NumberLines(3, 1), 3));
  ExpectRecordedLines(dir.filePath("aufnahme-2.csv"), 3);
  ExpectRecordedLines(path, 100000);
  EXPECT_TRUE(Dialogs.Errors.isEmpty()) << Dialogs.Errors.join(' ').toStdString();
}

TEST_F(DataOut, AnUnpluggedDeviceLeavesACompleteRecording) {
  const QString path = dir.filePath("unplug.csv");
  RecordInto(path);
  Form->StartButton->click();
  Send(NumberLines(5000, 1));
  ASSERT_TRUE(WaitUntil([&] { return Count() == 5000; }));
  ASSERT_TRUE(WaitSent());
  Device.CloseController();
  ASSERT_TRUE(WaitUntil([&] { return Idle(); }));
  ExpectRecordedLines(path, 5000);
}

TEST_F(DataOut, AFullDiskEndsTheRecordingButNotThePlot) {
  RecordInto(QStringLiteral("/dev/full"));
  Form->TrendCheckBox->click();
  Form->StartButton->click();
  Send(NumberLines(200000, 1));
  ASSERT_TRUE(WaitUntil([&] { return !Dialogs.Errors.isEmpty(); }, std::chrono::seconds(60)));
  EXPECT_EQ(Dialogs.Errors, QStringList{"Die Aufzeichnung in \"/dev/full\" wurde beendet: Zu wenig Speicherplatz."});
  EXPECT_EQ(Form->StatusPanels[3]->text(), "Aufzeichnung beendet");
  ASSERT_TRUE(WaitUntil([&] { return Count() == 200000; }, std::chrono::seconds(60)));
  EXPECT_TRUE(Form->scComm1().Active());
  Form->StopButton->click();
  EXPECT_EQ(Dialogs.Errors.size(), 1);
}

TEST_F(DataOut, AutoRecordingKeepsEveryChannelAndNamesTheOnesThatAppear) {
  Form->AutoRadioButton->click();
  const QString path = dir.filePath("auto.csv");
  RecordInto(path);
  // The header line names channels before any number has placed one.
  ASSERT_NO_FATAL_FAILURE(Acquire("a,b\na:1.5\na:2,b:-3\nb:4e2\nhello\na:x,b:5\n", 4));
  // The time column is left out: it only has to grow.
  QList<QByteArray> rows = Read(path).split('\n');
  for (QByteArray& row : rows) row = row.mid(row.indexOf(';') + 1);
  const QList<QByteArray> expected{"Sample;a roh;a\r",
                                   "1;1,5;1,5\r",
                                   "Sample;a roh;b roh;a;b\r",
                                   "2;2;-3;2;-3\r",
                                   "3;;400;;400\r",
                                   "4;;5;;5\r",
                                   ""};
  EXPECT_EQ(rows, expected);
  EXPECT_TRUE(Dialogs.Errors.isEmpty()) << Dialogs.Errors.join(' ').toStdString();
}

TEST_F(DataOut, TimeAxisPlacesSamplesInSecondsAndExportsThem) {
  Form->RadioButton2->click();
  EXPECT_TRUE(Form->RadioButton2->isChecked());
  EXPECT_TRUE(Dialogs.Informations.isEmpty());
  EXPECT_EQ(chart.Scale1X().Caption(), "Zeit [s]");
  EXPECT_EQ(Form->GraphXmaxEdit->text(), "10");
  EXPECT_EQ(chart.Scale1X().RangeHigh(), 10);
  Form->TrendCheckBox->click();
  EXPECT_EQ(Form->GraphXmaxEdit->text(), "10");
  Form->TrendCheckBox->click();
  ASSERT_NO_FATAL_FAILURE(Acquire(NumberLines(3, 1), 3));
  Dialogs.NextFileName = dir.filePath("zeit.csv");
  Form->DatenExportimCSVFormat1->trigger();
  const QList<QByteArray> rows = Read(Dialogs.NextFileName).split('\n');
  ASSERT_EQ(rows.size(), 5);
  EXPECT_EQ(rows[0], "\xEF\xBB\xBFZeit [s];CH 1\r");
  double previous = 0;
  for (int n = 1; n <= 3; ++n) {
    const QList<QByteArray> fields = rows[n].chopped(1).split(';');
    const double seconds = QByteArray(fields[0]).replace(',', '.').toDouble();
    EXPECT_GT(seconds, previous) << "row " << n;
    EXPECT_LT(seconds, 60) << "row " << n;
    EXPECT_EQ(fields[1], QByteArray::number(n));
    previous = seconds;
  }
  // "Tics" again: the sample count, as the window started; a typed extent stays.
  Form->RadioButton1->click();
  EXPECT_EQ(chart.Scale1X().Caption(), "Anzahl Samples");
  EXPECT_EQ(Form->GraphXmaxEdit->text(), "1000");
  EXPECT_FALSE(Form->AcquisitionState().TimeAxis);
  Form->GraphXmaxEdit->setText("250");
  Form->RadioButton2->click();
  EXPECT_EQ(Form->GraphXmaxEdit->text(), "250");
}

TEST_F(DataOut, ARecordingThatCannotBeCreatedDoesNotStart) {
  RecordInto(dir.filePath("fehlt/aufnahme.csv"));
  Form->StartButton->click();
  ASSERT_EQ(Dialogs.Errors.size(), 1);
  EXPECT_TRUE(Dialogs.Errors[0].startsWith("Datei \"" + dir.filePath("fehlt/aufnahme.csv") + "\" kann nicht erstellt werden."))
      << Dialogs.Errors[0].toStdString();
  EXPECT_TRUE(Idle());
  // A cancelled dialog leaves the box unchecked.
  Form->AufzeichnenCheckBox->click();
  Dialogs.NextFileName.clear();
  Form->AufzeichnenCheckBox->click();
  EXPECT_FALSE(Form->AufzeichnenCheckBox->isChecked());
  EXPECT_TRUE(Form->StatusPanels[3]->text().isEmpty());
}

}  // namespace
