// Data leaving the main window: the CSV export, the colour picture, the live recording
// and the time axis, driven as a user drives them with a pseudo-terminal as the device.

#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include "chart/qt/gchart_widget.h"
#include "tests/app/window_test_support.h"

namespace {

struct DataOut : testing::Test, TWindowFixture {
  QByteArray Read(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
  }
  TGChart& chart = Form->Chart();
  QTemporaryDir dir;
};

TEST_F(DataOut, CsvExportForTheDesktopsSpreadsheetAlsoAfterASessionLoad) {
  Form->CH2RadioButton->click();
  Form->Ch1NameEdit->setText(QStringLiteral("Höhe"));
  Form->StartButton->click();
  Send("1.5;-2\r\n0.1;3e2\r\n");
  ASSERT_TRUE(WaitUntil([&] { return Count() == 2; }));
  Form->StopButton->click();

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
  Form->StartButton->click();
  Send(NumberLines(5, 1));
  ASSERT_TRUE(WaitUntil([&] { return Count() == 5; }));
  Form->StopButton->click();
  Dialogs.NextFileName = dir.filePath("messung.1.bild");
  Form->GrafikSpeichernPNG->trigger();
  EXPECT_EQ(Dialogs.Filters.last(), "PNG-Bilder (*.png)|png");
  const QImage picture(Dialogs.NextFileName, "PNG");
  ASSERT_EQ(picture.size(), Form->GChart1->size());
  const TPoint p = chart.MapToPixel(1, 4, 4);
  EXPECT_EQ(picture.pixel(p.x, p.y), qRgb(0, 0, 255));
  EXPECT_TRUE(Dialogs.Errors.isEmpty()) << Dialogs.Errors.join(' ').toStdString();
}

}  // namespace
