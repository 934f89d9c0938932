// The x axis: "Tics" places each sample at its count, "Zeit" at the seconds since Start
// at which its line arrived or, in "Auto" when the user chooses, at the device's time.

#include <QCheckBox>
#include <QRadioButton>

#include "app/channel_table_page.h"
#include "app/main_window.h"
#include "app/window_chart.h"

void TForm1::RadioButton1Click() { ApplyXAxis(); }

void TForm1::RadioButton2Click() { ApplyXAxis(); }

void TForm1::DeviceTimeCheckBoxClick() { ApplyXAxis(); }

void TForm1::ApplyXAxis() {
  const bool time = RadioButton2->isChecked();
  Acquisition_.SetTimeAxis(time, SheetKanaele->DeviceTimeCheckBox->isChecked());
  SetWindowChartXAxis(Chart(), time);
  Chart().ShowGraph();
}
