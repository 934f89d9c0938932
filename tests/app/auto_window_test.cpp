// The "Auto" channel mode, the display aids and the hints, driven in the main window with
// a pseudo-terminal as the board on COM5.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>

#include "app/channel_table_page.h"
#include "chart/gchart.h"
#include "tests/app/window_test_support.h"

namespace {

struct AutoWindow : testing::Test, TWindowFixture {
  TGChart& chart = Form->Chart();
  QTableWidget* table() const { return Form->SheetKanaele->Table; }
};

TEST_F(AutoWindow, NewControlsAreOptInAndHiddenAtStart) {
  EXPECT_TRUE(Form->Ch1RadioButton->isChecked());
  EXPECT_FALSE(Form->AutoRadioButton->isChecked());
  EXPECT_FALSE(Form->PageControl1->isTabVisible(Form->PageControl1->indexOf(Form->SheetKanaele)));
  EXPECT_FALSE(Form->AutoYCheckBox->isChecked());
  EXPECT_FALSE(Form->MitlaufenCheckBox->isChecked());
  EXPECT_FALSE(Form->HintLabel->isVisible());
  EXPECT_TRUE(Form->StatusPanels[2]->text().isEmpty());
  EXPECT_FALSE(chart.OnDataRendered);
}

TEST_F(AutoWindow, ArduinoLinesPlotInNamedChannelsAndGarbageIsCounted) {
  Form->AutoRadioButton->click();
  EXPECT_EQ(Form->PageControl1->currentWidget(), Form->SheetKanaele);
  EXPECT_FALSE(Form->PageControl1->isTabVisible(2));
  EXPECT_FALSE(Form->DatSkalEdit->isEnabled());
  Form->StartButton->click();
  ASSERT_TRUE(Form->scComm1().Active());
  Send("ets Jun  8 2016 00:22:57\r\nReady\na:1.5,b:2\na:2.5,b:3\r");
  ASSERT_TRUE(WaitUntil([&] { return Count() == 2; }));
  EXPECT_EQ(chart.NumItems(), 4);
  EXPECT_EQ(chart.Items()[3].Layer, 2);
  EXPECT_EQ(chart.Items()[3].Color, 128u);
  EXPECT_EQ(Form->Label10->text(), " 2,5   3");
  EXPECT_EQ(Form->StatusPanels[2]->text(), "<a href=\"skipped\">2 Zeilen übersprungen</a>");
  emit Form->StatusPanels[2]->linkActivated("skipped");
  ASSERT_EQ(Dialogs.Informations.size(), 1);
  EXPECT_TRUE(Dialogs.Informations[0].endsWith("\n\nReady"));
  Form->StopButton->click();
  EXPECT_EQ(table()->item(1, TChannelTablePage::colName)->text(), "b");
  EXPECT_TRUE(table()->item(1, TChannelTablePage::colName)->font().bold());
  EXPECT_FALSE(table()->item(2, TChannelTablePage::colName)->font().bold());
}

TEST_F(AutoWindow, TableSetsNamesVisibilityColoursAndScaling) {
  Form->AutoRadioButton->click();
  table()->item(0, TChannelTablePage::colName)->setText("Temperatur");
  table()->item(0, TChannelTablePage::colFactor)->setText("0,5");
  table()->item(1, TChannelTablePage::colOffset)->setText("abc");
  EXPECT_EQ(Dialogs.Errors, QStringList{"'abc' ist kein gültiger Gleitkommawert."});
  EXPECT_EQ(table()->item(1, TChannelTablePage::colOffset)->text(), "0");
  Dialogs.NextColor = QColor(0, 128, 0);
  Form->SheetKanaele->ChooseColor(2);
  table()->item(2, TChannelTablePage::colChannel)->setCheckState(Qt::Unchecked);
  EXPECT_FALSE(chart.LayerVisible(3));

  Form->StartButton->click();
  Send("4,6,8\n");
  ASSERT_TRUE(WaitUntil([&] { return Count() == 1; }));
  EXPECT_EQ(chart.Items()[0].Y2, 2);  // factor 0,5
  EXPECT_EQ(chart.Items()[1].Color, 0x008000u);  // the colour chosen before Start
  EXPECT_EQ(chart.Items()[2].Layer, 3);  // a hidden channel keeps its data
  Form->StopButton->click();
  EXPECT_EQ(table()->item(0, TChannelTablePage::colName)->text(), "Temperatur");
}

TEST_F(AutoWindow, LeavingAutoGivesTheFixedModesTheirLayersBack) {
  Form->AutoRadioButton->click();
  Form->StartButton->click();
  Send("1,2\n");
  ASSERT_TRUE(WaitUntil([&] { return Count() == 1; }));
  EXPECT_EQ(chart.LxControlledBy(2), 1);
  Form->StopButton->click();
  Form->CH2RadioButton->click();
  EXPECT_EQ(chart.LxControlledBy(2), 2);
  EXPECT_FALSE(chart.OnDataRendered);
  EXPECT_TRUE(Form->DatSkalEdit->isEnabled());
  EXPECT_FALSE(Form->PageControl1->isTabVisible(Form->PageControl1->indexOf(Form->SheetKanaele)));
  EXPECT_EQ(Form->Label11->text(), "Normal: max 200 Samples/s, max 50.000 Samples\r\nTrend:  max 50 Samples/s   beliebig lange");
}

TEST_F(AutoWindow, FixedModeSaysOnceWhenLinesEndWithLineFeedOnly) {
  Form->StartButton->click();
  Send("1.5\n2.5\n3.5\n4.5\n");
  ASSERT_TRUE(WaitUntil([&] { return Form->HintLabel->isVisible(); }));
  EXPECT_TRUE(Form->HintLabel->text().contains("\"Auto\""));
  EXPECT_EQ(Count(), 0);  // "1 Ch" still takes no line from it
  Form->StopButton->click();
  Form->StartButton->click();
  EXPECT_FALSE(Form->HintLabel->isVisible());
}

TEST_F(AutoWindow, AutoYFitsTheDataAndMitlaufenFollowsTheNewest) {
  Form->GraphXmaxEdit->setText("100");
  Form->AutoYCheckBox->click();
  Form->MitlaufenCheckBox->click();
  Form->StartButton->click();
  std::string lines;
  for (int n = 1; n <= 300; ++n) lines += std::to_string(500 + n) + "\r\n";  // sample n reads 500 + n
  Send(lines);
  ASSERT_TRUE(WaitUntil([&] { return Count() == 300; }));
  ASSERT_TRUE(WaitUntil([&] { return chart.Scale1X().RangeHigh() == 300 && chart.Scale1Y().RangeLow() > 600; }));
  EXPECT_EQ(chart.Scale1X().RangeLow(), 200);
  EXPECT_LE(chart.Scale1Y().RangeLow(), 700);
  EXPECT_GE(chart.Scale1Y().RangeHigh(), 800);
  EXPECT_LT(chart.Scale1Y().RangeHigh(), 850);
}

}  // namespace
