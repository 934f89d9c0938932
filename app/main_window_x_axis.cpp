// The x axis: "Tics" places each sample at its count, "Zeit" at the seconds since Start
// at which its line arrived or, in "Auto" when the user chooses, at the device's time.

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

#include "app/channel_table_page.h"
#include "app/main_window.h"
#include "app/window_chart.h"

void TForm1::RadioButton1Click() { ApplyXAxis(); }

void TForm1::RadioButton2Click() { ApplyXAxis(); }

void TForm1::DeviceTimeCheckBoxClick() { ApplyXAxis(); }

QString TForm1::UsualXmaxText(bool timeAxis) {
  // A thousand samples; on the time axis ten seconds, a window of similar use.
  return timeAxis ? QStringLiteral("10") : QStringLiteral("1000");
}

void TForm1::ApplyXAxis() {
  const bool time = RadioButton2->isChecked();
  Acquisition_.SetTimeAxis(time, SheetKanaele->DeviceTimeCheckBox->isChecked());
  SetWindowChartXAxis(Chart(), time);
  // Graph X max left at the other axis's usual extent (1000 samples would be a quarter
  // of an hour) takes this axis's; a value the user typed stays.
  if (GraphXmaxEdit->text().trimmed() == UsualXmaxText(!time)) {
    GraphXmaxEdit->setText(UsualXmaxText(time));
    if (!Running()) ResetAxisButtonClick();
  }
  Chart().ShowGraph();
}
