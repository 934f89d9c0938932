// The port field's list of the machine's serial devices, kept current as devices come and
// go; the device file behind a port name; the port's own messages in the status bar; and
// the acquisition's return once a device that went away is back.

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QSignalBlocker>
#include <QSocketNotifier>

#include "acquisition/field_numbers.h"
#include "app/main_window.h"
#include "serial/posix/posix_port_platform.h"
#include "serial/posix/serial_device_list.h"

namespace {

bool IsDevicePath(const QString& port) { return port.startsWith(QLatin1Char('/')); }

}  // namespace

void TForm1::WatchSerialDevices() {
  RefreshPortList();
  ShowPortTip();
  connect(ComComboBox, &QComboBox::editTextChanged, this, [this] { ShowPortTip(); });
  if (Hotplug_.Fd() < 0) return;
  auto* notifier = new QSocketNotifier(Hotplug_.Fd(), QSocketNotifier::Read, this);
  connect(notifier, &QSocketNotifier::activated, this, [this] {
    if (!Hotplug_.TakeEvents()) return;
    RefreshPortList();
    Reconnect_.TryNow();
  });
}

void TForm1::RefreshPortList() {
  // The port numbers stay; the devices after them are those present now. What the user
  // typed or chose stays in the field.
  const QString text = ComComboBox->currentText();
  const QSignalBlocker blocker(ComComboBox);
  for (int i = ComComboBox->count() - 1; i >= 0; --i) {
    if (IsDevicePath(ComComboBox->itemText(i))) ComComboBox->removeItem(i);
  }
  int widest = 0;
  for (const std::string& device : ListSerialDevices()) {
    const QString path = QString::fromStdString(device);
    ComComboBox->addItem(path);
    ComComboBox->setItemData(ComComboBox->count() - 1, path, Qt::ToolTipRole);
    widest = std::max(widest, ComComboBox->fontMetrics().horizontalAdvance(path));
  }
  // The list opens as wide as its longest /dev/serial/by-id name.
  ComComboBox->view()->setMinimumWidth(widest + 30);
  ComComboBox->setEditText(text);
}

void TForm1::ShowPortTip() {
  const QString port = ComComboBox->currentText().trimmed();
  if (IsDevicePath(port)) {
    ComComboBox->setToolTip(port);
    return;
  }
  const auto number = uint16_t(ReadFieldInteger(port.toStdString()));
  const std::string file = PosixPortPlatform().DevicePath(number);
  ComComboBox->setToolTip(file.empty() ? QStringLiteral("COM%1: kein Gerät").arg(number)
                                       : QStringLiteral("COM%1 = %2").arg(number).arg(QString::fromStdString(file)));
}

void TForm1::ShowPortStatus(const QString& text) {
  StatusPanels[1]->setText(text);
  // The panel is narrow; the device file behind the port's name is in its tip.
  StatusPanels[1]->setToolTip(QStringLiteral("%1 = %2").arg(QString::fromStdString(scComm1_.PortName()),
                                                             QString::fromStdString(scComm1_.OpenedFile())));
}

void TForm1::PortReopened() {
  ShowPortStatus(QStringLiteral("%1 wieder verbunden").arg(QString::fromStdString(scComm1_.PortName())));
}
