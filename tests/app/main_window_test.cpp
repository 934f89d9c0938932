// The main window driven as a user drives it, with a pseudo-terminal as the device on COM5.

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextEdit>
#include <termios.h>

#include "app/circular_progress.h"
#include "app/help_window.h"
#include "app/info_window.h"
#include "chart/gchart.h"
#include "chart/qt/gchart_widget.h"
#include "serial/posix/linux_ioctls.h"
#include "tests/app/window_test_support.h"

namespace {

struct MainWindow : testing::Test, TWindowFixture {
  TGChart& chart = Form->Chart();
  void ExpectRanges(int layer, double x1, double y1, double x2, double y2) {
    EXPECT_EQ(chart.ScaleX(layer).RangeLow(), x1) << layer;
    EXPECT_EQ(chart.ScaleX(layer).RangeHigh(), x2) << layer;
    EXPECT_EQ(chart.ScaleY(layer).RangeLow(), y1) << layer;
    EXPECT_EQ(chart.ScaleY(layer).RangeHigh(), y2) << layer;
  }
};

TEST_F(MainWindow, FirstShow) {
  EXPECT_EQ(Form->windowTitle(), "      T a v o l i x");
  EXPECT_EQ(Form->PageControl1->currentWidget(), Form->SheetCOM);
  EXPECT_FALSE(Form->PageControl1->isTabVisible(2));
  EXPECT_TRUE(Idle());
  ExpectRanges(1, 0, 0, 1000, 10);
  ExpectRanges(2, 0, 0, 1000, 10);
  EXPECT_EQ(Form->DatSkalEdit->text(), "1,000000000");
  EXPECT_EQ(Form->Label14->text(), "Dezimaltrennung = Komma");
  EXPECT_EQ(Form->Label11->text(), "Normal: max 2000 Samples/s, max 100.000 Samples\r\nTrend:  max 200 Samples/s   beliebig lange");
  EXPECT_TRUE(chart.LayerMouseControl(2));
  EXPECT_FALSE(Form->AutoReconnectCheckBox->isChecked());
}

TEST_F(MainWindow, PortFieldNamesItsDeviceAndTypedFastRatesWork) {
  EXPECT_EQ(Form->ComComboBox->toolTip().toStdString(), "COM5 = " + Device.DevicePath());
  Form->ComComboBox->setEditText("3");
  EXPECT_EQ(Form->ComComboBox->toolTip(), "COM3 = /dev/ttyS2");
  Form->ComComboBox->setEditText("5");
  // The fast rates follow the original list.
  const QStringList fast = {"460800", "921600", "1000000", "2000000", "3000000", "4000000"};
  EXPECT_EQ(Form->BaudComboBox->itemText(14), "256000");
  for (int i = 0; i < fast.size(); ++i) EXPECT_EQ(Form->BaudComboBox->itemText(15 + i), fast[i]);
  for (const char* typed : {"921600", "1500000"}) {
    Form->BaudComboBox->setEditText(typed);
    Form->StartButton->click();
    uint32_t input = 0, output = 0;
    ASSERT_TRUE(ReadBaudRates(Device.Device(), input, output));
    EXPECT_EQ(input, std::stoul(typed));
    EXPECT_EQ(output, std::stoul(typed));
    Form->StopButton->click();
  }
}

TEST_F(MainWindow, StartOpensComFiveAndPlotsWhatArrives) {
  Form->StartButton->click();
  ASSERT_TRUE(Form->scComm1().Active()) << Dialogs.Errors.join(" ").toStdString();
  EXPECT_EQ(Form->scComm1().ComPortNo(), 5);
  EXPECT_EQ(Form->scComm1().BaudRate(), 115200u);
  termios settings{};
  tcgetattr(Device.Device(), &settings);
  EXPECT_EQ(cfgetispeed(&settings), speed_t(B115200));
  EXPECT_FALSE(Form->StartButton->isEnabled());
  EXPECT_TRUE(Form->CircularProgress->isEnabled());

  Send("1.5\r\n2.5\r\n3");
  ASSERT_TRUE(WaitUntil([&] { return Count() == 2; }));
  EXPECT_EQ(chart.NumItems(), 2);
  EXPECT_EQ(Form->Label10->text(), " 2,5");
  Send(".5\r\n");
  ASSERT_TRUE(WaitUntil([&] { return Count() == 3; }));
  EXPECT_EQ(chart.Items()[2].Y, 3.5);

  Form->StopButton->click();
  EXPECT_TRUE(Idle());
  EXPECT_EQ(chart.NumItems(), 3);
  EXPECT_EQ(chart.MouseAction(), maPan);
}

TEST_F(MainWindow, SampleLimitStopsOnceAndDropsTheRest) {
  Form->StartButton->click();
  Send(NumberLines(100005, 1));
  ASSERT_TRUE(WaitUntil([&] { return !Form->scComm1().Active(); }));
  EXPECT_EQ(Count(), 100001);
  EXPECT_EQ(chart.NumItems(), 100000);
  EXPECT_EQ(Dialogs.Informations, QStringList{"Speichermaximum erreicht"});
  EXPECT_TRUE(Idle());
}

TEST_F(MainWindow, TwoChannelLimitAndLayers) {
  Form->CH2RadioButton->click();
  Form->StartButton->click();
  Send(NumberLines(50001, 2));
  ASSERT_TRUE(WaitUntil([&] { return !Form->scComm1().Active(); }));
  EXPECT_EQ(Count(), 50001);
  EXPECT_EQ(chart.NumItems(), 100000);
  EXPECT_EQ(chart.Items()[1].Layer, 2);
  EXPECT_EQ(chart.Items()[1].Color, 128u);
  EXPECT_EQ(Dialogs.Informations.size(), 1);
}

TEST_F(MainWindow, TrendRunsPastTheLimit) {
  Form->TrendCheckBox->click();
  EXPECT_EQ(Form->GraphXmaxEdit->text(), "1000");
  Form->StartButton->click();
  EXPECT_EQ(chart.MouseAction(), maNone);
  EXPECT_FALSE(Form->ZoomRadioButton->isEnabled());
  Send(NumberLines(100100, 1));
  ASSERT_TRUE(WaitUntil([&] { return Count() == 100100; }, std::chrono::seconds(60)));
  EXPECT_TRUE(Form->scComm1().Active());
  EXPECT_EQ(chart.NumItems(), 981);
  EXPECT_EQ(chart.Scale1X().RangeLow(), 100100 - 981);
  Form->StopButton->click();
  EXPECT_FALSE(Form->NormalRadioButton->isChecked());
  EXPECT_FALSE(Form->ZoomRadioButton->isChecked());
  EXPECT_EQ(chart.MouseAction(), maPan);
}

TEST_F(MainWindow, ChannelModeSwitch) {
  Form->StartButton->click();
  ASSERT_TRUE(Form->scComm1().Active());
  Form->CH2RadioButton->setChecked(true);  // from code: the user cannot reach it while running
  EXPECT_EQ(chart.MarginLeft(), 160);
  EXPECT_TRUE(chart.Scale2Y().Visible());
  EXPECT_TRUE(Form->PageControl1->isTabVisible(2));
  EXPECT_EQ(Form->PageControl1->currentWidget(), Form->SheetKanal1);
  EXPECT_TRUE(Idle());
  EXPECT_EQ(Form->AcquisitionState().MaxSamples, 50000);
  Form->Ch1RadioButton->click();
  EXPECT_EQ(chart.MarginLeft(), 80);
  EXPECT_FALSE(chart.Scale2Y().Visible());
  EXPECT_FALSE(Form->PageControl1->isTabVisible(2));
  EXPECT_EQ(Form->Label11->text(), "Normal: max 2000 Samples/s, max 100.000 Samples\r\nTrend:  max 100 Samples/s   beliebig lange");
}

TEST_F(MainWindow, TrendAndNormalEmptyTheChart) {
  Form->StartButton->click();
  Send("1\r\n2\r\n");
  ASSERT_TRUE(WaitUntil([&] { return Count() == 2; }));
  Form->StopButton->click();
  Form->GraphXmaxEdit->setText("500");
  Form->TrendCheckBox->click();
  EXPECT_EQ(Form->GraphXmaxEdit->text(), "1000");
  EXPECT_EQ(chart.NumItems(), 2);
  Form->NormalRadioButton->click();  // unchecks Trend, which empties the chart
  EXPECT_FALSE(Form->TrendCheckBox->isChecked());
  EXPECT_EQ(chart.NumItems(), 0);
  EXPECT_TRUE(Form->ZoomRadioButton->isEnabled());
  EXPECT_EQ(chart.MouseAction(), maPan);
}

TEST_F(MainWindow, LaterVersionCommands) {
  for (QAction* a : {Form->FourierAnalyse1, Form->RealtimeFourierAnalyse1, Form->DigitalesFilter1}) a->trigger();
  EXPECT_EQ(Dialogs.Informations, QStringList(3, "Für eine spätere Version vorgesehen"));
}

TEST_F(MainWindow, UnreadableFieldReportsAndLeavesTheWindowIdle) {
  Form->DatSkalEdit->clear();
  Form->StartButton->click();
  EXPECT_EQ(Dialogs.Errors, QStringList{"'' ist kein gültiger Gleitkommawert."});
  EXPECT_TRUE(Idle());
  Form->DatSkalEdit->setText("1,5");
  Form->GraphXmaxEdit->setText("1e39");
  Form->ResetAxisButton->click();
  EXPECT_EQ(Dialogs.Errors.last(), "Gleitkommaüberlauf.");
  // With Trend the field is read before the controls change: Stop still undoes the
  // Trend settings the start had made.
  Form->TrendCheckBox->click();
  Form->GraphXmaxEdit->clear();
  Form->StartButton->click();
  EXPECT_EQ(Dialogs.Errors.last(), "'' ist kein gültiger Gleitkommawert.");
  EXPECT_TRUE(Idle());
  EXPECT_TRUE(Form->ZoomRadioButton->isEnabled());
  EXPECT_EQ(chart.MouseAction(), maPan);
  EXPECT_FALSE(Form->AcquisitionState().TrendMode);
}

TEST_F(MainWindow, PortThatCannotBeOpened) {
  setenv("TAVOLIX_COM9", "/nonexistent/tty", 1);
  Form->ComComboBox->setEditText("9");
  Form->StartButton->click();
  unsetenv("TAVOLIX_COM9");
  ASSERT_EQ(Dialogs.Errors.size(), 1);
  EXPECT_EQ(Dialogs.Errors[0], "Device \"COM9\" Open Error !!!\rNo such file or directory: /nonexistent/tty.");
  EXPECT_TRUE(Idle());
}

TEST_F(MainWindow, DeviceUnpluggedStopsTheAcquisition) {
  Form->StartButton->click();
  Send("4\r\n");
  ASSERT_TRUE(WaitUntil([&] { return Count() == 1; }));
  ASSERT_TRUE(WaitSent());  // the writer is done with the device before it goes
  Device.CloseController();
  ASSERT_TRUE(WaitUntil([&] { return Idle(); }));
  EXPECT_EQ(Form->StatusPanels[1]->text(), "COM5 wurde geschlossen");
  EXPECT_TRUE(Dialogs.Errors.isEmpty());
  Form->StartButton->click();  // the device is gone: the start fails, the old words go
  EXPECT_EQ(Dialogs.Errors.size(), 1);
  EXPECT_TRUE(Idle());
  for (const QLabel* panel : Form->StatusPanels) EXPECT_EQ(panel->text(), "");
}

TEST_F(MainWindow, FileCommandsSaveAndLoad) {
  Form->StartButton->click();
  Send("1\r\n2\r\n3\r\n");
  ASSERT_TRUE(WaitUntil([&] { return Count() == 3; }));
  QTemporaryDir dir;
  Dialogs.NextFileName = dir.filePath("run.tvx");
  Form->ErfassungSpeichern->trigger();  // during the acquisition
  EXPECT_EQ(QFile(Dialogs.NextFileName).size(), 3 * 104);
  Form->StopButton->click();
  Form->Erfassungladen->trigger();  // appends
  EXPECT_EQ(chart.NumItems(), 6);
  Dialogs.NextFileName = dir.filePath("bild.png");
  Form->GrafikSpeichernBMP->trigger();
  const QImage picture(dir.filePath("bild.bmp"));
  EXPECT_EQ(picture.size(), Form->GChart1->size());
  EXPECT_EQ(Dialogs.Filters, (QStringList{"Tavolix Files (*.tvx *.TVX)|tvx", "Tavolix Files (*.tvx *.TVX)|tvx",
                                          "Graphic Files (*.bmp *.BMP)|bmp"}));
  Dialogs.NextFileName.clear();  // cancelled
  Form->Erfassungladen->trigger();
  EXPECT_EQ(chart.NumItems(), 6);
  EXPECT_TRUE(Dialogs.Errors.isEmpty());
}

TEST_F(MainWindow, HelpAndInfoWindows) {
  EXPECT_FALSE(Form->FormInfo->isVisible());
  Form->Hilfe1->trigger();
  EXPECT_TRUE(Form->FormHilfe->isVisible());
  EXPECT_TRUE(Form->FormHilfe->RichEdit1->isReadOnly());
  EXPECT_TRUE(Form->FormHilfe->RichEdit1->toPlainText().contains("Datenformat / Formatierungsvorgaben"));
  Form->FormHilfe->Button1->click();
  EXPECT_FALSE(Form->FormHilfe->isVisible());
  Form->Info1->trigger();
  EXPECT_TRUE(Form->FormInfo->isVisible());
  Form->FormInfo->Button1->click();
  EXPECT_FALSE(Form->FormInfo->isVisible());
}

TEST_F(MainWindow, ChartFollowsTheWindowSize) {
  const QSize before = Form->GChart1->size();
  Form->resize(Form->width() + 200, Form->height() + 100);
  EXPECT_EQ(Form->GChart1->size(), before + QSize(200, 100));
  EXPECT_EQ(chart.Width(), before.width() + 200);
  Form->resize(100, 100);
  EXPECT_EQ(Form->size(), Form->minimumSize());
}

}  // namespace
